#pragma once
#include "jobdata/common_values.h"

#include <QString>

// The common design values form: what its fields show for one unit
// system's copy and how typed values go back into the copy.
namespace k5 {

class Prompt;

// Captions that change with the unit system.
struct CommonValuesUnitCaptions {
    QString unitLabel; // "単位 ： SI単位"
    QString fe;        // soil bearing capacity
    QString Fc;        // concrete design strength
    QString Wc;        // unit weight of concrete
    QString Ws;        // unit weight of backfill soil
    QString Pe;        // pile capacity, per pile
};
CommonValuesUnitCaptions commonValuesUnitCaptions(int unit);

// The form's fields as texts, the grade and size as the lists show them and
// the rebar decision priority as the chosen option (0..2, -1 for none).
struct CommonValuesEntry {
    QString fe, Pe, pfai;
    QString barGrade, barSize;
    QString Fc, Wc, Ws;
    QString ax, ay, h1, h2, D1, D2, d;
    QString edgx, edgy, pitchx, pitchy, nx, ny;
    int priorityIndex = -1;
};

// The texts that show `values` (numbers in their shortest form).
CommonValuesEntry commonValuesEntry(const CommonValues& values);

// Takes the entry into `copy`. The rebar arrangement values are whole
// numbers (halves to even) of at least 1, checked in the order edgx, edgy,
// pitchx, pitchy, nx, ny, then the priority: the first that fails is
// reported and it and the values after it keep their previous values. A
// pile capacity or diameter that is not a number, and any number beyond the
// range of a stored Single, is reported and keeps its previous value. False
// when anything was refused; `firstRefused` then names the entry member of
// the first refused value ("fe", "edgx", "priority", ...) so that the window
// can put the focus there.
bool collectCommonValues(const CommonValuesEntry& entry, CommonValues& copy, Prompt& prompt,
                         QString* firstRefused = nullptr);

} // namespace k5
