#include "engine/effects/Random.h"

#include <atomic>
#include <cstdint>

#include "engine/exceptions/Exception.h"
#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/platform/SecureRandom.h"

namespace veru::dxt::effect2D {

namespace {

std::atomic<std::uint32_t> linearState{1};

// The stage's deterministic stand-in for the secure source: SplitMix64, whose
// state only ever advances by a constant, so one atomic add is a whole step.
constexpr std::uint64_t kSplitMixStep = 0x9E3779B97F4A7C15ull;
std::atomic<bool> stageSeeded{false};
std::atomic<std::uint64_t> stageState{0};

// The generators of this thread's ScratchRandom; null: the game's own.
thread_local ScratchRandom::State* scratch = nullptr;

std::uint32_t splitMix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z >> 32);
}

std::uint32_t nextStageValue() {
    return splitMix(stageState.fetch_add(kSplitMixStep) + kSplitMixStep);
}

[[noreturn]] void throwBadRange() {
    throw excp::IllegalArgumentException(
        u"引数の指定範囲が不正です。(range_min > range_max　⇒　range_min < range_max)");
}

// The 32-bit value randomInt and randomIndex use: the stage generator when seeded.
std::uint32_t sourceValue() {
    if (scratch) {
        scratch->split += kSplitMixStep;
        return splitMix(scratch->split);
    }
    if (stageSeeded.load()) {
        return nextStageValue();
    }
    std::uint32_t value = 0;
    if (!platform::secureRandom32(value)) {
        throw excp::Exception(u"乱数生成に失敗しました。");
    }
    return value;
}

}  // namespace

void seedStageRandom(std::uint32_t seed) {
    linearState.store(seed);
    stageState.store(seed);
    stageSeeded.store(true);
}

void useSecureRandom() {
    stageSeeded.store(false);
}

bool isStageRandomSeeded() {
    return stageSeeded.load();
}

std::uint32_t freshRandomSeed() {
    std::uint32_t value = 0;
    if (!platform::secureRandom32(value)) {
        throw excp::Exception(u"乱数生成に失敗しました。");
    }
    return value;
}

int nextLinearRandom() {
    if (scratch) {
        scratch->linear = scratch->linear * 214013u + 2531011u;
        return static_cast<int>((scratch->linear >> 16) & 0x7FFFu);
    }
    std::uint32_t state = linearState.load();
    std::uint32_t next = 0;
    do {
        next = state * 214013u + 2531011u;
    } while (!linearState.compare_exchange_weak(state, next));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

double randomDouble(double range_min, double range_max) {
    if (range_max < range_min) {
        throwBadRange();
    }
    return range_min + nextLinearRandom() * (1.0 / 32768.0) * (range_max - range_min);
}

float randomFloat(float range_min, float range_max) {
    if (range_max < range_min) {
        throwBadRange();
    }
    return range_min +
           static_cast<float>(nextLinearRandom()) * (1.0f / 32768.0f) * (range_max - range_min);
}

ScratchRandom::ScratchRandom() : previous(scratch) {
    scratch = &state;
}

ScratchRandom::~ScratchRandom() {
    scratch = previous;
}

int randomInt(int range_min, int range_max) {
    if (range_max < range_min) {
        throwBadRange();
    }
    double span = static_cast<double>(static_cast<std::int64_t>(range_max) - range_min);
    double u = sourceValue();
    return static_cast<int>(range_min + static_cast<std::int64_t>(span * u / 4294967295.0));
}

int randomIndex(int n) {
    if (n < 1) {
        return 0;
    }
    double u = sourceValue();
    int index = static_cast<int>(u * n / 4294967295.0);
    return index >= n ? n - 1 : index;
}

}  // namespace veru::dxt::effect2D
