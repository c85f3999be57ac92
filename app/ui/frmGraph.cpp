// The chart canvas windows.
#include "frmGraph.h"

#include "ChartQt.h"

frmGraph::frmGraph(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmGraph");
    setWindowTitle("frmGraph");
}

frmGraph2::frmGraph2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmGraph2");
    setWindowTitle("frmGraph2");
}

void frmGraph::RegisterCanvases(chartqt::QtChart& chart) {
    chart.SetCanvasFactory("frmGraph", [] { return new frmGraph; });
    chart.SetCanvasFactory("frmGraph2", [] { return new frmGraph2; });
}

chartqt::QtChart& frmGraph::InstallCanvases() {
    chartqt::QtChart& chart = chartqt::InstallQtChart();
    RegisterCanvases(chart);
    return chart;
}
