#include "frmProgressUnknown.h"
#include "clsProgressUnknown.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(frmProgressUnknownTest, DotCyclesAcrossTheWindowAndBack) {
    frmProgressUnknown window;
    const int width = window.WidthTwips();
    EXPECT_EQ(window.DotLeftTwips(), 100);
    int previous = window.DotLeftTwips();
    bool wrapped = false;
    for (int tick = 0; tick < 200 && !wrapped; ++tick) {
        window.Timer1_Timer();
        const int left = window.DotLeftTwips();
        EXPECT_GE(left, 100);
        EXPECT_LT(left, width) << "the dot left the window";
        if (left < previous) {
            EXPECT_GE(previous, width - 100);
            EXPECT_EQ(left, 100);
            wrapped = true;
        } else {
            EXPECT_EQ(left, previous + 100);
        }
        previous = left;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(frmProgressUnknown::NextDotLeft(3900, 4000), 100);
    EXPECT_EQ(frmProgressUnknown::NextDotLeft(3899, 4000), 3999);
}

TEST(frmProgressUnknownTest, ClickingCancelRaisesUserCancelOnceAndHides) {
    InstallQtProgressUnknownWindows();
    {
        clsProgressUnknown wait;
        int raised = 0;
        wait.ConnectUserCancel([&] { ++raised; });
        wait.setLabel("Fitting...");
        wait.Show();
        auto& window = static_cast<frmProgressUnknown&>(wait.Window());
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.labelText()->text(), "Fitting...");
        QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(wait.CancelPressed());
        EXPECT_EQ(raised, 1);
    }
    SetProgressUnknownViewFactory({});
}
