#include "clsProgress.h"
#include "HeadlessProgressView.h"

#include <gtest/gtest.h>

#include "forms/HeadlessForms.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

// A clock the test moves by hand.
class ManualClock {
public:
    ManualClock() { vb::SetTimerSource([this] { return now; }); }
    ~ManualClock() { vb::SetTimerSource({}); }
    double now = 1000.0;
};

int32_t RaisedNumber(const std::function<void()>& f, std::string* text = nullptr) {
    try {
        f();
    } catch (const VbError& e) {
        if (text) *text = e.Description;
        return e.Number;
    }
    return 0;
}

}  // namespace

TEST(clsProgressTest, FormatTimeFloorsEachFieldAndWrapsAtADay) {
    struct Case { float seconds; const char* text; };
    const Case cases[] = {
        {0.0f, "00:00:00"},      {-5.0f, "00:00:00"},     {16.0f, "00:00:16"},
        {59.99f, "00:00:59"},    {3725.0f, "01:02:05"},   {86399.0f, "23:59:59"},
        {86400.0f, "00:00:00"},  {90000.0f, "01:00:00"},  {86400.6f, "00:00:01"},
        {36000.0f, "10:00:00"},
    };
    for (const Case& c : cases) EXPECT_EQ(clsProgress::FormatTime(c.seconds), c.text) << c.seconds;
}

TEST(clsProgressTest, MaxBelowOneRaises100) {
    ScopedHeadlessProgress windows;
    clsProgress progress;
    for (int16_t bad : {int16_t(0), int16_t(-3)}) {
        std::string text;
        EXPECT_EQ(RaisedNumber([&] { progress.setMax(bad); }, &text), 100);
        EXPECT_EQ(text, "Maximum must be greater than 0");
    }
    progress.setMax(7);
    EXPECT_EQ(progress.Max(), 7);
}

TEST(clsProgressTest, ValueOutOfRangeUnloadsAndRaisesWithTheMaximum) {
    ScopedHeadlessProgress windows;
    forms::ScopedHeadlessForms ui;
    clsProgress progress;
    progress.setCaption("Simulating");
    progress.setMax(50);
    progress.setValue(0);
    for (int16_t bad : {int16_t(51), int16_t(-1)}) {
        progress.setMax(50);
        std::string text;
        EXPECT_EQ(RaisedNumber([&] { progress.setValue(bad); }, &text), 100);
        EXPECT_EQ(text, "Value must be greater than 0 and smaller than 50");
        EXPECT_TRUE(windows.windows().empty()) << "window stays loaded after value " << bad;
    }
    // Used again, the window loads afresh at its design settings.
    EXPECT_EQ(progress.Caption(), "Progress...");
    EXPECT_EQ(progress.Max(), 100);
}

TEST(clsProgressTest, TimeTextsFollowTheClock) {
    ManualClock clock;
    ScopedHeadlessProgress windows;
    forms::ScopedHeadlessForms ui;
    clsProgress progress;
    progress.setMax(10);
    progress.setValue(0);
    EXPECT_EQ(windows.record().shows, 1);
    EXPECT_EQ(windows.record().elapsedTexts.back(), "Time elapsed: 00:00:00");

    clock.now += 4.0;
    const long pumped = ui->doEvents;
    progress.setValue(2);
    EXPECT_EQ(windows.record().elapsedTexts.back(), "Time elapsed: 00:00:04");
    EXPECT_EQ(windows.record().timeLeftTexts.back(), "Estimated time left: 00:00:16");
    EXPECT_EQ(progress.Value(), 2);
    EXPECT_GT(ui->doEvents, pumped);

    // The same estimate again is not assigned a second time.
    clock.now += 2.0;
    progress.setValue(3);  // (10/3 - 1) * 6 = 14
    clock.now += 1.0;
    progress.setValue(3);  // (10/3 - 1) * 7 = 16.33
    ASSERT_EQ(windows.record().timeLeftTexts.size(), 3u);
    EXPECT_EQ(windows.record().timeLeftTexts[1], "Estimated time left: 00:00:14");
    EXPECT_EQ(windows.record().timeLeftTexts[2], "Estimated time left: 00:00:16");
    progress.setValue(3);
    EXPECT_EQ(windows.record().timeLeftTexts.size(), 3u);
}

TEST(clsProgressTest, ElapsedTimeAcrossMidnight) {
    ManualClock clock;
    ScopedHeadlessProgress windows;
    forms::ScopedHeadlessForms ui;
    clsProgress progress;
    clock.now = 86395.0;
    progress.setMax(4);
    progress.setValue(0);
    clock.now = 5.0;
    progress.setValue(1);
    EXPECT_EQ(windows.record().elapsedTexts.back(), "Time elapsed: 00:00:10");
    EXPECT_EQ(windows.record().timeLeftTexts.back(), "Estimated time left: 00:00:30");
}

TEST(clsProgressTest, ValueEqualToMaxClosesWithoutDrawingTheFullBar) {
    ScopedHeadlessProgress windows;
    forms::ScopedHeadlessForms ui;
    clsProgress progress;
    progress.setMax(3);
    progress.setValue(0);
    progress.setValue(1);
    progress.setValue(2);
    progress.setValue(3);
    EXPECT_TRUE(windows.windows().empty());
    EXPECT_EQ(windows.record().barValues, (std::vector<int16_t>{1, 2}));
}

TEST(clsProgressTest, CancelIsSeenBetweenStepsAndTheNextStepCloses) {
    ScopedHeadlessProgress windows;
    forms::ScopedHeadlessForms ui;
    clsProgress progress;
    progress.setMax(10);
    progress.setValue(0);
    progress.setValue(1);
    EXPECT_FALSE(progress.CancelPressed());

    // The click arrives while pending events run inside CancelPressed.
    ui->onDoEvents = [&] { windows.PressCancel(); };
    EXPECT_TRUE(progress.CancelPressed());
    ui->onDoEvents = nullptr;
    progress.setValue(2);
    EXPECT_TRUE(windows.windows().empty());
    EXPECT_EQ(windows.record().barValues, (std::vector<int16_t>{1}));

    // A new run loads a fresh window with the flag cleared.
    progress.setMax(10);
    progress.setValue(0);
    EXPECT_FALSE(progress.CancelPressed());
    EXPECT_EQ(windows.record().loads, 2);
}

TEST(clsProgressTest, ReleasingTheObjectUnloadsTheWindow) {
    ScopedHeadlessProgress windows;
    forms::ScopedHeadlessForms ui;
    {
        clsProgress progress;
        progress.setMax(5);
        progress.setValue(0);
        EXPECT_EQ(windows.windows().size(), 1u);
    }
    EXPECT_TRUE(windows.windows().empty());
    EXPECT_EQ(windows.record().unloads, 1);
}
