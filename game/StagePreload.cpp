#include "game/StagePreload.h"

#include <exception>
#include <memory>
#include <stop_token>

#include "engine/core/MessageBox.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/Texture.h"
#include "engine/platform/FileSystem.h"
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
    return [scriptPath, &heroine, difficulty](std::stop_token stop) {
        const veru::dxt::material::PreloadPass pass(std::move(stop));
        const veru::awt::QuietMessages quiet;
        const veru::dxt::effect2D::ScratchRandom scratch;
        const veru::platform::StatMemo memo;  // the same sheets are read for every bat
        try {
            readAhead(scriptPath, heroine, difficulty);
        } catch (const veru::excp::Exception&) {
            // create reads the stage again and shows what is wrong.
        } catch (const veru::dxt::material::PreloadStopped&) {
            // The stage is wanted now: create decodes the rest itself.
        } catch (const std::exception&) {
            // Out of memory or threads: create meets it again on the main thread.
        }
    };
}

}  // namespace ml
