#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shape.hpp>
#include <algorithm>
#include <cmath>

#include "Graphics/Bounds.hpp"

namespace sf {

namespace {

// The unit normal of the edge from p to q (zero for a degenerate edge).
Vector2f edgeNormal(const Vector2f& p, const Vector2f& q) {
    Vector2f n(p.y - q.y, q.x - p.x);
    const float length = std::sqrt(n.x * n.x + n.y * n.y);
    if (length != 0.0f) n /= length;
    return n;
}

float dot(const Vector2f& a, const Vector2f& b) {
    return a.x * b.x + a.y * b.y;
}

}  // namespace

void Shape::setFillColor(const Color& color) {
    fillColor = color;
    updateFillColors();
}

void Shape::setOutlineColor(const Color& color) {
    outlineColor = color;
    updateOutlineColors();
}

void Shape::setOutlineThickness(float thickness) {
    outlineThickness = thickness;
    update();
}

FloatRect Shape::getLocalBounds() const {
    return bounds;
}

FloatRect Shape::getGlobalBounds() const {
    return getTransform().transformRect(getLocalBounds());
}

// The fill is a fan: the centre of the points' bounding box, the points, and the first point
// again to close it.
void Shape::update() {
    const std::size_t count = getPointCount();
    if (count < 3) {
        fill.clear();
        outline.clear();
        return;
    }
    fill.resize(count + 2);
    for (std::size_t i = 0; i < count; ++i)
        fill[i + 1].position = getPoint(i);
    fill[count + 1].position = fill[1].position;
    fill[0].position = fill[1].position;
    insideBounds = priv::boundsOf(fill);
    fill[0].position = {insideBounds.left + insideBounds.width / 2.0f,
                        insideBounds.top + insideBounds.height / 2.0f};
    updateFillColors();
    updateOutline();
}

void Shape::updateFillColors() {
    for (Vertex& v : fill)
        v.color = fillColor;
}

// A strip of two vertices a point: the point, and the point moved out by the thickness along
// the mitre of its two edges' outward normals.
void Shape::updateOutline() {
    if (outlineThickness == 0.0f || fill.size() < 5) {
        outline.clear();
        bounds = insideBounds;
        return;
    }
    const std::size_t count = fill.size() - 2;
    const Vector2f centre = fill[0].position;
    outline.resize((count + 1) * 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i + 1;
        const Vector2f& before = i == 0 ? fill[count].position : fill[at - 1].position;
        const Vector2f& here = fill[at].position;
        const Vector2f& after = fill[at + 1].position;
        Vector2f n1 = edgeNormal(before, here);
        Vector2f n2 = edgeNormal(here, after);
        // Outward, whichever way round the points go.
        if (dot(n1, centre - here) > 0.0f) n1 = -n1;
        if (dot(n2, centre - here) > 0.0f) n2 = -n2;
        const float factor = 1.0f + (n1.x * n2.x + n1.y * n2.y);
        const Vector2f mitre = (n1 + n2) / factor;
        outline[i * 2].position = here;
        outline[i * 2 + 1].position = here + mitre * outlineThickness;
    }
    outline[count * 2].position = outline[0].position;
    outline[count * 2 + 1].position = outline[1].position;
    updateOutlineColors();
    bounds = priv::boundsOf(outline);
}

void Shape::updateOutlineColors() {
    for (Vertex& v : outline)
        v.color = outlineColor;
}

void Shape::draw(RenderTarget& target, RenderStates states) const {
    states.transform *= getTransform();
    states.texture = nullptr;
    if (!fill.empty()) target.draw(fill.data(), fill.size(), TriangleFan, states);
    if (!outline.empty()) target.draw(outline.data(), outline.size(), TriangleStrip, states);
}

}  // namespace sf
