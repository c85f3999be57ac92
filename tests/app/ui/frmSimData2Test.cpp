// The simulation wizard, driven as a user would: steps and buttons, fields refused with
// the focus kept, the curve choice, the selectivity preview, Cancel and Finish.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "GraphControlWidget.h"
#include "MVornGlobs.h"
#include "clsSimData.h"
#include "forms/HeadlessForms.h"
#include "frmSimData2.h"

namespace {

class SimWizard : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        wizard = std::make_unique<frmSimData2>();
        wizard->Create(caller);
        wizard->show();
        wizard->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    }

    // Replaces the field's text as typing does (entering selects it all), then leaves it
    // with Tab and lets the deferred message and refocus run.
    void Type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    void Click(QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    void GoToStep(int step) {
        while (wizard->CurrentStep() < step) Click(wizard->cmdButton[2]);
    }

    forms::ScopedHeadlessForms ui;
    clsSimData caller;
    std::unique_ptr<frmSimData2> wizard;
};

TEST_F(SimWizard, StepsShowTheirFrameAndEnableBackNextFinishByStep) {
    struct Row {
        int step;
        QGroupBox* frmSimData2::*frame;
        bool back, next, finish;
    };
    const Row rows[] = {{1, &frmSimData2::fmeData, false, true, false},
                        {2, &frmSimData2::fmeMort, true, true, false},
                        {3, &frmSimData2::fmeGParams, true, true, false},
                        {4, &frmSimData2::fmeSel, true, false, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.step);
        GoToStep(r.step);
        EXPECT_EQ(wizard->windowTitle(),
                  QString("Simulated Data Set Wizard : Step %1 Of 4").arg(r.step));
        for (QGroupBox* f : {wizard->fmeData, wizard->fmeGC, wizard->fmeMort, wizard->fmeGParams, wizard->fmeSel})
            EXPECT_EQ(f->isVisible(), f == wizard.get()->*r.frame || (r.step == 2 && f == wizard->fmeGC));
        EXPECT_TRUE(wizard->cmdButton[0]->isEnabled());
        EXPECT_EQ(wizard->cmdButton[1]->isEnabled(), r.back);
        EXPECT_EQ(wizard->cmdButton[2]->isEnabled(), r.next);
        EXPECT_EQ(wizard->cmdButton[3]->isEnabled(), r.finish);
    }
    Click(wizard->cmdButton[1]);
    EXPECT_EQ(wizard->CurrentStep(), 3);
    EXPECT_EQ(wizard->cmdButton[0]->text(), "&Cancel");
    EXPECT_EQ(wizard->cmdButton[3]->text(), "&Finish");
    EXPECT_EQ(wizard->lblParamCV[2]->text(), "CV (Ann.)");
    EXPECT_EQ(wizard->lblParamCV[6]->text(), "CV (Ind.)");
}

TEST_F(SimWizard, KeepsItsSizeFromStepToStep) {
    QApplication::processEvents();
    const QSize first = wizard->size();
    QSize largestNeed = wizard->sizeHint();
    // Next to step 4, then Back to step 1: Back once doubled the height of steps 3 and 2.
    for (int button : {2, 2, 2, 1, 1, 1}) {
        Click(wizard->cmdButton[button]);
        SCOPED_TRACE(wizard->CurrentStep());
        largestNeed = largestNeed.expandedTo(wizard->sizeHint());
        EXPECT_EQ(wizard->width(), first.width());
        EXPECT_EQ(wizard->height(), first.height());
    }
    EXPECT_EQ(wizard->CurrentStep(), 1);
    // No larger than the largest step asks for.
    EXPECT_LE(first.width(), largestNeed.width());
    EXPECT_LE(first.height(), largestNeed.height());
}

TEST_F(SimWizard, FieldsShowTheParametersInPlainNumberText) {
    EXPECT_EQ(wizard->txtParam[0]->text(), "6");
    EXPECT_EQ(wizard->txtParam[2]->text(), "0.2");
    EXPECT_EQ(wizard->txtParam[4]->text(), "750");
    EXPECT_EQ(wizard->txtGParam[1]->text(), "100");
    EXPECT_EQ(wizard->txtGParam[2]->text(), "-0.1");
    EXPECT_TRUE(wizard->optGC[0]->isChecked());
}

