// Arbitrary argument vectors of arbitrary bytes through the code main runs first. The program
// must start with values only from the accepted set, print the usage text exactly when it
// rejects the command line, and agree with a reading of the rules built on the C library's own
// base-10 conversion.
//
// Input layout: the first byte gives argc (0 .. 6, the program name counted); the rest is split
// at NUL bytes into the arguments after the name (missing ones are empty).

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../support/UsageText.hpp"
#include "FuzzCheck.hpp"
#include "app/CommandLine.hpp"

namespace {

// The C library's strtoll, in the "C" locale this process runs in, skips the same blanks and
// reads the same sign and digits; out of the signed 32-bit range is a failure.
bool referenceConvert(const std::string& arg, std::int32_t& out) {
    const char* begin = arg.c_str();
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

// The rules as a table of steps: a rejection keeps what was read before it.
StartupValues referenceRead(const std::vector<std::string>& args) {
    StartupValues v;
    if (args.empty()) return v;
    v.rejected = true;
    if (args.size() != 1 && args.size() != 3) return v;
    std::int32_t x = 0;
    if (!referenceConvert(args[0], x) || x < 0 || x > 255) return v;
    v.scale = x;
    if (args.size() == 3) {
        if (!referenceConvert(args[1], x) || x < 1 || x > 65535) return v;
        v.nogridx = x;
        if (!referenceConvert(args[2], x) || x < 1 || x > 65535) return v;
        v.nogridy = x;
    }
    v.rejected = false;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int argc = data[0] % 7;
    std::vector<std::string> args(argc > 1 ? static_cast<std::size_t>(argc - 1) : 0);
    std::size_t next = 0;
    for (std::size_t k = 1; k < size && next < args.size(); ++k) {
        if (data[k] == 0) {
            ++next;
        } else {
            args[next] += static_cast<char>(data[k]);
        }
    }
    // argv as the kernel lays it out: argc entries, then a null pointer.
    std::vector<const char*> argv;
    if (argc >= 1) argv.push_back("quelvane");
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);

    char* printed = nullptr;
    std::size_t printedSize = 0;
    std::FILE* out = open_memstream(&printed, &printedSize);
    FUZZ_CHECK(out != nullptr);
    const StartupValues got = answerCommandLine(argc, argv.data(), out);
    std::fclose(out);
    const std::string text(printed, printedSize);
    std::free(printed);

    FUZZ_CHECK(got.scale >= 0 && got.scale <= 255);
    FUZZ_CHECK(got.nogridx >= 1 && got.nogridx <= 65535);
    FUZZ_CHECK(got.nogridy >= 1 && got.nogridy <= 65535);
    FUZZ_CHECK(text == (got.rejected ? "\n" + usageText : std::string("\n")));

    const StartupValues want = referenceRead(args);
    FUZZ_CHECK(got.rejected == want.rejected);
    FUZZ_CHECK(got.scale == want.scale);
    FUZZ_CHECK(got.nogridx == want.nogridx);
    FUZZ_CHECK(got.nogridy == want.nogridy);
    return 0;
}
