#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <cstdint>
#include <string_view>

// One input the program binds and what it does, in a few words: the rows of the key tables as
// a list of the controls can show them (the web page's bar of on-screen keys is built from it).
struct BoundInput {
    enum class Kind : std::uint8_t { Key, WheelUp, WheelDown };
    enum class Handler : std::uint8_t { Application, Brush, Panel };

    Kind kind;
    Handler handler;
    // Unknown for the wheel.
    sf::Keyboard::Key key;
    std::string_view effect;
};
