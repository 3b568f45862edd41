#include "ui/gridedit/FieldNavigator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace k5;

namespace {

// A dialog with two tabs like an input window: tab 0 holds a, grade (list), b, c;
// tab 1 holds d, e. A default button would take Enter if it got through.
struct Form {
    Form() {
        auto* layout = new QVBoxLayout(&dialog);
        tabs = new QTabWidget(&dialog);
        auto* page0 = new QWidget;
        auto* page1 = new QWidget;
        auto* l0 = new QVBoxLayout(page0);
        auto* l1 = new QVBoxLayout(page1);
        a = new QLineEdit(QStringLiteral("aaa"));
        grade = new QComboBox;
        grade->addItems({QStringLiteral("SD295A"), QStringLiteral("SD345"), QStringLiteral("SR235")});
        b = new QLineEdit(QStringLiteral("bbb"));
        c = new QLineEdit(QStringLiteral("ccc"));
        d = new QLineEdit(QStringLiteral("ddd"));
        e = new QLineEdit(QStringLiteral("eee"));
        for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(grade), static_cast<QWidget*>(b),
                           static_cast<QWidget*>(c)})
            l0->addWidget(w);
        l1->addWidget(d);
        l1->addWidget(e);
        tabs->addTab(page0, QStringLiteral("基礎"));
        tabs->addTab(page1, QStringLiteral("荷重"));
        layout->addWidget(tabs);
        ok = new QPushButton(QStringLiteral("登録"));
        ok->setDefault(true);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        nav = new FieldNavigator(&dialog);
        nav->setFocusList({a, grade, b, c, d, e});
        nav->setRanges({{1, 4}, {5, 6}});
        nav->followTabs(tabs);
    }
    bool show() {
        dialog.show();
        return QTest::qWaitForWindowExposed(&dialog);
    }
    QWidget* focus() const { return QApplication::focusWidget(); }

    QDialog dialog;
    QTabWidget* tabs;
    QLineEdit *a, *b, *c, *d, *e;
    QComboBox* grade;
    QPushButton* ok;
    FieldNavigator* nav;
};

} // namespace

class TestFieldNavigator : public QObject {
    Q_OBJECT
  private slots:
    void enterAndArrowsMoveInsideTheTab() {
        Form f;
        QVERIFY(f.show());
        f.a->setFocus();
        QTest::keyClick(f.a, Qt::Key_Return);
        QCOMPARE(f.focus(), f.grade);
        QTest::keyClick(f.grade, Qt::Key_Return);
        QCOMPARE(f.focus(), f.b);
        QCOMPARE(f.b->selectedText(), QStringLiteral("bbb"));
        QTest::keyClick(f.b, Qt::Key_Down);
        QCOMPARE(f.focus(), f.c);
        QTest::keyClick(f.c, Qt::Key_Return);
        QCOMPARE(f.focus(), f.a); // the last field of the tab wraps to its first, not to the next tab
        QTest::keyClick(f.a, Qt::Key_Up);
        QCOMPARE(f.focus(), f.c);
        QVERIFY(f.dialog.isVisible()); // Enter never reached the default button
        QCOMPARE(f.dialog.result(), 0);
    }

    void secondTabUsesItsOwnRange() {
        Form f;
        QVERIFY(f.show());
        f.tabs->setCurrentIndex(1);
        f.e->setFocus();
        QTest::keyClick(f.e, Qt::Key_Return);
        QCOMPARE(f.focus(), f.d);
        QTest::keyClick(f.d, Qt::Key_Up);
        QCOMPARE(f.focus(), f.e);
    }

    void disabledAndHiddenFieldsAreSkipped() {
        Form f;
        QVERIFY(f.show());
        f.grade->setEnabled(false);
        f.b->hide();
        f.a->setFocus();
        QTest::keyClick(f.a, Qt::Key_Down);
        QCOMPARE(f.focus(), f.c);
        QTest::keyClick(f.c, Qt::Key_Up);
        QCOMPARE(f.focus(), f.a);
    }

    void aLoneFieldKeepsTheFocusAndIsSelectedAgain() {
        Form f;
        QVERIFY(f.show());
        f.grade->setEnabled(false);
        f.b->setEnabled(false);
        f.c->setEnabled(false);
        f.a->setFocus();
        f.a->deselect();
        QTest::keyClick(f.a, Qt::Key_Return);
        QCOMPARE(f.focus(), f.a);
        QCOMPARE(f.a->selectedText(), QStringLiteral("aaa"));
    }

