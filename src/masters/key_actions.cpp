#include "masters/key_actions.h"

#include "jobdata/control_file.h"
#include "platform/file_replace.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace k5 {

KeyActions keyActionsOf(const ControlSettings& control) {
    const auto& k = control.keyAction;
    return {k[kWrapLeftToPreviousRow] == 1, k[kWrapUpToLastRow] == 1, k[kWrapDownToFirstRow] == 1,
            k[kVerticalToColumnOne] == 1};
}

QString keyActionFilePath(const Folders& folders) {
    return folders.masterFolder + QStringLiteral("/keyact.k5d");
}

void ensureKeyActionFile(const Folders& folders, ControlSettings& control) {
    const QString path = keyActionFilePath(folders);
    QFileInfo info(path);
    if (info.exists() && info.size() > 0) return;
    QFile::remove(path);
    for (int i : {kWrapLeftToPreviousRow, kWrapUpToLastRow, kWrapDownToFirstRow})
        control.keyAction[i] = 0;
    saveKeyActions(folders, control);
}

void loadKeyActions(const Folders& folders, ControlSettings& control) {
    const QString path = keyActionFilePath(folders);
    QFileInfo info(path);
    if (!info.exists() || info.size() == 0) {
        ensureKeyActionFile(folders, control);
        return;
    }
    QFile file;
    if (!openRegularFile(file, path)) return;
    // Three numbers in order, separated by blanks, line breaks or commas; a
    // number missing at the end of a damaged file reads as 0.
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList items = QString::fromLatin1(file.readAll()).split(separators, Qt::SkipEmptyParts);
    const int order[] = {kWrapLeftToPreviousRow, kWrapUpToLastRow, kWrapDownToFirstRow};
    for (int i = 0; i < 3; ++i) {
        double value = i < items.size() ? parseLeadingNumber(items[i]) : 0.0;
        control.keyAction[order[i]] = fitsInt16(value) ? static_cast<int>(cInt(value)) : 0;
    }
}

bool saveKeyActions(const Folders& folders, const ControlSettings& control) {
    QByteArray text;
    for (int i : {kWrapLeftToPreviousRow, kWrapUpToLastRow, kWrapDownToFirstRow}) {
        int value = control.keyAction[i];
        // A number is written after the blank that stands for its sign.
        text += (value < 0 ? QByteArray() : QByteArray(" ")) + QByteArray::number(value) + "\r\n";
    }
    return replaceFile(keyActionFilePath(folders), {text});
}

} // namespace k5
