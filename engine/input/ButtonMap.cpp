#include "engine/input/ButtonMap.h"

#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"

namespace veru::dxt::event {

ButtonMap::ButtonMap() {
    masks.fill(0x10);
}

ButtonMap& ButtonMap::global() {
    static ButtonMap map;
    return map;
}

void ButtonMap::check(int number) {
    if (number < 1 || number > kSlots)
        throw excp::ArrayIndexOutOfBoundsException(number - 1);
}

void ButtonMap::setMask(int number, int mask) {
    check(number);
    masks[static_cast<std::size_t>(number - 1)] = mask;
}

int ButtonMap::mask(int number) const {
    check(number);
    return masks[static_cast<std::size_t>(number - 1)];
}

}  // namespace veru::dxt::event
