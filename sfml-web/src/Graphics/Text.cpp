#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <algorithm>

namespace sf {

namespace {

// Quads reach one pixel beyond the glyph's image on every side, onto the transparent padding
// around it in the font's texture, so that a glyph at a fractional position fades at its edges.
constexpr float quadPadding = 1.0f;

// Italic glyphs lean by 12 degrees (tan 12 degrees).
constexpr float italicShear = 0.209f;

void addGlyphQuad(std::vector<Vertex>& out, Vector2f pen, const Color& color, const Glyph& glyph,
                  float shear) {
    const float left = glyph.bounds.left - quadPadding;
    const float top = glyph.bounds.top - quadPadding;
    const float right = glyph.bounds.left + glyph.bounds.width + quadPadding;
    const float bottom = glyph.bounds.top + glyph.bounds.height + quadPadding;
    const float u1 = static_cast<float>(glyph.textureRect.left) - quadPadding;
    const float v1 = static_cast<float>(glyph.textureRect.top) - quadPadding;
    const float u2 =
        static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + quadPadding;
    const float v2 =
        static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + quadPadding;
    const Vertex topLeft({pen.x + left - shear * top, pen.y + top}, color, {u1, v1});
    const Vertex topRight({pen.x + right - shear * top, pen.y + top}, color, {u2, v1});
    const Vertex bottomLeft({pen.x + left - shear * bottom, pen.y + bottom}, color, {u1, v2});
    const Vertex bottomRight({pen.x + right - shear * bottom, pen.y + bottom}, color, {u2, v2});
    for (const Vertex& v : {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight})
        out.push_back(v);
}

}  // namespace

Text::Text(const String& string, const Font& font, unsigned int characterSize)
    : string(string), font(&font), characterSize(characterSize) {}

void Text::setString(const String& value) {
    if (value == string) return;
    string = value;
    geometryStale = true;
}

void Text::setFont(const Font& value) {
    font = &value;
    geometryStale = true;
}

void Text::setCharacterSize(unsigned int size) {
    characterSize = size;
    geometryStale = true;
}

void Text::setFillColor(const Color& color) {
    fillColor = color;
    for (Vertex& v : vertices)
        v.color = color;
}

void Text::setStyle(Uint32 value) {
    style = value;
    geometryStale = true;
}

FloatRect Text::getLocalBounds() const {
    ensureGeometry();
    return bounds;
}

FloatRect Text::getGlobalBounds() const {
    return getTransform().transformRect(getLocalBounds());
}

// The pen where the character of that index would be drawn, after the transform.
Vector2f Text::findCharacterPos(std::size_t index) const {
    if (!font) return {};
    index = std::min(index, string.getSize());
    const bool bold = (style & Bold) != 0;
    const float space = font->getGlyph(U' ', characterSize, bold).advance;
    const float lineSpacing = font->getLineSpacing(characterSize);
    Vector2f pen;
    Uint32 previous = 0;
    for (std::size_t i = 0; i < index; ++i) {
        const Uint32 c = string[i];
        pen.x += font->getKerning(previous, c, characterSize);
        previous = c;
        switch (c) {
            case U' ':
                pen.x += space;
                break;
            case U'\t':
                pen.x += space * 4;
                break;
            case U'\n':
                pen.y += lineSpacing;
                pen.x = 0;
                break;
            default:
                pen.x += font->getGlyph(c, characterSize, bold).advance;
        }
    }
    return getTransform().transformPoint(pen);
}

void Text::ensureGeometry() const {
    if (!geometryStale) return;
    geometryStale = false;
    vertices.clear();
    bounds = FloatRect();
    if (!font || string.isEmpty()) return;
    const bool bold = (style & Bold) != 0;
    const float shear = (style & Italic) ? italicShear : 0.0f;
    const float space = font->getGlyph(U' ', characterSize, bold).advance;
    const float lineSpacing = font->getLineSpacing(characterSize);
    // The first baseline lies one character size below the top.
    float x = 0.0f;
    float y = static_cast<float>(characterSize);
    float minX = static_cast<float>(characterSize);
    float minY = static_cast<float>(characterSize);
    float maxX = 0.0f;
    float maxY = 0.0f;
    Uint32 previous = 0;
    for (const char32_t c : string) {
        if (c == U'\r') continue;
        x += font->getKerning(previous, c, characterSize);
        previous = c;
        if (c == U' ' || c == U'\n' || c == U'\t') {
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            if (c == U' ') {
                x += space;
            } else if (c == U'\t') {
                x += space * 4;
            } else {
                y += lineSpacing;
                x = 0.0f;
            }
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
            continue;
        }
        const Glyph& glyph = font->getGlyph(c, characterSize, bold);
        addGlyphQuad(vertices, {x, y}, fillColor, glyph, shear);
        const FloatRect& g = glyph.bounds;
        minX = std::min(minX, x + g.left - shear * (g.top + g.height));
        maxX = std::max(maxX, x + g.left + g.width - shear * g.top);
        minY = std::min(minY, y + g.top);
        maxY = std::max(maxY, y + g.top + g.height);
        x += glyph.advance;
    }
    bounds = FloatRect(minX, minY, maxX - minX, maxY - minY);
}

void Text::draw(RenderTarget& target, RenderStates states) const {
    if (!font) return;
    ensureGeometry();
    if (vertices.empty()) return;
    states.transform *= getTransform();
    states.texture = &font->getTexture(characterSize);
    target.draw(vertices.data(), vertices.size(), Triangles, states);
}

}  // namespace sf
