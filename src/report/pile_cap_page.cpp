#include "jobdata/record_layout.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/foundation_page.h"

// The page of a pile cap: loads, pile capacity, pile loads and reactions,
// cap reinforcement, shear and punching around the most loaded pile.
namespace k5::report {
namespace {

using namespace page_parts;

constexpr FoundationType kType = kTypePileCap;
constexpr int kLastRow = 38;
constexpr int kRightEdge = 8;
constexpr int kUnit = 4;
constexpr int kLongFrom = 5, kLongTo = 6, kShortFrom = 7, kShortTo = 8;
// The piles of a cap stand on at most three lines per direction.
constexpr int kPileLines = 3;

void drawFrame(const PageGrid& grid) {
    drawGridLines(
        grid, kRightEdge,
        {{2, 0, {0, 1, 3, 38}},
         {1, 0, {6, 14, 22, 25, 33, 35}},
         {1, 1, {4, 5, 7, 8, 9, 10, 11, 12, 13, 16, 18, 20, 21, 23, 24, 26, 27, 28, 29, 30, 31, 32}},
         {1, 2, {15, 17, 19, 34, 36, 37}},
         {1, 4, {2}}});
    drawBoundaryRules(grid, 1,
                      {{1, {{4, 33}}},
                       {2, {{15, 20}, {34, 38}}},
                       {3, {{4, 20}, {23, 30}, {34, 34}, {36, 37}}},
                       {5, {{3, 3}, {5, 6}, {11, 13}, {15, 27}, {29, 30}, {34, 35}}},
                       {6, {{2, 7}, {10, 27}, {29, 38}}},
                       {7, {{3, 7}, {10, 13}, {15, 27}, {29, 30}, {34, 35}}}});
    drawBoundaryRules(grid, 2, {{0, {{1, kLastRow}}}, {4, {{1, kLastRow}}}, {kRightEdge, {{1, kLastRow}}}});
}

// Unit texts of the unit column, in the job's own units: a CGS job's forces are tonnes.
struct Units {
    QString force, moment, stress;
};

void drawLabels(const PageGrid& g, const Units& u) {
    g.drawVerticalHeading(1, 4, QStringLiteral("入力値"));
    g.drawVerticalHeading(1, 8, QStringLiteral("設計値"));
    g.drawVerticalHeading(1, 16, QStringLiteral("杭荷重"));
    g.drawVerticalHeading(1, 23, QStringLiteral("杭反力"));
    g.drawVerticalHeading(1, 26, QStringLiteral("スラブ筋の設計"));

    drawCaseHeadings(g, kType);

    const auto label = [&](int row, const QString& text, const QString& unit) {
        g.drawCell(row, 2, 3, Align::Left, text);
        if (!unit.isEmpty()) g.drawCellMarkup(row, kUnit, kUnit, Align::Centre, unit);
    };
    label(4, QStringLiteral("N 軸方向力"), u.force);
    label(5, QStringLiteral("M ﾓｰﾒﾝﾄ"), u.moment);
    label(6, QStringLiteral("H 水平力"), u.force);
    label(7, QStringLiteral("N' 軸方向力"), u.force);
    g.drawCellSup(8, 2, 3, Align::Left, QStringLiteral("①基礎本体自重"));
    g.drawCellMarkup(8, kUnit, kUnit, Align::Centre, u.force);
    g.drawCellSup(9, 2, 3, Align::Left, QStringLiteral("②埋戻土重量"));
    g.drawCellMarkup(9, kUnit, kUnit, Align::Centre, u.force);
    label(10, QStringLiteral("ΣN=N'+①+②"), u.force);
    label(11, QStringLiteral("H' 水平力"), u.force);
    label(12, QStringLiteral("M' ﾓｰﾒﾝﾄ"), u.moment);
    label(13, QStringLiteral("ΣM=M'+(H'×h1)"), u.moment);
    label(14, QStringLiteral("支持力Pe"), u.force);
    for (int i = 1; i <= kPileLines; ++i) {
        g.drawCell(13 + 2 * i, 2, 2, Align::Left, QStringLiteral("R%1").arg(i));
        g.drawCell(13 + 2 * i, 3, 3, Align::Left, QStringLiteral("max"));
        g.drawCellMarkup(13 + 2 * i, kUnit, kUnit, Align::Centre, u.force);
        g.drawCell(14 + 2 * i, 3, 3, Align::Left, QStringLiteral("min"));
        g.drawCellMarkup(14 + 2 * i, kUnit, kUnit, Align::Centre, u.force);
    }
    g.drawCell(21, 2, 3, Align::Centre, QStringLiteral("max判定？"));
    g.drawCell(22, 2, 3, Align::Centre, QStringLiteral("min判定？"));
    for (int i = 1; i <= kPileLines; ++i)
        label(22 + i, QStringLiteral("杭反力R%1").arg(i), u.force);
    label(26, QStringLiteral("Q"), u.force);
    label(27, QStringLiteral("M"), u.moment);
    label(28, QStringLiteral("j=(7/8)d' (d'=D1-d)"), QStringLiteral("mm"));
    label(29, QStringLiteral("必要at=M/(ft･j)"), QStringLiteral("cm2~"));
    label(30, QStringLiteral("必要 ψ=Q/(fa･j)"), QStringLiteral("cm"));
    label(31, QStringLiteral("配筋決定"), {});
    label(32, QStringLiteral("at(cm2)の確認"), {});
    label(33, QStringLiteral("ψ(cm)の確認"), {});
    g.drawCell(34, 1, 2, Align::Left, QStringLiteral("せん断の"));
    g.drawCellMarkup(34, 3, 3, Align::Left, QStringLiteral("Q/Lj"));
    g.drawCellMarkup(34, kUnit, kUnit, Align::Centre, u.stress);
    g.drawCell(35, 2, 2, Align::Right, QStringLiteral("検討"));
    g.drawCell(35, 3, 4, Align::Left, QStringLiteral("判定？(Q/Lj<Fs)"));
    g.drawCell(36, 1, 2, Align::Left, QStringLiteral("ﾊﾟﾝﾁﾝｸﾞ"));
    g.drawCell(36, 3, 3, Align::Left, QStringLiteral("杭位置,R'"));
    g.drawCellMarkup(36, kUnit, kUnit, Align::Centre, u.force);
    g.drawCell(37, 2, 2, Align::Right, QStringLiteral("の検討"));
    g.drawCellMarkup(37, 3, 3, Align::Left, QStringLiteral("QP`A`=1.5b0･j･fs"));
    g.drawCellMarkup(37, kUnit, kUnit, Align::Centre, u.force);
    g.drawCellMarkup(38, 3, 4, Align::Centre, QStringLiteral("R'≦QP`A` 判定？"));
}

// The volume is always shown; the weight only when there is a volume to weigh.
void drawWeightRow(const PageGrid& g, const FoundationRecord& r, int row, int volumeField, int weightField,
                   bool markup) {
    const float volume = r.data1[static_cast<size_t>(volumeField)];
    const QString volumeText = formatted(volume, "####0.000") + QStringLiteral("m3~");
    if (markup)
        g.drawCellMarkup(row, kLongFrom, kLongTo, Align::Left, volumeText);
    else
        g.drawCellSup(row, kLongFrom, kLongTo, Align::Left, volumeText);
    if (volume > 0)
        g.drawCell(row, kLongFrom, kShortTo, Align::Centre,
                   formatted(r.data1[static_cast<size_t>(weightField)], "####0.0") +
                       unitText(1, unitSystemOf(r)));
}

void drawCapacity(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags) {
    g.drawCell(14, kLongFrom, kLongTo, Align::Centre, formatted(d2(r, row::allowBearing, kLongX), "###0"));
    if (flags.anyShortTerm())
        g.drawCell(14, kShortFrom, kShortTo, Align::Centre,
                   formatted(d2(r, row::allowBearing, kShortX), "###0"));
}

// One judgement per printed case over the three pile lines: a case fails when any line fails.
void drawPileLoadJudgement(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags, int row,
                           int firstNgRow) {
    for (int c = kLongX; c <= kShortY; ++c) {
        if (!flags[c]) continue;
        bool ng = false;
        for (int line = 0; line < kPileLines; ++line)
            ng = ng || d2(r, firstNgRow + row::pileLineStride * line, c) == -1;
        const int col = caseColumn(kType, c);
        writeJudged(g, ng, [&] {
            g.drawCellSup(row, col, col, Align::Centre, ng ? QStringLiteral("NG") : QStringLiteral("OK"));
        });
    }
}

// "R3'=152.5(Y)": the line of the governing pile, the reaction the check
// was made with (the largest of the pile's cases, stored with it) and the
// direction of its line. Empty when the row names no pile.
QString governingPileText(const FoundationRecord& r, int punchRow) {
    const float reaction = d2(r, punchRow, row::punchReaction);
    if (reaction == 0) return {};
    const long long line = cInt(d2(r, punchRow, row::punchLine));
    const bool inX = cInt(d2(r, punchRow, row::punchDirection)) == 1;
    return QStringLiteral("R%1'=").arg(line) + formatPositional(reaction) +
           (inX ? QStringLiteral("(X)") : QStringLiteral("(Y)"));
}

// Punching is checked around at most two piles: the one most loaded in the
// X cases, with its allowable force and judgement in result column 1, and
// the one most loaded in the Y cases, in result column 3. Each pile the
// design checked gets its reaction, allowable force and judgement in its own
// pair of columns, so that no checked pile, failing or not, is left out.
void drawPunching(const PageGrid& g, const FoundationRecord& r) {
    const bool noPileOutside =
        d2(r, row::punchX, row::punchReaction) == 0 && d2(r, row::punchY, row::punchReaction) == 0;
    if (noPileOutside) {
        g.drawCell(36, kLongFrom, kShortTo, Align::Left,
                   QStringLiteral("杭は柱表面より45°範囲内に収まっている"));
        g.drawCell(37, kLongFrom, kShortTo, Align::Left, QStringLiteral("ので省略する"));
        return;
    }
    struct CheckedPile {
        int punchRow;
        int resultColumn;
        int firstColumn;
    };
    for (const CheckedPile& pile :
         {CheckedPile{row::punchX, kLongX, kLongFrom}, CheckedPile{row::punchY, kShortX, kShortFrom}}) {
        const QString text = governingPileText(r, pile.punchRow);
        if (text.isEmpty()) continue;
        const int first = pile.firstColumn, last = pile.firstColumn + 1;
        g.drawCell(36, first, last, Align::Centre, text);
        g.drawCell(37, first, last, Align::Centre, formatted(d2(r, row::QPA, pile.resultColumn), "###0.0"));
        drawJudgement(g, 38, first, last, d2(r, row::punchNG, pile.resultColumn) != 0);
    }
}

void drawValues(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags) {
    const auto values = [&](int row, int data2Row, CaseLayout layout) {
        drawCaseRow(g, r, kType, row, data2Row, 0, layout, flags);
    };
    values(4, row::N, CaseLayout::L1011);
    values(5, row::M, CaseLayout::L1111);
    values(6, row::H, CaseLayout::L1111);
    values(7, row::Nd, CaseLayout::L1011);
    drawWeightRow(g, r, 8, field::Vc, field::W1, true);
    drawWeightRow(g, r, 9, field::Vs, field::W2, false);
    values(10, row::sumN, CaseLayout::L1011);
    values(11, row::Hd, CaseLayout::L1111);
    values(12, row::Md, CaseLayout::L1111);
    values(13, row::sumM, CaseLayout::L1111);
    drawCapacity(g, r, flags);
    for (int i = 1; i <= kPileLines; ++i) {
        values(13 + 2 * i, row::Rmax1 + row::pileLineStride * (i - 1), CaseLayout::L1111);
        values(14 + 2 * i, row::Rmin1 + row::pileLineStride * (i - 1), CaseLayout::L1111);
    }
    drawPileLoadJudgement(g, r, flags, 21, row::RmaxNG1);
    drawPileLoadJudgement(g, r, flags, 22, row::RminNG1);
    for (int i = 1; i <= kPileLines; ++i)
        values(22 + i, row::Rp1 + i - 1, CaseLayout::L1111);
    values(26, row::Q, CaseLayout::L1111);
    values(27, row::Mface, CaseLayout::L1111);
    values(28, row::lever, CaseLayout::L1000);
    values(29, row::atReq, CaseLayout::L1111);
    values(30, row::psiReq, CaseLayout::L1111);
    drawBarChecks(g, r, kType, 31);
    values(34, row::tau, CaseLayout::L1111);
    drawShearJudgements(g, r, kType, flags, 35);
    drawPunching(g, r);
}

} // namespace

void drawPileCapPage(Surface& surface, const FoundationPage& page) {
    const FoundationRecord& r = page.record;
    const PageGrid grid = startFoundationPage(surface, page.setup, pileColumns(page.setup.geometry));

    drawFrame(grid);
    drawPageNumber(grid, page.page, 12);
    const int unitSystem = unitSystemOf(r);
    drawLabels(grid, {unitText(1, unitSystem), unitText(3, unitSystem), unitText(6, unitSystem)});
    const CaseFlags flags = caseFlags(r);
    if (r.importFlag == -1) grid.drawCell(3, 1, 4, Align::Centre, locationText(r));
    drawTitle(grid, r, kLongFrom, kShortTo, QStringLiteral("（杭基礎）"));
    drawValues(grid, r, flags);
    drawSidePanel(surface, page, grid, kType);
}

} // namespace k5::report
