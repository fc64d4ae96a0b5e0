#pragma once

#include "field/ColourMap.hpp"
#include "field/FrameKernels.hpp"

// Colours every pixel of job.rgba from the values through `map`, as repaint
// did pixel by pixel: the straightforward reference.
void paintReference(const PaintJob& job, ColourMap map);

// The same pixels; blueRedMap goes through the branchless kernel of `level`,
// any other map through the reference.
void paint(const PaintJob& job, ColourMap map, SimdLevel level = bestSimdLevel());
