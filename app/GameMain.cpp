#include "app/GameMain.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "app/SceneFlow.h"
#include "app/SceneRequests.h"
#include "engine/adventure/AdventureScene.h"
#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/core/MessageText.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/Renderer.h"
#include "engine/input/DirectInputFactory.h"
#include "engine/platform/QuitSignals.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/DXFrame.h"
#include "engine/window/MessagePump.h"
#include "frontend/ConfigScene.h"
#include "frontend/LogoScene.h"
#include "frontend/MenuScene.h"
#include "frontend/PracticeScene.h"
#include "frontend/ReplayListScene.h"
#include "game/ShootingScene.h"
#include "game/StageHeroine.h"
#include "game/StageReplay.h"
#include "game/settings/GameSetting.h"

namespace ml {

namespace {

using veru::dxt::Scene;

// The scene loop; returns false when an exception ended it.
bool runLoop(veru::awt::DXFrame& frame, veru::dxt::SceneManager& scenes,
             veru::dxt::FrameTimer& timer, veru::dxt::PlayStatus& status, GameSetting& setting,
             veru::dxt::event::InputInterface* input, const GameHooks& hooks) {
    int frameNumber = 0;
    try {
        while (veru::awt::pumpOne(&frame)) {
            Scene* scene = scenes.getCurrent();
            if (!scene) {
                veru::awt::showInformation(u"シーンが設定されていません。終了します。");
                frame.close();
                break;
            }
            scene->update(input);
            veru::dxt::Renderer* renderer = frame.getRenderer();
            renderer->draw(scene);
            // The frame is shown when it is due: in step with the display
            // where the device waits for its refresh, by the timer elsewhere.
            timer.setDisplayPaced(renderer->isPresentSynced());
            timer.endFrame();
            renderer->present();
            timer.framePresented();
            scenes.uploadPrepared();
            if (hooks.afterFrame)
                hooks.afterFrame(frameNumber, scene, frame.getDevice());
            ++frameNumber;
            if (scene->getRequest() == veru::dxt::kRequestQuit) {
                frame.close();
                break;
            }
            if (applySceneRequest(scenes, *scene, timer, status, setting) && !scenes.getCurrent()) {
                frame.close();
            }
            prepareExpectedScene(scenes, status.character);
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage());
        return false;
    }
    return true;
}

// Makes the stage of the recording's heroine watch `path`; returns the
// scene to open on: that stage, or the title menu when the file cannot be
// played (the box and stderr say why).
int prepareWatching(const veru::YString& path, std::span<ShootingScene* const> stages,
                    veru::dxt::PlayStatus& status) {
    try {
        StageReplay replay = readStageReplay(path);
        if (!replay.verified)
            std::fprintf(stderr, "mirelune: warning: %s\n", unverifiedWarning(path).c_str());
        const StageHeroine* heroine = findHeroine(replay.character);
        for (ShootingScene* stage : stages) {
            if (heroine && &stage->getHeroine() == heroine) {
                status.character = heroine->number;
                stage->watchReplay(std::move(replay));
                return heroine->scenes.stage;
            }
        }
        throw veru::excp::Exception(veru::YString(u"リプレイのヒロインがいません。：") + path);
    } catch (const veru::excp::Exception& e) {
        const veru::YString shown = veru::awt::playerText(e.getMessage(), veru::currentLanguage());
        std::fprintf(stderr, "mirelune: %s\n", shown.toUtf8().c_str());
        veru::awt::showError(e.getMessage());
    }
    return kSceneMenu;
}

}  // namespace

int gameMain(const GameHooks& hooks, const PlayerFiles& files, const StartOptions& start) {
    const veru::platform::QuitSignals quitSignals;
    auto timer = std::make_unique<veru::dxt::FrameTimer>(60, hooks.clock);
    auto soundManager = std::make_unique<veru::sound::SoundManger>();
    auto status = std::make_unique<veru::dxt::PlayStatus>();
    auto setting = std::make_unique<GameSetting>(files.settings);
    // The player's own choice of language outranks the desktop's.
    veru::setCurrentLanguage(setting->languageFor(veru::currentLanguage()));
    auto frame = std::make_unique<veru::awt::DXFrame>(u"MIRELUNE 体験版", false);
    auto scenes = std::make_unique<veru::dxt::SceneManager>();

    // The scenes are only constructed here, under their numbers; each loads
    // what it needs when it becomes current.
    std::vector<std::pair<int, std::unique_ptr<Scene>>> made;
    made.emplace_back(kSceneLogo, std::make_unique<LogoScene>(scenes.get()));
    made.emplace_back(kSceneMenu,
                      std::make_unique<MenuScene>(scenes.get(), setting.get(), status.get()));
    made.emplace_back(kSceneConfig, std::make_unique<ConfigScene>(scenes.get(), setting.get()));
    made.emplace_back(kSceneReplays, std::make_unique<ReplayListScene>(
                                         scenes.get(), setting.get(), status.get(),
                                         std::filesystem::path(files.folder.toUtf8())));
    std::vector<ShootingScene*> stageScenes;
    for (const StageHeroine& heroine : heroines()) {
        auto talk = [&](const char16_t* script) {
            auto scene = std::make_unique<veru::adv::AdventureScene>(scenes.get(), script);
            scene->setClock(hooks.clock);
            return scene;
        };
        auto stage =
            std::make_unique<ShootingScene>(scenes.get(), setting.get(), status.get(), heroine);
        stage->setRecordingPath(files.lastStage);
        stage->setResultsCard(true);
        stage->setPlayerFolder(files.folder);
        stageScenes.push_back(stage.get());
        made.emplace_back(heroine.scenes.prologue, talk(heroine.prologueScript));
        made.emplace_back(heroine.scenes.stage, std::move(stage));
        made.emplace_back(heroine.scenes.closing, talk(heroine.closingScript));
    }
    // Practice hands its choice to the chosen heroine's stage.
    made.emplace_back(kScenePractice, std::make_unique<PracticeScene>(
                                          scenes.get(), setting.get(), status.get(),
                                          [&stageScenes](const StageHeroine& heroine,
                                                         const StageStart& start, int level) {
                                              for (ShootingScene* stage : stageScenes)
                                                  if (&stage->getHeroine() == &heroine)
                                                      stage->practise(start, level);
                                          }));

    auto inputFactory = std::make_unique<veru::dxt::event::DirectInputFactory>();
    frame->setIcon(u"ICON");
    frame->setSmallIcon(u"SMALL_ICON");
    frame->getRenderer()->setClearColor(veru::dxt::Color(0, 0, 0, 255));
    frame->setSize(800, 600);

    frame->setWindowScale(setting->getWindowScale());
    bool ok = frame->createWindow();
    if (ok && start.fullScreen) {
        frame->setScreenMode(true);
        setting->setFullScreen(true);
    }
    if (ok) {
        soundManager->create(frame->getWindow());
        using Category = veru::sound::SoundManger::Category;
        soundManager->setLevel(Category::music, setting->getMusicVolume());
        soundManager->setLevel(Category::effect, setting->getEffectVolume());
        scenes->attach(frame.get(), soundManager.get(), frame->getWindow(), frame->getDevice());
        for (auto& [number, scene] : made)
            scenes->add(std::move(scene), number);
        veru::dxt::event::InputInterface* input = hooks.input;
        try {
            scenes->start();
            if (!start.replayFile.empty())
                scenes->jump(prepareWatching(start.replayFile, stageScenes, *status));
            // The scene the first one likely goes on to is read ahead while it shows.
            if (const int ahead = sceneReadAhead(scenes->getCurrentNumber(), status->character);
                ahead >= 0)
                scenes->prepareAhead(ahead);
            inputFactory->setup(false);
            if (!files.padMappings.empty())
                inputFactory->addPadMappings(files.padMappings);
            if (!input) {
                input = inputFactory->createInputInterface(
                    frame->getWindow(), veru::dxt::event::DirectInputFactory::kPreferPad);
            }
            frame->setVisible(true);
            timer->restart();
        } catch (const veru::excp::Exception& e) {
            veru::awt::showError(e.getMessage());
            ok = false;
        }
        if (ok)
            ok = runLoop(*frame, *scenes, *timer, *status, *setting, input, hooks);
    }

    // Left in the middle of the stage (the window closed, a quit signal):
    // the best score reached so far counts as at the stage's end, this
    // frame's score included. A recording being watched, or a practice play,
    // is not the player's play, and changes no record.
    for (ShootingScene* stageScene : stageScenes)
        stageScene->keepRecord();
    // The scene in play lets go before the settings are saved: a recording
    // being watched puts the player's own difficulty and buttons back.
    if (Scene* current = scenes->getCurrent())
        current->release();
    try {
        setting->save();
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"GameSetting::save()");
    }
    inputFactory.reset();
    scenes.reset();
    frame.reset();
    setting.reset();
    status.reset();
    soundManager.reset();
    timer.reset();
    return ok ? 0 : 1;
}

}  // namespace ml
