#include "calc/calculation.h"

#include "calc/calc_kernel.h"
#include "calc/calc_messages.h"
#include "calc/grade_stress.h"
#include "calc/isolated_design.h"
#include "calc/pile_cap_design.h"
#include "calc/prepare_common.h"
#include "input/record_checks.h"
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "shell/app_context.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <limits>

namespace k5 {
namespace {

constexpr int kLength = FoundationRecord::kLength;

// An Integer of the stored rebar data: rounded half to even; a value beyond
// the 16-bit range is held at its limit and reported.
int storedInteger(float value, bool& inRange) {
    if (!fitsInt16(value)) {
        inRange = false;
        if (std::isnan(value)) return 0;
        return value < 0 ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int16_t>::max();
    }
    return static_cast<int>(cInt(value));
}

// What the masters give a run: read once, since nothing changes them while
// the run goes on.
class RunMasters {
  public:
    explicit RunMasters(AppContext& ctx) : ctx_(ctx) {
        loadConcreteSetting(ctx);
        concrete_.edition = ctx.concrete.concreteEdition;
        concrete_.factorC = ctx.concrete.cgsShortFactorC;
        concrete_.factorS = ctx.concrete.cgsShortFactorS;
    }

    const ConcreteRule& concrete() const { return concrete_; }

    // Allowable stresses of the grade (with the grade's message when it is
    // not found) and the size's bar data.
    std::optional<SteelData> steel(const QString& grade, const QString& size, bool si) {
        if (!gradesRead_) {
            grades_ = readGradeRecords(ctx_);
            gradesRead_ = true;
        }
        const std::optional<GradeStress> stress = findGradeStress(ctx_, grades_, grade, size, si);
        if (!stress) return std::nullopt;
        SteelData s;
        s.size = size;
        s.ftLong = stress->longTerm;
        s.ftShort = stress->shortTerm;
        const BarSizeData bar = barSize(size);
        s.area = bar.area;
        s.perimeter = bar.perimeter;
        return s;
    }

  private:
    BarSizeData barSize(const QString& size) {
        auto it = sizes_.constFind(size);
        if (it == sizes_.constEnd()) it = sizes_.insert(size, findBarSize(ctx_, size));
        return *it;
    }

