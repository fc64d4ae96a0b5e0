#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "field/fast/DiagonalLayout.hpp"

// A run of free interior nodes of one diagonal: i from lo, n of them.
struct NodeRun {
    std::ptrdiff_t lo;
    std::ptrdiff_t n;
};

// The nodes a sweep updates while some are metal: diagonal d's free interior
// nodes are runs[start[d]] .. runs[start[d + 1] - 1], in increasing i. Where
// metal is scattered, so that the runs are short, the diagonal is updated
// whole instead (whole[d] not 0) and its metal nodes, i = held[heldStart[d]]
// .. held[heldStart[d + 1] - 1], get their values back from `saved`, room
// for the longest diagonal.
struct FreeRuns {
    const std::ptrdiff_t* start;
    const NodeRun* runs;
    const std::uint8_t* whole;
    const std::ptrdiff_t* heldStart;
    const std::ptrdiff_t* held;
    double* saved;
};

// The free runs of a metal mask, kept between calls: laid out again only when
// the mask, its version or the grid changes, or the version is 0 (unknown).
class FreeRunLayout {
  public:
    // The runs around the metal of `held` (x-major; an interior byte not 0 is
    // metal, the edge bytes are not read).
    const FreeRuns& of(const std::uint8_t* held, std::uint64_t version, const DiagonalGeometry& g);

  private:
    void layOut(const std::uint8_t* held, const DiagonalGeometry& g);

    std::vector<std::ptrdiff_t> heldStart_;
    std::vector<std::ptrdiff_t> heldI_;
    std::vector<std::ptrdiff_t> start_;
    std::vector<NodeRun> runs_;
    std::vector<std::uint8_t> whole_;
    std::vector<double> saved_;
    FreeRuns view_{};
    const std::uint8_t* laidOutFrom_ = nullptr;
    std::uint64_t version_ = 0;
    DiagonalGeometry grid_{0, 0};
};
