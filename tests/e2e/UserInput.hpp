#pragma once

#include <string>
#include <vector>

#include "XConnection.hpp"

namespace e2e {

enum class MouseButton { Left = 1, Right = 3, WheelUp = 4, WheelDown = 5 };

// Mouse and keyboard as a person would use them: xdotool sends its input through the XTEST
// extension, so the program sees real device events, not synthetic ones it might ignore. Keys go
// to the window that has the input focus; key names are X keysyms ("h", "Down", "KP_Add").
// Every call waits for xdotool to finish and throws when it fails. How the focus is given and
// taken under a bare X server: see XConnection::setFocus.
class UserInput {
  public:
    UserInput(std::string displayName, WindowId window);

    // Both wait until the pointer has moved, so a move to where it already stands never
    // returns and fails after xdotool's timeout.
    void moveTo(int x, int y);  // window coordinates
    void moveToScreen(int x, int y);
    void press(MouseButton button);
    void release(MouseButton button);
    void click(MouseButton button);
    void wheelUp(int clicks = 1);
    void wheelDown(int clicks = 1);
    void key(const std::string& keysym);
    void keyDown(const std::string& keysym);
    void keyUp(const std::string& keysym);

  private:
    void run(std::vector<std::string> args);

    std::string displayName_;
    std::string window_;
};

}  // namespace e2e
