#include "app/command_line.h"

#include "archive/archive_driver.h"
#include "calc/calc_masters.h"
#include "calc/calculation.h"
#include "calc/results_list.h"
#include "export/schedule_export.h"
#include "import/support_reaction_reader.h"
#include "jobdata/job_file.h"
#include "masters/font_set.h"
#include "report/page_sequence.h"
#include "report/report_pdf.h"
#include "shell/app_context.h"
#include "shell/foundation_types_run.h"
#include "shell/job_list.h"
#include "shell/main_commands.h"
#include "shell/run_calculation.h"
#include "shell/schedule_export_command.h"
#include "shell/size_proposals.h"
#include "shell/startup.h"
#include "shell/version.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace k5 {
namespace {

void printOut(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
}

void printErr(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stderr);
}

// `--records A-B` (or `--records N`): the foundations a command works on,
// every one of the job when the option is not given. The one rule of every
// command that takes it: the numbers must lie in the job, and a range that
// does not is refused (exit 2) before anything is done, rather than done
// for none of the foundations and reported as success.
struct RecordRange {
    int first = 1;
    int last = 0;
    bool given = false;

    // False for anything but "N" or "A-B" with 1 <= A <= B.
    bool parse(const QString& value) {
        const QStringList ends = value.split(u'-');
        bool firstOk = false, lastOk = ends.size() == 1;
        first = ends.value(0).toInt(&firstOk);
        last = ends.size() == 2 ? ends[1].toInt(&lastOk) : first;
        given = true;
        return firstOk && lastOk && ends.size() <= 2 && first >= 1 && last >= first;
    }
    // The last record the range takes of a job of `count` records.
    int lastIn(int count) const { return given ? last : count; }
};

// True when `range` lies in a job of `count` records; otherwise the user is
// told the job's range on standard error and the command ends with 2.
bool recordRangeFitsJob(const RecordRange& range, int count) {
    if (!range.given || range.last <= count) return true;
    printErr(QStringLiteral("データ番号の指定が正しくありません（1～%1）。\n").arg(count));
    return false;
}

int listJob(AppContext& ctx) {
    loadJobIdentity(ctx.folders, ctx.job);
    bool imported = ctx.job.imported;
    ListLayout layout = listLayout(imported);
    QStringList headers = layout.headers;
    headers.removeLast();
    QString out = headers.join(u'\t') + u'\n';
    const Outcome loaded =
        loadJob(ctx.folders, ctx.job, ctx.jobHooks, [&](int n, const FoundationRecord& record) {
            QStringList cells = listRow(record, n, imported);
            cells.removeLast();
            out += cells.join(u'\t') + u'\n';
        });
    if (loaded) printOut(out);
    return ctx.ask().report(loaded) ? 0 : 1;
}

// `report --pdf FILE [--pages A-B]`: where the report goes and which pages.
struct ReportRequest {
    QString pdfPath;
    int first = 1;
    int last = -1; // -1: to the last page
    bool valid = false;
};

ReportRequest parseReportArguments(const QStringList& arguments) {
    ReportRequest request;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (i + 1 >= arguments.size()) return request;
        const QString value = arguments[++i];
        if (option == QStringLiteral("--pdf")) {
            request.pdfPath = value;
        } else if (option == QStringLiteral("--pages")) {
            const QStringList range = value.split(u'-');
            bool firstOk = false, lastOk = range.size() == 1;
            request.first = range.value(0).toInt(&firstOk);
            request.last = range.size() == 2 ? range[1].toInt(&lastOk) : request.first;
            if (!firstOk || !lastOk || range.size() > 2) return request;
        } else {
            return request;
        }
    }
    request.valid = !request.pdfPath.isEmpty();
    return request;
}

// "page k of n" on standard error while a report is written, when someone
// watches it there; a log or a pipe gets nothing.
report::ReportProgress progressOnTerminal() {
    if (!isatty(fileno(stderr))) return {};
    return [](int done, int total) {
        if (done % 10 == 0 || done == total) {
            printErr(QStringLiteral("\r計算書を出力しています… %1 / %2 ページ").arg(done).arg(total));
            if (done == total) printErr(QStringLiteral("\n"));
            std::fflush(stderr);
        }
        return true;
    };
}

