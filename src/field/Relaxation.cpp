#include "field/Relaxation.hpp"

#include <cmath>
#include <cstddef>

#include "field/PortableMath.hpp"

namespace {

constexpr double pi = 3.141592653589793;

}  // namespace

RelaxConstants relaxConstants(std::uint32_t nx, std::uint32_t ny, double hx, double hy) {
    RelaxConstants c{};
    // Our own cos: the C libraries differ in its last bit for some sides (433, say),
    // and omega, with every sweep after it, would differ with them.
    c.cosSum =
        portableCos(pi / static_cast<double>(ny)) + portableCos(pi / static_cast<double>(nx));
    const double cos2 = c.cosSum * c.cosSum;
    c.omega = (8.0 - std::sqrt(64.0 - 16.0 * cos2)) / cos2;
    c.stencilFactor = 1.0 / (2.0 / (hx * hx) + 2.0 / (hy * hy));
    c.chargeDivisor = 1.0;
    return c;
}
