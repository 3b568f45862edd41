#include "../calc/calc_fixtures.h"
#include "calc/calculation.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "masters/concrete_setting.h"
#include "platform/cp932.h"
#include "sample_job.h"
#include "temp_tree.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/ResultsListWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace k5;

// The results list and the main list's marks of a calculated job: an OK
// footing, an NG footing, a pile cap, and a footing saved after the run.
class ResultsListWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;

        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureCommonValues(ctx.folders);
            ensureConcreteFile(ctx.folders);
            k5test::FootingInput ok, weak;
            ok.fe = 200;
            weak.fe = 100;
            k5test::writeJob(ctx, {k5test::savedFooting(ok, QStringLiteral("F-OK")),
                                   k5test::savedFooting(weak, QStringLiteral("F-NG")),
                                   k5test::savedPileCap({}, QStringLiteral("P1")),
                                   k5test::savedFooting(ok, QStringLiteral("F-未"))});
            CalcCounters counts;
            calculateJob(ctx.folders, counts);
            // Saved again after the run: its results are cleared.
            writeRecord(ctx.folders, 4, k5test::savedFooting(ok, QStringLiteral("F-未")));
        }
    };

    static QString cell(const QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }
    static QColor colour(const QTableView* view, int row, int column) {
        return view->model()->index(row, column).data(Qt::ForegroundRole).value<QColor>();
    }

  private slots:
    void listsSortsOpensAndSaves() {
        Fixture f;
        const QByteArray job = k5test::readBytes(f.ctx.folders.jobFile());
        ResultsListWindow window(f.ctx);
        QList<EditRequest> opened;
        window.openInput = [&](AppContext& c, QWidget*, const EditRequest& request) {
            opened << request;
            // The correction saves the record: its results are cleared.
            writeRecord(c.folders, request.record, k5test::savedFooting({}, QStringLiteral("F-NG")));
        };
        window.show();
        QTableView* view = window.view();
        QCOMPARE(window.objectName(), QStringLiteral("frm計算結果一覧"));
        QCOMPARE(view->model()->rowCount(), 4);
        QCOMPARE(view->model()->headerData(kResultMax, Qt::Horizontal).toString(), QStringLiteral("最大比"));
        QCOMPARE(cell(view, 0, kResultVerdict), QStringLiteral("OK"));
        QCOMPARE(cell(view, 1, kResultVerdict), QStringLiteral("NG"));
        QCOMPARE(cell(view, 2, kResultPiles), QStringLiteral("4"));
        QCOMPARE(cell(view, 3, kResultVerdict), QStringLiteral("未計算"));
        QCOMPARE(colour(view, 1, kResultVerdict), QColor(220, 0, 0));
        QCOMPARE(colour(view, 1, kResultFirstCheck), QColor(220, 0, 0)); // bearing above 1
        QVERIFY(colour(view, 0, kResultVerdict) != QColor(220, 0, 0));

        // The largest ratio first: the NG footing leads.
        view->sortByColumn(kResultMax, Qt::DescendingOrder);
        QCOMPARE(cell(view, 0, kResultName), QStringLiteral("F-NG"));
        QCOMPARE(cell(view, 3, kResultName), QStringLiteral("F-未")); // no ratio: last
        QCOMPARE(k5test::readBytes(f.ctx.folders.jobFile()), job);    // the list writes nothing

        view->setCurrentIndex(view->model()->index(0, 1));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].record, 2);
        QVERIFY(opened[0].isCorrection());
        QCOMPARE(opened[0].foundationType, int(kTypeIsolated));
        // Shown anew after the window closed.
        QCOMPARE(cell(view, view->currentIndex().row(), kResultName), QStringLiteral("F-NG"));
        QCOMPARE(cell(view, view->currentIndex().row(), kResultVerdict), QStringLiteral("未計算"));

        const QString csv = f.ctx.folders.dataFolder + QStringLiteral("/一覧.csv");
        QString proposed;
        window.chooseCsvFile = [&](QWidget*, const QString& p, CsvEncoding& encoding) {
            proposed = p;
            encoding = CsvEncoding::Cp932;
            return csv;
        };
        window.saveCsv();
        QVERIFY(fromCp932(k5test::readBytes(csv)).startsWith(QStringLiteral("No,設計基礎名,")));
        // The first save starts at home, never in the program's folder.
        QCOMPARE(proposed, QDir::home().filePath(QStringLiteral("計算結果一覧.csv")));
    }

    // The first click on a ratio or on 判定 brings the worst to the top;
    // another click turns the order round.
    void theFirstClickOnARatioOrTheVerdictSortsTheWorstFirst() {
        Fixture f;
        ResultsListWindow window(f.ctx);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableView* view = window.view();
        QHeaderView* header = view->horizontalHeader();
        const auto clickHeading = [&](int column) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        };
        for (int column : {int(kResultVerdict), int(kResultFirstCheck), int(kResultMax)}) {
            view->sortByColumn(kResultNo, Qt::AscendingOrder);
            clickHeading(column);
            QCOMPARE(cell(view, 0, kResultName), QStringLiteral("F-NG"));
        }
        clickHeading(kResultMax);
        QCOMPARE(cell(view, 3, kResultName), QStringLiteral("F-NG"));
        // Text columns start from the top of the alphabet as before.
        clickHeading(kResultName);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    // Outputs are saved where the user saved the last one, also after a
    // restart; at first at home.
    void saveDialogsStartInTheLastFolderUsed() {
        Fixture f;
        ResultsListWindow window(f.ctx);
        QString proposed;
        const QString folder = f.ctx.folders.dataFolder + QStringLiteral("/出力");
        QVERIFY(QDir().mkpath(folder));
        window.chooseDxfFile = [&](QWidget*, const QString& p) {
            proposed = p;
            return QString(); // cancelled: nothing remembered
        };
        window.exportDxf();
        QCOMPARE(QFileInfo(proposed).absolutePath(), QDir::homePath());
        window.chooseCsvFile = [&](QWidget*, const QString& p, CsvEncoding&) {
            proposed = p;
            return folder + QStringLiteral("/一覧.csv");
        };
        window.saveCsv();
        ResultsListWindow again(f.ctx);
        again.chooseDxfFile = window.chooseDxfFile;
        again.exportDxf();
        QCOMPARE(QFileInfo(proposed).absolutePath(), folder);
        QCOMPARE(QFileInfo(proposed).suffix(), QStringLiteral("dxf"));
    }

    // "DXF出力..." beside CSV保存: the ファイル menu's command, from the list.
    void exportsTheScheduleAsTheMenuDoes() {
        Fixture f;
        loadJobIdentity(f.ctx.folders, f.ctx.job); // as the main window has it
        ResultsListWindow window(f.ctx);
        QString proposed;
        const QString path = f.ctx.folders.dataFolder + QStringLiteral("/基礎リスト.dxf");
        window.chooseDxfFile = [&](QWidget*, const QString& p) {
            proposed = p;
            return path;
        };
        auto* button = window.findChild<QPushButton*>("cmdDXF出力");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("DXF出力(&D)..."));
        button->click();
        QCOMPARE(proposed, QDir::home().filePath(QStringLiteral("test.dxf")));
        QCOMPARE(f.tree.prompt.lastText(),
                 QStringLiteral("DXFを出力しました（基礎 3 件）。\n\n") + path +
                     QStringLiteral("\n\nNGの基礎:\nデータ2 F-NG: NG") +
                     QStringLiteral("\n\n出力しなかった基礎:\nデータ4 F-未: 未計算"));
        QVERIFY(k5test::readBytes(path).contains("AC1009"));
    }

    void mainListMarksTheVerdictWithoutChangingItsColumns() {
        Fixture f;
        MainWindow main(f.ctx);
        main.show();
        auto* grid = main.findChild<QTableWidget*>("MSFlexGrid1");
        QCOMPARE(grid->columnCount(), 13);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("F-OK"));
        QCOMPARE(grid->item(1, 1)->foreground().color(), QColor(200, 0, 0));
        QVERIFY(grid->item(1, 1)->font().bold());
        QCOMPARE(grid->item(1, 0)->background().color(), QColor(255, 205, 205));
        QVERIFY(grid->item(0, 1)->foreground().color() != QColor(200, 0, 0));
        QCOMPARE(grid->item(3, 1)->foreground().color(), QColor(140, 140, 140));
        QCOMPARE(grid->item(1, 1)->toolTip(), QStringLiteral("判定：NG"));

        // A name of seven full-width characters fits its column.
        const QString name = QStringLiteral("基礎基礎基礎基");
        FoundationRecord r = k5test::savedFooting({}, name);
        writeRecord(f.ctx.folders, 1, r);
        main.hide();
        main.show();
        QVERIFY(QFontMetrics(grid->item(0, 1)->font()).horizontalAdvance(name) <= grid->columnWidth(1) - 2);

        // The list grows with the window; the memo column takes the width.
        const int memo = grid->columnWidth(11), rows = grid->height();
        QCOMPARE(memo, 253);
        main.resize(main.width() + 200, main.height() + 150);
        QTRY_VERIFY(grid->columnWidth(11) >= memo + 150);
        QVERIFY(grid->height() >= rows + 100);
        QCOMPARE(grid->columnWidth(1), 80);
        // The size is kept for the next run.
        const QSize size = main.size();
        main.close();
        MainWindow next(f.ctx);
        QCOMPARE(next.size(), size);
    }

    void functionKeysOfTheRunMenu() {
        Fixture f;
        MainWindow main(f.ctx);
        const auto key = [&](const char* name) {
            return main.findChild<QAction*>(QString::fromUtf8(name))->shortcut().toString();
        };
        QCOMPARE(key("menu計算開始"), QStringLiteral("F5"));
        QCOMPARE(key("menu計算結果表示"), QStringLiteral("F6"));
        QCOMPARE(key("menu計算結果一覧"), QStringLiteral("F7"));
        QCOMPARE(main.findChild<QAction*>("menu計算開始")->text(), QStringLiteral("計算開始"));
        for (QAction* action : main.findChildren<QAction*>())
            if (!action->isSeparator() && !action->text().isEmpty() && !action->menu())
                QVERIFY2(!action->shortcut().isEmpty(), qPrintable(action->objectName()));
    }
};

QTEST_MAIN(ResultsListWindowTest)
#include "tst_results_list_window.moc"
