#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/font_set.h"
#include "masters/grade_master.h"
#include "temp_tree.h"
#include "ui/masters/BarSizeMasterWindow.h"
#include "ui/masters/ConcreteStrengthWindow.h"
#include "ui/masters/FontSetWindow.h"
#include "ui/masters/GradeMasterWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace k5;
using namespace k5test;

namespace {

template <typename T> T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name));
    if (!found) qFatal("no control %s", name);
    return found;
}

void show(QDialog& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

// Click on cell (col, row) of the grid, then type `text` over the cell's text.
void typeInto(QDialog& window, int col, int row, const QString& text) {
    auto* grid = child<QTableWidget>(window, "MSFlexGrid1");
    QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    auto* editor = child<QLineEdit>(window, "Text_dummy0");
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->selectedText(), editor->text());
    editor->del();
    QTest::keyClicks(editor, text);
}

// The colour the cell editor is drawn with, at its right end (past the text).
QColor editorBackground(QDialog& window) {
    auto* editor = child<QLineEdit>(window, "Text_dummy0");
    return editor->grab().toImage().pixelColor(editor->width() - 6, editor->height() / 2);
}

void click(QDialog& window, const char* button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

} // namespace

class MasterWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void barSizeSaveStopsAtAnIncompleteRowAndKeepsTheRecordsAfterIt();
    void barSizeKindsSwitchTables();
    void keyActionButtonOpensTheKeyActionWindowAndEditingGoesOn();
    void gradeWindowRefusesNonNumbersAndSavesNothing();
    void gradeInitialisationShowsTheDefaults();
    void concreteWindowShowsAndStoresTheSetting();
    void fontSetWindowMarksAndStoresTheSetInUse();
};

void MasterWindowsTest::barSizeSaveStopsAtAnIncompleteRowAndKeepsTheRecordsAfterIt() {
    TempTree tree;
    ensureBarSizeFile(tree.ctx.folders, QStringLiteral("D"));
    const QByteArray before = readBytes(barSizeFile(tree.ctx.folders, QStringLiteral("D")));
    BarSizeMasterWindow window(tree.ctx);
    show(window);
    QCOMPARE(child<QRadioButton>(window, "Opt異形鉄筋")->isChecked(), true);

    typeInto(window, 2, 1, QStringLiteral("0.33"));
    typeInto(window, 2, 4, QStringLiteral("9.99"));
    typeInto(window, 1, 3, QString()); // row 3 loses its name: the table ends after row 2
    click(window, "cmd登録");

    QCOMPARE(window.result(), int(QDialog::Accepted));
    QList<BarSizeRecord> saved = readBarSizes(tree.ctx.folders, QStringLiteral("D"));
    QCOMPARE(saved.size(), 14);
    QCOMPARE(saved[0].area, 0.33f);
    QCOMPARE(readBytes(barSizeFile(tree.ctx.folders, QStringLiteral("D"))).mid(24), before.mid(24));

    // A cell that is not a number refuses the save and keeps the window open.
    BarSizeMasterWindow again(tree.ctx);
    show(again);
    const QByteArray afterFirstSave = readBytes(barSizeFile(tree.ctx.folders, QStringLiteral("D")));
    typeInto(again, 3, 2, QStringLiteral("2.5cm"));
    click(again, "cmd登録");
    QVERIFY(again.isVisible());
    QCOMPARE(tree.prompt.shown().size(), size_t(1));
    QVERIFY(tree.prompt.lastText().startsWith(QStringLiteral("2行目の「ψ(cm)」が数値ではありません")));
    QCOMPARE(readBytes(barSizeFile(tree.ctx.folders, QStringLiteral("D"))), afterFirstSave);
    QVERIFY(child<QLineEdit>(again, "Text_dummy0")->isVisible()); // editing goes on
}

void MasterWindowsTest::barSizeKindsSwitchTables() {
    TempTree tree;
    ensureBarSizeFile(tree.ctx.folders, QStringLiteral("D"));
    ensureBarSizeFile(tree.ctx.folders, QStringLiteral("R"));
    BarSizeMasterWindow window(tree.ctx);
    show(window);
    auto* grid = child<QTableWidget>(window, "MSFlexGrid1");
    QCOMPARE(grid->rowCount(), 14);
    QTest::mouseClick(child<QRadioButton>(window, "Opt丸鋼"), Qt::LeftButton);
    QCOMPARE(window.kind(), QStringLiteral("R"));
    QCOMPARE(grid->rowCount(), 12);
    QCOMPARE(grid->item(3, 0)->text(), QStringLiteral("R9  "));
    QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("0.64"));
    auto* editor = child<QLineEdit>(window, "Text_dummy0");
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), QStringLiteral("R4"));
}

