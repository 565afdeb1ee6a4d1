#pragma once
// StageStateHash: a 64-bit FNV-1a hash of the numbers that decide a stage
// — counters, the play status, and each object's position, state, level,
// hit points and frame counter. Two plays that hash the same on every
// frame played out the same; a replay test compares these hashes.
//
// Thread: any. A plain value.

#include <cstdint>

namespace ml::shooting::object {
class ShootingObject;
}

namespace ml {

class StageStateHash {
  public:
    StageStateHash& add(int value);
    StageStateHash& addObject(const shooting::object::ShootingObject& object);
    std::uint64_t value() const { return hash; }

  private:
    std::uint64_t hash = 14695981039346656037ull;
};

}  // namespace ml
