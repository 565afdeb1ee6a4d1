#include <gtest/gtest.h>

#include "engine/input/ActionBindings.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/CombinedInput.h"
#include "engine/input/DirectInputFactory.h"
#include "engine/input/InputJoystick.h"
#include "engine/input/InputKeyboard.h"
#include "engine/input/ScriptedInput.h"
#include "engine/platform/input/InputSystem.h"
#include "engine/platform/input/VirtualPad.h"
#include "tests/support/RecordingMessageSink.h"

using namespace veru::dxt::event;
using mirelune::test::RecordingMessageSink;
using veru::YString;
using veru::platform::KeyCode;
using veru::platform::KeyStates;
using veru::platform::PadButton;
using veru::platform::PadState;
using veru::platform::PadStyle;
using veru::platform::VirtualPad;
namespace keys = veru::platform::keys;
using Layout = VirtualPad::Layout;

namespace {

KeyStates held(std::initializer_list<KeyCode> list) {
    KeyStates states;
    for (KeyCode k : list)
        states.set(static_cast<std::size_t>(k));
    return states;
}

PadState mapped(std::initializer_list<PadButton> list, int x = 0, int y = 0) {
    PadState state;
    state.mapped = true;
    state.x = x;
    state.y = y;
    for (PadButton b : list)
        state.buttons.set(PadState::index(b));
    return state;
}

ButtonMap defaultMasks() {
    ButtonMap map;
    for (int slot = ButtonMap::kShoot; slot <= ButtonMap::kPause; ++slot)
        map.setMask(slot, ButtonMap::defaultMask(slot));
    return map;
}

// Buttons the controller-layout virtual pad numbers as SDL does.
constexpr int kPadA = 0;
constexpr int kPadStart = 6;
constexpr int kPadDpadLeft = 13;

}  // namespace

TEST(ActionBindings, TheDefaultKeysKeepTheClassicWordAndAddShiftAndEsc) {
    const ActionBindings bindings;
    const ButtonMap map = defaultMasks();
    EXPECT_EQ(bindings.keyWord(held({keys::up, keys::pad8}), map), 0x1);
    EXPECT_EQ(bindings.keyWord(held({keys::pad2, keys::left}), map), 0x2 | 0x4);
    EXPECT_EQ(bindings.keyWord(held({keys::z, keys::x, keys::c, keys::v, keys::a}), map), 0x1F0);
    EXPECT_EQ(bindings.keyWord(held({keys::leftShift}), map), 0x80);  // slow
    EXPECT_EQ(bindings.keyWord(held({keys::escape}), map), 0x100);    // pause
    EXPECT_EQ(bindings.keyWord(held({keys::s, keys::enter, keys::space}), map), 0);
    // The word follows the action table: shoot read from button 8.
    ButtonMap moved = map;
    moved.setMask(ButtonMap::kShoot, 0x800);
    EXPECT_EQ(bindings.keyWord(held({keys::z}), moved), 0x800);
}

TEST(ActionBindings, AnyKeyCanBeBoundButTheCursorKeysStayDirections) {
    ActionBindings bindings;
    const ButtonMap map = defaultMasks();
    const KeyCode w = 26;
    EXPECT_EQ(bindings.keyWord(held({w}), map), 0);
    ASSERT_TRUE(bindings.setKeys(Control::up, w));
    EXPECT_EQ(bindings.keyWord(held({w}), map), 0x1);
    EXPECT_EQ(bindings.keyWord(held({keys::up}), map), 0x1);  // still

    EXPECT_FALSE(bindings.setKeys(Control::shoot, keys::up));
    EXPECT_FALSE(bindings.setKeys(Control::shoot, keys::z, keys::z));
    EXPECT_EQ(bindings.of(Control::shoot).keys[0], keys::z);

    // A key moves: Left Shift leaves slow, which keeps V.
    ASSERT_TRUE(bindings.setKeys(Control::bomb, keys::leftShift, w));
    EXPECT_EQ(bindings.controlOfKey(keys::leftShift), Control::bomb);
    EXPECT_EQ(bindings.of(Control::slow).keys[0], keys::v);
    EXPECT_EQ(bindings.of(Control::slow).keys[1], keys::none);
    EXPECT_EQ(bindings.of(Control::up).keys[0], keys::none);
    EXPECT_EQ(bindings.keyWord(held({w}), map), 0x40);
}

