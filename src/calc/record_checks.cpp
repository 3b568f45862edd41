#include "calc/record_checks.h"

#include "calc/calc_messages.h"
#include "jobdata/common_values.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "jobdata/working_record.h"
#include "platform/numbers.h"

#include <cmath>

#include <algorithm>

namespace k5 {
namespace {

const QString kTwoLines = QStringLiteral("\n\n");

// Keeps the first failing rule's message with the record's prefix; a
// failing rule ends its check with the value `fail` returns.
class Reporter {
  public:
    explicit Reporter(int dataNo) : prefix_(checkMessagePrefix(dataNo)) {}
    // `field`: the input the rule is about, as the input forms name it.
    bool fail(const QString& text, const char* field = "") const {
        if (message_.isEmpty()) {
            message_ = prefix_ + text;
            field_ = QString::fromUtf8(field);
        }
        return false;
    }
    Outcome outcome(bool passed) const {
        return passed ? Outcome::success() : Outcome::warning(message_).about(field_);
    }

  private:
    QString prefix_;
    mutable QString message_;
    mutable QString field_;
};

// Lengths the checks derive are whole millimetres rounded up, except that a
// fraction below 0.1 mm is dropped.
double roundUpMm(double x) {
    return intFloor(x + 0.9);
}

QString plain(double value) {
    return formatGeneral(value);
}

void fillIfNotPositive(float& field, float common) {
    if (field <= 0) field = common;
}
void fillIfNotPositive(int& field, int common) {
    if (field <= 0) field = common;
}
void fillIfEmpty(QString& field, const QString& common) {
    if (field.isEmpty()) field = common;
}

// h1 and h2, D and D' stand in for each other when only one was given.
void completeEachOther(float& first, float& second) {
    if (first == 0 && second > 0) first = second;
    if (second == 0 && first > 0) second = first;
}

// The column offsets on both sides of one direction: a pile cap and a
// centred column split the overhang equally, otherwise the entered first
// offset stands and the second is what remains.
void completeOffsets(float length, float column, bool centred, float& first, float& second) {
    if (centred) {
        first = second = static_cast<float>((double(length) - column) / 2);
    } else {
        second = static_cast<float>(double(length) - first - column);
    }
}

// The bar diameter of a size text such as "D13": the number after its letter.
double barDiameter(const QString& size) {
    return parseLeadingNumber(size.mid(1));
}

// Steps 1 to 6 of the calculation-time check: everything it derives before
// checking. Returns the bar diameter φb and the cover to the bar centre dt.
struct Derived {
    double barPhi = 0;
    double dt = 0;
};

Derived completeForCalculation(WorkingRecord& w, int storedPileKind) {
    if (w.h1 > 0 && w.h2 <= 0)
        w.h2 = w.h1;
    else if (w.h1 <= 0 && w.h2 > 0)
        w.h1 = w.h2;
    if (w.D1 > 0 && w.D2 <= 0)
        w.D2 = w.D1;
    else if (w.D1 <= 0 && w.D2 > 0)
        w.D1 = w.D2;

    const bool pileCap = w.isPileCap();
    if (pileCap) {
        double lx = 0, ly = 0;
        if (pileCapSize(w.pileLayout, w.Px1, w.Py1, w.Px2, w.Py2, w.auxSpacing, lx, ly)) {
            w.Lx = static_cast<float>(lx);
            w.Ly = static_cast<float>(ly);
        }
    }
    completeOffsets(w.Lx, w.ax, pileCap || w.centreX == 1, w.Lx1, w.Lx2);
    completeOffsets(w.Ly, w.ay, pileCap || w.centreY == 1, w.Ly1, w.Ly2);

    if (pileCap) {
        if (auto minima = pileMinima(storedPileKind, w.pfai)) {
            w.pileKind = storedPileKind;
            w.minEdge = minima->edge;
            w.minSpacing = minima->spacing;
        }
    }

    Derived out;
    out.barPhi = std::max(barDiameter(w.barSizeX), barDiameter(w.barSizeY));
    // The pile head reaches 100 mm into the cap, so a cap's bars sit above it.
    out.dt = intFloor(out.barPhi / 2 + 0.9) + double(w.d) + (pileCap ? 100 : 0);
    return out;
}

// The slope of the footing top over one overhang may not exceed 1/4. An
// overhang of zero under a sloped top has no slope to judge: the record is
// refused with a message naming the offset to correct.
bool checkSlope(const Reporter& report, double drop, float overhang, const QString& offsetName,
                const QString& side) {
    if (overhang == 0) {
        return report.fail(QStringLiteral("ﾌｰﾁﾝｸﾞ上面が傾斜(D≠D')していますが、") + offsetName +
                           QStringLiteral("=0 のため傾斜を判定できません(") + side +
                           QStringLiteral(")。　　　") + kTwoLines + offsetName +
                           QStringLiteral("を0より大きくするか、D'をDと同じ値にしてください。　　　"));
    }
    if (drop / overhang > 0.25)
        return report.fail(QStringLiteral("ﾌｰﾁﾝｸﾞ上面の傾斜が1/4を超えています(") + side +
                           QStringLiteral(")。　　　"));
    return true;
}

bool checkCompleted(const Reporter& report, const WorkingRecord& w, const Derived& derived) {
    const bool pileCap = w.isPileCap();
    if (w.h1 < w.h2) return report.fail(QStringLiteral("h1<h2 となっています。　　　"));
    if (w.h2 != 0 && w.h2 < w.D1) return report.fail(QStringLiteral("h2<D となっています。　　　"));
    if (w.h2 == 0 && w.h2 < w.D2) return report.fail(QStringLiteral("h1<D' となっています。　　　"));
    if (w.Lx <= w.ax) return report.fail(QStringLiteral("Lx<=ax となっています｡　　　"));
    if (w.Ly <= w.ay) return report.fail(QStringLiteral("Ly<=ay となっています｡　　　"));
    if (w.Lx1 < 0) return report.fail(QStringLiteral("Lx1<0 となっています｡　　　"));
    if (w.Lx2 < 0) return report.fail(QStringLiteral("Lx2<0 となっています｡　　　"));
    if (w.Ly1 < 0) return report.fail(QStringLiteral("Ly1<0 となっています｡　　　"));
    if (w.Ly2 < 0) return report.fail(QStringLiteral("Ly2<0 となっています｡　　　"));
    if (w.D1 < w.D2) return report.fail(QStringLiteral("D<D' となっています。　　　"));
    if (w.D1 <= 0 && w.D2 <= 0)
        return report.fail(
            QStringLiteral("D<=0 かつ D'<=0　となっています。　　　") + kTwoLines +
            QStringLiteral("DとD'はどちらか一方または(必要に応じて)双方に入力してください。　　　　　"));
    if (w.isIsolated() && derived.dt < 60)
        return report.fail(QStringLiteral("かぶりdtは") + QStringLiteral("60") +
                           QStringLiteral("以上必要です(鉄筋φ=") + plain(derived.barPhi) +
                           QStringLiteral(")。"));
    if (pileCap && derived.dt < 170)
        return report.fail(QStringLiteral("かぶりdtは杭の埋め込み分(100mm)も含め、") + QStringLiteral("170") +
                           QStringLiteral("以上必要です(鉄筋φ=") + plain(derived.barPhi) +
                           QStringLiteral(")。"));
    if (pileCap) {
        // The limits are written out only for a message: every trial of the
        // sizing search passes through here.
        const auto e = [&] { return plain(w.minEdge); };
        const auto s = [&] { return plain(w.minSpacing); };
        const bool severalPiles = w.pileLayout != 1;
        if (w.Px1 < w.minEdge)
            return report.fail(QStringLiteral("X方向へりあき(Px1)が") + e() +
                               QStringLiteral("より小さくなっています。") + kTwoLines);
        if (severalPiles && w.Px2 < w.minSpacing)
            return report.fail(QStringLiteral("X方向杭間隔(Px2)が") + s() +
                               QStringLiteral("より小さくなっています。") + kTwoLines);
        if (severalPiles && w.Py1 < w.minEdge)
            return report.fail(QStringLiteral("Y方向へりあき(Py1)が") + e() +
                               QStringLiteral("より小さくなっています。") + kTwoLines);
        const PileArrangementRule* arrangement = pileArrangementRule(w.pileLayout);
        if (arrangement && arrangement->checksRowSpacing && w.Py2 < w.minSpacing)
            return report.fail(QStringLiteral("Y方向杭間隔(Py2)が") + s() +
                               QStringLiteral("より小さくなっています。") + kTwoLines);
    }
    if (w.D1 != w.D2) {
        const double drop = double(w.D1) - w.D2;
        if (!checkSlope(report, drop, w.Lx1, QStringLiteral("Lx1"), QStringLiteral("X方向左側")))
            return false;
        if (!checkSlope(report, drop, w.Lx2, QStringLiteral("Lx2"), QStringLiteral("X方向右側")))
            return false;
        if (!checkSlope(report, drop, w.Ly1, QStringLiteral("Ly1"), QStringLiteral("Y方向下側")))
            return false;
        if (!checkSlope(report, drop, w.Ly2, QStringLiteral("Ly2"), QStringLiteral("Y方向上側")))
            return false;
    }
    if (w.pitchx == 0 && w.nx == 0)
        return report.fail(QStringLiteral("X方向: 鉄筋間隔=0 かつ 鉄筋本数=0 となっています。　　　"));
    if (w.pitchy == 0 && w.ny == 0)
        return report.fail(QStringLiteral("Y方向: 鉄筋間隔=0 かつ 鉄筋本数=0 となっています。　　　"));
    return true;
}

bool checkRegisterRules(WorkingRecord& w, const Reporter& report);

} // namespace

QString checkMessagePrefix(int dataNo) {
    if (dataNo <= 0) return {};
    return QStringLiteral("ﾃﾞｰﾀNo ") + QString::number(dataNo) + QStringLiteral(": ");
}

void fillDefaults(WorkingRecord& w, const CommonValues& c) {
    if (w.isIsolated()) fillIfNotPositive(w.fe, c.fe);
    if (w.isPileCap()) {
        fillIfNotPositive(w.Pe, c.Pe);
        fillIfNotPositive(w.pfai, c.pfai);
    }
    fillIfEmpty(w.barGradeX, c.barGrade);
    fillIfEmpty(w.barSizeX, c.barSize);
    fillIfEmpty(w.barGradeY, c.barGrade);
    fillIfEmpty(w.barSizeY, c.barSize);
    fillIfNotPositive(w.Fc, c.Fc);
    fillIfNotPositive(w.Wc, c.Wc);
    fillIfNotPositive(w.Ws, c.Ws);
    fillIfNotPositive(w.ax, c.ax);
    fillIfNotPositive(w.ay, c.ay);
    fillIfNotPositive(w.D1, c.D1);
    fillIfNotPositive(w.D2, c.D2);
    fillIfNotPositive(w.d, c.d);
    fillIfNotPositive(w.h1, c.h1);
    fillIfNotPositive(w.h2, c.h2);
    fillIfNotPositive(w.edgx, c.edgx);
    fillIfNotPositive(w.edgy, c.edgy);
    fillIfNotPositive(w.pitchx, c.pitchx);
    fillIfNotPositive(w.pitchy, c.pitchy);
    fillIfNotPositive(w.nx, c.nx);
    fillIfNotPositive(w.ny, c.ny);
    if (w.priority < 1 || w.priority > 3) w.priority = c.priority;
}

std::optional<PileMinima> pileMinima(int pileKind, double d) {
    double e = 0, s = 0;
    switch (pileKind) {
    case 0:
        e = 1.25 * d, s = std::max(2.5 * d, 750.0);
        break; // precast concrete, closed end
    case 1:
        e = 1.25 * d, s = std::max(2 * d, 750.0);
        break; // steel, H-section, open end
    case 2:
        e = d, s = 2 * d;
        break; // embedded
    case 3:
        e = intFloor(0.5 * d + 0.9) + 200, s = std::max(2 * d, d + 1000);
        break; // cast in place
    default:
        return std::nullopt;
    }
    return PileMinima{static_cast<float>(roundUpMm(e)), static_cast<float>(roundUpMm(s))};
}

Outcome checkRecordForRegister(WorkingRecord& w, int dataNo) {
    const Reporter report(dataNo);
    return report.outcome(checkRegisterRules(w, report));
}

namespace {

bool checkRegisterRules(WorkingRecord& w, const Reporter& report) {
    const bool isolated = w.isIsolated();
    const bool pileCap = w.isPileCap();

    if (w.name.isEmpty())
        return report.fail(QStringLiteral("基礎名（設計基礎名）が空欄となっています。　　　"), "name");
    if (w.N[1] == 0) return report.fail(QStringLiteral("長期軸力=0 となっています。　　　"), "N1");
    if (isolated && w.Lx <= 0) return report.fail(QStringLiteral("Lx<=0 となっています｡　　　"), "Lx");
    if (isolated && w.Ly <= 0) return report.fail(QStringLiteral("Ly<=0 となっています｡　　　"), "Ly");
    if (w.ax <= 0) return report.fail(QStringLiteral("ax<=0 となっています。　　　"), "ax");
    if (w.ay <= 0) return report.fail(QStringLiteral("ay<=0 となっています。　　　"), "ay");
    if (w.centreX == 0 && w.Lx1 < 0) return report.fail(QStringLiteral("Lx1<0 となっています｡　　　"), "Lx1");
    if (w.centreY == 0 && w.Ly1 < 0) return report.fail(QStringLiteral("Ly1<0 となっています｡　　　"), "Ly1");
    if (w.h1 <= 0 && w.h2 <= 0)
        return report.fail(QStringLiteral("h1<=0かつh2<=0 となっています。　　　"), "h1");
    if (w.h1 > 0 && w.h2 > 0 && w.h1 < w.h2)
        return report.fail(QStringLiteral("h1<h2となっています。　　　"), "h1");
    completeEachOther(w.h1, w.h2);
    if (w.D1 <= 0 && w.D2 <= 0)
        return report.fail(QStringLiteral("D<=0かつD'<=0 となっています。　　　"), "D1");
    if (w.D1 > 0 && w.D2 > 0 && w.D1 < w.D2)
        return report.fail(QStringLiteral("D1<D2となっています。　　　"), "D1");
    completeEachOther(w.D1, w.D2);
    if (w.d <= 0) return report.fail(QStringLiteral("かぶりd<=0 となっています。　　　"), "d");
    if (w.D2 < w.d)
        return report.fail(QStringLiteral("かぶりdが D<d または D'<d となっています。　　　"), "d");
    if (w.Fc <= 0)
        return report.fail(QStringLiteral("ｺﾝｸﾘｰﾄ強度Fcが0または0以下となっています。　　　"), "Fc");
    if (w.Wc <= 0)
        return report.fail(QStringLiteral("ｺﾝｸﾘｰﾄの単位重量Wcが0または0以下となっています。　　　"), "Wc");
    if (isolated && w.fe <= 0)
        return report.fail(QStringLiteral("地耐力Feが0または0以下となっています。　　　"), "fe");
    if (pileCap && w.Pe <= 0)
        return report.fail(QStringLiteral("杭の支持力Peが0または0以下となっています。　　　"), "Pe");
    if (pileCap && w.pfai <= 0)
        return report.fail(QStringLiteral("杭の直径φが0または0以下となっています。　　　"), "pfai");
    if (w.edgx <= 0) return report.fail(QStringLiteral("X方向端空き<=0 となっています。　　　"), "edgx");
    if (w.edgy <= 0) return report.fail(QStringLiteral("Y方向端空き<=0 となっています。　　　"), "edgy");
    if (w.pitchx < 0)
        return report.fail(QStringLiteral("X方向の最大鉄筋間隔<0　となっています。　　　"), "pitchx");
    if (w.pitchy < 0)
        return report.fail(QStringLiteral("Y方向の最大鉄筋間隔<0　となっています。　　　"), "pitchy");
    if (w.nx < 0) return report.fail(QStringLiteral("X方向の鉄筋本数<0 となっています。　　　"), "nx");
    if (w.ny < 0) return report.fail(QStringLiteral("Y方向の鉄筋本数<0 となっています。　　　"), "ny");
    return true;
}

} // namespace

namespace {

struct NamedInput {
    int index;
    const char* name;
};

// The inputs of data1 as the windows name them.
constexpr NamedInput kData1Inputs[] = {
    {field::foundationType, "基礎タイプ"},
    {field::unitSystem, "単位系"},
    {field::fe, "地耐力fe"},
    {field::Fc, "Fc"},
    {field::D1, "D"},
    {field::D2, "D'"},
    {field::cover, "かぶりd"},
    {field::h1, "h1"},
    {field::h2, "h2"},
    {field::pileLayout, "杭配置"},
    {field::Wc, "Wc"},
    {field::Ws, "Ws"},
    {field::pfai, "杭径φ"},
    {field::Pe, "杭の支持力Pe"},
    {field::pileKind, "杭種類"},
    {field::edgx, "X方向端空き"},
    {field::edgy, "Y方向端空き"},
    {field::pitchx, "X方向の最大鉄筋間隔"},
    {field::pitchy, "Y方向の最大鉄筋間隔"},
    {field::nx, "X方向の鉄筋本数"},
    {field::ny, "Y方向の鉄筋本数"},
    {field::priority, "鉄筋本数の決定方法"},
};

// The inputs of data2: a row and the names of its columns 1..4 (empty: not an input).
struct NamedRow {
    int row;
    const char* names[4];
};
constexpr NamedRow kData2Inputs[] = {
    {row::N, {"N(長期)", "", "N(短期X)", "N(短期Y)"}},
    {row::M, {"M(長期X)", "M(長期Y)", "M(短期X)", "M(短期Y)"}},
    {row::H, {"H(長期X)", "H(長期Y)", "H(短期X)", "H(短期Y)"}},
    {row::L, {"Lx", "Ly", "", ""}},
    {row::a, {"ax", "ay", "", ""}},
    {row::L1, {"Lx1", "Ly1", "", ""}},
    {row::centre, {"X方向の中心", "Y方向の中心", "", ""}},
    {row::P, {"Px1", "Py1", "Px2", "Py2"}},
};

QString nameOf(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

Outcome checkStoredValues(const FoundationRecord& stored, int dataNo) {
    const QString prefix = checkMessagePrefix(dataNo);
    const auto refuse = [&](const QString& text) { return Outcome::warning(prefix + text); };
    for (const NamedInput& input : kData1Inputs)
        if (!std::isfinite(stored.data1[input.index]))
            return refuse(calc_message::storedValueNotNumber(nameOf(input.name)));
    for (const NamedRow& r : kData2Inputs)
        for (int j = 1; j <= 4; ++j)
            if (*r.names[j - 1] && !std::isfinite(stored.data2[r.row][j]))
                return refuse(calc_message::storedValueNotNumber(nameOf(r.names[j - 1])));

    const long long unit = cInt(stored.data1[field::unitSystem]);
    if (unit != 1 && unit != 2)
        return refuse(
            calc_message::storedValueOutOfRange(QStringLiteral("単位系"), QStringLiteral("1 または 2")));
    const long long priority = cInt(stored.data1[field::priority]);
    if (priority < 1 || priority > 3)
        return refuse(calc_message::storedValueOutOfRange(QStringLiteral("鉄筋本数の決定方法"),
                                                          QStringLiteral("1～3")));
    if (cInt(stored.data1[field::foundationType]) == kTypeIsolated) {
        for (int j = 1; j <= 2; ++j) {
            const float centre = stored.data2[row::centre][j];
            if (centre != 0 && centre != 1)
                return refuse(calc_message::storedValueOutOfRange(nameOf(kData2Inputs[6].names[j - 1]),
                                                                  QStringLiteral("0 または 1")));
        }
    }
    if (stored.data1[field::Ws] < 0)
        return refuse(calc_message::storedValueOutOfRange(QStringLiteral("Ws"), QStringLiteral("0以上")));
    return Outcome::success();
}

Outcome checkRecordForCalculation(WorkingRecord& work, FoundationRecord& stored, int dataNo) {
    const int storedPileKind = static_cast<int>(cInt(stored.data1[field::pileKind]));
    const Derived derived = completeForCalculation(work, storedPileKind);
    const Reporter report(dataNo);
    // A huge but finite input can complete to a length beyond a Single: it is
    // refused before anything is written, so no infinity reaches the job file.
    const std::pair<float, const char*> completed[] = {
        {work.Lx, "Lx"},   {work.Ly, "Ly"},   {work.Lx1, "Lx1"},          {work.Lx2, "Lx2"},
        {work.Ly1, "Ly1"}, {work.Ly2, "Ly2"}, {work.minEdge, "へりあき"}, {work.minSpacing, "杭間隔"}};
    for (const auto& [value, name] : completed)
        if (!std::isfinite(value))
            return Outcome::warning(checkMessagePrefix(dataNo) +
                                    calc_message::completedValueTooLarge(nameOf(name)));
    if (!checkCompleted(report, work, derived)) return report.outcome(false);
    storeCompletedGeometry(work, stored);
    return Outcome::success();
}

} // namespace k5
