// A stage's talk in English: its words replace the Japanese ones line for
// line, and a file that does not match leaves every Japanese word in place.
#include "game/StageTalkText.h"

#include <gtest/gtest.h>

#include "engine/core/Language.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "game/StageScript.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/ScriptFile.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;

namespace {

ml::StageContent talk() {
    ml::StageContent content;
    for (int side : {1, 2}) {
        ml::StageStep step;
        step.word = side == 1 ? ml::StageWord::Talk1 : ml::StageWord::Talk2;
        step.side = side;
        step.text = side == 1 ? u"見つけた！" : u"キキッ！";
        content.steps.push_back(step);
    }
    return content;
}

class StageTalkTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        veru::setCurrentLanguage(veru::Language::english);
    }
    void TearDown() override { veru::setCurrentLanguage(veru::Language::japanese); }
    TempDir dir;
    RecordingMessageSink boxes;
};

TEST_F(StageTalkTextTest, EnglishWordsReplaceTheTalkLineForLine) {
    writeScript(dir.file("s.en.dat"),
                {u"1P_Talk(Found you, thieves! (All of you.))", u"2P_Talk(Kee?!)"});
    ml::StageContent content = talk();
    ml::useStageTalkLanguage(dir.file("s.dat"), content);
    EXPECT_EQ(content.steps[0].text, YString(u"Found you, thieves! (All of you.)"));
    EXPECT_EQ(content.steps[1].text, YString(u"Kee?!"));
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(StageTalkTextTest, AMismatchOrAMissingFileKeepsTheJapaneseWithOneWarning) {
    writeScript(dir.file("sides.en.dat"), {u"2P_Talk(Kee?!)", u"1P_Talk(Found you!)"});
    writeScript(dir.file("short.en.dat"), {u"1P_Talk(Found you!)"});
    writeScript(dir.file("other.en.dat"), {u"1P_Talk(Found you!)", u"Wait(5)"});
    for (const char* name : {"sides", "short", "other", "absent"}) {
        SCOPED_TRACE(name);
        ml::StageContent content = talk();
        ml::useStageTalkLanguage(dir.file(std::string(name) + ".dat"), content);
        EXPECT_EQ(content.steps[0].text, YString(u"見つけた！"));
        EXPECT_EQ(content.steps[1].text, YString(u"キキッ！"));
    }
    ASSERT_EQ(boxes.count(), 4u);  // shown in English, as the game speaks it
    EXPECT_NE(boxes.messages()[0].text.indexOf(u"sides.en.dat (line 1)"), -1);
    EXPECT_NE(boxes.messages()[2].text.indexOf(u"other.en.dat (line 2)"), -1);
}

}  // namespace
