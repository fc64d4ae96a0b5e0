#include "Window/PageInput.hpp"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "Window/Page.hpp"

// A finger or a pen held on the canvas is a mouse button held there: the left one, or the right
// one while the page asks for it (the canvas's data-touch-button is "right"), or none while it is
// "none": the finger then only moves the pointer, as a mouse moved with no button held does, and
// the pointer stays where it lifts. The button is the one asked for when the finger went down.
// Only the first finger down counts; more fingers are ignored until it lifts. The canvas takes no
// scrolling or zooming gestures, and the touch makes no mouse events of its own (the mouse's are
// untouched; the compatibility mousedown of a tap would press the left button even for "none"),
// but it gives the canvas the keyboard focus, as a click does.
// quelvane_page_pointer (below) takes them in: kind 0 press, 1 move, 2 release.
EM_JS(void, quelvane_listen_to_touch, (void* input), {
    const canvas = document.getElementById('canvas');
    if (!canvas) return;
    // The DOM button a finger holds, -1 for none.
    const asked = () => {
        const name = canvas.dataset.touchButton;
        return name === 'right' ? 2 : name === 'none' ? -1 : 0;
    };
    let held = null;
    const send = (kind, e) => _quelvane_page_pointer(input, kind, e.clientX, e.clientY, held.button);
    const down = (e) => {
        if (e.pointerType === 'mouse' || held !== null) return;
        e.preventDefault();
        held = {id: e.pointerId, button: asked()};
        if (canvas.setPointerCapture) canvas.setPointerCapture(e.pointerId);
        canvas.focus();
        send(1, e);
        if (held.button >= 0) send(0, e);
    };
    const move = (e) => {
        if (held === null || e.pointerId !== held.id) return;
        e.preventDefault();
        send(1, e);
    };
    const up = (e) => {
        if (held === null || e.pointerId !== held.id) return;
        e.preventDefault();
        send(held.button >= 0 ? 2 : 1, e);
        held = null;
    };
    canvas.quelvaneTouch = {pointerdown: down, pointermove: move, pointerup: up, pointercancel: up};
    for (const type in canvas.quelvaneTouch) canvas.addEventListener(type, canvas.quelvaneTouch[type]);
    canvas.style.touchAction = 'none';
});

EM_JS(void, quelvane_stop_listening_to_touch, (), {
    const canvas = document.getElementById('canvas');
    if (!canvas || !canvas.quelvaneTouch) return;
    for (const type in canvas.quelvaneTouch) canvas.removeEventListener(type, canvas.quelvaneTouch[type]);
    delete canvas.quelvaneTouch;
});

