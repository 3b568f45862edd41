#pragma once
#include "jobdata/foundation_record.h"
#include "platform/prompt.h"

#include <functional>

namespace k5 {

class CalcMasters;

// One foundation through exactly what "計算開始" does with it, in memory:
// the checks of the stored values, the loader, the register-time and
// calculation-time checks, the masters' checks, the common preparation and
// the design of the record's type. The calculation run and every in-memory
// evaluation (the live result of the input windows, the results list's
// reason for a record that cannot be calculated, a sizing search) go through
// this one path.
//
// `keep` receives the record each time the run would store it: after the
// checks (with the completed geometry) and after each design step. On a
// refusal the last record kept is what the run leaves in the job. `dataNo`
// is the record's number in the job (0: none, as for a registration from an
// input window), which prefixes the check messages.
using RecordKeeper = std::function<void(const FoundationRecord&)>;
Outcome designRecord(const CalcMasters& masters, FoundationRecord& record, int dataNo,
                     const RecordKeeper& keep = {});

// The result of one in-memory evaluation: on success the designed record
// with every result the run would store; otherwise the message that would
// stop the run at this record (the record then holds no usable result).
struct Evaluation {
    Outcome outcome;
    FoundationRecord record;
    bool designed() const { return outcome.ok; }
};
Evaluation evaluateRecord(const CalcMasters& masters, FoundationRecord record, int dataNo = 0);

} // namespace k5
