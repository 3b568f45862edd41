#pragma once
#include "calc/design_results.h"
#include "jobdata/foundation_record.h"

#include <QList>
#include <QString>
#include <QStringList>

// The sizing search: the smallest practical footing plan, or the fewest
// piles, with which a foundation passes every check of the calculation and
// can be built. Each trial goes through the calculation's own evaluation of
// a record in memory, so a proposal passes exactly what "計算開始" judges;
// on top of that a proposal keeps a buildable shape (Lx / Ly within an
// aspect limit), bars that concrete can pass between, piles whose check sees
// every entered load, and a reserve below the target ratio.
namespace k5 {

class CalcMasters;

struct SizingLimits {
    int step = 50;          // grid of the plan and of the pile spacings (mm)
    int depthStep = 50;     // grid of the depth D (mm); the embedment h2 is reached exactly
    int maxLength = 20000;  // largest footing side, cap side and depth (mm)
    double maxAspect = 2.0; // largest Lx / Ly or Ly / Lx of a footing (a stored plan's own when larger)
    double minPitch =
        100; // least centre-to-centre pitch of the designed bars (mm), and at least φ + max(25, 1.5φ)
    double target = 1.0; // every ratio at or below this
};

// Coarser grids than this would not be a size anyone builds to; finer ones
// would only multiply the trials.
inline constexpr int kMinimumSizingStep = 10;
inline constexpr int kMaximumSizingStep = 1000;

// The values a proposal sets (and the record's current ones beside them).
// For a pile cap Lx and Ly follow from the arrangement. The bar sizes are
// those of the record unless the proposal takes a larger one.
struct FoundationSize {
    float Lx = 0, Ly = 0;
    float D1 = 0, D2 = 0;
    int pileLayout = 0;
    float Px1 = 0, Py1 = 0, Px2 = 0, Py2 = 0;
    QString barSizeX, barSizeY;
};

// What one trial found: refused (with the message the calculation would
// show), or designed with its ratios and judgement, and whether its designed
// bars can be built and its ratios keep the target.
struct TrialResult {
    bool refused = false;
    QString message;
    DesignResult result;
    int member = 0;           // index of the governing record among those tried
    QString pitchShort;       // "X方向の鉄筋間隔 85mm < 100mm" when the bars are too close
    int pitchDirection = 0;   // 1 (X bars) or 2 (Y bars) whose pitch is short
    bool aboveTarget = false; // a ratio exceeds the target although the calculation passes it
    bool passes() const { return !refused && result.verdict == Verdict::Ok; }
    bool accepted() const { return passes() && pitchShort.isEmpty() && !aboveTarget; }
    // The check with the largest ratio ("せん断 1.08"), or what stops it.
    QString describe() const;
    // The check that decides: a failing one first; bending and bond only
    // when they fail (the bar count is chosen so that they cannot).
    DesignCheck governing() const;
    // The caption of what fails here: a check, the bar pitch or the refusal.
    QString failingCaption() const;
};

struct SizeProposal {
    bool found = false;
    FoundationSize current;
    FoundationSize proposed;
    TrialResult atProposal; // largest ratio and its check, the governing record
    // What decides the size: what fails one step smaller (a check, the bar
    // pitch, the slope rule or a register check).
    QString governing;
    // Why nothing smaller: for a footing what fails one step smaller in Lx,
    // in Ly and in D, or the limit that step leaves (the least side: the
    // column and the bars' edge clearance on each free outstand; the aspect
    // limit); for a pile cap what fails with the arrangement of fewer piles
    // tried last.
    QString smallerLx, smallerLy, thinner, fewerPiles;
    // Changes beside the size an engineer must see: a larger bar size, an
    // arrangement passed over because its check would leave loads out.
    QStringList notes;
    QString reason; // none found: what fails at the largest size tried, or what stops the record
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
// stay; a bar size only when the size names one) and clears the results of
// its last calculation, as a save does.
void applySize(const FoundationSize& size, FoundationRecord& record);

// A length or ratio as the proposal lists show it.
QString sizeText(float value);

} // namespace k5
