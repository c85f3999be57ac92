#include "forms/HeadlessForms.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/HandlerGuard.h"
#include "vb/VbError.h"

using namespace forms;

TEST(HeadlessForms, UnscriptedBoxesAnswerWithTheirFirstButtonAndAreRecorded) {
    ScopedHeadlessForms f;
    struct Case { int32_t buttons; int16_t answer; } cases[] = {
        {vbOKOnly + vbExclamation, vbOK}, {vbOKCancel, vbOK}, {vbYesNoCancel + vbQuestion, vbYes},
        {vbYesNo, vbYes}, {vbRetryCancel + vbExclamation, vbRetry}, {vbAbortRetryIgnore, vbAbort}};
    for (const auto& c : cases) EXPECT_EQ(Forms().MsgBox("p", c.buttons, "t"), c.answer) << c.buttons;
    ASSERT_EQ(f->messages.size(), std::size(cases));
    EXPECT_EQ(f->messages[2].buttons, vbYesNoCancel + vbQuestion);
    EXPECT_EQ(f->messages[2].title, "t");
}

TEST(HeadlessForms, ScriptedAnswersAndTheDoEventsHookAreUsedInOrder) {
    ScopedHeadlessForms f;
    f->msgBoxAnswers = {vbNo, vbCancel};
    f->inputAnswers = {"1.5", ""};
    int hooked = 0;
    f->onDoEvents = [&] { ++hooked; };
    EXPECT_EQ(Forms().MsgBox("a", vbYesNoCancel), vbNo);
    EXPECT_EQ(Forms().MsgBox("b", vbYesNoCancel), vbCancel);
    EXPECT_EQ(Forms().InputBox("time?"), "1.5");
    EXPECT_EQ(Forms().InputBox("time?"), "");  // Cancel
    Forms().DoEvents();
    Forms().DoEvents();
    EXPECT_EQ(hooked, 2);
    EXPECT_EQ(f->doEvents, 2);
}

TEST(HeadlessForms, ScopeRestoresThePreviousService) {
    FormsService* outer = &Forms();
    {
        ScopedHeadlessForms f;
        EXPECT_EQ(&Forms(), &f.get());
    }
    EXPECT_EQ(&Forms(), outer);
}

TEST(HeadlessForms, AHandlersErrorIsShownAndGoesNoFurther) {
    forms::ScopedHeadlessForms ui;
    forms::RunHandler([] { throw VbError(13, "frm", "Type mismatch"); });
    forms::RunHandler([] { throw std::runtime_error("no memory"); });
    bool ran = false;
    forms::RunHandler([&] { ran = true; });
    EXPECT_TRUE(ran);
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[0].prompt, "Type mismatch");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->messages[1].prompt, "no memory");
    EXPECT_EQ(ui->messages[1].buttons, forms::vbCritical);
}
