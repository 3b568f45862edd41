#include "ui/gridedit/GridEditor.h"

#include "platform/fixed_text.h"
#include "shell/app_context.h"
#include "ui/gridedit/key_codes.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTableWidget>

namespace k5 {

GridEditor::GridEditor(AppContext& ctx, QTableWidget* grid)
    : QObject(grid), ctx_(ctx), grid_(grid), editor_(new QLineEdit(grid->viewport())) {
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    // Hiding the focused editor passes the focus on through the table, whose
    // tab navigation would move its current cell away from the edited cell.
    grid_->setTabKeyNavigation(false);
    editor_->setObjectName(QStringLiteral("Text_dummy0"));
    editor_->setFrame(false);
    // A thin highlight shows which cell is being edited, also while it is empty.
    editor_->setStyleSheet(
        QStringLiteral("QLineEdit { border: 2px solid palette(highlight); padding: 0 1px; }"));
    editor_->hide();
    editor_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellPressed, this, &GridEditor::onCellPressed);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &GridEditor::followScroll);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridEditor::followScroll);
    // A resized column or row keeps the editor over its cell, with what was typed.
    auto keepGeometry = [this] {
        if (editor_->isVisible() && grid_->currentIndex().isValid())
            editor_->setGeometry(grid_->visualRect(grid_->currentIndex()));
    };
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, keepGeometry);
    connect(grid_->verticalHeader(), &QHeaderView::sectionResized, this, keepGeometry);
}

void GridEditor::attachSideList(QWidget* frame, QListWidget* list, QAbstractButton* pickButton) {
    listFrame_ = frame;
    list_ = list;
    pickButton_ = pickButton;
    if (listFrame_) listFrame_->hide();
    if (pickButton_) connect(pickButton_, &QAbstractButton::clicked, this, &GridEditor::pickFromList);
    // Choosing an item by hand makes it pickable.
    if (list_ && pickButton_)
        connect(list_, &QListWidget::currentRowChanged, pickButton_,
                [this](int row) { pickButton_->setEnabled(row >= 0); });
}

void GridEditor::setListColumn(int col, bool isList) {
    if (isList)
        listColumns_.insert(col);
    else
        listColumns_.remove(col);
}

int GridEditor::lastCol() const {
    return grid_->columnCount();
}
int GridEditor::lastRow() const {
    return grid_->rowCount();
}

QString GridEditor::cellText(int col, int row) const {
    const QTableWidgetItem* item = grid_->item(row - 1, col - 1);
    return item ? item->text() : QString();
}

void GridEditor::setCellText(int col, int row, const QString& text) {
    QTableWidgetItem* item = grid_->item(row - 1, col - 1);
    if (item)
        item->setText(text);
    else
        grid_->setItem(row - 1, col - 1, new QTableWidgetItem(text));
}

void GridEditor::activate() {
    loadKeyActions(ctx_.folders, ctx_.control);
    if (!started_) {
        started_ = true;
        editor_->hide();
        edit_ = target_ = {1, 1};
        beginEdit();
        return;
    }
    if (editor_->isVisible()) editor_->setFocus(Qt::OtherFocusReason);
}

void GridEditor::commitCell() {
    if (!edit_.isCell()) return;
    placing_ = true;
    grid_->setCurrentCell(edit_.row - 1, edit_.col - 1);
    placing_ = false;
    setCellText(edit_.col, edit_.row, editor_->text());
    editor_->hide();
}

void GridEditor::beginEdit() {
    if (target_.col < 1 || target_.col > lastCol() || target_.row < 1 || target_.row > lastRow()) return;
    placing_ = true;
    grid_->setCurrentCell(target_.row - 1, target_.col - 1);
    grid_->scrollTo(grid_->currentIndex());
    placing_ = false;
    placeEditor();
    showSideListFor(target_.col);
    edit_ = target_;
    emit editBegun(edit_.col, edit_.row);
}

void GridEditor::beginEditAt(int col, int row) {
    target_ = {col, row};
    beginEdit();
}

bool GridEditor::handleKey(int keyCode) {
    GridMove move = gridMoveByKey(keyCode, edit_, target_, lastCol(), lastRow(), keyActionsOf(ctx_.control));
    if (!move.keyHandled) return false;
    target_ = move.target;
    commitCell();
    beginEdit();
    return true;
}

void GridEditor::placeEditor() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return;
    editor_->setText(trimBlanks(cellText(current.column() + 1, current.row() + 1)));
    editor_->setGeometry(grid_->visualRect(current));
    editor_->show();
    editor_->raise();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
}

void GridEditor::followScroll() {
    if (placing_) return;
    editor_->hide();
    if (target_.isCell() && cellInView(target_)) placeEditor();
}

bool GridEditor::cellInView(GridCell cell) const {
    const QModelIndex index = grid_->model()->index(cell.row - 1, cell.col - 1);
    return index.isValid() && grid_->viewport()->rect().intersects(grid_->visualRect(index));
}

void GridEditor::showSideListFor(int col) {
    if (!listFrame_ || !list_) return;
    if (!isListColumn(col)) {
        listFrame_->hide();
        return;
    }
    listFrame_->show();
    // The first item equal to the trimmed cell text (exact: case and width count).
    const QString text = trimBlanks(cellText(target_.col, target_.row));
    int match = -1;
    for (int i = 0; !text.isEmpty() && i < list_->count(); ++i) {
        if (list_->item(i)->text() == text) {
            match = i;
            break;
        }
    }
    list_->setCurrentRow(match);
    if (match < 0) list_->clearSelection();
    if (pickButton_) pickButton_->setEnabled(match >= 0);
}

void GridEditor::pickFromList() {
    if (!list_ || !list_->currentItem()) return;
    editor_->setText(list_->currentItem()->text());
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->setSelection(0, 10);
}

void GridEditor::onCellPressed(int row, int col) {
    target_ = {col + 1, row + 1};
    commitCell();
    beginEdit();
}

bool GridEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        const int code = legacyKeyCode(static_cast<QKeyEvent*>(event)->key());
        if (code == kKeyEscape) return true;
        if (handleKey(code)) return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace k5