// The calculation report as one PDF; refused, as the 計算書 command is, until
// every record has been calculated.
int writeReport(AppContext& ctx, const ReportRequest& request) {
    // The job is loaded and checked as `list` and `calc` load it before anything is printed.
    report::ReportJob job;
    if (!ctx.ask().report(report::loadCheckedReportJob(ctx.folders, ctx.job, ctx.jobHooks, job))) return 1;
    // Calculated as the results list and the drawing judge it, in the job as loaded.
    if (!std::all_of(job.records.cbegin(), job.records.cend(), hasCompleteResults)) {
        ctx.ask().error(notCalculatedMessage());
        return 1;
    }
    ctx.reportFont = readReportFont(ctx.folders);
    const int last = request.last == -1 ? job.pageCount() : request.last;
    if (job.pageCount() > 0 && (request.first < 1 || last < request.first || last > job.pageCount())) {
        printErr(QStringLiteral("ページの指定が正しくありません（1～%1）。\n").arg(job.pageCount()));
        return 2;
    }
    const QString path = QFileInfo(request.pdfPath).absoluteFilePath();
    const Outcome written =
        report::writeReportPdf(path, job, ctx.reportFont, request.first, last,
                               report::traceTo(ctx.folders.traceFile), {}, progressOnTerminal());
    if (!ctx.ask().report(written)) return 1;
    printOut(QStringLiteral("計算書を出力しました（%1ページ）: ").arg(last - request.first + 1) + path +
             u'\n');
    return 0;
}

// `export --dxf FILE [--records A-B] [--sheet A1|A2|A3] [--scale 50|100] [--dxf-version 2010]`: the
// foundation schedule as one DXF file.
struct ExportArguments {
    dxfexport::ExportRequest request;
    RecordRange records;
    bool valid = false;
};

ExportArguments parseExportArguments(const QStringList& arguments, const QString& currentDirectory) {
    ExportArguments parsed;
    dxfexport::ExportRequest& request = parsed.request;
    QString path;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (i + 1 >= arguments.size()) return parsed;
        const QString value = arguments[++i];
        if (option == QStringLiteral("--dxf")) {
            path = value;
        } else if (option == QStringLiteral("--records")) {
            if (!parsed.records.parse(value)) return parsed;
            request.options.firstRecord = parsed.records.first;
            request.options.lastRecord = parsed.records.last;
        } else if (option == QStringLiteral("--sheet")) {
            const QString sheet = value.toUpper();
            if (sheet == QStringLiteral("A1"))
                request.options.sheet = dxfexport::SheetSize::A1;
            else if (sheet == QStringLiteral("A2"))
                request.options.sheet = dxfexport::SheetSize::A2;
            else if (sheet == QStringLiteral("A3"))
                request.options.sheet = dxfexport::SheetSize::A3;
            else
                return parsed;
        } else if (option == QStringLiteral("--scale")) {
            if (value != QStringLiteral("50") && value != QStringLiteral("100")) return parsed;
            request.options.plotScale = value.toDouble();
        } else if (option == QStringLiteral("--dxf-version")) {
            if (value == QStringLiteral("2010"))
                request.version = dxfexport::DxfVersion::R2010;
            else if (value == QStringLiteral("12") ||
                     value.compare(QStringLiteral("R12"), Qt::CaseInsensitive) == 0)
                request.version = dxfexport::DxfVersion::R12;
            else
                return parsed;
        } else {
            return parsed;
        }
    }
    if (path.isEmpty()) return parsed;
    request.path = QFileInfo(QDir(currentDirectory), path).absoluteFilePath();
    parsed.valid = true;
    return parsed;
}

