#include "jobdata/common_values.h"
#include "jobdata/control_file.h"
#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "platform/cp932.h"
#include "temp_tree.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;

namespace {

// Writes fields at explicit offsets, independently of the record codec, so the
// tests pin the byte layout rather than restate the encoder.
struct Bytes {
    QByteArray b;
    explicit Bytes(int length, char fill = '\0') : b(length, fill) {}
    Bytes& i16(int at, int v) {
        qToLittleEndian<qint16>(static_cast<qint16>(v), b.data() + at);
        return *this;
    }
    Bytes& f32(int at, float v) {
        qToLittleEndian<float>(v, b.data() + at);
        return *this;
    }
    Bytes& text(int at, const QByteArray& t) {
        b.replace(at, t.size(), t);
        return *this;
    }
};

QByteArray storedRecord(const QString& name, float unit, float priority = 2) {
    Bytes r(FoundationRecord::kLength);
    r.i16(0, 204).i16(2332, 204);
    r.text(4, QByteArray("Job~").leftJustified(52, ' ')).text(56, QByteArray("file~").leftJustified(52, ' '));
    r.text(108, (toCp932(name) + "~").leftJustified(14, ' '));
    for (int at : {122, 130, 138, 146})
        r.text(at, QByteArray(8, ' '));
    r.text(154, QByteArray(120, ' '));
    for (int at : {2106, 2116, 2126, 2136})
        r.text(at, QByteArray(10, ' '));
    r.f32(274 + 4 * 0, 1).f32(274 + 4 * 1, unit);
    r.f32(274 + 4 * 23, 60).f32(274 + 4 * 24, 60).f32(274 + 4 * 30, 200).f32(274 + 4 * 31, 200);
    r.f32(274 + 4 * 32, 2).f32(274 + 4 * 33, 2).f32(274 + 4 * 34, priority);
    r.f32(478 + 4 * (4 + 81 * 1), 2500.0f); // data2(4,1) Lx
    return r.b;
}

QByteArray job(std::initializer_list<QByteArray> records) {
    QByteArray all;
    for (const QByteArray& r : records)
        all += r;
    return all;
}

QByteArray recordAt(const QByteArray& file, int n) {
    return file.mid((n - 1) * FoundationRecord::kLength, FoundationRecord::kLength);
}

} // namespace

TEST(FoundationRecordCodec, DecodesTheStoredLayoutAndEncodesItBack) {
    Bytes r(FoundationRecord::kLength, ' ');
    r.i16(0, 204).i16(2, -1).text(4, "Job~").text(56, "f~").text(108,
                                                                 toCp932(QStringLiteral("基礎基礎基礎基")));
    r.text(122, "SD295   ")
        .text(130, "D19     ")
        .text(138, "SD345   ")
        .text(146, "D22     ")
        .text(154, "memo~");
    for (int i = 0; i < 51; ++i)
        r.f32(274 + 4 * i, static_cast<float>(i) + 0.5f);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 81; ++i)
            r.f32(478 + 4 * (i + 81 * j), static_cast<float>(100 * j + i));
    r.i16(2098, 3)
        .i16(2100, 4)
        .i16(2102, 5)
        .i16(2104, 6)
        .text(2106, "1F~")
        .text(2116, "X1~")
        .text(2126, "Y2~");
    r.text(2136, "F001(仮)~");
    r.i16(2146 + 2 * (1 + 2 * 4), 1)
        .f32(2166 + 4 * (1 + 2 * 4), 7.5f)
        .f32(2206, 8.5f)
        .f32(2246 + 4 * 9, 9.5f);
    r.i16(2286, 0);
    for (int i = 0; i < 11; ++i)
        r.f32(2288 + 4 * i, 0);
    r.i16(2332, 204);

    FoundationRecord rec = decodeRecord(r.b);
    EXPECT_EQ(rec.importFlag, -1);
    EXPECT_EQ(rec.jobName, QStringLiteral("Job"));
    EXPECT_EQ(rec.name, QStringLiteral("基礎基礎基礎基")); // fills 14 bytes, no terminator
    EXPECT_EQ(rec.barSizeY, QStringLiteral("D22"));
    EXPECT_EQ(rec.data1[50], 50.5f);
    EXPECT_EQ(rec.data2[4][1], 104.0f);
    EXPECT_EQ(rec.data2[80][4], 480.0f);
    EXPECT_EQ(rec.axisNo, 6);
    EXPECT_EQ(rec.axisName, QStringLiteral("Y2"));
    EXPECT_EQ(rec.reactFlag[2][5], 1);
    EXPECT_EQ(rec.reactN[2][5], 7.5f);
    EXPECT_EQ(rec.reactH[1][1], 8.5f);
    EXPECT_EQ(rec.reactM[2][5], 9.5f);
    EXPECT_EQ(encodeRecord(rec), r.b);
}

