#pragma once
// The window's icon: our own picture "img/<name>.png" when it is there,
// otherwise a small crescent drawn in code.
//
// Thread: any thread. Failure: never; a picture that cannot be read gives the drawn one.

#include <cstdint>
#include <vector>

#include "engine/core/YString.h"

namespace veru::awt {

struct WindowIcon {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // ARGB, rows top down
};

WindowIcon loadWindowIcon(const YString& name);
// The drawn icon, `size` pixels square.
WindowIcon drawnWindowIcon(int size);

}  // namespace veru::awt
