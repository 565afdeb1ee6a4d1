// Reading a stage script into the stage's content: the objects made up front
// (in the load order the objects expect), the timeline beside its enemies,
// the carried items, the queued lines and pictures; the grammar's freedoms;
// and every broken script stopped with its file and line named.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/exceptions/Exception.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "engine/material/Texture.h"
#include "engine/platform/image/Image.h"
#include "engine/sound/SoundManger.h"
#include "game/StageScript.h"
#include "game/StageScriptReader.h"
#include "game/StageScriptWords.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/items/ChanceItem.h"
#include "game/shooting/object/items/KintubaItem.h"
#include "game/shooting/object/items/LevelUpItem.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"
#include "tests/game/shooting/object/players/PlayersTestSupport.h"
#include "tests/support/RecordingMessageSink.h"

namespace {

namespace obj = ml::shooting::object;
using mirelune::test::testDevice;
using veru::YString;

constexpr int kNormal = 0x200001;

// What the reader did to an object, in order.
struct Calls {
    std::string log;
};

class FakeBat : public obj::EnemyObject {
  public:
    FakeBat(std::string name, Calls& calls)
        : EnemyObject(800, 480), name(std::move(name)), calls(calls) {}
    void loadTextures(obj::VideoDevice*) override { calls.log += name + ":textures "; }
    void loadSounds(obj::SoundManger&) override { calls.log += name + ":sounds "; }
    void applyLevel(int value) override {
        calls.log += name + ":level" + std::to_string(value - 0x200000) + " ";
    }
    void move(int, int) override {}
    std::string name;
    Calls& calls;
};

const obj::BossRow fakeBossRow{.name = "Fake", .hp = 100};

class FakeBoss : public obj::Boss {
  public:
    FakeBoss(std::string name, Calls& calls)
        : Boss(800, 480, fakeBossRow), name(std::move(name)), calls(calls) {}
    void loadTextures(obj::VideoDevice*) override { calls.log += name + ":textures "; }
    void loadSounds(obj::SoundManger&) override { calls.log += name + ":sounds "; }
    void applyLevel(int value) override {
        Boss::applyLevel(value);
        calls.log += name + ":level" + std::to_string(value - 0x200000) + " ";
    }
    void firstPhase(int, int) override {}
    void secondPhase(int, int) override {}
    std::string name;
    Calls& calls;
};

// The queued steps as (statement, line).
using Steps = std::vector<std::pair<ml::StageWord, int>>;
Steps stepsOf(const ml::StageContent& content) {
    Steps steps;
    for (const ml::StageStep& step : content.steps)
        steps.emplace_back(step.word, step.line);
    return steps;
}

class StageScriptReaderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { veru::io::registerGameFileKeys(); }

