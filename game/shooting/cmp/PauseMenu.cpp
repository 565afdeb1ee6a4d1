#include "game/shooting/cmp/PauseMenu.h"

#include "engine/input/ButtonMap.h"

namespace ml::shooting::cmp {

PauseMenu::PauseMenu(int w, int h) : entries(w, h) {}

PauseMenu::~PauseMenu() = default;

void PauseMenu::load(veru::platform::VideoDevice* device) {
    entries.load(device, {{u"img/return_game_n.ytx", u"img/return_game_s.ytx"},
                          {u"img/retry_n.ytx", u"img/retry_s.ytx"},
                          {u"img/return_title_n.ytx", u"img/return_title_s.ytx"},
                          {u"img/end_game_n.ytx", u"img/end_game_s.ytx"}});
}

void PauseMenu::open() {
    state = MENU_OPENED;
    entries.latchHeld();
}

int PauseMenu::update(int buttons) {
    using veru::dxt::event::ButtonMap;
    buttons = entries.freshButtons(buttons);
    if (state == MENU_OPENED) {
        state = MENU_ACTIVE;
    } else if (state == MENU_ACTIVE) {
        entries.readUpDown(buttons);
        if (ButtonMap::global().held(ButtonMap::kShoot, buttons)) {
            state = MENU_DECIDED;
        }
    }
    if (state != MENU_DECIDED) {
        return RESULT_NONE;
    }
    switch (entries.getSelection()) {
        case 0:
            return kResume;
        case 1:
            return kRetry;
        case 2:
            return kTitle;
        default:
            return kQuit;
    }
}

void PauseMenu::draw(veru::dxt::DirectGraphics& graphics) {
    entries.draw(graphics, nullptr);
}

}  // namespace ml::shooting::cmp
