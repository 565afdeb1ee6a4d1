#pragma once
// IParts: a picture on the screen that a subclass shows and hides over
// several frames (a caption). Drawn centred at (x, y) unless hidden.
//
// Phases: 1 hidden; the others belong to the subclass.
// Ownership: owns its picture.
// Thread: main thread only.

#include <memory>

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}

namespace ml::shooting::cmp {

class IParts {
  public:
    static constexpr int kPhaseHidden = 1;

    IParts(int x, int y);
    virtual ~IParts();
    IParts(const IParts&) = delete;
    IParts& operator=(const IParts&) = delete;

    // Once per frame.
    virtual bool update() = 0;
    // Queues the picture centred at (x, y) unless hidden (or not loaded).
    virtual void draw(veru::dxt::DirectGraphics& graphics);

    int getPhase() const { return phase; }
    int getCount() const { return count; }
    int getX() const { return x; }
    int getY() const { return y; }
    veru::dxt::material::Texture* getTexture() const { return texture.get(); }

  protected:
    int x;
    int y;
    int reserved1 = 0;
    int reserved2 = 0;
    int count = 0;
    int phase = kPhaseHidden;
    std::unique_ptr<veru::dxt::material::Texture> texture;
};

}  // namespace ml::shooting::cmp
