#include "frmNewDataSet.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "MVornGlobs.h"
#include "UserActions.h"
#include "forms/HeadlessForms.h"

namespace {

class NewDataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // Types `text` into `box` and tabs out of it, as the user would.
    void TypeAndTab(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    forms::ScopedHeadlessForms ui;
    frmNewDataSet dialog;
};

}  // namespace

TEST_F(NewDataSetTest, StartsWithTheDefaultValuesAndTexts) {
    EXPECT_EQ(dialog.windowTitle(), "Create New DataSet");
    EXPECT_EQ(dialog.txtDesc->text(), "New DataSet");
    EXPECT_EQ(dialog.txtMinL->text(), "10");
    EXPECT_EQ(dialog.txtClassSize->text(), "5");
    EXPECT_EQ(dialog.txtNumClasses->text(), "10");
    EXPECT_EQ(dialog.cmdOK->text(), "&OK");
    EXPECT_EQ(dialog.cmdCancel->text(), "&Cancel");
    EXPECT_EQ(dialog.cmdHelp->text(), "&Help");
    EXPECT_FALSE(dialog.OK());
}

TEST_F(NewDataSetTest, EachBoxChecksItsRangeWhenLeft) {
    struct Case {
        QLineEdit* box;
        const char* text;
        bool accepted;
    };
    const char* classSize = "Value must lie in the range 1e-10 <= Class Size <= 1000";
    const char* minLength = "Value must lie in the range 0<= Minimum Length <= 1000";
    const char* numClasses = "Value must lie in the range 1<= Number of Classes <= 100";
    const Case cases[] = {
        {dialog.txtClassSize, "0", false},     {dialog.txtClassSize, "1e-11", false},
        {dialog.txtClassSize, "1e-10", true},  {dialog.txtClassSize, "1000", true},
        {dialog.txtClassSize, "1001", false},  {dialog.txtClassSize, "abc", false},
        {dialog.txtMinL, "0", true},           {dialog.txtMinL, "1000", true},
        {dialog.txtMinL, "-0.1", false},       {dialog.txtMinL, "", false},
        {dialog.txtNumClasses, "0", false},    {dialog.txtNumClasses, "101", false},
        {dialog.txtNumClasses, "1", true},     {dialog.txtNumClasses, "100", true},
    };
    for (const Case& c : cases) {
        ui->messages.clear();
        TypeAndTab(c.box, c.text);
        SCOPED_TRACE(c.box->objectName().toStdString() + " = " + c.text);
        if (c.accepted) {
            EXPECT_TRUE(ui->messages.empty());
            EXPECT_NE(QApplication::focusWidget(), c.box);
        } else {
            ASSERT_EQ(ui->messages.size(), 1u);
            const char* expected = c.box == dialog.txtClassSize ? classSize
                                   : c.box == dialog.txtMinL    ? minLength
                                                                : numClasses;
            EXPECT_EQ(ui->messages[0].prompt, expected);
            EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
            EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
            EXPECT_EQ(QApplication::focusWidget(), c.box) << "the focus goes back to the box";
            c.box->setText("5");  // a good value again for the next case
        }
    }
}

TEST_F(NewDataSetTest, CancelFromABadBoxClosesWithoutAMessage) {
    dialog.txtNumClasses->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    dialog.txtNumClasses->setText("lots");
    QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.OK());
}

