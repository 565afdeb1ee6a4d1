#include "game/shooting/cmp/KintubaGaugeK.h"

namespace ml::shooting::cmp {

KintubaGaugeK::KintubaGaugeK(int full) : KintubaGauge(full, kIconPathK, kIconShift) {}

KintubaGaugeK::~KintubaGaugeK() = default;

}  // namespace ml::shooting::cmp
