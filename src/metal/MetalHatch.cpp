#include "metal/MetalHatch.hpp"

void MetalHatch::update(const MetalNodes& metal, const Grid2D& grid, std::uint8_t scale) {
    if (metal.version == shownVersion) return;
    // No image until the first metal: a program without metal draws as it always did.
    if (metal.count == 0 && shownVersion == 0) return;
    shownVersion = metal.version;
    const std::uint32_t s = scale;
    image.create(grid.nx * s, grid.ny * s, sf::Color::Transparent);
    for (std::uint32_t i = 1; i + 1 < grid.nx; ++i) {
        for (std::uint32_t j = 1; j + 1 < grid.ny; ++j) {
            if (!metal.isMetal(grid.index(i, j))) continue;
            for (std::uint32_t x = i * s; x < (i + 1) * s; ++x) {
                for (std::uint32_t y = j * s; y < (j + 1) * s; ++y) {
                    if (onLine(x, y)) image.setPixel(x, y, colour);
                }
            }
        }
    }
    if (texture.getSize() != image.getSize()) {
        texture.create(image.getSize().x, image.getSize().y);
        sprite.setTexture(texture, true);
    }
    texture.update(image);
}

void MetalHatch::draw(sf::RenderTarget& target, const MetalNodes& metal) const {
    if (metal.count > 0) target.draw(sprite);
}
