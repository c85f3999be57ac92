#ifndef CHARTLIBRARY_H
#define CHARTLIBRARY_H
// The charting library the chart classes draw through: chart pages (top-level windows with
// a caption, over an owner window) holding graphs, each graph with a plot area, scaling,
// axes, titles, data layers (filled contours, floating bars, line plots) and objects
// (lines, ellipses, rectangles) that can be hidden, moved and shown again.
//
// Every handle is a non-zero 32-bit value; 0 means the creation failed. Calls on a handle
// that is not (or no longer) valid do nothing and return 0 (or an error status).
// Colours are either a GrColor index 0..19 or a value returned by WGGetRGBColor.
// "Norm" coordinates are fractions of the graph's rectangle measured from its top-left.
//
// The program installs the Qt implementation (platform/qt/ChartQt.h); tests install a
// ScopedHeadlessChart (chart/HeadlessChart.h), which records every call with its arguments.
#include <cstdint>
#include <functional>
#include <string>

namespace chart {

using Handle = int32_t;

// The library's error record: one block per process, passed to page and graph creation.
struct WGErrInfo {
    int32_t code = 0;
    std::string text;
};

// Right-button (and other) mouse events delivered to a graph: the five values are
// (graph, event, x pixel, y pixel, 0). Called on the user-interface thread, after the
// window system's own handling of the click has finished.
using MouseProc = std::function<int32_t(int32_t, int32_t, int32_t, int32_t, int32_t)>;

// Mouse event numbers.
inline constexpr int32_t kLeftButtonDown = 513;
inline constexpr int32_t kRightButtonDown = 516;

// Marks a colour value as a translated RGB value (0xRRGGBB below it).
inline constexpr int32_t kRgbFlag = 0x01000000;

// Axis kinds, bar justification and status codes.
inline constexpr int32_t kXAxis = 0;
inline constexpr int32_t kYAxis = 1;
inline constexpr int32_t kStatusOk = 0;
inline constexpr int32_t kStatusBadHandle = -1;

class ChartLibrary {
public:
    virtual ~ChartLibrary() = default;

    // ---- pages and graphs
    // A page named `name` over the window `owner` (a handle from CreateCanvasWindow, or 0),
    // with `caption` and the page menu `menu` (Print, Copy, Save as PNG).
    virtual Handle WGCreatePage(const std::string& name, Handle owner, const std::string& caption,
                                const std::string& menu, int32_t style, int32_t options,
                                WGErrInfo* err) = 0;
    // 1 while the page exists and its user has not closed it, else 0.
    virtual int32_t WGIsPageDescValid(Handle page) = 0;
    virtual int32_t WGClosePage(Handle page) = 0;
    virtual int32_t WGUpdatePage(Handle page) = 0;
    virtual void WGCleanup(WGErrInfo* err, int32_t flag) = 0;
    // A graph over the normalised page rectangle (x1, y1)-(x2, y2); *context receives the
    // value to pass back as the second argument of the drawing calls.
    virtual Handle WGCreateGraph(Handle page, double x1, double y1, double x2, double y2,
                                 int32_t windowColour, int32_t borderColour, int32_t border,
                                 WGErrInfo* err, int32_t* context) = 0;
    // Non-zero while the graph is valid.
    virtual int32_t WGIsGraphDescValid(Handle graph) = 0;

    // ---- plot area and scaling
    virtual int32_t WGSetPlotArea(Handle graph, int32_t context, double x1, double y1, double x2,
                                  double y2, int32_t colour) = 0;
    virtual int32_t WGSetAxesScale(Handle graph, int32_t xScale, int32_t yScale) = 0;
    // Data range of the plot area. A zero range is widened by 0.5 on both sides; a
    // non-finite one becomes 0..1.
    virtual int32_t WGScalePlotArea(Handle graph, double xmin, double ymin, double xmax,
                                    double ymax) = 0;
    virtual int32_t WGSetXYIntercepts(Handle graph, double x, double y) = 0;
    // The data range of an axis (as scaled, after widening).
    virtual int32_t WGGetAxisRange(Handle graph, Handle axis, double& min, double& max) = 0;

