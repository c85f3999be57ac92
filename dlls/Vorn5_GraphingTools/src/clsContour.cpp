// The contour plot of a score grid.
#include "clsContour.h"

#include <algorithm>
#include <cmath>

#include "GraphingTools.h"
#include "Hald_Error.h"
#include "chart/ChartLibrary.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

using namespace Vorn5_GraphingTools;
using chart::Chart;

namespace {

// The library's error record, one per process.
chart::WGErrInfo ErrInfo;

// The object on which Create was called last.
std::weak_ptr<clsContour*> g_mouseReceiver;

constexpr GrColor kDefaultColours[10] = {GrColor::Blue,    GrColor::Grey,      GrColor::red,
                                         GrColor::Green,   GrColor::Brown,     GrColor::lightred,
                                         GrColor::palegreen, GrColor::PaleBlue, GrColor::white,
                                         GrColor::BLACK};

constexpr int32_t kGraphNotValid = vbObjectError + 2941;

std::string LeftStr(const std::string& s, size_t n) { return s.substr(0, std::min(n, s.size())); }
std::string RightStr(const std::string& s, size_t n) { return s.size() <= n ? s : s.substr(s.size() - n); }

// A tick that the axis can be drawn with: the asked one, or one from the range when the
// asked one rounds to nothing.
double UsableTick(double tick, double lo, double hi) {
    if (tick > 0 && std::isfinite(tick)) return tick;
    double a = lo, b = hi, t = 0;
    TicksAndScales::CalcTickInterval(a, b, t, false);
    return t;
}

}  // namespace

namespace Vorn5_GraphingTools::modMouse {
int32_t ContourMouseProc(int32_t, int32_t, int32_t, int32_t, int32_t) {
    if (auto receiver = g_mouseReceiver.lock()) (*receiver)->MouseDown();
    return 0;
}
}  // namespace Vorn5_GraphingTools::modMouse

clsContour::clsContour() : self_(std::make_shared<clsContour*>(this)) {}

clsContour::~clsContour() = default;

Hald_Error& clsContour::ErrorHandler() {
    if (!err_) err_ = std::make_unique<Hald_Error>();
    return *err_;
}

bool clsContour::Visible() const { return Chart().WGIsPageDescValid(page_) == 1; }

void clsContour::setContourColors(int16_t iIndex, GrColor eColor) {
    if (contourColours_.empty() || iIndex < 1 || iIndex > static_cast<int32_t>(contourColours_.size())) {
        forms::Forms().MsgBox("You Must Call Method clsContour.AddContourPlot before trying to assign Colours!",
                              forms::vbOKOnly, "");
        return;
    }
    contourColours_[static_cast<size_t>(iIndex - 1)] = static_cast<int32_t>(eColor);
}

void clsContour::Create(const std::string& strTitle, GrColor ePlotAreaColor, GrColor eGrWinColor, bool fWithGrid,
                        bool fWithAbstract, const std::string& strXTitle, const std::string& strYTitle) {
    title_ = strTitle;
    pageName_ = LeftStr(strTitle, 6) + RightStr(strTitle, 5);
    plotAreaColour_ = ePlotAreaColor;
    windowColour_ = eGrWinColor;
    withGrid_ = fWithGrid;
    withAbstract_ = fWithAbstract;
    xTitle_ = strXTitle;
    yTitle_ = strYTitle;
    clicked_ = false;
    g_mouseReceiver = self_;
}

void clsContour::MinimLine(int32_t lNumLines, GrColor eColor, GrPenStyle ePen, int32_t lThickness) {
    lineCount_ = std::max(0, lNumLines);
    lineColour_ = eColor;
    linePen_ = ePen;
    lineThickness_ = lThickness;
    linesWanted_ = true;
}

void clsContour::AddShape(GrShape eShape, GrColor eColor, int32_t lBordWidth) {
    shapes_.push_back({eShape, lBordWidth, eColor});
    shapesWanted_ = true;
}

