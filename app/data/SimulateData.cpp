// Simulation of a length-frequency data set from a population model: cohorts of recruits
// with random sizes, each fish with its own von Bertalanffy parameters, logistic
// selectivity per sample and exponential survival give the expected catch of every
// sample; each sample is then measured again as a fixed number of fish drawn from that
// expected distribution.
#include "SimulateData.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>

#include "clsProgress.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "modMaths.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace simulation {

namespace {

std::optional<uint32_t>& seedSlot() {
    static std::optional<uint32_t> seed;
    return seed;
}

uint32_t ClockSeed() {
    const auto n = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return static_cast<uint32_t>(n ^ (n >> 32));
}

}  // namespace

void SetSeed(std::optional<uint32_t> seed) { seedSlot() = seed; }
std::optional<uint32_t> Seed() { return seedSlot(); }

double CohortCount(float z) { return std::floor(-std::log(0.01) / static_cast<double>(z)) + 1.0; }

std::array<int16_t, kSteps + 1> CumulativeClasses(const std::vector<float>& counts) {
    std::array<int16_t, kSteps + 1> table{};
    const int n = static_cast<int>(counts.size()) - 1;
    float sum = 0.0f;
    for (int j = 1; j <= n; ++j) sum += counts[j];
    // Single-precision accumulation as the table was always built: q reaches 0.99999923
    // after 200 steps, and the 1E-5 margin keeps the last step inside the last class.
    float q = 0.0f;
    float c = 0.0f;
    int k = 0;
    int lastClass = 1;
    for (int j = 1; j <= n; ++j) {
        c += counts[j] / sum;
        if (counts[j] > 0.0f) lastClass = j;
        while (static_cast<float>(static_cast<double>(c) - 1e-5) > q) {
            ++k;
            q += 0.005f;
            if (k <= kSteps) table[k] = static_cast<int16_t>(j);
        }
    }
    // Rounding can leave the last steps unset; they belong to the last class with fish.
    for (int e = 1; e <= kSteps; ++e)
        if (table[e] == 0) table[e] = static_cast<int16_t>(lastClass);
    return table;
}

}  // namespace simulation

namespace {

constexpr const char* kSimSource = "clsVorn.SimulateData";
constexpr int16_t kSimClasses = 101;
constexpr std::size_t kStride = kSimClasses + 1;  // row length of the per-sample tables

[[noreturn]] void Fail(const std::string& message) { throw VbError(1009, kSimSource, message); }

// A standard normal draw from the run's one random stream.
double Normal() { return modMaths::RandNormal(); }

// Draws until the value is accepted, at most kMaxRedraws times.
template <class Draw, class Accept>
double Redraw(Draw draw, Accept accept, const char* what) {
    for (int n = 0; n < simulation::kMaxRedraws; ++n) {
        const double v = draw();
        if (accept(v)) return v;
    }
    Fail(std::string("No valid ") + what + " could be drawn in " + std::to_string(simulation::kMaxRedraws) +
         " tries; change the simulation parameters.");
}

// mean x (1 + cv x a normal draw) in single precision, redrawn until accepted.
template <class Accept>
float RedrawAround(float mean, float cv, Accept accept, const char* what) {
    return static_cast<float>(
        Redraw([&] { return static_cast<double>(static_cast<float>(mean * (1.0 + cv * Normal()))); }, accept, what));
}

// First free VORNnnnnn.VN5 in the current folder, from VORN00000; VORN10000 when all exist.
std::string FreeSimulationFileName() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::current_path();
    fs::path candidate;
    for (int n = 0;; ++n) {
        candidate = folder / ("VORN" + vb::Format(static_cast<double>(n), "00000") + ".VN5");
        std::error_code ec;
        if (n >= 10000 || !fs::exists(candidate, ec)) break;
    }
    return candidate.string();
}

// Logistic selectivity of each sample (1-based), drawn once per sample, and the largest L50.
struct Selectivity {
    std::vector<float> sel50, selK;
    float maxL50 = 3.4E+38f;

    float At(int16_t i, float len) const {
        return static_cast<float>(1.0 / (1.0 + std::exp(-selK[i] * (static_cast<double>(len) - sel50[i]))));
    }
};

Selectivity DrawSelectivity(const clsSimData& sim, int16_t nd) {
    Selectivity sel;
    sel.sel50.assign(nd + 1, 0.0f);
    sel.selK.assign(nd + 1, 0.0f);
    for (int16_t i = 1; i <= nd; ++i) {
        sel.sel50[i] = static_cast<float>(sim.Sell50() * (1.0 + sim.CVsel50() * Normal()));
        if (i == 1 || sel.sel50[i] > sel.maxL50) sel.maxL50 = sel.sel50[i];
        sel.selK[i] = static_cast<float>(sim.SELK() * (1.0 + sim.CVSelk() * Normal()));
    }
    return sel;
}

