#pragma once
// Sine, cosine and tangent of the whole degrees 0..359, computed once.
//
// Any int is accepted and taken modulo 360 (so -90 reads 270).
// Thread: the tables are built on first use (thread-safe) and only read after.

namespace veru::dxt {

class DegreeTable {
  public:
    // Builds the tables now (otherwise the first lookup does).
    static void build();
    // d * 3.1415927 / 180 in single precision.
    static float radian(int degree);
    static float sine(int degree);
    static float cosine(int degree);
    static float tangent(int degree);
    // The degree in 0..359.
    static int normalise(int degree) { return ((degree % 360) + 360) % 360; }
};

}  // namespace veru::dxt
