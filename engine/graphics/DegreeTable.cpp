#include "engine/graphics/DegreeTable.h"

#include <array>
#include <cmath>

namespace veru::dxt {

namespace {

struct Tables {
    std::array<float, 360> radian;
    std::array<float, 360> sine;
    std::array<float, 360> cosine;
    std::array<float, 360> tangent;
    Tables() {
        for (int d = 0; d < 360; ++d) {
            float r = static_cast<float>(d) * 3.1415927f / 180.0f;
            radian[d] = r;
            sine[d] = static_cast<float>(std::sin(static_cast<double>(r)));
            cosine[d] = static_cast<float>(std::cos(static_cast<double>(r)));
            tangent[d] = static_cast<float>(std::tan(static_cast<double>(r)));
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

void DegreeTable::build() {
    tables();
}
float DegreeTable::radian(int degree) {
    return tables().radian[normalise(degree)];
}
float DegreeTable::sine(int degree) {
    return tables().sine[normalise(degree)];
}
float DegreeTable::cosine(int degree) {
    return tables().cosine[normalise(degree)];
}
float DegreeTable::tangent(int degree) {
    return tables().tangent[normalise(degree)];
}

}  // namespace veru::dxt