    // The test's folder is the working folder, with the pictures under img/:
    // a wide background (a plain picture file), small pictures for the rest.
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "img");
        std::filesystem::create_directories(dir.path() / "sound");
        std::filesystem::current_path(dir.path());
        veru::platform::Image wide;
        wide.width = 1600;
        wide.height = 480;
        wide.pixels.assign(1600 * 480, 0xFF203040u);
        mirelune::test::Bytes png;
        ASSERT_TRUE(veru::platform::encodePng(wide, png, false));
        mirelune::test::writeBytes(dir.file("img/back.png"), png);
        for (const char* name :
             {"img/face.ytx", "img/s1.ytx", "img/s2.ytx", "img/end.ytx", "img/a.ytx", "img/b.ytx",
              "img/c.ytx", "img/lintuba.ytx", "img/kintuba.ytx", "img/chance.ytx"})
            mirelune::test::writePicture(dir.file(name), 24, 24);
        // tunes that are there but do not decode
        mirelune::test::writeBytes(dir.file("sound/stage.ogg"), {'n', 'o'});
        mirelune::test::writeBytes(dir.file("sound/boss.ogg"), {'n', 'o'});
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    // One record per line, as the packer writes a stage (blank lines kept,
    // trailing ones dropped).
    YString writeScript(const std::u16string& text, const std::string& name = "stage.dat") {
        std::vector<YString> lines{YString()};
        for (char16_t c : text) {
            if (c == u'\n')
                lines.emplace_back();
            else
                lines.back() += c;
        }
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        veru::io::ByteFileWriter writer(dir.file(name));
        writer.setKeys(0, veru::io::fileKeyFor("dat"));
        for (const YString& line : lines) {
            if (line.empty())
                writer.writeInt(0);  // an empty record
            else
                writer.writeLine(line);
        }
        writer.close();
        return dir.file(name);
    }

    ml::StageScriptReader reader() {
        return ml::StageScriptReader(
            testDevice(), &sounds, kNormal, background,
            [this](std::string_view kind) -> std::unique_ptr<obj::EnemyObject> {
                made.push_back(std::string(kind));
                return std::make_unique<FakeBat>(std::string(kind), calls);
            },
            [this](std::string_view name) -> std::unique_ptr<obj::Boss> {
                return std::make_unique<FakeBoss>(std::string(name), calls);
            });
    }

    // The message of what reading `text` throws; empty when nothing is thrown.
    std::string failure(const std::u16string& text) {
        const YString path = writeScript(text, "broken.dat");
        ml::StageContent content;
        try {
            reader().readStageScript(path, content);
        } catch (const veru::excp::Exception& e) {
            const std::string message = e.getMessage().toUtf8();
            EXPECT_NE(message.find(path.toUtf8()), std::string::npos)
                << "names the file: " << message;
            return message;
        }
        return {};
    }

    std::filesystem::path previous = std::filesystem::current_path();
    mirelune::test::TempDir dir;
    mirelune::test::RecordingMessageSink boxes;  // the sounds that are not there
    veru::sound::SoundManger sounds;
    ml::shooting::cmp::ScrollBackground background{800, 480};
    Calls calls;
    std::vector<std::string> made;
};

const std::u16string kSetUp =
    u"Back(img/back.png)\n"
    u"BGM(sound/stage.ogg)\n"
    u"BOSS_BGM(sound/boss.ogg)\n"
    u"BOSS_Face(img/face.ytx)\n"
    u"Info_Start1(img/s1.ytx)\n"
    u"Info_Start2(img/s2.ytx)\n"
    u"Info_End(img/end.ytx)\n";

