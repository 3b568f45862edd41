#pragma once
#include "jobdata/foundation_record.h"
#include "jobdata/record_layout.h"

#include <QString>

#include <array>
#include <functional>

// The design steps both foundation types share. Stored values are Singles;
// every formula works in double and stores its result back as a Single. A
// value that is stored and used again later is used as stored, so what the
// report prints is what the judgements compared.
namespace k5 {

// Rebar decision data as the calculation loaded it (rounded to integers);
// index 1 is the X direction, 2 the Y direction.
struct BarRules {
    std::array<long long, 3> edge{};  // end clearance
    std::array<long long, 3> pitch{}; // maximum spacing
    std::array<long long, 3> count{}; // maximum (given) count
    long long priority = 0;           // 1 result, 2 spacing, 3 count
};

// A foundation record in the hands of the design. The record is only ever
// given finite numbers: a formula whose result is not a finite Single
// refuses the record instead, and a refused record is no longer written.
class DesignRecord {
  public:
    // Writes the record at its place in the job file; false when it failed.
    using Writer = std::function<bool(const FoundationRecord&)>;

    explicit DesignRecord(FoundationRecord& record, BarRules bars = {}, Writer writer = {});

    double d1(int i) const { return record_.data1[static_cast<size_t>(i)]; }
    double d2(int i, int j) const { return record_.data2[static_cast<size_t>(i)][static_cast<size_t>(j)]; }
    // Store a value and answer it as stored (a Single).
    double set1(int i, double value);
    double set2(int i, int j, double value);
    // Clears rows first..last of column j.
    void clearRows(int first, int last, int j);
    // Marks the record NG (some judgement failed).
    void markNg() { record_.data1[field::ngFlag] = -1; }
    // An NG judgement: the flag cell gets -1 and the record is marked.
    void judge(int i, int j, bool ng);

    bool si() const;
    const BarRules& bars() const { return bars_; }
    FoundationRecord& record() { return record_; }

    // Refuses the record with what the user has to correct; the first reason
    // stands. Always answers false so a step can `return refuse(...)`.
    bool refuse(const QString& what);
    bool refused() const { return !fault_.isEmpty(); }
    const QString& fault() const { return fault_; }

    // Writes the record unless it was refused; false when refused or the
    // write failed (which refuses it too).
    bool write();

  private:
    FoundationRecord& record_;
    BarRules bars_;
    Writer writer_;
    QString fault_;
};

// Effective depth d' and lever arm j = 7/8 d' from the mean depth of a
// sloped top, written into all four columns; `lever` receives j.
bool equivalentDepth(DesignRecord& r, double* lever = nullptr);
// Required bar perimeter (bond) and steel area (bending) of column j.
bool sectionRequirements(DesignRecord& r, int j);
// Shear stress of column j against the allowable fs.
bool shearCheck(DesignRecord& r, int j);
// Bar count of both directions by the record's priority, with the area and
// perimeter checks.
bool decideBars(DesignRecord& r);
// A load case with no axial force is not designed: its design results are
// cleared while its loads, geometry and allowable stresses stay.
void clearSkippedCase(DesignRecord& r, int j);

struct PileArrangement {
    int count = 0;
    int variant = 0;
};
// Pile count and variant of arrangement code 1..11; (0, 0) for any other.
PileArrangement pileArrangement(int code);

// The case direction: 1 (X) for columns 1 and 3, 2 (Y) for columns 2 and 4.
inline int caseDirection(int j) {
    return (j == 1 || j == 3) ? 1 : 2;
}

} // namespace k5
