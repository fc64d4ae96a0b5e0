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

DomKey domKeyOf(Keyboard::Key key) {
    // Letters and digits with the character they type (the tail of their code: "KeyH" types
    // "H"), the others by their place, which is what keyOf reads for them.
    static constexpr const char* letterCodes[] = {
        "KeyA", "KeyB", "KeyC", "KeyD", "KeyE", "KeyF", "KeyG", "KeyH", "KeyI",
        "KeyJ", "KeyK", "KeyL", "KeyM", "KeyN", "KeyO", "KeyP", "KeyQ", "KeyR",
        "KeyS", "KeyT", "KeyU", "KeyV", "KeyW", "KeyX", "KeyY", "KeyZ"};
    static constexpr const char* digitCodes[] = {"Digit0", "Digit1", "Digit2", "Digit3", "Digit4",
                                                 "Digit5", "Digit6", "Digit7", "Digit8", "Digit9"};
    static constexpr const char* padCodes[] = {"Numpad0", "Numpad1", "Numpad2", "Numpad3",
                                               "Numpad4", "Numpad5", "Numpad6", "Numpad7",
                                               "Numpad8", "Numpad9"};
    static constexpr const char* functionKeys[] = {"F1", "F2",  "F3",  "F4",  "F5",
                                                   "F6", "F7",  "F8",  "F9",  "F10",
                                                   "F11", "F12", "F13", "F14", "F15"};
    const auto from = [key](Keyboard::Key first) { return static_cast<int>(key - first); };
    if (key >= Keyboard::A && key <= Keyboard::Z)
        return {letterCodes[from(Keyboard::A)] + 3, letterCodes[from(Keyboard::A)]};
    if (key >= Keyboard::Num0 && key <= Keyboard::Num9)
        return {digitCodes[from(Keyboard::Num0)] + 5, digitCodes[from(Keyboard::Num0)]};
    if (key >= Keyboard::Numpad0 && key <= Keyboard::Numpad9)
        return {padCodes[from(Keyboard::Numpad0)] + 6, padCodes[from(Keyboard::Numpad0)]};
    if (key >= Keyboard::F1 && key <= Keyboard::F15)
        return {functionKeys[from(Keyboard::F1)], functionKeys[from(Keyboard::F1)]};
    if (key == Keyboard::Add) return {"+", "NumpadAdd"};
    if (key == Keyboard::Subtract) return {"-", "NumpadSubtract"};
    for (const CodeKey& k : codeKeys) {
        if (k.key == key) return {k.code, k.code};
    }
    return {"", ""};
}

bool buttonOf(unsigned short domButton, Mouse::Button& button) {
    constexpr Mouse::Button buttons[] = {Mouse::Left, Mouse::Middle, Mouse::Right, Mouse::XButton1,
                                         Mouse::XButton2};
    if (domButton >= 5) return false;
    button = buttons[domButton];
    return true;
}

}  // namespace sf::priv
