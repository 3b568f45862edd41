#include "shell/window_settings.h"

#include "platform/file_replace.h"
#include "platform/folders.h"
#include "platform/record_file.h"

#include <QFile>
#include <QStringList>

namespace k5 {
namespace {

const QString kMainWindowKey = QStringLiteral("mainWindow");

QString settingsFile(const Folders& folders) {
    return folders.masterFile(QStringLiteral("k5window.txt"));
}

} // namespace

std::optional<WindowSize> readMainWindowSize(const Folders& folders) {
    QFile file;
    if (!openRegularFile(file, settingsFile(folders))) return std::nullopt;
    // A few lines at most: anything longer is not our file.
    const QByteArray bytes = file.read(4096);
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(kMainWindowKey + u'=')) continue;
        const QStringList parts = trimmed.mid(kMainWindowKey.size() + 1).split(u'x');
        bool wOk = false, hOk = false;
        const int w = parts.value(0).toInt(&wOk), h = parts.value(1).toInt(&hOk);
        // A size no screen has is a damaged line, not a wish.
        if (parts.size() == 2 && wOk && hOk && w > 0 && h > 0 && w <= 20000 && h <= 20000)
            return WindowSize{w, h};
    }
    return std::nullopt;
}

bool saveMainWindowSize(const Folders& folders, WindowSize size) {
    const QByteArray line =
        (kMainWindowKey + QStringLiteral("=%1x%2\n").arg(size.width).arg(size.height)).toUtf8();
    return replaceFile(settingsFile(folders), {line});
}

} // namespace k5
