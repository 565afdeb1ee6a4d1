#pragma once
// The game's random numbers.
//
// randomDouble / randomFloat come from a linear generator (state * 214013 +
// 2531011 modulo 2^32, output bits 16..30) whose state starts at 1 and is
// never reseeded: every run of the game sees the same sequence.
// randomInt / randomIndex come from the system's secure random source.
//
// Reproducible stages: seedStageRandom(seed), called when a stage is
// created, sets the linear generator's state to `seed` and makes randomInt /
// randomIndex draw from a deterministic generator seeded with `seed`
// instead of the secure source, until useSecureRandom() (called when the
// stage ends). Given the same seed and the same calls, a stage then draws
// the same numbers on every run. The seed itself comes from
// freshRandomSeed() (the secure source) or from a recorded play. These
// functions are the game's only source of random numbers.
//
// Thread: any thread (the generator's state is updated atomically). Work
// done ahead on a worker holds a ScratchRandom, so that what it draws never
// moves the game's sequences, whenever it runs.
// Failure: a range with range_max < range_min throws IllegalArgumentException
// "引数の指定範囲が不正です。(range_min > range_max　⇒　range_min < range_max)";
// a failing secure source throws Exception "乱数生成に失敗しました。".

#include <cstdint>

namespace veru::dxt::effect2D {

// range_min + r * 2^-15 * (range_max - range_min), r the generator's next 0..32767.
double randomDouble(double range_min, double range_max);
float randomFloat(float range_min, float range_max);
// range_min + trunc((range_max - range_min) * u / 4294967295), u a secure 32-bit value.
int randomInt(int range_min, int range_max);
// 0 .. n - 1, from a secure 32-bit value; 0 when n < 1.
int randomIndex(int n);

// The linear generator's next value 0..32767.
int nextLinearRandom();

// Seeds both generators for a stage (see above).
void seedStageRandom(std::uint32_t seed);
// randomInt / randomIndex draw from the secure source again.
void useSecureRandom();
// True between seedStageRandom and useSecureRandom.
bool isStageRandomSeeded();
// A seed from the secure source; a failing source throws Exception "乱数生成に失敗しました。".
std::uint32_t freshRandomSeed();

// While one is alive, every random number drawn on the thread that made it
// comes from generators of its own (always seeded alike: nothing may depend
// on them), and the game's generators are left exactly as they were.
class ScratchRandom {
  public:
    ScratchRandom();
    ~ScratchRandom();
    ScratchRandom(const ScratchRandom&) = delete;
    ScratchRandom& operator=(const ScratchRandom&) = delete;

    struct State {
        std::uint32_t linear = 1;
        std::uint64_t split = 0;
    };

  private:
    State state;
    State* previous;
};

}  // namespace veru::dxt::effect2D
