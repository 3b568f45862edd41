#include "report/foundation_page.h"

#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"

namespace k5::report::page_parts {

QString formatted(double value, const char* pattern) {
    return formatPattern(value, QString::fromLatin1(pattern));
}

PageGrid startFoundationPage(Surface& surface, const PageSetup& setup, ColumnTable columns) {
    if (setup.isPreview()) surface.clear();
    surface.setFontFace(setup.face);
    surface.setTextColor(Qt::black);
    surface.setPenStyle(PenStyle::Solid);
    surface.setFontSize(setup.sizes.body);
    return PageGrid(surface, setup, std::move(columns), setup.geometry.headerY);
}

void drawCaseHeadings(const PageGrid& grid, FoundationType type) {
    grid.drawCell(1, 1, unitColumn(type), Align::Centre, QStringLiteral("基礎名"));
    grid.drawCell(2, caseColumn(type, kLongX), caseColumn(type, kLongY), Align::Centre,
                  QStringLiteral("長期"));
    grid.drawCell(2, caseColumn(type, kShortX), caseColumn(type, kShortY), Align::Centre,
                  QStringLiteral("短期"));
    const QString directions[] = {QStringLiteral("X方向"), QStringLiteral("Y方向")};
    for (int c = kLongX; c <= kShortY; ++c)
        grid.drawCell(3, caseColumn(type, c), caseColumn(type, c), Align::Centre, directions[(c - 1) % 2]);
}

void drawBarChecks(const PageGrid& grid, const FoundationRecord& record, FoundationType type, int firstRow) {
    for (Direction dir : {kDirX, kDirY}) {
        const CheckText decision = rebarDecisionText(record, type, dir);
        grid.drawCell(firstRow, decision.firstColumn, decision.lastColumn, Align::Centre, decision.text);
        drawCheckText(grid, firstRow + 1, atCheckText(record, type, dir));
        drawCheckText(grid, firstRow + 2, psiCheckText(record, type, dir));
    }
}

void drawShearJudgements(const PageGrid& grid, const FoundationRecord& record, FoundationType type,
                         const CaseFlags& flags, int row) {
    for (int c = kLongX; c <= kShortY; ++c) {
        if (!flags[c]) continue;
        const int col = caseColumn(type, c);
        drawJudgement(grid, row, col, col, d2(record, row::shearNG, c) != 0);
    }
}

void drawSidePanel(Surface& surface, const FoundationPage& page, const PageGrid& grid, FoundationType type) {
    if (page.drawMaterialsPanelAndFigure)
        page.drawMaterialsPanelAndFigure({surface, page.setup, grid, page.record, type, page.figureScale});
}

void drawGridLines(const PageGrid& grid, int rightBoundary, const std::vector<GridLines>& runs) {
    for (const GridLines& run : runs) {
        grid.surface().setPenWidth(run.penWidth);
        for (int k : run.ks)
            grid.drawGridLine(k, run.fromBoundary, rightBoundary);
    }
}

void drawBoundaryRules(const PageGrid& grid, int penWidth, const std::vector<BoundaryRules>& rules) {
    grid.surface().setPenWidth(penWidth);
    for (const BoundaryRules& rule : rules)
        for (const auto& [first, last] : rule.rows)
            grid.drawColumnRule(rule.boundary + 1, first, last);
}

void drawPageNumber(const PageGrid& grid, int page, int lastColumn) {
    const PageSetup& setup = grid.setup();
    // The preview shows the whole sheet; paper ends at the printer's bottom margin.
    const double rowsToBottom = (setup.geometry.frameBottom - grid.tableTop()) / kRowHeight;
    const int row = static_cast<int>(cInt(setup.isPreview() ? rowsToBottom + 2 : rowsToBottom - 1));
    grid.drawCell(row, 1, lastColumn, Align::Centre, QStringLiteral("- %1 -").arg(page - 1));
}

QString locationText(const FoundationRecord& r) {
    return QStringLiteral("（") + trimBlanks(r.storeyName) + QStringLiteral("層 ") + trimBlanks(r.frameName) +
           QStringLiteral("ﾌﾚｰﾑ ") + trimBlanks(r.axisName) + QStringLiteral("軸") + QStringLiteral("）");
}

void drawTitle(const PageGrid& grid, const FoundationRecord& r, int firstColumn, int lastColumn,
               const QString& caption) {
    const QString title = QStringLiteral("■") + trimBlanks(r.name) + caption;
    writeJudged(grid, r.data1[field::ngFlag] == -1,
                [&] { grid.drawCellMarkup(1, firstColumn, lastColumn, Align::Centre, title); });
}

} // namespace k5::report::page_parts
