#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Why a grid cannot be shown: each layer is one texture of nx by ny pixels,
// which the graphics driver caps at maxTextureSize per side.
std::optional<std::string> gridProblem(std::uint32_t nx, std::uint32_t ny,
                                       std::uint32_t maxTextureSize);

// Why a render area cannot be opened: larger than the driver's largest
// drawable image per side.
std::optional<std::string> renderAreaProblem(std::uint64_t width, std::uint64_t height,
                                             std::uint32_t maxTextureSize);
