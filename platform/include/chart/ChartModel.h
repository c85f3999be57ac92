#ifndef CHARTMODEL_H
#define CHARTMODEL_H
// The charting library's retained scene, without any window: pages, graphs, data sets,
// layers and objects as the WG calls leave them, plus an optional record of every call.
// The Qt implementation derives from it and paints the scene (platform/qt/ChartPainter.h);
// the headless one is this class with recording switched on.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/ChartLibrary.h"

namespace chart {

// One argument of a recorded call. Handles and integers are kept as int64_t; arrays passed
// by address are copied with their meaningful length.
using CallArg = std::variant<int64_t, double, std::string, std::vector<double>, std::vector<int64_t>>;

struct ChartCall {
    std::string fn;
    std::vector<CallArg> args;

    int64_t i(size_t k) const { return std::get<int64_t>(args.at(k)); }
    double d(size_t k) const { return std::get<double>(args.at(k)); }
    const std::string& s(size_t k) const { return std::get<std::string>(args.at(k)); }
    const std::vector<double>& vd(size_t k) const { return std::get<std::vector<double>>(args.at(k)); }
    const std::vector<int64_t>& vi(size_t k) const { return std::get<std::vector<int64_t>>(args.at(k)); }
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour of a colour value: a GrColor index 0..19 or a WGGetRGBColor value.
Rgb ColourOf(int32_t colour);
// The RGB of GrColor index 0..19 (black for any other index).
Rgb ColourTable(int32_t index);

struct Font {
    std::string face = "Arial";
    int32_t size = 10;
    int32_t flag = 0;
};

struct Pen {
    int32_t style = 0;      // GrPenStyle: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none
    int32_t thickness = 0;  // 0 = thinnest
    int32_t colour = 0;
};

struct NormRect {
    double x1 = 0, y1 = 0, x2 = 1, y2 = 1;
};

struct DataSet {
    enum class Kind { Grid, Group, XY } kind = Kind::XY;
    Handle id = 0;
    std::string name;
    // Grid
    double x0 = 0, y0 = 0, dx = 0, dy = 0;
    int32_t nx = 0, ny = 0;
    std::vector<double> z;  // z[i + nx * j]
    // Group and XY
    std::vector<double> x;
    std::vector<double> ends;  // Group: perPoint values per position
    int32_t perPoint = 0;
    std::vector<double> y;     // XY
    std::vector<bool> invalid;  // per point
    int32_t count() const { return static_cast<int32_t>(x.size()); }
};

struct Axis {
    Handle id = 0;
    bool isX = true;
    double tick = 0;  // as asked
    int32_t flag = 0, kind = 0;
    Pen pen;
    bool labelled = false;
    int32_t labelFormat = 0, labelDecimals = -1;
    Font labelFont;
    bool titled = false;
    std::string title;
    Font titleFont;
    bool grid = false;
    int32_t gridStyle = 0;
};

struct TextObject {
    Handle id = 0;
    std::string text;
    Font font;
};

struct ContourLayer {
    Handle dataSet = 0;
    std::vector<double> levels;
    std::vector<int32_t> colours;  // levels.size() + 1
    int32_t granularity = 1;
    int32_t type = 21;
};

struct BarLayer {
    Handle dataSet = 0;
    double width = 1;
    int32_t justify = 4, type = 7, colour = 0, border = 0;
};

struct LineLayer {
    Handle dataSet = 0;
    Pen pen;
};

struct Layer {
    Handle id = 0;
    std::variant<ContourLayer, BarLayer, LineLayer> what;
};

struct Object {
    enum class Kind { Line, Ellipse, Rectangle } kind = Kind::Line;
    Handle id = 0;
    bool dataCoords = false;  // Line: data coordinates; shapes: norm coordinates
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Pen pen;                  // Line
    int32_t colour = 0, borderWidth = 0, fillColour = 0;
    bool visible = true;
};

struct Scale {
    double min = 0, max = 1;
};

struct Graph {
    Handle id = 0;
    Handle page = 0;
    NormRect rect;
    int32_t windowColour = 15, borderColour = 0, border = 1;
    bool plotAreaSet = false;
    NormRect plotArea{0.1, 0.1, 0.9, 0.9};
    int32_t plotAreaColour = 15;
    Scale x, y;
    std::optional<double> xIntercept, yIntercept;
    Pen pen;
    std::vector<Axis> axes;
    std::vector<TextObject> titles;
    std::vector<Layer> layers;
    std::vector<Object> objects;
    std::map<int32_t, MouseProc> mouse;

