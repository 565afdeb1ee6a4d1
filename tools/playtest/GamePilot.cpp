#include "tools/playtest/GamePilot.h"

#include "engine/adventure/AdventureScene.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneManager.h"
#include "frontend/TitleMenu.h"
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
        kintubasBefore = getKintubasPressed();
        bombsBefore = getBombsPressed();
        // With the stage's play status the pilot sees the gauge and the
        // stock, so it uses the kintuba and the bomb as a player would.
        stagePilot = std::make_unique<Autopilot>(stage, stage->getStatus(), Autopilot::Masks{},
                                                 seed + static_cast<std::uint32_t>(stages));
    }
}

int GamePilot::getKintubasPressed() const {
    return kintubasBefore + (stagePilot ? stagePilot->getKintubasPressed() : 0);
}

int GamePilot::getBombsPressed() const {
    return bombsBefore + (stagePilot ? stagePilot->getBombsPressed() : 0);
}

int GamePilot::poll() {
    // The game switches scenes after the frame it was told about, so the
    // scene polling now may already be the next one: act on that one, not
    // on the scene that was just released.
    if (scene && scene->getManager() && scene->getManager()->getCurrent())
        watch(scene->getManager()->getCurrent());
    int word = 0;
    if (auto* stage = dynamic_cast<ShootingScene*>(scene); stage && stagePilot) {
        word = stagePilot->poll();
    } else if (auto* menu = dynamic_cast<TitleMenu*>(scene)) {
        if (menu->getPhase() == TitleMenu::kActive && lastWord == 0)
            word = menu->getIndex() == 0 ? kFirstButton : 0x1;  // up to "start", start, Shiro
    } else if (dynamic_cast<veru::adv::AdventureScene*>(scene)) {
        word = lastWord ? 0 : kFirstButton;  // a fresh press every other frame
    }
    lastWord = word;
    return word;
}

}  // namespace ml::playtest
