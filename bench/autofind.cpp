// One whole automatic seasonal fit with ELEFAN and one with PROJMAT on a data set of
// 12 monthly samples by 60 classes, simulated with Hoenig seasonal growth (K 0.5, Linf 80,
// C 0.5, Ts 0.2); and one PROJMAT fit of the Pauly curve on 49 monthly samples of about
// 100 classes, simulated with Pauly growth (NGT 0.3, Ts 0.2), where every score depends
// on the t0 the score before it left. Counters: score evaluations and cycles per fit, and
// what was found.
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

// A simulated data set: Hoenig (C 0.5) or Pauly (NGT 0.3) growth with Ts 0.2, monthly
// samples, and the simulated classes cut or padded to `classes` (0: as simulated).
void simulate(clsVorn& ds, int32_t curve, int16_t samples, float classWidth, int16_t classes) {
    forms::ScopedHeadlessForms forms;
    ScopedHeadlessProgress progress;
    const fs::path old = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    simulation::SetSeed(7u);
    clsVorn sim;
    clsSimData& p = sim.SimData();
    p.setGC(curve);
    p.setMeanK(0.5f);
    p.setCVK(0.05f);
    p.setLinf(80.0f);
    p.setCVLinf(0.03f);
    p.setMeanC(0.5f);
    p.setCVC(0.05f);
    p.setMeanNGT(0.3f);
    p.setCVNGT(0.05f);
    p.setMeanTS(0.2f);
    p.setCVTS(0.02f);
    p.setNSamples(samples);
    p.setSampSpace(1.0f / 12.0f);
    p.setLCWidth(classWidth);
    sim.SimulateData();
    simulation::SetSeed(std::nullopt);
    fs::current_path(old);
    const int16_t nc = classes > 0 ? classes : sim.NumClasses();
    ds.ResizeData(sim.NumDists(), nc);
    ds.setMinLength(sim.MinLength());
    ds.setClassSize(sim.ClassSize());
    for (int16_t i = 1; i <= sim.NumDists(); ++i) {
        ds.setsTime(i, sim.sTime(i));
        for (int16_t j = 1; j <= nc; ++j) ds.setDists(i, j, j <= sim.NumClasses() ? sim.Dists(i, j) : 0.0f);
    }
    ds.Refresh();
}

clsVorn& hoenigSet() {
    static clsVorn ds;
    static const bool made = (simulate(ds, 1, 12, 1.5f, 60), true);
    (void)made;
    return ds;
}

clsVorn& paulySet() {
    static clsVorn ds;
    static const bool made = (simulate(ds, 2, 49, 0.8f, 0), true);
    (void)made;
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

void wholeFit(benchmark::State& state, clsVorn& data, int32_t method, int32_t curve) {
    forms::ScopedHeadlessForms forms;
    ScopedHeadlessProgressUnknown waits;
    ScopedHeadlessLogViews logViews;
    MVornGlobs::InitGlobals();
    const fs::path folder = fs::temp_directory_path() / "vorn-bench-autofind";
    fs::create_directories(folder);
    clsLog log(folder.string());
    clsGrowthParams params;
    params.setLinf(data.maxlength());
    clsAutofind::SetInputDialog([method, curve](clsGrowthParams&, clsAutofind::Choice& c) {
        c.Method = method;
        c.GrowthCurve = curve;
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
    state.counters[curve == 2 ? "NGT" : "C"] = curve == 2 ? params.NGT() : params.c();
    state.counters["Ts"] = params.Ts();
    state.counters["score"] = fit.Score();
    state.counters["samples"] = data.NumDists();
    state.counters["classes"] = data.NumClasses();
    fs::remove_all(folder);
}

void BM_AutofindElefan(benchmark::State& state) { wholeFit(state, hoenigSet(), 2, 1); }
void BM_AutofindProjmat(benchmark::State& state) { wholeFit(state, hoenigSet(), 1, 1); }
void BM_AutofindProjmatPauly(benchmark::State& state) { wholeFit(state, paulySet(), 1, 2); }

}  // namespace

BENCHMARK(BM_AutofindElefan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutofindProjmat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutofindProjmatPauly)->Unit(benchmark::kMillisecond);
