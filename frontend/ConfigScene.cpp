#include "frontend/ConfigScene.h"

#include <bit>

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
#include "engine/window/DXFrame.h"
#include "engine/window/MessageBox.h"
#include "engine/window/SelectComponent.h"
#include "engine/window/SelectList.h"
#include "frontend/FadeLayer.h"
#include "frontend/GameSetting.h"

namespace ml {

using veru::dxt::event::ButtonMap;

namespace {
using veru::dxt::event::kFirstButton;
using veru::dxt::event::kLastButton;

bool isSingleButton(int bits) {
    return bits >= kFirstButton && bits <= kLastButton &&
           std::has_single_bit(static_cast<unsigned>(bits));
}
}  // namespace

ConfigScene::ConfigScene(veru::dxt::SceneManager* manager, GameSetting* setting)
    : Scene(manager),
      rows(std::make_unique<veru::dxt::SelectList>(true)),
      screenChoices(std::make_unique<veru::dxt::SelectList>(false)),
      levelChoices(std::make_unique<veru::dxt::SelectList>(false)),
      setting(setting) {}

ConfigScene::~ConfigScene() = default;

int ConfigScene::getRow() const {
    return rows->getIndex();
}
int ConfigScene::getScreenChoice() const {
    return screenChoices->getIndex();
}
int ConfigScene::getLevelChoice() const {
    return levelChoices->getIndex();
}

int ConfigScene::getAssigning() const {
    for (int i = 4; i >= 0; --i) {
        if (actions[static_cast<std::size_t>(i)] &&
            actions[static_cast<std::size_t>(i)]->isSelected())
            return i;
    }
    return -1;
}

void ConfigScene::reset() {
    phase = kFadeIn;
    pressHeld = false;
    t = 0;
    confirmMask = ButtonMap::global().mask(ButtonMap::kShoot);
    confirmSound = nullptr;
    rows->setIndex(0);
    for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()}) {
        list->setConfirmMask(confirmMask);
    }
}

bool ConfigScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    try {
        veru::dxt::ComponentFactory factory(device);
        readBackBufferSize(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
        auto make = [&](const char16_t* normal, const char16_t* selected) {
            items.push_back(factory.newSelectComponent(normal, selected));
            return items.back().get();
        };
        items.clear();
        auto* screen = make(u"img/screen_n.ytx", u"img/screen_s.ytx");
        auto* level = make(u"img/level_n.ytx", u"img/level_s.ytx");
        auto* key = make(u"img/key_n.ytx", u"img/key_s.ytx");
        auto* back = make(u"img/return_n.ytx", u"img/return_s.ytx");
        auto* full = make(u"img/full_n.ytx", u"img/full_s.ytx");
        auto* window = make(u"img/window_n.ytx", u"img/window_s.ytx");
        auto* easy = make(u"img/easy_n.ytx", u"img/easy_s.ytx");
        auto* normal = make(u"img/normal_n.ytx", u"img/normal_s.ytx");
        auto* hard = make(u"img/hard_n.ytx", u"img/hard_s.ytx");

        screen->setLocation(30, 80);
        level->setLocation(screen->getX(), screen->getY() + 80);
        key->setLocation(screen->getX(), level->getY() + 80);
        back->setLocation(screen->getX(), height - back->getHeight() - 30);
        full->setLocation(screen->getX() + screen->getWidth() + 100, screen->getY() + 16);
        window->setLocation(full->getX() + full->getWidth() + 10, full->getY());
        easy->setLocation(level->getX() + level->getWidth() + 30, level->getY() + 16);
        normal->setLocation(easy->getX() + easy->getWidth() + 10, easy->getY());
        hard->setLocation(normal->getX() + normal->getWidth() + 10, easy->getY());

        // The lists are filled afresh on every entry into the scene; the row
        // stays (a screen-mode switch makes the scene again on the screen row).
        for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()})
            list->removeAll();
        for (auto* item : {screen, level, key, back})
            rows->add(item);
        screenChoices->add(window);
        screenChoices->add(full);
        for (auto* item : {easy, normal, hard})
            levelChoices->add(item);
        for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()}) {
            list->setConfirmMask(confirmMask);
        }
        syncChoices();

        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/config.ysf", device);
        fadeLayer = std::make_unique<veru::dxt::material::Texture>();
        fadeLayer->createBlank(device, 1, 1);

        labels.clear();
        for (int n = 1; n <= 10; ++n) {
            auto label = std::make_unique<veru::dxt::material::Texture>();
            veru::dxt::DirectGraphics::drawAntiAliasingString(
                device, label.get(), veru::YString(u"Button-").append(n), veru::dxt::FontSpec(),
                0xFFFFFFFFu, 0);
            labels[kFirstButton << (n - 1)] = std::move(label);
        }

        const char16_t* actionPictures[5][2] = {
            {u"img/button1_n.ytx", u"img/button1_s.ytx"},
            {u"img/button2_n.ytx", u"img/button2_s.ytx"},
            {u"img/button3_n.ytx", u"img/button3_s.ytx"},
            {u"img/button4_n.ytx", u"img/button4_s.ytx"},
            {u"img/button5_n.ytx", u"img/button5_s.ytx"},
        };
        for (std::size_t i = 0; i < actions.size(); ++i) {
            actions[i] = factory.newSelectComponent(actionPictures[i][0], actionPictures[i][1]);
            if (i == 0) {
                actions[i]->setLocation(key->getX() + key->getWidth() + 30, key->getY());
            } else {
                actions[i]->setLocation(actions[0]->getX(),
                                        actions[i - 1]->getY() + actions[i - 1]->getHeight() - 20);
            }
        }
        if (veru::sound::SoundManger* sounds = manager->getSounds()) {
            confirmSound = sounds->getSound(u"sound/start.wav");
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"ConfigScene::create()");
        return false;
    }
    return true;
}

