// Grid search and multi-start simplex search over two growth parameters.
//
// The grid type says which two parameters are searched; the node rule maps a point
// (p1, p2) onto the method: seasonal parameters are written into the method, K and Linf
// are handed to the score. Every method's score is larger-is-better; PROJMAT's simplex
// objective is a sum of squares, so simplex values are compared by magnitude for it.
//
// Both searches work on several threads (GridScorer, SimplexStarts) with the results of
// one; the thread that calls them keeps the windows, the progress and the stored result.
#include "clsLFDSearch.h"

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "DeferredErrors.h"
#include "GridScorer.h"
#include "Hald_Error.h"
#include "IMeth.h"
#include "MVornGlobs.h"
#include "SimplexStarts.h"
#include "clsNelMead.h"
#include "clsProgress.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr const char* kSource = "clsLFDSearch";
constexpr float kPenalty = 1E+10f;   // objective value of an infeasible point

VbError searchFailed() { return VbError(vbObjectError + 1, kSource, "Search Failed"); }

// Writes one coordinate of a point into the method, or into the K or Linf it is scored with.
void applyParam(IMeth& meth, int32_t param, float v, float& K, float& Linf) {
    switch (param) {
    case MVornGlobs::ParamK: K = v; break;
    case MVornGlobs::ParamLinf: Linf = v; break;
    case MVornGlobs::ParamC: meth.setsC(v); break;
    case MVornGlobs::ParamTs: meth.setsTs(v); break;
    case MVornGlobs::ParamNGT: meth.setsNGT(v); break;
    default: break;
    }
}

void checkGridType(int32_t gridType) {
    if (gridType < 0 || gridType >= MVornGlobs::kNumGridTypes)
        vb::Raise(5, kSource);
}

// Writes the seasonal values of point (p1, p2) into the method and gives the K and Linf
// to score it with; K0 and L0 stand for the parameters the grid type does not vary.
void applyNode(IMeth& meth, int32_t gridType, float p1, float p2, float K0, float L0,
               float& K, float& Linf) {
    checkGridType(gridType);
    K = K0;
    Linf = L0;
    applyParam(meth, MVornGlobs::kGridTypes[gridType].P1, p1, K, Linf);
    applyParam(meth, MVornGlobs::kGridTypes[gridType].P2, p2, K, Linf);
}

// The start boxes of the five simplex runs: the four corners of the rectangle, each box
// 0.66 of its sides, then the whole rectangle.
std::vector<SimplexBox> startBoxes(float P1Lo, float P1Hi, float P2Lo, float P2Hi) {
    const float d1 = static_cast<float>(0.66 * (P1Hi - P1Lo));
    const float d2 = static_cast<float>(0.66 * (P2Hi - P2Lo));
    return {
        {P1Lo, P1Lo + d1, P2Lo, P2Lo + d2, d1, d2},
        {P1Hi - d1, P1Hi, P2Lo, P2Lo + d2, d1, d2},
        {P1Lo, P1Lo + d1, P2Hi - d2, P2Hi, d1, d2},
        {P1Hi - d1, P1Hi, P2Hi - d2, P2Hi, d1, d2},
        {P1Lo, P1Hi, P2Lo, P2Hi, P1Hi - P1Lo, P2Hi - P2Lo},
    };
}

// What one simplex run reports, passed on when the run ends. A record that goes to the
// error log only, and that this search has already logged, is not logged again: five runs
// that fail alike (a score of 0 everywhere makes the minimiser's spread 0/0) leave one record.
class RunReports {
public:
    using Key = std::tuple<int32_t, std::string, std::string, std::string>;
    explicit RunReports(std::set<Key>& logged) : logged_(logged) { keep_.emplace(reports_); }
    ~RunReports() {
        keep_.reset();
        for (const DeferredError& r : reports_) {
            if (!r.How.Display && !logged_.insert(Key{r.Error.Number, r.Error.Source, r.Error.Description,
                                                      r.Title.value_or(std::string())})
                                       .second)
                continue;
            // Reporting never throws; a destructor must not let anything out regardless.
            try {
                Hald_Error().HandleError(r.Error, r.Title, r.How);
            } catch (...) {
            }
        }
    }
    RunReports(const RunReports&) = delete;
    RunReports& operator=(const RunReports&) = delete;

private:
    std::set<Key>& logged_;
    std::vector<DeferredError> reports_;
    std::optional<DeferredErrors> keep_;
};

}  // namespace

clsLFDSearch::clsLFDSearch() { setAmoebaBounce(0.25f); }

void clsLFDSearch::setAmoebaBounce(float v) {
    if (v >= 0.0f && v < 1.0f) amoebaBounce_ = v;
}

std::optional<double> clsLFDSearch::GridResults(int16_t i, int16_t j) const {
    if (!isFitted_ || !hasGrid_) return std::nullopt;
    if (i < 1 || i > p1Evals_ || j < 1 || j > p2Evals_) return std::nullopt;
    // After a cancelled grid the array may be smaller than the stored counts.
    if (i > gridRows_ || j > gridCols_) return std::nullopt;
    return gridScores_[static_cast<size_t>(i - 1) * gridCols_ + (j - 1)];
}

