#include "app/Limits.hpp"

namespace {

std::string sizeText(std::uint64_t w, std::uint64_t h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

}  // namespace

std::optional<std::string> gridProblem(std::uint32_t nx, std::uint32_t ny,
                                       std::uint32_t maxTextureSize) {
    if (nx <= maxTextureSize && ny <= maxTextureSize) return std::nullopt;
    return "a grid of " + sizeText(nx, ny) +
           " nodes is larger than the graphics driver can show (at most " +
           std::to_string(maxTextureSize) + " nodes per side)";
}

std::optional<std::string> renderAreaProblem(std::uint64_t width, std::uint64_t height,
                                             std::uint32_t maxTextureSize) {
    if (width <= maxTextureSize && height <= maxTextureSize) return std::nullopt;
    return "a render area of " + sizeText(width, height) +
           " pixels is larger than the graphics driver can show (at most " +
           std::to_string(maxTextureSize) + " pixels per side); choose a smaller scale";
}
