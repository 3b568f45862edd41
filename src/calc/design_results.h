#pragma once
#include "jobdata/foundation_record.h"

#include <QString>

#include <array>

// What the last calculation found for one foundation, read from the stored
// results: the governing ratio (demand ÷ capacity) of each check, the
// decided bars, and the judgement. Nothing is calculated here; the values
// are those the judgements compared, so a ratio reaches 1 where its check
// fails (bearing and shear fail at 1, the others above it).
namespace k5 {

enum class DesignCheck {
    Bearing,  // footing: required area A′ ÷ A; cap: Rmax ÷ Pe
    PullOut,  // cap: moment share of the most lifted pile ÷ ΣN/n (above 1 it pulls out)
    Bending,  // required at ÷ Σat
    Bond,     // required ψ ÷ Σψ
    Shear,    // (Q/Lj) ÷ fs
    Punching, // footing: QPD ÷ QPA; cap: R′ ÷ QPA
};
constexpr int kDesignCheckCount = 6;

// Column caption of a check in the results list.
QString designCheckCaption(DesignCheck check);

struct CheckRatio {
    bool applies = false; // the check has a value for this foundation
    double ratio = 0;     // the largest over the cases and directions judged; +inf for no capacity
    bool ng = false;      // a judgement of this check failed
};

enum class Verdict {
    Ok,
    Ng,
    NotCalculated, // the results were cleared since the last calculation
    Stopped,       // the calculation stops at this foundation
};

struct DesignResult {
    std::array<CheckRatio, kDesignCheckCount> checks{};
    Verdict verdict = Verdict::NotCalculated;
    QString stopMessage; // Stopped: the first message of the check that stops it

    const CheckRatio& check(DesignCheck c) const { return checks[static_cast<size_t>(c)]; }
    // The largest ratio of the checks that apply; 0 when none does.
    double maxRatio() const;
    bool hasRatios() const;
    // "OK", "NG", "未計算" or the stop message.
    QString verdictText() const;
};

// A record holds the complete results of a calculation: its long-term ΣN (a
// number other than 0) and a decided bar count in both directions (1 to
// what an Integer holds; a save clears them; a run stopped in the middle of
// a record leaves no bar count). The one rule of "calculated" for the
// results list, the report and the drawing.
bool hasCompleteResults(const FoundationRecord& record);

// The ratios and judgement of a record's stored results; NotCalculated
// (without ratios) when it holds no complete results. The judgement is the
// record's NG flag.
DesignResult storedDesignResult(const FoundationRecord& record);
// Stopped with `message`, without ratios.
DesignResult stoppedDesignResult(const QString& message);

// The bars of direction 1 (X) or 2 (Y) as the report writes them:
// "D19-5本以上", "5-D19(@200)" or "5-D19" by the rebar rule.
QString decidedBarsText(const FoundationRecord& record, int direction);

// A ratio as the lists and panels show it: two decimals rounded up, so 1.00
// is never a failure (0.9993 shows 1.00, 1.0004 shows 1.01).
double ratioShown(double ratio);
// That ratio as text ("0.87"), "∞" for no capacity.
QString ratioText(double ratio);

} // namespace k5
