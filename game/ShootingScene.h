#pragma once
// ShootingScene: the scene in which the game is played (Shiro's stage is
// scene number 8; Hotaru's, KShootingScene, is the same scene given her row).
//
// The glue of a stage: it loads the stage, feeds each frame's buttons to
// the model (StageModel: phases, counters and everything on the field) in
// the order the stage runs — fade-in, the player's entry, then the queued
// script lines: talk, the shooting phase, the boss approach and battle —
// then the stage-clear caption, or the continue dialog and the game-over
// screen; and it has the view (StageView, with its StageHud) draw it. The
// collision pass (StageCollisions), what things are worth (StageScoring),
// the talk (StageTalk) and the record of the play (StageRecorder) are
// pieces of their own. Who flies — her character, gauge, pick-ups,
// pictures and the few behaviours only one heroine has — is a StageHeroine
// row given at construction.
//
// Ownership: owns everything create loads until release; borrows the
// manager, the GameSetting and the PlayStatus, which outlive it. Sounds
// belong to the sound manager.
// Thread: main thread only.
// Failure: a picture, sound or script file that is missing or broken shows
// an error box captioned by the heroine's row ("ShootingScene::create()"
// for Shiro, "KShootingScene::create()" for Hotaru) with the file's message,
// and create returns false. The window losing its focus during the shooting
// or boss phase pauses the stage as the pause button does.
//
// Records: the HUD's high score is the record of the heroine and difficulty
// played (StageRecords); a play's best score is offered to it when the play
// ends or is left. A recording played back and a stage whose records are off
// (practice) never change a record.
// Retry (pause menu): the stage leaves by its "again" exit, which enters it
// afresh; the score and status it started with are put back first, so the
// new attempt starts as the first one did and records its own replay.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/Scene.h"
#include "game/ResultsCard.h"
#include "game/StageHeroine.h"
#include "game/StageHud.h"
#include "game/StageModel.h"
#include "game/StageRecorder.h"
#include "game/StageRecords.h"
#include "game/StageReplay.h"
#include "game/StageScript.h"
#include "game/StageStart.h"
#include "game/StageView.h"

namespace ml {

class GameSetting;
class StageScoring;

class ShootingScene : public veru::dxt::Scene {
  public:
    using EnemyList = StageModel::EnemyList;
    using WaitingList = std::deque<std::unique_ptr<shooting::object::EnemyObject>>;
    using ItemList = StageModel::ItemList;
    // Heard when the heroine's shot reaches its last level.
    static constexpr const char16_t* kLevelMaxSound = u"sound/level_max.wav";

    // `heroine` is a row of StageHeroine.h (constant, outlives the scene);
    // the stage is her stage script unless setScript names another.
    ShootingScene(veru::dxt::SceneManager* manager, GameSetting* settings,
                  veru::dxt::PlayStatus* status, const StageHeroine& heroine = shiroHeroine());
    ~ShootingScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;
    // Reads the stage's script and pictures ahead on a worker (StagePreload.h).
    veru::dxt::PrepareJob prepare() override;

    // Reading the stage script into the model's content (done by create).
    void readStageScript(veru::platform::VideoDevice* textureLoader);
    // Runs one queued step of the stage script: a header, or in the talk
    // phase a talk statement.
    void runScriptStep(const StageStep& step);
    // Ends a talk: portraits and boxes cleared, the script runs again.
    void endTalk();
    void stopMusic();
    // The player was hit: a life and a shot level lost.
    void playerHit();

