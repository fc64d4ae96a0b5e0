#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "field/Boundaries.hpp"
#include "field/Reference.hpp"

namespace {

// An array of n values between guard values: a kernel working on a grid too
// small for its stencil must leave the guards alone.
class Guarded {
  public:
    static constexpr std::size_t guard = 32;
    static constexpr double guardValue = -777.0;

    explicit Guarded(std::size_t n) : n_(n), buffer_(n + 2 * guard, guardValue) {
        for (std::size_t k = 0; k < n; ++k)
            buffer_[guard + k] = 0.5 + static_cast<double>(k);
    }

    double* data() { return buffer_.data() + guard; }
    std::vector<double> values() const {
        return {buffer_.begin() + guard, buffer_.begin() + guard + n_};
    }
    bool intact() const {
        for (std::size_t k = 0; k < guard; ++k) {
            if (buffer_[k] != guardValue || buffer_[guard + n_ + k] != guardValue) return false;
        }
        return true;
    }

  private:
    std::size_t n_;
    std::vector<double> buffer_;
};

bool allFinite(const std::vector<double>& values) {
    for (double v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

}  // namespace

TEST(TinyGrids, KernelsStayInsideTheirArrays) {
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {{1, 1}, {1, 2}, {2, 1}, {1, 5}, {5, 1},
                                                             {2, 2}, {2, 5}, {5, 2}, {3, 3}};
    for (const auto& [nx, ny] : sizes) {
        const std::size_t n = std::size_t{nx} * ny;
        const double h = 1.0 / ny;
        for (std::int32_t leftRight : {Fixed, Periodic}) {
            for (std::int32_t topBottom : {Fixed, Periodic}) {
                SCOPED_TRACE(testing::Message()
                             << nx << "x" << ny << " kinds " << leftRight << "," << topBottom);
                const BoundarySides sides{
                    {{leftRight, 1.0}, {leftRight, 2.0}, {topBottom, 3.0}, {topBottom, 4.0}}};
                Guarded phi(n);
                Guarded rho(n);
                const SweepInput in{
                    phi.data(), rho.data(), nx, ny, h, h, relaxConstants(nx, ny, h, h)};

                const std::vector<double> before = phi.values();
                sweepReference(in);
                if (nx < 3 || ny < 3) {
                    EXPECT_EQ(phi.values(), before) << "a grid without interior nodes";
                }

                applyBoundaryConditions(phi.data(), nx, ny, sides);
                relaxReference(in, sides, 3);
                EXPECT_TRUE(allFinite(phi.values()));

                Guarded e(2 * n);
                gradientReference(phi.data(), e.data(), nx, ny, h, h, -1.0);
                EXPECT_TRUE(allFinite(e.values()));

                EXPECT_TRUE(phi.intact());
                EXPECT_TRUE(rho.intact());
                EXPECT_TRUE(e.intact());
            }
        }
    }
}
