#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <string>
#include <vector>

#include "measure/ContourStep.hpp"
#include "measure/Contours.hpp"
#include "measure/fast/ContourFast.hpp"
#include "ui/OverlayText.hpp"

class ScalarField;

// The equipotential lines over the potential: every multiple of a step from the 1-2-5 series
// (about 10 to 20 lines), as line segments in node units drawn over the potential's image.
// The step is kept while it still suits the range, also while the lines are hidden.
class Equipotentials {
  public:
    static inline const sf::Color lineColour{90, 230, 90};
    static inline const sf::Color zeroColour{0, 230, 255};

    bool shown = false;
    ContourStep step;
    std::vector<ContourSegment> segments;
    // Two vertices a segment, node (i, j) at (i + 0.5, j + 0.5): drawn scaled by the display
    // scale, as the field arrows are.
    sf::VertexArray lines{sf::Lines};
    // The legend, shown only while there are lines. Registered by the owner, after the
    // layer's title, so that it stands above that title at the bottom right.
    OverlayText legendText;

    Equipotentials();
    Equipotentials(const Equipotentials&) = delete;
    Equipotentials& operator=(const Equipotentials&) = delete;

    void toggle();

    // The step for the potential's range (found by findRange), the segments and the vertices
    // anew, and the legend. Once the buffers have grown to the lines' number it allocates nothing.
    void update(const ScalarField& potential);
    // "Equipotentials every 0.005"; empty while there are no lines.
    std::string legend() const;

  private:
    ContourWorkspace scan;

    void refillLines();
};
