#pragma once

#include <SFML/Window/Window.hpp>
#include <cstdint>

#include "field/Brush.hpp"

class FieldModel;

// One disc of the metal brush, the disc the charge brush would stamp: painting makes every
// interior node of it metal held at `potential` (hard, whatever the brush's softness);
// erasing makes its metal free again and shows the node's free charge in the charge layer.
struct MetalDisc {
    std::int16_t cx;
    std::int16_t cy;
    std::uint16_t radius;
    bool erase;
    double potential;
};

// Whether the disc changed any node.
bool paintMetalDisc(FieldModel& model, const MetalDisc& disc);

// The potential the buttons paint: the brush's for the left (also with both held), its
// negative for the right.
double buttonPotential(const Brush& brush, bool left);

// Paints one disc of metal under the pointer while a mouse button is held, as `paint` does
// charge.
void paintMetal(FieldModel& model, const sf::Window& window);
