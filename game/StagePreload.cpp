#include "game/StagePreload.h"

#include <memory>

#include "engine/material/Texture.h"
#include "engine/scene/ReadAhead.h"
#include "engine/sound/SoundManger.h"
#include "game/ShootingScene.h"
#include "game/StageBounds.h"
#include "game/StageHeroine.h"
#include "game/StageScript.h"
#include "game/StageTalk.h"
#include "game/StageView.h"
#include "game/shooting/cmp/BossGauge.h"
#include "game/shooting/cmp/KintubaGauge.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

void readAhead(const veru::YString& scriptPath, const StageHeroine& heroine, int difficulty) {
    // A manager with no device: under the pass its sounds only read their
    // files ahead (engine/sound/SoundPreload.h) and its tunes open ahead.
    veru::sound::SoundManger sounds;
    auto player = heroine.makePlayer(stage::kFieldWidth, stage::kFieldHeight);
    player->loadTextures(nullptr);
    player->loadSounds(sounds);
    for (const char16_t* hudPicture : {heroine.infoArea, heroine.lifeIcon, heroine.stockIcon}) {
        veru::dxt::material::Texture picture;
        picture.load(hudPicture, nullptr);
    }
    heroine.makeGauge(0)->load(nullptr);
    shooting::cmp::BossGauge(0).load(nullptr);
    StageTalk(nullptr, 0, 0);  // the talk's balloons
    for (StageHeroine::ItemMaker make :
         {heroine.chanceItem, heroine.kintubaItem, heroine.levelUpItem})
        if (make) {
            auto item = make(stage::kFieldWidth, stage::kFieldHeight);
            item->loadTexture(nullptr);
            item->loadSound(sounds);
        }
    shooting::cmp::ScrollBackground background(stage::kFieldWidth, stage::kFieldHeight);
    StageContent content;
    readStageScript(scriptPath, nullptr, &sounds, difficulty, background, content);
    sounds.getSound(veru::YString(ShootingScene::kLevelMaxSound));
    // Last: what is only drawn after the first frames waits for the rest.
    StageView::readAhead();
}

}  // namespace

veru::dxt::PrepareJob stagePreparation(const veru::YString& scriptPath, const StageHeroine& heroine,
                                       int difficulty) {
    return veru::dxt::readAheadJob(
        [scriptPath, &heroine, difficulty] { readAhead(scriptPath, heroine, difficulty); });
}

}  // namespace ml