TEST(JobFile, LoadRepairsDefaultsAndWritesBackOnlyChangedRecords) {
    k5test::TempTree tree;
    QByteArray good = storedRecord(QStringLiteral("A1"), 2, 2.5f);
    QByteArray bad = storedRecord(QStringLiteral("A2"), 2, 0);
    QByteArray badEdges = bad;
    qToLittleEndian<float>(0.0f, badEdges.data() + 274 + 4 * 23);
    qToLittleEndian<float>(-1.0f, badEdges.data() + 274 + 4 * 31);
    qToLittleEndian<float>(0.5f, badEdges.data() + 274 + 4 * 32);
    writeBytes(tree.ctx.folders.jobFile(), job({good, badEdges}));

    QStringList names;
    loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks,
            [&](int n, const FoundationRecord& r) { names << QString::number(n) + r.name; });
    EXPECT_EQ(names, QStringList({"1A1", "2A2"}));
    EXPECT_EQ(tree.ctx.job.recordCount, 2);
    EXPECT_EQ(tree.ctx.job.currentJobName, QStringLiteral("Job"));
    EXPECT_EQ(tree.ctx.job.unitSystem, 2); // a CGS job stays CGS

    QByteArray after = readBytes(tree.ctx.folders.jobFile());
    EXPECT_EQ(recordAt(after, 1), good); // priority 2.5 lies within 1..3
    FoundationRecord fixed = decodeRecord(recordAt(after, 2));
    EXPECT_EQ(fixed.data1[23], 60.0f);
    EXPECT_EQ(fixed.data1[31], 200.0f);
    EXPECT_EQ(fixed.data1[32], 2.0f);
    EXPECT_EQ(fixed.data1[34], 2.0f);
    QByteArray expected = badEdges;
    for (auto [i, v] : {std::pair{23, 60.0f}, {31, 200.0f}, {32, 2.0f}, {34, 2.0f}})
        qToLittleEndian<float>(v, expected.data() + 274 + 4 * i);
    EXPECT_EQ(recordAt(after, 2), expected);
}

TEST(JobFile, EmptyOrMissingJobLoadsAsUndecided) {
    k5test::TempTree tree;
    tree.ctx.job.unitSystem = 2;
    int converted = 0;
    tree.ctx.jobHooks.convertOldJobFile = [&](const Folders&, JobState&, QByteArray*) {
        return ++converted, Outcome{false, {}};
    };
    loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks);
    EXPECT_EQ(converted, 1); // no job file: the old format is tried
    writeBytes(tree.ctx.folders.jobFile(), {});
    loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks);
    EXPECT_EQ(converted, 1); // an empty job file is a job of 0 records
    EXPECT_EQ(tree.ctx.job.recordCount, 0);
    EXPECT_EQ(tree.ctx.job.currentJobName, kUndecided);
    EXPECT_EQ(tree.ctx.job.unitSystem, 2);
    loadJobIdentity(tree.ctx.folders, tree.ctx.job);
    EXPECT_EQ(tree.ctx.job.unitSystem, 1);
    EXPECT_EQ(tree.ctx.job.currentFileName, kUndecided);
}

