#pragma once

namespace sf {

// On the desktop a context kept alive spares SFML setting up its shared one for every texture.
// The page's canvas holds the one WebGL context there is, so here a context changes nothing.
class Context {
  public:
    Context() {}  // user-provided, as SFML's is: a context kept alive is not an unused variable
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
};

}  // namespace sf
