#pragma once
// The game's random numbers.
//
// randomDouble / randomFloat come from a linear generator (state * 214013 +
// 2531011 modulo 2^32, output bits 16..30) whose state starts at 1 and is
// never reseeded: every run of the game sees the same sequence.
// randomInt / randomIndex come from the system's secure random source.
//
// Thread: any thread (the generator's state is updated atomically).
// Failure: a range with range_max < range_min throws IllegalArgumentException
// "引数の指定範囲が不正です。(range_min > range_max　⇒　range_min < range_max)";
// a failing secure source throws Exception "乱数生成に失敗しました。".

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

}  // namespace veru::dxt::effect2D
