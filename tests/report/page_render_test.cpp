#include "calculated_records.h"
#include "report/painter_surface.h"
#include "report/report_pages.h"
#include "report_test_support.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace k5;
using namespace k5::report;
using namespace k5test;

namespace {

// Each page of a calculated job drawn on an A4 picture of 200 dots per
// inch, as the preview draws it. With K5_REPORT_PNG set to a folder the
// pictures are kept there to be looked at.
class PageRender : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ensureGuiApplication();
        FootingInput footing;
        footing.fe = 200;
        footing.NshortX = 100;
        footing.M[3] = 80;
        footing.H[3] = 40;
        PileCapInput cap;
        cap.M[1] = 50;
        cap.M[2] = 30;
        cap.H[2] = 20;
        job = new ReportJob(makeReportJob(calculated(
            {storedFooting(footing, QStringLiteral("F1")), storedPileCap(cap, QStringLiteral("P1"))})));
    }
    static void TearDownTestSuite() {
        delete job;
        job = nullptr;
    }

    QImage render(int page) const {
        QImage image(1654, 2339, QImage::Format_RGB32);
        image.fill(Qt::gray);
        const PageSetup setup = previewSetup(ReportFont{1, QStringLiteral("ＭＳＰ明朝"), 12, 8, 6},
                                             PainterSurface::widthInTwips(image));
        QPainter painter(&image);
        PainterSurface surface = PainterSurface::forPicture(painter);
        drawPage(surface, PageContext{setup, *job, page, {}, {}});
        painter.end();
        const QString folder = qEnvironmentVariable("K5_REPORT_PNG");
        if (!folder.isEmpty()) image.save(QDir(folder).filePath(QStringLiteral("page%1.png").arg(page)));
        return image;
    }
    static int darkPixels(const QImage& image, QRect area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    }

    static ReportJob* job;
};
ReportJob* PageRender::job = nullptr;

TEST_F(PageRender, EveryPageIsDrawnOnACleanSheet) {
    ASSERT_EQ(job->pageCount(), 3);
    for (int page = 1; page <= 3; ++page) {
        const QImage image = render(page);
        EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255)) << page;
        EXPECT_GT(darkPixels(image, image.rect()), 2000) << page;
    }
}

// Paper: millimetres at the writer's resolution, print geometry and sizes as stored, one sheet per page.
TEST_F(PageRender, PaperPagesGoIntoOnePdfDocument) {
    QTemporaryDir dir;
    const QString folder = qEnvironmentVariable("K5_REPORT_PNG");
    const QString path = (folder.isEmpty() ? dir.path() : folder) + QStringLiteral("/report.pdf");
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        const PageSetup setup = printSetup(ReportFont{1, QStringLiteral("ＭＳ明朝"), 12, 8, 6});
        QPainter painter(&writer);
        PainterSurface surface = PainterSurface::forPaper(painter);
        for (int page = 1; page <= job->pageCount(); ++page) {
            if (page > 1) writer.newPage();
            drawPage(surface, PageContext{setup, *job, page, {}, {}});
        }
    }
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/MediaBox"), 3);
}

} // namespace