    const Axis* axis(Handle h) const;
    Axis* axis(Handle h);
    const Object* object(Handle h) const;
    Object* object(Handle h);
    // Data point -> norm coordinates of the graph (y from the top).
    double normX(double xv) const;
    double normY(double yv) const;
};

struct Page {
    Handle id = 0;
    std::string name, caption, menu;
    Handle owner = 0;
    std::vector<Handle> graphs;
    int32_t updates = 0;  // WGUpdatePage calls
};

class ChartModel : public ChartLibrary {
public:
    ChartModel();
    ~ChartModel() override;

    Handle WGCreatePage(const std::string& name, Handle owner, const std::string& caption,
                        const std::string& menu, int32_t style, int32_t options,
                        WGErrInfo* err) override;
    int32_t WGIsPageDescValid(Handle page) override;
    int32_t WGClosePage(Handle page) override;
    int32_t WGUpdatePage(Handle page) override;
    void WGCleanup(WGErrInfo* err, int32_t flag) override;
    Handle WGCreateGraph(Handle page, double x1, double y1, double x2, double y2,
                         int32_t windowColour, int32_t borderColour, int32_t border,
                         WGErrInfo* err, int32_t* context) override;
    int32_t WGIsGraphDescValid(Handle graph) override;
    int32_t WGSetPlotArea(Handle graph, int32_t context, double x1, double y1, double x2, double y2,
                          int32_t colour) override;
    int32_t WGSetAxesScale(Handle graph, int32_t xScale, int32_t yScale) override;
    int32_t WGScalePlotArea(Handle graph, double xmin, double ymin, double xmax, double ymax) override;
    int32_t WGSetXYIntercepts(Handle graph, double x, double y) override;
    int32_t WGGetAxisRange(Handle graph, Handle axis, double& min, double& max) override;
    Handle WGDrawXAxis(Handle graph, int32_t context, double tick, int32_t flag, int32_t kind) override;
    Handle WGDrawYAxis(Handle graph, int32_t context, double tick, int32_t flag, int32_t kind) override;
    int32_t WGLabelAxis(Handle graph, int32_t context, Handle axis, int32_t kind, int32_t format,
                        int32_t decimals, int32_t flag, const std::string& text) override;
    Handle WGTitleGraph(Handle graph, int32_t context, const std::string& title) override;
    Handle WGTitleAxis(Handle graph, int32_t context, Handle axis, int32_t kind,
                       const std::string& title) override;
    int32_t WGDrawGrid(Handle graph, Handle axis, int32_t style) override;
    int32_t WGSetTextByName(int32_t slot, const std::string& face, int32_t size, int32_t flag) override;
    int32_t WGSetTextParams(int32_t a, int32_t b, int32_t c, int32_t d) override;
    int32_t WGSetLineStyle(Handle graph, int32_t context, int32_t pen, int32_t thickness,
                           int32_t colour) override;
    int32_t WGGetRGBColor(int32_t index) override;
    Handle WGCreateEvenGridDataSetVB(const std::string& name, const double* z, double x0, double y0,
                                     double dx, double dy, int32_t nx, int32_t ny) override;
    int32_t WGGetContourMinMaxXYZ(Handle dataSet, double& xmin, double& xmax, double& ymin,
                                  double& ymax, double& zmin, double& zmax) override;
    Handle WGDefineGroupDataSetVB(const std::string& name, const double* x, const double* ends,
                                  int32_t count, int32_t perPoint) override;
    Handle WGDefineDataSetVB(const std::string& name, const double* x, const double* y,
                             int32_t count) override;
    int32_t WGGetDataSetsRange(const Handle* sets, int32_t n, double& xmin, double& ymin,
                               double& xmax, double& ymax) override;
    int32_t WGMarkDataPoint(Handle dataSet, int32_t index0, int32_t flag) override;
    Handle WGContourPlot(Handle graph, int32_t context, Handle dataSet, const double* levels,
                         const int32_t* colours, const int32_t* levelArray1,
                         const int32_t* levelArray2, int32_t n, int32_t granularity,
                         const int32_t* drawFlags, const int32_t* labelFlags, int32_t a, int32_t b,
                         int32_t c, int32_t d, int32_t type) override;
    Handle WGFloatingBars(Handle graph, int32_t context, Handle dataSet, double width, int32_t justify,
                          int32_t type, int32_t colour, int32_t border, int32_t flag) override;
    Handle WGLinePlot(Handle graph, int32_t context, Handle dataSet, int32_t a, int32_t b) override;
    Handle WGLine(Handle graph, int32_t context, Handle xAxis, Handle yAxis, double x1, double y1,
                  double x2, double y2) override;
    Handle WGEllipseNorm(Handle graph, int32_t context, double x1, double y1, double x2, double y2,
                         int32_t colour, int32_t borderWidth, int32_t style, int32_t fillColour) override;
    Handle WGRectangleNorm(Handle graph, int32_t context, double x1, double y1, double x2, double y2,
                           int32_t colour, int32_t borderWidth, int32_t style,
                           int32_t fillColour) override;
    int32_t WGShowObject(Handle graph, Handle object, int32_t show) override;
    int32_t WGChangeObjectCoord(Handle graph, Handle object, double x1, double y1, double x2,
                                double y2, int32_t redraw) override;
    int32_t WGChangeObjectCoordNorm(Handle graph, Handle object, double x1, double y1, double x2,
                                    double y2, int32_t redraw) override;
    int32_t WGSetProcessMouseEventFlag(int32_t flag) override;
    int32_t WGSetMouseEventAction(Handle graph, int32_t event, int32_t action, MouseProc proc) override;
    Handle CreateCanvasWindow(const std::string& formName) override;

