#include "engine/input/InputKeyboard.h"

#include <iterator>

#include "engine/core/MessageBox.h"
#include "engine/platform/input/InputSystem.h"

namespace veru::dxt::event {

using platform::Key;

namespace {
// Which key sets which button: buttons 1-10 in order.
constexpr Key kButtonKeys[] = {Key::z, Key::x,         Key::c,     Key::v,     Key::a,
                               Key::s, Key::rightCtrl, Key::enter, Key::space, Key::escape};
}  // namespace

bool InputKeyboard::setup(platform::InputSystem* system, platform::Window* /*window*/) {
    if (!system || !system->isStarted()) {
        awt::showError(u"キーボードデバイスを生成できませんでした。", u"InputKeyboard.setup()");
        return false;
    }
    if (!keyboard.open()) {
        awt::showError(u"キーボードが発見されませんでした。", u"InputKeyboard.setup()");
        return false;
    }
    return true;
}

int InputKeyboard::buttonsOf(const platform::KeyStates& keys) {
    auto held = [&keys](Key key) { return keys[static_cast<std::size_t>(key)]; };
    int bits = 0;
    if (held(Key::up) || held(Key::pad8))
        bits |= kButtonUp;
    if (held(Key::down) || held(Key::pad2))
        bits |= kButtonDown;
    if (held(Key::left) || held(Key::pad4))
        bits |= kButtonLeft;
    if (held(Key::right) || held(Key::pad6))
        bits |= kButtonRight;
    for (int i = 0; i < static_cast<int>(std::size(kButtonKeys)); ++i) {
        if (held(kButtonKeys[i]))
            bits |= kFirstButton << i;
    }
    return bits;
}

YString InputKeyboard::keyNameOf(int bit) {
    for (int i = 0; i < static_cast<int>(std::size(kButtonKeys)); ++i) {
        if (bit == kFirstButton << i)
            return YString::fromUtf8(platform::Keyboard::keyName(kButtonKeys[i]));
    }
    return YString();
}

int InputKeyboard::poll() {
    if (!keyboard.isOpen())
        return -1;
    platform::KeyStates keys;
    if (!keyboard.read(keys))
        return 0;
    return buttonsOf(keys);
}

}  // namespace veru::dxt::event
