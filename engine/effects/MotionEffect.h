#pragma once
// MotionEffect: `count` copies of a texture launched one after another,
// every `interval` + 1 frames, along the same path: a motion trail.
// Copies not yet launched wait, visible, at the origin.
//
// Ownership: owns its copies; the texture is shared and borrowed.
// Thread: main thread only.

#include <memory>
#include <vector>

#include "engine/effects/EffectBounds.h"
#include "engine/effects/Particle.h"

namespace veru::dxt::effect2D {

class MotionEffect {
  public:
    MotionEffect(int count, int interval);
    virtual ~MotionEffect();
    MotionEffect(const MotionEffect&) = delete;
    MotionEffect& operator=(const MotionEffect&) = delete;

    // Gives copy `index` its opacity.
    virtual void setCopyAlpha(int index, int alpha, Particle& copy) = 0;

    void createCopies(material::Texture* texture, int life, int angle);
    // Every copy gets the same origin and motion; the first starts at once.
    void launchAll(int x, int y, double vx, double vy, double ax, double ay);
    // One frame; true once every copy has died.
    bool update();
    void draw(DirectGraphics& graphics);

    void setHideFinished(bool hide) { hideFinished = hide; }
    void setBounds(int halfWidth, int halfHeight);
    EffectBounds bounds() const;
    int launchedCount() const { return launched; }
    const std::vector<std::unique_ptr<Particle>>& getCopies() const { return copies; }

  protected:
    bool hideFinished = true;
    int counter = 0;
    int launched = 0;
    int x = 0;
    int y = 0;
    int count;
    int interval;
    int halfWidth = 0;
    int halfHeight = 0;
    std::vector<bool> launchedFlags;
    std::vector<std::unique_ptr<Particle>> copies;
};

}  // namespace veru::dxt::effect2D
