#pragma once
// ActionBindings: which keys and pad buttons work each control of the game.
//
// Controls are the four directions and the five actions of ButtonMap (shoot,
// special attack, bomb, slow movement, pause). Each takes up to two keys and
// up to two buttons of a mapped pad. A held key or pad button sets its
// control's bits in the button word: a direction's fixed bit, an action's
// ButtonMap mask. So the word, and every recording of it, means what it
// always meant; only what makes each bit is chosen here.
//
// Besides their bound keys the directions always follow the cursor keys and
// numeric-pad 8/2/4/6 (fixed keys, which no action may take), and on a
// mapped pad the left stick (past half-way) and the d-pad.
//
// Defaults (restoreDefaults), for the action masks given: each action on the
// keys of its mask's buttons in the classic table (button 1 Z, 2 X, 3 C, 4 V,
// 5 A, 6 S, 7 right Ctrl, 8 Enter, 9 Space, 10 Esc), plus Left Shift for slow
// and Esc for pause where free; on a pad A shoots, X special, B bomb, Y and
// RB slow, Start pauses.
//
// Thread: main thread only.

#include <array>

#include "engine/platform/input/GamePad.h"
#include "engine/platform/input/Keyboard.h"

namespace veru::dxt::event {

class ButtonMap;

enum class Control { up, down, left, right, shoot, special, bomb, slow, pause, count };
inline constexpr int kControlCount = static_cast<int>(Control::count);

struct Binding {
    std::array<platform::KeyCode, 2> keys{};  // platform::keys::none when unused
    std::array<platform::PadButton, 2> pads{platform::PadButton::none, platform::PadButton::none};
    bool operator==(const Binding&) const = default;
};

class ActionBindings {
  public:
    // The defaults for the default action masks.
    ActionBindings();

    // The table every input device reads; created on first use.
    static ActionBindings& global();

    void restoreDefaults(const ButtonMap& map);
    const Binding& of(Control control) const { return table[index(control)]; }

    // `first` (and `second`) become the control's keys; each is taken off
    // any other control first. False, changing nothing, for a fixed
    // direction key or twice the same key.
    bool setKeys(Control control, platform::KeyCode first,
                 platform::KeyCode second = platform::keys::none);
    // `button` becomes the action's only pad button, taken off any other
    // action. False, changing nothing, for a direction or a d-pad button.
    bool setPadButton(Control control, platform::PadButton button);
    // Both pad buttons at once, as a file stores them; same checks.
    bool setPadButtons(Control control, platform::PadButton first, platform::PadButton second);

    // The control a key or pad button is on; Control::count for none.
    Control controlOfKey(platform::KeyCode key) const;
    Control controlOfPadButton(platform::PadButton button) const;

    // A control's keys and pad buttons each as one number, as the settings
    // file stores them: first + 512 * second for keys, (first + 1) + 32 *
    // (second + 1) for pad buttons (0 for none). restore... take such a
    // number (going through setKeys / setPadButtons); false, changing
    // nothing, for one the control cannot hold.
    int storedKeys(Control control) const;
    int storedPadButtons(Control control) const;
    bool restoreKeys(Control control, int stored);
    bool restorePadButtons(Control control, int stored);
    static bool canHoldKeys(Control control, int stored);
    static bool canHoldPadButtons(Control control, int stored);

    // Cursor keys and numeric-pad 8/2/4/6.
    static bool isFixedKey(platform::KeyCode key);
    static bool isDirection(Control control) { return control < Control::shoot; }
    // The ButtonMap slot of an action (1 shoot ... 5 pause).
    static int slotOf(Control control);

    // The button word of held keys / of a pad's state.
    int keyWord(const platform::KeyStates& held, const ButtonMap& map) const;
    int padWord(const platform::PadState& state, const ButtonMap& map) const;

  private:
    static std::size_t index(Control c) { return static_cast<std::size_t>(c); }
    int bitsOf(Control control, const ButtonMap& map) const;

    std::array<Binding, kControlCount> table;
};

// The classic key of button `bit` (0x10 ... 0x2000); keys::none for other bits.
platform::KeyCode classicKeyOf(int bit);

}  // namespace veru::dxt::event
