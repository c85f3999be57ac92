// The grid search as a user drives it from the main window: Fit > Score Function Grid,
// the options, the search with its progress window, the results, the run log, the score
// table, the saved and printed report, and Maximise.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "FitRoad.h"
#include "FlexGrid.h"
#include "GridSearchWindows.h"
#include "HeadlessProgressView.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "SyntheticData.h"
#include "UiTestSupport.h"
#include "chart/HeadlessChart.h"
#include "clsGrowthParams.h"
#include "clsGridResult.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmGridEval.h"
#include "frmGridOptions.h"
#include "frmGridRes.h"
#include "frmMaxOpts.h"
#include "frmPrintOpts.h"
#include "frmResTable.h"
#include "frmVorn.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace {

class GridRoadTest : public FitRoad {
protected:
    void SetUp() override {
        FitRoad::SetUp();
        OpenDataSet(4);
    }
};

}  // namespace

TEST_F(GridRoadTest, GridSearchReportsLogsSavesPrintsAndMaximises) {
    EXPECT_FALSE(Enabled("mnuViewParams"));
    EXPECT_FALSE(Enabled("mnuPlotRestructured"));
    const size_t logBefore = window->Log().Buffer().size();
    StartElefanGrid(true, true);
    eval().cmdOK->click();

    EXPECT_TRUE(ui->messages.empty()) << ui->messages[0].prompt;
    EXPECT_FALSE(eval().isVisible());
    EXPECT_TRUE(window->isEnabled());
    ASSERT_TRUE(res().GridDefined());
    EXPECT_TRUE(res().isVisible());
    EXPECT_EQ(res().windowTitle(), "Grid Search Results");
    EXPECT_GE(progress.record().loads, 1);
    // The contour plot and the fitted curve were asked for.
    EXPECT_EQ(charts->pages().size(), 2u);

    // The scores themselves are checked on hand-worked grids without a window. Here the
    // table must show the result, its red cell must be the highest score and its blue cell
    // the lowest, and the report, the log and the shared parameters must name that node.
    const clsGridResult& result = res().Result();
    frmResTable* table = res().ResTable();
    ASSERT_NE(table, nullptr);
    FlexGrid* g = table->Grid();
    ASSERT_EQ(g->Rows(), 4);
    ASSERT_EQ(g->Cols(), 5);
    EXPECT_EQ(g->TextMatrix(0, 1), "0.20");
    EXPECT_EQ(g->TextMatrix(0, 4), "0.80");
    EXPECT_EQ(g->TextMatrix(3, 0), "90.00");
    int redRow = 0, redCol = 0, blueRow = 0, blueCol = 0;
    double highest = -1e30, lowest = 1e30;
    for (int j = 1; j <= 3; ++j)
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(g->TextMatrix(j, i), result.Cell(j, i));
            const double v = std::stod(g->TextMatrix(j, i));
            highest = std::max(highest, v), lowest = std::min(lowest, v);
            const QColor colour = g->item(j, i)->foreground().color();
            if (colour == QColor(255, 0, 0)) redRow = j, redCol = i;
            if (colour == QColor(0, 0, 255)) blueRow = j, blueCol = i;
        }
    ASSERT_NE(redRow, 0);
    ASSERT_NE(blueRow, 0);
    EXPECT_EQ(std::stod(g->TextMatrix(redRow, redCol)), highest);
    EXPECT_EQ(std::stod(g->TextMatrix(blueRow, blueCol)), lowest);
    EXPECT_EQ(table->StatusText(),
              "Grid Search Data. Grid Type: K vs Linf. Method: ELEFAN. Growth Curve: Non Seasonal");

    const clsGrowthParams& gp = *window->GrowthParams();
    const float step1 = 0.6f / 3;
    const std::string best = g->TextMatrix(redRow, redCol) + " at K=" + g->TextMatrix(0, redCol) +
                             "  Linf=" + g->TextMatrix(redRow, 0);
    const std::vector<std::string> results{
        "Method:\tELEFAN",
        "Growth Curve:\tNon Seasonal",
        "Grid Type:\tK vs Linf",
        "Ranges:\tK:  .2 -  .8   Linf:70 - 90",
        "Evaluations:\tK:  4   Linf: 3",
        "Max Score:\t" + best,
        "Tzero:\t" + vb::Format(gp.T0(), "0.000"),
        "Fixed Params:\tNone",
        "Maximisation:\tNo Maximisation Performed",
    };
    // The run log: a block titled GRIDSEARCH with every label and value.
    const std::vector<std::string> log = SplitLines(window->Log().Buffer().substr(logBefore));
    std::vector<std::string> block{std::string(44, '~'), "GRIDSEARCH", ""};
    block.insert(block.end(), results.begin(), results.end());
    block.push_back("");
    EXPECT_EQ(log, block);
    // The shared parameters hold the best node.
    EXPECT_EQ(vb::Format(gp.k(), "0.00"), g->TextMatrix(0, redCol));
    EXPECT_EQ(vb::Format(gp.Linf(), "0.00"), g->TextMatrix(redRow, 0));
    EXPECT_EQ(gp.Ts(), 0.0f);

    // Save with results and grid data: header, label TAB value lines, the grid lines.
    std::vector<std::string> gridLines;
    {
        std::string first(g->TextMatrix(1, 1).size(), ' ');
        first += " ";
        for (int i = 1; i <= 4; ++i) first += vb::Format(static_cast<float>(i - 1) * step1 + 0.2f, "0.00") + " ";
        gridLines.push_back(first);
        for (int j = 1; j <= 3; ++j) {
            std::string line = g->TextMatrix(j, 0) + " ";
            for (int i = 1; i <= 4; ++i) line += g->TextMatrix(j, i) + " ";
            gridLines.push_back(line);
        }
    }
    WhenModal<frmPrintOpts>([](frmPrintOpts& o) {
        EXPECT_EQ(o.windowTitle(), "Save Options");
        o.chkGridData->setChecked(true);
        o.cmdOK->click();
    });
    const std::string reportPath = folder.file("fish.dat");
    ui->saveAnswers.push_back(reportPath);
    res().mnuSave->trigger();
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].fileName, "fish.dat");
    EXPECT_EQ(ui->saveRequests[0].title, "Save Results");
    std::vector<std::string> report{dataPath, window->LFD().FileDesc(), std::string(43, '-')};
    report.insert(report.end(), results.begin(), results.end());
    report.insert(report.end(), gridLines.begin(), gridLines.end());
    EXPECT_EQ(SplitLines(WorkingFolder::read(reportPath)), report);

    // Print with the results only: two TABs between label and value.
    WhenModal<frmPrintOpts>([](frmPrintOpts& o) {
        EXPECT_EQ(o.windowTitle(), "Print Options");
        o.chkGridData->setChecked(false);
        o.cmdOK->click();
    });
    res().mnuPrint->trigger();
    const auto printed = printer->texts();
    EXPECT_EQ(printer->documentsEnded, 1);
    ASSERT_GE(printed.size(), 12u);
    const std::vector<std::string> tail(printed.end() - 12, printed.end());
    std::vector<std::string> printedReport{dataPath, window->LFD().FileDesc(), std::string(43, '-')};
    for (const std::string& r : results) {
        const size_t tab = r.find('\t');
        printedReport.push_back(print::ExpandTabs(r.substr(0, tab) + "\t\t" + r.substr(tab + 1)));
    }
    EXPECT_EQ(tail, printedReport);

    // The Fit menu now offers the held result.
    EXPECT_TRUE(Enabled("mnuViewParams"));
    EXPECT_TRUE(Enabled("mnuPlotRestructured"));
    res().hide();
    Choose("mnuViewParams");
    EXPECT_TRUE(res().isVisible());

    // Maximise over the grid's range, watching the path on the contour plot.
    bool viewEnabled = false;
    WhenModal<frmMaxOpts>([&](frmMaxOpts& m) {
        viewEnabled = m.chkViewMax->isEnabled();
        m.chkViewMax->setChecked(true);
        m.cmdOK->click();
    });
    const size_t logBeforeMax = window->Log().Buffer().size();
    res().cmdMax->click();
    EXPECT_TRUE(viewEnabled);
    EXPECT_TRUE(ui->messages.empty());
    const std::string maxLine = res().Values().back();
    EXPECT_EQ(maxLine.rfind("Score = ", 0), 0u) << maxLine;
    EXPECT_NE(maxLine.find(" at K="), std::string::npos);
    EXPECT_NE(maxLine.find("  Tzero="), std::string::npos);
    EXPECT_EQ(res().lblMaxRes->text().toStdString(), maxLine);
    const std::vector<std::string> log2 = SplitLines(window->Log().Buffer().substr(logBeforeMax));
    ASSERT_EQ(log2.size(), block.size());
    EXPECT_EQ(log2[1], "GRIDSEARCH");
    EXPECT_EQ(log2[11], "Maximisation:\t" + maxLine);
    EXPECT_TRUE(res().GridDefined());

    // Close of the data set takes the result with it.
    Choose("mnuClose");
    EXPECT_FALSE(res().GridDefined());
    EXPECT_FALSE(res().isVisible());
    EXPECT_TRUE(charts->pages().empty());
}

