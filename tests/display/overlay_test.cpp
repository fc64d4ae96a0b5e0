#include <gtest/gtest.h>

#include "ui/OverlaySet.hpp"
#include "ui/OverlayText.hpp"

namespace {

OverlayStyle style() {
    return {"courier.ttf", 18, sf::Color::Yellow};
}

sf::Vector2f at(const OverlayText& t) {
    return t.text.getPosition();
}

}  // namespace

TEST(OverlayLayout, TopCornersStackDownwardWithPitchAndGap) {
    OverlaySet set(nullptr, 15, style());
    OverlayText first(set, TopRight, "61 FPS");
    OverlayText second(set, TopRight, "No preset");
    OverlayText left(set, TopLeft, "a\nb");
    OverlayText below(set, TopLeft, "c");
    set.layout({800, 600}, {0, 0});
    // Six characters at 11 pixels each from 20 pixels inside the right edge.
    EXPECT_EQ(at(first), sf::Vector2f(714.0f, 20.0f));
    EXPECT_EQ(at(second), sf::Vector2f(800.0f - 20.0f - 99.0f, 50.0f));
    EXPECT_EQ(at(left), sf::Vector2f(20.0f, 20.0f));
    // Two lines of pitch 20 and the gap of 10.
    EXPECT_EQ(at(below), sf::Vector2f(20.0f, 70.0f));
}

TEST(OverlayLayout, BottomCornersStackUpwardLastLineOnThePen) {
    OverlaySet set(nullptr, 15, style());
    OverlayText status(set, BottomLeft, "radius = 25");
    OverlayText list(set, BottomLeft, "one\ntwo\nthree\nfour");
    OverlayText title(set, BottomRight, "Layer");
    const float h = 600.0f;
    set.layout({800, 600}, {0, 0});
    EXPECT_EQ(at(status), sf::Vector2f(20.0f, h - 38.0f));
    EXPECT_EQ(at(list), sf::Vector2f(20.0f, h - 68.0f - 20.0f * 3.0f));
    EXPECT_EQ(at(title), sf::Vector2f(800.0f - 20.0f - 55.0f, h - 38.0f));
}

TEST(OverlayLayout, HiddenTextsTakeNoRoomAndLineChangesMoveTheStack) {
    OverlaySet set(nullptr, 15, style());
    OverlayText help(set, TopLeft, "help");
    OverlayText scenario(set, TopLeft, "scenario");
    OverlayText fps(set, TopRight, "60 FPS");
    set.layout({800, 600}, {0, 0});
    EXPECT_EQ(at(scenario).y, 50.0f);

    help.visible = false;
    set.layout({800, 600}, {0, 0});
    EXPECT_EQ(at(scenario).y, 20.0f);
    EXPECT_EQ(at(fps).y, 20.0f);

    help.visible = true;
    help.setText("one\ntwo\nthree");
    EXPECT_EQ(help.lineCount, 3);
    set.layout({800, 600}, {0, 0});
    EXPECT_EQ(at(scenario).y, 90.0f);
}

TEST(OverlayLayout, CursorTextFollowsThePointerFreeTextStays) {
    OverlaySet set(nullptr, 15, style());
    OverlayText first(set, Cursor, "x = 1\ny = 2");
    OverlayText second(set, Cursor, "z");
    OverlayText free(set, Free, "free");
    free.text.setPosition(3.0f, 4.0f);
    set.layout({400, 400}, {390, -5});
    // Not kept inside the window: near an edge it is cut off.
    EXPECT_EQ(at(first), sf::Vector2f(410.0f, 15.0f));
    EXPECT_EQ(at(second), sf::Vector2f(410.0f, 65.0f));
    EXPECT_EQ(at(free), sf::Vector2f(3.0f, 4.0f));
}

TEST(OverlaySet, RegistrationStylesAndRefusesBeyondCapacity) {
    OverlaySet set(nullptr, 2, style());
    OverlayText a(set, TopLeft, "a");
    OverlayText b(set, TopLeft, "b");
    OverlayText c(set, TopLeft, "c");
    EXPECT_EQ(set.count, 2);
    EXPECT_EQ(a.text.getCharacterSize(), 18u);
    EXPECT_EQ(a.text.getFillColor(), sf::Color::Yellow);
    EXPECT_EQ(a.text.getFont(), &set.font);
    EXPECT_EQ(c.text.getFont(), nullptr);
    OverlayText late;
    late.visible = false;
    EXPECT_FALSE(set.add(late));

    OverlaySet roomy(nullptr, 4, style());
    EXPECT_TRUE(roomy.add(late));
    EXPECT_TRUE(late.visible);
    EXPECT_EQ(roomy.items[0], &late);
}

TEST(OverlayText, LineCountIsOnePlusLineFeeds) {
    EXPECT_EQ(countLines(""), 1);
    EXPECT_EQ(countLines("abc"), 1);
    EXPECT_EQ(countLines("a\nb\n"), 3);
    EXPECT_EQ(countLines("\n\n\n"), 4);
    EXPECT_EQ(countLines("a\rb"), 1);
}
