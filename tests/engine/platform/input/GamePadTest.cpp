#include "engine/platform/input/GamePad.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "engine/platform/input/InputSystem.h"
#include "engine/platform/input/Keyboard.h"
#include "engine/platform/input/VirtualPad.h"

using namespace veru::platform;

namespace {

class Pads : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(system.start(nullptr)); }

    // Opens the one pad attached.
    void openOnly() {
        const auto ids = GamePad::attachedIds();
        ASSERT_EQ(ids.size(), 1u);
        ASSERT_TRUE(pad.open(ids[0]));
    }
    void plugIn(VirtualPad::Layout layout) {
        ASSERT_TRUE(virtualPad.plugIn(layout));
        openOnly();
    }

    InputSystem system;
    VirtualPad virtualPad;
    GamePad pad;
};

}  // namespace

TEST_F(Pads, AControllerLayoutPadReadsByNameWithStickDpadAndTriggers) {
    plugIn(VirtualPad::Layout::controller);
    EXPECT_EQ(pad.style(), PadStyle::xbox);
    EXPECT_EQ(pad.name(), "Virtual Controller");

    virtualPad.setAxis(0, -32768);  // left stick
    virtualPad.setAxis(1, 16384);
    virtualPad.setAxis(5, 32767);    // right trigger, fully
    virtualPad.setAxis(4, -16384);   // left trigger, a quarter pulled: not yet
    virtualPad.setButton(6, true);   // start
    virtualPad.setButton(11, true);  // d-pad up
    PadState state;
    ASSERT_TRUE(pad.read(state));
    EXPECT_TRUE(state.mapped);
    EXPECT_EQ(state.x, -1000);
    EXPECT_EQ(state.y, 500);
    EXPECT_TRUE(state.held(PadButton::start));
    EXPECT_TRUE(state.held(PadButton::dpadUp));
    EXPECT_TRUE(state.held(PadButton::rightTrigger));
    EXPECT_FALSE(state.held(PadButton::leftTrigger));
    EXPECT_FALSE(state.held(PadButton::a));

    virtualPad.pullOut();
    EXPECT_FALSE(pad.read(state));
    EXPECT_FALSE(state.held(PadButton::start));
    EXPECT_FALSE(pad.isAttached());
    EXPECT_TRUE(GamePad::attachedIds().empty());
}

TEST_F(Pads, AnXpadLayoutPadHasItsHatAsTheDpad) {
    plugIn(VirtualPad::Layout::xpad);
    EXPECT_EQ(pad.style(), PadStyle::xbox);
    virtualPad.setButton(7, true);  // start, on the Linux driver's numbering
    virtualPad.setHat(VirtualPad::kHatUp | VirtualPad::kHatLeft);
    PadState state;
    ASSERT_TRUE(pad.read(state));
    EXPECT_TRUE(state.mapped);
    EXPECT_TRUE(state.held(PadButton::start));
    EXPECT_TRUE(state.held(PadButton::dpadUp));
    EXPECT_TRUE(state.held(PadButton::dpadLeft));
    EXPECT_FALSE(state.held(PadButton::dpadDown));
}

TEST_F(Pads, AnUnknownPadIsReadRawUntilAMappingFileMakesItKnown) {
    plugIn(VirtualPad::Layout::unmapped);
    EXPECT_EQ(pad.style(), PadStyle::unmapped);
    virtualPad.setAxis(0, 32767);
    virtualPad.setButton(9, true);
    virtualPad.setHat(VirtualPad::kHatDown);
    PadState state;
    ASSERT_TRUE(pad.read(state));
    EXPECT_FALSE(state.mapped);
    EXPECT_EQ(state.x, 1000);
    EXPECT_TRUE(state.buttons.test(9));
    EXPECT_FALSE(state.buttons.test(kRawHatUp));
    EXPECT_TRUE(state.buttons.test(kRawHatUp + 1));  // down

    const std::string path = testing::TempDir() + "gamecontrollerdb.txt";
    std::ofstream(path) << "# pads\n"
                        << virtualPad.guid()
                        << ",Virtual Stick,a:b0,b:b1,x:b2,y:b3,start:b9,dpdown:h0.4,dpleft:h0.8,"
                           "dpright:h0.2,dpup:h0.1,leftx:a0,lefty:a1,platform:Linux,\n";
    const std::u16string widePath(path.begin(), path.end());
    EXPECT_EQ(GamePad::addMappingsFromFile(widePath), 1);
    EXPECT_EQ(GamePad::addMappingsFromFile(u"/nonexistent/gamecontrollerdb.txt"), 0);
    std::remove(path.c_str());
    openOnly();
    EXPECT_EQ(pad.style(), PadStyle::xbox);
    ASSERT_TRUE(pad.read(state));
    EXPECT_TRUE(state.mapped);
    EXPECT_TRUE(state.held(PadButton::start));
    EXPECT_TRUE(state.held(PadButton::dpadDown));
    EXPECT_EQ(state.x, 1000);
}

TEST_F(Pads, ButtonsAreNamedAsEachMakerPrintsThem) {
    plugIn(VirtualPad::Layout::playStation);
    EXPECT_EQ(pad.style(), PadStyle::playstation);
    EXPECT_EQ(GamePad::buttonName(PadButton::a, PadStyle::playstation), "Cross");
    EXPECT_EQ(GamePad::buttonName(PadButton::b, PadStyle::playstation), "Circle");
    EXPECT_EQ(GamePad::buttonName(PadButton::start, PadStyle::playstation), "Options");
    EXPECT_EQ(GamePad::buttonName(PadButton::a, PadStyle::xbox), "A");
    EXPECT_EQ(GamePad::buttonName(PadButton::rightShoulder, PadStyle::xbox), "RB");
    EXPECT_EQ(GamePad::buttonName(PadButton::rightTrigger, PadStyle::nintendo), "ZR");
    EXPECT_EQ(GamePad::buttonName(PadButton::none, PadStyle::xbox), "");
    EXPECT_EQ(GamePad::rawButtonName(2), "Button-3");
    // The file names round trip for every button, triggers included.
    for (int i = 0; i < kPadButtonCount; ++i) {
        const auto button = static_cast<PadButton>(i);
        EXPECT_EQ(GamePad::buttonFromId(GamePad::buttonId(button)), button) << i;
    }
    EXPECT_EQ(GamePad::buttonFromId("nonsense"), PadButton::none);
    EXPECT_EQ(GamePad::buttonFromId(""), PadButton::none);
}

TEST(Keyboard, NamesKeysAndReadsThemBackFromFiles) {
    EXPECT_EQ(Keyboard::keyName(keys::leftShift), "Left Shift");
    EXPECT_EQ(Keyboard::keyName(keys::escape), "Esc");
    EXPECT_EQ(Keyboard::keyName(keys::none), "");
    EXPECT_EQ(Keyboard::keyName(9999), "");
    for (KeyCode key : {keys::z, keys::leftShift, keys::escape, keys::pad8, keys::enter})
        EXPECT_EQ(Keyboard::keyFromId(Keyboard::keyId(key)), key) << key;
    EXPECT_EQ(Keyboard::keyFromId("no such key"), keys::none);
    EXPECT_EQ(Keyboard::keyFromId(""), keys::none);
}
