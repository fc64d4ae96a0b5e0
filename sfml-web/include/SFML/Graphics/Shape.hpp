#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <cstddef>
#include <vector>

namespace sf {

// A convex polygon given by its points, filled as a fan from the centre of their bounding box
// and outlined by a band of the outline's thickness outside its edges (mitred at the corners).
class Shape : public Drawable, public Transformable {
  public:
    void setFillColor(const Color& color);
    void setOutlineColor(const Color& color);
    void setOutlineThickness(float thickness);
    const Color& getFillColor() const { return fillColor; }
    const Color& getOutlineColor() const { return outlineColor; }
    float getOutlineThickness() const { return outlineThickness; }
    virtual std::size_t getPointCount() const = 0;
    virtual Vector2f getPoint(std::size_t index) const = 0;
    FloatRect getLocalBounds() const;
    FloatRect getGlobalBounds() const;

  protected:
    // Rebuilds the geometry from the points; a shape whose points change calls it.
    void update();

  private:
    void draw(RenderTarget& target, RenderStates states) const override;
    void updateFillColors();
    void updateOutline();
    void updateOutlineColors();

    Color fillColor{255, 255, 255, 255};
    Color outlineColor{255, 255, 255, 255};
    float outlineThickness = 0.0f;
    std::vector<Vertex> fill;
    std::vector<Vertex> outline;
    FloatRect insideBounds;
    FloatRect bounds;
};

}  // namespace sf
