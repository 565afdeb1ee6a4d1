#pragma once
// StageModel: a shooting stage's state apart from how it is drawn — its
// phase (StagePhase.h) and the phase the pause menu or the continue dialog
// interrupted, how the ending finishes, whether the script waits, its
// counters, and what is on the field: the player, the scrolling backdrop,
// everything the stage script built and the enemies in flight.
//
// Each counter has one meaning: the stage position (shooting frames since
// the player took control, which brings the enemies in), the fade-in, the
// ending's fade to black and the time on the game-over screen. The fade
// layer's alpha is kept here for the view to show.
//
// ShootingScene drives the model a frame at a time; StageView draws it; the
// autopilot, the recorder's state hash and the tests read it.
//
// Ownership: owns the player, the backdrop, the script's content and the
// enemies in flight; borrows the PlayStatus, which outlives it.
// Thread: main thread only.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/StageBounds.h"
#include "game/StageHeroine.h"
#include "game/StagePhase.h"
#include "game/StageScript.h"
#include "game/StageTally.h"

namespace veru::dxt {
class PlayStatus;
}  // namespace veru::dxt
namespace veru::platform {
class VideoDevice;
}  // namespace veru::platform
namespace veru::sound {
class SoundManger;
}  // namespace veru::sound
namespace ml::shooting::cmp {
class ScrollBackground;
}  // namespace ml::shooting::cmp

namespace ml {

class StageModel {
  public:
    using EnemyList = std::vector<std::unique_ptr<shooting::object::EnemyObject>>;
    using ItemList = std::vector<std::unique_ptr<shooting::object::ItemObject>>;

    // How long the game-over screen holds between its fades, in counts of 5.
    static constexpr int kGameOverHold = 900;

    explicit StageModel(veru::dxt::PlayStatus* status);
    ~StageModel();
    StageModel(const StageModel&) = delete;
    StageModel& operator=(const StageModel&) = delete;

    // Back to the first frame: fading in from black, the script waiting,
    // every counter 0, nothing on the field but the player and backdrop.
    void reset();
    // A fresh backdrop for the field; what a previous stage left is dropped.
    void openField();
    // Everything owned dropped (the enemies first: they borrow the items).
    void release();
    // The play is over and only the results card shows: the backdrop, the
    // bats, the boss, the pick-ups and the script go; the player stays.
    void releaseField();

    // ---- phases
    int getPhase() const { return phase; }
    int getSavedPhase() const { return savedPhase; }
    int getExitMode() const { return exitMode; }
    bool isScriptWaiting() const { return scriptWaiting; }
    bool isBossBeaten() const { return bossBeaten; }
    // The phase the stage shows: the one interrupted while the pause menu or
    // the continue dialog is open.
    int shownPhase() const;

    // A script line moved the stage to `next`; `waits`: the script waits
    // for the phase to end.
    void enterPhase(int next, bool waits);
    // The script goes on with its next line / waits for the talk or phase.
    void releaseScript() { scriptWaiting = false; }
    void holdScript() { scriptWaiting = true; }
    // The pause menu or the continue dialog opens over the current phase;
    // resume goes back to it.
    void interrupt(int by);
    void resume() { phase = savedPhase; }
    // One frame of the fade-in; the player's entry starts when it is clear.
    void advanceFadeIn();
    // The player is in place: the position starts at 0 and the script runs.
    void startPlay();
    // Ends the play by `mode` (stage::kExit...): the ending's fade to black
    // runs from its start, and no script line runs any more.
    void startExit(int mode);
    // One frame of the ending's fade; true once it is black (and after).
    bool advanceEndingFade();
    // The ending finishes on the game-over screen.
    void enterGameOver();
    // The play is over and its results card shows (nothing moves any more).
    void enterResults() { phase = stage::kResults; }
    // One frame of the game-over screen; true once it has faded out.
    bool advanceGameOver();
    void markBossBeaten() { bossBeaten = true; }

    // ---- counters
    // What this attempt has cost so far: lives, bombs, kintubas, continues
    // and the frames the stage ran.
    StageTally& tally() { return attempt; }
    const StageTally& tally() const { return attempt; }
    int getPosition() const { return position; }
    int getGameOverTime() const { return gameOverTime; }
    // The turn of the wreck shown on the game-over screen, in degrees.
    int getWreckAngle() const { return gameOverTime % 360; }
    int getFadeAlpha() const { return fadeAlpha; }

    // ---- the field
    // One shooting frame: the position moves on (back to 0 past the last),
    // the backdrop scrolls and the enemies whose place has come enter.
    void advancePosition();
    // The items' and enemies' frame; the finished ones are deleted.
    void updateFieldObjects();
    // No enemy waits or flies and no item is left: the boss may come.
    bool fieldCleared() const;
    // The two start captions: the second fades in when the first is shown,
    // and both fade out together.
    void updateStartCaptions();
    // The special button spends one stock on a full gauge, the bomb button
    // three on a bomb; each acts once per press, and counts in the tally.
    void useStock(bool specialHeld, bool bombHeld, int playerState);
    // The script places the pick-ups in their common look; a heroine with a
    // look of her own gets hers, level and carrying enemy unchanged.
    void dressItems(const StageHeroine& heroine, veru::platform::VideoDevice* device,
                    veru::sound::SoundManger* sounds);

    shooting::object::PlayerCharacter* getPlayer() const { return player.get(); }
    void setPlayer(std::unique_ptr<shooting::object::PlayerCharacter> next);
    shooting::cmp::ScrollBackground* getBackground() const { return background.get(); }
    StageContent& getContent() { return content; }
    const StageContent& getContent() const { return content; }
    EnemyList& getActiveEnemies() { return activeEnemies; }
    const EnemyList& getActiveEnemies() const { return activeEnemies; }
    const veru::dxt::PlayStatus* getStatus() const { return status; }

    // A hash of every object and counter that decides the play, with the
    // frame number and score the caller keeps.
    std::uint64_t stateHash(int frameNumber, int score) const;

  private:
    // Which counter the stage runs on now (the state hash covers that one).
    enum class Clock { fadeIn, position, ending, gameOver };
    int runningCount() const;
    void startEnding();

    int phase = stage::kFadeIn;
    int savedPhase = 0;
    int exitMode = stage::kExitCleared;
    bool scriptWaiting = true;
    bool bossBeaten = false;
    bool kintubaKeyHeld = false;
    bool bombKeyHeld = false;

    Clock clock = Clock::fadeIn;
    int fadeIn = 0;
    int position = 0;
    int endingFade = 0;
    int gameOverTime = 0;
    int fadeAlpha = 255;
    StageTally attempt;

    veru::dxt::PlayStatus* status;
    std::unique_ptr<shooting::object::PlayerCharacter> player;
    std::unique_ptr<shooting::cmp::ScrollBackground> background;
    // Everything the stage script built; enemies move from here onto the
    // field.
    StageContent content;
    EnemyList activeEnemies;
};

}  // namespace ml
