// The pause menu and the continue dialog: buttons, decisions and layout.
#include <gtest/gtest.h>

#include "game/shooting/cmp/ContinueDialog.h"
#include "game/shooting/cmp/PauseMenu.h"
#include "tests/game/shooting/cmp/HudTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::cmp;

constexpr std::uint32_t kGrey = 0xFF404040u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kGreen = 0xFF00FF00u;

class MenuTest : public HudTest {
  protected:
    void SetUp() override {
        HudTest::SetUp();
        for (const char* name : {"return_game", "retry", "return_title", "end_game", "yes", "no"}) {
            std::string base = std::string("img/") + name;
            writePicture(veru::YString::fromUtf8(base + "_n.ytx"), 200, 60, kGrey);
            writePicture(veru::YString::fromUtf8(base + "_s.ytx"), 200, 60, kWhite);
        }
        writePicture(u"img/continue.ytx", 300, 50, kGreen);
        writePicture(u"img/white.ytx", 800, 600, kWhite);
    }
};

TEST_F(MenuTest, PauseSelectionWrapsAndMovesOncePerPress) {
    PauseMenu menu(800, 600);
    menu.load(device.get());
    menu.open();
    // The opening update reads no button.
    EXPECT_EQ(menu.update(BUTTON_DOWN), RESULT_NONE);
    EXPECT_EQ(menu.getSelection(), 0);
    EXPECT_EQ(menu.update(BUTTON_UP), RESULT_NONE);
    EXPECT_EQ(menu.getSelection(), 3);
    for (int i = 0; i < 5; ++i) {
        menu.update(BUTTON_UP);
    }
    EXPECT_EQ(menu.getSelection(), 3);
    menu.update(0);
    menu.update(BUTTON_DOWN);
    EXPECT_EQ(menu.getSelection(), 0);
    for (int i = 0; i < 5; ++i) {
        menu.update(BUTTON_DOWN);
    }
    EXPECT_EQ(menu.getSelection(), 0);
    menu.update(0);
    menu.update(BUTTON_DOWN);
    EXPECT_EQ(menu.getSelection(), 1);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kRetry);
    EXPECT_EQ(menu.update(0), PauseMenu::kRetry);
}

TEST_F(MenuTest, PauseStaysOpenUnderAHeldShotAndDecidesOnTheNextPress) {
    PauseMenu menu(800, 600);
    menu.load(device.get());
    menu.open();
    // The shot held through the pause: no decision however long it is held,
    // while a fresh press of down still moves the selection.
    for (int i = 0; i < 120; ++i) {
        ASSERT_EQ(menu.update(kShootButton), RESULT_NONE) << i;
    }
    menu.update(kShootButton | BUTTON_DOWN);
    EXPECT_EQ(menu.getSelection(), 1);
    menu.update(kShootButton);
    EXPECT_EQ(menu.update(0), RESULT_NONE);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kRetry);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kRetry);
    // Opened again with nothing held: undecided, on the entry chosen last
    // time, and the first press after the opening update decides.
    menu.open();
    EXPECT_EQ(menu.update(0), RESULT_NONE);
    EXPECT_EQ(menu.getSelection(), 1);
    menu.update(BUTTON_UP);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kResume);
    // A shot released on the opening update and pressed again counts.
    menu.open();
    EXPECT_EQ(menu.update(0), RESULT_NONE);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kResume);
    // The last two entries: back to the title and the end of the game.
    menu.open();
    menu.update(0);
    menu.update(BUTTON_UP);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kQuit);
    menu.open();
    menu.update(0);
    menu.update(BUTTON_UP);
    EXPECT_EQ(menu.update(kShootButton), PauseMenu::kTitle);
}

TEST_F(MenuTest, PauseEntriesAreCentredOverTheShade) {
    veru::dxt::material::Texture white;
    white.load(u"img/white.ytx", device.get());
    PauseMenu menu(800, 600);
    menu.load(device.get());
    EXPECT_EQ(menu.getEntries().firstEntryY(), 180);
    Frame f = render([&](auto& g) {
        g.queueSprite(&white, 400, 300);
        menu.draw(g);
    });
    // The selected first entry at y = 180, the others at 240, 300 and 360.
    EXPECT_TRUE(rgbNear(f.at(400, 151), kWhite));
    EXPECT_TRUE(rgbNear(f.at(400, 208), kWhite));
    EXPECT_TRUE(rgbNear(f.at(400, 211), kGrey));
    EXPECT_TRUE(rgbNear(f.at(400, 388), kGrey));
    EXPECT_TRUE(rgbNear(f.at(301, 300), kGrey));
    // Around them the picture behind shows through the shade at alpha 50.
    EXPECT_TRUE(rgbNear(f.at(400, 148), 0xFFCDCDCDu, 3));
    EXPECT_TRUE(rgbNear(f.at(400, 391), 0xFFCDCDCDu, 3));
    EXPECT_TRUE(rgbNear(f.at(5, 5), 0xFFCDCDCDu, 3));
    EXPECT_TRUE(rgbNear(f.at(299, 300), 0xFFCDCDCDu, 3));
}

TEST_F(MenuTest, ContinueIgnoresButtonsHeldWhenItOpensUntilEachIsReleased) {
    ContinueDialog dialog(800, 600);
    dialog.load(device.get());
    dialog.open();
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(dialog.update(kShootButton | BUTTON_DOWN), RESULT_NONE);
    }
    EXPECT_EQ(dialog.getSelection(), 0);
    EXPECT_EQ(dialog.update(0), RESULT_NONE);
    // Now a press counts; the decision comes one update later.
    EXPECT_EQ(dialog.update(BUTTON_DOWN), RESULT_NONE);
    EXPECT_EQ(dialog.getSelection(), 1);
    EXPECT_EQ(dialog.update(kShootButton), RESULT_NONE);
    EXPECT_EQ(dialog.update(0), RESULT_SECOND);
    EXPECT_EQ(dialog.update(0), RESULT_SECOND);
}

TEST_F(MenuTest, ContinueCancelChoosesYes) {
    ContinueDialog dialog(800, 600);
    dialog.load(device.get());
    dialog.open();
    dialog.update(0);
    dialog.update(BUTTON_UP);
    EXPECT_EQ(dialog.getSelection(), 1);
    EXPECT_EQ(dialog.update(kSpecialButton), RESULT_NONE);
    EXPECT_EQ(dialog.getSelection(), 0);
    EXPECT_EQ(dialog.update(0), RESULT_FIRST);

    // Reopened with nothing held, the first update does not decide anything.
    dialog.open();
    EXPECT_EQ(dialog.update(0), RESULT_NONE);
    EXPECT_EQ(dialog.update(0), RESULT_NONE);
}

TEST_F(MenuTest, ContinueTitleStandsAboveTheEntries) {
    ContinueDialog dialog(800, 600);
    dialog.load(device.get());
    Frame f = render([&](auto& g) { dialog.draw(g); });
    // Two entries of 60: yes at 240 (selected), no at 300; the title centred at 190.
    EXPECT_TRUE(rgbNear(f.at(400, 240), kWhite));
    EXPECT_TRUE(rgbNear(f.at(400, 300), kGrey));
    EXPECT_TRUE(rgbNear(f.at(400, 166), kGreen));
    EXPECT_TRUE(rgbNear(f.at(251, 190), kGreen));
    EXPECT_TRUE(rgbNear(f.at(400, 163), kBlack));
}

}  // namespace
