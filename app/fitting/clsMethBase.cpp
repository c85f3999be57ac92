// Shared behaviour of the scoring methods: data-set copies, parameter fields, the simplex
// objective and the drawing of the simplex path.
#include "clsMethBase.h"

#include <utility>

#include "MVornGlobs.h"
#include "chart/ChartLibrary.h"
#include "clsContour.h"
#include "clsLFDSearch.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

clsMethBase::clsMethBase() = default;

clsMethBase::~clsMethBase() { TerminateContourPlot(); }

void clsMethBase::Create(clsVorn& DataSet) {
    // Nothing can be scored without samples and classes of a positive width.
    if (DataSet.Status() != 1 || DataSet.NumDists() < 1 || DataSet.NumClasses() < 1 ||
        !(DataSet.ClassSize() > 0))
        throw VbError(5, "IMeth_Create", "The data set has no samples or no length classes to score");
    // Built aside and adopted only when complete, so a failed Create leaves no half-made copy.
    auto first = std::make_unique<clsVorn>();
    first->CopyFields(DataSet);
    Prepare(*first);
    auto second = std::make_unique<clsVorn>();
    second->CopyFields(*first);
    lfd1_ = std::move(first);
    lfd2_ = std::move(second);

    growthCurve_ = 0;
    NGT_ = 0.3f;
    C_ = CreateC();
    Ts_ = 0.6f;
    K_ = 1.0f;
    Linf_ = lfd1_->maxlength();
    Prepared();
}

clsVorn& clsMethBase::LFD() {
    if (!lfd1_) vb::Raise(91, "IMeth_LFD");
    return *lfd1_;
}

const clsVorn& clsMethBase::firstData() const {
    if (!lfd1_) vb::Raise(91, "IMeth");
    return *lfd1_;
}

void clsMethBase::CopyInto(clsMethBase& copy) const {
    auto copyOf = [](const std::unique_ptr<clsVorn>& from) {
        std::unique_ptr<clsVorn> to;
        if (from) {
            to = std::make_unique<clsVorn>();
            to->CopyFields(*from);
        }
        return to;
    };
    copy.lfd1_ = copyOf(lfd1_);
    copy.lfd2_ = copyOf(lfd2_);
    copy.Ts_ = Ts_;
    copy.C_ = C_;
    copy.NGT_ = NGT_;
    copy.K_ = K_;
    copy.Linf_ = Linf_;
    copy.growthCurve_ = growthCurve_;
    copy.gridType_ = gridType_;
    copy.rejected_ = rejected_;
    copy.windowless_ = true;
    if (copy.lfd2_) copy.Prepared();
}

clsVorn& clsMethBase::scoreData() {
    if (!lfd2_) vb::Raise(91, "IMeth");
    return *lfd2_;
}

const clsVorn& clsMethBase::scoreData() const {
    if (!lfd2_) vb::Raise(91, "IMeth");
    return *lfd2_;
}

const float* clsMethBase::Field(int32_t param) const {
    switch (param) {
    case G::ParamK: return &K_;
    case G::ParamLinf: return &Linf_;
    case G::ParamTs: return &Ts_;
    case G::ParamC: return &C_;
    case G::ParamNGT: return &NGT_;
    default: return nullptr;
    }
}

float* clsMethBase::Field(int32_t param) {
    return const_cast<float*>(std::as_const(*this).Field(param));
}

MethValue clsMethBase::FixedValue(int32_t param) const {
    if (param == G::kNoParam) return std::string(NoFixedText());
    return *Field(param);
}

MethValue clsMethBase::FixedParam1() const {
    const G::GridTypeParams row = G::GridParamsFor(gridType_, growthCurve_);
    if (row.P1 == G::kNoParam) return std::monostate{};
    return FixedValue(row.Fixed1);
}

MethValue clsMethBase::FixedParam2() const {
    return FixedValue(G::GridParamsFor(gridType_, growthCurve_).Fixed2);
}

bool clsMethBase::PointFeasible() const {
    // Only a point that moves NGT can leave the Pauly curve's feasible band.
    if (gridType_ < 0 || gridType_ >= G::kNumGridTypes) return true;
    const G::GridTypeParams& row = G::kGridTypes[gridType_];
    if (row.P1 != G::ParamNGT && row.P2 != G::ParamNGT) return true;
    const float v = Ts_ + NGT_ / 2;
    return v > -0.5f && v < 0.5f;
}

void clsMethBase::MapPoint(double x1, double x2, double& K, double& Linf) {
    // K and Linf from x go to the score only; seasonal values from x stay in the fields.
    K = K_;
    Linf = Linf_;
    auto take = [&](int32_t param, double v) {
        if (param == G::ParamK) K = v;
        else if (param == G::ParamLinf) Linf = v;
        else if (float* f = Field(param)) *f = static_cast<float>(v);
    };
    if (gridType_ >= 0 && gridType_ < G::kNumGridTypes) {
        take(G::kGridTypes[gridType_].P1, x1);
        take(G::kGridTypes[gridType_].P2, x2);
    }
}