TEST_F(SimWizard, RefusedFieldShowsItsMessageAndKeepsTheFocusAndTheOldValue) {
    struct Row {
        const char* typed;
        const char* message;
    };
    // txtParam[2] is the time between distributions.
    const Row rows[] = {{"abc", "Data Field must be Numeric"}, {"0", "Value must be >0"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        ui->messages.clear();
        QLineEdit* box = wizard->txtParam[2];
        Type(box, r.typed);
        ASSERT_EQ(ui->messages.size(), 1u);
        EXPECT_EQ(ui->messages[0].prompt, r.message);
        EXPECT_EQ(ui->messages[0].title, "Error");
        EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_EQ(box->selectedText(), QString(r.typed));
        EXPECT_FLOAT_EQ(wizard->WorkingCopy().SampSpace(), 0.2f);
    }
    // Next does not move on while the field is wrong, and says so once.
    ui->messages.clear();
    Click(wizard->cmdButton[2]);
    EXPECT_EQ(wizard->CurrentStep(), 1);
    EXPECT_EQ(ui->messages.size(), 1u);

    // A count is rounded halves to even; 50 samples are refused with the count's text.
    ui->messages.clear();
    Type(wizard->txtParam[2], "0.5");
    Type(wizard->txtParam[0], "2.5");
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(wizard->WorkingCopy().NSamples(), 2);
    Type(wizard->txtParam[0], "50");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value must be >0 and <50");
    EXPECT_EQ(caller.NSamples(), 6);   // nothing reaches the caller before Finish
}

TEST_F(SimWizard, MovingToCancelChecksNothing) {
    QLineEdit* box = wizard->txtParam[1];
    box->setFocus();
    QApplication::processEvents();
    box->selectAll();
    QTest::keyClicks(box, "xyz");
    Click(wizard->cmdButton[0]);
    QApplication::processEvents();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(wizard->OK());
    EXPECT_FALSE(wizard->isVisible());
}

TEST_F(SimWizard, CurveChoiceEnablesOnlyTheParametersTheCurveUses) {
    struct Row {
        int curve;
        std::array<bool, 6> used;   // K, Linf, Tzero, Ts, C, NGT
    };
    const Row rows[] = {{0, {true, true, true, false, false, false}},
                        {1, {true, true, true, true, true, false}},
                        {2, {true, true, true, true, false, true}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.curve);
        GoToStep(2);
        QTest::mouseClick(wizard->optGC[r.curve], Qt::LeftButton, {}, QPoint(5, wizard->optGC[r.curve]->height() / 2));
        EXPECT_EQ(wizard->WorkingCopy().GC(), r.curve);
        EXPECT_EQ(wizard->fmeGC->property("Tag").toString(), QString::number(r.curve));
        Click(wizard->cmdButton[2]);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(wizard->txtGParam[i]->isEnabled(), r.used[i]) << i;
            EXPECT_EQ(wizard->lblGParam[i]->isEnabled(), r.used[i]) << i;
            EXPECT_EQ(wizard->txtParamCV[i]->isEnabled(), r.used[i]) << i;
        }
        EXPECT_TRUE(wizard->txtParamCV[6]->isEnabled());   // follows Tzero
        Click(wizard->cmdButton[1]);
    }
}

TEST_F(SimWizard, SelectivityPreviewFollowsTheFields) {
    GoToStep(4);
    chart::GraphControl& g = *wizard->gphSel;
    EXPECT_EQ(g.PointCount(), 100);
    EXPECT_FLOAT_EQ(static_cast<float>(g.X(10)), 10.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.Y(10)), 0.5f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.X(100)), 100.0f);
    const int before = g.Redraws();
    Type(wizard->txtSel[0], "20");   // L50
    EXPECT_FLOAT_EQ(wizard->WorkingCopy().Sell50(), 20.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.Y(20)), 0.5f);
    EXPECT_GT(g.Redraws(), before);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(SimWizard, FinishRefusesValuesTheSimulationCannotRunWith) {
    GoToStep(4);
    Type(wizard->txtSel[0], "150");   // L50 above Linf 100: accepted by the field
    EXPECT_TRUE(ui->messages.empty());
    Click(wizard->cmdButton[3]);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "L50 must be smaller than Linf.");
    EXPECT_FALSE(wizard->OK());
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_FLOAT_EQ(caller.Sell50(), 10.0f);

    Type(wizard->txtSel[0], "12");
    Click(wizard->cmdButton[3]);
    EXPECT_TRUE(wizard->OK());
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_FLOAT_EQ(caller.Sell50(), 12.0f);
}

TEST_F(SimWizard, HelpShowsTheWizardTopic) {
    Click(wizard->cmdHelp);
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].command, 1);
    EXPECT_EQ(ui->help[0].context, 52);
    EXPECT_EQ(ui->help[0].helpFile, MVornGlobs::HelpFilePath);
}

// The wizard as UserInputSimParameters shows it: modal, driven from a timer.
void WhenModal(std::function<void(frmSimData2&)> act) {
    QTimer::singleShot(0, [act] {
        auto* w = qobject_cast<frmSimData2*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        act(*w);
    });
}

TEST(SimWizardModal, CancelLeavesTheParametersAndFinishTakesTheEdits) {
    MVornGlobs::InitGlobals();
    forms::ScopedHeadlessForms ui;
    frmSimData2::Install();
    clsSimData sim;
    auto edit = [](frmSimData2& w) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        w.txtParam[0]->setFocus();
        w.txtParam[0]->selectAll();
        QTest::keyClicks(w.txtParam[0], "12");
        QTest::keyClick(w.txtParam[0], Qt::Key_Tab);
    };

    WhenModal([&](frmSimData2& w) {
        edit(w);
        QTest::mouseClick(w.cmdButton[0], Qt::LeftButton);
    });
    EXPECT_FALSE(sim.UserInputSimParameters());
    EXPECT_EQ(sim.NSamples(), 6);

    WhenModal([&](frmSimData2& w) {
        edit(w);
        for (int i = 0; i < 3; ++i) QTest::mouseClick(w.cmdButton[2], Qt::LeftButton);
        QTest::mouseClick(w.cmdButton[3], Qt::LeftButton);
    });
    EXPECT_TRUE(sim.UserInputSimParameters());
    EXPECT_EQ(sim.NSamples(), 12);
    EXPECT_TRUE(ui->messages.empty());
    clsSimData::SetWizard({});
}

}  // namespace
