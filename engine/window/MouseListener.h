#pragma once
// Listeners a frame passes mouse presses and wheel turns to.

namespace veru::awt::event {

class MouseListener {
  public:
    virtual ~MouseListener() = default;
    // button: 1 left, 2 right; count: presses in a row.
    virtual void mousePressed(int x, int y, int button, int count) = 0;
};

class MouseWheelListener {
  public:
    virtual ~MouseWheelListener() = default;
    // rotation: notches, positive away from the player.
    virtual void mouseWheelMoved(int rotation) = 0;
};

}  // namespace veru::awt::event
