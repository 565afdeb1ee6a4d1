#include "game/settings/GameSetting.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "engine/exceptions/Exception.h"
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

// A file as the game saves it: `records` with the default keys and pad
// buttons of the controls and the records of play (where `records` gives
// none of their own) beside them, every record in key order.
Bytes savedFile(std::initializer_list<std::u16string_view> records) {
    std::vector<std::u16string_view> all(records);
    const auto key = [](std::u16string_view r) { return r.substr(0, r.find(u']')); };
    for (std::u16string_view binding :
         {u"[KEYSbomb] = 6", u"[KEYSbullet] = 29", u"[KEYSdown] = 0", u"[KEYSkintuba] = 27",
          u"[KEYSleft] = 0", u"[KEYSpause] = 20996", u"[KEYSright] = 0", u"[KEYSslow] = 115225",
          u"[KEYSup] = 0", u"[PADbomb] = 2", u"[PADbullet] = 1", u"[PADkintuba] = 3",
          u"[PADpause] = 7", u"[PADslow] = 356"})
        all.push_back(binding);
    // No records yet: each heroine's on each difficulty, and its day.
    for (std::u16string_view record :
         {u"[SCOREDATEhotaruEasy] = 0", u"[SCOREDATEhotaruHard] = 0",
          u"[SCOREDATEhotaruNormal] = 0", u"[SCOREDATEshiroEasy] = 0", u"[SCOREDATEshiroHard] = 0",
          u"[SCOREDATEshiroNormal] = 0", u"[SCOREhotaruEasy] = 0", u"[SCOREhotaruHard] = 0",
          u"[SCOREhotaruNormal] = 0", u"[SCOREshiroEasy] = 0", u"[SCOREshiroHard] = 0",
          u"[SCOREshiroNormal] = 0"}) {
        if (std::none_of(records.begin(), records.end(),
                         [&](std::u16string_view given) { return key(given) == key(record); }))
            all.push_back(record);
    }
    // In the order of their keys ("SCORE" before "SCOREDATE...").
    std::sort(all.begin(), all.end(), [&](auto a, auto b) { return key(a) < key(b); });
    Bytes b;
    for (auto r : all)
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

TEST_F(GameSettingTest, SavesItsRecordsInKeyOrder) {
    {
        GameSetting s(path, &map);
        s.setFullScreen(true);
        s.setLevel(GameSetting::kLevelHard);
        s.setMaskShoot(0x30);
        s.setHiScore(123400);
        s.save();
    }
    EXPECT_EQ(readBytes(path),
              savedFile({u"[KEYbomb] = 64", u"[KEYbullet] = 48", u"[KEYkintuba] = 32",
                         u"[KEYpause] = 256", u"[KEYslow] = 128", u"[LANGUAGE] = 0",
                         u"[LEVEL] = 12", u"[SCORE] = 123400", u"[SCREEN] = 2",
                         u"[VOLUMEeffect] = 10", u"[VOLUMEmusic] = 10", u"[WINDOWscale] = 1"}));
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
    };
    for (Case c : {Case{u"10", GameSetting::kLevelEasy}, Case{u"11", GameSetting::kLevelNormal},
                   Case{u"12", GameSetting::kLevelHard}}) {
        writeBytes(path, settingsFile({YString(u"[LEVEL] = ") + c.level, u"[SCREEN] = 1"}));
        GameSetting s(path, &map);
        EXPECT_EQ(s.getLevel(), c.code) << YString(c.level).toUtf8();
        EXPECT_FALSE(s.isFullScreen());
        s.save();
        veru::io::KeyValueFile saved(path);
        EXPECT_EQ(saved.get(u"LEVEL"), YString(c.level));
        EXPECT_EQ(saved.get(u"SCREEN"), YString(u"1"));
    }
    EXPECT_EQ(boxes.count(), 0u);
}

