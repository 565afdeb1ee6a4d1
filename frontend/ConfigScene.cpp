#include "frontend/ConfigScene.h"

#include <algorithm>
#include <bit>

#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/core/MessageText.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ActionBindings.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/platform/Locale.h"
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
using settings::kConfigRows;
using settings::Shown;
using veru::dxt::event::kButtonLeft;
using veru::dxt::event::kButtonRight;
using veru::dxt::event::kFirstButton;
using veru::dxt::event::kLastButton;
// The volume gauge: one pip per step, this far apart.
constexpr int kPipStep = 24;
// The no-sound line, beside the volume gauges.
constexpr int kNoSoundX = 516;
constexpr int kNoSoundSize = 14;
// The line naming the pad in use, in the right panel beside "return".
constexpr int kPadLineX = 262;
constexpr int kPadLineY = ConfigScene::rowY(ConfigScene::kRowReturn) + 8;
// The two choices of the key row, under its item.
constexpr int kKeyChoiceX = 44;
constexpr int kKeyChoiceGap = 26;
constexpr unsigned kBright = 0xFFFFD874u;
constexpr unsigned kDim = 0xFF9A9A9Au;
constexpr unsigned kWhite = 0xFFFFFFFFu;
// Texts kept at most (names of pads come and go).
constexpr std::size_t kMaxTexts = 96;

// The screen's own words, in both languages.
struct Words {
    const char16_t* japanese;
    const char16_t* english;
};
constexpr Words kPrompt{u"キーかボタンを押してください", u"press a key or button"};
constexpr Words kKeyChoiceTexts[] = {{u"割り当てる", u"assign"},
                                     {u"初期設定にもどす", u"default buttons"}};
constexpr Words kPadLabel{u"パッド：", u"Pad: "};
constexpr Words kNoPad{u"なし", u"none"};

const char16_t* say(const Words& words) {
    return veru::currentLanguage() == veru::Language::english ? words.english : words.japanese;
}

// English is drawn in its proportional face, Japanese in the game's own.
veru::dxt::FontSpec textFont(int size) {
    return veru::currentLanguage() == veru::Language::english
               ? veru::dxt::FontSpec(veru::kEnglishTextFace, size)
               : veru::dxt::FontSpec(u"default", size);
}

// The settings rows the action items set, in action order (the buttons
// rows of the settings table: shoot, special, bomb, slow, pause).
constexpr auto kActionKeys = [] {
    std::array<settings::Key, 5> keys{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < settings::kKeyCount; ++i) {
        if (settings::kKeys[i].type == settings::ValueType::buttons && n < keys.size())
            keys[n++] = static_cast<settings::Key>(i);
    }
    return keys;
}();
static_assert(settings::info(kActionKeys[0]).slot == ButtonMap::kShoot &&
                  settings::info(kActionKeys[4]).slot == ButtonMap::kPause,
              "the action items are the five buttons rows, in slot order");

// "img/NAME_n.ytx" (plain) or "img/NAME_s.ytx" (highlighted).
veru::YString picture(const char16_t* name, bool highlighted) {
    return veru::YString(u"img/").append(name).append(highlighted ? u"_s.ytx" : u"_n.ytx");
}

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
      setting(setting),
      bindings(bindings ? bindings : &ActionBindings::global()) {
    for (auto& list : choices)
        list = std::make_unique<veru::dxt::SelectList>(false);
}

ConfigScene::~ConfigScene() = default;

int ConfigScene::getRow() const {
    return rows->getIndex();
}

int ConfigScene::getChoice(int row) const {
    return row >= 0 && row < settings::kConfigRowCount
               ? choices[static_cast<std::size_t>(row)]->getIndex()
               : 0;
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
    rows->setConfirmMask(confirmMask);
    for (auto& list : choices)
        list->setConfirmMask(confirmMask);
}

