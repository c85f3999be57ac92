#ifndef VORNICON_H
#define VORNICON_H
// The program's picture ("VornICON"): a fish swimming over the bars of a length-frequency
// sample. Drawn in code, so that it needs no image file or image plug-in.
#include <QIcon>
#include <QRectF>

class QPainter;

// The picture fitted into `area` (its shape kept, centred).
void DrawVornPicture(QPainter& p, const QRectF& area);

// The icon of every window of the program, drawn at the usual icon sizes.
QIcon VornIcon();

#endif
