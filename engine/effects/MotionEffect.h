#pragma once
// MotionEffect: `count` copies of a texture launched one after another along
// the same path: a motion trail.
//
// Timing: launchAll gives every copy its origin, motion and opacity but
// starts none. update launches the next copy on the frames where its counter
// has reached `interval`, so copy k leaves on update (k + 1) * (interval + 1)
// and first moves on the update after that. Copies not yet launched wait,
// visible, at the origin.
//
// Geometry: the head is the copy that left first and is still alive (the
// origin before any has left); headBounds() is the box around it, which is
// what a blade hits with. bounds() stays around the launch origin.
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
    // Every copy gets the same origin and motion and waits there; update
    // launches them. Calling it again starts the trail afresh.
    void launchAll(int x, int y, double vx, double vy, double ax, double ay);
    // One frame; true once every copy has died.
    bool update();
    // What update would report, without running a frame.
    bool isFinished() const;
    void draw(DirectGraphics& graphics);

    void setHideFinished(bool hide) { hideFinished = hide; }
    void setBounds(int halfWidth, int halfHeight);
    // Half a cell of `picture` less the margins on each axis (see EffectBounds.h).
    void setBoundsFromTexture(const material::Texture* picture, int marginX, int marginY);
    // The box around the launch origin.
    EffectBounds bounds() const;
    int headX() const;
    int headY() const;
    // The box of the same half extents around the head.
    EffectBounds headBounds() const;

    int launchedCount() const { return launched; }
    // Copies launched and not yet dead.
    int inFlightCount() const;
    const std::vector<std::unique_ptr<Particle>>& getCopies() const { return copies; }

  protected:
    // The copy that left first and is still in flight; null when none is.
    const Particle* head() const;

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
