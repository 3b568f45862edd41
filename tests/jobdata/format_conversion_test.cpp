#include "jobdata/format_conversion.h"
#include "jobdata/foundation_record.h"
#include "jobdata/job_file.h"
#include "platform/cp932.h"
#include "temp_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace k5;
using k5test::readBytes;
using k5test::writeBytes;

namespace {

// Old records are written field by field at their documented offsets, apart
// from the converter, so the tests pin both layouts.
struct Bytes {
    QByteArray b;
    explicit Bytes(int length) : b(length, ' ') {}
    Bytes& i16(int at, int v) {
        qToLittleEndian<qint16>(static_cast<qint16>(v), b.data() + at);
        return *this;
    }
    Bytes& f32(int at, float v) {
        qToLittleEndian<float>(v, b.data() + at);
        return *this;
    }
    Bytes& text(int at, const QByteArray& t, int width) {
        b.replace(at, width, t.leftJustified(width, ' '));
        return *this;
    }
};

qint16 i16At(const QByteArray& r, int at) {
    return qFromLittleEndian<qint16>(r.constData() + at);
}
float f32At(const QByteArray& r, int at) {
    return qFromLittleEndian<float>(r.constData() + at);
}
QByteArray recordAt(const QByteArray& file, int n) {
    return file.mid((n - 1) * FoundationRecord::kLength, FoundationRecord::kLength);
}

// data1(34) is the bar layout priority, which loading repairs outside 1..3.
float d1(int n, int i) {
    return i == 34 ? static_cast<float>(n) : 1000.0f * n + i + 0.25f;
}
float d2(int n, int i, int j) {
    return 10000.0f * n + 100.0f * j + i + 0.5f;
}

// The texts shared by the 201 and 203 layouts, starting at `base`.
void putTexts(Bytes& r, int base, int n) {
    r.text(base, "Job~", 52);
    r.text(base + 52, "A~", 52);
    r.text(base + 104, toCp932(QStringLiteral("基礎F%1~").arg(n)), 14);
    r.text(base + 118, "SD295", 8).text(base + 126, "D19", 8);
    r.text(base + 134, "SR235", 8).text(base + 142, "R9", 8);
    r.text(base + 150, toCp932(QStringLiteral("メモ%1~").arg(n)), 120);
}

void putData(Bytes& r, int data1At, int data2At, int n, int rows, int count1) {
    for (int i = 0; i < count1; ++i)
        r.f32(data1At + 4 * i, d1(n, i));
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < rows; ++i)
            r.f32(data2At + 4 * (i + rows * j), d2(n, i, j));
}

QByteArray record201(int n) {
    Bytes r(old_format::kLength201);
    putTexts(r, 0, n);
    putData(r, 270, 474, n, 81, 51);
    return r.b;
}

QByteArray record203(int n) {
    Bytes r(old_format::kLength203);
    r.i16(0, 203);
    putTexts(r, 2, n);
    putData(r, 272, 476, n, 81, 51);
    r.i16(2096, 10 + n).i16(2098, 20 + n).i16(2100, 30 + n);
    r.text(2102, "2F~", 10).text(2112, "X3~", 10).text(2122, "Y4~", 10);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 5; ++j) {
            int k = (i - 1) + 2 * (j - 1);
            r.i16(2132 + 2 * k, -1).f32(2152 + 4 * k, 100.0f * n + k).f32(2192 + 4 * k, 200.0f + k);
            r.f32(2232 + 4 * k, 300.0f + k);
        }
    r.i16(2272, 77); // not carried over
    return r.b;
}

QByteArray record00(int n, const QByteArray& fileName = "A~") {
    Bytes r(old_format::kLength00);
    r.text(0, "OldJob~", 52).text(52, fileName, 52);
    r.text(104, toCp932(QStringLiteral("P%1~").arg(n)), 6);
    r.text(110, "SD345", 8).text(118, "D22", 8).text(126, "SD345", 8).text(134, "D25", 8);
    r.text(142, "old memo~", 120);
    putData(r, 262, 406, n, 61, 36);
    return r.b;
}

