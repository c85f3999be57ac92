#ifndef CLSCONTOUR_H
#define CLSCONTOUR_H
// A chart page showing the score surface of a two-parameter grid as filled contour bands,
// with the minimiser's path drawn on top segment by segment and marker shapes for the best
// points. With WithMouse, a right-click redraws the page with the lowest contour level raised
// to the middle of the remaining score range.
//
// Calling order: Create, MinimLine, AddContourPlot, Granularity, AddShape..., ShowGraph
// (over a canvas window from chart::Chart().CreateCanvasWindow("frmGraph2")), then any number
// of AddLine and ShowShape, and finally CloseGraph.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GraphingTypes.h"

class Hald_Error;

class clsContour {
public:
    clsContour();
    ~clsContour();
    clsContour(const clsContour&) = delete;
    clsContour& operator=(const clsContour&) = delete;

    // Page caption used when the page is (re)created ["Hald Graph"].
    void setCaption(const std::string& value) { caption_ = value; }
    // True while the page is open.
    bool Visible() const;
    std::string Title() const { return title_; }
    void setGranularity(int32_t value) { granularity_ = value; }
    // Colour of level iIndex (1..n+1); valid only after AddContourPlot (otherwise a message
    // box says so and nothing is stored).
    void setContourColors(int16_t iIndex, GrColor eColor);
    void setWithMouse(bool value) { withMouse_ = value; }

    void Create(const std::string& strTitle, GrColor ePlotAreaColor = GrColor::white,
                GrColor eGrWinColor = GrColor::white, bool fWithGrid = false, bool fWithAbstract = false,
                const std::string& strXTitle = {}, const std::string& strYTitle = {});
    // lNumLines hidden line objects in this style, made at the next drawing.
    void MinimLine(int32_t lNumLines, GrColor eColor, GrPenStyle ePen, int32_t lThickness);
    // Appends a marker shape (numbered from 1 in call order), made hidden at the next drawing.
    void AddShape(GrShape eShape, GrColor eColor, int32_t lBordWidth);
    // The grid: vntX[i-1] = x(i), i = 1..nx, and vntY[j-1] = y(j), both evenly spaced;
    // vntZ[j-1][i-1] = score at (x(i), y(j)). Needs nx, ny >= 2 and 1..10 levels when fLabels
    // is given (raises VbError 5 otherwise, keeping the previous grid).
    void AddContourPlot(const std::vector<double>& vntX, const std::vector<double>& vntY,
                        const std::vector<std::vector<double>>& vntZ, int32_t lNumContours,
                        std::optional<int32_t> lLineWidth = std::nullopt,
                        std::optional<int32_t> fLabels = std::nullopt,
                        std::optional<int32_t> lLabelPrec = std::nullopt,
                        std::optional<GrContFill> eGraphType = std::nullopt,
                        std::optional<std::string> sName = std::nullopt);
    // Creates the page over the window lHWnd and draws everything.
    void ShowGraph(int32_t lHWnd);
    // Shows the next line object between the two points (data coordinates), clamped into the
    // axis ranges; the clamped values are handed back. False (and one error-log record) when
    // the graph is gone or every line object is used.
    bool AddLine(double& dX1, double& dY1, double& dX2, double& dY2);
    // Places marker lShapeNo, dNormWidth wide in page units, centred on (vntX, vntY) and
    // shows it. False (and one error-log record) when the graph is gone or there is no such
    // marker.
    bool ShowShape(double dNormWidth, int32_t lShapeNo, double vntX, double vntY);
    // A right-button press on the page.
    void MouseDown();
    void CloseGraph();

    // ---- read-only views for tests and callers
    int32_t NumContours() const { return nContours_; }
    const std::vector<double>& ContourValues() const { return contourValues_; }  // [k-1] = level k
    double ZMin() const { return zmin_; }
    double ZMax() const { return zmax_; }
    int32_t Page() const { return page_; }
    int32_t Graph() const { return graph_; }
    int32_t NextSegment() const { return nextSegment_; }

private:
    struct ShapeSpec {
        GrShape kind;
        int32_t borderWidth;
        GrColor colour;
    };
    // Draws the whole page: the steps below, in this order.
    void Draw();
    void CheckGrid() const;
    void SetContourLevels();
    void ScalePlotArea();
    void DrawAxes();
    void DrawTitles();
    void PrepareSegmentStore();
    void DrawContourBands();
    void MakeHiddenLines();
    void MakeHiddenShapes();
    void RedrawPath();
    void RouteRightButton();
    void OpenPage();
    void HandleFailure(const std::exception& e, const std::string& procedure);
    Hald_Error& ErrorHandler();

    std::unique_ptr<Hald_Error> err_;
    std::shared_ptr<clsContour*> self_;  // lets the page's mouse action outlive this object safely

    int32_t owner_ = 0;
    int32_t page_ = 0, graph_ = 0, context_ = 0;
    int32_t xAxis_ = 0, yAxis_ = 0, titleObject_ = 0;
    std::vector<int32_t> shapeObjects_;  // [k-1]
    std::vector<int32_t> lineObjects_;   // [j-1]
    std::vector<double> segX1_, segY1_, segX2_, segY2_;  // [j-1]
    int16_t nextSegment_ = 1;

    std::vector<double> z_;  // column by column, first (x) index fastest
    int32_t nx_ = 0, ny_ = 0;
    double x0_ = 0, y0_ = 0, dx_ = 0, dy_ = 0;
    int32_t nContours_ = 0;
    std::vector<double> contourValues_;   // n
    std::vector<int32_t> contourColours_;  // n + 1 (GrColor indices)
    std::vector<int32_t> drawFlags_, labelFlags_, levelArray1_, levelArray2_;
    int32_t lineWidth_ = 0, labelPrec_ = 0;
    GrContFill graphType_ = GrContFill::ContourLines;
    bool labels_ = true;
    std::string dataSetName_ = "Contour Plot";
    int32_t dataSet_ = 0;
    int32_t granularity_ = 1;
    std::string title_, xTitle_, yTitle_, pageName_;
    std::string caption_ = "Hald Graph";
    GrColor plotAreaColour_ = GrColor::white, windowColour_ = GrColor::white;
    const GrColor borderColour_ = GrColor::BLACK;
    bool withGrid_ = false, withAbstract_ = false;
    int32_t lineCount_ = 0;
    GrColor lineColour_ = GrColor::BLACK;
    GrPenStyle linePen_ = GrPenStyle::PenSolid;
    int32_t lineThickness_ = 0;
    bool linesWanted_ = false, shapesWanted_ = false;
    std::vector<ShapeSpec> shapes_;
    bool drawnOnce_ = false, clicked_ = false, withMouse_ = false;
    double xmin_ = 0, xmax_ = 0, ymin_ = 0, ymax_ = 0;
    double zmin_ = 0, zmax_ = 0;

};

#endif
