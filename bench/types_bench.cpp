// Foundation types for an imported building of 2,000 supports (and 500),
// eight types: every support sized on its own once, then the grouping. The
// figure to watch is the CPU time of 2,000, which must stay under 5 s.
#include "bench_jobs.h"
#include "calc/calc_masters.h"
#include "import/foundation_types.h"
#include "import/support_reaction_reader.h"
#include "jobdata/common_values.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// Supports on a grid of bays, as a frame analysis leaves them: interior,
// edge and corner columns of one to three storeys, with seismic moments and
// shears in both directions.
QList<k5::FoundationRecord> importedBuilding(int supports) {
    std::mt19937 random(7);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const int axes = 50;
    const int frames = (supports + axes - 1) / axes;
    std::vector<k5::ReactionLine> lines;
    for (int n = 0; n < supports; ++n) {
        const int frame = 1 + n / axes, axis = 1 + n % axes;
        const double spanX = (axis > 1 ? 3.6 : 0) + (axis < axes ? 3.6 : 0);
        const double spanY = (frame > 1 ? 3.5 : 0) + (frame < frames ? 3.5 : 0);
        const double N = spanX * spanY * (1 + n % 3) * uniform(11, 14);
        for (int direction = 1; direction <= 2; ++direction)
            for (int loadCase = 1; loadCase <= 2; ++loadCase) {
                k5::ReactionLine line;
                line.lineNumber = static_cast<int>(lines.size()) + 1;
                line.direction = direction;
                line.frame = direction == 1 ? frame : axis;
                line.axis = direction == 1 ? axis : frame;
                line.storey = 1;
                line.loadCase = loadCase;
                line.N = static_cast<float>(loadCase == 1 ? -N : -N * uniform(0.05, 0.3));
                line.M = static_cast<float>(loadCase == 1 ? N * 0.005 : N * uniform(0.02, 0.15));
                line.H = static_cast<float>(loadCase == 1 ? N * 0.002 : N * uniform(0.1, 0.2));
                lines.push_back(line);
            }
    }
    std::vector<k5::FoundationRecord> built;
    k5::buildImportedRecords(lines, QStringLiteral("ベンチマーク"), k5::defaultCommonValues(1), built);
    QList<k5::FoundationRecord> records;
    for (k5::FoundationRecord& r : built) {
        k5::applyDesignLoads(r);
        records << r;
    }
    return records;
}

void BM_FoundationTypes(benchmark::State& state) {
    const int supports = static_cast<int>(state.range(0));
    benchjob::Job tree(0);
    const k5::CalcMasters masters = k5::CalcMasters::load(tree.ctx.folders);
    const QList<k5::FoundationRecord> job = importedBuilding(supports);
    k5::TypesPlan plan;
    for (auto _ : state) {
        plan = k5::chooseFoundationTypes(masters, job, {});
        benchmark::DoNotOptimize(plan);
    }
    state.counters["types"] = static_cast<double>(plan.types.size());
    state.counters["unsized"] = static_cast<double>(plan.unsized.size());
    state.counters["extra_percent"] = plan.extraPercent();
}

BENCHMARK(BM_FoundationTypes)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
