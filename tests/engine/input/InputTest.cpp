#include <gtest/gtest.h>

#include "engine/input/ButtonMap.h"
#include "engine/input/DirectInputFactory.h"
#include "engine/input/InputJoystick.h"
#include "engine/input/InputKeyboard.h"
#include "engine/input/InputSwitcher.h"
#include "engine/input/ScriptedInput.h"
#include "engine/platform/input/InputSystem.h"
#include "engine/platform/input/VirtualPad.h"
#include "tests/support/RecordingMessageSink.h"

using namespace veru::dxt::event;
using mirelune::test::RecordingMessageSink;
using veru::YString;
using veru::platform::Key;
using veru::platform::KeyStates;
using veru::platform::VirtualPad;

namespace {

KeyStates keys(std::initializer_list<Key> held) {
    KeyStates states{};
    for (Key k : held)
        states[static_cast<std::size_t>(k)] = true;
    return states;
}

}  // namespace

TEST(InputKeyboard, MapsTheKeysOfTheTableToTheButtonWord) {
    EXPECT_EQ(InputKeyboard::buttonsOf(keys({Key::up, Key::pad8})), 0x1);
    EXPECT_EQ(InputKeyboard::buttonsOf(keys({Key::pad2, Key::pad4})), 0x2 | 0x4);
    EXPECT_EQ(InputKeyboard::buttonsOf(keys({Key::right, Key::pad6})), 0x8);
    const Key buttons[] = {Key::z, Key::x,         Key::c,     Key::v,     Key::a,
                           Key::s, Key::rightCtrl, Key::enter, Key::space, Key::escape};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(InputKeyboard::buttonsOf(keys({buttons[i]})), 0x10 << i) << i;
    }
    EXPECT_EQ(InputKeyboard::buttonsOf(keys({})), 0);
}

