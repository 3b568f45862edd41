#pragma once
#include "report/foundation_page.h"
#include "report/page_grid.h"

#include <QString>

// The panel at the right of a foundation page that lists the materials and
// allowable stresses the design used: bars, concrete, backfill, the ground or
// the piles, and the cover to the bars. The to-scale figure of the
// foundation follows under it.
namespace k5::report {

// Piles are embedded this far into a cap, in mm; the panel states it and the
// figure draws the pile heads that deep in the cap.
inline constexpr int kPileEmbedmentMm = 100;

// Draws the panel and then the figure: the last drawing step of both
// foundation pages, and the default when a page is given no other.
void drawMaterialsPanelAndFigure(const SidePanelRequest& request);

// Left edge of the panel and of the figure: a little right of the page's
// value table (whose right edge lies at the same place on both page types).
int sidePanelLeft(const SidePanelRequest& request);
// The gap between the value table and the panel: paper has less room.
int sidePanelGap(const PageSetup& setup);

// The panel's own columns from its left edge: a heading, the bar or
// material, two values and the unit.
ColumnTable materialsPanelColumns(int left);

// The last row the panel writes on: the figure starts under it.
int materialsPanelLastRow(FoundationType type);

// The caption of a pile kind code; empty for a code that names no kind.
QString pileKindText(int code);

// Writes the panel's rows on the page's row grid; returns its last row.
int drawMaterialsPanel(const SidePanelRequest& request);

} // namespace k5::report
