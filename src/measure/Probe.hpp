#pragma once

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <optional>

#include "measure/NodeReading.hpp"
#include "ui/OverlayText.hpp"

class FieldModel;
class OverlaySet;

// The probe and its reference, a voltmeter: a read-out of the node under the pointer beside the
// pointer and, once a reference is pinned, the potential difference from it. Off at start; its
// text is hidden while it is off.
class Probe {
  public:
    bool shown = false;
    std::optional<NodeIndex> reference;
    // The last node the read-out showed: where a pointer that has left the grid was last.
    std::optional<NodeIndex> lastNode;
    OverlayText text;
    sf::CircleShape marker{5.0f, 16};

    explicit Probe(OverlaySet& overlays);

    void toggle();
    // Pins the reference at the node under the pointer or, with the pointer off the grid, at the
    // last node the read-out showed: on a touch screen the finger leaves the probe where it
    // lifts and then taps R on the page's bar, off the canvas. Before any, nothing is pinned.
    void pin(std::optional<NodeIndex> node);
    // Reads the node under the pointer, writes the read-out and places it beside the pointer,
    // on the side where the window has room.
    void update(const FieldModel& model, sf::Vector2i mouse, std::uint8_t scale,
                sf::Vector2u windowSize);
    // The reference's marker, while there is one.
    void draw(sf::RenderTarget& target) const;
};

// Where a text of `columns` characters and `lines` lines goes beside the pointer: right of and
// below the pointer's own read-out, or mirrored to the left or above where the window ends.
sf::Vector2f readoutPlace(sf::Vector2i mouse, sf::Vector2u windowSize, std::size_t columns,
                          std::uint16_t lines);
