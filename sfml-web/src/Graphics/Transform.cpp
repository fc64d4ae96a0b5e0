#include <SFML/Graphics/Transform.hpp>
#include <algorithm>
#include <cmath>

namespace sf {

// Kept as GL's 4x4 column-major matrix: a 3x3 matrix (row, column) sits at
//   (0,0) m[0]   (0,1) m[4]   (0,2) m[12]
//   (1,0) m[1]   (1,1) m[5]   (1,2) m[13]
//   (2,0) m[3]   (2,1) m[7]   (2,2) m[15]
// and the third row and column of the 4x4 matrix are the identity's.
Transform::Transform() : Transform(1, 0, 0, 0, 1, 0, 0, 0, 1) {}

Transform::Transform(float a00, float a01, float a02, float a10, float a11, float a12, float a20,
                     float a21, float a22)
    : m{a00, a10, 0.0f, a20, a01, a11, 0.0f, a21, 0.0f, 0.0f, 1.0f, 0.0f, a02, a12, 0.0f, a22} {}

const Transform Transform::Identity;

Transform Transform::getInverse() const {
    const float det = m[0] * (m[15] * m[5] - m[7] * m[13]) - m[1] * (m[15] * m[4] - m[7] * m[12]) +
                      m[3] * (m[13] * m[4] - m[5] * m[12]);
    if (det == 0.0f) return Identity;
    return Transform((m[15] * m[5] - m[7] * m[13]) / det, -(m[15] * m[4] - m[7] * m[12]) / det,
                     (m[13] * m[4] - m[5] * m[12]) / det, -(m[15] * m[1] - m[3] * m[13]) / det,
                     (m[15] * m[0] - m[3] * m[12]) / det, -(m[13] * m[0] - m[1] * m[12]) / det,
                     (m[7] * m[1] - m[3] * m[5]) / det, -(m[7] * m[0] - m[3] * m[4]) / det,
                     (m[5] * m[0] - m[1] * m[4]) / det);
}

Vector2f Transform::transformPoint(float x, float y) const {
    return Vector2f(m[0] * x + m[4] * y + m[12], m[1] * x + m[5] * y + m[13]);
}

FloatRect Transform::transformRect(const FloatRect& r) const {
    const Vector2f p[4] = {transformPoint(r.left, r.top), transformPoint(r.left, r.top + r.height),
                           transformPoint(r.left + r.width, r.top),
                           transformPoint(r.left + r.width, r.top + r.height)};
    float left = p[0].x, top = p[0].y, right = p[0].x, bottom = p[0].y;
    for (const Vector2f& q : p) {
        left = std::min(left, q.x);
        right = std::max(right, q.x);
        top = std::min(top, q.y);
        bottom = std::max(bottom, q.y);
    }
    return FloatRect(left, top, right - left, bottom - top);
}

// this = this * t: t applies first to a point, then this.
Transform& Transform::combine(const Transform& t) {
    const float* a = m;
    const float* b = t.m;
    *this = Transform(
        a[0] * b[0] + a[4] * b[1] + a[12] * b[3], a[0] * b[4] + a[4] * b[5] + a[12] * b[7],
        a[0] * b[12] + a[4] * b[13] + a[12] * b[15], a[1] * b[0] + a[5] * b[1] + a[13] * b[3],
        a[1] * b[4] + a[5] * b[5] + a[13] * b[7], a[1] * b[12] + a[5] * b[13] + a[13] * b[15],
        a[3] * b[0] + a[7] * b[1] + a[15] * b[3], a[3] * b[4] + a[7] * b[5] + a[15] * b[7],
        a[3] * b[12] + a[7] * b[13] + a[15] * b[15]);
    return *this;
}

Transform& Transform::translate(float x, float y) {
    return combine(Transform(1, 0, x, 0, 1, y, 0, 0, 1));
}

// Degrees, clockwise on the screen (y grows downwards).
Transform& Transform::rotate(float angle) {
    const float rad = angle * 3.141592654f / 180.0f;
    const float c = std::cos(rad);
    const float s = std::sin(rad);
    return combine(Transform(c, -s, 0, s, c, 0, 0, 0, 1));
}

Transform& Transform::scale(float scaleX, float scaleY) {
    return combine(Transform(scaleX, 0, 0, 0, scaleY, 0, 0, 0, 1));
}

Transform operator*(const Transform& left, const Transform& right) {
    return Transform(left).combine(right);
}

Transform& operator*=(Transform& left, const Transform& right) {
    return left.combine(right);
}

Vector2f operator*(const Transform& left, const Vector2f& right) {
    return left.transformPoint(right);
}

}  // namespace sf
