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
#include <cfloat>
#include <cmath>
#include <exception>

namespace {

constexpr int32_t kOutOfBounds = 2982;
constexpr int32_t kOutOfRange = 2983;
constexpr int32_t kMaxIterations = 2984;

double Checked(double v)
{
    if (!std::isfinite(v)) throw VbError(6, "clsNelMead", "Overflow");
    return v;
}

// Rounds to single as the original runtime did: out of single range is overflow (6).
float ToSingle(double v)
{
    if (!(std::fabs(v) <= static_cast<double>(FLT_MAX))) throw VbError(6, "clsNelMead", "Overflow");
    return static_cast<float>(v);
}

double Divide(double num, double den)
{
    if (den == 0.0) {
        if (num == 0.0) throw VbError(6, "clsNelMead", "Overflow");
        throw VbError(11, "clsNelMead", "Division by zero");
    }
    return Checked(num / den);
}

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
}

double clsNelMead::Parameter(int32_t lParam) const
{
    if (lParam < 1 || lParam > n_ || vertices_.empty())
        throw VbError(9, "clsNelMead", "Subscript out of range");
    return vertices_[best_][lParam];
}

void clsNelMead::Create(INelMead* objCall, int32_t lDimens)
{
    if (lDimens < 1) throw VbError(9, "clsNelMead", "Subscript out of range");
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
    try {
        if (param < 1 || param > n_)
            throw VbError(vbObjectError + kOutOfBounds, "_SetParameter", "Parameter out of Bounds");
        startLo_[param] = dblLo;
        startHi_[param] = dblHi;
        rangeLo_[param] = dblRangeLo;
        rangeHi_[param] = dblRangeHi;
    } catch (const VbError& err) {
        if (err.Number == vbObjectError + kOutOfBounds)
            errorHandler_.ShowMessage(err.Description, 48, std::string("clsNelMead"));
        errorHandler_.HandleError(err, std::string("clsNelMead_SetParameter"), false, true);
    }
}

void clsNelMead::Minimise()
{
    try {
        try {
            Reset();
            if (callback_ == nullptr)
                throw VbError(91, "clsNelMead", "Object variable or With block variable not set");
            for (int32_t i = 1; i <= numVertices_; ++i) {
                inRange_ = true;
                for (int32_t j = 1; j <= n_; ++j) {
                    const double v = (i == j + 1) ? startHi_[j] : startLo_[j];
                    vertices_[i][j] = v;
                    if (!(rangeLo_[j] <= v && v <= rangeHi_[j])) inRange_ = false;
                }
                if (!inRange_)
                    throw VbError(vbObjectError + kOutOfRange, "_Minimise",
                                  "Parameter has gone out of Range");
                std::copy(vertices_[i].begin(), vertices_[i].end(), trial_.begin());
                values_[i] = Evaluate(trial_);
            }
            Amoeba();
        } catch (const VbError&) {
            throw;
        } catch (const std::exception& e) {
            throw VbError(vbObjectError + 2251, "clsNelMead", e.what());
        }
    } catch (const VbError& err) {
        // The caller learns of a failed run from MinOK and MinFuncVal alone.
        converged_ = false;
        minFuncVal_ = Unset;
        errorHandler_.HandleError(err, std::string("clsNelMead_Minimise"), false, true);
    }
}

double clsNelMead::Evaluate(std::vector<double>& point)
{
    int32_t vtx = n_;
    return Checked(callback_->MinFunc(point, vtx));
}

bool clsNelMead::BuildTrial(std::vector<double>& point, double a, const std::vector<double>& p,
                            double b, const std::vector<double>& q)
{
    inRange_ = true;
    for (int32_t j = 1; j <= n_; ++j) {
        const double v = Checked(a * p[j] - b * q[j]);
        point[j] = v;
        if (!(rangeLo_[j] <= v && v <= rangeHi_[j])) {
            inRange_ = false;
            break;
        }
    }
    return inRange_;
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
        const float spread =
            ToSingle(Divide(Checked(2.0 * std::fabs(hi - lo)), Checked(std::fabs(hi) + std::fabs(lo))));
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
            if (ToSingle(largest) < xtol_) xtolOK_ = true;
        }

        bool stop = false;
        switch (convergeOn_) {
        case COFunction: stop = ftolMetBefore_ && ftolOK_; break;
        case COParameter: stop = xtolOK_; break;
        case COboth: stop = ftolMetBefore_ && ftolOK_ && xtolOK_; break;
        case COEither: stop = (ftolMetBefore_ && ftolOK_) || xtolOK_; break;
        default: break;  // an unknown rule never stops; the cap ends the run
        }
        if (stop) {
            best_ = ilo;
            converged_ = true;
            minFuncVal_ = values_[ilo];
            return;
        }

        if (iter == maxIterations_)
            throw VbError(vbObjectError + kMaxIterations, "_AMOEBA", "Maximum Iterations Exceeded");
        ++iter;
        iterationsOnConvergence_ = iter;

        for (int32_t j = 1; j <= n_; ++j) {
            double sum = 0.0;
            for (int32_t i = 1; i <= numVertices_; ++i)
                if (i != ihi) sum += vertices_[i][j];
            centroid_[j] = Checked(sum / n_);
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
            for (int32_t j = 1; j <= n_; ++j) expand_[j] = Checked((worst[j] + centroid_[j]) / 2.0);
            const double ycon = Evaluate(expand_);
            if (ycon < values_[ihi]) {
                std::copy(expand_.begin(), expand_.end(), worst.begin());
                values_[ihi] = ycon;
            } else {
                for (int32_t i = 1; i <= numVertices_; ++i) {
                    if (i == ilo) continue;
                    for (int32_t j = 1; j <= n_; ++j)
                        vertices_[i][j] = Checked((vertices_[i][j] + vertices_[ilo][j]) / 2.0);
                    values_[i] = Evaluate(vertices_[i]);
                }
            }
        }
    }
}
