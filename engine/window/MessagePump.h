#pragma once
// pumpOne: handles at most one waiting window event, without waiting.
//
// Returns false when the loop should end: the window was closed or the game
// was asked to quit (and from then on). With no event waiting it returns
// the frame's `running` flag. Events reach the frame's handleMessage while
// it is `listening`.
//
// Thread: main thread only.

namespace veru::awt {

class BaseFrame;

bool pumpOne(BaseFrame* frame);

}  // namespace veru::awt