void clsMethBase::TakeMinimPoint(double X, double Y, bool Scored) {
    double K = 0, Linf = 0;
    MapPoint(X, Y, K, Linf);
    if (Scored && plotEvals_) AddToMinimLine(X, Y);
}

double clsMethBase::MinFunc(std::vector<double>& x, int32_t& /*vtx*/) {
    double K = 0, Linf = 0;
    MapPoint(x[1], x[2], K, Linf);

    // A copy on another thread leaves the program-wide state and the windows alone: the
    // search that runs it sees Cancel and lets the events run.
    double result = kPenalty;
    if (PointFeasible() && !(PollsCancel() && !windowless_ && MVornGlobs::CancelRequested)) {
        float score = 0, t0 = 0;
        CalcScoreT0(static_cast<float>(K), static_cast<float>(Linf), score, t0);
        result = -static_cast<double>(score);
    }

    if (plotEvals_) AddToMinimLine(x[1], x[2]);
    if (!windowless_) forms::Forms().DoEvents();
    return result;
}

void clsMethBase::AddToMinimLine(double x, double y) {
    if (firstPoint_) {
        prevX_ = curX_ = x;
        prevY_ = curY_ = y;
        firstPoint_ = false;
    }
    prevX_ = curX_;
    prevY_ = curY_;
    curX_ = x;
    curY_ = y;
    if (!DrawSegment(curX_, curY_, prevX_, prevY_)) plotEvals_ = false;
    // Repainting every point would slow a long run down: only the first 30, then every 50th.
    if (pointCount_ < 30 || pointCount_ % 50 == 0) forms::Forms().DoEvents();
    ++pointCount_;
}

void clsMethBase::ResetMinimLine() {
    firstPoint_ = true;
    pointCount_ = 0;
}

// ---- contour plot ----

bool clsMethBase::DrawSegment(double& x1, double& y1, double& x2, double& y2) {
    if (!contour_) return false;
    return contour_->AddLine(x1, y1, x2, y2);
}

bool clsMethBase::PlotContours(const clsLFDSearch& Search) {
    if (contour_ && contour_->Visible()) return false;
    if (!Search.IsFitted()) return false;

    const int32_t nx = Search.P1Evals();
    const int32_t ny = Search.P2Evals();
    const double d1 = nx == 1 ? 0.0 : static_cast<double>(Search.P1Hi() - Search.P1Lo()) / (nx - 1);
    const double d2 = ny == 1 ? 0.0 : static_cast<double>(Search.P2Hi() - Search.P2Lo()) / (ny - 1);
    std::vector<double> X(nx), Y(ny);
    for (int32_t i = 1; i <= nx; ++i) X[i - 1] = Search.P1Lo() + (i - 1) * d1;
    for (int32_t j = 1; j <= ny; ++j) Y[j - 1] = Search.P2Lo() + (j - 1) * d2;
    // The plot takes rows by y: row j holds the scores of the nodes (x(1..nx), y(j)).
    std::vector<std::vector<double>> Z(ny, std::vector<double>(nx, 0.0));
    for (int32_t i = 1; i <= nx; ++i)
        for (int32_t j = 1; j <= ny; ++j)
            Z[j - 1][i - 1] = Search.GridResults(static_cast<int16_t>(i), static_cast<int16_t>(j)).value_or(0.0);

    auto plot = std::make_unique<clsContour>();
    plot->setWithMouse(true);
    plot->setCaption(MVornGlobs::ContourPlotCaption);
    const int32_t gt = Search.GridType();
    const bool named = gt >= 0 && gt <= 4;
    plot->Create("Score Grid", GrColor::OffWhite, GrColor::OffWhite, false, false,
                 named ? MVornGlobs::GridP1Names[gt] : std::string(),
                 named ? MVornGlobs::GridP2Names[gt] : std::string());
    plot->MinimLine(2003, GrColor::LightCyan, GrPenStyle::PenSolid, 1);
    plot->AddContourPlot(X, Y, Z, 10, 1, 0, 0, GrContFill::ContourFill, std::string("FuncVal"));
    plot->setGranularity(MVornGlobs::ContourGranularity);
    // Start markers of the five simplex runs, their results, and the best point.
    for (int k = 1; k <= 5; ++k) plot->AddShape(GrShape::ShapeCircle, GrColor::YELLOW, 2);
    for (int k = 6; k <= 10; ++k) plot->AddShape(GrShape::ShapeSquare, GrColor::BLACK, 2);
    plot->AddShape(GrShape::ShapeSquare, GrColor::LightMagenta, 2);
    if (canvas_ == 0) canvas_ = chart::Chart().CreateCanvasWindow("frmGraph2");
    contour_ = std::move(plot);
    contour_->ShowGraph(canvas_);
    return false;
}

void clsMethBase::TerminateContourPlot() {
    if (contour_) contour_->CloseGraph();
}

void clsMethBase::ShowShapeOnContourPLot(double Size, int32_t Shape, double X, double Y) {
    if (contour_) contour_->ShowShape(Size, Shape, X, Y);
}
