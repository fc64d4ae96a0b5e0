// The program's key tables for the page's bar of on-screen keys, as JSON: one row for every
// input the program binds, in the order a key press reaches its handlers, each with the DOM key
// event that presses it (or the wheel's direction), what the key is called and what it does.
// The page builds its buttons from this, so a key added to a table appears on the bar by itself.

#include <emscripten.h>

#include <string>
#include <string_view>

#include "Window/Page.hpp"
#include "app/Application.hpp"
#include "ui/BoundInput.hpp"

namespace {

// The key's name on a key cap, and spoken where the cap shows a sign.
struct KeyName {
    sf::Keyboard::Key key;
    const char* cap;
    const char* spoken;
};

constexpr KeyName keyNames[] = {
    {sf::Keyboard::Add, "Num +", "Keypad plus"},
    {sf::Keyboard::Subtract, "Num \xe2\x88\x92", "Keypad minus"},
    {sf::Keyboard::PageUp, "PgUp", "Page up"},
    {sf::Keyboard::PageDown, "PgDn", "Page down"},
    {sf::Keyboard::Up, "\xe2\x86\x91", "Up arrow"},
    {sf::Keyboard::Down, "\xe2\x86\x93", "Down arrow"},
    {sf::Keyboard::Left, "\xe2\x86\x90", "Left arrow"},
    {sf::Keyboard::Right, "\xe2\x86\x92", "Right arrow"},
    {sf::Keyboard::LBracket, "[", "Left bracket"},
    {sf::Keyboard::RBracket, "]", "Right bracket"},
};

KeyName nameOf(const BoundInput& input) {
    if (input.kind == BoundInput::Kind::WheelUp) return {input.key, "Wheel \xe2\x86\x91", "Wheel up"};
    if (input.kind == BoundInput::Kind::WheelDown)
        return {input.key, "Wheel \xe2\x86\x93", "Wheel down"};
    for (const KeyName& k : keyNames) {
        if (k.key == input.key) return k;
    }
    // Letters, digits and the other keys are called by the character they type or by their
    // place ("H", "F5", "Escape").
    const char* key = sf::priv::domKeyOf(input.key).key;
    return {input.key, key, key};
}

// A JSON string: the texts here are the program's own, but quotes and backslashes are escaped
// all the same.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

const char* handlerName(BoundInput::Handler handler) {
    switch (handler) {
        case BoundInput::Handler::Application: return "application";
        case BoundInput::Handler::Brush: return "brush";
        case BoundInput::Handler::Panel: return "panel";
    }
    return "";
}

std::string row(const BoundInput& input) {
    const KeyName name = nameOf(input);
    std::string json = "{\"handler\":" + quoted(handlerName(input.handler)) +
                       ",\"cap\":" + quoted(name.cap) + ",\"name\":" + quoted(name.spoken) +
                       ",\"effect\":" + quoted(input.effect);
    if (input.kind == BoundInput::Kind::Key) {
        const sf::priv::DomKey dom = sf::priv::domKeyOf(input.key);
        json += ",\"key\":" + quoted(dom.key) + ",\"code\":" + quoted(dom.code);
    } else {
        json += std::string(",\"wheel\":") + (input.kind == BoundInput::Kind::WheelUp ? "1" : "-1");
    }
    return json + "}";
}

std::string table() {
    std::string json = "[";
    for (const BoundInput& input : boundInputs())
        json += (json.size() > 1 ? "," : "") + row(input);
    return json + "]";
}

}  // namespace

// The table, built once; the page reads it with UTF8ToString.
extern "C" EMSCRIPTEN_KEEPALIVE const char* quelvane_key_table() {
    static const std::string json = table();
    return json.c_str();
}
