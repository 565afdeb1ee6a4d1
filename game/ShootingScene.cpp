#include "game/ShootingScene.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "engine/core/MessageBox.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/input/InputInterface.h"
#include "engine/io/YFile.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/DXFrame.h"
#include "game/ReplayLibrary.h"
#include "game/StageCollisions.h"
#include "game/StagePhase.h"
#include "game/StagePreload.h"
#include "game/StageScoring.h"
#include "game/StageScript.h"
#include "game/StageTalk.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/BossGauge.h"
#include "game/shooting/cmp/ContinueDialog.h"
#include "game/shooting/cmp/KintubaGauge.h"
#include "game/shooting/cmp/MenuCodes.h"
#include "game/shooting/cmp/PauseMenu.h"
#include "game/shooting/cmp/ScoreDisplay.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/ShootingObject.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

using namespace shooting::object;
using namespace shooting::cmp;

void playOnce(veru::sound::ISound* sound) {
    if (sound)
        sound->play(false);
}

}  // namespace

ShootingScene::ShootingScene(veru::dxt::SceneManager* manager, GameSetting* settings,
                             veru::dxt::PlayStatus* status, const StageHeroine& heroine)
    : Scene(manager), settings(settings), heroine(heroine), status(status), model(status) {}

ShootingScene::~ShootingScene() = default;

void ShootingScene::reset() {
    model.reset();
    recorder.rewind();
    levelMaxSound = nullptr;
}

// ---------------------------------------------------------------- create

bool ShootingScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    readBackBufferSize(device);
    model.openField();
    startStatus = *status;
    startScore = settings->getLastScore();
    try {
        practice = std::exchange(pendingPractice, std::nullopt);
        if (practice)
            recorder.setStartValues(practiceStartValues(practice->start, practice->level,
                                                        heroine.number, *settings, *status));
        else
            recorder.setStartValues(std::nullopt);
        const auto [position, boss] = startPointOf(practice ? practice->start : fixedStart);
        recorder.setStartPoint(position, boss);
        // The stage's random numbers start from a seed of their own, so
        // that the same buttons play the stage out the same way again.
        recorder.start(heroine.number, *settings, *status);
        recordAtStart = StageRecords(*settings).best(heroine.number, settings->getLevel());
        // Where this play starts: a replay's own start point wins.
        playStart =
            startOfPoint(recorder.getRecording().startPosition, recorder.getRecording().startBoss);
        watchStarted = isWatching();
        loadStage(device);
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), heroine.errorCaption);
        return false;
    }
    return true;
}

void ShootingScene::loadStage(veru::platform::VideoDevice* device) {
    veru::sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr;
    view.load(device, width, height);

    model.setPlayer(heroine.makePlayer(stage::kFieldWidth, stage::kFieldHeight));
    PlayerCharacter& player = *model.getPlayer();
    player.loadTextures(device);
    player.setLevel(status->power);
    if (sounds)
        player.loadSounds(*sounds);
    player.enter();
    status->gauge = status->gaugeFull;

    hud.load(device, heroine, *status, settings->getLastScore(), recordAtStart.score, width,
             height);
    view.loadMenus(device);
    readStageScript(device);
    hud.loadBossGauge(device, content().boss ? content().boss->getHp() : 0, height);

    if (!veru::io::YFile(veru::YString(kLevelMaxSound)).exists)
        throw veru::excp::FileNotFoundException(kLevelMaxSound);
    if (sounds)
        levelMaxSound = sounds->getSound(kLevelMaxSound);
}

void ShootingScene::readStageScript(veru::platform::VideoDevice* textureLoader) {
    StageContent& into = model.getContent();
    into = StageContent{};
    veru::sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr;
    ml::readStageScript(stageScriptPath(), textureLoader, sounds, settings->getLevel(),
                        *model.getBackground(), into, getStart());
    model.dressItems(heroine, textureLoader, sounds);
}

veru::dxt::PrepareJob ShootingScene::prepare() {
    return stagePreparation(stageScriptPath(), heroine, settings->getLevel());
}

