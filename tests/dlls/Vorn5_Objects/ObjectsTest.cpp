// The dialog classes without their windows: the master table of the multiple pick list,
// the range check, and what the classes do when nobody answers.
#include <gtest/gtest.h>

#include "MultiPickTable.h"
#include "clsInputBox.h"
#include "clsMultiPickList.h"
#include "clsPickList.h"
#include "clsSetRange.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"
#include "ErrorNumber.h"

using testsupport::ErrorNumberOf;

TEST(MultiPickTableTest, RowsKeepTheirFlagsAndRowsOutsideRaiseNine) {
    MultiPickTable table;
    table.setiNumRows(4);
    const bool flags[] = {false, true, false, true};
    for (int16_t i = 1; i <= 4; ++i) {
        table.setvMasterData(i, "row " + std::to_string(i));
        table.setbMasterFlag(i, flags[i - 1]);
    }
    EXPECT_EQ(table.RowsFlagged(true), (std::vector<int16_t>{2, 4}));
    EXPECT_EQ(table.RowsFlagged(false), (std::vector<int16_t>{1, 3}));
    EXPECT_EQ(table.vMasterData(3), "row 3");

    for (int16_t bad : {0, 5, -1}) {
        EXPECT_EQ(ErrorNumberOf([&] { table.bMasterFlag(bad); }), 9) << bad;
        EXPECT_EQ(ErrorNumberOf([&] { table.setvMasterData(bad, "x"); }), 9) << bad;
    }

    // Sizing again clears the table.
    table.setiNumRows(2);
    EXPECT_EQ(table.RowsFlagged(false), (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(table.vMasterData(2), "");
}

TEST(SetRangeTest, OkNeedsTwoNumbersWithHighAboveLow) {
    struct Case {
        const char* low;
        const char* high;
        clsSetRange::Refocus refocus;
    };
    const Case cases[] = {
        {"2", "10", clsSetRange::Refocus::None},  {"-1.5", "0", clsSetRange::Refocus::None},
        {"1", "1", clsSetRange::Refocus::High},   {"5", "2", clsSetRange::Refocus::High},
        {"abc", "10", clsSetRange::Refocus::Low}, {"", "10", clsSetRange::Refocus::Low},
        {"2", "x", clsSetRange::Refocus::High},   {"1E39", "5", clsSetRange::Refocus::High},
        // equal as singles although the texts differ
        {"0.1", "0.100000001", clsSetRange::Refocus::High},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.low) + " .. " + c.high);
        forms::ScopedHeadlessForms ui;
        float low = -7.0f, high = -7.0f;
        EXPECT_EQ(clsSetRange::CheckRange(c.low, c.high, low, high), c.refocus);
        if (c.refocus == clsSetRange::Refocus::None) {
            EXPECT_TRUE(ui->messages.empty());
            EXPECT_EQ(low, std::stof(c.low));
            EXPECT_EQ(high, std::stof(c.high));
        } else {
            ASSERT_EQ(ui->messages.size(), 1u);
            EXPECT_EQ(ui->messages[0].prompt, "Invalid Range Specified");
            EXPECT_EQ(ui->messages[0].title, "Range Error");
            EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
            EXPECT_EQ(low, -7.0f);
            EXPECT_EQ(high, -7.0f);
        }
    }
}

TEST(ObjectsWithoutWindowsTest, NobodyAnsweringIsCancel) {
    clsPickList pick;
    EXPECT_FALSE(pick.PickItem({"a", "b"}));
    EXPECT_EQ(pick.intChosenIndex(), 0);
    // One object serves one pick.
    EXPECT_EQ(ErrorNumberOf([&] { pick.setCaption("again"); }), 91);
    EXPECT_EQ(ErrorNumberOf([&] { pick.PickItem({"a"}); }), 91);

    clsMultiPickList multi;
    multi.setiNumRows(2);
    multi.setbMasterFlag(2, true);
    EXPECT_FALSE(multi.MultiPick());
    EXPECT_TRUE(multi.bMasterFlag(2));
    EXPECT_EQ(ErrorNumberOf([&] { multi.setbMasterFlag(3, true); }), 9);

    clsSetRange range;
    range.setsngLow(2.0f);
    range.setsngHigh(3.0f);
    EXPECT_FALSE(range.GetRange());
    EXPECT_EQ(range.sngLow(), 2.0f);
    EXPECT_EQ(range.sngHigh(), 3.0f);

    clsInputBox input;
    EXPECT_EQ(input.sInput(), "");
    EXPECT_FALSE(input.InputBox("x"));
    EXPECT_EQ(input.sInput(), "x");
}
