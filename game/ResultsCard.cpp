#include "game/ResultsCard.h"

#include <filesystem>

#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/graphics/FontSpec.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"

namespace ml {

using veru::YString;
using veru::dxt::material::Texture;

namespace {

// The card's words, Japanese and English.
enum Word {
    kCleared,
    kGameOver,
    kScore,
    kRecord,
    kNewRecord,
    kLivesLost,
    kBombs,
    kKintsubas,
    kContinues,
    kTime,
    kQuestion,
    kKept,
    kWordCount
};

constexpr const char16_t* kWords[kWordCount][2] = {
    {u"ステージクリア", u"Stage clear"},
    {u"ゲームオーバー", u"Game over"},
    {u"スコア", u"Score"},
    {u"ハイスコア", u"Record"},
    {u"新記録！", u"New record!"},
    {u"失ったライフ", u"Lives lost"},
    {u"使ったボム", u"Bombs used"},
    {u"使ったきんつば", u"Kintsubas used"},
    {u"コンティニュー", u"Continues"},
    {u"タイム", u"Time"},
    {u"リプレイを保存しますか？", u"Save the replay?"},
    {u"リプレイを保存しました：", u"The replay was kept as:"},
};

YString word(Word w) {
    return kWords[w][veru::currentLanguage() == veru::Language::english ? 1 : 0];
}

// Sizes, colours and places on the 800 x 600 screen.
constexpr int kTitleSize = 40;
constexpr int kLineSize = 26;
constexpr int kNoteSize = 18;
constexpr int kTitleY = 100;
constexpr int kFirstLineY = 160;
constexpr int kLineStep = 36;
constexpr int kLabelX = 220;      // left edge of the labels
constexpr int kValueRight = 580;  // right edge of the values
constexpr int kQuestionY = 470;
constexpr int kAnswerY = 530;
constexpr int kAnswerApart = 100;  // each answer's centre from the middle
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kGold = 0xFFFFD75Au;
constexpr std::uint32_t kPale = 0xFFC8D2F0u;

}  // namespace

struct ResultsCard::Line {
    std::unique_ptr<Texture> label;
    std::unique_ptr<Texture> value;
};

ResultsCard::ResultsCard(int w) : screenWidth(w) {}

ResultsCard::~ResultsCard() = default;

void ResultsCard::load(veru::platform::VideoDevice* d) {
    device = d;
    const char16_t* paths[2][2] = {{u"img/yes_n.ytx", u"img/yes_s.ytx"},
                                   {u"img/no_n.ytx", u"img/no_s.ytx"}};
    for (int i = 0; i < 2; ++i) {
        yesPictures[i] = std::make_unique<Texture>();
        yesPictures[i]->load(paths[0][i], device);
        noPictures[i] = std::make_unique<Texture>();
        noPictures[i]->load(paths[1][i], device);
    }
}

YString ResultsCard::timeOf(int frames) {
    const int seconds = frames / 60;
    YString out = YString::fromInt(seconds / 60);
    out.append(u":");
    if (seconds % 60 < 10)
        out.append(u"0");
    out.append(YString::fromInt(seconds % 60));
    return out;
}

std::unique_ptr<Texture> ResultsCard::textPicture(const YString& words, int size,
                                                  std::uint32_t colour) {
    const bool english = veru::currentLanguage() == veru::Language::english;
    const veru::dxt::FontSpec font(
        english ? YString(veru::kEnglishTextFace) : veru::dxt::FontSpec().getFace(), size);
    auto picture = std::make_unique<Texture>();
    if (!device || !veru::dxt::DirectGraphics::drawAntiAliasingString(device, picture.get(), words,
                                                                      font, colour, 2))
        return nullptr;
    return picture;
}

void ResultsCard::addLine(const YString& label, const YString& value, std::uint32_t colour) {
    text.append(label).append(u"\t").append(value).append(u"\n");
    lines.push_back({textPicture(label, kLineSize, colour),
                     value.empty() ? nullptr : textPicture(value, kLineSize, colour)});
}

void ResultsCard::open(const StageResults& results, Keeper keep) {
    keeper = std::move(keep);
    step = Step::figures;
    yes = false;
    confirmHeld = false;
    lastMoves = 0;
    latch.arm();
    text.clear();
    keptPath.clear();
    lines.clear();
    keptText.reset();
    title = textPicture(word(results.cleared ? kCleared : kGameOver), kTitleSize, kWhite);
    addLine(word(kScore), YString::fromInt(results.score), kWhite);
    addLine(word(kRecord), YString::fromInt(results.record), kWhite);
    if (results.newRecord)
        addLine(word(kNewRecord), YString(), kGold);
    addLine(word(kLivesLost), YString::fromInt(results.tally.livesLost), kWhite);
    addLine(word(kBombs), YString::fromInt(results.tally.bombs), kWhite);
    addLine(word(kKintsubas), YString::fromInt(results.tally.kintsubas), kWhite);
    addLine(word(kContinues), YString::fromInt(results.tally.continues), kWhite);
    addLine(word(kTime), timeOf(results.tally.frames), kWhite);
    question = keeper ? textPicture(word(kQuestion), kLineSize, kPale) : nullptr;
    if (!backdrop && device) {
        try {
            auto picture = std::make_unique<veru::dxt::material::Surface>();
            picture->load(u"img/results.ysf", device);
            backdrop = std::move(picture);
        } catch (const veru::excp::Exception& e) {
            veru::awt::showError(e.getMessage());
        }
    }
}

bool ResultsCard::update(int buttons) {
    using veru::dxt::event::ButtonMap;
    if (step == Step::closed || step == Step::done)
        return step == Step::done;
    const int fresh = latch.filter(buttons);
    const bool confirm = ButtonMap::global().held(ButtonMap::kShoot, fresh);
    const bool pressed = confirm && !confirmHeld;
    confirmHeld = confirm;
    switch (step) {
        case Step::figures:
            if (pressed)
                step = keeper ? Step::question : Step::done;
            break;
        case Step::question: {
            using namespace veru::dxt::event;
            const int moves = kButtonUp | kButtonDown | kButtonLeft | kButtonRight;
            if (ButtonMap::global().held(ButtonMap::kSpecial, fresh)) {
                yes = false;
                step = Step::done;
            } else if (pressed) {
                answer();
            } else if ((fresh & moves) != 0 && !(lastMoves & moves)) {
                yes = !yes;
            }
            lastMoves = fresh & moves;
            break;
        }
        case Step::kept:
            if (pressed)
                step = Step::done;
            break;
        default:
            break;
    }
    if (step == Step::done)
        backdrop.reset();  // nothing more to draw
    return step == Step::done;
}

void ResultsCard::answer() {
    if (!yes) {
        step = Step::done;
        return;
    }
    try {
        keptPath = keeper();
        // The name, then its folder: each fits the screen on a line of its own.
        const std::filesystem::path kept(keptPath.toUtf8());
        keptText = textPicture(YString(word(kKept))
                                   .append(u"\n")
                                   .append(YString::fromUtf8(kept.filename().string()))
                                   .append(u"\n")
                                   .append(YString::fromUtf8(kept.parent_path().string())),
                               kNoteSize, kPale);
        step = Step::kept;
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage());
        step = Step::done;
    }
}

