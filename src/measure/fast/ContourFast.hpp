#pragma once

#include <vector>

#include "field/fast/SimdLevel.hpp"
#include "measure/Contours.hpp"

// The segments of contoursReference, bit for bit and in the same order, from a scan that
// passes over the cells no line can cross. codes is the scan's workspace (two columns of
// codes), sized by the first call and reused.
void contoursFast(const ContourJob& job, std::vector<double>& codes,
                  std::vector<ContourSegment>& out, SimdLevel level = bestSimdLevel());
