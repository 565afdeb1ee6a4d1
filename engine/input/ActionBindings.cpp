#include "engine/input/ActionBindings.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <optional>

#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"

namespace veru::dxt::event {

using platform::KeyCode;
using platform::PadButton;
namespace keys = platform::keys;

namespace {

// Buttons 1-10 of the word and the keys that have always set them.
constexpr KeyCode kClassicKeys[] = {keys::z,     keys::x,     keys::c,         keys::v,
                                    keys::a,     keys::s,     keys::rightCtrl, keys::enter,
                                    keys::space, keys::escape};

// The directions: their bits, fixed keys, and the pad's d-pad buttons.
struct DirectionInput {
    int bit;
    KeyCode arrow;
    KeyCode numpad;
    PadButton dpad;
};
constexpr DirectionInput kDirections[] = {
    {kButtonUp, keys::up, keys::pad8, PadButton::dpadUp},
    {kButtonDown, keys::down, keys::pad2, PadButton::dpadDown},
    {kButtonLeft, keys::left, keys::pad4, PadButton::dpadLeft},
    {kButtonRight, keys::right, keys::pad6, PadButton::dpadRight},
};

// A stick counts as a direction beyond half deflection (of 1000).
constexpr int kStickThreshold = 500;

// The default pad buttons and the extra key of each action.
struct ActionDefault {
    Control control;
    PadButton pads[2];
    KeyCode extraKey;
};
constexpr ActionDefault kActionDefaults[] = {
    {Control::shoot, {PadButton::a, PadButton::none}, keys::none},
    {Control::special, {PadButton::x, PadButton::none}, keys::none},
    {Control::bomb, {PadButton::b, PadButton::none}, keys::none},
    {Control::slow, {PadButton::y, PadButton::rightShoulder}, keys::leftShift},
    {Control::pause, {PadButton::start, PadButton::none}, keys::escape},
};

bool isDpad(PadButton b) {
    return b == PadButton::dpadUp || b == PadButton::dpadDown || b == PadButton::dpadLeft ||
           b == PadButton::dpadRight;
}

int directionBits(int x, int y, bool up, bool down, bool left, bool right) {
    int bits = 0;
    if (y < -kStickThreshold || up)
        bits |= kButtonUp;
    if (y > kStickThreshold || down)
        bits |= kButtonDown;
    if (x < -kStickThreshold || left)
        bits |= kButtonLeft;
    if (x > kStickThreshold || right)
        bits |= kButtonRight;
    return bits;
}

}  // namespace

KeyCode classicKeyOf(int bit) {
    for (std::size_t i = 0; i < std::size(kClassicKeys); ++i) {
        if (bit == kFirstButton << i)
            return kClassicKeys[i];
    }
    return keys::none;
}

ActionBindings::ActionBindings() {
    ButtonMap defaults;
    for (int slot = ButtonMap::kShoot; slot <= ButtonMap::kPause; ++slot)
        defaults.setMask(slot, ButtonMap::defaultMask(slot));
    restoreDefaults(defaults);
}

ActionBindings& ActionBindings::global() {
    static ActionBindings bindings;
    return bindings;
}

void ActionBindings::restoreDefaults(const ButtonMap& map) {
    table.fill(Binding{});
    for (const ActionDefault& d : kActionDefaults) {
        Binding& b = table[index(d.control)];
        b.pads = {d.pads[0], d.pads[1]};
        int mask = map.mask(slotOf(d.control));
        if (mask == 0)  // an action on nothing would be lost for good
            mask = ButtonMap::defaultMask(slotOf(d.control));
        std::size_t used = 0;
        for (int bit = kFirstButton; bit <= kLastButton && used < b.keys.size(); bit <<= 1) {
            if (mask & bit)
                b.keys[used++] = classicKeyOf(bit);
        }
    }
    // The extra keys go where they are still free.
    for (const ActionDefault& d : kActionDefaults) {
        Binding& b = table[index(d.control)];
        if (d.extraKey != keys::none && b.keys[1] == keys::none && b.keys[0] != d.extraKey &&
            controlOfKey(d.extraKey) == Control::count)
            b.keys[1] = d.extraKey;
    }
}

namespace {

// Makes `first` and `second` the pair `member` of `owner`, after taking each
// off every binding that has it (the rest close up to the front).
template <typename T, std::size_t N>
void movePair(std::array<Binding, N>& table, std::array<T, 2> Binding::*member, Binding& owner,
              T first, T second, T none) {
    for (Binding& other : table) {
        auto& pair = other.*member;
        for (T& item : pair) {
            if (item != none && (item == first || item == second))
                item = none;
        }
        if (pair[0] == none)
            std::swap(pair[0], pair[1]);
    }
    owner.*member = {first, second};
}

// A pair may leave its second place empty, but not its first, and may not
// hold one thing twice.
template <typename T>
bool isPair(T first, T second, T none) {
    return (first != none || second == none) && (first != second || first == none);
}

// How pairs are packed into one stored number.
constexpr int kKeyBase = platform::kKeyCodeCount;
constexpr int kPadBase = 32;
static_assert(platform::kPadButtonCount < kPadBase);

struct KeyPair {
    KeyCode first, second;
};
struct PadPair {
    PadButton first, second;
};

std::optional<KeyPair> unpackKeys(int stored) {
    if (stored < 0 || stored >= kKeyBase * kKeyBase)
        return std::nullopt;
    return KeyPair{stored % kKeyBase, stored / kKeyBase};
}

std::optional<PadPair> unpackPads(int stored) {
    if (stored < 0 || stored >= kPadBase * kPadBase)
        return std::nullopt;
    const int first = stored % kPadBase - 1;
    const int second = stored / kPadBase - 1;
    if (first >= platform::kPadButtonCount || second >= platform::kPadButtonCount)
        return std::nullopt;
    return PadPair{static_cast<PadButton>(first), static_cast<PadButton>(second)};
}

bool keysFit(Control control, KeyCode first, KeyCode second) {
    return control != Control::count && !ActionBindings::isFixedKey(first) &&
           !ActionBindings::isFixedKey(second) && first >= 0 && first < kKeyBase && second >= 0 &&
           second < kKeyBase && isPair(first, second, keys::none);
}

bool padsFit(Control control, PadButton first, PadButton second) {
    return control != Control::count && !ActionBindings::isDirection(control) && !isDpad(first) &&
           !isDpad(second) && isPair(first, second, PadButton::none);
}

}  // namespace

bool ActionBindings::setKeys(Control control, KeyCode first, KeyCode second) {
    if (!keysFit(control, first, second))
        return false;
    movePair(table, &Binding::keys, table[index(control)], first, second, keys::none);
    return true;
}

bool ActionBindings::setPadButton(Control control, PadButton button) {
    return setPadButtons(control, button, PadButton::none);
}

bool ActionBindings::setPadButtons(Control control, PadButton first, PadButton second) {
    if (!padsFit(control, first, second))
        return false;
    movePair(table, &Binding::pads, table[index(control)], first, second, PadButton::none);
    return true;
}

int ActionBindings::storedKeys(Control control) const {
    const auto& k = of(control).keys;
    return k[0] + kKeyBase * k[1];
}

int ActionBindings::storedPadButtons(Control control) const {
    const auto& p = of(control).pads;
    return (static_cast<int>(p[0]) + 1) + kPadBase * (static_cast<int>(p[1]) + 1);
}

bool ActionBindings::canHoldKeys(Control control, int stored) {
    const auto pair = unpackKeys(stored);
    return pair && keysFit(control, pair->first, pair->second);
}

bool ActionBindings::canHoldPadButtons(Control control, int stored) {
    const auto pair = unpackPads(stored);
    return pair && padsFit(control, pair->first, pair->second);
}

bool ActionBindings::restoreKeys(Control control, int stored) {
    const auto pair = unpackKeys(stored);
    return pair && setKeys(control, pair->first, pair->second);
}

bool ActionBindings::restorePadButtons(Control control, int stored) {
    const auto pair = unpackPads(stored);
    return pair && setPadButtons(control, pair->first, pair->second);
}

Control ActionBindings::controlOfKey(KeyCode key) const {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (key != keys::none && std::ranges::find(table[i].keys, key) != table[i].keys.end())
            return static_cast<Control>(i);
    }
    return Control::count;
}