// What every converted record holds: texts as the old ones, both versions
// 204, and nothing imported unless the old format had it.
void expectCommonTexts(const QByteArray& r, int n) {
    FoundationRecord rec = decodeRecord(r);
    EXPECT_EQ(i16At(r, 0), 204);
    EXPECT_EQ(i16At(r, 2332), 204);
    EXPECT_EQ(i16At(r, 2), 0); // import flag
    EXPECT_EQ(rec.jobName, QStringLiteral("Job"));
    EXPECT_EQ(rec.fileName, QStringLiteral("A"));
    EXPECT_EQ(rec.name, QStringLiteral("基礎F%1").arg(n));
    EXPECT_EQ(r.mid(122, 32), QByteArray("SD295   D19     SR235   R9      "));
    EXPECT_EQ(rec.memo, QStringLiteral("メモ%1").arg(n));
    for (int i = 0; i < 51; ++i)
        EXPECT_EQ(f32At(r, 274 + 4 * i), d1(n, i)) << "data1 " << i;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 81; ++i)
            EXPECT_EQ(f32At(r, 478 + 4 * (i + 81 * j)), d2(n, i, j)) << "data2 " << i << "," << j;
    EXPECT_EQ(i16At(r, 2098), 0);                    // group number
    EXPECT_EQ(r.mid(2136, 10), QByteArray(10, ' ')); // provisional name
    EXPECT_EQ(i16At(r, 2286), 0);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(f32At(r, 2288 + 4 * i), 0.0f);
}

QString traceOf(const k5test::TempTree& tree) {
    return fromCp932(readBytes(tree.ctx.folders.traceFile));
}

} // namespace

TEST(FormatUpgrade, Format201BecomesCurrentWithEmptyImportFields) {
    k5test::TempTree tree;
    installFormatConversion(tree.ctx.jobHooks);
    writeBytes(tree.ctx.folders.jobFile(), record201(1) + record201(2) + record201(3));

    // As the main window does: the identity is read before the job is loaded,
    // while text still stands where the import flag will be.
    loadJobIdentity(tree.ctx.folders, tree.ctx.job);
    QStringList names;
    loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks,
            [&](int, const FoundationRecord& r) { names << r.name; });
    EXPECT_EQ(names, QStringList({"基礎F1", "基礎F2", "基礎F3"}));
    EXPECT_FALSE(tree.ctx.job.imported) << qPrintable(traceOf(tree));

    QByteArray after = readBytes(tree.ctx.folders.jobFile());
    ASSERT_EQ(after.size(), 3 * FoundationRecord::kLength);
    for (int n = 1; n <= 3; ++n) {
        QByteArray r = recordAt(after, n);
        expectCommonTexts(r, n);
        for (int at : {2100, 2102, 2104})
            EXPECT_EQ(i16At(r, at), 0);
        EXPECT_EQ(r.mid(2106, 40), QByteArray(40, ' '));
        EXPECT_EQ(r.mid(2146, 140), QByteArray(140, '\0')); // flags and reactions
    }
    // "Jo" of the job name stands where the version would be.
    const QString trace = traceOf(tree);
    const QString version = QString::number(qFromLittleEndian<qint16>("Jo"));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_102 Start\"")));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_102A FileName=") + tree.ctx.folders.jobFile() +
                               QStringLiteral("NowVersion= ") + version + u'"'))
        << qPrintable(trace);
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_102C ")));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_104 End---------------------->\"")));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_102D End----------------->\"")));
    EXPECT_FALSE(trace.contains(QStringLiteral("_103")));
    EXPECT_TRUE(k5test::scratchLeftIn(tree.ctx.folders.dataFolder).isEmpty());
}

