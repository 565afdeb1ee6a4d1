#pragma once
// States and result codes of the stage's menus (the pause menu and the
// continue dialog).

#include "engine/input/InputInterface.h"

namespace ml::shooting::cmp {

// Menu states.
inline constexpr int MENU_BUILT = 0x100000;
inline constexpr int MENU_OPENED = 0x100001;  // the next update only arms the menu
inline constexpr int MENU_ACTIVE = 0x100002;  // reads buttons
inline constexpr int MENU_DECIDED = 0x100003;

// Results of update.
inline constexpr int RESULT_NONE = 0x200000;
inline constexpr int RESULT_FIRST = 0x200001;
inline constexpr int RESULT_SECOND = 0x200002;
inline constexpr int RESULT_THIRD = 0x200003;
inline constexpr int RESULT_FOURTH = 0x200004;

// The button word's up and down bits.
inline constexpr int BUTTON_UP = veru::dxt::event::kButtonUp;
inline constexpr int BUTTON_DOWN = veru::dxt::event::kButtonDown;

}  // namespace ml::shooting::cmp