    // The next create plays `replay` instead of a fresh play: its seed,
    // difficulty, masks, start score and status, then its words instead of
    // the input. A recording of the other heroine's stage is refused: create
    // shows the error box and returns false. The player's own settings and
    // status are put back when the stage is released. nullopt goes back to
    // live play.
    void playReplay(std::optional<StageReplay> replay) { recorder.playReplay(std::move(replay)); }
    // The next create shows `replay` to the player, once: it plays as
    // playReplay does, and the stage leaves by its title exit when the
    // recording ends, when the stage ends, or when the pause button is
    // pressed; then the scene is back to live play. Nothing it plays
    // counts towards the player's records.
    void watchReplay(StageReplay replay);
    // True from watchReplay until the watched stage is released.
    bool isWatching() const { return watchedFrames >= 0; }
    // Every create from now on reads the stage script at `path` instead of
    // the heroine's (tests and tools); empty: hers again.
    void setScript(const veru::YString& path) { scriptOverride = path; }
    // Every create from now on starts part-way as `start` says (StageStart.h;
    // the script only: the caller puts the start status in place); nullopt:
    // the whole stage again. A replay's own start wins.
    void setStart(std::optional<StageStart> start) { fixedStart = std::move(start); }
    // The next create is a practice play: it starts as `start` says, on
    // difficulty `level`, with its start status and a score of 0; live
    // input, recorded with its start. The player's own difficulty, status
    // and records are put back when it is released: nothing a practice
    // play does counts towards them. A cleared practice stage, and its game
    // over, leave by the back exit (to the practice menu), never to the
    // closing talk; pause's "back to title" still goes to the title.
    void practise(StageStart start, int level) {
        pendingPractice = StagePractice{std::move(start), level};
    }
    // True from the create of a practice play until the next create.
    bool isPractising() const { return practice.has_value(); }
    // The start of the play created last: null for the whole stage.
    const StageStart* getStart() const { return playStart ? &*playStart : nullptr; }
    // The next create seeds the stage's random numbers with `seed` instead
    // of a fresh one (a replay's own seed still wins); nullopt: fresh again.
    void setSeed(std::optional<std::uint64_t> seed) { recorder.setSeed(seed); }
    // Where the record of each live play is written when the stage is left
    // (or the scene destroyed in the middle of a play, the window closed);
    // empty (the default): nowhere.
    void setRecordingPath(const veru::YString& path) { recorder.setRecordingPath(path); }
    // The play so far: the seed and every word polled since create.
    const StageReplay& getRecording() const { return recorder.getRecording(); }
    // A hash of the state of every object and counter that decides the play.
    std::uint64_t stateHash() const;
    // Frames updated since create.
    int getFrameNumber() const { return recorder.getFrameNumber(); }

    // Off: nothing this stage plays counts towards the records (practice).
    void setRecordsOff(bool off) { recordsOff = off; }
    // Whether a play here may set a record now.
    bool countsForRecords() const { return !recordsOff && !practice && !recorder.isReplaying(); }
    // Offers the play's best score so far to the record of its heroine and
    // difficulty (when it counts); true when it became the record.
    bool keepRecord();
    // On: a live play ends on the results card before the stage is left
    // (the game's stages; tools and tests leave it off).
    void setResultsCard(bool on) { showsResults = on; }
    // The player's folder: a replay kept from the results card goes into its
    // replays folder (ReplayLibrary.h). Empty (the default): the card does
    // not offer to keep one.
    void setPlayerFolder(const veru::YString& folder) { playerFolder = folder; }
    // What this attempt has cost so far.
    const StageTally& getTally() const { return model.tally(); }
    const ResultsCard& getResultsCard() const { return view.resultsCard(); }

