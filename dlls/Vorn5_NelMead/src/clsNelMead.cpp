// Downhill simplex after Nelder and Mead (1965), "A simplex method for function
// minimization", Computer Journal 7, 308-313, in the arrangement of the amoeba routine of
// Press et al., "Numerical Recipes", sec. 10.4, with a box on every parameter:
// - reflection t = 2c - worst and expansion 2t - c are scored 1.79E+308 without calling
//   the objective when they leave the box; contraction and shrink are not box-tested
//   (they stay inside the hull of points already accepted);
// - the function test is sticky within a run, and the function rule stops one test
//   after it is first met;
// - the in-box flag is set afresh for every point built.
// Caveat: the simplex can collapse onto a face of the box; callers restart from
// several boxes.
#include "clsNelMead.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "modNelMeadMaths.h"
#include "vb/VbRuntime.h"

namespace {

constexpr const char* kSource = "clsNelMead";
constexpr int32_t kOutOfBounds = 2982;
constexpr int32_t kOutOfRange = 2983;
constexpr int32_t kMaxIterations = 2984;
constexpr int32_t kEmptyBox = 2985;
constexpr int32_t kBadTolerance = 2986;

}  // namespace

clsNelMead::clsNelMead() { Reset(); }

void clsNelMead::Reset()
{
    minFuncVal_ = Unset;
    ftolOK_ = false;
    xtolOK_ = false;
    ftolMetBefore_ = false;
    converged_ = false;
    inRange_ = true;
    best_ = 1;
    evaluations_ = 0;
    stop_ = NelMeadStop::NotRun;
}

double clsNelMead::Parameter(int32_t lParam) const
{
    if (lParam < 1 || lParam > n_ || vertices_.empty())
        vb::Raise(9, kSource);
    return vertices_[best_][lParam];
}

void clsNelMead::Create(INelMead* objCall, int32_t lDimens)
{
    if (lDimens < 1) vb::Raise(9, kSource);
    callback_ = objCall;
    n_ = lDimens;
    numVertices_ = n_ + 1;
    ftol_ = 1E-6f;
    xtol_ = 1E-4f;
    maxIterations_ = 500;
    vertices_.assign(numVertices_ + 1, std::vector<double>(n_ + 1, 0.0));
    values_.assign(numVertices_ + 1, 0.0);
    trial_.assign(n_ + 1, 0.0);
    expand_.assign(n_ + 1, 0.0);
    centroid_.assign(n_ + 1, 0.0);
    rangeLo_.assign(n_ + 1, 0.0);
    rangeHi_.assign(n_ + 1, 0.0);
    startLo_.assign(n_ + 1, 0.0);
    startHi_.assign(n_ + 1, 0.0);
    Reset();
}

void clsNelMead::SetParameter(int32_t param, double dblLo, double dblHi, double dblRangeLo,
                              double dblRangeHi)
{
    if (param < 1 || param > n_) {
        const VbError err(vbObjectError + kOutOfBounds, "_SetParameter", "Parameter out of Bounds");
        errorHandler_.ShowMessage(err.Description, 48, std::string(kSource));
        errorHandler_.HandleError(err, std::string("clsNelMead_SetParameter"), Hald_Error::LogOnly);
        return;
    }
    startLo_[param] = dblLo;
    startHi_[param] = dblHi;
    rangeLo_[param] = dblRangeLo;
    rangeHi_[param] = dblRangeHi;
}

void clsNelMead::Refuse(NelMeadStop reason, int32_t offset, const char* source, const char* text)
{
    stop_ = reason;
    throw VbError(vbObjectError + offset, source, text);
}

// What would make the run meaningless is refused before the first evaluation.
void clsNelMead::CheckSettings()
{
    if (callback_ == nullptr) {
        stop_ = NelMeadStop::BadStart;
        vb::Raise(91, kSource);
    }
    for (int32_t j = 1; j <= n_; ++j)
        if (!(rangeLo_[j] <= rangeHi_[j]))
            Refuse(NelMeadStop::BadStart, kEmptyBox, "_Minimise", "Parameter range is empty (low above high)");
    if (!(ftol_ > 0.0f) || !(xtol_ > 0.0f))
        Refuse(NelMeadStop::BadStart, kBadTolerance, "_Minimise", "Tolerances must be greater than 0");
}

void clsNelMead::Minimise()
{
    try {
        Reset();
        CheckSettings();
        for (int32_t i = 1; i <= numVertices_; ++i) {
            inRange_ = true;
            for (int32_t j = 1; j <= n_; ++j) {
                const double v = (i == j + 1) ? startHi_[j] : startLo_[j];
                vertices_[i][j] = v;
                if (!(rangeLo_[j] <= v && v <= rangeHi_[j])) inRange_ = false;
            }
            if (!inRange_)
                Refuse(NelMeadStop::BadStart, kOutOfRange, "_Minimise", "Parameter has gone out of Range");
            std::copy(vertices_[i].begin(), vertices_[i].end(), trial_.begin());
            values_[i] = Evaluate(trial_);
        }
        Amoeba();
    } catch (const std::exception& e) {
        // The caller learns of a failed run from MinOK, MinFuncVal and StopReason alone.
        converged_ = false;
        minFuncVal_ = Unset;
        if (stop_ == NelMeadStop::NotRun) stop_ = NelMeadStop::FunctionError;
        errorHandler_.HandleError(AsVbError(e, kSource), std::string("clsNelMead_Minimise"),
                                  Hald_Error::LogOnly);
    }
}

