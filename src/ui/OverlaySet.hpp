#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <memory>

#include "ui/OverlayStyle.hpp"
#include "ui/OverlayText.hpp"

// The registry of all texts on screen: one font, size and colour for all, and
// the layout that stacks the texts sharing a corner in registration order.
class OverlaySet {
  public:
    sf::RenderWindow* target;
    sf::Font font;
    sf::Color colour;
    std::uint16_t characterSize;
    std::uint16_t capacity;
    std::uint16_t count = 0;
    std::unique_ptr<OverlayText*[]> items;

    OverlaySet(sf::RenderWindow* target, std::uint16_t capacity, OverlayStyle style);
    OverlaySet(const OverlaySet&) = delete;
    OverlaySet& operator=(const OverlaySet&) = delete;

    // Registers and styles an existing text and makes it visible.
    bool add(OverlayText& text);
    // Registers and styles a text; false when the set is full.
    bool registerText(OverlayText& text);
    // Places every visible text for a window of this size and this pointer.
    void layout(sf::Vector2u windowSize, sf::Vector2i mouse);
    void layoutAndDraw();
};
