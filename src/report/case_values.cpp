#include "report/case_values.h"

#include "calc/design_results.h"
#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

namespace k5::report {
namespace {

bool isSi(int unitSystem) {
    return unitSystem == 1;
}

// The design leaves a row at 0 where it does not apply; the two
// distribution factors α and α' are 1.0 where they do not apply, and there
// a 0 is a value worth printing.
bool isEmptyValue(FoundationType type, int data2Row, float v) {
    if (type == kTypeIsolated && (data2Row == row::alpha || data2Row == row::alpha2)) return v == 1.0f;
    return v == 0.0f;
}

// Eccentricities and neutral-axis depths are a fraction of a metre, the
// eccentricity ratios are judged against 1/6 (0.15 must not read "0.2"
// beside "1/6以下") and shear stresses are a fraction of a N/mm²: they need
// three decimals.
QString casePattern(FoundationType type, int data2Row) {
    static const int isolatedFine[] = {row::e,       row::eRatio, row::Xn, row::e2,
                                       row::e2Ratio, row::Xn2,    row::tau};
    if (type == kTypeIsolated) {
        for (int r : isolatedFine)
            if (r == data2Row) return QStringLiteral("###0.000");
    } else if (data2Row == row::tau) {
        return QStringLiteral("###0.000");
    }
    return QStringLiteral("###0.0");
}

// The X checks stand under the two long-term columns, the Y checks under the two short-term ones.
int directionColumn(FoundationType type, Direction dir) {
    return caseColumn(type, kLongX) + 2 * (dir - kDirX);
}

CheckText spanOf(FoundationType type, Direction dir, QString text, bool ng = false) {
    const int first = directionColumn(type, dir);
    return {std::move(text), first, first + 1, ng};
}

} // namespace

CaseFlags caseFlags(const FoundationRecord& r) {
    const auto& d = r.data2;
    CaseFlags flags;
    flags.printed[kLongX] = true;
    flags.printed[kLongY] = d[row::M][kLongY] != 0 || d[row::H][kLongY] != 0;
    flags.printed[kShortX] = d[row::N][kShortX] != 0 || d[row::M][kShortX] != 0 || d[row::H][kShortX] != 0;
    flags.printed[kShortY] = d[row::N][kShortY] != 0 || d[row::M][kShortY] != 0 || d[row::H][kShortY] != 0;
    return flags;
}

int unitColumn(FoundationType type) {
    return type == kTypeIsolated ? 5 : 4;
}

int caseColumn(FoundationType type, int loadCase) {
    return unitColumn(type) + loadCase;
}

QString unitText(int code, int unitSystem) {
    const bool si = isSi(unitSystem);
    switch (code) {
    case 1:
        return si ? QStringLiteral("kN") : QStringLiteral("t");
    case 2:
        return QStringLiteral("m");
    case 3:
        return si ? QStringLiteral("kN･m") : QStringLiteral("t･m");
    case 4:
        return si ? QStringLiteral("kN/m2~") : QStringLiteral("t/m2~");
    case 5:
        return si ? QStringLiteral("kN/m3~") : QStringLiteral("t/m3~");
    case 6:
        return si ? QStringLiteral("N/mm2~") : QStringLiteral("kg/cm2~");
    default:
        return {};
    }
}

int unitSystemOf(const FoundationRecord& record) {
    return static_cast<int>(cInt(record.data1[field::unitSystem]));
}

void drawCaseRow(const PageGrid& grid, const FoundationRecord& record, FoundationType type, int row,
                 int data2Row, int unitCode, CaseLayout layout, const CaseFlags& flags) {
    const int unitCol = unitColumn(type);
    if (unitCode != 0)
        grid.drawCellMarkup(row, unitCol, unitCol, Align::Centre, unitText(unitCode, unitSystemOf(record)));

    for (int c = kLongX; c <= kShortY; ++c) {
        if (!flags[c]) continue;
        const float v = record.data2[static_cast<size_t>(data2Row)][static_cast<size_t>(c)];
        if (isEmptyValue(type, data2Row, v)) continue;
        const QString text = formatPattern(v, casePattern(type, data2Row));
        const int own = caseColumn(type, c);
        switch (layout) {
        case CaseLayout::L1111:
            grid.drawCell(row, own, own, Align::Right, text);
            break;
        case CaseLayout::L1011:
            if (c == kLongX) grid.drawCell(row, own, own + 1, Align::Centre, text);
            if (c >= kShortX) grid.drawCell(row, own, own, Align::Right, text);
            break;
        case CaseLayout::L1010:
            if (c == kLongX || c == kShortX) grid.drawCell(row, own, own + 1, Align::Centre, text);
            break;
        case CaseLayout::L1000:
            if (c == kLongX) grid.drawCell(row, own, own + 3, Align::Centre, text);
            return;
        }
    }
}

CheckText rebarDecisionText(const FoundationRecord& r, FoundationType type, Direction dir) {
    const QString prefix = dir == kDirX ? QStringLiteral("X方向 ") : QStringLiteral("Y方向 ");
    return spanOf(type, dir, prefix + decidedBarsText(r, dir));
}

CheckText atCheckText(const FoundationRecord& r, FoundationType type, Direction dir) {
    const bool ng = r.data2[row::rebarNG][dir] != 0;
    const QString text = QStringLiteral("Σat=") +
                         formatPattern(r.data2[row::sumAt][dir], QStringLiteral("####0.0")) +
                         (ng ? QStringLiteral("　NG") : QStringLiteral("　OK"));
    return spanOf(type, dir, text, ng);
}

CheckText psiCheckText(const FoundationRecord& r, FoundationType type, Direction dir) {
    const bool ng = r.data2[row::rebarNG][dir + row::bondNGOffset] != 0;
    const QString text = QStringLiteral("Σψ=") +
                         formatPattern(r.data2[row::sumPsi][dir], QStringLiteral("####0.0")) +
                         (ng ? QStringLiteral("　NG") : QStringLiteral("　OK"));
    return spanOf(type, dir, text, ng);
}

void writeJudged(const PageGrid& grid, bool ng, const std::function<void()>& write) {
    if (ng) grid.surface().setTextColor(kNgColor);
    write();
    grid.surface().setTextColor(Qt::black);
}

void drawJudgement(const PageGrid& grid, int row, int c1, int c2, bool ng) {
    writeJudged(grid, ng, [&] {
        grid.drawCell(row, c1, c2, Align::Centre, ng ? QStringLiteral("NG") : QStringLiteral("OK"));
    });
}

void drawCheckText(const PageGrid& grid, int row, const CheckText& check) {
    writeJudged(grid, check.ng, [&] {
        grid.drawCellMarkup(row, check.firstColumn, check.lastColumn, Align::Centre, check.text);
    });
}

} // namespace k5::report
