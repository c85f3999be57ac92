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

[[noreturn]] void Fail(const std::string& message) { throw VbError(1009, kSimSource, message); }

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

}  // namespace

bool clsVorn::SimulateData() {
    clsSimData& sim = SimData();
    // Values the property sets accept but the run cannot live with are refused before
    // anything of the data set changes.
    if (const std::string problem = sim.SimulationProblem(); !problem.empty()) Fail(problem);

    vb::Randomize(simulation::Seed().value_or(simulation::ClockSeed()));
    auto N = [] { return modMaths::RandNormal(); };

    mStatus = 1;
    const float Z = sim.MVal() + sim.FVal();
    setFileDesc("SIMULATED DATASET");
    mDataSource = 2;
    mIsDirty = true;

    // First free VORNnnnnn.VN5 in the current folder, from VORN00000; VORN10000 when all exist.
    {
        namespace fs = std::filesystem;
        const fs::path folder = fs::current_path();
        fs::path candidate;
        for (int n = 0;; ++n) {
            candidate = folder / ("VORN" + vb::Format(static_cast<double>(n), "00000") + ".VN5");
            std::error_code ec;
            if (n >= 10000 || !fs::exists(candidate, ec)) break;
        }
        setFileName(candidate.string());
    }

    const int16_t nd = sim.NSamples();
    mMinLength = sim.MinLen();
    mClassSize = sim.LCWidth();
    ResizeData(nd, kSimClasses);

    // Selectivity of each sample, drawn once per sample.
    std::vector<float> sel50(nd + 1, 0.0f), selK(nd + 1, 0.0f);
    float selMax = 3.4E+38f;
    bool selMaxSet = false;
    for (int16_t i = 1; i <= nd; ++i) {
        setsTime(i, static_cast<float>(i - 1) * sim.SampSpace());
        sel50[i] = static_cast<float>(sim.Sell50() * (1.0 + sim.CVsel50() * N()));
        if (!selMaxSet || sel50[i] > selMax) {
            selMax = sel50[i];
            selMaxSet = true;
        }
        selK[i] = static_cast<float>(sim.SELK() * (1.0 + sim.CVSelk() * N()));
    }
    const auto y0 = static_cast<int16_t>(std::floor(sTime(nd)));

    // Age at which fishing starts: the mean fish reaching L50 (non-seasonal curve only).
    float tSel = 0.0f;
    if (sim.GC() == 0) {
        const float share = 1.0f - sim.Sell50() / sim.Linf();
        tSel = static_cast<float>(sim.T0V() - vb::Log(share) / sim.MeanK());
    }
    for (int16_t j = 1; j <= kSimClasses; ++j)
        setLBounds(j, mMinLength + static_cast<float>(j - 1) * mClassSize);

    const auto nC = static_cast<int16_t>(simulation::CohortCount(Z));
    // The bar runs over the cohorts 1 - Y0 .. nC, counted from 1.
    clsProgress progress;
    progress.setCaption("Simulating Data...");
    progress.setMax(static_cast<int16_t>(nC + y0));
    progress.setValue(0);

    // Expected catch per sample and class, added into the data set as one step.
    const std::size_t stride = kSimClasses + 1;
    std::vector<float> acc((static_cast<std::size_t>(nd) + 1) * stride, 0.0f);
    auto flush = [&] {
        for (int16_t i = 1; i <= nd; ++i)
            for (int16_t j = 1; j <= kSimClasses; ++j) setDists(i, j, acc[i * stride + j]);
    };

    const float cvRect = sim.CVRect();
    for (int c = 1 - y0; c <= nC; ++c) {
        const double r = Redraw(
            [&] { return std::floor(1000.0 * std::exp(cvRect * N() - static_cast<double>(cvRect) * cvRect / 2.0)); },
            [](double v) { return v >= 1.0; }, "number of recruits");
        if (r > 2147483647.0) Fail("A cohort would hold too many recruits; lower the CV of the number of recruits.");
        const auto recruits = static_cast<int32_t>(r);
        const float t0c = static_cast<float>(sim.T0V() * (1.0 + sim.CVT01() * N()));
        const auto ts = static_cast<float>(Redraw([&] { return static_cast<double>(static_cast<float>(sim.MeanTS() * (1.0 + sim.CVTS() * N()))); },
                                                  [](double v) { return v >= 0.0 && v < 1.0; }, "cohort Ts"));
        const auto ngt = static_cast<float>(Redraw([&] { return static_cast<double>(static_cast<float>(sim.MeanNGT() * (1.0 + sim.CVNGT() * N()))); },
                                                   [](double v) { return v >= 0.0 && v < 1.0; }, "cohort NGT"));

        for (int32_t k = 1; k <= recruits; ++k) {
            const auto linf = static_cast<float>(Redraw([&] { return static_cast<double>(static_cast<float>(sim.Linf() * (1.0 + sim.CVLinf() * N()))); },
                                                        [&](double v) { return v > selMax; }, "individual Linf above the largest L50"));
            const auto kk = static_cast<float>(Redraw([&] { return static_cast<double>(static_cast<float>(sim.MeanK() * (1.0 + sim.CVK() * N()))); },
                                                      [](double v) { return v > 0.0; }, "individual K"));
            const auto t0 = static_cast<float>(t0c * (1.0 + sim.CVT02() * N()));
            const auto cc = static_cast<float>(Redraw([&] { return static_cast<double>(static_cast<float>(sim.MeanC() * (1.0 + sim.CVC() * N()))); },
                                                      [](double v) { return v >= 0.0; }, "individual C"));
            for (int16_t i = 1; i <= nd; ++i) {
                const float age = static_cast<float>(c - 1) + sTime(i);
                if (age > t0) {
                    float len = 0.0f;
                    LengthFunc(sim.GC(), age, kk, linf, t0, ts, cc, ngt, len);
                    // A fish of no length is not caught.
                    if (len > 0.0f) {
                        const auto s = static_cast<float>(1.0 / (1.0 + std::exp(-selK[i] * (static_cast<double>(len) - sel50[i]))));
                        const double cls = std::floor((len - mMinLength) / mClassSize) + 1.0;
                        if (cls >= 1.0 && cls <= kSimClasses) {
                            double w = s * std::exp(-sim.MVal() * static_cast<double>(age));
                            if (age > tSel) w *= std::exp(-sim.FVal() * static_cast<double>(age - tSel));
                            if (w > 1E-10f) acc[i * stride + static_cast<std::size_t>(cls)] += static_cast<float>(w);
                        }
                    }
                }
                if (progress.CancelPressed()) {
                    // The counts drawn so far stay; the set is not usable until remade.
                    flush();
                    mStatus = 0;
                    return false;
                }
            }
        }
        progress.setValue(static_cast<int16_t>(c + y0));
    }
    flush();

    // Measure NPopSamps fish of every sample from its expected catch.
    std::vector<std::array<int16_t, simulation::kSteps + 1>> tables(nd + 1);
    for (int16_t i = 1; i <= nd; ++i) {
        std::vector<float> counts(kSimClasses + 1, 0.0f);
        float sum = 0.0f;
        for (int16_t j = 1; j <= kSimClasses; ++j) sum += counts[j] = Dists(i, j);
        if (sum == 0.0f) {
            mStatus = 0;
            Fail("Sample " + std::to_string(i) +
                 " received no fish; change the simulation parameters (length classes, selectivity or sample times).");
        }
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
        for (int16_t j = 1; j <= kSimClasses; ++j) setDists(i, j, measured[j]);
    }

    // Drop the classes at the top that no sample reached.
    int16_t nc = kSimClasses;
    auto emptyEverywhere = [&](int16_t j) {
        for (int16_t i = 1; i <= nd; ++i)
            if (Dists(i, j) > 0.0f) return false;
        return true;
    };
    while (nc >= 2 && emptyEverywhere(nc)) --nc;
    if (nc < kSimClasses) {
        std::vector<float> keep((static_cast<std::size_t>(nd) + 1) * stride, 0.0f);
        std::vector<float> times(nd + 1, 0.0f);
        for (int16_t i = 1; i <= nd; ++i) {
            times[i] = sTime(i);
            for (int16_t j = 1; j <= nc; ++j) keep[i * stride + j] = Dists(i, j);
        }
        ResizeData(nd, nc);
        for (int16_t i = 1; i <= nd; ++i) {
            setsTime(i, times[i]);
            for (int16_t j = 1; j <= nc; ++j) setDists(i, j, keep[i * stride + j]);
        }
    }

    Refresh();
    return mStatus == 1;
}
