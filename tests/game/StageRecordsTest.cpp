// The records per heroine and difficulty in the settings file, and the
// single high score of older files carried over.
#include "game/StageRecords.h"

#include <gtest/gtest.h>

#include "game/StageHeroine.h"
#include "game/settings/GameSetting.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using ml::GameSetting;
using ml::StageRecords;

namespace {

constexpr int kShiro = 1, kHotaru = 2;
constexpr int kEasy = GameSetting::kLevelEasy, kNormal = GameSetting::kLevelNormal,
              kHard = GameSetting::kLevelHard;

class StageRecordsTest : public ::testing::Test {
  protected:
    void writeFile(std::initializer_list<std::u16string_view> records) {
        Bytes bytes;
        for (auto r : records)
            appendStringRecord(bytes, r);
        writeBytes(path, bytes);
    }

    TempDir dir;
    veru::YString path = dir.file("setting.env");
    veru::dxt::event::ButtonMap map;
    RecordingMessageSink boxes;
};

}  // namespace

TEST_F(StageRecordsTest, EachHeroineAndDifficultyKeepsItsOwnRecordAndDay) {
    {
        GameSetting setting(path, &map);
        StageRecords records(setting);
        EXPECT_TRUE(records.offer(kShiro, kHard, 1000, 20261209));
        EXPECT_FALSE(records.offer(kShiro, kHard, 1000, 20261210));  // a tie is no record
        EXPECT_FALSE(records.offer(kShiro, kHard, 900, 20261210));
        EXPECT_TRUE(records.offer(kHotaru, kEasy, 50, 20261211));
        EXPECT_FALSE(records.offer(7, kEasy, 5000, 20261211));  // no such heroine
        EXPECT_EQ(setting.getHiScore(), 1000);                  // what older versions show
        setting.save();
    }
    GameSetting again(path, &map);
    const StageRecords records(again);
    EXPECT_EQ(records.best(kShiro, kHard).score, 1000);
    EXPECT_EQ(records.best(kShiro, kHard).date, 20261209);
    EXPECT_EQ(records.best(kHotaru, kEasy).score, 50);
    EXPECT_EQ(records.best(kHotaru, kEasy).date, 20261211);
    for (int level : {kEasy, kNormal})
        EXPECT_EQ(records.best(kShiro, level).score, 0) << level;
    EXPECT_EQ(records.best(kHotaru, kHard).score, 0);
    EXPECT_EQ(records.best(7, kEasy).score, 0);
    EXPECT_EQ(again.getHiScore(), 1000);
    for (const ml::StageHeroine& heroine : ml::heroines())
        EXPECT_TRUE(StageRecords::keepsRecordsOf(heroine.number)) << heroine.number;
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(StageRecordsTest, AnOldSingleScoreIsShirosRecordOnTheSavedDifficultyOnce) {
    writeFile({u"[KEYbullet] = 16", u"[LEVEL] = 12", u"[SCORE] = 123400", u"[SCREEN] = 1"});
    {
        GameSetting setting(path, &map);
        const StageRecords records(setting);
        EXPECT_EQ(records.best(kShiro, kHard).score, 123400);
        EXPECT_EQ(records.best(kShiro, kHard).date, 0);  // not known
        EXPECT_EQ(records.best(kShiro, kNormal).score, 0);
        EXPECT_EQ(records.best(kHotaru, kHard).score, 0);
        EXPECT_EQ(setting.getHiScore(), 123400);  // kept for older versions
        setting.setLevel(kEasy);
        setting.save();
    }
    // Once: the saved file has records, and its score is not carried again
    // to the difficulty it is now set to.
    GameSetting again(path, &map);
    const StageRecords records(again);
    EXPECT_EQ(records.best(kShiro, kHard).score, 123400);
    EXPECT_EQ(records.best(kShiro, kEasy).score, 0);
    EXPECT_EQ(again.getHiScore(), 123400);

    // A file that has records keeps them as they are beside its score.
    writeFile({u"[LEVEL] = 11", u"[SCORE] = 500", u"[SCOREshiroNormal] = 300"});
    GameSetting kept(path, &map);
    EXPECT_EQ(StageRecords(kept).best(kShiro, kNormal).score, 300);
    EXPECT_EQ(kept.getHiScore(), 500);
    EXPECT_EQ(boxes.count(), 0u);
}
