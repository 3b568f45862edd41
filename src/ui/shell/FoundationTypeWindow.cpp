#include "ui/shell/FoundationTypeWindow.h"

#include "jobdata/foundation_record.h"
#include "shell/app_context.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k5 {

FoundationTypeWindow::FoundationTypeWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frm新規基礎タイプ指定"));
    setWindowTitle(QStringLiteral("新規作成基礎タイプの指定"));

    auto* frame = new QGroupBox(QStringLiteral("タイプの指定"), this);
    footing_ = new QRadioButton(QStringLiteral("独立フーチング基礎"), frame);
    footing_->setObjectName(QStringLiteral("Opt独直フーチング"));
    pileCap_ = new QRadioButton(QStringLiteral("杭基礎"), frame);
    pileCap_->setObjectName(QStringLiteral("Opt杭基礎"));
    auto* options = new QVBoxLayout(frame);
    options->addWidget(footing_);
    options->addWidget(pileCap_);
    footing_->setChecked(true);

    auto* create = new QPushButton(QStringLiteral("作成"), this);
    create->setObjectName(QStringLiteral("Cmd作成"));
    create->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("Cmd中止"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(create, &QPushButton::clicked, this, &FoundationTypeWindow::create);
    connect(cancel, &QPushButton::clicked, this, &FoundationTypeWindow::reject);
}

void FoundationTypeWindow::create() {
    if (footing_->isChecked())
        chosenType_ = kTypeIsolated;
    else if (pileCap_->isChecked())
        chosenType_ = kTypePileCap;
    result_ = 1;
    accept();
}

int askFoundationType(AppContext& ctx, QWidget* parent) {
    FoundationTypeWindow window(ctx, parent);
    window.exec();
    return window.typeDialogResult() == 1 ? window.chosenType() : 0;
}

} // namespace k5
