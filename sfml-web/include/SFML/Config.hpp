#pragma once

// SFML's fixed-width integer names, for the web build of the part of SFML 2's API that the
// program uses (see sfml-web/README.md).

#include <cstdint>

namespace sf {

using Int8 = std::int8_t;
using Uint8 = std::uint8_t;
using Int16 = std::int16_t;
using Uint16 = std::uint16_t;
using Int32 = std::int32_t;
using Uint32 = std::uint32_t;
using Int64 = std::int64_t;
using Uint64 = std::uint64_t;

}  // namespace sf
