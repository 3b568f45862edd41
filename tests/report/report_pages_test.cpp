#include "jobdata/record_layout.h"
#include "page_texts.h"
#include "qt_printers.h"
#include "report/recording_surface.h"
#include "report/report_pages.h"
#include "temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace k5;
using namespace k5::report;
using namespace k5test;

namespace {

FoundationRecord typed(int type, const QString& name) {
    FoundationRecord r;
    r.jobName = QStringLiteral("駅前ビル");
    r.name = name;
    r.data1[field::foundationType] = static_cast<float>(type);
    r.data1[field::unitSystem] = 1;
    r.data2[row::N][1] = 100;
    r.data2[row::L][1] = 2000;
    return r;
}

class DrawPage : public ::testing::Test {
  protected:
    void draw(int page) {
        surface = RecordingSurface();
        drawPage(surface, PageContext{setup, job, page, [this](const QString& e) { trace << e; },
                                      [this](const SidePanelRequest& request) {
                                          panelScales << request.figureScale;
                                          panelTypes << request.type;
                                      }});
    }

    ReportJob job = makeReportJob({typed(kTypeIsolated, QStringLiteral("F1")),
                                   typed(kTypePileCap, QStringLiteral("P1")), typed(7, QStringLiteral("X"))});
    PageSetup setup;
    RecordingSurface surface;
    QStringList trace;
    QList<float> panelScales;
    QList<int> panelTypes;
};

TEST_F(DrawPage, EachPageIsDrawnByTheTypeOfItsFoundation) {
    ASSERT_EQ(job.pageCount(), 4);
    draw(1);
    EXPECT_TRUE(surface.find(QStringLiteral("工事名：駅前ビル")));
    draw(2);
    EXPECT_TRUE(textOnRow(surface, 1, QStringLiteral("■F1（独立基礎）")));
    EXPECT_EQ(trace.size(), 4); // the footing-area check of each case
    draw(3);
    EXPECT_TRUE(textOnRow(surface, 1, QStringLiteral("■P1（杭基礎）")));
    EXPECT_EQ(panelTypes, (QList<int>{kTypeIsolated, kTypePileCap}));
    EXPECT_EQ(panelScales, (QList<float>{0.025f, 0.025f})); // 50 mm for the 2000 mm footing
}

TEST_F(DrawPage, AFoundationOfNoKnownTypeAndAPageOutsideTheReportStayBlank) {
    for (int page : {4, 0, 5}) {
        draw(page);
        EXPECT_EQ(surface.clears, 1) << page;
        EXPECT_TRUE(surface.texts.isEmpty()) << page;
        EXPECT_TRUE(surface.lines.isEmpty()) << page;
    }
    EXPECT_TRUE(panelTypes.isEmpty());
}

TEST(ReportJobFile, AJobFileIsReadRecordByRecord) {
    TempTree tree;
    EXPECT_EQ(loadReportJob(tree.ctx.folders.jobFile()).pageCount(), 0); // no file, no report
    QByteArray bytes = encodeRecord(typed(kTypeIsolated, QStringLiteral("F1")));
    bytes += encodeRecord(typed(kTypePileCap, QStringLiteral("P1")));
    writeBytes(tree.ctx.folders.jobFile(), bytes);
    const ReportJob job = loadReportJob(tree.ctx.folders.jobFile());
    ASSERT_EQ(job.pageCount(), 3);
    EXPECT_EQ(job.recordOnPage(3)->name, QStringLiteral("P1"));
    EXPECT_EQ(job.jobName(), QStringLiteral("駅前ビル"));
    EXPECT_FLOAT_EQ(job.figureScale, 0.025f);

    // The footing-area entries go to the trace file as they are drawn.
    RecordingSurface surface;
    const PageSetup setup;
    drawPage(surface, PageContext{setup, job, 2, traceTo(tree.ctx.folders.traceFile), {}});
    EXPECT_EQ(readBytes(tree.ctx.folders.traceFile),
              QByteArray("\"C 1 1 0\"\r\n\"C 1 2 0\"\r\n\"C 1 3 0\"\r\n\"C 1 4 0\"\r\n"));
}

} // namespace
