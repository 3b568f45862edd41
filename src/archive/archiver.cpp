#include "archive/archiver.h"

#include "platform/cp932.h"
#include "platform/folders.h"
#include "platform/record_file.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

extern "C" {
#include <lha_reader.h>
}

namespace k5 {

QString archiverPath(const Folders& folders) {
    return folders.prgFolder + QStringLiteral("/lha32");
}

ArchiverRun runArchiver(const Folders& folders, const QStringList& arguments, const QString& workingFolder,
                        int timeoutMs) {
    const QString program = archiverPath(folders);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    // The archiver dies with the program: a killed save or open must not
    // leave it writing on. Should the program be gone before the child
    // asked for that, the child ends at once.
    const pid_t parent = getpid();
    process.setChildProcessModifier([parent] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
    });

    // A program that cannot be started reports errorOccurred and never
    // finished(): both end the wait, as does the time limit.
    QEventLoop loop;
    bool ended = false;
    bool failedToStart = false;
    bool timedOut = false;
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return; // a crash is followed by finished()
        failedToStart = true;
        ended = true;
        loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        process.kill();
    });
    limit.start(timeoutMs);
    process.start();
    if (!ended) loop.exec(QEventLoop::ExcludeUserInputEvents);
    limit.stop();

    folders.trace(QStringLiteral("_301 ") + program + u' ' + arguments.join(u' ') + QStringLiteral(" (") +
                  workingFolder + u')');
    ArchiverRun run;
    if (failedToStart) {
        run.problem = QStringLiteral("圧縮プログラムを起動できませんでした：") + program;
    } else if (timedOut) {
        run.problem = QStringLiteral("圧縮プログラムが時間内に終わりませんでした：") + program;
    } else if (process.exitStatus() != QProcess::NormalExit) {
        run.problem = QStringLiteral("圧縮プログラムが異常終了しました：") + program;
    } else if (process.exitCode() != 0) {
        const QString said = QString::fromUtf8(process.readAllStandardError()).trimmed();
        run.problem = said.isEmpty() ? QStringLiteral("圧縮プログラムがエラーを返しました（終了コード %1）")
                                           .arg(process.exitCode())
                                     : said;
    } else {
        run.ok = true;
    }
    if (!run.ok) folders.trace(QStringLiteral("_301E ") + run.problem);
    return run;
}

QStringList archiveMembers(const QString& archivePath) {
    QStringList names;
    // A FIFO or device named as the archive is refused, never waited on.
    QFile file;
    if (!openRegularFile(file, archivePath)) return names;
    FILE* handle = ::fdopen(::dup(file.handle()), "rb");
    if (!handle) return names;
    LHAInputStream* stream = lha_input_stream_from_FILE(handle);
    if (!stream) {
        std::fclose(handle);
        return names;
    }
    LHAReader* reader = lha_reader_new(stream);
    if (reader) {
        while (LHAFileHeader* header = lha_reader_next_file(reader)) {
            if (!header->filename || std::strcmp(header->compress_method, LHA_COMPRESS_TYPE_DIR) == 0)
                continue;
            names << fromCp932(QByteArray(header->filename));
        }
        lha_reader_free(reader);
    }
    lha_input_stream_free(stream);
    std::fclose(handle);
    return names;
}

} // namespace k5
