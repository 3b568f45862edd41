#pragma once
#include "jobdata/foundation_record.h"

#include <QString>

#include <array>

namespace k5 {

// The one in-memory copy of the foundation in hand: filled from an input
// window or by the calculation's loader, completed by the record checks and
// read by the calculation. Field names follow the stored record; texts are
// held trimmed, Integers as int, Singles as float. A default-constructed
// record (empty texts, zero numbers) is the cleared state.
struct WorkingRecord {
    int foundationType = 0; // 1 isolated footing, 2 pile cap
    QString name;
    QString memo;

    // Loads by load-case column as in data2 rows 1 to 3: [1] long-term
    // (N[1] the one long-term N for both directions, M/H[1] X, M/H[2] Y),
    // [3] short-term X increment, [4] short-term Y increment. N[2] and [0]
    // are unused.
    std::array<float, 5> N{};
    std::array<float, 5> M{};
    std::array<float, 5> H{};

    float Lx = 0, Ly = 0;   // plan size (pile caps: derived by the checks)
    float ax = 0, ay = 0;   // column size
    float Lx1 = 0, Ly1 = 0; // column face to footing edge, left / lower
    float Lx2 = 0, Ly2 = 0; // the same on the right / upper side (derived)
    int centreX = 0;        // 1 when the column is centred in X (as loaded)
    int centreY = 0;
    float Px1 = 0, Py1 = 0; // pile edge distances
    float Px2 = 0, Py2 = 0; // pile spacings

    float D1 = 0; // thickness at the column face (D)
    float D2 = 0; // thickness at the edge (D')
    float d = 0;  // cover
    float h1 = 0; // footing bottom to the top of the foundation
    float h2 = 0; // depth of the footing bottom below ground level
    float fe = 0; // allowable bearing of the ground (isolated footings)
    float Fc = 0, Wc = 0, Ws = 0;
    float pfai = 0; // pile diameter
    float Pe = 0;   // allowable load per pile

    int pileLayout = 0; // the arrangement code 1..11
    int pileKind = 0;   // 0..3
    float minEdge = 0;  // minimum pile edge distance (derived)
    float minSpacing = 0;
    float auxSpacing = 0; // auxiliary spacing F of the " 5" and " 8(3×2+2)" arrangements

    QString barGradeX, barSizeX, barGradeY, barSizeY;
    // Bar-decision data.
    int edgx = 0, edgy = 0;     // end clearances
    int pitchx = 0, pitchy = 0; // maximum spacings, 0 = not limited
    int nx = 0, ny = 0;         // maximum counts, 0 = not limited
    int priority = 0;           // 1 calculation, 2 spacing, 3 count

    bool isPileCap() const { return foundationType == kTypePileCap; }
    bool isIsolated() const { return foundationType == kTypeIsolated; }
};

// Every working field from its place in a stored record, as stored: texts
// trimmed, Integers rounded half to even. No derivation (the calculation's
// loader and the input windows have their own rules on top of this).
WorkingRecord workingRecordFrom(const FoundationRecord& record);

// Every working field into its place in a stored record; everything else in
// the record (results, import fields, pile count) stays as it was.
void storeWorkingRecord(const WorkingRecord& work, FoundationRecord& record);

// The values the calculation-time check completes: D1, D2, h1, h2, the pile
// minima, Lx, Ly, the four column offsets and the four pile distances.
void storeCompletedGeometry(const WorkingRecord& work, FoundationRecord& record);

} // namespace k5
