// The printed report as the engineer gets it: every page of the sample job
// (footings and pile caps in SI), of a CGS job of both types and of the
// extremes (footings up to 12 m, long in one direction or small, stepped,
// eccentric, with the top just below ground level; a cap of every pile
// arrangement; an imported job reported by design group), written as a PDF
// in each of the eight shipped font sets. The word boxes the PDF reader
// finds must never overlap one another by more than 0.25 mm both ways and
// must stay on the sheet: a value printed over its neighbour is a page the
// official sends back.
#include "../../bench/bench_jobs.h"
#include "calc/design_results.h"
#include "calculated_records.h"
#include "jobdata/job_file.h"
#include "jobdata/pile_arrangement.h"
#include "masters/font_set.h"
#include "report/page_sequence.h"
#include "report/report_pdf.h"
#include "report_test_support.h"
#include "shell/run_calculation.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRectF>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace k5;

namespace {

struct Word {
    QString text;
    QRectF box;
};
struct PdfPage {
    QSizeF size;
    QList<Word> words;
};

// Word boxes of every page, in points from the sheet's top left.
QList<PdfPage> wordBoxes(const QString& pdf) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!reader.waitForFinished(60000)) return {};
    QXmlStreamReader xml(reader.readAllStandardOutput());
    QList<PdfPage> pages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto a = xml.attributes();
        if (xml.name() == QStringLiteral("page")) {
            pages.append({QSizeF(a.value(QStringLiteral("width")).toDouble(),
                                 a.value(QStringLiteral("height")).toDouble()),
                          {}});
        } else if (xml.name() == QStringLiteral("word") && !pages.isEmpty()) {
            const QPointF topLeft(a.value(QStringLiteral("xMin")).toDouble(),
                                  a.value(QStringLiteral("yMin")).toDouble());
            const QPointF bottomRight(a.value(QStringLiteral("xMax")).toDouble(),
                                      a.value(QStringLiteral("yMax")).toDouble());
            pages.last().words.append({xml.readElementText(), QRectF(topLeft, bottomRight)});
        }
    }
    return pages;
}

// Two words overlap when they share more than a quarter of a millimetre both
// across and up (a raised "2" beside its "m" only touches).
bool overlap(const QRectF& a, const QRectF& b) {
    constexpr double kQuarterMmInPoints = 0.25 * 72 / 25.4;
    const QRectF common = a.intersected(b);
    return common.width() > kQuarterMmInPoints && common.height() > kQuarterMmInPoints;
}

// The footings and caps whose figures are hardest to label.
QList<FoundationRecord> extremeRecords() {
    using k5test::storedFooting;
    using k5test::storedPileCap;
    QList<FoundationRecord> inputs;
    inputs << storedFooting({.Lx = 12000,
                             .Ly = 12000,
                             .ax = 900,
                             .ay = 900,
                             .Lx1 = 5550,
                             .Ly1 = 5550,
                             .D = 1500,
                             .D2 = 1500,
                             .fe = 300,
                             .N = 30000},
                            QStringLiteral("F12m"));
    inputs << storedFooting({.Lx = 12000,
                             .Ly = 2400,
                             .ax = 600,
                             .ay = 600,
                             .Lx1 = 5700,
                             .Ly1 = 900,
                             .D = 900,
                             .D2 = 700,
                             .fe = 300,
                             .N = 6000},
                            QStringLiteral("F12x"));
    inputs << storedFooting({.Lx = 2400,
                             .Ly = 12000,
                             .ax = 600,
                             .ay = 600,
                             .Lx1 = 900,
                             .Ly1 = 5700,
                             .D = 900,
                             .D2 = 900,
                             .fe = 300,
                             .N = 6000,
                             .priority = 2},
                            QStringLiteral("F12y"));
    k5test::FootingInput small{.Lx = 700,
                               .Ly = 700,
                               .ax = 500,
                               .ay = 500,
                               .Lx1 = 100,
                               .Ly1 = 100,
                               .D = 480,
                               .D2 = 480,
                               .fe = 300,
                               .N = 100};
    FoundationRecord belowGround = storedFooting(small, QStringLiteral("F小"));
    belowGround.data1[field::h2] = 520; // the top 40 mm below ground level
    inputs << belowGround;
    FoundationRecord eccentric = storedFooting({.Lx = 3000,
                                                .Ly = 2000,
                                                .ax = 600,
                                                .ay = 600,
                                                .Lx1 = 100,
                                                .Ly1 = 1300,
                                                .D = 700,
                                                .D2 = 700,
                                                .fe = 150,
                                                .N = 800},
                                               QStringLiteral("F偏心"));
    eccentric.data1[field::h2] = 800;
    inputs << eccentric;
    for (int code = 1; code <= kPileArrangementCount; ++code) {
        k5test::PileCapInput in;
        in.layout = code;
        inputs << storedPileCap(in, QStringLiteral("P%1").arg(code));
        in.pfai = 1200;
        in.Px1 = in.Py1 = 1500;
        in.Px2 = in.Py2 = 3000;
        in.Pe = 5000;
        in.D = in.D2 = in.h1 = in.h2 = 2000;
        in.N = 8000;
        inputs << storedPileCap(in, QStringLiteral("PL%1").arg(code));
    }
    // Deep foundations stand deep enough in the soil.
    for (FoundationRecord& r : inputs)
        if (r.data1[field::D1] > r.data1[field::h2])
            r.data1[field::h1] = r.data1[field::h2] = r.data1[field::D1] + 500;
    return k5test::calculated(inputs);
}

