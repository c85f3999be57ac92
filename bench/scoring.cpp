// Grid searches and simplex searches on a data set of 12 samples by 60 classes, made from
// a known non-seasonal curve (K 0.5, Linf 80) with the tests' synthetic-data helper. Each
// search runs on one thread and on every hardware thread; the speed-up follows the table.
#include <benchmark/benchmark.h>

#include <memory>

#include "GridScorer.h"
#include "MVornGlobs.h"
#include "SpeedupReporter.h"
#include "SyntheticData.h"
#include "clsELEFAN.h"
#include "clsLFDSearch.h"
#include "clsPROJMAT.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace {

clsVorn& dataSet() {
    static clsVorn ds;
    static bool made = false;
    if (!made) {
        synthetic::Growth g;
        g.ClassSize = 1.5f;
        g.NumClasses = 60;
        g.sampleTimes = synthetic::EvenTimes(12);
        synthetic::Build(ds, g);
        made = true;
    }
    return ds;
}

template <class Method>
void gridSearch(benchmark::State& state, int16_t nodes, int32_t curve = 0, int32_t gridType = 0,
                float p1Lo = 0.1f, float p1Hi = 1.5f, float p2Lo = 60.0f, float p2Hi = 100.0f) {
    forms::ScopedHeadlessForms forms;
    MVornGlobs::CancelRequested = false;
    Method meth;
    meth.Create(dataSet());
    meth.setGrowthCurve(curve);
    clsLFDSearch search;
    search.setThreads(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        const bool ok = search.GridSearch(meth, gridType, p1Lo, p1Hi, nodes, p2Lo, p2Hi, nodes);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["K"] = search.P1();
    state.counters["Linf"] = search.P2();
    state.counters["nodes/s"] =
        benchmark::Counter(double(nodes) * nodes, benchmark::Counter::kIsIterationInvariantRate);
}

template <class Method>
void amoebaSearch(benchmark::State& state) {
    forms::ScopedHeadlessForms forms;
    MVornGlobs::CancelRequested = false;
    Method meth;
    meth.Create(dataSet());
    clsLFDSearch search;
    search.setThreads(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        const bool ok = search.AmoebaSearch(meth, 0, 0.1f, 1.5f, 60.0f, 100.0f);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["K"] = search.P1();
    state.counters["Linf"] = search.P2();
}

void BM_ElefanGrid100x100(benchmark::State& state) { gridSearch<clsELEFAN>(state, 100); }
void BM_ProjmatGrid30x30(benchmark::State& state) { gridSearch<clsPROJMAT>(state, 30); }
// Pauly curve, K vs NGT: new best nodes move PROJMAT's working t0, and now and then the
// workers must start afresh from the method.
void BM_ProjmatPaulyGrid30x30(benchmark::State& state) {
    gridSearch<clsPROJMAT>(state, 30, 2, 1, 0.2f, 1.2f, 0.0f, 0.8f);
}
void BM_ElefanAmoebaSearch(benchmark::State& state) { amoebaSearch<clsELEFAN>(state); }
void BM_ProjmatAmoebaSearch(benchmark::State& state) { amoebaSearch<clsPROJMAT>(state); }

}  // namespace

// One thread, then every hardware thread, as the search takes by default.
void OneAndAllThreads(benchmark::internal::Benchmark* b) {
    b->ArgName("threads")->Arg(1)->Arg(GridScorer::Threads(0))->UseRealTime();
}

BENCHMARK(BM_ElefanGrid100x100)->Apply(OneAndAllThreads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjmatGrid30x30)->Apply(OneAndAllThreads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjmatPaulyGrid30x30)->Apply(OneAndAllThreads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ElefanAmoebaSearch)->Apply(OneAndAllThreads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjmatAmoebaSearch)->Apply(OneAndAllThreads)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SpeedupReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
