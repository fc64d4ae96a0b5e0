#pragma once

#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <optional>
#include <string>

class FieldModel;

// A grid node, i to the right and j down.
struct NodeIndex {
    std::uint32_t i;
    std::uint32_t j;
    bool operator==(const NodeIndex&) const = default;
};

// The node whose pixel square holds a window pixel at this display scale, if any.
std::optional<NodeIndex> nodeUnder(sf::Vector2i pixel, std::uint8_t scale, std::uint32_t nx,
                                   std::uint32_t ny);

// What the model holds at one node: the potential, the field E = -grad phi as the arrows are
// drawn from it (computed for this node alone, so it is there while the arrows are off) and the
// charge density; on a metal node, the charge the metal gathers there instead.
struct NodeReading {
    NodeIndex node;
    double phi;
    double ex;
    double ey;
    double rho;
    bool metal = false;
};

NodeReading readNode(const FieldModel& model, NodeIndex node);

// |E| and its direction in degrees from the +x axis toward +y, which points down the window.
double fieldMagnitude(const NodeReading& r);
double fieldDegrees(const NodeReading& r);

// The distance between two nodes in the domain's units, a spacing of 1 / ny.
double nodeDistance(NodeIndex a, NodeIndex b, std::uint32_t ny);

// The probe's read-out: the values at `at` (or that the pointer is outside the grid) and, with a
// reference, the potential difference from it and the distance to it. ASCII only: the texts are
// converted with the default locale.
std::string probeReadout(const std::optional<NodeReading>& at,
                         const std::optional<NodeReading>& reference, std::uint32_t ny);
