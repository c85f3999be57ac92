// Which window stays above which, as the window system is told it: each real window's
// transient parent. Help opens over the window that asked for it and takes input while
// that window runs modally; an owned window stays above its owner, also when the owner is
// a disabled main window that a click brings to the front.
#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ChartQt.h"
#include "FitRoad.h"
#include "HelpViewer.h"
#include "clsAutofind.h"
#include "frmAgeSlice.h"
#include "frmAutoFind.h"
#include "frmAutoRes.h"
#include "frmBevHolt.h"
#include "frmCCParams.h"
#include "frmGraph.h"
#include "frmNewDataSet.h"
#include "frmResTable.h"
#include "frmZReg.h"

namespace {

QWindow* Handle(const QWidget* w) { return w ? w->windowHandle() : nullptr; }
// The window `w` stays above: its transient parent. X11 window managers are told of it only
// for the kinds of window they stack above another (a dialog, not a plain window).
QWindow* OwnerOf(const QWidget* w) {
    QWindow* h = Handle(w);
    if (!h || (h->type() != Qt::Dialog && h->type() != Qt::Tool)) return nullptr;
    return h->transientParent();
}

// Whether a key typed into the window gets there. The window system's key goes through the
// application's modal check, which keeps it from a window that a modal window blocks.
bool TakesKeys(QWidget& w) {
    struct KeyCounter : QObject {
        int keys = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress) ++keys;
            return false;
        }
    } counter;
    QWindow* handle = Handle(&w);
    if (!handle) return false;
    handle->installEventFilter(&counter);
    QTest::keyClick(handle, Qt::Key_Down);
    handle->removeEventFilter(&counter);
    return counter.keys > 0;
}

// The main window with a data set, help shown in the program's own viewer and chart
// pages as real windows.
class WindowOwners : public FitRoad {
protected:
    void SetUp() override {
        frmGraph::RegisterCanvases(pages);
        previousChart_ = chart::SetChart(&pages);
        FitRoad::SetUp();
        OpenDataSet(4);
        ui->onHelp = [](const forms::HeadlessForms::HelpShown& h) {
            HelpViewer::Instance().ShowHelp(h.helpFile, h.command, h.context);
        };
    }
    void TearDown() override {
        HelpViewer::Instance().hide();
        FitRoad::TearDown();
        chart::SetChart(previousChart_);
    }
    std::vector<QMainWindow*> PageWindows() const {
        std::vector<QMainWindow*> out;
        for (chart::Handle h : pages.pages())
            if (QMainWindow* w = pages.PageWindow(h)) out.push_back(w);
        return out;
    }

    chartqt::QtChart pages;

private:
    chart::ChartLibrary* previousChart_ = nullptr;
};

}  // namespace

