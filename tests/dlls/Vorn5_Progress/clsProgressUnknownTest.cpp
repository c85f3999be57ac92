#include "clsProgressUnknown.h"
#include "HeadlessProgressUnknownView.h"

#include <gtest/gtest.h>

TEST(clsProgressUnknownTest, CancelHidesSetsTheFlagAndRaisesUserCancelOnce) {
    ScopedHeadlessProgressUnknown windows;
    clsProgressUnknown wait;
    int raised = 0;
    wait.ConnectUserCancel([&] { ++raised; });
    wait.setCaption("Automatic Fit");
    wait.setLabel("Searching...");
    EXPECT_FALSE(windows.PressCancel()) << "a hidden window has no button to press";
    wait.Show();
    ASSERT_EQ(windows.windows().size(), 1u);
    HeadlessProgressUnknownView& window = *windows.windows()[0];
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.caption, "Automatic Fit");
    EXPECT_EQ(window.label, "Searching...");
    EXPECT_FALSE(wait.CancelPressed());

    EXPECT_TRUE(windows.PressCancel());
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(wait.CancelPressed());
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(windows.PressCancel());
    EXPECT_EQ(raised, 1);

    // The flag stays set for the life of the object, even when shown again.
    wait.Show();
    EXPECT_TRUE(wait.CancelPressed());
}

TEST(clsProgressUnknownTest, DisconnectedHandlersHearNothing) {
    ScopedHeadlessProgressUnknown windows;
    clsProgressUnknown wait;
    int first = 0, second = 0;
    const int id = wait.ConnectUserCancel([&] { ++first; });
    wait.ConnectUserCancel([&] { ++second; });
    wait.DisconnectUserCancel(id);
    wait.Show();
    windows.PressCancel();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}
