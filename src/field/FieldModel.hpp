#pragma once

#include <cstdint>

#include "field/Boundaries.hpp"
#include "field/ChargeField.hpp"
#include "field/Grid2D.hpp"
#include "field/MetalNodes.hpp"
#include "field/ScalarField.hpp"
#include "field/VectorField.hpp"
#include "field/fast/RelaxFast.hpp"

// The grid and everything computed on it: charge density, potential, electric
// field, the four boundary sides and the relaxation constants.
class FieldModel {
  public:
    BoundarySides boundaries{};
    Grid2D grid;
    ChargeField charge;
    ScalarField potential;
    VectorField field;
    // The metal painted into the grid, none at start.
    MetalNodes metal;
    double cosSum;
    double omega;
    double stencilFactor;
    double chargeDivisor;
    // The relaxation's working layout, sized by the first relax and reused.
    RelaxWorkspace relaxWorkspace;

    FieldModel(double xmin, double xmax, double ymin, double ymax, std::uint16_t nx,
               std::uint16_t ny);
    FieldModel(const FieldModel&) = delete;
    FieldModel& operator=(const FieldModel&) = delete;

    // `sweeps` over-relaxation sweeps, the boundaries re-applied after each.
    void relax(std::uint32_t sweeps);
    void applyBoundaries();
    void setBoundary(int side, double value, bool keepKind);
    void makeLeftRightPeriodic();
};

// What the program sets on its model before showing it: both layers and the
// arrows at the display scale (pixels per node), the blue-red colour map, the
// charge shown over its fixed range -1 .. 1, and an arrow every 7 nodes.
void prepareDisplay(FieldModel& model, float scale);
