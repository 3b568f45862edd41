#include "report/cover_page.h"

#include "jobdata/job_state.h"
#include "platform/fixed_text.h"
#include "platform/numbers.h"

namespace k5::report {
namespace {

QString shownJobName(const QString& jobName) {
    const QString name = trimBlanks(jobName);
    return name.isEmpty() || name == kUndecided ? QStringLiteral("データがありません") : name;
}

double roundedWidth(const Surface& surface, const QString& text) {
    return static_cast<double>(cInt(surface.textWidth(text)));
}

} // namespace

void drawCoverPage(Surface& surface, const PageSetup& setup, const QString& jobName) {
    const PageGeometry& g = setup.geometry;
    const bool preview = setup.isPreview();
    if (preview) surface.clear();
    surface.setFontFace(setup.face);
    surface.setTextColor(Qt::black);
    surface.setFillColor(Qt::white);
    surface.setFillStyle(FillStyle::Transparent);
    surface.setPenStyle(PenStyle::Solid);
    surface.setPenWidth(preview ? 1 : 3);
    const int frameBottom = preview ? g.frameHeight + 20 : g.frameHeight;
    surface.box(g.frameLeft, g.frameTop, g.textWidth, frameBottom);

    surface.setFontSize(setup.sizes.body);
    const QString title = QStringLiteral("KAMO-K5(基礎の計算)");
    surface.setPosition(g.textWidth - roundedWidth(surface, title) - 1, g.headerY + 1);
    surface.writeText(title);

    surface.setFontSize(setup.sizes.large);
    const QString jobLine = QStringLiteral("工事名：") + shownJobName(jobName);
    surface.setPosition((g.textWidth - roundedWidth(surface, jobLine)) / 2 + g.textLeft, g.headerY + 110);
    surface.writeText(jobLine);

    surface.setFontSize(setup.sizes.body);
}

} // namespace k5::report
