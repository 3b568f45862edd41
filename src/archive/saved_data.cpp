#include "archive/saved_data.h"

#include "platform/file_replace.h"
#include "platform/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

QString failure(const QString& name, const QString& reason) {
    return name + QStringLiteral("（") + reason + QStringLiteral("）");
}

// Compares two files in blocks, so large archives need little memory.
bool sameContents(const QString& a, const QString& b) {
    QFile fa, fb;
    if (!openRegularFile(fa, a) || !openRegularFile(fb, b)) return false;
    if (fa.size() != fb.size()) return false;
    constexpr qint64 kBlock = 1 << 16;
    while (!fa.atEnd()) {
        if (fa.read(kBlock) != fb.read(kBlock)) return false;
    }
    return true;
}

// Copies one file into `to` as `name`: the copy is complete and equal to its
// source before it takes the name (and replaces a file of that name).
QString copyOne(const QString& source, const QString& to, const QString& name) {
    const QString target = to + u'/' + name;
    if (QFileInfo(target).isDir()) return QStringLiteral("同じ名前のホルダがあります");
    if (!isReplaceableTarget(target)) return QStringLiteral("同じ名前のファイルでないものがあります");
    ScratchFile scratch(target);
    if (!scratch.isOpen()) return QStringLiteral("書き込めません：") + scratch.errorString();
    QFile in;
    if (!openRegularFile(in, source)) return QStringLiteral("読めません：") + source;
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty() && in.error() != QFileDevice::NoError)
            return QStringLiteral("読めません：") + in.errorString();
        if (!writeBytes(scratch.file(), block))
            return QStringLiteral("書き込めません：") + scratch.file().errorString();
    }
    if (!scratch.file().flush()) return QStringLiteral("書き込めません：") + scratch.file().errorString();
    if (!sameContents(source, scratch.path())) return QStringLiteral("コピーが元と一致しません");
    QFile::setPermissions(scratch.path(), QFileInfo(source).permissions());
    if (!renameOver(scratch.path(), target)) return QStringLiteral("置き換えられません");
    scratch.keep();
    return {};
}

} // namespace

QStringList archivesIn(const QString& folder) {
    QStringList names;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : entries)
        if (e.fileName().endsWith(QStringLiteral(".lzh"), Qt::CaseInsensitive)) names << e.fileName();
    return names;
}

bool isSameFolder(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (ca.isEmpty() || cb.isEmpty()) return QDir::cleanPath(a) == QDir::cleanPath(b);
    return ca == cb;
}

FileBatch deleteArchives(const QString& folder, const QStringList& names) {
    FileBatch batch;
    for (const QString& name : names) {
        QFile file(QDir(folder).filePath(name));
        if (!file.exists())
            batch.failed << failure(name, QStringLiteral("見つかりません"));
        else if (file.remove())
            batch.done << name;
        else
            batch.failed << failure(name, file.errorString());
    }
    return batch;
}

FileBatch copyArchives(const QString& from, const QString& to, const QStringList& names, bool move) {
    FileBatch batch;
    // A copy onto itself followed by the delete of a move would lose the file.
    if (isSameFolder(from, to)) {
        for (const QString& name : names)
            batch.failed << failure(name, QStringLiteral("移動元と移動先が同じホルダです"));
        return batch;
    }
    for (const QString& name : names) {
        const QString source = QDir(from).filePath(name);
        if (!QFileInfo(source).isFile()) {
            batch.failed << failure(name, QStringLiteral("見つかりません"));
            continue;
        }
        const QString problem = copyOne(source, to, name);
        if (!problem.isEmpty()) {
            batch.failed << failure(name, problem);
            continue;
        }
        QFile original(source);
        if (move && !original.remove()) {
            batch.failed << failure(name, QStringLiteral("コピーしましたが元のデータを削除できません：") +
                                              original.errorString());
            continue;
        }
        batch.done << name;
    }
    return batch;
}

QString createSubfolder(const QString& parent, const QString& answer) {
    const QString name = answer.trimmed();
    if (name.isEmpty()) return QStringLiteral("ホルダ名が入力されていません。");
    if (name.contains(u'/') || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return QStringLiteral("ホルダ名に「/」「.」「..」は使えません。");
    const QString path = QDir(parent).filePath(name);
    if (QFileInfo::exists(path))
        return QStringLiteral("同じ名前のホルダまたはファイルがすでにあります。\n") + path;
    if (!QDir(parent).mkdir(name)) return QStringLiteral("ホルダを作成できませんでした。\n") + path;
    return {};
}

} // namespace k5
