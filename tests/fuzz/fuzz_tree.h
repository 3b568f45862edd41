#pragma once
// A KMD tree of its own for a fuzz target, made once per process, with the
// masters the calculation reads.
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/grade_master.h"
#include "platform/folders.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fuzz {

// On a RAM file system when there is one: every input writes and renames job
// files, and on a disk file system a rename over a file may wait for the new
// data to reach the disk.
inline QString scratchTemplate() {
    const QString ram = QStringLiteral("/dev/shm");
    return QDir(ram).exists() ? ram + QStringLiteral("/k5fuzz-XXXXXX")
                              : QDir::tempPath() + QStringLiteral("/k5fuzz-XXXXXX");
}

inline const k5::Folders& folders() {
    static QTemporaryDir dir(scratchTemplate());
    static const k5::Folders f = [] {
        const QString kmd = dir.path() + QStringLiteral("/KMD");
        for (const char* sub : {"MAS", "K5/PRG", "K5/DAT", "K5/保存データ"})
            QDir().mkpath(kmd + u'/' + QString::fromUtf8(sub));
        k5::Folders folders = k5::Folders::forTree(kmd);
        k5::ensureGradeFile(folders);
        k5::ensureBarSizeFile(folders, QStringLiteral("D"));
        k5::ensureBarSizeFile(folders, QStringLiteral("R"));
        k5::ensureConcreteFile(folders);
        return folders;
    }();
    return f;
}

inline void write(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

} // namespace fuzz
