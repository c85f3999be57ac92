// The grid result without a window: the grid search on data small enough to score by
// hand, what it writes into the shared growth parameters, the report lines, and the
// maximisation that follows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HeadlessProgressView.h"
#include "MVornGlobs.h"
#include "MethFixtures.h"
#include "clsGridResult.h"
#include "clsGrowthParams.h"
#include "clsLFDSearch.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "vb/VbRuntime.h"

namespace {

class GridResultTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        // One class of [0, 40) holding 100 fish, sampled at time 0.
        methfix::Fill(data, 0.0f, 40.0f, {0.0f}, {{100.0f}});
        data.setFileName("/data/cod.vn5");
        data.setFileDesc("Cod 1998");
    }
    void TearDown() override { MVornGlobs::CancelRequested = false; }

    forms::ScopedHeadlessForms forms;
    ScopedHeadlessProgress progress;
    clsVorn data;
    clsGrowthParams gp;
    clsGridResult result;
};

// SLCA over K 0.5, 1.0, 1.5 and Linf 60, 80. The class spans the ages 0 to
// d = ln(Linf / (Linf - 40)) / K, so the score is close to 10 |sin(pi d) / (pi d)| (the root
// of 100 fish, damped by the width of the class), and t0 close to -d/2 (half a year later
// where the damping factor is negative), which puts the middle of the class on the sample.
// The digits below are worked from the score's own formulas, with its constants for pi.
//            K 0.5            K 1.0            K 1.5
// Linf 60    0.841 (-0.099)   0.883 (-0.049)   3.239 (-0.366)
// Linf 80    2.151 (-0.193)   3.773 (-0.347)   6.840 (-0.231)
TEST_F(GridResultTest, GridOfHandWorkedScoresIsStoredAndReported) {
    gp.setTs(0.6f), gp.setc(0.2f), gp.setNGT(0.3f);
    result.Create(gp, 0.5f, 1.5f, 3, 60.0f, 80.0f, 2, 0, data);
    ASSERT_TRUE(result.RunGrid());
    ASSERT_TRUE(result.Defined());
    EXPECT_FALSE(result.Maximised());
    EXPECT_EQ(progress.record().shows, 1);

    EXPECT_EQ(result.P1Labels(), (std::vector<std::string>{"0.50", "1.00", "1.50"}));
    EXPECT_EQ(result.P2Labels(), (std::vector<std::string>{"60.00", "80.00"}));
    const std::vector<std::vector<std::string>> cells{{"0.841", "0.883", "3.239"}, {"2.151", "3.773", "6.840"}};
    for (int32_t j = 1; j <= 2; ++j)
        for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(result.Cell(j, i), cells[j - 1][i - 1]) << i << "," << j;
    EXPECT_EQ(result.Search().BestP1Eval(), 3);
    EXPECT_EQ(result.Search().BestP2Eval(), 2);
    EXPECT_EQ(result.Search().WorstP1Eval(), 1);
    EXPECT_EQ(result.Search().WorstP2Eval(), 1);

    // The best node; the non-seasonal grid stores no seasonal parameters.
    EXPECT_EQ(gp.k(), 1.5f);
    EXPECT_EQ(gp.Linf(), 80.0f);
    EXPECT_NEAR(gp.T0(), -0.2310, 5e-4);
    EXPECT_EQ(gp.Ts(), 0.0f);
    EXPECT_EQ(gp.c(), 0.0f);
    EXPECT_EQ(gp.NGT(), 0.0f);

    const std::vector<std::string> header{"/data/cod.vn5", "Cod 1998", std::string(43, '-')};
    EXPECT_EQ(result.Header(), header);
    const std::vector<std::string> pairs{
        "Method:\tSLCA",
        "Growth Curve:\tNon Seasonal",
        "Grid Type:\tK vs Linf",
        "Ranges:\tK:  .5 -  1.5   Linf:60 - 80",
        "Evaluations:\tK:  3   Linf: 2",
        "Max Score:\t6.840 at K=1.50  Linf=80.00",
        "Tzero:\t-0.231",
        "Fixed Params:\tNone",
        "Maximisation:\tNo Maximisation Performed",
    };
    const std::vector<std::string> grid{"      0.50 1.00 1.50 ", "60.00 0.841 0.883 3.239 ",
                                        "80.00 2.151 3.773 6.840 "};
    EXPECT_EQ(result.GridData(), grid);

    std::vector<std::string> log{"GRIDSEARCH", ""};
    log.insert(log.end(), pairs.begin(), pairs.end());
    log.push_back("");
    EXPECT_EQ(result.LogLines(), log);

    std::vector<std::string> saved = header;
    saved.insert(saved.end(), pairs.begin(), pairs.end());
    saved.insert(saved.end(), grid.begin(), grid.end());
    EXPECT_EQ(result.SaveLines(true, true), saved);
    EXPECT_EQ(result.SaveLines(false, false), header);
    std::vector<std::string> printed = header;
    for (const std::string& p : pairs) printed.push_back(p.substr(0, p.find('\t')) + "\t" + p.substr(p.find('\t')));
    EXPECT_EQ(result.PrintReport(true, false).Lines(), printed);

    EXPECT_EQ(result.TableStatus(), "Grid Search Data. Grid Type: K vs Linf. Method: SLCA. Growth Curve: Non Seasonal");
}