    void aRangeOnAHiddenTabDoesNotHang() {
        Form f;
        QVERIFY(f.show());
        f.a->setFocus();
        f.nav->setCurrentRange(1); // the window's range does not match the shown tab
        QTest::keyClick(f.a, Qt::Key_Return);
        QCOMPARE(f.focus(), f.a); // every field of range 5..6 is on the hidden page: nothing moves
    }

    void arrowsInAListMoveOnAndKeepTheItem() {
        Form f;
        QVERIFY(f.show());
        f.grade->setCurrentIndex(1);
        f.grade->setFocus();
        QTest::keyClick(f.grade, Qt::Key_Down);
        QCOMPARE(f.focus(), f.b);
        QCOMPARE(f.grade->currentIndex(), 1);
        f.grade->setCurrentIndex(0);
        f.grade->setFocus();
        QTest::keyClick(f.grade, Qt::Key_Up);
        QCOMPARE(f.focus(), f.a);
        QCOMPARE(f.grade->currentIndex(), 0);
    }

    void upInAListWithoutItemChoosesTheFirst() {
        Form f;
        QVERIFY(f.show());
        f.grade->setCurrentIndex(-1);
        f.grade->setFocus();
        QTest::keyClick(f.grade, Qt::Key_Up);
        QCOMPARE(f.grade->currentIndex(), 0);
        QCOMPARE(f.focus(), f.a);
        f.grade->setCurrentIndex(-1);
        f.grade->setFocus();
        QTest::keyClick(f.grade, Qt::Key_Down);
        QCOMPARE(f.grade->currentIndex(), -1);
        QCOMPARE(f.focus(), f.b);
    }

    void anEditableListIsAListToo() {
        Form f;
        f.grade->setEditable(true);
        QVERIFY(f.show());
        f.grade->setCurrentIndex(2);
        f.grade->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(f.focus(), f.a);
        QCOMPARE(f.grade->currentIndex(), 2);
        f.a->setFocus();
        QTest::keyClick(f.a, Qt::Key_Return);
        QCOMPARE(f.focus(), f.grade);
        QCOMPARE(f.grade->lineEdit()->selectedText(), QStringLiteral("SR235"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.focus(), f.b);
        QCOMPARE(f.grade->count(), 3); // Enter did not add the text as an item
    }

    void shiftArrowInAListIsTheListsOwn() {
        Form f;
        QVERIFY(f.show());
        f.grade->setCurrentIndex(0);
        f.grade->setFocus();
        QTest::keyClick(f.grade, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(f.focus(), f.grade);
        QCOMPARE(f.grade->currentIndex(), 1);
        QTest::keyClick(f.grade, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(f.focus(), f.grade);
        QCOMPARE(f.grade->currentIndex(), 1);
        QVERIFY2(f.dialog.isVisible(), "Shift+Enter is swallowed, not given to the default button");
    }

    void enterAndEscapeAddNothingAndCloseNothing() {
        Form f;
        QVERIFY(f.show());
        f.a->setFocus();
        f.a->setCursorPosition(3);
        QTest::keyClick(f.a, Qt::Key_Escape);
        QVERIFY(f.dialog.isVisible());
        QCOMPARE(f.a->text(), QStringLiteral("aaa"));
        QCOMPARE(f.focus(), f.a);
    }

    void optionButtonsSwallowEnterAndAdvanceOnClick() {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* name = new QLineEdit;
        auto* si = new QRadioButton(QStringLiteral("SI"));
        auto* cgs = new QRadioButton(QStringLiteral("CGS"));
        auto* ok = new QPushButton(QStringLiteral("登録"));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(si), static_cast<QWidget*>(cgs),
                           static_cast<QWidget*>(ok)})
            layout->addWidget(w);
        FieldNavigator nav;
        nav.setFocusList({name, si, cgs});
        QObject::connect(si, &QRadioButton::clicked, &nav, [&] { nav.advanceFrom(si); });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        si->setFocus();
        QTest::keyClick(si, Qt::Key_Return);
        QTest::keyClick(si, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(si, Qt::LeftButton, {}, QPoint(6, si->height() / 2));
        QVERIFY(si->isChecked());
        QCOMPARE(QApplication::focusWidget(), cgs);
        QCOMPARE(nav.currentPlace(), 3);
    }
};

QTEST_MAIN(TestFieldNavigator)
#include "tst_field_navigator.moc"
