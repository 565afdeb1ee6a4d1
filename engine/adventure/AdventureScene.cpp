#include "engine/adventure/AdventureScene.h"

#include <algorithm>
#include <exception>
#include <stop_token>

#include "engine/adventure/Background.h"
#include "engine/adventure/SentenceDisplay.h"
#include "engine/adventure/Statement.h"
#include "engine/adventure/TalkArea.h"
#include "engine/adventure/TalkScriptFile.h"
#include "engine/core/MessageBox.h"
#include "engine/core/ValueParser.h"
#include "engine/exceptions/Exception.h"
#include "engine/exceptions/NumberFormatException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/io/LocalizedFile.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/Texture.h"
#include "engine/scene/ReadAhead.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/IStreamingSound.h"
#include "engine/sound/SoundManger.h"
#include "engine/sound/TunePreload.h"

namespace veru::adv {

using dxt::event::ButtonMap;

namespace {

constexpr char16_t kTalkAreaPicture[] = u"img/talk_area.ytx";

// A wait in milliseconds: whole digits with an optional sign, nothing else
// ("12abc" is a slip, not 12).
int parseWait(const YString& text) {
    const std::size_t digits = !text.empty() && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    const bool whole = text.size() > digits &&
                       std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                                   [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!whole)
        throw excp::NumberFormatException(text,
                                          YString(u"文字列がint値のフォーマットでありません。："));
    return parseInt(text);
}

}  // namespace

AdventureScene::AdventureScene(dxt::SceneManager* manager, const YString& scriptPath)
    : Scene(manager), scriptFile(scriptPath) {}

AdventureScene::~AdventureScene() = default;

void AdventureScene::setClock(dxt::FrameClock* newClock) {
    clock = newClock ? newClock : &systemClock;
}

void AdventureScene::reset() {
    phase = kBeforeStart;
    started = false;
    ended = false;
    talkReady = false;
    sentenceReady = false;
    currentBgm = nullptr;
}

bool AdventureScene::create(platform::Window*, platform::VideoDevice* device) {
    const ButtonMap& buttons = ButtonMap::global();
    readBackBufferSize(device);
    graphics = std::make_unique<dxt::DirectGraphics>(device);
    try {
        fade = std::make_unique<dxt::FadeLayer>();
        fade->create(device);  // black until the first background fades in
        background = std::make_unique<Background>();
        talkArea = std::make_unique<TalkArea>();
        talkArea->load(device, kTalkAreaPicture);
        const int talkHeight = talkArea->getWindow()->getHeight();
        talkArea->setPosition(0, height - (2 * talkHeight) / 3 + 10);
        sentenceDisplay = std::make_unique<SentenceDisplay>(device, talkArea.get());
        sentenceDisplay->setAdvanceButton(buttons.mask(ButtonMap::kShoot));
        sentenceDisplay->setSkipButton(buttons.mask(ButtonMap::kSpecial));
    } catch (const excp::Exception& e) {
        awt::showError(e.getMessage(), u"AdventureScene::create()");
        return false;
    }
    // A talk is never worth the game: a script that cannot be read is
    // reported and the scene, left with nothing to say, fades on to the next
    // one (after a cleared stage, the results and the high score stand).
    try {
        loadScript(device);
    } catch (const excp::Exception& e) {
        statements.clear();
        awt::showError(e.getMessage(), u"AdventureScene::create()");
    }
    return true;
}

dxt::PrepareJob AdventureScene::prepare() {
    return dxt::readAheadJob([path = scriptFile.path] {
        dxt::material::Texture().load(kTalkAreaPicture, nullptr);
        for (const TalkLine& line : readNumberedTalkScript(io::localizedFile(path))) {
            const Statement statement(line.text);
            const YString& keyword = statement.keyword();
            const YString& name = statement.argument(0);
            if (keyword == u"BGM" && name != u"stop") {
                sound::preloadTune(name);
            } else if ((keyword == u"Face" || keyword == u"Back") && name != u"null") {
                try {
                    dxt::material::Texture().load(name, nullptr);
                } catch (const excp::Exception&) {
                    // create leaves it out with its warning.
                }
            }
        }
    });
}

void AdventureScene::loadScript(platform::VideoDevice* device) {
    // Re-entering the scene reads the script afresh.
    statements.clear();
    sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr;
    // The script in the game's language; readPath names it for messages.
    readPath = io::localizedFile(scriptFile.path);
    for (const TalkLine& line : readNumberedTalkScript(readPath)) {
        statements.push(line.text, line.line);
        Statement statement(line.text);
        const YString& keyword = statement.keyword();
        const YString& name = statement.argument(0);
        if (keyword == u"BGM" && name != u"stop" && !musics.count(name)) {
            musics[name] = sounds ? sounds->getStreamingSound(name) : nullptr;
        } else if (keyword == u"SE" && name != u"stop" && !effects.count(name)) {
            effects[name] = sounds ? sounds->getSound(name) : nullptr;
        } else if ((keyword == u"Face" || keyword == u"Back") && name != u"null") {
            TextureMap& pictures = keyword == u"Face" ? faces : backgrounds;
            if (pictures.count(name))
                continue;
            // A picture that will not load is reported once and left out:
            // the talk goes on with the talk window and no face or backdrop.
            auto picture = std::make_unique<dxt::material::Texture>();
            try {
                picture->load(name, device);
            } catch (const excp::Exception& e) {
                awt::showWarning(talkScriptMessage(readPath, line.line, e.getMessage()),
                                 u"AdventureScene::create()");
                picture.reset();
            }
            pictures[name] = std::move(picture);
        }
    }
}

void AdventureScene::update(dxt::event::InputInterface* input) {
    const int buttons = input ? input->poll() : 0;
    const ButtonMap& map = ButtonMap::global();
    if (phase == kFadingIn) {
        if (fade->advance())
            phase = kRunning;
        return;
    }
    if (phase == kFadingOut) {
        if (fade->advance())
            requestNext();
        return;
    }
    const bool skipped = (buttons & map.mask(ButtonMap::kBomb)) != 0;
    if (skipped)
        statements.clear();
    // The script has run out: the scene ends once the last sentence has been
    // read (the sentence display is idle again), so no text is lost.
    const bool sentenceShowing =
        sentenceDisplay && sentenceDisplay->getMode() != SentenceDisplay::kIdle;
    if (ended || skipped || (statements.isEmpty() && !sentenceShowing)) {
        if (currentBgm && currentBgm->isPlaying())
            currentBgm->pause();
        phase = kFadingOut;
        fade->startOut(kFadeStep);
        return;
    }
    if (talkReady && sentenceReady) {
        bool waits = false;
        while (!waits && !statements.isEmpty()) {
            const TalkLine line = statements.pop();
            talkReady = false;
            sentenceReady = false;
            waits = analyzeStatement(line);
        }
    }
    if (!background || !talkArea || !sentenceDisplay)
        return;
    background->update(buttons);
    talkReady = talkArea->update(buttons);
    if (talkReady)
        sentenceReady = sentenceDisplay->update(buttons);
}

void AdventureScene::reportAt(int line, const excp::Exception& e) const {
    awt::showError(talkScriptMessage(readPath, line, e.getMessage()),
                   u"AdventureScene::analyzeStatement()");
}

bool AdventureScene::analyzeStatement(const TalkLine& line) {
    const Statement statement(line.text);
    const YString& keyword = statement.keyword();
    const YString& name = statement.argument(0);
    if (keyword == u"BGM") {
        if (currentBgm)
            currentBgm->stop();
        if (name == u"stop")
            return false;
        auto found = musics.find(name);
        currentBgm = found == musics.end() ? nullptr : found->second;
        if (currentBgm)
            currentBgm->play(true);
        return false;
    }
    if (keyword == u"SE") {
        auto found = effects.find(name);
        if (name != u"stop" && found != effects.end() && found->second)
            found->second->play(false);
        return false;
    }
    if (keyword == u"Face") {
        auto found = faces.find(name);
        if (talkArea)
            talkArea->setFace(found == faces.end() ? nullptr : found->second.get());
        return false;
    }
    if (keyword == u"Back") {
        auto found = backgrounds.find(name);
        if (background) {
            background->setImage(found == backgrounds.end() ? nullptr : found->second.get());
        }
        if (!started) {
            started = true;
            phase = kFadingIn;
            fade->startIn(kFadeStep);
        }
        return false;
    }
    if (keyword == u"Sentence") {
        runSentence(statement, line.line);
        return true;
    }
    if (keyword == u"Wait") {
        // The loop sleeps with the window unanswered: one wait is capped.
        int ms = 0;
        try {
            ms = std::min(parseWait(name), kMaxWaitMilliseconds);
        } catch (const excp::NumberFormatException& e) {
            reportAt(line.line, e);  // a wait that cannot be read waits not at all
        }
        if (ms > 0)
            clock->sleep(static_cast<std::uint32_t>(ms));
        return false;
    }
    if (keyword == u"break")
        return true;
    if (keyword == u"end") {
        ended = true;
        return true;
    }
    return false;
}

void AdventureScene::runSentence(const Statement& statement, int line) {
    if (!talkArea || !sentenceDisplay)
        return;
    if (!talkArea->isShown())
        talkArea->show();
    bool flags[2] = {false, false};
    for (int i = 0; i < 2; ++i) {
        try {
            flags[i] = parseBool(statement.argument(3 + static_cast<std::size_t>(i)));
        } catch (const excp::NumberFormatException& e) {
            reportAt(line, e);
            break;  // this flag and any after it stay false
        }
    }
    sentenceDisplay->setSentence(statement.argument(0), statement.argument(1),
                                 fontSizeForWord(statement.argument(2)), flags[0], flags[1]);
}

void AdventureScene::draw(platform::VideoDevice*) {
    if (!graphics)
        return;
    if (background)
        background->draw(*graphics);
    graphics->startSprite();
    if (phase == kRunning) {
        if (talkArea)
            talkArea->drawIfVisible(*graphics);
        if (sentenceDisplay)
            sentenceDisplay->drawIfVisible(*graphics);
    } else if (fade) {
        fade->draw(*graphics, width, height);
    }
    graphics->endSprite();
}

void AdventureScene::release() {
    sentenceDisplay.reset();
    talkArea.reset();
    background.reset();
    fade.reset();
    graphics.reset();
    effects.clear();
    musics.clear();
    faces.clear();
    backgrounds.clear();
    currentBgm = nullptr;
}

}  // namespace veru::adv
