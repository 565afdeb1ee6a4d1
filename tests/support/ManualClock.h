#pragma once
// A frame clock that never really sleeps: a sleep moves its time forward,
// so a paced loop runs as fast as the machine allows and every frame still
// sees the times it would see in real play.

#include <cstdint>
#include <vector>

#include "engine/scene/FrameClock.h"

namespace mirelune::test {

class ManualClock : public veru::dxt::FrameClock {
  public:
    std::uint32_t now() override { return time; }
    void sleep(std::uint32_t ms) override {
        sleeps.push_back(ms);
        time += ms;
    }
    std::uint32_t time = 5000;
    std::vector<std::uint32_t> sleeps;
};

}  // namespace mirelune::test
