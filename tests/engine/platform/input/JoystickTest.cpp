#include "engine/platform/input/Joystick.h"

#include <gtest/gtest.h>

#include "engine/platform/input/InputSystem.h"
#include "engine/platform/input/VirtualPad.h"

using namespace veru::platform;

TEST(Joystick, ScalesTheStickToPlusMinusAThousandAndFollowsHotPlugging) {
    InputSystem system;
    ASSERT_TRUE(system.start(nullptr));
    Joystick joystick;
    EXPECT_FALSE(joystick.openFirst());
    JoystickState state;
    EXPECT_FALSE(joystick.read(state));

    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn());
    EXPECT_EQ(Joystick::countAttached(), 1);
    ASSERT_TRUE(joystick.openFirst());
    pad.setAxis(0, -32768);
    pad.setAxis(1, 32767);
    pad.setButton(0, true);
    pad.setButton(9, true);
    ASSERT_TRUE(joystick.read(state));
    EXPECT_EQ(state.x, -1000);
    EXPECT_EQ(state.y, 1000);
    EXPECT_TRUE(state.buttons[0]);
    EXPECT_FALSE(state.buttons[1]);
    EXPECT_TRUE(state.buttons[9]);
    pad.setAxis(0, -16384);
    ASSERT_TRUE(joystick.read(state));
    EXPECT_EQ(state.x, -500);

    pad.pullOut();
    EXPECT_FALSE(joystick.read(state));
    EXPECT_FALSE(joystick.isAttached());
    EXPECT_EQ(Joystick::countAttached(), 0);
}