TEST(ActionBindings, DefaultsFollowTheMasksOfAnOlderSettingsFile) {
    ButtonMap map = defaultMasks();
    map.setMask(ButtonMap::kShoot, 0x30);     // Z and X
    map.setMask(ButtonMap::kSpecial, 0x400);  // right Ctrl
    map.setMask(ButtonMap::kPause, 0x2000);   // Esc itself
    map.setMask(ButtonMap::kBomb, 0);         // broken: the default C
    ActionBindings bindings;
    bindings.restoreDefaults(map);
    EXPECT_EQ(bindings.of(Control::shoot).keys, (std::array<KeyCode, 2>{keys::z, keys::x}));
    EXPECT_EQ(bindings.of(Control::special).keys[0], keys::rightCtrl);
    EXPECT_EQ(bindings.of(Control::pause).keys, (std::array<KeyCode, 2>{keys::escape, 0}));
    EXPECT_EQ(bindings.of(Control::bomb).keys[0], keys::c);
    EXPECT_EQ(bindings.of(Control::slow).keys, (std::array<KeyCode, 2>{keys::v, keys::leftShift}));
    EXPECT_EQ(bindings.keyWord(held({keys::x}), map), 0x30);
    EXPECT_EQ(bindings.keyWord(held({keys::escape}), map), 0x2000);
}

TEST(ActionBindings, AMappedPadMovesByStickAndDpadAndActsByItsBindings) {
    ActionBindings bindings;
    const ButtonMap map = defaultMasks();
    EXPECT_EQ(bindings.padWord(mapped({PadButton::dpadUp, PadButton::dpadRight}), map), 0x1 | 0x8);
    EXPECT_EQ(bindings.padWord(mapped({}, -500, 500), map), 0);  // exactly half: no direction
    EXPECT_EQ(bindings.padWord(mapped({}, -501, 501), map), 0x4 | 0x2);
    EXPECT_EQ(bindings.padWord(mapped({PadButton::a, PadButton::start}), map), 0x10 | 0x100);
    EXPECT_EQ(bindings.padWord(mapped({PadButton::rightShoulder}), map), 0x80);
    EXPECT_EQ(bindings.padWord(mapped({PadButton::leftTrigger}), map), 0);

    ASSERT_TRUE(bindings.setPadButton(Control::bomb, PadButton::leftTrigger));
    EXPECT_EQ(bindings.padWord(mapped({PadButton::leftTrigger}), map), 0x40);
    EXPECT_EQ(bindings.padWord(mapped({PadButton::b}), map), 0);
    ASSERT_TRUE(bindings.setPadButton(Control::shoot, PadButton::y));  // off slow, RB stays
    EXPECT_EQ(bindings.of(Control::slow).pads[0], PadButton::rightShoulder);
    EXPECT_FALSE(bindings.setPadButton(Control::shoot, PadButton::dpadDown));
    EXPECT_FALSE(bindings.setPadButton(Control::up, PadButton::a));
}

TEST(ActionBindings, AnUnmappedPadKeepsTheRawButtonsAndUsesItsHat) {
    const ActionBindings bindings;
    const ButtonMap map = defaultMasks();
    PadState raw;
    raw.buttons.set(1);
    raw.buttons.set(9);
    raw.buttons.set(veru::platform::kRawHatUp + 3);  // hat right
    raw.y = 1000;
    EXPECT_EQ(bindings.padWord(raw, map), 0x20 | 0x2000 | 0x8 | 0x2);
}

TEST(FreshPress, OnlyWhatWentDownSinceTheLastReadingCounts) {
    EXPECT_EQ(InputKeyboard::firstNewKey(held({keys::z}), held({keys::z, keys::leftShift})),
              keys::leftShift);
    EXPECT_EQ(InputKeyboard::firstNewKey(held({keys::z}), held({keys::z})), keys::none);
    const FreshPress pad = InputJoystick::firstNewButton(mapped({PadButton::a}),
                                                         mapped({PadButton::a, PadButton::start}));
    EXPECT_EQ(pad.padButton, PadButton::start);
    PadState rawBefore, rawNow;
    rawNow.buttons.set(veru::platform::kRawHatUp);  // the hat is no button
    rawNow.buttons.set(4);
    EXPECT_EQ(InputJoystick::firstNewButton(rawBefore, rawNow).rawButton, 4);
}