    AppContext& ctx_;
    ConcreteRule concrete_;
    QList<GradeRecord> grades_;
    bool gradesRead_ = false;
    QHash<QString, BarSizeData> sizes_;
};

BarRules barRulesOf(const WorkingRecord& w, const FoundationRecord& rec) {
    BarRules b;
    b.edge = {0, w.edgx, w.edgy};
    b.pitch = {0, w.pitchx, w.pitchy};
    b.count = {0, w.nx, w.ny};
    b.priority = cInt(rec.data1[field::priority]);
    return b;
}

// One record: load, check, prepare, design, write back.
bool calculateRecord(AppContext& ctx, RunMasters& masters, RecordFile& file, int n) {
    ctx.work = WorkingRecord{};
    ctx.job.currentRecordBuffer = decodeRecord(file.read(n));
    const LoadedRecord loaded = loadRecordForCalculation(ctx);
    if (!checkRecordForRegister(ctx, n)) return false;
    if (!checkRecordForCalculation(ctx, n, file)) return false;

    const WorkingRecord& w = ctx.work;
    FoundationRecord& rec = ctx.job.currentRecordBuffer;
    const auto refuse = [&](const QString& what) {
        ctx.ask().warn(checkMessagePrefix(n) + what);
        return false;
    };
    if (!loaded.barRulesInRange) return refuse(calc_message::barRuleOutOfRange());

    const bool si = cInt(rec.data1[field::unitSystem]) == 1;
    const std::optional<SteelData> x = masters.steel(w.barGradeX, w.barSizeX, si);
    if (!x) return false;
    const std::optional<SteelData> y = masters.steel(w.barGradeY, w.barSizeY, si);
    if (!y) return false;

    DesignRecord design(rec, barRulesOf(w, rec),
                        [&](const FoundationRecord& r) { return file.write(n, encodeRecord(r)); });
    bool ok = prepareCommon(design, w, *x, *y, masters.concrete());
    if (ok && w.foundationType == kTypeIsolated) ok = designIsolated(design);
    if (ok && w.foundationType == kTypePileCap) ok = designPileCap(design);
    if (!ok) return refuse(design.fault());
    if (loaded.changed && !file.write(n, encodeRecord(rec))) return refuse(calc_message::writeFailed());
    return true;
}

void count(AppContext& ctx, bool withNg) {
    CalcCounters& c = ctx.counts;
    c = CalcCounters{};
    const QString path = ctx.folders.jobFile();
    if (!QFileInfo::exists(path) || QFileInfo(path).size() == 0) return;
    RecordFile file(path, kLength);
    if (!file.openReadOnly()) return;
    const int records = file.count();
    for (int n = 1; n <= records; ++n) {
        const QByteArray bytes = file.read(n);
        const long long type = cInt(data1Of(bytes, field::foundationType));
        const bool ng = withNg && data1Of(bytes, field::ngFlag) == -1;
        if (type == kTypeIsolated) {
            ++c.isolated;
            if (ng) ++c.isolatedNg;
        } else if (type == kTypePileCap) {
            ++c.pileCaps;
            if (ng) ++c.pileCapsNg;
        }
    }
}

} // namespace

void countFoundations(AppContext& ctx) {
    count(ctx, false);
}

void countNgFoundations(AppContext& ctx) {
    count(ctx, true);
}

LoadedRecord loadRecordForCalculation(AppContext& ctx) {
    FoundationRecord& rec = ctx.job.currentRecordBuffer;
    WorkingRecord& w = ctx.work;
    LoadedRecord loaded;
    const auto d1 = [&](int i) { return rec.data1[static_cast<size_t>(i)]; };
    const auto d2 = [&](int i, int j) { return rec.data2[static_cast<size_t>(i)][static_cast<size_t>(j)]; };

    w.name = trimBlanks(rec.name);
    w.foundationType = static_cast<int>(cInt(d1(field::foundationType)));
    w.ax = d2(row::a, 1);
    w.ay = d2(row::a, 2);
    w.h1 = d1(field::h1);
    w.D1 = d1(field::D1);
    w.D2 = d1(field::D2);
    w.d = d1(field::cover);
    w.N[1] = d2(row::N, 1);
    w.N[3] = d2(row::N, 3);
    w.N[4] = d2(row::N, 4);
    for (int j = 1; j <= 4; ++j) {
        w.M[j] = d2(row::M, j);
        w.H[j] = d2(row::H, j);
    }
    w.Fc = d1(field::Fc);
    w.Wc = d1(field::Wc);
    w.Ws = d1(field::Ws);
    w.barGradeX = trimBlanks(rec.barGradeX);
    w.barSizeX = trimBlanks(rec.barSizeX);
    w.barGradeY = trimBlanks(rec.barGradeY);
    w.barSizeY = trimBlanks(rec.barSizeY);
    w.h2 = d1(field::h2);

    if (w.foundationType == kTypeIsolated) {
        w.Lx = d2(row::L, 1);
        w.Ly = d2(row::L, 2);
        w.fe = d1(field::fe);
        w.centreX = static_cast<int>(cInt(d2(row::centre, 1)));
        w.centreY = static_cast<int>(cInt(d2(row::centre, 2)));
        w.Lx1 = d2(row::L1, 1);
        w.Ly1 = d2(row::L1, 2);
    } else if (w.foundationType == kTypePileCap) {
        w.pfai = d1(field::pfai);
        w.Pe = d1(field::Pe);
        w.pileLayout = static_cast<int>(cInt(d1(field::pileLayout)));
        w.Px1 = d2(row::P, 1);
        w.Py1 = d2(row::P, 2);
        rec.data1[field::auxSpacing] = 0;
        const float Px2 = d2(row::P, 3);
        switch (w.pileLayout) {
        case 1:
            break;
        case 2:
        case 4:
            w.Px2 = Px2;
            break;
        case 3:
        case 8: // equilateral triangles: the row spacing follows the pile spacing
            w.Px2 = Px2;
            w.Py2 = static_cast<float>(intFloor(Px2 * std::sqrt(3.0) / 2));
            loaded.changed = true;
            break;
        case 6:
        case 9: // piles on the diagonals of a square: F is its side
            w.Px2 = Px2;
            w.auxSpacing = static_cast<float>(intFloor(Px2 * std::sqrt(2.0)));
            rec.data1[field::auxSpacing] = w.auxSpacing;
            loaded.changed = true;
            break;
        case 5:
        case 7:
        case 10:
        case 11:
            w.Px2 = Px2;
            w.Py2 = d2(row::P, 4);
            break;
        default:
            break;
        }
        // The column stands on the centre of a pile cap.
        w.centreX = w.centreY = 1;
        rec.data2[row::centre][1] = rec.data2[row::centre][2] = 1;
        loaded.changed = true;
    }

    bool inRange = true;
    w.edgx = storedInteger(d1(field::edgx), inRange);
    w.edgy = storedInteger(d1(field::edgy), inRange);
    w.pitchx = storedInteger(d1(field::pitchx), inRange);
    w.pitchy = storedInteger(d1(field::pitchy), inRange);
    w.nx = storedInteger(d1(field::nx), inRange);
    w.ny = storedInteger(d1(field::ny), inRange);
    loaded.barRulesInRange = inRange;
    return loaded;
}

bool runCalculation(AppContext& ctx) {
    ctx.trace(QStringLiteral("_400 計算開始 Start"));
    countFoundations(ctx);
    if (ctx.counts.isolated == 0 && ctx.counts.pileCaps == 0) {
        ctx.ask().warn(calc_message::noFoundations());
        return false;
    }
    ctx.counts.isolatedNg = ctx.counts.pileCapsNg = 0;

    const QString path = ctx.folders.jobFile();
    RecordFile file(path, kLength);
    if (!file.open()) {
        ctx.ask().error(calc_message::jobFileNotOpened(path));
        return false;
    }
    // A trailing part of a record of at least half its length counts as one
    // (read with zeros past the end).
    const long long records = cInt(static_cast<double>(QFileInfo(path).size()) / kLength);
    RunMasters masters(ctx);
    bool ok = true;
    for (int n = 1; n <= records && ok; ++n)
        ok = calculateRecord(ctx, masters, file, n);
    file.close();
    ctx.trace(QStringLiteral("_400 計算結果=") + (ok ? QStringLiteral("True") : QStringLiteral("False")) +
              QStringLiteral(" End---------->"));
    if (!ok) return false;
    ctx.ask().inform(calc_message::finished());
    return true;
}

} // namespace k5
