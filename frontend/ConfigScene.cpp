#include "frontend/ConfigScene.h"

#include <algorithm>
#include <bit>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ActionBindings.h"
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

using veru::dxt::event::ActionBindings;
using veru::dxt::event::ButtonMap;
using veru::dxt::event::Control;
using veru::dxt::event::FreshPress;

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
// The line naming the pad in use, above it.
constexpr int kPadLineY = 508;
// The two choices of the key row, under its item.
constexpr int kKeyChoiceX = 44;
constexpr int kKeyChoiceGap = 26;
constexpr unsigned kBright = 0xFFFFD874u;
constexpr unsigned kDim = 0xFF9A9A9Au;
constexpr unsigned kWhite = 0xFFFFFFFFu;
// Texts kept at most (names of pads come and go).
constexpr std::size_t kMaxTexts = 96;

constexpr const char16_t* kPrompt = u"press a key or button";
constexpr const char16_t* kKeyChoiceTexts[] = {u"assign", u"default buttons"};

Control controlOf(int action) {
    return static_cast<Control>(static_cast<int>(Control::shoot) + action);
}

bool isSingleButton(int bits) {
    return bits >= kFirstButton && bits <= kLastButton &&
           std::has_single_bit(static_cast<unsigned>(bits));
}
}  // namespace

ConfigScene::ConfigScene(veru::dxt::SceneManager* manager, GameSetting* setting,
                         ActionBindings* bindings)
    : Scene(manager),
      rows(std::make_unique<veru::dxt::SelectList>(true)),
      screenChoices(std::make_unique<veru::dxt::SelectList>(false)),
      levelChoices(std::make_unique<veru::dxt::SelectList>(false)),
      setting(setting),
      bindings(bindings ? bindings : &ActionBindings::global()) {}

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
    confirmSound = nullptr;
    previewTune = nullptr;
    previousButtons = 0;
    keyRowChoice = kKeyAssign;
    rows->setIndex(0);
    followShootMask();
}

