#pragma once
// DrawParticles: a burst emitter. Every `interval` + 1 frames it throws
// `perBurst` particles of its texture from its position, each with a speed
// and size drawn from its candidate tables, fading and shrinking them as set
// by setFade. Subclasses choose the directions (emit) and check the set-up
// values (validate).
//
// Ownership: owns its particles; the texture is borrowed unless given with
// owns = true.
// Thread: main thread only.
// Failure: setup shows a bad set-up in an error box (caption "エラー") and
// carries on with still, unscaled particles; setFade throws
// IllegalArgumentException for a rest time above the life.

#include <memory>
#include <vector>

#include "engine/effects/EffectBounds.h"
#include "engine/effects/Particle.h"

namespace veru::dxt::effect2D {

class DrawParticles {
  public:
    DrawParticles();
    virtual ~DrawParticles();
    DrawParticles(const DrawParticles&) = delete;
    DrawParticles& operator=(const DrawParticles&) = delete;

    // Creates one particle and adds it to the list.
    virtual void emit() = 0;
    // Throws IllegalArgumentException when the set-up values do not fit.
    virtual void validate(double vxs0, double vxs1, double vys0, double vys1, float sc0,
                          float sc1) = 0;
    // Position, speed ranges (magnitudes), acceleration and scale range.
    virtual void setup(int x, int y, double vxs0, double vxs1, double vys0, double vys1, double ax,
                       double ay, float sc0, float sc1);

    void setFade(int decre_alpha, int alpha_rest_frame, int scale_rest_frame, float decre_scale);
    void setFade(int decre_alpha, int rest_frame, float decre_scale);
    // Replaces the texture (destroying one it owned). The texture it already
    // owns, given again, stays owned whatever `owns` says.
    void setTexture(material::Texture* texture, bool owns = false);
    // Life of each particle, particles per burst, frames between bursts.
    void setEmission(int exist_frame, int perBurst, int interval);
    void setPosition(int x, int y);
    // The emitter's position: where new particles start and what bounds() surrounds.
    int getX() const { return x; }
    int getY() const { return y; }
    // No more bursts; update reports the end once the last particle died.
    void stop() { stopped = true; }
    bool isStopped() const { return stopped; }
    void setBounds(int halfWidth, int halfHeight);
    // Half a cell of `picture` less the margins on each axis (see EffectBounds.h).
    void setBoundsFromTexture(const material::Texture* picture, int marginX, int marginY);
    EffectBounds bounds() const;

    // One frame; true once stopped and every particle has died.
    bool update();
    // What update would report, without running a frame.
    bool isFinished() const { return stopped && particles.empty(); }
    // Draws every particle centred on its position.
    void draw(DirectGraphics& graphics);

    std::size_t particleCount() const { return particles.size(); }
    const std::vector<std::unique_ptr<Particle>>& getParticles() const { return particles; }
    const std::vector<float>& scaleTable() const { return scales; }
    const std::vector<double>& xSpeedTable() const { return xSpeeds; }
    const std::vector<double>& ySpeedTable() const { return ySpeeds; }

  protected:
    bool stopped = false;
    int exist_frame = 30;
    int perBurst = 1;
    int interval = 0;
    int counter = 0;
    int x = 0;
    int y = 0;
    double ax = 0;
    double ay = 0;
    int decre_alpha = 0;
    float decre_scale = 0.0f;
    int alpha_rest_frame = -1;
    int scale_rest_frame = -1;
    int halfWidth = 0;
    int halfHeight = 0;
    std::unique_ptr<material::Texture> ownedTexture;
    material::Texture* texture = nullptr;
    std::vector<std::unique_ptr<Particle>> particles;
    std::vector<float> scales;
    std::vector<double> xSpeeds;
    std::vector<double> ySpeeds;
};

}  // namespace veru::dxt::effect2D
