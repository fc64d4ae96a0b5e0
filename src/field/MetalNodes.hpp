#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "field/Grid2D.hpp"

// The nodes painted as metal: interior nodes whose potential the sweeps leave
// as it is, as they leave the fixed sides. The potential they hold is the
// potential field's own value there.
class MetalNodes {
  public:
    // x-major, 1 for metal; the edge nodes are never metal.
    std::vector<std::uint8_t> held;
    std::size_t count = 0;
    // Changes with every change of `held`, so the solver lays it out again.
    std::uint64_t version = 1;

    explicit MetalNodes(const Grid2D& grid) : held(grid.nodeCount(), 0) {}

    // The mask for the solver, or null while no node is metal.
    const std::uint8_t* mask() const { return count > 0 ? held.data() : nullptr; }
    bool isMetal(std::size_t k) const { return held[k] != 0; }
    // Makes node k metal or free; whether that changed it.
    bool set(std::size_t k, bool metal);
    void clear();
};
