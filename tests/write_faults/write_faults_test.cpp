// Every operation that replaces a job, master or settings file, run once for
// each write or rename it makes, with that step failing as a full disk or a
// failing rename would. Afterwards the file must be the old one byte for
// byte or the complete new one, no scratch file may be left, and the
// operation must say that it failed.
// First: the report needs a GUI application, made before the archive fixture's core one.
#include "../report/report_test_support.h"

#include "../../bench/bench_jobs.h"
#include "../archive/archive_fixture.h"
#include "../import/import_files.h"
#include "archive/archive_driver.h"
#include "archive/archiver.h"
#include "import/import_review.h"
#include "import/support_reaction_reader.h"
#include "input/record_transfer.h"
#include "jobdata/common_values.h"
#include "jobdata/control_file.h"
#include "jobdata/format_conversion.h"
#include "jobdata/job_file.h"
#include "masters/bar_size_master.h"
#include "masters/concrete_setting.h"
#include "masters/font_set.h"
#include "masters/grade_master.h"
#include "masters/key_actions.h"
#include "masters/master_file.h"
#include "platform/file_replace.h"
#include "report/page_sequence.h"
#include "report/report_pdf.h"
#include "sample_job.h"
#include "shell/cancel_confirmation.h"
#include "shell/main_commands.h"
#include "shell/run_calculation.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace k5;

namespace {

// A KMD tree with the masters, the archiver and the analysis program's folder.
struct Scene {
    k5test::LinkedTree linked;
    AppContext& ctx = linked.ctx;
    ScriptedPrompt& prompt = linked.tree.prompt;

