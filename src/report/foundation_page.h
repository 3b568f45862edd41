#pragma once
#include "jobdata/foundation_record.h"
#include "report/case_values.h"
#include "report/page_grid.h"
#include "report/report_setup.h"
#include "report/surface.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

// What the two foundation page types share: their inputs, the hook for the
// materials panel and figure at their right, and the frame of the table.
namespace k5::report {

// What the materials panel and the foundation figure at the right of a
// foundation page are drawn from. The panel takes its left edge from
// boundary 9 of the page's column table and its rows from the page's grid.
struct SidePanelRequest {
    Surface& surface;
    const PageSetup& setup;
    const PageGrid& grid; // the page's column table and rows (tableTop)
    const FoundationRecord& record;
    FoundationType type;
    float figureScale;
};
using SidePanelDrawer = std::function<void(const SidePanelRequest&)>;
using TraceWriter = std::function<void(const QString&)>;

struct FoundationPage {
    const PageSetup& setup;
    const FoundationRecord& record;
    int page = 2;                                // number of the page in the report; the cover is page 1
    float figureScale = 0;                       // shared by all pages of the report
    TraceWriter trace;                           // receives the footing-area check entries; may be empty
    SidePanelDrawer drawMaterialsPanelAndFigure; // the last drawing step; may be empty
};

void drawIsolatedFootingPage(Surface& surface, const FoundationPage& page);
void drawPileCapPage(Surface& surface, const FoundationPage& page);

// Parts of both pages.
namespace page_parts {

// Horizontal grid lines k (k = 0 above row 1) from one boundary to the table's right edge.
struct GridLines {
    int penWidth;
    int fromBoundary;
    std::vector<int> ks;
};
void drawGridLines(const PageGrid& grid, int rightBoundary, const std::vector<GridLines>& runs);

// Vertical rules on a column boundary through the given row ranges (inclusive).
struct BoundaryRules {
    int boundary;
    std::vector<std::pair<int, int>> rows;
};
void drawBoundaryRules(const PageGrid& grid, int penWidth, const std::vector<BoundaryRules>& rules);

inline float d2(const FoundationRecord& r, int row, int column) {
    return r.data2[static_cast<size_t>(row)][static_cast<size_t>(column)];
}
// A stored Single in a report digit pattern such as "###0.000".
QString formatted(double value, const char* pattern);

// Sets the surface up for a foundation page (face, body size, black, solid
// lines; the preview's previous page erased) and returns the page's table.
PageGrid startFoundationPage(Surface& surface, const PageSetup& setup, ColumnTable columns);
// Rows 1 to 3: "基礎名" over the label and unit columns, "長期" and "短期"
// over their case columns and the direction of each case.
void drawCaseHeadings(const PageGrid& grid, FoundationType type);
// The bar decision and the at and ψ checks of both directions on three rows from `firstRow`.
void drawBarChecks(const PageGrid& grid, const FoundationRecord& record, FoundationType type, int firstRow);
// The shear judgement of each printed case.
void drawShearJudgements(const PageGrid& grid, const FoundationRecord& record, FoundationType type,
                         const CaseFlags& flags, int row);
// The materials panel and figure right of the table, when the page has a drawer for them.
void drawSidePanel(Surface& surface, const FoundationPage& page, const PageGrid& grid, FoundationType type);

// "- n -" near the foot of the page, n counting foundation pages only.
void drawPageNumber(const PageGrid& grid, int page, int lastColumn);
// "（3層 X1ﾌﾚｰﾑ Y2軸）" for a foundation imported from the analysis program.
QString locationText(const FoundationRecord& record);
// "■" + name + the type's caption, red when any check of the foundation failed.
void drawTitle(const PageGrid& grid, const FoundationRecord& record, int firstColumn, int lastColumn,
               const QString& caption);

} // namespace page_parts
} // namespace k5::report
