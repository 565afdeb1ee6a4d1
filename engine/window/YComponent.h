#pragma once
// YComponent: a component that is updated once per frame and paints itself.
//
// Thread: main thread only.

#include "engine/window/BaseComponent.h"

namespace veru::dxt {
class DirectGraphics;
}

namespace veru::awt {

class YComponent : public BaseComponent {
  public:
    ~YComponent() override = default;
    // Advances the component by one frame; nothing by default.
    virtual void update() {}
    // Draws the component inside its rectangle.
    virtual void paint(dxt::DirectGraphics& graphics) = 0;
};

}  // namespace veru::awt
