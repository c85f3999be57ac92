// Grid search and multi-start simplex search over two growth parameters.
//
// The grid type says which two parameters are searched; the node rule maps a point
// (p1, p2) onto the method: seasonal parameters are written into the method, K and Linf
// are handed to the score. Every method's score is larger-is-better; PROJMAT's simplex
// objective is a sum of squares, so simplex values are compared by magnitude for it.
#include "clsLFDSearch.h"

#include <cmath>
#include <memory>

#include "Hald_Error.h"
#include "IMeth.h"
#include "MVornGlobs.h"
#include "clsNelMead.h"
#include "clsProgress.h"
#include "vb/VbError.h"

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

// Writes the seasonal values of point (p1, p2) into the method and gives the K and Linf
// to score it with; K0 and L0 stand for the parameters the grid type does not vary.
void applyNode(IMeth& meth, int32_t gridType, float p1, float p2, float K0, float L0,
               float& K, float& Linf) {
    if (gridType < 0 || gridType >= MVornGlobs::kNumGridTypes)
        throw VbError(5, kSource, "Invalid procedure call or argument");
    K = K0;
    Linf = L0;
    applyParam(meth, MVornGlobs::kGridTypes[gridType].P1, p1, K, Linf);
    applyParam(meth, MVornGlobs::kGridTypes[gridType].P2, p2, K, Linf);
}

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
    if (P1Evals < 1 || P2Evals < 1) throw VbError(9, kSource, "Subscript out of range");
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

    for (int32_t i = 1; i <= P1Evals; ++i) {
        const float p1 = static_cast<float>(double(i - 1) * step1 + P1Lo);
        for (int32_t j = 1; j <= P2Evals; ++j) {
            const float p2 = static_cast<float>(double(j - 1) * step2 + P2Lo);
            float K = 0, Linf = 0, score = 0, t0 = 0;
            applyNode(Meth, GridType, p1, p2, K0, L0, K, Linf);
            Meth.CalcScoreT0(K, Linf, score, t0);
            // The original runtime raised where a score turns out NaN or infinite.
            if (!std::isfinite(score)) throw VbError(6, kSource, "Overflow");
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
        Hald_Error().HandleError(e, std::string("Search Failed"), false, true);
        throw searchFailed();
    } catch (const std::exception& e) {
        Hald_Error().HandleError(VbError(51, kSource, e.what()), std::string("Search Failed"),
                                 false, true);
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

    clsNelMead simplex;
    simplex.Create(&Meth, 2);
    simplex.setConvergeOn(COEither);
    simplex.setXTOL(1E-5f);

    float d1 = static_cast<float>(0.66 * (P1Hi - P1Lo));
    float d2 = static_cast<float>(0.66 * (P2Hi - P2Lo));
    bool converged = false;

    for (int32_t run = 1; run <= 5; ++run) {
        float a1, b1, a2, b2;
        switch (run) {
        case 1: a1 = P1Lo; b1 = P1Lo + d1; a2 = P2Lo; b2 = P2Lo + d2; break;
        case 2: a1 = P1Hi - d1; b1 = P1Hi; a2 = P2Lo; b2 = P2Lo + d2; break;
        case 3: a1 = P1Lo; b1 = P1Lo + d1; a2 = P2Hi - d2; b2 = P2Hi; break;
        case 4: a1 = P1Hi - d1; b1 = P1Hi; a2 = P2Hi - d2; b2 = P2Hi; break;
        default:
            a1 = P1Lo; b1 = P1Hi; a2 = P2Lo; b2 = P2Hi;
            d1 = P1Hi - P1Lo;
            d2 = P2Hi - P2Lo;
            break;
        }
        const float K0 = Meth.sK();
        const float L0 = Meth.sLinf();
        simplex.SetParameter(1, a1, a1 + 0.99 * d1, a1, b1);
        simplex.SetParameter(2, a2, a2 + 0.99 * d2, a2, b2);
        if (Meth.PlotEvals()) {
            Meth.ShowShapeOnContourPLot(0.02, run, a1, a2);
            Meth.ResetMinimLine();
        }
        simplex.Minimise();
        if (MVornGlobs::CancelRequested) return false;   // the flag is cleared by its owner

        // A run whose every vertex was the penalty "converged" on a flat, infeasible
        // simplex; it is no fit.
        if (simplex.MinOK() && simplex.MinFuncVal() < kPenalty) {
            converged = true;
            const float p1 = static_cast<float>(simplex.Parameter(1));
            const float p2 = static_cast<float>(simplex.Parameter(2));
            const double f = simplex.MinFuncVal();
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
