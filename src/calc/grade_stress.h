#pragma once
#include "masters/grade_master.h"

#include <QList>
#include <QString>

#include <optional>

namespace k5 {

// Allowable tensile stresses of a bar, long- and short-term, in the job's units.
struct GradeStress {
    double longTerm = 0;
    double shortTerm = 0;
};

// The grade master's size class of a bar size text: 0 for round bars ("R"),
// 1 for deformed bars ("D") below 26 mm, 2 from 26 mm. None for a text that
// names no bar of 6 to 51 mm with the letter D or R.
std::optional<int> gradeSizeClass(const QString& size);

// The first grade record whose name contains `grade` and whose size class is
// that of `size`: its SI or CGS stresses.
// `row` (when given) receives the record number of the grade found.
std::optional<GradeStress> lookupGradeStress(const QList<GradeRecord>& grades, const QString& grade,
                                             const QString& size, bool si, int* row = nullptr);

} // namespace k5