    Scene() {
        k5test::ensureRebarMasters(ctx);
        ensureConcreteFile(ctx.folders);
        ensureCommonValues(ctx.folders);
        installFormatConversion(ctx.jobHooks);
        QFile::copy(k5test::builtArchiver(), archiverPath(ctx.folders));
    }
    void loadJob() { k5::loadJob(ctx.folders, ctx.job, ctx.jobHooks); }
    ArchiveWork work() { return {ctx.folders, ctx.control, ctx.job, ctx.archive, prompt}; }
    QString archive() const { return ctx.folders.saveFolder + QStringLiteral("/v02_試験.lzh"); }
};

// What the operation reported: success, or the message the user saw.
struct Reported {
    bool ok;
    QString message;
};

Reported fromOutcome(const Outcome& outcome) {
    return {outcome.ok, outcome.message.text};
}

// A command that shows its own messages: the warnings and errors it showed.
Reported fromPrompt(bool ok, const ScriptedPrompt& prompt) {
    QStringList problems;
    for (const Message& m : prompt.shown())
        if (m.icon == Icon::Error || m.icon == Icon::Warning) problems << m.text;
    return {ok, problems.join(u'\n')};
}

// A domain operation whose window shows the failure: the window's text.
Reported fromSave(bool ok, const QString& path) {
    return {ok, ok ? QString() : writeFailedMessage(path)};
}

struct ReplacingOperation {
    const char* name;
    std::function<void(Scene&)> prepare;
    std::function<QString(Scene&)> file;
    std::function<Reported(Scene&)> run;
    // What of the file counts: its bytes, unless it says otherwise.
    std::function<QByteArray(const QString&)> content = k5test::readBytes;
};

QString jobFile(Scene& s) {
    return s.ctx.folders.jobFile();
}

void designableJob(Scene& s) {
    QList<FoundationRecord> records;
    for (int n = 1; n <= 4; ++n)
        records << benchjob::footing(n);
    k5test::writeJob(s.ctx, records);
    s.loadJob();
}

// The bar layout values loading would otherwise repair, so that an old job
// is converted in one replacement: data1 from byte `data1At`.
void putBarLayout(QByteArray& record, int data1At) {
    for (int i :
         {field::edgx, field::edgy, field::pitchx, field::pitchy, field::nx, field::ny, field::priority})
        qToLittleEndian<float>(i == field::priority ? 1 : 100, record.data() + data1At + 4 * i);
}

// A job of the format before the current one: two records, version 203.
void jobOfFormat203(Scene& s) {
    QByteArray record(old_format::kLength203, '\0');
    qToLittleEndian<qint16>(203, record.data());
    record.replace(2, 4, "Job~");
    putBarLayout(record, 272);
    k5test::writeBytes(jobFile(s), record + record);
}

void jobOfTheOldestFormat(Scene& s) {
    QByteArray record = k5test::oldRecord("old", "A", 1000);
    putBarLayout(record, 262);
    k5test::writeBytes(s.ctx.folders.oldJobFile(), record);
}

// An imported job whose records 2 and 4 form a design group.
void groupedJob(Scene& s) {
    QList<FoundationRecord> records;
    for (int n = 1; n <= 4; ++n) {
        FoundationRecord r = benchjob::footing(n);
        r.importFlag = -1;
        r.groupNo = n % 2 == 0 ? 3 : 1;
        records << r;
    }
    k5test::writeJob(s.ctx, records);
    s.loadJob();
}

Reported correctGroupedRecord(Scene& s) {
    RecordEdit edit{s.ctx.folders, s.ctx.job, {EditMode::Correction, 2, kTypeIsolated}, {}};
    RecordForm form;
    if (!loadRecordForm(edit, form)) return {false, QStringLiteral("not loaded")};
    form.Lx = QStringLiteral("3100");
    return fromOutcome(recordAsIs(edit, form));
}

Reported importSupports(Scene& s) {
    s.linked.writeProject();
    QStringList lines;
    for (int c = 1; c <= 5; ++c)
        lines << k5test::reactionLine(1, 1, 1, 2, c, 1.5 * c, -100 - c, 10 + c);
    for (int c = 1; c <= 5; ++c)
        lines << k5test::reactionLine(2, 2, 1, 1, c, -3.25 * c, -110 - c, -30 - c, "Y2", "1F", "X1");
    s.linked.writeSupports(lines);
    return fromOutcome(readSupportReactions(s.ctx.folders, s.ctx.job));
}

QString reportFile(Scene& s) {
    return s.ctx.folders.dataFolder + QStringLiteral("/計算書.pdf");
}

// A calculated job and the report written from it earlier.
void calculatedJobWithAnEarlierReport(Scene& s) {
    designableJob(s);
    runCalculation(s.ctx);
    loadFontSet(s.ctx.folders, s.ctx.reportFont); // the default font sets are in place
    k5test::writeBytes(reportFile(s), QByteArray("%PDF-1.4 the earlier report\n%%EOF\n"));
}

Reported writeReport(Scene& s) {
    report::ReportJob job;
    const Outcome loaded = report::loadCheckedReportJob(s.ctx.folders, s.ctx.job, s.ctx.jobHooks, job);
    if (!loaded) return fromOutcome(loaded);
    loadFontSet(s.ctx.folders, s.ctx.reportFont);
    return fromOutcome(report::writeReportPdf(reportFile(s), job, s.ctx.reportFont, 1, job.pageCount()));
}

// A report counts as its pages when it is a whole document (each one is
// stamped with the moment it was made), as its bytes otherwise.
QByteArray reportContent(const QString& path) {
    const QByteArray bytes = k5test::readBytes(path);
    if (!bytes.startsWith("%PDF-") || !bytes.trimmed().endsWith("%%EOF") || bytes.size() < 1000) return bytes;
    return "a whole document of " + QByteArray::number(bytes.count("/Type /Page\n")) + " pages";
}

GradeRows gradeRows(Scene& s) {
    GradeRows rows;
    for (const GradeRecord& g : readGradeRecords(s.ctx.folders))
        rows.append({g.material, g.gradeName, sizeClassText(g.sizeClass), QString::number(g.cgsLong),
                     QString::number(g.cgsShort), QString::number(g.siLong), QString::number(g.siShort),
                     QStringLiteral("改")});
    return rows;
}

const std::vector<ReplacingOperation>& operations() {
    static const std::vector<ReplacingOperation> all = {
        {"delete rows", [](Scene& s) { k5test::writeSampleJob(s.ctx, 5), s.loadJob(); }, jobFile,
         [](Scene& s) {
             int first = 2, last = 3;
             return fromPrompt(deleteChosenRows(s.ctx, first, last), s.prompt);
         }},
        {"delete all", [](Scene& s) { k5test::writeSampleJob(s.ctx, 5), s.loadJob(); }, jobFile,
         [](Scene& s) { return fromPrompt(deleteAllFoundations(s.ctx), s.prompt); }},
        {"move a record",
         [](Scene& s) { k5test::writeSampleJob(s.ctx, 5), s.loadJob(), s.ctx.job.currentRecord = 2; },
         jobFile, [](Scene& s) { return fromPrompt(moveRecord(s.ctx, +1, {}), s.prompt); }},
        {"rewrite the job names",
         [](Scene& s) {
             k5test::writeSampleJob(s.ctx, 5), s.loadJob();
             s.ctx.job.currentJobName = QStringLiteral("新しい工事");
         },
         jobFile, [](Scene& s) { return fromPrompt(storeJobIdentity(s.ctx), s.prompt); }},
        {"start a new job over a job with foundations",
         [](Scene& s) { k5test::writeSampleJob(s.ctx, 5), s.loadJob(); }, jobFile,
         [](Scene& s) {
             const bool created = createNewJob(s.ctx, [&s] {
                 s.ctx.job.currentJobName = s.ctx.job.currentFileName = QStringLiteral("次の工事");
                 return true;
             });
             return fromPrompt(created, s.prompt);
         }},
        {"correct a record of a group", groupedJob, jobFile, correctGroupedRecord},
        {"calculate", designableJob, jobFile,
         [](Scene& s) { return fromPrompt(runCalculation(s.ctx), s.prompt); }},
        {"upgrade a job of the older format", jobOfFormat203, jobFile,
         [](Scene& s) { return fromOutcome(k5::loadJob(s.ctx.folders, s.ctx.job, s.ctx.jobHooks)); }},
        {"convert a job of the oldest format", jobOfTheOldestFormat, jobFile,
         [](Scene& s) { return fromOutcome(k5::loadJob(s.ctx.folders, s.ctx.job, s.ctx.jobHooks)); }},
        {"repair the defaults of a loaded job",
         [](Scene& s) {
             FoundationRecord r = benchjob::footing(1);
             r.data1[field::edgx] = 0;
             k5test::writeJob(s.ctx, {r});
         },
         jobFile,
         [](Scene& s) { return fromOutcome(k5::loadJob(s.ctx.folders, s.ctx.job, s.ctx.jobHooks)); }},
        {"import support reactions", [](Scene& s) { k5test::writeSampleJob(s.ctx, 2); }, jobFile,
         importSupports},
        {"name a group of imported supports", [](Scene& s) { importSupports(s); }, jobFile,
         [](Scene& s) {
             int highest = highestGroup(s.ctx.folders);
             return fromOutcome(
                 applyGroupName(s.ctx.folders, 1, 1, {QStringLiteral("F1"), kTypeIsolated}, highest).outcome);
         }},
        {"open an archive",
         [](Scene& s) {
             k5test::writeSampleJob(s.ctx, 3);
             ArchiveWork w = s.work();
             saveArchiveFile(w, s.archive());
             k5test::writeSampleJob(s.ctx, 5);
         },
         jobFile,
         [](Scene& s) {
             ArchiveWork w = s.work();
             return fromOutcome(openArchiveFile(w, s.archive(), false));
         }},
        {"open an archive of the oldest format",
         [](Scene& s) {
             k5test::writeSampleJob(s.ctx, 2);
             QTemporaryDir dir;
             QByteArray record = k5test::oldRecord("old", "A", 1000);
             putBarLayout(record, 262);
             k5test::writeBytes(dir.filePath(kOldMember), record + record);
             QProcess::execute(k5test::builtArchiver(),
                               {QStringLiteral("u"), s.ctx.folders.saveFolder + QStringLiteral("/old.lzh"),
                                dir.filePath(kOldMember)});
         },
         jobFile,
         [](Scene& s) {
             ArchiveWork w = s.work();
             return fromOutcome(
                 openArchiveFile(w, s.ctx.folders.saveFolder + QStringLiteral("/old.lzh"), false));
         }},
        {"save an archive", [](Scene& s) { k5test::writeSampleJob(s.ctx, 3); },
         [](Scene& s) { return s.archive(); },
         [](Scene& s) {
             ArchiveWork w = s.work();
             return fromOutcome(saveArchiveFile(w, s.archive()));
         },
         // An archive records when it was made: its job is what counts.
         [](const QString& archive) { return k5test::archiveMember(archive, kCurrentMember); }},
        {"write the report", calculatedJobWithAnEarlierReport, reportFile, writeReport, reportContent},
        {"save the grade master", [](Scene&) {}, [](Scene& s) { return s.ctx.folders.rebarGradeFile; },
         [](Scene& s) { return fromPrompt(saveGradeRows(s.ctx.folders, s.prompt, gradeRows(s)), s.prompt); }},
        {"reset the grade master", [](Scene& s) { saveGradeRows(s.ctx.folders, s.prompt, gradeRows(s)); },
         [](Scene& s) { return s.ctx.folders.rebarGradeFile; },
         [](Scene& s) { return fromSave(writeDefaultGrades(s.ctx.folders), s.ctx.folders.rebarGradeFile); }},
        {"save the Young's modulus", [](Scene& s) { ensureYoungFile(s.ctx.folders); },
         [](Scene& s) { return s.ctx.folders.youngModulusFile; },
         [](Scene& s) {
             return fromSave(saveYoung(s.ctx.folders, {210000, 2000}), s.ctx.folders.youngModulusFile);
         }},
        {"save the bar sizes", [](Scene&) {},
         [](Scene& s) { return barSizeFile(s.ctx.folders, QStringLiteral("D")); },
         [](Scene& s) {
             const BarSizeRows rows = {{QStringLiteral("D10"), QStringLiteral("0.71"), QStringLiteral("3")}};
             return fromPrompt(saveBarSizeRows(s.ctx.folders, s.prompt, QStringLiteral("D"), rows), s.prompt);
         }},
        {"save the font sets", [](Scene& s) { writeDefaultFontSets(s.ctx.folders); },
         [](Scene& s) { return s.ctx.folders.fontFile; },
         [](Scene& s) {
             const FontSetRows rows = {{QStringLiteral("ＭＳ明朝"), QStringLiteral("12"),
                                        QStringLiteral("10"), QStringLiteral("8")}};
             return fromPrompt(saveFontSets(s.ctx.folders, s.prompt, rows, 1), s.prompt);
         }},
        {"save the concrete setting", [](Scene&) {}, [](Scene& s) { return concreteFile(s.ctx.folders); },
         [](Scene& s) {
             return fromSave(saveConcreteSetting(s.ctx.folders, {2, 1.5f, 1.5f}),
                             concreteFile(s.ctx.folders));
         }},
        {"save the key actions", [](Scene& s) { ensureKeyActionFile(s.ctx.folders, s.ctx.control); },
         [](Scene& s) { return keyActionFilePath(s.ctx.folders); },
         [](Scene& s) {
             s.ctx.control.keyAction[kWrapUpToLastRow] = 1;
             return fromSave(saveKeyActions(s.ctx.folders, s.ctx.control), keyActionFilePath(s.ctx.folders));
         }},
        {"save the common values", [](Scene&) {}, [](Scene& s) { return s.ctx.folders.commonValuesFile; },
         [](Scene& s) {
             CommonValues si = defaultCommonValues(1), cgs = defaultCommonValues(2);
             si.pitchx = cgs.pitchx = 150;
             return fromSave(saveCommonValues(s.ctx.folders, si, cgs), s.ctx.folders.commonValuesFile);
         }},
        {"save the cancel setting",
         [](Scene& s) {
             ensureControlFile(s.ctx.folders, s.ctx.control);
             ensureKeyActionFile(s.ctx.folders, s.ctx.control);
         },
         [](Scene& s) { return s.ctx.folders.controlFile(); },
         [](Scene& s) { return fromPrompt(saveCancelConfirm(s.ctx, 1), s.prompt); }},
    };
    return all;
}

struct FileState {
    bool exists;
    QByteArray bytes;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const ReplacingOperation& op, const QString& path) {
    return {QFileInfo::exists(path), op.content(path)};
}

// Files a failed operation may not leave: scratch files and folders.
QStringList scratchLeftIn(const QString& folder) {
    QStringList left;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        if (name.endsWith(QStringLiteral("_dum")) || name.endsWith(QStringLiteral(".part")) ||
            name.startsWith(u'.'))
            left << name;
    return left;
}

class WriteFaults : public ::testing::TestWithParam<size_t> {
  protected:
    void TearDown() override { write_faults::failStep(0); }
};

TEST_P(WriteFaults, EveryFailingStepLeavesTheOldFileOrTheNewOneAndIsReported) {
    const ReplacingOperation& op = operations()[GetParam()];
    SCOPED_TRACE(op.name);

    // Without a fault: the new file, and how many steps it took.
    FileState replaced;
    int steps = 0;
    {
        Scene s;
        op.prepare(s);
        const FileState before = stateOf(op, op.file(s));
        write_faults::failStep(0);
        const Reported done = op.run(s);
        ASSERT_TRUE(done.ok) << qPrintable(done.message);
        steps = write_faults::steps();
        replaced = stateOf(op, op.file(s));
        ASSERT_NE(replaced, before) << "the operation changed nothing";
        ASSERT_GE(steps, 1);
    }

    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        Scene s;
        op.prepare(s);
        const QString path = op.file(s);
        const FileState before = stateOf(op, path);
        write_faults::failStep(k);
        const Reported done = op.run(s);
        write_faults::failStep(0);
        EXPECT_FALSE(done.message.isEmpty()) << "step " << k << " failed unseen";
        const FileState after = stateOf(op, path);
        EXPECT_TRUE(after == before || after == replaced)
            << "the file is neither the old one nor the new one";
        if (after == before) {
            EXPECT_FALSE(done.ok) << "a failure reported as success";
        }
        const QString folder = QFileInfo(path).absolutePath();
        EXPECT_EQ(scratchLeftIn(folder), QStringList{}) << qPrintable(folder);
    }
}

INSTANTIATE_TEST_SUITE_P(ReplacingOperations, WriteFaults, ::testing::Range<size_t>(0, operations().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             std::string name = operations()[info.param].name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

} // namespace
