// k5-sample-job FILE: writes the sample job installed with the program, a
// small SI job of isolated footings and pile caps as the input windows store
// them (inputs only, not yet calculated). One footing is too small for its
// load, so the report shows what a failed check looks like.
#include "jobdata/foundation_record.h"
#include "jobdata/record_layout.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace {

using k5::FoundationRecord;
namespace field = k5::field;
namespace row = k5::row;

constexpr int kLongX = 1, kLongY = 2, kShortX = 3, kShortY = 4; // load-case columns

// What every foundation of the job shares: the job's names, SI units, SD295
// D19 bars at 200 mm, 70 mm cover, Fc 21, 1000 mm embedment, concrete 24 and
// soil 16 kN/m³.
FoundationRecord common(const QString& name, int type, float depth) {
    FoundationRecord r;
    r.jobName = QStringLiteral("サンプル工事（事務所棟）");
    r.fileName = QStringLiteral("サンプル");
    r.name = name;
    r.barGradeX = r.barGradeY = QStringLiteral("SD295");
    r.barSizeX = r.barSizeY = QStringLiteral("D19");
    r.data1[field::foundationType] = static_cast<float>(type);
    r.data1[field::unitSystem] = 1;
    r.data1[field::Fc] = 21;
    r.data1[field::D1] = r.data1[field::D2] = depth;
    r.data1[field::cover] = 70;
    r.data1[field::h1] = r.data1[field::h2] = 1000;
    r.data1[field::Wc] = 24;
    r.data1[field::Ws] = 16;
    r.data1[field::edgx] = r.data1[field::edgy] = 60;
    r.data1[field::pitchx] = r.data1[field::pitchy] = 200;
    r.data1[field::nx] = r.data1[field::ny] = 2;
    r.data1[field::priority] = 1;
    return r;
}

struct Loads {
    float N = 0;                    // long-term axial force, kN
    float NshortX = 0, NshortY = 0; // short-term increments, kN
    float Mshort = 0, Hshort = 0;   // short-term seismic moment (kN·m) and shear (kN), both directions
};

void setLoads(FoundationRecord& r, const Loads& l) {
    r.data2[row::N][kLongX] = l.N;
    r.data2[row::N][kShortX] = l.NshortX;
    r.data2[row::N][kShortY] = l.NshortY;
    for (int j : {kShortX, kShortY}) {
        r.data2[row::M][j] = l.Mshort;
        r.data2[row::H][j] = l.Hshort;
    }
}

// An isolated footing Lx × Ly under a column ax × ay; the column is centred
// unless `Lx1` (the overhang on the left, mm) is given.
FoundationRecord footing(const QString& name, float Lx, float Ly, float ax, float ay, float depth, float fe,
                         const Loads& loads, float Lx1 = 0) {
    FoundationRecord r = common(name, k5::kTypeIsolated, depth);
    r.data1[field::fe] = fe;
    r.data2[row::L][1] = Lx;
    r.data2[row::L][2] = Ly;
    r.data2[row::a][1] = ax;
    r.data2[row::a][2] = ay;
    r.data2[row::centre][1] = Lx1 > 0 ? 0 : 1;
    r.data2[row::centre][2] = 1;
    r.data2[row::L1][1] = Lx1;
    setLoads(r, loads);
    return r;
}

// A pile cap of arrangement `layout` (5: four piles, 2: two in a row) with
// the edge distances Px1, Py1 and the spacings Px2, Py2 (mm); the cap size
// follows from them.
FoundationRecord pileCap(const QString& name, int layout, float Px1, float Py1, float Px2, float Py2,
                         float column, float depth, float pileDiameter, float pileCapacity,
                         const Loads& loads) {
    FoundationRecord r = common(name, k5::kTypePileCap, depth);
    r.data1[field::pileLayout] = static_cast<float>(layout);
    r.data1[field::pfai] = pileDiameter;
    r.data1[field::Pe] = pileCapacity;
    r.data2[row::a][1] = r.data2[row::a][2] = column;
    r.data2[row::P][1] = Px1;
    r.data2[row::P][2] = Py1;
    r.data2[row::P][3] = Px2;
    r.data2[row::P][4] = Py2;
    setLoads(r, loads);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: k5-sample-job JOBFILE\n");
        return 2;
    }
    const QList<FoundationRecord> records{
        footing(QStringLiteral("F1"), 2400, 2400, 600, 600, 600, 200, {700, 150, 150, 120, 60}),
        footing(QStringLiteral("F2"), 2800, 2400, 600, 600, 700, 200, {950, 200, 180, 180, 90}),
        // A column off the centre: the footing reaches further to one side.
        footing(QStringLiteral("F3"), 2600, 2400, 600, 600, 700, 200, {600, 120, 120, 100, 50}, 800),
        // Too small for its load: the contact pressure fails.
        footing(QStringLiteral("F4"), 1600, 1600, 500, 500, 500, 150, {650, 100, 100, 80, 40}),
        pileCap(QStringLiteral("P1"), 5, 600, 600, 1500, 1500, 700, 1000, 400, 600,
                {1600, 300, 300, 250, 120}),
        pileCap(QStringLiteral("P2"), 2, 600, 600, 1500, 0, 600, 900, 400, 600, {800, 150, 150, 100, 60}),
    };
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "k5-sample-job: cannot write %s\n", argv[1]);
        return 1;
    }
    for (const FoundationRecord& r : records) {
        const QByteArray bytes = k5::encodeRecord(r);
        if (out.write(bytes) != bytes.size()) return 1;
    }
    return out.flush() ? 0 : 1;
}
