#pragma once
// ShootingScene: the scene in which the game is played (Shiro's stage is
// scene number 8; Hotaru's, KShootingScene, is the same scene given her row).
//
// It owns the player's character, the enemies, items and boss that the
// stage script builds, the scrolling background, the head-up display and
// the two menus, and runs the stage as a phase machine (StagePhase.h):
// fade-in, the player's entry, then the queued script lines — talk, the
// shooting phase, the boss approach and battle — then the stage-clear
// caption, or the continue dialog and the game-over screen. The collision
// pass (StageCollisions), what things are worth (StageScoring), the talk
// (StageTalk) and the record of the play (StageReplay) are pieces of their
// own; this class keeps the order in which they run. Who flies — her
// character, gauge, pick-ups, pictures and the few behaviours only one
// heroine has — is a StageHeroine row given at construction.
//
// Every play is recorded: the seed the stage's random numbers start from
// and the button word of every frame. Given the same recording a stage
// plays out the same, frame for frame (playReplay).
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

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "engine/graphics/FadeLayer.h"
#include "engine/scene/Scene.h"
#include "game/StageHeroine.h"
#include "game/StageReplay.h"
#include "game/StageScript.h"

namespace veru::dxt {
class DirectGraphics;
class PlayStatus;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Surface;
class Texture;
}  // namespace veru::dxt::material
namespace veru::sound {
class ISound;
class SoundManger;
}  // namespace veru::sound
namespace ml::shooting::object {
class Boss;
class EnemyObject;
class ItemObject;
class PlayerCharacter;
}  // namespace ml::shooting::object
namespace ml::shooting::cmp {
class AlphaParts;
class BossFace;
class BossGauge;
class ContinueDialog;
class IconCounter;
class KintubaGauge;
class PauseMenu;
class ScoreDisplay;
class ScrollBackground;
}  // namespace ml::shooting::cmp

namespace ml {

class GameSetting;
class StageScoring;
class StageTalk;

class ShootingScene : public veru::dxt::Scene {
  public:
    using EnemyList = std::vector<std::unique_ptr<shooting::object::EnemyObject>>;
    using WaitingList = std::deque<std::unique_ptr<shooting::object::EnemyObject>>;
    using ItemList = std::vector<std::unique_ptr<shooting::object::ItemObject>>;

    // `heroine` is a row of StageHeroine.h (constant, outlives the scene).
    ShootingScene(veru::dxt::SceneManager* manager, const veru::YString& scriptPath,
                  GameSetting* settings, veru::dxt::PlayStatus* status,
                  const StageHeroine& heroine = shiroHeroine());
    ~ShootingScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    // Reading the stage script into `content` (done by create).
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
    void playReplay(std::optional<StageReplay> replay);
    // The next create seeds the stage's random numbers with `seed` instead
    // of a fresh one (a replay's own seed still wins); nullopt: fresh again.
    void setSeed(std::optional<std::uint64_t> seed) { fixedSeed = seed; }
    // Where the record of each live play is written when the stage is left
    // (or the scene destroyed in the middle of a play, the window closed);
    // empty (the default): nowhere.
    void setRecordingPath(const veru::YString& path) { recordingPath = path; }
    // The play so far: the seed and every word polled since create.
    const StageReplay& getRecording() const { return recording; }
    // A hash of the state of every object and counter that decides the play.
    std::uint64_t stateHash() const;
    // Frames updated since create.
    int getFrameNumber() const { return frameNumber; }

    int getPhase() const { return phase; }
    int getSavedPhase() const { return savedPhase; }
    int getCounter() const { return counter; }
    int getExitMode() const { return exitMode; }
    const StageHeroine& getHeroine() const { return heroine; }
    bool isScriptWaiting() const { return scriptWaiting; }
    bool isBossBeaten() const { return bossBeaten; }
    int getScore() const;
    int getHiScore() const;
    shooting::object::PlayerCharacter* getPlayer() const { return player.get(); }
    shooting::object::Boss* getBoss() const { return content.boss.get(); }
    const EnemyList& getActiveEnemies() const { return activeEnemies; }
    const WaitingList& getWaitingEnemies() const { return content.waitingEnemies; }
    const ItemList& getChanceItems() const { return content.chanceItems; }
    const ItemList& getKintubaItems() const { return content.kintubaItems; }
    const ItemList& getLevelUpItems() const { return content.levelUpItems; }
    const std::deque<std::pair<int, int>>& getTimeline() const { return content.timeline; }
    const std::deque<StageStep>& getScriptSteps() const { return content.steps; }
    const StageTalk* getTalk() const { return talk.get(); }
    const shooting::cmp::ScrollBackground* getBackground() const { return background.get(); }
    shooting::cmp::PauseMenu* getPauseMenu() const { return pauseMenu.get(); }
    shooting::cmp::ContinueDialog* getContinueDialog() const { return continueDialog.get(); }
    shooting::cmp::AlphaParts* getInfoEnd() const { return content.infoEnd.get(); }
    // The player's stock, bombs and gauge the stage plays with (borrowed).
    const veru::dxt::PlayStatus* getStatus() const { return status; }

