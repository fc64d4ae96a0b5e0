#include "field/MetalNodes.hpp"

#include <algorithm>

bool MetalNodes::set(std::size_t k, bool metal) {
    if (isMetal(k) == metal) return false;
    held[k] = metal ? 1 : 0;
    count = metal ? count + 1 : count - 1;
    ++version;
    return true;
}

void MetalNodes::clear() {
    if (count == 0) return;
    std::fill(held.begin(), held.end(), std::uint8_t{0});
    count = 0;
    ++version;
}