// Age at which fishing starts: the mean fish reaching L50 (non-seasonal curve only).
float FishingStartAge(const clsSimData& sim) {
    if (sim.GC() != 0) return 0.0f;
    const float share = 1.0f - sim.Sell50() / sim.Linf();
    return static_cast<float>(sim.T0V() - vb::Log(share) / sim.MeanK());
}

// A cohort's recruits and the parameters its fish share, drawn in this order.
struct Cohort {
    int32_t recruits;
    float t0, ts, ngt;
};

Cohort DrawCohort(const clsSimData& sim) {
    const float cvRect = sim.CVRect();
    const double r = Redraw(
        [&] { return std::floor(1000.0 * std::exp(cvRect * Normal() - static_cast<double>(cvRect) * cvRect / 2.0)); },
        [](double v) { return v >= 1.0; }, "number of recruits");
    if (r > 2147483647.0) Fail("A cohort would hold too many recruits; lower the CV of the number of recruits.");
    Cohort c;
    c.recruits = static_cast<int32_t>(r);
    c.t0 = static_cast<float>(sim.T0V() * (1.0 + sim.CVT01() * Normal()));
    c.ts = RedrawAround(sim.MeanTS(), sim.CVTS(), [](double v) { return v >= 0.0 && v < 1.0; }, "cohort Ts");
    c.ngt = RedrawAround(sim.MeanNGT(), sim.CVNGT(), [](double v) { return v >= 0.0 && v < 1.0; }, "cohort NGT");
    return c;
}

// One fish's own growth parameters, drawn in this order.
struct Fish {
    float linf, k, t0, c;
};

Fish DrawFish(const clsSimData& sim, const Cohort& cohort, float maxL50) {
    Fish f;
    f.linf = RedrawAround(sim.Linf(), sim.CVLinf(), [&](double v) { return v > maxL50; },
                          "individual Linf above the largest L50");
    f.k = RedrawAround(sim.MeanK(), sim.CVK(), [](double v) { return v > 0.0; }, "individual K");
    f.t0 = static_cast<float>(cohort.t0 * (1.0 + sim.CVT02() * Normal()));
    f.c = RedrawAround(sim.MeanC(), sim.CVC(), [](double v) { return v >= 0.0; }, "individual C");
    return f;
}

// Expected catch per sample and class, written into the data set as one step.
struct ExpectedCatch {
    explicit ExpectedCatch(int16_t nd) : nd(nd), counts((static_cast<std::size_t>(nd) + 1) * kStride, 0.0f) {}
    void WriteInto(clsVorn& set) const {
        for (int16_t i = 1; i <= nd; ++i)
            for (int16_t j = 1; j <= kSimClasses; ++j) set.setDists(i, j, counts[i * kStride + j]);
    }
    int16_t nd;
    std::vector<float> counts;
};

// Adds the chance that `fish` of cohort c is caught in sample i, in the class of its length.
void AddToCatch(const clsVorn& set, const clsSimData& sim, const Selectivity& sel, float tSel, const Cohort& cohort,
                const Fish& fish, int c, int16_t i, ExpectedCatch& expected) {
    const float age = static_cast<float>(c - 1) + set.sTime(i);
    if (!(age > fish.t0)) return;  // not born yet
    float len = 0.0f;
    set.LengthFunc(sim.GC(), age, fish.k, fish.linf, fish.t0, cohort.ts, fish.c, cohort.ngt, len);
    if (!(len > 0.0f)) return;  // a fish of no length is not caught
    const float s = sel.At(i, len);
    const double cls = std::floor((len - set.MinLength()) / set.ClassSize()) + 1.0;
    if (!(cls >= 1.0 && cls <= kSimClasses)) return;
    double w = s * std::exp(-sim.MVal() * static_cast<double>(age));
    if (age > tSel) w *= std::exp(-sim.FVal() * static_cast<double>(age - tSel));
    if (w > 1E-10f) expected.counts[i * kStride + static_cast<std::size_t>(cls)] += static_cast<float>(w);
}

// Runs every cohort from 1 - y0 to nC through the samples; false when Cancel was pressed.
// The bar runs over the cohorts, counted from 1.
bool AccumulateCatch(const clsVorn& set, const clsSimData& sim, const Selectivity& sel, float tSel,
                     clsProgress& progress, ExpectedCatch& expected) {
    const int16_t nd = set.NumDists();
    const auto y0 = static_cast<int16_t>(std::floor(set.sTime(nd)));
    const float Z = sim.MVal() + sim.FVal();
    const auto nC = static_cast<int16_t>(simulation::CohortCount(Z));
    progress.setCaption("Simulating Data...");
    progress.setMax(static_cast<int16_t>(nC + y0));
    progress.setValue(0);
    for (int c = 1 - y0; c <= nC; ++c) {
        const Cohort cohort = DrawCohort(sim);
        for (int32_t k = 1; k <= cohort.recruits; ++k) {
            const Fish fish = DrawFish(sim, cohort, sel.maxL50);
            for (int16_t i = 1; i <= nd; ++i) {
                AddToCatch(set, sim, sel, tSel, cohort, fish, c, i, expected);
                if (progress.CancelPressed()) return false;
            }
        }
        progress.setValue(static_cast<int16_t>(c + y0));
    }
    return true;
}

