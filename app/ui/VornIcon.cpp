#include "VornIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace {
// The picture is laid out on a 96 x 64 grid.
constexpr double kWidth = 96, kHeight = 64;
}  // namespace

void DrawVornPicture(QPainter& p, const QRectF& area) {
    p.save();
    const double scale = std::min(area.width() / kWidth, area.height() / kHeight);
    p.translate(area.center().x() - kWidth * scale / 2, area.center().y() - kHeight * scale / 2);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);

    // The sample: counts rising to a mode and falling off, as in a cohort.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 0, 0));
    const int bars[] = {6, 14, 24, 18, 10, 4};
    for (int k = 0; k < 6; ++k) p.drawRect(QRectF(10 + 13 * k, 62 - bars[k] * 1.8, 12, bars[k] * 1.8));

    // The fish above it, swimming left.
    QPainterPath fish;
    fish.moveTo(12, 20);
    fish.cubicTo(32, 1, 62, 1, 76, 20);
    fish.cubicTo(62, 39, 32, 39, 12, 20);
    fish.moveTo(74, 20);
    fish.lineTo(90, 8);
    fish.lineTo(90, 32);
    fish.closeSubpath();
    p.setBrush(QColor(0, 0, 128));
    p.drawPath(fish);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24, 17), 3.5, 3.5);
    p.restore();
}

QIcon VornIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(210, 230, 250));
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
        DrawVornPicture(p, QRectF(size * 0.06, size * 0.06, size * 0.88, size * 0.88));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