Control ActionBindings::controlOfPadButton(PadButton button) const {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (button != PadButton::none &&
            std::ranges::find(table[i].pads, button) != table[i].pads.end())
            return static_cast<Control>(i);
    }
    return Control::count;
}

bool ActionBindings::isFixedKey(KeyCode key) {
    return std::ranges::any_of(
        kDirections, [key](const DirectionInput& d) { return key == d.arrow || key == d.numpad; });
}

int ActionBindings::slotOf(Control control) {
    return static_cast<int>(control) - static_cast<int>(Control::shoot) + ButtonMap::kShoot;
}

int ActionBindings::bitsOf(Control control, const ButtonMap& map) const {
    if (isDirection(control))
        return kDirections[index(control)].bit;
    return map.mask(slotOf(control));
}

int ActionBindings::keyWord(const platform::KeyStates& held, const ButtonMap& map) const {
    auto isHeld = [&held](KeyCode key) {
        return key != keys::none && held.test(static_cast<std::size_t>(key));
    };
    int bits = 0;
    for (const DirectionInput& d : kDirections) {
        if (isHeld(d.arrow) || isHeld(d.numpad))
            bits |= d.bit;
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (std::ranges::any_of(table[i].keys, isHeld))
            bits |= bitsOf(static_cast<Control>(i), map);
    }
    return bits & kWordBits;
}

int ActionBindings::padWord(const platform::PadState& state, const ButtonMap& map) const {
    if (!state.mapped) {
        // A pad nobody knows the layout of: its first ten buttons are the
        // word's ten buttons, the stick and the first hat the directions.
        const auto hat = [&state](int d) {
            return state.buttons.test(static_cast<std::size_t>(platform::kRawHatUp + d));
        };
        int bits = directionBits(state.x, state.y, hat(0), hat(1), hat(2), hat(3));
        for (int i = 0; i < platform::kRawButtonCount; ++i) {
            if (state.buttons.test(static_cast<std::size_t>(i)))
                bits |= kFirstButton << i;
        }
        return bits;
    }
    int bits = directionBits(state.x, state.y, state.held(PadButton::dpadUp),
                             state.held(PadButton::dpadDown), state.held(PadButton::dpadLeft),
                             state.held(PadButton::dpadRight));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& pads = table[i].pads;
        if (std::ranges::any_of(pads, [&state](PadButton b) { return state.held(b); }))
            bits |= bitsOf(static_cast<Control>(i), map);
    }
    return bits & kWordBits;
}

}  // namespace veru::dxt::event
