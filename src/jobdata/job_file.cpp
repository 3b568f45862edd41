#include "jobdata/job_file.h"

#include "platform/fixed_text.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "shell/app_context.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

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

} // namespace

bool replaceFileWithRecords(const QString& path, const QList<QByteArray>& records) {
    QString scratch = path + QStringLiteral("_dum");
    {
        QFile file(scratch);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        for (const QByteArray& r : records)
            if (file.write(r) != r.size()) {
                file.close();
                QFile::remove(scratch);
                return false;
            }
        if (!file.flush()) return false;
    }
    // rename(2) replaces the old file in one step: at any moment either the
    // old job or the new one exists whole.
    return std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(path).constData()) == 0;
}

int recordCountOf(const AppContext& ctx) {
    return RecordFile::countOf(ctx.folders.jobFile(), kLength);
}

bool readRecord(AppContext& ctx, int n) {
    RecordFile file(ctx.folders.jobFile(), kLength);
    if (!file.openReadOnly()) {
        ctx.job.currentRecordBuffer = decodeRecord(QByteArray(kLength, '\0'));
        return false;
    }
    ctx.job.currentRecordBuffer = decodeRecord(file.read(n));
    return true;
}

bool writeRecord(AppContext& ctx, int n) {
    RecordFile file(ctx.folders.jobFile(), kLength);
    return file.open() && file.write(n, encodeRecord(ctx.job.currentRecordBuffer));
}

void loadJobIdentity(AppContext& ctx) {
    JobState& job = ctx.job;
    int count = recordCountOf(ctx);
    if (count < 1) {
        job.currentJobName = kUndecided;
        job.currentFileName = kUndecided;
        job.unitSystem = 1;
        job.recordCount = 0;
        job.pRX23DataChk = 0;
        return;
    }
    readRecord(ctx, 1);
    const FoundationRecord& r = job.currentRecordBuffer;
    job.currentJobName = r.jobName;
    job.currentFileName = r.fileName;
    job.unitSystem = unitSystemOf(r.data1[1]);
    job.pRX23DataChk = r.importFlag;
    job.recordCount = count;
}

bool repairRecordDefaults(QByteArray& record) {
    bool changed = false;
    auto fix = [&](int index, bool bad, float replacement) {
        if (!bad) return;
        patchData1(record, index, replacement);
        changed = true;
    };
    for (int i : {23, 24})
        fix(i, data1Of(record, i) <= 0, 60);
    for (int i : {30, 31})
        fix(i, data1Of(record, i) <= 0, 200);
    for (int i : {32, 33})
        fix(i, data1Of(record, i) < 1, 2);
    float priority = data1Of(record, 34);
    fix(34, priority < 1 || priority > 3, 2);
    return changed;
}

void loadJob(AppContext& ctx, const RecordVisitor& visit) {
    JobState& job = ctx.job;
    const QString path = ctx.folders.jobFile();
    ctx.trace(QStringLiteral("_101 実行データを読み込む Start"));
    ctx.trace(path);
    bool haveJob = QFileInfo::exists(path);
    if (!haveJob) {
        ctx.trace(QStringLiteral("_101E 00形式のデータを読み込んで02形式に変換することを試みる"));
        haveJob = ctx.jobHooks.convertOldJobFile && ctx.jobHooks.convertOldJobFile(ctx);
        ctx.trace(QStringLiteral("_101F 変換結果は") +
                  (haveJob ? QStringLiteral("True") : QStringLiteral("False")));
    }
    int count = 0;
    if (haveJob) {
        ctx.trace(QStringLiteral("_101F 02形式のﾃﾞｰﾀのﾊﾞｰｼﾞｮﾝを確認"));
        if (ctx.jobHooks.upgradeJobFormat) ctx.jobHooks.upgradeJobFormat(ctx);
        ctx.trace(QStringLiteral("_101G FileName=") + path + QStringLiteral("からﾃﾞｰﾀを読み込む"));
        RecordFile file(path, kLength);
        if (file.open()) {
            count = file.count();
            for (int n = 1; n <= count; ++n) {
                QByteArray bytes = file.read(n);
                if (repairRecordDefaults(bytes)) file.write(n, bytes);
                FoundationRecord record = decodeRecord(bytes);
                if (n == 1) {
                    job.currentJobName = trimBlanks(record.jobName);
                    job.currentFileName = trimBlanks(record.fileName);
                    // The unit system belongs to the job: record 1 says which.
                    job.unitSystem = unitSystemOf(record.data1[1]);
                }
                if (visit) visit(n, record);
                job.currentRecordBuffer = std::move(record);
            }
        }
    }
    // An empty job file still belongs to the job named in the job window;
    // only a missing job file leaves the job without names.
    if (!haveJob) {
        job.currentJobName = kUndecided;
        job.currentFileName = kUndecided;
    }
    job.recordCount = count;
    ctx.trace(QStringLiteral("_101H End------------------>"));
}

bool rewriteJobIdentity(AppContext& ctx) {
    const QString path = ctx.folders.jobFile();
    QList<QByteArray> records = readAll(path);
    const QByteArray jobName =
        encodeField(ctx.job.currentJobName, record_offset::textWidthJob, Terminator::Tilde);
    const QByteArray fileName =
        encodeField(ctx.job.currentFileName, record_offset::textWidthJob, Terminator::Tilde);
    for (QByteArray& r : records) {
        r.replace(record_offset::jobName, jobName.size(), jobName);
        r.replace(record_offset::fileName, fileName.size(), fileName);
        patchData1(r, 1, static_cast<float>(ctx.job.unitSystem));
    }
    if (!replaceFileWithRecords(path, records)) return false;
    ctx.job.jobDialogOk = -1;
    return true;
}

bool deleteRecords(AppContext& ctx, int first, int last) {
    const QString path = ctx.folders.jobFile();
    QList<QByteArray> all = readAll(path);
    QList<QByteArray> kept;
    for (int n = 1; n <= all.size(); ++n)
        if (n < first || n > last) kept.append(all[n - 1]);
    if (!replaceFileWithRecords(path, kept)) return false;
    ctx.job.recordCount = static_cast<int>(kept.size());
    if (kept.isEmpty() && ctx.job.pRX23DataChk == -1) ctx.job.pRX23DataChk = 0;
    return true;
}

bool deleteAllRecords(AppContext& ctx) {
    if (!replaceFileWithRecords(ctx.folders.jobFile(), {})) return false;
    ctx.job.recordCount = 0;
    if (ctx.job.pRX23DataChk == -1) ctx.job.pRX23DataChk = 0;
    return true;
}

bool swapRecords(AppContext& ctx, int p, int q, const RecordVisitor& visit) {
    const QString path = ctx.folders.jobFile();
    QList<QByteArray> all = readAll(path);
    if (p < 1 || q < 1 || p > all.size() || q > all.size()) return false;
    all.swapItemsAt(p - 1, q - 1);
    if (!replaceFileWithRecords(path, all)) return false;
    if (visit) {
        visit(q, decodeRecord(all[q - 1]));
        visit(p, decodeRecord(all[p - 1]));
    }
    return true;
}

} // namespace k5
