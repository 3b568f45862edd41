#include "jobdata/control_file.h"
#include "sample_job.h"
#include "shell/app_context.h"
#include "temp_tree.h"
#include "ui/shell/CancelSettingWindow.h"
#include "ui/shell/FoundationTypeWindow.h"
#include "ui/shell/JobWindow.h"
#include "ui/shell/MessageBoxPrompt.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace k5;

namespace {

template <typename T> T* child(QWidget* window, const char* name) {
    T* w = window->findChild<T*>(QString::fromUtf8(name));
    if (!w) qFatal("no child %s", name);
    return w;
}

void click(QWidget* window, const char* name) {
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

// Radio buttons react to clicks on their indicator and label only.
void clickOption(QWidget* window, const char* name) {
    auto* option = child<QRadioButton>(window, name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

// Runs `answer` on the modal window as soon as it is up.
void whenModal(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) qFatal("no modal window");
        answer(w);
    });
}

} // namespace

class TestJobWindows : public QObject {
    Q_OBJECT
  private slots:
    void jobWindowShowsTheJobAndSelectsTheName() {
        k5test::TempTree t;
        t.ctx.job.currentJobName = QStringLiteral("本社ビル");
        t.ctx.job.currentFileName = QStringLiteral("honsha");
        t.ctx.job.unitSystem = 2;
        JobWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("新規作成"));
        auto* name = child<QLineEdit>(&w, "Text_工事名");
        QCOMPARE(name->text(), QStringLiteral("本社ビル"));
        QCOMPARE(name->selectedText(), QStringLiteral("本社ビル"));
        QVERIFY(name->hasFocus());
        QVERIFY(child<QRadioButton>(&w, "Opt_si")->isChecked());
        click(&w, "登録");
        QCOMPARE(t.ctx.job.unitSystem, 2); // the SI option shown does not count until clicked
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(t.ctx.job.currentFileName, QStringLiteral("honsha"));
    }

    void leavingTheJobNameFillsAnUndecidedFileName() {
        k5test::TempTree t;
        JobWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* name = child<QLineEdit>(&w, "Text_工事名");
        auto* file = child<QLineEdit>(&w, "Text_ファイル名");
        QCOMPARE(file->text(), QStringLiteral("(未定)"));
        name->setText(QStringLiteral("  駅前計画 "));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), file);
        QCOMPARE(file->text(), QStringLiteral("駅前計画"));
        QCOMPARE(file->selectedText(), QStringLiteral("駅前計画"));

        file->setText(QStringLiteral("ekimae"));
        name->setFocus();
        name->setText(QStringLiteral("別の名前"));
        QTest::keyClick(name, Qt::Key_Down);
        QCOMPARE(file->text(), QStringLiteral("ekimae")); // a typed file name stays
    }

    void registerChecksTheNames() {
        const struct {
            const char *job, *file;
            const char* message; // nullptr: registers
        } cases[] = {
            {"", "a", "工事名が入力されていません。\n\n工事名は必ず入力してください。"},
            {"工事", "", "ファイル名が入力されていません。\n\nファイル名は必ず入力してください。"},
            {"工事", "2024/05", "ファイル名に使用できない文字が含まれています。"},
            {"工事", "a:b", "ファイル名に使用できない文字が含まれています。"},
            {"   ", "kouji", nullptr}, // blanks pass and give an empty name
        };
        for (const auto& c : cases) {
            k5test::TempTree t;
            JobWindow w(t.ctx);
            w.show();
            child<QLineEdit>(&w, "Text_工事名")->setText(QString::fromUtf8(c.job));
            child<QLineEdit>(&w, "Text_ファイル名")->setText(QString::fromUtf8(c.file));
            click(&w, "登録");
            if (c.message) {
                QVERIFY2(t.prompt.lastText().startsWith(QString::fromUtf8(c.message)), c.file);
                QCOMPARE(t.prompt.shown().back().icon, Icon::Warning);
                QVERIFY(w.isVisible());
                QCOMPARE(w.result(), int(QDialog::Rejected));
                QCOMPARE(t.ctx.job.currentFileName, QStringLiteral("(未定)"));
            } else {
                QVERIFY(t.prompt.shown().empty());
                QVERIFY(!w.isVisible());
                QCOMPARE(w.result(), int(QDialog::Accepted));
                QCOMPARE(t.ctx.job.currentJobName, QString());
                QCOMPARE(t.ctx.job.currentFileName, QStringLiteral("kouji"));
            }
        }
    }

    void unitOptionTakesEffectAtOnceEvenWhenCancelled() {
        k5test::TempTree t;
        JobWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickOption(&w, "Opt_cgs");
        QCOMPARE(t.ctx.job.unitSystem, 2);
        QCOMPARE(QApplication::focusWidget(),
                 child<QLineEdit>(&w, "Text_工事名")); // moved on from the last place
        click(&w, "キャンセル");
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(t.ctx.job.unitSystem, 2);
        QCOMPARE(t.ctx.job.currentJobName, QStringLiteral("(未定)"));
    }

    // From the keyboard alone: Enter goes through the names to the unit,
    // Enter on a unit option goes on to 登録, which Enter presses; Esc in
    // any field is ｷｬﾝｾﾙ.
    void theKeyboardGoesOnToRegisterAndEscCancels() {
        k5test::TempTree t;
        JobWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int unit = t.ctx.job.unitSystem;
        auto* name = child<QLineEdit>(&w, "Text_工事名");
        name->setText(QStringLiteral("駅前"));
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(child<QLineEdit>(&w, "Text_ファイル名"), Qt::Key_Return);
        auto* si = child<QRadioButton>(&w, "Opt_si");
        QCOMPARE(QApplication::focusWidget(), si);
        QVERIFY(w.testAttribute(Qt::WA_KeyboardFocusChange)); // the option shows its focus mark
        QTest::keyClick(si, Qt::Key_Return);
        auto* ok = child<QPushButton>(&w, "登録");
        QCOMPARE(QApplication::focusWidget(), ok);
        QCOMPARE(t.ctx.job.unitSystem, unit); // Enter chose nothing
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(t.ctx.job.currentJobName, QStringLiteral("駅前"));

        for (const char* field : {"Text_工事名", "Text_ファイル名", "Opt_cgs"}) {
            JobWindow again(t.ctx);
            again.show();
            QVERIFY(QTest::qWaitForWindowExposed(&again));
            QWidget* at = again.findChild<QWidget*>(QString::fromUtf8(field));
            at->setFocus();
            QTest::keyClick(at, Qt::Key_Escape);
            QVERIFY2(!again.isVisible(), field);
            QCOMPARE(again.result(), int(QDialog::Rejected));
        }
    }

    void aJobWithFoundationsShowsItsUnitAndKeepsIt() {
        for (int unit : {1, 2}) {
            k5test::TempTree t;
            k5test::writeSampleJob(t.ctx, 2, unit);
            t.ctx.job.unitSystem = unit;
            JobWindow w(t.ctx);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            auto* si = child<QRadioButton>(&w, "Opt_si");
            auto* cgs = child<QRadioButton>(&w, "Opt_cgs");
            QCOMPARE(cgs->isChecked(), unit == 2);
            QVERIFY(!si->isEnabled() && !cgs->isEnabled());
            clickOption(&w, unit == 1 ? "Opt_cgs" : "Opt_si");
            click(&w, "登録");
            QCOMPARE(t.ctx.job.unitSystem, unit);
        }
    }

    void namesLongerThanTheJobStoresAreRefused() {
        k5test::TempTree t;
        JobWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* name = child<QLineEdit>(&w, "Text_工事名");
        name->clear();
        const QString fits(26, QChar(0x5DE5)); // 工 × 26 = 52 bytes
        for (QChar ch : fits + QChar(0x5DE5)) {
            QInputMethodEvent commit;
            commit.setCommitString(QString(ch));
            QApplication::sendEvent(name, &commit);
        }
        QCOMPARE(name->text(), fits);
        name->setText(fits + QStringLiteral("A"));
        click(&w, "登録");
        QVERIFY(w.isVisible());
        QVERIFY(t.prompt.lastText().startsWith(QStringLiteral("<工事名>は半角52文字")));
        // Enter on a focused button presses it.
        name->setText(QStringLiteral("本社"));
        child<QLineEdit>(&w, "Text_ファイル名")->setText(QStringLiteral("honsha"));
        auto* ok = child<QPushButton>(&w, "登録");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY2(!w.isVisible(), qPrintable(t.prompt.lastText()));
        QCOMPARE(t.ctx.job.currentJobName, QStringLiteral("本社"));
    }

    void runJobWindowReportsRegistration() {
        k5test::TempTree t;
        whenModal([](QWidget* w) {
            child<QLineEdit>(w, "Text_工事名")->setText(QStringLiteral("倉庫"));
            child<QLineEdit>(w, "Text_ファイル名")->setText(QStringLiteral("souko"));
            click(w, "登録");
        });
        QVERIFY(runJobWindow(t.ctx, nullptr));
        QCOMPARE(t.ctx.job.currentJobName, QStringLiteral("倉庫"));
        whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QVERIFY(!runJobWindow(t.ctx, nullptr));
    }

    void typeWindowReturnsTheChosenType() {
        k5test::TempTree t;
        whenModal([](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("新規作成基礎タイプの指定"));
            QVERIFY(child<QRadioButton>(w, "Opt独直フーチング")->isChecked());
            click(w, "Cmd作成");
        });
        QCOMPARE(askFoundationType(t.ctx, nullptr), 1);

        whenModal([](QWidget* w) {
            clickOption(w, "Opt杭基礎");
            click(w, "Cmd作成");
        });
        QCOMPARE(askFoundationType(t.ctx, nullptr), 2);

        whenModal([](QWidget* w) {
            clickOption(w, "Opt杭基礎");
            click(w, "Cmd中止");
        });
        QCOMPARE(askFoundationType(t.ctx, nullptr), 0);
    }

    void cancelSettingWindowStoresTheChoice() {
        k5test::TempTree t;
        ensureControlFile(t.ctx.folders, t.ctx.control);
        {
            CancelSettingWindow w(t.ctx);
            w.show();
            QCOMPARE(w.windowTitle(), QStringLiteral("キャンセル時設定"));
            QVERIFY(child<QRadioButton>(&w, "Optキャンセル表示しない")->isChecked());
            clickOption(&w, "Optキャンセル表示する");
            QCOMPARE(t.ctx.control.cancelConfirm, 0); // a click only changes the window's choice
            click(&w, "登録");
            QVERIFY(!w.isVisible());
        }
        t.ctx.control.cancelConfirm = 0;
        loadControlFile(t.ctx.folders, t.ctx.control);
        QCOMPARE(t.ctx.control.cancelConfirm, 1);

        // Now its own cancel asks; No keeps it open, and nothing is written.
        CancelSettingWindow w(t.ctx);
        w.show();
        QVERIFY(child<QRadioButton>(&w, "Optキャンセル表示する")->isChecked());
        clickOption(&w, "Optキャンセル表示しない");
        t.prompt.script({Answer::No, Answer::Yes});
        click(&w, "キャンセル");
        QVERIFY(w.isVisible());
        QCOMPARE(t.prompt.shown().back().title, QStringLiteral("警告"));
        click(&w, "キャンセル");
        QVERIFY(!w.isVisible());
        loadControlFile(t.ctx.folders, t.ctx.control);
        QCOMPARE(t.ctx.control.cancelConfirm, 1);
    }

    void cancelConfirmationIsAJapaneseYesNoBox() {
        k5test::TempTree t;
        MessageBoxPrompt boxes;
        t.ctx.prompt = &boxes;
        t.ctx.control.cancelConfirm = 1;
        saveControlFile(t.ctx.folders, t.ctx.control);
        CancelSettingWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char* answer : {"いいえ(&N)", "はい(&Y)"}) {
            whenModal([answer](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box) qFatal("no message box");
                QCOMPARE(box->windowTitle(), QStringLiteral("警告"));
                QCOMPARE(box->icon(), QMessageBox::Warning);
                QCOMPARE(box->text(), QStringLiteral("ここでの修正内容は記録されないで終了します。\n\n"
                                                     "このままキャンセルを実行してもいいですか？\n"));
                QStringList captions;
                for (QAbstractButton* b : box->buttons())
                    captions << b->text();
                captions.sort();
                QCOMPARE(captions, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QString::fromUtf8(answer)) b->click();
            });
            click(&w, "キャンセル");
            QCOMPARE(w.isVisible(), QString::fromUtf8(answer) == QStringLiteral("いいえ(&N)"));
        }
    }
};

QTEST_MAIN(TestJobWindows)
#include "tst_job_windows.moc"
