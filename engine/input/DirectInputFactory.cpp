#include "engine/input/DirectInputFactory.h"

#include <string>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/CanNotConnectException.h"
#include "engine/input/CombinedInput.h"
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
    addPadMappings(kPadMappingsFile);  // the one shipped in the data folder
    return true;
}

InputInterface* DirectInputFactory::createInputInterface(platform::Window* window, int kind) {
    bool padsUsable = false;
    if (kind == kPreferPad) {
        // Looked for once now, so that the player hears of a missing pad.
        InputJoystick probe;
        try {
            padsUsable = true;
            if (!probe.setup(system.get(), window) && warnNoPad)
                awt::showWarning(u"パッドが見つかりませんでした。", u"パッド検出");
        } catch (const excp::CanNotConnectException& e) {
            awt::showError(YString(u"パッド検出中にエラーが起きました:") + e.getMessage(),
                           u"DirectInputFactory::createInputInterface()");
            padsUsable = false;
        }
    }

    auto keyboard = std::make_unique<InputKeyboard>();
    if (!keyboard->setup(system.get(), window))
        keyboard.reset();

    std::unique_ptr<InputInterface> result;
    if (padsUsable) {
        auto combined = std::make_unique<CombinedInput>(std::move(keyboard));
        combined->setup(system.get(), window);
        result = std::move(combined);
    } else {
        result = std::move(keyboard);
    }
    interfaces.push_back(std::move(result));
    return interfaces.back().get();
}

void DirectInputFactory::addPadMappings(const std::u16string& path) {
    platform::GamePad::addMappingsFromFile(path);
}

}  // namespace veru::dxt::event
