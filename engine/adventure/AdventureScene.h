#pragma once
// AdventureScene: a talk scene played from a script file.
//
// create reads the whole script ("dat" file, one statement per record),
// preloads every picture and sound it names and builds the background, the
// talk window and the sentence display. The scene stays black until the
// first "Back" statement fades it in; statements then run whenever the talk
// window and the sentence are both idle, up to the next statement that waits
// ("Sentence", "break", "end"). When the script has run out and the last
// sentence has been read, at "end", or when the bomb action's button skips
// the rest, the music pauses, the scene fades out and asks for the next
// scene. "Wait" sleeps the loop for at most kMaxWaitMilliseconds (5 s) per
// statement, so a slip in a script cannot freeze the game. See Statement.h
// for the statement language.
//
// Ownership: owns everything it loads until release; the sounds belong to
// the sound manager. Borrows the clock used by "Wait".
// Thread: main thread only ("Wait" blocks it; music plays on its own thread).
// Failure: every message about the script names its file and line. A
// script that cannot be read (missing, empty, damaged, too big) shows its
// message (caption "AdventureScene::create()") and the scene, empty, fades
// on to the next one; a picture that cannot be loaded is reported once and
// the talk goes on without it; a sound that cannot be loaded is reported by
// the sound manager and stays silent. Only the talk window's own picture
// failing makes create return false. A "Sentence" flag that is not
// "true"/"false" counts as false and a "Wait" that is no number waits not at
// all, each reported (caption "AdventureScene::analyzeStatement()").

#include <functional>
#include <map>
#include <memory>

#include "engine/adventure/StatementQueue.h"
#include "engine/core/YString.h"
#include "engine/graphics/FadeLayer.h"
#include "engine/io/YFile.h"
#include "engine/scene/FrameClock.h"
#include "engine/scene/Scene.h"

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}
namespace veru::excp {
class Exception;
}
namespace veru::sound {
class ISound;
class IStreamingSound;
}  // namespace veru::sound

namespace veru::adv {

class Background;
class SentenceDisplay;
class Statement;
class TalkArea;

class AdventureScene : public dxt::Scene {
  public:
    static constexpr int kBeforeStart = 100000;
    static constexpr int kFadingIn = 100001;
    static constexpr int kRunning = 100002;
    static constexpr int kFadingOut = 100003;
    // The longest a single "Wait" statement sleeps.
    static constexpr int kMaxWaitMilliseconds = 5000;
    // The fades in and out move this much of 255 a frame.
    static constexpr int kFadeStep = 10;

    AdventureScene(dxt::SceneManager* manager, const YString& scriptPath);
    ~AdventureScene() override;

    // The clock "Wait" sleeps on (null: the system clock). Borrowed.
    void setClock(dxt::FrameClock* clock);

    void reset() override;
    bool create(platform::Window* window, platform::VideoDevice* device) override;
    void update(dxt::event::InputInterface* input) override;
    void draw(platform::VideoDevice* device) override;
    void release() override;
    // Talks run at half the stage's rate.
    int framesPerSecond() const override { return 30; }
    // Reads the script on a worker and decodes its faces, backdrops and the
    // talk window into the preload store, and opens and begins its tunes, so
    // that create only uploads. A file it cannot read is left for create to
    // report, as without it.
    dxt::PrepareJob prepare() override;

    int getPhase() const { return phase; }
    // How far the current fade has gone, 0-255.
    int getFade() const { return fade ? fade->getCount() : 0; }
    bool isEnded() const { return ended; }
    std::size_t getPendingStatements() const { return statements.size(); }
    TalkArea* getTalkArea() const { return talkArea.get(); }
    SentenceDisplay* getSentenceDisplay() const { return sentenceDisplay.get(); }
    Background* getBackground() const { return background.get(); }

  private:
    using TextureMap =
        std::map<YString, std::unique_ptr<dxt::material::Texture>, std::less<std::u16string>>;

    void loadScript(platform::VideoDevice* device);
    // Runs one statement; true when the scene must wait for the displays.
    bool analyzeStatement(const TalkLine& line);
    void runSentence(const Statement& statement, int line);
    // Shows `e` as a fault of the script's line `line`.
    void reportAt(int line, const excp::Exception& e) const;

    int phase = kBeforeStart;
    bool started = false;
    bool ended = false;
    bool talkReady = false;
    bool sentenceReady = false;
    io::YFile scriptFile;
    YString readPath;  // the file read: scriptFile's, or its English one
    std::unique_ptr<dxt::DirectGraphics> graphics;
    std::unique_ptr<dxt::FadeLayer> fade;
    std::unique_ptr<Background> background;
    std::unique_ptr<TalkArea> talkArea;
    std::unique_ptr<SentenceDisplay> sentenceDisplay;
    sound::IStreamingSound* currentBgm = nullptr;
    StatementQueue statements;
    TextureMap faces;
    TextureMap backgrounds;
    std::map<YString, sound::ISound*, std::less<std::u16string>> effects;
    std::map<YString, sound::IStreamingSound*, std::less<std::u16string>> musics;
    dxt::SystemFrameClock systemClock;
    dxt::FrameClock* clock = &systemClock;
};

}  // namespace veru::adv
