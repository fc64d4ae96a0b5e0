#pragma once

#include <cstdint>

// State of the mouse brush, kept with the charge field it paints into.
struct Brush {
    bool eraser = false;
    bool hard = false;
    std::uint16_t radius = 25;
    // Paints metal instead of charge, held at the potential of this step of the metal
    // potential's series (0: grounded).
    bool metal = false;
    std::int8_t metalLevel = 0;
};
