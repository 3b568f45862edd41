#include "shell/window_settings.h"

#include "platform/file_replace.h"
#include "platform/folders.h"
#include "platform/record_file.h"

#include <QFile>
#include <QList>
#include <QStringList>

namespace k5 {
namespace {

const QString kMainWindowKey = QStringLiteral("mainWindow");
const QString kSaveFolderKey = QStringLiteral("saveFolder");

QString settingsFile(const Folders& folders) {
    return folders.masterFile(QStringLiteral("k5window.txt"));
}

using Settings = QList<std::pair<QString, QString>>;

Settings readSettings(const Folders& folders) {
    Settings settings;
    QFile file;
    if (!openRegularFile(file, settingsFile(folders))) return settings;
    // A few lines at most: anything longer is not our file.
    const QByteArray bytes = file.read(16384);
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) continue;
        QString value = line.mid(equals + 1);
        if (value.endsWith(u'\r')) value.chop(1);
        settings.append({line.left(equals).trimmed(), value});
    }
    return settings;
}

QString setting(const Folders& folders, const QString& key) {
    for (const auto& [k, value] : readSettings(folders))
        if (k == key) return value;
    return {};
}

// The file rewritten with `key` set to `value`, the other lines kept.
bool saveSetting(const Folders& folders, const QString& key, const QString& value) {
    QByteArray bytes;
    bool written = false;
    for (const auto& [k, v] : readSettings(folders)) {
        const bool replaced = k == key;
        if (replaced && written) continue;
        bytes += (k + u'=' + (replaced ? value : v) + u'\n').toUtf8();
        written = written || replaced;
    }
    if (!written) bytes += (key + u'=' + value + u'\n').toUtf8();
    return replaceFile(settingsFile(folders), {bytes});
}

} // namespace

std::optional<WindowSize> readMainWindowSize(const Folders& folders) {
    const QStringList parts = setting(folders, kMainWindowKey).split(u'x');
    bool wOk = false, hOk = false;
    const int w = parts.value(0).toInt(&wOk), h = parts.value(1).toInt(&hOk);
    // A size no screen has is a damaged line, not a wish.
    if (parts.size() == 2 && wOk && hOk && w > 0 && h > 0 && w <= 20000 && h <= 20000)
        return WindowSize{w, h};
    return std::nullopt;
}

bool saveMainWindowSize(const Folders& folders, WindowSize size) {
    return saveSetting(folders, kMainWindowKey, QStringLiteral("%1x%2").arg(size.width).arg(size.height));
}

QString readLastSaveFolder(const Folders& folders) {
    return setting(folders, kSaveFolderKey);
}

bool saveLastSaveFolder(const Folders& folders, const QString& folder) {
    // One line per setting: a folder name with a line break is not kept.
    if (folder.contains(u'\n') || folder.contains(u'\r')) return false;
    return saveSetting(folders, kSaveFolderKey, folder);
}

} // namespace k5
