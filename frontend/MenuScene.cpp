#include "frontend/MenuScene.h"

#include <span>

#include "engine/input/ButtonMap.h"
#include "engine/scene/PlayStatus.h"
#include "engine/window/ComponentFactory.h"
#include "engine/window/SelectComponent.h"
#include "engine/window/SelectList.h"
#include "game/StageHeroine.h"

namespace ml {

using veru::dxt::event::ButtonMap;

namespace {
constexpr int kUpDown = 0x1 | 0x2;

// This edition's rows, top to bottom. A practice row stands between start
// and the replays.
constexpr TitleItem kRows[] = {kTitleStart, kTitlePractice, kTitleReplays, kTitleConfig,
                               kTitleQuit};
}  // namespace

MenuScene::MenuScene(veru::dxt::SceneManager* manager, GameSetting* setting,
                     veru::dxt::PlayStatus* status)
    : TitleMenu(manager, setting, u"MenuScene",
                {u"sound/title_call_siro.wav", u"sound/title_call_erika.wav",
                 u"sound/title_call_kiriha.wav"},
                kRows),
      status(status) {}

MenuScene::~MenuScene() = default;

void MenuScene::reset() {
    TitleMenu::reset();
    choosing = false;
}

int MenuScene::getCharacterChoice() const {
    const std::span<const StageHeroine> all = heroines();
    const int index = choice ? choice->getIndex() : 0;
    return all[index >= 0 && static_cast<std::size_t>(index) < all.size() ? index : 0].number;
}

void MenuScene::createChoice(veru::dxt::ComponentFactory& factory, veru::platform::VideoDevice*) {
    choice = std::make_unique<veru::dxt::SelectList>(true);
    // Under "start", where configuration and end stand; the heroine flown
    // last is offered first.
    int offered = 0;
    for (const StageHeroine& heroine : heroines()) {
        const int row = static_cast<int>(items.size());
        auto item = factory.newSelectComponent(heroine.menuPicture, heroine.menuPictureChosen);
        item->setLocation(width / 2, itemY(row + 1));
        choice->add(item.get());
        items.push_back(std::move(item));
        if (status && status->character == heroine.number)
            offered = row;
    }
    choice->setIndex(offered);
}

std::vector<TitleMenu::ItemPictures> MenuScene::choicePictures() const {
    std::vector<ItemPictures> pictures;
    for (const StageHeroine& heroine : heroines())
        pictures.push_back({heroine.menuPicture, heroine.menuPictureChosen});
    return pictures;
}

void MenuScene::releaseChoice() {
    choice.reset();
    items.clear();
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
