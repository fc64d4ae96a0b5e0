#include "ui/BrushControl.hpp"

#include <SFML/Window/Mouse.hpp>
#include <algorithm>
#include <array>
#include <cmath>

#include "field/MetalPotential.hpp"

namespace {

constexpr std::int32_t maxRadius = 100;

// Truncation toward zero, kept inside the 32-bit range so that no wheel delta
// reaches an undefined conversion, then the low 8 bits as a signed step.
std::int8_t wheelStep(float delta) {
    const double t = std::trunc(static_cast<double>(delta));
    const double bounded = std::isnan(t) ? 0.0 : std::clamp(t, -2147483648.0, 2147483647.0);
    return static_cast<std::int8_t>(static_cast<std::int32_t>(bounded));
}

std::int16_t nodeIndex(float pixel, float origin, float scale) {
    const float node = std::trunc((pixel - origin) / scale);
    return static_cast<std::int16_t>(std::clamp(node, -32768.0f, 32767.0f));
}

// The brush's keys, each switching one of its modes on or off.
struct BrushKey {
    sf::Keyboard::Key key;
    bool Brush::*flag;
    std::string_view effect;
};

constexpr std::array<BrushKey, 3> brushKeys{{
    {sf::Keyboard::B, &Brush::hard, "hardbrush on/off"},
    {sf::Keyboard::E, &Brush::eraser, "eraser on/off"},
    {sf::Keyboard::F, &Brush::metal, "metal brush on/off"},
}};

// The brush's mode and the potential the left button paints (the right one paints its
// negative), while the brush paints metal: "metal at 0.005, ".
std::string metalText(const Brush& brush) {
    return "metal at " + metalPotentialText(brush.metalLevel) + ", ";
}

}  // namespace

std::uint16_t wheelRadius(std::uint16_t radius, float delta) {
    const std::int32_t d = wheelStep(delta);
    if (radius < -d) return 0;
    return static_cast<std::uint16_t>(std::min(radius + d, maxRadius));
}

void handleEvent(Brush& brush, const sf::Event& event) {
    if (event.type == sf::Event::KeyPressed) {
        for (const BrushKey& k : brushKeys) {
            if (k.key == event.key.code) brush.*k.flag = !(brush.*k.flag);
        }
    } else if (event.type == sf::Event::MouseWheelScrolled) {
        brush.radius = wheelRadius(brush.radius, event.mouseWheelScroll.delta);
    }
}

std::vector<BoundInput> brushInputs() {
    using Kind = BoundInput::Kind;
    constexpr auto brush = BoundInput::Handler::Brush;
    std::vector<BoundInput> inputs;
    for (const BrushKey& k : brushKeys)
        inputs.push_back({Kind::Key, brush, k.key, k.effect});
    inputs.push_back({Kind::WheelUp, brush, sf::Keyboard::Unknown, "brush larger"});
    inputs.push_back({Kind::WheelDown, brush, sf::Keyboard::Unknown, "brush smaller"});
    return inputs;
}

std::optional<sf::Vector2<std::int16_t>> brushNode(sf::Vector2i pointer, const ScalarField& field,
                                                   std::uint16_t radius) {
    const float r = radius;
    const float s = field.scale;
    const sf::Vector2f o = field.offset;
    const float px = static_cast<float>(pointer.x);
    const float py = static_cast<float>(pointer.y);
    const float nx = static_cast<float>(field.grid->nx);
    const float ny = static_cast<float>(field.grid->ny);
    // Painting goes on while the pointer is up to r nodes outside the grid, so
    // the part of the disc inside the grid can still be stamped.
    const bool inX = o.x - r * s <= px && px < (nx + r) * s + o.x;
    const bool inY = o.y - r * s <= py && py < (ny + r) * s + o.y;
    if (!inX || !inY) return std::nullopt;
    return sf::Vector2<std::int16_t>(nodeIndex(px, o.x, s), nodeIndex(py, o.y, s));
}

void paint(ChargeField& charge, const sf::Window& window) {
    const bool left = sf::Mouse::isButtonPressed(sf::Mouse::Left);
    const bool right = sf::Mouse::isButtonPressed(sf::Mouse::Right);
    if (!left && !right) return;
    const Brush& brush = charge.brush;
    const auto node = brushNode(sf::Mouse::getPosition(window), charge.density, brush.radius);
    if (!node) return;
    charge.stampDisc(node->x, node->y, brush.radius, brush.eraser, brush.hard, left ? 1.0 : -1.0,
                     true);
}

std::string statusText(const Brush& brush) {
    std::string line = brush.metal ? metalText(brush) : "";
    if (brush.eraser) line += "eraser on, ";
    if (brush.hard) line += "hardbrush on, ";
    return line + "radius = " + std::to_string(brush.radius);
}
