#pragma once

namespace sf {

// Only SFML's default blend mode is drawn: colour = src * srcAlpha + dst * (1 - srcAlpha),
// alpha = src + dst * (1 - srcAlpha). The others are named so that code naming them builds.
struct BlendMode {
    enum Kind { Alpha, Add, Multiply, None };
    Kind kind = Alpha;
};

inline constexpr BlendMode BlendAlpha{BlendMode::Alpha};
inline constexpr BlendMode BlendAdd{BlendMode::Add};
inline constexpr BlendMode BlendMultiply{BlendMode::Multiply};
inline constexpr BlendMode BlendNone{BlendMode::None};

}  // namespace sf
