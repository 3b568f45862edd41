#pragma once
#include "report/foundation_page.h"

#include <vector>

// The to-scale figure of a foundation under its materials panel: a section
// in the X direction above a plan, with the column, the bars, the piles of a
// pile cap and the dimensions, all at the report's common figure scale.
namespace k5::report {

// The font size of the dimension numbers: the body size made smaller, and
// smaller still when a four-digit length would not fit the 5 mm that each
// dimension chain at the side of the figure has. The surface is left at that size.
double dimensionFontSize(Surface& surface, double bodySize);

// Draws the figure of the request's record with its section's top left
// corner at (left, top): the top of the column stub is at `top`, the
// left edge of the footing at `left`. Nothing is drawn for a figure scale
// or a footing size that is not positive.
void drawFoundationFigure(const SidePanelRequest& request, double left, double top);

} // namespace k5::report
