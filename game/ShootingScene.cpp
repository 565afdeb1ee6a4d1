#include "game/ShootingScene.h"

#include <algorithm>

#include "engine/core/MessageBox.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/input/InputInterface.h"
#include "engine/io/YFile.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/DXFrame.h"
#include "game/StageCollisions.h"
#include "game/StagePhase.h"
#include "game/StageScoring.h"
#include "game/StageScript.h"
#include "game/StageStateHash.h"
#include "game/StageTalk.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/BossGauge.h"
#include "game/shooting/cmp/ContinueDialog.h"
#include "game/shooting/cmp/IconCounter.h"
#include "game/shooting/cmp/KintubaGauge.h"
#include "game/shooting/cmp/MenuCodes.h"
#include "game/shooting/cmp/PauseMenu.h"
#include "game/shooting/cmp/ScoreDisplay.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/ShootingObject.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

using namespace shooting::object;
using namespace shooting::cmp;

constexpr int kFieldWidth = 800;
constexpr int kFieldHeight = 480;
constexpr int kGameOverHold = 900;

void playOnce(veru::sound::ISound* sound) {
    if (sound)
        sound->play(false);
}

// Each frame an item or enemy reports finished, it is deleted and the next
// one takes its index.
template <typename List, typename Update>
void updateAndRemove(List& list, Update update) {
    for (std::size_t i = 0; i < list.size();) {
        if (update(*list[i]))
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

}  // namespace

ShootingScene::ShootingScene(veru::dxt::SceneManager* manager, const veru::YString& scriptPath,
                             GameSetting* settings, veru::dxt::PlayStatus* status,
                             const StageHeroine& heroine)
    : Scene(manager),
      scriptPath(scriptPath),
      settings(settings),
      heroine(heroine),
      status(status) {}

ShootingScene::~ShootingScene() {
    saveRecording();
}

void ShootingScene::clearMembers() {
    scriptWaiting = true;
    counter = 0;
    infoAreaX = infoAreaY = 0;
    exitMode = stage::kExitCleared;
    savedPhase = 0;
    phase = stage::kFadeIn;
    levelMaxSound = nullptr;
    kintubaKeyHeld = bombKeyHeld = bossBeaten = false;
    fadeLayer.setAlpha(255);
    frameNumber = 0;
}

void ShootingScene::reset() {
    clearMembers();
    activeEnemies.clear();
    content = StageContent{};
}

void ShootingScene::playReplay(std::optional<StageReplay> next) {
    replay = std::move(next);
}

// ---------------------------------------------------------------- create

bool ShootingScene::create(veru::platform::Window*, veru::platform::VideoDevice* device) {
    readBackBufferSize(device);
    graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
    background = std::make_unique<ScrollBackground>(kFieldWidth, kFieldHeight);

    try {
        // The stage's random numbers start from a seed of their own, so
        // that the same buttons play the stage out the same way again.
        seedStage();
        loadStage(device);
    } catch (const veru::excp::Exception& e) {
        veru::awt::showError(e.getMessage(), heroine.errorCaption);
        return false;
    }
    return true;
}

void ShootingScene::seedStage() {
    replayed.reset();
    if (replay && replay->character != heroine.number)
        throw veru::excp::Exception(
            u"このリプレイは、もう一人のキャラクターのステージの記録です。");
    if (replay)
        replayed = std::make_unique<ReplayedSettings>(*replay, *settings, *status);
    recording = replayStartOf(*settings, *status);
    recording.character = heroine.number;
    recording.seed = replay      ? replay->seed
                     : fixedSeed ? *fixedSeed
                                 : veru::dxt::effect2D::freshRandomSeed();
    recordingSaved = replay.has_value();
    veru::dxt::effect2D::seedStageRandom(static_cast<std::uint32_t>(recording.seed));
}

void ShootingScene::loadStage(veru::platform::VideoDevice* device) {
    veru::sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr;
    // The balloons are loaded with the rest: a missing one is the same
    // error box as any other missing picture.
    talk = std::make_unique<StageTalk>(device, width, height);

    gameOverScreen = std::make_unique<veru::dxt::material::Surface>();
    gameOverScreen->load(u"img/GameOver.ysf", device);

    infoArea = std::make_unique<veru::dxt::material::Texture>();
    infoArea->load(heroine.infoArea, device);
    infoAreaX = infoArea->getWidth() >> 1;
    infoAreaY = (infoArea->getHeight() >> 1) + kFieldHeight;

    fadeLayer.create(device);

    player = heroine.makePlayer(kFieldWidth, kFieldHeight);
    player->loadTextures(device);
    player->setLevel(status->power);
    if (sounds)
        player->loadSounds(*sounds);
    player->enter();
    status->gauge = status->gaugeFull;

    placeHud(device);

    pauseMenu = std::make_unique<PauseMenu>(width, height);
    pauseMenu->load(device);
    continueDialog = std::make_unique<ContinueDialog>(width, height);
    continueDialog->load(device);

    scoreDisplay = std::make_unique<ScoreDisplay>();
    scoreDisplay->setLabel(u"Score-");
    scoreDisplay->load(device);
    scoreDisplay->setValue(settings->getLastScore());
    scoreDisplay->setPosition(width - scoreDisplay->width() - 20, 10);
    hiScoreDisplay = std::make_unique<ScoreDisplay>();
    hiScoreDisplay->setLabel(u"Hi Score-");
    hiScoreDisplay->load(device);
    hiScoreDisplay->setValue(settings->getHiScore());
    hiScoreDisplay->setPosition(scoreDisplay->getX() - hiScoreDisplay->width() - 20, 10);

    readStageScript(device);

    bossGauge = std::make_unique<BossGauge>(content.boss ? content.boss->getHp() : 0);
    bossGauge->load(device);
    bossGauge->setPosition(790 - bossGauge->width(), height - (bossGauge->height() + 10));

    if (!veru::io::YFile(veru::YString(u"sound/level_max.wav")).exists)
        throw veru::excp::FileNotFoundException(u"sound/level_max.wav");
    if (sounds)
        levelMaxSound = sounds->getSound(u"sound/level_max.wav");
}

void ShootingScene::placeHud(veru::platform::VideoDevice* device) {
    kintubaGauge = heroine.makeGauge(status->gauge);
    kintubaGauge->load(device);
    kintubaGauge->setPosition(400 - kintubaGauge->width(), height + 4 - kintubaGauge->height());

    const int rowRight = kintubaGauge->getX() + (kintubaGauge->frameWidth() >> 1);
    livesCounter = std::make_unique<IconCounter>();
    livesCounter->load(device, heroine.lifeIcon, rowRight, 495);
    stockCounter = std::make_unique<IconCounter>();
    // The stock row lies 5 pixels below the lives row.
    stockCounter->load(device, heroine.stockIcon, rowRight, livesCounter->getIconHeight() + 500);
}

void ShootingScene::readStageScript(veru::platform::VideoDevice* textureLoader) {
    content = StageContent{};
    veru::sound::SoundManger* sounds = manager ? manager->getSounds() : nullptr;
    ml::readStageScript(scriptPath, textureLoader, sounds, settings->getLevel(), *background,
                        content);
    dressItems(textureLoader, sounds);
}

// The script places the pick-ups in their common look; a heroine with a look
// of her own gets hers, level and carrying enemy unchanged.
void ShootingScene::dressItems(veru::platform::VideoDevice* device,
                               veru::sound::SoundManger* sounds) {
    const std::pair<ItemList*, StageHeroine::ItemMaker> lists[] = {
        {&content.chanceItems, heroine.chanceItem},
        {&content.kintubaItems, heroine.kintubaItem},
        {&content.levelUpItems, heroine.levelUpItem},
    };
    for (const auto& [list, make] : lists) {
        if (!make)
            continue;
        for (std::unique_ptr<ItemObject>& item : *list) {
            std::unique_ptr<ItemObject> own = make(kFieldWidth, kFieldHeight);
            own->loadTexture(device);
            if (sounds)
                own->loadSound(*sounds);
            own->setLevel(item->getLevel());
            for (const auto& enemy : content.waitingEnemies) {
                if (enemy->getItem() == item.get())
                    enemy->setItem(own.get());
            }
            item = std::move(own);
        }
    }
}

// ---------------------------------------------------------------- script

void ShootingScene::runScriptStep(const StageStep& step) {
    switch (step.word) {
        case StageWord::Talking:
            phase = stage::kTalk;
            return;
        case StageWord::Shooting:
            scriptWaiting = true;
            phase = stage::kShooting;
            player->activate();
            playOnce(player->getStartSound());
            if (content.infoStart1)
                content.infoStart1->startFadeIn();
            return;
        case StageWord::BossHeader:
            // A boss that never came on the field (no shooting section brought
            // it in) cannot be fought: the script goes on without the battle.
            if (!content.boss || content.boss->getState() == STATE_STANDBY)
                return;
            scriptWaiting = true;
            phase = stage::kBossBattle;
            playOnce(content.boss->getStartSound());
            return;
        default:
            break;
    }
    if (phase != stage::kTalk)
        return;
    if (step.word == StageWord::Play) {
        if (content.stageMusic)
            content.stageMusic->stop();
        if (content.bossMusic)
            content.bossMusic->play(true);
    } else if (talk->runStep(step)) {
        scriptWaiting = true;
    }
}

void ShootingScene::endTalk() {
    talk->clear();
    scriptWaiting = false;
}

void ShootingScene::stopMusic() {
    if (content.stageMusic && content.stageMusic->isPlaying())
        content.stageMusic->stop();
    if (content.bossMusic && content.bossMusic->isPlaying())
        content.bossMusic->stop();
    status->power = player->getLevel();
}

void ShootingScene::playerHit() {
    scoring().playerHit();
}

StageScoring ShootingScene::scoring() {
    return StageScoring(*status, *player, *scoreDisplay, levelMaxSound,
                        heroine.emptyGaugeSound ? heroine.emptyGaugeSound(*player) : nullptr);
}

// ---------------------------------------------------------------- update

int ShootingScene::pollButtons(veru::dxt::event::InputInterface* input) {
    int buttons = 0;
    if (replay) {
        buttons = replay->wordAt(static_cast<std::size_t>(frameNumber));
    } else {
        buttons = input ? input->poll() : 0;
        if (buttons < 0)
            buttons = 0;  // no device: nothing pressed
        // Leaving the window pauses the play as the pause button does; the
        // press goes into the record, so a replay pauses at the same frame.
        if (focusLost() && pauseAllowed())
            buttons |= settings->getMaskPause();
    }
    recording.words.push_back(buttons);
    ++frameNumber;
    return buttons;
}

// Pause is open whenever the player is in play, the wait before the boss
// included: however long a script makes that wait, the stage can be left.
bool ShootingScene::pauseAllowed() const {
    return phase == stage::kShooting || phase == stage::kBossApproach ||
           phase == stage::kBossBattle;
}

bool ShootingScene::focusLost() {
    veru::awt::DXFrame* frame = manager ? manager->getFrame() : nullptr;
    return frame && frame->takeFocusLost();
}

void ShootingScene::update(veru::dxt::event::InputInterface* input) {
    if (!player)
        return;  // create failed
    const int buttons = pollButtons(input);

    if (scoreDisplay->getTarget() > hiScoreDisplay->getTarget())
        hiScoreDisplay->setTarget(scoreDisplay->getTarget());
    scoreDisplay->update();
    hiScoreDisplay->update();

    if (phase == stage::kPaused) {
        updatePaused(buttons);
        return;
    }
    if (phase == stage::kContinue) {
        updateContinue(buttons);
        return;
    }

    const int playerState = player->getState();
    const int bossState = content.boss ? content.boss->getState() : STATE_STANDBY;

    if (runNextScriptStep())
        return;

    if (holds(buttons, settings->getMaskPause()) && pauseAllowed()) {
        savedPhase = phase;
        phase = stage::kPaused;
        player->pauseBombSound();
        pauseMenu->open();
    }

    updatePhaseFrame(buttons);

    if (phase == stage::kEntry && playerState == STATE_READY) {
        if (content.stageMusic)
            content.stageMusic->play(true);
        scriptWaiting = false;
        counter = 0;
    }

    updateStartCaptions();

    if (phase == stage::kTalk) {
        updateTalk(buttons);
        return;
    }
    if (phase == stage::kShooting || phase == stage::kBossBattle) {
        updateShooting(buttons, playerState, bossState);
        return;
    }
    if (phase == stage::kBossApproach)
        updateBossApproach(bossState);
}

// Runs the script's next step unless the script waits; a step takes its frame.
// The script running out ends the stage.
bool ShootingScene::runNextScriptStep() {
    if (!scriptWaiting) {
        if (content.steps.empty()) {
            scriptWaiting = true;
            counter = 0;
            phase = stage::kEnding;
            player->playClearSound();
        } else {
            const StageStep step = std::move(content.steps.front());
            content.steps.pop_front();
            runScriptStep(step);
            return true;
        }
    }
    return false;
}

// The frame of the phases without their own update: fade-in, ending,
// game over, and the player's own frame in the others.
void ShootingScene::updatePhaseFrame(int buttons) {
    switch (phase) {
        case stage::kFadeIn:
            counter += 2;
            if (counter >= 255) {
                counter = 255;
                phase = stage::kEntry;
            }
            setFade(255 - counter);
            break;
        case stage::kEnding:
            updateEnding();
            break;
        case stage::kGameOver:
            updateGameOver();
            break;
        default: {
            const bool playing = phase == stage::kShooting || phase == stage::kBossApproach ||
                                 phase == stage::kBossBattle;
            player->update(playing ? buttons : 0);
            if (player->getState() == STATE_GONE) {
                savedPhase = phase;
                phase = stage::kContinue;
                continueDialog->open();
            }
            break;
        }
    }
}

// The two start captions: the second fades in when the first is shown,
// and both fade out together.
void ShootingScene::updateStartCaptions() {
    if ((content.infoStart1 && !content.infoStart1->isHidden()) ||
        (content.infoStart2 && !content.infoStart2->isHidden())) {
        if (content.infoStart1 && content.infoStart1->update() && content.infoStart2 &&
            content.infoStart2->isHidden())
            content.infoStart2->startFadeIn();
        if (content.infoStart2 && content.infoStart2->update()) {
            if (content.infoStart1)
                content.infoStart1->startFadeOut();
            content.infoStart2->startFadeOut();
        }
    }
}

void ShootingScene::updatePaused(int buttons) {
    switch (pauseMenu->update(buttons)) {
        case RESULT_FIRST:
            phase = savedPhase;
            player->resumeBombSound();
            break;
        case RESULT_SECOND:
            startExit(stage::kExitTitle);
            break;
        case RESULT_THIRD:
            startExit(stage::kExitQuit);
            break;
        default:
            break;
    }
}

void ShootingScene::updateContinue(int buttons) {
    switch (continueDialog->update(buttons)) {
        case RESULT_FIRST:
            phase = savedPhase;
            status->lives = 2;
            status->stock = 5;
            status->gauge = status->gaugeFull;
            kintubaGauge->setValue(status->gauge);
            scoreDisplay->setValue(0);
            status->power = LEVEL_MAX;
            player->setLevel(status->power);
            player->reenter();
            break;
        case RESULT_SECOND:
            startExit(stage::kExitGameOver);
            stopMusic();
            break;
        default:
            break;
    }
}

void ShootingScene::updateTalk(int buttons) {
    if (talk->update(buttons, scriptWaiting))
        endTalk();
}

void ShootingScene::updateShooting(int buttons, int playerState, int bossState) {
    const bool controllable = stage::playerControllable(playerState);

    // Stage counter and scrolling.
    counter = counter > 100000 ? 0 : counter + 1;
    background->scroll(1, 0);

    releaseDueEnemies();

    // The kintuba gauge drains while the player flies; the fuller it is,
    // the smaller the player's hit area.
    if (controllable && !bossBeaten) {
        status->drainGauge();
        kintubaGauge->setValue(status->gauge);
        if (heroine.followGauge)
            heroine.followGauge(*player, *kintubaGauge);
    }

    useStockButtons(buttons, playerState);

    for (ItemList* items : {&content.chanceItems, &content.kintubaItems, &content.levelUpItems})
        updateAndRemove(*items, [](ItemObject& item) { return item.update(); });
    const int px = player->getX();
    const int py = player->getY();
    updateAndRemove(activeEnemies, [&](EnemyObject& enemy) { return enemy.update(px, py); });

    if (phase == stage::kShooting && content.waitingEnemies.empty() && activeEnemies.empty() &&
        content.chanceItems.empty() && content.levelUpItems.empty() &&
        content.kintubaItems.empty()) {
        phase = stage::kBossApproach;
        if (content.boss)
            content.boss->appear(800, 240);
    }

    updateBoss(bossState);

    StageField field{player.get(),         content.boss.get(),    &activeEnemies,
                     &content.chanceItems, &content.kintubaItems, &content.levelUpItems};
    StageScoring score = scoring();
    if (StageCollisions::run(field, playerState, score))
        bossBeaten = true;
}

// Enemies whose place on the stage has reached the right edge enter
// (compared without subtracting from the position, which cannot overflow).
void ShootingScene::releaseDueEnemies() {
    while (!content.timeline.empty() && !content.waitingEnemies.empty() &&
           content.timeline.front().first <= counter + kFieldWidth) {
        std::unique_ptr<EnemyObject> enemy = std::move(content.waitingEnemies.front());
        content.waitingEnemies.pop_front();
        enemy->appear(kFieldWidth, content.timeline.front().second);
        activeEnemies.push_back(std::move(enemy));
        content.timeline.pop_front();
    }
}

// The special button spends one stock on a full gauge; the bomb button three
// on a bomb. Each acts once per press.
void ShootingScene::useStockButtons(int buttons, int playerState) {
    if (holds(buttons, settings->getMaskSpecial()) && stage::stockTakesEffect(phase, playerState)) {
        if (!kintubaKeyHeld) {
            kintubaKeyHeld = true;
            if (status->takeStock())
                player->playGetSound();
        }
    } else {
        kintubaKeyHeld = false;
    }

    if (holds(buttons, settings->getMaskBomb()) && player->getState() == STATE_ACTIVE) {
        if (!bombKeyHeld) {
            bombKeyHeld = true;
            if (status->stock >= 3) {
                status->stock -= 3;
                player->startBomb();
            }
        }
    } else {
        bombKeyHeld = false;
    }
}

// The boss's frame: its entry gauge and face, its start, and the talk after it.
void ShootingScene::updateBoss(int bossState) {
    if (content.boss) {
        content.boss->update(player->getX(), player->getY());
        if (bossState == STATE_READY) {
            // The gauge and the face each say when they are done, and keep
            // saying it: the start cannot be missed when they finish on
            // different frames.
            bossGauge->update();
            if (content.bossFace)
                content.bossFace->update();
            if (bossGauge->isFilled() && (!content.bossFace || content.bossFace->hasArrived()))
                content.boss->start();
        } else if (bossState == STATE_GONE) {
            endTalk();
        }
        bossGauge->setValue(content.boss->getHp());
    } else if (phase == stage::kBossBattle) {
        endTalk();  // no boss to fight: the script goes on
    }
}

void ShootingScene::updateBossApproach(int bossState) {
    if (content.bossDelay > 0) {
        --content.bossDelay;
        return;
    }
    if (!content.boss) {
        endTalk();  // a stage without a boss goes on with its script
        return;
    }
    content.boss->update(player->getX(), player->getY());
    if (bossState == STATE_REENTRY)
        endTalk();
}

void ShootingScene::startExit(int mode) {
    phase = stage::kEnding;
    exitMode = mode;
    counter = 0;           // the stage's counter would end the fade at once
    scriptWaiting = true;  // the script is over: no line may run in the fade
}

void ShootingScene::updateEnding() {
    if (!content.infoEnd || content.infoEnd->isHidden()) {
        counter += 5;
        if (counter >= 255) {
            counter = 255;
            settings->setHiScore(hiScoreDisplay->getTarget());
            switch (exitMode) {
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
                    phase = stage::kGameOver;
                    break;
                default:
                    if (content.infoEnd) {
                        content.infoEnd->startFadeIn();
                    } else {
                        // No stage-clear caption to show: on at once.
                        stopMusic();
                        settings->setLastScore(scoreDisplay->getTarget());
                        leaveStage();
                        requestNext();
                    }
                    break;
            }
        }
        setFade(counter);
        if (exitMode == stage::kExitGameOver && counter == 255)
            counter = 0;
        return;
    }
    if (content.infoEnd->update())
        content.infoEnd->startFadeOut();
    if (content.infoEnd->isHidden()) {
        stopMusic();
        settings->setLastScore(scoreDisplay->getTarget());
        settings->setHiScore(hiScoreDisplay->getTarget());
        leaveStage();
        requestNext();
    }
}

void ShootingScene::updateGameOver() {
    if (counter < 255) {
        counter += 5;
        setFade(255 - counter);
    } else if (counter < 255 + kGameOverHold) {
        counter += 5;
    } else {
        counter += 5;
        const int alpha = counter - kGameOverHold - 254;
        setFade(alpha);
        if (alpha >= 255) {
            stopMusic();
            leaveStage();
            requestExit(veru::dxt::SceneExit::title);
        }
    }
}

void ShootingScene::leaveStage() {
    saveRecording();
}

void ShootingScene::saveRecording() {
    if (recordingSaved || recordingPath.empty() || recording.words.empty())
        return;
    recordingSaved = true;
    try {
        writeStageReplay(recordingPath, recording);
    } catch (const veru::excp::Exception&) {
        // The record is a convenience: a folder that cannot be written
        // must not keep the player from going on.
    }
}

void ShootingScene::setFade(int alpha) {
    fadeLayer.setAlpha(alpha);
}

int ShootingScene::getScore() const {
    return scoreDisplay ? scoreDisplay->getTarget() : 0;
}
int ShootingScene::getHiScore() const {
    return hiScoreDisplay ? hiScoreDisplay->getTarget() : 0;
}

std::uint64_t ShootingScene::stateHash() const {
    StageStateHash hash;
    hash.add(frameNumber).add(phase).add(counter).add(getScore()).add(bossBeaten ? 1 : 0);
    hash.add(status->lives).add(status->stock).add(status->gauge).add(status->power);
    if (player)
        hash.addObject(*player);
    for (const auto& enemy : activeEnemies)
        hash.addObject(*enemy);
    hash.add(static_cast<int>(content.waitingEnemies.size()));
    for (const ItemList* items :
         {&content.chanceItems, &content.kintubaItems, &content.levelUpItems}) {
        for (const auto& item : *items)
            hash.addObject(*item);
    }
    if (content.boss)
        hash.addObject(*content.boss);
    return hash.value();
}

// ---------------------------------------------------------------- draw

void ShootingScene::draw(veru::platform::VideoDevice*) {
    if (!graphics || !player)
        return;
    veru::dxt::DirectGraphics& g = *graphics;
    g.setCentred(true);
    // The stage stays on screen, frozen, behind the pause menu and the
    // continue dialog.
    const int shown = (phase == stage::kPaused || phase == stage::kContinue) ? savedPhase : phase;

    if (phase == stage::kGameOver) {
        g.copySurface(gameOverScreen.get());
        if (veru::dxt::material::Texture* wreck = player->getExplosionTexture()) {
            g.queueSprite(wreck, 150, 270, counter % 360);
            g.queueSprite(wreck, 650, 270, counter % 360);
        }
    } else {
        background->draw(g);
        // Hotaru's shots are hidden while she is not in play (the talk, the
        // fades); Shiro's are always drawn.
        if (heroine.showShots)
            heroine.showShots(*player, shown == stage::kShooting || shown == stage::kBossApproach ||
                                           shown == stage::kBossBattle);
        player->draw(g);
        if (content.boss && phase != stage::kFadeIn && phase != stage::kEnding)
            content.boss->draw(g);
        if (phase == stage::kTalk)
            talk->draw(g);
        if (shown == stage::kShooting) {
            for (const auto& enemy : activeEnemies)
                enemy->draw(g);
            for (const ItemList* items :
                 {&content.chanceItems, &content.kintubaItems, &content.levelUpItems}) {
                for (const auto& item : *items)
                    item->draw(g);
            }
        }
        g.queueSprite(infoArea.get(), infoAreaX, infoAreaY);
        kintubaGauge->draw(g);
        livesCounter->draw(g, status->lives);
        stockCounter->draw(g, status->stock);
        scoreDisplay->draw(g);
        hiScoreDisplay->draw(g);
        if (shown == stage::kBossBattle) {
            if (content.bossFace)
                content.bossFace->draw(g);
            bossGauge->draw(g);
        }
        if (content.infoStart1)
            content.infoStart1->draw(g);
        if (content.infoStart2)
            content.infoStart2->draw(g);
    }
    if (phase == stage::kFadeIn || phase == stage::kEnding || phase == stage::kGameOver) {
        fadeLayer.queue(g, width, height);
    }
    if (content.infoEnd)
        content.infoEnd->draw(g);
    if (phase == stage::kPaused)
        pauseMenu->draw(g);
    if (phase == stage::kContinue)
        continueDialog->draw(g);
    g.setCentred(true);
    g.flushSprites(true, true);
    g.flushQuads();
    g.setCentred(false);
}

// ---------------------------------------------------------------- release

void ShootingScene::release() {
    saveRecording();
    graphics.reset();
    background.reset();
    gameOverScreen.reset();
    infoArea.reset();
    fadeLayer.release();
    talk.reset();
    pauseMenu.reset();
    continueDialog.reset();
    player.reset();
    kintubaGauge.reset();
    bossGauge.reset();
    livesCounter.reset();
    stockCounter.reset();
    scoreDisplay.reset();
    hiScoreDisplay.reset();
    // The enemies on the field borrow their items from the stage's content.
    activeEnemies.clear();
    content = StageContent{};
    levelMaxSound = nullptr;
    replayed.reset();  // the player's own settings and status again
    veru::dxt::effect2D::useSecureRandom();
}

}  // namespace ml
