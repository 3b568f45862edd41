#pragma once
#include <QList>
#include <QObject>
#include <QPointer>

class QTabWidget;
class QWidget;

namespace k5 {

// Enter / ↑ / ↓ navigation between the input fields of a form, wired once as
// an event filter on every field of the focus list. A window supplies only
// its focus list (and, with tabs, the range of places each tab owns):
//
//     nav_ = new FieldNavigator(this);
//     nav_->setFocusList({ui.Text_工事名, ui.Text_ファイル名, ui.Opt_si, ui.Opt_cgs});
//     // with tabs:  nav_->setRanges({{1, 25}, {26, 39}});  nav_->followTabs(tabWidget);
//
// Place i is focusList[i - 1]; the tab order of the fields is set to follow
// the places. In text fields (line edits, spin boxes, editable combo boxes),
// Enter and ↓ move to the next usable field of the current range and ↑ to the
// previous one, wrapping inside the range; hidden and disabled fields are
// skipped. In list fields (combo boxes) ↑ and ↓ move the focus too and keep
// the chosen item (except that ↑ in a list without a chosen item chooses its
// first item); with Shift held the list's own arrow handling applies, and
// Alt+↓ opens the list as F4 does. In every
// field of the list, Enter and Esc are swallowed: they never reach the field
// and never trigger the dialog's default button or close it.
// The field that gets the focus has its whole text selected.
class FieldNavigator : public QObject {
    Q_OBJECT
  public:
    struct Range {
        int first;
        int last;
    };

    explicit FieldNavigator(QObject* parent = nullptr);

    // A null entry keeps its place but is never focused.
    void setFocusList(const QList<QWidget*>& fields, bool setTabOrder = true);
    // The ranges of the tabs; without a call there is one range over the whole list.
    void setRanges(const QList<Range>& ranges);
    void setCurrentRange(int index);
    int currentRange() const { return currentRange_; }
    // The current range follows the tab widget's current tab.
    void followTabs(QTabWidget* tabs);

    int currentPlace() const { return currentPlace_; }
    void setCurrentPlace(int place) { currentPlace_ = place; }
    // The place of a field of the list, 0 when it is not in it.
    int placeOf(const QWidget* field) const;
    QWidget* fieldAt(int place) const;

    // moveFieldFocus: moves the focus from the current place for Enter, ↓ or ↑.
    // Returns whether the focus moved (or was given again to the same field).
    bool moveFieldFocus(int keyCode);
    // The focus moves on as if Enter had been pressed in `field` (after a click
    // on an option or a check box).
    bool advanceFrom(QWidget* field);
    // Focuses a field and selects its whole text where it has one.
    static void focusAndSelect(QWidget* field);
    // Forgets the focus list (the window is closing).
    void release();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Range range() const;
    bool usable(int place) const;

    QList<QPointer<QWidget>> fields_;
    QList<Range> ranges_;
    int currentRange_ = 0;
    int currentPlace_ = 0;
};

} // namespace k5
