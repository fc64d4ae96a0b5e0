#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf {

// A 2-D affine transform, a 3x3 matrix kept as the 4x4 column-major matrix that GL takes.
class Transform {
  public:
    Transform();
    Transform(float a00, float a01, float a02, float a10, float a11, float a12, float a20,
              float a21, float a22);

    const float* getMatrix() const { return m; }
    Transform getInverse() const;
    Vector2f transformPoint(float x, float y) const;
    Vector2f transformPoint(const Vector2f& point) const {
        return transformPoint(point.x, point.y);
    }
    FloatRect transformRect(const FloatRect& rectangle) const;
    Transform& combine(const Transform& transform);
    Transform& translate(float x, float y);
    Transform& translate(const Vector2f& offset) { return translate(offset.x, offset.y); }
    Transform& rotate(float angle);
    Transform& scale(float scaleX, float scaleY);
    Transform& scale(const Vector2f& factors) { return scale(factors.x, factors.y); }

    static const Transform Identity;

  private:
    float m[16];
};

Transform operator*(const Transform& left, const Transform& right);
Transform& operator*=(Transform& left, const Transform& right);
Vector2f operator*(const Transform& left, const Vector2f& right);

}  // namespace sf