veru::YString ShootingScene::stageScriptPath() const {
    return scriptOverride.empty() ? veru::YString(heroine.stageScript) : scriptOverride;
}

// ---------------------------------------------------------------- script

void ShootingScene::runScriptStep(const StageStep& step) {
    StageContent& stageContent = model.getContent();
    switch (step.word) {
        case StageWord::Talking:
            model.enterPhase(stage::kTalk, false);
            return;
        case StageWord::Shooting:
            model.enterPhase(stage::kShooting, true);
            model.getPlayer()->activate();
            playOnce(model.getPlayer()->getStartSound());
            if (stageContent.infoStart1)
                stageContent.infoStart1->startFadeIn();
            return;
        case StageWord::BossHeader:
            // A boss that never came on the field (no shooting section brought
            // it in) cannot be fought: the script goes on without the battle.
            if (!stageContent.boss || stageContent.boss->getState() == STATE_STANDBY)
                return;
            model.enterPhase(stage::kBossBattle, true);
            playOnce(stageContent.boss->getStartSound());
            return;
        default:
            break;
    }
    if (model.getPhase() != stage::kTalk)
        return;
    if (step.word == StageWord::Play) {
        if (stageContent.stageMusic)
            stageContent.stageMusic->stop();
        if (stageContent.bossMusic)
            stageContent.bossMusic->play(true);
    } else if (view.talk().runStep(step)) {
        model.holdScript();
    }
}

void ShootingScene::endTalk() {
    view.talk().clear();
    model.releaseScript();
}

void ShootingScene::stopMusic() {
    const StageContent& stageContent = content();
    if (stageContent.stageMusic && stageContent.stageMusic->isPlaying())
        stageContent.stageMusic->stop();
    if (stageContent.bossMusic && stageContent.bossMusic->isPlaying())
        stageContent.bossMusic->stop();
    status->power = model.getPlayer()->getLevel();
}

void ShootingScene::playerHit() {
    scoring().playerHit();
}

StageScoring ShootingScene::scoring() {
    PlayerCharacter& player = *model.getPlayer();
    return StageScoring(*status, player, hud.score(), levelMaxSound,
                        heroine.emptyGaugeSound ? heroine.emptyGaugeSound(player) : nullptr,
                        &model.tally());
}

// ---------------------------------------------------------------- update

int ShootingScene::pollButtons(veru::dxt::event::InputInterface* input) {
    return recorder.poll([&] {
        int buttons = input ? input->poll() : 0;
        if (buttons < 0)
            buttons = 0;  // no device: nothing pressed
        // Leaving the window pauses the play as the pause button does; the
        // press goes into the record, so a replay pauses at the same frame.
        if (focusLost() && stage::playerInPlay(model.getPhase()))
            buttons |= settings->getMaskPause();
        return buttons;
    });
}

void ShootingScene::watchReplay(StageReplay replay) {
    watchedFrames = static_cast<int>(replay.words.size());
    watchButtons = ~0;  // a button held as the watching starts counts once released
    recorder.playReplay(std::move(replay));
}

// While a recording is watched the stage reads its words, not the player's;
// the player's pause button ends the watching, as the recording's end does.
bool ShootingScene::watchOver(veru::dxt::event::InputInterface* input) {
    if (!isWatching())
        return false;
    int live = input ? input->poll() : 0;
    if (live < 0)
        live = 0;
    const bool pressed = (live & ~watchButtons & settings->getMaskPause()) != 0;
    watchButtons = live;
    return pressed || recorder.getFrameNumber() > watchedFrames;
}

veru::dxt::SceneExit ShootingScene::clearedExit() const {
    if (isWatching())
        return veru::dxt::SceneExit::title;
    if (practice)
        return veru::dxt::SceneExit::back;
    return veru::dxt::SceneExit::next;
}

void ShootingScene::leaveCleared() {
    const veru::dxt::SceneExit exit = clearedExit();
    if (exit == veru::dxt::SceneExit::next)
        requestNext();
    else
        requestExit(exit);
}

