#include "calc/calculation.h"
#include "jobdata/common_values.h"
#include "jobdata/job_file.h"
#include "jobdata/pile_arrangement.h"
#include "jobdata/record_layout.h"
#include "masters/concrete_setting.h"
#include "sample_job.h"
#include "shell/job_list.h"
#include "temp_tree.h"
#include "typing.h"
#include "ui/gridedit/FieldNavigator.h"
#include "ui/input/IsolatedFootingWindow.h"
#include "ui/input/PileCapWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace k5;

namespace {

// A pile cap as the input window stores it, with the values a later test reads.
FoundationRecord storedPileCap(const QString& name, int layout, int kind) {
    FoundationRecord r = k5test::sampleRecord(name, kTypePileCap);
    r.data1[field::pileLayout] = static_cast<float>(layout);
    r.data1[field::pileKind] = static_cast<float>(kind);
    r.data1[field::pfai] = 600;
    r.data1[field::Pe] = 800;
    r.data1[field::minEdge] = 111;
    r.data1[field::minSpacing] = 222;
    r.data1[field::D1] = r.data1[field::D2] = 800;
    r.data1[field::cover] = 100;
    r.data1[field::h1] = r.data1[field::h2] = 1200;
    r.data1[field::Fc] = 24;
    r.data1[field::Wc] = 24;
    r.data1[field::Ws] = 20;
    r.barGradeX = r.barGradeY = QStringLiteral("SD295");
    r.barSizeX = r.barSizeY = QStringLiteral("D19");
    r.data2[row::N][1] = 3000;
    r.data2[row::M][1] = 100;
    r.data2[row::M][2] = 200;
    r.data2[row::H][2] = 30;
    r.data2[row::P][1] = 700;  // Px1
    r.data2[row::P][2] = 750;  // Py1
    r.data2[row::P][3] = 1800; // Px2
    r.data2[row::P][4] = 1900; // Py2
    return r;
}

// Types `text` into a field character by character as an input method
// commits it (how Japanese text and emoji reach a field).
void typeCommitted(QWidget* field, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype step = text[i].isHighSurrogate() ? 2 : 1;
        QInputMethodEvent commit;
        commit.setCommitString(text.mid(i, step));
        QApplication::sendEvent(field, &commit);
        i += step;
    }
}

// Answers the 寸法提案 dialog once it is up: its explanation goes to
// `reason`, then 適用 is pressed when `apply` and the dialog allows it,
// 閉じる otherwise.
void answerProposal(QString* reason, bool apply) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, reason, apply] {
        QWidget* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frm寸法提案") && w->isVisible()) dialog = w;
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        *reason = dialog->findChild<QLabel*>(QStringLiteral("lblReason"))->text();
        auto* applyButton = dialog->findChild<QPushButton*>(QStringLiteral("cmd適用"));
        (apply && applyButton->isEnabled() ? applyButton
                                           : dialog->findChild<QPushButton*>(QStringLiteral("cmd閉じる")))
            ->click();
    });
    poll->start(10);
}

} // namespace

class PileCapWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<PileCapWindow> window;

        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureCommonValues(ctx.folders);
            ctx.job.unitSystem = 1;
            ctx.job.currentJobName = QStringLiteral("試験工事");
            ctx.job.currentFileName = QStringLiteral("試験");
        }
        void open(int editMode, int record = 0) {
            ctx.job.recordCount = recordCountOf(ctx.folders);
            const EditRequest request{editMode == 2 ? EditMode::Correction : EditMode::NewRecord,
                                      editMode == 2 ? record : ctx.job.recordCount + 1, kTypePileCap};
            window = std::make_unique<PileCapWindow>(ctx, request);
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        template <typename T> T* find(const QString& name) const {
            T* widget = window->findChild<T*>(name);
            if (!widget) qFatal("no control %s", qPrintable(name));
            return widget;
        }
        QLineEdit* text(const char* name) const { return find<QLineEdit>(QString::fromUtf8(name)); }
        void type(const char* name, const QString& value) const { text(name)->setText(value); }
        void click(const char* name) const {
            QTest::mouseClick(find<QAbstractButton>(QString::fromUtf8(name)), Qt::LeftButton);
        }
        // The arrangement at list position `index` chosen as the user chooses it.
        void chooseArrangement(int index) const {
            auto* list = find<QComboBox>(QStringLiteral("Cmb杭本数"));
            list->setCurrentIndex(index);
            emit list->activated(index);
        }
        QString line(int i) const { return find<QLabel>(QStringLiteral("txt杭間隔説明_%1").arg(i))->text(); }
        FoundationRecord stored(int n) { return readRecord(ctx.folders, n).value_or(FoundationRecord{}); }
        // What a cap with four piles needs beyond the common values.
        void typeFourPileCap(const QString& name) const {
            type("Text名称", name);
            chooseArrangement(4);
            type("Text長軸力", QStringLiteral("2000"));
            type("Text_Px1", QStringLiteral("500"));
            type("Text_Py1", QStringLiteral("500"));
            type("Text_Px2", QStringLiteral("1200"));
            type("Text_Py2", QStringLiteral("1100"));
        }
    };

  private slots:
    void aNewPileCapIsRegisteredAndListed() {
        Fixture f;
        k5test::writeSampleJob(f.ctx, 2);
        f.open(1);
        QCOMPARE(f.window->objectName(), QStringLiteral("frm03杭基礎VUP02"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("杭基礎の設計(新規)"));
        QVERIFY(!f.find<QPushButton>(QStringLiteral("cmd複製"))->isEnabled());
        QCOMPARE(f.find<QPushButton>(QStringLiteral("Cmd登録"))->text(), QStringLiteral("登録"));
        QCOMPARE(f.find<QTabWidget>(QStringLiteral("SSTab1"))->tabText(1), QStringLiteral("　詳　細　"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("UnitLabel_4"))->text(), QStringLiteral("kN/本"));
        QCOMPARE(f.find<QComboBox>(QStringLiteral("Cmb杭本数"))->currentText(), QStringLiteral(" 1"));
        QCOMPARE(f.find<QComboBox>(QStringLiteral("Cmb杭本数"))->count(), 11);
        QVERIFY(f.find<QRadioButton>(QStringLiteral("opt杭種類_0"))->isChecked());
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称"));
        const CommonValues common = defaultCommonValues(1);
        QCOMPARE(f.text("Text_pfai")->text(), QString::number(common.pfai));
        QCOMPARE(f.text("Text_pe")->text(), QString::number(common.Pe));
        // The first kind is chosen through its handler: the minima of the common diameter.
        QCOMPARE(common.pfai, 350.0f);
        QCOMPARE(f.line(0), QStringLiteral("へりあき(Px1) 438mm以上"));
        QCOMPARE(f.line(1), QStringLiteral("杭間隔　(Px2) 875mm以上"));

        f.typeFourPileCap(QStringLiteral("新杭基礎"));
        f.click("Cmd登録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        QCOMPARE(recordCountOf(f.ctx.folders), 3);
        const FoundationRecord r = f.stored(3);
        QCOMPARE(r.name, QStringLiteral("新杭基礎"));
        QCOMPARE(r.data1[field::foundationType], float(kTypePileCap));
        QCOMPARE(r.data1[field::pileLayout], 5.0f);
        QCOMPARE(r.data1[field::pileCount], 4.0f);
        QCOMPARE(r.data1[field::pileKind], 0.0f);
        QCOMPARE(r.data2[row::P][3], 1200.0f);
        QCOMPARE(r.data2[row::P][4], 1100.0f);
        // A new cap has no size of its own until it is calculated.
        QCOMPARE(r.data2[row::L][1], 0.0f);
        const QStringList listed = listRow(r, 3, false);
        QVERIFY2(listed.contains(QStringLiteral("新杭基礎")), qPrintable(listed.join(u'|')));
        QVERIFY2(listed.contains(QStringLiteral("杭基礎")), qPrintable(listed.join(u'|')));
    }

    void aRegisteredCapIsCalculated() {
        Fixture f;
        ensureConcreteFile(f.ctx.folders);
        f.open(1);
        f.typeFourPileCap(QStringLiteral("計算"));
        f.type("Text_D2", f.text("Text_D1")->text()); // a flat top
        f.click("Cmd登録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        CalcCounters counts;
        const Outcome run = calculateJob(f.ctx.folders, counts);
        QVERIFY2(run.ok, qPrintable(run.message.text));
        QCOMPARE(counts.pileCaps, 1);
        const FoundationRecord r = f.stored(1);
        QCOMPARE(r.data2[row::L][1], 2200.0f); // 2·500 + 1200
        QCOMPARE(r.data2[row::L][2], 2100.0f); // 2·500 + 1100
    }

    void aCorrectionKeepsTheCapsOwnSizeAndTheMinimaFollowTheDiameter() {
        Fixture f;
        FoundationRecord cap = storedPileCap(QStringLiteral("P1"), 5, 3);
        cap.data2[row::L][1] = 3200; // size of its last calculation
        cap.data2[row::L][2] = 3400;
        k5test::writeJob(f.ctx, {k5test::sampleRecord(QStringLiteral("F1"), kTypeIsolated), cap});
        // The working record holds another foundation, calculated last.
        f.open(2, 2);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("杭基礎の設計(訂正)"));
        QCOMPARE(f.text("Text名称")->text(), QStringLiteral("P1"));
        QCOMPARE(f.find<QComboBox>(QStringLiteral("Cmb杭本数"))->currentText(), QStringLiteral(" 4"));
        QVERIFY(f.find<QRadioButton>(QStringLiteral("opt杭種類_3"))->isChecked());
        QCOMPARE(f.text("Text_Py2")->text(), QStringLiteral("1900"));
        QVERIFY(f.text("Text_Py2")->isEnabled());
        QCOMPARE(f.text("Text長Yモーメント")->text(), QStringLiteral("200"));
        // The minima of the diameter shown are shown; the stored ones stand.
        QCOMPARE(f.line(0), QStringLiteral("へりあき(Px1) 500mm以上"));
        QCOMPARE(f.line(1), QStringLiteral("杭間隔　(Px2) 1600mm以上"));

        f.click("cmd現状記録");
        QVERIFY(!f.window->isVisible());
        FoundationRecord r = f.stored(2);
        QCOMPARE(r.data1[field::minEdge], 111.0f); // as stored: the diameter was not touched
        QCOMPARE(r.data2[row::L][1], 3200.0f);
        QCOMPARE(r.data2[row::L][2], 3400.0f);
        QCOMPARE(r.data1[field::pileKind], 3.0f);

        f.open(2, 2);
        QLineEdit* pfai = f.text("Text_pfai");
        FieldNavigator::focusAndSelect(pfai);
        QTest::keyClicks(pfai, QStringLiteral("800"));
        QCOMPARE(f.line(0), QStringLiteral("へりあき(Px1) 600mm以上"));
        f.click("cmd現状記録");
        r = f.stored(2);
        QCOMPARE(r.data1[field::pfai], 800.0f);
        QCOMPARE(r.data1[field::minEdge], 600.0f);
        QCOMPARE(r.data1[field::minSpacing], 1800.0f);
    }

    void pileKindsShowTheirMinimaOrTheirRules_data() {
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("edge");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<bool>("note");
        QTest::newRow("cast in place, 600") << "600" << 3 << "へりあき(Px1) 500mm以上"
                                            << "杭間隔　(Px2) 1600mm以上" << true;
        QTest::newRow("precast, 300") << "300" << 0 << "へりあき(Px1) 375mm以上"
                                      << "杭間隔　(Px2) 750mm以上" << false;
        QTest::newRow("steel, 500") << "500" << 1 << "へりあき(Px1) 625mm以上"
                                    << "杭間隔　(Px2) 1000mm以上" << false;
        QTest::newRow("cast in place, none") << "" << 3 << "へりあき(Px1) (200～300)mm+杭径/2以上"
                                             << "杭間隔　(Px2) 2d以上かつ(d+1000mm)以上" << false;
        QTest::newRow("precast, none") << "0" << 0 << "へりあき(Px1) 1.25d以上"
                                       << "杭間隔　(Px2) 2.5d以上かつ750mm以上" << false;
    }
    void pileKindsShowTheirMinimaOrTheirRules() {
        QFETCH(QString, diameter);
        QFETCH(int, kind);
        QFETCH(QString, edge);
        QFETCH(QString, spacing);
        QFETCH(bool, note);
        Fixture f;
        f.open(1);
        f.type("Text_pfai", diameter);
        f.click(QStringLiteral("opt杭種類_%1").arg(kind).toUtf8().constData());
        QCOMPARE(f.line(0), edge);
        QCOMPARE(f.line(1), spacing);
        QCOMPARE(f.line(2).isEmpty(), !note);
        if (note)
            QCOMPARE(
                f.line(2),
                QStringLiteral("※注：へりあき(Px1)は、(有効へりあき(200mm)+杭直径/2) を表示しています。"));
    }

    void eachArrangementOpensItsOwnFields_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("xMoments");
        QTest::addColumn<bool>("yMoments");
        QTest::addColumn<bool>("px2");
        QTest::addColumn<bool>("py2");
        QTest::newRow(" 1") << 1 << false << false << false << false;
        QTest::newRow(" 2") << 2 << true << false << true << false;
        QTest::newRow(" 3(3角)") << 3 << true << true << true << false;
        QTest::newRow(" 3(直3)") << 4 << true << false << true << false;
        QTest::newRow(" 4") << 5 << true << true << true << true;
        QTest::newRow(" 5") << 6 << true << true << true << false;
        QTest::newRow(" 8(直4×2)") << 10 << true << true << true << true;
        QTest::newRow(" 9") << 11 << true << true << true << true;
    }
    void eachArrangementOpensItsOwnFields() {
        QFETCH(int, code);
        QFETCH(bool, xMoments);
        QFETCH(bool, yMoments);
        QFETCH(bool, px2);
        QFETCH(bool, py2);
        Fixture f;
        f.open(1);
        f.chooseArrangement(4); // " 4" opens everything
        for (const char* name : {"Text長Xモーメント", "Text短X水平力", "Text長Yモーメント", "Text短Y水平力",
                                 "Text_Px2", "Text_Py2"})
            f.type(name, QStringLiteral("77"));
        f.text("Text_ax")->setFocus();
        f.chooseArrangement(code - 1);
        QCOMPARE(QApplication::focusWidget(), f.text("Text長軸力")); // the choice goes on
        const std::pair<const char*, bool> expected[] = {
            {"Text長Xモーメント", xMoments}, {"Text短X水平力", xMoments}, {"Text長Yモーメント", yMoments},
            {"Text短Y水平力", yMoments},     {"Text_Px2", px2},           {"Text_Py2", py2}};
        for (const auto& [name, open] : expected) {
            QCOMPARE(f.text(name)->isEnabled(), open);
            if (!open) QCOMPARE(f.text(name)->text(), QStringLiteral("0"));
        }
        QVERIFY(f.text("Text_h2")->isEnabled());
        int shown = 0;
        for (int c = 1; c <= 11; ++c)
            if (f.find<QWidget>(QStringLiteral("Picture杭配置_%1").arg(c))->isVisible()) shown = c;
        QCOMPARE(shown, code);

        // Back to " 4": every field opens again, the closed ones with "0".
        f.chooseArrangement(4);
        for (const auto& [name, open] : expected) {
            QVERIFY(f.text(name)->isEnabled());
            QVERIFY2(f.text(name)->text() == (open ? QStringLiteral("77") : QStringLiteral("0")), name);
        }
    }

    void closedSpacingsAreStoredAsZeroAndSkippedByEnter() {
        Fixture f;
        f.open(1);
        f.typeFourPileCap(QStringLiteral("三角"));
        f.chooseArrangement(2); // " 3(3角)": Py2 follows from Px2
        QLineEdit* py1 = f.text("Text_Py1");
        FieldNavigator::focusAndSelect(py1);
        QTest::keyClick(py1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.text("Text_ax"));
        f.click("cmd現状記録");
        const FoundationRecord r = f.stored(1);
        QCOMPARE(r.data1[field::pileLayout], 3.0f);
        QCOMPARE(r.data2[row::P][3], 1200.0f);
        QCOMPARE(r.data2[row::P][4], 0.0f);
    }

    void duplicatingRecordThreeOfTenAppendsElevenAndRegisterOverwritesIt() {
        Fixture f;
        QList<FoundationRecord> records;
        for (int n = 1; n <= 10; ++n)
            records << storedPileCap(QStringLiteral("杭%1").arg(n), 5, 0);
        k5test::writeJob(f.ctx, records);
        f.open(2, 3);
        f.type("Text名称", QStringLiteral("基礎A"));
        f.click("cmd複製");
        QVERIFY(f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 11);
        QCOMPARE(f.stored(3).name, QStringLiteral("基礎A"));
        QCOMPARE(f.stored(11).name, QStringLiteral("基礎Aの複製"));
        QCOMPARE(f.text("Text名称")->text(), QStringLiteral("基礎Aの複製"));
        QVERIFY(f.tree.prompt.lastText().startsWith(QStringLiteral("基礎Aの複製を作成しました。")));

        f.type("Text長軸力", QStringLiteral("4321"));
        f.click("Cmd登録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        QCOMPARE(recordCountOf(f.ctx.folders), 11);
        QCOMPARE(f.stored(11).data2[row::N][1], 4321.0f);
        QCOMPARE(f.stored(4).name, QStringLiteral("杭4"));
        QCOMPARE(f.stored(4).data2[row::N][1], 3000.0f);
    }

    void aDuplicateNameLongerThanTheFieldIsCutBetweenCharacters() {
        Fixture f;
        k5test::writeJob(f.ctx, {storedPileCap(QStringLiteral("杭基礎ＡＢ"), 1, 0)}); // 10 bytes
        f.open(2, 1);
        f.click("cmd複製");
        QCOMPARE(f.stored(2).name, QStringLiteral("杭基礎ＡＢの複")); // 14 bytes
        QCOMPARE(f.text("Text名称")->text(), QStringLiteral("杭基礎ＡＢの複"));
        QVERIFY(f.tree.prompt.lastText().contains(QStringLiteral("仮に「杭基礎ＡＢの複」としています")));
    }

    void aCorrectionInAnImportedJobIsHandedToItsGroupOnly() {
        Fixture f;
        QList<FoundationRecord> records;
        const int groups[] = {3, 3, 0, 0, 3};
        for (int n = 1; n <= 5; ++n) {
            FoundationRecord r = storedPileCap(QStringLiteral("S%1").arg(n), 5, 0);
            r.importFlag = -1;
            r.groupNo = groups[n - 1];
            r.data2[row::N][1] = 1000.0f * n;
            records << r;
        }
        k5test::writeJob(f.ctx, records);
        f.ctx.job.imported = true;
        f.open(2, 2);
        f.type("Text名称", QStringLiteral("改名"));
        f.type("Text長軸力", QStringLiteral("1"));
        f.type("Text_pe", QStringLiteral("950"));
        f.type("TextMemo", QStringLiteral("群の設計"));
        f.chooseArrangement(10); // " 9"
        f.click("cmd現状記録");
        QVERIFY(!f.window->isVisible());
        for (int n : {1, 2, 5}) {
            const FoundationRecord r = f.stored(n);
            QCOMPARE(r.name, QStringLiteral("S%1").arg(n));
            QCOMPARE(r.data2[row::N][1], 1000.0f * n);
            QCOMPARE(r.data1[field::Pe], 950.0f);
            QCOMPARE(r.data1[field::pileLayout], 11.0f);
            QCOMPARE(r.memo, QStringLiteral("群の設計"));
        }
        // Records in no group take no part.
        for (int n : {3, 4}) {
            QCOMPARE(f.stored(n).data1[field::Pe], 800.0f);
            QCOMPARE(f.stored(n).data1[field::pileLayout], 5.0f);
        }
    }

    // An imported one-pile cap: every field shows what the record holds (the
    // calculation uses the loads of the closed fields too); the name and the
    // loads, which a save keeps as imported, cannot be typed over.
    void anImportedCapShowsItsStoredLoadsAndLocksNameAndLoads() {
        Fixture f;
        FoundationRecord r = storedPileCap(QStringLiteral("S1"), 1, 0);
        r.importFlag = -1;
        r.groupNo = 1;
        r.data2[row::M][3] = 559.1f;
        r.data2[row::H][4] = 438.9f;
        k5test::writeJob(f.ctx, {r});
        f.ctx.job.imported = true;
        f.open(2, 1);
        const std::pair<const char*, const char*> shown[] = {{"Text長Xモーメント", "100"},
                                                             {"Text長Yモーメント", "200"},
                                                             {"Text短Xモーメント", "559.1"},
                                                             {"Text長Y水平力", "30"},
                                                             {"Text短Y水平力", "438.9"}};
        for (const auto& [name, value] : shown) {
            QVERIFY2(!f.text(name)->isEnabled(), name); // one pile: closed
            QCOMPARE(f.text(name)->text(), QString::fromUtf8(value));
        }
        for (const char* name : {"Text名称", "Text長軸力", "Text長Xモーメント"})
            QVERIFY2(f.text(name)->isReadOnly(), name);
        QVERIFY(!f.text("TextMemo")->isReadOnly());
        QVERIFY(f.find<QLabel>(QStringLiteral("Label読込データ注記"))->isVisible());
        QTest::keyClicks(f.text("Text名称"), QStringLiteral("X"));
        QCOMPARE(f.text("Text名称")->text(), QStringLiteral("S1"));

        // Another arrangement opens the loads with their stored values.
        f.chooseArrangement(4);
        QVERIFY(f.text("Text短Xモーメント")->isEnabled());
        QCOMPARE(f.text("Text短Xモーメント")->text(), QStringLiteral("559.1"));
        f.chooseArrangement(0);
        QCOMPARE(f.text("Text短Xモーメント")->text(), QStringLiteral("559.1"));
        f.click("cmd現状記録");
        QCOMPARE(f.stored(1).data2[row::M][3], 559.1f);

        // A typed-in job opens the same record with the fields it can change.
        f.ctx.job.imported = false;
        f.open(2, 1);
        QVERIFY(!f.text("Text名称")->isReadOnly());
        QVERIFY(!f.find<QLabel>(QStringLiteral("Label読込データ注記"))->isVisible());
        QCOMPARE(f.text("Text短Xモーメント")->text(), QStringLiteral("559.1"));
    }

    // After a refused save the focus is on the field the message names, on
    // its tab; after 複製 it is on the name of the copy.
    void theFocusGoesWhereTheUserMustTypeNext() {
        Fixture f;
        k5test::writeJob(f.ctx, {storedPileCap(QStringLiteral("P1"), 5, 0)});
        f.open(2, 1);
        f.type("Text_Wc", QStringLiteral("1e39"));
        f.click("Cmd登録");
        QCOMPARE(f.tree.prompt.lastText(),
                 QStringLiteral("<コンクリート単位重量 Wc>の入力値が大きすぎる　　　"));
        QCOMPARE(f.find<QTabWidget>(QStringLiteral("SSTab1"))->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), f.text("Text_Wc"));
        f.type("Text_Wc", QStringLiteral("24"));
        f.type("Text長軸力", QStringLiteral("0"));
        f.click("Cmd登録");
        QVERIFY(f.tree.prompt.lastText().startsWith(QStringLiteral("長期軸力=0")));
        QCOMPARE(f.find<QTabWidget>(QStringLiteral("SSTab1"))->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f.text("Text長軸力"));

        f.type("Text長軸力", QStringLiteral("3000"));
        auto* copy = f.find<QPushButton>(QStringLiteral("cmd複製"));
        copy->setFocus();
        QTest::keyClick(copy, Qt::Key_Return);
        QCOMPARE(recordCountOf(f.ctx.folders), 2);
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // a second Enter copies nothing
        QCOMPARE(recordCountOf(f.ctx.folders), 2);
    }

    void unitCaptionsNameTheStoredUnit_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QString>("capacity");
        QTest::newRow("SI") << 1 << "kN･m"
                            << "kN/本";
        QTest::newRow("CGS") << 2 << "t･m"
                             << "t/本";
    }
    void unitCaptionsNameTheStoredUnit() {
        QFETCH(int, unit);
        QFETCH(QString, moment);
        QFETCH(QString, capacity);
        Fixture f;
        f.ctx.job.unitSystem = unit;
        f.open(1);
        QCOMPARE(f.find<QLabel>(QStringLiteral("UnitLabel_2"))->text(), moment);
        QCOMPARE(f.find<QLabel>(QStringLiteral("UnitLabel_4"))->text(), capacity);
    }

    void storedChoicesOutOfRangeShowTheFirstAndSaySo_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("priority");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("imported layout 0") << 0 << 0 << 1 << QStringList{};
        QTest::newRow("layout 12") << 12 << 0 << 1 << QStringList{QStringLiteral("杭本数（記録値 12）")};
        QTest::newRow("layout -1") << -1 << 0 << 2 << QStringList{QStringLiteral("杭本数（記録値 -1）")};
        QTest::newRow("kind 7, priority 9") << 5 << 7 << 9
                                            << QStringList{QStringLiteral("杭の種類（記録値 7）"),
                                                           QStringLiteral("配筋決定優先（記録値 9）")};
    }
    void storedChoicesOutOfRangeShowTheFirstAndSaySo() {
        QFETCH(int, layout);
        QFETCH(int, kind);
        QFETCH(int, priority);
        QFETCH(QStringList, named);
        Fixture f;
        FoundationRecord r = storedPileCap(QStringLiteral("P"), layout, kind);
        r.data1[field::priority] = static_cast<float>(priority);
        k5test::writeJob(f.ctx, {r});
        f.open(2, 1);
        QTest::qWait(20);
        auto* list = f.find<QComboBox>(QStringLiteral("Cmb杭本数"));
        if (!pileArrangementRule(layout)) QCOMPARE(list->currentText(), QStringLiteral(" 1"));
        if (kind > 3) QVERIFY(f.find<QRadioButton>(QStringLiteral("opt杭種類_0"))->isChecked());
        if (priority > 3) QVERIFY(f.find<QRadioButton>(QStringLiteral("optYusen_0"))->isChecked());
        if (named.isEmpty()) {
            QVERIFY2(f.tree.prompt.texts().isEmpty(), qPrintable(f.tree.prompt.texts().join(u'|')));
        } else {
            QCOMPARE(f.tree.prompt.texts().size(), 1);
            for (const QString& part : named)
                QVERIFY2(f.tree.prompt.lastText().contains(part), qPrintable(f.tree.prompt.lastText()));
        }
    }

    void aRebarTheMastersNoLongerHoldIsNamedOnOpening() {
        Fixture f;
        FoundationRecord r = storedPileCap(QStringLiteral("P"), 5, 0);
        r.barGradeY = QStringLiteral("SD999");
        k5test::writeJob(f.ctx, {r});
        f.open(2, 1);
        QTest::qWait(20);
        QVERIFY2(
            f.tree.prompt.lastText().contains(QStringLiteral("Y方向鉄筋の種類「SD999」はマスターにない")),
            qPrintable(f.tree.prompt.lastText()));
    }

    void textsTheJobCannotStoreAreRefused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        const QString fullWidth60(60, QChar(0x3042)); // あ × 60 = 120 bytes
        QTest::newRow("memo of 61 full-width")
            << "TextMemo" << fullWidth60 + QChar(0x3042) << fullWidth60 << "<メモ>は半角120文字";
        QTest::newRow("name of 8 full-width") << "Text名称" << QStringLiteral("杭基礎１２３４５") // 16 bytes
                                              << QStringLiteral("杭基礎１２３４") << "<名称>は半角14文字";
        QTest::newRow("name with an emoji") << "Text名称" << QStringLiteral("杭\U0001F600")
                                            << QStringLiteral("杭") << "<名称>に記録できない文字";
        QTest::newRow("name with a terminator")
            << "Text名称" << QStringLiteral("P~1") << QStringLiteral("P1") << "<名称>には「~」を使えません";
    }
    void textsTheJobCannotStoreAreRefused() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        Fixture f;
        f.open(1);
        QLineEdit* edit = f.text(field.toUtf8().constData());
        FieldNavigator::focusAndSelect(edit);
        edit->clear();
        // Typed: what does not fit never reaches the field.
        typeCommitted(edit, typed);
        QCOMPARE(edit->text(), kept);
        // Put there some other way, it is refused on saving with the field named.
        edit->setText(typed);
        f.click("cmd現状記録");
        QVERIFY(f.window->isVisible());
        QVERIFY2(f.tree.prompt.lastText().startsWith(message), qPrintable(f.tree.prompt.lastText()));
        QCOMPARE(recordCountOf(f.ctx.folders), 0);
    }

    // What a Japanese input method gives on Linux is taken as a Windows user
    // would have typed it: a wave dash as ～, full-width digits as digits.
    void linuxInputMethodTextIsStoredAsItsCp932Form() {
        Fixture f;
        f.open(1);
        QLineEdit* name = f.text("Text名称");
        FieldNavigator::focusAndSelect(name);
        typeCommitted(name, QStringLiteral("P1〜P3"));
        QCOMPARE(name->text(), QStringLiteral("P1〜P3"));
        QLineEdit* n = f.text("Text長軸力");
        FieldNavigator::focusAndSelect(n);
        typeCommitted(n, QStringLiteral("３０００．５"));
        f.type("Text_Px1", QStringLiteral("－１２"));
        f.click("cmd現状記録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        const FoundationRecord r = f.stored(1);
        QCOMPARE(r.name, QStringLiteral("P1～P3"));
        QCOMPARE(r.data2[row::N][1], 3000.5f);
        QCOMPARE(r.data2[row::P][1], -12.0f);
    }

    void numbersTheRecordCannotHoldAreRefusedWithTheirField() {
        Fixture f;
        f.open(1);
        f.find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        f.type("Text_nx", QStringLiteral("40000"));
        f.click("cmd現状記録");
        QCOMPARE(f.tree.prompt.lastText(),
                 QStringLiteral("<本数 X方向>には、-32768 から 32767 までの整数を入力してください。　　　"));
        f.type("Text_nx", QStringLiteral("0"));
        f.type("Text_Px1", QStringLiteral("1e39"));
        f.click("cmd現状記録");
        QCOMPARE(f.tree.prompt.lastText(), QStringLiteral("<Px1>の入力値が大きすぎる　　　"));
        QVERIFY(f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 0);
    }

    // Typed without a pause, every value lands in the field it was typed
    // for: the arrangement list is not in the Enter order, so it never takes
    // the digits of a load.
    void theLoadsTypedAtFullSpeedAreStoredAsTyped() {
        Fixture f;
        f.open(1);
        k5test::typeAtFullSpeed(f.window.get(), QStringLiteral("P2\n150\n50\n50"));
        // " 1" closes every M and H: the next field is the diameter.
        k5test::typeAtFullSpeed(f.window.get(), QStringLiteral("\n"));
        QCOMPARE(QApplication::focusWidget(), f.text("Text_pfai"));
        f.click("cmd現状記録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        const FoundationRecord r = f.stored(1);
        QCOMPARE(r.name, QStringLiteral("P2"));
        QCOMPARE(r.data2[row::N][1], 150.0f);
        QCOMPARE(r.data2[row::N][3], 50.0f);
        QCOMPARE(r.data2[row::N][4], 50.0f);
    }

    void theWholeEnterOrderTypedAtFullSpeedIsStoredAsTyped() {
        Fixture f;
        f.open(1);
        // After the name, Tab reaches the arrangement; 4 chooses " 4", which
        // opens every field; Enter goes on to the loads.
        QString keys = QStringLiteral("P9\t4\n");
        const k5test::TypedValue mainTab[] = {
            {"Text_pfai", "450", 450, field::pfai},
            {"Text_Px1", "601", 601, -1, row::P, 1},
            {"Text_Px2", "1202", 1202, -1, row::P, 3},
            {"Text_Py1", "603", 603, -1, row::P, 2},
            {"Text_Py2", "1204", 1204, -1, row::P, 4},
            {"Text_ax", "701", 701, -1, row::a, 1},
            {"Text_ay", "702", 702, -1, row::a, 2},
            {"Text_h1", "1301", 1301, field::h1},
            {"Text_h2", "1502", 1502, field::h2},
            {"Text_D1", "901", 901, field::D1},
            {"Text_D2", "802", 802, field::D2},
            {"Text_D3", "103", 103, field::cover},
            {"TextMemo", "memo 1", 0},
        };
        k5test::typeAtFullSpeed(f.window.get(),
                                keys + k5test::keysOf(k5test::kTypedLoads) + k5test::keysOf(mainTab));
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称")); // Enter wraps within the tab
        k5test::nextTab(f.window.get());
        QCOMPARE(QApplication::focusWidget(), f.text("Text_pe"));
        const k5test::TypedValue bearing[] = {{"Text_pe", "801", 801, field::Pe}};
        k5test::typeAtFullSpeed(f.window.get(),
                                k5test::keysOf(bearing) + k5test::keysOf(k5test::kTypedDetails));
        QCOMPARE(QApplication::focusWidget(), f.text("Text_pe"));
        f.click("cmd現状記録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        const FoundationRecord r = f.stored(1);
        QCOMPARE(r.name, QStringLiteral("P9"));
        QCOMPARE(r.memo, QStringLiteral("memo 1"));
        QCOMPARE(r.data1[field::pileLayout], 5.0f);
        using Values = std::span<const k5test::TypedValue>;
        for (const Values typed :
             {Values(k5test::kTypedLoads), Values(mainTab), Values(bearing), Values(k5test::kTypedDetails)}) {
            const QString wrong = k5test::wronglyStored(r, typed);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }
    }

    // A digit in the arrangement list chooses the arrangement with that
    // many piles (again: the next one), and Enter goes on to the loads.
    void digitsChooseTheArrangementWithThatManyPiles_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("focus");
        const auto row = [](const char* name, const char* keys, const char* chosen, const char* focus) {
            QTest::newRow(name) << QString::fromUtf8(keys) << QString::fromUtf8(chosen)
                                << QString::fromUtf8(focus);
        };
        row("4", "\t4", " 4", "Cmb杭本数");
        row("3", "\t3", " 3(3角)", "Cmb杭本数");
        row("3 3", "\t33", " 3(直3)", "Cmb杭本数");
        row("3 3 3", "\t333", " 3(3角)", "Cmb杭本数");
        row("8 8", "\t88", " 8(直4×2)", "Cmb杭本数");
        row("9 Enter", "\t9\n", " 9", "Text長軸力");
        row("no arrangement of 0", "\t0", " 1", "Cmb杭本数");
        row("a letter", "\tx\n", " 1", "Text長軸力");
    }
    void digitsChooseTheArrangementWithThatManyPiles() {
        QFETCH(QString, keys);
        QFETCH(QString, chosen);
        QFETCH(QString, focus);
        Fixture f;
        f.open(1);
        k5test::typeAtFullSpeed(f.window.get(), keys);
        auto* list = f.find<QComboBox>(QStringLiteral("Cmb杭本数"));
        QCOMPARE(list->currentText(), chosen);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        // Chosen as with the mouse: its picture and its fields.
        const PileArrangementRule* rule = pileArrangementRule(list->currentIndex() + 1);
        QVERIFY(f.find<QWidget>(QStringLiteral("Picture杭配置_%1").arg(rule->code))->isVisible());
        QCOMPARE(f.text("Text_Py2")->isEnabled(), rule->hasPy2());
    }

    // 適用 of a proposal chooses its arrangement as the list does: the
    // picture, the spacings it opens filled with the proposal's, the live
    // result at once; 登録 and the calculation then take it as it is.
    void anAppliedProposalIsTheArrangementChosenByHand() {
        Fixture f;
        ensureConcreteFile(f.ctx.folders);
        f.open(1);
        f.type("Text名称", QStringLiteral("提案"));
        f.type("Text長軸力", QStringLiteral("1500"));
        f.type("Text_D2", f.text("Text_D1")->text());
        QString reason;
        answerProposal(&reason, true);
        f.click("cmd寸法提案");
        QVERIFY2(reason.startsWith(QStringLiteral("決定要因")), qPrintable(reason));
        auto* list = f.find<QComboBox>(QStringLiteral("Cmb杭本数"));
        const PileArrangementRule* rule = pileArrangementRule(list->currentIndex() + 1);
        QVERIFY(rule && rule->count > 1);
        QVERIFY(f.find<QWidget>(QStringLiteral("Picture杭配置_%1").arg(rule->code))->isVisible());
        QVERIFY(!f.find<QWidget>(QStringLiteral("Picture杭配置_1"))->isVisible());
        QVERIFY(f.text("Text_Px2")->isEnabled());
        QVERIFY(f.text("Text_Px2")->text().toDouble() > 0);
        QCOMPARE(f.text("Text_Py2")->isEnabled(), rule->hasPy2());
        if (rule->hasPy2()) QVERIFY(f.text("Text_Py2")->text().toDouble() > 0);
        const QString live = f.find<QLabel>(QStringLiteral("Label計算結果"))->text();
        QVERIFY2(live == QStringLiteral("OK"), qPrintable(live));

        f.click("Cmd登録");
        QVERIFY2(!f.window->isVisible(), qPrintable(f.tree.prompt.lastText()));
        QCOMPARE(f.stored(1).data1[field::pileLayout], float(rule->code));
        CalcCounters counts;
        const Outcome run = calculateJob(f.ctx.folders, counts);
        QVERIFY2(run.ok, qPrintable(run.message.text));
        QCOMPARE(f.stored(1).data1[field::ngFlag], 0.0f);
    }

    // In a design group the proposal sizes the group as 登録 would store it:
    // every member with the values typed in the form.
    void aGroupIsProposedWithTheValuesOfTheForm() {
        Fixture f;
        ensureConcreteFile(f.ctx.folders);
        QList<FoundationRecord> records;
        for (int n = 1; n <= 2; ++n) {
            FoundationRecord r = storedPileCap(QStringLiteral("S%1").arg(n), 5, 0);
            r.importFlag = -1;
            r.groupNo = 1;
            r.data1[field::Pe] = 0; // an imported support has no pile capacity yet
            r.data2[row::N][1] = 1000.0f * n;
            records << r;
        }
        k5test::writeJob(f.ctx, records);
        f.ctx.job.imported = true;
        f.open(2, 1);
        f.type("Text_pe", QStringLiteral("800"));
        QString reason;
        answerProposal(&reason, false);
        f.click("cmd寸法提案");
        QVERIFY2(reason.startsWith(QStringLiteral("決定要因")), qPrintable(reason));
        QCOMPARE(f.stored(2).data1[field::Pe], 0.0f); // a proposal writes nothing
    }

    void keyboardOnly() {
        Fixture f;
        f.open(1);
        // Enter goes from the name to the loads; Tab reaches the arrangement.
        auto* list = f.find<QComboBox>(QStringLiteral("Cmb杭本数"));
        QTest::keyClick(f.text("Text名称"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.text("Text長軸力"));
        QTest::keyClick(f.text("Text長軸力"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称"));
        k5test::typeAtFullSpeed(f.window.get(), QStringLiteral("\t"));
        QCOMPARE(QApplication::focusWidget(), list);
        // Browsing the closed list with Shift+↓ keeps the focus there.
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(list->currentText(), QStringLiteral(" 3(3角)"));
        QCOMPARE(QApplication::focusWidget(), list);
        QVERIFY(f.text("Text_Px2")->isEnabled());
        QVERIFY(f.find<QWidget>(QStringLiteral("Picture杭配置_3"))->isVisible());
        // ↓ moves on to the loads, ↑ back to the name; the choice stays.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.text("Text長軸力"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f.text("Text名称"));
        QCOMPARE(list->currentText(), QStringLiteral(" 3(3角)"));
        // Alt+↓ opens the list as F4 does.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(list->view()->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QTRY_VERIFY(!list->view()->isVisible());
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.text("Text長軸力"));

        // Tab 2 starts at Pe and wraps within its places.
        f.find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        QCOMPARE(QApplication::focusWidget(), f.text("Text_pe"));
        QLineEdit* pitchy = f.text("Text_pitchy");
        FieldNavigator::focusAndSelect(pitchy);
        QTest::keyClick(pitchy, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.text("Text_pe"));

        // Enter on a focused button presses it.
        f.ctx.control.cancelConfirm = 0;
        auto* cancel = f.find<QPushButton>(QStringLiteral("Cmdキャンセル"));
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(recordCountOf(f.ctx.folders), 0);
    }

    void cancelAsksWhenSwitchedOn() {
        Fixture f;
        k5test::writeJob(f.ctx, {storedPileCap(QStringLiteral("P"), 5, 0)});
        f.ctx.control.cancelConfirm = 1;
        f.open(2, 1);
        f.type("Text_Px1", QStringLiteral("9999"));
        f.tree.prompt.script({Answer::No});
        f.click("Cmdキャンセル");
        QVERIFY(f.window->isVisible());
        f.tree.prompt.script({Answer::Yes});
        f.click("Cmdキャンセル");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.stored(1).data2[row::P][1], 700.0f);

        // The close box asks nothing.
        f.open(2, 1);
        f.tree.prompt.clear();
        f.window->close();
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.tree.prompt.texts().isEmpty());
    }

    void aSaveThatCannotBeWrittenIsShownAndTheWindowStays_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("pile cap") << int(kTypePileCap);
        QTest::newRow("isolated footing") << int(kTypeIsolated);
    }
    void aSaveThatCannotBeWrittenIsShownAndTheWindowStays() {
        QFETCH(int, type);
        Fixture f;
        QVERIFY(QDir().mkpath(f.ctx.folders.jobFile())); // a folder where the job file belongs
        const EditRequest request{EditMode::NewRecord, 1, type};
        std::unique_ptr<QDialog> window;
        if (type == kTypePileCap)
            window = std::make_unique<PileCapWindow>(f.ctx, request);
        else
            window = std::make_unique<IsolatedFootingWindow>(f.ctx, request);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->findChild<QLineEdit*>(QStringLiteral("Text名称"))->setText(QStringLiteral("書けない"));
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmd現状記録")), Qt::LeftButton);
        QVERIFY(window->isVisible());
        QVERIFY2(f.tree.prompt.lastText().startsWith(
                     QStringLiteral("基礎データをファイルに書き込めませんでした。")),
                 qPrintable(f.tree.prompt.lastText()));
    }

    void aMissingRecordIsReportedAndTheWindowCloses() {
        Fixture f;
        k5test::writeJob(f.ctx, {storedPileCap(QStringLiteral("P"), 5, 0)});
        PileCapWindow window(f.ctx, {EditMode::Correction, 4, kTypePileCap});
        QVERIFY(!window.loaded());
        QCOMPARE(
            f.tree.prompt.lastText(),
            QStringLiteral("指定されたデータを読み込めませんでした。　　　　\r\n\r\n処理を中止します。"));
        QCOMPARE(window.exec(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(PileCapWindowTest)
#include "tst_pile_cap_window.moc"