TEST_F(NewDataSetTest, EnterRunsEveryCheckBeforeAccepting) {
    // The focused box was never left, so only OK's own checks can catch it.
    dialog.txtClassSize->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    dialog.txtClassSize->setText("0");
    QTest::keyClick(dialog.txtClassSize, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value must lie in the range 1e-10 <= Class Size <= 1000");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.OK());
    EXPECT_EQ(QApplication::focusWidget(), dialog.txtClassSize);

    dialog.txtClassSize->setText("2.5");
    QTest::keyClick(dialog.txtClassSize, Qt::Key_Enter);
    EXPECT_TRUE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ClassSize(), 2.5f);
    EXPECT_EQ(dialog.MinLength(), 10.0f);
    EXPECT_EQ(dialog.NumClasses(), 10.0f);
    EXPECT_EQ(dialog.FileDesc(), "New DataSet");
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(NewDataSetTest, ABadValueIsReportedOnceHoweverTheBoxIsLeft) {
    // A real message box lets window events run while it is up.
    ui->whileShown = [] { QApplication::processEvents(); };
    for (const auto how : useractions::kEveryWayOut) {
        SCOPED_TRACE(useractions::Name(how));
        useractions::Retype(dialog.txtMinL, "-5");
        ui->messages.clear();
        useractions::Leave(dialog.txtMinL, dialog.cmdOK, how);
        ASSERT_EQ(ui->messages.size(), 1u);
        EXPECT_EQ(ui->messages[0].prompt, "Value must lie in the range 0<= Minimum Length <= 1000");
        EXPECT_FALSE(dialog.OK());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog.txtMinL);
    }
}

TEST_F(NewDataSetTest, EscapeAndTheCloseBoxCancel) {
    dialog.txtMinL->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dialog.txtMinL, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.OK());
    EXPECT_TRUE(ui->messages.empty());

    frmNewDataSet other;
    other.show();
    other.close();
    EXPECT_FALSE(other.OK());
}

TEST_F(NewDataSetTest, DescriptionTakes257Characters) {
    dialog.txtDesc->setFocus(Qt::TabFocusReason);
    dialog.txtDesc->setText(QString(256, 'a'));
    dialog.txtDesc->end(false);
    QTest::keyClicks(dialog.txtDesc, "bc");
    EXPECT_EQ(dialog.txtDesc->text().size(), 257);
    EXPECT_EQ(dialog.txtDesc->text().right(2), "ab");
    EXPECT_EQ(ui->beeps, 1);
    QTest::keyClick(dialog.txtDesc, Qt::Key_Backspace);
    EXPECT_EQ(dialog.txtDesc->text().size(), 256);
    QTest::keyClicks(dialog.txtDesc, "z");
    EXPECT_EQ(dialog.txtDesc->text().right(1), "z");
    EXPECT_EQ(ui->beeps, 1);
}

TEST_F(NewDataSetTest, HelpShowsTheDialogsTopic) {
    QTest::mouseClick(dialog.cmdHelp, Qt::LeftButton);
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].command, 1);
    EXPECT_EQ(ui->help[0].context, 49);
    EXPECT_EQ(ui->help[0].helpFile, MVornGlobs::HelpFilePath);
}

TEST_F(NewDataSetTest, EnterPressesTheFocusedButton) {
    // OK reached with Tab from the last box, as the user does.
    dialog.txtNumClasses->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(dialog.txtNumClasses, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dialog.cmdOK);
    QTest::keyClick(dialog.cmdOK, Qt::Key_Return);
    EXPECT_TRUE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(ui->messages.empty());

    enum Pressed { Ok, Cancel, Help };
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        for (const Pressed pressed : {Ok, Cancel, Help}) {
            SCOPED_TRACE(std::to_string(pressed) + (key == Qt::Key_Enter ? " with the keypad's Enter" : ""));
            frmNewDataSet other;
            other.show();
            QApplication::setActiveWindow(&other);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
            QPushButton* button = pressed == Ok ? other.cmdOK : pressed == Cancel ? other.cmdCancel : other.cmdHelp;
            button->setFocus(Qt::TabFocusReason);
            ui->help.clear();
            QTest::keyClick(button, key);
            EXPECT_EQ(other.OK(), pressed == Ok);
            EXPECT_EQ(other.isVisible(), pressed == Help);
            EXPECT_EQ(ui->help.size(), pressed == Help ? 1u : 0u);
        }
    }
}
