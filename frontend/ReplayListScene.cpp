#include "frontend/ReplayListScene.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/core/MessageText.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/platform/Clock.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"
#include "frontend/MenuText.h"
#include "frontend/ReplayWatch.h"
#include "game/Difficulty.h"
#include "game/StageHeroine.h"

namespace ml {

using veru::YString;
using veru::dxt::event::ButtonMap;
using veru::dxt::material::Texture;
namespace event = veru::dxt::event;

namespace {

constexpr int kFadeStep = 10;
// The panel over the title picture, and the rows in it.
constexpr int kPanelX = 20, kPanelY = 20, kPanelWidth = 760, kPanelHeight = 560;
constexpr int kPanelAlpha = 190;
constexpr int kHighlightAlpha = 60;
constexpr int kHeadingX = 40, kHeadingY = 34, kHeadingSize = 28;
constexpr int kFirstRowY = 90, kRowHeight = 34, kTextSize = 20;
constexpr int kBottomY = 516, kBottomSize = 16;
constexpr std::uint32_t kTextColour = 0xFFFFFFFFu;
constexpr std::uint32_t kDamagedColour = 0xFFE09090u;
constexpr std::uint32_t kHeadingColour = 0xFFFFE8A0u;

// Where each column starts; the score is right-aligned on its end.
enum Column { kDate, kHeroine, kDifficulty, kScore, kOutcome, kPractice, kColumns };
constexpr int kColumnX[kColumns] = {40, 240, 330, 540, 560, 690};

YString dateText(std::int64_t seconds) {
    if (seconds <= 0)
        return YString(u"---------- --:--");
    const veru::platform::CalendarTime when = veru::platform::localCalendarTime(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", when.year, when.month, when.day,
                  when.hour, when.minute);
    return YString::fromUtf8(text);
}

// The last line of a message (what is wrong, after the line naming the file).
YString lastLine(const YString& text) {
    const std::size_t newline = text.find_last_of(u'\n');
    return newline == YString::npos ? text : YString(text.substr(newline + 1));
}

// What is wrong with a damaged file, in the game's language. The reader
// says it in Japanese; a reason the English phrase table does not know is
// put in general words rather than in characters the English face lacks.
YString whyDamaged(const ReplayEntry& entry) {
    const veru::Language language = veru::currentLanguage();
    const YString why = lastLine(veru::awt::playerText(entry.reason, language));
    if (language == veru::Language::english &&
        std::any_of(why.begin(), why.end(), [](char16_t c) { return c >= 0x3000; }))
        return YString(u"It is damaged or is no recording of this game.");
    return why;
}

}  // namespace

struct ReplayListScene::RowPictures {
    std::unique_ptr<Texture> columns[kColumns];
};

ReplayListScene::ReplayListScene(veru::dxt::SceneManager* manager, GameSetting* settings,
                                 veru::dxt::PlayStatus* status, std::filesystem::path playerFolder)
    : Scene(manager), settings(settings), status(status), playerFolder(std::move(playerFolder)) {}

ReplayListScene::~ReplayListScene() = default;

bool ReplayListScene::isWatching() const {
    return watch && watch->isWatching();
}

const ReplayWatch* ReplayListScene::getWatch() const {
    return isWatching() ? watch.get() : nullptr;
}

void ReplayListScene::reset() {
    entries.clear();
    index = top = 0;
    lastButtons = ~0;  // the press that opened the list counts once released
    leaving = false;
    fade.startIn(kFadeStep);
    window = nullptr;
    device = nullptr;
}

bool ReplayListScene::create(veru::platform::Window* w, veru::platform::VideoDevice* d) {
    window = w;
    device = d;
    try {
        readBackBufferSize(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
        background = std::make_unique<veru::dxt::material::Surface>();
        background->load(u"img/title_menu.ysf", device);
        fade.create(device);
        shade = flatPicture(device, 0xFF000000u);
        light = flatPicture(device, 0xFFFFFFFFu);
        heading = textPicture(device, inGameLanguage(u"リプレイ", u"Replays"), kHeadingSize,
                              kHeadingColour);
        if (veru::sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr) {
            startSound = sounds->getSound(u"sound/start.wav");
            cancelSound = sounds->getSound(u"sound/cancel.wav");
        }
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), u"ReplayListScene::create()");
        return false;
    }
    entries = listReplays(playerFolder);
    watch = std::make_unique<ReplayWatch>(manager, settings, status);
    drawRows();
    return true;
}

