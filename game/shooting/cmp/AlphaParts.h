#pragma once
// AlphaParts: a caption that fades in, holds, stays shown until told to fade
// out, then hides again.
//
// Phases: 1 hidden, 2 fading in (alpha += fadeInStep per update), 4 holding
// (holdFrames updates), 3 shown with the hold over — update() is true in
// this phase, on every update, until startFadeOut() — and 5 fading out
// (alpha -= fadeOutStep per update), back to 1.
//
// Ownership: owns its picture.
// Thread: main thread only.
// Failure: load throws what Texture::load throws (FileNotFoundException for
// a missing picture). A step of 0 or less is taken as 1, so a fade always ends.

#include "engine/core/YString.h"
#include "game/shooting/cmp/IParts.h"

namespace veru::platform {
class VideoDevice;
}

namespace ml::shooting::cmp {

class AlphaParts : public IParts {
  public:
    static constexpr int kPhaseFadingIn = 2;
    static constexpr int kPhaseShown = 3;
    static constexpr int kPhaseHolding = 4;
    static constexpr int kPhaseFadingOut = 5;

    AlphaParts(int x, int y, int fadeInStep, int fadeOutStep, int holdFrames);
    ~AlphaParts() override;

    // Loads the picture, fully transparent.
    void load(veru::platform::VideoDevice* device, const veru::YString& path);
    void startFadeIn();
    void startFadeOut();
    bool isHidden() const { return phase == kPhaseHidden; }
    // True in phase 3 (the hold is over).
    bool update() override;

  private:
    void setAlpha(int alpha);

    int fadeInStep;
    int fadeOutStep;
    int holdFrames;
};

}  // namespace ml::shooting::cmp
