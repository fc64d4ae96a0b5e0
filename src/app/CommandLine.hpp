#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

// What the program starts with: the requested display scale (0: automatic)
// and the grid's node counts.
struct StartupValues {
    std::int32_t scale = 0;
    std::int32_t nogridx = 400;
    std::int32_t nogridy = 400;
    bool rejected = false;
};

// Base-10 conversion: leading white space, an optional sign, then digits up to
// the first non-digit (the rest is ignored). Empty when no digit follows or the
// value lies outside the signed 32-bit range.
std::optional<std::int32_t> parseInteger(std::string_view text);

// Reads the arguments after the program name. Reading stops at the first
// rejection: values accepted before it stay, the rest keep their defaults.
StartupValues readCommandLine(std::span<const char* const> args);

// The usage text printed once when the command line is rejected.
extern const char* const usageLines[4];

// What main does first: prints the empty line to out, reads the arguments after
// the program name and prints the usage text when they are rejected. argv holds
// argc entries; argc may be 0, when the program was started without a name.
StartupValues answerCommandLine(int argc, const char* const* argv, std::FILE* out);
