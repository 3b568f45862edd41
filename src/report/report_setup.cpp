#include "report/report_setup.h"

#include "platform/numbers.h"
#include "report/surface.h"

namespace k5::report {
namespace {

struct Margins {
    int left, right, top, bottom;
};

// The printer cannot print to the sheet's edge; its origin is the corner
// of its printable area, so the print margins are drawn in.
constexpr Margins kPreviewMargins{20, 12, 18, 20};
constexpr Margins kPrintMargins{17, 19, 13, 15};

FontSizes scaledSizes(const ReportFont& font, float factor) {
    return {scaledFontSize(font.largeSize, factor), scaledFontSize(font.bodySize, factor),
            scaledFontSize(font.smallSize, factor), kSmallestTextPoints * factor};
}

} // namespace

PageGeometry PageGeometry::of(ReportMode mode) {
    const bool print = mode == ReportMode::Print;
    const Margins m = print ? kPrintMargins : kPreviewMargins;
    PageGeometry g;
    g.frameLeft = m.left;
    g.frameTop = m.top;
    g.headerY = m.top;
    g.textLeft = m.left - 4;
    g.textRight =
        print ? static_cast<int>(kPageWidthMm) - m.right + 3 : static_cast<int>(kPageWidthMm) - m.right;
    g.textWidth = g.textRight - g.textLeft;
    g.frameHeight = static_cast<int>(kPageHeightMm) - m.bottom - m.top;
    g.frameBottom = static_cast<int>(kPageHeightMm) - m.bottom;
    return g;
}

QString surfaceFaceFor(const QString& storedFaceName) {
    if (storedFaceName == QStringLiteral("ＭＳ明朝")) return QStringLiteral("ＭＳ 明朝");
    if (storedFaceName == QStringLiteral("ＭＳＰ明朝")) return QStringLiteral("ＭＳ Ｐ明朝");
    if (storedFaceName == QStringLiteral("ＭＳゴシック")) return QStringLiteral("ＭＳ ゴシック");
    if (storedFaceName == QStringLiteral("ＭＳＰゴシック")) return QStringLiteral("ＭＳ Ｐゴシック");
    return {};
}

float previewFontFactor(double pictureWidthTwips) {
    return static_cast<float>(pictureWidthTwips * 0.7 / 8500);
}

int scaledFontSize(int storedSize, float factor) {
    // Single arithmetic, as the sizes were always scaled: 10 × 0.95 is 9.5 and goes to 10.
    const float scaled = static_cast<float>(storedSize) * factor;
    return static_cast<int>(cInt(scaled));
}

PageSetup previewSetup(const ReportFont& font, double pictureWidthTwips) {
    PageSetup setup;
    setup.mode = ReportMode::Preview;
    setup.geometry = PageGeometry::of(setup.mode);
    setup.face = surfaceFaceFor(font.reportFaceName);
    setup.sizes = scaledSizes(font, previewFontFactor(pictureWidthTwips));
    return setup;
}

PageSetup printSetup(const ReportFont& font) {
    PageSetup setup;
    setup.mode = ReportMode::Print;
    setup.geometry = PageGeometry::of(setup.mode);
    setup.face = surfaceFaceFor(font.reportFaceName);
    setup.sizes = scaledSizes(font, 1.0f);
    return setup;
}

} // namespace k5::report