// The configuration names the key of each button from the same table.
TEST(InputKeyboard, NamesTheKeyOfEachButton) {
    const char* names[] = {"Z", "X", "C", "V", "A", "S", "Right Ctrl", "Return", "Space", "Escape"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(InputKeyboard::keyNameOf(0x10 << i).toUtf8(), names[i]) << i;
    EXPECT_TRUE(InputKeyboard::keyNameOf(0x1).empty());   // a direction
    EXPECT_TRUE(InputKeyboard::keyNameOf(0x30).empty());  // two buttons
    InputKeyboard keyboard;
    EXPECT_EQ(keyboard.buttonKeyName(0x10).toUtf8(), "Z");
    ScriptedInput script;
    EXPECT_TRUE(script.buttonKeyName(0x10).empty());
}

TEST(InputKeyboard, WithoutSetupPollReportsNoDevice) {
    InputKeyboard keyboard;
    EXPECT_EQ(keyboard.poll(), -1);
}

TEST(InputJoystick, TheStickCountsOnlyBeyondHalfDeflection) {
    veru::platform::JoystickState s;
    s.x = -500;
    s.y = 500;
    EXPECT_EQ(InputJoystick::buttonsOf(s), 0);
    s.x = -501;
    EXPECT_EQ(InputJoystick::buttonsOf(s), 0x4);
    s.x = 501;
    s.y = -501;
    EXPECT_EQ(InputJoystick::buttonsOf(s), 0x8 | 0x1);
    s = {};
    s.y = 1000;
    s.buttons[1] = s.buttons[9] = true;
    EXPECT_EQ(InputJoystick::buttonsOf(s), 0x2 | 0x20 | 0x2000);
}

TEST(InputJoystick, ARebindOfShootToTwoButtonsFiresOnEither) {
    ButtonMap map;
    map.setMask(ButtonMap::kShoot, 0x30);
    veru::platform::JoystickState s;
    s.buttons[1] = true;
    EXPECT_TRUE(map.held(ButtonMap::kShoot, InputJoystick::buttonsOf(s)));
}

class Factory : public testing::Test {
  protected:
    RecordingMessageSink sink;
    DirectInputFactory factory;
};

TEST_F(Factory, PrefersAnAttachedPadAndIgnoresTheKeyboardThen) {
    ASSERT_TRUE(factory.setup(true));
    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn());
    InputInterface* input = factory.createInputInterface(nullptr, DirectInputFactory::kPreferPad);
    ASSERT_NE(input, nullptr);
    auto* switcher = dynamic_cast<InputSwitcher*>(input);
    ASSERT_NE(switcher, nullptr);
    EXPECT_TRUE(switcher->isUsingPad());
    pad.setAxis(0, -16384);  // exactly -500: no direction
    pad.setButton(0, true);
    EXPECT_EQ(input->poll(), 0x10);
    pad.setAxis(0, -16417);  // -501: left
    EXPECT_EQ(input->poll(), 0x10 | 0x4);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(Factory, FallsBackToTheKeyboardWhenThePadGoesAndPicksUpANewOne) {
    ASSERT_TRUE(factory.setup(false));
    auto first = std::make_unique<VirtualPad>();
    ASSERT_TRUE(first->plugIn());
    InputInterface* input = factory.createInputInterface(nullptr, DirectInputFactory::kPreferPad);
    auto* switcher = dynamic_cast<InputSwitcher*>(input);
    ASSERT_NE(switcher, nullptr);
    first->setButton(2, true);
    EXPECT_EQ(input->poll(), 0x40);

    first.reset();  // pulled out while held
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(input->poll(), 0) << frame;  // the keyboard, nothing held
    }
    EXPECT_FALSE(switcher->isUsingPad());

    VirtualPad second;
    ASSERT_TRUE(second.plugIn());
    second.setButton(4, true);
    int word = 0;
    for (int frame = 0; frame <= InputSwitcher::kRetryFrames && word == 0; ++frame) {
        word = input->poll();
    }
    EXPECT_EQ(word, 0x100);
    EXPECT_TRUE(switcher->isUsingPad());
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(Factory, WarnsWhenNoPadIsFoundAndGivesTheKeyboard) {
    ASSERT_TRUE(factory.setup(true));
    InputInterface* input = factory.createInputInterface(nullptr, DirectInputFactory::kPreferPad);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->poll(), 0);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].kind, veru::awt::MessageKind::warning);
    EXPECT_EQ(sink.messages()[0].text, YString(u"パッドが見つかりませんでした。"));
    EXPECT_EQ(sink.messages()[0].caption, YString(u"パッド検出"));
}

TEST_F(Factory, OtherKindsGiveThePlainKeyboardEvenWithAPad) {
    ASSERT_TRUE(factory.setup(true));
    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn());
    InputInterface* input = factory.createInputInterface(nullptr, 1);
    EXPECT_NE(dynamic_cast<InputKeyboard*>(input), nullptr);
    EXPECT_EQ(factory.getInterfaceCount(), 1u);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(Factory, WithoutSetupThePadErrorIsShownAndNothingIsReturned) {
    InputInterface* input = factory.createInputInterface(nullptr, DirectInputFactory::kPreferPad);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(factory.getInterfaceCount(), 1u);  // the null result is kept too
    auto m = sink.messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].text,
              YString(u"パッド検出中にエラーが起きました:") + u"EnumDeviceに失敗しました…");
    EXPECT_EQ(m[0].caption, YString(u"DirectInputFactory::createInputInterface()"));
    EXPECT_EQ(m[1].caption, YString(u"InputKeyboard.setup()"));
}

TEST(ScriptedInput, PlaysBackWordsByFrameAndLayersPresses) {
    ScriptedInput input{{2, 0x8}, {5, 0}};
    input.press(3, 0x10, 4);  // frames 3-6, over the held right
    std::vector<int> words;
    for (int i = 0; i < 9; ++i)
        words.push_back(input.poll());
    EXPECT_EQ(words, (std::vector<int>{0, 0, 0x8, 0x18, 0x18, 0x10, 0x10, 0, 0}));
    EXPECT_EQ(input.getFrame(), 9);
    input.rewind();
    EXPECT_EQ(input.poll(), 0);
}
