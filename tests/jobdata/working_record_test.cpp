#include "jobdata/working_record.h"

#include <gtest/gtest.h>

using namespace k5;

namespace {

// A record whose every data1 and data2 element holds a value unique to its
// place, so a field read from the wrong place shows up.
FoundationRecord markedRecord() {
    FoundationRecord r;
    for (int i = 0; i < 51; ++i)
        r.data1[i] = 1000.0f + i;
    for (int i = 0; i < 81; ++i)
        for (int j = 0; j < 5; ++j)
            r.data2[i][j] = 10.0f * i + j;
    r.data1[0] = 2;
    r.name = QStringLiteral("F1 ");
    r.barSizeX = QStringLiteral(" D13");
    return r;
}

} // namespace

TEST(WorkingRecord, ReadsEveryFieldFromItsStoredPlace) {
    WorkingRecord w = workingRecordFrom(markedRecord());
    EXPECT_EQ(w.foundationType, 2);
    EXPECT_EQ(w.name, QStringLiteral("F1"));
    EXPECT_EQ(w.barSizeX, QStringLiteral("D13"));
    EXPECT_FLOAT_EQ(w.N[1], 11);
    EXPECT_FLOAT_EQ(w.N[3], 13);
    EXPECT_FLOAT_EQ(w.N[4], 14);
    EXPECT_FLOAT_EQ(w.M[2], 22);
    EXPECT_FLOAT_EQ(w.H[4], 34);
    EXPECT_FLOAT_EQ(w.Lx, 41);
    EXPECT_FLOAT_EQ(w.Ly, 42);
    EXPECT_FLOAT_EQ(w.ax, 51);
    EXPECT_FLOAT_EQ(w.ay, 52);
    EXPECT_FLOAT_EQ(w.Lx1, 61);
    EXPECT_FLOAT_EQ(w.Ly1, 62);
    EXPECT_FLOAT_EQ(w.Lx2, 63);
    EXPECT_FLOAT_EQ(w.Ly2, 64);
    EXPECT_EQ(w.centreX, 71);
    EXPECT_EQ(w.centreY, 72);
    EXPECT_FLOAT_EQ(w.Px1, 81);
    EXPECT_FLOAT_EQ(w.Py1, 82);
    EXPECT_FLOAT_EQ(w.Px2, 83);
    EXPECT_FLOAT_EQ(w.Py2, 84);
    EXPECT_FLOAT_EQ(w.fe, 1002);
    EXPECT_FLOAT_EQ(w.Fc, 1003);
    EXPECT_FLOAT_EQ(w.D1, 1004);
    EXPECT_FLOAT_EQ(w.D2, 1005);
    EXPECT_FLOAT_EQ(w.d, 1006);
    EXPECT_FLOAT_EQ(w.h1, 1007);
    EXPECT_FLOAT_EQ(w.h2, 1008);
    EXPECT_EQ(w.pileLayout, 1009);
    EXPECT_FLOAT_EQ(w.Wc, 1012);
    EXPECT_FLOAT_EQ(w.Ws, 1013);
    EXPECT_FLOAT_EQ(w.pfai, 1014);
    EXPECT_FLOAT_EQ(w.Pe, 1015);
    EXPECT_EQ(w.pileKind, 1016);
    EXPECT_FLOAT_EQ(w.minEdge, 1017);
    EXPECT_FLOAT_EQ(w.minSpacing, 1018);
    EXPECT_FLOAT_EQ(w.auxSpacing, 1019);
    EXPECT_EQ(w.edgx, 1023);
    EXPECT_EQ(w.edgy, 1024);
    EXPECT_EQ(w.pitchx, 1030);
    EXPECT_EQ(w.pitchy, 1031);
    EXPECT_EQ(w.nx, 1032);
    EXPECT_EQ(w.ny, 1033);
    EXPECT_EQ(w.priority, 1034);
}

TEST(WorkingRecord, IntegersAreRoundedHalfToEven) {
    FoundationRecord r;
    r.data1[23] = 60.5f;
    r.data1[24] = 61.5f;
    r.data2[7][1] = 0.5f;
    WorkingRecord w = workingRecordFrom(r);
    EXPECT_EQ(w.edgx, 60);
    EXPECT_EQ(w.edgy, 62);
    EXPECT_EQ(w.centreX, 0);
}

TEST(WorkingRecord, StoringWritesOnlyWorkingPlaces) {
    const FoundationRecord original = markedRecord();
    FoundationRecord r = original;
    storeWorkingRecord(workingRecordFrom(original), r);
    // Unchanged round trip: no working field lands in a foreign place.
    for (int i = 0; i < 51; ++i)
        EXPECT_FLOAT_EQ(r.data1[i], original.data1[i]) << "data1 " << i;
    for (int i = 0; i < 81; ++i)
        for (int j = 0; j < 5; ++j)
            EXPECT_FLOAT_EQ(r.data2[i][j], original.data2[i][j]) << i << "," << j;

    FoundationRecord cleared;
    storeWorkingRecord(workingRecordFrom(original), cleared);
    EXPECT_FLOAT_EQ(cleared.data2[1][2], 0) << "the copy of N long belongs to the calculation";
    EXPECT_FLOAT_EQ(cleared.data1[20], 0) << "ngFlag is a result";
    EXPECT_FLOAT_EQ(cleared.data2[8][3], 83);
    EXPECT_FLOAT_EQ(cleared.data1[19], 1019);
}
