#include "ui/masters/BarSizeMasterWindow.h"

#include "masters/bar_size_master.h"
#include "platform/numbers.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/GridEditor.h"
#include "ui/masters/MasterWindowParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {

BarSizeMasterWindow::BarSizeMasterWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm鉄筋サイズマスター"));
    setWindowTitle(QStringLiteral("鉄筋種類"));
    setModal(true);

    auto* kindFrame = new QGroupBox(QStringLiteral("鉄筋種類"), this);
    kindFrame->setObjectName(QStringLiteral("Frame鉄筋種類"));
    deformed_ = new QRadioButton(QStringLiteral("異形鉄筋"), kindFrame);
    deformed_->setObjectName(QStringLiteral("Opt異形鉄筋"));
    round_ = new QRadioButton(QStringLiteral("丸鋼"), kindFrame);
    round_->setObjectName(QStringLiteral("Opt丸鋼"));
    deformed_->setChecked(true);
    auto* kindRow = new QHBoxLayout(kindFrame);
    kindRow->addWidget(deformed_);
    kindRow->addSpacing(24);
    kindRow->addWidget(round_);
    kindRow->addStretch();

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setDefaultSectionSize(96);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    editor_ = new GridEditor(ctx_, grid_);

    focusHolder_ = new QLineEdit(this);
    focusHolder_->setObjectName(QStringLiteral("Text1"));
    focusHolder_->setFixedSize(1, 1);
    focusHolder_->setFrame(false);

    auto* keyActions = makeButton(this, QStringLiteral("cmdキーアクション"), QStringLiteral("ｷｰｱｸｼｮﾝ設定"));
    auto* registerButton = makeButton(this, QStringLiteral("cmd登録"), QStringLiteral("登録"));
    auto* cancelButton = makeButton(this, QStringLiteral("cmdキャンセル"), QStringLiteral("ｷｬﾝｾﾙ"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(keyActions);
    buttons->addStretch();
    buttons->addWidget(focusHolder_);
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindFrame);
    layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(buttons);

    setUpGrid();
    fitGridToContent(grid_); // the deformed-bar table, the longer one, in view whole

    connect(deformed_, &QRadioButton::clicked, this, [this] { selectKind(QStringLiteral("D")); });
    connect(round_, &QRadioButton::clicked, this, [this] { selectKind(QStringLiteral("R")); });
    connect(registerButton, &QPushButton::clicked, this, &BarSizeMasterWindow::registerAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &BarSizeMasterWindow::reject);
    connect(keyActions, &QPushButton::clicked, this, &BarSizeMasterWindow::openKeyActions);
}

void BarSizeMasterWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    editor_->activate();
}

void BarSizeMasterWindow::selectKind(const QString& kind) {
    if (kind == kind_) {
        focusHolder_->setFocus();
        return;
    }
    // Unsaved edits of the other kind are discarded, as the user sees the table change.
    kind_ = kind;
    setUpGrid();
    editor_->beginEditAt(1, 1);
}

void BarSizeMasterWindow::setUpGrid() {
    editor_->editor()->hide();
    shapeGrid(grid_, barSizeRowCount(kind_),
              {QStringLiteral("呼称"), QStringLiteral("at(cm2)"), QStringLiteral("ψ(cm)")});
    QList<BarSizeRecord> records = readBarSizes(ctx_.folders, kind_);
    // A file written by other means may hold more records than the table has
    // rows; those stay in the file untouched by a save.
    for (int r = 1; r <= editor_->lastRow() && r <= records.size(); ++r) {
        const BarSizeRecord& record = records[r - 1];
        editor_->setCellText(1, r, record.sizeName);
        editor_->setCellText(2, r, formatGeneral(record.area));
        editor_->setCellText(3, r, formatGeneral(record.perimeter));
    }
}

void BarSizeMasterWindow::registerAndClose() {
    editor_->commitCell();
    if (saveBarSizeRows(ctx_.folders, ctx_.ask(), kind_, gridRows(*editor_))) {
        accept();
        return;
    }
    editor_->beginEdit(); // refused: the user goes on editing where they were
}

void BarSizeMasterWindow::reject() {
    if (confirmCancel(ctx_)) QDialog::reject();
}

void BarSizeMasterWindow::openKeyActions() {
    openKeyActionWindow(ctx_, this);
}

} // namespace k5
