#include "frontend/ConfigScene.h"

#include <algorithm>
#include <bit>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/IStreamingSound.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/ComponentFactory.h"
#include "engine/window/DXFrame.h"
#include "engine/window/SelectComponent.h"
#include "engine/window/SelectList.h"
#include "game/settings/GameSetting.h"

namespace ml {

using veru::dxt::event::ButtonMap;

namespace {
using veru::dxt::event::kButtonLeft;
using veru::dxt::event::kButtonRight;
using veru::dxt::event::kFirstButton;
using veru::dxt::event::kLastButton;
// The volume gauge: one pip per step, this far apart.
constexpr int kPipStep = 24;
// The no-sound line, in the right panel beside "return".
constexpr int kNoSoundX = 262;
constexpr int kNoSoundY = 530;

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
    fade.startIn(kFadeStep);
    confirmMask = ButtonMap::global().mask(ButtonMap::kShoot);
    confirmSound = nullptr;
    previewTune = nullptr;
    previousButtons = 0;
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
        auto* music = make(u"img/music_n.ytx", u"img/music_s.ytx");
        auto* effect = make(u"img/effect_n.ytx", u"img/effect_s.ytx");
        auto* back = make(u"img/return_n.ytx", u"img/return_s.ytx");
        // Window sizes: 1x is "window", then as many multiples as fit.
        auto* frame = manager->getFrame();
        windowChoices =
            std::clamp(frame ? frame->maxWindowScale() : kMaxOfferedScale, 1, kMaxOfferedScale);
        std::vector<veru::dxt::SelectComponent*> windows{
            make(u"img/window_n.ytx", u"img/window_s.ytx")};
        if (windowChoices >= 2)
            windows.push_back(make(u"img/window2_n.ytx", u"img/window2_s.ytx"));
        if (windowChoices >= 3)
            windows.push_back(make(u"img/window3_n.ytx", u"img/window3_s.ytx"));
        auto* full = make(u"img/full_n.ytx", u"img/full_s.ytx");
        auto* easy = make(u"img/easy_n.ytx", u"img/easy_s.ytx");
        auto* normal = make(u"img/normal_n.ytx", u"img/normal_s.ytx");
        auto* hard = make(u"img/hard_n.ytx", u"img/hard_s.ytx");

        // The left column holds the rows, 64 apart; the action items stack
        // beside the key row and the volume rows come below them.
        screen->setLocation(30, 76);
        level->setLocation(screen->getX(), screen->getY() + 64);
        key->setLocation(screen->getX(), level->getY() + 64);
        music->setLocation(screen->getX(), key->getY() + 208);
        effect->setLocation(screen->getX(), music->getY() + 54);
        back->setLocation(screen->getX(), height - back->getHeight() - 30);
        int x = screen->getX() + screen->getWidth() + 26;
        for (auto* item : windows) {
            item->setLocation(x, screen->getY() + 6);
            x += item->getWidth() + 4;
        }
        full->setLocation(x, screen->getY() + 6);
        easy->setLocation(level->getX() + level->getWidth() + 30, level->getY() + 6);
        normal->setLocation(easy->getX() + easy->getWidth() + 10, easy->getY());
        hard->setLocation(normal->getX() + normal->getWidth() + 10, easy->getY());
        musicRow = music;
        effectRow = effect;

        // The lists are filled afresh on every entry into the scene; the row
        // stays (a screen-mode switch makes the scene again on the screen row).
        for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()})
            list->removeAll();
        for (auto* item : {screen, level, key, music, effect, back})
            rows->add(item);
        for (auto* item : windows)
            screenChoices->add(item);
        screenChoices->add(full);
        for (auto* item : {easy, normal, hard})
            levelChoices->add(item);
        for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()}) {
            list->setConfirmMask(confirmMask);
        }
        syncChoices();

        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/config.ysf", device);
        fade.create(device);

        pipOn = std::make_unique<veru::dxt::material::Texture>();
        pipOn->load(u"img/volume_on.ytx", device);
        pipOff = std::make_unique<veru::dxt::material::Texture>();
        pipOff->load(u"img/volume_off.ytx", device);
        rebuildLabels(device);

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
        noSoundLine.reset();
        if (veru::sound::SoundManger* sounds = manager->getSounds()) {
            confirmSound = sounds->getSound(u"sound/start.wav");
            if (!sounds->hasOutput()) {
                noSoundLine = std::make_unique<veru::dxt::material::Texture>();
                veru::dxt::DirectGraphics::drawAntiAliasingString(
                    device, noSoundLine.get(),
                    veru::YString(veru::sound::SoundManger::kNoDeviceMessage)
                        .replaceFirst(u"(", u"\n("),
                    veru::dxt::FontSpec(u"default", 16), 0xFFFFD874u, 2);
            }
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"ConfigScene::create()");
        return false;
    }
    return true;
}

