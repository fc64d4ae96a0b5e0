#include "ui/OverlayText.hpp"

#include <algorithm>

#include "ui/OverlaySet.hpp"

OverlayText::OverlayText(OverlaySet& set, OverlayAnchor anchor, const sf::String& initial)
    : anchor(anchor) {
    set.registerText(*this);
    setText(initial);
}

void OverlayText::setText(const sf::String& string) {
    text.setString(string);
    lineCount = countLines(string);
}

std::uint16_t countLines(const sf::String& s) {
    const auto feeds = std::count(s.begin(), s.end(), sf::Uint32{10});
    return static_cast<std::uint16_t>(1 + feeds);
}
