#include "Window/Page.hpp"

#include <emscripten.h>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/Window.hpp>
#include <cmath>

namespace sf {

namespace priv {

PageDevices& pageDevices() {
    static PageDevices devices;
    return devices;
}

bool inBrowser() {
    return EM_ASM_INT({ return typeof window != 'undefined' && typeof document != 'undefined'; });
}

Vector2i windowPoint(Vector2<double> client) {
    if (!inBrowser()) return {};
    // 0 for x, 1 for y: the canvas's backing pixels over its shown CSS pixels on that axis.
    const auto axis = [](double at, int which) {
        return EM_ASM_DOUBLE(
            {
                const c = document.getElementById('canvas');
                if (!c) return $0;
                const r = c.getBoundingClientRect();
                const origin = $1 ? r.top : r.left;
                const shown = $1 ? r.height : r.width;
                const size = $1 ? c.height : c.width;
                return shown > 0 ? ($0 - origin) * size / shown : $0 - origin;
            },
            at, which);
    };
    return {static_cast<int>(std::floor(axis(client.x, 0))),
            static_cast<int>(std::floor(axis(client.y, 1)))};
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
    const Vector2<double> p = priv::pageDevices().pointer;
    return {static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))};
}

Vector2i Mouse::getPosition(const Window&) {
    return priv::windowPoint(priv::pageDevices().pointer);
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
