#include "ui/input/FormKit.h"

#include "input/field_limits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QValidator>

#include <memory>

namespace k5 {
namespace {

// Accepts a text only when the job can store it as it is.
class StoredTextValidator : public QValidator {
  public:
    StoredTextValidator(const QString& caption, int maxBytes, QObject* parent)
        : QValidator(parent), caption_(caption), maxBytes_(maxBytes) {}

    State validate(QString& input, int&) const override {
        problem_ = textProblem(input, caption_, maxBytes_);
        return problem_.isEmpty() ? Acceptable : Invalid;
    }
    const QString& problem() const { return problem_; }

  private:
    QString caption_;
    int maxBytes_;
    mutable QString problem_; // why the last refused text was refused
};

class ButtonEnterFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->isEnabled() || !button->isVisible()) return false;
        button->click();
        return true;
    }
};

} // namespace

void limitText(QLineEdit* field, const QString& caption, int maxBytes) {
    auto* validator = new StoredTextValidator(caption, maxBytes, field);
    field->setValidator(validator);
    // The reason is shown once for a run of refused keys (a full field
    // refuses every key that follows); each refused key still beeps.
    auto told = std::make_shared<QString>();
    QObject::connect(field, &QLineEdit::textChanged, field, [told] { told->clear(); });
    QObject::connect(field, &QLineEdit::inputRejected, field, [field, validator, told] {
        const QString& problem = validator->problem();
        if (problem.isEmpty()) return;
        QApplication::beep();
        if (problem == *told) return;
        *told = problem;
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), problem, field);
    });
}

void pressButtonsWithEnter() {
    auto* app = QCoreApplication::instance();
    if (!app || app->property("k5ButtonEnter").toBool()) return;
    app->setProperty("k5ButtonEnter", true);
    app->installEventFilter(new ButtonEnterFilter(app));
}

} // namespace k5
