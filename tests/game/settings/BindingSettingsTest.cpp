// The keys and pad buttons of the controls as the settings file keeps them.

#include <gtest/gtest.h>

#include "game/settings/GameSetting.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using ml::GameSetting;
using veru::YString;
using veru::dxt::event::ActionBindings;
using veru::dxt::event::ButtonMap;
using veru::dxt::event::Control;
using veru::platform::PadButton;
namespace keys = veru::platform::keys;

namespace {

class BindingSettingsTest : public ::testing::Test {
  protected:
    void write(std::initializer_list<std::u16string_view> records) {
        Bytes b;
        for (auto r : records)
            appendStringRecord(b, r);
        writeBytes(path, b);
    }

    TempDir dir;
    YString path = dir.file("setting.env");
    ButtonMap map;
    ActionBindings bindings;
    RecordingMessageSink boxes;
};

}  // namespace

TEST_F(BindingSettingsTest, AnOlderFileGetsTheKeysThatGoWithItsButtons) {
    bindings.setKeys(Control::up, 26);  // left over from before: must not survive
    write({u"[KEYbullet] = 2048", u"[KEYkintuba] = 32", u"[KEYbomb] = 64", u"[KEYslow] = 128",
           u"[KEYpause] = 8192"});
    GameSetting s(path, &map, &bindings);
    EXPECT_EQ(bindings.of(Control::shoot).keys, (std::array<int, 2>{keys::enter, 0}));
    EXPECT_EQ(bindings.of(Control::pause).keys, (std::array<int, 2>{keys::escape, 0}));
    EXPECT_EQ(bindings.of(Control::slow).keys, (std::array<int, 2>{keys::v, keys::leftShift}));
    EXPECT_EQ(bindings.of(Control::up).keys[0], keys::none);
    EXPECT_EQ(bindings.of(Control::shoot).pads[0], PadButton::a);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(BindingSettingsTest, ChosenKeysAndPadButtonsComeBackFromTheFile) {
    {
        GameSetting s(path, &map, &bindings);
        const veru::platform::KeyCode w = 26;
        ASSERT_TRUE(bindings.setKeys(Control::bomb, keys::leftShift, w));
        const veru::platform::KeyCode home = 74;
        ASSERT_TRUE(bindings.setKeys(Control::up, home));  // up on a key of its own too
        ASSERT_TRUE(bindings.setPadButtons(Control::special, PadButton::leftTrigger,
                                           PadButton::rightTrigger));
        s.save();
    }
    ActionBindings loaded;
    GameSetting again(path, &map, &loaded);
    for (int c = 0; c < veru::dxt::event::kControlCount; ++c)
        EXPECT_EQ(loaded.of(static_cast<Control>(c)), bindings.of(static_cast<Control>(c))) << c;
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(BindingSettingsTest, AValueNoControlCanHoldFallsBackAndIsNamed) {
    write({u"[KEYSbullet] = 82",  // the cursor key: a direction only
           u"[PADslow] = 12", u"[KEYSpause] = 41"});
    GameSetting s(path, &map, &bindings);
    EXPECT_EQ(bindings.of(Control::shoot).keys[0], keys::z);
    EXPECT_EQ(bindings.of(Control::slow).pads[0], PadButton::y);  // the d-pad would not do
    EXPECT_EQ(bindings.of(Control::pause).keys, (std::array<int, 2>{keys::escape, 0}));
    ASSERT_EQ(boxes.count(), 1u);
    const YString text = boxes.messages()[0].text;
    EXPECT_NE(text.find(u"KEYSbullet"), YString::npos);
    EXPECT_NE(text.find(u"PADslow"), YString::npos);
    EXPECT_EQ(text.find(u"「KEYSpause」の値"), YString::npos);
}
