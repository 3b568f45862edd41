#include "jobdata/job_file.h"

#include "jobdata/job_identity_file.h"
#include "jobdata/job_state.h"
#include "jobdata/record_layout.h"
#include "platform/file_replace.h"
#include "platform/fixed_text.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/record_file.h"

#include <QFile>
#include <QFileInfo>

namespace k5 {
namespace {

constexpr int kLength = FoundationRecord::kLength;

int unitSystemOf(float stored) {
    return cInt(stored) == 1 ? 1 : 2;
}

QList<QByteArray> readAll(const QString& path) {
    QList<QByteArray> records;
    RecordFile file(path, kLength);
    if (!QFileInfo::exists(path) || !file.openReadOnly()) return records;
    int count = file.count();
    records.reserve(count);
    for (int n = 1; n <= count; ++n)
        records.append(file.read(n));
    return records;
}

// Replaces the job file by its content with record n of each (n, bytes)
// written over; a record past the end extends the file (records skipped over
// read back as zeros and blanks, like a fresh record), and a trailing part
// record stays as it was.
bool patchRecords(const QString& path, const QList<std::pair<int, QByteArray>>& records) {
    QByteArray content;
    if (QFileInfo::exists(path)) {
        const std::optional<QByteArray> old = readRegularFile(path);
        if (!old) return false;
        content = *old;
    }
    for (const auto& [n, bytes] : records) {
        if (n < 1) return false;
        const qsizetype at = static_cast<qsizetype>(n - 1) * kLength;
        if (content.size() < at + kLength) content.resize(at + kLength, '\0');
        content.replace(at, kLength, bytes);
    }
    return replaceFile(path, {content});
}

// A job file that exists without a record takes the identity kept beside
// it; false when there is none (or it cannot be read).
bool takeKeptIdentity(const Folders& folders, JobState& job) {
    if (!QFileInfo::exists(folders.jobFile())) return false;
    const std::optional<JobIdentity> kept = readJobIdentityFile(folders);
    if (!kept) return false;
    applyIdentity(*kept, job);
    return true;
}

// The identity record 1 gives the job: what is kept once the records are gone.
JobIdentity identityOfRecord(const FoundationRecord& first) {
    JobState job;
    takeJobIdentity(first, job);
    return identityOf(job);
}

} // namespace

int recordCountOf(const Folders& folders) {
    return RecordFile::countOf(folders.jobFile(), kLength);
}

std::optional<FoundationRecord> readRecord(const Folders& folders, int n) {
    RecordFile file(folders.jobFile(), kLength);
    if (!file.openReadOnly()) return std::nullopt;
    return decodeRecord(file.read(n));
}

bool writeRecord(const Folders& folders, int n, const FoundationRecord& record) {
    return writeRecords(folders, {{n, record}});
}

bool writeRecords(const Folders& folders, const QList<std::pair<int, FoundationRecord>>& changes) {
    QList<std::pair<int, QByteArray>> records;
    for (const auto& [n, record] : changes)
        records.append({n, encodeRecord(record)});
    return patchRecords(folders.jobFile(), records);
}

void loadJobIdentity(const Folders& folders, JobState& job) {
    int count = recordCountOf(folders);
    if (count < 1) {
        job.recordCount = 0;
        job.imported = false;
        if (takeKeptIdentity(folders, job)) return;
        job.currentJobName = kUndecided;
        job.currentFileName = kUndecided;
        job.unitSystem = 1;
        return;
    }
    const FoundationRecord r = readRecord(folders, 1).value_or(decodeRecord(QByteArray(kLength, '\0')));
    job.currentJobName = r.jobName;
    job.currentFileName = r.fileName;
    job.unitSystem = unitSystemOf(r.data1[field::unitSystem]);
    job.imported = r.importFlag == -1;
    job.recordCount = count;
}

bool repairRecordDefaults(QByteArray& record) {
    bool changed = false;
    auto fix = [&](int index, bool bad, float replacement) {
        if (!bad) return;
        patchData1(record, index, replacement);
        changed = true;
    };
    for (int i : {field::edgx, field::edgy})
        fix(i, data1Of(record, i) <= 0, 60);
    for (int i : {field::pitchx, field::pitchy})
        fix(i, data1Of(record, i) <= 0, 200);
    for (int i : {field::nx, field::ny})
        fix(i, data1Of(record, i) < 1, 2);
    float priority = data1Of(record, field::priority);
    fix(field::priority, priority < 1 || priority > 3, 2);
    return changed;
}

namespace {

// The steps before the records are read: conversion of the oldest job file
// when no current one exists, then the format check and upgrade. Given
// `inMemory`, nothing is written and the job's current-format bytes are put
// there; it stays none when there is no job at all.
Outcome readyJob(const Folders& folders, JobState& job, const JobLoadHooks& hooks,
                 std::optional<QByteArray>* inMemory) {
    const QString path = folders.jobFile();
    folders.trace(QStringLiteral("_101 実行データを読み込む Start"));
    folders.trace(path);
    QByteArray bytes;
    QByteArray* const keep = inMemory ? &bytes : nullptr;
    if (!QFileInfo::exists(path)) {
        folders.trace(QStringLiteral("_101E 00形式のデータを読み込んで02形式に変換することを試みる"));
        const Outcome converted =
            hooks.convertOldJobFile ? hooks.convertOldJobFile(folders, job, keep) : Outcome{false, {}};
        folders.trace(QStringLiteral("_101F 変換結果は") +
                      (converted.ok ? QStringLiteral("True") : QStringLiteral("False")));
        // Nothing to convert is no failure: the job is simply empty.
        if (!converted) return converted.message.text.isEmpty() ? Outcome::success() : converted;
        if (inMemory) {
            *inMemory = bytes;
            return Outcome::success();
        }
    }
    folders.trace(QStringLiteral("_101F 02形式のﾃﾞｰﾀのﾊﾞｰｼﾞｮﾝを確認"));
    if (hooks.upgradeJobFormat) {
        const Outcome upgraded = hooks.upgradeJobFormat(folders, job, keep);
        if (upgraded && inMemory) *inMemory = bytes;
        return upgraded;
    }
    if (!inMemory) return Outcome::success();
    *inMemory = readRegularFile(path);
    if (!*inMemory)
        return Outcome::error(QStringLiteral("基礎データのファイルを読み込めません。　　　\n\n") + path);
    return Outcome::success();
}

} // namespace

Outcome readyJobFile(const Folders& folders, JobState& job, const JobLoadHooks& hooks) {
    return readyJob(folders, job, hooks, nullptr);
}

void takeJobIdentity(const FoundationRecord& first, JobState& job) {
    job.currentJobName = trimBlanks(first.jobName);
    job.currentFileName = trimBlanks(first.fileName);
    // The unit system belongs to the job: record 1 says which.
    job.unitSystem = unitSystemOf(first.data1[field::unitSystem]);
}

Outcome loadJob(const Folders& folders, JobState& job, const JobLoadHooks& hooks,
                const RecordVisitor& visit) {
    const QString path = folders.jobFile();
    const auto end = [&](Outcome outcome) {
        folders.trace(QStringLiteral("_101H End------------------>"));
        return outcome;
    };
    // A run without the tree's lock sees the job as loading makes it but
    // writes nothing: the bytes come from memory.
    std::optional<QByteArray> inMemory;
    if (Outcome ready = readyJob(folders, job, hooks, hooks.writeBack ? nullptr : &inMemory); !ready)
        return end(ready);
    const bool noJob = hooks.writeBack ? !QFileInfo::exists(path) : !inMemory;
    if (noJob) {
        // Only a missing job file leaves the job without names.
        job.currentJobName = kUndecided;
        job.currentFileName = kUndecided;
        job.recordCount = 0;
        return end(Outcome::success());
    }
    folders.trace(QStringLiteral("_101G FileName=") + path + QStringLiteral("からﾃﾞｰﾀを読み込む"));
    // The whole file in one read: a job of ten thousand records is loaded
    // without a seek per record.
    if (!inMemory) inMemory = readRegularFile(path);
    if (!inMemory)
        return end(Outcome::error(QStringLiteral("基礎データのファイルを読み込めません。　　　\n\n") + path));
    const QByteArray content = std::move(*inMemory);
    const int count = static_cast<int>(content.size() / kLength);
    QList<std::pair<int, QByteArray>> repaired;
    for (int n = 1; n <= count; ++n) {
        QByteArray bytes = content.mid(static_cast<qsizetype>(n - 1) * kLength, kLength);
        if (repairRecordDefaults(bytes)) repaired.append({n, bytes});
        if (n == 1 || visit) {
            const FoundationRecord record = decodeRecord(bytes);
            if (n == 1) {
                takeJobIdentity(record, job);
                job.imported = record.importFlag == -1;
            }
            if (visit) visit(n, record);
        }
    }
    job.recordCount = count;
    // A job file without records still belongs to the job named in the job
    // window: its identity is kept beside it (or, failing that, stays as in
    // memory).
    if (count == 0) {
        job.imported = false;
        takeKeptIdentity(folders, job);
    }
    Outcome outcome = Outcome::success();
    // The repaired defaults go back into the job file (only in a run that
    // holds the tree); one that cannot be written keeps them in memory only,
    // and the user is told.
    if (!repaired.isEmpty() && hooks.writeBack && !patchRecords(path, repaired))
        outcome = Outcome::warning(
            QStringLiteral("基礎データの既定値の補正をファイルに書き込めませんでした。　　　\n\n"
                           "ファイルは変更していません。\n\n") +
            path);
    if (content.size() % kLength != 0)
        outcome =
            Outcome::warning(QStringLiteral("基礎データのファイルが壊れています（長さが基礎データの大きさの"
                                            "倍数ではありません）。　　　\n\n末尾の不完全なデータは表示"
                                            "していません。\n\n") +
                             path);
    return end(outcome);
}

bool rewriteJobIdentity(const Folders& folders, const JobState& job) {
    const QString path = folders.jobFile();
    QList<QByteArray> records = readAll(path);
    const QByteArray jobName =
        encodeField(job.currentJobName, record_offset::textWidthJob, Terminator::Tilde);
    const QByteArray fileName =
        encodeField(job.currentFileName, record_offset::textWidthJob, Terminator::Tilde);
    for (QByteArray& r : records) {
        r.replace(record_offset::jobName, jobName.size(), jobName);
        r.replace(record_offset::fileName, fileName.size(), fileName);
        patchData1(r, field::unitSystem, static_cast<float>(job.unitSystem));
    }
    if (!replaceFile(path, records)) return false;
    // Record 1 carries the identity of a job with foundations; one without
    // keeps it beside the job file.
    if (!records.isEmpty()) {
        forgetJobIdentityFile(folders);
        return true;
    }
    return writeJobIdentityFile(folders, identityOf(job));
}

bool deleteRecords(const Folders& folders, JobState& job, int first, int last) {
    const QString path = folders.jobFile();
    QList<QByteArray> all = readAll(path);
    QList<QByteArray> kept;
    for (int n = 1; n <= all.size(); ++n)
        if (n < first || n > last) kept.append(all[n - 1]);
    // The job outlives its foundations: its identity is kept before the last
    // record that carries it goes.
    if (kept.isEmpty() && !all.isEmpty() &&
        !writeJobIdentityFile(folders, identityOfRecord(decodeRecord(all.first()))))
        return false;
    if (!replaceFile(path, kept)) return false;
    job.recordCount = static_cast<int>(kept.size());
    if (kept.isEmpty()) job.imported = false;
    return true;
}

bool deleteAllRecords(const Folders& folders, JobState& job) {
    if (recordCountOf(folders) > 0) {
        const std::optional<FoundationRecord> first = readRecord(folders, 1);
        if (!first || !writeJobIdentityFile(folders, identityOfRecord(*first))) return false;
    }
    if (!replaceFile(folders.jobFile(), {})) return false;
    job.recordCount = 0;
    job.imported = false;
    return true;
}

bool replaceWithEmptyJob(const Folders& folders, const JobState& job) {
    const QString kept = jobIdentityPath(folders);
    const std::optional<QByteArray> previous = readRegularFile(kept);
    const bool hadKept = previous.has_value();
    const QByteArray before = previous.value_or(QByteArray());
    if (!writeJobIdentityFile(folders, identityOf(job))) return false;
    if (replaceFile(folders.jobFile(), {})) return true;
    if (hadKept)
        replaceFile(kept, {before});
    else
        QFile::remove(kept);
    return false;
}

bool swapRecords(const Folders& folders, int p, int q, const RecordVisitor& visit) {
    const QString path = folders.jobFile();
    QList<QByteArray> all = readAll(path);
    if (p < 1 || q < 1 || p > all.size() || q > all.size()) return false;
    all.swapItemsAt(p - 1, q - 1);
    if (!replaceFile(path, all)) return false;
    if (visit) {
        visit(q, decodeRecord(all[q - 1]));
        visit(p, decodeRecord(all[p - 1]));
    }
    return true;
}

} // namespace k5
