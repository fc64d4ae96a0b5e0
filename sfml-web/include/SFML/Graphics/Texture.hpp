#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf {

// An image in WebGL's memory. Where no WebGL context can be had (a program run by node, say)
// the texture keeps its size and drops its pixels, so code that only fills textures still runs.
class Texture {
  public:
    Texture() = default;
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    Texture(Texture&& other) noexcept;
    Texture& operator=(Texture&& other) noexcept;

    bool create(unsigned int width, unsigned int height);
    bool loadFromImage(const Image& image, const IntRect& area = IntRect());
    Vector2u getSize() const { return size; }
    void update(const Uint8* pixels);
    void update(const Uint8* pixels, unsigned int width, unsigned int height, unsigned int x,
                unsigned int y);
    void update(const Image& image);
    void update(const Image& image, unsigned int x, unsigned int y);
    void setSmooth(bool smooth);
    bool isSmooth() const { return smooth; }
    void setRepeated(bool) {}

    // WebGL's MAX_TEXTURE_SIZE.
    static unsigned int getMaximumSize();
    // Binds the texture for drawing (or unbinds with null). For the layer's own drawing.
    static void bind(const Texture* texture);

  private:
    Vector2u size;
    unsigned int id = 0;
    bool smooth = false;
};

}  // namespace sf
