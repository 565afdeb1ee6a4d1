#include "engine/input/ScriptedInput.h"

namespace veru::dxt::event {

ScriptedInput::ScriptedInput(std::initializer_list<std::pair<int, int>> list) {
    for (const auto& [f, word] : list)
        set(f, word);
}

int ScriptedInput::wordAt(int f) const {
    auto it = steps.upper_bound(f);
    if (it == steps.begin())
        return 0;
    return std::prev(it)->second;
}

void ScriptedInput::set(int f, int buttons) {
    steps[f] = buttons;
}

void ScriptedInput::press(int f, int buttons, int length) {
    if (length <= 0)
        return;
    const int end = f + length;
    const int after = wordAt(end);
    steps[f] = wordAt(f);
    steps.try_emplace(end, after);
    for (auto it = steps.lower_bound(f); it != steps.lower_bound(end); ++it)
        it->second |= buttons;
}

int ScriptedInput::poll() {
    return wordAt(frame++);
}

}  // namespace veru::dxt::event
