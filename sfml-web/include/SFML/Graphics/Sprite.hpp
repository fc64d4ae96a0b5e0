#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/Vertex.hpp>

namespace sf {

class Texture;

// A texture's rectangle drawn as a quad of its size, in the texture's own colours.
class Sprite : public Drawable, public Transformable {
  public:
    Sprite() = default;
    explicit Sprite(const Texture& texture) { setTexture(texture); }

    void setTexture(const Texture& texture, bool resetRect = false);
    void setTextureRect(const IntRect& rectangle);
    void setColor(const Color& color);
    const Texture* getTexture() const { return texture; }
    const IntRect& getTextureRect() const { return rect; }
    FloatRect getLocalBounds() const;
    FloatRect getGlobalBounds() const;

  private:
    void draw(RenderTarget& target, RenderStates states) const override;

    Vertex corners[4];
    const Texture* texture = nullptr;
    IntRect rect;
};

}  // namespace sf
