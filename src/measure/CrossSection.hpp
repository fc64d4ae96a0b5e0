#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstdint>

#include "measure/NodeReading.hpp"
#include "measure/SectionSamples.hpp"

class FieldModel;

// The cross-section graph: a half-transparent panel over the lower part of the window that
// plots the potential along the grid row (or column) under the pointer, |E| as a second curve
// with its own scale, the zero line and a marker at the pointer's node, and names the line and
// each curve's range. Off at start; each toggle goes row, column, off.
class CrossSection {
  public:
    enum class Mode : std::uint8_t { Off, Row, Column };

    Mode mode = Mode::Off;
    // The node the section runs through: the last one the pointer was over.
    NodeIndex node{0, 0};
    // False where the window is too small for a readable graph: then nothing is drawn.
    bool fits = false;
    SectionSamples samples;
    sf::VertexArray panel{sf::Triangles};
    sf::VertexArray guides{sf::Lines};
    sf::VertexArray phiCurve{sf::Lines};
    sf::VertexArray fieldCurve{sf::Lines};
    sf::Text title;
    sf::Text phiLabel;
    sf::Text fieldLabel;

    explicit CrossSection(const sf::Font& font);

    void toggle();
    void update(const FieldModel& model, sf::Vector2i mouse, std::uint8_t scale,
                sf::Vector2u windowSize);
    void draw(sf::RenderTarget& target) const;

  private:
    void layoutTexts(sf::FloatRect area);
    void plot(sf::FloatRect area);
};

// The panel's rectangle in a window of this size: the lower quarter (at least 120 pixels) above
// the bottom texts' strip; zero width where the window is too small for a readable graph.
sf::FloatRect sectionPanel(sf::Vector2u windowSize);
