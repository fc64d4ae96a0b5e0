#include <SFML/Graphics/Image.hpp>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

namespace sf {

namespace {

// Four bytes a pixel; where size_t has 32 bits a large image's byte count does not fit, and that
// image cannot be had: as an allocation refused.
std::size_t byteCount(unsigned int width, unsigned int height) {
    const unsigned long long bytes = 4ull * width * height;
    if (bytes > std::numeric_limits<std::ptrdiff_t>::max()) throw std::bad_alloc();
    return static_cast<std::size_t>(bytes);
}

}  // namespace

void Image::create(unsigned int width, unsigned int height, const Color& color) {
    if (width == 0 || height == 0) {
        size = {};
        pixels.clear();
        return;
    }
    std::vector<Uint8> fresh(byteCount(width, height));
    for (std::size_t k = 0; k < fresh.size(); k += 4) {
        fresh[k] = color.r;
        fresh[k + 1] = color.g;
        fresh[k + 2] = color.b;
        fresh[k + 3] = color.a;
    }
    pixels.swap(fresh);
    size = {width, height};
}

void Image::create(unsigned int width, unsigned int height, const Uint8* data) {
    if (width == 0 || height == 0 || !data) {
        size = {};
        pixels.clear();
        return;
    }
    pixels.assign(data, data + byteCount(width, height));
    size = {width, height};
}

void Image::setPixel(unsigned int x, unsigned int y, const Color& color) {
    Uint8* p = &pixels[(std::size_t{x} + std::size_t{y} * size.x) * 4];
    p[0] = color.r;
    p[1] = color.g;
    p[2] = color.b;
    p[3] = color.a;
}

Color Image::getPixel(unsigned int x, unsigned int y) const {
    const Uint8* p = &pixels[(std::size_t{x} + std::size_t{y} * size.x) * 4];
    return Color(p[0], p[1], p[2], p[3]);
}

}  // namespace sf
