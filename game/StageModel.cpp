#include "game/StageModel.h"

#include <utility>

#include "engine/scene/PlayStatus.h"
#include "game/StageBounds.h"
#include "game/StageStateHash.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/ShootingObject.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

using namespace shooting::object;

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

StageModel::StageModel(veru::dxt::PlayStatus* status) : status(status) {}

StageModel::~StageModel() {
    release();
}

void StageModel::reset() {
    phase = stage::kFadeIn;
    savedPhase = 0;
    exitMode = stage::kExitCleared;
    scriptWaiting = true;
    bossBeaten = kintubaKeyHeld = bombKeyHeld = false;
    clock = Clock::fadeIn;
    fadeIn = position = endingFade = gameOverTime = 0;
    fadeAlpha = 255;
    attempt = StageTally{};
    activeEnemies.clear();
    content = StageContent{};
}

void StageModel::openField() {
    background =
        std::make_unique<shooting::cmp::ScrollBackground>(stage::kFieldWidth, stage::kFieldHeight);
}

void StageModel::release() {
    player.reset();
    background.reset();
    activeEnemies.clear();
    content = StageContent{};
}

void StageModel::releaseField() {
    background.reset();
    activeEnemies.clear();
    content = StageContent{};
}

void StageModel::setPlayer(std::unique_ptr<PlayerCharacter> next) {
    player = std::move(next);
}

// ---------------------------------------------------------------- phases

int StageModel::shownPhase() const {
    return phase == stage::kPaused || phase == stage::kContinue ? savedPhase : phase;
}

void StageModel::enterPhase(int next, bool waits) {
    phase = next;
    if (waits)
        scriptWaiting = true;
}

void StageModel::interrupt(int by) {
    savedPhase = phase;
    phase = by;
}

void StageModel::advanceFadeIn() {
    fadeIn += 2;
    if (fadeIn >= 255) {
        fadeIn = 255;
        phase = stage::kEntry;
    }
    fadeAlpha = 255 - fadeIn;
}

void StageModel::startPlay() {
    scriptWaiting = false;
    position = 0;
    clock = Clock::position;
}

void StageModel::startEnding() {
    phase = stage::kEnding;
    endingFade = 0;
    clock = Clock::ending;
    scriptWaiting = true;  // the script is over: no line may run in the fade
}

void StageModel::startExit(int mode) {
    startEnding();
    exitMode = mode;
}

bool StageModel::advanceEndingFade() {
    endingFade += 5;
    if (endingFade >= 255)
        endingFade = 255;
    fadeAlpha = endingFade;
    return endingFade == 255;
}

void StageModel::enterGameOver() {
    phase = stage::kGameOver;
    gameOverTime = 0;
    clock = Clock::gameOver;
}

// The screen fades in, holds, then fades out again.
bool StageModel::advanceGameOver() {
    gameOverTime += 5;
    if (gameOverTime <= 255) {
        fadeAlpha = 255 - gameOverTime;
        return false;
    }
    if (gameOverTime <= 255 + kGameOverHold)
        return false;
    fadeAlpha = gameOverTime - kGameOverHold - 254;
    return fadeAlpha >= 255;
}

int StageModel::runningCount() const {
    switch (clock) {
        case Clock::fadeIn:
            return fadeIn;
        case Clock::position:
            return position;
        case Clock::ending:
            return endingFade;
        case Clock::gameOver:
            return gameOverTime;
    }
    return 0;
}

// ---------------------------------------------------------------- field

// Enemies whose place on the stage has reached the right edge enter
// (compared without subtracting from the position, which cannot overflow).
void StageModel::advancePosition() {
    position = position > stage::kLastPosition ? 0 : position + 1;
    background->scroll(1, 0);
    while (!content.timeline.empty() && !content.waitingEnemies.empty() &&
           content.timeline.front().first <= position + stage::kFieldWidth) {
        std::unique_ptr<EnemyObject> enemy = std::move(content.waitingEnemies.front());
        content.waitingEnemies.pop_front();
        enemy->appear(stage::kFieldWidth, content.timeline.front().second);
        activeEnemies.push_back(std::move(enemy));
        content.timeline.pop_front();
    }
}

void StageModel::updateFieldObjects() {
    for (ItemList* items : {&content.chanceItems, &content.kintubaItems, &content.levelUpItems})
        updateAndRemove(*items, [](ItemObject& item) { return item.update(); });
    const int px = player->getX();
    const int py = player->getY();
    updateAndRemove(activeEnemies, [&](EnemyObject& enemy) { return enemy.update(px, py); });
}

bool StageModel::fieldCleared() const {
    return content.waitingEnemies.empty() && activeEnemies.empty() && content.chanceItems.empty() &&
           content.levelUpItems.empty() && content.kintubaItems.empty();
}

void StageModel::updateStartCaptions() {
    shooting::cmp::AlphaParts* first = content.infoStart1.get();
    shooting::cmp::AlphaParts* second = content.infoStart2.get();
    if ((first && !first->isHidden()) || (second && !second->isHidden())) {
        if (first && first->update() && second && second->isHidden())
            second->startFadeIn();
        if (second && second->update()) {
            if (first)
                first->startFadeOut();
            second->startFadeOut();
        }
    }
}

void StageModel::useStock(bool specialHeld, bool bombHeld, int playerState) {
    if (specialHeld && stage::stockTakesEffect(phase, playerState)) {
        if (!kintubaKeyHeld) {
            kintubaKeyHeld = true;
            if (status->takeStock()) {
                player->playGetSound();
                ++attempt.kintsubas;
            }
        }
    } else {
        kintubaKeyHeld = false;
    }

    if (bombHeld && player->getState() == STATE_ACTIVE) {
        if (!bombKeyHeld) {
            bombKeyHeld = true;
            if (status->stock >= 3) {
                status->stock -= 3;
                player->startBomb();
                ++attempt.bombs;
            }
        }
    } else {
        bombKeyHeld = false;
    }
}

void StageModel::dressItems(const StageHeroine& heroine, veru::platform::VideoDevice* device,
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
            std::unique_ptr<ItemObject> own = make(stage::kFieldWidth, stage::kFieldHeight);
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

std::uint64_t StageModel::stateHash(int frameNumber, int score) const {
    StageStateHash hash;
    hash.add(frameNumber).add(phase).add(runningCount()).add(score).add(bossBeaten ? 1 : 0);
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

}  // namespace ml
