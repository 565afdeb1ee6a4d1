// mlwatch: plays a recording of the stage in a window, at the game's speed
// and with its sound, exactly as it was played — the recording's own
// difficulty, keys, seed and start, whatever the settings say:
//   mlwatch last_stage.rpl
// The game writes last_stage.rpl beside itself after every play (attach it
// to a bug report). The window closes when the stage is left, a second after
// the recording ends, or when it is closed. Nothing is saved.
// Exit status: 0 when the recording played, 1 on a bad file or no window.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/exceptions/Exception.h"
#include "engine/graphics/Renderer.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/DXFrame.h"
#include "engine/window/MessagePump.h"
#include "frontend/GameSetting.h"
#include "game/ShootingScene.h"
#include "game/StageHeroine.h"
#include "game/StageReplay.h"
#include "tools/playtest/GameData.h"

namespace {

constexpr int kStageScene = 8;
constexpr std::size_t kGraceFrames = 60;

int watch(const ml::StageReplay& recording) {
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
    auto stage = std::make_unique<ml::ShootingScene>(scenes.get(), heroine.stageScript,
                                                     setting.get(), status.get(), heroine);
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
        veru::dxt::Scene* scene = scenes->getCurrent();
        scene->update(nullptr);  // a replay reads no input
        veru::dxt::Renderer* renderer = frame->getRenderer();
        renderer->draw(scene);
        timer->setDisplayPaced(renderer->isPresentSynced());
        timer->endFrame();
        renderer->present();
        timer->framePresented();
        if (scene->getRequest() != veru::dxt::kRequestNone ||
            ++frames > recording.words.size() + kGraceFrames)
            break;
    }
    std::printf("mlwatch: %zu of %zu recorded frames shown\n",
                std::min(frames, recording.words.size()), recording.words.size());
    scenes.reset();
    frame.reset();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mlwatch RECORDING.rpl\n");
        return 1;
    }
    const std::string path = std::filesystem::absolute(argv[1]).string();
    std::string error;
    if (!ml::playtest::enterGameData(MIRELUNE_GAME_DIR, error)) {
        std::fprintf(stderr, "mlwatch: %s\n", error.c_str());
        return 1;
    }
    veru::io::registerGameFileKeys();
    try {
        return watch(ml::readStageReplay(veru::YString::fromUtf8(path)));
    } catch (const veru::excp::Exception& e) {
        std::fprintf(stderr, "mlwatch: %s\n", e.getMessage().toUtf8().c_str());
        return 1;
    }
}
