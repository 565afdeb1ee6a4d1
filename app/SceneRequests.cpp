#include "app/SceneRequests.h"

#include "app/SceneFlow.h"
#include "engine/core/MessageBox.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "game/settings/GameSetting.h"

namespace ml {

namespace {
constexpr char16_t kNoWay[] = u"通っちゃいけないところを通ってるよ！";
}  // namespace

bool applySceneRequest(veru::dxt::SceneManager& manager, veru::dxt::Scene& scene,
                       veru::dxt::FrameTimer& timer, veru::dxt::PlayStatus& status,
                       GameSetting& setting) {
    const int request = scene.getRequest();
    if (request == veru::dxt::kRequestNone || request == veru::dxt::kRequestQuit)
        return false;
    if (request == veru::dxt::kRequestJump) {
        manager.jump(scene.takeRequestArgument());
    } else if (const auto exit = scene.requestedExit()) {
        const int to = sceneAfter(manager.getCurrentNumber(), *exit, status.character);
        if (to < 0) {
            // Shown once: the scene stays, and may leave another way.
            scene.clearRequest();
            veru::awt::showError(kNoWay);
            return false;
        }
        manager.jump(to);
    } else {
        veru::awt::showError(kNoWay);
    }
    veru::dxt::Scene* now = manager.getCurrent();
    if (!now)
        return true;
    timer.setFps(now->framesPerSecond());
    // The scene this one likely goes on to is read ahead while this one plays.
    const int ahead = sceneReadAhead(manager.getCurrentNumber(), status.character);
    if (ahead >= 0)
        manager.prepareAhead(ahead);
    const StoryPart part = storyPartOf(manager.getCurrentNumber());
    if (part == StoryPart::prologue || part == StoryPart::closing) {
        status.resetForTalk();
        setting.setLastScore(0);
    }
    return true;
}

bool prepareExpectedScene(veru::dxt::SceneManager& manager, int character) {
    veru::dxt::Scene* scene = manager.getCurrent();
    const auto exit = scene ? scene->takeExpectedExit() : std::nullopt;
    if (!exit)
        return false;
    const int to = sceneAfter(manager.getCurrentNumber(), *exit, character);
    if (to < 0 || manager.getPreparingNumber() == to)
        return false;
    return manager.prepareAhead(to);
}

}  // namespace ml
