#include "Window/Page.hpp"

#include <emscripten.h>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/Window.hpp>

namespace sf {

namespace priv {

PageDevices& pageDevices() {
    static PageDevices devices;
    return devices;
}

bool inBrowser() {
    return EM_ASM_INT({ return typeof window != 'undefined' && typeof document != 'undefined'; });
}

Vector2i canvasOrigin() {
    if (!inBrowser()) return {};
    const int x = EM_ASM_INT({
        const c = document.getElementById('canvas');
        return c ? Math.round(c.getBoundingClientRect().left) : 0;
    });
    const int y = EM_ASM_INT({
        const c = document.getElementById('canvas');
        return c ? Math.round(c.getBoundingClientRect().top) : 0;
    });
    return {x, y};
}

}  // namespace priv

bool Keyboard::isKeyPressed(Key key) {
    if (key < 0 || key >= KeyCount) return false;
    return priv::pageDevices().keys[static_cast<std::size_t>(key)];
}

bool Mouse::isButtonPressed(Button button) {
    if (button < 0 || button >= ButtonCount) return false;
    return priv::pageDevices().buttons[static_cast<std::size_t>(button)];
}

Vector2i Mouse::getPosition() {
    return priv::pageDevices().pointer;
}

Vector2i Mouse::getPosition(const Window&) {
    return priv::pageDevices().pointer - priv::canvasOrigin();
}

VideoMode VideoMode::getDesktopMode() {
    // Taken once, at the first question, which the program asks at start-up: the viewport at
    // that time stands for the desktop, whatever the page does later.
    static const VideoMode startup = [] {
        if (!priv::inBrowser()) return VideoMode(0, 0, 32);
        const int w = EM_ASM_INT({ return window.innerWidth; });
        const int h = EM_ASM_INT({ return window.innerHeight; });
        return VideoMode(static_cast<unsigned>(w > 0 ? w : 0), static_cast<unsigned>(h > 0 ? h : 0),
                         32);
    }();
    return startup;
}

}  // namespace sf
