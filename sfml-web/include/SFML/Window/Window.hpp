#pragma once

#include <SFML/System/String.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/WindowStyle.hpp>
#include <memory>

namespace sf {

namespace priv {
class PageInput;
}

// The page's canvas as the program's window: its backing store is the window's size and each
// window pixel is one CSS pixel. The title becomes the page's title. Events are the page's
// keyboard, mouse, wheel and focus events on the canvas; a tab is closed by the browser, so no
// Closed event arrives.
class Window {
  public:
    Window();
    Window(VideoMode mode, const String& title, Uint32 style = Style::Default);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void create(VideoMode mode, const String& title, Uint32 style = Style::Default);
    void close();
    bool isOpen() const { return open; }
    bool pollEvent(Event& event);
    bool hasFocus() const;
    Vector2u getSize() const { return size; }
    // A page places its canvas itself: the position is kept and changes nothing.
    void setPosition(const Vector2i& position) { this->position = position; }
    Vector2i getPosition() const { return position; }
    void setTitle(const String& title);
    // The browser shows each frame's canvas when the frame's task ends: nothing to swap here.
    void display() {}
    void setVerticalSyncEnabled(bool) {}
    void setFramerateLimit(unsigned int) {}
    void setKeyRepeatEnabled(bool enabled);
    void setMouseCursorVisible(bool) {}
    void requestFocus();

  protected:
    virtual void onCreate() {}

  private:
    bool open = false;
    Vector2u size;
    Vector2i position;
    std::unique_ptr<priv::PageInput> input;
};

}  // namespace sf
