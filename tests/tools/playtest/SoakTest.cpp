// The soak's two parts: the pilot that plays the whole game (title, talks,
// the stage) inside the real game main, and the bookkeeping that turns the
// rounds into a verdict on memory and underruns.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/GameMain.h"
#include "engine/adventure/AdventureScene.h"
#include "engine/io/Scrambler.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneManager.h"
#include "frontend/LogoScene.h"
#include "frontend/TitleMenu.h"
#include "game/ShootingScene.h"
#include "tests/support/ManualClock.h"
#include "tests/support/TempDir.h"
#include "tools/playtest/GamePilot.h"
#include "tools/playtest/SoakLog.h"

namespace fs = std::filesystem;
using ml::playtest::GamePilot;
using ml::playtest::SoakLog;

namespace {

SoakLog::Round roundWith(long rssKiB, std::uint64_t underruns = 0, int cleared = 0) {
    SoakLog::Round r;
    r.rssKiB = rssKiB;
    r.underruns = underruns;
    r.cleared = cleared;
    return r;
}

SoakLog logOf(const std::vector<long>& rss) {
    SoakLog log(1000);
    log.start(50000);
    for (long kib : rss)
        log.endRound(roundWith(kib));
    return log;
}

std::string sceneName(veru::dxt::Scene* scene) {
    if (dynamic_cast<ml::LogoScene*>(scene))
        return "logo";
    if (dynamic_cast<ml::TitleMenu*>(scene))
        return "menu";
    if (dynamic_cast<veru::adv::AdventureScene*>(scene))
        return "talk";
    if (dynamic_cast<ml::ShootingScene*>(scene))
        return "stage";
    return "?";
}

// Passes the pilot's words on and writes down each with the scene it went
// to: the current scene of the manager of the scene last drawn.
class RecordingInput : public veru::dxt::event::InputInterface {
  public:
    explicit RecordingInput(GamePilot& pilot) : pilot(pilot) {}
    bool setup(veru::platform::InputSystem*, veru::platform::Window*) override { return true; }
    int poll() override {
        const int word = pilot.poll();
        veru::dxt::Scene* polling =
            drawn && drawn->getManager() ? drawn->getManager()->getCurrent() : drawn;
        words.push_back({sceneName(polling), word});
        return word;
    }

    GamePilot& pilot;
    veru::dxt::Scene* drawn = nullptr;
    std::vector<std::pair<std::string, int>> words;
};

}  // namespace

TEST(SoakLog, MemoryThatSettlesAfterTheFirstRoundIsFlatAndASteadyRiseIsNot) {
    // The first round loads what the game keeps; a pool that fills up over
    // the next rounds and then stays is not a leak.
    EXPECT_EQ(logOf({90000, 120000, 124000, 124500, 124200, 124600, 124400}).getMemory(),
              SoakLog::Memory::flat);
    EXPECT_EQ(logOf({90000, 120000, 122000, 124000, 126000, 128000, 130000}).getMemory(),
              SoakLog::Memory::rising);
    // Rounds that swing around one level are flat however high one late
    // round goes; rounds that climb while they swing are not.
    EXPECT_EQ(logOf({90000, 120000, 135000, 118000, 131000, 121000, 150000, 119000}).getMemory(),
              SoakLog::Memory::flat);
    EXPECT_EQ(logOf({90000, 120000, 128000, 124000, 132000, 130000, 138000, 136000}).getMemory(),
              SoakLog::Memory::rising);
    // Up to the tolerance is noise.
    EXPECT_EQ(logOf({90000, 120000, 120000, 121000}).getMemory(), SoakLog::Memory::flat);
    EXPECT_EQ(logOf({90000, 120000, 120000}).getMemory(), SoakLog::Memory::tooShort);
    EXPECT_EQ(logOf({}).getMemory(), SoakLog::Memory::tooShort);
}

TEST(SoakLog, AHeapThatClimbsUnderFlatResidentMemoryIsALeak) {
    // Resident memory can hide a leak behind pages the allocator already
    // had; the heap in use cannot.
    SoakLog log(1000);
    log.start(50000);
    const long heaps[] = {30000, 31000, 33000, 35000, 37000, 39000};
    for (long heap : heaps) {
        SoakLog::Round r = roundWith(120000);
        r.heapKiB = heap;
        log.endRound(r);
    }
    log.finish(0, 0, false);
    EXPECT_EQ(log.getMemory(), SoakLog::Memory::flat);
    EXPECT_EQ(log.getHeap(), SoakLog::Memory::rising);
    EXPECT_EQ(log.exitStatus(), 1);

    // A round that could not read its heap leaves the heap unjudged, not
    // failed.
    SoakLog unread = logOf({90000, 120000, 120000, 120000, 120000});
    unread.finish(0, 0, false);
    EXPECT_EQ(unread.getHeap(), SoakLog::Memory::tooShort);
    EXPECT_EQ(unread.exitStatus(), 0);
}

