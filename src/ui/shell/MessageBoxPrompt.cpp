#include "ui/shell/MessageBoxPrompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace k5 {
namespace {

QMessageBox::StandardButton standardButton(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Further:
        break;
    }
    return QMessageBox::NoButton;
}

} // namespace

Answer MessageBoxPrompt::showOffering(const Message& message, const QString& further) {
    // Over the window in hand, so the box is centred on it and stays on top.
    QWidget* parent = parent_ ? parent_ : QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(message.title);
    box.setText(message.text);
    switch (message.icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    switch (message.buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // The button captions a Japanese desktop shows; the toolkit's own are English.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Ok, QStringLiteral("OK")},
        {QMessageBox::Cancel, QStringLiteral("キャンセル")},
        {QMessageBox::Yes, QStringLiteral("はい(&Y)")},
        {QMessageBox::No, QStringLiteral("いいえ(&N)")},
    };
    for (const auto& [standard, caption] : captions)
        if (QAbstractButton* b = box.button(standard)) b->setText(caption);
    if (message.defaultButton) box.setDefaultButton(standardButton(*message.defaultButton));
    QAbstractButton* furtherButton =
        further.isEmpty() ? nullptr : box.addButton(further, QMessageBox::ActionRole);
    if (furtherButton) furtherButton->setObjectName(QStringLiteral("cmdFurther"));
    const int answer = box.exec();
    if (furtherButton && box.clickedButton() == furtherButton) return Answer::Further;
    switch (answer) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

} // namespace k5
