#pragma once
#include "calc/calc_kernel.h"
#include "calc/prepare_common.h"
#include "jobdata/record_layout.h"
#include "jobdata/working_record.h"
#include "platform/numbers.h"

#include <cmath>

// Records as the checks leave them (geometry completed), prepared by the
// common preparation with fixed steel and concrete data.
namespace k5test {

using k5::FoundationRecord;

struct FootingInput {
    float Lx = 2000, Ly = 2000, ax = 500, ay = 500, Lx1 = 750, Ly1 = 750;
    float D = 500, D2 = 500, d = 70, h1 = 500, h2 = 500;
    float fe = 100, Fc = 21, Wc = 0, Ws = 0;
    float N = 500, NshortX = 0, NshortY = 0;
    float M[5] = {0, 0, 0, 0, 0};
    float H[5] = {0, 0, 0, 0, 0};
    int unit = 1;
    int priority = 1;
};

struct PileCapInput {
    int layout = 5; // " 4"
    float Px1 = 400, Py1 = 400, Px2 = 1500, Py2 = 1500;
    float ax = 600, ay = 600, pfai = 300, Pe = 500;
    float D = 800, D2 = 800, d = 70, h1 = 800, h2 = 800;
    float Fc = 21, Wc = 0, Ws = 0;
    float N = 1000, NshortX = 0, NshortY = 0;
    float M[5] = {0, 0, 0, 0, 0};
    float H[5] = {0, 0, 0, 0, 0};
    int unit = 1;
    int priority = 1;
};

inline void setCommon(FoundationRecord& r, int unit, float D, float D2, float d, float h1, float h2, float Fc,
                      float Wc, float Ws, int priority) {
    using namespace k5::field;
    r.data1[unitSystem] = static_cast<float>(unit);
    r.data1[D1] = D;
    r.data1[k5::field::D2] = D2;
    r.data1[cover] = d;
    r.data1[k5::field::h1] = h1;
    r.data1[k5::field::h2] = h2;
    r.data1[k5::field::Fc] = Fc;
    r.data1[k5::field::Wc] = Wc;
    r.data1[k5::field::Ws] = Ws;
    r.data1[edgx] = r.data1[edgy] = 60;
    r.data1[pitchx] = r.data1[pitchy] = 200;
    r.data1[nx] = r.data1[ny] = 2;
    r.data1[k5::field::priority] = static_cast<float>(priority);
    r.name = QStringLiteral("F1");
    r.barGradeX = r.barGradeY = QStringLiteral("SD295");
    r.barSizeX = r.barSizeY = QStringLiteral("D19");
}

inline FoundationRecord isolatedRecord(const FootingInput& in) {
    FoundationRecord r;
    setCommon(r, in.unit, in.D, in.D2, in.d, in.h1, in.h2, in.Fc, in.Wc, in.Ws, in.priority);
    r.data1[k5::field::foundationType] = 1;
    r.data1[k5::field::fe] = in.fe;
    r.data2[1][1] = in.N;
    r.data2[1][3] = in.NshortX;
    r.data2[1][4] = in.NshortY;
    for (int j = 1; j <= 4; ++j) {
        r.data2[2][j] = in.M[j];
        r.data2[3][j] = in.H[j];
    }
    r.data2[4][1] = in.Lx;
    r.data2[4][2] = in.Ly;
    r.data2[5][1] = in.ax;
    r.data2[5][2] = in.ay;
    r.data2[6][1] = in.Lx1;
    r.data2[6][2] = in.Ly1;
    r.data2[6][3] = in.Lx - in.Lx1 - in.ax;
    r.data2[6][4] = in.Ly - in.Ly1 - in.ay;
    return r;
}

// Pile cap size and offsets as the calculation-time check derives them
// (layouts with the spacing rules of the loader already applied).
inline FoundationRecord pileCapRecord(const PileCapInput& in) {
    FoundationRecord r;
    setCommon(r, in.unit, in.D, in.D2, in.d, in.h1, in.h2, in.Fc, in.Wc, in.Ws, in.priority);
    r.data1[k5::field::foundationType] = 2;
    r.data1[k5::field::pileLayout] = static_cast<float>(in.layout);
    r.data1[k5::field::pfai] = in.pfai;
    r.data1[k5::field::Pe] = in.Pe;
    float Px2 = in.Px2, Py2 = in.Py2, F = 0;
    switch (in.layout) {
    case 1:
        Px2 = Py2 = 0;
        break;
    case 2:
    case 4:
        Py2 = 0;
        break;
    case 3:
    case 8:
        Py2 = std::floor(Px2 * std::sqrt(3.0) / 2);
        break;
    case 6:
    case 9:
        Py2 = 0;
        F = std::floor(Px2 * std::sqrt(2.0));
        break;
    default:
        break;
    }
    r.data1[k5::field::auxSpacing] = F;
    float Lx = 0, Ly = 0;
    const float Px1 = in.Px1, Py1 = in.Py1;
    switch (in.layout) {
    case 1:
        Lx = 2 * Px1;
        Ly = 2 * Py1;
        break;
    case 2:
        Lx = 2 * Px1 + Px2;
        Ly = 2 * Py1;
        break;
    case 3:
        Lx = 2 * Px1 + Px2;
        Ly = 2 * Py1 + Py2;
        break;
    case 4:
        Lx = 2 * (Px1 + Px2);
        Ly = 2 * Py1;
        break;
    case 5:
        Lx = 2 * Px1 + Px2;
        Ly = 2 * Py1 + Py2;
        break;
    case 6:
        Lx = 2 * Px1 + F;
        Ly = Lx;
        break;
    case 7:
        Lx = 2 * (Px1 + Px2);
        Ly = 2 * Py1 + Py2;
        break;
    case 8:
        Lx = 2 * (Px1 + Px2);
        Ly = 2 * (Py1 + Py2);
        break;
    case 9:
        Lx = 2 * (Px1 + F);
        Ly = 2 * Py1 + F;
        break;
    case 10:
        Lx = 2 * Px1 + 3 * Px2;
        Ly = 2 * Py1 + Py2;
        break;
    default:
        Lx = 2 * (Px1 + Px2);
        Ly = 2 * (Py1 + Py2);
        break;
    }
    r.data2[1][1] = in.N;
    r.data2[1][3] = in.NshortX;
    r.data2[1][4] = in.NshortY;
    for (int j = 1; j <= 4; ++j) {
        r.data2[2][j] = in.M[j];
        r.data2[3][j] = in.H[j];
    }
    r.data2[4][1] = Lx;
    r.data2[4][2] = Ly;
    r.data2[5][1] = in.ax;
    r.data2[5][2] = in.ay;
    r.data2[6][1] = r.data2[6][3] = (Lx - in.ax) / 2;
    r.data2[6][2] = r.data2[6][4] = (Ly - in.ay) / 2;
    r.data2[7][1] = r.data2[7][2] = 1;
    r.data2[8][1] = Px1;
    r.data2[8][2] = Py1;
    r.data2[8][3] = Px2;
    r.data2[8][4] = Py2;
    return r;
}

// SD295 D19 bars (SI or CGS stresses) and the default concrete setting.
inline k5::SteelData steelD19(int unit) {
    k5::SteelData s;
    s.size = QStringLiteral("D19");
    s.ftLong = unit == 1 ? 196 : 2000;
    s.ftShort = unit == 1 ? 295 : 3000;
    s.area = 2.85;
    s.perimeter = 6;
    return s;
}

inline k5::BarRules barRulesOf(const FoundationRecord& r) {
    k5::BarRules b;
    using namespace k5::field;
    b.edge = {0, k5::cInt(r.data1[edgx]), k5::cInt(r.data1[edgy])};
    b.pitch = {0, k5::cInt(r.data1[pitchx]), k5::cInt(r.data1[pitchy])};
    b.count = {0, k5::cInt(r.data1[nx]), k5::cInt(r.data1[ny])};
    b.priority = k5::cInt(r.data1[k5::field::priority]);
    return b;
}

// Runs the common preparation on the record; the design record counts the
// writes it makes.
struct Prepared {
    FoundationRecord record;
    int writes = 0;
    k5::DesignRecord design;