TEST_F(GridRoadTest, CancelHalfWayReportsNothingAndLeavesTheWindowsAsTheyWere) {
    const std::string logBefore = window->Log().Buffer();
    const float k = window->GrowthParams()->k(), linf = window->GrowthParams()->Linf();
    const QString caption = window->windowTitle();
    StartElefanGrid(true, true);
    progress.record().cancelAtValue = 2;  // Cancel once half the grid is scored
    eval().cmdOK->click();

    EXPECT_GE(progress.record().loads, 1);
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(res().GridDefined());
    EXPECT_FALSE(res().isVisible());
    EXPECT_EQ(res().ResTable(), nullptr);
    EXPECT_TRUE(charts->pages().empty());
    EXPECT_EQ(window->Log().Buffer(), logBefore);
    EXPECT_EQ(window->GrowthParams()->k(), k);
    EXPECT_EQ(window->GrowthParams()->Linf(), linf);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_FALSE(eval().isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(Enabled("mnuViewParams"));
    EXPECT_TRUE(Enabled("mnuGrid"));
}

TEST_F(GridRoadTest, AFailedSearchIsShownAndHoldsNoResult) {
    // PROJMAT on the Pauly curve with NGT fixed at 1 on every node: nothing can be scored.
    Choose("mnuGrid");
    eval().optMeth[1]->click();
    eval().optGC[2]->click();
    eval().optGT[1]->click();
    WhenModal<frmGridOptions>([](frmGridOptions& o) {
        EXPECT_EQ(o.lblParamLo[1]->text(), "NGT");
        o.txtEvals[0]->setText("2");
        o.txtLo[1]->setText("1");
        o.txtHi[1]->setText("1");
        o.txtEvals[1]->setText("1");
        o.cmdOK->click();
    });
    eval().cmdOptions->click();
    eval().cmdOK->click();

    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].title, "Search Failed");
    EXPECT_FALSE(res().GridDefined());
    EXPECT_FALSE(res().isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(Enabled("mnuViewParams"));
}

