#include <emscripten.h>
#include <emscripten/html5.h>
#include <SFML/Window/Window.hpp>

#include "Window/Page.hpp"
#include "Window/PageInput.hpp"

namespace sf {

Window::Window() = default;

Window::Window(VideoMode mode, const String& title, Uint32 style) {
    create(mode, title, style);
}

Window::~Window() = default;

void Window::create(VideoMode mode, const String& title, Uint32) {
    size = {mode.width, mode.height};
    if (priv::inBrowser()) {
        // The backing store is the window's size. A canvas without a size in CSS is shown at
        // its backing size, one window pixel a CSS pixel; the page shows it smaller only where
        // it has no room for it (windowPoint takes pointer positions back through that scale).
        emscripten_set_canvas_element_size(priv::canvasSelector, static_cast<int>(mode.width),
                                           static_cast<int>(mode.height));
    }
    setTitle(title);
    input = std::make_unique<priv::PageInput>();
    open = true;
    onCreate();
    requestFocus();
}

void Window::close() {
    input.reset();
    open = false;
}

bool Window::pollEvent(Event& event) {
    return input && input->poll(event);
}

bool Window::hasFocus() const {
    if (!open || !priv::inBrowser()) return false;
    return EM_ASM_INT({
        return document.hasFocus() && document.activeElement == document.getElementById('canvas');
    });
}

void Window::setTitle(const String& title) {
    if (priv::inBrowser()) emscripten_set_window_title(title.toAnsiString().c_str());
}

void Window::setKeyRepeatEnabled(bool enabled) {
    if (input) input->keyRepeat = enabled;
}

void Window::requestFocus() {
    if (!priv::inBrowser()) return;
    EM_ASM({
        const c = document.getElementById('canvas');
        if (c) c.focus();
    });
}

}  // namespace sf
