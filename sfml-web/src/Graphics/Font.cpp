#include <SFML/Graphics/Font.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

// FreeType's headers are reached through ft2build.h, as its documentation asks.
#include <ft2build.h>
#include FT_FREETYPE_H

namespace sf {

namespace {

// FreeType's 26.6 fixed point: 64 units a pixel.
float pixels(FT_Pos units) {
    return static_cast<float>(units) / static_cast<float>(1 << 6);
}

// Glyph images lie in the page's texture one pixel apart and one pixel inside their rectangle,
// so that smooth sampling at their edges takes in only transparent pixels.
constexpr unsigned int padding = 1;

constexpr unsigned int firstPageSize = 128;

}  // namespace

struct Font::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Face() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

// One character size's glyphs: rows of glyph images, each row as tall as its tallest glyph
// allows, in a texture that doubles when full (its pixels kept here too, to copy them over).
struct Font::Page {
    struct Row {
        unsigned int top;
        unsigned int height;
        unsigned int width = 0;
    };
    std::map<Uint64, Glyph> glyphs;
    Image image;
    Texture texture;
    std::vector<Row> rows;
    unsigned int nextRow = 0;

    Page() {
        image.create(firstPageSize, firstPageSize, Color(255, 255, 255, 0));
        texture.setSmooth(true);
        texture.loadFromImage(image);
    }

