#include "measure/Equipotentials.hpp"

#include "field/Grid2D.hpp"
#include "field/ScalarField.hpp"

void Equipotentials::update(const ScalarField& potential) {
    const ValueRange range{potential.dataMin, potential.dataMax};
    step = chooseContourStep(range, step);
    const ContourJob job{potential.data.data(), potential.grid->nx, potential.grid->ny,
                         contourLevels(range, step.value)};
    contoursFast(job, scan, segments);
    refillLines();
    legendText.setText(legend());
    legendText.visible = !segments.empty();
}

Equipotentials::Equipotentials() {
    legendText.anchor = BottomRight;
    legendText.visible = false;
}

void Equipotentials::toggle() {
    shown = !shown;
    // The legend comes back with the first update that finds lines.
    if (!shown) legendText.visible = false;
}

std::string Equipotentials::legend() const {
    if (segments.empty()) return {};
    return "Equipotentials every " + stepText(step);
}

void Equipotentials::refillLines() {
    lines.resize(2 * segments.size());
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const ContourSegment& s = segments[k];
        const sf::Color colour = s.level == 0 ? zeroColour : lineColour;
        lines[2 * k] = sf::Vertex({s.x0, s.y0}, colour);
        lines[2 * k + 1] = sf::Vertex({s.x1, s.y1}, colour);
    }
}