void clsContour::AddContourPlot(const std::vector<double>& vntX, const std::vector<double>& vntY,
                                const std::vector<std::vector<double>>& vntZ, int32_t lNumContours,
                                std::optional<int32_t> lLineWidth, std::optional<int32_t> fLabels,
                                std::optional<int32_t> lLabelPrec, std::optional<GrContFill> eGraphType,
                                std::optional<std::string> sName) {
    const char* src = "clsContour.AddContourPlot";
    const int32_t nx = static_cast<int32_t>(vntX.size()), ny = static_cast<int32_t>(vntY.size());
    // Checked before anything is replaced, so a refused grid leaves the previous one intact.
    if (nx < 2 || ny < 2)
        throw VbError(5, src, "A contour plot needs at least two x values and two y values");
    if (static_cast<int32_t>(vntZ.size()) != ny ||
        std::any_of(vntZ.begin(), vntZ.end(), [&](const auto& row) { return static_cast<int32_t>(row.size()) != nx; }))
        throw VbError(9, src, "The score grid does not match the x and y values");
    if (lNumContours < 1) throw VbError(5, src, "A contour plot needs at least one contour level");
    if (fLabels && lNumContours > 10)
        throw VbError(5, src, "At most 10 contour levels can take the default colours");

    nx_ = nx;
    ny_ = ny;
    x0_ = vntX[0];
    y0_ = vntY[0];
    dy_ = (vntY[ny - 1] - vntY[0]) / (ny - 1);
    dx_ = (vntX[nx - 1] - vntX[0]) / (nx - 1);
    const int32_t n = lNumContours;
    nContours_ = n;
    z_.assign(static_cast<size_t>(nx) * ny, 0.0);
    drawFlags_.assign(n, 0);
    labelFlags_.assign(n, 0);
    levelArray1_.assign(n, 0);
    levelArray2_.assign(n, 0);
    contourValues_.assign(n, 0.0);
    contourColours_.assign(static_cast<size_t>(n) + 1, 0);
    for (int32_t i = 0; i < nx; ++i)
        for (int32_t j = 0; j < ny; ++j) z_[static_cast<size_t>(i) + static_cast<size_t>(nx) * j] = vntZ[j][i];
    if (lLineWidth) lineWidth_ = *lLineWidth;
    if (eGraphType) graphType_ = *eGraphType;
    if (lLabelPrec) labelPrec_ = *lLabelPrec;
    if (sName) dataSetName_ = *sName;
    if (fLabels) {
        labels_ = *fLabels != 0;
        for (int32_t k = 0; k < n; ++k) {
            drawFlags_[k] = 1;
            contourColours_[k] = static_cast<int32_t>(kDefaultColours[k]);
            levelArray1_[k] = 0;
            labelFlags_[k] = labels_ ? 1 : 0;
        }
    }
}

void clsContour::Draw() {
    // The graph fills the page.
    graph_ = Chart().WGCreateGraph(page_, 0.0, 0.0, 1.0, 1.0, ToInt(windowColour_), ToInt(borderColour_), 1,
                                   &ErrInfo, &context_);
    if (graph_ == 0) return;
    CheckGrid();
    dataSet_ = Chart().WGCreateEvenGridDataSetVB(dataSetName_, z_.data(), x0_, y0_, dx_, dy_, nx_, ny_);
    SetContourLevels();
    ScalePlotArea();
    DrawAxes();
    DrawTitles();
    PrepareSegmentStore();
    DrawContourBands();
    MakeHiddenLines();
    MakeHiddenShapes();
    RedrawPath();
    drawnOnce_ = true;
    RouteRightButton();
}

void clsContour::CheckGrid() const {
    const size_t nLevels = static_cast<size_t>(std::max(nContours_, 0));
    if (nx_ < 2 || ny_ < 2 || z_.size() != static_cast<size_t>(nx_) * ny_ || nContours_ < 1 ||
        contourValues_.size() != nLevels || contourColours_.size() != nLevels + 1 ||
        drawFlags_.size() != nLevels || labelFlags_.size() != nLevels || levelArray1_.size() != nLevels ||
        levelArray2_.size() != nLevels)
        throw VbError(5, "clsContour.ShowGraph", "There is no score grid to draw");
}

