#include "calc/calc_messages.h"
#include "jobdata/job_file.h"
#include "jobdata/job_identity_file.h"
#include "sample_job.h"
#include "shell/main_commands.h"
#include "temp_tree.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/WindowRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace k5;

namespace {

// Radio buttons react to clicks on their indicator and label only.
void clickOption(QWidget* window, const char* name) {
    auto* option = window->findChild<QRadioButton*>(QString::fromUtf8(name));
    QVERIFY(option);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

// Runs `answer` on the job window as soon as it is the modal window.
void answerJobWindow(const std::function<void(QWidget*)>& answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != QStringLiteral("frm新規作成")) return;
        poll->stop();
        poll->deleteLater();
        answer(w);
    });
    poll->start();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<MainWindow> window;
        QStringList opened; // input windows opened, with whether the main window was hidden meanwhile

        // Builds the window; `prepare` may replace its child windows before it is shown.
        void open(const std::function<void(MainWindow&)>& prepare = {}) {
            window = std::make_unique<MainWindow>(ctx);
            window->children().hasInputWindow = [](int) { return true; };
            window->children().inputWindow = [this](AppContext& c, QWidget*, const EditRequest& r) {
                opened << QStringLiteral("type%1 record%2 mode%3 %4")
                              .arg(r.foundationType)
                              .arg(c.job.currentRecord)
                              .arg(r.isCorrection() ? 2 : 1)
                              .arg(window->isVisible() ? "shown" : "hidden");
            };
            if (prepare) prepare(*window);
            window->show();
        }
        QTableWidget* grid() const { return window->findChild<QTableWidget*>("MSFlexGrid1"); }
        QString label(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
        QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
        QString cell(int row, int col) const {
            const QTableWidgetItem* item = grid()->item(row - 1, col);
            return item ? item->text() : QString();
        }
        void doubleClickRow(int row) {
            QTableWidget* g = grid();
            g->scrollToItem(g->item(row - 1, 0));
            const QPoint at = g->visualItemRect(g->item(row - 1, 0)).center() + QPoint(60, 0);
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
        }
        void pressRow(int row, Qt::KeyboardModifiers modifiers = {}) {
            QTableWidget* g = grid();
            g->scrollToItem(g->item(row - 1, 0));
            const QPoint at = g->visualItemRect(g->item(row - 1, 0)).center() + QPoint(60, 0);
            QTest::mousePress(g->viewport(), Qt::LeftButton, modifiers, at);
            QTest::mouseRelease(g->viewport(), Qt::LeftButton, modifiers, at);
        }
    };

  private slots:
    void typedInListHasThreeSpareRowsAndTheTypedInColumns() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 12);
        f.open();
        QTableWidget* g = f.grid();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("KAMO-K5(基礎の設計) ver3.00"));
        QCOMPARE(g->rowCount(), 15);
        QCOMPARE(g->columnCount(), 13);
        QCOMPARE(g->horizontalHeaderItem(1)->text(), QStringLiteral("設計基礎名"));
        QCOMPARE(g->horizontalHeaderItem(11)->text(), QStringLiteral("メモ"));
        QCOMPARE(g->columnWidth(1), 80);   // 1200 twips
        QCOMPARE(g->columnWidth(11), 253); // 3800 twips
        QCOMPARE(g->columnWidth(12), 0);
        QCOMPARE(f.cell(12, 0), QStringLiteral("12"));
        QCOMPARE(f.cell(12, 1), QStringLiteral("F12"));
        QCOMPARE(f.cell(12, 2), QStringLiteral("直接基礎"));
        QCOMPARE(f.cell(12, 3), QStringLiteral("600"));
        QCOMPARE(f.cell(12, 5), QStringLiteral("2500"));
        QCOMPARE(f.cell(15, 0), QStringLiteral("15"));
        QCOMPARE(f.cell(13, 1), QString());
        // Alignment by column, the empty rows' cells included.
        for (int row : {0, 14}) {
            for (int col = 0; col < 12; ++col) {
                const bool left = col == 1 || col == 2 || col == 11;
                QVERIFY2(g->item(row, col), qPrintable(QStringLiteral("cell %1,%2").arg(row).arg(col)));
                QCOMPARE(bool(g->item(row, col)->textAlignment() & Qt::AlignLeft), left);
                QCOMPARE(bool(g->item(row, col)->textAlignment() & Qt::AlignRight), !left);
            }
        }
        // Ten rows in view below the header.
        QCOMPARE(g->height(), 226);
        QVERIFY(g->visualItemRect(g->item(9, 0)).bottom() < g->viewport()->height());
        QVERIFY(g->visualItemRect(g->item(10, 0)).bottom() >= g->viewport()->height());
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 12 ）"));
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：試験工事"));
        QCOMPARE(f.label("Labelファイル名"), QStringLiteral("ファイル名：試験"));
        QCOMPARE(f.label("Label単位"), QStringLiteral("SI"));
        QCOMPARE(f.label("Panel5"), QStringLiteral("rev. 17110401"));
    }

    void emptyJobListsTenRows() {
        Fixture f;
        f.open();
        QCOMPARE(f.grid()->rowCount(), 10);
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 0 ）"));
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：(未定)"));
    }

    // A taller window fills its list with numbered rows, not blank space.
    void theListFillsTheRoomOfAGrownWindow() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        f.open();
        QTableWidget* g = f.grid();
        f.window->resize(f.window->width(), f.window->height() + 300);
        QTRY_VERIFY(g->rowCount() > 10);
        const int rowHeight = g->verticalHeader()->defaultSectionSize();
        const int lastBottom = g->visualItemRect(g->item(g->rowCount() - 1, 0)).bottom();
        QVERIFY2(lastBottom >= g->viewport()->height() - rowHeight / 2,
                 qPrintable(QStringLiteral("%1 of %2").arg(lastBottom).arg(g->viewport()->height())));
        QCOMPARE(g->item(g->rowCount() - 1, 0)->text(), QString::number(g->rowCount()));
        QCOMPARE(f.cell(1, 1), QStringLiteral("F1")); // the records stay where they were
    }

    void importedJobUsesTheImportedColumnsAndCgsFollowsRecordOne() {
        Fixture f;
        QList<FoundationRecord> records{k5test::sampleRecord("P1", kTypePileCap, 2)};
        records[0].importFlag = -1;
        records[0].provisionalName = QStringLiteral("仮1");
        records[0].storeyName = QStringLiteral("1F");
        records[0].memo = QStringLiteral("メモ欄");
        k5test::writeJob(f.ctx, records);
        f.open();
        QTableWidget* g = f.grid();
        QCOMPARE(g->columnCount(), 15);
        QCOMPARE(g->horizontalHeaderItem(2)->text(), QStringLiteral("仮基礎名"));
        QCOMPARE(g->horizontalHeaderItem(6)->text(), QStringLiteral("ﾀｲﾌﾟ"));
        QCOMPARE(f.cell(1, 2), QStringLiteral("仮1"));
        QCOMPARE(f.cell(1, 3), QStringLiteral("1F"));
        QCOMPARE(f.cell(1, 6), QStringLiteral("杭基礎"));
        QCOMPARE(f.cell(1, 13), QStringLiteral("メモ欄"));
        QVERIFY(g->item(0, 6)->textAlignment() & Qt::AlignLeft);
        // 12500 twips of columns and 100 more, beside room for the scroll bar.
        QCOMPARE(g->width() - g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g), 840);
        QCOMPARE(f.label("Label単位"), QStringLiteral("CGS"));
        QCOMPARE(f.ctx.job.unitSystem, 2);
    }

    void openingRowsOfEachKind() {
        Fixture f;
        k5test::writeJob(f.ctx,
                         {k5test::sampleRecord("A", kTypeIsolated), k5test::sampleRecord("B", kTypePileCap),
                          k5test::sampleRecord("C", kTypeUnknown)});
        int typeQuestions = 0;
        f.open();
        f.window->children().askFoundationType = [&](AppContext& c, QWidget*) {
            ++typeQuestions;
            (void)c;
            return kTypePileCap;
        };
        f.doubleClickRow(1);
        f.doubleClickRow(2);
        QCOMPARE(f.opened, QStringList({"type1 record1 mode2 hidden", "type2 record2 mode2 hidden"}));
        QVERIFY(f.window->isVisible());
        QCOMPARE(typeQuestions, 0);

        // An untyped record: its type is asked and stored, no input window.
        f.doubleClickRow(3);
        QCOMPARE(typeQuestions, 1);
        QCOMPARE(f.opened.size(), 2);
        QCOMPARE(f.cell(3, 2), QStringLiteral("杭基礎"));
        QCOMPARE(readRecord(f.ctx.folders, 3).value().data1[0], 2.0f);

        // An empty row starts record 4 in the chosen type's window.
        f.doubleClickRow(8);
        QCOMPARE(typeQuestions, 2);
        QCOMPARE(f.opened.last(), QStringLiteral("type2 record4 mode1 hidden"));
    }

    void theTypeWindowAnswersForAnUntypedRecord() {
        Fixture f;
        k5test::writeJob(f.ctx,
                         {k5test::sampleRecord("A", kTypeUnknown), k5test::sampleRecord("B", kTypeUnknown)});
        f.open();
        // Answers the type window that opens modal: pile cap for the first
        // row, ｷｬﾝｾﾙ for the second.
        auto answer = [](const char* option, const char* button) {
            QTimer::singleShot(0, [option, button] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog && dialog->objectName() == QStringLiteral("frm新規基礎タイプ指定"));
                if (option) dialog->findChild<QAbstractButton*>(option)->click();
                dialog->findChild<QAbstractButton*>(button)->click();
            });
        };
        auto* spinner = f.window->findChild<QWidget*>("UpDown1");
        // ｷｬﾝｾﾙ ends the command: nothing changes, the spinner included.
        answer(nullptr, "Cmd中止");
        f.doubleClickRow(2);
        QCOMPARE(f.cell(2, 2), QStringLiteral("?"));
        QVERIFY(!spinner->isEnabled());
        answer("Opt杭基礎", "Cmd作成");
        f.doubleClickRow(1);
        QCOMPARE(f.cell(1, 2), QStringLiteral("杭基礎"));
        QVERIFY(spinner->isEnabled());
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(readRecord(f.ctx.folders, 1).value().data1[0], 2.0f);
        QCOMPARE(readRecord(f.ctx.folders, 2).value().data1[0], 0.0f);
    }

    void withoutAnInputWindowTheUserIsToldAndTheMainWindowStays() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        f.open();
        f.window->children().inputWindow = nullptr;
        f.doubleClickRow(1);
        QVERIFY(f.window->isVisible());
        QVERIFY(f.tree.prompt.lastText().contains(QStringLiteral("まだ使用できません")));
    }

    void spinnerMovesTheOpenedRecordAndStopsAtTheEnds() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        f.open();
        auto* spinner = f.window->findChild<QWidget*>("UpDown1");
        auto* up = f.window->findChild<QToolButton*>("UpDown1Up");
        auto* down = f.window->findChild<QToolButton*>("UpDown1Down");
        QVERIFY(!spinner->isEnabled());

        f.doubleClickRow(1);
        QVERIFY(spinner->isEnabled());
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(k5test::recordNames(f.ctx), QStringList({"F1", "F2", "F3"}));
        QCOMPARE(f.ctx.job.currentRecord, 1);

        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(k5test::recordNames(f.ctx), QStringList({"F2", "F3", "F1"}));
        QCOMPARE(f.cell(3, 1), QStringLiteral("F1"));
        QCOMPARE(f.grid()->currentRow(), 2);
        QTest::mouseClick(down, Qt::LeftButton); // already last
        QCOMPARE(k5test::recordNames(f.ctx), QStringList({"F2", "F3", "F1"}));

        // The keyboard does the same from the list.
        QTest::keyClick(f.grid(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(k5test::recordNames(f.ctx), QStringList({"F2", "F1", "F3"}));
        QCOMPARE(f.ctx.job.currentRecord, 2);
    }

    void mouseAndShiftChooseTheRowRange() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 6);
        f.open();
        f.pressRow(5);
        f.pressRow(3, Qt::ShiftModifier);
        QCOMPARE(f.window->selFirst(), 5);
        QCOMPARE(f.window->selLast(), 3);
        f.pressRow(2);
        QCOMPARE(f.window->selFirst(), 2);
        QCOMPARE(f.window->selLast(), 0);
        QTest::keyClick(f.grid(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(f.window->selLast(), 3);
    }

    void deleteChosenRowsDeletesTheRangeAndRebuildsTheList() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 12);
        f.open();
        f.pressRow(5);
        f.pressRow(3, Qt::ShiftModifier);
        f.action("menu選択削除")->trigger();
        QCOMPARE(f.tree.prompt.texts().size(), 2);
        QCOMPARE(k5test::recordNames(f.ctx).mid(0, 4), QStringList({"F1", "F2", "F6", "F7"}));
        QCOMPARE(f.grid()->rowCount(), 12);
        QCOMPARE(f.cell(3, 1), QStringLiteral("F6"));
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 9 ）"));
        QCOMPARE(f.window->selFirst() + f.window->selLast(), 0);

        // The Delete key runs the same command on the rows chosen by keyboard.
        f.tree.prompt.clear();
        f.pressRow(1);
        QTest::keyClick(f.grid(), Qt::Key_Delete);
        QCOMPARE(f.tree.prompt.texts().first(),
                 QStringLiteral("1行目のデータをデータを削除します　　　\nいいですか？　　　"));
    }

    void deleteAllEmptiesTheList() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 12);
        f.open();
        f.action("menu全データ削除")->trigger();
        QCOMPARE(f.tree.prompt.texts(), QStringList({deleteAllQuestion(), kAllDeleted}));
        QCOMPARE(f.grid()->rowCount(), 10);
        QCOMPARE(f.cell(1, 1), QString());
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 0 ）"));
    }

    void calculationRunsFromTheMenu() {
        Fixture f;
        f.open();
        f.action("menu計算開始")->trigger();
        QCOMPARE(f.tree.prompt.texts(), QStringList({calc_message::noFoundations()}));
    }

    void exitAsksFirst() {
        Fixture f;
        f.open();
        QSignalSpy closed(f.window.get(), &MainWindow::closed);
        f.tree.prompt.script({Answer::No});
        QTest::mouseClick(f.window->findChild<QLabel*>("Panel1"), Qt::LeftButton);
        QCOMPARE(f.tree.prompt.lastText(), QStringLiteral("KAMO-K5を終了します。\nいいですか？"));
        QVERIFY(f.window->isVisible());
        QCOMPARE(closed.count(), 0);
        f.action("menu終了")->trigger();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(closed.count(), 1);
    }

    void newJobFromAnImportedJobReturnsToTheTypedInLayout() {
        Fixture f;
        QList<FoundationRecord> records{k5test::sampleRecord("P1", kTypePileCap)};
        records[0].importFlag = -1;
        k5test::writeJob(f.ctx, records);
        bool hiddenDuringJobWindow = false;
        int nameEdits = 0;
        f.open([&](MainWindow& w) {
            w.children().editJob = [&](AppContext& c, QWidget*, bool newJob) {
                hiddenDuringJobWindow = !w.isVisible();
                if (!newJob) {
                    ++nameEdits;
                    return false;
                }
                c.job.currentJobName = QStringLiteral("次の工事");
                c.job.currentFileName = QStringLiteral("次");
                c.job.unitSystem = 2;
                return true;
            };
        });
        QCOMPARE(f.grid()->columnCount(), 15);
        // A double-click on the job name edits the name, like its menu command.
        QTest::mouseDClick(f.window->findChild<QLabel*>("Label工事名"), Qt::LeftButton);
        QCOMPARE(nameEdits, 1);
        QVERIFY(hiddenDuringJobWindow);
        hiddenDuringJobWindow = false;
        f.tree.prompt.script({Answer::No}); // go on without saving
        f.action("menu新規作成")->trigger();
        QVERIFY(hiddenDuringJobWindow);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.tree.prompt.shown().size(), size_t(1));
        QCOMPARE(f.tree.prompt.shown().front().buttons, Buttons::YesNoCancel);
        QCOMPARE(f.grid()->columnCount(), 13);
        QCOMPARE(f.grid()->rowCount(), 10);
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：次の工事"));
        QCOMPARE(f.label("Label単位"), QStringLiteral("CGS"));
        QVERIFY(!f.ctx.job.imported);
    }

    // The real job window, answered once it is up: ｷｬﾝｾﾙ leaves the job in
    // hand byte for byte; 登録 replaces it by the new empty job, which a
    // program started afresh on the same tree shows as registered.
    void newJobIsCreatedOnlyWhenTheJobWindowRegisters() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        const QByteArray job = k5test::readBytes(f.ctx.folders.jobFile());
        f.open();
        f.tree.prompt.script({Answer::No});
        answerJobWindow([](QWidget* w) {
            w->findChild<QLineEdit*>("Text_工事名")->setText(QStringLiteral("取り消す工事"));
            clickOption(w, "Opt_cgs");
            w->findChild<QPushButton*>("キャンセル")->click();
        });
        f.action("menu新規作成")->trigger();
        QVERIFY(f.window->isVisible());
        QCOMPARE(k5test::readBytes(f.ctx.folders.jobFile()), job);
        QVERIFY(!QFileInfo::exists(jobIdentityPath(f.ctx.folders)));
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：試験工事"));
        QCOMPARE(f.label("Label単位"), QStringLiteral("SI"));
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 3 ）"));
        QCOMPARE(f.ctx.job.unitSystem, 1);

        f.tree.prompt.script({Answer::No});
        answerJobWindow([](QWidget* w) {
            w->findChild<QLineEdit*>("Text_工事名")->setText(QStringLiteral("試験工事"));
            w->findChild<QLineEdit*>("Text_ファイル名")->setText(QStringLiteral("試験工事"));
            clickOption(w, "Opt_cgs");
            w->findChild<QPushButton*>("登録")->click();
        });
        f.action("menu新規作成")->trigger();
        QCOMPARE(k5test::fileSize(f.ctx.folders.jobFile()), 0);
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 0 ）"));

        // Quit, and start again on the same tree.
        f.window.reset();
        AppContext restarted;
        restarted.folders = Folders::forTree(f.tree.kmd());
        restarted.prompt = &f.tree.prompt;
        MainWindow again(restarted);
        again.show();
        auto label = [&](const char* name) { return again.findChild<QLabel*>(name)->text(); };
        QCOMPARE(label("Label工事名"), QStringLiteral("工事名：試験工事"));
        QCOMPARE(label("Labelファイル名"), QStringLiteral("ファイル名：試験工事"));
        QCOMPARE(label("Label単位"), QStringLiteral("CGS"));
        QCOMPARE(label("Panel4"), QStringLiteral("CGS単位"));
        QCOMPARE(restarted.job.unitSystem, 2); // new foundations are CGS records
    }

    void anEmptyJobWithoutNamesIsReplacedWithoutAQuestion() {
        Fixture f;
        bool asked = false;
        f.open([&](MainWindow& w) {
            w.children().editJob = [&](AppContext& c, QWidget*, bool newJob) {
                asked = newJob;
                c.job.currentJobName = c.job.currentFileName = QStringLiteral("最初の工事");
                return true;
            };
        });
        f.action("menu新規作成")->trigger();
        QVERIFY(asked);
        QVERIFY(f.tree.prompt.shown().empty());
        QCOMPARE(f.label("Label工事名"), QStringLiteral("工事名：最初の工事"));
    }

    void aSettingsWindowOpensWhileTheMainWindowIsHidden() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        f.open();
        k5test::writeSampleJob(f.ctx, 4); // changed behind the window's back
        bool mainHidden = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("frm00設計共通値"));
            mainHidden = !f.window->isVisible();
            dialog->findChild<QAbstractButton*>(QStringLiteral("キャンセル"))->click();
        });
        f.action("menu共通値")->trigger();
        QVERIFY(mainHidden);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.grid()->rowCount(), 10);
        QCOMPARE(f.label("Labelデータ数"), QStringLiteral("入力済み基礎データリスト（データ数： 4 ）"));

        // Without a linked analysis program there is nothing to import from.
        QVERIFY(!f.action("menuRX読込")->isVisible() || !f.action("menuRX読込")->isEnabled());
    }

    void everySettingsCommandOpensItsWindow() {
        Fixture f;
        f.open();
        const QList<std::pair<const char*, QString>> commands{
            {"menu共通値", "frm00設計共通値"},
            {"menuフォント", "frmフォントセット"},
            {"menu鉄筋強度", "frm鉄筋材種強度マスター"},
            {"menu鉄筋サイズ", "frm鉄筋サイズマスター"},
            {"menuキーアクション", "frmキーアクション設定"},
            {"menuキャンセル時", "frmキャンセル時指定"},
            {"menuコンクリート", "frmコンクリート強度"},
        };
        for (const auto& [action, window] : commands) {
            QString opened;
            QTimer::singleShot(0, [&opened, &f] {
                QWidget* dialog = QApplication::activeModalWidget();
                if (!dialog) return;
                opened = dialog->objectName() + (f.window->isVisible() ? " over" : " alone");
                dialog->close();
            });
            f.action(action)->trigger();
            QCOMPARE(opened, window + " alone");
            QVERIFY(f.window->isVisible());
        }
    }

    void eachFoundationTypeIsAddedAsSoonAsItsOwnWindowExists() {
        k5test::TempTree tree;
        MainWindow window(tree.ctx); // the real child windows, as registered
        window.show();
        auto* isolated = window.findChild<QAction*>(QStringLiteral("menu独立基礎追加"));
        auto* pileCap = window.findChild<QAction*>(QStringLiteral("menu杭基礎追加"));
        QCOMPARE(isolated->isEnabled(), isWindowRegistered(QStringLiteral("frm01独立基礎")));
        QCOMPARE(pileCap->isEnabled(), isWindowRegistered(QStringLiteral("frm03杭基礎VUP02")));
        QVERIFY(isolated->isEnabled());
        // An action without a tool tip of its own shows its text: only a
        // command without its window says it is not ready.
        QCOMPARE(pileCap->toolTip().startsWith(QStringLiteral("準備中")), !pileCap->isEnabled());
    }

    void linkCommandsFollowTheAnalysisLink() {
        Fixture f;
        f.open();
        QVERIFY(!f.action("menuRX読込")->isVisible());
        QVERIFY(!f.action("menuRX読込データ整理")->isVisible());
        QCOMPARE(f.label("Label読込データ"), QString());
        QVERIFY(f.action("menu独立基礎追加")->isEnabled());

        Fixture linked;
        linked.ctx.folders.analysisKind = QStringLiteral("RX3");
        linked.ctx.folders.analysisProgramName = QStringLiteral("KAMO-RX3");
        linked.open();
        QVERIFY(linked.action("menuRX起動")->isVisible());
        QCOMPARE(linked.action("menuRX起動")->text(), QStringLiteral("KAMO-RX3起動"));
        QCOMPARE(linked.action("menuRX読込")->text(), QStringLiteral("KAMO-RX3の出力データを読み込む..."));
        QCOMPARE(linked.action("menuRX読込データ整理")->text(),
                 QStringLiteral("KAMO-RX3から読込んだﾃﾞｰﾀの整理"));
        QCOMPARE(linked.label("Label読込データ"), QStringLiteral("（KAMO-RX3からの読込ﾃﾞｰﾀ）"));
        QVERIFY(!linked.action("menu独立基礎追加")->isEnabled());
        QVERIFY(!linked.action("menu杭基礎追加")->isEnabled());

        // Without its launcher the analysis program cannot start: the user is
        // told and this program goes on.
        linked.action("menuRX起動")->trigger();
        QVERIFY(linked.tree.prompt.lastText().startsWith(QStringLiteral("KAMO-RX3を起動できませんでした。")));
        QVERIFY(linked.window->isVisible());
    }

    // DXF出力 proposes the job's name in the save folder and tells what it
    // did; a job without results writes nothing and names its foundations
    // with the message that stops the calculation at each.
    void dxfExportAsksForTheFileAndTellsWhatWasLeftOut() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        QString proposed;
        const QString path = f.tree.dataFile(QStringLiteral("schedule.dxf"));
        f.open([&](MainWindow& w) {
            w.children().chooseDxfFile = [&](QWidget*, const QString& p) {
                proposed = p;
                return path;
            };
        });
        QCOMPARE(f.action("menuDXF出力")->text(), QStringLiteral("DXF出力..."));
        f.action("menuDXF出力")->trigger();
        QCOMPARE(proposed, QDir::home().filePath(QStringLiteral("試験.dxf"))); // at first at home
        QCOMPARE(f.tree.prompt.lastText(),
                 QStringLiteral("DXFに出力できる計算済みの基礎がありません。\n\n"
                                "出力しなかった基礎:\nデータ1 F1: ﾃﾞｰﾀNo 1: 長期軸力=0 となっています。\n"
                                "データ2 F2: ﾃﾞｰﾀNo 2: 長期軸力=0 となっています。"));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
