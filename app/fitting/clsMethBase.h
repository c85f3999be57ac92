#ifndef CLSMETHBASE_H
#define CLSMETHBASE_H
// What the three scoring methods do alike: the two data-set copies, the parameter fields,
// the simplex objective (MinFunc), the simplex path on the contour plot and the contour
// plot of a grid. A method adds its score, its t0 and its own few differences.
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "Hald_Error.h"
#include "IMeth.h"

class clsContour;

class clsMethBase : public IMeth {
public:
    ~clsMethBase() override;
    clsMethBase(const clsMethBase&) = delete;
    clsMethBase& operator=(const clsMethBase&) = delete;

    void setsTs(float Ts) override { Ts_ = Ts; }
    float sTs() const override { return Ts_; }
    void setsC(float C) override { C_ = C; }
    float sC() const override { return C_; }
    void setsNGT(float NGT) override { NGT_ = NGT; }
    float sNGT() const override { return NGT_; }
    float sK() const override { return K_; }
    void setsK(float K) override { K_ = K; }
    void settGridType(int32_t GridType) override { gridType_ = GridType; }
    float sLinf() const override { return Linf_; }
    void setsLinf(float Linf) override { Linf_ = Linf; }

    MethValue FixedParam1() const override;
    MethValue FixedParam2() const override;

    void Create(clsVorn& DataSet) override;
    void setGrowthCurve(int32_t GrowthCurve) override { growthCurve_ = GrowthCurve; }

    bool PlotContours(const clsLFDSearch& Search) override;
    void setPlotEvals(bool PlotEvals) override { plotEvals_ = PlotEvals; }
    bool PlotEvals() const override { return plotEvals_; }
    void ResetMinimLine() override;
    void TakeMinimPoint(double X, double Y, bool Scored) override;
    // Adds (X, Y) to the simplex path on the contour plot.
    virtual void AddToMinimLine(double X, double Y);
    void TerminateContourPlot() override;
    void ShowShapeOnContourPLot(double Size, int32_t Shape, double X, double Y) override;

    clsVorn& LFD() override;

    // The simplex objective: x(1), x(2) mapped by the grid type; -Score, or the penalty
    // 1E+10 for an infeasible point (and, where the method polls it, after Cancel).
    double MinFunc(std::vector<double>& x, int32_t& vtx) override;

    bool rejected() const { return rejected_; }
    int32_t GrowthCurve() const { return growthCurve_; }
    int32_t tGridType() const { return gridType_; }

    static constexpr double kPenalty = 1E+10;

protected:
    clsMethBase();

    // Preparation of the first copy before the second is made (ELEFAN restructures).
    virtual void Prepare(clsVorn& /*copy*/) {}
    // Called at the end of Create, with both copies in place.
    virtual void Prepared() {}
    // The C that Create sets.
    virtual float CreateC() const { return 0.2f; }
    // Whether MinFunc gives the penalty once the program-wide cancel flag is set.
    virtual bool PollsCancel() const { return true; }
    // The text FixedParam1/FixedParam2 give where there is no fixed parameter.
    virtual const char* NoFixedText() const { return "None"; }
    // Feasibility of the point MinFunc has just written into the fields: a grid type that
    // varies NGT needs -0.5 < Ts + NGT/2 < 0.5. A method may add its own conditions.
    virtual bool PointFeasible() const;

    void setRejected(bool v) { rejected_ = v; }
    // Makes `copy` score as this method does: own copies of both data sets, the parameter
    // fields, curve and grid type; no plot. A method adds what else its scores read.
    virtual void CopyInto(clsMethBase& copy) const;
    // A scoring copy of a method of exactly class M; a class derived from M may score
    // differently and gets none.
    template <class M>
    static std::unique_ptr<IMeth> CopyAs(const M& m) {
        if (typeid(m) != typeid(M)) return nullptr;
        auto copy = std::make_unique<M>();
        static_cast<const clsMethBase&>(m).CopyInto(*copy);
        return copy;
    }
    // The first data-set copy, read only.
    const clsVorn& firstData() const;
    // The copy the scores read (the second one).
    clsVorn& scoreData();
    const clsVorn& scoreData() const;

    float Ts_ = 0.6f;
    float C_ = 0.2f;
    float NGT_ = 0.3f;
    float K_ = 1.0f;
    float Linf_ = 0.0f;
    int32_t growthCurve_ = 0;
    int32_t gridType_ = 0;
    Hald_Error err_;

private:
    // The field of growth parameter `param` (a ParamNames index; Tzero and others: none).
    const float* Field(int32_t param) const;
    float* Field(int32_t param);
    // A fixed parameter's value, or the method's text where the grid holds none.
    MethValue FixedValue(int32_t param) const;
    // Writes the seasonal values of simplex point (x1, x2) into the fields and gives the
    // K and Linf to score it with.
    void MapPoint(double x1, double x2, double& K, double& Linf);
    // Draws the segment on the contour plot (the points come back clamped to its axes);
    // False when there is no plot or it refuses the segment.
    bool DrawSegment(double& x1, double& y1, double& x2, double& y2);

    std::unique_ptr<clsVorn> lfd1_;
    std::unique_ptr<clsVorn> lfd2_;
    bool rejected_ = false;
    bool windowless_ = false;   // a scoring copy, working on another thread
    bool plotEvals_ = false;
    int32_t pointCount_ = 0;
    bool firstPoint_ = true;
    double prevX_ = 0, prevY_ = 0, curX_ = 0, curY_ = 0;
    std::unique_ptr<clsContour> contour_;   // none until PlotContours draws one
    int32_t canvas_ = 0;                    // the chart window, made with the first plot
};

#endif
