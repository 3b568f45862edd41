#include "report/foundation_page.h"

#include "jobdata/record_layout.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "report/case_values.h"

namespace k5::report::page_parts {

QString formatted(double value, const char* pattern) {
    return formatPattern(value, QString::fromLatin1(pattern));
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
