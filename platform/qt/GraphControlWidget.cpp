// Painting and picking of the points-and-line graph.
#include "GraphControlWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "chart/ChartModel.h"

namespace chartqt {
namespace {
const QColor kIncluded(0, 0, 200);
const QColor kExcluded(200, 0, 0);

void DrawMark(QPainter& p, QPointF c, chart::PointMark mark) {
    const double r = 4;
    if (mark == chart::PointMark::Included) {
        p.setPen(QPen(kIncluded, 1));
        p.setBrush(kIncluded);
        p.drawEllipse(c, r, r);
    } else {
        p.setPen(QPen(kExcluded, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
        p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
    }
}

QString Label(double v, double tick) {
    int d = 0;
    while (d < 6 && std::fabs(tick * std::pow(10.0, d) - std::nearbyint(tick * std::pow(10.0, d))) > 1e-6) ++d;
    QString s = QString::number(v, 'f', d);
    if (s.toDouble() == 0) s = QString::number(0.0, 'f', d);
    return s;
}
}  // namespace

GraphControlWidget::GraphControlWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 120);
    setAutoFillBackground(false);
}

void GraphControlWidget::Redraw() {
    GraphControl::Redraw();
    update();
}

QImage GraphControlWidget::Render(QSize size) const {
    if (!size.isValid() || size.isEmpty()) size = this->size();
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintOn(p, QSizeF(size));
    return img;
}

void GraphControlWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintOn(p, QSizeF(size()));
}

void GraphControlWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        int32_t i = HitTest(event->position().x(), event->position().y(), width(), height());
        if (i > 0) {
            if (onPointClicked) onPointClicked(i);
            emit pointClicked(i);
        }
    }
    QWidget::mousePressEvent(event);
}

void GraphControlWidget::PaintOn(QPainter& p, QSizeF size) const {
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, true);
    const Ranges r = AxisRanges();
    const chart::PixelRect pr = PlotRect(size.width(), size.height());
    const QRectF plot(QPointF(pr.left, pr.top), QPointF(pr.right, pr.bottom));
    auto map = [&](double x, double y) {
        return QPointF(pr.left + (x - r.xmin) / (r.xmax - r.xmin) * pr.width(),
                       pr.bottom - (y - r.ymin) / (r.ymax - r.ymin) * pr.height());
    };
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    QFontMetricsF fm(font);

    // Axes with ticks.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    double xt = chart::ChartModel::EffectiveTick(0, r.xmin, r.xmax);
    for (double v : chart::ChartModel::TickValues(xt, r.xmin, r.xmax, 0)) {
        QPointF a = map(v, r.ymin);
        p.drawLine(a, a + QPointF(0, 4));
        QString t = Label(v, xt);
        p.drawText(QPointF(a.x() - fm.horizontalAdvance(t) / 2, a.y() + 5 + fm.ascent()), t);
    }
    double yt = chart::ChartModel::EffectiveTick(0, r.ymin, r.ymax);
    for (double v : chart::ChartModel::TickValues(yt, r.ymin, r.ymax, 0)) {
        QPointF a = map(r.xmin, v);
        p.drawLine(a, a - QPointF(4, 0));
        QString t = Label(v, yt);
        p.drawText(QPointF(a.x() - 6 - fm.horizontalAdvance(t), a.y() + fm.ascent() / 2 - 1), t);
    }
    // Titles.
    QString title = QString::fromStdString(Title());
    QFont tf = font;
    tf.setPixelSize(13);
    tf.setBold(true);
    p.setFont(tf);
    p.drawText(QRectF(0, 4, size.width(), pr.top - 8), Qt::AlignCenter, title);
    p.setFont(font);
    p.drawText(QRectF(pr.left, size.height() - fm.height() - 4, pr.width(), fm.height()), Qt::AlignCenter,
               QString::fromStdString(XTitle()));
    p.save();
    p.translate(12, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-pr.height() / 2, -fm.ascent(), pr.height(), fm.height()), Qt::AlignCenter,
               QString::fromStdString(YTitle()));
    p.restore();

    p.save();
    p.setClipRect(plot.adjusted(-6, -6, 6, 6));
    if (lineMode() == chart::LineMode::Polyline) {
        QPolygonF run;
        p.setPen(QPen(kIncluded, 1.5));
        for (int32_t i = 1; i <= PointCount(); ++i) {
            if (!HasValue(i)) {
                if (run.size() > 1) p.drawPolyline(run);
                run.clear();
                continue;
            }
            run << map(X(i), Y(i));
        }
        if (run.size() > 1) p.drawPolyline(run);
    } else {
        if (auto ends = LineEnds(); ends && lineMode() == chart::LineMode::Straight) {
            p.setPen(QPen(Qt::black, 1.5));
            p.drawLine(map(ends->first.first, ends->first.second), map(ends->second.first, ends->second.second));
        }
        for (int32_t i = 1; i <= PointCount(); ++i)
            if (HasValue(i)) DrawMark(p, map(X(i), Y(i)), Mark(i));
    }
    p.restore();

    // Legend, top right inside the plot.
    if (!LegendIncluded().empty() || !LegendExcluded().empty()) {
        QString a = QString::fromStdString(LegendIncluded()), b = QString::fromStdString(LegendExcluded());
        double w = std::max(fm.horizontalAdvance(a), fm.horizontalAdvance(b)) + 30;
        QRectF box(plot.right() - w - 6, plot.top() + 6, w, 2 * fm.height() + 10);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(box);
        QPointF c1(box.left() + 12, box.top() + 5 + fm.height() / 2);
        QPointF c2(box.left() + 12, c1.y() + fm.height());
        DrawMark(p, c1, chart::PointMark::Included);
        DrawMark(p, c2, chart::PointMark::Excluded);
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 24, c1.y() + fm.ascent() / 2 - 1), a);
        p.drawText(QPointF(box.left() + 24, c2.y() + fm.ascent() / 2 - 1), b);
    }
}

}  // namespace chartqt