TEST(JobFile, DeleteSwapAndRewriteKeepRecordsByteExact) {
    k5test::TempTree tree;
    QList<QByteArray> r;
    for (int i = 1; i <= 5; ++i)
        r << storedRecord(QStringLiteral("R%1").arg(i), 1);
    r[3].replace(154, 9, "odd~ tail"); // bytes after a terminator survive untouched
    const QString path = tree.ctx.folders.jobFile();
    writeBytes(path, job({r[0], r[1], r[2], r[3], r[4]}));

    ASSERT_TRUE(deleteRecords(tree.ctx.folders, tree.ctx.job, 2, 3));
    EXPECT_EQ(readBytes(path), job({r[0], r[3], r[4]}));
    EXPECT_TRUE(k5test::scratchLeftIn(tree.ctx.folders.dataFolder).isEmpty());

    QStringList refilled;
    ASSERT_TRUE(swapRecords(tree.ctx.folders, 2, 3, [&](int n, const FoundationRecord& rec) {
        refilled << QString::number(n) + rec.name;
    }));
    EXPECT_EQ(readBytes(path), job({r[0], r[4], r[3]}));
    EXPECT_EQ(refilled, QStringList({"3R4", "2R5"}));

    tree.ctx.job.currentJobName = QStringLiteral("新工事");
    tree.ctx.job.currentFileName = QStringLiteral("  "); // blanks: stored as blanks, never "~"
    tree.ctx.job.unitSystem = 2;
    ASSERT_TRUE(rewriteJobIdentity(tree.ctx.folders, tree.ctx.job));
    QByteArray after = readBytes(path);
    for (int n = 1; n <= 3; ++n) {
        QByteArray expected = std::vector<QByteArray>{r[0], r[4], r[3]}[n - 1];
        expected.replace(4, 52, (toCp932(QStringLiteral("新工事")) + "~").leftJustified(52, ' '));
        expected.replace(56, 52, QByteArray(52, ' '));
        qToLittleEndian<float>(2.0f, expected.data() + 274 + 4);
        EXPECT_EQ(recordAt(after, n), expected) << n;
    }
    loadJobIdentity(tree.ctx.folders, tree.ctx.job);
    EXPECT_EQ(tree.ctx.job.currentFileName, QString());
}

TEST(JobFile, DeletingEveryRecordOfAnImportedJobClearsTheImportFlag) {
    k5test::TempTree tree;
    writeBytes(tree.ctx.folders.jobFile(), storedRecord(QStringLiteral("A"), 1));
    tree.ctx.job.imported = true;
    ASSERT_TRUE(deleteRecords(tree.ctx.folders, tree.ctx.job, 1, 1));
    EXPECT_FALSE(tree.ctx.job.imported);
    EXPECT_EQ(k5test::fileSize(tree.ctx.folders.jobFile()), 0);

    writeBytes(tree.ctx.folders.jobFile(), job({storedRecord("A", 1), storedRecord("B", 1)}));
    tree.ctx.job.imported = true;
    ASSERT_TRUE(deleteAllRecords(tree.ctx.folders, tree.ctx.job));
    EXPECT_FALSE(tree.ctx.job.imported);
    EXPECT_TRUE(QFile::exists(tree.ctx.folders.jobFile()));
    EXPECT_EQ(recordCountOf(tree.ctx.folders), 0);
}

