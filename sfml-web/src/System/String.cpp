#include <SFML/System/String.hpp>

namespace sf {

String::String(char c) : chars(1, static_cast<unsigned char>(c)) {}

String::String(Uint32 c) : chars(1, static_cast<char32_t>(c)) {}

String::String(const char* ansi) : String(std::string(ansi ? ansi : "")) {}

String::String(const std::string& ansi) {
    chars.reserve(ansi.size());
    for (const char c : ansi)
        chars.push_back(static_cast<unsigned char>(c));
}

String::String(const std::u32string& utf32) : chars(utf32) {}

std::string String::toAnsiString() const {
    std::string ansi;
    ansi.reserve(chars.size());
    // Code points beyond Latin-1 have no narrow form: they become '?' as under the "C" locale.
    for (const char32_t c : chars)
        ansi.push_back(c < 256 ? static_cast<char>(c) : '?');
    return ansi;
}

bool operator==(const String& left, const String& right) {
    return left.toUtf32() == right.toUtf32();
}

bool operator!=(const String& left, const String& right) {
    return !(left == right);
}

String operator+(const String& left, const String& right) {
    String sum = left;
    sum += right;
    return sum;
}

}  // namespace sf
