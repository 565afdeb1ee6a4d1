// mlwatch: plays a recording of the stage in a window, at the game's speed
// and with its sound, exactly as it was played — the recording's own
// difficulty, keys, seed and start, whatever the settings say:
//   mlwatch [--frame-log FILE] last_stage.rpl
// The game writes last_stage.rpl beside itself after every play (attach it
// to a bug report). The window closes when the stage is left, a second after
// the recording ends, or when it is closed. Nothing is saved.
// Exit status: 0 when the recording played, 1 on a bad file or no window.
//
// --frame-log FILE writes a line per frame: how long its update, its drawing,
// the wait for its deadline and its show took, in microseconds. Frame n is
// the n-th image the window shows (counted from 0), so a late interval found
// on the display side (tools/playtest/window_pacing.py) can be looked up.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/exceptions/Exception.h"
#include "engine/graphics/Renderer.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FileSystem.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/DXFrame.h"
#include "engine/window/MessagePump.h"
#include "game/ShootingScene.h"
#include "game/StageHeroine.h"
#include "game/StageReplay.h"
#include "game/settings/GameSetting.h"
#include "tools/playtest/GameData.h"

namespace {

constexpr int kStageScene = 8;

// The per-frame times of --frame-log. Without a file it does nothing, and
// costs nothing on the frame's path.
class FrameLog {
  public:
    // Opens `path` for writing; an empty path logs nothing. A path that
    // can't be opened leaves isOpen() false.
    explicit FrameLog(const std::string& path) {
        if (!path.empty()) {
            file.open(path);
            file << "frame update_us draw_us wait_us show_us\n";
        }
    }
    bool isOpen() const { return file.is_open(); }
    // The start of a frame, then the end of each of its four steps in order.
    void mark() {
        if (file.is_open() && count < kMarks)
            marks[count++] = veru::platform::microseconds();
    }
    void endFrame(std::size_t frame) {
        if (count == kMarks)
            file << frame << ' ' << marks[1] - marks[0] << ' ' << marks[2] - marks[1] << ' '
                 << marks[3] - marks[2] << ' ' << marks[4] - marks[3] << '\n';
        count = 0;
    }
    // False when a line could not be written.
    bool close() {
        if (!file.is_open())
            return true;
        file.close();
        return static_cast<bool>(file);
    }

  private:
    static constexpr std::size_t kMarks = 5;
    std::ofstream file;
    std::uint64_t marks[kMarks] = {};
    std::size_t count = 0;
};

int watch(const ml::StageReplay& recording, const std::string& frameLogPath) {
    FrameLog log(frameLogPath);
    if (!frameLogPath.empty() && !log.isOpen()) {
        std::fprintf(stderr, "mlwatch: cannot write %s\n", frameLogPath.c_str());
        return 1;
    }
    auto timer = std::make_unique<veru::dxt::FrameTimer>(60);
    auto sounds = std::make_unique<veru::sound::SoundManger>();
    auto status = std::make_unique<veru::dxt::PlayStatus>();
    // Never saved; the recording brings its own values anyway.
    // Never saved; the empty file the store creates goes to a temporary
    // folder, not among the game's files.
    const veru::platform::TemporaryFolder scratch("mirelune-watch-");
    auto setting = std::make_unique<ml::GameSetting>(scratch.path() + u"/setting.env");
    auto frame = std::make_unique<veru::awt::DXFrame>(u"MIRELUNE replay", false);
    auto scenes = std::make_unique<veru::dxt::SceneManager>();
    // The stage of the heroine who flew.
    const ml::StageHeroine& heroine = ml::stageHeroine(recording.character);
    auto stage =
        std::make_unique<ml::ShootingScene>(scenes.get(), setting.get(), status.get(), heroine);
    stage->playReplay(recording);
    frame->setSize(800, 600);
    if (!frame->createWindow()) {
        std::fprintf(stderr, "mlwatch: no window\n");
        return 1;
    }
    sounds->create(frame->getWindow());
    scenes->attach(frame.get(), sounds.get(), frame->getWindow(), frame->getDevice());
    scenes->add(std::move(stage), kStageScene);
    scenes->start();
    frame->setVisible(true);
    timer->restart();
    std::size_t frames = 0;
    while (veru::awt::pumpOne(frame.get())) {
        log.mark();
        veru::dxt::Scene* scene = scenes->getCurrent();
        scene->update(nullptr);  // a replay reads no input
        log.mark();
        veru::dxt::Renderer* renderer = frame->getRenderer();
        renderer->draw(scene);
        log.mark();
        timer->setDisplayPaced(renderer->isPresentSynced());
        timer->endFrame();
        log.mark();
        renderer->present();
        timer->framePresented();
        log.mark();
        log.endFrame(frames);
        if (scene->getRequest() != veru::dxt::kRequestNone || ++frames >= recording.words.size())
            break;
    }
    std::printf("mlwatch: %zu of %zu recorded frames shown\n",
                std::min(frames, recording.words.size()), recording.words.size());
    scenes.reset();
    frame.reset();
    if (!log.close()) {
        std::fprintf(stderr, "mlwatch: could not write all of %s\n", frameLogPath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string frameLogPath;
    if (argc == 4 && std::string(argv[1]) == "--frame-log") {
        frameLogPath = argv[2];
    } else if (argc != 2) {
        std::fprintf(stderr, "usage: mlwatch [--frame-log FILE] RECORDING.rpl\n");
        return 1;
    }
    // Both paths are made absolute before the data folder becomes current.
    if (!frameLogPath.empty())
        frameLogPath = std::filesystem::absolute(frameLogPath).string();
    const std::string path = std::filesystem::absolute(argv[argc - 1]).string();
    std::string error;
    if (!ml::playtest::enterGameData(MIRELUNE_GAME_DIR, error)) {
        std::fprintf(stderr, "mlwatch: %s\n", error.c_str());
        return 1;
    }
    veru::io::registerGameFileKeys();
    try {
        const veru::YString recordingPath = veru::YString::fromUtf8(path);
        const ml::StageReplay recording = ml::readStageReplay(recordingPath);
        if (!recording.verified)
            std::fprintf(stderr, "mlwatch: warning: %s\n",
                         ml::unverifiedWarning(recordingPath).c_str());
        return watch(recording, frameLogPath);
    } catch (const veru::excp::Exception& e) {
        std::fprintf(stderr, "mlwatch: %s\n", e.getMessage().toUtf8().c_str());
        return 1;
    }
}
