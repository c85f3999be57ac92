// The charting library's retained scene and call record.
#include "chart/ChartModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {
namespace {

CallArg I(int64_t v) { return CallArg(v); }
CallArg D(double v) { return CallArg(v); }
CallArg S(const std::string& v) { return CallArg(v); }
CallArg VD(const double* p, int32_t n) {
    return CallArg(p && n > 0 ? std::vector<double>(p, p + n) : std::vector<double>{});
}
CallArg VI(const int32_t* p, int32_t n) {
    std::vector<int64_t> v;
    if (p)
        for (int32_t k = 0; k < n; ++k) v.push_back(p[k]);
    return CallArg(std::move(v));
}

bool Finite(double v) { return std::isfinite(v); }

Scale MakeScale(double lo, double hi) {
    if (!Finite(lo) || !Finite(hi)) return {0, 1};
    if (hi < lo) std::swap(lo, hi);
    // A zero range cannot be scaled; widen it so that the data still show.
    if (hi == lo) return {lo - 0.5, hi + 0.5};
    return {lo, hi};
}

}  // namespace

Rgb ColourTable(int32_t index) {
    static const Rgb table[20] = {
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0},
        {128, 0, 128},   {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255},
        {0, 255, 0},     {0, 255, 255},   {255, 0, 0},     {255, 0, 255},   {255, 255, 0},
        {255, 255, 255}, {166, 202, 240}, {192, 220, 192}, {160, 160, 164}, {255, 251, 240}};
    if (index < 0 || index > 19) return {0, 0, 0};
    return table[index];
}

