#include "frontend/TitleMenu.h"

#include <algorithm>

#include "engine/core/MessageBox.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/scene/ReadAhead.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/ComponentFactory.h"
#include "engine/window/SelectComponent.h"
#include "engine/window/SelectList.h"

namespace ml {

using veru::dxt::event::ButtonMap;

namespace {
// Fade steps (of 255 per frame): a slow fade in, a slower fade out into the
// game than into the configuration or the replays.
constexpr int kFadeInStep = 3;
constexpr int kStartFadeStep = 5;
constexpr int kLeaveFadeStep = 10;

constexpr const char16_t* kTitlePicture = u"img/title_menu.ysf";
constexpr const char16_t* kStartSound = u"sound/start.wav";
constexpr const char16_t* kCancelSound = u"sound/cancel.wav";
}  // namespace

TitleMenu::TitleMenu(veru::dxt::SceneManager* manager, GameSetting* setting, const char16_t* name,
                     std::vector<const char16_t*> titleCalls, std::span<const TitleItem> rows)
    : Scene(manager),
      setting(setting),
      name(name),
      rows(rows),
      titleCallPaths(std::move(titleCalls)) {}

int TitleMenu::itemY(int index, int count) {
    const int gap = count > 1 ? std::min(kMaxItemGap, (kBottomItemY - kTopItemY) / (count - 1)) : 0;
    return kMiddleItemY - gap * (count - 1) / 2 + gap * index;
}

TitleMenu::~TitleMenu() = default;

int TitleMenu::getIndex() const {
    return list ? list->getIndex() : 0;
}

void TitleMenu::reset() {
    phase = kFadeIn;
    fade.startIn(kFadeInStep);
    confirmHeld = false;
    titleCall = -1;
    startSound = cancelSound = nullptr;
}

bool TitleMenu::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    try {
        veru::dxt::ComponentFactory factory(device);
        readBackBufferSize(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
        graphics->setFont(veru::dxt::FontSpec(u"HGｺﾞｼｯｸM", 30));
        list = std::make_unique<veru::dxt::SelectList>(true);
        items.clear();
        for (const TitleItem& row : rows) {
            items.push_back(factory.newSelectComponent(row.picture, row.pictureChosen));
            items.back()->setLocation(width / 2, itemY(static_cast<int>(items.size()) - 1));
            list->add(items.back().get());
        }
        list->setIndex(kItemStart);
        createChoice(factory, device);
        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(kTitlePicture, device);
        fade.create(device);
        voices.clear();
        if (veru::sound::SoundManger* sounds = manager->getSounds()) {
            startSound = sounds->getSound(kStartSound);
            cancelSound = sounds->getSound(kCancelSound);
            for (const char16_t* path : titleCallPaths)
                voices.push_back(sounds->getSound(path));
        } else {
            voices.assign(titleCallPaths.size(), nullptr);
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), veru::YString(name) + u"::create()");
        return false;
    }
    return true;
}

veru::dxt::PrepareJob TitleMenu::prepare() {
    // Copies of what create reads: the job never touches the scene.
    std::vector<ItemPictures> pictures = choicePictures();
    for (const TitleItem& row : rows)
        pictures.push_back({row.picture, row.pictureChosen});
    std::vector<const char16_t*> sounds = titleCallPaths;
    sounds.insert(sounds.end(), {kStartSound, kCancelSound});
    return veru::dxt::readAheadJob([pictures, sounds] {
        veru::dxt::ComponentFactory factory(nullptr);
        for (const ItemPictures& item : pictures)
            factory.newSelectComponent(item.plain, item.chosen);
        veru::dxt::material::Surface().load(kTitlePicture, nullptr);
        veru::sound::SoundManger deviceless;  // its sounds only read ahead
        for (const char16_t* path : sounds)
            deviceless.getSound(path);
    });
}

void TitleMenu::play(veru::sound::ISound* sound) {
    if (sound)
        sound->play(false);
}

void TitleMenu::fadeOut(int chosen) {
    phase = kFadeOut | chosen;
    fade.startOut(chosen == kStartChosen ? kStartFadeStep : kLeaveFadeStep);
    play(startSound);
}

void TitleMenu::fadeOutToStart() {
    fadeOut(kStartChosen);
}

void TitleMenu::startChosen() {
    fadeOutToStart();
}

void TitleMenu::update(veru::dxt::event::InputInterface* input) {
    const int buttons = input ? input->poll() : 0;
    if (phase == kFadeIn) {
        if (fade.advance()) {
            phase = kActive;
            if (!voices.empty()) {
                titleCall = veru::dxt::effect2D::randomIndex(static_cast<int>(voices.size()));
                play(voices[static_cast<std::size_t>(titleCall)]);
            }
        }
        return;
    }
    if (phase == kActive) {
        if (updateChoice(buttons))
            return;
        list->update(buttons);
        if (!ButtonMap::global().held(ButtonMap::kShoot, buttons)) {
            confirmHeld = false;
        } else if (!confirmHeld) {
            confirmHeld = true;
            const int index = list->getIndex();
            if (index < 0 || static_cast<std::size_t>(index) >= rows.size())
                return;
            const TitleItem& row = rows[static_cast<std::size_t>(index)];
            switch (row.does) {
                case TitleItem::Does::start:
                    startChosen();
                    break;
                case TitleItem::Does::leave:
                    leavingBy = row.exit;
                    fadeOut(kLeaveChosen);
                    break;
                case TitleItem::Does::quit:
                    requestQuit();
                    break;
            }
        }
        return;
    }
    if ((phase & kFadeOut) && fade.advance()) {
        requestExit((phase & kStartChosen) ? veru::dxt::SceneExit::story : leavingBy);
    }
}

void TitleMenu::draw(veru::platform::VideoDevice*) {
    if (!graphics || !background || !fade.isCreated() || !list)
        return;
    background->drawAll(*graphics);
    graphics->startSprite();
    if (phase == kActive) {
        graphics->setCentred(true);
        if (!drawChoice(*graphics))
            list->draw(*graphics);
        graphics->flushSprites(false, false);
        graphics->setCentred(false);
    } else {
        fade.draw(*graphics, width, height);
    }
    graphics->endSprite();
}

void TitleMenu::release() {
    releaseChoice();
    list.reset();
    items.clear();
    fade.release();
    background.reset();
    graphics.reset();
    voices.clear();
    startSound = cancelSound = nullptr;
}

}  // namespace ml
