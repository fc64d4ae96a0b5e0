#pragma once

#include <SFML/Window/Event.hpp>
#include <deque>

namespace sf::priv {

// The page's events for one window: the canvas's key, mouse-button, wheel and focus events, and
// the pointer's moves and button releases anywhere on the page (a drag may end outside the
// canvas). Registered with html5.h while it lives; its events wait in a queue for pollEvent.
class PageInput {
  public:
    PageInput();
    ~PageInput();
    PageInput(const PageInput&) = delete;
    PageInput& operator=(const PageInput&) = delete;

    bool poll(Event& event);
    void push(const Event& event) { events.push_back(event); }

    bool keyRepeat = true;
    // Pixel deltas of the wheel not yet amounting to one step (a touchpad's small scrolls).
    double wheelRest = 0.0;

  private:
    std::deque<Event> events;
};

}  // namespace sf::priv
