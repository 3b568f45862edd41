#include "temp_tree.h"

#include "masters/bar_size_master.h"
#include "masters/grade_master.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace k5test {

TempTree::TempTree() {
    // Start-up finds its folders by the first "PRG" and "KMD" in a path; a
    // random temporary name holding either would move the tree.
    do {
        root_ = std::make_unique<QTemporaryDir>();
    } while (root_->path().contains(QStringLiteral("prg"), Qt::CaseInsensitive) ||
             root_->path().contains(QStringLiteral("kmd"), Qt::CaseInsensitive));
    QDir().mkpath(kmd() + QStringLiteral("/MAS"));
    for (const char* sub : {"PRG", "DAT", "保存データ"})
        QDir().mkpath(kmd() + QStringLiteral("/K5/") + QString::fromUtf8(sub));
    ctx.folders = k5::Folders::forTree(kmd());
    ctx.prompt = &prompt;
}

void ensureRebarMasters(k5::AppContext& ctx) {
    k5::ensureGradeFile(ctx.folders);
    k5::ensureBarSizeFile(ctx.folders, QStringLiteral("D"));
    k5::ensureBarSizeFile(ctx.folders, QStringLiteral("R"));
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

qint64 fileSize(const QString& path) {
    return QFileInfo(path).size();
}

QStringList scratchLeftIn(const QString& folder) {
    QStringList left;
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (name.startsWith(QStringLiteral(".k5")) || name.endsWith(QStringLiteral("_dum"))) left << name;
    return left;
}

} // namespace k5test
