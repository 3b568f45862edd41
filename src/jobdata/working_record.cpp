#include "jobdata/working_record.h"

#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

namespace k5 {
namespace {

int toInt(float value) {
    return static_cast<int>(cInt(value));
}

} // namespace

WorkingRecord workingRecordFrom(const FoundationRecord& r) {
    WorkingRecord w;
    const auto& d1 = r.data1;
    const auto& d2 = r.data2;
    w.foundationType = toInt(d1[field::foundationType]);
    w.name = trimBlanks(r.name);
    w.memo = trimBlanks(r.memo);
    for (int j = 1; j <= 4; ++j) {
        w.N[j] = j == 2 ? 0.0f : d2[row::N][j];
        w.M[j] = d2[row::M][j];
        w.H[j] = d2[row::H][j];
    }
    w.Lx = d2[row::L][1];
    w.Ly = d2[row::L][2];
    w.ax = d2[row::a][1];
    w.ay = d2[row::a][2];
    w.Lx1 = d2[row::L1][1];
    w.Ly1 = d2[row::L1][2];
    w.Lx2 = d2[row::L1][3];
    w.Ly2 = d2[row::L1][4];
    w.centreX = toInt(d2[row::centre][1]);
    w.centreY = toInt(d2[row::centre][2]);
    w.Px1 = d2[row::P][1];
    w.Py1 = d2[row::P][2];
    w.Px2 = d2[row::P][3];
    w.Py2 = d2[row::P][4];
    w.D1 = d1[field::D1];
    w.D2 = d1[field::D2];
    w.d = d1[field::cover];
    w.h1 = d1[field::h1];
    w.h2 = d1[field::h2];
    w.fe = d1[field::fe];
    w.Fc = d1[field::Fc];
    w.Wc = d1[field::Wc];
    w.Ws = d1[field::Ws];
    w.pfai = d1[field::pfai];
    w.Pe = d1[field::Pe];
    w.pileLayout = toInt(d1[field::pileLayout]);
    w.pileKind = toInt(d1[field::pileKind]);
    w.minEdge = d1[field::minEdge];
    w.minSpacing = d1[field::minSpacing];
    w.auxSpacing = d1[field::auxSpacing];
    w.barGradeX = trimBlanks(r.barGradeX);
    w.barSizeX = trimBlanks(r.barSizeX);
    w.barGradeY = trimBlanks(r.barGradeY);
    w.barSizeY = trimBlanks(r.barSizeY);
    w.edgx = toInt(d1[field::edgx]);
    w.edgy = toInt(d1[field::edgy]);
    w.pitchx = toInt(d1[field::pitchx]);
    w.pitchy = toInt(d1[field::pitchy]);
    w.nx = toInt(d1[field::nx]);
    w.ny = toInt(d1[field::ny]);
    w.priority = toInt(d1[field::priority]);
    return w;
}

void storeCompletedGeometry(const WorkingRecord& w, FoundationRecord& r) {
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    d1[field::D1] = w.D1;
    d1[field::D2] = w.D2;
    d1[field::h1] = w.h1;
    d1[field::h2] = w.h2;
    d1[field::minEdge] = w.minEdge;
    d1[field::minSpacing] = w.minSpacing;
    d2[row::L][1] = w.Lx;
    d2[row::L][2] = w.Ly;
    d2[row::L1][1] = w.Lx1;
    d2[row::L1][2] = w.Ly1;
    d2[row::L1][3] = w.Lx2;
    d2[row::L1][4] = w.Ly2;
    d2[row::P][1] = w.Px1;
    d2[row::P][2] = w.Py1;
    d2[row::P][3] = w.Px2;
    d2[row::P][4] = w.Py2;
}

void storeWorkingRecord(const WorkingRecord& w, FoundationRecord& r) {
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    d1[field::foundationType] = static_cast<float>(w.foundationType);
    r.name = w.name;
    r.memo = w.memo;
    for (int j = 1; j <= 4; ++j) {
        if (j != 2) d2[row::N][j] = w.N[j];
        d2[row::M][j] = w.M[j];
        d2[row::H][j] = w.H[j];
    }
    storeCompletedGeometry(w, r);
    d2[row::a][1] = w.ax;
    d2[row::a][2] = w.ay;
    d2[row::centre][1] = static_cast<float>(w.centreX);
    d2[row::centre][2] = static_cast<float>(w.centreY);
    d1[field::cover] = w.d;
    d1[field::fe] = w.fe;
    d1[field::Fc] = w.Fc;
    d1[field::Wc] = w.Wc;
    d1[field::Ws] = w.Ws;
    d1[field::pfai] = w.pfai;
    d1[field::Pe] = w.Pe;
    d1[field::pileLayout] = static_cast<float>(w.pileLayout);
    d1[field::pileKind] = static_cast<float>(w.pileKind);
    d1[field::auxSpacing] = w.auxSpacing;
    r.barGradeX = w.barGradeX;
    r.barSizeX = w.barSizeX;
    r.barGradeY = w.barGradeY;
    r.barSizeY = w.barSizeY;
    d1[field::edgx] = static_cast<float>(w.edgx);
    d1[field::edgy] = static_cast<float>(w.edgy);
    d1[field::pitchx] = static_cast<float>(w.pitchx);
    d1[field::pitchy] = static_cast<float>(w.pitchy);
    d1[field::nx] = static_cast<float>(w.nx);
    d1[field::ny] = static_cast<float>(w.ny);
    d1[field::priority] = static_cast<float>(w.priority);
}

} // namespace k5