TEST_F(WindowOwners, HelpOpensOverTheWindowThatAskedAndTakesInput) {
    // Run while the asking window is open: it asks, with its Help button (or the main
    // window's Help > Contents), as the active window.
    using Ask = std::function<void(QWidget& asker, QAbstractButton* help)>;
    int asked = 0;
    const Ask ask = [&](QWidget& asker, QAbstractButton* help) {
        ++asked;
        QApplication::setActiveWindow(&asker);
        QApplication::processEvents();
        if (help) QTest::mouseClick(help, Qt::LeftButton);
        else window->MenuItem("mnuHelpContents")->trigger();
        QApplication::processEvents();
        HelpViewer& viewer = HelpViewer::Instance();
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_EQ(OwnerOf(&viewer), Handle(&asker));
        EXPECT_TRUE(TakesKeys(viewer));
    };
    struct Road {
        const char* name;
        std::function<void()> run;
    };
    const Road roads[] = {
        {"Help > Contents", [&] { ask(*window, nullptr); }},
        {"Functions > Catch Curve, OK",
         [&] {
             WhenModal<frmCCParams>([&](frmCCParams& p) {
                 WhenModal<frmZReg>([&](frmZReg& w) {
                     ask(w, w.cmdHelp);
                     w.cmdOK->click();
                 });
                 p.cmdOK->click();
             });
             Choose("mnuCatchCurve");
         }},
        {"Functions > Beverton-Holt Z",
         [&] {
             WhenModal<frmBevHolt>([&](frmBevHolt& w) {
                 ask(w, w.cmdHelp);
                 w.cmdCancel->click();
             });
             Choose("mnuBevHoltZ");
         }},
        {"Functions > Age Slice",
         [&] {
             Choose("mnuAgeSlice");
             frmAgeSlice& w = *window->AgeSliceWindow();
             ask(w, w.cmdHelp);
             w.cmdCancel->click();
         }},
        {"Fit > Seasonal Growth Curve, OK",
         [&] {
             frmAutoFind::Install();
             frmAutoRes::Install();
             WhenModal<frmAutoRes>([&](frmAutoRes& w) {
                 ask(w, w.cmdHelp);
                 w.cmdOK->click();
             });
             WhenModal<frmAutoFind>([](frmAutoFind& d) { d.cmdOK->click(); });
             Choose("mnuAutoFind");
             clsAutofind::SetInputDialog({});
             clsAutofind::SetResultsWindow({});
         }},
        {"Fit > Score Function Grid",
         [&] {
             Choose("mnuGrid");
             ask(eval(), eval().cmdHelp);
             eval().cmdCancel->click();
         }},
        // Last: New closes the data set.
        {"File > New",
         [&] {
             WhenModal<frmNewDataSet>([&](frmNewDataSet& d) {
                 ask(d, d.cmdHelp);
                 d.cmdCancel->click();
             });
             Choose("mnuNew");
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        const int before = asked;
        road.run();
        EXPECT_EQ(asked, before + 1);
        EXPECT_TRUE(window->isEnabled());
    }
}

TEST_F(WindowOwners, MortalityWindowsStayAboveTheMainWindowAndTheirTableAndPlotAboveThem) {
    QWindow* main = Handle(window.get());
    // Age slicing is modeless and disables the main window; the table is owned by the age
    // slicing window, and the plot page by the main window, as its canvas is never shown.
    Choose("mnuAgeSlice");
    frmAgeSlice& slice = *window->AgeSliceWindow();
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(OwnerOf(&slice), main);
    QTest::mouseClick(slice.cmdCalc, Qt::LeftButton);
    ASSERT_TRUE(slice.ResultPresent()) << (ui->messages.empty() ? "" : ui->messages[0].prompt);
    ASSERT_TRUE(slice.ResTable()->isVisible());
    EXPECT_EQ(OwnerOf(slice.ResTable()), Handle(&slice));
    QTest::mouseClick(slice.cmdPlot, Qt::LeftButton);
    ASSERT_EQ(PageWindows().size(), 1u);
    EXPECT_TRUE(PageWindows()[0]->isVisible());
    EXPECT_EQ(OwnerOf(PageWindows()[0]), main);
    QTest::mouseClick(slice.cmdCancel, Qt::LeftButton);

    // The modal mortality windows, over the main window.
    int seen = 0;
    auto over = [&](QWidget& w) {
        ++seen;
        EXPECT_EQ(OwnerOf(&w), main) << w.objectName().toStdString();
    };
    WhenModal<frmBevHolt>([&](frmBevHolt& w) {
        over(w);
        w.cmdCancel->click();
    });
    Choose("mnuBevHoltZ");
    WhenModal<frmCCParams>([&](frmCCParams& p) {
        over(p);
        WhenModal<frmZReg>([&](frmZReg& w) {
            over(w);
            w.cmdOK->click();
        });
        p.cmdOK->click();
    });
    Choose("mnuCatchCurve");
    WhenModal<frmZReg>([&](frmZReg& w) {
        over(w);
        w.cmdOK->click();
    });
    Choose("mnuPowWeathZ");
    EXPECT_EQ(seen, 4);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(WindowOwners, GridSearchWindowsStayAboveTheirOwners) {
    QWindow* main = Handle(window.get());
    // The grid evaluation dialog has no owner of its own, but it disables the main window.
    StartElefanGrid(true, true);
    EXPECT_EQ(OwnerOf(&eval()), main);
    eval().cmdOK->click();
    ASSERT_TRUE(res().isVisible());
    EXPECT_EQ(OwnerOf(&res()), Handle(&eval()));
    // The contour plot and the fitted curve.
    ASSERT_EQ(PageWindows().size(), 2u);
    for (QMainWindow* page : PageWindows()) {
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(OwnerOf(page), main) << page->windowTitle().toStdString();
    }
    // Grid Data > View.
    res().mnuGridData->trigger();
    ASSERT_TRUE(res().ResTable()->isVisible());
    EXPECT_EQ(OwnerOf(res().ResTable()), Handle(&res()));
    // Closed, and shown again from the main window.
    res().cmdOK->click();
    Choose("mnuViewParams");
    ASSERT_TRUE(res().isVisible());
    EXPECT_EQ(OwnerOf(&res()), Handle(&eval()));
}
