#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "Screenshot.hpp"

// Xlib's headers define macros (None, Bool, Status, ...) that collide with test code, so they
// stay inside the .cpp files and only the raw id type crosses this header.
struct _XDisplay;

namespace e2e {

using WindowId = unsigned long;

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width;
    int height;
    bool operator==(const Size&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Point& p) {
    return out << "(" << p.x << "," << p.y << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Size& s) {
    return out << s.width << "x" << s.height;
}

// The test's own client connection to the virtual display: it looks at windows the way a window
// manager would, without being one.
class XConnection {
  public:
    explicit XConnection(const std::string& displayName);
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    // Counts every top-level window mapped since the connection was opened, also one that was
    // mapped and destroyed between two looks.
    int topLevelMapsSeen();
    std::optional<WindowId> findViewable(const std::string& title);
    WindowId focusedWindow();
    // Without a window manager nobody hands the focus around. The program's window library takes
    // the focus itself with XSetInputFocus when its window opens, and later asks X whether the
    // focus is still on its window (XGetInputFocus) rather than tracking focus events. So the
    // same request a window manager would make, XSetInputFocus, gives the focus to a window or
    // takes it away (to the root); XSync makes it effective before the call returns.
    void setFocus(WindowId window);
    void focusRoot();

    Size windowSize(WindowId window);
    Point windowPosition(WindowId window);  // of the client area, on the root window
    std::string windowTitle(WindowId window);
    // The close button's message: WM_PROTOCOLS with WM_DELETE_WINDOW, as a window manager sends.
    void requestClose(WindowId window);
    Screenshot screenshot(WindowId window);

  private:
    _XDisplay* display_;
    int mapsSeen_ = 0;
};

// One top-level window seen through a connection.
class TopLevelWindow {
  public:
    TopLevelWindow(XConnection& x, WindowId id) : x_(&x), id_(id) {}

    WindowId id() const { return id_; }
    Size size() const { return x_->windowSize(id_); }
    Point position() const { return x_->windowPosition(id_); }
    std::string title() const { return x_->windowTitle(id_); }
    bool hasFocus() const { return x_->focusedWindow() == id_; }
    void focus() const { x_->setFocus(id_); }
    void requestClose() const { x_->requestClose(id_); }
    Screenshot screenshot() const { return x_->screenshot(id_); }

  private:
    XConnection* x_;
    WindowId id_;
};

}  // namespace e2e
