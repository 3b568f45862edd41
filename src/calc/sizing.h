#pragma once
#include "calc/design_results.h"
#include "jobdata/foundation_record.h"

#include <QList>
#include <QString>

// The sizing search: the smallest footing plan, or the fewest piles, with
// which a foundation passes every check of the calculation. Each trial goes
// through the calculation's own evaluation of a record in memory, so a
// proposal passes exactly what "計算開始" judges.
namespace k5 {

class CalcMasters;

struct SizingLimits {
    int step = 50;         // grid of the plan, the depth and a bumped edge distance (mm)
    int maxLength = 20000; // largest footing side (mm)
};

// The values a proposal sets (and the record's current ones beside them).
// For a pile cap Lx and Ly follow from the arrangement.
struct FoundationSize {
    float Lx = 0, Ly = 0;
    float D1 = 0, D2 = 0;
    int pileLayout = 0;
    float Px1 = 0, Py1 = 0, Px2 = 0, Py2 = 0;
};

// What one trial found: refused (with the message the calculation would
// show), or designed with its ratios and judgement.
struct TrialResult {
    bool refused = false;
    QString message;
    DesignResult result;
    int member = 0; // index of the governing record among those tried
    bool passes() const { return !refused && result.verdict == Verdict::Ok; }
    // The check with the largest ratio ("せん断 1.08"), or the refusal.
    QString describe() const;
    DesignCheck governing() const;
};

struct SizeProposal {
    bool found = false;
    FoundationSize current;
    FoundationSize proposed;
    TrialResult atProposal; // largest ratio and its check, the governing record
    // Why nothing smaller: for a footing what fails one step smaller in Lx
    // and in Ly (empty where that is below the lower limit); for a pile cap
    // what fails with the arrangement of fewer piles tried last.
    QString smallerLx, smallerLy, fewerPiles;
    QString reason; // none found: what fails at the largest size tried
    int trials = 0;
};

// The proposal for a foundation, or for the records of one design group
// (which share one design and differ in their loads: every record must
// pass, the one with the largest ratio governs). `records` holds at least
// one record; the first one's inputs are the design the search starts from.
SizeProposal proposeSize(const CalcMasters& masters, const QList<FoundationRecord>& records,
                         const SizingLimits& limits = {});

// The size of a record as stored.
FoundationSize storedSize(const FoundationRecord& record);
// Writes a proposed size into a record (its other inputs, name and loads
// stay) and clears the results of its last calculation, as a save does.
void applySize(const FoundationSize& size, FoundationRecord& record);

// A length or ratio as the proposal lists show it.
QString sizeText(float value);

} // namespace k5