    // The stage's state, phases, counters and field.
    const StageModel& getModel() const { return model; }
    int getPhase() const { return model.getPhase(); }
    int getSavedPhase() const { return model.getSavedPhase(); }
    // The stage position: shooting frames since the player took control.
    int getPosition() const { return model.getPosition(); }
    int getExitMode() const { return model.getExitMode(); }
    const StageHeroine& getHeroine() const { return heroine; }
    bool isScriptWaiting() const { return model.isScriptWaiting(); }
    bool isBossBeaten() const { return model.isBossBeaten(); }
    int getScore() const;
    int getHiScore() const;
    shooting::object::PlayerCharacter* getPlayer() const { return model.getPlayer(); }
    shooting::object::Boss* getBoss() const { return content().boss.get(); }
    const EnemyList& getActiveEnemies() const { return model.getActiveEnemies(); }
    const WaitingList& getWaitingEnemies() const { return content().waitingEnemies; }
    const ItemList& getChanceItems() const { return content().chanceItems; }
    const ItemList& getKintubaItems() const { return content().kintubaItems; }
    const ItemList& getLevelUpItems() const { return content().levelUpItems; }
    const std::deque<std::pair<int, int>>& getTimeline() const { return content().timeline; }
    const std::deque<StageStep>& getScriptSteps() const { return content().steps; }
    const StageTalk* getTalk() const { return view.getTalk(); }
    const shooting::cmp::ScrollBackground* getBackground() const { return model.getBackground(); }
    shooting::cmp::PauseMenu* getPauseMenu() const { return view.pauseMenu(); }
    shooting::cmp::ContinueDialog* getContinueDialog() const { return view.continueDialog(); }
    shooting::cmp::AlphaParts* getInfoEnd() const { return content().infoEnd.get(); }
    // The player's stock, bombs and gauge the stage plays with (borrowed).
    const veru::dxt::PlayStatus* getStatus() const { return status; }

  private:
    const StageContent& content() const { return model.getContent(); }
    void loadStage(veru::platform::VideoDevice* device);
    StageScoring scoring();
    int pollButtons(veru::dxt::event::InputInterface* input);
    bool focusLost();
    bool runNextScriptStep();
    void updatePhaseFrame(int buttons);
    void updatePaused(int buttons);
    void updateContinue(int buttons);
    void updateShooting(int buttons, int playerState, int bossState);
    void updateBoss(int bossState);
    void updateBossApproach(int bossState);
    void updateEnding();
    void updateGameOver();
    // The play is over: its result goes into the recording, which is saved.
    void leaveStage(bool cleared = false);
    // The play is over: the record and the recording are kept, then the
    // results card shows, or the stage is left at once.
    void finishPlay(bool cleared);
    void updateResults(veru::dxt::event::InputInterface* input);
    void leaveFinished();
    // The stage again from its start (a recording played back leaves instead).
    void retry();
    bool holds(int buttons, int mask) const { return (buttons & mask) != 0; }
    // True when the recording being watched is over or the player ended it.
    bool watchOver(veru::dxt::event::InputInterface* input);
    // The stage was cleared: on to the closing talk, or back to the title
    // after a watched recording.
    void leaveCleared();
    // The exit leaveCleared takes: next, back to practice, or the title.
    veru::dxt::SceneExit clearedExit() const;
    // The exit leaveFinished takes: clearedExit, or after a lost play back
    // to practice or the title.
    veru::dxt::SceneExit finishedExit() const;

    struct StagePractice {
        StageStart start;
        int level;
    };
    veru::YString scriptOverride;
    // The stage script this scene reads: the override, or the heroine's own.
    veru::YString stageScriptPath() const;
    std::optional<StageStart> fixedStart;
    std::optional<StagePractice> pendingPractice;
    std::optional<StagePractice> practice;
    // Where the play created last starts: the replay's, a practice's or the
    // fixed start; what create reads the script with.
    std::optional<StageStart> playStart;
    GameSetting* settings;
    const StageHeroine& heroine;
    veru::dxt::PlayStatus* status;
    veru::sound::ISound* levelMaxSound = nullptr;
    StageModel model;
    StageHud hud;
    StageView view;
    StageRecorder recorder;
    // The length of the recording being watched; -1 when none is.
    int watchedFrames = -1;
    int watchButtons = 0;       // last frame's live buttons while watching
    bool watchStarted = false;  // created to watch
    bool recordsOff = false;
    bool showsResults = false;
    bool finishedCleared = false;  // how the play shown on the card ended
    veru::YString playerFolder;
    StageRecords::Record recordAtStart;
    // What the stage started from, put back for a retry.
    veru::dxt::PlayStatus startStatus;
    int startScore = 0;
};

}  // namespace ml
