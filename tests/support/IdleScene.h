#pragma once
// A scene that loads nothing and does nothing: for tests of the scene
// manager, the loop's request handling and whatever hangs off a switch.

#include "engine/scene/Scene.h"

namespace mirelune::test {

class IdleScene : public veru::dxt::Scene {
  public:
    using Scene::Scene;
    void reset() override {}
    bool create(veru::platform::Window*, veru::platform::VideoDevice*) override { return true; }
    void update(veru::dxt::event::InputInterface*) override {}
    void draw(veru::platform::VideoDevice*) override {}
    void release() override {}
};

}  // namespace mirelune::test
