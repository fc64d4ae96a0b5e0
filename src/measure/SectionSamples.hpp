#pragma once

#include <cstdint>
#include <vector>

#include "measure/NodeReading.hpp"

class FieldModel;

// A cross-section of the grid through one node: its row (j fixed, i from 0 to nx - 1) or its
// column (i fixed, j from 0 to ny - 1).
enum class SectionLine : std::uint8_t { Row, Column };

// The potential and |E| along a section, and each curve's range: the potential's widened to
// hold zero, so its zero line is on the graph, and |E|'s from zero.
struct SectionSamples {
    std::vector<double> phi;
    std::vector<double> field;
    double phiLow = 0.0;
    double phiHigh = 0.0;
    double fieldHigh = 0.0;
};

// Fills `out` (reusing its storage) with the values of every node of the section through `node`.
void sampleSection(const FieldModel& model, SectionLine line, NodeIndex node, SectionSamples& out);
