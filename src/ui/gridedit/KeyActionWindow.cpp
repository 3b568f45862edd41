#include "ui/gridedit/KeyActionWindow.h"

#include "masters/key_actions.h"
#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"
#include "ui/gridedit/GridEditor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k5 {
namespace {

constexpr int kTestSize = 7;

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

KeyActionWindow::KeyActionWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmキーアクション設定"));
    setWindowTitle(QStringLiteral("キーアクションの設定"));

    grid_ = new QTableWidget(kTestSize, kTestSize, this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    QStringList headings;
    for (int c = 1; c <= kTestSize; ++c)
        headings << QStringLiteral("項目%1").arg(c);
    grid_->setHorizontalHeaderLabels(headings);
    grid_->horizontalHeader()->setDefaultSectionSize(56);
    grid_->verticalHeader()->setDefaultSectionSize(26);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int gridWidth =
        grid_->verticalHeader()->sizeHint().width() + 56 * kTestSize + 2 * grid_->frameWidth();
    const int gridHeight =
        grid_->horizontalHeader()->sizeHint().height() + 26 * kTestSize + 2 * grid_->frameWidth();
    grid_->setFixedSize(gridWidth, gridHeight);
    editor_ = new GridEditor(ctx_, grid_);

    auto* left = new QVBoxLayout;
    left->addWidget(grid_);
    left->addWidget(wrappedLabel(QStringLiteral("左の入力グリッドは、テスト用のものです。"), this));
    left->addWidget(wrappedLabel(
        QStringLiteral(
            "<←>，<→>，<↑>，<↓>，<Enter>キーを操作し、設定内容を左のテストエリアで確認してください。"),
        this));
    left->addStretch();

    switches_ = new QVBoxLayout;
    leftWrapsToPreviousRow_ =
        addSwitch(QStringLiteral("Check_saikoubi"), QStringLiteral("■ 行の先頭で<←>キーが押された時の処理"),
                  QStringLiteral("チェックをした場合、入力項目ポイントを前の行の最後尾に移します。"),
                  QStringLiteral("チェックをしない場合、入力項目ポイントは前の行の先頭の項目になります。"),
                  kWrapLeftToPreviousRow);
    upWrapsToLastRow_ =
        addSwitch(QStringLiteral("Check_modoriroop"), QStringLiteral("■ １行目で↑キーが押された時の処理"),
                  QStringLiteral("チェックをした場合、入力行を最終行に移動する。"),
                  QStringLiteral("チェックをしない場合、入力行は1行目のまま動きません。"), kWrapUpToLastRow);
    downWrapsToFirstRow_ = addSwitch(
        QStringLiteral("Check_susumiloop"), QStringLiteral("■ 最終行で<↓>キーが押された時の処理"),
        QStringLiteral("チェックされている場合、入力行は1行目に移動します。"),
        QStringLiteral("チェックされていない場合、入力行は最終行のまま変わりません。"), kWrapDownToFirstRow);
    switches_->addWidget(
        wrappedLabel(QStringLiteral("▼<→>キーと<Enter>は、同じ動作をします▼右端で<→>または<Enter>を"
                                    "クリックすると入力ポイントは次の行の先頭項目なります。"),
                     this));
    switches_->addStretch();

    auto* ok = new QPushButton(QStringLiteral("登録"), this);
    ok->setObjectName(QStringLiteral("登録"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("キャンセル"));
    for (QPushButton* b : {ok, cancel})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(12);
    top->addLayout(switches_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(1000, sizeHint().height());

    connect(ok, &QPushButton::clicked, this, &KeyActionWindow::registerSettings);
    connect(cancel, &QPushButton::clicked, this, &KeyActionWindow::reject);
}

QCheckBox* KeyActionWindow::addSwitch(const QString& name, const QString& heading, const QString& on,
                                      const QString& off, int setting) {
    auto* box = new QCheckBox(this);
    box->setObjectName(name);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(wrappedLabel(heading, this));
    texts->addWidget(wrappedLabel(on, this));
    texts->addWidget(wrappedLabel(off, this));
    auto* row = new QHBoxLayout;
    row->addWidget(box, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    switches_->addLayout(row);
    switches_->addSpacing(8);

    // A switch takes effect at once, so it can be tried on the test grid;
    // editing then continues where it was, which gives the grid the focus back.
    connect(box, &QCheckBox::toggled, this, [this, setting](bool checked) {
        ctx_.control.keyAction[setting] = checked ? 1 : 0;
        const GridCell target = editor_->targetCell();
        if (target.col >= 1 && target.row >= 1) editor_->beginEdit();
    });
    return box;
}

void KeyActionWindow::showSettings() {
    leftWrapsToPreviousRow_->setChecked(ctx_.control.keyAction[kWrapLeftToPreviousRow] == 1);
    upWrapsToLastRow_->setChecked(ctx_.control.keyAction[kWrapUpToLastRow] == 1);
    downWrapsToFirstRow_->setChecked(ctx_.control.keyAction[kWrapDownToFirstRow] == 1);
}

void KeyActionWindow::activate() {
    editor_->activate(); // reads the key-action file
    showSettings();
}

void KeyActionWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void KeyActionWindow::registerSettings() {
    ctx_.control.keyAction[kWrapLeftToPreviousRow] = leftWrapsToPreviousRow_->isChecked() ? 1 : 0;
    ctx_.control.keyAction[kWrapUpToLastRow] = upWrapsToLastRow_->isChecked() ? 1 : 0;
    ctx_.control.keyAction[kWrapDownToFirstRow] = downWrapsToFirstRow_->isChecked() ? 1 : 0;
    if (!saveKeyActions(ctx_.folders, ctx_.control)) {
        ctx_.ask().error(QStringLiteral("キーアクションの設定を保存できませんでした。\n\n") +
                         keyActionFilePath(ctx_.folders));
        return;
    }
    accept();
}

void KeyActionWindow::reject() {
    if (confirmCancel(ctx_)) QDialog::reject();
}

void runKeyActionWindow(AppContext& ctx, QWidget* parent) {
    KeyActionWindow window(ctx, parent);
    window.exec();
}

} // namespace k5
