#include "ui/gridedit/FieldNavigator.h"

#include "ui/gridedit/field_navigation.h"
#include "ui/gridedit/key_codes.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>

namespace k5 {
namespace {

enum class FieldKind { Text, List, Other };

FieldKind kindOf(const QObject* field) {
    if (qobject_cast<const QComboBox*>(field)) return FieldKind::List;
    if (qobject_cast<const QLineEdit*>(field) || qobject_cast<const QAbstractSpinBox*>(field))
        return FieldKind::Text;
    return FieldKind::Other;
}

} // namespace

FieldNavigator::FieldNavigator(QObject* parent) : QObject(parent) {}

void FieldNavigator::setFocusList(const QList<QWidget*>& fields, bool setTabOrder) {
    release();
    QWidget* previous = nullptr;
    for (QWidget* field : fields) {
        fields_.append(field);
        if (!field) continue;
        field->installEventFilter(this);
        if (setTabOrder && previous) QWidget::setTabOrder(previous, field);
        previous = field;
    }
}

void FieldNavigator::setRanges(const QList<Range>& ranges) {
    ranges_ = ranges;
    currentRange_ = 0;
}

void FieldNavigator::setCurrentRange(int index) {
    currentRange_ = index;
}

void FieldNavigator::followTabs(QTabWidget* tabs) {
    setCurrentRange(tabs->currentIndex());
    connect(tabs, &QTabWidget::currentChanged, this, &FieldNavigator::setCurrentRange);
}

FieldNavigator::Range FieldNavigator::range() const {
    if (currentRange_ >= 0 && currentRange_ < ranges_.size()) return ranges_[currentRange_];
    return {1, static_cast<int>(fields_.size())};
}

int FieldNavigator::placeOf(const QWidget* field) const {
    for (qsizetype i = 0; i < fields_.size(); ++i)
        if (field && fields_[i] == field) return static_cast<int>(i + 1);
    return 0;
}

QWidget* FieldNavigator::fieldAt(int place) const {
    return place >= 1 && place <= fields_.size() ? fields_[place - 1].data() : nullptr;
}

bool FieldNavigator::usable(int place) const {
    const QWidget* field = fieldAt(place);
    return field && field->isVisible() && field->isEnabled();
}

bool FieldNavigator::moveFieldFocus(int keyCode) {
    const Range r = range();
    std::optional<int> next =
        nextFieldPlace(keyCode, currentPlace_, r.first, r.last, [this](int place) { return usable(place); });
    if (!next) return false;
    currentPlace_ = *next;
    QWidget* field = fieldAt(currentPlace_);
    // A move by the keyboard: options and buttons show their focus mark as
    // they do after Tab (the style draws it only after a keyboard move).
    if (field) field->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    focusAndSelect(field);
    return true;
}

bool FieldNavigator::advanceFrom(QWidget* field) {
    const int place = placeOf(field);
    if (place == 0) return false;
    currentPlace_ = place;
    return moveFieldFocus(kKeyEnter);
}

void FieldNavigator::focusAndSelect(QWidget* field) {
    if (!field) return;
    field->setFocus(Qt::TabFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

void FieldNavigator::release() {
    for (const QPointer<QWidget>& field : fields_)
        if (field) field->removeEventFilter(this);
    fields_.clear();
}

bool FieldNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = legacyKeyCode(key->key());
    if (code == kKeyNone) return false;
    auto* field = static_cast<QWidget*>(watched);
    const FieldKind kind = kindOf(field);
    const bool arrow = code == kKeyUp || code == kKeyDown;
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    const bool alt = key->modifiers() & Qt::AltModifier;

    bool moves = false;
    if (kind == FieldKind::Text) moves = code == kKeyEnter || arrow;
    // With Shift held a list keeps its own key handling: Shift+↑/↓ choose an
    // item, Shift+Enter is only swallowed. Alt+↓ (and Alt+↑) open the list
    // as F4 does.
    if (kind == FieldKind::List) moves = !shift && !(alt && code == kKeyDown) && (code == kKeyEnter || arrow);
    if (moves) {
        if (auto* combo = qobject_cast<QComboBox*>(field); combo && arrow)
            combo->setCurrentIndex(listIndexAfterArrow(code, combo->currentIndex(), combo->count()));
        currentPlace_ = placeOf(field);
        moveFieldFocus(code);
        return true;
    }
    return swallowEnterEscape(code) == 0;
}

} // namespace k5
