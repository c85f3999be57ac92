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

#include <QProcess>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "FitRoad.h"
#include "FlexGrid.h"
#include "GridSearchWindows.h"
#include "HeadlessProgressView.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "PrintQt.h"
#include "PrintedTable.h"
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

// The grid the printouts were cut on: SLCA, K 0.5 to 2.5 by Linf 12 to 20 at the default
// 15 x 15 nodes, over 7 samples of 14 classes, with a description longer than a line.
class GridPrintTest : public FitRoad {
protected:
    void SetUp() override {
        FitRoad::SetUp();
        clsVorn data;
        synthetic::Growth g;
        g.K = 1.5f, g.Linf = 18.0f, g.ClassSize = 1.5f, g.NumClasses = 14, g.cohorts = 3;
        g.sampleTimes = synthetic::EvenTimes(7);
        synthetic::Build(data, g);
        data.setFileDesc(kDesc);
        OpenData(data, "fish.vn5");
        dataPath = folder.file("fish.vn5");

        Choose("mnuGrid");
        eval().optMeth[0]->click();
        WhenModal<frmGridOptions>([](frmGridOptions& o) {
            EXPECT_EQ(o.txtEvals[0]->text(), "15");
            EXPECT_EQ(o.txtEvals[1]->text(), "15");
            useractions::Retype(o.txtLo[0], "0.5");
            useractions::Retype(o.txtHi[0], "2.5");
            useractions::Retype(o.txtLo[1], "12");
            useractions::Retype(o.txtHi[1], "20");
            o.chkContour->setChecked(false);
            o.chkFit->setChecked(false);
            o.cmdOK->click();
        });
        eval().cmdOptions->click();
        eval().cmdOK->click();
        ASSERT_TRUE(res().GridDefined());
        ASSERT_EQ(res().Result().P1Evals(), 15);
        ASSERT_EQ(res().Result().P2Evals(), 15);
    }

    // Results > Print with the raw grid data ticked.
    void PrintResultsWithGridData() {
        WhenModal<frmPrintOpts>([](frmPrintOpts& o) {
            o.chkRes->setChecked(true);
            o.chkGridData->setChecked(true);
            o.cmdOK->click();
        });
        res().mnuPrint->trigger();
    }

    // Every node's score under its labels, as the result holds it ("0.000") or as the table
    // window prints it ("0.00").
    std::map<std::pair<std::string, std::string>, std::string> Scores(const char* pattern = nullptr) {
        const clsGridResult& r = res().Result();
        std::map<std::pair<std::string, std::string>, std::string> scores;
        for (int32_t j = 1; j <= 15; ++j)
            for (int32_t i = 1; i <= 15; ++i)
                scores[{r.P2Labels()[j - 1], r.P1Labels()[i - 1]}] =
                    pattern ? vb::Format(vb::CDbl(r.Cell(j, i)), pattern) : r.Cell(j, i);
        return scores;
    }
    testsupport::PrintedTable ReadGrid(const std::vector<std::string>& lines) {
        const clsGridResult& r = res().Result();
        return testsupport::ReadPrintedTable(lines, "", {r.P2Labels().begin(), r.P2Labels().end()},
                                             {r.P1Labels().begin(), r.P1Labels().end()});
    }
    // The lines from the data set's name to the rule below the description, run together.
    std::string PrintedDescription(const std::vector<std::string>& lines) {
        auto name = std::find(lines.begin(), lines.end(), dataPath);
        auto rule = std::find(name, lines.end(), std::string(43, '-'));
        std::string text;
        if (name != lines.end())
            for (auto l = name + 1; l < rule; ++l) text += (text.empty() ? "" : " ") + *l;
        return text;
    }

    static constexpr const char* kDesc =
        "Lake survey of 1998: seven samples through the year, fourteen classes of 1.5 cm, every fish measured";
};

}  // namespace

TEST_F(GridPrintTest, ResultsWithTheGridDataPrintEveryScoreInColumnBlocksThatFitThePage) {
    PrintResultsWithGridData();
    ASSERT_EQ(printer->documentsEnded, 1);
    EXPECT_EQ(testsupport::LinesWiderThanThePage(printer.get()), std::vector<std::string>{});
    const std::vector<std::string> lines = printer->texts();
    EXPECT_EQ(PrintedDescription(lines), kDesc);
    // Rows of 15 scores are wider than the page: the columns come in blocks, each with all
    // 15 rows behind their Linf label, and every score is found once, the best among them.
    const testsupport::PrintedTable grid = ReadGrid(lines);
    EXPECT_EQ(grid.problems, std::vector<std::string>{});
    EXPECT_GE(grid.blocks, 2);
    EXPECT_EQ(grid.cells, Scores());
    const clsLFDSearch& s = res().Result().Search();
    EXPECT_EQ(grid.cells.count({res().Result().P2Labels()[s.BestP2Eval() - 1],
                                res().Result().P1Labels()[s.BestP1Eval() - 1]}),
              1u);
}

TEST_F(GridPrintTest, TheGridDataWindowPrintsEveryScoreInColumnBlocksThatFitThePage) {
    res().mnuGridData->trigger();
    frmResTable* table = res().ResTable();
    ASSERT_NE(table, nullptr);
    QAction* print = table->tlbBar->findChild<QAction*>("Print");
    ASSERT_NE(print, nullptr);
    print->trigger();
    ASSERT_EQ(printer->documentsEnded, 1);
    EXPECT_EQ(testsupport::LinesWiderThanThePage(printer.get()), std::vector<std::string>{});
    const testsupport::PrintedTable grid = ReadGrid(printer->texts());
    EXPECT_EQ(grid.problems, std::vector<std::string>{});
    EXPECT_GE(grid.blocks, 2);
    EXPECT_EQ(grid.cells, Scores("0.00"));
}

// The Qt printer, on its PDF page, lays the grid out as the recording does: read back from
// the PDF, every score is there under its labels.
TEST_F(GridPrintTest, ThePdfOfTheGridDataHoldsEveryScore) {
    QTemporaryDir dir;
    printqt::SetPdfFolder(dir.path().toStdString());
    printqt::SetForcePdf(true);
    printqt::QtPrinter pdf;
    print::Printer* previous = print::SetPrinter(&pdf);
    PrintResultsWithGridData();
    print::SetPrinter(previous);
    printqt::SetForcePdf(false);

    QProcess p;
    p.start("pdftotext", {"-layout", QString::fromStdString(printqt::LastPdfPath()), "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    std::vector<std::string> lines;
    for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        lines.push_back(l.trimmed().toStdString());
    EXPECT_EQ(PrintedDescription(lines), kDesc);
    const testsupport::PrintedTable grid = ReadGrid(lines);
    EXPECT_EQ(grid.problems, std::vector<std::string>{});
    EXPECT_GE(grid.blocks, 2);
    EXPECT_EQ(grid.cells, Scores());
}

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
    // The description, padded to its full length in the file, is wider than the page: it
    // wraps, and the blanks at its end are dropped.
    std::string desc = window->LFD().FileDesc();
    desc.erase(desc.find_last_not_of(' ') + 1);
    std::vector<std::string> printedReport{dataPath, desc, std::string(43, '-')};
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