void ResultsCard::draw(veru::dxt::DirectGraphics& g) {
    if (step == Step::closed || step == Step::done)
        return;
    if (backdrop)
        backdrop->drawAll(g);
    const bool wasCentred = g.isCentred();
    const int middle = screenWidth / 2;
    g.setCentred(true);
    if (title)
        g.queueSprite(title.get(), middle, kTitleY);
    g.setCentred(false);
    int y = kFirstLineY;
    for (const Line& line : lines) {
        if (line.label)
            g.queueSprite(line.label.get(), kLabelX, y);
        if (line.value)
            g.queueSprite(line.value.get(), kValueRight - line.value->getWidth(), y);
        y += kLineStep;
    }
    g.setCentred(true);
    if (step == Step::question) {
        if (question)
            g.queueSprite(question.get(), middle, kQuestionY);
        g.queueSprite(yesPictures[yes ? 1 : 0].get(), middle - kAnswerApart, kAnswerY);
        g.queueSprite(noPictures[yes ? 0 : 1].get(), middle + kAnswerApart, kAnswerY);
    } else if (step == Step::kept && keptText) {
        g.queueSprite(keptText.get(), middle, (kQuestionY + kAnswerY) / 2);
    }
    g.setCentred(wasCentred);
}

}  // namespace ml