bool ShootingScene::focusLost() {
    veru::awt::DXFrame* frame = manager ? manager->getFrame() : nullptr;
    return frame && frame->takeFocusLost();
}

void ShootingScene::update(veru::dxt::event::InputInterface* input) {
    PlayerCharacter* player = model.getPlayer();
    if (!player)
        return;  // create failed
    if (model.getPhase() == stage::kResults) {
        updateResults(input);  // after the play: not part of its recording
        return;
    }
    const int buttons = pollButtons(input);
    if (watchOver(input)) {
        stopMusic();
        leaveStage();
        requestExit(veru::dxt::SceneExit::title);
        return;
    }
    hud.updateScores();

    if (model.getPhase() == stage::kPaused) {
        updatePaused(buttons);
        return;
    }
    if (model.getPhase() == stage::kContinue) {
        updateContinue(buttons);
        return;
    }

    const int playerState = player->getState();
    const int bossState = content().boss ? content().boss->getState() : STATE_STANDBY;
    if (model.getPhase() != stage::kEnding && model.getPhase() != stage::kGameOver)
        ++model.tally().frames;

    if (runNextScriptStep())
        return;

    if (holds(buttons, settings->getMaskPause()) && stage::playerInPlay(model.getPhase())) {
        model.interrupt(stage::kPaused);
        player->pauseBombSound();
        view.pauseMenu()->open();
    }

    updatePhaseFrame(buttons);

    if (model.getPhase() == stage::kEntry && playerState == STATE_READY) {
        if (content().stageMusic)
            content().stageMusic->play(true);
        model.startPlay();
    }

    model.updateStartCaptions();

    switch (model.getPhase()) {
        case stage::kTalk: {
            bool waits = model.isScriptWaiting();
            const bool over = view.talk().update(buttons, waits);
            waits ? model.holdScript() : model.releaseScript();
            if (over)
                endTalk();
            break;
        }
        case stage::kShooting:
        case stage::kBossBattle:
            updateShooting(buttons, playerState, bossState);
            break;
        case stage::kBossApproach:
            updateBossApproach(bossState);
            break;
        default:
            break;
    }
}

// Runs the script's next step unless the script waits; a step takes its frame.
// The script running out ends the stage.
bool ShootingScene::runNextScriptStep() {
    if (model.isScriptWaiting())
        return false;
    std::deque<StageStep>& steps = model.getContent().steps;
    if (steps.empty()) {
        model.startExit(stage::kExitCleared);
        model.getPlayer()->playClearSound();
        return false;
    }
    const StageStep step = std::move(steps.front());
    steps.pop_front();
    runScriptStep(step);
    return true;
}

// The frame of the phases without their own update: fade-in, ending,
// game over, and the player's own frame in the others.
void ShootingScene::updatePhaseFrame(int buttons) {
    switch (model.getPhase()) {
        case stage::kFadeIn:
            model.advanceFadeIn();
            break;
        case stage::kEnding:
            updateEnding();
            break;
        case stage::kGameOver:
            updateGameOver();
            break;
        default: {
            PlayerCharacter& player = *model.getPlayer();
            player.update(stage::playerInPlay(model.getPhase()) ? buttons : 0);
            if (player.getState() == STATE_GONE) {
                model.interrupt(stage::kContinue);
                view.continueDialog()->open();
            }
            break;
        }
    }
}

void ShootingScene::updatePaused(int buttons) {
    switch (view.pauseMenu()->update(buttons)) {
        case PauseMenu::kResume:
            model.resume();
            model.getPlayer()->resumeBombSound();
            break;
        case PauseMenu::kRetry:
            model.startExit(stage::kExitRetry);
            break;
        case PauseMenu::kTitle:
            model.startExit(stage::kExitTitle);
            break;
        case PauseMenu::kQuit:
            model.startExit(stage::kExitQuit);
            break;
        default:
            break;
    }
}

