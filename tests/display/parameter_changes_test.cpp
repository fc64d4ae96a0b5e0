#include <gtest/gtest.h>

#include <string>

#include "AppFixture.hpp"

namespace {

// Rows of the parameter list, top to bottom.
enum Row : std::uint32_t {
    VerticalPeriodic,
    TopValue,
    BottomValue,
    LeftValue,
    RightValue,
    BlockSize,
    Normalized,
    LengthMultiplier,
    NormalizedLength
};

void edit(Application& app, Row row, sf::Keyboard::Key key) {
    selectParameter(app, row);
    pressKey(app, key);
}

double potentialAt(const Application& app, std::uint32_t i, std::uint32_t j) {
    return app.model.potential.data[std::size_t{i} * app.model.grid.ny + j];
}

bool anyChanged(const Application& app) {
    return app.verticalPeriodicParam.changed || app.topBoundaryParam.changed ||
           app.bottomBoundaryParam.changed || app.leftBoundaryParam.changed ||
           app.rightBoundaryParam.changed || app.blockSizeParam.changed ||
           app.normalizedParam.changed || app.lengthMultiplierParam.changed ||
           app.normalizedLengthMultiplierParam.changed;
}

TEST(StartUp, PanelListsTheNineParametersAndIsHidden) {
    auto app = makeApp(400, 400);
    EXPECT_EQ(panelText(*app),
              "Parameters:\n"
              "* Vertical periodic boundaries = 0 +-1\n"
              "  Top boundary value = 0.000000 +-1.000000\n"
              "  Bottom boundary value = 0.000000 +-1.000000\n"
              "  Left boundary value = 0.000000 +-1.000000\n"
              "  Right boundary value = 0.000000 +-1.000000\n"
              "  Vector field block size = 7 +-1\n"
              "  Vector field is normalized = 1 +-1\n"
              "  Vector field length multiplier = 1000.000000 +-1.000000\n"
              "  Vector field normalized length multiplier = 20.000000 +-1.000000\n");
    EXPECT_FALSE(app->parameterPanel.text.visible);
    EXPECT_EQ(app->parameterPanel.text.lineCount, 11);
    EXPECT_EQ(app->parameterPanel.text.anchor, BottomLeft);
    // 400 / 7 leaves a partial block: 58 arrows per axis, two vertices each.
    EXPECT_EQ(app->model.field.arrows.vertices.getVertexCount(), 2u * 58 * 58);
}

TEST(ParameterChanges, TwoChangesInOneFrameAreBothApplied) {
    auto app = makeApp(40, 30);
    edit(*app, VerticalPeriodic, sf::Keyboard::Add);
    edit(*app, TopValue, sf::Keyboard::Add);
    EXPECT_EQ(app->model.boundaries[Left].kind, Fixed);  // nothing applied yet
    app->processEvents();
    EXPECT_EQ(app->model.boundaries[Left].kind, Periodic);
    EXPECT_EQ(app->model.boundaries[Right].kind, Periodic);
    EXPECT_EQ(app->model.boundaries[Top].kind, Fixed);
    EXPECT_EQ(app->model.boundaries[Top].value, 1.0);
    EXPECT_EQ(app->model.boundaries[Bottom].kind, Fixed);
    EXPECT_EQ(potentialAt(*app, 20, 0), 1.0);
    EXPECT_FALSE(anyChanged(*app));
}

TEST(ParameterChanges, VerticalPeriodicSwitchBothWays) {
    auto app = makeApp(40, 30);
    edit(*app, VerticalPeriodic, sf::Keyboard::Subtract);  // a bool minus inverts: 0 -> 1
    EXPECT_TRUE(app->verticalPeriodic);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.boundaries[Left].kind, Periodic);
    EXPECT_EQ(app->model.boundaries[Right].kind, Periodic);

    // Values edited while periodic are kept and take effect once fixed again.
    edit(*app, LeftValue, sf::Keyboard::Add);
    edit(*app, RightValue, sf::Keyboard::Subtract);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.boundaries[Left].kind, Periodic);
    EXPECT_EQ(app->model.boundaries[Right].kind, Periodic);
    EXPECT_NE(potentialAt(*app, 0, 15), 1.0);

    edit(*app, VerticalPeriodic, sf::Keyboard::Subtract);
    EXPECT_FALSE(app->verticalPeriodic);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.boundaries[Left].kind, Fixed);
    EXPECT_EQ(app->model.boundaries[Left].value, 1.0);
    EXPECT_EQ(app->model.boundaries[Right].kind, Fixed);
    EXPECT_EQ(app->model.boundaries[Right].value, -1.0);
    for (std::uint32_t j = 0; j < 30; ++j) {
        EXPECT_EQ(potentialAt(*app, 0, j), 1.0) << "row " << j;
        EXPECT_EQ(potentialAt(*app, 39, j), -1.0) << "row " << j;
    }
    EXPECT_FALSE(anyChanged(*app));
}

