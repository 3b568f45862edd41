#include "../calc/calc_fixtures.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "masters/concrete_setting.h"
#include "sample_job.h"
#include "temp_tree.h"
#include "ui/sizing/JobSizingWindow.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace k5;

// The whole-job proposal window over a job of three footings sized far too
// large: limited to the rows chosen in the main list, it lists and applies
// only those, and the job keeps every other record byte for byte.
class JobSizingWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;

        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureCommonValues(ctx.folders);
            ensureConcreteFile(ctx.folders);
            k5test::FootingInput large;
            large.Lx = large.Ly = 4000;
            large.Lx1 = large.Ly1 = 1750;
            large.fe = 200;
            k5test::writeJob(ctx, {k5test::savedFooting(large, QStringLiteral("F1")),
                                   k5test::savedFooting(large, QStringLiteral("F2")),
                                   k5test::savedFooting(large, QStringLiteral("F3"))});
        }
    };

    static QTableWidget* proposals(JobSizingWindow& window) {
        // The search starts once the window is shown.
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("grdProposals"));
        if (!QTest::qWaitFor([table] { return table->rowCount() > 0; }, 20000))
            qWarning("no proposals listed");
        return table;
    }

  private slots:
    void sizesOnlyTheChosenRows() {
        Fixture f;
        const FoundationRecord first = *readRecord(f.ctx.folders, 1);
        JobSizingWindow window(f.ctx);
        window.limitToRecords(2, 3);
        window.show();
        QTableWidget* table = proposals(window);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("2"));
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("3"));
        QCOMPARE(table->item(0, 0)->checkState(), Qt::Checked); // found and smaller

        f.tree.prompt.script({Answer::No}); // no 計算開始 after applying
        window.findChild<QPushButton*>(QStringLiteral("cmd適用"))->click();
        QCOMPARE(encodeRecord(*readRecord(f.ctx.folders, 1)), encodeRecord(first));
        for (int n : {2, 3}) {
            const FoundationRecord sized = *readRecord(f.ctx.folders, n);
            QVERIFY(sized.data2[row::L][1] < 4000);
            QVERIFY(sized.data2[row::L][2] < 4000);
        }
    }

    void sizesTheWholeJobWithoutAChoice() {
        Fixture f;
        JobSizingWindow window(f.ctx);
        window.show();
        QCOMPARE(proposals(window)->rowCount(), 3);
    }

    // The aspect limit and target ratio chosen for 再提案 are used for the
    // search and offered again the next time, in either window.
    void rememberedOptionsSizeAgain() {
        Fixture f;
        {
            JobSizingWindow window(f.ctx);
            window.show();
            QTableWidget* table = proposals(window);
            window.findChild<QDoubleSpinBox*>(QStringLiteral("txt目標検定比"))->setValue(0.7);
            window.findChild<QDoubleSpinBox*>(QStringLiteral("txt縦横比上限"))->setValue(1.5);
            window.findChild<QPushButton*>(QStringLiteral("cmd再提案"))->click();
            QVERIFY(table->rowCount() == 3);
            // The ratio shown keeps the reserve asked for.
            const int ratioColumn =
                2 + static_cast<int>(proposalHeaders().indexOf(QStringLiteral("最大検定比／理由")));
            QVERIFY(table->item(0, ratioColumn)->text().toDouble() <= 0.7);
        }
        const SizingLimits kept = readSizingLimits(f.ctx.folders);
        QCOMPARE(kept.target, 0.7);
        QCOMPARE(kept.maxAspect, 1.5);
        JobSizingWindow again(f.ctx);
        QCOMPARE(again.findChild<QDoubleSpinBox*>(QStringLiteral("txt目標検定比"))->value(), 0.7);
    }
};

QTEST_MAIN(JobSizingWindowTest)
#include "tst_job_sizing_window.moc"
