#pragma once
// KShootingScene: Hotaru's stage. The shooting scene given her row of
// StageHeroine (Vovizovar and her gauge, pick-ups, pictures and caption);
// phases, script, recording, pause and scoring are the shooting scene's own.
//
// Ownership, thread, failure: as ShootingScene.

#include "game/ShootingScene.h"

namespace ml {

class KShootingScene : public ShootingScene {
  public:
    KShootingScene(veru::dxt::SceneManager* manager, GameSetting* settings,
                   veru::dxt::PlayStatus* status)
        : ShootingScene(manager, settings, status, hotaruHeroine()) {}
};

}  // namespace ml
