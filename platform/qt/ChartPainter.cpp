// Painting of chart pages.
#include "ChartPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace chartqt {
using namespace chart;

namespace {

QRectF GraphRect(const Graph& g, const QRectF& area) {
    return QRectF(area.left() + g.rect.x1 * area.width(), area.top() + g.rect.y1 * area.height(),
                  (g.rect.x2 - g.rect.x1) * area.width(), (g.rect.y2 - g.rect.y1) * area.height());
}

QRectF NormRectIn(const NormRect& r, const QRectF& box) {
    return QRectF(QPointF(box.left() + r.x1 * box.width(), box.top() + r.y1 * box.height()),
                  QPointF(box.left() + r.x2 * box.width(), box.top() + r.y2 * box.height()))
        .normalized();
}

struct Mapper {
    const Graph& g;
    QRectF box;  // the graph's rectangle in pixels
    QPointF data(double x, double y) const {
        return {box.left() + g.normX(x) * box.width(), box.top() + g.normY(y) * box.height()};
    }
    QPointF norm(double xn, double yn) const {
        return {box.left() + xn * box.width(), box.top() + yn * box.height()};
    }
    // Inverse of data() for a pixel position.
    void toData(QPointF p, double& x, double& y) const {
        double xn = (p.x() - box.left()) / box.width();
        double yn = (p.y() - box.top()) / box.height();
        const NormRect& pa = g.plotArea;
        x = g.x.min + (xn - pa.x1) / (pa.x2 - pa.x1) * (g.x.max - g.x.min);
        y = g.y.min + (pa.y2 - yn) / (pa.y2 - pa.y1) * (g.y.max - g.y.min);
    }
};

QFont MakeFont(const Font& f, double scale) {
    QFont font(f.face == "Arial" ? QStringLiteral("Sans Serif") : QString::fromStdString(f.face));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(f.size * scale))));
    return font;
}

Qt::PenStyle PenStyleOf(int32_t style) {
    switch (style) {
        case 1: return Qt::DashLine;
        case 2: return Qt::DotLine;
        case 3: return Qt::DashDotLine;
        case 4: return Qt::DashDotDotLine;
        case 5: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

QPen MakePen(const Pen& p) {
    QPen pen(ToQColor(p.colour));
    pen.setStyle(PenStyleOf(p.style));
    pen.setWidthF(std::max(1, p.thickness));
    pen.setCosmetic(true);
    return pen;
}

int AutoDecimals(double tick) {
    for (int d = 0; d < 8; ++d) {
        double v = tick * std::pow(10.0, d);
        if (std::fabs(v - std::nearbyint(v)) < 1e-6 * std::max(1.0, std::fabs(v))) return d;
    }
    return 8;
}

QString LabelText(double v, const Axis& a, double tick) {
    if (a.labelFormat == 1) return QString::number(v, 'E', 2);
    int d = a.labelDecimals >= 0 ? a.labelDecimals : AutoDecimals(tick);
    QString s = QString::number(v, 'f', std::min(d, 10));
    if (s.startsWith('-') && s.toDouble() == 0) s.remove(0, 1);
    return s;
}

void PaintContour(QPainter& p, const Mapper& m, const QRectF& plot, const ContourLayer& layer,
                  const DataSet& ds) {
    QRect px = plot.toAlignedRect();
    if (px.isEmpty()) return;
    double zmin = INFINITY, zmax = -INFINITY;
    for (double v : ds.z)
        if (std::isfinite(v)) {
            zmin = std::min(zmin, v);
            zmax = std::max(zmax, v);
        }
    bool flat = !(zmax > zmin);
    QImage img(px.size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int r = 0; r < px.height(); ++r) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(r));
        for (int c = 0; c < px.width(); ++c) {
            double x, y;
            m.toData(QPointF(px.left() + c + 0.5, px.top() + r + 0.5), x, y);
            auto z = ChartModel::GridValue(ds, x, y);
            if (!z) continue;
            line[c] = ToQColor(ChartModel::BandColour(layer, *z, flat)).rgb();
        }
    }
    p.drawImage(px.topLeft(), img);
}

void PaintBars(QPainter& p, const Mapper& m, const BarLayer& layer, const DataSet& ds) {
    p.setBrush(ToQColor(layer.colour));
    QPen outline(layer.border != 0 ? QColor(Qt::black) : ToQColor(layer.colour));
    outline.setCosmetic(true);
    p.setPen(outline);
    for (int32_t i = 0; i < ds.count(); ++i) {
        if (ds.invalid[i] || ds.perPoint < 2) continue;
        double lo = ds.ends[i * ds.perPoint], hi = ds.ends[i * ds.perPoint + 1];
        double pos = ds.x[i], w = layer.width;
        double p1 = pos, p2 = pos + w;  // above the position
        if (layer.justify == 3) {
            p1 = pos - w / 2;
            p2 = pos + w / 2;
        } else if (layer.justify == 0 || layer.justify == 1) {
            p1 = pos - w;
            p2 = pos;
        }
        if (lo == hi) continue;  // an empty bar shows nothing
        QRectF r(m.data(lo, p1), m.data(hi, p2));
        p.drawRect(r.normalized());
    }
}

