#include "app/SceneRequests.h"

#include <typeinfo>

#include "app/GameMain.h"
#include "engine/adventure/AdventureScene.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/window/MessageBox.h"
#include "game/StageHeroine.h"
#include "game/settings/GameSetting.h"

namespace ml {

HeroineScenes heroineScenes(int character) {
    if (character == heroine::kHotaru)
        return {kScenePrologueK, kSceneStageK, kSceneClosingK};
    return {kScenePrologue, kSceneStage, kSceneClosing};
}

bool applySceneRequest(veru::dxt::SceneManager& manager, veru::dxt::Scene& scene,
                       veru::dxt::FrameTimer& timer, veru::dxt::PlayStatus& status,
                       GameSetting& setting) {
    switch (scene.getRequest()) {
        case veru::dxt::kRequestNone:
        case veru::dxt::kRequestQuit:
            return false;
        case veru::dxt::kRequestNext: {
            // A closing ends the story, whoever flew: on to the logo.
            const int from = manager.getCurrentNumber();
            if (from == kSceneClosing || from == kSceneClosingK)
                manager.jump(kSceneLogo);
            else
                manager.next();
            break;
        }
        case veru::dxt::kRequestPrevious:
            manager.previous();
            break;
        case veru::dxt::kRequestJump: {
            int number = scene.takeRequestArgument();
            if (number == kScenePrologue)
                number = heroineScenes(status.character).prologue;
            manager.jump(number);
            break;
        }
        default:
            veru::awt::showError(u"通っちゃいけないところを通ってるよ！");
            break;
    }
    veru::dxt::Scene* now = manager.getCurrent();
    if (now && typeid(*now) == typeid(veru::adv::AdventureScene)) {
        timer.setFps(30);
        status.resetForTalk();
        setting.setLastScore(0);
    } else {
        timer.setFps(60);
    }
    return true;
}

}  // namespace ml