TEST_F(GridRoadTest, ChangedChoicesRefillTheOptionsAndOneSampleOffersNoProjmat) {
    Choose("mnuGrid");
    eval().optMeth[2]->click();
    QString p2;
    WhenModal<frmGridOptions>([&](frmGridOptions& o) {
        p2 = o.lblParamLo[1]->text();
        o.txtEvals[0]->setText("7");
        o.cmdOK->click();
    });
    eval().cmdOptions->click();
    EXPECT_EQ(p2, "Linf");
    // Hoenig curve, C vs Ts: the options follow before they are shown again.
    eval().optGC[1]->click();
    eval().optGT[2]->click();
    QString p1, evals;
    WhenModal<frmGridOptions>([&](frmGridOptions& o) {
        p1 = o.lblParamLo[0]->text(), p2 = o.lblParamLo[1]->text(), evals = o.txtEvals[0]->text();
        o.cmdCancel->click();
    });
    eval().cmdOptions->click();
    EXPECT_EQ(p1, "C");
    EXPECT_EQ(p2, "Ts");
    EXPECT_EQ(evals, "15");
    eval().cmdCancel->click();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(eval().optMeth[1]->isEnabled());

    // A data set of one sample: PROJMAT is not offered, and Plot Fit is off.
    while (window->LFD().NumDists() > 1) window->LFD().EraseDist(window->LFD().NumDists());
    EXPECT_FALSE(Enabled("mnuPlotFit"));
    Choose("mnuGrid");
    EXPECT_FALSE(eval().optMeth[1]->isEnabled());
    eval().cmdCancel->click();
}
