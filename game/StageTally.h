#pragma once
// StageTally: what one attempt at a stage cost, counted where it happens —
// each hit that took a life, each bomb set off, each kintuba used, each
// continue taken — and how long the stage ran (frames, the pause menu and
// the continue dialog not counted). The results card shows it.
//
// Thread: main thread only.

namespace ml {

struct StageTally {
    int livesLost = 0;
    int bombs = 0;
    int kintsubas = 0;
    int continues = 0;
    int frames = 0;

    // The time the frames make at 60 frames a second, in whole seconds.
    int seconds() const { return frames / 60; }
};

}  // namespace ml
