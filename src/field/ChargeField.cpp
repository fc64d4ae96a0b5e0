#include "field/ChargeField.hpp"

void ChargeField::stampDisc(std::int16_t cx, std::int16_t cy, std::uint16_t radius,
                            bool clampToZero, bool hard, double densityValue, bool updateTexture) {
    const StampArgs args{cx, cy, radius, clampToZero, hard, densityValue};
    stampDiscValues(density.data.data(), density.grid->nx, density.grid->ny, args, stamp,
                    [this](std::int32_t i, std::int32_t j, double v) {
                        density.setPixelOf(static_cast<std::uint32_t>(i),
                                           static_cast<std::uint32_t>(j), v);
                    });
    if (updateTexture) density.texture.update(density.image);
}
