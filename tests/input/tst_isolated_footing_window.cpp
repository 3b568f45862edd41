#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "jobdata/record_layout.h"
#include "masters/bar_size_master.h"
#include "masters/grade_master.h"
#include "sample_job.h"
#include "temp_tree.h"
#include "typing.h"
#include "ui/gridedit/FieldNavigator.h"
#include "ui/input/FootingPicture.h"
#include "ui/input/IsolatedFootingWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace k5;

class IsolatedFootingWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<IsolatedFootingWindow> window;

        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureCommonValues(ctx.folders);
            ctx.job.unitSystem = 1;
            ctx.job.currentJobName = QStringLiteral("試験工事");
            ctx.job.currentFileName = QStringLiteral("試験");
        }
        void open(int editMode, int record = 0) {
            const EditRequest request{editMode == 2 ? EditMode::Correction : EditMode::NewRecord,
                                      editMode == 2 ? record : ctx.job.recordCount + 1, kTypeIsolated};
            window = std::make_unique<IsolatedFootingWindow>(ctx, request);
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        template <typename T> T* find(const char* name) const {
            T* widget = window->findChild<T*>(QString::fromUtf8(name));
            if (!widget) qFatal("no control %s", name);
            return widget;
        }
        QLineEdit* text(const char* name) const { return find<QLineEdit>(name); }
        void type(const char* name, const QString& value) const {
            QLineEdit* edit = text(name);
            edit->setText(value);
        }
        void click(const char* name) const { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
        FoundationRecord stored(int n) { return readRecord(ctx.folders, n).value_or(FoundationRecord{}); }
        // The fields a footing needs besides the common values.
        void typeFooting(const QString& name) const {
            type("Text名称", name);
            type("Text長軸力", QStringLiteral("500"));
            type("TextLx", QStringLiteral("2000"));
            type("TextLy", QStringLiteral("2200"));
        }
    };

  private slots:
    void newModeOpensWithTheCommonValuesAndAppends() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        f.open(1, 3);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("独立基礎(新規)"));
        QCOMPARE(f.window->objectName(), QStringLiteral("frm01独立基礎"));
        QVERIFY(f.find<QCheckBox>("CheckX中心")->isChecked());
        QVERIFY(!f.text("Text_Lx1")->isEnabled());
        QCOMPARE(f.text("Text_Lx1")->text(), QStringLiteral("0"));
        QVERIFY(!f.find<QPushButton>("cmd複製")->isEnabled());
        QCOMPARE(f.find<QTabWidget>("SSTab1")->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称"));
        QCOMPARE(f.find<QLabel>("UnitLabel_0")->text(), QStringLiteral("（SI単位）"));
        QCOMPARE(f.find<QLabel>("UnitLabel_4")->text(), QStringLiteral("kN/m2"));
        QCOMPARE(f.text("Text_ax")->text(), formatGeneralOf(defaultCommonValues(1).ax));
        QCOMPARE(f.find<QPushButton>("Cmd登録")->text(), QStringLiteral("ﾁｪｯｸ記録終了"));

        f.typeFooting(QStringLiteral("新基礎"));
        f.click("Cmd登録");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 3);
        QCOMPARE(f.stored(3).name, QStringLiteral("新基礎"));
        QCOMPARE(f.stored(3).data2[4][2], 2200.0f);
    }

    void aFailedCheckKeepsTheWindowOpenAndTheFileUnchanged() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 1);
        f.open(1, 2);
        f.type("Text名称", QStringLiteral("X"));
        f.click("Cmd登録");
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.tree.prompt.lastText(), QStringLiteral("長期軸力=0 となっています。　　　"));
        QCOMPARE(recordCountOf(f.ctx.folders), 1);

        f.type("Text長軸力", QStringLiteral("100"));
        f.click("Cmd登録");
        QCOMPARE(f.tree.prompt.lastText(), QStringLiteral("Lx<=0 となっています｡　　　"));
        QVERIFY(f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 1);
    }

    void correctionShowsTheRecordAndSavesAsIs() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        f.open(2, 2);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("(訂正)独立基礎"));
        QCOMPARE(f.text("Text名称")->text(), QStringLiteral("F2"));
        QCOMPARE(f.text("TextLx")->text(), QStringLiteral("2500"));
        QVERIFY(f.find<QPushButton>("cmd複製")->isEnabled());
        f.type("TextLx", QStringLiteral("3000"));
        f.click("cmd現状記録");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 3);
        QCOMPARE(f.stored(2).data2[4][1], 3000.0f);
        QCOMPARE(f.stored(2).name, QStringLiteral("F2"));
    }

    void aMissingRecordIsReportedAndTheWindowCloses() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 1);
        IsolatedFootingWindow window(f.ctx, {EditMode::Correction, 5, kTypeIsolated});
        QVERIFY(!window.loaded());
        QCOMPARE(
            f.tree.prompt.lastText(),
            QStringLiteral("指定されたデータを読み込めませんでした。　　　　\r\n\r\n処理を中止します。"));
        QCOMPARE(window.exec(), int(QDialog::Rejected));
    }

    void duplicateAppendsAndStaysOpenOnTheCopy() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 3);
        f.open(2, 1);
        f.click("cmd複製");
        QVERIFY(f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 4);
        QCOMPARE(f.text("Text名称")->text(), QStringLiteral("F1の複製"));
        QCOMPARE(f.ctx.job.currentRecord, 4);
        QCOMPARE(f.stored(4).name, QStringLiteral("F1の複製"));
        f.type("TextMemo", QStringLiteral("後で"));
        f.click("cmd現状記録");
        QCOMPARE(recordCountOf(f.ctx.folders), 4);
        QCOMPARE(f.stored(4).memo, QStringLiteral("後で"));
    }

    void cancelAsksWhenSwitchedOnAndSavesNothing() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 1);
        f.ctx.control.cancelConfirm = 1;
        f.open(2, 1);
        f.type("TextLx", QStringLiteral("9999"));
        f.tree.prompt.script({Answer::No});
        f.click("Cmdキャンセル");
        QVERIFY(f.window->isVisible());
        f.click("Cmdキャンセル");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.stored(1).data2[4][1], 2500.0f);
    }

    void centreBoxAndGradeListsFollowTheUser() {
        Fixture f;
        f.open(1, 1);
        f.text("Text_ax")->setFocus();
        f.click("CheckX中心");
        QVERIFY(f.text("Text_Lx1")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f.text("Text_Lx1"));
        f.text("Text_ay")->setFocus();
        f.click("CheckX中心"); // checked again: Text_Ly1 stays greyed
        QVERIFY(!f.text("Text_Lx1")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f.text("TextLx"));

        f.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        QCOMPARE(QApplication::focusWidget(), f.text("Text_fe"));
        QComboBox* grade = f.find<QComboBox>("Combo鉄筋種類X");
        QComboBox* sizeY = f.find<QComboBox>("Combo鉄筋サイズY");
        const QString ySize = sizeY->currentText();
        int round = -1;
        for (int i = 0; i < grade->count(); ++i)
            if (grade->itemText(i).trimmed() == QStringLiteral("SR235")) round = i;
        QVERIFY(round >= 0);
        grade->setCurrentIndex(round);
        QComboBox* sizeX = f.find<QComboBox>("Combo鉄筋サイズX");
        QVERIFY(sizeX->currentText().trimmed().startsWith(u'R'));
        QCOMPARE(sizeX->currentIndex(), 0);
        QCOMPARE(sizeY->currentText(), ySize);
    }

    void arrowKeysStayWithinTheTabsPlaces() {
        Fixture f;
        f.open(1, 1);
        QLineEdit* memo = f.text("TextMemo");
        FieldNavigator::focusAndSelect(memo);
        QTest::keyClick(memo, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称"));
        QTest::keyClick(f.text("Text名称"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), memo);
        QTest::keyClick(f.text("Text_ax"), Qt::Key_Return); // Lx1 greyed: on to ay
        QCOMPARE(QApplication::focusWidget(), f.text("Text_ay"));

        f.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        QLineEdit* pitchy = f.text("Text_pitchy");
        FieldNavigator::focusAndSelect(pitchy);
        QTest::keyClick(pitchy, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.text("Text_fe"));
        QVERIFY(f.window->isVisible()); // Enter and Esc never close the window
        QTest::keyClick(f.text("Text_fe"), Qt::Key_Escape);
        QVERIFY(f.window->isVisible());
    }

    // Typed without a pause through the Enter order of both tabs, every value
    // lands in its own field (the offsets greyed by the centre boxes are passed).
    void theWholeEnterOrderTypedAtFullSpeedIsStoredAsTyped() {
        Fixture f;
        f.open(1);
        const k5test::TypedValue mainTab[] = {
            {"Text_ax", "601", 601, -1, row::a, 1},  {"Text_ay", "602", 602, -1, row::a, 2},
            {"TextLx", "2401", 2401, -1, row::L, 1}, {"TextLy", "2602", 2602, -1, row::L, 2},
            {"Text_D1", "701", 701, field::D1},      {"Text_D2", "402", 402, field::D2},
            {"Text_D3", "103", 103, field::cover},   {"Text_h1", "1301", 1301, field::h1},
            {"Text_h2", "1502", 1502, field::h2},    {"TextMemo", "memo 2"},
        };
        k5test::typeAtFullSpeed(f.window.get(), QStringLiteral("F9\n") + k5test::keysOf(k5test::kTypedLoads) +
                                                    k5test::keysOf(mainTab));
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称")); // Enter wraps within the tab
        k5test::nextTab(f.window.get());
        QCOMPARE(QApplication::focusWidget(), f.text("Text_fe"));
        const k5test::TypedValue bearing[] = {{"Text_fe", "301", 301, field::fe}};
        k5test::typeAtFullSpeed(f.window.get(),
                                k5test::keysOf(bearing) + k5test::keysOf(k5test::kTypedDetails));
        QCOMPARE(QApplication::focusWidget(), f.text("Text_fe"));
        f.click("cmd現状記録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        const FoundationRecord r = f.stored(1);
        QCOMPARE(r.name, QStringLiteral("F9"));
        QCOMPARE(r.memo, QStringLiteral("memo 2"));
        using Values = std::span<const k5test::TypedValue>;
        for (const Values typed :
             {Values(k5test::kTypedLoads), Values(mainTab), Values(bearing), Values(k5test::kTypedDetails)}) {
            const QString wrong = k5test::wronglyStored(r, typed);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }
    }

    // The section measures h1 from the column top and h2 from ground level,
    // both down to the underside of the footing, as the calculation does.
    void thePictureMeasuresH1AndH2ToTheUnderside() {
        const FootingPicture::Section g;
        QMap<QString, FootingPicture::Mark> marks;
        for (const FootingPicture::Mark& mark : FootingPicture::sectionMarks())
            marks.insert(mark.symbol, mark);
        const auto spans = [&](const char* symbol, double top, double bottom) {
            const FootingPicture::Mark m = marks.value(QString::fromUtf8(symbol));
            return qMin(m.from.y(), m.to.y()) == top && qMax(m.from.y(), m.to.y()) == bottom;
        };
        QVERIFY(spans("h1", g.colTop, g.bottom));
        QVERIFY(spans("h2", g.groundY, g.bottom));
        QVERIFY(spans("D", g.baseTop, g.bottom));
        QVERIFY(spans("D'", g.tipTop, g.bottom));
        QVERIFY(g.baseTop < g.bottom); // h1 is longer than the column stub
    }

    void momentsAndTheBearingValueShowTheirUnits() {
        Fixture f;
        f.ctx.job.unitSystem = 2;
        f.open(1);
        QCOMPARE(f.find<QLabel>("UnitLabel_2")->text(), QStringLiteral("t･m"));
        QCOMPARE(f.find<QLabel>("UnitLabel_4")->text(), QStringLiteral("t/m2"));
        f.type("Text名称", QStringLiteral("F9"));
        f.type("TextLx", QStringLiteral("-1"));
        f.type("Text長軸力", QStringLiteral("10"));
        f.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        f.click("Cmd登録");
        QVERIFY(f.tree.prompt.lastText().startsWith(QStringLiteral("Lx<=0")));
        QCOMPARE(f.find<QTabWidget>("SSTab1")->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f.text("TextLx"));
    }

  private:
    static QString formatGeneralOf(float value) { return QString::number(value); }
};

QTEST_MAIN(IsolatedFootingWindowTest)
#include "tst_isolated_footing_window.moc"
