#pragma once
#include "platform/prompt.h"

class QWidget;

namespace k5 {

// The GUI's prompt: a modal QMessageBox with the given icon and buttons.
class MessageBoxPrompt : public Prompt {
  public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    Answer show(const Message& message) override { return showOffering(message, {}); }
    Answer showOffering(const Message& message, const QString& further) override;
    void setParent(QWidget* parent) { parent_ = parent; }

  private:
    QWidget* parent_;
};

} // namespace k5