// Evenly spaced levels over the finite scores; a right-click redraw keeps the upper half of
// the previous range.
void clsContour::SetContourLevels() {
    if (!clicked_) {
        zmin_ = 1E+20;
        zmax_ = -1E+20;
        for (double v : z_) {
            if (!std::isfinite(v)) continue;
            if (v < zmin_) zmin_ = v;
            if (v > zmax_) zmax_ = v;
        }
        if (zmin_ > zmax_) zmin_ = zmax_ = 0;  // no finite score at all
    } else {
        zmin_ = (zmin_ + zmax_) / 2;
    }
    const int32_t n = nContours_;
    const double step = (zmax_ - zmin_) / n;
    contourValues_[0] = zmin_;
    for (int32_t i = 2; i <= n; ++i) contourValues_[i - 1] = zmin_ + i * step;
}

// The plot area, scaled to the grid's x and y range rounded to 5 places.
void clsContour::ScalePlotArea() {
    auto& wg = Chart();
    wg.WGSetPlotArea(graph_, context_, 0.15, 0.1, 0.9, 0.85, ToInt(plotAreaColour_));
    wg.WGSetTextByName(0, "Arial", 10, 1);
    double zlo = 0, zhi = 0;
    wg.WGGetContourMinMaxXYZ(dataSet_, xmin_, xmax_, ymin_, ymax_, zlo, zhi);
    ymax_ = modMaths::RoundToPlaces(ymax_, 5);
    ymin_ = modMaths::RoundToPlaces(ymin_, 5);
    xmax_ = modMaths::RoundToPlaces(xmax_, 5);
    xmin_ = modMaths::RoundToPlaces(xmin_, 5);
    wg.WGScalePlotArea(graph_, xmin_, ymin_, xmax_, ymax_);
    wg.WGSetXYIntercepts(graph_, xmin_, ymin_);
    wg.WGSetLineStyle(graph_, context_, ToInt(GrPenStyle::PenSolid), 0, ToInt(GrColor::BLACK));
}

// Axes with ten ticks over the range, and their number labels.
void clsContour::DrawAxes() {
    auto& wg = Chart();
    // A range under a few hundredths rounds the tick to 0, so take one from the range.
    double xTick = UsableTick(modMaths::RoundToPlaces((xmax_ - xmin_) / 10, 2), xmin_, xmax_);
    xAxis_ = wg.WGDrawXAxis(graph_, context_, xTick, 0, 0);
    double yTick = UsableTick(modMaths::RoundToPlaces((ymax_ - ymin_) / 10, 2), ymin_, ymax_);
    yAxis_ = wg.WGDrawYAxis(graph_, context_, yTick, 0, 1);
    wg.WGSetTextParams(1, 16, 10, 1);
    auto decimalsFor = [](double lo, double hi) -> int32_t {
        double r = hi - lo;
        return r <= 10 ? std::abs(modMaths::OrderOfMagnitude(r)) + 1 : 0;
    };
    if (std::fabs(ymax_) > 10000)
        wg.WGLabelAxis(graph_, context_, yAxis_, 1, 1, 0, 0, "");
    else
        wg.WGLabelAxis(graph_, context_, yAxis_, 1, 0, decimalsFor(ymin_, ymax_), 0, "");
    if (std::fabs(xmax_) > 10000)
        wg.WGLabelAxis(graph_, context_, xAxis_, 0, 1, 0, 0, "");
    else
        wg.WGLabelAxis(graph_, context_, xAxis_, 0, 0, decimalsFor(xmin_, xmax_), 0, "");
}

// The graph and axis titles, and the grid lines when asked for.
void clsContour::DrawTitles() {
    auto& wg = Chart();
    wg.WGSetTextByName(0, "Arial", 16, 1);
    titleObject_ = wg.WGTitleGraph(graph_, context_, title_);
    wg.WGSetTextByName(0, "Arial", 12, 1);
    wg.WGTitleAxis(graph_, context_, xAxis_, 0, xTitle_);
    wg.WGTitleAxis(graph_, context_, yAxis_, 1, yTitle_);
    if (withGrid_) {
        wg.WGDrawGrid(graph_, yAxis_, 2);
        wg.WGDrawGrid(graph_, xAxis_, 2);
    }
}