TEST(ParameterChanges, BoundaryValueKeepsThePeriodicKind) {
    auto app = makeApp(40, 30);
    app->loadPreset(0);  // left and right periodic, written by the scenario
    edit(*app, LeftValue, sf::Keyboard::Add);
    edit(*app, BottomValue, sf::Keyboard::Subtract);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.boundaries[Left].kind, Periodic);
    EXPECT_EQ(app->model.boundaries[Left].value, 1.0);
    EXPECT_EQ(app->model.boundaries[Bottom].kind, Fixed);
    const double bottom = -0.0031 - 1.0;  // the scenario's value, one step down
    EXPECT_EQ(app->model.boundaries[Bottom].value, bottom);
    EXPECT_EQ(potentialAt(*app, 20, 29), bottom);
}

TEST(ParameterChanges, BlockSizeResizesTheArrows) {
    auto app = makeApp(400, 400);
    edit(*app, BlockSize, sf::Keyboard::Add);
    EXPECT_EQ(app->model.field.arrows.vertices.getVertexCount(), 2u * 58 * 58);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.field.arrows.blockSize, 8u);
    EXPECT_EQ(app->model.field.arrows.vertices.getVertexCount(), 2u * 50 * 50);
    EXPECT_FALSE(app->blockSizeParam.changed);
}

TEST(ParameterChanges, NormalizedModeShowsTheMultiplierInEffect) {
    auto app = makeApp(40, 30);
    app->model.field.arrows.lengthMultiplier = 123.5f;
    app->applyParameterChanges();
    EXPECT_EQ(app->vectorFieldLengthMultiplier, 123.5f);
    EXPECT_NE(panelText(*app).find("  Vector field length multiplier = 123.500000 +-1.000000\n"),
              std::string::npos)
        << panelText(*app);

    // An edit reaches the arrows in its own frame ...
    edit(*app, LengthMultiplier, sf::Keyboard::Add);
    EXPECT_NE(panelText(*app).find("* Vector field length multiplier = 124.500000"),
              std::string::npos);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.field.arrows.lengthMultiplier, 124.5f);
    // ... and the arrows' own multiplier is back after they are rebuilt.
    app->model.field.arrows.lengthMultiplier = 7.25f;
    app->applyParameterChanges();
    EXPECT_EQ(app->vectorFieldLengthMultiplier, 7.25f);
}

TEST(ParameterChanges, MultiplierEditsStayOnceNormalizedIsOff) {
    auto app = makeApp(40, 30);
    app->loadPreset(3);
    app->frameStep();  // the arrows compute their normalized multiplier
    const float derived = app->model.field.arrows.lengthMultiplier;
    EXPECT_GT(derived, 0.0f);
    app->applyParameterChanges();
    EXPECT_EQ(app->vectorFieldLengthMultiplier, derived);

    edit(*app, Normalized, sf::Keyboard::Subtract);
    app->applyParameterChanges();
    EXPECT_FALSE(app->model.field.arrows.normalized);
    edit(*app, LengthMultiplier, sf::Keyboard::Add);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.field.arrows.lengthMultiplier, derived + 1.0f);
    app->frameStep();
    app->frameStep();
    EXPECT_EQ(app->model.field.arrows.lengthMultiplier, derived + 1.0f);
    EXPECT_EQ(app->vectorFieldLengthMultiplier, derived + 1.0f);
}

TEST(ParameterChanges, NormalizedLengthReachesTheArrows) {
    auto app = makeApp(40, 30);
    edit(*app, NormalizedLength, sf::Keyboard::PageUp);
    edit(*app, NormalizedLength, sf::Keyboard::Add);
    EXPECT_EQ(app->vectorFieldNormalizedLengthMultiplier, 30.0f);
    app->applyParameterChanges();
    EXPECT_EQ(app->model.field.arrows.normalizedLength, 30.0f);
    EXPECT_FALSE(app->normalizedLengthMultiplierParam.changed);
}

}  // namespace
