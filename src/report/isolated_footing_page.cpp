#include "jobdata/record_layout.h"
#include "platform/numbers.h"
#include "report/case_values.h"
#include "report/foundation_page.h"

// The page of an isolated spread footing: loads, contact pressure, slab
// reinforcement, shear and punching for the four load cases.
namespace k5::report {
namespace {

using namespace page_parts;

constexpr FoundationType kType = kTypeIsolated;
constexpr int kLastRow = 39;
constexpr int kRightEdge = 9; // boundary after the long-term and short-term columns
constexpr int kUnit = 5;      // the unit column
constexpr int kLongFrom = 6, kLongTo = 7, kShortFrom = 8, kShortTo = 9;

void drawFrame(const PageGrid& grid) {
    drawGridLines(
        grid, kRightEdge,
        {{2, 0, {0, 1, 3, 39}},
         {1, 0, {19, 33, 35}},
         {1, 1, {6, 12, 13, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32}},
         {1, 2, {4, 5, 7, 8, 9, 10, 11, 34, 36, 37, 38}},
         {1, 5, {2}}});
    drawBoundaryRules(grid, 1,
                      {{1, {{4, 33}}},
                       {2, {{4, 12}, {34, 39}}},
                       {4, {{4, 7}, {10, 14}, {21, 21}, {25, 30}, {32, 34}, {37, 38}}},
                       {6, {{3, 3}, {5, 6}, {11, 18}, {21, 27}, {29, 30}, {34, 35}}},
                       {7, {{2, 7}, {10, 19}, {21, 27}, {29, 35}, {37, 39}}},
                       {8, {{3, 7}, {10, 18}, {21, 27}, {29, 30}, {34, 35}, {37, 37}}}});
    drawBoundaryRules(grid, 2, {{0, {{1, kLastRow}}}, {5, {{1, kLastRow}}}, {kRightEdge, {{1, kLastRow}}}});
}

void drawLabels(const PageGrid& g) {
    g.drawVerticalHeading(1, 5, QStringLiteral("基礎底面積の確認"));
    g.drawVerticalHeading(1, 22, QStringLiteral("スラブ筋の設計"));

    drawCaseHeadings(g, kType);

    g.drawCell(4, 3, 4, Align::Left, QStringLiteral("N 軸方向力"));
    g.drawCell(5, 2, 2, Align::Left, QStringLiteral("入力値"));
    g.drawCell(5, 3, 4, Align::Left, QStringLiteral("M ﾓｰﾒﾝﾄ"));
    g.drawCell(6, 3, 4, Align::Left, QStringLiteral("H 水平力"));
    g.drawCell(7, 3, 4, Align::Left, QStringLiteral("N' 軸方向力"));
    g.drawCellSup(8, 3, 4, Align::Left, QStringLiteral("①基礎本体自重"));
    g.drawCell(9, 2, 2, Align::Left, QStringLiteral("設計値"));
    g.drawCellSup(9, 3, 4, Align::Left, QStringLiteral("②埋戻土重量"));
    g.drawCell(10, 3, 4, Align::Left, QStringLiteral("ΣN=N'+①+②"));
    g.drawCell(11, 3, 4, Align::Left, QStringLiteral("H' 水平力"));
    g.drawCell(12, 3, 4, Align::Left, QStringLiteral("M' ﾓｰﾒﾝﾄ"));
    g.drawCell(13, 2, 4, Align::Left, QStringLiteral("ΣM=M'+(H'×h1)"));
    g.drawCellMarkup(14, 2, 4, Align::Left, QStringLiteral("e=ΣM/ΣN+ε"));
    // e and e' are ΣM/ΣN and ΣM/N', kN·m over kN: metres, not millimetres.
    g.drawCell(14, kUnit, kUnit, Align::Left, QStringLiteral("m"));
    g.drawCell(15, 2, 4, Align::Left, QStringLiteral("e/L"));
    g.drawCell(16, 2, 5, Align::Centre, QStringLiteral("偏心判定 ?"));
    g.drawCell(17, 2, 4, Align::Left, QStringLiteral("α"));
    g.drawCell(18, 2, 4, Align::Left, QStringLiteral("Xn"));
    // Xn is stored in metres and Xn' in millimetres, one row apart: each
    // names its unit so that neither is read a thousandfold wrong.
    g.drawCell(18, kUnit, kUnit, Align::Centre, QStringLiteral("m"));
    g.drawCell(19, 2, 4, Align::Left, QStringLiteral("必要底面積(A'=αN/fe)"));
    g.drawCell(20, 2, 5, Align::Centre, QStringLiteral("判定(A'＜A?)"));
    g.drawCell(21, 2, 4, Align::Left, QStringLiteral("e'=ΣM/N'+ε"));
    g.drawCell(21, kUnit, kUnit, Align::Centre, QStringLiteral("m"));
    g.drawCell(22, 2, 4, Align::Left, QStringLiteral("e'/L"));
    g.drawCell(23, 2, 4, Align::Left, QStringLiteral("α'"));
    g.drawCell(24, 2, 4, Align::Left, QStringLiteral("Xn'"));
    g.drawCell(24, kUnit, kUnit, Align::Centre, QStringLiteral("mm"));
    g.drawCell(25, 2, 4, Align::Left, QStringLiteral("σmax"));
    g.drawCell(26, 2, 4, Align::Left, QStringLiteral("Q"));
    g.drawCell(27, 2, 4, Align::Left, QStringLiteral("M"));
    g.drawCell(28, 2, 4, Align::Left, QStringLiteral("j=(7/8)d' (d'=D1-d)"));
    g.drawCell(28, kUnit, kUnit, Align::Centre, QStringLiteral("mm"));
    g.drawCell(29, 2, 4, Align::Left, QStringLiteral("必要at=M/(ft･j)"));
    g.drawCellMarkup(29, kUnit, kUnit, Align::Centre, QStringLiteral("cm2~"));
    g.drawCell(30, 2, 4, Align::Left, QStringLiteral("必要ψ=Q/(fa･j)"));
    g.drawCell(30, kUnit, kUnit, Align::Centre, QStringLiteral("cm"));
    g.drawCell(31, 2, 5, Align::Left, QStringLiteral("配筋決定"));
    g.drawCell(32, 2, 4, Align::Left, QStringLiteral("atの確認"));
    g.drawCellMarkup(32, kUnit, kUnit, Align::Centre, QStringLiteral("cm2~"));
    g.drawCell(33, 2, 4, Align::Left, QStringLiteral("ψの確認"));
    g.drawCell(33, kUnit, kUnit, Align::Centre, QStringLiteral("cm"));
    g.drawCell(34, 1, 2, Align::Left, QStringLiteral("せん断の"));
    g.drawCellMarkup(34, 3, 4, Align::Left, QStringLiteral("Q/Lj"));
    g.drawCell(35, 2, 2, Align::Right, QStringLiteral("検討"));
    g.drawCell(35, 3, 5, Align::Centre, QStringLiteral("判定(Q/Lj<fs)？"));
    g.drawCell(36, 3, 4, Align::Left, QStringLiteral("b0, A0"));
    g.drawCell(37, 1, 2, Align::Left, QStringLiteral("ﾊﾟﾝﾁﾝｸﾞの"));
    g.drawCellMarkup(37, 3, 4, Align::Left, QStringLiteral("QP`D`"));
    g.drawCell(38, 2, 2, Align::Right, QStringLiteral("検討"));
    g.drawCellMarkup(38, 3, 4, Align::Left, QStringLiteral("QP`A`=1.5b0･j･fs"));
    g.drawCellMarkup(39, 3, 5, Align::Centre, QStringLiteral("QP`D`<QP`A`　判定"));
}

// Concrete or backfill: its volume and the weight it adds to the axial load.
void drawWeightRow(const PageGrid& g, const FoundationRecord& r, int row, int volumeField, int weightField) {
    const float volume = r.data1[static_cast<size_t>(volumeField)];
    if (!(volume > 0)) return;
    g.drawCellMarkup(row, kLongFrom, kLongTo, Align::Left,
                     QStringLiteral("（") + formatted(volume, "###0.000") + QStringLiteral("m3~）"));
    g.drawCell(row, kShortFrom, kShortTo, Align::Left,
               formatted(r.data1[static_cast<size_t>(weightField)], "###0.0") + unitText(1, unitSystemOf(r)));
}

void drawEccentricityJudgement(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags) {
    for (int c = kLongX; c <= kShortY; ++c) {
        if (!flags[c]) continue;
        const bool outsideCore = d2(r, row::eccFlag, c) == -1;
        const int col = caseColumn(kType, c);
        g.drawCell(16, col, col, Align::Centre,
                   outsideCore ? QStringLiteral("1/6以上") : QStringLiteral("1/6以下"));
    }
}

// The larger required area of the X and Y cases of one duration.
QString requiredAreaText(const FoundationRecord& r, int caseX) {
    const int caseY = caseX + 1;
    const bool xGoverns = d2(r, row::Areq, caseX) >= d2(r, row::Areq, caseY);
    const int k = xGoverns ? caseX : caseY;
    return formatted(d2(r, row::Areq, k), "####0.000") + QStringLiteral("m2~以上") +
           (xGoverns ? QStringLiteral("(X)") : QStringLiteral("(Y)"));
}

void drawRequiredArea(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags) {
    g.drawCellMarkup(19, kLongFrom, kLongTo, Align::Centre, requiredAreaText(r, kLongX));
    if (flags.anyShortTerm())
        g.drawCellMarkup(19, kShortFrom, kShortTo, Align::Centre, requiredAreaText(r, kShortX));
}

// The footing area against every case's requirement, printed cases or not:
// a case the page leaves out may still need a larger footing.
void drawAreaCheck(const PageGrid& g, const FoundationRecord& r, const TraceWriter& trace) {
    bool ng = false;
    for (int c = kLongX; c <= kShortY; ++c) {
        ng = ng || d2(r, row::areaNG, c) == -1;
        if (trace)
            trace(QStringLiteral("C %1 %2 %3").arg(1).arg(c).arg(formatGeneral(d2(r, row::areaNG, c))));
    }
    const QString text = QStringLiteral("A=") + formatted(r.data1[field::area], "###0.000") +
                         QStringLiteral("m2~") + (ng ? QStringLiteral("　NG") : QStringLiteral("　OK"));
    writeJudged(g, ng, [&] { g.drawCellSup(20, kLongFrom, kShortTo, Align::Centre, text); });
}

void drawPunchingAreaSizes(const PageGrid& g, const FoundationRecord& r) {
    // Stored as b0/100 and A0/10000 of their millimetre values: metres and square metres here.
    const QString text = QStringLiteral("b0=") + formatted(r.data1[field::b0stored] / 10, "######0.0") +
                         QStringLiteral("m　　　A0=") +
                         formatted(r.data1[field::A0stored] / 100, "###########0.00") + QStringLiteral("m2~");
    g.drawCell(36, kLongFrom, kShortTo, Align::Centre, text);
}

// The punching force comes from the axial load alone: both long-term cases
// share it, while each short-term direction adds its own increment. The
// allowable force depends only on the duration.
void drawPunching(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags) {
    if (flags[kLongX])
        g.drawCell(37, kLongFrom, kLongTo, Align::Centre, formatted(d2(r, row::QPD, kLongX), "####0.0"));
    for (int c = kShortX; c <= kShortY; ++c) {
        if (!flags[c]) continue;
        const int col = caseColumn(kType, c);
        g.drawCell(37, col, col, Align::Centre, formatted(d2(r, row::QPD, c), "####0.0"));
    }

    g.drawCell(38, kLongFrom, kLongTo, Align::Centre, formatted(d2(r, row::QPA, kLongX), "####0.0"));
    if (flags.anyShortTerm())
        g.drawCell(38, kShortFrom, kShortTo, Align::Centre, formatted(d2(r, row::QPA, kShortX), "####0.0"));

    drawJudgement(g, 39, kLongFrom, kLongTo, d2(r, row::punchNG, kLongX) == -1);
    if (flags.anyShortTerm()) {
        const bool ng = d2(r, row::punchNG, kShortX) == -1 || d2(r, row::punchNG, kShortY) == -1;
        drawJudgement(g, 39, kShortFrom, kShortTo, ng);
    }
}

void drawValues(const PageGrid& g, const FoundationRecord& r, const CaseFlags& flags,
                const TraceWriter& trace) {
    const auto values = [&](int row, int data2Row, int unit, CaseLayout layout) {
        drawCaseRow(g, r, kType, row, data2Row, unit, layout, flags);
    };
    values(4, row::N, 1, CaseLayout::L1011);
    values(5, row::M, 3, CaseLayout::L1111);
    values(6, row::H, 1, CaseLayout::L1111);
    values(7, row::Nd, 1, CaseLayout::L1011);
    drawWeightRow(g, r, 8, field::Vc, field::W1);
    drawWeightRow(g, r, 9, field::Vs, field::W2);
    values(10, row::sumN, 1, CaseLayout::L1011);
    values(11, row::Hd, 1, CaseLayout::L1111);
    values(12, row::Md, 3, CaseLayout::L1111);
    values(13, row::sumM, 3, CaseLayout::L1111);
    values(14, row::e, 0, CaseLayout::L1111);
    values(15, row::eRatio, 0, CaseLayout::L1111);
    drawEccentricityJudgement(g, r, flags);
    values(17, row::alpha, 0, CaseLayout::L1111);
    values(18, row::Xn, 0, CaseLayout::L1111);
    drawRequiredArea(g, r, flags);
    drawAreaCheck(g, r, trace);
    values(21, row::e2, 0, CaseLayout::L1111);
    values(22, row::e2Ratio, 0, CaseLayout::L1111);
    values(23, row::alpha2, 0, CaseLayout::L1111);
    values(24, row::Xn2, 0, CaseLayout::L1111);
    values(25, row::sigmaMax, 4, CaseLayout::L1111);
    values(26, row::Q, 1, CaseLayout::L1111);
    values(27, row::Mface, 3, CaseLayout::L1111);
    g.drawCell(28, kLongFrom, kShortTo, Align::Centre, formatted(d2(r, row::lever, kLongX), "####0.0"));
    values(29, row::atReq, 0, CaseLayout::L1111);
    values(30, row::psiReq, 0, CaseLayout::L1111);
    drawBarChecks(g, r, kType, 31);
    values(34, row::tau, 6, CaseLayout::L1111);
    drawShearJudgements(g, r, kType, flags, 35);
    drawPunchingAreaSizes(g, r);
    g.drawCellMarkup(37, kUnit, kUnit, Align::Centre, unitText(1, unitSystemOf(r)));
    g.drawCellMarkup(38, kUnit, kUnit, Align::Centre, unitText(1, unitSystemOf(r)));
    drawPunching(g, r, flags);
}

} // namespace

void drawIsolatedFootingPage(Surface& surface, const FoundationPage& page) {
    const FoundationRecord& r = page.record;
    const PageGrid grid = startFoundationPage(surface, page.setup, isolatedColumns(page.setup.geometry));

    drawFrame(grid);
    drawPageNumber(grid, page.page, 13);
    drawLabels(grid);
    const CaseFlags flags = caseFlags(r);
    if (r.importFlag == -1) grid.drawCell(3, 1, 5, Align::Centre, locationText(r));
    drawTitle(grid, r, kLongFrom, kShortTo, QStringLiteral("（独立基礎）"));
    drawValues(grid, r, flags, page.trace);
    drawSidePanel(surface, page, grid, kType);
}

} // namespace k5::report