void PaintLinePlot(QPainter& p, const Mapper& m, const LineLayer& layer, const DataSet& ds) {
    p.setPen(MakePen(layer.pen));
    p.setBrush(Qt::NoBrush);
    QPolygonF run;
    auto flush = [&] {
        if (run.size() >= 2) p.drawPolyline(run);
        run.clear();
    };
    for (int32_t i = 0; i < ds.count(); ++i) {
        bool ok = !ds.invalid[i] && std::isfinite(ds.x[i]) && std::isfinite(ds.y[i]) &&
                  std::fabs(ds.y[i]) < 1e300;
        if (!ok) {
            flush();
            continue;
        }
        run << m.data(ds.x[i], ds.y[i]);
    }
    flush();
}

void PaintAxis(QPainter& p, const Mapper& m, const QRectF& plot, const Graph& g, const Axis& a, double scale) {
    const Scale& s = a.isX ? g.x : g.y;
    double origin = a.isX ? g.xIntercept.value_or(g.x.min) : g.yIntercept.value_or(g.y.min);
    double tick = ChartModel::EffectiveTick(a.tick, s.min, s.max);
    std::vector<double> ticks = ChartModel::TickValues(a.tick, s.min, s.max, origin);
    double cross = a.isX ? g.yIntercept.value_or(g.y.min) : g.xIntercept.value_or(g.x.min);
    QPen pen = MakePen(a.pen);
    double tickLen = std::max(3.0, 5 * scale);
    QFont labelFont = MakeFont(a.labelFont, scale);
    QFontMetricsF fm(labelFont);

    if (a.grid) {
        QPen gp(QColor(160, 160, 160));
        gp.setStyle(Qt::DotLine);
        gp.setCosmetic(true);
        p.setPen(gp);
        for (double v : ticks) {
            if (a.isX) p.drawLine(QPointF(m.data(v, 0).x(), plot.top()), QPointF(m.data(v, 0).x(), plot.bottom()));
            else p.drawLine(QPointF(plot.left(), m.data(0, v).y()), QPointF(plot.right(), m.data(0, v).y()));
        }
    }

    p.setPen(pen);
    double labelExtent = 0;
    if (a.isX) {
        double y = std::clamp(m.data(0, cross).y(), plot.top(), plot.bottom());
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        for (double v : ticks) {
            double x = m.data(v, 0).x();
            p.drawLine(QPointF(x, y), QPointF(x, y + tickLen));
            if (a.labelled) {
                p.setFont(labelFont);
                QString t = LabelText(v, a, tick);
                double w = fm.horizontalAdvance(t);
                p.drawText(QPointF(x - w / 2, y + tickLen + fm.ascent()), t);
                labelExtent = std::max(labelExtent, fm.height());
            }
        }
        if (a.titled) {
            QFont tf = MakeFont(a.titleFont, scale);
            QFontMetricsF tm(tf);
            p.setFont(tf);
            QString t = QString::fromStdString(a.title);
            p.drawText(QPointF(plot.center().x() - tm.horizontalAdvance(t) / 2,
                               y + tickLen + labelExtent + tm.ascent() + 2),
                       t);
        }
    } else {
        double x = std::clamp(m.data(cross, 0).x(), plot.left(), plot.right());
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        for (double v : ticks) {
            double y = m.data(0, v).y();
            p.drawLine(QPointF(x, y), QPointF(x - tickLen, y));
            if (a.labelled) {
                p.setFont(labelFont);
                QString t = LabelText(v, a, tick);
                double w = fm.horizontalAdvance(t);
                p.drawText(QPointF(x - tickLen - 2 - w, y + fm.ascent() / 2 - 1), t);
                labelExtent = std::max(labelExtent, w);
            }
        }
        if (a.titled) {
            QFont tf = MakeFont(a.titleFont, scale);
            QFontMetricsF tm(tf);
            p.setFont(tf);
            QString t = QString::fromStdString(a.title);
            p.save();
            p.translate(x - tickLen - labelExtent - 6 - tm.descent(), plot.center().y());
            p.rotate(-90);
            p.drawText(QPointF(-tm.horizontalAdvance(t) / 2, 0), t);
            p.restore();
        }
    }
}

