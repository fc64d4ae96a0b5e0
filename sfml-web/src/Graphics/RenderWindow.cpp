#include <GLES2/gl2.h>

#include <SFML/Graphics/RenderWindow.hpp>
#include <vector>

#include "Graphics/Gl.hpp"

namespace sf {

bool RenderWindow::activate() {
    return isOpen() && priv::glReady();
}

Image RenderWindow::capture() const {
    Image image;
    const Vector2u size = getSize();
    if (!isOpen() || !priv::glReady() || size.x == 0 || size.y == 0) return image;
    std::vector<Uint8> rows(std::size_t{size.x} * size.y * 4);
    glReadPixels(0, 0, static_cast<GLsizei>(size.x), static_cast<GLsizei>(size.y), GL_RGBA,
                 GL_UNSIGNED_BYTE, rows.data());
    // GL's rows run from the bottom up.
    std::vector<Uint8> flipped(rows.size());
    const std::size_t stride = std::size_t{size.x} * 4;
    for (std::size_t y = 0; y < size.y; ++y) {
        std::copy_n(rows.data() + (size.y - 1 - y) * stride, stride, flipped.data() + y * stride);
    }
    image.create(size.x, size.y, flipped.data());
    return image;
}

}  // namespace sf
