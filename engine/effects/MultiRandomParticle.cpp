#include "engine/effects/MultiRandomParticle.h"

#include "engine/effects/Random.h"
#include "engine/exceptions/IllegalArgumentException.h"

namespace veru::dxt::effect2D {

MultiRandomParticle::MultiRandomParticle(int directionFlags) : flags(directionFlags) {
    for (int flag : {1, 2, 4, 8}) {
        if (flags & flag) {
            directions.push_back(flag);
        }
    }
}

void MultiRandomParticle::validate(double vxs0, double vxs1, double vys0, double vys1, float sc0,
                                   float sc1) {
    const struct {
        bool failed;
        const char16_t* condition;
    } tests[] = {
        {vxs0 < 0, u"vxs0 < 0"},       {vxs1 < 0, u"vxs1 < 0"},       {vys0 < 0, u"vys0 < 0"},
        {vys1 < 0, u"vys1 < 0"},       {sc0 < 0, u"sc0 < 0"},         {sc1 < 0, u"sc1 < 0"},
        {vxs0 > vxs1, u"vxs0 > vxs1"}, {vys0 > vys1, u"vys0 > vys1"}, {sc0 > sc1, u"sc0 > sc1"},
    };
    for (const auto& test : tests) {
        if (test.failed) {
            throw excp::IllegalArgumentException(YString(u"引数の値が不正です。：") +
                                                 test.condition);
        }
    }
}

void MultiRandomParticle::emit() {
    if (directions.empty()) {
        return;  // no direction allowed: nothing to throw
    }
    float scale = scales.empty() ? 1.0f : scales[randomIndex(static_cast<int>(scales.size()))];
    double speedX = xSpeeds.empty() ? 0.0 : xSpeeds[randomIndex(static_cast<int>(xSpeeds.size()))];
    double speedY = ySpeeds.empty() ? 0.0 : ySpeeds[randomIndex(static_cast<int>(ySpeeds.size()))];
    auto particle = std::make_unique<Particle>(exist_frame, scale);
    int direction = directions[randomIndex(static_cast<int>(directions.size()))];
    double signX = direction == 1 || direction == 8 ? 1.0 : -1.0;
    double signY = direction == 4 || direction == 8 ? 1.0 : -1.0;
    particle->launch(signX * speedX, signY * speedY, ax, ay, x, y);
    try {
        particle->setFade(decre_alpha, alpha_rest_frame, scale_rest_frame, decre_scale);
    } catch (const excp::IllegalArgumentException&) {
        // A decrement out of range leaves that fade off rather than stopping the game.
    }
    particle->setTexture(texture);
    particles.push_back(std::move(particle));
}

}  // namespace veru::dxt::effect2D
