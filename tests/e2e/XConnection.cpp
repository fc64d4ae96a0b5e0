#include "XConnection.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace e2e {

namespace {

// Windows of the program under test come and go while we look at them; Xlib's default handler
// would end the whole test binary on the first BadWindow.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

template <typename T>
struct XFreeDeleter {
    void operator()(T* p) const { XFree(p); }
};
template <typename T>
using XPtr = std::unique_ptr<T, XFreeDeleter<T>>;

struct XImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

std::uint8_t channel(unsigned long pixel, unsigned long mask) {
    return static_cast<std::uint8_t>((pixel & mask) >> __builtin_ctzl(mask));
}

std::optional<std::string> utf8Property(Display* d, Window w, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(d, name, False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    if (XGetWindowProperty(d, w, property, 0, 1024, False, utf8, &type, &format, &count, &remaining,
                           &data) != Success ||
        data == nullptr) {
        return std::nullopt;
    }
    XPtr<unsigned char> owned(data);
    return std::string(reinterpret_cast<char*>(data), count);
}

}  // namespace

XConnection::XConnection(const std::string& displayName)
    : display_(XOpenDisplay(displayName.c_str())) {
    if (display_ == nullptr) {
        throw std::runtime_error("cannot connect to X display " + displayName);
    }
    XSetErrorHandler(ignoreXError);
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    // The server puts the pointer in the middle of the screen, which is inside a centred window.
    // Parked in the corner before any program starts, it shows neither a cursor read-out nor a
    // brush outline until a test moves it in; a move after the program started could reach a
    // slow program (Wine on a new prefix) only after the test had taken its first pictures. Not
    // the corner itself: the tests park the pointer there, and a move to where it already is
    // never reports its end.
    XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, 1, 1);
    XSync(display_, False);
}

XConnection::~XConnection() {
    XCloseDisplay(display_);
}

int XConnection::topLevelMapsSeen() {
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display_)) {
            ++mapsSeen_;
        }
    }
    return mapsSeen_;
}

std::optional<WindowId> XConnection::findViewable(const std::string& title) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        return std::nullopt;
    }
    XPtr<Window> owned(children);
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display_, children[i], &attributes) &&
            attributes.map_state == IsViewable && windowTitle(children[i]) == title) {
            return children[i];
        }
    }
    return std::nullopt;
}

WindowId XConnection::focusedWindow() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
}

void XConnection::setFocus(WindowId window) {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

void XConnection::focusRoot() {
    setFocus(DefaultRootWindow(display_));
}

Size XConnection::windowSize(WindowId window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    return {attributes.width, attributes.height};
}

Point XConnection::windowPosition(WindowId window) {
    Point p{0, 0};
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &p.x, &p.y, &child);
    return p;
}

std::string XConnection::windowTitle(WindowId window) {
    if (auto name = utf8Property(display_, window, "_NET_WM_NAME")) {
        return *name;
    }
    char* name = nullptr;
    if (XFetchName(display_, window, &name) && name != nullptr) {
        XPtr<char> owned(name);
        return name;
    }
    return {};
}

void XConnection::requestClose(WindowId window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

Screenshot XConnection::screenshot(WindowId window) {
    // XGetImage fails unless every requested pixel lies on the screen.
    const Point origin = windowPosition(window);
    const Size size = windowSize(window);
    const int left = std::max(0, -origin.x);
    const int top = std::max(0, -origin.y);
    const int right = std::min(size.width, DisplayWidth(display_, 0) - origin.x);
    const int bottom = std::min(size.height, DisplayHeight(display_, 0) - origin.y);
    if (right <= left || bottom <= top) {
        throw std::runtime_error("the window lies entirely off the screen");
    }
    const int width = right - left;
    const int height = bottom - top;
    std::unique_ptr<XImage, XImageDeleter> image(
        XGetImage(display_, window, left, top, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap));
    if (!image) {
        throw std::runtime_error("XGetImage failed");
    }
    std::vector<Rgb> pixels;
    pixels.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(image.get(), x, y);
            pixels.push_back({channel(p, image->red_mask), channel(p, image->green_mask),
                              channel(p, image->blue_mask)});
        }
    }
    return Screenshot(left, top, width, height, std::move(pixels));
}

}  // namespace e2e
