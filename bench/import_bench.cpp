// The import of support reactions for models of 500 and 5,000 supports
// (ten lines each: five load cases seen from X and from Y). The figure to
// watch is supports per second: it must stay flat as the model grows, since
// every Y line finds its support through the key index, not by a search.
#include "import/support_reaction_reader.h"
#include "jobdata/job_state.h"
#include "platform/cp932.h"
#include "platform/folders.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A building of `supports` columns on a grid of frames and axes, one storey,
// X lines of every support first, then the Y lines, as the analysis writes them.
class Model {
  public:
    explicit Model(int supports) {
        const QString kmd = dir_.path() + QStringLiteral("/KMD");
        for (const char* sub : {"MAS", "K5/PRG", "K5/DAT", "K5/保存データ", "KamoRX2/dat"})
            QDir().mkpath(kmd + u'/' + QString::fromUtf8(sub));
        folders = k5::Folders::forTree(kmd);
        folders.traceFile.clear();
        folders.analysisKind = QStringLiteral("RX2");
        folders.analysisProgramName = QStringLiteral("KAMO-RXⅡ");
        folders.analysisDataFolder = kmd + QStringLiteral("/KamoRX2/dat");
        write(QStringLiteral("KW-FPP1.dat"),
              k5::toCp932(QStringLiteral("\"P-01\",1,1,\"ベンチマーク\"\r\n")));

        const int axes = 50;
        QByteArray lines;
        for (int direction = 1; direction <= 2; ++direction) {
            for (int n = 0; n < supports; ++n) {
                const int frame = 1 + n / axes;
                const int axis = 1 + n % axes;
                for (int c = 1; c <= 5; ++c) {
                    const int f = direction == 1 ? frame : axis;
                    const int a = direction == 1 ? axis : frame;
                    lines +=
                        QStringLiteral("%1,%2,1,%3,%4,\"%5%6\",\"1F\",\"%7%8\",\"\",%9,%10,%11\r\n")
                            .arg(direction)
                            .arg(f)
                            .arg(a)
                            .arg(c)
                            .arg(direction == 1 ? u'X' : u'Y')
                            .arg(f)
                            .arg(direction == 1 ? u'Y' : u'X')
                            .arg(a)
                            .arg(QString::number(1.25 * c, 'f', 4), QString::number(-450.5 - n % 97, 'f', 4),
                                 QString::number(12.3456 * c, 'f', 4))
                            .toLatin1();
                }
            }
        }
        write(QStringLiteral("KW-FSPTK5"), lines);
    }

    k5::Folders folders;

  private:
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(folders.analysisDataFolder + u'/' + name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    }
    QTemporaryDir dir_;
};

void BM_ImportSupportReactions(benchmark::State& state) {
    const int supports = static_cast<int>(state.range(0));
    Model model(supports);
    for (auto _ : state) {
        k5::JobState job;
        const k5::Outcome outcome = k5::readSupportReactions(model.folders, job);
        if (!outcome.ok || job.recordCount != supports) {
            state.SkipWithError(outcome.message.text.toStdString().c_str());
            break;
        }
    }
    state.counters["supports_per_second"] =
        benchmark::Counter(static_cast<double>(supports), benchmark::Counter::kIsIterationInvariantRate);
}

// Wall time: reading both files and writing the job file are part of the run.
BENCHMARK(BM_ImportSupportReactions)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
