#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/UsageText.hpp"
#include "app/CommandLine.hpp"

namespace {

StartupValues read(std::vector<const char*> args) {
    return readCommandLine(std::span<const char* const>(args.data(), args.size()));
}

void expectValues(const StartupValues& v, int scale, int nx, int ny, bool rejected) {
    EXPECT_EQ(v.scale, scale);
    EXPECT_EQ(v.nogridx, nx);
    EXPECT_EQ(v.nogridy, ny);
    EXPECT_EQ(v.rejected, rejected);
}

}  // namespace

TEST(ParseInteger, ReadsLeadingDigitsAfterBlanksAndSign) {
    EXPECT_EQ(parseInteger("12abc"), 12);
    EXPECT_EQ(parseInteger(" 5"), 5);
    EXPECT_EQ(parseInteger("\t\n 5"), 5);
    EXPECT_EQ(parseInteger("5px"), 5);
    EXPECT_EQ(parseInteger("+5"), 5);
    EXPECT_EQ(parseInteger("-17"), -17);
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, FailsWithoutDigitsOrOutOfRange) {
    for (const char* bad : {"", "abc", " ", "+", "-", "+-5", "- 5", "x12", "99999999999",
                            "2147483648", "-2147483649", "123456789012345678901234567890"}) {
        EXPECT_FALSE(parseInteger(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(ReadCommandLine, AcceptedForms) {
    expectValues(read({}), 0, 400, 400, false);
    expectValues(read({"3"}), 3, 400, 400, false);
    expectValues(read({"0", "800", "400"}), 0, 800, 400, false);
    expectValues(read({" 5"}), 5, 400, 400, false);
    expectValues(read({"255", "65535", "1"}), 255, 65535, 1, false);
}

TEST(ReadCommandLine, EveryRejectionKeepsWhatWasReadBefore) {
    expectValues(read({"2", "3"}), 0, 400, 400, true);
    expectValues(read({"1", "2", "3", "4"}), 0, 400, 400, true);
    expectValues(read({"abc"}), 0, 400, 400, true);
    expectValues(read({"99999999999"}), 0, 400, 400, true);
    expectValues(read({"-1"}), 0, 400, 400, true);
    expectValues(read({"2", "x", "600"}), 2, 400, 400, true);
    expectValues(read({"2", "0", "600"}), 2, 400, 400, true);
    expectValues(read({"2", "600", "y"}), 2, 600, 400, true);
    expectValues(read({"2", "600", "0"}), 2, 600, 400, true);
    expectValues(read({"2", "600", "-3"}), 2, 600, 400, true);
}

TEST(ReadCommandLine, SizesBeyondWhatTheProgramHoldsAreRejected) {
    // The scale is kept in 8 bits and the node counts in 16 bits.
    expectValues(read({"256"}), 0, 400, 400, true);
    expectValues(read({"1000", "10", "10"}), 0, 400, 400, true);
    expectValues(read({"1", "65536", "400"}), 1, 400, 400, true);
    expectValues(read({"1", "70000", "400"}), 1, 400, 400, true);
    expectValues(read({"1", "300", "65536"}), 1, 300, 400, true);
}

TEST(ReadCommandLine, UsageTextIsFourLinesEndingInAnEmptyLine) {
    std::string text;
    for (const char* line : usageLines)
        text += line;
    EXPECT_EQ(text, usageText);
}
