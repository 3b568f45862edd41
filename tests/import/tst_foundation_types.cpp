#include "import/import_review.h"
#include "import_job.h"
#include "jobdata/job_file.h"
#include "masters/concrete_setting.h"
#include "ui/import/FoundationTypesDialog.h"
#include "ui/import/ImportReviewWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace k5;

class FoundationTypesTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureConcreteFile(ctx.folders);
            k5test::writeImportedJob(ctx, 7); // 1 "A" and 2 "B" already grouped
        }
        QString namesAndGroups() const {
            QStringList out;
            for (int n = 1; n <= recordCountOf(ctx.folders); ++n) {
                const FoundationRecord r = readRecord(ctx.folders, n).value();
                out << QStringLiteral("%1/%2").arg(r.name).arg(r.groupNo);
            }
            return out.join(u' ');
        }
    };

  private slots:
    void calculatesShowsAndAppliesTheTypes() {
        Fixture f;
        FoundationTypesDialog dialog(f.ctx);
        dialog.show();
        QCOMPARE(dialog.objectName(), QStringLiteral("frm自動グループ化"));
        auto* apply = dialog.findChild<QAbstractButton*>("cmd適用");
        QVERIFY(!apply->isEnabled());
        dialog.findChild<QSpinBox*>("Text種類数")->setValue(2);

        // From the field of the number the keyboard reaches 計算.
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QSpinBox*>("Text種類数")->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmd計算"));
        dialog.findChild<QAbstractButton*>("cmd計算")->click();

        auto* table = dialog.findChild<QTableWidget*>("grdタイプ");
        QVERIFY(table->rowCount() >= 1 && table->rowCount() <= 2);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("基礎名"));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("F1"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("直接基礎"));
        int members = 0;
        for (int r = 0; r < table->rowCount(); ++r)
            members += table->item(r, 2)->text().toInt();
        QCOMPARE(members, 5);
        QVERIFY(dialog.findChild<QLabel*>("Labelコンクリート量")->text().startsWith("コンクリート量 "));
        QVERIFY(apply->isEnabled());
        QCOMPARE(f.namesAndGroups(), QStringLiteral("A/1 B/2 /0 /0 /0 /0 /0"));

        // A changed option makes the shown types stale.
        dialog.findChild<QLineEdit*>("Text基礎名の頭")->setText(QString());
        QTest::keyClicks(dialog.findChild<QLineEdit*>("Text基礎名の頭"), "T");
        QVERIFY(!apply->isEnabled());
        QCOMPARE(table->rowCount(), 0);
        dialog.findChild<QAbstractButton*>("cmd計算")->click();
        apply->click();
        QVERIFY(dialog.applied());
        const QStringList after = f.namesAndGroups().split(u' ');
        QCOMPARE(after.mid(0, 2), QStringList({"A/1", "B/2"}));
        for (const QString& cell : after.mid(2))
            QVERIFY2(cell == "T1/3" || cell == "T2/4", qPrintable(cell));
    }

    void theReviewWindowOpensItAndShowsTheNewGroups() {
        Fixture f;
        ImportReviewWindow window(f.ctx);
        int opened = 0;
        window.chooseTypes = [&](AppContext& ctx, QWidget*) {
            ++opened;
            FoundationTypesDialog dialog(ctx);
            dialog.findChild<QSpinBox*>("Text種類数")->setValue(1);
            dialog.calculate();
            dialog.applyTypes();
            return dialog.applied();
        };
        window.show();
        auto* button = window.findChild<QAbstractButton*>("cmd自動グループ化");
        QCOMPARE(button->text(), QStringLiteral("自動グループ化..."));
        button->click();
        QCOMPARE(opened, 1);
        auto* list = window.findChild<QTableWidget*>("MSFlexGrid11");
        QCOMPARE(list->item(2, 8)->text(), QStringLiteral("F1"));
        QCOMPARE(list->item(6, 9)->text(), QStringLiteral("3"));
        QCOMPARE(window.highestGroup(), 3);
    }
};

QTEST_MAIN(FoundationTypesTest)
#include "tst_foundation_types.moc"
