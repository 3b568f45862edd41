#include "masters/bar_size_master.h"
#include "masters/grade_master.h"
#include "temp_tree.h"
#include "ui/input/CommonValuesWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace k5;

class CommonValuesWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<CommonValuesWindow> window;

        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureCommonValues(ctx.folders);
        }
        void open() {
            window = std::make_unique<CommonValuesWindow>(ctx);
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
            edit->selectAll();
            QTest::keyClicks(edit, value);
        }
        void click(const char* name) const { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
        CommonValues stored(int unit) {
            loadCommonValues(ctx.folders, unit, ctx.common);
            return ctx.common;
        }
    };

  private slots:
    void aCgsJobOpensOnSiAndRegistersItsOwnUnit() {
        Fixture f;
        f.ctx.job.unitSystem = 2;
        f.open();
        QCOMPARE(f.window->shownUnit(), 1);
        QVERIFY(f.find<QRadioButton>("Option_SI")->isChecked());
        QCOMPARE(f.find<QLabel>("Label単位")->text(), QStringLiteral("単位 ： SI単位"));
        QCOMPARE(f.text("Text_fe")->text(), QStringLiteral("200"));
        QCOMPARE(f.text("Text_fe")->selectedText(), QStringLiteral("200"));
        QVERIFY(f.text("Text_fe")->hasFocus());
        // The print choice and the case captions exist but never show.
        auto* print = f.find<QWidget>("Frame印刷出力指定");
        QVERIFY(!print->isVisible() && !f.find<QWidget>("Frame入力計算ケース")->isVisible());
        QCOMPARE(print->findChildren<QRadioButton*>().first()->text(), QStringLiteral("全ケースを出力"));
        QVERIFY(print->findChildren<QRadioButton*>().first()->isChecked());
        QCOMPARE(f.text("Text1")->focusPolicy(), Qt::NoFocus);

        f.click("登録");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.window->result(), int(QDialog::Accepted));
        QCOMPARE(f.ctx.common.Fc, 240.0f); // the CGS values
        QCOMPARE(f.ctx.common.Wc, 2.4f);
    }

    // A refused value is reported once and keeps the window open with the
    // focus on it; nothing is saved until it is put right.
    void aRefusedEdgeClearanceIsReportedWithTheFocusOnIt() {
        Fixture f;
        f.open();
        const QByteArray before = k5test::readBytes(f.ctx.folders.commonValuesFile);
        f.type("Text_fe", QStringLiteral("250"));
        f.type("Text_edgx", QStringLiteral("0"));
        f.type("Text_nx", QStringLiteral("7"));
        f.click("optYusen_2");
        f.click("登録");
        QCOMPARE(f.tree.prompt.texts(), QStringList({"<端空きx>の入力値が0または0以下になっている　　　"}));
        QVERIFY(f.window->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.text("Text_edgx"));
        QCOMPARE(k5test::readBytes(f.ctx.folders.commonValuesFile), before);
        // The same on a unit switch: the unit stays with the refused value.
        f.click("Option_CGS");
        QCOMPARE(f.window->shownUnit(), 1);
        QVERIFY(f.find<QRadioButton>("Option_SI")->isChecked());
        QCOMPARE(QApplication::focusWidget(), f.text("Text_edgx"));

        QTest::keyClicks(f.text("Text_edgx"), QStringLiteral("90"));
        f.click("登録");
        QVERIFY(!f.window->isVisible());
        const CommonValues si = f.stored(1);
        QCOMPARE(si.fe, 250.0f);
        QCOMPARE(si.edgx, 90);
        QCOMPARE(si.nx, 7);
        QCOMPARE(si.priority, 3);
        QCOMPARE(f.stored(2).fe, 20.0f);
    }

    // The unit options are one group: the arrow keys move between them with
    // the focus on the option chosen; the captions follow the unit.
    void arrowKeysMoveBetweenTheUnitOptions() {
        Fixture f;
        f.open();
        QCOMPARE(f.find<QLabel>("Label単位_Pe")->text(), QStringLiteral("kN/本"));
        auto* si = f.find<QRadioButton>("Option_SI");
        auto* cgs = f.find<QRadioButton>("Option_CGS");
        si->setFocus();
        QTest::keyClick(si, Qt::Key_Right);
        QCOMPARE(f.window->shownUnit(), 2);
        QCOMPARE(QApplication::focusWidget(), cgs);
        QCOMPARE(f.find<QLabel>("Label単位_Pe")->text(), QStringLiteral("t/本"));
        QTest::keyClick(cgs, Qt::Key_Left);
        QCOMPARE(f.window->shownUnit(), 1);
        QCOMPARE(QApplication::focusWidget(), si);
        QTest::keyClick(si, Qt::Key_Left); // the first option: the focus stays
        QCOMPARE(QApplication::focusWidget(), si);
        QCOMPARE(f.window->shownUnit(), 1);
    }

    // Both units go back into their own records; the bytes the window does
    // not edit stay as they were.
    void registerSavesBothUnitsIntoTheirRecords() {
        Fixture f;
        CommonValues si = defaultCommonValues(1);
        si.barGrade = QStringLiteral("SD345"), si.barSize = QStringLiteral("D22"), si.priority = 3;
        CommonValues cgs = defaultCommonValues(2);
        cgs.barGrade = QStringLiteral("SR235"), cgs.barSize = QStringLiteral("R13"), cgs.pfai = 450.5f;
        cgs.edgx = 70, cgs.nx = 4, cgs.priority = 1;
        const QByteArray spare(kCommonValuesRecordLength, '\x11');
        const QByteArray siBytes = encodeCommonValues(si, spare);
        const QByteArray cgsBytes = encodeCommonValues(cgs, spare);
        k5test::writeBytes(f.ctx.folders.commonValuesFile, siBytes + cgsBytes);

        f.open();
        f.type("Text_fe", QStringLiteral("250"));
        f.click("Option_CGS");
        QCOMPARE(f.find<QComboBox>("Cmb鉄筋サイズ")->currentText().trimmed(), QStringLiteral("R13"));
        f.type("Text_コンクリート設計強度", QStringLiteral("210"));
        f.type("Text_ny", QStringLiteral("3"));
        f.click("登録");
        QVERIFY(f.tree.prompt.texts().isEmpty());

        si.fe = 250;
        cgs.Fc = 210, cgs.ny = 3;
        QCOMPARE(k5test::readBytes(f.ctx.folders.commonValuesFile),
                 encodeCommonValues(si, spare) + encodeCommonValues(cgs, spare));
        QCOMPARE(f.ctx.common.Fc, 24.0f); // an SI job takes the SI values
        QCOMPARE(f.ctx.common.fe, 250.0f);
    }

    void theGradeDrivesTheSizeList() {
        Fixture f;
        f.open();
        auto* grade = f.find<QComboBox>("Cmb鉄筋種類");
        auto* size = f.find<QComboBox>("Cmb鉄筋サイズ");
        grade->setCurrentIndex(grade->findText(QStringLiteral("SD345"), Qt::MatchStartsWith));
        size->setCurrentIndex(size->findText(QStringLiteral("D22"), Qt::MatchStartsWith));

        grade->setCurrentIndex(grade->findText(QStringLiteral("SD390"), Qt::MatchStartsWith));
        QVERIFY(size->currentText().startsWith(QStringLiteral("D22")));
        QCOMPARE(size->count(), 12);

        grade->setCurrentIndex(grade->findText(QStringLiteral("SR235"), Qt::MatchStartsWith));
        QCOMPARE(size->count(), 9);
        QVERIFY(size->currentText().startsWith(QStringLiteral("R9")));

        f.click("登録");
        QCOMPARE(f.stored(1).barGrade, QStringLiteral("SR235"));
        QCOMPARE(f.stored(1).barSize, QStringLiteral("R9"));
    }

    void switchingUnitsKeepsWhatWasTyped() {
        Fixture f;
        f.open();
        f.type("Text_fe", QStringLiteral("123"));
        f.type("Text_Wc", QStringLiteral("23"));
        f.click("Option_CGS");
        QCOMPARE(f.window->shownUnit(), 2);
        QCOMPARE(f.find<QLabel>("Label単位_fe")->text(), QStringLiteral("t/m2"));
        QCOMPARE(f.text("Text_fe")->text(), QStringLiteral("20"));
        f.type("Text_fe", QStringLiteral("12"));
        f.click("Option_SI");
        QCOMPARE(f.text("Text_fe")->text(), QStringLiteral("123"));
        QCOMPARE(f.text("Text_Wc")->text(), QStringLiteral("23"));
        QCOMPARE(f.find<QLabel>("Label単位_Fc")->text(), QStringLiteral("N/mm2"));
        QCOMPARE(f.window->copy(2).fe, 12.0f);
        // Clicking the unit already shown changes nothing.
        f.type("Text_fe", QStringLiteral("124"));
        f.click("Option_SI");
        QCOMPARE(f.text("Text_fe")->text(), QStringLiteral("124"));
    }

    void cancelAsksWhenTheSettingSaysSo() {
        Fixture f;
        f.ctx.control.cancelConfirm = 1;
        const QByteArray before = k5test::readBytes(f.ctx.folders.commonValuesFile);
        f.open();
        f.type("Text_fe", QStringLiteral("999"));
        f.tree.prompt.script({Answer::No});
        f.click("キャンセル");
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.tree.prompt.shown().back().title, QStringLiteral("警告"));
        f.click("キャンセル");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(k5test::readBytes(f.ctx.folders.commonValuesFile), before);

        Fixture quiet;
        quiet.open();
        quiet.click("キャンセル");
        QVERIFY(!quiet.window->isVisible());
        QVERIFY(quiet.tree.prompt.texts().isEmpty());
    }

    // Tab runs through the 21 places of the focus list in order, then the
    // priority, the unit option and the two buttons, and back to the first field.
    void tabFollowsTheFocusListThenTheOptionsAndButtons() {
        Fixture f;
        f.open();
        QStringList chain;
        QWidget* w = f.text("Text_fe");
        for (int i = 0; i < 30 && w; ++i) {
            chain << w->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
            w = QApplication::focusWidget();
            if (w == f.text("Text_fe")) break;
        }
        QCOMPARE(chain, QStringList({"Text_fe",     "Text_pe",       "Text_pfai",
                                     "Cmb鉄筋種類", "Cmb鉄筋サイズ", "Text_コンクリート設計強度",
                                     "Text_Wc",     "Text_Ws",       "Text_ax",
                                     "Text_ay",     "Text_h1",       "Text_h2",
                                     "Text_D1",     "Text_D2",       "Text_D3",
                                     "Text_edgx",   "Text_pitchx",   "Text_nx",
                                     "Text_edgy",   "Text_pitchy",   "Text_ny",
                                     "optYusen_0",  "Option_SI",     "登録",
                                     "キャンセル"}));
        QCOMPARE(w, f.text("Text_fe"));
    }

    void enterAndArrowsMoveThroughTheFields() {
        Fixture f;
        f.open();
        QTest::keyClick(f.text("Text_fe"), Qt::Key_Return);
        QVERIFY(f.text("Text_pe")->hasFocus());
        QTest::keyClick(f.text("Text_pe"), Qt::Key_Down);
        QVERIFY(f.text("Text_pfai")->hasFocus());
        QTest::keyClick(f.text("Text_pfai"), Qt::Key_Return);
        QVERIFY(f.find<QComboBox>("Cmb鉄筋種類")->hasFocus());
        f.text("Text_fe")->setFocus();
        QTest::keyClick(f.text("Text_fe"), Qt::Key_Up);
        QVERIFY(f.text("Text_ny")->hasFocus()); // wraps to place 21
        QTest::keyClick(f.text("Text_ny"), Qt::Key_Return);
        QVERIFY(f.text("Text_fe")->hasFocus());
        QVERIFY(f.window->isVisible()); // Enter never presses a button
    }
};

QTEST_MAIN(CommonValuesWindowTest)
#include "tst_common_values_window.moc"
