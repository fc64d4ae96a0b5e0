#include "ui/FrameTexts.hpp"

std::string layerTitle(bool showCharges, bool showField, bool equalLength) {
    std::string title = showCharges ? "Charge distribution" : "Electrostatic potential";
    if (showField) {
        title += " with ";
        if (equalLength) title += "normalized ";
        title += "electric field";
    }
    return title;
}

std::string cursorReadout(sf::Vector2i mouse, std::uint8_t scale) {
    return "x = " + std::to_string(mouse.x / scale) + "\ny = " + std::to_string(mouse.y / scale);
}