// With every class bound at or above Linf no class is scored: every node scores 0 with
// t0 = -(pi/2)/6.2829854, and the first node is the best. SLCA ignores the seasonal values
// it is given and keeps C 0.4, Ts 0.6, NGT 0.3, so the fields taken from the method show.
TEST_F(GridResultTest, EachGridTypeStoresItsPairFromTheSearchAndTheRestFromTheMethod) {
    struct Fields {
        float k, Linf, Ts, c, NGT;
    };
    const struct {
        int32_t grid, curve;
        float p1Lo, p1Hi, p2Lo, p2Hi;
        Fields stored;
        std::string fixed;
    } cases[] = {
        {0, 0, 0.2f, 0.4f, 20.0f, 25.0f, {0.2f, 20.0f, 0.0f, 0.0f, 0.0f}, "None"},
        {0, 1, 0.2f, 0.4f, 20.0f, 25.0f, {0.2f, 20.0f, 0.6f, 0.4f, 0.3f}, "C= N/A   Ts= N/A"},
        {0, 2, 0.2f, 0.4f, 20.0f, 25.0f, {0.2f, 20.0f, 0.6f, 0.4f, 0.3f}, "NGT= N/A   Ts= N/A"},
        {1, 2, 0.2f, 0.4f, 0.1f, 0.2f, {0.2f, 30.0f, 0.6f, 0.4f, 0.1f}, "Ts= N/A   Linf= N/A"},
        {2, 1, 0.1f, 0.2f, -0.3f, -0.2f, {0.5f, 30.0f, -0.3f, 0.1f, 0.3f}, "K= N/A   Linf= N/A"},
        {3, 1, 0.2f, 0.4f, 0.1f, 0.2f, {0.2f, 30.0f, 0.6f, 0.1f, 0.3f}, "Ts= N/A   Linf= N/A"},
        {4, 2, 0.1f, 0.2f, -0.3f, -0.2f, {0.5f, 30.0f, -0.3f, 0.4f, 0.1f}, "K= N/A   Linf= N/A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.grid) + "/" + std::to_string(c.curve));
        clsGrowthParams p;
        p.setk(0.5f), p.setLinf(30.0f), p.setTs(0.05f), p.setc(0.15f), p.setNGT(0.25f);
        p.setGridType(c.grid);
        p.setGrowthCurve(c.curve);
        clsGridResult r;
        r.Create(p, c.p1Lo, c.p1Hi, 2, c.p2Lo, c.p2Hi, 2, 0, data);
        ASSERT_TRUE(r.RunGrid());
        EXPECT_EQ(r.Cell(2, 2), "0.000");
        EXPECT_EQ(p.k(), c.stored.k);
        EXPECT_EQ(p.Linf(), c.stored.Linf);
        EXPECT_EQ(p.Ts(), c.stored.Ts);
        EXPECT_EQ(p.c(), c.stored.c);
        EXPECT_EQ(p.NGT(), c.stored.NGT);
        EXPECT_FLOAT_EQ(p.T0(), -0.250008f);
        EXPECT_EQ(r.Values()[7], c.fixed);
    }
}

TEST_F(GridResultTest, CancelledGridHoldsAndWritesNothing) {
    const float k = gp.k(), linf = gp.Linf(), ts = gp.Ts();
    progress.record().cancelAtValue = 1;
    result.Create(gp, 0.5f, 1.5f, 3, 60.0f, 80.0f, 2, 0, data);
    EXPECT_FALSE(result.RunGrid());
    EXPECT_FALSE(result.Defined());
    EXPECT_TRUE(result.Labels().empty());
    EXPECT_EQ(gp.k(), k);
    EXPECT_EQ(gp.Linf(), linf);
    EXPECT_EQ(gp.Ts(), ts);
    EXPECT_EQ(result.MethType(), 0);
}

// Over the same rectangle the score grows with K and Linf wherever the class spans less
// than a year, and the corner (1.5, 80) has the narrowest class of all: the maximum.
TEST_F(GridResultTest, MaximisationFindsTheCornerAndClearsAStaleCancel) {
    result.Create(gp, 0.5f, 1.5f, 3, 60.0f, 80.0f, 2, 0, data);
    ASSERT_TRUE(result.RunGrid());
    // Left over from an earlier command: it would end the first simplex run at once.
    MVornGlobs::CancelRequested = true;
    ASSERT_TRUE(result.Maximise(1.0f, 1.5f, 70.0f, 80.0f));
    EXPECT_FALSE(MVornGlobs::CancelRequested);
    EXPECT_TRUE(result.Maximised());
    // The simplex stops within its tolerance of the corner.
    EXPECT_NEAR(gp.k(), 1.5f, 0.005);
    EXPECT_NEAR(gp.Linf(), 80.0f, 0.05);
    EXPECT_NEAR(gp.T0(), -0.231f, 0.002);
    EXPECT_NEAR(result.Search().MaxScore(), 6.840f, 0.015);
    EXPECT_LE(result.Search().MaxScore(), 6.8398f);
    // The maximisation line reports what was stored, the grid's lines stay.
    EXPECT_EQ(result.Values().back(), "Score = " + vb::Str(result.Search().MaxScore()) + " at K=" +
                                          vb::Format(gp.k(), "0.000") + "  Linf=" + vb::Format(gp.Linf(), "0.000") +
                                          "  Tzero=" + vb::Format(gp.T0(), "0.000"));
    EXPECT_EQ(result.Values()[5], "6.840 at K=1.50  Linf=80.00");
}

TEST_F(GridResultTest, MaximisationWithNoConvergedRunChangesNothing) {
    // K vs NGT with SLCA's fixed Ts of 0.6: every simplex point lies outside the band
    // -0.5 < Ts + NGT/2 < 0.5, so no run counts.
    gp.setGridType(1);
    gp.setGrowthCurve(2);
    result.Create(gp, 0.5f, 1.0f, 2, 0.1f, 0.2f, 2, 0, data);
    ASSERT_TRUE(result.RunGrid());
    const clsGrowthParams before = gp;
    const std::vector<std::string> values = result.Values();
    EXPECT_FALSE(result.Maximise(0.5f, 1.0f, 0.1f, 0.2f));
    EXPECT_FALSE(result.Maximised());
    EXPECT_EQ(result.Values(), values);
    EXPECT_EQ(gp.k(), before.k());
    EXPECT_EQ(gp.NGT(), before.NGT());
    EXPECT_EQ(gp.T0(), before.T0());
}

}  // namespace
