#include "frontend/MenuSceneOld.h"

#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/ComponentFactory.h"
#include "engine/window/MessageBox.h"
#include "engine/window/SelectComponent.h"
#include "engine/window/SelectList.h"
#include "frontend/FadeLayer.h"

namespace ml {

using veru::dxt::event::ButtonMap;

MenuSceneOld::MenuSceneOld(veru::dxt::SceneManager* manager, GameSetting* setting)
    : Scene(manager), setting(setting) {}

MenuSceneOld::~MenuSceneOld() = default;

int MenuSceneOld::getIndex() const {
    return list ? list->getIndex() : 0;
}

void MenuSceneOld::reset() {
    phase = kFadeIn;
    t = 0;
    confirmHeld = false;
    startSound = cancelSound = titleCall = nullptr;
}

bool MenuSceneOld::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    try {
        veru::dxt::ComponentFactory factory(device);
        readBackBufferSize(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
        graphics->setFont(veru::dxt::FontSpec(u"HGｺﾞｼｯｸM", 30));
        const char16_t* pictures[3][2] = {
            {u"img/menu_start_n.ytx", u"img/menu_start_s.ytx"},
            {u"img/menu_config_n.ytx", u"img/menu_config_s.ytx"},
            {u"img/menu_end_n.ytx", u"img/menu_end_s.ytx"},
        };
        list = std::make_unique<veru::dxt::SelectList>(true);
        items.clear();
        for (int i = 0; i < 3; ++i) {
            items.push_back(factory.newSelectComponent(pictures[i][0], pictures[i][1]));
            items.back()->setLocation(width / 2, 380 + 70 * i);
            list->add(items.back().get());
        }
        list->setIndex(0);
        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/title_menu.ysf", device);
        fadeLayer = std::make_unique<veru::dxt::material::Texture>();
        fadeLayer->createBlank(device, 1, 1);
        if (veru::sound::SoundManger* sounds = manager->getSounds()) {
            startSound = sounds->getSound(u"sound/start.wav");
            cancelSound = sounds->getSound(u"sound/cancel.wav");
            titleCall = sounds->getSound(u"sound/title_call_siro.wav");
        }
        voices.assign(1, titleCall);
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"MenuSceneOld::create()");
        return false;
    }
    return true;
}

void MenuSceneOld::update(veru::dxt::event::InputInterface* input) {
    const int buttons = input ? input->poll() : 0;
    if (phase == kFadeIn) {
        t += 3;
        if (t >= 256) {
            t = 0;
            phase = kActive;
            veru::sound::ISound* voice =
                voices.empty() ? nullptr
                               : voices[static_cast<std::size_t>(veru::dxt::effect2D::randomIndex(
                                     static_cast<int>(voices.size())))];
            if (voice)
                voice->play(false);
        }
        return;
    }
    if (phase == kActive) {
        list->update(buttons);
        if ((buttons & ButtonMap::global().mask(ButtonMap::kShoot)) == 0) {
            confirmHeld = false;
        } else if (!confirmHeld) {
            confirmHeld = true;
            switch (list->getIndex()) {
                case 0:
                    phase = kFadeOut | kStartChosen;
                    if (startSound)
                        startSound->play(false);
                    break;
                case 1:
                    phase = kFadeOut | kConfigChosen;
                    if (startSound)
                        startSound->play(false);
                    break;
                default:
                    requestQuit();
                    break;
            }
        }
        return;
    }
    if (phase & kFadeOut) {
        const bool start = (phase & kStartChosen) != 0;
        t += start ? 5 : 10;
        if (t >= 256) {
            t = 255;
            if (start) {
                requestScene(4);
            } else {
                requestNext();
            }
        }
    }
}

void MenuSceneOld::draw(veru::platform::VideoDevice*) {
    if (!graphics || !background || !fadeLayer || !list)
        return;
    background->drawAll(*graphics);
    graphics->startSprite();
    if (phase == kFadeIn) {
        drawFadeLayer(*graphics, *fadeLayer, 255 - t, width, height);
    } else if (phase == kActive) {
        graphics->setCentred(true);
        list->draw(*graphics);
        graphics->flushSprites(false, false);
        graphics->setCentred(false);
    } else {
        drawFadeLayer(*graphics, *fadeLayer, t, width, height);
    }
    graphics->endSprite();
}

void MenuSceneOld::release() {
    list.reset();
    items.clear();
    fadeLayer.reset();
    background.reset();
    graphics.reset();
    voices.clear();
    startSound = cancelSound = titleCall = nullptr;
}

}  // namespace ml
