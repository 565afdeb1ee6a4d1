#pragma once
// BossGauge: the boss's hit-point gauge — three layers of one third of the
// hit points each (red lowest, then blue, then yellow), every bar keeping its
// right end at the frame's right edge — with a fill-up from empty to full
// before the battle.
//
// Fill-up: each update adds max(1, hp / 100) until the full hit points are
// reached, about 100 updates. update() is true from the update on which the
// fill-up completes and on every update after it, so a caller that also
// waits for something else (the boss face) cannot miss it.
//
// Pictures: "img/gauge_red.ytx", "img/gauge_blue.ytx", "img/gauge_yellow.ytx",
// each the frame's size.
//
// Ownership, thread, failure: as IGauge.

#include "game/shooting/cmp/IGauge.h"

namespace ml::shooting::cmp {

class BossGauge : public IGauge {
  public:
    static constexpr const char16_t* kRedPath = u"img/gauge_red.ytx";
    static constexpr const char16_t* kBluePath = u"img/gauge_blue.ytx";
    static constexpr const char16_t* kYellowPath = u"img/gauge_yellow.ytx";

    // `hp`: the boss's full hit points.
    explicit BossGauge(int hp);
    ~BossGauge() override;

    void loadTextures(veru::platform::VideoDevice* device) override;
    void drawBar(veru::dxt::DirectGraphics& graphics) override;
    // Advances the fill-up; true once it is complete (see above).
    bool update() override;

    bool isFilled() const { return fillLevel < 0; }
    // The level shown during the fill-up; -1 once it is over.
    int getFillLevel() const { return fillLevel; }
    int getFillStep() const { return fillStep; }
    float getThird() const { return third; }

  private:
    int fillLevel = 0;
    int fillStep;
    float third;
    std::unique_ptr<veru::dxt::material::Texture> redTexture;
    std::unique_ptr<veru::dxt::material::Texture> blueTexture;
    std::unique_ptr<veru::dxt::material::Texture> yellowTexture;
};

}  // namespace ml::shooting::cmp
