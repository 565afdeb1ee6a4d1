#include "engine/graphics/Renderer.h"

#include <string>

#include "engine/core/MessageBox.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/scene/Scene.h"

namespace veru::dxt {

Renderer::Renderer() = default;

Renderer::~Renderer() = default;

bool Renderer::initialize(platform::Window* window, bool /*fullScreen*/, int width, int height) {
    // The window is already in its screen mode; the device's logical size
    // does the scaling in full screen.
    device.reset();
    std::string error;
    device = platform::VideoDevice::create(window, width, height, error);
    if (!device) {
        awt::showError(u"Direct3Dデバイスを生成できませんでした…", u"Renderer.initialize()");
        return false;
    }
    return true;
}

void Renderer::render(Scene* current) {
    draw(current);
    present();
}

void Renderer::draw(Scene* current) {
    drawn = false;
    if (!device || !current) {
        return;
    }
    scene = current;
    if (!device->clear(clearColor.pack())) {
        return;
    }
    scene->draw(device.get());
    device->finishDrawing();
    drawn = true;
}

void Renderer::present() {
    if (device && drawn) {
        device->present();
    }
    drawn = false;
}

bool Renderer::isPresentSynced() const {
    return device && device->isPresentSynced();
}

bool Renderer::resetForMode(platform::Window* window, bool /*fullScreen*/) {
    if (scene) {
        scene->release();
        scene->create(window, device.get());
    }
    return true;
}

void Renderer::releaseDevice() {
    scene = nullptr;
    device.reset();
}

}  // namespace veru::dxt
