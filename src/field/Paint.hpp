#pragma once

#include "field/ColourMap.hpp"
#include "field/Reference.hpp"
#include "field/fast/FrameKernels.hpp"

// The pixels of paintReference; blueRedMap goes through the branchless kernel of `level`,
// any other map through the reference.
void paint(const PaintJob& job, ColourMap map, SimdLevel level = bestSimdLevel());
