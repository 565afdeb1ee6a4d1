#pragma once
// MenuEntries: the pictures and the selection of a small vertical menu over
// the frozen stage — a translucent black shade over the whole screen, then
// the entries centred one under the other around the screen's middle, each
// drawn with its selected picture when chosen and its normal one otherwise.
//
// Up and down (bits 1 and 2 of the button word) move the selection once per
// press, wrapping at both ends.
//
// Held buttons: latchHeld() at opening arms the menu's HeldButtonLatch, so a
// shot still held from the play never confirms an entry by itself.
//
// Ownership: owns every picture.
// Thread: main thread only.
// Failure: load throws what Texture::load throws (FileNotFoundException for
// a missing picture); a menu without entries draws only the shade.

#include <memory>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "engine/input/HeldButtonLatch.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}

namespace ml::shooting::cmp {

class MenuEntries {
  public:
    static constexpr int kShadeAlpha = 50;

    // (normal picture, selected picture) per entry, in entry order.
    using Paths = std::vector<std::pair<const char16_t*, const char16_t*>>;

    MenuEntries(int screenWidth, int screenHeight);
    ~MenuEntries();
    MenuEntries(const MenuEntries&) = delete;
    MenuEntries& operator=(const MenuEntries&) = delete;

    // The shade, then each entry's normal and selected picture in order.
    void load(veru::platform::VideoDevice* device, const Paths& paths);
    // The next freshButtons() call notes the buttons held at that moment.
    void latchHeld() { latch.arm(); }
    // `buttons` without those still held since the menu opened.
    int freshButtons(int buttons) { return latch.filter(buttons); }
    // One frame of up/down; edge-latched.
    void readUpDown(int buttons);
    // The shade, `title` (may be null) centred above the first entry, the entries.
    void draw(veru::dxt::DirectGraphics& graphics, veru::dxt::material::Texture* title);

    int getSelection() const { return selection; }
    void setSelection(int entry) { selection = entry; }
    int size() const { return static_cast<int>(normalTextures.size()); }
    // The centre y of the first entry.
    int firstEntryY() const;

  private:
    veru::dxt::event::HeldButtonLatch latch;
    bool upHeld = false;
    bool downHeld = false;
    int selection = 0;
    int screenWidth;
    int screenHeight;
    std::unique_ptr<veru::dxt::material::Texture> shadeTexture;
    std::vector<std::unique_ptr<veru::dxt::material::Texture>> normalTextures;
    std::vector<std::unique_ptr<veru::dxt::material::Texture>> selectedTextures;
};

}  // namespace ml::shooting::cmp
