#include "measure/SectionSamples.hpp"

#include <cmath>

#include "field/FieldModel.hpp"

void sampleSection(const FieldModel& model, SectionLine line, NodeIndex node, SectionSamples& out) {
    const bool row = line == SectionLine::Row;
    const std::uint32_t n = row ? model.grid.nx : model.grid.ny;
    out.phi.resize(n);
    out.field.resize(n);
    out.phiLow = 0.0;
    out.phiHigh = 0.0;
    out.fieldHigh = 0.0;
    for (std::uint32_t k = 0; k < n; ++k) {
        const NodeReading r = readNode(model, row ? NodeIndex{k, node.j} : NodeIndex{node.i, k});
        out.phi[k] = r.phi;
        out.field[k] = fieldMagnitude(r);
        // Non-finite values stay out of the ranges; the curves break where they are.
        if (std::isfinite(r.phi)) {
            out.phiLow = std::min(out.phiLow, r.phi);
            out.phiHigh = std::max(out.phiHigh, r.phi);
        }
        if (std::isfinite(out.field[k])) out.fieldHigh = std::max(out.fieldHigh, out.field[k]);
    }
}
