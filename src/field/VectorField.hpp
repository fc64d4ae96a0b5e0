#pragma once

#include <vector>

#include "field/FieldArrows.hpp"
#include "field/Grid2D.hpp"
#include "field/fast/FrameKernels.hpp"

class ScalarField;

// Two doubles per node: node (i, j) holds its x component at 2 (i ny + j) and
// its y component right after it.
class VectorField {
  public:
    std::vector<double> data;
    const Grid2D* grid;
    double maxMagnitude = 0.0;
    FieldArrows arrows;

    explicit VectorField(const Grid2D& grid) : data(2 * grid.nodeCount()), grid(&grid) {}
    VectorField(const VectorField&) = delete;
    VectorField& operator=(const VectorField&) = delete;

    // The gradient of source times factor (factor -1 gives E = -grad phi).
    void computeField(const ScalarField& source, int factor);
    void rebuildArrows();
    // computeField followed by rebuildArrows, with the search for the longest
    // field (normalised arrows) done while the field is computed instead of
    // in a second pass over it: what the frame step calls.
    void refresh(const ScalarField& source, int factor);
    void resizeArrows();
    // The straightforward forms of computeField and rebuildArrows, which give
    // the same results: what the tests and the benchmarks hold the fast ones
    // against.
    void computeFieldReference(const ScalarField& source, int factor);
    void rebuildArrowsReference();

  private:
    GradientJob gradientJob(const ScalarField& source, int factor);
    void updateLengthMultiplier(double maxSq);
    void placeArrows();
    sf::Vector2f headOffset(double ex, double ey) const;
    sf::Vector2f headAt(sf::Vector2f tail, const double* pair) const;
};
