// The number format dialog on its own: the formats it builds, its keys and its errors.
#include "frmNumberFormat.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "MVornGlobs.h"
#include "UiTestSupport.h"
#include "forms/HeadlessForms.h"

namespace {

class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { MVornGlobs::InitGlobals(); }
    void Show(frmNumberFormat& d, int16_t places, int32_t kind, double sample) {
        d.setDecPlaces(places);
        d.setTFormat(kind);
        d.setSample(sample);
        d.show();
        QApplication::setActiveWindow(&d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    }
    static void Click(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
};

}  // namespace

TEST_F(NumberFormatTest, CategoryAndDecimalsBuildTheFormatAndTheSample) {
    frmNumberFormat d;
    Show(d, 3, 1, 1234.5678);
    EXPECT_EQ(d.windowTitle(), "Number Format");
    EXPECT_EQ(d.lblCategory->text(), "Category");
    EXPECT_EQ(d.frmSample->title(), "Sample");
    EXPECT_EQ(d.lblDecPlaces->text(), "Decimal Places");
    EXPECT_EQ(d.cmdHelp->text(), "&Help");
    ASSERT_EQ(d.lstDecPlaces->count(), 16);
    EXPECT_EQ(d.lstDecPlaces->item(0)->text(), "15");
    EXPECT_EQ(d.lstDecPlaces->currentRow(), 12) << "the item showing 3";
    EXPECT_EQ(d.NumFormat(), "0.000");
    EXPECT_EQ(d.lblSample->text(), "1234.568");

    struct Case {
        int category;  // row of lstFormat
        int places;
        const char* format;
        const char* sample;
    };
    const Case cases[] = {
        {0, 0, "0", "1235"},        {0, 2, "0.00", "1234.57"},        {1, 0, "#,0", "1,235"},
        {1, 2, "#,0.00", "1,234.57"}, {2, 2, "0.00E+", "1.23E+3"},    {2, 0, "0E+", "1E+3"},
    };
    for (const Case& c : cases) {
        Click(d.lstFormat, c.category);
        Click(d.lstDecPlaces, 15 - c.places);
        EXPECT_EQ(d.NumFormat(), c.format);
        EXPECT_EQ(d.lblSample->text().toStdString(), c.sample) << c.format;
        EXPECT_EQ(d.DecPlaces(), c.places);
    }
    QTest::keyClick(d.lstDecPlaces, Qt::Key_Return);
    EXPECT_TRUE(d.OK());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.NumFormat(), "0E+");
}

TEST_F(NumberFormatTest, PresetsAndEscape) {
    frmNumberFormat d;
    Show(d, 2, 3, 0.5);
    EXPECT_EQ(d.lstFormat->currentRow(), 2);
    EXPECT_EQ(d.NumFormat(), "0.00E+");
    EXPECT_EQ(d.lblSample->text(), "5.00E-1");
    QTest::keyClick(d.lstFormat, Qt::Key_Escape);
    EXPECT_FALSE(d.OK());
    EXPECT_FALSE(d.isVisible());

    frmNumberFormat standard;
    Show(standard, 0, 2, 0.0);
    EXPECT_EQ(standard.lstFormat->currentRow(), 1);
    EXPECT_EQ(standard.NumFormat(), "#,0");
}

TEST_F(NumberFormatTest, EnterOnAButtonReachedWithTabPressesIt) {
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        frmNumberFormat d;
        Show(d, 2, 1, 1.5);
        QPushButton* target = ok ? d.cmdOK : d.cmdCancel;
        for (int k = 0; k < 8 && QApplication::focusWidget() != target; ++k)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.OK(), ok);
    }
    frmNumberFormat d;
    Show(d, 2, 1, 1.5);
    d.cmdHelp->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.cmdHelp, Qt::Key_Return);
    EXPECT_EQ(ui->help.size(), 1u);
    EXPECT_TRUE(d.isVisible());
}

TEST_F(NumberFormatTest, OkWithoutADecimalsChoiceIsReportedAndTheDialogStays) {
    frmNumberFormat d;
    Show(d, 1, 1, 2.0);
    d.lstDecPlaces->clearSelection();
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("Invalid Number Format"), std::string::npos) << ui->messages[0].prompt;
    EXPECT_EQ(ui->messages[0].title, "_frmNumberFormat" + std::string(24, ' ')) << "fitted to 40 characters";
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.OK());
    EXPECT_NE(folder.errorLog().find("Invalid Number Format"), std::string::npos);

    QTest::mouseClick(d.cmdHelp, Qt::LeftButton);
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].command, 1);
    EXPECT_EQ(ui->help[0].context, 57);
    EXPECT_EQ(ui->help[0].helpFile, MVornGlobs::HelpFilePath);
}
