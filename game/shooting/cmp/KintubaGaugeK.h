#pragma once
// KintubaGaugeK: the kintuba gauge of the second character — the same gauge
// with the icon "img/kintubaK.ytx", drawn 10 pixels further right. It has
// no ratio(): that character's hit area does not follow the gauge.
//
// Ownership, thread, failure: as IGauge.

#include "game/shooting/cmp/KintubaGauge.h"

namespace ml::shooting::cmp {

class KintubaGaugeK : public KintubaGauge {
  public:
    static constexpr const char16_t* kIconPathK = u"img/kintubaK.ytx";
    static constexpr int kIconShift = 10;

    explicit KintubaGaugeK(int full);
    ~KintubaGaugeK() override;

  private:
    using KintubaGauge::ratio;
};

}  // namespace ml::shooting::cmp
