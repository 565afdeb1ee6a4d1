#pragma once
// ScriptedInput: an input interface that plays back a script of button words
// by frame, for tests and demos. Frame 0 is the first poll.
//
// set(f, w): from frame f on, poll returns w (until a later step).
// press(f, w, n): the bits of w are held in frames f ... f+n-1, on top of
// whatever the script holds there.
//
// Thread: main thread.

#include <initializer_list>
#include <map>
#include <utility>

#include "engine/input/InputInterface.h"

namespace veru::dxt::event {

class ScriptedInput : public virtual InputInterface {
  public:
    ScriptedInput() = default;
    // Steps of (frame, word), as set() takes them.
    ScriptedInput(std::initializer_list<std::pair<int, int>> steps);

    bool setup(platform::InputSystem*, platform::Window*) override { return true; }
    int poll() override;

    void set(int frame, int buttons);
    void press(int frame, int buttons, int length = 1);
    // The word frame `frame` gives.
    int wordAt(int frame) const;
    // Polls so far (the frame the next poll reads).
    int getFrame() const { return frame; }
    void rewind() { frame = 0; }

  private:
    std::map<int, int> steps;
    int frame = 0;
};

}  // namespace veru::dxt::event