TEST(ControlFile, RecreatedWhenShorterThanHalfARecord) {
    struct Case {
        int length;
        bool kept;
    };
    for (Case c : {Case{0, false}, Case{55, false}, Case{56, true}, Case{110, true}}) {
        k5test::TempTree tree;
        const QString path = tree.ctx.folders.controlFile();
        QByteArray original =
            QByteArray("/saved/jobs~").leftJustified(100, ' ') + QByteArray("\1\0\0\0\0\0\0\0\1\0", 10);
        writeBytes(path, original.left(c.length));
        ensureControlFile(tree.ctx.folders, tree.ctx.control);
        loadControlFile(tree.ctx.folders, tree.ctx.control);
        if (c.kept) {
            EXPECT_EQ(readBytes(path), original.left(c.length)) << c.length;
            EXPECT_EQ(tree.ctx.control.lastSaveFolder, QStringLiteral("/saved/jobs"));
            EXPECT_EQ(tree.ctx.control.cancelConfirm, c.length == 110 ? 1 : 0);
        } else {
            EXPECT_EQ(readBytes(path), QByteArray(100, ' ') + QByteArray(10, '\0')) << c.length;
            EXPECT_EQ(tree.ctx.control.lastSaveFolder, QString());
        }
    }
}

TEST(CommonValues, FreshFileHoldsBothUnitSystemsDefaults) {
    k5test::TempTree tree;
    EXPECT_TRUE(
        ensureCommonValues(tree.ctx.folders)); // recreated: start-up then points archives at the save folder
    EXPECT_FALSE(ensureCommonValues(tree.ctx.folders));
    auto defaults = [](float fe, float fc, float ws, float wc, float pe) {
        Bytes r(116);
        r.f32(0, fe).text(4, "SD235   ").text(12, "D19     ").f32(20, fc).f32(24, ws).f32(28, wc);
        r.f32(32, 750).f32(36, 350).f32(40, 600).f32(44, 600).f32(48, 80).f32(52, 1000).f32(56, 1000);
        r.f32(74, pe).f32(78, 350).f32(82, 500).f32(90, 500);
        r.i16(98, 80).i16(100, 80).i16(102, 200).i16(104, 200).i16(106, 2).i16(108, 2).i16(110, 2);
        return r.b;
    };
    EXPECT_EQ(readBytes(tree.ctx.folders.commonValuesFile),
              defaults(200, 24, 20, 24, 800) + defaults(20, 240, 2, 2.4f, 80));
}

TEST(CommonValues, RecreatedBelowTwoRecordsAndRepairedOnLoad) {
    for (auto [length, kept] : {std::pair{173, false}, std::pair{174, true}}) {
        k5test::TempTree tree;
        QByteArray bytes(length, '\x01');
        writeBytes(tree.ctx.folders.commonValuesFile, bytes);
        ensureCommonValues(tree.ctx.folders);
        EXPECT_EQ(readBytes(tree.ctx.folders.commonValuesFile) == bytes, kept) << length;
    }
    k5test::TempTree tree;
    ensureCommonValues(tree.ctx.folders);
    tree.ctx.common = defaultCommonValues(2);
    tree.ctx.common.nx = 0;
    tree.ctx.common.edgx = 0;
    tree.ctx.common.priority = 0;
    saveCommonValues(tree.ctx.folders, 2, tree.ctx.common); // zeros are saved as their defaults
    loadCommonValues(tree.ctx.folders, 2, tree.ctx.common);
    EXPECT_EQ(tree.ctx.common.nx, 2);
    EXPECT_EQ(tree.ctx.common.edgx, 80);
    EXPECT_EQ(tree.ctx.common.Wc, 2.4f);

    // A zero layout value found on loading is repaired in both records.
    QByteArray file = readBytes(tree.ctx.folders.commonValuesFile);
    file[106] = 0;       // SI nx
    file[116 + 110] = 7; // CGS priority outside 0..3
    writeBytes(tree.ctx.folders.commonValuesFile, file);
    loadCommonValues(tree.ctx.folders, 1, tree.ctx.common);
    EXPECT_EQ(tree.ctx.common.nx, 2);
    loadCommonValues(tree.ctx.folders, 2, tree.ctx.common);
    EXPECT_EQ(tree.ctx.common.priority, 2); // rewritten with the SI value when SI was repaired
}
