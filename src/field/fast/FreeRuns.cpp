#include "field/fast/FreeRuns.hpp"

#include <cstring>

namespace {

using std::ptrdiff_t;

// Below this mean length of its free runs a diagonal is updated whole and its
// metal put back: the loop over short runs costs more than updating the metal
// nodes for nothing and restoring them.
constexpr ptrdiff_t shortestMeanRun = 12;

// Calls seen(i, j) for every metal node of the interior, column by column and
// down each column, skipping eight free nodes at a time.
template <class Seen>
void forEachHeld(const std::uint8_t* held, const DiagonalGeometry& g, Seen&& seen) {
    for (ptrdiff_t i = 1; i + 1 < g.nx; ++i) {
        const std::uint8_t* column = held + i * g.ny;
        ptrdiff_t j = 1;
        while (j + 1 < g.ny) {
            std::uint64_t eight = 0;
            if (j + 8 < g.ny) std::memcpy(&eight, column + j, sizeof eight);
            if (j + 8 < g.ny && eight == 0) {
                j += 8;
                continue;
            }
            if (column[j] != 0) seen(i, j);
            ++j;
        }
    }
}

}  // namespace

const FreeRuns& FreeRunLayout::of(const std::uint8_t* held, std::uint64_t version,
                                  const DiagonalGeometry& g) {
    const bool same = version != 0 && version == version_ && held == laidOutFrom_ &&
                      g.nx == grid_.nx && g.ny == grid_.ny;
    if (!same) layOut(held, g);
    laidOutFrom_ = held;
    version_ = version;
    grid_ = g;
    return view_;
}

void FreeRunLayout::layOut(const std::uint8_t* held, const DiagonalGeometry& g) {
    const auto diagonals = static_cast<std::size_t>(g.diagonalCount());
    // The metal nodes of each diagonal, in increasing i: a count, then a
    // second pass that files them, columns in order.
    heldStart_.assign(diagonals + 1, 0);
    forEachHeld(held, g, [&](ptrdiff_t i, ptrdiff_t j) { ++heldStart_[i + j + 1]; });
    for (std::size_t d = 0; d < diagonals; ++d)
        heldStart_[d + 1] += heldStart_[d];
    heldI_.resize(static_cast<std::size_t>(heldStart_[diagonals]));
    start_.assign(heldStart_.begin(), heldStart_.end() - 1);  // the next free place of each
    forEachHeld(held, g, [&](ptrdiff_t i, ptrdiff_t j) { heldI_[start_[i + j]++] = i; });
    // The free runs are the gaps between them.
    start_.assign(diagonals + 1, 0);
    whole_.assign(diagonals, 0);
    runs_.clear();
    for (ptrdiff_t d = 0; d < g.diagonalCount(); ++d) {
        start_[d] = static_cast<ptrdiff_t>(runs_.size());
        ptrdiff_t lo = g.firstInterior(d);
        for (ptrdiff_t k = heldStart_[d]; k < heldStart_[d + 1]; ++k) {
            if (heldI_[k] > lo) runs_.push_back({lo, heldI_[k] - lo});
            lo = heldI_[k] + 1;
        }
        const ptrdiff_t last = g.lastInterior(d);
        if (d >= 2 && last >= lo) runs_.push_back({lo, last - lo + 1});
        const ptrdiff_t runCount = static_cast<ptrdiff_t>(runs_.size()) - start_[d];
        const ptrdiff_t freeNodes = last - g.firstInterior(d) + 1 - (heldStart_[d + 1] - heldStart_[d]);
        whole_[d] = runCount * shortestMeanRun > freeNodes ? 1 : 0;
    }
    start_[diagonals] = static_cast<ptrdiff_t>(runs_.size());
    saved_.resize(static_cast<std::size_t>(g.longest()));
    view_ = {start_.data(), runs_.data(),     whole_.data(),
             heldStart_.data(), heldI_.data(), saved_.data()};
}
