// The pick-list, range and input dialogs on screen, driven as a user drives them.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ObjectsViewFactory.h"
#include "ObjectsWindows.h"
#include "UiTestSupport.h"
#include "clsInputBox.h"
#include "clsMultiPickList.h"
#include "clsPickList.h"
#include "clsSetRange.h"
#include "forms/HeadlessForms.h"
#include "frmInputBox.h"
#include "frmMultiPickItem.h"
#include "frmPickItem.h"
#include "frmSetRange.h"

namespace {

class ObjectsWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallQtObjectsWindows(); }
    void TearDown() override { SetObjectsViewFactory({}); }

    static void ClickItem(QListWidget* list, int row, bool twice = false) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    static std::vector<std::string> Texts(QListWidget* list) {
        std::vector<std::string> out;
        for (int k = 0; k < list->count(); ++k) out.push_back(list->item(k)->text().toStdString());
        return out;
    }
    static std::vector<int> Rows(QListWidget* list) {
        std::vector<int> out;
        for (int k = 0; k < list->count(); ++k) out.push_back(list->item(k)->data(Qt::UserRole).toInt());
        return out;
    }

    forms::ScopedHeadlessForms ui;
};

}  // namespace

TEST_F(ObjectsWindowsTest, PickListReturnsTheChosenPositionAndText) {
    clsPickList pick;
    pick.setCaption("Choose");
    pick.setLabel("One of these");
    bool seen = false;
    WhenModal<frmPickItem>(
        [](frmPickItem& w) {
            EXPECT_EQ(w.windowTitle(), "Choose");
            EXPECT_EQ(w.lblPickList->text(), "One of these");
            EXPECT_EQ(w.lstPickList->currentRow(), 0) << "the first entry starts selected";
            ClickItem(w.lstPickList, 1);
            QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        },
        &seen);
    EXPECT_TRUE(pick.PickItem({"a", "b", "c"}));
    EXPECT_TRUE(seen);
    EXPECT_EQ(pick.intChosenIndex(), 2);
    EXPECT_EQ(pick.strChosenText(), "b");
}

