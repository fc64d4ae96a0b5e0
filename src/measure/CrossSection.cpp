#include "measure/CrossSection.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "field/FieldModel.hpp"
#include "measure/MeasureText.hpp"

namespace {

const sf::Color panelColour(0, 0, 0, 170);
const sf::Color zeroColour(140, 140, 140);
const sf::Color markerColour(255, 255, 255);
// Neither curve is the texts' yellow, which the tests of the texts look for.
const sf::Color phiColour(255, 110, 50);
const sf::Color fieldColour(110, 200, 255);
constexpr unsigned labelSize = 14;
constexpr float labelPitch = 17.0f;
constexpr float margin = 6.0f;
// The bottom texts (brush, layer title) keep their strip below the panel.
constexpr float bottomStrip = 50.0f;
constexpr float minimumHeight = 120.0f;
constexpr float minimumWidth = 240.0f;

void addRectangle(sf::VertexArray& a, sf::FloatRect r, sf::Color c) {
    const sf::Vector2f corners[4] = {{r.left, r.top},
                                     {r.left + r.width, r.top},
                                     {r.left + r.width, r.top + r.height},
                                     {r.left, r.top + r.height}};
    for (const int k : {0, 1, 2, 0, 2, 3})
        a.append(sf::Vertex(corners[k], c));
}

void addLine(sf::VertexArray& a, sf::Vector2f p, sf::Vector2f q, sf::Color c) {
    a.append(sf::Vertex(p, c));
    a.append(sf::Vertex(q, c));
}

// y of a value on a scale from low (the area's bottom) to high (its top); a scale of no extent
// puts everything in the middle.
float heightOf(double v, double low, double high, sf::FloatRect area) {
    const double bottom = area.top + area.height;
    if (!(high > low)) return static_cast<float>(bottom - 0.5 * area.height);
    return static_cast<float>(bottom - (v - low) / (high - low) * area.height);
}

// One curve as segments between neighbouring samples; a gap where either is not finite.
void addCurve(sf::VertexArray& a, const std::vector<double>& v, double low, double high,
              sf::FloatRect area, sf::Color c) {
    const float dx = area.width / static_cast<float>(v.size());
    for (std::size_t k = 0; k + 1 < v.size(); ++k) {
        if (!std::isfinite(v[k]) || !std::isfinite(v[k + 1])) continue;
        const float x = area.left + (static_cast<float>(k) + 0.5f) * dx;
        addLine(a, {x, heightOf(v[k], low, high, area)},
                {x + dx, heightOf(v[k + 1], low, high, area)}, c);
    }
}

void styleLabel(sf::Text& t, const sf::Font& font, sf::Color c) {
    t.setFont(font);
    t.setCharacterSize(labelSize);
    t.setFillColor(c);
}

}  // namespace

CrossSection::CrossSection(const sf::Font& font) {
    styleLabel(title, font, markerColour);
    styleLabel(phiLabel, font, phiColour);
    styleLabel(fieldLabel, font, fieldColour);
}

void CrossSection::toggle() {
    mode = mode == Mode::Off ? Mode::Row : mode == Mode::Row ? Mode::Column : Mode::Off;
}

sf::FloatRect sectionPanel(sf::Vector2u windowSize) {
    const float w = static_cast<float>(windowSize.x);
    const float h = static_cast<float>(windowSize.y);
    const float height = std::max(std::floor(h / 4.0f), minimumHeight);
    const float top = h - bottomStrip - height;
    if (w < minimumWidth || top < bottomStrip) return {0.0f, 0.0f, 0.0f, 0.0f};
    return {0.0f, top, w, height};
}

void CrossSection::update(const FieldModel& model, sf::Vector2i mouse, std::uint8_t scale,
                          sf::Vector2u windowSize) {
    if (mode == Mode::Off) return;
    const sf::FloatRect area = sectionPanel(windowSize);
    fits = area.width > 0.0f;
    if (!fits) return;
    if (const auto under = nodeUnder(mouse, scale, model.grid.nx, model.grid.ny)) node = *under;
    // A grid made smaller than the last node (never, but cheap to keep safe).
    node.i = std::min(node.i, model.grid.nx - 1);
    node.j = std::min(node.j, model.grid.ny - 1);
    const bool row = mode == Mode::Row;
    sampleSection(model, row ? SectionLine::Row : SectionLine::Column, node, samples);
    title.setString(row ? "Row j = " + std::to_string(node.j)
                        : "Column i = " + std::to_string(node.i));
    phiLabel.setString("phi " + measureNumber(samples.phiLow) + " .. " +
                       measureNumber(samples.phiHigh));
    fieldLabel.setString("|E| 0 .. " + measureNumber(samples.fieldHigh));
    layoutTexts(area);
    plot(area);
}

void CrossSection::layoutTexts(sf::FloatRect area) {
    const float x = area.left + margin;
    const float y = area.top + margin;
    title.setPosition(x, y);
    phiLabel.setPosition(x, y + labelPitch);
    // |E|'s range beside the potential's where the panel is wide enough, else below it.
    const float beside = x + phiLabel.getLocalBounds().width + 3.0f * margin;
    if (beside + fieldLabel.getLocalBounds().width < area.left + area.width - margin) {
        fieldLabel.setPosition(beside, y + labelPitch);
    } else {
        fieldLabel.setPosition(x, y + 2.0f * labelPitch);
    }
}

void CrossSection::plot(sf::FloatRect area) {
    const float header = fieldLabel.getPosition().y + labelPitch + margin - area.top;
    const sf::FloatRect curves{area.left, area.top + header, area.width,
                               area.height - header - margin};
    panel.clear();
    addRectangle(panel, area, panelColour);
    guides.clear();
    const float zero = heightOf(0.0, samples.phiLow, samples.phiHigh, curves);
    addLine(guides, {area.left, zero}, {area.left + area.width, zero}, zeroColour);
    const std::uint32_t at = mode == Mode::Row ? node.i : node.j;
    const float dx = area.width / static_cast<float>(samples.phi.size());
    const float x = area.left + (static_cast<float>(at) + 0.5f) * dx;
    addLine(guides, {x, curves.top}, {x, curves.top + curves.height}, markerColour);
    phiCurve.clear();
    addCurve(phiCurve, samples.phi, samples.phiLow, samples.phiHigh, curves, phiColour);
    fieldCurve.clear();
    addCurve(fieldCurve, samples.field, 0.0, samples.fieldHigh, curves, fieldColour);
}

void CrossSection::draw(sf::RenderTarget& target) const {
    if (mode == Mode::Off || !fits) return;
    target.draw(panel);
    target.draw(guides);
    target.draw(fieldCurve);
    target.draw(phiCurve);
    target.draw(title);
    target.draw(phiLabel);
    target.draw(fieldLabel);
}
