#include "engine/scene/PlayStatus.h"

namespace veru::dxt {

bool PlayStatus::takeLife() {
    if (lives < 1)
        return false;
    lives -= 1;
    return true;
}

bool PlayStatus::addLife() {
    if (lives >= livesMax)
        return false;
    lives += 1;
    return true;
}

bool PlayStatus::drainGauge(int n) {
    if (gauge < 1) {
        gauge = 0;
        return true;
    }
    gauge -= n;
    return false;
}

bool PlayStatus::takeStock() {
    if (stock <= 0)
        return false;
    stock -= 1;
    refillGauge();
    return true;
}

bool PlayStatus::addStock() {
    if (stock >= stockMax)
        return false;
    stock += 1;
    return true;
}

void PlayStatus::resetForTalk() {
    lives = kStartLives;
    stock = kStartStock;
    gauge = 1000;
    power = 0x200000;
}

}  // namespace veru::dxt