Rgb ColourOf(int32_t colour) {
    if (colour & kRgbFlag)
        return {static_cast<uint8_t>((colour >> 16) & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
                static_cast<uint8_t>(colour & 0xFF)};
    return ColourTable(colour);
}

// ---- Graph helpers

const Axis* Graph::axis(Handle h) const {
    for (const auto& a : axes)
        if (a.id == h) return &a;
    return nullptr;
}
Axis* Graph::axis(Handle h) { return const_cast<Axis*>(static_cast<const Graph*>(this)->axis(h)); }
const Object* Graph::object(Handle h) const {
    for (const auto& o : objects)
        if (o.id == h) return &o;
    return nullptr;
}
Object* Graph::object(Handle h) { return const_cast<Object*>(static_cast<const Graph*>(this)->object(h)); }

double Graph::normX(double xv) const {
    return plotArea.x1 + (xv - x.min) / (x.max - x.min) * (plotArea.x2 - plotArea.x1);
}
double Graph::normY(double yv) const {
    return plotArea.y2 - (yv - y.min) / (y.max - y.min) * (plotArea.y2 - plotArea.y1);
}

// ---- ChartModel

ChartModel::ChartModel() = default;
ChartModel::~ChartModel() = default;

void ChartModel::Record(const std::string& fn, std::vector<CallArg> args) {
    if (recording) calls.push_back({fn, std::move(args)});
}

std::vector<ChartCall> ChartModel::callsTo(const std::string& fn) const {
    std::vector<ChartCall> out;
    for (const auto& c : calls)
        if (c.fn == fn) out.push_back(c);
    return out;
}

size_t ChartModel::count(const std::string& fn) const {
    return static_cast<size_t>(std::count_if(calls.begin(), calls.end(),
                                             [&](const ChartCall& c) { return c.fn == fn; }));
}

Graph* ChartModel::graphMut(Handle h) {
    auto it = graphs_.find(h);
    return it == graphs_.end() ? nullptr : &it->second;
}

const Page* ChartModel::page(Handle h) const {
    auto it = pages_.find(h);
    return it == pages_.end() ? nullptr : &it->second;
}
const Graph* ChartModel::graph(Handle h) const {
    auto it = graphs_.find(h);
    return it == graphs_.end() ? nullptr : &it->second;
}
const DataSet* ChartModel::dataSet(Handle h) const {
    auto it = dataSets_.find(h);
    return it == dataSets_.end() ? nullptr : &it->second;
}
std::vector<Handle> ChartModel::pages() const {
    std::vector<Handle> out;
    for (Handle h : pageOrder_)
        if (pages_.count(h)) out.push_back(h);
    return out;
}
Handle ChartModel::lastPage() const {
    for (auto it = pageOrder_.rbegin(); it != pageOrder_.rend(); ++it)
        if (pages_.count(*it)) return *it;
    return 0;
}

void ChartModel::Touch(const Graph& g) { OnPageChanged(g.page); }

Handle ChartModel::WGCreatePage(const std::string& name, Handle owner, const std::string& caption,
                                const std::string& menu, int32_t style, int32_t options,
                                WGErrInfo* err) {
    Record("WGCreatePage", {S(name), I(owner), S(caption), S(menu), I(style), I(options)});
    if (failPages > 0) {
        --failPages;
        if (err) *err = {1, "The page could not be created"};
        return 0;
    }
    Page p;
    p.id = NewHandle();
    p.name = name;
    p.owner = owner;
    p.caption = caption;
    p.menu = menu;
    pages_[p.id] = p;
    pageOrder_.push_back(p.id);
    OnPageCreated(pages_[p.id]);
    return p.id;
}

int32_t ChartModel::WGIsPageDescValid(Handle page) {
    Record("WGIsPageDescValid", {I(page)});
    return pages_.count(page) ? 1 : 0;
}

void ChartModel::ReleasePage(Handle page) {
    auto it = pages_.find(page);
    if (it == pages_.end()) return;
    // Data sets plotted only on this page go with it.
    std::vector<Handle> used;
    for (Handle g : it->second.graphs) {
        auto git = graphs_.find(g);
        if (git == graphs_.end()) continue;
        for (const auto& l : git->second.layers)
            std::visit([&](const auto& layer) { used.push_back(layer.dataSet); }, l.what);
        graphs_.erase(git);
    }
    for (Handle ds : used) {
        bool elsewhere = false;
        for (const auto& [gh, g] : graphs_)
            for (const auto& l : g.layers)
                std::visit([&](const auto& layer) { elsewhere |= layer.dataSet == ds; }, l.what);
        if (!elsewhere) dataSets_.erase(ds);
    }
    pages_.erase(it);
    OnPageClosed(page);
}

int32_t ChartModel::WGClosePage(Handle page) {
    Record("WGClosePage", {I(page)});
    if (!pages_.count(page)) return kStatusBadHandle;
    ReleasePage(page);
    return kStatusOk;
}

void ChartModel::UserClosesPage(Handle page) { ReleasePage(page); }

int32_t ChartModel::WGUpdatePage(Handle page) {
    Record("WGUpdatePage", {I(page)});
    auto it = pages_.find(page);
    if (it == pages_.end()) return kStatusBadHandle;
    ++it->second.updates;
    OnPageUpdated(it->second);
    return kStatusOk;
}

void ChartModel::WGCleanup(WGErrInfo* err, int32_t flag) {
    Record("WGCleanup", {I(flag)});
    if (err) *err = {};
}

Handle ChartModel::WGCreateGraph(Handle page, double x1, double y1, double x2, double y2,
                                 int32_t windowColour, int32_t borderColour, int32_t border,
                                 WGErrInfo* err, int32_t* context) {
    Record("WGCreateGraph", {I(page), D(x1), D(y1), D(x2), D(y2), I(windowColour), I(borderColour), I(border)});
    auto pit = pages_.find(page);
    if (pit == pages_.end() || failGraphs > 0) {
        if (failGraphs > 0) --failGraphs;
        if (err) *err = {2, "The graph could not be created"};
        return 0;
    }
    Graph g;
    g.id = NewHandle();
    g.page = page;
    g.rect = {x1, y1, x2, y2};
    g.windowColour = windowColour;
    g.borderColour = borderColour;
    g.border = border;
    graphs_[g.id] = g;
    pit->second.graphs.push_back(g.id);
    if (context) *context = g.id;
    return g.id;
}

int32_t ChartModel::WGIsGraphDescValid(Handle graph) {
    Record("WGIsGraphDescValid", {I(graph)});
    return graphs_.count(graph) ? 1 : 0;
}

int32_t ChartModel::WGSetPlotArea(Handle graph, int32_t context, double x1, double y1, double x2,
                                  double y2, int32_t colour) {
    Record("WGSetPlotArea", {I(graph), I(context), D(x1), D(y1), D(x2), D(y2), I(colour)});
    Graph* g = graphMut(graph);
    if (!g) return kStatusBadHandle;
    g->plotArea = {x1, y1, x2, y2};
    g->plotAreaColour = colour;
    g->plotAreaSet = true;
    return kStatusOk;
}

int32_t ChartModel::WGSetAxesScale(Handle graph, int32_t xScale, int32_t yScale) {
    Record("WGSetAxesScale", {I(graph), I(xScale), I(yScale)});
    return graphs_.count(graph) ? kStatusOk : kStatusBadHandle;
}

int32_t ChartModel::WGScalePlotArea(Handle graph, double xmin, double ymin, double xmax, double ymax) {
    Record("WGScalePlotArea", {I(graph), D(xmin), D(ymin), D(xmax), D(ymax)});
    Graph* g = graphMut(graph);
    if (!g) return kStatusBadHandle;
    g->x = MakeScale(xmin, xmax);
    g->y = MakeScale(ymin, ymax);
    return kStatusOk;
}

int32_t ChartModel::WGSetXYIntercepts(Handle graph, double x, double y) {
    Record("WGSetXYIntercepts", {I(graph), D(x), D(y)});
    Graph* g = graphMut(graph);
    if (!g) return kStatusBadHandle;
    g->xIntercept = x;
    g->yIntercept = y;
    return kStatusOk;
}

int32_t ChartModel::WGGetAxisRange(Handle graph, Handle axis, double& min, double& max) {
    Record("WGGetAxisRange", {I(graph), I(axis)});
    Graph* g = graphMut(graph);
    if (!g) return kStatusBadHandle;
    const Axis* a = g->axis(axis);
    if (!a) return kStatusBadHandle;
    const Scale& s = a->isX ? g->x : g->y;
    min = s.min;
    max = s.max;
    return kStatusOk;
}

Handle ChartModel::AddAxis(Handle graph, bool isX, double tick, int32_t flag, int32_t kind) {
    Graph* g = graphMut(graph);
    if (!g) return 0;
    Axis a;
    a.id = NewHandle();
    a.isX = isX;
    a.tick = tick;
    a.flag = flag;
    a.kind = kind;
    a.pen = g->pen;
    g->axes.push_back(a);
    return a.id;
}

Handle ChartModel::WGDrawXAxis(Handle graph, int32_t context, double tick, int32_t flag, int32_t kind) {
    Record("WGDrawXAxis", {I(graph), I(context), D(tick), I(flag), I(kind)});
    return AddAxis(graph, true, tick, flag, kind);
}

Handle ChartModel::WGDrawYAxis(Handle graph, int32_t context, double tick, int32_t flag, int32_t kind) {
    Record("WGDrawYAxis", {I(graph), I(context), D(tick), I(flag), I(kind)});
    return AddAxis(graph, false, tick, flag, kind);
}

int32_t ChartModel::WGLabelAxis(Handle graph, int32_t context, Handle axis, int32_t kind, int32_t format,
                                int32_t decimals, int32_t flag, const std::string& text) {
    Record("WGLabelAxis", {I(graph), I(context), I(axis), I(kind), I(format), I(decimals), I(flag), S(text)});
    Graph* g = graphMut(graph);
    Axis* a = g ? g->axis(axis) : nullptr;
    if (!a) return kStatusBadHandle;
    a->labelled = true;
    a->labelFormat = format;
    a->labelDecimals = decimals;
    a->labelFont = font_;
    return kStatusOk;
}

Handle ChartModel::WGTitleGraph(Handle graph, int32_t context, const std::string& title) {
    Record("WGTitleGraph", {I(graph), I(context), S(title)});
    Graph* g = graphMut(graph);
    if (!g) return 0;
    TextObject t{NewHandle(), title, font_};
    g->titles.push_back(t);
    return t.id;
}

Handle ChartModel::WGTitleAxis(Handle graph, int32_t context, Handle axis, int32_t kind,
                               const std::string& title) {
    Record("WGTitleAxis", {I(graph), I(context), I(axis), I(kind), S(title)});
    Graph* g = graphMut(graph);
    Axis* a = g ? g->axis(axis) : nullptr;
    if (!a) return 0;
    a->titled = true;
    a->title = title;
    a->titleFont = font_;
    return axis;
}

int32_t ChartModel::WGDrawGrid(Handle graph, Handle axis, int32_t style) {
    Record("WGDrawGrid", {I(graph), I(axis), I(style)});
    Graph* g = graphMut(graph);
    Axis* a = g ? g->axis(axis) : nullptr;
    if (!a) return kStatusBadHandle;
    a->grid = true;
    a->gridStyle = style;
    return kStatusOk;
}

int32_t ChartModel::WGSetTextByName(int32_t slot, const std::string& face, int32_t size, int32_t flag) {
    Record("WGSetTextByName", {I(slot), S(face), I(size), I(flag)});
    font_ = {face, size, flag};
    return kStatusOk;
}

int32_t ChartModel::WGSetTextParams(int32_t a, int32_t b, int32_t c, int32_t d) {
    Record("WGSetTextParams", {I(a), I(b), I(c), I(d)});
    return kStatusOk;
}

int32_t ChartModel::WGSetLineStyle(Handle graph, int32_t context, int32_t pen, int32_t thickness,
                                   int32_t colour) {
    Record("WGSetLineStyle", {I(graph), I(context), I(pen), I(thickness), I(colour)});
    Graph* g = graphMut(graph);
    if (!g) return kStatusBadHandle;
    g->pen = {pen, thickness, colour};
    return kStatusOk;
}

int32_t ChartModel::WGGetRGBColor(int32_t index) {
    Record("WGGetRGBColor", {I(index)});
    Rgb c = ColourTable(index);
    return kRgbFlag | (int32_t(c.r) << 16) | (int32_t(c.g) << 8) | int32_t(c.b);
}

Handle ChartModel::WGCreateEvenGridDataSetVB(const std::string& name, const double* z, double x0,
                                             double y0, double dx, double dy, int32_t nx, int32_t ny) {
    Record("WGCreateEvenGridDataSetVB",
           {S(name), VD(z, nx > 0 && ny > 0 ? nx * ny : 0), D(x0), D(y0), D(dx), D(dy), I(nx), I(ny)});
    if (!z || nx < 1 || ny < 1) return 0;
    DataSet ds;
    ds.kind = DataSet::Kind::Grid;
    ds.id = NewHandle();
    ds.name = name;
    ds.x0 = x0;
    ds.y0 = y0;
    ds.dx = dx;
    ds.dy = dy;
    ds.nx = nx;
    ds.ny = ny;
    ds.z.assign(z, z + static_cast<size_t>(nx) * ny);
    Handle id = ds.id;
    dataSets_[id] = std::move(ds);
    return id;
}

int32_t ChartModel::WGGetContourMinMaxXYZ(Handle dataSet, double& xmin, double& xmax, double& ymin,
                                          double& ymax, double& zmin, double& zmax) {
    Record("WGGetContourMinMaxXYZ", {I(dataSet)});
    auto it = dataSets_.find(dataSet);
    if (it == dataSets_.end() || it->second.kind != DataSet::Kind::Grid) return kStatusBadHandle;
    const DataSet& ds = it->second;
    xmin = ds.x0;
    xmax = ds.x0 + (ds.nx - 1) * ds.dx;
    ymin = ds.y0;
    ymax = ds.y0 + (ds.ny - 1) * ds.dy;
    if (xmax < xmin) std::swap(xmin, xmax);
    if (ymax < ymin) std::swap(ymin, ymax);
    zmin = std::numeric_limits<double>::infinity();
    zmax = -zmin;
    for (double v : ds.z)
        if (Finite(v)) {
            zmin = std::min(zmin, v);
            zmax = std::max(zmax, v);
        }
    return kStatusOk;
}

Handle ChartModel::WGDefineGroupDataSetVB(const std::string& name, const double* x, const double* ends,
                                          int32_t count, int32_t perPoint) {
    Record("WGDefineGroupDataSetVB", {S(name), VD(x, count), VD(ends, count * perPoint), I(count), I(perPoint)});
    if (!x || !ends || count < 1 || perPoint < 1) return 0;
    DataSet ds;
    ds.kind = DataSet::Kind::Group;
    ds.id = NewHandle();
    ds.name = name;
    ds.x.assign(x, x + count);
    ds.ends.assign(ends, ends + static_cast<size_t>(count) * perPoint);
    ds.perPoint = perPoint;
    ds.invalid.assign(count, false);
    Handle id = ds.id;
    dataSets_[id] = std::move(ds);
    return id;
}

Handle ChartModel::WGDefineDataSetVB(const std::string& name, const double* x, const double* y,
                                     int32_t count) {
    Record("WGDefineDataSetVB", {S(name), VD(x, count), VD(y, count), I(count)});
    if (!x || !y || count < 1) return 0;
    DataSet ds;
    ds.kind = DataSet::Kind::XY;
    ds.id = NewHandle();
    ds.name = name;
    ds.x.assign(x, x + count);
    ds.y.assign(y, y + count);
    ds.invalid.assign(count, false);
    Handle id = ds.id;
    dataSets_[id] = std::move(ds);
    return id;
}

int32_t ChartModel::WGGetDataSetsRange(const Handle* sets, int32_t n, double& xmin, double& ymin,
                                       double& xmax, double& ymax) {
    std::vector<int64_t> ids;
    for (int32_t k = 0; sets && k < n; ++k) ids.push_back(sets[k]);
    Record("WGGetDataSetsRange", {CallArg(ids), I(n)});
    bool any = false;
    for (int32_t k = 0; sets && k < n; ++k) {
        auto it = dataSets_.find(sets[k]);
        if (it == dataSets_.end()) continue;
        const DataSet& ds = it->second;
        for (int32_t i = 0; i < ds.count(); ++i) {
            if (ds.invalid[i]) continue;
            double yv[2];
            int nv = 0;
            if (ds.kind == DataSet::Kind::Group) {
                for (int32_t e = 0; e < ds.perPoint && nv < 2; ++e) yv[nv++] = ds.ends[i * ds.perPoint + e];
            } else if (ds.kind == DataSet::Kind::XY) {
                yv[nv++] = ds.y[i];
            }
            if (!any) {
                xmin = xmax = ds.x[i];
                ymin = std::numeric_limits<double>::infinity();
                ymax = -ymin;
                any = true;
            }
            xmin = std::min(xmin, ds.x[i]);
            xmax = std::max(xmax, ds.x[i]);
            for (int e = 0; e < nv; ++e) {
                ymin = std::min(ymin, yv[e]);
                ymax = std::max(ymax, yv[e]);
            }
        }
    }
    return any ? kStatusOk : kStatusBadHandle;
}

int32_t ChartModel::WGMarkDataPoint(Handle dataSet, int32_t index0, int32_t flag) {
    Record("WGMarkDataPoint", {I(dataSet), I(index0), I(flag)});
    auto it = dataSets_.find(dataSet);
    if (it == dataSets_.end() || index0 < 0 || index0 >= it->second.count()) return kStatusBadHandle;
    it->second.invalid[index0] = flag != 0;
    return kStatusOk;
}

Handle ChartModel::WGContourPlot(Handle graph, int32_t context, Handle dataSet, const double* levels,
                                 const int32_t* colours, const int32_t* levelArray1,
                                 const int32_t* levelArray2, int32_t n, int32_t granularity,
                                 const int32_t* drawFlags, const int32_t* labelFlags, int32_t a,
                                 int32_t b, int32_t c, int32_t d, int32_t type) {
    Record("WGContourPlot", {I(graph), I(context), I(dataSet), VD(levels, n), VI(colours, n + 1),
                             VI(levelArray1, n), VI(levelArray2, n), I(n), I(granularity),
                             VI(drawFlags, n), VI(labelFlags, n), I(a), I(b), I(c), I(d), I(type)});
    Graph* g = graphMut(graph);
    auto it = dataSets_.find(dataSet);
    if (!g || it == dataSets_.end() || it->second.kind != DataSet::Kind::Grid || n < 1 || !levels ||
        !colours)
        return 0;
    ContourLayer layer;
    layer.dataSet = dataSet;
    layer.levels.assign(levels, levels + n);
    layer.colours.assign(colours, colours + n + 1);
    layer.granularity = granularity;
    layer.type = type;
    Layer l{NewHandle(), layer};
    g->layers.push_back(l);
    return l.id;
}

Handle ChartModel::WGFloatingBars(Handle graph, int32_t context, Handle dataSet, double width,
                                  int32_t justify, int32_t type, int32_t colour, int32_t border,
                                  int32_t flag) {
    Record("WGFloatingBars", {I(graph), I(context), I(dataSet), D(width), I(justify), I(type), I(colour),
                              I(border), I(flag)});
    Graph* g = graphMut(graph);
    auto it = dataSets_.find(dataSet);
    if (!g || it == dataSets_.end() || it->second.kind != DataSet::Kind::Group) return 0;
    BarLayer layer{dataSet, width, justify, type, colour, border};
    Layer l{NewHandle(), layer};
    g->layers.push_back(l);
    return l.id;
}

Handle ChartModel::WGLinePlot(Handle graph, int32_t context, Handle dataSet, int32_t a, int32_t b) {
    Record("WGLinePlot", {I(graph), I(context), I(dataSet), I(a), I(b)});
    Graph* g = graphMut(graph);
    auto it = dataSets_.find(dataSet);
    if (!g || it == dataSets_.end() || it->second.kind != DataSet::Kind::XY) return 0;
    LineLayer layer{dataSet, g->pen};
    Layer l{NewHandle(), layer};
    g->layers.push_back(l);
    return l.id;
}

Handle ChartModel::WGLine(Handle graph, int32_t context, Handle xAxis, Handle yAxis, double x1, double y1,
                          double x2, double y2) {
    Record("WGLine", {I(graph), I(context), I(xAxis), I(yAxis), D(x1), D(y1), D(x2), D(y2)});
    Graph* g = graphMut(graph);
    if (!g) return 0;
    Object o;
    o.kind = Object::Kind::Line;
    o.id = NewHandle();
    o.dataCoords = true;
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.pen = g->pen;
    g->objects.push_back(o);
    Touch(*g);
    return o.id;
}

Handle ChartModel::AddShape(Object::Kind kind, Handle graph, double x1, double y1, double x2, double y2,
                            int32_t colour, int32_t borderWidth, int32_t fillColour) {
    Graph* g = graphMut(graph);
    if (!g) return 0;
    Object o;
    o.kind = kind;
    o.id = NewHandle();
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    o.colour = colour;
    o.borderWidth = borderWidth;
    o.fillColour = fillColour;
    g->objects.push_back(o);
    Touch(*g);
    return o.id;
}

Handle ChartModel::WGEllipseNorm(Handle graph, int32_t context, double x1, double y1, double x2, double y2,
                                 int32_t colour, int32_t borderWidth, int32_t style, int32_t fillColour) {
    Record("WGEllipseNorm", {I(graph), I(context), D(x1), D(y1), D(x2), D(y2), I(colour), I(borderWidth),
                             I(style), I(fillColour)});
    return AddShape(Object::Kind::Ellipse, graph, x1, y1, x2, y2, colour, borderWidth, fillColour);
}

Handle ChartModel::WGRectangleNorm(Handle graph, int32_t context, double x1, double y1, double x2, double y2,
                                   int32_t colour, int32_t borderWidth, int32_t style, int32_t fillColour) {
    Record("WGRectangleNorm", {I(graph), I(context), D(x1), D(y1), D(x2), D(y2), I(colour), I(borderWidth),
                               I(style), I(fillColour)});
    return AddShape(Object::Kind::Rectangle, graph, x1, y1, x2, y2, colour, borderWidth, fillColour);
}

int32_t ChartModel::WGShowObject(Handle graph, Handle object, int32_t show) {
    Record("WGShowObject", {I(graph), I(object), I(show)});
    Graph* g = graphMut(graph);
    Object* o = g ? g->object(object) : nullptr;
    if (!o) return kStatusBadHandle;
    o->visible = show != 0;
    Touch(*g);
    return kStatusOk;
}

int32_t ChartModel::MoveObject(Handle graph, Handle object, bool dataCoords, double x1, double y1,
                               double x2, double y2) {
    Graph* g = graphMut(graph);
    Object* o = g ? g->object(object) : nullptr;
    if (!o) return kStatusBadHandle;
    o->dataCoords = dataCoords;
    o->x1 = x1;
    o->y1 = y1;
    o->x2 = x2;
    o->y2 = y2;
    Touch(*g);
    return kStatusOk;
}

int32_t ChartModel::WGChangeObjectCoord(Handle graph, Handle object, double x1, double y1, double x2,
                                        double y2, int32_t redraw) {
    Record("WGChangeObjectCoord", {I(graph), I(object), D(x1), D(y1), D(x2), D(y2), I(redraw)});
    return MoveObject(graph, object, true, x1, y1, x2, y2);
}

int32_t ChartModel::WGChangeObjectCoordNorm(Handle graph, Handle object, double x1, double y1, double x2,
                                            double y2, int32_t redraw) {
    Record("WGChangeObjectCoordNorm", {I(graph), I(object), D(x1), D(y1), D(x2), D(y2), I(redraw)});
    return MoveObject(graph, object, false, x1, y1, x2, y2);
}

int32_t ChartModel::WGSetProcessMouseEventFlag(int32_t flag) {
    Record("WGSetProcessMouseEventFlag", {I(flag)});
    mouseFlag_ = flag;
    return kStatusOk;
}

int32_t ChartModel::WGSetMouseEventAction(Handle graph, int32_t event, int32_t action, MouseProc proc) {
    Record("WGSetMouseEventAction", {I(graph), I(event), I(action)});
    Graph* g = graphMut(graph);
    if (!g) return kStatusBadHandle;
    g->mouse[event] = std::move(proc);
    return kStatusOk;
}

Handle ChartModel::CreateCanvasWindow(const std::string& formName) {
    Record("CreateCanvasWindow", {S(formName)});
    return NewHandle();
}

bool ChartModel::DeliverMouse(Handle graph, int32_t event, int32_t px, int32_t py) {
    if (!mouseFlag_) return false;
    Graph* g = graphMut(graph);
    if (!g) return false;
    auto it = g->mouse.find(event);
    if (it == g->mouse.end() || !it->second) return false;
    MouseProc proc = it->second;  // the action may close the page and with it this graph
    proc(graph, event, px, py, 0);
    return true;
}

bool ChartModel::RightClick(Handle page) {
    const Page* p = this->page(page);
    if (!p) return false;
    std::vector<Handle> graphs(p->graphs.rbegin(), p->graphs.rend());
    for (Handle g : graphs)
        if (DeliverMouse(g, kRightButtonDown)) return true;
    return false;
}

// ---- geometry shared with the painter

double ChartModel::EffectiveTick(double tick, double min, double max) {
    double range = std::fabs(max - min);
    if (!Finite(range) || range == 0) return 0;
    if (Finite(tick) && tick > 0 && range / tick <= 200) return tick;
    // A 1-2-5 step giving about five intervals.
    double p = std::pow(10.0, std::floor(std::log10(range / 5)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (range / (m * p) <= 7.5) return m * p;
    return 10 * p;
}

std::vector<double> ChartModel::TickValues(double tick, double min, double max, double origin) {
    std::vector<double> out;
    double t = EffectiveTick(tick, min, max);
    if (t <= 0) {
        out = {min, max};
        return out;
    }
    if (!Finite(origin)) origin = min;
    double eps = t * 1e-9;
    double k0 = std::ceil((min - origin) / t - 1e-9);
    for (int k = 0; k < 1000; ++k) {
        double v = origin + (k0 + k) * t;
        if (v > max + eps) break;
        if (std::fabs(v) < eps) v = 0;
        out.push_back(v);
    }
    return out;
}

int32_t ChartModel::BandColour(const ContourLayer& layer, double z, bool flat) {
    if (flat || layer.levels.empty()) return layer.colours.empty() ? 0 : layer.colours.front();
    size_t k = 0;
    while (k < layer.levels.size() && z >= layer.levels[k]) ++k;
    return layer.colours[std::min(k, layer.colours.size() - 1)];
}

std::optional<double> ChartModel::GridValue(const DataSet& ds, double x, double y) {
    if (ds.kind != DataSet::Kind::Grid || ds.nx < 1 || ds.ny < 1) return std::nullopt;
    double fx = ds.nx > 1 && ds.dx != 0 ? (x - ds.x0) / ds.dx : 0;
    double fy = ds.ny > 1 && ds.dy != 0 ? (y - ds.y0) / ds.dy : 0;
    const double tol = 1e-9;
    if (fx < -tol || fy < -tol || fx > ds.nx - 1 + tol || fy > ds.ny - 1 + tol) return std::nullopt;
    fx = std::clamp(fx, 0.0, double(ds.nx - 1));
    fy = std::clamp(fy, 0.0, double(ds.ny - 1));
    int i = std::min(static_cast<int>(fx), std::max(ds.nx - 2, 0));
    int j = std::min(static_cast<int>(fy), std::max(ds.ny - 2, 0));
    double u = ds.nx > 1 ? fx - i : 0, v = ds.ny > 1 ? fy - j : 0;
    auto Z = [&](int a, int b) {
        a = std::min(a, ds.nx - 1);
        b = std::min(b, ds.ny - 1);
        return ds.z[static_cast<size_t>(a) + static_cast<size_t>(ds.nx) * b];
    };
    double z = (1 - u) * (1 - v) * Z(i, j) + u * (1 - v) * Z(i + 1, j) + (1 - u) * v * Z(i, j + 1) +
               u * v * Z(i + 1, j + 1);
    if (!Finite(z)) return std::nullopt;
    return z;
}

}  // namespace chart
