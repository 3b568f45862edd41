#include "ui/shell/CancelSettingWindow.h"

#include "shell/app_context.h"
#include "shell/cancel_confirmation.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k5 {

CancelSettingWindow::CancelSettingWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmキャンセル時指定"));
    setWindowTitle(QStringLiteral("キャンセル時設定"));

    ask_ = new QRadioButton(QStringLiteral("キャンセル時に確認メッセージを表示する"), this);
    ask_->setObjectName(QStringLiteral("Optキャンセル表示する"));
    dontAsk_ = new QRadioButton(QStringLiteral("キャンセル時に確認メッセージを表示しない"), this);
    dontAsk_->setObjectName(QStringLiteral("Optキャンセル表示しない"));

    auto* ok = new QPushButton(QStringLiteral("登録"), this);
    ok->setObjectName(QStringLiteral("登録"));
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("キャンセル"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ask_);
    layout->addWidget(dontAsk_);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    (loadCancelConfirm(ctx_) == 1 ? ask_ : dontAsk_)->setChecked(true);
    connect(ok, &QPushButton::clicked, this, &CancelSettingWindow::registerChoice);
    connect(cancel, &QPushButton::clicked, this, &CancelSettingWindow::reject);
}

void CancelSettingWindow::registerChoice() {
    if (saveCancelConfirm(ctx_, ask_->isChecked() ? 1 : 0)) accept();
}

void CancelSettingWindow::reject() {
    if (confirmCancel(ctx_)) QDialog::reject();
}

void runCancelSettingWindow(AppContext& ctx, QWidget* parent) {
    CancelSettingWindow window(ctx, parent);
    window.exec();
}

} // namespace k5