void PaintGraph(QPainter& p, const ChartModel& model, const Graph& g, const QRectF& area) {
    QRectF box = GraphRect(g, area);
    Mapper m{g, box};
    double scale = box.height() / 480.0 * 96.0 / 72.0;
    p.fillRect(box, ToQColor(g.windowColour));
    QRectF plot = NormRectIn(g.plotArea, box);
    p.fillRect(plot, ToQColor(g.plotAreaColour));

    p.save();
    p.setClipRect(plot);
    for (const Layer& l : g.layers) {
        std::visit(
            [&](const auto& layer) {
                const DataSet* ds = model.dataSet(layer.dataSet);
                if (!ds) return;
                using T = std::decay_t<decltype(layer)>;
                if constexpr (std::is_same_v<T, ContourLayer>) PaintContour(p, m, plot, layer, *ds);
                else if constexpr (std::is_same_v<T, BarLayer>) PaintBars(p, m, layer, *ds);
                else PaintLinePlot(p, m, layer, *ds);
            },
            l.what);
    }
    p.restore();

    for (const Axis& a : g.axes) PaintAxis(p, m, plot, g, a, scale);

    double top = box.top() + 2;
    for (const TextObject& t : g.titles) {
        QFont f = MakeFont(t.font, scale);
        QFontMetricsF fm(f);
        p.setFont(f);
        p.setPen(Qt::black);
        QString s = QString::fromStdString(t.text);
        double w = fm.horizontalAdvance(s);
        // Long titles (a growth curve with its parameters) shrink to fit the page.
        if (w > box.width() - 8 && w > 0) {
            f.setPixelSize(std::max(6, static_cast<int>(f.pixelSize() * (box.width() - 8) / w)));
            p.setFont(f);
            fm = QFontMetricsF(f);
            w = fm.horizontalAdvance(s);
        }
        double gap = plot.top() - box.top();
        double y = top + std::max(fm.ascent(), (gap - fm.height()) / 2 + fm.ascent());
        p.drawText(QPointF(box.center().x() - w / 2, y), s);
        top = y + fm.descent();
    }

    for (const Object& o : g.objects) {
        if (!o.visible) continue;
        if (o.kind == Object::Kind::Line) {
            p.save();
            p.setClipRect(plot.adjusted(-1, -1, 1, 1));
            p.setPen(MakePen(o.pen));
            p.drawLine(m.data(o.x1, o.y1), m.data(o.x2, o.y2));
            p.restore();
            continue;
        }
        QRectF r = o.dataCoords ? QRectF(m.data(o.x1, o.y1), m.data(o.x2, o.y2)).normalized()
                                : QRectF(m.norm(o.x1, o.y1), m.norm(o.x2, o.y2)).normalized();
        QPen pen(ToQColor(o.colour));
        pen.setWidthF(std::max(1, o.borderWidth));
        pen.setCosmetic(true);
        p.setPen(pen);
        if (o.kind == Object::Kind::Ellipse) {
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(r);
        } else {
            p.setBrush(ToQColor(o.fillColour));
            p.drawRect(r);
        }
    }

    if (g.border) {
        QPen bp(ToQColor(g.borderColour));
        bp.setCosmetic(true);
        p.setPen(bp);
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.adjusted(0, 0, -1, -1));
    }
}

}  // namespace

QColor ToQColor(int32_t colour) {
    Rgb c = ColourOf(colour);
    return QColor(c.r, c.g, c.b);
}

void PaintPage(QPainter& painter, const ChartModel& model, Handle page, const QRectF& area) {
    const Page* pg = model.page(page);
    painter.fillRect(area, Qt::white);
    if (!pg) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (Handle h : pg->graphs)
        if (const Graph* g = model.graph(h)) PaintGraph(painter, model, *g, area);
    painter.restore();
}

QImage RenderPage(const ChartModel& model, Handle page, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintPage(p, model, page, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    return img;
}

QPointF DataToPixel(const Graph& g, double x, double y, QSizeF size) {
    Mapper m{g, GraphRect(g, QRectF(QPointF(0, 0), size))};
    return m.data(x, y);
}

QPointF NormToPixel(const Graph& g, double xn, double yn, QSizeF size) {
    Mapper m{g, GraphRect(g, QRectF(QPointF(0, 0), size))};
    return m.norm(xn, yn);
}

Handle GraphAt(const ChartModel& model, Handle page, QPointF pos, QSizeF size) {
    const Page* pg = model.page(page);
    if (!pg) return 0;
    for (auto it = pg->graphs.rbegin(); it != pg->graphs.rend(); ++it) {
        const Graph* g = model.graph(*it);
        if (g && GraphRect(*g, QRectF(QPointF(0, 0), size)).contains(pos)) return *it;
    }
    return 0;
}

}  // namespace chartqt
