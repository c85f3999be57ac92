#include "QtForms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace forms;
using namespace forms::qtforms;
using SB = QMessageBox::StandardButton;

TEST(QtForms, ButtonIconEscapeAndResultCodes) {
    struct Case {
        int32_t code;
        std::vector<SB> buttons;
        SB escape, defaultButton;
        QMessageBox::Icon icon;
    } cases[] = {
        {vbOKOnly, {SB::Ok}, SB::Ok, SB::Ok, QMessageBox::NoIcon},
        {vbOKCancel + vbQuestion, {SB::Ok, SB::Cancel}, SB::Cancel, SB::Ok, QMessageBox::Question},
        {vbYesNoCancel + vbExclamation, {SB::Yes, SB::No, SB::Cancel}, SB::Cancel, SB::Yes, QMessageBox::Warning},
        {vbYesNo + vbQuestion + 256, {SB::Yes, SB::No}, SB::NoButton, SB::No, QMessageBox::Question},
        {vbRetryCancel + vbCritical, {SB::Retry, SB::Cancel}, SB::Cancel, SB::Retry, QMessageBox::Critical},
        {vbAbortRetryIgnore + 512, {SB::Abort, SB::Retry, SB::Ignore}, SB::NoButton, SB::Ignore, QMessageBox::NoIcon},
        {vbOKOnly + vbInformation + vbMsgBoxHelpButton, {SB::Ok}, SB::Ok, SB::Ok, QMessageBox::Information}};
    for (const auto& c : cases) {
        EXPECT_EQ(ButtonsFor(c.code), c.buttons) << c.code;
        EXPECT_EQ(EscapeFor(c.code), c.escape) << c.code;
        EXPECT_EQ(DefaultFor(c.code), c.defaultButton) << c.code;
        EXPECT_EQ(IconFor(c.code), c.icon) << c.code;
    }
    struct R { SB button; int16_t code; } results[] = {
        {SB::Ok, 1}, {SB::Cancel, 2}, {SB::Abort, 3}, {SB::Retry, 4}, {SB::Ignore, 5}, {SB::Yes, 6}, {SB::No, 7},
        {SB::Help, 0}};
    for (const auto& r : results) EXPECT_EQ(ResultFor(r.button), r.code);
}

TEST(QtForms, PromptAndTitleTexts) {
    EXPECT_EQ(PromptText("one\r\ntwo\rthree\nfour"), QString("one\ntwo\nthree\nfour"));
    EXPECT_EQ(TitleText(""), QString("Vorn 5.0"));
    EXPECT_EQ(TitleText("File Error"), QString("File Error"));
}

TEST(QtForms, EscPressesCancelAndHelpLeavesTheBoxOpen) {
    int helpShown = 0;
    auto box = BuildMessageBox("Save changes?\rNow", vbYesNoCancel + vbQuestion + vbMsgBoxHelpButton, "",
                               [&] { ++helpShown; });
    EXPECT_EQ(box->windowTitle(), QString("Vorn 5.0"));
    EXPECT_EQ(box->text(), QString("Save changes?\nNow"));
    box->show();
    box->button(SB::Help)->click();
    EXPECT_EQ(helpShown, 1);
    EXPECT_TRUE(box->isVisible()) << "Help keeps the box open";
    QTest::keyClick(box.get(), Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(ResultOf(*box, vbYesNoCancel), vbCancel);

    auto yesNo = BuildMessageBox("Keep the log?", vbYesNo + vbQuestion, "t", {});
    yesNo->show();
    QTest::keyClick(yesNo.get(), Qt::Key_Escape);
    EXPECT_TRUE(yesNo->isVisible()) << "Esc does nothing without a Cancel button";
    yesNo->button(SB::No)->click();
    EXPECT_EQ(ResultOf(*yesNo, vbYesNo), vbNo);
}

TEST(QtForms, FilterStringsGetBothCasesOfEachPattern) {
    EXPECT_EQ(NameFilters("Vorn 5.0 (*.vn5)|*.vn5|Vorn 4.0 (*.vn4)|*.vn4|Text (*.txt)|*.txt"),
              QStringList({"Vorn 5.0 (*.vn5 *.VN5)", "Vorn 4.0 (*.vn4 *.VN4)", "Text (*.txt *.TXT)"}));
    EXPECT_EQ(NameFilters("Data (*.dat)|*.dat"), QStringList({"Data (*.dat *.DAT)"}));
    EXPECT_EQ(NameFilters("Pictures|*.bmp;*.PNG|All files|*.*"),
              QStringList({"Pictures (*.bmp *.BMP *.PNG *.png)", "All files (*)"}));
    EXPECT_TRUE(NameFilters("").isEmpty());
    EXPECT_EQ(DefaultSuffix(".VN5"), QString("VN5"));
    EXPECT_EQ(DefaultSuffix("VN5"), QString("VN5"));
    EXPECT_EQ(DefaultSuffix(""), QString());
}

TEST(QtForms, HourglassIsSetOnceAndAlwaysRestored) {
    QtForms f;
    f.SetHourglass(true);
    f.SetHourglass(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    f.SetHourglass(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    f.SetHourglass(false);

    int calls = 0;
    f.setHelpHandler([&](const std::string& file, int32_t command, int32_t context) {
        ++calls;
        EXPECT_EQ(file, "/p/Vorn5.hlp");
        EXPECT_EQ(command, 11);
        EXPECT_EQ(context, 1);
    });
    f.ShowHelp("/p/Vorn5.hlp", 11, 1);
    EXPECT_EQ(calls, 1);
}
