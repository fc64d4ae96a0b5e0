#pragma once

namespace sf {
namespace Style {

// A page has no window frame: the styles are taken and change nothing.
enum {
    None = 0,
    Titlebar = 1 << 0,
    Resize = 1 << 1,
    Close = 1 << 2,
    Fullscreen = 1 << 3,
    Default = Titlebar | Resize | Close
};

}  // namespace Style
}  // namespace sf
