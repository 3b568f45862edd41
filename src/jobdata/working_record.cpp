#include "jobdata/working_record.h"

#include "platform/fixed_text.h"
#include "platform/numbers.h"

namespace k5 {
namespace {

// Indexes of data1.
enum Data1 {
    kFoundationType = 0,
    kFe = 2,
    kFc = 3,
    kD1 = 4,
    kD2 = 5,
    kCover = 6,
    kH1 = 7,
    kH2 = 8,
    kPileLayout = 9,
    kWc = 12,
    kWs = 13,
    kPfai = 14,
    kPe = 15,
    kPileKind = 16,
    kMinEdge = 17,
    kMinSpacing = 18,
    kAuxSpacing = 19,
    kEdgx = 23,
    kEdgy = 24,
    kPitchx = 30,
    kPitchy = 31,
    kNx = 32,
    kNy = 33,
    kPriority = 34,
};

// Rows of data2.
enum Data2 { kRowN = 1, kRowM = 2, kRowH = 3, kRowL = 4, kRowA = 5, kRowL1 = 6, kRowCentre = 7, kRowP = 8 };

int toInt(float value) {
    return static_cast<int>(cInt(value));
}

} // namespace

WorkingRecord workingRecordFrom(const FoundationRecord& r) {
    WorkingRecord w;
    const auto& d1 = r.data1;
    const auto& d2 = r.data2;
    w.foundationType = toInt(d1[kFoundationType]);
    w.name = trimBlanks(r.name);
    w.memo = trimBlanks(r.memo);
    for (int j = 1; j <= 4; ++j) {
        w.N[j] = j == 2 ? 0.0f : d2[kRowN][j];
        w.M[j] = d2[kRowM][j];
        w.H[j] = d2[kRowH][j];
    }
    w.Lx = d2[kRowL][1];
    w.Ly = d2[kRowL][2];
    w.ax = d2[kRowA][1];
    w.ay = d2[kRowA][2];
    w.Lx1 = d2[kRowL1][1];
    w.Ly1 = d2[kRowL1][2];
    w.Lx2 = d2[kRowL1][3];
    w.Ly2 = d2[kRowL1][4];
    w.centreX = toInt(d2[kRowCentre][1]);
    w.centreY = toInt(d2[kRowCentre][2]);
    w.Px1 = d2[kRowP][1];
    w.Py1 = d2[kRowP][2];
    w.Px2 = d2[kRowP][3];
    w.Py2 = d2[kRowP][4];
    w.D1 = d1[kD1];
    w.D2 = d1[kD2];
    w.d = d1[kCover];
    w.h1 = d1[kH1];
    w.h2 = d1[kH2];
    w.fe = d1[kFe];
    w.Fc = d1[kFc];
    w.Wc = d1[kWc];
    w.Ws = d1[kWs];
    w.pfai = d1[kPfai];
    w.Pe = d1[kPe];
    w.pileLayout = toInt(d1[kPileLayout]);
    w.pileKind = toInt(d1[kPileKind]);
    w.minEdge = d1[kMinEdge];
    w.minSpacing = d1[kMinSpacing];
    w.auxSpacing = d1[kAuxSpacing];
    w.barGradeX = trimBlanks(r.barGradeX);
    w.barSizeX = trimBlanks(r.barSizeX);
    w.barGradeY = trimBlanks(r.barGradeY);
    w.barSizeY = trimBlanks(r.barSizeY);
    w.edgx = toInt(d1[kEdgx]);
    w.edgy = toInt(d1[kEdgy]);
    w.pitchx = toInt(d1[kPitchx]);
    w.pitchy = toInt(d1[kPitchy]);
    w.nx = toInt(d1[kNx]);
    w.ny = toInt(d1[kNy]);
    w.priority = toInt(d1[kPriority]);
    return w;
}

void storeCompletedGeometry(const WorkingRecord& w, FoundationRecord& r) {
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    d1[kD1] = w.D1;
    d1[kD2] = w.D2;
    d1[kH1] = w.h1;
    d1[kH2] = w.h2;
    d1[kMinEdge] = w.minEdge;
    d1[kMinSpacing] = w.minSpacing;
    d2[kRowL][1] = w.Lx;
    d2[kRowL][2] = w.Ly;
    d2[kRowL1][1] = w.Lx1;
    d2[kRowL1][2] = w.Ly1;
    d2[kRowL1][3] = w.Lx2;
    d2[kRowL1][4] = w.Ly2;
    d2[kRowP][1] = w.Px1;
    d2[kRowP][2] = w.Py1;
    d2[kRowP][3] = w.Px2;
    d2[kRowP][4] = w.Py2;
}

void storeWorkingRecord(const WorkingRecord& w, FoundationRecord& r) {
    auto& d1 = r.data1;
    auto& d2 = r.data2;
    d1[kFoundationType] = static_cast<float>(w.foundationType);
    r.name = w.name;
    r.memo = w.memo;
    for (int j = 1; j <= 4; ++j) {
        if (j != 2) d2[kRowN][j] = w.N[j];
        d2[kRowM][j] = w.M[j];
        d2[kRowH][j] = w.H[j];
    }
    storeCompletedGeometry(w, r);
    d2[kRowA][1] = w.ax;
    d2[kRowA][2] = w.ay;
    d2[kRowCentre][1] = static_cast<float>(w.centreX);
    d2[kRowCentre][2] = static_cast<float>(w.centreY);
    d1[kCover] = w.d;
    d1[kFe] = w.fe;
    d1[kFc] = w.Fc;
    d1[kWc] = w.Wc;
    d1[kWs] = w.Ws;
    d1[kPfai] = w.pfai;
    d1[kPe] = w.Pe;
    d1[kPileLayout] = static_cast<float>(w.pileLayout);
    d1[kPileKind] = static_cast<float>(w.pileKind);
    d1[kAuxSpacing] = w.auxSpacing;
    r.barGradeX = w.barGradeX;
    r.barSizeX = w.barSizeX;
    r.barGradeY = w.barGradeY;
    r.barSizeY = w.barSizeY;
    d1[kEdgx] = static_cast<float>(w.edgx);
    d1[kEdgy] = static_cast<float>(w.edgy);
    d1[kPitchx] = static_cast<float>(w.pitchx);
    d1[kPitchy] = static_cast<float>(w.pitchy);
    d1[kNx] = static_cast<float>(w.nx);
    d1[kNy] = static_cast<float>(w.ny);
    d1[kPriority] = static_cast<float>(w.priority);
}

} // namespace k5
