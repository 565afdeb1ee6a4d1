#include "frontend/MenuScene.h"

#include <algorithm>

#include "engine/input/ButtonMap.h"
#include "engine/scene/PlayStatus.h"
#include "engine/window/ComponentFactory.h"
#include "engine/window/SelectComponent.h"
#include "engine/window/SelectList.h"

namespace ml {

using veru::dxt::event::ButtonMap;

namespace {
constexpr int kUpDown = 0x1 | 0x2;
}  // namespace

MenuScene::MenuScene(veru::dxt::SceneManager* manager, GameSetting* setting,
                     veru::dxt::PlayStatus* status)
    : TitleMenu(manager, setting, u"MenuScene",
                {u"sound/title_call_siro.wav", u"sound/title_call_erika.wav",
                 u"sound/title_call_kiriha.wav"}),
      status(status) {}

MenuScene::~MenuScene() = default;

void MenuScene::reset() {
    TitleMenu::reset();
    choosing = false;
}

int MenuScene::getCharacterChoice() const {
    return choice && choice->getIndex() == 1 ? kHotaru : kShiro;
}

void MenuScene::createChoice(veru::dxt::ComponentFactory& factory, veru::platform::VideoDevice*) {
    heroines[0] = factory.newSelectComponent(u"img/menu_startML_n.ytx", u"img/menu_startML_s.ytx");
    heroines[1] = factory.newSelectComponent(u"img/menu_startQZ_n.ytx", u"img/menu_startQZ_s.ytx");
    choice = std::make_unique<veru::dxt::SelectList>(true);
    // Under "start", where configuration and end stand.
    for (int i = 0; i < 2; ++i) {
        heroines[i]->setLocation(width / 2, kFirstItemY + kItemGap * (i + 1));
        choice->add(heroines[i].get());
    }
    // The heroine flown last is offered first.
    const int last = status ? std::clamp(status->character, kShiro, kHotaru) : kShiro;
    choice->setIndex(last - kShiro);
}

void MenuScene::releaseChoice() {
    choice.reset();
    for (auto& heroine : heroines)
        heroine.reset();
}

void MenuScene::startChosen() {
    choosing = true;
    latch.arm();
    play(startSound);
}

bool MenuScene::updateChoice(int buttons) {
    if (!choosing)
        return false;
    const int fresh = latch.filter(buttons);
    choice->update(fresh & kUpDown);
    const ButtonMap& map = ButtonMap::global();
    // Confirm first: with both actions on one button the game can still start.
    if (map.held(ButtonMap::kShoot, fresh)) {
        choosing = false;
        if (status)
            status->character = getCharacterChoice();
        fadeOutToStart();
    } else if (map.held(ButtonMap::kBomb, fresh)) {
        choosing = false;
        play(cancelSound);
    }
    return true;
}

bool MenuScene::drawChoice(veru::dxt::DirectGraphics& graphics) {
    if (!choosing)
        return false;
    item(kItemStart).draw(graphics);
    choice->draw(graphics);
    return true;
}

}  // namespace ml
