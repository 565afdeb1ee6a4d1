#include "engine/window/SelectList.h"

#include "engine/window/SelectComponent.h"

namespace veru::dxt {

SelectList::SelectList(bool v) : vertical(v) {}

void SelectList::init(bool v) {
    vertical = v;
    index = 0;
    confirmMask = 0x10;
    previousHeld = nextHeld = confirmHeld = false;
    markSelected();
}

void SelectList::add(SelectComponent* item) {
    items.push_back(item);
    markSelected();
}

void SelectList::setIndex(int i) {
    index = i;
    markSelected();
}

void SelectList::markSelected() {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i]) {
            items[i]->setSelected(static_cast<int>(i) == index);
        }
    }
}

bool SelectList::update(int buttons) {
    int previousButton = vertical ? 0x1 : 0x4;
    int nextButton = vertical ? 0x2 : 0x8;
    if ((buttons & previousButton) == 0) {
        previousHeld = false;
    } else if (!previousHeld) {
        index -= 1;
        previousHeld = true;
    }
    if ((buttons & nextButton) == 0) {
        nextHeld = false;
    } else if (!nextHeld) {
        index += 1;
        nextHeld = true;
    }
    if (index < 0) {
        index = count() - 1;
    }
    if (index >= count()) {
        index = 0;
    }
    markSelected();
    if ((buttons & confirmMask) == 0) {
        confirmHeld = false;
        return false;
    }
    if (!confirmHeld) {
        confirmHeld = true;
        return true;
    }
    return false;
}

void SelectList::draw(DirectGraphics& graphics) {
    for (SelectComponent* item : items) {
        if (item) {
            item->draw(graphics);
        }
    }
}

}  // namespace veru::dxt
