#pragma once
// The requests a scene makes of the scene loop after a frame.

namespace veru::dxt {

constexpr int kRequestNone = 0;      // stay in this scene
constexpr int kRequestQuit = 1;      // close the window and leave the loop
constexpr int kRequestNext = 2;      // the manager's next
constexpr int kRequestPrevious = 3;  // the manager's previous
constexpr int kRequestJump = 4;      // the manager's jump to the request argument

}  // namespace veru::dxt