// Foundations without a cell are named on standard error; the drawing is
// written when at least one foundation has one.
int exportSchedule(AppContext& ctx, const ExportArguments& arguments) {
    const dxfexport::ExportRequest& request = arguments.request;
    report::ReportJob job;
    const Outcome loaded = report::loadCheckedReportJob(ctx.folders, ctx.job, ctx.jobHooks, job,
                                                        QStringLiteral("DXFを出力できません。"));
    if (!ctx.ask().report(loaded)) return 1;
    if (!recordRangeFitsJob(arguments.records, static_cast<int>(job.records.size()))) return 2;
    const dxfexport::ExportResult result = dxfexport::exportScheduleDxf(ctx.folders, job, request);
    for (const dxfexport::LeftOut& left : result.leftOut)
        printErr(dxfexport::leftOutLine(left) + u'\n');
    for (const dxfexport::LeftOut& failing : result.failing)
        printErr(dxfexport::leftOutLine(failing) + u'\n');
    if (!ctx.ask().report(result.outcome)) return 1;
    printOut(QStringLiteral("DXFを出力しました（基礎 %1 件）: ").arg(result.foundations) + request.path +
             u'\n');
    return 0;
}

// `open ARCHIVE` and `save ARCHIVE`: the archive commands without their
// dialogs and questions (the user asked for the command), with the same
// care for the job and the archive.
int runArchiveCommand(AppContext& ctx, const QString& command, const QString& archivePath) {
    ArchiveWork work{ctx.folders, ctx.control, ctx.job, ctx.archive, ctx.ask()};
    const Outcome outcome = command == QStringLiteral("open") ? openArchiveFile(work, archivePath, false)
                                                              : saveArchiveFile(work, archivePath);
    return ctx.ask().report(outcome) ? 0 : 1;
}

// `import`: the analysis program's support reactions replace the job, with
// no question: the user asked for the command.
int importSupportReactions(AppContext& ctx) {
    if (!ctx.ask().report(readSupportReactions(ctx.folders, ctx.job))) return 1;
    printOut(QStringLiteral("基礎データを読み込みました（データ数： %1 ）\n").arg(ctx.job.recordCount));
    return 0;
}

// `results [--csv FILE [--encoding utf-8|cp932]]`: the results list as
// printed rows or as a CSV file. It reads the job and writes nothing else.
struct ResultsRequest {
    QString csvPath;
    CsvEncoding encoding = CsvEncoding::Utf8Bom;
    bool valid = false;
};

ResultsRequest parseResultsArguments(const QStringList& arguments, const QString& currentDirectory) {
    ResultsRequest request;
    bool encodingGiven = false;
    for (int i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) return request;
        const QString& option = arguments[i];
        const QString& value = arguments[i + 1];
        if (option == QStringLiteral("--csv") && !value.isEmpty()) {
            request.csvPath = QFileInfo(QDir(currentDirectory), value).absoluteFilePath();
        } else if (option == QStringLiteral("--encoding")) {
            encodingGiven = true;
            const QString name = value.toLower();
            if (name == QStringLiteral("utf-8") || name == QStringLiteral("utf8"))
                request.encoding = CsvEncoding::Utf8Bom;
            else if (name == QStringLiteral("cp932") || name == QStringLiteral("shift_jis"))
                request.encoding = CsvEncoding::Cp932;
            else
                return request;
        } else {
            return request;
        }
    }
    request.valid = !encodingGiven || !request.csvPath.isEmpty();
    return request;
}

int printResults(AppContext& ctx, const ResultsRequest& request) {
    // A job that list, calc and the report refuse is refused here too, with
    // their message, rather than shown as a list of empty rows.
    QList<FoundationRecord> records;
    const Outcome loaded = loadJob(ctx.folders, ctx.job, ctx.jobHooks,
                                   [&](int, const FoundationRecord& record) { records.append(record); });
    if (!ctx.ask().report(loaded)) return 1;
    const QList<ResultRow> rows = readResults(ctx.folders, records);
    if (request.csvPath.isEmpty()) {
        printOut(resultsTabText(rows));
        return 0;
    }
    if (!ctx.ask().report(writeResultsCsv(request.csvPath, rows, request.encoding))) return 1;
    printOut(QStringLiteral("計算結果一覧を保存しました（%1件）: ").arg(rows.size()) + request.csvPath +
             u'\n');
    return 0;
}

