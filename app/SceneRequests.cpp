#include "app/SceneRequests.h"

#include <typeinfo>

#include "engine/adventure/AdventureScene.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/window/MessageBox.h"
#include "frontend/GameSetting.h"

namespace ml {

bool applySceneRequest(veru::dxt::SceneManager& manager, veru::dxt::Scene& scene,
                       veru::dxt::FrameTimer& timer, veru::dxt::PlayStatus& status,
                       GameSetting& setting) {
    switch (scene.getRequest()) {
        case veru::dxt::kRequestNone:
        case veru::dxt::kRequestQuit:
            return false;
        case veru::dxt::kRequestNext:
            manager.next();
            break;
        case veru::dxt::kRequestPrevious:
            manager.previous();
            break;
        case veru::dxt::kRequestJump:
            manager.jump(scene.takeRequestArgument());
            break;
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