bool ConfigScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    try {
        loadedOn = device;
        veru::dxt::ComponentFactory factory(device);
        readBackBufferSize(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
        auto make = [&](const char16_t* name) {
            items.push_back(factory.newSelectComponent(picture(name, false), picture(name, true)));
            return items.back().get();
        };
        // The lists are filled afresh on every entry into the scene; the row
        // stays (a screen-mode switch or a new language makes the scene again
        // on the row it was on).
        items.clear();
        rowItems.clear();
        rows->removeAll();
        for (auto& list : choices)
            list->removeAll();
        // Window sizes: 1x is "window", then as many multiples as fit.
        auto* frame = manager->getFrame();
        windowChoices =
            std::clamp(frame ? frame->maxWindowScale() : kMaxOfferedScale, 1, kMaxOfferedScale);

        // The left column holds the rows; each row's choices or gauge stand
        // beside it in the right panel, and the action items stack beside
        // the key row.
        constexpr int kRowX = 30;
        for (int row = 0; row <= kRowReturn; ++row) {
            auto* item = make(row < kRowReturn ? kConfigRows[row].picture : u"return");
            item->setLocation(kRowX, rowY(row));
            rows->add(item);
            rowItems.push_back(item);
            if (row == kRowReturn)
                break;
            const settings::ConfigRow& shown = kConfigRows[row];
            if (shown.shown != Shown::choices && shown.shown != Shown::screen)
                continue;
            // The screen row offers only the window sizes the desktop has room
            // for, then its last choice, full screen.
            const int count = settings::choiceCount(shown);
            const int offered = shown.shown == Shown::screen ? windowChoices : count;
            const int gap = shown.shown == Shown::screen ? 4 : 10;
            int x = kRowX + item->getWidth() + (shown.shown == Shown::screen ? 26 : 30);
            for (int i = 0; i < count; ++i) {
                if (i >= offered && i != count - 1)
                    continue;
                auto* choice = make(shown.choices[static_cast<std::size_t>(i)]);
                choice->setLocation(x, item->getY() + 6);
                x += choice->getWidth() + gap;
                choices[static_cast<std::size_t>(row)]->add(choice);
            }
        }
        followShootMask();
        syncChoices();

        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/config.ysf", device);
        fade.create(device);

        pipOn = std::make_unique<veru::dxt::material::Texture>();
        pipOn->load(u"img/volume_on.ytx", device);
        pipOff = std::make_unique<veru::dxt::material::Texture>();
        pipOff->load(u"img/volume_off.ytx", device);

        const auto* key = rowItems[static_cast<std::size_t>(kRowKey)];
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const veru::YString name =
                veru::YString(u"button").append(settings::info(kActionKeys[i]).slot);
            actions[i] = factory.newSelectComponent(picture(name.c_str(), false),
                                                    picture(name.c_str(), true));
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
                // Three short lines beside the gauges.
                const veru::YString message = veru::awt::playerText(
                    veru::sound::SoundManger::kNoDeviceMessage, veru::currentLanguage());
                noSoundLine = std::make_unique<veru::dxt::material::Texture>();
                veru::dxt::DirectGraphics::drawAntiAliasingString(
                    device, noSoundLine.get(),
                    message.replaceFirst(u"、", u"、\n")
                        .replaceFirst(u"(", u"\n(")
                        .replaceFirst(u": ", u":\n"),
                    textFont(kNoSoundSize), 0xFFFFD874u, 2);
            }
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"ConfigScene::create()");
        return false;
    }
    return true;
}

void ConfigScene::syncChoices() {
    for (int row = 0; row < settings::kConfigRowCount; ++row) {
        auto& list = *choices[static_cast<std::size_t>(row)];
        const settings::KeyInfo& key = settings::info(kConfigRows[row].key);
        if (kConfigRows[row].shown == Shown::screen) {
            list.setIndex(setting->isFullScreen()
                              ? windowChoices
                              : std::min(setting->getWindowScale(), windowChoices) - 1);
        } else if (kConfigRows[row].shown == Shown::choices) {
            list.setIndex(setting->value(kConfigRows[row].key) - key.low);
        }
    }
}

int ConfigScene::maskOf(int action) const {
    return setting->value(kActionKeys[static_cast<std::size_t>(action)]);
}

void ConfigScene::setMaskOf(int action, int mask) {
    setting->setValue(kActionKeys[static_cast<std::size_t>(action)], mask);
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
        return say(kPrompt);
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
    return veru::YString(say(kPadLabel))
        .append(pad.present ? veru::YString::fromUtf8(pad.name) : veru::YString(say(kNoPad)));
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
                                                           textFont(20), colour, 0))
        return nullptr;
    return texts.emplace(std::move(key), std::move(texture)).first->second.get();
}

