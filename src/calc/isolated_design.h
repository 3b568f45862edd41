#pragma once
#include "calc/calc_kernel.h"

namespace k5 {

// α of a trapezoidal pressure: 1 + 6x or 1 − 6x, whichever gives the larger
// P·α/f (with P and f positive, 1 + 6x).
double alphaFactor(double P, double x, double f);

// The critical section for punching around the column, r = d'/2 from its
// faces, cut off where an outstand is not longer than r.
struct PunchingSection {
    double b0 = 0; // perimeter, mm
    double A0 = 0; // area inside it, mm²
    int cutSides = 0;
};
PunchingSection punchingSection(double r, double ax, double ay, double Lx1, double Lx2, double Ly1,
                                double Ly2);

bool punchingCheck(DesignRecord& r);

// Designs an isolated footing record that the common preparation has
// prepared: bearing, face forces, steel, shear, bars and punching. The
// record is written after each designed case and at the end.
bool designIsolated(DesignRecord& r);

} // namespace k5
