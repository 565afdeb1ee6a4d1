#pragma once
// GamePad: one attached game pad, read either through SDL's game-controller
// layer (every pad SDL knows how to map: its own database, mapping files
// added with addMappingsFromFile, and SDL_GAMECONTROLLERCONFIG) or, for a pad
// SDL cannot map, as raw axes, buttons and the first hat.
//
// Mapped pads report named buttons (PadButton: A is the bottom face button
// whatever the pad prints on it) and the left stick; raw pads report axes 0
// and 1, buttons 0-9 and their first hat. Sticks are scaled from SDL's
// -32768..32767 to -1000..1000. Pads may be plugged in and pulled out at any
// time: the state is queried directly from SDL (no events needed), and a pad
// that went away reads as detached.
//
// Ownership: owns the open SDL device.
// Thread: main thread. The joystick and game-controller parts of SDL must
// be started (an InputSystem).

#include <bitset>
#include <memory>
#include <string>
#include <vector>

namespace veru::platform {

// The buttons of a mapped pad, numbered as SDL numbers them, with the two
// triggers after them (pressed when pulled a third of the way).
enum class PadButton : int {
    none = -1,
    a = 0,
    b,
    x,
    y,
    back,
    guide,
    start,
    leftStick,
    rightStick,
    leftShoulder,
    rightShoulder,
    dpadUp,
    dpadDown,
    dpadLeft,
    dpadRight,
    misc,
    paddle1,
    paddle2,
    paddle3,
    paddle4,
    touchpad,
    leftTrigger,
    rightTrigger,
    count
};
inline constexpr int kPadButtonCount = static_cast<int>(PadButton::count);
// Raw buttons read from a pad SDL cannot map.
inline constexpr int kRawButtonCount = 10;

// How the pad's maker labels its buttons, from what SDL tells of the pad.
enum class PadStyle { xbox, playstation, nintendo, unmapped };

struct PadState {
    bool mapped = false;
    int x = 0;  // left stick, or raw axis 0
    int y = 0;  // left stick, or raw axis 1
    // Mapped: held by PadButton. Raw: buttons 0-9, then the hat's up, down,
    // left and right at kRawHatUp ... kRawHatUp + 3.
    std::bitset<kPadButtonCount> buttons;
    bool held(PadButton b) const { return b != PadButton::none && buttons.test(index(b)); }
    static std::size_t index(PadButton b) { return static_cast<std::size_t>(b); }
};
inline constexpr int kRawHatUp = kRawButtonCount;

class GamePad {
  public:
    GamePad();
    ~GamePad();
    GamePad(const GamePad&) = delete;
    GamePad& operator=(const GamePad&) = delete;

    // Instance ids of the pads attached now (looks for newly plugged ones
    // first); an id stays the same while its pad is attached.
    static std::vector<int> attachedIds();
    // Adds the pad mappings of a database file (one pad a line, SDL's
    // format); a missing file adds nothing. The count added, or -1 for a
    // file SDL could not read.
    static int addMappingsFromFile(const std::u16string& path);
    // The name the pad's maker gives a button ("A", "Cross", "RB"), for a
    // mapped pad of that style; "Button-n" for a raw button n (0-based) of an
    // unmapped pad. Empty for PadButton::none.
    static std::string buttonName(PadButton button, PadStyle style);
    static std::string rawButtonName(int index);
    // A name for files that stays the same for every pad ("a", "start",
    // "righttrigger"); PadButton::none for an unknown one.
    static std::string buttonId(PadButton button);
    static PadButton buttonFromId(const std::string& id);

    // Opens the attached pad with this instance id; false when it will not
    // open (or is gone).
    bool open(int instanceId);
    void close();
    bool isOpen() const;
    // False when no pad is open or it has been pulled out.
    bool isAttached() const;
    int instanceId() const;
    std::string name() const;
    PadStyle style() const;
    // Fresh state of the open pad; false (and an empty state) when it is gone.
    bool read(PadState& state);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle;
};

}  // namespace veru::platform