// The segment store lives from the first drawing on.
void clsContour::PrepareSegmentStore() {
    if (!linesWanted_ || drawnOnce_) return;
    segX1_.assign(lineCount_, 0.0);
    segY1_.assign(lineCount_, 0.0);
    segX2_.assign(lineCount_, 0.0);
    segY2_.assign(lineCount_, 0.0);
    nextSegment_ = 1;
}

// The plot is always filled.
void clsContour::DrawContourBands() {
    auto& wg = Chart();
    std::vector<int32_t> rgb(contourColours_.size());
    for (size_t k = 0; k < rgb.size(); ++k) rgb[k] = wg.WGGetRGBColor(contourColours_[k]);
    wg.WGSetTextByName(0, "Arial", 10, 0);
    wg.WGContourPlot(graph_, context_, dataSet_, contourValues_.data(), rgb.data(), levelArray1_.data(),
                     levelArray2_.data(), nContours_, granularity_, drawFlags_.data(), labelFlags_.data(), 2, 4, 1,
                     0, ToInt(GrContFill::ContourFill));
}

// Hidden line objects for the minimiser's path.
void clsContour::MakeHiddenLines() {
    if (!linesWanted_) return;
    auto& wg = Chart();
    wg.WGSetLineStyle(graph_, context_, ToInt(linePen_), lineThickness_, ToInt(lineColour_));
    lineObjects_.assign(lineCount_, 0);
    for (int32_t j = 0; j < lineCount_; ++j) {
        lineObjects_[j] = wg.WGLine(graph_, context_, xAxis_, yAxis_, 0.0, 0.0, 0.0, 0.0);
        wg.WGShowObject(graph_, lineObjects_[j], 0);
    }
}

// Hidden marker shapes.
void clsContour::MakeHiddenShapes() {
    if (!shapesWanted_) return;
    auto& wg = Chart();
    shapeObjects_.assign(shapes_.size(), 0);
    for (size_t k = 0; k < shapes_.size(); ++k) {
        const ShapeSpec& s = shapes_[k];
        if (s.kind == GrShape::ShapeCircle)
            shapeObjects_[k] =
                wg.WGEllipseNorm(graph_, context_, 0.0, 0.0, 0.0, 0.0, ToInt(s.colour), s.borderWidth, 0, 0);
        else if (s.kind == GrShape::ShapeSquare)
            shapeObjects_[k] = wg.WGRectangleNorm(graph_, context_, 0.0, 0.0, 0.0, 0.0, ToInt(s.colour),
                                                  s.borderWidth, 0, ToInt(s.colour));
        wg.WGShowObject(graph_, shapeObjects_[k], 0);
    }
}

// A redraw shows the path drawn so far again.
void clsContour::RedrawPath() {
    if (!drawnOnce_) return;
    const int32_t drawn = nextSegment_ - 1;
    nextSegment_ = 1;
    for (int32_t j = 0; j < drawn && j < static_cast<int32_t>(segX1_.size()); ++j) {
        double x1 = segX1_[j], y1 = segY1_[j], x2 = segX2_[j], y2 = segY2_[j];
        AddLine(x1, y1, x2, y2);
    }
}

// The right button goes to this object (not to whichever plot was made last).
void clsContour::RouteRightButton() {
    auto& wg = Chart();
    wg.WGSetProcessMouseEventFlag(-1);
    std::weak_ptr<clsContour*> me = self_;
    wg.WGSetMouseEventAction(graph_, static_cast<int32_t>(GrMouseEvent::RButtDown), 6,
                             [me](int32_t, int32_t, int32_t, int32_t, int32_t) -> int32_t {
                                 if (auto p = me.lock()) (*p)->MouseDown();
                                 return 0;
                             });
}

void clsContour::OpenPage() {
    page_ = Chart().WGCreatePage(pageName_, owner_, caption_, "PageMe", 15, 8, &ErrInfo);
    if (page_ == 0) return;
    try {
        Draw();
    } catch (const std::exception&) {
        // A failed drawing ends quietly: the page shows what was drawn up to the failure,
        // and the caller's later AddLine/ShowShape calls report through the error log.
    }
    Chart().WGUpdatePage(page_);
}

