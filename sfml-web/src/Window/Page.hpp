#pragma once

// What the window layer knows of the page: the canvas, the pointer and the keys and buttons held.

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <array>

namespace sf::priv {

// The selector by which emscripten's html5.h finds the page's canvas: its id is "canvas".
inline constexpr const char* canvasSelector = "#canvas";

// The page's input devices as the window's events have shown them. A page has one keyboard and
// one pointer, which SFML's static Keyboard and Mouse functions read: the one state lives here,
// in the one place those functions and the window's event callbacks share.
struct PageDevices {
    std::array<bool, Keyboard::KeyCount> keys{};
    std::array<bool, Mouse::ButtonCount> buttons{};
    // The pointer in the viewport's CSS pixels (clientX, clientY); a finger's or a pen's are
    // fractional.
    Vector2<double> pointer;
};

PageDevices& pageDevices();

// Whether the page runs in a browser window, rather than under node.
bool inBrowser();

// The window pixel under a point of the viewport (CSS pixels). The canvas is shown one CSS
// pixel a window pixel, or scaled down where the page has no room for it: the point is taken
// back through that scale, so a finger on the scaled canvas meets the pixel it covers.
Vector2i windowPoint(Vector2<double> client);

// The SFML key for a DOM key event: letters and digits by the character the layout gives them
// (as SFML names keys by the key symbol on the desktop), the others by the key's place (code).
Keyboard::Key keyOf(const char* key, const char* code);

// A DOM KeyboardEvent's key and code that keyOf reads as the given SFML key (empty strings for
// a key no DOM event gives).
struct DomKey {
    const char* key;
    const char* code;
};
DomKey domKeyOf(Keyboard::Key key);

// SFML's button for a DOM MouseEvent.button (0 main, 1 middle, 2 secondary, 3 back, 4 forward).
bool buttonOf(unsigned short domButton, Mouse::Button& button);

}  // namespace sf::priv
