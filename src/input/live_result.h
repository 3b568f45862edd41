#pragma once
#include "calc/design_results.h"
#include "input/record_transfer.h"
#include "jobdata/foundation_record.h"

#include <QString>
#include <QStringList>

// The result of the foundation as an input window's form now stands, worked
// out in memory while the engineer types: the form goes through what 登録
// does (the fields read, empty ones filled from the common values, the
// register-time check) and the record it would store goes through what
// 計算開始 does with it. Nothing is written: neither the job nor a master.
namespace k5 {

class CalcMasters;

struct LiveResult {
    enum class State {
        Missing,  // a field the design needs is empty
        Stopped,  // 登録 or 計算開始 would refuse the record
        Designed, // the record was designed
    };
    State state = State::Missing;
    QString message;         // Missing: which fields; Stopped: the check's message as one line
    QStringList missing;     // Missing: the captions of the empty fields
    FoundationRecord record; // Designed: the record with its results
    DesignResult result;     // Designed: ratios and judgement
    // Stopped or Designed: what the design may hide though no check fails
    // on it (designWarnings), such as entered loads the pile check never sees.
    QStringList warnings;
};

// The captions of the fields the design needs that the form leaves empty or
// at 0 (the common values fill every other field): the long-term axial
// force, the footing size, or the pile distances the arrangement uses.
QStringList missingRequiredFields(const RecordEdit& edit, const RecordForm& form);

// `stored` is the record being corrected (ignored for a new record).
LiveResult evaluateForm(const RecordEdit& edit, const RecordForm& form, const CalcMasters& masters,
                        const FoundationRecord& stored);

// The contact pressure of a footing (ΣN·α/A, kN/m² or t/m²) or the largest
// pile load of a cap (kN or t) of the case nearest its allowable value, with
// that value and the case, as one line for the window, from a designed record.
QString bearingSummary(const FoundationRecord& designed);

} // namespace k5
