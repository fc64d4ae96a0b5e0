#include <cstring>

#include "Window/Page.hpp"

namespace sf::priv {

namespace {

struct CodeKey {
    const char* code;
    Keyboard::Key key;
};

// DOM KeyboardEvent.code values, which name a key by its place on a US keyboard.
constexpr CodeKey codeKeys[] = {
    {"Escape", Keyboard::Escape},
    {"ControlLeft", Keyboard::LControl},
    {"ShiftLeft", Keyboard::LShift},
    {"AltLeft", Keyboard::LAlt},
    {"MetaLeft", Keyboard::LSystem},
    {"OSLeft", Keyboard::LSystem},
    {"ControlRight", Keyboard::RControl},
    {"ShiftRight", Keyboard::RShift},
    {"AltRight", Keyboard::RAlt},
    {"MetaRight", Keyboard::RSystem},
    {"OSRight", Keyboard::RSystem},
    {"ContextMenu", Keyboard::Menu},
    {"BracketLeft", Keyboard::LBracket},
    {"BracketRight", Keyboard::RBracket},
    {"Semicolon", Keyboard::Semicolon},
    {"Comma", Keyboard::Comma},
    {"Period", Keyboard::Period},
    {"Quote", Keyboard::Quote},
    {"Slash", Keyboard::Slash},
    {"Backslash", Keyboard::Backslash},
    {"Backquote", Keyboard::Tilde},
    {"Equal", Keyboard::Equal},
    {"Minus", Keyboard::Hyphen},
    {"Space", Keyboard::Space},
    {"Enter", Keyboard::Enter},
    {"NumpadEnter", Keyboard::Enter},
    {"Backspace", Keyboard::Backspace},
    {"Tab", Keyboard::Tab},
    {"PageUp", Keyboard::PageUp},
    {"PageDown", Keyboard::PageDown},
    {"End", Keyboard::End},
    {"Home", Keyboard::Home},
    {"Insert", Keyboard::Insert},
    {"Delete", Keyboard::Delete},
    {"NumpadAdd", Keyboard::Add},
    {"NumpadSubtract", Keyboard::Subtract},
    {"NumpadMultiply", Keyboard::Multiply},
    {"NumpadDivide", Keyboard::Divide},
    {"ArrowLeft", Keyboard::Left},
    {"ArrowRight", Keyboard::Right},
    {"ArrowUp", Keyboard::Up},
    {"ArrowDown", Keyboard::Down},
    {"Pause", Keyboard::Pause},
};

Keyboard::Key offset(Keyboard::Key first, int by) {
    return static_cast<Keyboard::Key>(static_cast<int>(first) + by);
}

// "Numpad0".."Numpad9" and "F1".."F15".
Keyboard::Key numberedKey(const char* code) {
    if (std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '0' && code[6] <= '9' && !code[7])
        return offset(Keyboard::Numpad0, code[6] - '0');
    if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
        const int n = code[2] ? (code[2] >= '0' && code[2] <= '9' && !code[3]
                                     ? 10 * (code[1] - '0') + (code[2] - '0')
                                     : 0)
                              : code[1] - '0';
        if (n >= 1 && n <= 15) return offset(Keyboard::F1, n - 1);
    }
    return Keyboard::Unknown;
}

}  // namespace

Keyboard::Key keyOf(const char* key, const char* code) {
    // A single letter or digit, as the layout gives it (not on the numeric keypad).
    if (key[0] && !key[1] && std::strncmp(code, "Numpad", 6) != 0) {
        const char c = key[0];
        if (c >= 'a' && c <= 'z') return offset(Keyboard::A, c - 'a');
        if (c >= 'A' && c <= 'Z') return offset(Keyboard::A, c - 'A');
        if (c >= '0' && c <= '9') return offset(Keyboard::Num0, c - '0');
    }
    // Letters and digits whose character the layout changes (shift, AltGr) go by their place.
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && !code[4])
        return offset(Keyboard::A, code[3] - 'A');
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && !code[6])
        return offset(Keyboard::Num0, code[5] - '0');
    for (const CodeKey& k : codeKeys) {
        if (std::strcmp(code, k.code) == 0) return k.key;
    }
    return numberedKey(code);
}

bool buttonOf(unsigned short domButton, Mouse::Button& button) {
    constexpr Mouse::Button buttons[] = {Mouse::Left, Mouse::Middle, Mouse::Right, Mouse::XButton1,
                                         Mouse::XButton2};
    if (domButton >= 5) return false;
    button = buttons[domButton];
    return true;
}

}  // namespace sf::priv
