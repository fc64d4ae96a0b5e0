#include <GLES2/gl2.h>

#include <SFML/Graphics/Texture.hpp>
#include <utility>

#include "Graphics/Gl.hpp"

namespace sf {

namespace {

void applyFilter(bool smooth) {
    const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

// Untextured drawing samples one opaque white texel, which leaves the vertex colours as they are.
GLuint whiteTexture() {
    static const GLuint id = [] {
        GLuint made = 0;
        glGenTextures(1, &made);
        glBindTexture(GL_TEXTURE_2D, made);
        const GLubyte white[4] = {255, 255, 255, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
        applyFilter(false);
        return made;
    }();
    return id;
}

}  // namespace

Texture::~Texture() {
    if (id && priv::glReady()) glDeleteTextures(1, &id);
}

Texture::Texture(Texture&& other) noexcept
    : size(other.size), id(std::exchange(other.id, 0u)), smooth(other.smooth) {}

Texture& Texture::operator=(Texture&& other) noexcept {
    if (this != &other) {
        if (id && priv::glReady()) glDeleteTextures(1, &id);
        size = other.size;
        id = std::exchange(other.id, 0u);
        smooth = other.smooth;
    }
    return *this;
}

bool Texture::create(unsigned int width, unsigned int height) {
    if (width == 0 || height == 0) return false;
    if (priv::glReady()) {
        if (width > getMaximumSize() || height > getMaximumSize()) return false;
        if (!id) glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        // WebGL 1 takes textures of any size with edge clamping and no mipmaps.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(width),
                     static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        applyFilter(smooth);
    }
    size = {width, height};
    return true;
}

bool Texture::loadFromImage(const Image& image, const IntRect&) {
    const Vector2u s = image.getSize();
    if (!create(s.x, s.y)) return false;
    update(image);
    return true;
}

void Texture::update(const Uint8* pixels) {
    update(pixels, size.x, size.y, 0, 0);
}

void Texture::update(const Uint8* pixels, unsigned int width, unsigned int height, unsigned int x,
                     unsigned int y) {
    if (!id || !pixels || !priv::glReady()) return;
    glBindTexture(GL_TEXTURE_2D, id);
    glTexSubImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(x), static_cast<GLint>(y),
                    static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_RGBA,
                    GL_UNSIGNED_BYTE, pixels);
}

void Texture::update(const Image& image) {
    update(image, 0, 0);
}

void Texture::update(const Image& image, unsigned int x, unsigned int y) {
    update(image.getPixelsPtr(), image.getSize().x, image.getSize().y, x, y);
}

void Texture::setSmooth(bool value) {
    smooth = value;
    if (id && priv::glReady()) {
        glBindTexture(GL_TEXTURE_2D, id);
        applyFilter(smooth);
    }
}

unsigned int Texture::getMaximumSize() {
    if (!priv::glReady()) return 0;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return largest > 0 ? static_cast<unsigned int>(largest) : 0u;
}

void Texture::bind(const Texture* texture) {
    if (!priv::glReady()) return;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture && texture->id ? texture->id : whiteTexture());
}

}  // namespace sf