// ｷｰｱｸｼｮﾝ設定 hides the window while the key-action window is open. The size
// window then goes on where it was; the grade window shows its files again,
// so what was typed but not registered is gone.
void MasterWindowsTest::keyActionButtonOpensTheKeyActionWindowAndEditingGoesOn() {
    TempTree tree;
    ensureBarSizeFile(tree.ctx.folders, QStringLiteral("D"));
    ensureGradeFile(tree.ctx.folders);
    ensureYoungFile(tree.ctx.folders);
    BarSizeMasterWindow sizes(tree.ctx);
    GradeMasterWindow grades(tree.ctx);
    struct Case {
        QDialog* window;
        const char* typed;
        const char* afterReturn;
    };
    for (Case c : {Case{&sizes, "0.8", "0.8"}, Case{&grades, "1700", "1600"}}) {
        show(*c.window);
        typeInto(*c.window, 4, 3, QString::fromLatin1(c.typed));
        if (c.window == &grades) child<QLineEdit>(grades, "Text_Ye_SI")->setText(QStringLiteral("1"));
        QString opened;
        bool ownerHidden = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            opened = modal->objectName();
            ownerHidden = !c.window->isVisible();
            modal->close();
        });
        click(*c.window, "cmdキーアクション");
        QCOMPARE(opened, QStringLiteral("frmキーアクション設定"));
        QVERIFY(ownerHidden);
        QVERIFY(c.window->isVisible());
        auto* editor = child<QLineEdit>(*c.window, "Text_dummy0");
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QString::fromLatin1(c.afterReturn));
    }
    QCOMPARE(child<QTableWidget>(grades, "MSFlexGrid1")->item(2, 3)->text(), QStringLiteral("1600"));
    QCOMPARE(child<QLineEdit>(grades, "Text_Ye_SI")->text(), QStringLiteral("205000"));

    // Opened modally, as the main window opens it, the window stays open
    // after the key actions until the user closes it.
    FontSetWindow fonts(tree.ctx);
    bool execReturned = false;
    bool openAfterKeyActions = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        click(fonts, "cmdキーアクション");
        QTimer::singleShot(0, [&] {
            openAfterKeyActions = !execReturned && fonts.isVisible();
            fonts.reject();
        });
    });
    fonts.exec();
    execReturned = true;
    QTest::qWait(20);
    QVERIFY(openAfterKeyActions);
}

void MasterWindowsTest::gradeWindowRefusesNonNumbersAndSavesNothing() {
    TempTree tree;
    ensureGradeFile(tree.ctx.folders);
    ensureYoungFile(tree.ctx.folders);
    const QByteArray grades = readBytes(tree.ctx.folders.rebarGradeFile);
    const QByteArray young = readBytes(tree.ctx.folders.youngModulusFile);
    GradeMasterWindow window(tree.ctx);
    show(window);
    QCOMPARE(child<QLineEdit>(window, "Text_Ye_SI")->text(), QStringLiteral("205000"));
    QCOMPARE(child<QTableWidget>(window, "MSFlexGrid1")->item(7, 2)->text(), QStringLiteral("D29以上"));

    typeInto(window, 4, 1, QStringLiteral("1700"));
    child<QLineEdit>(window, "Text_Ye_CGS")->setText(QStringLiteral("2千1百"));
    click(window, "cmd登録");
    QVERIFY(window.isVisible());
    QVERIFY(
        tree.prompt.lastText().startsWith(QStringLiteral("「ヤング係数（CGS単位）」が数値ではありません")));
    QCOMPARE(readBytes(tree.ctx.folders.rebarGradeFile), grades);
    QCOMPARE(readBytes(tree.ctx.folders.youngModulusFile), young);

    child<QLineEdit>(window, "Text_Ye_CGS")->setText(QStringLiteral("2100"));
    click(window, "cmd登録");
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(readGradeRecords(tree.ctx.folders)[0].cgsLong, 1700.0f);
}

