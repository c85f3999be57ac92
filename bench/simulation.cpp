// SimulateData with the default parameters (6 samples, 13 cohorts of about 1000 fish,
// 750 fish measured per sample), headless windows, one fixed seed.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "HeadlessProgressView.h"
#include "SimulateData.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace {

void BM_SimulateDefaults(benchmark::State& state) {
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessProgress progress;
    simulation::SetSeed(2024u);
    // The simulation looks for a free file name in the current folder.
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    for (auto _ : state) {
        clsVorn set;
        benchmark::DoNotOptimize(set.SimulateData());
        benchmark::DoNotOptimize(set.NumClasses());
    }
    std::filesystem::current_path(old);
    simulation::SetSeed(std::nullopt);
}
BENCHMARK(BM_SimulateDefaults)->Unit(benchmark::kMillisecond);

}  // namespace