TEST(FormatUpgrade, Format203KeepsTheImportedSupportAndItsReactions) {
    k5test::TempTree tree;
    writeBytes(tree.ctx.folders.jobFile(), record203(1) + record203(2));
    checkFormat(tree.ctx.folders, tree.ctx.job);

    QByteArray after = readBytes(tree.ctx.folders.jobFile());
    ASSERT_EQ(after.size(), 2 * FoundationRecord::kLength);
    for (int n = 1; n <= 2; ++n) {
        QByteArray r = recordAt(after, n);
        expectCommonTexts(r, n);
        FoundationRecord rec = decodeRecord(r);
        EXPECT_EQ(rec.storeyNo, 10 + n);
        EXPECT_EQ(rec.frameNo, 20 + n);
        EXPECT_EQ(rec.axisNo, 30 + n);
        EXPECT_EQ(rec.storeyName, QStringLiteral("2F"));
        EXPECT_EQ(rec.frameName, QStringLiteral("X3"));
        EXPECT_EQ(rec.axisName, QStringLiteral("Y4"));
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 5; ++j) {
                int k = (i - 1) + 2 * (j - 1);
                EXPECT_EQ(rec.reactFlag[i][j], -1);
                EXPECT_EQ(rec.reactN[i][j], 100.0f * n + k);
                EXPECT_EQ(rec.reactH[i][j], 200.0f + k);
                EXPECT_EQ(rec.reactM[i][j], 300.0f + k);
            }
    }
    const QString trace = traceOf(tree);
    EXPECT_TRUE(trace.contains(QStringLiteral("NowVersion= 203\"")));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_102B ")));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_103 End----------------->\"")));
    EXPECT_TRUE(trace.contains(QStringLiteral("\"_102D End----------------->\"")));
}

TEST(FormatUpgrade, CurrentJobFileIsLeftByteForByte) {
    k5test::TempTree tree;
    // Bytes after a text's "~" would not survive a decode and re-encode.
    Bytes r(FoundationRecord::kLength);
    r.i16(0, 204).i16(2, -1).text(4, "Job~junk", 52).i16(2098, 5).f32(274, 1.5f).i16(2332, 204);
    QByteArray file = r.b + r.b;
    file.append("xy"); // a partial record stays too
    writeBytes(tree.ctx.folders.jobFile(), file);
    checkFormat(tree.ctx.folders, tree.ctx.job);
    checkFormat(tree.ctx.folders, tree.ctx.job);
    EXPECT_EQ(readBytes(tree.ctx.folders.jobFile()), file);
    const QString trace = traceOf(tree);
    EXPECT_TRUE(trace.contains(QStringLiteral("NowVersion= 204\"")));
    EXPECT_FALSE(trace.contains(QStringLiteral("_102D")));
}

TEST(OldJobConversion, ConvertsEveryRecordAndSavesTheJobAsACurrentArchive) {
    k5test::TempTree tree;
    QStringList archives;
    installFormatConversion(tree.ctx.jobHooks, [&](const QString& name) { archives << name; });
    writeBytes(tree.ctx.folders.oldJobFile(), record00(1) + record00(2));

    QStringList names;
    loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks,
            [&](int, const FoundationRecord& rec) { names << rec.name; });
    EXPECT_EQ(names, QStringList({"P1", "P2"}));
    EXPECT_EQ(tree.ctx.job.currentFileName, QStringLiteral("v02_A"));
    EXPECT_EQ(tree.ctx.job.currentJobName, QStringLiteral("OldJob"));
    EXPECT_EQ(archives, QStringList({"v02_A.lzh"}));
    EXPECT_FALSE(QFileInfo::exists(tree.ctx.folders.oldJobFile()));

    QByteArray after = readBytes(tree.ctx.folders.jobFile());
    ASSERT_EQ(after.size(), 2 * FoundationRecord::kLength);
    for (int n = 1; n <= 2; ++n) {
        QByteArray r = recordAt(after, n);
        EXPECT_EQ(i16At(r, 0), 204);
        EXPECT_EQ(i16At(r, 2332), 204);
        EXPECT_EQ(r.mid(4, 52), QByteArray("OldJob~").leftJustified(52, ' '));
        EXPECT_EQ(r.mid(56, 52), QByteArray("v02_A~").leftJustified(52, ' '));
        EXPECT_EQ(r.mid(108, 14), (toCp932(QStringLiteral("P%1~").arg(n))).leftJustified(14, ' '));
        EXPECT_EQ(r.mid(122, 32), QByteArray("SD345   D22     SD345   D25     "));
        EXPECT_EQ(r.mid(154, 120), QByteArray("old memo~").leftJustified(120, ' '));
        for (int i = 0; i < 51; ++i)
            EXPECT_EQ(f32At(r, 274 + 4 * i), i < 36 ? d1(n, i) : 0.0f) << "data1 " << i;
        for (int j = 0; j < 5; ++j)
            for (int i = 0; i < 81; ++i)
                EXPECT_EQ(f32At(r, 478 + 4 * (i + 81 * j)), i < 61 ? d2(n, i, j) : 0.0f)
                    << "data2 " << i << "," << j;
        EXPECT_EQ(r.mid(2098, 8), QByteArray(8, '\0'));  // group, storey, frame, axis
        EXPECT_EQ(r.mid(2106, 40), QByteArray(40, ' ')); // import names
        EXPECT_EQ(r.mid(2146, 2332 - 2146), QByteArray(2332 - 2146, '\0'));
    }
}

