#ifndef CHARTQT_H
#define CHARTQT_H
// The charting library on Qt: each page is a top-level window (a child of its canvas
// window, kept above the main window) that paints the page, repaints on resize, passes
// right-button presses to the graph's action once the press has been handled, and offers
// Print, Copy and Save as PNG in its menu.
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "chart/ChartModel.h"

class QMainWindow;

namespace chartqt {

class QtChart : public chart::ChartModel {
public:
    QtChart();
    ~QtChart() override;

    chart::Handle CreateCanvasWindow(const std::string& formName) override;

    // Canvas windows: a handle for a window of the program, and back.
    chart::Handle RegisterWindow(QWidget* window);
    QWidget* Window(chart::Handle handle) const;
    // Makes the canvas windows of `formName` (instead of a plain empty window).
    void SetCanvasFactory(const std::string& formName, std::function<QWidget*()> factory);

    // The window of a page (nullptr when the page is not open).
    QMainWindow* PageWindow(chart::Handle page) const;
    // The page as its window shows it now (or at `size`).
    QImage Render(chart::Handle page, QSize size = {}) const;
    // The page menu's commands.
    bool SavePagePng(chart::Handle page, const std::string& path) const;
    void CopyPage(chart::Handle page) const;
    void PrintPage(chart::Handle page) const;

protected:
    void OnPageCreated(const chart::Page& page) override;
    void OnPageClosed(chart::Handle page) override;
    void OnPageUpdated(const chart::Page& page) override;
    void OnPageChanged(chart::Handle page) override;

private:
    std::map<chart::Handle, QPointer<QWidget>> windows_;
    std::map<chart::Handle, QPointer<QMainWindow>> pageWindows_;
    std::map<std::string, std::function<QWidget*()>> factories_;
    std::map<std::string, QRect> lastGeometry_;  // by page name: a redrawn page keeps its place
};

// Installs a process-wide QtChart (made on the first call) and returns it.
QtChart& InstallQtChart();

}  // namespace chartqt

#endif
