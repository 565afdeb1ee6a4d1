#include "frontend/LogoScene.h"

#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/window/MessageBox.h"
#include "frontend/FadeLayer.h"

namespace ml {

LogoScene::LogoScene(veru::dxt::SceneManager* manager) : Scene(manager) {}

LogoScene::~LogoScene() = default;

void LogoScene::reset() {
    phase = kFadeIn;
    t = 0;
}

bool LogoScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    readBackBufferSize(device);
    graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
    try {
        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/logo.ysf", device);
        fadeLayer = std::make_unique<veru::dxt::material::Texture>();
        fadeLayer->createBlank(device, 1, 1);
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"LogoScene::create()");
        return false;
    }
    return true;
}

void LogoScene::update(veru::dxt::event::InputInterface* input) {
    if (input)
        input->poll();  // read, but the logo cannot be skipped
    t += 5;
    switch (phase) {
        case kFadeIn:
            if (t >= 256) {
                phase = kHold;
                t = 0;
            }
            break;
        case kHold:
            if (t > 300) {
                phase = kFadeOut;
                t = 0;
            }
            break;
        case kFadeOut:
            if (t >= 256) {
                t = 255;
                requestNext();
            }
            break;
    }
}

void LogoScene::draw(veru::platform::VideoDevice*) {
    if (!graphics || !background || !fadeLayer)
        return;
    background->drawAll(*graphics);
    graphics->startSprite();
    if (phase == kFadeIn)
        drawFadeLayer(*graphics, *fadeLayer, 255 - t, width, height);
    if (phase == kFadeOut)
        drawFadeLayer(*graphics, *fadeLayer, t, width, height);
    graphics->endSprite();
}

void LogoScene::release() {
    fadeLayer.reset();
    background.reset();
    graphics.reset();
}

}  // namespace ml
