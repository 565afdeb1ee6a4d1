#pragma once
// KintubaGauge: the player's kintuba gauge — an icon on the left, then the
// frame, filled red over its first half of the value and blue over a full
// red bar for the second half. Both bars grow from the frame's left edge.
//
// Pictures: "img/kintuba.ytx" (icon), "img/gauge_red.ytx",
// "img/gauge_blue.ytx", each bar the frame's size.
//
// Ownership, thread, failure: as IGauge.

#include "game/shooting/cmp/IGauge.h"

namespace ml::shooting::cmp {

class KintubaGauge : public IGauge {
  public:
    static constexpr const char16_t* kIconPath = u"img/kintuba.ytx";
    static constexpr const char16_t* kRedPath = u"img/gauge_red.ytx";
    static constexpr const char16_t* kBluePath = u"img/gauge_blue.ytx";

    // `full`: the value of a full gauge (the play status's full gauge, 1000).
    explicit KintubaGauge(int full);
    ~KintubaGauge() override;

    void loadTextures(veru::platform::VideoDevice* device) override;
    void drawBar(veru::dxt::DirectGraphics& graphics) override;
    // Icon width + gap + frame width; the icon's height.
    int width() const override;
    int height() const override;
    // The icon at the left; the frame starts two gaps after the icon.
    void setPosition(int left, int top) override;
    bool update() override { return false; }

    // 1 above half the full value, 0 at or below 0, else value / half: the
    // scale the player's hit area takes from the gauge.
    float ratio() const;

    int getIconX() const { return iconX; }
    int getIconY() const { return iconY; }

  protected:
    // The twin of the second character: another icon, shifted right by `iconShift`.
    KintubaGauge(int full, const char16_t* iconPath, int iconShift);

  private:
    int iconWidth() const;
    int iconHeight() const;

    int gap = 10;
    int half;
    int iconX = 0;
    int iconY = 0;
    const char16_t* iconPath;
    int iconShift;
    std::unique_ptr<veru::dxt::material::Texture> iconTexture;
    std::unique_ptr<veru::dxt::material::Texture> redTexture;
    std::unique_ptr<veru::dxt::material::Texture> blueTexture;
};

}  // namespace ml::shooting::cmp