    // Doubles the page when the texture may grow; false when it may not.
    bool grow() {
        const Vector2u s = image.getSize();
        const unsigned int largest = Texture::getMaximumSize();
        if (largest != 0 && (2 * s.x > largest || 2 * s.y > largest)) return false;
        Image bigger;
        bigger.create(2 * s.x, 2 * s.y, Color(255, 255, 255, 0));
        for (unsigned int y = 0; y < s.y; ++y) {
            for (unsigned int x = 0; x < s.x; ++x)
                bigger.setPixel(x, y, image.getPixel(x, y));
        }
        image = std::move(bigger);
        texture.loadFromImage(image);
        return true;
    }
};

Font::Font() = default;

Font::~Font() = default;

bool Font::loadFromFile(const std::string& filename) {
    std::ifstream file(filename, std::ios::binary);
    if (!file) return false;
    const std::vector<Uint8> content((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    return loadFromMemory(content.data(), content.size());
}

bool Font::loadFromMemory(const void* data, std::size_t sizeInBytes) {
    face.reset();
    pages.clear();
    info = Info();
    if (!data || sizeInBytes == 0) return false;
    // FreeType reads the face from memory as long as it lives: the bytes stay with the font.
    bytes.assign(static_cast<const Uint8*>(data), static_cast<const Uint8*>(data) + sizeInBytes);
    auto fresh = std::make_unique<Face>();
    if (FT_Init_FreeType(&fresh->library) != 0) return false;
    if (FT_New_Memory_Face(fresh->library, bytes.data(), static_cast<FT_Long>(bytes.size()), 0,
                           &fresh->face) != 0) {
        return false;
    }
    if (FT_Select_Charmap(fresh->face, FT_ENCODING_UNICODE) != 0) return false;
    info.family = fresh->face->family_name ? fresh->face->family_name : "";
    face = std::move(fresh);
    return true;
}

bool Font::setSize(unsigned int characterSize) const {
    if (!face) return false;
    if (face->face->size && face->face->size->metrics.x_ppem == characterSize) return true;
    return FT_Set_Pixel_Sizes(face->face, 0, characterSize) == 0;
}

Font::Page& Font::page(unsigned int characterSize) const {
    auto& slot = pages[characterSize];
    if (!slot) slot = std::make_unique<Page>();
    return *slot;
}

const Glyph& Font::getGlyph(Uint32 codePoint, unsigned int characterSize, bool bold) const {
    Page& p = page(characterSize);
    const Uint64 key = (Uint64{bold} << 32) | codePoint;
    const auto found = p.glyphs.find(key);
    if (found != p.glyphs.end()) return found->second;
    return p.glyphs.emplace(key, renderGlyph(codePoint, characterSize, bold)).first->second;
}

// A row of the page that holds width by height pixels: the fullest fitting row of a height the
// glyph fills at least 70 % of, or a new row 10 % taller than the glyph below the others.
IntRect Font::findRoom(Page& p, unsigned int width, unsigned int height) const {
    Page::Row* best = nullptr;
    float bestRatio = 0.0f;
    for (Page::Row& row : p.rows) {
        const float ratio = static_cast<float>(height) / static_cast<float>(row.height);
        if (ratio < 0.7f || ratio > 1.0f) continue;
        if (width > p.image.getSize().x - row.width) continue;
        if (ratio < bestRatio) continue;
        best = &row;
        bestRatio = ratio;
    }
    if (!best) {
        const unsigned int rowHeight = height + height / 10;
        while (p.nextRow + rowHeight >= p.image.getSize().y || width >= p.image.getSize().x) {
            if (!p.grow()) return IntRect();
        }
        p.rows.push_back({p.nextRow, rowHeight});
        p.nextRow += rowHeight;
        best = &p.rows.back();
    }
    const IntRect rect(static_cast<int>(best->width), static_cast<int>(best->top),
                       static_cast<int>(width), static_cast<int>(height));
    best->width += width;
    return rect;
}

// Hinted by FreeType's autohinter and rendered in 256 grey levels, as white whose alpha is the
// coverage. The image is placed relative to the pen by the glyph's hinted metrics.
Glyph Font::renderGlyph(Uint32 codePoint, unsigned int characterSize, bool) const {
    Glyph glyph;
    if (!setSize(characterSize)) return glyph;
    FT_Face f = face->face;
    if (FT_Load_Char(f, codePoint, FT_LOAD_TARGET_NORMAL | FT_LOAD_FORCE_AUTOHINT) != 0)
        return glyph;
    if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Glyph_Metrics& metrics = f->glyph->metrics;
    glyph.advance = pixels(metrics.horiAdvance);
    const FT_Bitmap& bitmap = f->glyph->bitmap;
    const unsigned int width = bitmap.width;
    const unsigned int height = bitmap.rows;
    if (width == 0 || height == 0) return glyph;

    Page& p = page(characterSize);
    const IntRect room = findRoom(p, width + 2 * padding, height + 2 * padding);
    if (room.width == 0) return glyph;
    glyph.textureRect =
        IntRect(room.left + static_cast<int>(padding), room.top + static_cast<int>(padding),
                static_cast<int>(width), static_cast<int>(height));
    glyph.bounds = FloatRect(pixels(metrics.horiBearingX), -pixels(metrics.horiBearingY),
                             pixels(metrics.width), pixels(metrics.height));

    const unsigned char* row = bitmap.buffer;
    for (unsigned int y = 0; y < height; ++y, row += bitmap.pitch) {
        for (unsigned int x = 0; x < width; ++x) {
            const Uint8 alpha = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0)
                                    : row[x];
            p.image.setPixel(static_cast<unsigned>(glyph.textureRect.left) + x,
                             static_cast<unsigned>(glyph.textureRect.top) + y,
                             Color(255, 255, 255, alpha));
        }
    }
    // The whole page goes up again: simpler than a part of it, and glyphs are rendered once.
    p.texture.update(p.image);
    return glyph;
}

float Font::getKerning(Uint32 first, Uint32 second, unsigned int characterSize) const {
    if (first == 0 || second == 0 || !face || !FT_HAS_KERNING(face->face) ||
        !setSize(characterSize)) {
        return 0.0f;
    }
    FT_Face f = face->face;
    FT_Vector kerning{0, 0};
    FT_Get_Kerning(f, FT_Get_Char_Index(f, first), FT_Get_Char_Index(f, second), FT_KERNING_DEFAULT,
                   &kerning);
    return FT_IS_SCALABLE(f) ? pixels(kerning.x) : static_cast<float>(kerning.x);
}

float Font::getLineSpacing(unsigned int characterSize) const {
    if (!setSize(characterSize)) return 0.0f;
    return pixels(face->face->size->metrics.height);
}

float Font::getUnderlinePosition(unsigned int characterSize) const {
    if (!setSize(characterSize)) return 0.0f;
    FT_Face f = face->face;
    return -static_cast<float>(FT_MulFix(f->underline_position, f->size->metrics.y_scale)) /
           static_cast<float>(1 << 6);
}

float Font::getUnderlineThickness(unsigned int characterSize) const {
    if (!setSize(characterSize)) return 0.0f;
    FT_Face f = face->face;
    return static_cast<float>(FT_MulFix(f->underline_thickness, f->size->metrics.y_scale)) /
           static_cast<float>(1 << 6);
}

const Texture& Font::getTexture(unsigned int characterSize) const {
    return page(characterSize).texture;
}

}  // namespace sf
