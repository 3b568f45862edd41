#include "input/rebar_lists.h"

#include "masters/bar_size_master.h"
#include "platform/fixed_text.h"

namespace k5 {

QString barKindOfGrade(const QString& grade) {
    return grade.contains(QStringLiteral("SD")) ? QStringLiteral("D") : QStringLiteral("R");
}

int chooseListItem(const QStringList& items, QString& stored) {
    if (stored == QStringLiteral("no")) {
        if (items.isEmpty()) return -1;
        stored = trimBlanks(items.first());
        return 0;
    }
    return findListIndex(items, stored);
}

bool listHolds(const QStringList& items, const QString& stored) {
    const QString wanted = trimBlanks(stored);
    if (wanted.isEmpty() || wanted == QStringLiteral("no")) return true;
    for (const QString& item : items)
        if (trimBlanks(item) == wanted) return true;
    return false;
}

QString notInMasterNote(const QString& what, const QString& stored, const QString& shown) {
    return what + QStringLiteral("「") + trimBlanks(stored) + QStringLiteral("」はマスターにないため、「") +
           trimBlanks(shown) + QStringLiteral("」を表示しています（記録すると表示中のものになります）。");
}

} // namespace k5
