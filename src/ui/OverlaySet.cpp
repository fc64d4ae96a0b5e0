#include "ui/OverlaySet.hpp"

#include <SFML/Window/Mouse.hpp>
#include <array>

OverlaySet::OverlaySet(sf::RenderWindow* target, std::uint16_t capacity, OverlayStyle style)
    : target(target),
      colour(style.colour),
      characterSize(style.characterSize),
      capacity(capacity),
      items(std::make_unique<OverlayText*[]>(capacity)) {
    // A missing or unreadable font is not an error: texts are drawn without glyphs.
    (void)font.loadFromFile(style.fontFile);
}

bool OverlaySet::registerText(OverlayText& text) {
    if (count >= capacity) return false;
    items[count++] = &text;
    text.text.setCharacterSize(characterSize);
    text.text.setFont(font);
    text.text.setFillColor(colour);
    return true;
}

bool OverlaySet::add(OverlayText& text) {
    text.visible = true;
    return registerText(text);
}

void OverlaySet::layout(sf::Vector2u windowSize, sf::Vector2i mouse) {
    const float w = static_cast<float>(windowSize.x);
    const float h = static_cast<float>(windowSize.y);
    const float size = characterSize;
    const float pitch = size + 2.0f;
    std::array<sf::Vector2f, 5> pens{
        sf::Vector2f(20.0f, 20.0f), sf::Vector2f(w - 20.0f, 20.0f),
        sf::Vector2f(20.0f, h - 20.0f - size), sf::Vector2f(w - 20.0f, h - 20.0f - size),
        sf::Vector2f(static_cast<float>(mouse.x) + 20.0f, static_cast<float>(mouse.y) + 20.0f)};
    for (std::uint16_t k = 0; k < count; ++k) {
        OverlayText& t = *items[k];
        if (!t.visible || t.anchor >= Free) continue;
        sf::Vector2f& pen = pens[t.anchor];
        sf::Vector2f at = pen;
        const bool right = t.anchor == TopRight || t.anchor == BottomRight;
        const bool bottom = t.anchor == BottomLeft || t.anchor == BottomRight;
        // Right alignment counts 11 pixels per character, the advance of the
        // 18-pixel monospaced font, over the whole string.
        if (right) at.x -= 11.0f * static_cast<float>(t.text.getString().getSize());
        if (bottom) at.y -= static_cast<float>(t.lineCount - 1) * pitch;
        t.text.setPosition(at);
        const float advance = static_cast<float>(t.lineCount) * pitch + 10.0f;
        pen.y += bottom ? -advance : advance;
    }
}

void OverlaySet::layoutAndDraw() {
    if (target == nullptr) return;
    layout(target->getSize(), sf::Mouse::getPosition(*target));
    for (std::uint16_t k = 0; k < count; ++k) {
        if (items[k]->visible) target->draw(items[k]->text);
    }
}