TEST(OldJobConversion, MissingOrEmptyOldFileIsAFailureThatChangesNothing) {
    k5test::TempTree tree;
    int archived = 0;
    auto archiver = [&](const QString&) { ++archived; };
    EXPECT_FALSE(convertOldJob(tree.ctx.folders, tree.ctx.job, archiver));
    writeBytes(tree.ctx.folders.oldJobFile(), QByteArray(100, 'x')); // shorter than one record
    EXPECT_FALSE(convertOldJob(tree.ctx.folders, tree.ctx.job, archiver));
    EXPECT_TRUE(QFileInfo::exists(tree.ctx.folders.oldJobFile()));
    EXPECT_FALSE(QFileInfo::exists(tree.ctx.folders.jobFile()));
    EXPECT_EQ(archived, 0);

    installFormatConversion(tree.ctx.jobHooks, archiver);
    loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks);
    EXPECT_EQ(tree.ctx.job.currentJobName, kUndecided);
    EXPECT_EQ(tree.ctx.job.recordCount, 0);
}

TEST(OldJobConversion, ReplacesAStaleJobFileWholeAndKeepsTheNameItStores) {
    k5test::TempTree tree;
    // A stale current job of three records must not leave records 2 and 3
    // behind a one-record conversion.
    writeBytes(tree.ctx.folders.jobFile(), QByteArray(3 * FoundationRecord::kLength, '\0'));
    // 50 bytes of name: "v02_" + the name no longer fits the 52-byte field.
    const QByteArray longName = QByteArray(50, 'N');
    writeBytes(tree.ctx.folders.oldJobFile(), record00(1, longName));
    QString archive;
    ASSERT_TRUE(convertOldJob(tree.ctx.folders, tree.ctx.job, [&](const QString& name) { archive = name; }));

    QByteArray after = readBytes(tree.ctx.folders.jobFile());
    ASSERT_EQ(after.size(), FoundationRecord::kLength);
    const QString stored = decodeRecord(after).fileName;
    EXPECT_EQ(stored, QStringLiteral("v02_") + QString(48, u'N'));
    EXPECT_EQ(tree.ctx.job.currentFileName, stored);
    EXPECT_EQ(archive, stored + QStringLiteral(".lzh"));
}

// An upgrade keeps the job as it was beside it before rewriting it, and says so in the trace.
TEST(FormatUpgrade, TheOldJobIsKeptBeforeAnUpgrade) {
    k5test::TempTree tree;
    const QByteArray old = record203(1) + record203(2);
    writeBytes(tree.ctx.folders.jobFile(), old);
    ASSERT_TRUE(checkFormat(tree.ctx.folders, tree.ctx.job));
    const QString backup = tree.ctx.folders.jobFile() + QStringLiteral(".v203");
    EXPECT_EQ(readBytes(backup), old);
    EXPECT_TRUE(traceOf(tree).contains(backup));
    EXPECT_EQ(readBytes(tree.ctx.folders.jobFile()).size(), 2 * FoundationRecord::kLength);
}

