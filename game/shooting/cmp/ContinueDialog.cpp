#include "game/shooting/cmp/ContinueDialog.h"

#include "engine/input/ButtonMap.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

ContinueDialog::ContinueDialog(int w, int h) : entries(w, h) {}

ContinueDialog::~ContinueDialog() = default;

void ContinueDialog::load(veru::platform::VideoDevice* device) {
    auto title = std::make_unique<veru::dxt::material::Texture>();
    title->load(u"img/continue.ytx", device);
    titleTexture = std::move(title);
    entries.load(device,
                 {{u"img/yes_n.ytx", u"img/yes_s.ytx"}, {u"img/no_n.ytx", u"img/no_s.ytx"}});
}

void ContinueDialog::open() {
    state = MENU_OPENED;
    entries.latchHeld();
}

int ContinueDialog::update(int buttons) {
    using veru::dxt::event::ButtonMap;
    buttons = entries.freshButtons(buttons);
    if (state == MENU_OPENED) {
        state = MENU_ACTIVE;
    } else if (state == MENU_ACTIVE) {
        entries.readUpDown(buttons);
        if (ButtonMap::global().held(ButtonMap::kShoot, buttons)) {
            state = MENU_DECIDED;
        }
        if (ButtonMap::global().held(ButtonMap::kSpecial, buttons)) {
            entries.setSelection(0);
            state = MENU_DECIDED;
        }
    } else if (state == MENU_DECIDED) {
        return entries.getSelection() == 0 ? RESULT_FIRST : RESULT_SECOND;
    }
    return RESULT_NONE;
}

void ContinueDialog::draw(veru::dxt::DirectGraphics& graphics) {
    entries.draw(graphics, titleTexture.get());
}

}  // namespace ml::shooting::cmp
