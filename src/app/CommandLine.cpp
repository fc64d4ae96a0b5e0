#include "app/CommandLine.hpp"

#include <limits>

const char* const usageLines[4] = {
    "Invalid arguments or invalid number of arguments.\n",
    "Arguments are 'scale' or 'scale nogridx nogridy'.\n",
    "Scale = 0 for automatic scale.\n",
    // One line, split for width (in parentheses, so no compiler takes it for a missing comma).
    ("All arguments has to be integers. Scale has to be nonnegative. Grid sizes have to be "
     "positive.\n\n"),
};

namespace {

// The scale is held in 8 bits and the model's node counts in 16 bits: larger
// values are rejected like out-of-range ones rather than wrapped.
constexpr std::int32_t maxScale = 255;
constexpr std::int32_t maxNodes = 65535;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a value into `out` when it converts and lies in lo .. hi.
bool readValue(const char* arg, std::int32_t lo, std::int32_t hi, std::int32_t& out) {
    const std::optional<std::int32_t> v = parseInteger(arg);
    if (!v || *v < lo || *v > hi) return false;
    out = *v;
    return true;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && isSpace(text[k]))
        ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
    if (k >= text.size() || !isDigit(text[k])) return std::nullopt;
    // Accumulate in 64 bits and stop as soon as the magnitude leaves the range.
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; k < text.size() && isDigit(text[k]); ++k) {
        magnitude = magnitude * 10 + (text[k] - '0');
        if (magnitude > limit) return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

StartupValues readCommandLine(std::span<const char* const> args) {
    StartupValues v;
    if (args.empty()) return v;
    v.rejected = true;
    if (args.size() != 1 && args.size() != 3) return v;
    if (!readValue(args[0], 0, maxScale, v.scale)) return v;
    if (args.size() == 3) {
        if (!readValue(args[1], 1, maxNodes, v.nogridx)) return v;
        if (!readValue(args[2], 1, maxNodes, v.nogridy)) return v;
    }
    v.rejected = false;
    return v;
}

StartupValues answerCommandLine(int argc, const char* const* argv, std::FILE* out) {
    std::fputs("\n", out);
    // Without a program name there is nothing after it either.
    const std::size_t count = argc > 1 ? static_cast<std::size_t>(argc - 1) : 0;
    const StartupValues values = readCommandLine(std::span(argc > 1 ? argv + 1 : argv, count));
    if (values.rejected) {
        for (const char* line : usageLines)
            std::fputs(line, out);
    }
    return values;
}
