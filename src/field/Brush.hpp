#pragma once

#include <cstdint>

// State of the mouse brush, kept with the charge field it paints into.
struct Brush {
    bool eraser = false;
    bool hard = false;
    std::uint16_t radius = 25;
};