// `propose [--records A-B] [--step MM] [--depth-step MM] [--max-aspect R]
// [--min-pitch MM] [--target R] [--apply]`: what the proposals are. Each
// option at most once.
struct ProposeRequest {
    RecordRange records;
    SizingLimits limits;
    bool apply = false;
    bool valid = false;
};

ProposeRequest parseProposeArguments(const QStringList& arguments) {
    ProposeRequest request;
    QStringList seen;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (seen.contains(option)) return request;
        seen << option;
        if (option == QStringLiteral("--apply")) {
            request.apply = true;
            continue;
        }
        if (i + 1 >= arguments.size()) return request;
        const QString value = arguments[++i];
        bool ok = false;
        const double number = value.toDouble(&ok);
        SizingLimits& limits = request.limits;
        if (option == QStringLiteral("--records")) {
            if (!request.records.parse(value)) return request;
        } else if (option == QStringLiteral("--step") || option == QStringLiteral("--depth-step")) {
            const int step = value.toInt(&ok);
            if (!ok || step < kMinimumSizingStep || step > kMaximumSizingStep) return request;
            (option == QStringLiteral("--step") ? limits.step : limits.depthStep) = step;
        } else if (option == QStringLiteral("--max-aspect")) {
            if (!ok || !(number >= 1 && number <= 20)) return request;
            limits.maxAspect = number;
        } else if (option == QStringLiteral("--min-pitch")) {
            if (!ok || !(number >= 0 && number <= 1000)) return request;
            limits.minPitch = number;
        } else if (option == QStringLiteral("--target")) {
            if (!ok || !(number > 0 && number <= 1)) return request;
            limits.target = number;
        } else {
            return request;
        }
    }
    request.valid = true;
    return request;
}

// Progress on a terminal for a run of more than a second: on stderr, and
// only when stderr is a terminal, so a redirected run stays clean.
class TerminalProgress {
  public:
    TerminalProgress() : terminal_(isatty(STDERR_FILENO) == 1) { clock_.start(); }
    ~TerminalProgress() {
        if (shown_) printErr(QStringLiteral("\r\033[K"));
    }
    bool operator()(int done, int total) {
        if (terminal_ && clock_.elapsed() > 1000 && (done == total || done % 50 == 0)) {
            printErr(QStringLiteral("\r寸法提案 %1/%2").arg(done).arg(total));
            shown_ = true;
        }
        return true;
    }

  private:
    bool terminal_ = false;
    bool shown_ = false;
    QElapsedTimer clock_;
};

// `propose`: a header row, then one tab-separated row per foundation; with
// --apply the found proposals are written into the job in one replacement.
int proposeSizes(AppContext& ctx, const ProposeRequest& request) {
    const JobForSizing job = loadJobForSizing(ctx);
    if (!ctx.ask().report(job.loaded)) return 1;
    const int count = static_cast<int>(job.records.size());
    if (!recordRangeFitsJob(request.records, count)) return 2;
    const CalcMasters masters = CalcMasters::load(ctx.folders);
    QList<JobProposal> proposals;
    {
        TerminalProgress progress;
        proposals = proposeForJob(masters, job.records, job.imported, request.records.first,
                                  request.records.lastIn(count), request.limits, std::ref(progress));
    }
    QString out = proposalHeaders().join(u'\t') + u'\n';
    int none = 0;
    for (const JobProposal& p : proposals) {
        out += proposalRow(job.records[p.record - 1], p).join(u'\t') + u'\n';
        if (!p.proposal.found) ++none;
    }
    printOut(out);
    bool written = false;
    if (request.apply) {
        if (!ctx.ask().report(applyProposals(ctx, job, proposals))) return 1;
        written = !recordsToApply(job.records, proposals).isEmpty();
    }
    if (none == 0) return 0;
    printErr(QStringLiteral("寸法を提案できない基礎があります（%1件）。").arg(none) +
             (written ? QStringLiteral("他の基礎には提案を適用しました。\n") : QStringLiteral("\n")));
    return 1;
}

// `types [--max N] [--prefix TEXT] [--all] [--apply]`: the automatic types.
struct TypesRequest {
    TypeOptions options;
    bool apply = false;
    bool valid = false;
};