    explicit Prepared(const FoundationRecord& r, k5::ConcreteRule concrete = {})
        : record(r), design(record, barRulesOf(r), [this](const FoundationRecord&) {
              ++writes;
              return true;
          }) {
        const int unit = static_cast<int>(k5::cInt(r.data1[k5::field::unitSystem]));
        ok = k5::prepareCommon(design, k5::workingRecordFrom(record), steelD19(unit), steelD19(unit),
                               concrete);
    }
    bool ok = false;
    float d2(int i, int j) const { return record.data2[i][j]; }
    float d1(int i) const { return record.data1[i]; }
};

// True when every number of the record is finite.
inline bool allFinite(const FoundationRecord& r) {
    for (float v : r.data1)
        if (!std::isfinite(v)) return false;
    for (const auto& row : r.data2)
        for (float v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

// A record as an input window saves it: inputs only, no results.
inline FoundationRecord saved(FoundationRecord r, const QString& name) {
    r.name = name;
    r.jobName = QStringLiteral("試験工事");
    r.fileName = QStringLiteral("test");
    for (int i = 9; i <= 60; ++i)
        for (int j = 1; j <= 4; ++j)
            r.data2[i][j] = 0;
    r.data2[k5::row::L1][3] = r.data2[k5::row::L1][4] = 0;
    // Unit weights of concrete and soil when the case gave none.
    const bool si = r.data1[k5::field::unitSystem] == 1;
    if (r.data1[k5::field::Wc] == 0) r.data1[k5::field::Wc] = si ? 24 : 2.4f;
    if (r.data1[k5::field::Ws] == 0) r.data1[k5::field::Ws] = si ? 16 : 1.6f;
    return r;
}

inline FoundationRecord savedFooting(FootingInput in, const QString& name, bool centred = true) {
    in.h1 = in.h2 = 1000;
    FoundationRecord r = isolatedRecord(in);
    r.data2[k5::row::centre][1] = r.data2[k5::row::centre][2] = centred ? 1 : 0;
    return saved(r, name);
}

inline FoundationRecord savedPileCap(PileCapInput in, const QString& name) {
    in.h1 = in.h2 = 1000;
    FoundationRecord r = pileCapRecord(in);
    r.data2[k5::row::P][3] = in.Px2; // as typed: the loader derives the rest
    r.data2[k5::row::P][4] =
        (in.layout == 5 || in.layout == 7 || in.layout == 10 || in.layout == 11) ? in.Py2 : 0;
    r.data1[k5::field::auxSpacing] = 0;
    r.data2[k5::row::L][1] = r.data2[k5::row::L][2] = 0;
    r.data2[k5::row::L1][1] = r.data2[k5::row::L1][2] = 0;
    r.data2[k5::row::centre][1] = r.data2[k5::row::centre][2] = 0;
    return saved(r, name);
}

} // namespace k5test
