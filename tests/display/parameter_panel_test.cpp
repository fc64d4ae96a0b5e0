#include <gtest/gtest.h>

#include <SFML/Window/Event.hpp>
#include <string>

#include "params/ParameterPanel.hpp"
#include "params/ParameterT.hpp"
#include "ui/OverlaySet.hpp"

namespace {

// ctest runs in build/tests; without the font only the glyphs are missing,
// and these tests read strings, not pixels.
const OverlayStyle kStyle{"../courier.ttf", 18, sf::Color::Yellow};

void press(ParameterPanel& panel, sf::Keyboard::Key key) {
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = key;
    panel.handleKey(event);
}

std::string shown(const ParameterPanel& panel) {
    return panel.text.text.getString().toAnsiString();
}

class PanelTest : public ::testing::Test {
  protected:
    OverlaySet overlays{nullptr, 15, kStyle};
    ParameterPanel panel{&overlays, "Parameters", 15};
    bool periodic = false;
    double top = 0.0;
    int blockSize = 7;
    ParameterT<bool> periodicParam{&panel, &periodic, "Vertical periodic boundaries", 1};
    ParameterT<double> topParam{&panel, &top, "Top boundary value", 1};
    ParameterT<int> blockSizeParam{&blockSize, "Vector field block size", 1};

    void SetUp() override {
        panel.add(&blockSizeParam);
        blockSizeParam.hasMin = true;
        blockSizeParam.min = 1;
        panel.refresh();
    }
};

}  // namespace

TEST_F(PanelTest, ListsParametersAndWrapsTheSelection) {
    EXPECT_EQ(overlays.items[0], &panel.text);
    EXPECT_EQ(shown(panel),
              "Parameters:\n"
              "* Vertical periodic boundaries = 0 +-1\n"
              "  Top boundary value = 0.000000 +-1.000000\n"
              "  Vector field block size = 7 +-1\n");
    press(panel, sf::Keyboard::Up);
    EXPECT_EQ(shown(panel).find("* "), shown(panel).find("* Vector field block size"));
    press(panel, sf::Keyboard::Down);
    EXPECT_EQ(panel.selected, 0u);
}

TEST_F(PanelTest, KeysEditTheSelectedParameterAndOnlyTableKeysRebuild) {
    press(panel, sf::Keyboard::Down);
    press(panel, sf::Keyboard::PageDown);
    EXPECT_NE(shown(panel).find("* Top boundary value = 0.000000 +-0.100000\n"), std::string::npos);
    press(panel, sf::Keyboard::Down);
    press(panel, sf::Keyboard::PageDown);
    press(panel, sf::Keyboard::PageUp);
    press(panel, sf::Keyboard::Add);
    EXPECT_NE(shown(panel).find("* Vector field block size = 17 +-10\n"), std::string::npos);
    blockSize = 7;
    press(panel, sf::Keyboard::Subtract);
    EXPECT_EQ(blockSize, 1);
    EXPECT_FALSE(topParam.changed);

    top = 5.0;
    const sf::String before = panel.text.text.getString();
    press(panel, sf::Keyboard::A);
    EXPECT_EQ(panel.text.text.getString(), before);
    press(panel, sf::Keyboard::Left);
    EXPECT_NE(shown(panel).find("Top boundary value = 5.000000"), std::string::npos);
}

TEST(ParameterPanel, DropsParametersPastCapacityAndRebuildsWithNothingSelected) {
    OverlaySet overlays(nullptr, 15, kStyle);
    int a = 1, b = 2, c = 3;
    ParameterPanel full(&overlays, "Full", 2);
    ParameterT<int> pa(&full, &a, "a", 1), pb(&full, &b, "b", 1), pc(&full, &c, "c", 1);
    full.refresh();
    EXPECT_EQ(shown(full), "Full:\n* a = 1 +-1\n  b = 2 +-1\n");

    ParameterPanel none(&overlays, "None", 0);
    none.add(&pc);
    EXPECT_EQ(shown(none), "");
    press(none, sf::Keyboard::Add);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(shown(none), "None:\n");
}
