#include "frontend/PracticeScene.h"

#include <algorithm>
#include <span>
#include <string>
#include <tuple>

#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/BossTable.h"

namespace ml {

namespace {

using shooting::object::bossRows;
using veru::YString;
using veru::dxt::event::ButtonMap;

constexpr int kLevels[] = {GameSetting::kLevelEasy, GameSetting::kLevelNormal,
                           GameSetting::kLevelHard};

// The words of the menu, Japanese and English.
struct Words {
    const char16_t* ja;
    const char16_t* en;
};
constexpr Words kTitle{u"練習", u"Practice"};
constexpr Words kLabels[PracticeChoice::rowCount] = {
    {u"ヒロイン", u"Heroine"},
    {u"難易度", u"Difficulty"},
    {u"練習するもの", u"Practise"},
    {u"場所", u"Where"},
    {u"ショットレベル", u"Shot level"},
    {u"残機", u"Lives"},
    {u"ストック", u"Stock"},
    {u"はじめる", u"Start"},
    {u"もどる", u"Back"},
};
constexpr Words kLevelWords[] = {
    {u"やさしい", u"Easy"}, {u"ふつう", u"Normal"}, {u"むずかしい", u"Hard"}};
constexpr Words kKindWords[] = {{u"ステージの一部", u"Part of her stage"}, {u"ボス", u"A boss"}};
constexpr Words kBossLabel{u"ボス", u"Boss"};
constexpr Words kHint{u"↑↓ 選ぶ　←→ 変える　ショット 決定　ボム もどる",
                      u"Up/Down: choose   Left/Right: change   Shot: confirm   Bomb: back"};

bool english() {
    return veru::currentLanguage() == veru::Language::english;
}

const char16_t* said(const char16_t* ja, const char16_t* en) {
    return english() ? en : ja;
}

const char16_t* said(const Words& words) {
    return said(words.ja, words.en);
}

// The colours of the words: a row, the chosen row, the help line.
constexpr unsigned kPlain = 0xFFFFFFFFu;
constexpr unsigned kChosen = 0xFFFFD874u;
constexpr unsigned kDim = 0xFFB8B8D0u;
constexpr std::size_t kMaxTexts = 200;

// Where the menu is drawn.
constexpr int kLabelX = 80;
constexpr int kValueX = 330;
constexpr int kFirstRowY = 130;
constexpr int kRowGap = 44;
constexpr int kFadeStep = 10;

int wrapped(int value, int step, int count) {
    return ((value + step) % count + count) % count;
}

}  // namespace

// ---------------------------------------------------------------- choice

PracticeChoice::PracticeChoice(int character, int level)
    : livesCount(veru::dxt::PlayStatus::kStartLives),
      stockCount(veru::dxt::PlayStatus::kStartStock) {
    const std::span<const StageHeroine> all = heroines();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].number == character)
            heroineIndex = static_cast<int>(i);
    }
    for (std::size_t i = 0; i < std::size(kLevels); ++i) {
        if (kLevels[i] == level)
            levelIndex = static_cast<int>(i);
    }
}

const StageHeroine& PracticeChoice::getHeroine() const {
    return heroines()[static_cast<std::size_t>(heroineIndex)];
}

int PracticeChoice::getLevel() const {
    return kLevels[levelIndex];
}

int PracticeChoice::whereCount() const {
    return static_cast<int>(bossKind ? bossRows().size() : getHeroine().stageParts.size());
}

StageStart PracticeChoice::plan() const {
    StageStart start;
    if (bossKind) {
        start.boss = std::string(bossRows()[static_cast<std::size_t>(whereIndex)].name);
    } else if (!getHeroine().stageParts.empty()) {
        const StagePart& part = getHeroine().stageParts[static_cast<std::size_t>(whereIndex)];
        if (part.boss)
            start.boss = part.boss;
        else
            start.from = part.from;
    }
    start.power = chosenPower;
    start.lives = livesCount;
    start.stock = stockCount;
    return start;
}

int PracticeChoice::shownPower() const {
    StageStart start = plan();
    return start.startPower().value_or(shooting::object::LEVEL_MIN);
}

