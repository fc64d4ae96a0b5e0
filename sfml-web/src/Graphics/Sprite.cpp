#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdlib>

namespace sf {

void Sprite::setTexture(const Texture& newTexture, bool resetRect) {
    // A sprite given its first texture shows all of it.
    if (resetRect || (!texture && rect == IntRect())) {
        const Vector2u s = newTexture.getSize();
        texture = &newTexture;
        setTextureRect(IntRect(0, 0, static_cast<int>(s.x), static_cast<int>(s.y)));
        return;
    }
    texture = &newTexture;
}

// The quad of the rectangle's size from (0, 0), its corners in strip order: top left, bottom
// left, top right, bottom right.
void Sprite::setTextureRect(const IntRect& rectangle) {
    rect = rectangle;
    const float w = static_cast<float>(std::abs(rect.width));
    const float h = static_cast<float>(std::abs(rect.height));
    const float left = static_cast<float>(rect.left);
    const float right = left + static_cast<float>(rect.width);
    const float top = static_cast<float>(rect.top);
    const float bottom = top + static_cast<float>(rect.height);
    corners[0].position = {0.0f, 0.0f};
    corners[1].position = {0.0f, h};
    corners[2].position = {w, 0.0f};
    corners[3].position = {w, h};
    corners[0].texCoords = {left, top};
    corners[1].texCoords = {left, bottom};
    corners[2].texCoords = {right, top};
    corners[3].texCoords = {right, bottom};
}

void Sprite::setColor(const Color& color) {
    for (Vertex& v : corners)
        v.color = color;
}

FloatRect Sprite::getLocalBounds() const {
    return FloatRect(0.0f, 0.0f, static_cast<float>(std::abs(rect.width)),
                     static_cast<float>(std::abs(rect.height)));
}

FloatRect Sprite::getGlobalBounds() const {
    return getTransform().transformRect(getLocalBounds());
}

void Sprite::draw(RenderTarget& target, RenderStates states) const {
    if (!texture) return;
    states.transform *= getTransform();
    states.texture = texture;
    target.draw(corners, 4, TriangleStrip, states);
}

}  // namespace sf
