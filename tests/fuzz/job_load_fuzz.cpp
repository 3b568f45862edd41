// Any bytes as the job file: loading (format check, every upgrade) and the
// calculation run must refuse or succeed, never crash, hang or trip a
// sanitizer. The same load decides whether an archive's job may replace the
// current one, so its refusals must hold: an oldest-format job cut inside a
// record is refused whole and kept, never converted without its tail. A
// reading run's load (nothing written back) must leave every file as it was
// and see the very records the writing load then makes of the file.
#include "calc/calculation.h"
#include "fuzz_tree.h"
#include "jobdata/format_conversion.h"
#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "jobdata/job_state.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const k5::Folders& f = fuzz::folders();
    // The first byte chooses the current job file or the oldest format's.
    const bool oldest = size > 0 && (data[0] & 1);
    // Each input starts from an empty data folder: backups kept by earlier
    // upgrades and the growing trace would otherwise slow every later input.
    QDir dataFolder(f.dataFolder);
    for (const QString& name : dataFolder.entryList(QDir::Files | QDir::Hidden))
        dataFolder.remove(name);
    fuzz::write(oldest ? f.oldJobFile() : f.jobFile(), data + (size > 0), size > 0 ? size - 1 : 0);

    k5::JobLoadHooks hooks;
    k5::installFormatConversion(hooks);
    QList<k5::FoundationRecord> seen, made;
    const auto into = [](QList<k5::FoundationRecord>& records) {
        return [&records](int, const k5::FoundationRecord& record) { records.append(record); };
    };
    const auto contents = [&dataFolder] {
        QStringList state;
        for (const QString& name : dataFolder.entryList(QDir::Files | QDir::Hidden)) {
            QFile file(dataFolder.filePath(name));
            state << name
                  << QString::fromLatin1(file.open(QIODevice::ReadOnly) ? file.readAll().toHex() : "?");
        }
        return state;
    };
    const QStringList before = contents();
    // As a reading run starts: no trace file, nothing written back.
    k5::Folders readingFolders = f;
    readingFolders.traceFile.clear();
    k5::JobState reading;
    hooks.writeBack = false;
    const k5::Outcome read = k5::loadJob(readingFolders, reading, hooks, into(seen));
    if (contents() != before) std::abort();

    k5::JobState job;
    hooks.writeBack = true;
    const k5::Outcome loaded = k5::loadJob(f, job, hooks, into(made));
    if (read.ok != loaded.ok) std::abort();
    if (loaded.ok && seen.size() != made.size()) std::abort();
    for (qsizetype i = 0; loaded.ok && i < seen.size(); ++i)
        if (k5::encodeRecord(seen[i]) != k5::encodeRecord(made[i])) std::abort();
    const size_t stored = size > 0 ? size - 1 : 0;
    if (oldest && stored % k5::old_format::kLength00 != 0) {
        QFile kept(f.oldJobFile());
        if (loaded.ok || QFile::exists(f.jobFile()) || !kept.open(QIODevice::ReadOnly) ||
            kept.readAll() !=
                QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(stored)))
            std::abort();
    }
    if (!loaded) return 0;
    k5::CalcCounters counts;
    k5::calculateJob(f, counts);

    return 0;
}