TypesRequest parseTypesArguments(const QStringList& arguments) {
    TypesRequest request;
    QStringList seen;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (seen.contains(option)) return request;
        seen << option;
        if (option == QStringLiteral("--apply")) {
            request.apply = true;
        } else if (option == QStringLiteral("--all")) {
            request.options.all = true;
        } else if (option == QStringLiteral("--max") && i + 1 < arguments.size()) {
            bool ok = false;
            request.options.maxTypes = arguments[++i].toInt(&ok);
            if (!ok) return request;
        } else if (option == QStringLiteral("--prefix") && i + 1 < arguments.size()) {
            request.options.prefix = arguments[++i];
        } else {
            return request;
        }
    }
    request.valid = true;
    return request;
}

// Progress on a terminal only: a log or a pipe gets the table alone.
bool showTypesProgress(int done, int total) {
    static const bool terminal = isatty(STDERR_FILENO) != 0;
    if (terminal)
        printErr(QStringLiteral("\r自動グループ化 %1/%2").arg(done).arg(total) +
                 (done == total ? QStringLiteral("\n") : QString()));
    return true;
}

// `types`: one tab-separated row per type and the volume line; with --apply
// the names, groups and sizes are written in one replacement of the job.
int chooseTypes(AppContext& ctx, const TypesRequest& request) {
    if (const QString problem = typeOptionsProblem(request.options); !problem.isEmpty()) {
        printErr(problem + u'\n');
        return 2;
    }
    const JobForSizing job = loadJobForTypes(ctx);
    if (!ctx.ask().report(job.loaded)) return 1;
    const CalcMasters masters = CalcMasters::load(ctx.folders);
    const TypesPlan plan = chooseFoundationTypes(masters, job.records, request.options, showTypesProgress);
    QString out = typeTableHeaders().join(u'\t') + u'\n';
    for (const FoundationTypeGroup& type : plan.types)
        out += typeTableRow(type).join(u'\t') + u'\n';
    printOut(out + typeVolumeLine(plan) + u'\n');
    if (request.apply && !ctx.ask().report(applyFoundationTypes(ctx, job, plan))) return 1;
    if (plan.unsized.isEmpty()) return 0;
    QString unsized = QStringLiteral("寸法を提案できない基礎があります（%1件）。グループ化していません:\n")
                          .arg(plan.unsized.size());
    for (const UnsizedSupport& s : plan.unsized)
        unsized += QStringLiteral("  No.%1 %2\n").arg(s.record).arg(s.reason);
    printErr(unsized);
    return 1;
}

} // namespace

QString usageText() {
    return QStringLiteral(
        "使い方 / usage:\n"
        "  kamo-k5                                  画面を開く (the main window)\n"
        "  kamo-k5 ARCHIVE.lzh                      画面で保存データを開く (the window, opening the "
        "archive)\n"
        "  kamo-k5 calc                             計算開始 (calculate every foundation)\n"
        "  kamo-k5 list                             基礎データリスト (the foundation list, tab-separated)\n"
        "  kamo-k5 results [--csv FILE [--encoding utf-8|cp932]]\n"
        "                                           計算結果一覧 (ratios and judgement of every foundation,\n"
        "                                           tab-separated, or as CSV: UTF-8 with BOM or CP932)\n"
        "  kamo-k5 report --pdf FILE [--pages A-B]  計算書をPDFに出力 (the calculation report as one PDF)\n"
        "  kamo-k5 export --dxf FILE [--records A-B] [--sheet A1|A2|A3] [--scale 50|100] [--dxf-version "
        "2010]\n"
        "                                           基礎リストをDXFに出力 (the foundation schedule as DXF)\n"
        "  kamo-k5 propose [--records A-B] [--step MM] [--depth-step MM] [--max-aspect R]\n"
        "                  [--min-pitch MM] [--target R] [--apply]\n"
        "                                           寸法提案 (the smallest footing or fewest piles that "
        "pass)\n"
        "  kamo-k5 types [--max N] [--prefix TEXT] [--all] [--apply]\n"
        "                                           自動グループ化 (at most N foundation types per kind, "
        "default 8)\n"
        "  kamo-k5 open ARCHIVE.lzh                 保存データを開く (open a saved archive; older ones are "
        "converted)\n"
        "  kamo-k5 save ARCHIVE.lzh                 名前を付けてデータを保存 (save the job as an archive)\n"
        "  kamo-k5 import                           解析プログラムの支点反力を読込 (import the support "
        "reactions)\n"
        "  kamo-k5 --window NAME                    指定したウィンドウだけを開く (open one window)\n"
        "  kamo-k5 --help | --version\n");
}

