// One whole automatic seasonal fit with ELEFAN and one with PROJMAT on a data set of
// 12 monthly samples by 60 classes, simulated with Hoenig seasonal growth (K 0.5, Linf 80,
// C 0.5, Ts 0.2). Counters: score evaluations and cycles per fit, and what was found.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "HeadlessProgressUnknownView.h"
#include "HeadlessProgressView.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "SimulateData.h"
#include "clsAutofind.h"
#include "clsELEFAN.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsPROJMAT.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace fs = std::filesystem;

namespace {

clsVorn& dataSet() {
    static clsVorn ds;
    static bool made = false;
    if (made) return ds;
    forms::ScopedHeadlessForms forms;
    ScopedHeadlessProgress progress;
    const fs::path old = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    simulation::SetSeed(7u);
    clsVorn sim;
    clsSimData& p = sim.SimData();
    p.setGC(1);
    p.setMeanK(0.5f);
    p.setCVK(0.05f);
    p.setLinf(80.0f);
    p.setCVLinf(0.03f);
    p.setMeanC(0.5f);
    p.setCVC(0.05f);
    p.setMeanTS(0.2f);
    p.setCVTS(0.02f);
    p.setNSamples(12);
    p.setSampSpace(1.0f / 12.0f);
    p.setLCWidth(1.5f);
    sim.SimulateData();
    simulation::SetSeed(std::nullopt);
    fs::current_path(old);
    // The simulated classes, cut or padded to 60.
    constexpr int16_t nc = 60;
    ds.ResizeData(sim.NumDists(), nc);
    ds.setMinLength(sim.MinLength());
    ds.setClassSize(sim.ClassSize());
    for (int16_t i = 1; i <= sim.NumDists(); ++i) {
        ds.setsTime(i, sim.sTime(i));
        for (int16_t j = 1; j <= nc; ++j) ds.setDists(i, j, j <= sim.NumClasses() ? sim.Dists(i, j) : 0.0f);
    }
    ds.Refresh();
    made = true;
    return ds;
}

// The method a fit makes, counting its score evaluations and the fit's cycles.
template <class Method>
class Counting : public Method {
public:
    long* scores = nullptr;
    long* curveSets = nullptr;
    void CalcScoreT0(float K, float Linf, float& Score, float& T0) override {
        ++*scores;
        Method::CalcScoreT0(K, Linf, Score, T0);
    }
    void setGrowthCurve(int32_t gc) override {
        ++*curveSets;   // once to prepare, then once per cycle
        Method::setGrowthCurve(gc);
    }
};

class CountingAutofind : public clsAutofind {
public:
    long scores = 0, curveSets = 0;

protected:
    std::unique_ptr<IMeth> NewMethod(int32_t Method) override {
        if (Method == 1) return make<clsPROJMAT>();
        return make<clsELEFAN>();
    }

private:
    template <class M>
    std::unique_ptr<IMeth> make() {
        auto m = std::make_unique<Counting<M>>();
        m->scores = &scores;
        m->curveSets = &curveSets;
        return m;
    }
};

void wholeFit(benchmark::State& state, int32_t method) {
    clsVorn& data = dataSet();
    forms::ScopedHeadlessForms forms;
    ScopedHeadlessProgressUnknown waits;
    ScopedHeadlessLogViews logViews;
    MVornGlobs::InitGlobals();
    const fs::path folder = fs::temp_directory_path() / "vorn-bench-autofind";
    fs::create_directories(folder);
    clsLog log(folder.string());
    clsGrowthParams params;
    params.setLinf(data.maxlength());
    clsAutofind::SetInputDialog([method](clsGrowthParams&, clsAutofind::Choice& c) {
        c.Method = method;
        return true;
    });
    long fits = 0;
    CountingAutofind fit;
    for (auto _ : state) {
        params.setLinf(data.maxlength());
        fit.Create(data, params, log);
        fit.setVerbose(true);
        fit.AutoFind();
        log.ClearLog();
        ++fits;
        if (!fit.Success()) state.SkipWithError("the fit failed");
    }
    clsAutofind::SetInputDialog({});
    state.counters["scores/fit"] = static_cast<double>(fit.scores) / fits;
    state.counters["cycles/fit"] = static_cast<double>(fit.curveSets - fits) / fits;
    state.counters["K"] = params.k();
    state.counters["Linf"] = params.Linf();
    state.counters["C"] = params.c();
    state.counters["Ts"] = params.Ts();
    fs::remove_all(folder);
}

void BM_AutofindElefan(benchmark::State& state) { wholeFit(state, 2); }
void BM_AutofindProjmat(benchmark::State& state) { wholeFit(state, 1); }

}  // namespace

BENCHMARK(BM_AutofindElefan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutofindProjmat)->Unit(benchmark::kMillisecond);
