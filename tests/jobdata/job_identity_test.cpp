#include "jobdata/job_file.h"
#include "jobdata/job_identity_file.h"
#include "sample_job.h"
#include "temp_tree.h"

#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;

namespace {

// What a program started afresh on the same tree sees: the main window's
// creation, then its activation, which reads the job again.
JobState identityAfterRestart(const k5test::TempTree& tree) {
    AppContext fresh;
    fresh.folders = Folders::forTree(tree.kmd());
    loadJobIdentity(fresh.folders, fresh.job);
    JobState loaded = fresh.job;
    loadJob(fresh.folders, loaded, fresh.jobHooks);
    EXPECT_EQ(loaded.currentJobName, fresh.job.currentJobName);
    EXPECT_EQ(loaded.currentFileName, fresh.job.currentFileName);
    EXPECT_EQ(loaded.unitSystem, fresh.job.unitSystem);
    EXPECT_EQ(loaded.recordCount, fresh.job.recordCount);
    return fresh.job;
}

JobState namedJob(const QString& name, const QString& file, int unit) {
    JobState job;
    job.currentJobName = name;
    job.currentFileName = file;
    job.unitSystem = unit;
    return job;
}

} // namespace

TEST(EmptyJobIdentity, AJobWithoutFoundationsKeepsItsNamesAndUnitAcrossARestart) {
    k5test::TempTree tree;
    ASSERT_TRUE(replaceWithEmptyJob(tree.ctx.folders, namedJob("試験工事", "試験工事", 2)));
    EXPECT_EQ(k5test::fileSize(tree.ctx.folders.jobFile()), 0); // the job file's format is unchanged
    JobState seen = identityAfterRestart(tree);
    EXPECT_EQ(seen.currentJobName, QStringLiteral("試験工事"));
    EXPECT_EQ(seen.currentFileName, QStringLiteral("試験工事"));
    EXPECT_EQ(seen.unitSystem, 2);
    EXPECT_EQ(seen.recordCount, 0);
    // Loading the job again shows it as registered, whatever a cancelled
    // window left in memory.
    JobState memory = namedJob("取消", "取消", 1);
    loadJob(tree.ctx.folders, memory, tree.ctx.jobHooks);
    EXPECT_EQ(memory.currentJobName, QStringLiteral("試験工事"));
    EXPECT_EQ(memory.unitSystem, 2);

    // Renamed while still empty: the new names are kept.
    ASSERT_TRUE(rewriteJobIdentity(tree.ctx.folders, namedJob("本社棟", "honsha", 2)));
    EXPECT_EQ(identityAfterRestart(tree).currentJobName, QStringLiteral("本社棟"));

    // Once the job has a foundation, record 1 is the identity, whatever is kept beside it.
    FoundationRecord first = k5test::sampleRecord("F1", kTypeIsolated, 1);
    first.jobName = QStringLiteral("別工事");
    k5test::writeJob(tree.ctx, {first});
    seen = identityAfterRestart(tree);
    EXPECT_EQ(seen.currentJobName, QStringLiteral("別工事"));
    EXPECT_EQ(seen.currentFileName, QStringLiteral("試験"));
    EXPECT_EQ(seen.unitSystem, 1);
    EXPECT_EQ(seen.recordCount, 1);
}

// Deleting the foundations leaves the job: record 1's identity is kept
// before the last record goes.
TEST(EmptyJobIdentity, DeletingEveryFoundationKeepsTheIdentityOfRecordOne) {
    const std::function<bool(AppContext&)> deletions[] = {
        [](AppContext& c) { return deleteAllRecords(c.folders, c.job); },
        [](AppContext& c) { return deleteRecords(c.folders, c.job, 1, 3); },
    };
    for (const auto& deleteEvery : deletions) {
        k5test::TempTree tree;
        ASSERT_TRUE(writeJobIdentityFile(tree.ctx.folders, {"古い名前", "old", 1}));
        k5test::writeSampleJob(tree.ctx, 3, 2);
        loadJobIdentity(tree.ctx.folders, tree.ctx.job);
        ASSERT_TRUE(deleteEvery(tree.ctx));
        const JobState seen = identityAfterRestart(tree);
        EXPECT_EQ(seen.currentJobName, QStringLiteral("試験工事"));
        EXPECT_EQ(seen.currentFileName, QStringLiteral("試験"));
        EXPECT_EQ(seen.unitSystem, 2);
        EXPECT_EQ(seen.recordCount, 0);
    }
}

// A kept identity that cannot be trusted is ignored: the empty job loads as
// it always did, without names and in SI.
TEST(EmptyJobIdentity, AMissingOrDamagedIdentityFallsBackToAnUndecidedSiJob) {
    QByteArray valid;
    {
        k5test::TempTree tree;
        ASSERT_TRUE(writeJobIdentityFile(tree.ctx.folders, {"工事", "file", 2}));
        valid = readBytes(jobIdentityPath(tree.ctx.folders));
        ASSERT_EQ(valid.size(), 108);
    }
    auto withInt16 = [&](int at, int value) {
        QByteArray b = valid;
        qToLittleEndian<qint16>(static_cast<qint16>(value), b.data() + at);
        return b;
    };
    const struct {
        const char* what;
        QByteArray bytes;
    } damaged[] = {
        {"empty", QByteArray()},
        {"cut short", valid.left(107)},
        {"too long", valid + "x"},
        {"other format", withInt16(0, 203)},
        {"unit 0", withInt16(106, 0)},
        {"unit 3", withInt16(106, 3)},
        {"all 0xFF", QByteArray(108, '\xff')},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.what);
        k5test::TempTree tree;
        writeBytes(tree.ctx.folders.jobFile(), {});
        writeBytes(jobIdentityPath(tree.ctx.folders), d.bytes);
        const JobState seen = identityAfterRestart(tree);
        EXPECT_EQ(seen.currentJobName, kUndecided);
        EXPECT_EQ(seen.unitSystem, 1);
    }

    // Names that are not CP932 text still load (as whatever they decode to).
    k5test::TempTree tree;
    QByteArray garbage = valid;
    garbage.replace(2, 104, QByteArray(104, '\xff'));
    writeBytes(tree.ctx.folders.jobFile(), {});
    writeBytes(jobIdentityPath(tree.ctx.folders), garbage);
    EXPECT_EQ(identityAfterRestart(tree).unitSystem, 2);

    // Without a job file there is no job for it to name.
    QFile::remove(tree.ctx.folders.jobFile());
    EXPECT_EQ(identityAfterRestart(tree).currentJobName, kUndecided);
}
