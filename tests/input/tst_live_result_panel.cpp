#include "../calc/calc_fixtures.h"
#include "jobdata/common_values.h"
#include "masters/concrete_setting.h"
#include "sample_job.h"
#include "temp_tree.h"
#include "ui/input/IsolatedFootingWindow.h"
#include "ui/input/LiveResultPanel.h"
#include "ui/input/PileCapWindow.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace k5;

// The live result of the input windows, driven as the engineer types: it
// follows the form after a short pause, names what stops 登録 or 計算開始,
// and never writes the job or a master.
class LiveResultPanelTest : public QObject {
    Q_OBJECT

    struct Fixture {
        k5test::TempTree tree;
        AppContext& ctx = tree.ctx;
        std::unique_ptr<QDialog> window;

        Fixture() {
            k5test::ensureRebarMasters(ctx);
            ensureCommonValues(ctx.folders);
            ensureConcreteFile(ctx.folders);
            ctx.job.unitSystem = 1;
            k5test::FootingInput footing;
            footing.fe = 200;
            k5test::writeJob(ctx, {k5test::savedFooting(footing, QStringLiteral("F1")),
                                   k5test::savedPileCap({}, QStringLiteral("P1"))});
            ctx.job.recordCount = 2;
        }
        template <typename Window> void open(int record, int type) {
            window = std::make_unique<Window>(ctx, EditRequest{EditMode::Correction, record, type});
            window->show();
        }
        LiveResultPanel* panel() const { return window->findChild<LiveResultPanel*>("Frame計算結果"); }
        QString state() const { return window->findChild<QLabel*>("Label計算結果")->text(); }
        QString label(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
        QString ratio(int check) const {
            return window->findChild<QTableWidget*>("Grid計算結果")->item(check, 0)->text();
        }
        void type(const char* field, const QString& text) const {
            window->findChild<QLineEdit*>(QString::fromUtf8(field))->setText(text);
        }
        // Every file of the tree that a live result could touch: the job and the masters.
        QByteArray filesDigest() const {
            QCryptographicHash hash(QCryptographicHash::Sha256);
            for (const QString& folder : {ctx.folders.dataFolder, ctx.folders.masterFolder}) {
                for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
                    hash.addData(file.fileName().toUtf8());
                    hash.addData(k5test::readBytes(file.filePath()));
                }
            }
            return hash.result();
        }
    };

  private slots:
    void followsTheFootingAsItIsTypedAndWritesNothing() {
        Fixture f;
        const QByteArray before = f.filesDigest();
        f.open<IsolatedFootingWindow>(1, kTypeIsolated);
        QVERIFY(f.panel());
        QCOMPARE(f.state(), QStringLiteral("OK"));
        QCOMPARE(f.label("Label配筋X"), QStringLiteral("配筋 X方向：D19-4本以上"));
        QVERIFY(f.label("Label接地圧").startsWith(QStringLiteral("接地圧 σ=")));
        const QString bearing = f.ratio(int(DesignCheck::Bearing));

        // A geometry error is seen before 登録, and only after the pause.
        f.type("Text_h2", QStringLiteral("300"));
        QCOMPARE(f.state(), QStringLiteral("OK"));
        QTRY_COMPARE_WITH_TIMEOUT(f.state(), QStringLiteral("h2<D となっています。"), 5000);
        QCOMPARE(f.ratio(int(DesignCheck::Bearing)), QStringLiteral("－"));

        f.type("Text_h2", QStringLiteral("1000"));
        QTRY_COMPARE_WITH_TIMEOUT(f.state(), QStringLiteral("OK"), 5000);
        QCOMPARE(f.ratio(int(DesignCheck::Bearing)), bearing);

        // Four times the load fails the bearing check.
        f.type("Text長軸力", QStringLiteral("2000"));
        QTRY_VERIFY_WITH_TIMEOUT(f.state().startsWith(QStringLiteral("NG")), 5000);
        QVERIFY(f.ratio(int(DesignCheck::Bearing)).toDouble() > 1);

        f.type("TextLx", QString());
        QTRY_COMPARE_WITH_TIMEOUT(f.state(), QStringLiteral("未入力の項目があります：Lx"), 5000);

        f.window.reset();
        QCOMPARE(f.filesDigest(), before);
    }

    void pileCapShowsItsPileLoads() {
        Fixture f;
        f.open<PileCapWindow>(2, kTypePileCap);
        QCOMPARE(f.state(), QStringLiteral("OK"));
        QVERIFY(f.label("Label接地圧").startsWith(QStringLiteral("杭荷重 Rmax=")));
        QVERIFY(!f.ratio(int(DesignCheck::PullOut)).isEmpty());
        f.type("Text_pe", QStringLiteral("200"));
        QTRY_VERIFY_WITH_TIMEOUT(f.state().startsWith(QStringLiteral("NG")), 5000);
    }

    // A load the chosen arrangement leaves out of the pile check is marked
    // beside the result, with the reason in its tool tip; it judges nothing.
    void loadsTheArrangementLeavesUncheckedAreMarked() {
        Fixture f;
        f.open<PileCapWindow>(2, kTypePileCap);
        auto* note = f.window->findChild<QLabel*>("Label注記");
        QVERIFY(note && !note->isVisible());
        auto* list = f.window->findChild<QComboBox*>("Cmb杭本数");
        list->setCurrentIndex(1); // " 2": a single row in X
        emit list->activated(1);
        f.type("Text短Y軸力", QStringLiteral("300"));
        QTRY_VERIFY_WITH_TIMEOUT(note->isVisible(), 5000);
        QCOMPARE(note->text(), QStringLiteral("※注記：Y方向の荷重は杭の検定に含まれていません"));
        QVERIFY(note->toolTip().contains(QStringLiteral("判定には含まれません")));
        QVERIFY(!f.state().contains(QStringLiteral("Y方向")));
        f.type("Text短Y軸力", QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), 5000);
    }
};

QTEST_MAIN(LiveResultPanelTest)
#include "tst_live_result_panel.moc"
