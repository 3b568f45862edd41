#include "ui/masters/GradeMasterWindow.h"

#include "masters/grade_master.h"
#include "platform/numbers.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/GridEditor.h"
#include "ui/masters/MasterWindowParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

const int kColumnWidths[] = {130, 64, 72, 80, 80, 72, 72, 120};

QLineEdit* youngField(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(90);
    return field;
}

} // namespace

GradeMasterWindow::GradeMasterWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm鉄筋材種強度マスター"));
    setWindowTitle(QStringLiteral("鉄筋材種と鉄筋強度"));
    setModal(true);

    auto* unit = new QLabel(QStringLiteral("単位：N/㎜2"), this);
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    editor_ = new GridEditor(ctx_, grid_);
    int gridWidth = 40;
    for (int w : kColumnWidths)
        gridWidth += w;
    grid_->setMinimumSize(gridWidth, kGradeGridRows * 24 + 34);

    auto* note = new QLabel(
        QStringLiteral("SD345,SD390はD29以上のサイズでは長期 引張,圧縮許容応力度は200N/㎜2とします"), this);
    note->setObjectName(QStringLiteral("Label注記"));

    auto* youngFrame = new QGroupBox(QStringLiteral("ヤング係数"), this);
    youngFrame->setObjectName(QStringLiteral("Frameヤング係数"));
    youngSi_ = youngField(youngFrame, QStringLiteral("Text_Ye_SI"));
    youngCgs_ = youngField(youngFrame, QStringLiteral("Text_Ye_CGS"));
    auto* youngLayout = new QGridLayout(youngFrame);
    youngLayout->addWidget(new QLabel(QStringLiteral("SI単位"), youngFrame), 0, 0);
    youngLayout->addWidget(youngSi_, 0, 1);
    youngLayout->addWidget(new QLabel(QStringLiteral("N/mm"), youngFrame), 0, 2);
    youngLayout->addWidget(new QLabel(QStringLiteral("CGS単位"), youngFrame), 1, 0);
    youngLayout->addWidget(youngCgs_, 1, 1);
    youngLayout->addWidget(new QLabel(QStringLiteral("t/cm2"), youngFrame), 1, 2);

    auto* initialiseButton = makeButton(this, QStringLiteral("cmd初期化"), QStringLiteral("ﾃﾞｰﾀ初期化"));
    auto* keyActions = makeButton(this, QStringLiteral("cmdキーアクション"), QStringLiteral("ｷｰｱｸｼｮﾝ設定"));
    auto* registerButton = makeButton(this, QStringLiteral("cmd登録"), QStringLiteral("登録"));
    auto* cancelButton = makeButton(this, QStringLiteral("cmdキャンセル"), QStringLiteral("ｷｬﾝｾﾙ"));

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(initialiseButton);
    buttons->addWidget(keyActions);
    buttons->addSpacing(12);
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(youngFrame);
    bottom->addStretch();
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(unit, 0, Qt::AlignRight);
    layout->addWidget(grid_);
    layout->addWidget(note);
    layout->addLayout(bottom);

    loadGrid();
    fitGridToContent(grid_);
    loadYoungFields();

    connect(registerButton, &QPushButton::clicked, this, &GradeMasterWindow::registerAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &GradeMasterWindow::reject);
    connect(initialiseButton, &QPushButton::clicked, this, &GradeMasterWindow::initialise);
    connect(keyActions, &QPushButton::clicked, this, &GradeMasterWindow::openKeyActions);
}

// Every activation shows the files as they are now: returning from the
// key-action window drops edits that were not registered.
void GradeMasterWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    loadGrid();
    loadYoungFields();
    const bool later = activated_;
    activated_ = true;
    editor_->activate();
    if (later && editor_->editor()->isVisible()) {
        // The editor takes the reloaded text of the cell it stands over.
        GridCell cell = editor_->editCell();
        editor_->beginEditAt(cell.col, cell.row);
    }
}

void GradeMasterWindow::loadGrid() {
    shapeGrid(grid_, kGradeGridRows,
              {QStringLiteral("材料"), QStringLiteral("呼称"), QStringLiteral("径"),
               QStringLiteral("長期(CGS)"), QStringLiteral("短期(CGS)"), QStringLiteral("長期(SI)"),
               QStringLiteral("短期(SI)"), QStringLiteral("備考")});
    for (int c = 0; c < grid_->columnCount(); ++c)
        grid_->setColumnWidth(c, kColumnWidths[c]);
    ensureGradeFile(ctx_.folders);
    QList<GradeRecord> grades = readGradeRecords(ctx_.folders);
    for (int r = 1; r <= editor_->lastRow() && r <= grades.size(); ++r) {
        const GradeRecord& g = grades[r - 1];
        const QStringList cells{g.material,
                                g.gradeName,
                                sizeClassText(g.sizeClass),
                                formatGeneral(g.cgsLong),
                                formatGeneral(g.cgsShort),
                                formatGeneral(g.siLong),
                                formatGeneral(g.siShort),
                                g.remark};
        for (int c = 1; c <= cells.size(); ++c)
            editor_->setCellText(c, r, cells[c - 1]);
    }
}

void GradeMasterWindow::loadYoungFields() {
    YoungModulus young = loadYoung(ctx_.folders);
    youngSi_->setText(formatGeneral(young.si));
    youngCgs_->setText(formatGeneral(young.cgs));
}

void GradeMasterWindow::registerAndClose() {
    editor_->commitCell();
    if (saveGradeMaster(ctx_.folders, ctx_.ask(), gridRows(*editor_), youngSi_->text(), youngCgs_->text())) {
        accept();
        return;
    }
    editor_->beginEdit();
}

void GradeMasterWindow::initialise() {
    const QString question = QStringLiteral("鉄筋材種強度マスターファイルの内容を初期化します。　　\n"
                                            "初期化した場合、元に戻すことはできません。\n"
                                            "初期化を実行しても良いですか？");
    if (!ctx_.ask().askYesNo(question, Icon::Information)) {
        editor_->activate();
        return;
    }
    if (writeDefaultGrades(ctx_.folders))
        ctx_.ask().inform(QStringLiteral("初期化しました。　　"));
    else
        ctx_.ask().error(QStringLiteral("ファイルに書き込めませんでした：") + ctx_.folders.rebarGradeFile +
                         QStringLiteral("\n初期化は行いませんでした。"));
    // The table shows what the file now holds, so a later 登録 cannot write
    // the old rows back over the defaults unseen.
    loadGrid();
    editor_->beginEditAt(1, 1);
}

void GradeMasterWindow::reject() {
    if (confirmCancel(ctx_)) QDialog::reject();
}

void GradeMasterWindow::openKeyActions() {
    openKeyActionWindow(ctx_, this);
}

} // namespace k5