class Devices : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(system.start(nullptr)); }

    // Keyboard and pads as the game reads them, the keyboard scripted.
    CombinedInput& combined() {
        auto script = std::make_unique<ScriptedInput>();
        keyboard = script.get();
        input = std::make_unique<CombinedInput>(std::move(script), &bindings, &map);
        input->setup(&system, nullptr);
        return *input;
    }

    veru::platform::InputSystem system;
    ActionBindings bindings;
    ButtonMap map = defaultMasks();
    ScriptedInput* keyboard = nullptr;
    std::unique_ptr<CombinedInput> input;
};

TEST_F(Devices, KeyboardAndTwoPadsAllCountAtOnce) {
    VirtualPad first, second;
    ASSERT_TRUE(first.plugIn(Layout::controller));
    ASSERT_TRUE(second.plugIn(Layout::xpad));
    CombinedInput& in = combined();
    EXPECT_EQ(in.padCount(), 2u);
    keyboard->set(0, 0x8);         // right on the keyboard
    first.setButton(kPadA, true);  // shoot
    second.setButton(7, true);     // start on the xpad layout: pause
    second.setHat(VirtualPad::kHatUp);
    EXPECT_EQ(in.poll(), 0x8 | 0x10 | 0x100 | 0x1);
    EXPECT_EQ(in.padInUse().name, "Virtual Controller");  // both pressed: the first

    first.setButton(kPadA, false);
    EXPECT_EQ(in.poll(), 0x8 | 0x100 | 0x1);
    EXPECT_EQ(in.padInUse().name, "Virtual X-Box 360 Pad");
    EXPECT_EQ(in.padInUse().style, PadStyle::xbox);
}

TEST_F(Devices, APadPulledOutReleasesWhatWasHeldAndANewOneIsPickedUp) {
    auto pad = std::make_unique<VirtualPad>();
    ASSERT_TRUE(pad->plugIn(Layout::controller));
    CombinedInput& in = combined();
    pad->setButton(kPadStart, true);
    pad->setButton(kPadDpadLeft, true);
    EXPECT_EQ(in.poll(), 0x100 | 0x4);
    pad.reset();  // pulled out while held
    EXPECT_EQ(in.poll(), 0);
    EXPECT_EQ(in.padCount(), 0u);
    EXPECT_FALSE(in.padInUse().present);

    VirtualPad other;
    ASSERT_TRUE(other.plugIn(Layout::playStation));
    other.setButton(kPadA, true);
    int word = 0;
    for (int frame = 0; frame <= CombinedInput::kRetryFrames && word == 0; ++frame)
        word = in.poll();
    EXPECT_EQ(word, 0x10);
    EXPECT_EQ(in.padInUse().style, PadStyle::playstation);
}

TEST_F(Devices, AnUnmappedPadReadsItsHatAndRawButtons) {
    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn(Layout::unmapped));
    CombinedInput& in = combined();
    pad.setButton(4, true);
    pad.setHat(VirtualPad::kHatDown | VirtualPad::kHatLeft);
    EXPECT_EQ(in.poll(), 0x100 | 0x2 | 0x4);
    EXPECT_EQ(in.freshPress().rawButton, 4);
    EXPECT_EQ(in.padInUse().style, PadStyle::unmapped);
}

TEST_F(Devices, TheFreshPressOfAPadIsItsNamedButton) {
    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn(Layout::controller));
    CombinedInput& in = combined();
    in.poll();
    pad.setButton(kPadStart, true);
    in.poll();
    EXPECT_EQ(in.freshPress().padButton, PadButton::start);
    in.poll();
    EXPECT_FALSE(in.freshPress().any());  // still held: not fresh
}

class Factory : public testing::Test {
  protected:
    RecordingMessageSink sink;
    DirectInputFactory factory;
};

TEST_F(Factory, GivesKeyboardAndPadsTogether) {
    ASSERT_TRUE(factory.setup(true));
    VirtualPad pad;
    ASSERT_TRUE(pad.plugIn());
    InputInterface* input = factory.createInputInterface(nullptr, DirectInputFactory::kPreferPad);
    auto* combined = dynamic_cast<CombinedInput*>(input);
    ASSERT_NE(combined, nullptr);
    EXPECT_EQ(combined->padCount(), 1u);
    pad.setButton(kPadA, true);
    EXPECT_EQ(input->poll() & ButtonMap::global().mask(ButtonMap::kShoot),
              ButtonMap::global().mask(ButtonMap::kShoot));
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(Factory, WarnsWhenNoPadIsFoundAndStillGivesTheKeyboard) {
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