void ConfigScene::followShootMask() {
    confirmMask = ButtonMap::global().mask(ButtonMap::kShoot);
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

void ConfigScene::assignButton(int action, int bit) {
    setMaskOf(action, bit);
    resolveConflicts(action, bit);
}

bool ConfigScene::assignPress(int action, const FreshPress& press) {
    const Control control = controlOf(action);
    if (press.key != veru::platform::keys::none) {
        const auto& keys = bindings->of(control).keys;
        const veru::platform::KeyCode kept = keys[0] != press.key ? keys[0] : keys[1];
        return bindings->setKeys(control, press.key, kept);
    }
    if (press.padButton != veru::platform::PadButton::none)
        return bindings->setPadButton(control, press.padButton);
    if (press.rawButton >= 0 && press.rawButton < 10) {
        assignButton(action, kFirstButton << press.rawButton);
        return true;
    }
    return false;
}

bool ConfigScene::assignKeys(int buttons, const FreshPress& press) {
    const int action = getAssigning();
    if (action < 0)
        return true;
    bool taken = false;
    if (press.any()) {
        taken = assignPress(action, press);
        pressHeld = true;  // whatever it set in the word must be let go first
    } else if (!isSingleButton(buttons)) {
        pressHeld = false;
    } else if (!pressHeld) {
        assignButton(action, buttons);
        pressHeld = true;
        taken = true;
    }
    if (!taken)
        return false;
    if (action == 4)
        return true;
    actions[static_cast<std::size_t>(action + 1)]->setSelected(true);
    return false;
}

void ConfigScene::restoreDefaultButtons() {
    for (int action = 0; action < 5; ++action)
        setMaskOf(action, ButtonMap::defaultMask(ButtonMap::kShoot + action));
    setting->applyMasks();
    followShootMask();
    bindings->restoreDefaults(ButtonMap::global());
}

veru::YString ConfigScene::labelText(int action) const {
    if (phase == kKeyAssignment && getAssigning() == action)
        return kPrompt;
    const veru::dxt::event::Binding& binding = bindings->of(controlOf(action));
    std::string text;
    for (veru::platform::KeyCode key : binding.keys) {
        if (key != veru::platform::keys::none)
            text += (text.empty() ? "" : ", ") + veru::platform::Keyboard::keyName(key);
    }
    std::string padText;
    if (pad.present && pad.style == veru::platform::PadStyle::unmapped) {
        const int mask = maskOf(action);
        if (isSingleButton(mask))
            padText = veru::platform::GamePad::rawButtonName(
                std::countr_zero(static_cast<unsigned>(mask)) - 4);
    } else if (pad.present) {
        for (veru::platform::PadButton button : binding.pads) {
            if (button != veru::platform::PadButton::none)
                padText += (padText.empty() ? "" : " / ") +
                           veru::platform::GamePad::buttonName(button, pad.style);
        }
    }
    if (!padText.empty())
        text += (text.empty() ? "[" : "  [") + padText + "]";
    return veru::YString::fromUtf8(text);
}

veru::YString ConfigScene::padLine() const {
    return veru::YString::fromUtf8("Pad: " + (pad.present ? pad.name : std::string("none")));
}

veru::dxt::material::Texture* ConfigScene::textTexture(veru::platform::VideoDevice* device,
                                                       const veru::YString& text, unsigned colour) {
    if (!device || text.empty())
        return nullptr;
    auto key = std::make_pair(text, colour);
    if (auto found = texts.find(key); found != texts.end())
        return found->second.get();
    if (texts.size() >= kMaxTexts)
        texts.clear();
    auto texture = std::make_unique<veru::dxt::material::Texture>();
    if (!veru::dxt::DirectGraphics::drawAntiAliasingString(device, texture.get(), text,
                                                           veru::dxt::FontSpec(), colour, 0))
        return nullptr;
    return texts.emplace(std::move(key), std::move(texture)).first->second.get();
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
    const FreshPress press = input ? input->freshPress() : FreshPress{};
    pad = input ? input->padInUse() : veru::dxt::event::PadInUse{};
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
            } else if (row == kRowKey && (pressed & (kButtonLeft | kButtonRight))) {
                keyRowChoice = keyRowChoice == kKeyAssign ? kKeyDefaults : kKeyAssign;
            } else if (row == kRowKey && (buttons & confirmMask)) {
                if (confirmSound)
                    confirmSound->play(false);
                pressHeld = true;
                if (keyRowChoice == kKeyDefaults) {
                    restoreDefaultButtons();
                } else {
                    phase = kKeyAssignment;
                    actions[0]->setSelected(true);
                }
            } else if (row == rows->count() - 1 && (buttons & confirmMask)) {
                phase = kFadeOut;
                fade.startOut(kFadeStep);
                followMusicRow();
            }
            break;
        }
        case kKeyAssignment:
            if (assignKeys(buttons, press)) {
                for (auto& item : actions)
                    item->setSelected(false);
                setting->applyMasks();
                followShootMask();  // shoot may have moved: confirm goes with it
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
    if (musicRow)
        drawGauge(*musicRow, setting->getMusicVolume());
    if (effectRow)
        drawGauge(*effectRow, setting->getEffectVolume());
    if (noSoundLine)
        graphics->queueSprite(noSoundLine.get(), kNoSoundX, kNoSoundY);
    if (auto* line = textTexture(device, padLine(), kWhite))
        graphics->queueSprite(line, kNoSoundX, kPadLineY);
    if (!items.empty()) {
        const auto* keyRow = items[static_cast<std::size_t>(kRowKey)].get();
        const bool onKeyRow = phase == kMenu && rows->getIndex() == kRowKey;
        for (int choice : {kKeyAssign, kKeyDefaults}) {
            const unsigned colour = onKeyRow && choice == keyRowChoice ? kBright : kDim;
            if (auto* text = textTexture(device, kKeyChoiceTexts[choice], colour))
                graphics->queueSprite(
                    text, kKeyChoiceX,
                    keyRow->getY() + keyRow->getHeight() + 6 + kKeyChoiceGap * choice);
        }
    }
    for (int i = 0; i < 5; ++i) {
        const auto& item = actions[static_cast<std::size_t>(i)];
        const bool prompt = phase == kKeyAssignment && getAssigning() == i;
        auto* label = item ? textTexture(device, labelText(i), prompt ? kBright : kWhite) : nullptr;
        if (label)
            graphics->queueSprite(label, item->getX() + item->getWidth() + 20, item->getY() + 20);
    }
    graphics->startSprite();
    graphics->flushSprites(false, false);
    if (phase == kFadeIn || phase == kFadeOut)
        fade.draw(*graphics, width, height);
    graphics->endSprite();
}

void ConfigScene::release() {
    texts.clear();
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
