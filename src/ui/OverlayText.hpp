#pragma once

#include <SFML/Graphics/Text.hpp>
#include <SFML/System/String.hpp>
#include <cstdint>

#include "ui/OverlayAnchor.hpp"

class OverlaySet;

// One text on screen. Owners change it only through setText and show or hide
// it through `visible`; the set places it.
class OverlayText {
  public:
    sf::Text text;
    OverlayAnchor anchor = TopLeft;
    bool visible = true;
    std::uint16_t lineCount = 1;

    // Not registered: the owner calls the set's add.
    OverlayText() = default;
    // Registers itself in the set and takes the string.
    OverlayText(OverlaySet& set, OverlayAnchor anchor, const sf::String& initial);
    OverlayText(const OverlayText&) = delete;
    OverlayText& operator=(const OverlayText&) = delete;

    void setText(const sf::String& string);
};

// 1 + the number of line feeds in s.
std::uint16_t countLines(const sf::String& s);
