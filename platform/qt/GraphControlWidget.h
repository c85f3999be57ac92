#ifndef GRAPHCONTROLWIDGET_H
#define GRAPHCONTROLWIDGET_H
// The points-and-line graph as a widget: paints a chart::GraphControl and reports a click on
// a point (within 5 pixels) through pointClicked and onPointClicked.
#include <QImage>
#include <QWidget>

#include "chart/GraphControl.h"

namespace chartqt {

class GraphControlWidget : public QWidget, public chart::GraphControl {
    Q_OBJECT
public:
    explicit GraphControlWidget(QWidget* parent = nullptr);

    void Redraw() override;
    // The graph as it is drawn at `size` (the widget's own size when empty).
    QImage Render(QSize size = {}) const;

signals:
    void pointClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PaintOn(QPainter& painter, QSizeF size) const;
};

}  // namespace chartqt

#endif