bool clsLFDSearch::CheckOnBoundary(float p1, float p2, float P1Lo, float P1Hi, float P2Lo,
                                   float P2Hi) {
    const bool edge1 = std::fabs(p1 - P1Lo) <= 0.001f || std::fabs(p1 - P1Hi) <= 0.001f;
    const bool edge2 = std::fabs(p2 - P2Lo) <= 0.1f || std::fabs(p2 - P2Hi) <= 0.1f;
    return edge1 && edge2;
}

bool clsLFDSearch::GridSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi,
                              int16_t P1Evals, float P2Lo, float P2Hi, int16_t P2Evals) {
    try {
        return gridSearch(Meth, GridType, P1Lo, P1Hi, P1Evals, P2Lo, P2Hi, P2Evals);
    } catch (const std::exception&) {
        throw searchFailed();
    }
}

bool clsLFDSearch::gridSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi,
                              int16_t P1Evals, float P2Lo, float P2Hi, int16_t P2Evals) {
    if (P1Evals < 1 || P2Evals < 1) vb::Raise(9, kSource);
    gridRows_ = P1Evals;
    gridCols_ = P2Evals;
    gridScores_.assign(static_cast<size_t>(P1Evals) * P2Evals, 0.0);
    gridType_ = GridType;
    hasGrid_ = true;

    std::unique_ptr<clsProgress> progress;
    if (verbose_) {
        progress = std::make_unique<clsProgress>();
        progress->setValue(0);
        progress->setMax(P1Evals);
    }

    const float K0 = Meth.sK();
    const float L0 = Meth.sLinf();
    float best = -1E+10f;
    float worst = 1E+10f;
    int32_t bestI = 0, bestJ = 0, worstI = 0, worstJ = 0;
    float bestP1 = 0, bestP2 = 0, bestT0 = 0;

    const float step1 = P1Evals == 1 ? 0.0f : (P1Hi - P1Lo) / static_cast<float>(P1Evals - 1);
    const float step2 = P2Evals == 1 ? 0.0f : (P2Hi - P2Lo) / static_cast<float>(P2Evals - 1);
    // Node k of the loop order is (i, j) = (k / P2Evals + 1, k % P2Evals + 1).
    auto point = [=](int32_t k, float& p1, float& p2) {
        p1 = static_cast<float>(double(k / P2Evals) * step1 + P1Lo);
        p2 = static_cast<float>(double(k % P2Evals) * step2 + P2Lo);
    };
    auto setNode = [=](IMeth& m, int32_t k, float& K, float& Linf) {
        float p1 = 0, p2 = 0;
        point(k, p1, p2);
        applyNode(m, GridType, p1, p2, K0, L0, K, Linf);
    };
    checkGridType(GridType);
    GridScorer scorer(Meth, static_cast<int32_t>(P1Evals) * P2Evals, setNode, GridScorer::Threads(threads_));
    std::function<bool()> cancelled;
    if (progress) cancelled = [&progress] { return progress->CancelPressed(); };

    for (int32_t i = 1; i <= P1Evals; ++i) {
        for (int32_t j = 1; j <= P2Evals; ++j) {
            const int32_t k = (i - 1) * P2Evals + (j - 1);
            float p1 = 0, p2 = 0, K = 0, Linf = 0;
            point(k, p1, p2);
            applyNode(Meth, GridType, p1, p2, K0, L0, K, Linf);
            const std::optional<float> scored = scorer.Score(k, K, Linf, cancelled);
            if (!scored) return false;
            const float score = *scored;
            // The original runtime raised where a score turns out NaN or infinite.
            vb::Checked(score, kSource);
            gridScores_[static_cast<size_t>(i - 1) * gridCols_ + (j - 1)] = score;
            if (score > best) {   // strictly: the first of equal scores stays
                best = score;
                bestI = i;
                bestJ = j;
                bestP1 = p1;
                bestP2 = p2;
                Meth.GetT0(K, Linf, bestT0);
            }
            if (score < worst) {
                worst = score;
                worstI = i;
                worstJ = j;
            }
        }
        if (progress) {
            if (progress->CancelPressed()) return false;
            progress->setValue(static_cast<int16_t>(i));
        }
    }

    // Every score at or below the floor: there is no best node to report.
    if (bestI == 0) throw searchFailed();

    p1_ = bestP1;
    p2_ = bestP2;
    tZero_ = bestT0;
    maxScore_ = best;
    isFitted_ = true;
    p1Evals_ = P1Evals;
    p2Evals_ = P2Evals;
    bestP1_ = bestI;
    bestP2_ = bestJ;
    worstP1_ = worstI;
    worstP2_ = worstJ;
    p1Lo_ = P1Lo;
    p1Hi_ = P1Hi;
    p2Lo_ = P2Lo;
    p2Hi_ = P2Hi;
    onBoundary_ = CheckOnBoundary(p1_, p2_, p1Lo_, p1Hi_, p2Lo_, p2Hi_);
    return true;
}

