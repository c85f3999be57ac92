// Growth-curve lengths (called for every class and sample by the scoring methods) and the
// lower ages of the class bounds (the seasonal form runs the root solver once per bound).
#include <benchmark/benchmark.h>

#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace {

void BM_LengthFunc(benchmark::State& state)
{
    const int32_t type = static_cast<int32_t>(state.range(0));
    clsVorn set;
    set.ResizeData(1, 100);  // the Pauly form needs a dimensioned data set
    float sum = 0.0f;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            float L = 0.0f;
            set.LengthFunc(type, 0.01f * static_cast<float>(i), 0.6f, 80.0f, -0.1f, 0.3f, 0.7f, 0.3f, L);
            sum += L;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_LengthFunc)->Arg(0)->Arg(1)->Arg(2)->ArgName("curve");

void BM_CalcLowerAgeBounds(benchmark::State& state)
{
    const int32_t seasonal = static_cast<int32_t>(state.range(0));
    forms::ScopedHeadlessForms forms;
    clsVorn set;
    const int16_t classes = 100;
    set.ResizeData(1, classes);
    for (int16_t j = 1; j <= classes + 1; ++j) set.setLBounds(j, 2.0f + 0.8f * static_cast<float>(j - 1));
    for (auto _ : state) {
        set.Calc_Lower_Age_Bounds(seasonal, 0.5f, 85.0f, -0.2f, 0.3f, 0.6f);
        benchmark::DoNotOptimize(set.Tmin(classes));
    }
    state.SetItemsProcessed(state.iterations() * (classes + 1));
}
BENCHMARK(BM_CalcLowerAgeBounds)->Arg(0)->Arg(1)->ArgName("seasonal");

}  // namespace