void ShootingScene::updateContinue(int buttons) {
    switch (view.continueDialog()->update(buttons)) {
        case RESULT_FIRST:
            model.resume();
            ++model.tally().continues;
            status->lives = veru::dxt::PlayStatus::kStartLives;
            status->stock = veru::dxt::PlayStatus::kStartStock;
            status->gauge = status->gaugeFull;
            hud.gauge().setValue(status->gauge);
            hud.score().setValue(0);
            status->power = LEVEL_MAX;
            model.getPlayer()->setLevel(status->power);
            model.getPlayer()->reenter();
            break;
        case RESULT_SECOND:
            model.startExit(stage::kExitGameOver);
            stopMusic();
            break;
        default:
            break;
    }
}

void ShootingScene::updateShooting(int buttons, int playerState, int bossState) {
    PlayerCharacter& player = *model.getPlayer();
    model.advancePosition();

    // The kintuba gauge drains while the player flies; the fuller it is,
    // the smaller the player's hit area.
    if (stage::playerControllable(playerState) && !model.isBossBeaten()) {
        status->drainGauge();
        hud.gauge().setValue(status->gauge);
        if (heroine.followGauge)
            heroine.followGauge(player, hud.gauge());
    }

    model.useStock(holds(buttons, settings->getMaskSpecial()),
                   holds(buttons, settings->getMaskBomb()), playerState);
    model.updateFieldObjects();

    if (model.getPhase() == stage::kShooting && model.fieldCleared()) {
        model.enterPhase(stage::kBossApproach, false);
        if (content().boss)
            content().boss->appear(stage::kFieldWidth, stage::kFieldHeight / 2);
    }

    updateBoss(bossState);

    StageContent& field = model.getContent();
    StageField objects{&player,
                       field.boss.get(),
                       &model.getActiveEnemies(),
                       &field.chanceItems,
                       &field.kintubaItems,
                       &field.levelUpItems};
    StageScoring score = scoring();
    if (StageCollisions::run(objects, playerState, score))
        model.markBossBeaten();
}

// The boss's frame: its entry gauge and face, its start, and the talk after it.
void ShootingScene::updateBoss(int bossState) {
    const StageContent& stageContent = content();
    Boss* boss = stageContent.boss.get();
    if (!boss) {
        if (model.getPhase() == stage::kBossBattle)
            endTalk();  // no boss to fight: the script goes on
        return;
    }
    boss->update(model.getPlayer()->getX(), model.getPlayer()->getY());
    if (bossState == STATE_READY) {
        // The gauge and the face each say when they are done, and keep
        // saying it: the start cannot be missed when they finish on
        // different frames.
        hud.bossGauge().update();
        if (stageContent.bossFace)
            stageContent.bossFace->update();
        if (hud.bossGauge().isFilled() &&
            (!stageContent.bossFace || stageContent.bossFace->hasArrived()))
            boss->start();
    } else if (bossState == STATE_GONE) {
        endTalk();
    }
    hud.bossGauge().setValue(boss->getHp());
}

void ShootingScene::updateBossApproach(int bossState) {
    StageContent& stageContent = model.getContent();
    if (stageContent.bossDelay > 0) {
        --stageContent.bossDelay;
        return;
    }
    if (!stageContent.boss) {
        endTalk();  // a stage without a boss goes on with its script
        return;
    }
    stageContent.boss->update(model.getPlayer()->getX(), model.getPlayer()->getY());
    if (bossState == STATE_REENTRY)
        endTalk();
}

void ShootingScene::updateEnding() {
    AlphaParts* infoEnd = content().infoEnd.get();
    if (!infoEnd || infoEnd->isHidden()) {
        if (model.advanceEndingFade()) {
            keepRecord();
            switch (model.getExitMode()) {
                case stage::kExitQuit:
                    stopMusic();
                    leaveStage();
                    requestQuit();
                    break;
                case stage::kExitTitle:
                    stopMusic();
                    leaveStage();
                    requestExit(veru::dxt::SceneExit::title);
                    break;
                case stage::kExitGameOver:
                    model.enterGameOver();
                    break;
                case stage::kExitRetry:
                    stopMusic();
                    leaveStage();
                    retry();
                    break;
                default:
                    if (infoEnd)
                        infoEnd->startFadeIn();
                    else
                        finishPlay(true);  // no stage-clear caption to show: on at once
                    break;
            }
        }
        return;
    }
    if (infoEnd->update())
        infoEnd->startFadeOut();
    if (infoEnd->isHidden())
        finishPlay(true);
}

