#include "masters/key_actions.h"
#include "temp_tree.h"
#include "ui/gridedit/GridEditor.h"

#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace k5;

namespace {

// A dialog holding a grid of rows x cols with the editor attached, like a master window.
struct GridDialog {
    explicit GridDialog(k5test::TempTree& tree, int rows = 7, int cols = 7) {
        dialog.resize(700, 400);
        auto* layout = new QVBoxLayout(&dialog);
        grid = new QTableWidget(rows, cols, &dialog);
        grid->setObjectName(QStringLiteral("MSFlexGrid1"));
        layout->addWidget(grid);
        frame = new QFrame(&dialog);
        auto* frameLayout = new QVBoxLayout(frame);
        list = new QListWidget(frame);
        list->addItems({QStringLiteral("ＭＳ明朝"), QStringLiteral("ＭＳゴシック")});
        pick = new QPushButton(QStringLiteral("≪フォントの指定"), frame);
        frameLayout->addWidget(list);
        frameLayout->addWidget(pick);
        layout->addWidget(frame);
        editor = new GridEditor(tree.ctx, grid);
        editor->attachSideList(frame, list, pick);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                editor->setCellText(c, r, QStringLiteral("%1-%2").arg(c).arg(r));
    }
    void show() {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        editor->activate();
    }
    QLineEdit* line() const { return editor->editor(); }
    void key(Qt::Key k) { QTest::keyClick(line(), k); }
    QPoint cellCentre(int col, int row) const {
        return grid->visualRect(grid->model()->index(row - 1, col - 1)).center();
    }

    QDialog dialog;
    QTableWidget* grid;
    QFrame* frame;
    QListWidget* list;
    QPushButton* pick;
    GridEditor* editor;
};

} // namespace

class TestGridEditor : public QObject {
    Q_OBJECT
  private slots:
    void firstActivationEditsTheFirstCell() {
        k5test::TempTree tree;
        GridDialog g(tree);
        g.editor->setCellText(1, 1, QStringLiteral("  D19  "));
        g.show();
        QCOMPARE(g.editor->editCell(), (GridCell{1, 1}));
        QVERIFY(g.line()->isVisible());
        QVERIFY(g.line()->hasFocus());
        QCOMPARE(g.line()->text(), QStringLiteral("D19"));
        QCOMPARE(g.line()->selectedText(), QStringLiteral("D19"));
        QCOMPARE(g.line()->geometry(), g.grid->visualRect(g.grid->model()->index(0, 0)));
        QVERIFY2(QFileInfo::exists(keyActionFilePath(tree.ctx.folders)),
                 "activation loads (and ensures) the key file");
    }

    void commitKeepsBlanksAndEditingShowsTrimmedText() {
        k5test::TempTree tree;
        GridDialog g(tree);
        g.show();
        g.line()->setText(QStringLiteral(" D22 "));
        g.key(Qt::Key_Right);
        QCOMPARE(g.editor->cellText(1, 1), QStringLiteral(" D22 "));
        QCOMPARE(g.editor->editCell(), (GridCell{2, 1}));
        QCOMPARE(g.line()->text(), QStringLiteral("2-1"));
        g.key(Qt::Key_Left);
        QCOMPARE(g.editor->editCell(), (GridCell{1, 1}));
        QCOMPARE(g.line()->text(), QStringLiteral("D22"));
    }

    void typingIsNotInTheGridUntilTheCellIsLeft() {
        k5test::TempTree tree;
        GridDialog g(tree);
        g.show();
        g.line()->clear();
        QTest::keyClicks(g.line(), QStringLiteral("abc"));
        QCOMPARE(g.editor->editCell(), (GridCell{1, 1}));
        QCOMPARE(g.editor->cellText(1, 1), QStringLiteral("1-1"));
        QTest::keyClick(g.line(), Qt::Key_Home);
        QVERIFY2(g.editor->editCell() == (GridCell{1, 1}), "a key that is not a navigation key is typing");
        g.editor->commitCell();
        QCOMPARE(g.editor->cellText(1, 1), QStringLiteral("abc"));
    }

