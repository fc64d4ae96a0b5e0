#pragma once

#include <cstdint>
#include <vector>

#include "field/fast/SimdLevel.hpp"
#include "measure/Contours.hpp"

// A row of cells inside one block of columns that some level may cross, and those levels.
struct ContourStrip {
    std::uint32_t j;
    std::int32_t kFrom;
    std::int32_t kTo;
};

// The scan's buffers, sized by the first call on a grid and reused: each row's smallest and
// largest value over a block of columns, and the block's rows that a line may cross.
struct ContourWorkspace {
    std::vector<double> rows;
    std::vector<ContourStrip> strips;
};

// The segments of contoursReference, bit for bit and in the same order, from a scan that
// passes over the cells no line can cross.
void contoursFast(const ContourJob& job, ContourWorkspace& workspace,
                  std::vector<ContourSegment>& out, SimdLevel level = bestSimdLevel());