void ConfigScene::syncChoices() {
    screenChoices->setIndex(setting->isFullScreen()
                                ? windowChoices
                                : std::min(setting->getWindowScale(), windowChoices) - 1);
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

veru::YString ConfigScene::labelText(int action) const {
    const int mask = maskOf(action);
    if (!isSingleButton(mask))
        return veru::YString();
    return buttonLabel(std::countr_zero(static_cast<unsigned>(mask)) - 3);
}

veru::YString ConfigScene::buttonLabel(int n) const {
    veru::YString text = veru::YString(u"Button-").append(n);
    const veru::YString& key = keyNames[static_cast<std::size_t>(n - 1)];
    if (!key.empty())
        text.append(u" ").append(key);
    return text;
}

void ConfigScene::rebuildLabels(veru::platform::VideoDevice* device) {
    labels.clear();
    labelsStale = false;
    if (!device)
        return;
    for (int n = 1; n <= 10; ++n) {
        auto label = std::make_unique<veru::dxt::material::Texture>();
        veru::dxt::DirectGraphics::drawAntiAliasingString(device, label.get(), buttonLabel(n),
                                                          veru::dxt::FontSpec(), 0xFFFFFFFFu, 0);
        labels[kFirstButton << (n - 1)] = std::move(label);
    }
}

void ConfigScene::chooseScreen() {
    const int index = screenChoices->getIndex();
    const bool full = index >= windowChoices;
    setting->setFullScreen(full);
    if (!full)
        setting->setWindowScale(index + 1);
    // Switching the mode may make this scene afresh: use nothing of it after
    // the calls.
    if (auto* frame = manager->getFrame()) {
        frame->setWindowScale(setting->getWindowScale());
        frame->setScreenMode(full);
    }
}

void ConfigScene::changeVolume(int row, int step) {
    using Category = veru::sound::SoundManger::Category;
    veru::sound::SoundManger* sounds = manager->getSounds();
    if (row == kRowMusic) {
        setting->setMusicVolume(setting->getMusicVolume() + step);
        if (sounds)
            sounds->setLevel(Category::music, setting->getMusicVolume());
    } else {
        setting->setEffectVolume(setting->getEffectVolume() + step);
        if (sounds)
            sounds->setLevel(Category::effect, setting->getEffectVolume());
        // Let the player hear the new loudness of an effect.
        if (confirmSound) {
            confirmSound->stop();
            confirmSound->reset();
            confirmSound->play(false);
        }
    }
}

void ConfigScene::followMusicRow() {
    veru::sound::SoundManger* sounds = manager->getSounds();
    if (!sounds)
        return;
    const bool onMusic = rows->getIndex() == kRowMusic && phase == kMenu;
    if (onMusic && !previewTune)
        previewTune = sounds->getStreamingSound(kPreviewTune);
    if (!previewTune)
        return;
    if (onMusic && !previewTune->isPlaying())
        previewTune->play(true);
    if (!onMusic && previewTune->isPlaying())
        previewTune->stop();
}

void ConfigScene::update(veru::dxt::event::InputInterface* input) {
    const int buttons = input ? input->poll() : 0;
    const int pressed = buttons & ~previousButtons;
    previousButtons = buttons;
    for (std::size_t n = 0; n < keyNames.size(); ++n) {
        veru::YString name =
            input ? input->buttonKeyName(kFirstButton << static_cast<int>(n)) : veru::YString();
        if (name != keyNames[n]) {
            keyNames[n] = std::move(name);
            labelsStale = true;
        }
    }
    switch (phase) {
        case kFadeIn:
            if (fade.advance())
                phase = kMenu;
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
            followMusicRow();
            if (row == kRowScreen) {
                if (screenChoices->update(buttons)) {
                    chooseScreen();
                    return;
                }
            } else if (row == kRowMusic || row == kRowEffect) {
                if (pressed & kButtonLeft)
                    changeVolume(row, -1);
                else if (pressed & kButtonRight)
                    changeVolume(row, +1);
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
                fade.startOut(kFadeStep);
                followMusicRow();
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
            if (fade.advance())
                requestPrevious();
            break;
        default:
            break;
    }
}

void ConfigScene::drawGauge(const veru::dxt::SelectComponent& row, int level) {
    if (!pipOn || !pipOff)
        return;
    for (int i = 0; i < GameSetting::kMaxVolume; ++i) {
        graphics->queueSprite(i < level ? pipOn.get() : pipOff.get(),
                              row.getX() + row.getWidth() + 30 + kPipStep * i, row.getY() + 12);
    }
}

void ConfigScene::draw(veru::platform::VideoDevice* device) {
    if (!graphics || !background || !fade.isCreated())
        return;
    background->drawAll(*graphics);
    rows->draw(*graphics);
    screenChoices->draw(*graphics);
    levelChoices->draw(*graphics);
    for (auto& item : actions) {
        if (item)
            item->draw(*graphics);
    }
    if (labelsStale)
        rebuildLabels(device);
    if (musicRow)
        drawGauge(*musicRow, setting->getMusicVolume());
    if (effectRow)
        drawGauge(*effectRow, setting->getEffectVolume());
    if (noSoundLine)
        graphics->queueSprite(noSoundLine.get(), kNoSoundX, kNoSoundY);
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
    if (phase == kFadeIn || phase == kFadeOut)
        fade.draw(*graphics, width, height);
    graphics->endSprite();
}

void ConfigScene::release() {
    labels.clear();
    labelsStale = true;
    pipOn.reset();
    pipOff.reset();
    noSoundLine.reset();
    musicRow = effectRow = nullptr;
    // The sound manager drops its sounds at the scene switch.
    previewTune = nullptr;
    for (auto& item : actions)
        item.reset();
    fade.release();
    background.reset();
    graphics.reset();
    // The lists keep pointers to the items: empty them before the items go.
    for (auto* list : {rows.get(), screenChoices.get(), levelChoices.get()})
        list->removeAll();
    items.clear();
    confirmSound = nullptr;
}

}  // namespace ml