bool clsLFDSearch::AmoebaSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi,
                                float P2Lo, float P2Hi) {
    try {
        return amoebaSearch(Meth, GridType, P1Lo, P1Hi, P2Lo, P2Hi);
    } catch (const VbError& e) {
        Hald_Error().HandleError(e, std::string("Search Failed"), Hald_Error::LogOnly);
        throw searchFailed();
    } catch (const std::exception& e) {
        Hald_Error().HandleError(VbError(51, kSource, e.what()), std::string("Search Failed"),
                                 Hald_Error::LogOnly);
        throw searchFailed();
    }
}

bool clsLFDSearch::amoebaSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi,
                                float P2Lo, float P2Hi) {
    const bool magnitude = Meth.MethType() == 1;
    isFitted_ = false;
    maxScore_ = magnitude ? 1E+38f : -1E+38f;

    std::unique_ptr<clsProgress> progress;
    if (verbose_) {
        progress = std::make_unique<clsProgress>();
        progress->setMax(5);
        progress->setValue(0);
    }

    int32_t gt = GridType;
    Meth.settGridType(gt);

    // The runs go side by side when no run can change what the method scores in the next.
    const std::vector<SimplexBox> boxes = startBoxes(P1Lo, P1Hi, P2Lo, P2Hi);
    std::vector<float> carried;
    Meth.CarriedState(carried);
    std::optional<SimplexStarts> sideBySide;
    if (carried.empty()) sideBySide.emplace(Meth, boxes, GridScorer::Threads(threads_));
    const bool parallel = sideBySide && sideBySide->Started();
    // A point a run evaluated on a copy: the method takes it as its own MinFunc would have
    // (which, when the score failed, ended there).
    auto takePoint = [&Meth](double x, double y, bool scored) {
        Meth.TakeMinimPoint(x, y, scored);
        if (!scored) return true;
        forms::Forms().DoEvents();
        return !MVornGlobs::CancelRequested;
    };
    auto cancelled = [] {
        forms::Forms().DoEvents();
        return static_cast<bool>(MVornGlobs::CancelRequested);
    };

    // One minimiser for the runs made here, one by one.
    clsNelMead simplex;
    if (!parallel) SimplexStarts::Prepare(simplex, Meth);
    bool converged = false;
    std::set<RunReports::Key> logged;

    for (int32_t run = 1; run <= 5; ++run) {
        const SimplexBox& box = boxes[run - 1];
        const float K0 = Meth.sK();
        const float L0 = Meth.sLinf();
        if (!parallel) SimplexStarts::SetUp(simplex, box);
        if (Meth.PlotEvals()) {
            Meth.ShowShapeOnContourPLot(0.02, run, box.a1, box.a2);
            Meth.ResetMinimLine();
        }
        SimplexOutcome outcome;
        {
            RunReports reports(logged);
            if (parallel) {
                const std::optional<SimplexOutcome> done = sideBySide->Outcome(run, takePoint, cancelled);
                if (!done) return false;
                outcome = *done;
            } else {
                simplex.Minimise();
                outcome.MinOK = simplex.MinOK();
                outcome.MinFuncVal = simplex.MinFuncVal();
                if (outcome.MinOK) {
                    outcome.P1 = simplex.Parameter(1);
                    outcome.P2 = simplex.Parameter(2);
                }
            }
        }
        if (MVornGlobs::CancelRequested) return false;   // the flag is cleared by its owner

        // A run whose every vertex was the penalty "converged" on a flat, infeasible
        // simplex; it is no fit.
        if (outcome.MinOK && outcome.MinFuncVal < kPenalty) {
            converged = true;
            const float p1 = static_cast<float>(outcome.P1);
            const float p2 = static_cast<float>(outcome.P2);
            const double f = outcome.MinFuncVal;
            const bool better = magnitude ? std::fabs(f) < std::fabs(maxScore_)
                                          : -f > maxScore_;
            if (better) {
                p1_ = p1;
                p2_ = p2;
                maxScore_ = static_cast<float>(-f);
                isFitted_ = true;
                float K = 0, Linf = 0;
                applyNode(Meth, GridType, p1, p2, K0, L0, K, Linf);
                Meth.GetT0(K, Linf, tZero_);
                onBoundary_ = CheckOnBoundary(p1, p2, P1Lo, P1Hi, P2Lo, P2Hi);
            }
            if (Meth.PlotEvals()) Meth.ShowShapeOnContourPLot(0.02, run + 5, p1, p2);
        }

        if (progress) {
            if (progress->CancelPressed()) return false;
            progress->setValue(static_cast<int16_t>(run));
        }
    }

    // The best point's marker only when this search stored one.
    if (Meth.PlotEvals() && isFitted_) Meth.ShowShapeOnContourPLot(0.02, 11, p1_, p2_);
    return converged;
}