void ReplayListScene::drawRows() {
    rows.clear();
    bottomLine.reset();
    if (!device)
        return;
    const int shown = std::min<int>(kPageRows, static_cast<int>(entries.size()) - top);
    for (int r = 0; r < shown; ++r) {
        const ReplayEntry& entry = entries[static_cast<std::size_t>(top + r)];
        RowPictures row;
        if (entry.damaged) {
            const YString name = YString::fromUtf8(entry.path.filename().string());
            row.columns[kDate] =
                textPicture(device, dateText(entry.date), kTextSize, kDamagedColour);
            row.columns[kHeroine] = textPicture(
                device, YString(inGameLanguage(u"壊れたファイル：", u"Damaged file: ")) + name,
                kTextSize, kDamagedColour);
            rows.push_back(std::move(row));
            continue;
        }
        const StageHeroine* heroine = findHeroine(entry.character);
        const Difficulty* difficulty = findDifficulty(entry.level);
        const bool english = veru::currentLanguage() == veru::Language::english;
        row.columns[kDate] = textPicture(device, dateText(entry.date), kTextSize, kTextColour);
        if (heroine)
            row.columns[kHeroine] = textPicture(
                device, english ? heroine->englishName : heroine->name, kTextSize, kTextColour);
        if (difficulty)
            row.columns[kDifficulty] = textPicture(
                device, english ? difficulty->english : difficulty->name, kTextSize, kTextColour);
        if (entry.result) {
            row.columns[kScore] =
                textPicture(device, YString::fromUtf8(std::to_string(entry.result->score)),
                            kTextSize, kTextColour);
            row.columns[kOutcome] =
                textPicture(device,
                            entry.result->cleared ? inGameLanguage(u"クリア", u"Cleared")
                                                  : inGameLanguage(u"未クリア", u"Not cleared"),
                            kTextSize, kTextColour);
        }
        if (entry.practice)
            row.columns[kPractice] = textPicture(device, inGameLanguage(u"練習", u"Practice"),
                                                 kTextSize, kHeadingColour);
        rows.push_back(std::move(row));
    }
    YString bottom;
    if (entries.empty()) {
        bottom = inGameLanguage(u"リプレイはまだありません。\nボム：もどる",
                                u"No replays yet.\nBomb: back");
    } else if (const ReplayEntry& chosen = entries[static_cast<std::size_t>(index)];
               chosen.damaged) {
        bottom = YString::fromUtf8(chosen.path.filename().string()) + u"\n" + whyDamaged(chosen);
    } else {
        bottom = inGameLanguage(u"ショット：見る　ボム：もどる　←→：ページ",
                                u"Shot: watch   Bomb: back   Left/Right: page");
    }
    bottomLine = textPicture(device, bottom, kBottomSize, kTextColour);
}

void ReplayListScene::move(int by) {
    const int count = static_cast<int>(entries.size());
    if (count == 0)
        return;
    if (by == 1 || by == -1)
        index = (index + by + count) % count;  // a step wraps round
    else
        index = std::clamp(index + by, 0, count - 1);  // a page stops at the ends
    if (index < top)
        top = index;
    else if (index >= top + kPageRows)
        top = index - kPageRows + 1;
    drawRows();
}

void ReplayListScene::choose() {
    if (entries.empty())
        return;
    ReplayEntry& entry = entries[static_cast<std::size_t>(index)];
    if (!entry.damaged) {
        try {
            StageReplay replay = readStageReplay(YString::fromUtf8(entry.path.string()));
            if (startSound)
                startSound->play(false);
            if (watch->start(std::move(replay), window, device))
                return;
            drawRows();  // the stage drew its own while it was made
            return;
        } catch (const veru::excp::Exception& e) {
            // Changed or removed since the list was read.
            entry.damaged = true;
            entry.reason = e.getMessage();
            drawRows();
        }
    }
    if (cancelSound)
        cancelSound->play(false);
}

void ReplayListScene::update(event::InputInterface* input) {
    int buttons = input ? input->poll() : 0;
    if (buttons < 0)
        buttons = 0;
    if (isWatching()) {
        if (!watch->update(buttons))
            lastButtons = buttons;  // the press that ended it does not count here
        return;
    }
    const int pressed = buttons & ~lastButtons;
    lastButtons = buttons;
    if (leaving) {
        if (fade.advance())
            requestExit(veru::dxt::SceneExit::back);
        return;
    }
    if (fade.isFadingIn() && !fade.advance())
        return;
    const ButtonMap& map = ButtonMap::global();
    if (map.held(ButtonMap::kBomb, pressed)) {
        leaving = true;
        fade.startOut(kFadeStep);
        if (cancelSound)
            cancelSound->play(false);
    } else if (map.held(ButtonMap::kShoot, pressed)) {
        choose();
    } else if (pressed & event::kButtonUp) {
        move(-1);
    } else if (pressed & event::kButtonDown) {
        move(1);
    } else if (pressed & event::kButtonLeft) {
        move(-kPageRows);
    } else if (pressed & event::kButtonRight) {
        move(kPageRows);
    }
}

void ReplayListScene::draw(veru::platform::VideoDevice* d) {
    if (isWatching()) {
        watch->draw(d);
        return;
    }
    if (!graphics || !background)
        return;
    background->drawAll(*graphics);
    graphics->startSprite();
    graphics->setCentred(false);
    if (shade) {
        shade->setAlpha(kPanelAlpha);
        graphics->queueSprite(shade.get(), kPanelX, kPanelY, static_cast<float>(kPanelWidth),
                              static_cast<float>(kPanelHeight));
    }
    if (heading)
        graphics->queueSprite(heading.get(), kHeadingX, kHeadingY);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int y = kFirstRowY + kRowHeight * static_cast<int>(r);
        if (static_cast<int>(r) == index - top && light) {
            // The highlight: the panel lightened under the row.
            light->setAlpha(kHighlightAlpha);
            graphics->queueSprite(light.get(), kPanelX + 8, y - 4,
                                  static_cast<float>(kPanelWidth - 16),
                                  static_cast<float>(kRowHeight - 2));
        }
        for (int c = 0; c < kColumns; ++c) {
            Texture* text = rows[r].columns[c].get();
            if (!text)
                continue;
            const int x = c == kScore ? kColumnX[c] - text->getWidth() : kColumnX[c];
            graphics->queueSprite(text, x, y);
        }
    }
    if (bottomLine)
        graphics->queueSprite(bottomLine.get(), kHeadingX, kBottomY);
    if (leaving || fade.isFadingIn())
        fade.queue(*graphics, width, height);
    graphics->flushSprites(false, false);
    graphics->endSprite();
}

void ReplayListScene::release() {
    if (watch)
        watch->stop();
    watch.reset();
    rows.clear();
    bottomLine.reset();
    heading.reset();
    shade.reset();
    light.reset();
    fade.release();
    background.reset();
    graphics.reset();
    startSound = cancelSound = nullptr;
}

}  // namespace ml
