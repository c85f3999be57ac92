#ifndef FRMGRAPH_H
#define FRMGRAPH_H
// The empty canvas windows the charts are drawn over: frmGraph for the length-frequency and
// age-slice plots, frmGraph2 for the contour plots. They have no controls and no behaviour
// of their own; a chart page is a window of its own owned by one of them.
#include <QWidget>

namespace chartqt {
class QtChart;
}

class frmGraph : public QWidget {
public:
    explicit frmGraph(QWidget* parent = nullptr);

    // Installs the Qt charting library and makes it create these windows for
    // CreateCanvasWindow("frmGraph") and ("frmGraph2"). Called once at start-up.
    static chartqt::QtChart& InstallCanvases();
    static void RegisterCanvases(chartqt::QtChart& chart);
};

class frmGraph2 : public QWidget {
public:
    explicit frmGraph2(QWidget* parent = nullptr);
};

#endif
