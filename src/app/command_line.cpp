#include "app/command_line.h"

#include "calc/calculation.h"
#include "jobdata/job_file.h"
#include "shell/app_context.h"
#include "shell/job_list.h"
#include "shell/run_calculation.h"
#include "shell/startup.h"
#include "shell/version.h"

#include <cstdio>

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

int listJob(AppContext& ctx) {
    loadJobIdentity(ctx.folders, ctx.job);
    bool imported = ctx.job.imported;
    ListLayout layout = listLayout(imported);
    QStringList headers = layout.headers;
    headers.removeLast();
    QString out = headers.join(u'\t') + u'\n';
    loadJob(ctx.folders, ctx.job, ctx.jobHooks, [&](int n, const FoundationRecord& record) {
        QStringList cells = listRow(record, n, imported);
        cells.removeLast();
        out += cells.join(u'\t') + u'\n';
    });
    printOut(out);
    return 0;
}

} // namespace

QString usageText() {
    return QStringLiteral(
        "使い方 / usage:\n"
        "  kamo-k5                                  画面を開く (the main window)\n"
        "  kamo-k5 calc                             計算開始 (calculate every foundation)\n"
        "  kamo-k5 list                             基礎データリスト (the foundation list, tab-separated)\n"
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
    const QStringList known{QStringLiteral("list"), QStringLiteral("calc")};
    if (!known.contains(command) || arguments.size() != 1) {
        printErr(usageText());
        return 2;
    }
    CommandLinePrompt prompt;
    AppContext ctx;
    ctx.prompt = &prompt;
    StartUpResult start = startUp(ctx, executablePath, currentDirectory);
    if (!start.ok) {
        printErr(start.reason + u'\n');
        return 1;
    }
    if (command == QStringLiteral("calc")) return runCalculation(ctx) ? 0 : 1;
    return listJob(ctx);
}

} // namespace k5