void MasterWindowsTest::gradeInitialisationShowsTheDefaults() {
    TempTree tree;
    ensureGradeFile(tree.ctx.folders);
    ensureYoungFile(tree.ctx.folders);
    GradeMasterWindow window(tree.ctx);
    show(window);
    typeInto(window, 2, 1, QStringLiteral("SR999"));
    click(window, "cmd登録");
    QCOMPARE(readGradeRecords(tree.ctx.folders)[0].gradeName, QStringLiteral("SR999   "));

    GradeMasterWindow second(tree.ctx);
    show(second);
    tree.prompt.script({Answer::Yes});
    click(second, "cmd初期化");
    QCOMPARE(tree.prompt.texts(),
             (QStringList{QStringLiteral("鉄筋材種強度マスターファイルの内容を初期化します。　　\n"
                                         "初期化した場合、元に戻すことはできません。\n"
                                         "初期化を実行しても良いですか？"),
                          QStringLiteral("初期化しました。　　")}));
    QCOMPARE(tree.prompt.shown()[0].icon, Icon::Information);
    QCOMPARE(tree.prompt.shown()[0].buttons, Buttons::YesNo);
    QCOMPARE(tree.prompt.shown()[1].icon, Icon::Information);
    QCOMPARE(child<QTableWidget>(second, "MSFlexGrid1")->item(0, 1)->text(), QStringLiteral("SR235   "));
    click(second, "cmd登録"); // writes the defaults the user now sees
    QCOMPARE(readGradeRecords(tree.ctx.folders)[0].gradeName, QStringLiteral("SR235   "));
}

void MasterWindowsTest::concreteWindowShowsAndStoresTheSetting() {
    TempTree tree;
    ensureConcreteFile(tree.ctx.folders);
    ConcreteStrengthWindow window(tree.ctx);
    show(window);
    QVERIFY(child<QRadioButton>(window, "Opt2001")->isChecked());
    QCOMPARE(child<QLineEdit>(window, "Txt_cgsTanki_bai1")->text(), QStringLiteral("2"));
    QCOMPARE(child<QLineEdit>(window, "Txt_cgsTanki_bai2")->text(), QStringLiteral("1.5"));

    // Leaving a multiplier box with Tab parks the focus on the holder.
    QVERIFY(QTest::qWaitForWindowActive(&window));
    child<QTabWidget>(window, "SSTab1")->setCurrentIndex(1);
    child<QLineEdit>(window, "Txt_cgsTanki_bai1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(window, "Text1"));

    child<QRadioButton>(window, "Opt1999")->click();
    child<QLineEdit>(window, "Txt_cgsTanki_bai1")->setText(QStringLiteral("三"));
    click(window, "Cmd登録");
    QVERIFY(window.isVisible());
    QCOMPARE(readBytes(concreteFile(tree.ctx.folders)), QByteArray("2 2 1.5\r\n"));

    child<QLineEdit>(window, "Txt_cgsTanki_bai1")->setText(QStringLiteral("3"));
    click(window, "Cmd登録");
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(readBytes(concreteFile(tree.ctx.folders)), QByteArray("1 3 1.5\r\n"));
}

void MasterWindowsTest::fontSetWindowMarksAndStoresTheSetInUse() {
    TempTree tree;
    FontSetWindow window(tree.ctx);
    show(window);
    auto* grid = child<QTableWidget>(window, "MSFlexGrid1");
    auto* use = child<QPushButton>(window, "cmdFixTheFont");
    QCOMPARE(window.fontSetInUse(), 1);
    QCOMPARE(grid->item(0, 2)->background().color(), QColor(250, 250, 160));
    QVERIFY(!use->isEnabled()); // editing starts on the set in use
    QVERIFY(child<QWidget>(window, "Frame1")->isVisible());

    typeInto(window, 3, 5, QStringLiteral("11"));
    QVERIFY(use->isEnabled());
    QVERIFY(!child<QWidget>(window, "Frame1")->isVisible());
    click(window, "cmdFixTheFont");
    QCOMPARE(window.fontSetInUse(), 5);
    QCOMPARE(grid->item(0, 2)->background().color(), QColor(250, 250, 250));
    QCOMPARE(grid->item(4, 0)->background().color(), QColor(250, 250, 160));
    QVERIFY(!use->isEnabled());
    QCOMPARE(editorBackground(window), QColor(255, 255, 160));
    typeInto(window, 2, 2, QStringLiteral("12"));
    QCOMPARE(editorBackground(window), QColor(255, 255, 255));

    // A size that is not a font size is named, and the window stays.
    typeInto(window, 4, 1, QStringLiteral("-5"));
    click(window, "cmd登録");
    QVERIFY(window.isVisible());
    QVERIFY(tree.prompt.lastText().startsWith(QStringLiteral("1行目の「添字」が範囲外です：「-5」")));
    typeInto(window, 4, 1, QString());
    child<QLineEdit>(window, "Text_dummy0")->insert(QStringLiteral("６")); // as an input method commits it
    click(window, "cmd登録");
    QCOMPARE(window.result(), int(QDialog::Accepted));
    loadFontSet(tree.ctx.folders, tree.ctx.reportFont);
    QCOMPARE(tree.ctx.reportFont.fontSetInUse, 5);
    QCOMPARE(tree.ctx.reportFont.bodySize, 11);
}

QTEST_MAIN(MasterWindowsTest)
#include "tst_master_windows.moc"