  private:
    void clearMembers();
    void seedStage();
    void loadStage(veru::platform::VideoDevice* device);
    void placeHud(veru::platform::VideoDevice* device);
    void dressItems(veru::platform::VideoDevice* device, veru::sound::SoundManger* sounds);
    StageScoring scoring();
    int pollButtons(veru::dxt::event::InputInterface* input);
    bool focusLost();
    // True in the phases the pause button (or leaving the window) pauses.
    bool pauseAllowed() const;
    bool runNextScriptStep();
    void updatePhaseFrame(int buttons);
    void updateStartCaptions();
    void updatePaused(int buttons);
    void updateContinue(int buttons);
    void updateTalk(int buttons);
    void updateShooting(int buttons, int playerState, int bossState);
    void releaseDueEnemies();
    void useStockButtons(int buttons, int playerState);
    void updateBoss(int bossState);
    void updateBossApproach(int bossState);
    void updateEnding();
    // Ends the play by `mode` (stage::kExit...): the ending's fade to black
    // runs from its start, and no script line runs any more.
    void startExit(int mode);
    void updateGameOver();
    void leaveStage();
    void saveRecording();
    void setFade(int alpha);
    bool holds(int buttons, int mask) const { return (buttons & mask) != 0; }

    // The members, in the order the stage knows them.
    bool scriptWaiting = true;
    int counter = 0;
    int infoAreaX = 0;
    int infoAreaY = 0;
    int exitMode = 0;
    int savedPhase = 0;
    int phase = 2;
    veru::YString scriptPath;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Texture> infoArea;
    veru::dxt::FadeLayer fadeLayer;
    std::unique_ptr<shooting::cmp::ScrollBackground> background;
    std::unique_ptr<veru::dxt::material::Surface> gameOverScreen;
    veru::sound::ISound* levelMaxSound = nullptr;
    std::unique_ptr<shooting::cmp::PauseMenu> pauseMenu;
    std::unique_ptr<shooting::cmp::ContinueDialog> continueDialog;
    std::unique_ptr<StageTalk> talk;  // portrait1, portrait2, talkBox1, talkBox2
    bool kintubaKeyHeld = false;
    bool bombKeyHeld = false;
    bool bossBeaten = false;
    GameSetting* settings;
    const StageHeroine& heroine;
    std::unique_ptr<shooting::object::PlayerCharacter> player;
    veru::dxt::PlayStatus* status;
    std::unique_ptr<shooting::cmp::KintubaGauge> kintubaGauge;
    std::unique_ptr<shooting::cmp::IconCounter> livesCounter;
    std::unique_ptr<shooting::cmp::IconCounter> stockCounter;
    std::unique_ptr<shooting::cmp::ScoreDisplay> hiScoreDisplay;
    std::unique_ptr<shooting::cmp::ScoreDisplay> scoreDisplay;
    std::unique_ptr<shooting::cmp::BossGauge> bossGauge;
    // Everything the stage script built: the queued lines, the pictures,
    // tunes and captions, the enemy timeline with its waiting enemies and
    // their items, and the boss. Enemies move from here onto the field.
    StageContent content;
    EnemyList activeEnemies;

    // Recording and replaying.
    std::optional<StageReplay> replay;
    std::unique_ptr<ReplayedSettings> replayed;  // while a replay plays
    std::optional<std::uint64_t> fixedSeed;
    StageReplay recording;
    veru::YString recordingPath;
    bool recordingSaved = true;
    int frameNumber = 0;
};

}  // namespace ml
