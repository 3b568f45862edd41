// The printed report as the engineer gets it: every page of the sample job
// (footings and pile caps in SI) and of a CGS job of both types, written as
// a PDF in each of the eight shipped font sets. The word
// boxes the PDF reader finds must never overlap one another and must stay on
// the sheet: a value printed over its neighbour is a page the official sends back.
#include "../../bench/bench_jobs.h"
#include "jobdata/job_file.h"
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

// Two words overlap when they share more than a hair in width and a real
// part of the height of the smaller one (a raised "2" beside its "m" only touches).
bool overlap(const QRectF& a, const QRectF& b) {
    const QRectF common = a.intersected(b);
    return common.width() > 0.3 && common.height() > 0.3 * std::min(a.height(), b.height());
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

// The records as the calculation leaves them, in a KMD tree of their own.
report::ReportJob calculatedJob(benchjob::Job& job, const QList<FoundationRecord>& records) {
    QFile file(job.ctx.folders.jobFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        for (const FoundationRecord& r : records)
            file.write(encodeRecord(r));
    file.close();
    runCalculation(job.ctx);
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
    } jobs[] = {{"sample", sample}, {"CGS", benchRecords(2, 2)}};

    benchjob::Job tree(0);
    QList<FontSetRecord> sets;
    ReportFont unused;
    sets = loadFontSet(tree.ctx.folders, unused);
    ASSERT_EQ(sets.size(), 8);
    for (const auto& j : jobs) {
        const report::ReportJob job = calculatedJob(tree, j.records);
        ASSERT_GE(job.pageCount(), 2) << j.name;
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
