#pragma once
// StageTalk: the two speakers of a stage's talk phases — side 1 (the
// player, left) and side 2 (the other speaker, right), each a portrait and
// a talk box — and the talk statements of the stage script that drive them.
//
// The scene hands each talk step to runStep and calls update once per
// frame of the talk phase; update tells the scene when the script may take
// its next line and when the talk is over.
//
// A talk box whose side has no visible portrait still waits for the shot
// button and fades out: otherwise a line for a side the script never showed
// would keep the stage waiting for ever.
//
// Ownership: owns the portraits and the talk boxes; the portraits borrow
// the steps' pictures from the stage's picture table, which must outlive them.
// Thread: main thread only.
// Failure: the constructor throws what loading the balloon pictures
// ("img/player_ta.ytx", "img/enemy_ta.ytx") throws.

#include <memory>

#include "engine/core/YString.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}
namespace ml::shooting::cmp {
class TalkBox;
class TalkPortrait;
}  // namespace ml::shooting::cmp

namespace ml {

struct StageStep;

class StageTalk {
  public:
    StageTalk(veru::platform::VideoDevice* device, int screenWidth, int screenHeight);
    ~StageTalk();
    StageTalk(const StageTalk&) = delete;
    StageTalk& operator=(const StageTalk&) = delete;

    // One talk step ("}", "Init", "1P_Image"/"2P_Image", "1P_Talk"/"2P_Talk");
    // true when the script waits after it. Any other step does nothing and
    // does not wait.
    bool runStep(const StageStep& step);
    // One frame of the talk phase. `scriptWaiting` is cleared when the
    // script may take its next line; returns true when both speakers have
    // left (the scene then ends the talk).
    bool update(int buttons, bool& scriptWaiting);
    // Both portraits and both boxes back to nothing.
    void clear();
    void draw(veru::dxt::DirectGraphics& graphics);

    shooting::cmp::TalkPortrait& portrait(int side) const {
        return side == 1 ? *portrait1 : *portrait2;
    }
    shooting::cmp::TalkBox& box(int side) const { return side == 1 ? *talkBox1 : *talkBox2; }

  private:
    void show(int side, veru::dxt::material::Texture* picture);
    void speak(int side, const veru::YString& text);

    std::unique_ptr<shooting::cmp::TalkPortrait> portrait1;
    std::unique_ptr<shooting::cmp::TalkPortrait> portrait2;
    std::unique_ptr<shooting::cmp::TalkBox> talkBox1;
    std::unique_ptr<shooting::cmp::TalkBox> talkBox2;
};

}  // namespace ml