// The first sample without any fish, 0 when every sample has some.
int16_t FirstEmptySample(const clsVorn& set) {
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        float sum = 0.0f;
        for (int16_t j = 1; j <= kSimClasses; ++j) sum += set.Dists(i, j);
        if (sum == 0.0f) return i;
    }
    return 0;
}

// Replaces the expected catch of every sample by NPopSamps fish drawn from it.
void MeasureSamples(clsVorn& set, const clsSimData& sim) {
    const int16_t nd = set.NumDists();
    std::vector<std::array<int16_t, simulation::kSteps + 1>> tables(nd + 1);
    for (int16_t i = 1; i <= nd; ++i) {
        std::vector<float> counts(kSimClasses + 1, 0.0f);
        for (int16_t j = 1; j <= kSimClasses; ++j) counts[j] = set.Dists(i, j);
        tables[i] = simulation::CumulativeClasses(counts);
    }
    std::vector<float> measured(kSimClasses + 1);
    for (int16_t i = 1; i <= nd; ++i) {
        std::fill(measured.begin(), measured.end(), 0.0f);
        for (int16_t n = 1; n <= sim.NPopSamps(); ++n) {
            const float u = vb::Rnd();
            int k = static_cast<int>(std::floor(static_cast<float>(simulation::kSteps) * u + 1.0f));
            if (k > simulation::kSteps) k = simulation::kSteps;
            // The table names the class whose lower bound was drawn; recomputing the
            // class from that bound in single precision can land one class too low.
            measured[tables[i][k]] += 1.0f;
        }
        for (int16_t j = 1; j <= kSimClasses; ++j) set.setDists(i, j, measured[j]);
    }
}

// Drops the classes at the top that no sample reached.
void DropEmptyTopClasses(clsVorn& set) {
    const int16_t nd = set.NumDists();
    int16_t nc = kSimClasses;
    auto emptyEverywhere = [&](int16_t j) {
        for (int16_t i = 1; i <= nd; ++i)
            if (set.Dists(i, j) > 0.0f) return false;
        return true;
    };
    while (nc >= 2 && emptyEverywhere(nc)) --nc;
    if (nc == kSimClasses) return;
    std::vector<float> keep((static_cast<std::size_t>(nd) + 1) * kStride, 0.0f);
    std::vector<float> times(nd + 1, 0.0f);
    for (int16_t i = 1; i <= nd; ++i) {
        times[i] = set.sTime(i);
        for (int16_t j = 1; j <= nc; ++j) keep[i * kStride + j] = set.Dists(i, j);
    }
    set.ResizeData(nd, nc);
    for (int16_t i = 1; i <= nd; ++i) {
        set.setsTime(i, times[i]);
        for (int16_t j = 1; j <= nc; ++j) set.setDists(i, j, keep[i * kStride + j]);
    }
}

}  // namespace

bool clsVorn::SimulateData() {
    clsSimData& sim = SimData();
    // Values the property sets accept but the run cannot live with are refused before
    // anything of the data set changes.
    if (const std::string problem = sim.SimulationProblem(); !problem.empty()) Fail(problem);

    vb::Randomize(simulation::Seed().value_or(simulation::ClockSeed()));
    mStatus = 1;
    setFileDesc("SIMULATED DATASET");
    mDataSource = 2;
    mIsDirty = true;
    setFileName(FreeSimulationFileName());

    const int16_t nd = sim.NSamples();
    mMinLength = sim.MinLen();
    mClassSize = sim.LCWidth();
    ResizeData(nd, kSimClasses);
    for (int16_t i = 1; i <= nd; ++i) setsTime(i, static_cast<float>(i - 1) * sim.SampSpace());
    const Selectivity sel = DrawSelectivity(sim, nd);
    const float tSel = FishingStartAge(sim);
    for (int16_t j = 1; j <= kSimClasses; ++j)
        setLBounds(j, mMinLength + static_cast<float>(j - 1) * mClassSize);

    clsProgress progress;
    ExpectedCatch expected(nd);
    const bool complete = AccumulateCatch(*this, sim, sel, tSel, progress, expected);
    expected.WriteInto(*this);
    if (!complete) {
        // The counts drawn so far stay; the set is not usable until remade.
        mStatus = 0;
        return false;
    }

    if (const int16_t empty = FirstEmptySample(*this); empty != 0) {
        mStatus = 0;
        Fail("Sample " + std::to_string(empty) +
             " received no fish; change the simulation parameters (length classes, selectivity or sample times).");
    }
    MeasureSamples(*this, sim);
    DropEmptyTopClasses(*this);

    Refresh();
    return mStatus == 1;
}