TEST_F(StageScriptReaderTest, ReadsAWholeStage) {
    ml::StageContent content;
    const YString good =
        writeScript(kSetUp +
                    u"Talking {\nInit(img/a.ytx, "
                    u"img/b.ytx)\n1P_Talk(いくよ)\n2P_Image(img/c.ytx)\nInit(img/a.ytx, null)\n}\n"
                    u"Shooting {\n"
                    u"Item(LevelUp)\n"
                    u"Enemy(Bat3, 1200, 240)\n"
                    u"Enemy Bat3 1200 240\n"
                    u"Item(Kintuba)\n"  // no enemy takes it up: dropped
                    u"Item(Chance)\n"
                    u"Enemy:Bat24:1300:40\n"
                    u"Wait(300)\n"
                    u"Boss(Erika)\n"
                    u"Boss(TrialBoss)\n"
                    u"Wait(120)\n"
                    u"Item(Kintuba)\n"
                    u"Enemy(Bat1, 1400, 100)\n"
                    u"Item(LevelUp)\n"  // nor this one, at the end of the section
                    u"}\n"
                    u"Talking {\nPlay\n}\n"
                    u"Boss\n");
    reader().readStageScript(good, content);

    EXPECT_EQ(made, (std::vector<std::string>{"Bat3", "Bat3", "Bat24", "Bat1"}));
    EXPECT_EQ(calls.log,
              "Bat3:textures Bat3:sounds Bat3:level1 "
              "Bat3:textures Bat3:sounds Bat3:level1 "
              "Bat24:textures Bat24:sounds Bat24:level1 "
              "Erika:textures Erika:sounds Erika:level1 "
              "TrialBoss:textures TrialBoss:sounds TrialBoss:level1 "
              "Bat1:textures Bat1:sounds Bat1:level1 ");
    ASSERT_EQ(content.timeline.size(), 4u);
    EXPECT_EQ(content.timeline[0], (std::pair<int, int>{1200, 240}));
    EXPECT_EQ(content.timeline[1], (std::pair<int, int>{1200, 240})) << "blanks or parentheses";
    EXPECT_EQ(content.timeline[2], (std::pair<int, int>{1300, 40}));
    ASSERT_EQ(content.waitingEnemies.size(), 4u);
    for (const auto& enemy : content.waitingEnemies) {
        EXPECT_EQ(enemy->getState(), obj::STATE_STANDBY);
        EXPECT_EQ(enemy->getFieldWidth(), 800);
        EXPECT_EQ(enemy->getFieldHeight(), 480);
    }

    ASSERT_EQ(content.levelUpItems.size(), 1u);
    ASSERT_EQ(content.chanceItems.size(), 1u);
    ASSERT_EQ(content.kintubaItems.size(), 1u);
    EXPECT_NE(dynamic_cast<obj::LevelUpItem*>(content.levelUpItems[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<obj::ChanceItem*>(content.chanceItems[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<obj::KintubaItem*>(content.kintubaItems[0].get()), nullptr);
    EXPECT_EQ(content.waitingEnemies[0]->getItem(), content.levelUpItems[0].get());
    EXPECT_EQ(content.waitingEnemies[1]->getItem(), nullptr);
    EXPECT_EQ(content.waitingEnemies[2]->getItem(), content.chanceItems[0].get());
    EXPECT_EQ(content.waitingEnemies[3]->getItem(), content.kintubaItems[0].get());
    EXPECT_EQ(content.levelUpItems[0]->getState(), obj::STATE_STANDBY);
    EXPECT_EQ(content.levelUpItems[0]->getLevel(), kNormal);
    EXPECT_NE(content.levelUpItems[0]->getTexture(), nullptr) << "the item's picture is loaded";

    ASSERT_NE(content.boss, nullptr);
    EXPECT_EQ(static_cast<FakeBoss&>(*content.boss).name, "TrialBoss") << "a later Boss replaces";
    EXPECT_EQ(content.bossDelay, 120) << "the last Wait counts";

    using W = ml::StageWord;
    EXPECT_EQ(stepsOf(content), (Steps{{W::Talking, 8},
                                       {W::Init, 9},
                                       {W::Talk1, 10},
                                       {W::Image2, 11},
                                       {W::Init, 12},
                                       {W::End, 13},
                                       {W::Shooting, 14},
                                       {W::Talking, 29},
                                       {W::Play, 30},
                                       {W::End, 31},
                                       {W::BossHeader, 32}}));
    EXPECT_EQ(content.pictureTable.size(), 3u) << "a name seen again loads nothing";
    ASSERT_TRUE(content.pictureTable.count(u"img/c.ytx"));
    // The talk steps carry what they show, resolved once.
    const auto picture = [&](const char16_t* name) { return content.pictureTable.at(name).get(); };
    EXPECT_EQ(content.steps[1].pictures[0], picture(u"img/a.ytx"));
    EXPECT_EQ(content.steps[1].pictures[1], picture(u"img/b.ytx"));
    EXPECT_EQ(content.steps[2].side, 1);
    EXPECT_EQ(content.steps[2].text, u"いくよ");
    EXPECT_EQ(content.steps[3].side, 2);
    EXPECT_EQ(content.steps[3].pictures[0], picture(u"img/c.ytx"));
    EXPECT_EQ(content.steps[4].pictures[1], nullptr) << "null shows no portrait";

    ASSERT_NE(background.getSurface(), nullptr);
    EXPECT_TRUE(background.scroll(799, 0) == false) << "the 1600-pixel picture was read";
    ASSERT_NE(content.bossFace, nullptr);
    ASSERT_NE(content.infoStart1, nullptr);
    ASSERT_NE(content.infoStart2, nullptr);
    ASSERT_NE(content.infoEnd, nullptr);
    // the sound manager's (silent, after their boxes: these do not decode)
    EXPECT_NE(content.stageMusic, nullptr);
    EXPECT_NE(content.bossMusic, nullptr);
    EXPECT_NE(content.stageMusic, content.bossMusic);

    ml::StageContent moved = std::move(content);
    EXPECT_EQ(moved.waitingEnemies.size(), 4u);
    EXPECT_EQ(moved.waitingEnemies[0]->getItem(), moved.levelUpItems[0].get());
}

TEST_F(StageScriptReaderTest, SectionHeadersAndEmptyLines) {
    ml::StageContent content;
    reader().readStageScript(
        writeScript(kSetUp + u"MyTalking {\n"  // holds "Talking" later: ignored
                             u"Talking2 {\n"   // begins with it: a talk section
                             u"\n"
                             u" , ( )\n"  // delimiters only: skipped, the section goes on
                             u"Unknown(words)\n"
                             u"}\n"
                             u"Shooting_1 {\n"
                             u"\n"
                             u"Enemy(Bat1, 900, 10)\n"
                             u"Boss(TrialBoss)\n"
                             u"}\n"
                             u"Boss(ignored at the top)\n"),
        content);
    // A talk line the game skips is still queued: every line takes its frame.
    using W = ml::StageWord;
    EXPECT_EQ(stepsOf(content), (Steps{{W::Talking, 9},
                                       {W::Unknown, 12},
                                       {W::End, 13},
                                       {W::Shooting, 14},
                                       {W::BossHeader, 19}}));
    EXPECT_EQ(content.timeline.size(), 1u);
}

TEST_F(StageScriptReaderTest, BrokenScriptsNameTheirFileAndLine) {
    const std::u16string shootingStart = kSetUp + u"Shooting {\n";  // line 8
    const std::u16string end = u"Boss(TrialBoss)\n}\nBoss\n";
    struct Case {
        std::u16string text;
        const char* expected;
    };
    const Case cases[] = {
        {shootingStart + u"Enemy(Bat25, 900, 10)\n" + end,
         "（9行目）：そのような敵はいません。「Bat25」"},
        {shootingStart + u"Enemy(Bat1, 9OO, 10)\n" + end,
         "（9行目）：数値として読めません。「9OO」"},
        {shootingStart + u"Enemy(Bat1, 900, 12abc)\n" + end, "「12abc」"},
        {shootingStart + u"Enemy(Bat1, 900, 99999999999)\n" + end, "「99999999999」"},
        {shootingStart + u"Enemy(Bat1, 900)\n" + end, "（9行目）：「Enemy」の引数が足りません"},
        {shootingStart + u"Boss(Shadow)\n}\nBoss\n",
         "（9行目）：そのようなボスはいません。「Shadow」"},
        {shootingStart + u"Item(Star)\nEnemy(Bat1, 900, 10)\n" + end,
         "（9行目）：そのようなアイテムはありません。「Star」"},
        {shootingStart + u"Wait(soon)\n" + end, "「soon」"},
        {shootingStart + u"Wait\n" + end, "「Wait」の引数が足りません"},
        {kSetUp + u"Talking {\nInit(null)\n}\n" + u"Shooting {\n" + end,
         "「Init」の引数が足りません"},
        {kSetUp + u"Talking {\n1P_Talk\n}\n" + u"Shooting {\n" + end,
         "「1P_Talk」の引数が足りません"},
        {u"Back\n" + kSetUp + u"Shooting {\n" + end, "（1行目）：「Back」の引数が足りません"},
        {shootingStart + u"Enemy(Bat1, 900, 10)\n}\nBoss\n", "：ボスがいません"},
        {kSetUp + u"Talking {\n}\n", "：「Shooting」の節がありません"},
        {kSetUp.substr(0, kSetUp.find(u"Info_End")) + u"Shooting {\n" + end,
         "：「Info_End」の行がありません"},
        // Numbers the stage cannot use. The stage counter wraps at 100,000:
        // an enemy placed beyond would never enter and hold back the rest.
        {shootingStart + u"Enemy(Bat1, 100801, 240)\n" + end,
         "（9行目）：敵の位置が範囲外です。「100801」（0～100000）"},
        {shootingStart + u"Enemy(Bat1, 2147483647, 240)\n" + end,
         "（9行目）：敵の位置が範囲外です。「2147483647」"},
        {shootingStart + u"Enemy(Bat1, -2147483648, 240)\n" + end,
         "（9行目）：敵の位置が範囲外です。「-2147483648」"},
        {shootingStart + u"Enemy(Bat1, 900, 513)\n" + end,
         "（9行目）：敵の高さが範囲外です。「513」（-32～512）"},
        {shootingStart + u"Enemy(Bat1, 900, -33)\n" + end,
         "（9行目）：敵の高さが範囲外です。「-33」"},
        {shootingStart + u"Wait(2147483647)\n" + end,
         "（9行目）：Waitのフレーム数が範囲外です。「2147483647」（0～3600）"},
        {shootingStart + u"Wait(-1)\n" + end, "（9行目）：Waitのフレーム数が範囲外です。「-1」"},
    };
    for (const Case& c : cases) {
        const std::string message = failure(c.text);
        EXPECT_NE(message.find(c.expected), std::string::npos)
            << "expected " << c.expected << " in: " << message << "\nscript:\n"
            << YString(c.text).toUtf8();
    }
}

TEST_F(StageScriptReaderTest, NumbersAtTheEdgesOfTheLimitsAreTaken) {
    const std::u16string shootingStart = kSetUp + u"Shooting {\n";
    const std::u16string end = u"Boss(TrialBoss)\n}\nBoss\n";
    // The edges themselves are taken.
    ml::StageContent content;
    reader().readStageScript(
        writeScript(shootingStart + u"Enemy(Bat1, 0, -32)\nEnemy(Bat1, 100000, 512)\nWait(3600)\n" +
                    end),
        content);
    EXPECT_EQ(content.timeline.size(), 2u);
    EXPECT_EQ(content.bossDelay, 3600);
}

TEST_F(StageScriptReaderTest, LinesAreCountedAsInTheSourceBlankOnesIncluded) {
    // The packer keeps blank lines: the game names the line the check names.
    const std::string message =
        failure(kSetUp + u"\n\n// the stage\n\nShooting {\n\n" + u"Enemy(Bat25, 900, 10)\n}\n");
    EXPECT_NE(message.find("（14行目）：そのような敵はいません。"), std::string::npos) << message;
}

TEST_F(StageScriptReaderTest, ADamagedFileNamesItself) {
    // A record claiming more text than the file holds, after a good one.
    mirelune::test::Bytes bytes;
    mirelune::test::appendStringRecord(bytes, u"Back(img/back.png)", veru::io::fileKeyFor("dat"));
    mirelune::test::appendInt32(bytes, 1000);
    bytes.insert(bytes.end(), {1, 2, 3, 4});
    const YString path = dir.file("damaged.dat");
    mirelune::test::writeBytes(path, bytes);
    ml::StageContent content;
    try {
        reader().readStageScript(path, content);
        FAIL() << "read";
    } catch (const veru::excp::Exception& e) {
        EXPECT_NE(e.getMessage().toUtf8().find(path.toUtf8()), std::string::npos)
            << e.getMessage().toUtf8();
    }
}

TEST_F(StageScriptReaderTest, ScriptsBeyondTheSizeLimitsAreRefused) {
    // Too many enemies: refused at the first one beyond the limit, named.
    std::u16string many = kSetUp + u"Shooting {\n";
    for (int i = 0; i <= ml::StageLimits::kMaxEnemies; ++i)
        many += u"Enemy(Bat1, 900, 10)\n";
    std::string message = failure(many + u"Boss(TrialBoss)\n}\nBoss\n");
    EXPECT_NE(message.find("（5009行目）：敵が多すぎます（5000体まで）。"), std::string::npos)
        << message;
    EXPECT_EQ(made.size(), static_cast<std::size_t>(ml::StageLimits::kMaxEnemies));

    // Too many lines (blank ones count).
    message = failure(kSetUp + std::u16string(ml::StageLimits::kMaxLines, u'\n') + u"Boss\n");
    EXPECT_NE(message.find("（20001行目）：行が多すぎます（20000行まで）。"), std::string::npos)
        << message;

    // A file larger than any script: refused before it is read.
    const YString big = dir.file("big.dat");
    mirelune::test::writeBytes(
        big,
        mirelune::test::Bytes(static_cast<std::size_t>(ml::StageLimits::kMaxFileBytes) + 1, 0));
    ml::StageContent content;
    try {
        reader().readStageScript(big, content);
        FAIL() << "read";
    } catch (const veru::excp::Exception& e) {
        EXPECT_EQ(e.getMessage(), YString(big).append(u"：ファイルが大きすぎます（1024KBまで）。"));
    }
}

TEST_F(StageScriptReaderTest, MissingFilesLetTheLoadersExceptionThrough) {
    ml::StageContent content;
    EXPECT_THROW(reader().readStageScript(YString(u"no_such_stage.dat"), content),
                 veru::excp::FileNotFoundException);
    ml::StageContent again;
    EXPECT_THROW(reader().readStageScript(
                     writeScript(kSetUp + u"Talking {\nInit(img/nobody.ytx, null)\n}\n"), again),
                 veru::excp::FileNotFoundException);
    std::u16string noTune = kSetUp;
    noTune.replace(noTune.find(u"sound/boss.ogg"), 14, u"sound/none.ogg");
    ml::StageContent third;
    EXPECT_THROW(reader().readStageScript(writeScript(noTune), third),
                 veru::excp::FileNotFoundException);
}

}  // namespace

namespace {

// The trial stage as the game reads it: the packed script, the game's own
// bats, boss and items, every picture they load from the game folder.
TEST(StageScriptGameDataTest, TheTrialStageLoadsWithTheGamesOwnObjects) {
    veru::io::registerGameFileKeys();
    mirelune::test::RecordingMessageSink boxes;
    veru::sound::SoundManger sounds;
    ASSERT_TRUE(sounds.create(nullptr));  // the dummy sound device
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(MIRELUNE_GAME_DIR);
    ml::shooting::cmp::ScrollBackground background(800, 480);
    ml::StageContent content;
    try {
        ml::readStageScript(u"script/stage_trial.dat", testDevice(), &sounds, kNormal, background,
                            content);
    } catch (const veru::excp::Exception& e) {
        ADD_FAILURE() << e.getMessage().toUtf8();
    }
    std::filesystem::current_path(previous);
    EXPECT_EQ(boxes.count(), 0u) << "every picture and sound is there";
    EXPECT_EQ(content.timeline.size(), content.waitingEnemies.size());
    EXPECT_GE(content.waitingEnemies.size(), 100u);
    int carried = 0;
    for (const auto& enemy : content.waitingEnemies) {
        EXPECT_EQ(enemy->getLevel(), kNormal);
        carried += enemy->getItem() != nullptr;
    }
    EXPECT_EQ(
        static_cast<std::size_t>(carried),
        content.chanceItems.size() + content.kintubaItems.size() + content.levelUpItems.size())
        << "every item is carried";
    ASSERT_NE(content.boss, nullptr);
    EXPECT_GT(content.bossDelay, 0);
    EXPECT_NE(content.stageMusic, nullptr);
    EXPECT_NE(content.bossMusic, nullptr);
    EXPECT_EQ(content.steps.front().word, ml::StageWord::Talking);
    EXPECT_EQ(content.pictureTable.size(), 8u) << "the portraits the talk names";
    ASSERT_NE(background.getSurface(), nullptr);
}

}  // namespace
