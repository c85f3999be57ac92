#include "frmProgress.h"
#include "clsProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "forms/HeadlessForms.h"
#include "vb/VbRuntime.h"

namespace {

frmProgress* OpenWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<frmProgress*>(w); f && f->isVisible()) return f;
    return nullptr;
}

struct QtWindows {
    QtWindows() { InstallQtProgressWindows(); }
    ~QtWindows() { SetProgressViewFactory({}); }
};

}  // namespace

TEST(frmProgressTest, ShowsCaptionTimesAndClosesAtMax) {
    QtWindows qt;
    forms::ScopedHeadlessForms ui;
    double now = 500.0;
    vb::SetTimerSource([&] { return now; });
    clsProgress progress;
    progress.setCaption("Grid Search");
    progress.setMax(10);
    progress.setValue(0);
    frmProgress* window = OpenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Grid Search");
    EXPECT_EQ(window->elapsedLabel()->text(), "Time elapsed: 00:00:00");

    now += 4.0;
    progress.setValue(2);
    EXPECT_EQ(window->timeLeftLabel()->text(), "Estimated time left: 00:00:16");
    EXPECT_EQ(window->bar()->value(), 2);
    EXPECT_EQ(window->bar()->maximum(), 10);

    progress.setValue(10);
    EXPECT_EQ(OpenWindow(), nullptr);
    vb::SetTimerSource({});
}

TEST(frmProgressTest, ClickingCancelIsSeenByTheLoop) {
    QtWindows qt;
    forms::ScopedHeadlessForms ui;
    clsProgress progress;
    progress.setMax(5);
    progress.setValue(0);
    frmProgress* window = OpenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(progress.CancelPressed());
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(progress.CancelPressed());
    progress.setValue(1);
    EXPECT_EQ(OpenWindow(), nullptr);
}