void ConfigScene::syncChoices() {
    screenChoices->setIndex(setting->isFullScreen() ? 1 : 0);
    switch (setting->getLevel()) {
        case GameSetting::kLevelEasy:
            levelChoices->setIndex(0);
            break;
        case GameSetting::kLevelNormal:
            levelChoices->setIndex(1);
            break;
        case GameSetting::kLevelHard:
            levelChoices->setIndex(2);
            break;
        default:
            break;
    }
}

int ConfigScene::maskOf(int action) const {
    switch (action) {
        case 0:
            return setting->getMaskShoot();
        case 1:
            return setting->getMaskSpecial();
        case 2:
            return setting->getMaskBomb();
        case 3:
            return setting->getMaskSlow();
        default:
            return setting->getMaskPause();
    }
}

void ConfigScene::setMaskOf(int action, int mask) {
    switch (action) {
        case 0:
            setting->setMaskShoot(mask);
            break;
        case 1:
            setting->setMaskSpecial(mask);
            break;
        case 2:
            setting->setMaskBomb(mask);
            break;
        case 3:
            setting->setMaskSlow(mask);
            break;
        default:
            setting->setMaskPause(mask);
            break;
    }
}

void ConfigScene::resolveConflicts(int assigned, int mask) {
    for (int other = 0; other < 5; ++other) {
        if (other == assigned || maskOf(other) != mask)
            continue;
        int used = 0;
        for (int i = 0; i < 5; ++i) {
            if (i != other)
                used |= maskOf(i);
        }
        for (int bit = kFirstButton; bit <= kLastButton; bit <<= 1) {
            if ((used & bit) == 0) {
                setMaskOf(other, bit);
                break;
            }
        }
    }
}

bool ConfigScene::assignKeys(int buttons) {
    if (!isSingleButton(buttons)) {
        pressHeld = false;
        return false;
    }
    if (pressHeld)
        return false;
    const int action = getAssigning();
    bool done = false;
    if (action >= 0) {
        setMaskOf(action, buttons);
        if (action > 0)
            resolveConflicts(action, buttons);
        if (action == 4) {
            done = true;
        } else {
            actions[static_cast<std::size_t>(action + 1)]->setSelected(true);
        }
    }
    pressHeld = true;
    return done;
}

void ConfigScene::update(veru::dxt::event::InputInterface* input) {
    const int buttons = input ? input->poll() : 0;
    switch (phase) {
        case kFadeIn:
            t += 10;
            if (t >= 256) {
                t = 0;
                phase = kMenu;
            }
            break;
        case kMenu: {
            if (pressHeld) {
                if (buttons != 0)
                    return;
                pressHeld = false;
            }
            rows->update(buttons);
            if (buttons & (0x1 | 0x2))
                syncChoices();
            const int row = rows->getIndex();
            if (row == kRowScreen) {
                if (screenChoices->update(buttons)) {
                    setting->setFullScreen(screenChoices->getIndex() == 1);
                    // Switching the mode may make this scene afresh: use
                    // nothing of it after the call.
                    if (auto* frame = manager->getFrame()) {
                        frame->setScreenMode(setting->isFullScreen());
                    }
                    return;
                }
            } else if (row == kRowLevel) {
                if (levelChoices->update(buttons)) {
                    const int codes[3] = {GameSetting::kLevelEasy, GameSetting::kLevelNormal,
                                          GameSetting::kLevelHard};
                    setting->setLevel(codes[levelChoices->getIndex()]);
                    if (confirmSound)
                        confirmSound->play(false);
                }
            } else if (row == kRowKey && (buttons & confirmMask)) {
                if (confirmSound)
                    confirmSound->play(false);
                phase = kKeyAssignment;
                actions[0]->setSelected(true);
                for (int i = 0; i < 5; ++i)
                    setMaskOf(i, 0);
                pressHeld = true;
            } else if (row == rows->count() - 1 && (buttons & confirmMask)) {
                phase = kFadeOut;
            }
            break;
        }
        case kKeyAssignment:
            if (assignKeys(buttons)) {
                for (auto& item : actions)
                    item->setSelected(false);
                setting->applyMasks();
                phase = kMenu;
            }
            break;
        case kFadeOut:
            t += 10;
            if (t >= 256) {
                t = 255;
                requestPrevious();
            }
            break;
        default:
            break;
    }
}

void ConfigScene::draw(veru::platform::VideoDevice*) {
    if (!graphics || !background || !fadeLayer)
        return;
    background->drawAll(*graphics);
    rows->draw(*graphics);
    screenChoices->draw(*graphics);
    levelChoices->draw(*graphics);
    for (auto& item : actions) {
        if (item)
            item->draw(*graphics);
    }
    for (int i = 0; i < 5; ++i) {
        const auto& item = actions[static_cast<std::size_t>(i)];
        auto label = labels.find(maskOf(i));
        if (!item || label == labels.end())
            continue;
        graphics->queueSprite(label->second.get(), item->getX() + item->getWidth() + 20,
                              item->getY() + 20);
    }
    graphics->startSprite();
    graphics->flushSprites(false, false);
    if (phase == kFadeIn)
        drawFadeLayer(*graphics, *fadeLayer, 255 - t, width, height);
    if (phase == kFadeOut)
        drawFadeLayer(*graphics, *fadeLayer, t, width, height);
    graphics->endSprite();
}

void ConfigScene::release() {
    labels.clear();
    for (auto& item : actions)
        item.reset();
    fadeLayer.reset();
    background.reset();
    graphics.reset();
    // The lists keep pointers to the items: empty them before the items go.
    for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()})
        list->removeAll();
    items.clear();
    confirmSound = nullptr;
}

}  // namespace ml
