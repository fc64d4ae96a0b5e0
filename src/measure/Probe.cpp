#include "measure/Probe.hpp"

#include <algorithm>

#include "field/FieldModel.hpp"
#include "ui/OverlaySet.hpp"

namespace {

// The text layout's font: 11 pixels a character, 20 a line (18-pixel Liberation Mono).
constexpr float advance = 11.0f;
constexpr float pitch = 20.0f;
// Below the pointer's own two-line read-out, which starts 20 pixels right of and below it.
constexpr float gap = 20.0f;
constexpr float belowCursorReadout = gap + 2 * pitch + 12.0f;

std::size_t longestLine(const sf::String& s) {
    std::size_t longest = 0;
    std::size_t current = 0;
    for (const sf::Uint32 c : s) {
        current = c == U'\n' ? 0 : current + 1;
        longest = std::max(longest, current);
    }
    return longest;
}

}  // namespace

Probe::Probe(OverlaySet& overlays) : text(overlays, Free, "") {
    text.visible = false;
    marker.setFillColor(sf::Color::Transparent);
    marker.setOutlineColor(sf::Color(255, 80, 255));
    marker.setOutlineThickness(2.0f);
    marker.setOrigin(5.0f, 5.0f);
}

void Probe::toggle() {
    shown = !shown;
    text.visible = shown;
    // Turning the probe off forgets its reference.
    if (!shown) {
        reference.reset();
        lastNode.reset();
    }
}

void Probe::pin(std::optional<NodeIndex> node) {
    if (!shown) return;
    if (node) {
        reference = node;
    } else if (lastNode) {
        reference = lastNode;
    }
}

void Probe::update(const FieldModel& model, sf::Vector2i mouse, std::uint8_t scale,
                   sf::Vector2u windowSize) {
    if (!shown) return;
    const Grid2D& g = model.grid;
    std::optional<NodeReading> at;
    if (const auto node = nodeUnder(mouse, scale, g.nx, g.ny)) {
        at = readNode(model, *node);
        lastNode = node;
    }
    std::optional<NodeReading> ref;
    if (reference) ref = readNode(model, *reference);
    text.setText(probeReadout(at, ref, g.ny));
    text.text.setPosition(
        readoutPlace(mouse, windowSize, longestLine(text.text.getString()), text.lineCount));
    if (reference) {
        // The centre of the node's pixel square, as the layers show it.
        const float s = scale;
        marker.setPosition((static_cast<float>(reference->i) + 0.5f) * s,
                           (static_cast<float>(reference->j) + 0.5f) * s);
    }
}

void Probe::draw(sf::RenderTarget& target) const {
    if (shown && reference) target.draw(marker);
}

sf::Vector2f readoutPlace(sf::Vector2i mouse, sf::Vector2u windowSize, std::size_t columns,
                          std::uint16_t lines) {
    const float width = advance * static_cast<float>(columns);
    const float height = pitch * static_cast<float>(lines);
    const float mx = static_cast<float>(mouse.x);
    const float my = static_cast<float>(mouse.y);
    float x = mx + gap;
    float y = my + belowCursorReadout;
    if (x + width > static_cast<float>(windowSize.x)) x = mx - gap - width;
    if (y + height > static_cast<float>(windowSize.y)) y = my - gap - height;
    // A window smaller than the text shows its start.
    return {std::max(x, 0.0f), std::max(y, 0.0f)};
}
