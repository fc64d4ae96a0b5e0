#pragma once

#include <cstdint>

class FieldModel;

// The charge a metal node gathers: -laplacian(phi) of the solver's own five-point stencil at
// interior node (i, j), in the units of the charge density, so that the node would hold its
// potential with it as free charge. Inside a metal region it is 0; on the surface it is dense.
double inducedCharge(const FieldModel& model, std::uint32_t i, std::uint32_t j);

// Shows the induced charge at every metal node of the charge layer, in the colour map of free
// charge, and uploads the layer's image. Nothing while no node is metal.
void showInducedCharge(FieldModel& model);
