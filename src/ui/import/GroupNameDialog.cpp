#include "ui/import/GroupNameDialog.h"

#include "platform/cp932.h"
#include "platform/fixed_text.h"
#include "shell/app_context.h"
#include "ui/input/FormKit.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace k5 {

GroupNameDialog::GroupNameDialog(AppContext& ctx, int presetType, QWidget* parent, const QString& presetName)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmRX2基礎名の入力"));
    setWindowTitle(QStringLiteral("基礎名・基礎タイプ"));

    auto* layout = new QVBoxLayout(this);
    int line = 0;
    for (const QString& text :
         {QStringLiteral("基礎名を入力し、基礎タイプを指定てください"),
          QStringLiteral("入力された基礎名と同じものが、既に他の基礎で使用されている場合は、"),
          QStringLiteral("当該基礎は、その基礎と同じｸﾞﾙｰﾌﾟとして認識されます。")}) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("Label説明%1").arg(++line));
        layout->addWidget(label);
    }
    layout->addSpacing(8);

    auto* nameRow = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("基礎名"), this);
    caption->setObjectName(QStringLiteral("Label基礎名"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("Text基礎名"));
    name_->setToolTip(
        QStringLiteral("半角%1文字（全角%2文字）まで").arg(kDesignNameBytes).arg(kDesignNameBytes / 2));
    name_->setMinimumWidth(180);
    caption->setBuddy(name_);
    nameRow->addWidget(caption);
    nameRow->addWidget(name_);
    nameRow->addStretch();
    layout->addLayout(nameRow);

    auto* frame = new QGroupBox(QStringLiteral("基礎のタイプ"), this);
    frame->setObjectName(QStringLiteral("Frame基礎のタイプ"));
    footing_ = new QRadioButton(QStringLiteral("直接基礎"), frame);
    footing_->setObjectName(QStringLiteral("Option直接基礎"));
    pileCap_ = new QRadioButton(QStringLiteral("杭基礎"), frame);
    pileCap_->setObjectName(QStringLiteral("Option杭基礎"));
    auto* options = new QHBoxLayout(frame);
    options->addWidget(footing_);
    options->addWidget(pileCap_);
    options->addStretch();
    (presetType == kTypePileCap ? pileCap_ : footing_)->setChecked(true);
    layout->addWidget(frame);

    auto* ok = new QPushButton(QStringLiteral("登録"), this);
    ok->setObjectName(QStringLiteral("cmd登録"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cmdキャンセル"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    // A full field says so (once) instead of swallowing keys silently.
    limitText(name_, QStringLiteral("基礎名"), kDesignNameBytes);
    name_->setText(presetName);
    name_->selectAll();
    connect(ok, &QPushButton::clicked, this, &GroupNameDialog::registerName);
    connect(cancel, &QPushButton::clicked, this, &GroupNameDialog::reject);
    name_->setFocus();
}

void GroupNameDialog::registerName() {
    const QString name = trimBlanks(name_->text());
    const QString problem = designNameProblem(name);
    if (!problem.isEmpty()) {
        ctx_.ask().warn(problem);
        name_->setFocus();
        return;
    }
    // The name as it is stored, so that it meets the stored names of its group.
    answer_ = {withCp932Twins(name), pileCap_->isChecked() ? kTypePileCap : kTypeIsolated};
    accept();
}

GroupName askGroupName(AppContext& ctx, int presetType, QWidget* parent, const QString& presetName) {
    GroupNameDialog dialog(ctx, presetType, parent, presetName);
    dialog.exec();
    return dialog.answer();
}

} // namespace k5
