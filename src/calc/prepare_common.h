#pragma once
#include "calc/calc_kernel.h"
#include "jobdata/working_record.h"

namespace k5 {

// What the masters give one bar direction: the allowable tensile stresses
// of its grade and the area and perimeter of one bar of its size.
struct SteelData {
    QString size;
    double ftLong = 0, ftShort = 0; // N/mm² or kg/cm²
    double area = 0;                // cm²; -9999 when the size is not in the size master
    double perimeter = 0;           // cm
};

// The concrete setting: which rule gives the SI allowable stresses, and the
// short-term multipliers of CGS jobs.
struct ConcreteRule {
    int edition = 2;
    double factorC = 2.0;
    double factorS = 1.5;
};

// Allowable stresses of concrete (fc, fs, fa) into all four columns.
bool concreteAllowables(DesignRecord& r, const ConcreteRule& rule);

// The common preparation of a record that passed both checks: design loads
// per case, the moment of H, allowable bearing, steel and concrete data, pile
// arrangement, geometry copies, ε and area, the first effective depth, self
// weight and backfill. Resets the NG flag and writes the record.
bool prepareCommon(DesignRecord& r, const WorkingRecord& w, const SteelData& x, const SteelData& y,
                   const ConcreteRule& concrete);

} // namespace k5
