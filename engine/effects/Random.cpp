#include "engine/effects/Random.h"

#include <atomic>
#include <cstdint>

#include "engine/exceptions/Exception.h"
#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/platform/SecureRandom.h"

namespace veru::dxt::effect2D {

namespace {

std::atomic<std::uint32_t> linearState{1};

[[noreturn]] void throwBadRange() {
    throw excp::IllegalArgumentException(
        u"引数の指定範囲が不正です。(range_min > range_max　⇒　range_min < range_max)");
}

std::uint32_t secureValue() {
    std::uint32_t value = 0;
    if (!platform::secureRandom32(value)) {
        throw excp::Exception(u"乱数生成に失敗しました。");
    }
    return value;
}

}  // namespace

int nextLinearRandom() {
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

int randomInt(int range_min, int range_max) {
    if (range_max < range_min) {
        throwBadRange();
    }
    double span = static_cast<double>(static_cast<std::int64_t>(range_max) - range_min);
    double u = secureValue();
    return static_cast<int>(range_min + static_cast<std::int64_t>(span * u / 4294967295.0));
}

int randomIndex(int n) {
    if (n < 1) {
        return 0;
    }
    double u = secureValue();
    int index = static_cast<int>(u * n / 4294967295.0);
    return index >= n ? n - 1 : index;
}

}  // namespace veru::dxt::effect2D