    void keysFollowTheKeyActionFile() {
        k5test::TempTree tree;
        k5test::writeBytes(keyActionFilePath(tree.ctx.folders), " 0\r\n 0\r\n 1\r\n");
        GridDialog g(tree);
        g.show();
        g.editor->beginEditAt(7, 7);
        g.key(Qt::Key_Return);
        QCOMPARE(g.editor->editCell(), (GridCell{1, 1}));
        g.editor->beginEditAt(3, 7);
        g.key(Qt::Key_Down);
        QCOMPARE(g.editor->editCell(), (GridCell{3, 1}));
        g.key(Qt::Key_Up);
        QVERIFY2(g.editor->editCell() == (GridCell{3, 1}), "wrapUpToLastRow is off");
    }

    void escapeIsSwallowedAndDoesNotCloseTheWindow() {
        k5test::TempTree tree;
        GridDialog g(tree);
        g.show();
        g.line()->setText(QStringLiteral("x"));
        g.key(Qt::Key_Escape);
        QVERIFY(g.dialog.isVisible());
        QCOMPARE(g.line()->text(), QStringLiteral("x"));
    }

    void clickingACellCommitsAndMovesThere() {
        k5test::TempTree tree;
        GridDialog g(tree);
        g.show();
        g.line()->setText(QStringLiteral("typed"));
        QTest::mouseClick(g.grid->viewport(), Qt::LeftButton, {}, g.cellCentre(4, 3));
        QCOMPARE(g.editor->cellText(1, 1), QStringLiteral("typed"));
        QCOMPARE(g.editor->editCell(), (GridCell{4, 3}));
        QCOMPARE(g.line()->text(), QStringLiteral("4-3"));
        QVERIFY(g.line()->hasFocus());
    }

    void scrollingRefillsOrHidesTheEditor() {
        k5test::TempTree tree;
        GridDialog g(tree, 40, 3);
        g.show();
        g.editor->beginEditAt(2, 5);
        g.line()->setText(QStringLiteral("typed"));
        QScrollBar* bar = g.grid->verticalScrollBar();
        QVERIFY(bar->maximum() > 5);
        bar->setValue(bar->value() + 2); // row 5 stays in view
        QVERIFY(g.line()->isVisible());
        QCOMPARE(g.line()->text(), QStringLiteral("2-5"));
        QCOMPARE(g.line()->geometry(), g.grid->visualRect(g.grid->model()->index(4, 1)));
        bar->setValue(bar->maximum()); // row 5 out of view
        QVERIFY(!g.line()->isVisible());
        QCOMPARE(g.editor->editCell(), (GridCell{2, 5}));
        g.editor->beginEditAt(2, 5);
        QVERIFY(g.line()->isVisible());
    }

    void listColumnShowsTheSideList() {
        k5test::TempTree tree;
        GridDialog g(tree, 4, 3);
        g.editor->setListColumn(1);
        g.editor->setCellText(1, 1, QStringLiteral(" ＭＳゴシック "));
        g.editor->setCellText(1, 2, QStringLiteral("ＭＳ ゴシック"));
        g.show();
        QVERIFY(g.frame->isVisible());
        QCOMPARE(g.list->currentRow(), 1);
        QVERIFY(g.pick->isEnabled());

        g.key(Qt::Key_Down); // (1, 2): not an item (the blank differs)
        QVERIFY(g.frame->isVisible());
        QCOMPARE(g.list->currentRow(), -1);
        QVERIFY(g.list->selectedItems().isEmpty());
        QVERIFY(!g.pick->isEnabled());

        g.list->setCurrentRow(0); // the user chooses an item
        QVERIFY(g.pick->isEnabled());
        QTest::mouseClick(g.pick, Qt::LeftButton);
        QCOMPARE(g.line()->text(), QStringLiteral("ＭＳ明朝"));
        QVERIFY(g.line()->hasFocus());
        g.key(Qt::Key_Right);
        QCOMPARE(g.editor->cellText(1, 2), QStringLiteral("ＭＳ明朝"));
        QVERIFY2(!g.frame->isVisible(), "a text column hides the side list");
    }
};

QTEST_MAIN(TestGridEditor)
#include "tst_grid_editor.moc"