// A value the game would never write is read as no value at all: that key
// alone takes its default, the others keep what the file said, the file is
// kept aside and the box names the key.
TEST_F(GameSettingTest, ABadValueCostsOnlyItsOwnKey) {
    struct Case {
        const char* what;
        std::u16string_view record;
        std::u16string_view key;
    };
    const Case cases[] = {
        {"a damaged '='", u"[KEYslow] < 4096", u"KEYslow"},
        {"a damaged space", u"[SCORE]0= 12", u"SCORE"},
        {"trailing garbage", u"[SCORE] = 12abc", u"SCORE"},
        {"a damaged volume digit", u"[VOLUMEmusic] = \u0137", u"VOLUMEmusic"},
        {"a level out of range", u"[LEVEL] = 7", u"LEVEL"},
        {"an unusable mask", u"[KEYbullet] = 0", u"KEYbullet"},
        {"a mask with a direction bit", u"[KEYpause] = 257", u"KEYpause"},
        {"a volume out of range", u"[VOLUMEeffect] = 99", u"VOLUMEeffect"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const YString file = dir.file("case" + std::to_string(++n) + ".env");
        const Bytes bytes = settingsFile({c.record, u"[KEYbomb] = 1024", u"[LEVEL] = 12",
                                          u"[VOLUMEmusic] = 3", u"[SCORE] = 500"});
        writeBytes(file, bytes);
        RecordingMessageSink sink;
        GameSetting s(file, &map);
        ASSERT_EQ(s.getUnreadKeys(), std::vector<YString>{YString(c.key)}) << c.what;
        // The other keys keep what the file said (the first record of a key wins).
        EXPECT_EQ(map.mask(ButtonMap::kBomb), 1024) << c.what;
        EXPECT_EQ(s.getLevel(),
                  c.key == u"LEVEL" ? GameSetting::kLevelNormal : GameSetting::kLevelHard)
            << c.what;
        EXPECT_EQ(s.getMusicVolume(), c.key == u"VOLUMEmusic" ? 10 : 3) << c.what;
        EXPECT_EQ(s.getHiScore(), c.key == u"SCORE" ? 0 : 500) << c.what;
        ASSERT_EQ(sink.count(), 1u) << c.what;
        const YString text = sink.messages()[0].text;
        EXPECT_NE(text.indexOf(YString(u"「") + YString(std::u16string(c.key)) + u"」"), -1)
            << c.what << "\n"
            << text.toUtf8();
        EXPECT_EQ(readBytes(file + u".broken"), bytes) << c.what;
    }
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(GameSettingTest, UnknownKeysSurviveASave) {
    writeBytes(path, settingsFile({u"[KEYbomb] = 1024", u"[Extra] = kept"}));
    GameSetting s(path, &map);
    EXPECT_EQ(map.mask(ButtonMap::kBomb), 1024);
    s.save();
    EXPECT_EQ(veru::io::KeyValueFile(path).get(u"Extra"), YString(u"kept"));
    EXPECT_EQ(boxes.count(), 0u);
}

// Leaving the game in the middle of a rebinding (masks cleared, not all
// bound again) saves the defaults, not masks the next start would refuse.
TEST_F(GameSettingTest, AnUnfinishedRebindingSavesTheDefaults) {
    GameSetting s(path, &map);
    s.setMaskShoot(0x200);
    s.setMaskSpecial(0);
    s.save();
    GameSetting again(path, &map);
    EXPECT_TRUE(again.getUnreadKeys().empty());
    expectDefaultMasks(again, map);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(GameSettingTest, TheFirstRecordOfAKeyWins) {
    writeBytes(path, settingsFile({u"[SCORE] = 500", u"[SCORE] = 900"}));
    EXPECT_EQ(GameSetting(path, &map).getHiScore(), 500);
}

// The volumes and the window size came later: files without them read as
// full volume in a 1x window, and the records the game wrote before stay as
// they were, so an older build reading a new file finds its own keys intact
// (it passes the others by, as it does any key it does not know). The one
// old score is Shiro's record on the file's difficulty too.
TEST_F(GameSettingTest, VolumesAndWindowSizeRoundTripBesideTheOldKeys) {
    writeBytes(path, settingsFile({u"[LEVEL] = 12", u"[SCORE] = 700"}));
    {
        GameSetting old(path, &map);
        EXPECT_EQ(old.getMusicVolume(), GameSetting::kMaxVolume);
        EXPECT_EQ(old.getEffectVolume(), GameSetting::kMaxVolume);
        EXPECT_EQ(old.getWindowScale(), 1);
        old.setMusicVolume(3);
        old.setEffectVolume(-4);  // clamped
        old.setWindowScale(2);
        old.save();
    }
    EXPECT_EQ(
        readBytes(path),
        savedFile({u"[KEYbomb] = 64", u"[KEYbullet] = 16", u"[KEYkintuba] = 32",
                   u"[KEYpause] = 256", u"[KEYslow] = 128", u"[LANGUAGE] = 0", u"[LEVEL] = 12",
                   u"[SCORE] = 700", u"[SCOREshiroHard] = 700", u"[SCREEN] = 1",
                   u"[VOLUMEeffect] = 0", u"[VOLUMEmusic] = 3", u"[WINDOWscale] = 2"}));
    GameSetting again(path, &map);
    EXPECT_EQ(again.getMusicVolume(), 3);
    EXPECT_EQ(again.getEffectVolume(), 0);
    EXPECT_EQ(again.getWindowScale(), 2);
    EXPECT_EQ(again.getLevel(), GameSetting::kLevelHard);
    EXPECT_EQ(again.getHiScore(), 700);
    EXPECT_EQ(boxes.count(), 0u);
}

// Damage costs only what it touches: what can still be read is used, the
// file is kept under a name of its own, and the box says what was kept.
TEST_F(GameSettingTest, ADamagedFileKeepsWhatCanBeReadAndEachBackupItsOwnName) {
    const Bytes whole =
        settingsFile({u"[KEYbullet] = 48", u"[LEVEL] = 12", u"[SCORE] = 123400", u"[SCREEN] = 2"});
    Bytes stray = whole;
    stray.insert(stray.begin() + 40, 0x7F);  // inside the LEVEL record
    Bytes cut = whole;
    cut.resize(cut.size() - 3);
    struct Case {
        const char* what;
        Bytes bytes;
        int level;
        int score;
        bool full;
        const char16_t* lost;  // named in the box
    };
    const Case cases[] = {
        {"a stray byte", stray, GameSetting::kLevelNormal, 123400, true, u"難易度"},
        {"cut short", cut, GameSetting::kLevelHard, 123400, false, u"画面"},
        {"a 30-digit score",
         settingsFile({u"[KEYbullet] = 48", u"[LEVEL] = 12",
                       u"[SCORE] = 123456789012345678901234567890", u"[SCREEN] = 2"}),
         GameSetting::kLevelHard, 0, true, u"ハイスコア"},
    };
    std::vector<std::string> backups;
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        RecordingMessageSink sink;
        GameSetting s(path, &map);
        EXPECT_EQ(s.getLevel(), c.level) << c.what;
        EXPECT_EQ(s.getHiScore(), c.score) << c.what;
        EXPECT_EQ(s.isFullScreen(), c.full) << c.what;
        EXPECT_EQ(s.getMaskShoot(), 0x30) << c.what;  // the bindings survive
        ASSERT_EQ(sink.count(), 1u) << c.what;
        const YString text = sink.messages()[0].text;
        EXPECT_EQ(sink.messages()[0].caption, YString(u"GameSetting::GameSetting()"));
        EXPECT_NE(text.indexOf(u"読めた設定（"), -1) << c.what;
        EXPECT_NE(text.indexOf(u"ショットのボタン"), -1) << c.what;
        // Older files never had the volumes: their absence is no loss.
        EXPECT_EQ(text.indexOf(u"音楽の音量"), -1) << c.what;
        EXPECT_NE(text.indexOf(YString(u"読めなかった設定（") + c.lost), -1) << c.what << "\n"
                                                                             << text.toUtf8();
        // The damaged file is kept as it was, never over an earlier backup.
        const YString backup =
            backups.empty()
                ? path + u".broken"
                : path + u".broken" + YString::fromInt(static_cast<int>(backups.size()) + 1);
        EXPECT_NE(text.indexOf(backup), -1) << c.what << "\n" << text.toUtf8();
        EXPECT_EQ(readBytes(backup), c.bytes) << c.what;
        backups.push_back(backup.toUtf8());
        // What was read is written back at once, whole.
        GameSetting reread(path, &map);
        EXPECT_EQ(reread.getHiScore(), c.score) << c.what;
        EXPECT_EQ(reread.getLevel(), c.level) << c.what;
    }
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(GameSettingTest, GarbageFallsBackToDefaultsAndIsKeptAside) {
    const Bytes garbage{0xFF, 0xFF, 0xFF, 0x7F, 'x', 'y', 'z'};
    writeBytes(path, garbage);
    RecordingMessageSink sink;
    GameSetting s(path, &map);
    EXPECT_EQ(s.getLevel(), GameSetting::kLevelNormal);
    EXPECT_EQ(s.getHiScore(), 0);
    expectDefaultMasks(s, map);
    EXPECT_EQ(readBytes(path + u".broken"), garbage);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.messages()[0].text.indexOf(u"読めた設定（なし）"), -1);
    s.setHiScore(42);
    s.save();
    EXPECT_EQ(GameSetting(path, &map).getHiScore(), 42);
}

// A named pipe as the settings file must not hold the start.
TEST_F(GameSettingTest, ANamedPipeIsNotReadAndTheGameStarts) {
    ASSERT_EQ(::mkfifo(path.toUtf8().c_str(), 0600), 0);
    RecordingMessageSink sink;
    GameSetting s(path, &map);
    EXPECT_EQ(s.getLevel(), GameSetting::kLevelNormal);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.messages()[0].text.indexOf(u"通常のファイルではない"), -1);
    s.setHiScore(9);
    s.save();
    EXPECT_EQ(GameSetting(path, &map).getHiScore(), 9);
}

TEST_F(GameSettingTest, ASaveWritesThroughASymbolicLink) {
    const YString target = dir.file("kept/setting.env");
    std::filesystem::create_directories(dir.file("kept").toUtf8());
    writeBytes(target, settingsFile({u"[SCORE] = 5"}));
    std::filesystem::create_symlink("kept/setting.env", path.toUtf8());
    GameSetting s(path, &map);
    EXPECT_EQ(s.getHiScore(), 5);
    s.setHiScore(6);
    s.save();
    EXPECT_TRUE(std::filesystem::is_symlink(path.toUtf8()));
    EXPECT_EQ(veru::io::KeyValueFile(target).get(u"SCORE"), YString(u"6"));
}

TEST_F(GameSettingTest, AFailedSaveNamesTheFile) {
    GameSetting s(path, &map);
    // A folder where the temporary file goes makes the write fail.
    std::filesystem::create_directories((path + u".tmp").toUtf8());
    try {
        s.save();
        FAIL() << "the save succeeded";
    } catch (const veru::excp::Exception& error) {
        EXPECT_NE(error.getMessage().indexOf(YString(u"「") + path + u"」"), -1)
            << error.getMessage().toUtf8();
    }
}

TEST_F(GameSettingTest, TheLanguageIsTheDesktopsUntilThePlayerChoosesOne) {
    using veru::Language;
    GameSetting fresh(path, &map);
    EXPECT_EQ(fresh.languageFor(Language::english), Language::english);
    EXPECT_EQ(fresh.languageFor(Language::japanese), Language::japanese);
    fresh.setLanguage(GameSetting::kLanguageJapanese);
    fresh.save();
    GameSetting chosen(path, &map);
    EXPECT_EQ(chosen.languageFor(Language::english), Language::japanese);
    // A value out of range costs the language alone: back to the desktop's.
    writeBytes(path, settingsFile({u"[LANGUAGE] = 7", u"[SCORE] = 900"}));
    GameSetting damaged(path, &map);
    EXPECT_EQ(damaged.languageFor(Language::english), Language::english);
    EXPECT_EQ(damaged.getHiScore(), 900);
}
