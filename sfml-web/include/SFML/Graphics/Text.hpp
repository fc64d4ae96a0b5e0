#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/String.hpp>
#include <vector>

namespace sf {

class Font;

// A string laid out with a font: the first baseline lies characterSize below the top, lines are
// the font's line spacing apart, and each glyph sits on the pen, which moves by its advance plus
// the kerning with the glyph before; a space moves it by the space's advance, a tab by four.
class Text : public Drawable, public Transformable {
  public:
    enum Style {
        Regular = 0,
        Bold = 1 << 0,
        Italic = 1 << 1,
        Underlined = 1 << 2,
        StrikeThrough = 1 << 3
    };

    Text() = default;
    Text(const String& string, const Font& font, unsigned int characterSize = 30);

    void setString(const String& string);
    void setFont(const Font& font);
    void setCharacterSize(unsigned int size);
    void setFillColor(const Color& color);
    void setStyle(Uint32 style);
    const String& getString() const { return string; }
    const Font* getFont() const { return font; }
    unsigned int getCharacterSize() const { return characterSize; }
    const Color& getFillColor() const { return fillColor; }
    FloatRect getLocalBounds() const;
    FloatRect getGlobalBounds() const;
    Vector2f findCharacterPos(std::size_t index) const;

  private:
    void draw(RenderTarget& target, RenderStates states) const override;
    void ensureGeometry() const;

    String string;
    const Font* font = nullptr;
    unsigned int characterSize = 30;
    Color fillColor{255, 255, 255, 255};
    Uint32 style = Regular;
    mutable std::vector<Vertex> vertices;
    mutable FloatRect bounds;
    mutable bool geometryStale = true;
};

}  // namespace sf
