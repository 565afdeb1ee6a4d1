#include "frontend/GameSetting.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using ml::GameSetting;
using veru::YString;
using veru::dxt::event::ButtonMap;

namespace {

Bytes settingsFile(std::initializer_list<std::u16string_view> records) {
    Bytes b;
    for (auto r : records)
        appendStringRecord(b, r);
    return b;
}

void expectDefaultMasks(const GameSetting& s, const ButtonMap& map) {
    EXPECT_EQ(s.getMaskShoot(), 0x10);
    EXPECT_EQ(s.getMaskSpecial(), 0x20);
    EXPECT_EQ(s.getMaskBomb(), 0x40);
    EXPECT_EQ(s.getMaskSlow(), 0x80);
    EXPECT_EQ(s.getMaskPause(), 0x100);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(map.mask(n), 0x10 << (n - 1)) << n;
}

class GameSettingTest : public ::testing::Test {
  protected:
    TempDir dir;
    YString path = dir.file("setting.env");
    ButtonMap map;
    RecordingMessageSink boxes;
};

}  // namespace

TEST_F(GameSettingTest, AFirstStartGivesTheDefaultsAndAnEmptyFile) {
    GameSetting s(path, &map);
    EXPECT_FALSE(s.isFullScreen());
    EXPECT_EQ(s.getLevel(), GameSetting::kLevelNormal);
    EXPECT_EQ(s.getHiScore(), 0);
    EXPECT_EQ(s.getLastScore(), 0);
    expectDefaultMasks(s, map);
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(GameSettingTest, SavesItsEightRecordsInKeyOrder) {
    {
        GameSetting s(path, &map);
        s.setFullScreen(true);
        s.setLevel(GameSetting::kLevelHard);
        s.setMaskShoot(0x30);
        s.setHiScore(123400);
        s.save();
    }
    EXPECT_EQ(readBytes(path),
              settingsFile({u"[KEYbomb] = 64", u"[KEYbullet] = 48", u"[KEYkintuba] = 32",
                            u"[KEYpause] = 256", u"[KEYslow] = 128", u"[LEVEL] = 12",
                            u"[SCORE] = 123400", u"[SCREEN] = 2"}));
    GameSetting again(path, &map);
    EXPECT_TRUE(again.isFullScreen());
    EXPECT_EQ(again.getLevel(), GameSetting::kLevelHard);
    EXPECT_EQ(again.getHiScore(), 123400);
    EXPECT_EQ(map.mask(ButtonMap::kShoot), 0x30);
}

TEST_F(GameSettingTest, ValuesMapToLevelsAndScreenModes) {
    struct Case {
        const char16_t* level;
        int code;
        const char16_t* saved;
    };
    for (Case c :
         {Case{u"10", GameSetting::kLevelEasy, u"10"},
          Case{u"11", GameSetting::kLevelNormal, u"11"},
          Case{u"12", GameSetting::kLevelHard, u"12"}, Case{u"7", GameSetting::kLevelNormal, u"11"},
          Case{u"hard", GameSetting::kLevelNormal, u"11"}}) {
        writeBytes(path, settingsFile({YString(u"[LEVEL] = ") + c.level, u"[SCREEN] = 1"}));
        GameSetting s(path, &map);
        EXPECT_EQ(s.getLevel(), c.code) << YString(c.level).toUtf8();
        EXPECT_FALSE(s.isFullScreen());
        s.save();
        veru::io::KeyValueFile saved(path);
        EXPECT_EQ(saved.get(u"LEVEL"), YString(c.saved));
        EXPECT_EQ(saved.get(u"SCREEN"), YString(u"1"));
    }
}

TEST_F(GameSettingTest, AnUnusableMaskResetsAllFiveAndUnknownKeysSurvive) {
    writeBytes(path, settingsFile({u"[KEYbullet] = 0", u"[KEYbomb] = 1024", u"[Extra] = kept"}));
    GameSetting s(path, &map);
    expectDefaultMasks(s, map);
    s.save();
    EXPECT_EQ(veru::io::KeyValueFile(path).get(u"Extra"), YString(u"kept"));

    // A direction bit is no button an action can be bound to.
    writeBytes(path, settingsFile({u"[KEYpause] = 1"}));
    GameSetting withDirection(path, &map);
    expectDefaultMasks(withDirection, map);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(GameSettingTest, TheFirstRecordOfAKeyWins) {
    writeBytes(path, settingsFile({u"[SCORE] = 500", u"[SCORE] = 900"}));
    EXPECT_EQ(GameSetting(path, &map).getHiScore(), 500);
}

TEST_F(GameSettingTest, BrokenFilesFallBackToDefaultsAndAreKeptAside) {
    const std::vector<Bytes> broken = {
        // cut short inside a record
        [] {
            Bytes b = settingsFile({u"[SCORE] = 500", u"[LEVEL] = 12"});
            b.resize(b.size() - 3);
            return b;
        }(),
        // a number out of the int range
        settingsFile({u"[SCORE] = 99999999999", u"[LEVEL] = 12"}),
        // garbage
        Bytes{0xFF, 0xFF, 0xFF, 0x7F, 'x', 'y', 'z'},
    };
    for (std::size_t i = 0; i < broken.size(); ++i) {
        writeBytes(path, broken[i]);
        std::filesystem::remove(dir.path() / "setting.env.broken");
        RecordingMessageSink sink;
        GameSetting s(path, &map);
        EXPECT_EQ(s.getLevel(), GameSetting::kLevelNormal) << i;
        EXPECT_EQ(s.getHiScore(), 0) << i;
        expectDefaultMasks(s, map);
        // Nothing is lost: the unreadable file is kept beside the new one.
        EXPECT_EQ(readBytes(path + u".broken"), broken[i]) << i;
        ASSERT_EQ(sink.count(), 1u) << i;
        EXPECT_EQ(sink.messages()[0].caption, YString(u"GameSetting::GameSetting()"));
        EXPECT_NE(sink.messages()[0].text.indexOf(u"setting.env.broken"), -1);
        // The next save writes a complete, readable file.
        s.setHiScore(42);
        s.save();
        EXPECT_EQ(GameSetting(path, &map).getHiScore(), 42) << i;
    }
}

TEST(GameSettingKeys, CodesNameTheirKeys) {
    EXPECT_EQ(GameSetting::keyName(0x123456), YString(u"SCREEN"));
    EXPECT_EQ(GameSetting::keyName(0x12345D), YString(u"SCORE"));
    EXPECT_EQ(GameSetting::keyName(0x12345B), YString(u"KEYslow"));
    EXPECT_EQ(GameSetting::keyName(0x123455), YString());
}
