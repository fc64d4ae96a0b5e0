// Inputs at the edge of what the program can be given: a start without even a program name, and
// a field or arrow settings that edited boundary values have made infinite or NaN.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "../support/UsageText.hpp"
#include "app/CommandLine.hpp"
#include "field/Axis.hpp"
#include "field/Grid2D.hpp"
#include "field/VectorField.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// What answerCommandLine prints, and the values it returns.
std::pair<std::string, StartupValues> answer(int argc, const char* const* argv) {
    // A temporary file rather than a memory stream, which not every C library has.
    std::FILE* out = std::tmpfile();
    const StartupValues values = answerCommandLine(argc, argv, out);
    std::rewind(out);
    std::string printed;
    for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out))
        printed += static_cast<char>(c);
    std::fclose(out);
    return {printed, values};
}

// The empty line, then the usage text when the command line was rejected.
std::string expectedText(bool rejected) {
    return "\n" + (rejected ? usageText : std::string());
}

}  // namespace

TEST(AnswerCommandLine, WithoutAProgramNameStartsWithTheDefaults) {
    const char* const argv[] = {nullptr};
    const auto [printed, v] = answer(0, argv);
    EXPECT_EQ(printed, expectedText(false));
    EXPECT_FALSE(v.rejected);
    EXPECT_EQ(v.scale, 0);
    EXPECT_EQ(v.nogridx, 400);
    EXPECT_EQ(v.nogridy, 400);
}

TEST(AnswerCommandLine, PrintsTheUsageTextExactlyWhenRejected) {
    const char* const accepted[] = {"quelvane", "2", "30", "40", nullptr};
    const auto [quiet, v] = answer(4, accepted);
    EXPECT_EQ(quiet, expectedText(false));
    EXPECT_EQ(v.scale, 2);
    EXPECT_EQ(v.nogridx, 30);
    EXPECT_EQ(v.nogridy, 40);

    const char* const rejected[] = {"quelvane", "2", "30", nullptr};
    const auto [usage, w] = answer(3, rejected);
    EXPECT_EQ(usage, expectedText(true));
    EXPECT_TRUE(w.rejected);
}

// Every arrow vertex must be a finite point, whatever the field and the multipliers: a head that
// cannot be placed makes the arrow no line, at its tail.
TEST(ExtremeArrows, EveryVertexIsFiniteAndAnUnplaceableHeadStaysAtItsTail) {
    const Grid2D grid(Axis(0.0, 1.0, 6), Axis(0.0, 1.0, 6));
    const std::vector<double> values{0.0, 1.0, -1e300, 1e300, inf, -inf, notANumber, 5e-324};
    const std::vector<float> multipliers{1000.0f, std::numeric_limits<float>::infinity(),
                                         std::numeric_limits<float>::quiet_NaN(), 0.0f};
    for (const bool normalized : {false, true}) {
        for (const bool equalLength : {false, true}) {
            for (const float multiplier : multipliers) {
                VectorField field(grid);
                for (std::size_t k = 0; k < field.data.size(); ++k)
                    field.data[k] = values[(k * 5 + k / 7) % values.size()];
                field.arrows.blockSize = 1;
                field.arrows.normalized = normalized;
                field.arrows.equalLength = equalLength;
                field.arrows.lengthMultiplier = multiplier;
                field.arrows.normalizedLength = multiplier;
                field.resizeArrows();
                field.rebuildArrows();

                ASSERT_EQ(field.arrows.vertices.getVertexCount(), 2u * 36u);
                for (std::size_t k = 0; k < 36; ++k) {
                    const sf::Vector2f tail = field.arrows.vertices[2 * k].position;
                    const sf::Vector2f head = field.arrows.vertices[2 * k + 1].position;
                    ASSERT_TRUE(std::isfinite(head.x) && std::isfinite(head.y))
                        << "arrow " << k << ", normalized " << normalized << ", equal length "
                        << equalLength << ", multiplier " << multiplier;
                    const std::size_t at = 2 * grid.index(static_cast<std::uint32_t>(tail.x),
                                                          static_cast<std::uint32_t>(tail.y));
                    if (std::isnan(field.data[at]) || std::isnan(field.data[at + 1])) {
                        EXPECT_EQ(head, tail) << "arrow " << k;
                    }
                }
            }
        }
    }
}
