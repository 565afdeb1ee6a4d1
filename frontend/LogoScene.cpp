#include "frontend/LogoScene.h"

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"

namespace ml {

LogoScene::LogoScene(veru::dxt::SceneManager* manager) : Scene(manager) {}

LogoScene::~LogoScene() = default;

void LogoScene::reset() {
    phase = kFadeIn;
    t = 0;
    fade.startIn(kFadeStep);
}

bool LogoScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    readBackBufferSize(device);
    graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
    try {
        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/logo.ysf", device);
        fade.create(device);
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"LogoScene::create()");
        return false;
    }
    return true;
}

void LogoScene::update(veru::dxt::event::InputInterface* input) {
    if (input)
        input->poll();  // read, but the logo cannot be skipped
    switch (phase) {
        case kFadeIn:
            if (fade.advance())
                phase = kHold;
            break;
        case kHold:
            t += kFadeStep;
            if (t > 300) {
                phase = kFadeOut;
                fade.startOut(kFadeStep);
            }
            break;
        case kFadeOut:
            if (fade.advance())
                requestNext();
            break;
    }
}

void LogoScene::draw(veru::platform::VideoDevice*) {
    if (!graphics || !background || !fade.isCreated())
        return;
    background->drawAll(*graphics);
    graphics->startSprite();
    if (phase == kFadeIn || phase == kFadeOut)
        fade.draw(*graphics, width, height);
    graphics->endSprite();
}

void LogoScene::release() {
    fade.release();
    background.reset();
    graphics.reset();
}

}  // namespace ml