TEST_F(ObjectsWindowsTest, PickListTakesDoubleClickAndEnterAndIgnoresOkWithNothingSelected) {
    struct Case {
        const char* how;
        std::function<void(frmPickItem&)> act;
        int16_t index;
    };
    const Case cases[] = {
        {"double click", [](frmPickItem& w) { ClickItem(w.lstPickList, 2, true); }, 3},
        {"Enter", [](frmPickItem& w) {
             ClickItem(w.lstPickList, 1);
             QTest::keyClick(w.lstPickList, Qt::Key_Return);
         }, 2},
        {"OK with nothing selected, then Cancel", [](frmPickItem& w) {
             w.lstPickList->clearSelection();
             QTest::mouseClick(w.cmdOK, Qt::LeftButton);
             EXPECT_TRUE(w.isVisible()) << "OK did nothing";
             QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
         }, 0},
        {"Esc", [](frmPickItem& w) { QTest::keyClick(w.lstPickList, Qt::Key_Escape); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        clsPickList pick;
        WhenModal<frmPickItem>([&](frmPickItem& w) {
            EXPECT_EQ(w.windowTitle(), "frmPickList");
            EXPECT_EQ(w.lblPickList->text(), "lblPickList");
            c.act(w);
        });
        EXPECT_EQ(pick.PickItem({"a", "b", "c"}), c.index != 0);
        EXPECT_EQ(pick.intChosenIndex(), c.index);
        EXPECT_EQ(pick.strChosenText(), c.index ? std::string(1, static_cast<char>('a' + c.index - 1)) : "");
    }
}

TEST_F(ObjectsWindowsTest, MultiPickListMovesItemsAcrossAndReturnsTheFlags) {
    clsMultiPickList multi;
    multi.setCaption("Erase Distributions");
    multi.setLabel("Select Distributions to Erase.");
    multi.setUnPickedLabel("Keep");
    multi.setPickedLabel("Erase");
    multi.setiNumRows(4);
    const bool flags[] = {false, true, false, true};
    for (int16_t i = 1; i <= 4; ++i) {
        multi.setvMasterData(i, "Sample " + std::to_string(i));
        multi.setbMasterFlag(i, flags[i - 1]);
    }
    WhenModal<frmMultiPickItem>([&](frmMultiPickItem& w) {
        EXPECT_EQ(w.windowTitle(), "Erase Distributions");
        EXPECT_EQ(w.Label1->text(), "Select Distributions to Erase.");
        EXPECT_EQ(w.lblUnSelected->text(), "Keep");
        EXPECT_EQ(w.lblSelected->text(), "Erase");
        EXPECT_EQ(Texts(w.lstSelected), (std::vector<std::string>{"Sample 2", "Sample 4"}));
        EXPECT_EQ(Rows(w.lstUnSelected), (std::vector<int>{1, 3}));

        // ">" with nothing selected changes nothing.
        w.lstUnSelected->clearSelection();
        QTest::mouseClick(w.cmdSelectOne, Qt::LeftButton);
        EXPECT_EQ(Rows(w.lstSelected), (std::vector<int>{2, 4}));

        // ">>>" moves rows 1 and 3 across; "<" brings the selected one back.
        QTest::mouseClick(w.cmdSelectAll, Qt::LeftButton);
        EXPECT_EQ(Rows(w.lstSelected), (std::vector<int>{1, 2, 3, 4}));
        EXPECT_EQ(w.lstUnSelected->count(), 0);
        ClickItem(w.lstSelected, 2);
        QTest::mouseClick(w.cmdUnselectOne, Qt::LeftButton);
        EXPECT_EQ(Rows(w.lstUnSelected), (std::vector<int>{3}));
        EXPECT_EQ(w.lstSelected->currentRow(), 0) << "the top entry is selected after a move";

        // "<<<" and a double click, then Enter in the left list.
        QTest::mouseClick(w.cmdUnselectAll, Qt::LeftButton);
        EXPECT_EQ(Rows(w.lstUnSelected), (std::vector<int>{1, 2, 3, 4}));
        ClickItem(w.lstUnSelected, 3, true);
        EXPECT_EQ(Rows(w.lstSelected), (std::vector<int>{4}));
        ClickItem(w.lstUnSelected, 0);
        QTest::keyClick(w.lstUnSelected, Qt::Key_Return);
        EXPECT_EQ(Rows(w.lstSelected), (std::vector<int>{1, 4}));
        EXPECT_EQ(w.lstUnSelected->currentRow(), 0);
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    });
    ASSERT_TRUE(multi.MultiPick());
    const bool expected[] = {true, false, false, true};
    for (int16_t i = 1; i <= 4; ++i) EXPECT_EQ(multi.bMasterFlag(i), expected[i - 1]) << i;

    // The window stays with the object; Cancel returns false.
    WhenModal<frmMultiPickItem>([](frmMultiPickItem& w) {
        EXPECT_EQ(Rows(w.lstSelected), (std::vector<int>{1, 4}));
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(multi.MultiPick());
}

TEST_F(ObjectsWindowsTest, EnterOnAButtonReachedWithTabPressesIt) {
    // Tab from the list to the button, as a keyboard user does, then Enter.
    auto tabTo = [](QWidget* button) {
        for (int k = 0; k < 12 && QApplication::focusWidget() != button; ++k)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
    };
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        clsPickList pick;
        WhenModal<frmPickItem>([&](frmPickItem& w) {
            QApplication::setActiveWindow(&w);
            ClickItem(w.lstPickList, 1);
            tabTo(ok ? w.cmdOK : w.cmdCancel);
            EXPECT_FALSE(w.isVisible());
            if (w.isVisible()) static_cast<QDialog&>(w).reject();  // never left hanging
        });
        EXPECT_EQ(pick.PickItem({"a", "b", "c"}), ok);

        clsMultiPickList multi;
        multi.setiNumRows(2);
        WhenModal<frmMultiPickItem>([&](frmMultiPickItem& w) {
            QApplication::setActiveWindow(&w);
            w.lstUnSelected->setFocus(Qt::MouseFocusReason);
            tabTo(w.cmdSelectOne);
            EXPECT_EQ(w.lstSelected->count(), 1) << "the button moved the selected entry";
            tabTo(ok ? w.cmdOK : w.cmdCancel);
            EXPECT_FALSE(w.isVisible());
            if (w.isVisible()) static_cast<QDialog&>(w).reject();  // never left hanging
        });
        EXPECT_EQ(multi.MultiPick(), ok);
        if (ok) {
            EXPECT_TRUE(multi.bMasterFlag(1));
            EXPECT_FALSE(multi.bMasterFlag(2));
        }
    }
}

TEST_F(ObjectsWindowsTest, RangeDialogChecksOkAndPutsTheFocusBack) {
    clsSetRange range;
    range.setsngLow(1.0f);
    range.setsngHigh(5.0f);
    WhenModal<frmSetRange>([&](frmSetRange& w) {
        // No texts were set: they are empty, not the window's own.
        EXPECT_EQ(w.windowTitle(), "");
        EXPECT_EQ(w.Frame1->title(), "");
        EXPECT_EQ(w.lblHL[0]->text(), "");
        EXPECT_EQ(w.txtLow->text(), "1");
        EXPECT_EQ(w.txtHigh->text(), "5");

        auto type = [](QLineEdit* box, const char* text) {
            box->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            EXPECT_EQ(box->selectedText(), box->text()) << "entering a box selects its text";
            QTest::keyClicks(box, text);
        };
        type(w.txtHigh, "1");
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        ASSERT_EQ(ui->messages.size(), 1u);
        EXPECT_EQ(ui->messages[0].prompt, "Invalid Range Specified");
        EXPECT_EQ(ui->messages[0].title, "Range Error");
        EXPECT_EQ(QApplication::focusWidget(), w.txtHigh) << "low holds a number";
        EXPECT_TRUE(w.isVisible());

        type(w.txtLow, "abc");
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        EXPECT_EQ(ui->messages.size(), 2u);
        EXPECT_EQ(QApplication::focusWidget(), w.txtLow);

        type(w.txtLow, "2");
        type(w.txtHigh, "10");
        QTest::keyClick(w.txtHigh, Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
    });
    ASSERT_TRUE(range.GetRange());
    EXPECT_EQ(range.sngLow(), 2.0f);
    EXPECT_EQ(range.sngHigh(), 10.0f);

    // The texts replace the window's own; Cancel keeps the values.
    range.setCaption("Bounds");
    range.setRangeLabel("K");
    range.setHiLabel("Top");
    range.setLoLabel("Bottom");
    WhenModal<frmSetRange>([](frmSetRange& w) {
        EXPECT_EQ(w.windowTitle(), "Bounds");
        EXPECT_EQ(w.Frame1->title(), "K");
        EXPECT_EQ(w.lblHL[0]->text(), "Top");
        EXPECT_EQ(w.lblHL[1]->text(), "Bottom");
        QTest::keyClicks(w.txtLow, "7");
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(range.GetRange());
    EXPECT_EQ(range.sngLow(), 2.0f);
    EXPECT_EQ(range.sngHigh(), 10.0f);
}

TEST_F(ObjectsWindowsTest, InputBoxKeepsTheTextAfterCancel) {
    clsInputBox input;
    WhenModal<frmInputBox>([](frmInputBox& w) {
        EXPECT_EQ(w.windowTitle(), "frmInputBox");
        EXPECT_EQ(w.txtInput->text(), "x");
        w.txtInput->selectAll();
        QTest::keyClicks(w.txtInput, "y");
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(input.InputBox("x"));
    EXPECT_EQ(input.sInput(), "y");

    WhenModal<frmInputBox>([](frmInputBox& w) {
        QTest::keyClick(w.txtInput, Qt::Key_End);
        QTest::keyClicks(w.txtInput, "z");
        QTest::keyClick(w.txtInput, Qt::Key_Return);
    });
    EXPECT_TRUE(input.InputBox("w"));
    EXPECT_EQ(input.sInput(), "wz");
}
