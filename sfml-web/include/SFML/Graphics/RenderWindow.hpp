#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Window.hpp>

namespace sf {

class RenderWindow : public Window, public RenderTarget {
  public:
    RenderWindow() = default;
    RenderWindow(VideoMode mode, const String& title, Uint32 style = Style::Default)
        : Window(mode, title, style) {}

    Vector2u getSize() const override { return Window::getSize(); }
    // The canvas's pixels as drawn so far.
    Image capture() const;

  protected:
    bool activate() override;
};

}  // namespace sf
