#ifndef ZREGTESTSUPPORT_H
#define ZREGTESTSUPPORT_H
// What the regression window tests share: the list as lines, and a user's click on a
// point of the chart.
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <cmath>
#include <string>
#include <vector>

#include "GraphControlWidget.h"
#include "frmZReg.h"

namespace zregtest {

using Lines = std::vector<std::string>;

inline Lines Items(const QListWidget* list) {
    Lines out;
    for (int r = 0; r < list->count(); ++r) out.push_back(list->item(r)->text().toStdString());
    return out;
}

// Makes the window the active one, as a user's click on it would.
inline void Activate(QWidget& w) {
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
}

// A mouse click on point i of the window's chart where it is drawn.
inline void ClickPoint(frmZReg& w, int32_t i) {
    chartqt::GraphControlWidget* g = w.gphReg;
    const auto p = g->PointPixel(i, g->width(), g->height());
    ASSERT_TRUE(p) << i;
    QTest::mouseClick(g, Qt::LeftButton, {},
                      QPoint(static_cast<int>(std::lround(p->first)), static_cast<int>(std::lround(p->second))));
    QApplication::processEvents();
}

}  // namespace zregtest

#endif