void ConfigScene::chooseScreen() {
    const int index = choices[static_cast<std::size_t>(kRowScreen)]->getIndex();
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
    const settings::Key key = kConfigRows[row].key;
    setting->setValue(key, setting->value(key) + step);
    veru::sound::SoundManger* sounds = manager->getSounds();
    if (row == kRowMusic) {
        if (sounds)
            sounds->setLevel(Category::music, setting->getMusicVolume());
    } else {
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

void ConfigScene::chooseValue(int row) {
    const settings::Key key = kConfigRows[row].key;
    const int languageBefore = setting->getLanguage();
    setting->setValue(key,
                      settings::info(key).low + choices[static_cast<std::size_t>(row)]->getIndex());
    if (confirmSound)
        confirmSound->play(false);
    if (setting->getLanguage() != languageBefore)
        followLanguage();
}

void ConfigScene::followLanguage() {
    const veru::Language wanted = setting->languageFor(veru::platform::desktopLanguage());
    if (wanted == veru::currentLanguage())
        return;
    veru::setCurrentLanguage(wanted);
    // The words on this screen are pictures and rendered texts: make them
    // again in the new language, on the row the player is on. The button
    // that confirmed must be let go before anything else happens.
    release();
    if (!create(nullptr, loadedOn)) {
        requestPrevious();
        return;
    }
    pressHeld = true;
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
            if (row < 0 || row > kRowReturn)
                break;  // nothing loaded
            if (row == kRowReturn) {
                if (buttons & confirmMask) {
                    phase = kFadeOut;
                    fade.startOut(kFadeStep);
                    followMusicRow();
                }
                break;
            }
            switch (kConfigRows[row].shown) {
                case Shown::screen:
                    if (choices[static_cast<std::size_t>(row)]->update(buttons)) {
                        chooseScreen();
                        return;
                    }
                    break;
                case Shown::choices:
                    // Choosing a language makes the scene again: nothing after.
                    if (choices[static_cast<std::size_t>(row)]->update(buttons))
                        chooseValue(row);
                    break;
                case Shown::gauge:
                    if (pressed & kButtonLeft)
                        changeVolume(row, -1);
                    else if (pressed & kButtonRight)
                        changeVolume(row, +1);
                    break;
                case Shown::actions:
                    if (pressed & (kButtonLeft | kButtonRight)) {
                        keyRowChoice = keyRowChoice == kKeyAssign ? kKeyDefaults : kKeyAssign;
                    } else if (buttons & confirmMask) {
                        if (confirmSound)
                            confirmSound->play(false);
                        pressHeld = true;
                        if (keyRowChoice == kKeyDefaults) {
                            restoreDefaultButtons();
                        } else {
                            phase = kKeyAssignment;
                            actions[0]->setSelected(true);
                        }
                    }
                    break;
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

void ConfigScene::drawGauge(const veru::dxt::SelectComponent& row, int level, int steps) {
    if (!pipOn || !pipOff)
        return;
    for (int i = 0; i < steps; ++i) {
        graphics->queueSprite(i < level ? pipOn.get() : pipOff.get(),
                              row.getX() + row.getWidth() + 30 + kPipStep * i, row.getY() + 12);
    }
}

void ConfigScene::draw(veru::platform::VideoDevice* device) {
    if (!graphics || !background || !fade.isCreated())
        return;
    background->drawAll(*graphics);
    rows->draw(*graphics);
    for (auto& list : choices)
        list->draw(*graphics);
    for (auto& item : actions) {
        if (item)
            item->draw(*graphics);
    }
    for (int row = 0; row < settings::kConfigRowCount && row < static_cast<int>(rowItems.size());
         ++row) {
        if (kConfigRows[row].shown != Shown::gauge)
            continue;
        const settings::KeyInfo& key = settings::info(kConfigRows[row].key);
        drawGauge(*rowItems[static_cast<std::size_t>(row)],
                  setting->value(kConfigRows[row].key) - key.low, key.high - key.low);
    }
    if (noSoundLine)
        graphics->queueSprite(noSoundLine.get(), kNoSoundX, rowY(kRowMusic) + 4);
    if (auto* line = textTexture(device, padLine(), kWhite))
        graphics->queueSprite(line, kPadLineX, kPadLineY);
    if (static_cast<int>(rowItems.size()) > kRowKey) {
        const auto* keyRow = rowItems[static_cast<std::size_t>(kRowKey)];
        const bool onKeyRow = phase == kMenu && rows->getIndex() == kRowKey;
        for (int choice : {kKeyAssign, kKeyDefaults}) {
            const unsigned colour = onKeyRow && choice == keyRowChoice ? kBright : kDim;
            if (auto* text = textTexture(device, say(kKeyChoiceTexts[choice]), colour))
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
    // The sound manager drops its sounds at the scene switch.
    previewTune = nullptr;
    for (auto& item : actions)
        item.reset();
    fade.release();
    background.reset();
    graphics.reset();
    // The lists keep pointers to the items: empty them before the items go.
    rows->removeAll();
    for (auto& list : choices)
        list->removeAll();
    rowItems.clear();
    items.clear();
    confirmSound = nullptr;
}

}  // namespace ml
