#pragma once
// PlayStatus: the player's lives, special gauge, stock and shot level,
// carried from scene to scene. The stage reads and changes the fields
// directly and uses the operations below for the guarded changes.
//
// Thread: main thread only.

namespace veru::dxt {

class PlayStatus {
  public:
    // Takes one life; false (and no change) when none is left.
    bool takeLife();
    // Adds one life; false when already at livesMax.
    bool addLife();
    // Drains the gauge by n. When it was already below 1 it is set to 0 and
    // true ("empty") is returned; otherwise false.
    bool drainGauge(int n = 1);
    void refillGauge() { gauge = gaugeFull; }
    // Takes one stock and refills the gauge; false when stock is 0.
    bool takeStock();
    // Adds one stock; false when already at stockMax.
    bool addStock();
    // The values a talk scene starts the next stage with.
    void resetForTalk();

    // The lives and stock a play starts with, and a continue gives again.
    static constexpr int kStartLives = 2;
    static constexpr int kStartStock = 5;

    int lives = 2;
    int livesMax = 5;
    int gauge = 1000;
    int gaugeFull = 1000;
    int stock = 3;
    int stockMax = 8;
    int power = 0x200000;  // the player's shot level code
    int character = 1;     // the heroine flying: 1 Shiro, 2 Hotaru
};

}  // namespace veru::dxt