    // ---- the scene
    const Page* page(Handle h) const;
    const Graph* graph(Handle h) const;
    const DataSet* dataSet(Handle h) const;
    std::vector<Handle> pages() const;  // valid pages in creation order
    // The page most recently created that is still valid (0 when none).
    Handle lastPage() const;

    // The tick step an axis is drawn with (the asked one, or a 1-2-5 step of the range) and
    // the values where its ticks fall.
    static double EffectiveTick(double tick, double min, double max);
    static std::vector<double> TickValues(double tick, double min, double max, double origin);
    // The band colour of value z under a contour layer.
    static int32_t BandColour(const ContourLayer& layer, double z, bool flat);
    // Bilinear value of a grid data set at (x, y); nullopt outside the grid.
    static std::optional<double> GridValue(const DataSet& grid, double x, double y);

    // ---- what a user does to a page window
    // Closes the page as its window's close box does (WGIsPageDescValid turns 0).
    void UserClosesPage(Handle page);
    // A mouse event on a graph: calls its action when mouse processing is on. Returns
    // whether an action ran.
    bool DeliverMouse(Handle graph, int32_t event, int32_t px = 0, int32_t py = 0);
    // A right-button press anywhere on the page: delivered to its graphs, last made first.
    bool RightClick(Handle page);

    // ---- test knobs and record
    bool recording = false;
    std::vector<ChartCall> calls;
    // The calls to `fn`, in order.
    std::vector<ChartCall> callsTo(const std::string& fn) const;
    // Count of calls to `fn`.
    size_t count(const std::string& fn) const;
    // The next `failPages` page creations (and `failGraphs` graph creations) return 0.
    int failPages = 0;
    int failGraphs = 0;
    bool mouseProcessing() const { return mouseFlag_ != 0; }

protected:
    // Hooks for a windowed implementation.
    virtual void OnPageCreated(const Page&) {}
    virtual void OnPageClosed(Handle) {}
    virtual void OnPageUpdated(const Page&) {}
    // Something on the page changed (an object moved or shown).
    virtual void OnPageChanged(Handle) {}
    Handle NewHandle() { return nextHandle_++; }
    // An ellipse or rectangle object in normalised page coordinates.
    Handle AddShape(Object::Kind kind, Handle graph, double x1, double y1, double x2, double y2,
                    int32_t colour, int32_t borderWidth, int32_t fillColour);

private:
    void Record(const std::string& fn, std::vector<CallArg> args);
    Graph* graphMut(Handle h);
    void Touch(const Graph& g);
    // An x or y axis with the current pen.
    Handle AddAxis(Handle graph, bool isX, double tick, int32_t flag, int32_t kind);
    // Moves an object to new corners, in data or normalised coordinates.
    int32_t MoveObject(Handle graph, Handle object, bool dataCoords, double x1, double y1, double x2,
                       double y2);
    void ReleasePage(Handle page);

    std::map<Handle, Page> pages_;
    std::map<Handle, Graph> graphs_;
    std::map<Handle, DataSet> dataSets_;
    std::vector<Handle> pageOrder_;
    Font font_;
    int32_t mouseFlag_ = 0;
    Handle nextHandle_ = 1;
};

}  // namespace chart

#endif
