#pragma once

#include <SFML/Config.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace sf {

class Event {
  public:
    struct SizeEvent {
        unsigned int width;
        unsigned int height;
    };
    struct KeyEvent {
        Keyboard::Key code;
        bool alt;
        bool control;
        bool shift;
        bool system;
    };
    struct TextEvent {
        Uint32 unicode;
    };
    struct MouseMoveEvent {
        int x;
        int y;
    };
    struct MouseButtonEvent {
        Mouse::Button button;
        int x;
        int y;
    };
    struct MouseWheelEvent {
        int delta;
        int x;
        int y;
    };
    struct MouseWheelScrollEvent {
        Mouse::Wheel wheel;
        float delta;
        int x;
        int y;
    };

    // SFML 2.5's event types, in its order; the page sends no joystick, touch or sensor events.
    enum EventType {
        Closed,
        Resized,
        LostFocus,
        GainedFocus,
        TextEntered,
        KeyPressed,
        KeyReleased,
        MouseWheelMoved,
        MouseWheelScrolled,
        MouseButtonPressed,
        MouseButtonReleased,
        MouseMoved,
        MouseEntered,
        MouseLeft,
        JoystickButtonPressed,
        JoystickButtonReleased,
        JoystickMoved,
        JoystickConnected,
        JoystickDisconnected,
        TouchBegan,
        TouchMoved,
        TouchEnded,
        SensorChanged,
        Count
    };

    EventType type;
    union {
        SizeEvent size;
        KeyEvent key;
        TextEvent text;
        MouseMoveEvent mouseMove;
        MouseButtonEvent mouseButton;
        MouseWheelEvent mouseWheel;
        MouseWheelScrollEvent mouseWheelScroll;
    };
};

}  // namespace sf