void PracticeChoice::change(int step) {
    const veru::dxt::PlayStatus limits;
    switch (row) {
        case heroine:
            heroineIndex = wrapped(heroineIndex, step, static_cast<int>(heroines().size()));
            whereIndex = std::min(whereIndex, std::max(whereCount() - 1, 0));
            break;
        case difficulty:
            levelIndex = wrapped(levelIndex, step, static_cast<int>(std::size(kLevels)));
            break;
        case kind:
            bossKind = !bossKind;
            whereIndex = 0;
            break;
        case where:
            whereIndex = wrapped(whereIndex, step, std::max(whereCount(), 1));
            break;
        case power:
            chosenPower = std::clamp(shownPower() + step, shooting::object::LEVEL_MIN,
                                     shooting::object::LEVEL_MAX);
            break;
        case lives:
            livesCount = std::clamp(livesCount + step, 0, limits.livesMax);
            break;
        case stock:
            stockCount = std::clamp(stockCount + step, 0, limits.stockMax);
            break;
        default:
            break;
    }
}

PracticeChoice::Action PracticeChoice::press(int pressed, int confirm, int cancel) {
    using namespace veru::dxt::event;
    // Confirm first: with both actions on one button the play can still start.
    if (pressed & confirm) {
        if (row == start)
            return Action::start;
        if (row == back)
            return Action::back;
    } else if (pressed & cancel) {
        return Action::back;
    }
    if (pressed & kButtonUp)
        row = static_cast<Row>(wrapped(row, -1, rowCount));
    if (pressed & kButtonDown)
        row = static_cast<Row>(wrapped(row, 1, rowCount));
    if (pressed & kButtonLeft)
        change(-1);
    if (pressed & kButtonRight)
        change(1);
    return Action::none;
}

// ---------------------------------------------------------------- scene

PracticeScene::PracticeScene(veru::dxt::SceneManager* manager, GameSetting* setting,
                             veru::dxt::PlayStatus* status, Starter starter)
    : Scene(manager),
      setting(setting),
      status(status),
      starter(std::move(starter)),
      choice(status ? status->character : 0,
             setting ? setting->getLevel() : GameSetting::kLevelNormal) {}

PracticeScene::~PracticeScene() = default;

void PracticeScene::reset() {
    // The first time the menu opens it offers the player's own heroine and
    // difficulty; after that the last choice stays, ready to fly again.
    if (!opened) {
        choice = PracticeChoice(status ? status->character : 0,
                                setting ? setting->getLevel() : GameSetting::kLevelNormal);
        opened = true;
    }
    fadingOut = false;
    lastButtons = 0;
    latch.arm();
    fade.startIn(kFadeStep);
    startSound = cancelSound = nullptr;
}

bool PracticeScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    try {
        readBackBufferSize(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/practice.ysf", device);
        portraits.clear();
        for (const auto& row : bossRows()) {
            std::unique_ptr<veru::dxt::material::Texture> portrait;
            if (row.portrait) {
                portrait = std::make_unique<veru::dxt::material::Texture>();
                portrait->load(row.portrait, device);
            }
            portraits.push_back(std::move(portrait));
        }
        fade.create(device);
        if (veru::sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr) {
            startSound = sounds->getSound(u"sound/start.wav");
            cancelSound = sounds->getSound(u"sound/cancel.wav");
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"PracticeScene::create()");
        return false;
    }
    return true;
}

void PracticeScene::update(veru::dxt::event::InputInterface* input) {
    int buttons = input ? input->poll() : 0;
    if (buttons < 0)
        buttons = 0;
    if (fadingOut) {
        if (fade.advance()) {
            // The stage is the chosen heroine's.
            if (status)
                status->character = choice.getHeroine().number;
            if (starter)
                starter(choice.getHeroine(), choice.plan(), choice.getLevel());
            requestExit(veru::dxt::SceneExit::next);
        }
        return;
    }
    if (fade.isFadingIn() && !fade.advance())
        return;  // nothing is chosen while the menu fades in
    const int fresh = latch.filter(buttons);
    const int pressed = fresh & ~lastButtons;
    lastButtons = fresh;
    const ButtonMap& map = ButtonMap::global();
    switch (choice.press(pressed, map.mask(ButtonMap::kShoot), map.mask(ButtonMap::kBomb))) {
        case PracticeChoice::Action::start:
            if (startSound)
                startSound->play(false);
            fadingOut = true;
            fade.startOut(kFadeStep);
            break;
        case PracticeChoice::Action::back:
            if (cancelSound)
                cancelSound->play(false);
            requestExit(veru::dxt::SceneExit::back);
            break;
        case PracticeChoice::Action::none:
            break;
    }
}

