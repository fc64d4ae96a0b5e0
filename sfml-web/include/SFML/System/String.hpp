#pragma once

#include <SFML/Config.hpp>
#include <string>

namespace sf {

// Text as Unicode code points. Narrow strings are read as Latin-1, one byte a code point, which
// for the program's ASCII texts is what SFML's conversion from the "C" locale gives.
class String {
  public:
    using Iterator = std::u32string::iterator;
    using ConstIterator = std::u32string::const_iterator;

    String() = default;
    String(char c);
    String(Uint32 c);
    String(const char* ansi);
    String(const std::string& ansi);
    String(const std::u32string& utf32);

    std::string toAnsiString() const;
    const std::u32string& toUtf32() const { return chars; }
    std::size_t getSize() const { return chars.size(); }
    bool isEmpty() const { return chars.empty(); }
    Uint32 operator[](std::size_t index) const { return chars[index]; }
    ConstIterator begin() const { return chars.begin(); }
    ConstIterator end() const { return chars.end(); }
    String& operator+=(const String& right) {
        chars += right.chars;
        return *this;
    }

  private:
    std::u32string chars;
};

bool operator==(const String& left, const String& right);
bool operator!=(const String& left, const String& right);
String operator+(const String& left, const String& right);

}  // namespace sf
