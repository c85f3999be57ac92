#ifndef IMETH_H
#define IMETH_H
// A scoring method: how well a growth curve given by K, Linf and the seasonal parameters
// fits the samples of one data set. The grid and simplex searches, the automatic fit and
// the grid results window drive every method through this interface; a method is also the
// simplex objective (MinFunc: the negated score, or PROJMAT's sum of squares).
//
// Every score is larger-is-better. MethType: 0 SLCA, 1 PROJMAT, 2 ELEFAN.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "INelMead.h"

class clsVorn;
class clsLFDSearch;

// What FixedParam1/FixedParam2 hand back: Empty, a parameter value, or a text ("None", "N/A").
using MethValue = std::variant<std::monostate, float, std::string>;

class IMeth : public INelMead {
public:
    ~IMeth() override = default;

    virtual void setsTs(float Ts) = 0;
    virtual float sTs() const = 0;
    virtual void setsC(float C) = 0;
    virtual float sC() const = 0;
    virtual void setsNGT(float NGT) = 0;
    virtual float sNGT() const = 0;
    virtual float sK() const = 0;
    virtual void setsK(float K) = 0;
    // Grid type of the simplex mapping (0..4): which parameters MinFunc's x(1), x(2) are.
    virtual void settGridType(int32_t GridType) = 0;
    virtual float sLinf() const = 0;
    virtual void setsLinf(float Linf) = 0;

    virtual MethValue FixedParam1() const = 0;
    virtual MethValue FixedParam2() const = 0;

    // Score of (K, Linf) with the method's seasonal parameters, and the t0 that gives it.
    virtual void CalcScoreT0(float K, float Linf, float& Score, float& T0) = 0;
    virtual void GetT0(float K, float Linf, float& T0) = 0;

    // Takes the method's own copies of DataSet; later changes to DataSet do not reach it.
    virtual void Create(clsVorn& DataSet) = 0;
    virtual void setGrowthCurve(int32_t GrowthCurve) = 0;

    // Contour plot of the search's last grid (always returns False); simplex path drawing.
    virtual bool PlotContours(const clsLFDSearch& Search) = 0;
    virtual void setPlotEvals(bool PlotEvals) = 0;
    virtual bool PlotEvals() const = 0;
    virtual void ResetMinimLine() = 0;
    // What MinFunc does with a point (X, Y) besides scoring it: writes the seasonal values
    // the point holds into the method and, once the point is scored (Scored) and while
    // PlotEvals is set, adds it to the simplex path on the contour plot.
    virtual void TakeMinimPoint(double X, double Y, bool Scored) = 0;
    virtual void TerminateContourPlot() = 0;
    virtual void ShowShapeOnContourPLot(double Size, int32_t Shape, double X, double Y) = 0;

    // The method's first data-set copy (restructured, for ELEFAN).
    virtual clsVorn& LFD() = 0;
    virtual int32_t MethType() const = 0;

    // A copy that scores exactly as this method would now, for a search to score on another
    // thread: its own data, parameters, curve and whatever earlier calls left behind; no
    // plot, and its MinFunc lets no window events run and leaves Cancel to the search.
    // Empty where the method cannot be copied (the search then uses one thread).
    virtual std::unique_ptr<IMeth> ScoringCopy() const { return nullptr; }
    // What a score reads beyond its arguments, the data, the parameter fields and the curve
    // that an earlier call may have changed (PROJMAT's Pauly curve: the sample times as the
    // working t0 of the last GetT0 transforms them). Two methods that agree on all of that
    // score alike. Empty exactly when the method's scores carry nothing over.
    virtual void CarriedState(std::vector<float>& State) const { State.clear(); }
};

#endif
