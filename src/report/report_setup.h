#pragma once
#include "masters/font_set.h"
#include "report/surface.h"

#include <QString>

// What a report page depends on besides its record: whether it goes to the
// preview picture or to paper, the page geometry that follows from it, and
// the report face with its three sizes.
namespace k5::report {

enum class ReportMode { Preview, Print };

// Millimetres on the sheet. Paper loses the printer's unprintable border, so
// the printed frame sits a little further up and left and reaches further down.
struct PageGeometry {
    int frameLeft = 0;   // left corner of the cover frame
    int frameTop = 0;    // top corner of the cover frame
    int headerY = 0;     // top of the report grid: row 1 starts here
    int textLeft = 0;    // first column boundary of every table
    int textRight = 0;   // right limit; the figure area ends 5 mm before it
    int textWidth = 0;   // textRight − textLeft
    int frameHeight = 0; // height of the page between top and bottom margins
    int frameBottom = 0; // 297 − bottom margin

    static PageGeometry of(ReportMode mode);
};

struct FontSizes {
    int large = 0; // the job name on the cover
    int body = 0;  // every other text
    int small = 0; // raised and lowered characters
    // The floor a text that does not fit its cell is shrunk to; on the
    // preview it is scaled with the picture as the other sizes are.
    double smallest = kSmallestTextPoints;
};

struct PageSetup {
    ReportMode mode = ReportMode::Preview;
    PageGeometry geometry = PageGeometry::of(ReportMode::Preview);
    QString face; // face set on the surface; empty keeps the surface's own
    FontSizes sizes;

    bool isPreview() const { return mode == ReportMode::Preview; }
};

// The face a stored font-set name stands for ("ＭＳ明朝" → "ＭＳ 明朝"); empty for
// a name that is none of the four report faces.
QString surfaceFaceFor(const QString& storedFaceName);

// Points on the preview picture grow with its width (in twips), so that the
// text keeps its proportion to the page at every zoom.
float previewFontFactor(double pictureWidthTwips);
// A stored size times the factor, rounded to whole points (halves to even).
int scaledFontSize(int storedSize, float factor);

PageSetup previewSetup(const ReportFont& font, double pictureWidthTwips);
PageSetup printSetup(const ReportFont& font);

} // namespace k5::report
