#include "shell/row_range.h"

#include "platform/prompt.h"

#include <utility>

namespace k5 {
namespace {

const QString kTail = QStringLiteral("　　　");

QString question(int first, int last, const QString& action) {
    QString text = first == last ? QString::number(first) + QStringLiteral("行目のデータを")
                                 : QString::number(first) + QStringLiteral("行目から") +
                                       QString::number(last) + QStringLiteral("行目のデータを");
    return text + action + QStringLiteral("します") + kTail;
}

// Releasing rows from a group undoes naming work, so it is asked with a warning.
bool isGroupRelease(const QString& action) {
    return action.contains(QStringLiteral("グループ")) && action.contains(QStringLiteral("解除"));
}

} // namespace

bool confirmRowRange(Prompt& prompt, int& first, int& last, int rowCount, const QString& action) {
    const bool asking = !action.isEmpty();
    if (first == 0) {
        if (asking) prompt.warn(action + QStringLiteral("する範囲が選択されていません") + kTail);
        first = last = 0;
        return false;
    }
    if (first < 1 || first > rowCount) {
        if (asking) prompt.error(action + QStringLiteral("する範囲の指定が不正です") + kTail);
        first = last = 0;
        return false;
    }
    if (last > rowCount || last < 0) return false;
    if (last == 0) last = first;
    if (last < first) std::swap(first, last);
    if (!asking) return true;

    QString text = question(first, last, action);
    if (isGroupRelease(action)) {
        text += QStringLiteral("\n\nグループの解除は十分な確認の上、行ってください") + kTail +
                QStringLiteral("\n解除してもいいですか？") + kTail;
        return prompt.askOkCancel(text, Icon::Warning);
    }
    text += QStringLiteral("\nいいですか？") + kTail;
    return prompt.askOkCancel(text, Icon::Information);
}

} // namespace k5