// An imported job whose foundations all pass: reported one page per design group.
QList<FoundationRecord> groupedRecords() {
    QList<FoundationRecord> records;
    for (int n = 1; n <= 6; ++n) {
        FoundationRecord r =
            k5test::storedFooting({.N = 300 + 50.0f * n}, QStringLiteral("F%1").arg((n + 1) / 2));
        r.importFlag = -1;
        r.groupNo = (n + 1) / 2;
        r.storeyName = QStringLiteral("1");
        r.frameName = QStringLiteral("X%1").arg(n);
        r.axisName = QStringLiteral("Y1");
        records << r;
    }
    return k5test::calculated(records);
}

// Footings and pile caps in turn, in the units given.
QList<FoundationRecord> benchRecords(int count, int unitSystem) {
    QList<FoundationRecord> records;
    for (int n = 1; n <= count; ++n) {
        FoundationRecord r = n % 2 ? benchjob::footing(n) : benchjob::pileCap(n);
        r.data1[field::unitSystem] = static_cast<float>(unitSystem);
        records << r;
    }
    return records;
}

QList<FoundationRecord> sampleRecords() {
    const QString file =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../sample/job/K5dat02.k5d");
    QFile in(file);
    QList<FoundationRecord> records;
    if (!in.open(QIODevice::ReadOnly)) return records;
    const QByteArray bytes = in.readAll();
    for (qsizetype at = 0; at + FoundationRecord::kLength <= bytes.size(); at += FoundationRecord::kLength)
        records << decodeRecord(bytes.mid(at, FoundationRecord::kLength));
    return records;
}

// The records as the calculation leaves them, in a KMD tree of their own
// (calculated there unless they come calculated).
report::ReportJob calculatedJob(benchjob::Job& job, const QList<FoundationRecord>& records, bool calculate) {
    QFile file(job.ctx.folders.jobFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        for (const FoundationRecord& r : records)
            file.write(encodeRecord(r));
    file.close();
    if (calculate) runCalculation(job.ctx);
    return report::loadReportJob(job.ctx.folders.jobFile());
}

class ReportLayout : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { k5test::ensureGuiApplication(); }
};

TEST_F(ReportLayout, NoWordOverlapsAnotherOrLeavesTheSheetInAnyFontSet) {
    const QList<FoundationRecord> sample = sampleRecords();
    ASSERT_FALSE(sample.isEmpty()) << "the sample job is not built (target k5_sample_job)";
    const struct {
        const char* name;
        QList<FoundationRecord> records;
        bool calculate;
    } jobs[] = {{"sample", sample, true},
                {"CGS", benchRecords(2, 2), true},
                {"extremes", extremeRecords(), false},
                {"groups", groupedRecords(), false}};

    benchjob::Job tree(0);
    QList<FontSetRecord> sets;
    ReportFont unused;
    sets = loadFontSet(tree.ctx.folders, unused);
    ASSERT_EQ(sets.size(), 8);
    for (const auto& j : jobs) {
        const report::ReportJob job = calculatedJob(tree, j.records, j.calculate);
        ASSERT_GE(job.pageCount(), 2) << j.name;
        for (int page = 2; page <= job.pageCount(); ++page)
            ASSERT_TRUE(hasCompleteResults(*job.recordOnPage(page))) << j.name << " page " << page;
        for (int set = 1; set <= sets.size(); ++set) {
            const FontSetRecord& s = sets[set - 1];
            const ReportFont font{set, s.faceName.trimmed(), s.titleSize, s.bodySize, s.smallSize};
            const QString pdf = tree.ctx.folders.dataFolder + QStringLiteral("/layout.pdf");
            ASSERT_TRUE(report::writeReportPdf(pdf, job, font, 1, job.pageCount()).ok);
            const QList<PdfPage> pages = wordBoxes(pdf);
            ASSERT_EQ(pages.size(), job.pageCount());
            for (qsizetype p = 0; p < pages.size(); ++p) {
                const PdfPage& page = pages[p];
                SCOPED_TRACE(
                    QStringLiteral("%1, font set %2, page %3").arg(j.name).arg(set).arg(p + 1).toStdString());
                const QRectF sheet(QPointF(0, 0), page.size);
                for (qsizetype a = 0; a < page.words.size(); ++a) {
                    const Word& w = page.words[a];
                    EXPECT_TRUE(sheet.contains(w.box)) << w.text.toStdString();
                    for (qsizetype b = a + 1; b < page.words.size(); ++b)
                        EXPECT_FALSE(overlap(w.box, page.words[b].box))
                            << w.text.toStdString() << " / " << page.words[b].text.toStdString();
                }
            }
        }
    }
}

} // namespace
