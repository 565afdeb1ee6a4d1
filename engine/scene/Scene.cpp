#include "engine/scene/Scene.h"

#include "engine/core/MessageBox.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt {

std::optional<SceneExit> Scene::requestedExit() const {
    switch (request) {
        case kRequestNext:
            return SceneExit::next;
        case kRequestPrevious:
            return SceneExit::back;
        case kRequestExit:
            if (requestArgument >= static_cast<int>(SceneExit::next) &&
                requestArgument <= static_cast<int>(SceneExit::again))
                return static_cast<SceneExit>(requestArgument);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void Scene::readBackBufferSize(platform::VideoDevice* device) {
    if (!device || device->getWidth() <= 0 || device->getHeight() <= 0) {
        awt::showError(u"バックバッファの取得失敗…(´・ω・)");
        return;
    }
    width = device->getWidth();
    height = device->getHeight();
}

}  // namespace veru::dxt