    // ---- axes and text
    // An axis with a tick every `tick` data units; a tick that is not positive and finite
    // (or that would give hundreds of ticks) is replaced by a 1-2-5 step of the range.
    virtual Handle WGDrawXAxis(Handle graph, int32_t context, double tick, int32_t flag,
                               int32_t kind) = 0;
    virtual Handle WGDrawYAxis(Handle graph, int32_t context, double tick, int32_t flag,
                               int32_t kind) = 0;
    // Tick labels: format 0 fixed (decimals >= 0, or -1 for as many as the tick needs),
    // format 1 exponent form.
    virtual int32_t WGLabelAxis(Handle graph, int32_t context, Handle axis, int32_t kind,
                                int32_t format, int32_t decimals, int32_t flag,
                                const std::string& text) = 0;
    virtual Handle WGTitleGraph(Handle graph, int32_t context, const std::string& title) = 0;
    virtual Handle WGTitleAxis(Handle graph, int32_t context, Handle axis, int32_t kind,
                               const std::string& title) = 0;
    virtual int32_t WGDrawGrid(Handle graph, Handle axis, int32_t style) = 0;
    // Font for the text objects made after this call.
    virtual int32_t WGSetTextByName(int32_t slot, const std::string& face, int32_t size,
                                    int32_t flag) = 0;
    virtual int32_t WGSetTextParams(int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    // Pen (GrPenStyle, thickness, colour) for the axes, lines and line plots made after it.
    virtual int32_t WGSetLineStyle(Handle graph, int32_t context, int32_t pen, int32_t thickness,
                                   int32_t colour) = 0;
    // The colour value of GrColor `index` (0..19).
    virtual int32_t WGGetRGBColor(int32_t index) = 0;

    // ---- data sets
    // An evenly spaced grid: z holds nx * ny values, column by column, first index fastest
    // (z[i + nx * j] is the value at x0 + i dx, y0 + j dy). The values are copied.
    virtual Handle WGCreateEvenGridDataSetVB(const std::string& name, const double* z, double x0,
                                             double y0, double dx, double dy, int32_t nx,
                                             int32_t ny) = 0;
    virtual int32_t WGGetContourMinMaxXYZ(Handle dataSet, double& xmin, double& xmax, double& ymin,
                                          double& ymax, double& zmin, double& zmax) = 0;
    // `count` positions x, each with `perPoint` values in `ends` (bottom, top).
    virtual Handle WGDefineGroupDataSetVB(const std::string& name, const double* x,
                                          const double* ends, int32_t count, int32_t perPoint) = 0;
    virtual Handle WGDefineDataSetVB(const std::string& name, const double* x, const double* y,
                                     int32_t count) = 0;
    // Union range over `n` group data sets: positions in x, their values in y.
    virtual int32_t WGGetDataSetsRange(const Handle* sets, int32_t n, double& xmin, double& ymin,
                                       double& xmax, double& ymax) = 0;
    // Marks point `index0` (0-based) invalid (-1) or valid (0); invalid points are left out.
    virtual int32_t WGMarkDataPoint(Handle dataSet, int32_t index0, int32_t flag) = 0;

    // ---- data layers
    // Filled bands: z < levels[0] takes colours[0]; levels[k-1] <= z < levels[k] takes
    // colours[k]; z >= levels[n-1] takes colours[n]. A flat grid is one band (colours[0]).
    // levels has n values, colours n + 1, drawFlags and labelFlags n.
    virtual Handle WGContourPlot(Handle graph, int32_t context, Handle dataSet,
                                 const double* levels, const int32_t* colours,
                                 const int32_t* levelArray1, const int32_t* levelArray2,
                                 int32_t n, int32_t granularity, const int32_t* drawFlags,
                                 const int32_t* labelFlags, int32_t a, int32_t b, int32_t c,
                                 int32_t d, int32_t type) = 0;
    // For each position of a group data set, a bar from bottom to top along the horizontal
    // (value) axis, `width` thick along the vertical (position) axis: justify 4 puts it
    // above its position, 3 centres it, 0 puts it below.
    virtual Handle WGFloatingBars(Handle graph, int32_t context, Handle dataSet, double width,
                                  int32_t justify, int32_t type, int32_t colour, int32_t border,
                                  int32_t flag) = 0;
    // A polyline through the valid points of an XY data set, broken at invalid ones.
    virtual Handle WGLinePlot(Handle graph, int32_t context, Handle dataSet, int32_t a,
                              int32_t b) = 0;

    // ---- objects
    // A line in data coordinates with the current pen.
    virtual Handle WGLine(Handle graph, int32_t context, Handle xAxis, Handle yAxis, double x1,
                          double y1, double x2, double y2) = 0;
    // An outlined ellipse in the bounding box (norm coordinates).
    virtual Handle WGEllipseNorm(Handle graph, int32_t context, double x1, double y1, double x2,
                                 double y2, int32_t colour, int32_t borderWidth, int32_t style,
                                 int32_t fillColour) = 0;
    // A rectangle outlined in `colour` and filled with `fillColour`.
    virtual Handle WGRectangleNorm(Handle graph, int32_t context, double x1, double y1, double x2,
                                   double y2, int32_t colour, int32_t borderWidth, int32_t style,
                                   int32_t fillColour) = 0;
    // show: 0 hides, non-zero shows.
    virtual int32_t WGShowObject(Handle graph, Handle object, int32_t show) = 0;
    virtual int32_t WGChangeObjectCoord(Handle graph, Handle object, double x1, double y1,
                                        double x2, double y2, int32_t redraw) = 0;
    virtual int32_t WGChangeObjectCoordNorm(Handle graph, Handle object, double x1, double y1,
                                            double x2, double y2, int32_t redraw) = 0;

    // ---- mouse
    virtual int32_t WGSetProcessMouseEventFlag(int32_t flag) = 0;
    // Calls `proc` when `event` (kRightButtonDown, ...) happens on the graph, while mouse
    // processing is switched on.
    virtual int32_t WGSetMouseEventAction(Handle graph, int32_t event, int32_t action,
                                          MouseProc proc) = 0;

    // ---- canvas windows
    // An empty canvas window of the program (formName "frmGraph" or "frmGraph2"), kept until
    // the program ends; its handle serves as the owner of pages.
    virtual Handle CreateCanvasWindow(const std::string& formName) = 0;
};

// The installed library (a headless one that records nothing until the program installs
// its own).
ChartLibrary& Chart();
// Installs `library` (not owned) and returns the previous one; nullptr restores the default.
ChartLibrary* SetChart(ChartLibrary* library);

}  // namespace chart

#endif
