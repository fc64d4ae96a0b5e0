#pragma once

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Window.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "field/Brush.hpp"
#include "field/ChargeField.hpp"
#include "ui/BoundInput.hpp"

// Keys B and E toggle the hard brush and the eraser; the wheel changes the radius.
void handleEvent(Brush& brush, const sf::Event& event);

// The brush's keys and the wheel's two directions, in that order.
std::vector<BoundInput> brushInputs();

// The radius after a wheel delta: the delta truncated to a signed 8-bit step,
// the result kept within 0 .. 100.
std::uint16_t wheelRadius(std::uint16_t radius, float delta);

// The node a pointer pixel stamps at, or nothing when the pointer is more than
// `radius` nodes outside the grid.
std::optional<sf::Vector2<std::int16_t>> brushNode(sf::Vector2i pointer, const ScalarField& field,
                                                   std::uint16_t radius);

// Stamps one disc under the pointer while a mouse button is held: positive for
// the left button (also when both are held), negative for the right.
void paint(ChargeField& charge, const sf::Window& window);

std::string statusText(const Brush& brush);
