#include "import/import_review.h"
#include "import_files.h"
#include "import_job.h"
#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "ui/import/GroupNameDialog.h"
#include "ui/import/ImportReviewWindow.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/WindowRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace k5;

class ImportReviewTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<ImportReviewWindow> window;
        QList<GroupName> answers; // what the naming dialog answers, in turn
        QStringList asked;        // preset type and whether the review was hidden, per dialog

        explicit Fixture(int records = 7) {
            k5test::writeImportedJob(ctx, records);
            window = std::make_unique<ImportReviewWindow>(ctx);
            window->askName = [this](AppContext&, int type, QWidget*, const QString& name) {
                asked << QStringLiteral("type%1 %2").arg(type).arg(window->isVisible() ? "shown" : "hidden") +
                             (name.isEmpty() ? QString() : u' ' + name);
                return answers.isEmpty() ? GroupName{} : answers.takeFirst();
            };
            window->show();
        }
        QTableWidget* list() const { return window->findChild<QTableWidget*>("MSFlexGrid11"); }
        QTableWidget* breakdown() const { return window->findChild<QTableWidget*>("MSFlexGrid12"); }
        QString cell(QTableWidget* grid, int row, int col) const {
            const QTableWidgetItem* item = grid->item(row - 1, col);
            return item ? item->text() : QString();
        }
        void pressRow(int row, Qt::KeyboardModifiers modifiers = {}) {
            QTableWidget* g = list();
            g->scrollToItem(g->item(row - 1, 0));
            const QPoint at = g->visualItemRect(g->item(row - 1, 0)).center() + QPoint(60, 0);
            QTest::mousePress(g->viewport(), Qt::LeftButton, modifiers, at);
            QTest::mouseRelease(g->viewport(), Qt::LeftButton, modifiers, at);
        }
        void click(const char* button) { window->findChild<QAbstractButton*>(button)->click(); }
        QString groupColumn() const {
            QStringList groups;
            for (int r = 1; r <= recordCountOf(ctx.folders); ++r)
                groups << cell(list(), r, 9);
            return groups.join(u' ');
        }
    };

  private slots:
    void opensWithTheSupportListLaidOut() {
        Fixture f;
        QCOMPARE(f.window->objectName(), QStringLiteral("frmRX2読込データ"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("KAMO-RXⅡから読込んだ基礎位置の支点リスト"));
        QCOMPARE(f.window->findChild<QLabel*>("LabelRXⅡ工事名")->text(), QStringLiteral("試験物件"));
        QCOMPARE(f.window->findChild<QLabel*>("Label荷重内訳")->text(), QString());
        QTableWidget* list = f.list();
        QStringList headers;
        for (int c = 0; c < list->columnCount(); ++c)
            headers << list->horizontalHeaderItem(c)->text();
        QCOMPARE(headers.join(u'|'),
                 QStringLiteral("|層|ﾌﾚｰﾑ|軸|層名|ﾌﾚｰﾑ名|軸名|仮名称|設計基礎名|ｸﾞﾙｰﾌﾟ|ﾀｲﾌﾟ"));
        QCOMPARE(list->columnWidth(0), 27);  // 400 twips
        QCOMPARE(list->columnWidth(7), 73);  // 1100 twips
        QCOMPARE(list->columnWidth(10), 60); // 900 twips
        QCOMPARE(list->rowHeight(0), 20);    // 300 twips
        QCOMPARE(list->rowCount(), 9);
        QCOMPARE(f.cell(list, 3, 0), QStringLiteral("3"));
        QCOMPARE(f.cell(list, 3, 3), QStringLiteral("103"));
        QCOMPARE(f.cell(list, 3, 6), QStringLiteral("Y3"));
        QCOMPARE(f.cell(list, 3, 7), QStringLiteral("F003(仮名)"));
        QCOMPARE(f.cell(list, 1, 8), QStringLiteral("A"));
        QCOMPARE(f.cell(list, 3, 10), QStringLiteral("直接基礎"));
        QCOMPARE(f.cell(list, 9, 0), QStringLiteral("9"));
        QCOMPARE(f.cell(list, 9, 1), QString());
        QCOMPARE(f.breakdown()->rowCount(), 14);
        QCOMPARE(f.breakdown()->columnWidth(4), 40); // 600 twips
        QCOMPARE(f.window->highestGroup(), 2);
    }

    void shiftClickGroupsTheRangeUnderANewName() {
        Fixture f;
        f.pressRow(7);
        f.pressRow(4, Qt::ShiftModifier);
        QCOMPARE(f.window->selectionStart(), 7);
        QCOMPARE(f.window->selectionEnd(), 4);
        auto highlighted = [&f] {
            QStringList rows;
            for (int r = 0; r < f.list()->rowCount(); ++r)
                if (f.list()->item(r, 1)->background() != QBrush()) rows << QString::number(r + 1);
            return rows.join(u' ');
        };
        QCOMPARE(highlighted(), QStringLiteral("4 5 6 7"));
        f.pressRow(5);
        QCOMPARE(highlighted(), QStringLiteral("5"));
        f.pressRow(7);
        f.pressRow(4, Qt::ShiftModifier);
        f.answers << GroupName{QStringLiteral("FG"), kTypePileCap};
        f.click("cmdグループ化");
        QCOMPARE(f.tree.prompt.lastText(),
                 QStringLiteral("4行目から7行目のデータをｸﾞﾙｰﾌﾟ化します　　　\nいいですか？　　　"));
        QCOMPARE(f.asked, QStringList{"type1 hidden"});
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.groupColumn(), QStringLiteral("1 2 0 3 3 3 3"));
        QCOMPARE(f.cell(f.list(), 5, 8), QStringLiteral("FG"));
        QCOMPARE(f.cell(f.list(), 5, 10), QStringLiteral("杭基礎"));
        QCOMPARE(f.window->selectionStart(), 0);
        QCOMPARE(f.list()->currentRow(), -1);
        QCOMPARE(readRecord(f.ctx.folders, 7)->groupNo, 3);

        // Grouping again from a pile cap preselects that type.
        f.pressRow(5);
        f.click("cmdグループ化");
        QCOMPARE(f.asked.last(), QStringLiteral("type2 hidden"));
    }

    void aTypeMismatchAsksAgainAndEveryAnswerShowsTheWindowAgain() {
        Fixture f;
        f.pressRow(6);
        f.pressRow(7, Qt::ShiftModifier);
        // "A" is group 1, an isolated footing: a pile cap of that name is refused.
        f.answers << GroupName{QStringLiteral("A"), kTypePileCap}
                  << GroupName{QStringLiteral("A"), kTypeIsolated};
        f.click("cmdグループ化");
        // Asked again with what was typed and chosen.
        QCOMPARE(f.asked, QStringList({"type1 hidden", "type2 hidden A"}));
        QVERIFY(f.tree.prompt.texts().join(u'\n').contains(
            QStringLiteral("「A」と同名の基礎は有りますが、その基礎ﾀｲﾌﾟは「直接基礎」で、")));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.groupColumn(), QStringLiteral("1 2 0 0 0 1 1"));

        // Cancelled: nothing changes, and the window is back.
        f.pressRow(3);
        f.click("cmdグループ化");
        QCOMPARE(f.asked.size(), 3);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.groupColumn(), QStringLiteral("1 2 0 0 0 1 1"));
    }

    void ungroupingAsksWithTheCautionAndKeepsTheType() {
        Fixture f;
        f.pressRow(1);
        f.pressRow(2, Qt::ShiftModifier);
        f.tree.prompt.script({Answer::Cancel});
        f.click("cmdグループ解除");
        QCOMPARE(f.tree.prompt.shown().back().icon, Icon::Warning);
        QVERIFY(f.tree.prompt.lastText().contains(QStringLiteral("現在のグループから解除します")));
        QCOMPARE(f.groupColumn(), QStringLiteral("1 2 0 0 0 0 0"));
        QCOMPARE(f.window->selectionStart(), 0);

        f.pressRow(2);
        f.click("cmdグループ解除");
        QCOMPARE(f.groupColumn(), QStringLiteral("1 0 0 0 0 0 0"));
        QCOMPARE(f.cell(f.list(), 2, 8), QString());
        QCOMPARE(f.cell(f.list(), 2, 10), QStringLiteral("直接基礎"));
    }

    void breakdownShowsFiveRowsPerRecordAndClears() {
        Fixture f;
        f.pressRow(2);
        f.pressRow(3, Qt::ShiftModifier);
        f.click("cmd荷重内訳");
        QTableWidget* b = f.breakdown();
        QCOMPARE(f.cell(b, 1, 1), QStringLiteral("F002(仮名)"));
        QCOMPARE(f.cell(b, 1, 2), QStringLiteral("B"));
        QCOMPARE(f.cell(b, 1, 4), QStringLiteral("L"));
        QCOMPARE(f.cell(b, 1, 5), QStringLiteral("-200"));
        QCOMPARE(f.cell(b, 2, 1), QString());
        QCOMPARE(f.cell(b, 2, 5), QStringLiteral("0"));
        QCOMPARE(f.cell(b, 6, 1), QStringLiteral("F003(仮名)"));
        QCOMPARE(f.cell(b, 10, 4), QStringLiteral("W2"));
        QCOMPARE(f.cell(b, 11, 4), QString());
        QCOMPARE(b->item(0, 5)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(f.window->selectionStart(), 0);
        QVERIFY(f.tree.prompt.shown().empty());

        f.click("cmdクリアー");
        QCOMPARE(f.cell(b, 1, 1), QString());
        QCOMPARE(b->rowCount(), 14);

        // A range past the records shows nothing and asks nothing.
        f.pressRow(9);
        f.click("cmd荷重内訳");
        QCOMPARE(f.cell(b, 1, 1), QString());
        QVERIFY(f.tree.prompt.shown().empty());
        QCOMPARE(f.window->selectionStart(), 0);
    }

    void namingDialogKeepsNamesStorableAndAnswers() {
        k5test::TempTree tree;
        GroupNameDialog dialog(tree.ctx, kTypePileCap);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmRX2基礎名の入力"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("基礎名・基礎タイプ"));
        QCOMPARE(dialog.findChild<QLabel*>("Label説明1")->text(),
                 QStringLiteral("基礎名を入力し、基礎タイプを指定てください"));
        QVERIFY(dialog.findChild<QRadioButton*>("Option杭基礎")->isChecked());
        auto* name = dialog.findChild<QLineEdit*>("Text基礎名");
        QCOMPARE(name->text(), QString());
        // Typing stops where the 14-byte field with its terminator is full,
        // and the field says why.
        dialog.show();
        for (QChar c : QStringLiteral("基礎ＡＢＣＤ-12"))
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), {});
        QCOMPARE(name->text(), QStringLiteral("基礎ＡＢＣＤ-"));
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().startsWith(QStringLiteral("<基礎名>は半角13文字")));
        // A wave dash typed through a Linux input method is taken as ～.
        name->clear();
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("〜"), {});
        QCOMPARE(name->text(), QStringLiteral("〜"));

        name->setText(QStringLiteral("F~1"));
        dialog.findChild<QAbstractButton*>("cmd登録")->click();
        QVERIFY(tree.prompt.lastText().contains(u'~'));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.answer().type, 0);

        name->setText(QStringLiteral(" F-1 "));
        dialog.findChild<QRadioButton*>("Option直接基礎")->click();
        dialog.findChild<QAbstractButton*>("cmd登録")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.answer().name, QStringLiteral("F-1"));
        QCOMPARE(dialog.answer().type, int(kTypeIsolated));

        GroupNameDialog cancelled(tree.ctx);
        cancelled.findChild<QLineEdit*>("Text基礎名")->setText("X");
        cancelled.findChild<QAbstractButton*>("cmdキャンセル")->click();
        QCOMPARE(cancelled.answer().name, QString());
        QCOMPARE(cancelled.answer().type, 0);

        // Opened again after a refusal: the name typed before is there.
        GroupNameDialog again(tree.ctx, kTypePileCap, nullptr, QStringLiteral("A"));
        QCOMPARE(again.findChild<QLineEdit*>("Text基礎名")->text(), QStringLiteral("A"));
        QVERIFY(again.findChild<QRadioButton*>("Option杭基礎")->isChecked());
    }

    void theRealDialogRunsWhileTheReviewIsHidden() {
        // The review hides while the dialog's modal loop runs and is shown
        // again afterwards, without ending its own wait.
        k5test::TempTree tree;
        k5test::writeImportedJob(tree.ctx, 3);
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* review = qobject_cast<ImportReviewWindow*>(QApplication::activeModalWidget());
            QVERIFY(review);
            QObject::connect(review, &QObject::destroyed, [&closed] { closed = true; });
            review->chooseRow(3, false);
            QTimer::singleShot(0, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog && dialog->objectName() == QStringLiteral("frmRX2基礎名の入力"));
                QVERIFY(!review->isVisible());
                dialog->findChild<QLineEdit*>("Text基礎名")->setText(QStringLiteral("C"));
                dialog->findChild<QAbstractButton*>("cmd登録")->click();
            });
            review->group();
            QVERIFY(review->isVisible());
            QVERIFY(!closed);
            review->findChild<QAbstractButton*>("cmd終了")->click();
        });
        QVERIFY(execWindowByName(tree.ctx, QStringLiteral("frmRX2読込データ"), nullptr));
        QVERIFY(closed);
        QCOMPARE(readRecord(tree.ctx.folders, 3)->name, QStringLiteral("C"));
        QCOMPARE(readRecord(tree.ctx.folders, 3)->groupNo, 3);
    }

    void mainWindowImportsThenOpensTheReview() {
        k5test::LinkedTree linked;
        AppContext& ctx = linked.ctx;
        k5test::writeSampleJob(ctx, 2);
        MainWindow window(ctx);
        window.show();
        auto* import = window.findChild<QAction*>("menuRX読込");
        auto* review = window.findChild<QAction*>("menuRX読込データ整理");
        QVERIFY(import->isEnabled());
        QVERIFY(review->isEnabled());

        // A bad file: refused, the job kept, foundations may be added again.
        linked.writeProject();
        linked.writeSupports({k5test::reactionLine(1, 1, 1, 1, 9)});
        const QByteArray job = k5test::readBytes(ctx.folders.jobFile());
        import->trigger();
        QVERIFY(linked.tree.prompt.texts().value(0).startsWith(
            QStringLiteral("KAMO-RXⅡのデータは、現在のデータを削除後に")));
        QVERIFY(linked.tree.prompt.lastText().contains(QStringLiteral("1行目 5番目の項目")));
        QCOMPARE(k5test::readBytes(ctx.folders.jobFile()), job);
        QVERIFY(window.isVisible());
        QVERIFY(window.findChild<QAction*>("menu独立基礎追加")->isEnabled());

        // Cancelled at the question: nothing read.
        linked.writeSupports({k5test::reactionLine(1, 1, 1, 1, 1), k5test::reactionLine(1, 1, 1, 2, 1)});
        linked.tree.prompt.script({Answer::Cancel});
        import->trigger();
        QCOMPARE(k5test::readBytes(ctx.folders.jobFile()), job);

        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* shown = QApplication::activeModalWidget();
            QVERIFY(shown);
            opened = shown->objectName() + (window.isVisible() ? " over" : " alone") + " " +
                     shown->findChild<QLabel*>("LabelRXⅡ工事名")->text();
            shown->findChild<QAbstractButton*>("cmd終了")->click();
        });
        import->trigger();
        QCOMPARE(opened, QStringLiteral("frmRX2読込データ alone 試験物件"));
        QVERIFY(window.isVisible());
        QVERIFY(ctx.job.imported);
        auto* list = window.findChild<QTableWidget*>("MSFlexGrid1");
        QCOMPARE(list->horizontalHeaderItem(2)->text(), QStringLiteral("仮基礎名"));
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("F002(仮名)"));
        QVERIFY(!window.findChild<QAction*>("menu独立基礎追加")->isEnabled());
    }
};

QTEST_MAIN(ImportReviewTest)
#include "tst_import_review.moc"