void ShootingScene::updateGameOver() {
    if (model.advanceGameOver())
        finishPlay(false);
}

void ShootingScene::leaveStage(bool cleared) {
    recorder.finish(getScore(), cleared);
}

void ShootingScene::finishPlay(bool cleared) {
    stopMusic();
    if (cleared)
        settings->setLastScore(hud.scoreTarget());
    keepRecord();
    leaveStage(cleared);
    finishedCleared = cleared;
    if (!showsResults || recorder.isReplaying()) {
        leaveFinished();
        return;
    }
    StageResults results;
    results.cleared = cleared;
    results.score = hud.scoreTarget();
    results.record = StageRecords(*settings).best(heroine.number, settings->getLevel()).score;
    results.newRecord = countsForRecords() &&
                        std::max(hud.hiScoreTarget(), hud.scoreTarget()) > recordAtStart.score;
    results.tally = model.tally();
    ResultsCard::Keeper keep;
    if (!playerFolder.empty()) {
        keep = [this] {
            const std::filesystem::path kept =
                keepReplay(playerFolder.toUtf8(), recorder.getRecording());
            return veru::YString::fromUtf8(kept.string());
        };
    }
    view.resultsCard().open(results, std::move(keep));
    model.enterResults();
    // Only the card shows from now on, over black: the field goes, and the
    // scene after the stage (the closing talk) is read ahead in the room it
    // leaves while the player reads the card.
    model.releaseField();
    expectExit(finishedExit());
}

void ShootingScene::updateResults(veru::dxt::event::InputInterface* input) {
    int buttons = input ? input->poll() : 0;
    if (buttons < 0)
        buttons = 0;
    if (view.resultsCard().update(buttons))
        leaveFinished();
}

veru::dxt::SceneExit ShootingScene::finishedExit() const {
    if (finishedCleared)
        return clearedExit();
    return practice ? veru::dxt::SceneExit::back : veru::dxt::SceneExit::title;
}

void ShootingScene::leaveFinished() {
    if (finishedCleared)
        leaveCleared();
    else
        requestExit(finishedExit());
}

void ShootingScene::retry() {
    if (recorder.isReplaying()) {
        requestExit(veru::dxt::SceneExit::title);  // the recorded attempt ends here
        return;
    }
    *status = startStatus;
    settings->setLastScore(startScore);
    if (practice)
        pendingPractice = practice;  // the same start and status once more
    requestExit(veru::dxt::SceneExit::again);
}

bool ShootingScene::keepRecord() {
    if (!countsForRecords())
        return false;
    return StageRecords(*settings).offer(heroine.number, settings->getLevel(),
                                         std::max(hud.hiScoreTarget(), hud.scoreTarget()),
                                         StageRecords::today());
}

int ShootingScene::getScore() const {
    return hud.scoreTarget();
}
int ShootingScene::getHiScore() const {
    return hud.hiScoreTarget();
}

std::uint64_t ShootingScene::stateHash() const {
    return model.stateHash(recorder.getFrameNumber(), getScore());
}

// ---------------------------------------------------------------- draw

void ShootingScene::draw(veru::platform::VideoDevice*) {
    view.draw(model, hud, heroine, *status);
}

// ---------------------------------------------------------------- release

void ShootingScene::release() {
    recorder.save();
    view.release();
    hud.release();
    model.release();
    levelMaxSound = nullptr;
    recorder.stop();  // the player's own settings and status again
    // The scene manager releases a scene before creating it too: only a
    // watching that has started ends here.
    if (watchStarted) {
        recorder.playReplay(std::nullopt);
        watchedFrames = -1;
        watchStarted = false;
    }
}

}  // namespace ml
