#pragma once
#include "ui/gridedit/grid_moves.h"

#include <QObject>
#include <QSet>

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace k5 {

struct AppContext;

// The cell editor of every editing grid (the master tables and the key-action
// test table). Cells are never edited in place: one line editor is laid over
// the cell being edited, the user types into it, and its text goes into the
// cell only when the user leaves the cell (click on another cell, Enter or an
// arrow key) or the window registers. The arrow keys and Enter move as the
// key-action settings say (see gridMoveByKey).
//
// Attaching it to a window's grid takes a few lines:
//
//     grid_ = new QTableWidget(rows, cols, this);       // objectName "MSFlexGrid1"
//     grid_->setHorizontalHeaderLabels(...);            // headings are the table's headers
//     ... fill the cells ...
//     editor_ = new GridEditor(ctx, grid_);              // parented to the grid
//     // optional, for list columns:
//     editor_->attachSideList(frame1, list1, cmdListSelectBtn);
//     editor_->setListColumn(1);
//
//     void MyWindow::showEvent(QShowEvent* e) { QDialog::showEvent(e); editor_->activate(); }
//     // after a child window opened from here returns:  editor_->activate();
//     // register command:  editor_->commitCell(); then read the cells and save.
//
// Cell (column c, row r), both counted from 1, is the table's item(r - 1, c - 1);
// the editable area is the whole table (lastCol = columnCount(), lastRow = rowCount()).
// The editor takes over the grid's editing: it sets the table to no in-place
// editing, no selection, no keyboard focus and no tab navigation of its own.
//
// The editor swallows Enter and Esc (Esc would otherwise close a dialog and lose
// the edit). A key that is not a navigation key is left to the editor as typing.
class GridEditor : public QObject {
    Q_OBJECT
  public:
    GridEditor(AppContext& ctx, QTableWidget* grid);

    // The side list shown beside the grid while a list column is edited: a
    // frame holding the list ("Frame1"), the list ("List1") and its pick
    // button ("cmdListSelectBtn"). The frame is hidden until a list cell is
    // edited. The pick button puts the list's selected item into the editor.
    void attachSideList(QWidget* frame, QListWidget* list, QAbstractButton* pickButton);
    void setListColumn(int col, bool isList = true);
    bool isListColumn(int col) const { return listColumns_.contains(col); }

    // Call on every activation of the window (first showing, and after a child
    // window it opened has closed): reloads the key-action settings; the first
    // call starts editing at (1, 1), later calls give the editor the focus again.
    void activate();

    // gridCommitCell: the edited cell takes the editor's text exactly as typed
    // (blanks kept) and the editor is hidden. Nothing happens while no cell is edited.
    void commitCell();
    // gridBeginEdit: the editor is laid over the target cell with the cell's
    // text (without leading and trailing blanks), all selected; for a list
    // column the side list shows the matching item and the pick button is
    // enabled only when the text is one of the items.
    void beginEdit();
    // Sets the target and begins editing there, without committing.
    void beginEditAt(int col, int row);
    // gridMoveByKey plus, for a navigation key, commit and begin edit. Returns
    // whether the key was a navigation key.
    bool handleKey(int keyCode);
    // gridFollowScroll: after the grid scrolled, the editor is hidden and, when
    // the target cell is still in view, laid over it again, refilled from the
    // cell's stored text.
    void followScroll();
    // gridPlaceEditor: lays the editor over the grid's current cell.
    void placeEditor();
    // The pick button: the editor takes the side list's selected item.
    void pickFromList();

    QLineEdit* editor() const { return editor_; }
    QTableWidget* grid() const { return grid_; }
    GridCell editCell() const { return edit_; }
    GridCell targetCell() const { return target_; }
    int lastCol() const;
    int lastRow() const;

    // Cell text by column and row (from 1); an empty text for a cell without item.
    QString cellText(int col, int row) const;
    void setCellText(int col, int row, const QString& text);

  signals:
    // Editing moved to a cell (after beginEdit): windows that mark the edited
    // row (the font set in use) hook here.
    void editBegun(int col, int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void onCellPressed(int row, int col);
    bool cellInView(GridCell cell) const;
    void showSideListFor(int col);

    AppContext& ctx_;
    QTableWidget* grid_;
    QLineEdit* editor_;
    QWidget* listFrame_ = nullptr;
    QListWidget* list_ = nullptr;
    QAbstractButton* pickButton_ = nullptr;
    QSet<int> listColumns_;
    GridCell edit_;
    GridCell target_;
    bool started_ = false;
    bool placing_ = false; // a scroll caused by moving the current cell is not a user scroll
};

} // namespace k5
