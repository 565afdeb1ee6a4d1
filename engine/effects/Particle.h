#pragma once
// Particle: one moving copy of a texture, with a life in frames and an
// optional fade of its opacity and size towards the end of that life.
//
// After n updates a launched particle stands at origin + n * v +
// a * (n^2 + 1) / 2 on each axis. It dies on the update after its life.
//
// Ownership: the texture is borrowed unless taken with setOwnedTexture.
// Thread: main thread only.
// Failure: setFade throws IllegalArgumentException for a rest time above the
// life or a decrement out of range; the fade it concerns is then off.

#include <memory>

#include "engine/graphics/BlendMode.h"

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}

namespace veru::dxt::effect2D {

class Particle {
  public:
    Particle(int life, float scale);
    ~Particle();
    Particle(const Particle&) = delete;
    Particle& operator=(const Particle&) = delete;

    void launch(double vx, double vy, double ax, double ay, int originX, int originY);
    // Opacity falls by decre_alpha per frame over the last alpha_rest_frame
    // frames of life, the scale by decre_scale over the last
    // scale_rest_frame; a negative rest time means never.
    void setFade(int decre_alpha, int alpha_rest_frame, int scale_rest_frame, float decre_scale);
    // One frame; true when the particle died in it.
    bool update();
    // Queues (when `deferred`) or draws its quad at once, with the particle's
    // alpha; the texture's own alpha is left as it was.
    void draw(DirectGraphics& graphics);

    void setTexture(material::Texture* picture) { texture = picture; }
    void setOwnedTexture(std::unique_ptr<material::Texture> picture);
    material::Texture* getTexture() const { return texture; }

    bool dead = false;
    bool deferred = true;
    int originX = 0, originY = 0;
    double vx = 0, vy = 0;
    double ax = 0, ay = 0;
    int angle = 0;
    int x = 0, y = 0;
    double moveX = 0, moveY = 0;
    double curveX = 0, curveY = 0;
    double stepX = 0, stepY = 0;
    double accelX = 0, accelY = 0;
    int alpha = 255;
    int decre_alpha = 0;
    float scale;
    float decre_scale = 0.0f;
    int alphaStart = -1;
    int scaleStart = -1;
    int exist_frame;
    int age = 0;
    int blend = BlendAdd;

  private:
    std::unique_ptr<material::Texture> ownedTexture;
    material::Texture* texture = nullptr;
};

}  // namespace veru::dxt::effect2D
