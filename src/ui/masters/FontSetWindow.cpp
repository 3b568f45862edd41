#include "ui/masters/FontSetWindow.h"

#include "masters/font_set.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/GridEditor.h"
#include "ui/masters/MasterWindowParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

const QColor kInUseRow(250, 250, 160);
const QColor kOtherRow(250, 250, 250);
const QColor kInUseEditor(255, 255, 160);
const QColor kOtherEditor(255, 255, 255);

} // namespace

FontSetWindow::FontSetWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmフォントセット"));
    setWindowTitle(QStringLiteral("フォントセット"));
    setModal(true);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    editor_ = new GridEditor(ctx_, grid_);
    editorStyle_ = editor_->editor()->styleSheet();

    auto* listFrame = new QFrame(this);
    listFrame->setObjectName(QStringLiteral("Frame1"));
    auto* list = new QListWidget(listFrame);
    list->setObjectName(QStringLiteral("List1"));
    list->addItems(fontFaceChoices());
    auto* pick = makeButton(listFrame, QStringLiteral("cmdListSelectBtn"), QStringLiteral("≪フォントの指定"));
    auto* listLayout = new QVBoxLayout(listFrame);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(pick);
    listLayout->addWidget(list);
    listFrame->setFixedWidth(170);
    editor_->attachSideList(listFrame, list, pick);
    editor_->setListColumn(1);

    useButton_ = makeButton(this, QStringLiteral("cmdFixTheFont"), QStringLiteral("このﾌｫﾝﾄｾｯﾄを使う"));
    auto* keyActions = makeButton(this, QStringLiteral("cmdキーアクション"), QStringLiteral("ｷｰｱｸｼｮﾝ設定"));
    auto* registerButton = makeButton(this, QStringLiteral("cmd登録"), QStringLiteral("登録"));
    auto* cancelButton = makeButton(this, QStringLiteral("cmdキャンセル"), QStringLiteral("ｷｬﾝｾﾙ"));

    loadTable();
    fitGridToContent(grid_);

    auto* side = new QVBoxLayout;
    side->addWidget(listFrame);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(grid_, 0, Qt::AlignTop);
    top->addLayout(side);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(useButton_);
    buttons->addWidget(keyActions);
    buttons->addStretch();
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(grid_->width() + 170 + 40);

    connect(editor_, &GridEditor::editBegun, this, &FontSetWindow::markInUse);
    connect(useButton_, &QPushButton::clicked, this, &FontSetWindow::useEditedSet);
    connect(registerButton, &QPushButton::clicked, this, &FontSetWindow::registerAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &FontSetWindow::reject);
    connect(keyActions, &QPushButton::clicked, this, &FontSetWindow::openKeyActions);
}

void FontSetWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    editor_->activate();
}

void FontSetWindow::loadTable() {
    shapeGrid(grid_, kFontSetGridRows,
              {QStringLiteral("フォント"), QStringLiteral("ﾀｲﾄﾙ文字"), QStringLiteral("一般文字"),
               QStringLiteral("添字")});
    grid_->setColumnWidth(0, 180);
    for (int c = 1; c <= 3; ++c)
        grid_->setColumnWidth(c, 80);
    QList<FontSetRecord> records = loadFontSet(ctx_.folders, ctx_.reportFont);
    for (int r = 1; r <= kFontSetGridRows && r <= records.size(); ++r) {
        const FontSetRecord& record = records[r - 1];
        editor_->setCellText(1, r, record.faceName);
        editor_->setCellText(2, r, QString::number(record.titleSize));
        editor_->setCellText(3, r, QString::number(record.bodySize));
        editor_->setCellText(4, r, QString::number(record.smallSize));
    }
    inUse_ = ctx_.reportFont.fontSetInUse;
    paintRow(inUse_, kInUseRow);
}

void FontSetWindow::paintRow(int row, const QColor& colour) {
    if (row < 1 || row > grid_->rowCount()) return;
    for (int c = 0; c < grid_->columnCount(); ++c)
        if (QTableWidgetItem* item = grid_->item(row - 1, c)) item->setBackground(colour);
}

// The editor over the set in use takes that row's colour, and the set in use
// cannot be chosen again.
void FontSetWindow::markInUse() {
    bool onInUseRow = editor_->editCell().row == inUse_;
    // The editor is drawn by its style sheet, which a palette cannot colour.
    const QColor background = onInUseRow ? kInUseEditor : kOtherEditor;
    editor_->editor()->setStyleSheet(
        editorStyle_ + QStringLiteral("QLineEdit { background-color: %1; }").arg(background.name()));
    useButton_->setEnabled(!onInUseRow);
}

void FontSetWindow::useEditedSet() {
    paintRow(inUse_, kOtherRow);
    inUse_ = editor_->editCell().row;
    paintRow(inUse_, kInUseRow);
    markInUse();
    editor_->editor()->setFocus();
    editor_->editor()->setSelection(0, 10);
}

void FontSetWindow::registerAndClose() {
    editor_->commitCell();
    if (saveFontSets(ctx_.folders, ctx_.ask(), gridRows(*editor_), inUse_)) {
        accept();
        return;
    }
    editor_->beginEdit();
}

void FontSetWindow::reject() {
    if (confirmCancel(ctx_)) QDialog::reject();
}

void FontSetWindow::openKeyActions() {
    openKeyActionWindow(ctx_, this);
}

} // namespace k5
