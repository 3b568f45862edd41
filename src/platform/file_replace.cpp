#include "platform/file_replace.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cstdio>

namespace k5 {
namespace {

std::atomic<int> stepsTaken{0};
std::atomic<int> failingStep{0};

// Counts one step; true when it is the one chosen to fail.
bool stepFails() {
    const int step = ++stepsTaken;
    return step == failingStep.load();
}

} // namespace

namespace write_faults {

void failStep(int k) {
    stepsTaken = 0;
    failingStep = k;
}

int steps() {
    return stepsTaken;
}

} // namespace write_faults

QString scratchPathFor(const QString& path) {
    return path + QStringLiteral("_dum");
}

bool writeBytes(QFile& file, const char* data, qint64 size) {
    if (stepFails()) return false;
    return file.write(data, size) == size;
}

bool writeBytes(QFile& file, const QByteArray& bytes) {
    return writeBytes(file, bytes.constData(), bytes.size());
}

bool closeWritten(QFile& file) {
    const bool flushed = file.flush();
    file.close();
    return flushed && file.error() == QFileDevice::NoError;
}

bool renameOver(const QString& from, const QString& to) {
    if (stepFails()) return false;
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool commitScratch(const QString& scratch, const QString& path) {
    const QFileInfo old(path);
    if (old.exists()) {
        if (!old.isWritable()) return false;
        QFile::setPermissions(scratch, old.permissions());
    }
    return renameOver(scratch, path);
}

bool replaceFile(const QString& path, const QList<QByteArray>& chunks) {
    const QString scratch = scratchPathFor(path);
    QFile file(scratch);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    bool written = true;
    for (const QByteArray& chunk : chunks)
        if (!(written = writeBytes(file, chunk))) break;
    written = closeWritten(file) && written;
    if (written && commitScratch(scratch, path)) return true;
    QFile::remove(scratch);
    return false;
}

bool replaceLeadingRecords(const QString& path, int recordLength, const QList<QByteArray>& records) {
    QByteArray content;
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) return false;
        content = old.readAll();
        old.close();
    }
    const qsizetype covered = static_cast<qsizetype>(records.size()) * recordLength;
    if (content.size() < covered) content.resize(covered, '\0');
    for (qsizetype i = 0; i < records.size(); ++i)
        content.replace(i * recordLength, recordLength, records[i]);
    return replaceFile(path, {content});
}

} // namespace k5