veru::dxt::material::Texture* PracticeScene::text(const YString& words, unsigned colour, int size) {
    if (!graphics || words.empty())
        return nullptr;
    auto key = std::make_tuple(words, colour, size);
    if (auto found = texts.find(key); found != texts.end())
        return found->second.get();
    if (texts.size() >= kMaxTexts)
        texts.clear();
    const YString face =
        english() ? YString(veru::kEnglishTextFace) : veru::dxt::FontSpec().getFace();
    auto texture = std::make_unique<veru::dxt::material::Texture>();
    if (!veru::dxt::DirectGraphics::drawAntiAliasingString(graphics->getDevice(), texture.get(),
                                                           words, veru::dxt::FontSpec(face, size),
                                                           colour, 0))
        return nullptr;
    return texts.emplace(std::move(key), std::move(texture)).first->second.get();
}

void PracticeScene::drawRow(int row, const YString& label, const YString& value, int y) {
    const bool chosen = choice.getRow() == row;
    const unsigned colour = chosen ? kChosen : kPlain;
    if (auto* picture = text(label, colour, 26))
        graphics->queueSprite(picture, kLabelX, y);
    if (value.empty())
        return;
    const YString shown = chosen ? YString(u"<  ") + value + YString(u"  >") : value;
    if (auto* picture = text(shown, colour, 26))
        graphics->queueSprite(picture, kValueX, y);
}

void PracticeScene::draw(veru::platform::VideoDevice*) {
    if (!graphics || !background || !fade.isCreated())
        return;
    background->drawAll(*graphics);
    graphics->startSprite();
    graphics->setCentred(false);
    if (auto* title = text(said(kTitle), kPlain, 40))
        graphics->queueSprite(title, kLabelX - 20, 8);

    const StageHeroine& heroine = choice.getHeroine();
    YString where;
    if (choice.isBoss()) {
        const auto& row = bossRows()[static_cast<std::size_t>(choice.getWhere())];
        where = said(row.short_name, row.short_name_en);
    } else if (!heroine.stageParts.empty()) {
        const StagePart& part = heroine.stageParts[static_cast<std::size_t>(choice.getWhere())];
        where = said(part.name, part.nameEn);
    }
    const int levelIndex = static_cast<int>(
        std::find(std::begin(kLevels), std::end(kLevels), choice.getLevel()) - std::begin(kLevels));
    const YString values[PracticeChoice::rowCount] = {
        said(heroine.name, heroine.englishName),
        said(kLevelWords[levelIndex]),
        said(kKindWords[choice.isBoss() ? 1 : 0]),
        where,
        YString().append(choice.shownPower() - shooting::object::LEVEL_MIN + 1),
        YString().append(choice.getLives()),
        YString().append(choice.getStock()),
        YString(),
        YString(),
    };
    for (int row = 0; row < PracticeChoice::rowCount; ++row) {
        const YString label =
            row == PracticeChoice::where && choice.isBoss() ? said(kBossLabel) : said(kLabels[row]);
        // "start" and "back" stand apart from the values above them.
        const int gap = row >= PracticeChoice::start ? kRowGap / 2 : 0;
        drawRow(row, label, values[row], kFirstRowY + kRowGap * row + gap);
    }
    if (choice.isBoss()) {
        auto* portrait = portraits[static_cast<std::size_t>(choice.getWhere())].get();
        if (portrait)
            graphics->queueSprite(portrait, 640, 150);
    }
    if (auto* hint = text(said(kHint), kDim, 18))
        graphics->queueSprite(hint, kLabelX - 20, height - 50);
    graphics->flushSprites(false, false);
    fade.draw(*graphics, width, height);
    graphics->endSprite();
}

void PracticeScene::release() {
    texts.clear();
    portraits.clear();
    fade.release();
    background.reset();
    graphics.reset();
    startSound = cancelSound = nullptr;
}

}  // namespace ml
