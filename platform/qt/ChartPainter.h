#ifndef CHARTPAINTER_H
#define CHARTPAINTER_H
// Paints a chart page of the retained scene with QPainter: onto a window, a printer page
// or an image.
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include "chart/ChartModel.h"

namespace chartqt {

// Paints `page` into `area` (pixels of the painter's device).
void PaintPage(QPainter& painter, const chart::ChartModel& model, chart::Handle page, const QRectF& area);
// The page rendered into an image of `size`.
QImage RenderPage(const chart::ChartModel& model, chart::Handle page, QSize size);
// Where the data point (x, y) of a graph lands on a page of `size` (pixels).
QPointF DataToPixel(const chart::Graph& graph, double x, double y, QSizeF size);
// Where norm coordinates of a graph land on a page of `size`.
QPointF NormToPixel(const chart::Graph& graph, double xn, double yn, QSizeF size);
// The graph of `page` under a pixel position (the last made first), 0 when none.
chart::Handle GraphAt(const chart::ChartModel& model, chart::Handle page, QPointF pos, QSizeF size);
QColor ToQColor(int32_t colour);

}  // namespace chartqt

#endif
