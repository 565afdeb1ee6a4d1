#pragma once
// ScoreDisplay: a label ("Score-", "Hi Score-") and the value after it in
// eight digits with leading zeros (more digits from 100,000,000), counting
// up towards its target in steps of 1/32 of the distance (at least 1).
//
// Placed by its top-left corner; the label and the digits are white text of
// size 15 in the engine's default face, rasterised once at load; the digits
// stand 10 pixels apart after the label.
//
// Ownership: owns its pictures; borrows the device for load only.
// Thread: main thread only.
// Failure: load returns false when a text picture cannot be made (no font);
// the display then draws nothing. Targets are kept within the int range
// (adding past the largest value stops there).

#include <array>
#include <memory>

#include "engine/core/YString.h"

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

class ScoreDisplay {
  public:
    static constexpr int kFontSize = 15;
    static constexpr std::uint32_t kColour = 0xFFFFFFFFu;
    static constexpr int kDigitAdvance = 10;

    ScoreDisplay();
    ~ScoreDisplay();
    ScoreDisplay(const ScoreDisplay&) = delete;
    ScoreDisplay& operator=(const ScoreDisplay&) = delete;

    void setLabel(const veru::YString& text) { label = text; }
    bool load(veru::platform::VideoDevice* device);
    // Shows `v` at once.
    void setValue(int v);
    // Counts up by `n` more.
    void addPoints(int n);
    // Counts towards `v`.
    void setTarget(int v);
    // One step of the count; always false.
    bool update();
    void draw(veru::dxt::DirectGraphics& graphics);

    // The label picture's width + 80 (eight digits).
    int width() const;
    void setPosition(int px, int py) {
        x = px;
        y = py;
    }
    int getX() const { return x; }
    int getY() const { return y; }
    int getTarget() const { return target; }
    int getShown() const { return shown; }
    int getStep() const { return step; }
    const veru::YString& getText() const { return text; }

    // `value` in eight digits with leading zeros.
    static veru::YString digitsOf(int value);

  private:
    void takeStep();

    int x = 0;
    int y = 0;
    int target = 0;
    int shown = 0;
    int step = 0;
    veru::YString text;
    veru::YString label;
    std::unique_ptr<veru::dxt::material::Texture> labelTexture;
    std::array<std::unique_ptr<veru::dxt::material::Texture>, 10> digitTextures;
};

}  // namespace ml::shooting::cmp
