#include "engine/input/DirectInputFactory.h"

#include <string>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/CanNotConnectException.h"
#include "engine/input/InputSwitcher.h"
#include "engine/platform/input/InputSystem.h"

namespace veru::dxt::event {

DirectInputFactory::DirectInputFactory() = default;

DirectInputFactory::~DirectInputFactory() {
    interfaces.clear();  // the devices go before the system they run on
    system.reset();
}

bool DirectInputFactory::setup(bool warn) {
    warnNoPad = warn;
    system = std::make_unique<platform::InputSystem>();
    std::string reason;
    if (!system->start(&reason)) {
        awt::showError(u"DirectInputデバイスの生成に失敗しました。", u"DirectInputFactory.setup()");
        return false;
    }
    return true;
}

InputInterface* DirectInputFactory::createInputInterface(platform::Window* window, int kind) {
    std::unique_ptr<InputJoystick> pad;
    if (kind == kPreferPad) {
        pad = std::make_unique<InputJoystick>();
        try {
            if (!pad->setup(system.get(), window)) {
                if (warnNoPad)
                    awt::showWarning(u"パッドが見つかりませんでした。", u"パッド検出");
                pad.reset();
            }
        } catch (const excp::CanNotConnectException& e) {
            awt::showError(YString(u"パッド検出中にエラーが起きました:") + e.getMessage(),
                           u"DirectInputFactory::createInputInterface()");
            pad.reset();
        }
    }

    auto keyboard = std::make_unique<InputKeyboard>();
    if (!keyboard->setup(system.get(), window))
        keyboard.reset();

    std::unique_ptr<InputInterface> result;
    if (kind == kPreferPad && (pad || keyboard)) {
        auto switcher = std::make_unique<InputSwitcher>(std::move(pad), std::move(keyboard));
        switcher->setup(system.get(), window);
        result = std::move(switcher);
    } else {
        result = std::move(keyboard);
    }
    interfaces.push_back(std::move(result));
    return interfaces.back().get();
}

}  // namespace veru::dxt::event
