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

} // namespace k5
