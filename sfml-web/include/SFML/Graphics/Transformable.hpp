#pragma once

#include <SFML/Graphics/Transform.hpp>

namespace sf {

// Position, rotation, scale and origin, combined into one transform: the origin is moved to the
// position, after scaling and rotating about it.
class Transformable {
  public:
    virtual ~Transformable() = default;

    void setPosition(float x, float y);
    void setPosition(const Vector2f& position) { setPosition(position.x, position.y); }
    void setRotation(float angle);
    void setScale(float factorX, float factorY);
    void setScale(const Vector2f& factors) { setScale(factors.x, factors.y); }
    void setOrigin(float x, float y);
    void setOrigin(const Vector2f& origin) { setOrigin(origin.x, origin.y); }
    const Vector2f& getPosition() const { return position; }
    float getRotation() const { return rotation; }
    const Vector2f& getScale() const { return factors; }
    const Vector2f& getOrigin() const { return origin; }
    void move(float offsetX, float offsetY) {
        setPosition(position.x + offsetX, position.y + offsetY);
    }
    const Transform& getTransform() const;

  private:
    Vector2f origin;
    Vector2f position;
    float rotation = 0.0f;
    Vector2f factors{1.0f, 1.0f};
    mutable Transform transform;
    mutable bool transformStale = true;
};

}  // namespace sf
