#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>
#include <string>
#include <vector>

namespace sf {

// Pixels in memory, four bytes each (red, green, blue, alpha), row by row from the top.
class Image {
  public:
    void create(unsigned int width, unsigned int height, const Color& color = Color::Black);
    void create(unsigned int width, unsigned int height, const Uint8* pixels);
    Vector2u getSize() const { return size; }
    void setPixel(unsigned int x, unsigned int y, const Color& color);
    Color getPixel(unsigned int x, unsigned int y) const;
    // Null while the image is empty, as SFML's.
    const Uint8* getPixelsPtr() const { return pixels.empty() ? nullptr : pixels.data(); }
    // Only PNG-less builds: images are not read from files in the browser.
    bool loadFromFile(const std::string&) { return false; }

  private:
    Vector2u size;
    std::vector<Uint8> pixels;
};

}  // namespace sf
