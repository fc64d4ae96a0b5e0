#include <gtest/gtest.h>

#include <string>

#include "AppFixture.hpp"

namespace {

class AppKeys : public ::testing::Test {
  protected:
    std::unique_ptr<Application> app = makeApp(64, 48);

    bool chargeIsZero() const {
        for (const double v : app->model.charge.density.data) {
            if (v != 0.0) return false;
        }
        return true;
    }
};

TEST_F(AppKeys, JAndKStepThroughThePresetsWithWrapAround) {
    EXPECT_EQ(stringOf(app->selectedPresetText), "Selected preset: #1 Infinite capacitor");
    pressKey(*app, sf::Keyboard::J);
    EXPECT_EQ(app->selectedPreset, 6);
    EXPECT_EQ(stringOf(app->selectedPresetText), "Selected preset: #7 Charged shell");
    pressKey(*app, sf::Keyboard::J);
    EXPECT_EQ(app->selectedPreset, 5);
    EXPECT_EQ(stringOf(app->selectedPresetText), "Selected preset: #6 Model of ionic crystal");
    pressKey(*app, sf::Keyboard::K);
    pressKey(*app, sf::Keyboard::K);
    EXPECT_EQ(app->selectedPreset, 0);
    EXPECT_EQ(stringOf(app->selectedPresetText), "Selected preset: #1 Infinite capacitor");
    pressKey(*app, sf::Keyboard::K);
    EXPECT_EQ(stringOf(app->selectedPresetText), "Selected preset: #2 Finite capacitor");
    EXPECT_EQ(app->selectedPresetText.lineCount, 1);
    // Selecting never loads.
    EXPECT_TRUE(chargeIsZero());
    EXPECT_EQ(stringOf(app->loadedPresetText), "No preset");
}

TEST_F(AppKeys, LLoadsTheSelectedPresetAndKeepsTheSelection) {
    pressKey(*app, sf::Keyboard::J);
    pressKey(*app, sf::Keyboard::J);
    pressKey(*app, sf::Keyboard::J);  // #5, the quadrupole
    pressKey(*app, sf::Keyboard::L);
    EXPECT_EQ(app->selectedPreset, 4);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Quadrupole field");
    // 48 rows: t = 6, r = 3; the upper positive disc sits at (32, 18).
    EXPECT_EQ(chargeAt(*app, 32, 18), 0.5);
    EXPECT_EQ(chargeAt(*app, 26, 24), -0.5);
    pressKey(*app, sf::Keyboard::K);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Quadrupole field");
    EXPECT_EQ(chargeAt(*app, 32, 18), 0.5);
}

TEST_F(AppKeys, HTogglesTheThreeHelpTextsOnly) {
    pressKey(*app, sf::Keyboard::P);  // the panel shown, to see H leave it alone
    const std::string before = stateText(*app);
    pressKey(*app, sf::Keyboard::H);
    EXPECT_FALSE(app->helpText.visible);
    EXPECT_FALSE(app->scenarioHelpText.visible);
    EXPECT_FALSE(app->selectedPresetText.visible);
    app->helpText.visible = app->scenarioHelpText.visible = app->selectedPresetText.visible = true;
    EXPECT_EQ(stateText(*app), before);
    pressKey(*app, sf::Keyboard::H);
    pressKey(*app, sf::Keyboard::H);
    EXPECT_EQ(stateText(*app), before);
}

TEST_F(AppKeys, SwitchKeysNegateTheirFlags) {
    struct Switch {
        sf::Keyboard::Key key;
        bool (*read)(const Application&);
        bool initial;
    };
    const Switch switches[] = {
        {sf::Keyboard::N, [](const Application& a) { return a.model.field.arrows.equalLength; },
         false},
        {sf::Keyboard::O, [](const Application& a) { return a.showBrushOutline; }, true},
        {sf::Keyboard::Q, [](const Application& a) { return a.showCharges; }, true},
        {sf::Keyboard::V, [](const Application& a) { return a.showField; }, true},
        {sf::Keyboard::P, [](const Application& a) { return a.parameterPanel.text.visible; },
         false},
    };
    for (const Switch& s : switches) {
        const std::string before = stateText(*app);
        EXPECT_EQ(s.read(*app), s.initial) << "key " << s.key;
        pressKey(*app, s.key);
        EXPECT_EQ(s.read(*app), !s.initial) << "key " << s.key;
        EXPECT_NE(stateText(*app), before) << "key " << s.key;
        pressKey(*app, s.key);
        EXPECT_EQ(s.read(*app), s.initial) << "key " << s.key;
        EXPECT_EQ(stateText(*app), before) << "key " << s.key;
    }
}

TEST_F(AppKeys, PanelKeysDoNothingWhileThePanelIsHidden) {
    const std::string before = stateText(*app);
    for (const sf::Keyboard::Key key :
         {sf::Keyboard::Down, sf::Keyboard::Up, sf::Keyboard::Add, sf::Keyboard::Subtract,
          sf::Keyboard::PageUp, sf::Keyboard::PageDown, sf::Keyboard::Right, sf::Keyboard::Left}) {
        pressKey(*app, key);
        EXPECT_EQ(stateText(*app), before) << "key " << key;
    }
    EXPECT_EQ(app->verticalPeriodicParam.exponent, 0);
}

TEST_F(AppKeys, PanelReceivesItsKeysOnceShown) {
    pressKey(*app, sf::Keyboard::P);
    pressKey(*app, sf::Keyboard::Down);
    EXPECT_EQ(app->parameterPanel.selected, 1u);
    pressKey(*app, sf::Keyboard::Add);
    EXPECT_EQ(app->topBoundaryValue, 1.0);
    EXPECT_TRUE(app->topBoundaryParam.changed);
    // Application keys still act while the panel is shown.
    pressKey(*app, sf::Keyboard::K);
    EXPECT_EQ(app->selectedPreset, 1);
}

TEST_F(AppKeys, KeysOutsideTheTableDoNothing) {
    pressKey(*app, sf::Keyboard::P);  // shown, so the panel sees them too
    const std::string before = stateText(*app);
    for (const sf::Keyboard::Key key : {sf::Keyboard::Escape, sf::Keyboard::A, sf::Keyboard::Z,
                                        sf::Keyboard::Space, sf::Keyboard::Return}) {
        pressKey(*app, key);
        EXPECT_EQ(stateText(*app), before) << "key " << key;
    }
    EXPECT_TRUE(app->window->isOpen());
}

TEST_F(AppKeys, BrushKeysReachTheBrushOnly) {
    const std::string before = stateText(*app);
    pressKey(*app, sf::Keyboard::B);
    pressKey(*app, sf::Keyboard::E);
    pressKey(*app, sf::Keyboard::F);
    EXPECT_TRUE(app->model.charge.brush.hard);
    EXPECT_TRUE(app->model.charge.brush.eraser);
    EXPECT_TRUE(app->model.charge.brush.metal);
    app->model.charge.brush.hard = app->model.charge.brush.eraser = false;
    app->model.charge.brush.metal = false;
    // The brackets step the metal potential, whichever mode the brush is in.
    pressKey(*app, sf::Keyboard::RBracket);
    pressKey(*app, sf::Keyboard::RBracket);
    pressKey(*app, sf::Keyboard::LBracket);
    EXPECT_EQ(app->model.charge.brush.metalLevel, 1);
    app->model.charge.brush.metalLevel = 0;
    EXPECT_EQ(stateText(*app), before);
}

}  // namespace