// A job the program cannot read, or whose format it does not know, is
// refused with a message naming it, and never rewritten.
TEST(FormatUpgrade, AnUnknownOrUnreadableJobIsRefusedAndLeftAlone) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    QByteArray flipped = record203(1) + record203(2); // one bit of the version: 203 -> 459
    flipped[1] = static_cast<char>(flipped[1] ^ 0x01);
    QByteArray binary201 = record201(1);
    binary201[10] = '\x01'; // a control character where a 201 record keeps its job name
    const Case cases[] = {
        {"flipped version", flipped,
         QStringLiteral("基礎データのファイルの形式を判別できません（バージョン 459）。")},
        {"not 201 text", binary201,
         QStringLiteral("基礎データのファイルの形式を判別できません（バージョン ")},
        {"201 cut short", record201(1).left(2000),
         QStringLiteral("基礎データのファイルの形式を判別できません")},
    };
    for (const Case& c : cases) {
        k5test::TempTree tree;
        installFormatConversion(tree.ctx.jobHooks);
        writeBytes(tree.ctx.folders.jobFile(), c.bytes);
        int visited = 0;
        const Outcome loaded = loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks,
                                       [&](int, const FoundationRecord&) { ++visited; });
        EXPECT_FALSE(loaded) << c.what;
        EXPECT_TRUE(loaded.message.text.startsWith(c.message))
            << c.what << ": " << loaded.message.text.toStdString();
        EXPECT_TRUE(loaded.message.text.endsWith(tree.ctx.folders.jobFile())) << c.what;
        EXPECT_EQ(visited, 0) << c.what;
        EXPECT_EQ(readBytes(tree.ctx.folders.jobFile()), c.bytes) << c.what;
    }

    k5test::TempTree tree; // a folder where the job file should be
    installFormatConversion(tree.ctx.jobHooks);
    ASSERT_TRUE(QDir().mkdir(tree.ctx.folders.jobFile()));
    const Outcome loaded = loadJob(tree.ctx.folders, tree.ctx.job, tree.ctx.jobHooks);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.message.text, QStringLiteral("基礎データのファイルを読み込めません。　　　\n\n") +
                                       tree.ctx.folders.jobFile());
    EXPECT_EQ(loaded.message.icon, Icon::Error);
    EXPECT_TRUE(QFileInfo(tree.ctx.folders.jobFile()).isDir());
}

// A run that does not hold the tree (writeBack off) sees every older format
// and the repaired defaults exactly as the writing load makes them, and
// leaves the data folder as it was: no upgrade, backup, conversion, removal,
// archive or repair reaches a file.
TEST(FormatUpgrade, AReadingLoadSeesTheUpgradeButWritesNothing) {
    struct Case {
        const char* what;
        bool oldest;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"201", false, record201(1) + record201(2)},
        {"203", false, record203(1) + record203(2)},
        {"00", true, record00(1) + record00(2)},
        {"204 with a pitch of 0", false, Bytes(FoundationRecord::kLength).i16(0, 204).i16(2332, 204).b},
    };
    for (const Case& c : cases) {
        k5test::TempTree reading, writing;
        QStringList archives;
        const auto collect = [](QList<QByteArray>& into) {
            return [&into](int, const FoundationRecord& r) { into.append(encodeRecord(r)); };
        };
        for (k5test::TempTree* tree : {&reading, &writing}) {
            installFormatConversion(tree->ctx.jobHooks, [&](const QString& name) { archives << name; });
            writeBytes(c.oldest ? tree->ctx.folders.oldJobFile() : tree->ctx.folders.jobFile(), c.bytes);
        }
        const QDir data(reading.ctx.folders.dataFolder);
        const QStringList before = data.entryList(QDir::Files | QDir::Hidden);
        QList<QByteArray> seen, made;
        // As a reading start sets it up: no trace file, nothing written back.
        reading.ctx.folders.traceFile.clear();
        reading.ctx.jobHooks.writeBack = false;
        ASSERT_TRUE(loadJob(reading.ctx.folders, reading.ctx.job, reading.ctx.jobHooks, collect(seen)))
            << c.what;
        EXPECT_EQ(data.entryList(QDir::Files | QDir::Hidden), before) << c.what;
        EXPECT_EQ(readBytes(c.oldest ? reading.ctx.folders.oldJobFile() : reading.ctx.folders.jobFile()),
                  c.bytes)
            << c.what;
        EXPECT_TRUE(archives.isEmpty()) << c.what;

        ASSERT_TRUE(loadJob(writing.ctx.folders, writing.ctx.job, writing.ctx.jobHooks, collect(made)))
            << c.what;
        EXPECT_EQ(seen, made) << c.what;
        EXPECT_EQ(reading.ctx.job.currentJobName, writing.ctx.job.currentJobName) << c.what;
        EXPECT_EQ(reading.ctx.job.currentFileName, writing.ctx.job.currentFileName) << c.what;
        EXPECT_EQ(reading.ctx.job.recordCount, writing.ctx.job.recordCount) << c.what;
        EXPECT_NE(readBytes(writing.ctx.folders.jobFile()), c.bytes) << c.what << ": the writing load wrote";
    }
}
