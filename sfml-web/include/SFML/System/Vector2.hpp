#pragma once

namespace sf {

template <typename T>
class Vector2 {
  public:
    T x;
    T y;

    constexpr Vector2() : x(0), y(0) {}
    constexpr Vector2(T x, T y) : x(x), y(y) {}
    template <typename U>
    constexpr explicit Vector2(const Vector2<U>& v)
        : x(static_cast<T>(v.x)), y(static_cast<T>(v.y)) {}
};

template <typename T>
constexpr Vector2<T> operator-(const Vector2<T>& v) {
    return Vector2<T>(-v.x, -v.y);
}
template <typename T>
constexpr Vector2<T>& operator+=(Vector2<T>& a, const Vector2<T>& b) {
    a.x += b.x;
    a.y += b.y;
    return a;
}
template <typename T>
constexpr Vector2<T>& operator-=(Vector2<T>& a, const Vector2<T>& b) {
    a.x -= b.x;
    a.y -= b.y;
    return a;
}
template <typename T>
constexpr Vector2<T> operator+(const Vector2<T>& a, const Vector2<T>& b) {
    return Vector2<T>(a.x + b.x, a.y + b.y);
}
template <typename T>
constexpr Vector2<T> operator-(const Vector2<T>& a, const Vector2<T>& b) {
    return Vector2<T>(a.x - b.x, a.y - b.y);
}
template <typename T>
constexpr Vector2<T> operator*(const Vector2<T>& v, T s) {
    return Vector2<T>(v.x * s, v.y * s);
}
template <typename T>
constexpr Vector2<T> operator*(T s, const Vector2<T>& v) {
    return Vector2<T>(s * v.x, s * v.y);
}
template <typename T>
constexpr Vector2<T>& operator*=(Vector2<T>& v, T s) {
    v.x *= s;
    v.y *= s;
    return v;
}
template <typename T>
constexpr Vector2<T> operator/(const Vector2<T>& v, T s) {
    return Vector2<T>(v.x / s, v.y / s);
}
template <typename T>
constexpr Vector2<T>& operator/=(Vector2<T>& v, T s) {
    v.x /= s;
    v.y /= s;
    return v;
}
template <typename T>
constexpr bool operator==(const Vector2<T>& a, const Vector2<T>& b) {
    return a.x == b.x && a.y == b.y;
}
template <typename T>
constexpr bool operator!=(const Vector2<T>& a, const Vector2<T>& b) {
    return !(a == b);
}

using Vector2i = Vector2<int>;
using Vector2u = Vector2<unsigned int>;
using Vector2f = Vector2<float>;

}  // namespace sf
