#include "tools/playtest/GamePilot.h"

#include "engine/adventure/AdventureScene.h"
#include "engine/scene/Scene.h"
#include "frontend/MenuSceneOld.h"
#include "game/ShootingScene.h"
#include "tools/playtest/Autopilot.h"

namespace ml::playtest {

GamePilot::GamePilot(std::uint32_t seed) : seed(seed) {}

GamePilot::~GamePilot() = default;

void GamePilot::watch(veru::dxt::Scene* next) {
    if (next == scene)
        return;
    scene = next;
    if (auto* stage = dynamic_cast<ShootingScene*>(next)) {
        ++stages;
        // The stage's play status is the game's own; the pilot plays
        // without it (no kintuba, no bomb), which is enough to go round.
        stagePilot = std::make_unique<Autopilot>(stage, nullptr, Autopilot::Masks{},
                                                 seed + static_cast<std::uint32_t>(stages));
    }
}

int GamePilot::poll() {
    int word = 0;
    if (auto* stage = dynamic_cast<ShootingScene*>(scene); stage && stagePilot) {
        word = stagePilot->poll();
    } else if (auto* menu = dynamic_cast<MenuSceneOld*>(scene)) {
        if (menu->getPhase() == MenuSceneOld::kActive && lastWord == 0)
            word = menu->getIndex() == 0 ? kFirstButton : 0x1;  // up to "start", then start
    } else if (dynamic_cast<veru::adv::AdventureScene*>(scene)) {
        word = lastWord ? 0 : kFirstButton;  // a fresh press every other frame
    }
    lastWord = word;
    return word;
}

}  // namespace ml::playtest
