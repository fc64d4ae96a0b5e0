#pragma once

#include <SFML/System/Vector2.hpp>

namespace sf {

template <typename T>
class Rect {
  public:
    T left = 0;
    T top = 0;
    T width = 0;
    T height = 0;

    constexpr Rect() = default;
    constexpr Rect(T left, T top, T width, T height)
        : left(left), top(top), width(width), height(height) {}
    constexpr Rect(const Vector2<T>& position, const Vector2<T>& size)
        : left(position.x), top(position.y), width(size.x), height(size.y) {}
    template <typename U>
    constexpr explicit Rect(const Rect<U>& r)
        : left(static_cast<T>(r.left)),
          top(static_cast<T>(r.top)),
          width(static_cast<T>(r.width)),
          height(static_cast<T>(r.height)) {}

    // Whether the point lies inside; the right and bottom edges are outside.
    constexpr bool contains(T x, T y) const {
        const T x0 = width < 0 ? left + width : left;
        const T x1 = width < 0 ? left : left + width;
        const T y0 = height < 0 ? top + height : top;
        const T y1 = height < 0 ? top : top + height;
        return x >= x0 && x < x1 && y >= y0 && y < y1;
    }
    constexpr bool contains(const Vector2<T>& p) const { return contains(p.x, p.y); }
};

template <typename T>
constexpr bool operator==(const Rect<T>& a, const Rect<T>& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}
template <typename T>
constexpr bool operator!=(const Rect<T>& a, const Rect<T>& b) {
    return !(a == b);
}

using IntRect = Rect<int>;
using FloatRect = Rect<float>;

}  // namespace sf