TEST(SoakLog, LinesAndTheSummaryCarryTheNumbers) {
    SoakLog log(1000);
    EXPECT_EQ(log.start(40000), "start rss_kib=40000");
    SoakLog::Round r = roundWith(90000, 0, 1);
    r.seconds = 61;
    r.frames = 20000;
    r.stages = 1;
    r.kintubas = 3;
    r.bombs = 2;
    r.audioSeconds = 58;
    EXPECT_EQ(log.endRound(r),
              "round=1 seconds=61 frames=20000 stages=1 cleared=1 kintubas=3 "
              "bombs=2 rss_kib=90000 heap_kib=-1 underruns=0 audio_s=58");
    log.endRound(roundWith(95000, 0, 1));
    log.endRound(roundWith(93000, 0, 2));
    log.finish(0, 0, false);
    EXPECT_EQ(log.getRounds(), 3);
    EXPECT_EQ(log.summary(),
              "summary rounds=3 cleared=2 rss_first_kib=90000 rss_last_kib=93000 "
              "rss_max_kib=95000 memory=too-short heap_first_kib=-1 heap_last_kib=-1 "
              "heap_max_kib=-1 heap=too-short underruns=0 stuck=no "
              "game_status=0 status=0");
}

TEST(SoakLog, AnUnderrunAStuckRoundAFailedGameOrNoRoundAtAllFailTheSoak) {
    const std::vector<long> flat{90000, 100000, 100000, 100000, 100000};
    SoakLog ok = logOf(flat);
    ok.finish(0, 0, false);
    EXPECT_EQ(ok.exitStatus(), 0);

    SoakLog starved = logOf(flat);
    starved.finish(0, 1, false);  // counted after the last round still counts
    EXPECT_EQ(starved.exitStatus(), 1);
    EXPECT_NE(starved.summary().find("underruns=1 "), std::string::npos);

    SoakLog stuck = logOf(flat);
    stuck.finish(0, 0, true);
    EXPECT_EQ(stuck.exitStatus(), 1);

    SoakLog failed = logOf(flat);
    failed.finish(1, 0, false);
    EXPECT_EQ(failed.exitStatus(), 1);

    SoakLog none = logOf({});
    none.finish(0, 0, false);
    EXPECT_EQ(none.exitStatus(), 1);
    EXPECT_NE(none.summary().find("rss_first_kib=-1 rss_last_kib=-1 rss_max_kib=50000"),
              std::string::npos);

    SoakLog leaking = logOf({90000, 100000, 110000, 120000, 130000});
    leaking.finish(0, 0, false);
    EXPECT_EQ(leaking.exitStatus(), 1);
}

// The pilot inside the real game: through the title and the prologue into
// the stage, where its stage pilot sees the play status and so uses the
// kintuba once the gauge runs out. Ends at the first kintuba press or when
// the stage is left.
TEST(GamePilot, PlaysTitleAndTalkIntoTheStageAndUsesTheKintubaThere) {
    mirelune::test::TempDir dir;
    for (const char* part : {"img", "sound", "script"})
        fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, dir.path() / part);
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    veru::io::registerGameFileKeys();

    mirelune::test::ManualClock clock;
    GamePilot pilot(3);
    RecordingInput input(pilot);
    std::vector<std::string> order;
    veru::dxt::Scene* last = nullptr;
    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.input = &input;
    hooks.afterFrame = [&](int frame, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        if (scene != last) {
            if (!order.empty() && order.back() == "stage")
                scene->requestQuit();
            order.push_back(sceneName(scene));
            last = scene;
        }
        if (pilot.getKintubasPressed() > 0 || frame > 40000)
            scene->requestQuit();
        pilot.watch(scene);
        input.drawn = scene;
    };
    const int status = ml::gameMain(hooks);
    fs::current_path(previous);

    EXPECT_EQ(status, 0);
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 4),
              (std::vector<std::string>{"logo", "menu", "talk", "stage"}));
    EXPECT_EQ(pilot.getStages(), 1);
    EXPECT_GT(pilot.getKintubasPressed(), 0) << "the stage pilot never saw the gauge run out";

    // On the title and in the talks every press is a fresh one: never the
    // same word two polls in a row, and there are presses at all.
    int menuPresses = 0, talkPresses = 0;
    for (std::size_t i = 1; i < input.words.size(); ++i) {
        const auto& [scene, word] = input.words[i];
        if (scene != "menu" && scene != "talk")
            continue;
        if (word != 0) {
            (scene == "menu" ? menuPresses : talkPresses) += 1;
            EXPECT_EQ(input.words[i - 1].second, 0)
                << "held on from poll " << i - 1 << " in " << scene;
        }
    }
    EXPECT_GT(menuPresses, 0);
    EXPECT_GT(talkPresses, 10);
}
