#include "engine/scene/Scene.h"

#include "engine/platform/video/VideoDevice.h"
#include "engine/window/MessageBox.h"

namespace veru::dxt {

void Scene::readBackBufferSize(platform::VideoDevice* device) {
    if (!device || device->getWidth() <= 0 || device->getHeight() <= 0) {
        awt::showError(u"バックバッファの取得失敗…(´・ω・)");
        return;
    }
    width = device->getWidth();
    height = device->getHeight();
}

}  // namespace veru::dxt