double clsNelMead::Evaluate(std::vector<double>& point)
{
    int32_t vtx = n_;
    ++evaluations_;  // the one place that calls the objective
    return vb::Checked(callback_->MinFunc(point, vtx), kSource);
}

bool clsNelMead::BuildTrial(std::vector<double>& point, double a, const std::vector<double>& p,
                            double b, const std::vector<double>& q)
{
    inRange_ = true;
    for (int32_t j = 1; j <= n_; ++j) {
        const double v = vb::Checked(a * p[j] - b * q[j], kSource);
        point[j] = v;
        if (!(rangeLo_[j] <= v && v <= rangeHi_[j])) {
            inRange_ = false;
            break;
        }
    }
    return inRange_;
}

NelMeadStop clsNelMead::StopTest() const
{
    const bool function = ftolMetBefore_ && ftolOK_;
    switch (convergeOn_) {
    case COFunction:
        if (function) return NelMeadStop::FunctionConverged;
        break;
    case COParameter:
        if (xtolOK_) return NelMeadStop::SimplexConverged;
        break;
    case COboth:
        if (function && xtolOK_) return NelMeadStop::FunctionConverged;
        break;
    case COEither:
        if (function) return NelMeadStop::FunctionConverged;
        if (xtolOK_) return NelMeadStop::SimplexConverged;
        break;
    default: break;  // an unknown rule never stops; the cap ends the run
    }
    return NelMeadStop::NotRun;
}

void clsNelMead::Amoeba()
{
    int32_t iter = 0;
    iterationsOnConvergence_ = 0;
    for (;;) {
        int32_t ilo = 1, ihi, inhi;
        if (values_[1] > values_[2]) {
            ihi = 1;
            inhi = 2;
        } else {
            ihi = 2;
            inhi = 1;
        }
        for (int32_t i = 1; i <= numVertices_; ++i) {
            if (values_[i] < values_[ilo]) ilo = i;
            if (values_[i] > values_[ihi]) {
                inhi = ihi;
                ihi = i;
            } else if (values_[i] > values_[inhi] && i != ihi) {
                inhi = i;
            }
        }

        const double hi = values_[ihi], lo = values_[ilo];
        const float spread = vb::CSng(vb::Div(vb::Checked(2.0 * std::fabs(hi - lo), kSource),
                                              vb::Checked(std::fabs(hi) + std::fabs(lo), kSource), kSource),
                                      kSource);
        ftolMetBefore_ = ftolOK_;
        if (spread < ftol_) ftolOK_ = true;

        if (convergeOn_ == COEither || convergeOn_ == COParameter || convergeOn_ == COboth) {
            double largest = 0.0;
            for (int32_t j = 1; j <= n_; ++j) {
                double pmax = vertices_[1][j], pmin = vertices_[1][j];
                for (int32_t i = 2; i <= numVertices_; ++i) {
                    pmax = std::max(pmax, vertices_[i][j]);
                    pmin = std::min(pmin, vertices_[i][j]);
                }
                largest = modNelMeadMaths::Max(largest, modNelMeadMaths::RelDiff(pmax, pmin));
            }
            if (vb::CSng(largest, kSource) < xtol_) xtolOK_ = true;
        }

        const NelMeadStop stop = StopTest();
        if (stop != NelMeadStop::NotRun) {
            stop_ = stop;
            best_ = ilo;
            converged_ = true;
            minFuncVal_ = values_[ilo];
            return;
        }

        // ">=": a negative cap ends the run here instead of never.
        if (iter >= maxIterations_)
            Refuse(NelMeadStop::IterationCap, kMaxIterations, "_AMOEBA", "Maximum Iterations Exceeded");
        ++iter;
        iterationsOnConvergence_ = iter;

        for (int32_t j = 1; j <= n_; ++j) {
            double sum = 0.0;
            for (int32_t i = 1; i <= numVertices_; ++i)
                if (i != ihi) sum += vertices_[i][j];
            centroid_[j] = vb::Checked(sum / n_, kSource);
        }

        std::vector<double>& worst = vertices_[ihi];
        const double ytry = BuildTrial(trial_, 2.0, centroid_, 1.0, worst) ? Evaluate(trial_) : Unset;
        if (ytry <= values_[ilo]) {
            const double yexp = BuildTrial(expand_, 2.0, trial_, 1.0, centroid_) ? Evaluate(expand_) : Unset;
            if (yexp < values_[ilo]) {
                std::copy(expand_.begin(), expand_.end(), worst.begin());
                values_[ihi] = yexp;
            } else {
                std::copy(trial_.begin(), trial_.end(), worst.begin());
                values_[ihi] = ytry;
            }
        } else if (ytry < values_[inhi]) {
            std::copy(trial_.begin(), trial_.end(), worst.begin());
            values_[ihi] = ytry;
        } else {
            if (ytry < values_[ihi]) {
                std::copy(trial_.begin(), trial_.end(), worst.begin());
                values_[ihi] = ytry;
            }
            for (int32_t j = 1; j <= n_; ++j) expand_[j] = vb::Checked((worst[j] + centroid_[j]) / 2.0, kSource);
            const double ycon = Evaluate(expand_);
            if (ycon < values_[ihi]) {
                std::copy(expand_.begin(), expand_.end(), worst.begin());
                values_[ihi] = ycon;
            } else {
                for (int32_t i = 1; i <= numVertices_; ++i) {
                    if (i == ilo) continue;
                    for (int32_t j = 1; j <= n_; ++j)
                        vertices_[i][j] = vb::Checked((vertices_[i][j] + vertices_[ilo][j]) / 2.0, kSource);
                    values_[i] = Evaluate(vertices_[i]);
                }
            }
        }
    }
}
