#pragma once

#include <SFML/Config.hpp>
#include <SFML/Graphics/Glyph.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sf {

// A font read by FreeType, its glyphs rendered on demand, one texture of glyphs per character
// size.
class Font {
  public:
    struct Info {
        std::string family;
    };

    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool loadFromFile(const std::string& filename);
    bool loadFromMemory(const void* data, std::size_t sizeInBytes);
    const Info& getInfo() const { return info; }
    const Glyph& getGlyph(Uint32 codePoint, unsigned int characterSize, bool bold) const;
    float getKerning(Uint32 first, Uint32 second, unsigned int characterSize) const;
    float getLineSpacing(unsigned int characterSize) const;
    float getUnderlinePosition(unsigned int characterSize) const;
    float getUnderlineThickness(unsigned int characterSize) const;
    const Texture& getTexture(unsigned int characterSize) const;

  private:
    struct Face;
    struct Page;

    Page& page(unsigned int characterSize) const;
    Glyph renderGlyph(Uint32 codePoint, unsigned int characterSize, bool bold) const;
    IntRect findRoom(Page& page, unsigned int width, unsigned int height) const;
    bool setSize(unsigned int characterSize) const;

    std::unique_ptr<Face> face;
    std::vector<Uint8> bytes;
    Info info;
    mutable std::map<unsigned int, std::unique_ptr<Page>> pages;
};

}  // namespace sf
