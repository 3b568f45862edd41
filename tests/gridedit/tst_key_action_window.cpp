#include "masters/key_actions.h"
#include "shell/app_context.h"
#include "temp_tree.h"
#include "ui/gridedit/GridEditor.h"
#include "ui/gridedit/KeyActionWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace k5;

namespace {

QCheckBox* box(QWidget* w, const char* name) {
    return w->findChild<QCheckBox*>(QString::fromUtf8(name));
}
QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromUtf8(name));
}

} // namespace

class TestKeyActionWindow : public QObject {
    Q_OBJECT
  private slots:
    void showsTheFileAndEditsTheFirstCell() {
        k5test::TempTree t;
        k5test::writeBytes(keyActionFilePath(t.ctx.folders), " 1\r\n 0\r\n 1\r\n");
        KeyActionWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("キーアクションの設定"));
        QVERIFY(box(&w, "Check_saikoubi")->isChecked());
        QVERIFY(!box(&w, "Check_modoriroop")->isChecked());
        QVERIFY(box(&w, "Check_susumiloop")->isChecked());
        QVERIFY(box(&w, "Check_saikoubi")->text().isEmpty());
        auto* grid = w.findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
        QCOMPARE(grid->rowCount(), 7);
        QCOMPARE(grid->columnCount(), 7);
        QCOMPARE(grid->horizontalHeaderItem(6)->text(), QStringLiteral("項目7"));
        QCOMPARE(w.gridEditor()->editCell(), (GridCell{1, 1}));
        QVERIFY(w.gridEditor()->editor()->hasFocus());
        // ← from (1, 1) with wrapLeftToPreviousRow on and wrapUpToLastRow off goes to (7, 1).
        QTest::keyClick(w.gridEditor()->editor(), Qt::Key_Left);
        QCOMPARE(w.gridEditor()->editCell(), (GridCell{7, 1}));
    }

    void aSwitchTakesEffectAtOnceAndEditingGoesOn() {
        k5test::TempTree t;
        KeyActionWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit* editor = w.gridEditor()->editor();
        QTest::keyClick(editor, Qt::Key_Right);
        QTest::keyClick(editor, Qt::Key_Right);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(w.gridEditor()->editCell(), (GridCell{3, 2}));
        QTest::mouseClick(box(&w, "Check_modoriroop"), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(t.ctx.control.keyAction[kWrapUpToLastRow], 1);
        QVERIFY(editor->hasFocus());
        QCOMPARE(w.gridEditor()->editCell(), (GridCell{3, 2}));
        QTest::keyClick(editor, Qt::Key_Up);
        QTest::keyClick(editor, Qt::Key_Up);
        QCOMPARE(w.gridEditor()->editCell(), (GridCell{3, 7}));
        QCOMPARE(k5test::readBytes(keyActionFilePath(t.ctx.folders)), QByteArray(" 0\r\n 0\r\n 0\r\n"));
    }

    void aSwitchBeforeAnyEditDoesNotStartEditing() {
        k5test::TempTree t;
        KeyActionWindow w(t.ctx); // not shown: no cell is being edited yet
        box(&w, "Check_susumiloop")->setChecked(true);
        QCOMPARE(t.ctx.control.keyAction[kWrapDownToFirstRow], 1);
        QCOMPARE(w.gridEditor()->editCell(), (GridCell{-1, -1}));
        QVERIFY(!w.gridEditor()->editor()->isVisibleTo(&w));
    }

    void registerWritesTheFile() {
        k5test::TempTree t;
        KeyActionWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        box(&w, "Check_modoriroop")->setChecked(true);
        box(&w, "Check_susumiloop")->setChecked(true);
        QTest::mouseClick(button(&w, "登録"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(k5test::readBytes(keyActionFilePath(t.ctx.folders)), QByteArray(" 0\r\n 1\r\n 1\r\n"));
    }

    void cancelAsksWhenSetAndKeepsTheFile() {
        k5test::TempTree t;
        t.ctx.control.cancelConfirm = 1;
        KeyActionWindow w(t.ctx);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        box(&w, "Check_saikoubi")->setChecked(true);
        t.prompt.script({Answer::No, Answer::Yes});
        QTest::mouseClick(button(&w, "キャンセル"), Qt::LeftButton);
        QVERIFY(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape); // Esc is a cancel too
        QVERIFY(!w.isVisible());
        QCOMPARE(t.prompt.shown().size(), size_t(2));
        QCOMPARE(k5test::readBytes(keyActionFilePath(t.ctx.folders)), QByteArray(" 0\r\n 0\r\n 0\r\n"));
        QCOMPARE(t.ctx.control.keyAction[kWrapLeftToPreviousRow], 1); // in effect until the file is read again
    }
};

QTEST_MAIN(TestKeyActionWindow)
#include "tst_key_action_window.moc"