int runCommandLine(const QStringList& arguments, const QString& executablePath,
                   const QString& currentDirectory) {
    const QString command = arguments.value(0);
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        printOut(usageText());
        return 0;
    }
    if (command == QStringLiteral("--version")) {
        printOut(programTitle() + QStringLiteral(" rev. ") + QString::fromLatin1(kRevision) + u'\n');
        return 0;
    }
    const bool report = command == QStringLiteral("report");
    const ReportRequest reportRequest = report ? parseReportArguments(arguments) : ReportRequest{};
    const bool exporting = command == QStringLiteral("export");
    const ExportArguments exportArguments =
        exporting ? parseExportArguments(arguments, currentDirectory) : ExportArguments{};
    const bool results = command == QStringLiteral("results");
    const ResultsRequest resultsRequest =
        results ? parseResultsArguments(arguments, currentDirectory) : ResultsRequest{};
    const QStringList known{QStringLiteral("list"), QStringLiteral("calc"), QStringLiteral("import")};
    const bool archive = command == QStringLiteral("open") || command == QStringLiteral("save");
    const bool proposing = command == QStringLiteral("propose");
    const ProposeRequest proposeRequest = proposing ? parseProposeArguments(arguments) : ProposeRequest{};
    const bool typing = command == QStringLiteral("types");
    const TypesRequest typesRequest = typing ? parseTypesArguments(arguments) : TypesRequest{};
    const bool usable = typing      ? typesRequest.valid
                        : report    ? reportRequest.valid
                        : exporting ? exportArguments.valid
                        : results   ? resultsRequest.valid
                        : proposing ? proposeRequest.valid
                        : archive   ? arguments.size() == 2 && !arguments[1].isEmpty()
                                    : known.contains(command) && arguments.size() == 1;
    if (!usable) {
        printErr(usageText());
        return 2;
    }
    // The archive's path is taken as given where the command was started,
    // before anything changes the current directory.
    const QString archivePath =
        archive ? QFileInfo(QDir(currentDirectory), arguments[1]).absoluteFilePath() : QString();
    CommandLinePrompt prompt;
    AppContext ctx;
    ctx.prompt = &prompt;
    // Commands that change the job or the masters hold the tree's lock.
    const QStringList changing{QStringLiteral("calc"), QStringLiteral("open"), QStringLiteral("save"),
                               QStringLiteral("import")};
    // propose changes the job only with --apply.
    const bool locking =
        changing.contains(command) || (proposing && proposeRequest.apply) || (typing && typesRequest.apply);
    TreeLock lock;
    // The others read: they write nothing in the tree, so they need no lock.
    StartUpResult start = startUp(ctx, executablePath, currentDirectory, locking ? &lock : nullptr,
                                  locking ? TreeAccess::Changes : TreeAccess::ReadsOnly);
    if (!start.ok) {
        printErr(start.reason + u'\n');
        return 1;
    }
    if (command == QStringLiteral("calc")) {
        // The job is loaded as the main window loads it (older formats
        // upgraded, layout defaults repaired) in the calculation's own read.
        return loadAndRunCalculation(ctx) ? 0 : 1;
    }
    if (report) return writeReport(ctx, reportRequest);
    if (exporting) return exportSchedule(ctx, exportArguments);
    if (results) return printResults(ctx, resultsRequest);
    if (proposing) return proposeSizes(ctx, proposeRequest);
    if (typing) return chooseTypes(ctx, typesRequest);
    if (archive) return runArchiveCommand(ctx, command, archivePath);
    if (command == QStringLiteral("import")) return importSupportReactions(ctx);
    return listJob(ctx);
}

} // namespace k5