void clsContour::ShowGraph(int32_t lHWnd) {
    owner_ = lHWnd;
    OpenPage();
}

void clsContour::HandleFailure(const std::exception& e, const std::string& procedure) {
    const std::string title = "cls_Contour_" + procedure;
    ErrorHandler().HandleError(AsVbError(e, title), title, Hald_Error::LogOnly);
    Chart().WGCleanup(&ErrInfo, 0);
}

bool clsContour::AddLine(double& dX1, double& dY1, double& dX2, double& dY2) {
    const std::string src = "cls_Contour_AddLine";
    try {
        auto& wg = Chart();
        if (wg.WGIsGraphDescValid(graph_) == 0) throw VbError(kGraphNotValid, src, "Graph Desc Not Valid");
        // Every line object is in use: the store is full (checked before anything is written).
        if (nextSegment_ < 1 || nextSegment_ > static_cast<int32_t>(lineObjects_.size()) ||
            nextSegment_ > static_cast<int32_t>(segX1_.size()))
            vb::Raise(9, src);
        const size_t k = static_cast<size_t>(nextSegment_ - 1);
        segX1_[k] = dX1;
        segY1_[k] = dY1;
        segX2_[k] = dX2;
        segY2_[k] = dY2;
        dX1 = std::clamp(dX1, xmin_, xmax_);
        dX2 = std::clamp(dX2, xmin_, xmax_);
        dY1 = std::clamp(dY1, ymin_, ymax_);
        dY2 = std::clamp(dY2, ymin_, ymax_);
        wg.WGChangeObjectCoord(graph_, lineObjects_[k], dX1, dY1, dX2, dY2, -1);
        wg.WGShowObject(graph_, lineObjects_[k], -1);
        nextSegment_ = vb::AddInt(nextSegment_, 1);
        return true;
    } catch (const std::exception& e) {
        HandleFailure(e, "AddLine");
        return false;
    }
}

bool clsContour::ShowShape(double dNormWidth, int32_t lShapeNo, double vntX, double vntY) {
    const std::string src = "cls_Contour_ShowShape";
    try {
        auto& wg = Chart();
        if (wg.WGIsGraphDescValid(graph_) == 0) throw VbError(kGraphNotValid, src, "Graph Desc Not Valid");
        if (lShapeNo < 1 || lShapeNo > static_cast<int32_t>(shapeObjects_.size()))
            vb::Raise(9, src);
        double lo = 0, hi = 0;
        wg.WGGetAxisRange(graph_, xAxis_, lo, hi);
        const double xn = 0.15 + 0.75 * vb::Div(vntX - lo, hi - lo, src.c_str());
        wg.WGGetAxisRange(graph_, yAxis_, lo, hi);
        const double yn = 0.1 + 0.75 * (1 - vb::Div(vntY - lo, hi - lo, src.c_str()));
        const double h = dNormWidth / 2;
        const int32_t obj = shapeObjects_[static_cast<size_t>(lShapeNo - 1)];
        wg.WGChangeObjectCoordNorm(graph_, obj, xn - h, yn - h, xn + h, yn + h, -1);
        wg.WGShowObject(graph_, obj, -1);
        return true;
    } catch (const std::exception& e) {
        HandleFailure(e, "ShowShape");
        return false;
    }
}

void clsContour::MouseDown() {
    clicked_ = true;
    if (!withMouse_) return;
    try {
        Chart().WGClosePage(page_);
        OpenPage();
    } catch (const std::exception&) {
        Chart().WGCleanup(&ErrInfo, 0);
    }
}

void clsContour::CloseGraph() {
    if (Chart().WGIsPageDescValid(page_) == 1) Chart().WGClosePage(page_);
    shapeObjects_.clear();
    lineObjects_.clear();
    segX1_.clear();
    segY1_.clear();
    segX2_.clear();
    segY2_.clear();
    z_.clear();
    levelArray2_.clear();
    labelFlags_.clear();
    shapes_.clear();
}
