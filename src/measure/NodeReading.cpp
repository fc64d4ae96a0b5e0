#include "measure/NodeReading.hpp"

#include <cmath>
#include <cstdio>

#include "field/FieldModel.hpp"
#include "field/PortableMath.hpp"
#include "field/Reference.hpp"
#include "measure/MeasureText.hpp"
#include "metal/InducedCharge.hpp"

std::optional<NodeIndex> nodeUnder(sf::Vector2i pixel, std::uint8_t scale, std::uint32_t nx,
                                   std::uint32_t ny) {
    if (pixel.x < 0 || pixel.y < 0 || scale == 0) return std::nullopt;
    const std::uint32_t i = static_cast<std::uint32_t>(pixel.x) / scale;
    const std::uint32_t j = static_cast<std::uint32_t>(pixel.y) / scale;
    if (i >= nx || j >= ny) return std::nullopt;
    return NodeIndex{i, j};
}

NodeReading readNode(const FieldModel& model, NodeIndex node) {
    const Grid2D& g = model.grid;
    const std::size_t k = g.index(node.i, node.j);
    // The factor -1 of the frame step's field, so the read-out and the arrows agree bit for bit.
    const GradientPair e = gradientAtReference(model.potential.data.data(), node.i, node.j, g.nx,
                                               g.ny, g.hx, g.hy, -1.0);
    if (model.metal.isMetal(k)) {
        return {node, model.potential.data[k], e.x, e.y, inducedCharge(model, node.i, node.j),
                true};
    }
    return {node, model.potential.data[k], e.x, e.y, model.charge.density.data[k]};
}

double fieldMagnitude(const NodeReading& r) {
    return portableHypot(r.ex, r.ey);
}

double fieldDegrees(const NodeReading& r) {
    return std::atan2(r.ey, r.ex) * (180.0 / 3.141592653589793);
}

double nodeDistance(NodeIndex a, NodeIndex b, std::uint32_t ny) {
    const double di = static_cast<double>(a.i) - static_cast<double>(b.i);
    const double dj = static_cast<double>(a.j) - static_cast<double>(b.j);
    return portableHypot(di, dj) / static_cast<double>(ny);
}

namespace {

std::string nodeName(NodeIndex n) {
    return "(" + std::to_string(n.i) + ", " + std::to_string(n.j) + ")";
}

std::string degreesText(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", degrees);
    return text;
}

}  // namespace

std::string probeReadout(const std::optional<NodeReading>& at,
                         const std::optional<NodeReading>& reference, std::uint32_t ny) {
    if (!at) return "Probe: outside the grid";
    const NodeReading& r = *at;
    std::string text = "Probe at " + nodeName(r.node) + (r.metal ? ", metal" : "") +
                       "\nphi = " + measureNumber(r.phi) +
                       "\n|E| = " + measureNumber(fieldMagnitude(r));
    // A field of exactly zero has no direction.
    if (r.ex != 0.0 || r.ey != 0.0) text += " at " + degreesText(fieldDegrees(r)) + " deg";
    text += (r.metal ? "\ninduced rho = " : "\nrho = ") + measureNumber(r.rho);
    if (reference) {
        text += "\nReference at " + nodeName(reference->node) +
                "\nphi - phi_ref = " + measureNumber(r.phi - reference->phi) +
                "\ndistance = " + measureNumber(nodeDistance(r.node, reference->node, ny));
    }
    return text;
}