namespace sf::priv {

namespace {

PageInput& inputOf(void* userData) {
    return *static_cast<PageInput*>(userData);
}

Vector2<double> clientPoint(const EmscriptenMouseEvent& e) {
    return {static_cast<double>(e.clientX), static_cast<double>(e.clientY)};
}

void movePointer(PageInput& input, Vector2<double> client) {
    pageDevices().pointer = client;
    Event event{};
    event.type = Event::MouseMoved;
    const Vector2i at = windowPoint(client);
    event.mouseMove = {at.x, at.y};
    input.push(event);
}

// A button pressed or released at a point of the viewport; false for a release of a button that
// was not held (a release outside the canvas of a press elsewhere is not the program's).
bool pressButton(PageInput& input, Mouse::Button button, bool down, Vector2<double> client) {
    PageDevices& devices = pageDevices();
    devices.pointer = client;
    if (!down && !devices.buttons[button]) return false;
    devices.buttons[button] = down;
    Event event{};
    event.type = down ? Event::MouseButtonPressed : Event::MouseButtonReleased;
    const Vector2i at = windowPoint(client);
    event.mouseButton = {button, at.x, at.y};
    input.push(event);
    return true;
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void* userData) {
    PageInput& input = inputOf(userData);
    const Keyboard::Key key = keyOf(e->key, e->code);
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (key != Keyboard::Unknown) pageDevices().keys[static_cast<std::size_t>(key)] = down;
    if (!(down && e->repeat && !input.keyRepeat)) {
        Event event{};
        event.type = down ? Event::KeyPressed : Event::KeyReleased;
        event.key = {key, e->altKey != 0, e->ctrlKey != 0, e->shiftKey != 0, e->metaKey != 0};
        input.push(event);
    }
    // The program's keys do not also scroll the page or open the browser's quick find; the
    // browser's own shortcuts (with Ctrl, Alt or Meta), unknown keys (F5, F12) and Tab, which
    // moves the focus on to the page's on-screen keys, stay its own.
    return key != Keyboard::Unknown && key != Keyboard::Tab && !e->ctrlKey && !e->altKey &&
           !e->metaKey && !(key >= Keyboard::F1 && key <= Keyboard::F15);
}

EM_BOOL onButton(int type, const EmscriptenMouseEvent* e, void* userData) {
    Mouse::Button button;
    if (!buttonOf(e->button, button)) return EM_FALSE;
    pressButton(inputOf(userData), button, type == EMSCRIPTEN_EVENT_MOUSEDOWN, clientPoint(*e));
    // The press's default stays: it gives the canvas the keyboard focus.
    return EM_FALSE;
}

EM_BOOL onMove(int, const EmscriptenMouseEvent* e, void* userData) {
    movePointer(inputOf(userData), clientPoint(*e));
    return EM_FALSE;
}

// One wheel step, up or away from the user positive, for each notch of a mouse wheel: lines and
// pages (Firefox) and large pixel deltas (Chrome, Safari: about 100 a notch) count one step an
// event; small pixel deltas (touchpads) are summed until they make 100.
float wheelSteps(PageInput& input, const EmscriptenWheelEvent& e) {
    const double d = e.deltaY;
    if (d == 0.0) return 0.0f;
    if (e.deltaMode != DOM_DELTA_PIXEL || std::abs(d) >= 50.0) {
        input.wheelRest = 0.0;
        return d > 0.0 ? -1.0f : 1.0f;
    }
    input.wheelRest += d;
    const double steps = std::trunc(input.wheelRest / 100.0);
    input.wheelRest -= steps * 100.0;
    return static_cast<float>(-steps);
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* e, void* userData) {
    PageInput& input = inputOf(userData);
    const float steps = wheelSteps(input, *e);
    if (steps != 0.0f) {
        Event event{};
        event.type = Event::MouseWheelScrolled;
        const Vector2i at = windowPoint(clientPoint(e->mouse));
        event.mouseWheelScroll = {Mouse::VerticalWheel, steps, at.x, at.y};
        input.push(event);
    }
    // The wheel over the canvas is the brush's: the page does not scroll.
    return EM_TRUE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* userData) {
    Event event{};
    event.type = type == EMSCRIPTEN_EVENT_FOCUS ? Event::GainedFocus : Event::LostFocus;
    if (event.type == Event::LostFocus) {
        // Keys and buttons released while the canvas had no focus send it nothing.
        pageDevices().keys.fill(false);
    }
    inputOf(userData).push(event);
    return EM_FALSE;
}

void listen(void* self) {
    const char* canvas = canvasSelector;
    emscripten_set_keydown_callback(canvas, self, EM_TRUE, onKey);
    emscripten_set_keyup_callback(canvas, self, EM_TRUE, onKey);
    emscripten_set_mousedown_callback(canvas, self, EM_TRUE, onButton);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, self, EM_TRUE, onButton);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, self, EM_TRUE, onMove);
    emscripten_set_wheel_callback(canvas, self, EM_TRUE, onWheel);
    emscripten_set_focus_callback(canvas, self, EM_TRUE, onFocus);
    emscripten_set_blur_callback(canvas, self, EM_TRUE, onFocus);
    quelvane_listen_to_touch(self);
}

void stopListening() {
    const char* canvas = canvasSelector;
    emscripten_set_keydown_callback(canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_mousedown_callback(canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_wheel_callback(canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_focus_callback(canvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_blur_callback(canvas, nullptr, EM_TRUE, nullptr);
    quelvane_stop_listening_to_touch();
}

}  // namespace

// The touch listeners' way in: kind 0 press, 1 move, 2 release, at a point of the viewport, with
// a DOM button number.
extern "C" EMSCRIPTEN_KEEPALIVE void quelvane_page_pointer(void* input, int kind, double x,
                                                           double y, int domButton) {
    PageInput& to = inputOf(input);
    Mouse::Button button;
    if (kind == 1) {
        movePointer(to, {x, y});
    } else if (buttonOf(static_cast<unsigned short>(domButton), button)) {
        pressButton(to, button, kind == 0, {x, y});
    }
}

PageInput::PageInput() {
    if (inBrowser()) listen(this);
}

PageInput::~PageInput() {
    if (inBrowser()) stopListening();
}

bool PageInput::poll(Event& event) {
    if (events.empty()) return false;
    event = events.front();
    events.pop_front();
    return true;
}

}  // namespace sf::priv
