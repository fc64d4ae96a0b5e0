#pragma once

#include <SFML/Config.hpp>

namespace sf {

// A span of time, kept in microseconds.
class Time {
  public:
    constexpr Time() = default;
    constexpr float asSeconds() const { return static_cast<float>(static_cast<double>(us) / 1e6); }
    constexpr Int32 asMilliseconds() const { return static_cast<Int32>(us / 1000); }
    constexpr Int64 asMicroseconds() const { return us; }

    static const Time Zero;

  private:
    friend constexpr Time microseconds(Int64 amount);
    Int64 us = 0;
};

constexpr Time microseconds(Int64 amount) {
    Time t;
    t.us = amount;
    return t;
}
constexpr Time milliseconds(Int32 amount) {
    return microseconds(static_cast<Int64>(amount) * 1000);
}
constexpr Time seconds(float amount) {
    return microseconds(static_cast<Int64>(amount * 1000000));
}
inline constexpr Time Time::Zero{};

constexpr bool operator==(Time a, Time b) {
    return a.asMicroseconds() == b.asMicroseconds();
}
constexpr bool operator<(Time a, Time b) {
    return a.asMicroseconds() < b.asMicroseconds();
}
constexpr Time operator-(Time a, Time b) {
    return microseconds(a.asMicroseconds() - b.asMicroseconds());
}
constexpr Time operator+(Time a, Time b) {
    return microseconds(a.asMicroseconds() + b.asMicroseconds());
}

}  // namespace sf
