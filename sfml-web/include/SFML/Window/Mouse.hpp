#pragma once

#include <SFML/System/Vector2.hpp>

namespace sf {

class Window;

class Mouse {
  public:
    enum Button { Left, Right, Middle, XButton1, XButton2, ButtonCount };
    enum Wheel { VerticalWheel, HorizontalWheel };

    // Whether the button is held, pressed over the canvas and not yet released anywhere.
    static bool isButtonPressed(Button button);
    // The pointer in the page's CSS pixels, from the viewport's top left.
    static Vector2i getPosition();
    // The pointer relative to the canvas's top left, outside it too.
    static Vector2i getPosition(const Window& relativeTo);
};

}  // namespace sf
