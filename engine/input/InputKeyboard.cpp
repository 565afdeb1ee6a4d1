#include "engine/input/InputKeyboard.h"

#include <iterator>

#include "engine/core/MessageBox.h"
#include "engine/platform/input/InputSystem.h"

namespace veru::dxt::event {

InputKeyboard::InputKeyboard(const ActionBindings* b, const ButtonMap* m) : bindings(b), map(m) {}

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

YString InputKeyboard::keyNameOf(int bit) {
    const ButtonMap& map = ButtonMap::global();
    for (int i = static_cast<int>(Control::shoot); i < kControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        if (map.mask(ActionBindings::slotOf(control)) != bit)
            continue;
        std::string names;
        for (platform::KeyCode key : ActionBindings::global().of(control).keys) {
            if (key == platform::keys::none)
                continue;
            names += (names.empty() ? "" : " / ") + platform::Keyboard::keyName(key);
        }
        return YString::fromUtf8(names);
    }
    return YString();
}

platform::KeyCode InputKeyboard::firstNewKey(const platform::KeyStates& before,
                                             const platform::KeyStates& now) {
    const platform::KeyStates fresh = now & ~before;
    for (std::size_t i = 1; i < fresh.size(); ++i) {
        if (fresh.test(i))
            return static_cast<platform::KeyCode>(i);
    }
    return platform::keys::none;
}

int InputKeyboard::poll() {
    fresh = {};
    if (!keyboard.isOpen())
        return -1;
    platform::KeyStates keys;
    if (!keyboard.read(keys)) {
        previous.reset();
        return 0;
    }
    fresh.key = firstNewKey(previous, keys);
    previous = keys;
    return bindings->keyWord(keys, *map);
}

}  // namespace veru::dxt::event
