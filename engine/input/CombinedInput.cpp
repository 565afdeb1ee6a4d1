#include "engine/input/CombinedInput.h"

#include "engine/platform/input/InputSystem.h"

#include <algorithm>

namespace veru::dxt::event {

CombinedInput::CombinedInput(std::unique_ptr<InputInterface> k, const ActionBindings* b,
                             const ButtonMap* m)
    : keyboard(std::move(k)), bindings(b), map(m) {}

CombinedInput::~CombinedInput() = default;

bool CombinedInput::setup(platform::InputSystem* s, platform::Window* /*window*/) {
    system = s;
    framesToRetry = 0;
    lookForPads();
    return true;
}

void CombinedInput::lookForPads() {
    if (--framesToRetry > 0 || !system || !system->isStarted())
        return;
    framesToRetry = kRetryFrames;
    for (int id : platform::GamePad::attachedIds()) {
        const bool known =
            std::ranges::any_of(pads, [id](const auto& pad) { return pad->instanceId() == id; });
        if (known)
            continue;
        auto pad = std::make_unique<InputJoystick>(bindings, map);
        if (pad->open(id))  // one that will not open is tried again later
            pads.push_back(std::move(pad));
    }
}

int CombinedInput::poll() {
    fresh = {};
    lookForPads();
    int bits = 0;
    if (keyboard) {
        const int keys = keyboard->poll();
        if (keys > 0)  // -1: no keyboard after all
            bits |= keys;
        fresh = keyboard->freshPress();
    }
    // The pad in use stays so while anything is held on it; when it is idle
    // the first pad with something held takes over.
    bool inUseHeld = false;
    int firstHeld = -1;
    for (auto& pad : pads) {
        const int word = pad->poll();
        if (!pad->isConnected())
            continue;
        if (word != 0 && pad->instanceId() == lastUsedPad)
            inUseHeld = true;
        if (word != 0 && firstHeld < 0)
            firstHeld = pad->instanceId();
        bits |= word;
        if (!fresh.any())
            fresh = pad->freshPress();
    }
    if (!inUseHeld && firstHeld >= 0)
        lastUsedPad = firstHeld;
    // Pulled out: dropped at once, so nothing stays held.
    std::erase_if(pads, [](const auto& pad) { return !pad->isConnected(); });
    return bits;
}

PadInUse CombinedInput::padInUse() const {
    for (const auto& pad : pads) {
        if (pad->instanceId() == lastUsedPad)
            return pad->padInUse();
    }
    return pads.empty() ? PadInUse{} : pads.front()->padInUse();
}

}  // namespace veru::dxt::event
