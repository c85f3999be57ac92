// The data set simulation: cohorts and progress, cancel, lengths on the growth curve,
// the measured sample, refusals, and a simulated set saved and opened again.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "HeadlessProgressView.h"
#include "SimulateData.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"
#include "ScratchPath.h"

namespace {

namespace fs = std::filesystem;

// Runs in a folder of its own (the simulation names its file in the current folder),
// with headless windows and a fixed seed.
class Simulate : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = fs::current_path();
        dir_ = testsupport::ScratchPath("simulate_" +
                                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
        simulation::SetSeed(12345u);
    }
    void TearDown() override {
        simulation::SetSeed(std::nullopt);
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessProgress progress;
    fs::path old_, dir_;
};

std::vector<float> Counts(const clsVorn& set, int16_t i) {
    std::vector<float> c;
    for (int16_t j = 1; j <= set.NumClasses(); ++j) c.push_back(set.Dists(i, j));
    return c;
}

TEST_F(Simulate, DefaultRunMakesTheSimulatedSet) {
    clsVorn set;
    ASSERT_TRUE(set.SimulateData());
    EXPECT_EQ(set.Status(), 1);
    EXPECT_EQ(set.FileDesc(), "SIMULATED DATASET");
    EXPECT_EQ(set.DataSource(), 2);
    EXPECT_TRUE(set.IsDirty());
    EXPECT_EQ(fs::path(set.FileName()), dir_ / "VORN00000.VN5");
    EXPECT_EQ(set.NumDists(), 6);
    EXPECT_FLOAT_EQ(set.MinLength(), 1.0f);
    EXPECT_FLOAT_EQ(set.ClassSize(), 2.0f);
    for (int16_t i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(set.sTime(i), static_cast<float>(i - 1) * 0.2f);
        // 750 fish measured per sample, spread over many classes (one random stream, not
        // a reseeded one that repeats its draw within a clock tick).
        EXPECT_FLOAT_EQ(set.NTotal(i), 750.0f);
        int used = 0;
        for (float c : Counts(set, i)) used += c > 0;
        EXPECT_GE(used, 15);
    }
    // Empty classes at the top are dropped; the top class holds fish somewhere.
    EXPECT_LT(set.NumClasses(), 101);
    bool topUsed = false;
    for (int16_t i = 1; i <= 6; ++i) topUsed |= set.Dists(i, set.NumClasses()) > 0;
    EXPECT_TRUE(topUsed);
    EXPECT_FLOAT_EQ(set.maxlength(), 1.0f + set.NumClasses() * 2.0f);

    // The next free name, and the same seed gives the same set.
    std::ofstream(dir_ / "VORN00000.VN5") << "x";
    clsVorn again;
    ASSERT_TRUE(again.SimulateData());
    EXPECT_EQ(fs::path(again.FileName()), dir_ / "VORN00001.VN5");
    ASSERT_EQ(again.NumClasses(), set.NumClasses());
    for (int16_t i = 1; i <= 6; ++i) EXPECT_EQ(Counts(again, i), Counts(set, i));
}

TEST_F(Simulate, ProgressRunsOverEveryCohortInsideItsRange) {
    EXPECT_EQ(simulation::CohortCount(0.2f + 0.2f), 12.0);
    struct Row {
        int16_t samples;
        float spacing;
        std::vector<int16_t> bar;   // values drawn between Value 0 and Value = Max
    };
    std::vector<int16_t> upTo12, upTo13, upTo11;
    for (int16_t v = 1; v <= 12; ++v) upTo12.push_back(v);   // cohorts 0..12: Max 13
    for (int16_t v = 1; v <= 13; ++v) upTo13.push_back(v);   // cohorts -1..12: Max 14
    for (int16_t v = 1; v <= 11; ++v) upTo11.push_back(v);   // cohorts 1..12: Max 12
    const Row rows[] = {{6, 0.2f, upTo12}, {12, 0.25f, upTo13}, {3, 0.25f, upTo11}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.samples);
        progress.record() = {};
        clsVorn set;
        set.SimData().setNSamples(r.samples);
        set.SimData().setSampSpace(r.spacing);
        ASSERT_TRUE(set.SimulateData());
        EXPECT_EQ(progress.record().caption, "Simulating Data...");
        EXPECT_EQ(progress.record().shows, 1);   // Value 0 showed it, so Cancel was there
        EXPECT_EQ(progress.record().barValues, r.bar);
        EXPECT_TRUE(progress.windows().empty());
    }
}

TEST_F(Simulate, CancelReturnsFalseAndLeavesStatusZero) {
    progress.record().cancelAtValue = 3;
    clsVorn set;
    EXPECT_FALSE(set.SimulateData());
    EXPECT_EQ(set.Status(), 0);
    EXPECT_EQ(progress.record().barValues.back(), 3);
}

// With every coefficient of variation 0 all fish of a cohort are alike, so every class
// holding fish must be the class of the growth curve's length at one cohort's age.
TEST_F(Simulate, WithoutVariationLengthsSitOnTheGrowthCurve) {
    struct Row {
        int32_t curve;
        float minLen, width;
    };
    // 10 / 0.7 is a layout where lower class bounds, divided back, fall below their class.
    const Row rows[] = {{0, 1.0f, 2.0f}, {1, 1.0f, 2.0f}, {2, 1.0f, 2.0f}, {0, 10.0f, 0.7f}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "curve " << r.curve << " width " << r.width);
        clsVorn set;
        clsSimData& s = set.SimData();
        for (auto cv : {&clsSimData::setCVK, &clsSimData::setCVLinf, &clsSimData::setCVT01, &clsSimData::setCVT02,
                        &clsSimData::setCVC, &clsSimData::setCVTS, &clsSimData::setCVNGT, &clsSimData::setCVRect,
                        &clsSimData::setCVsel50, &clsSimData::setCVSelk})
            (s.*cv)(0.0f);
        s.setGC(r.curve);
        s.setMinLen(r.minLen);
        s.setLCWidth(r.width);
        // Mortality cannot be 0 (no end to the cohorts); this little leaves 93 cohorts.
        s.setFVal(0.0f);
        s.setMVal(0.05f);
        s.setNPopSamps(3000);
        ASSERT_TRUE(set.SimulateData());

        const double nC = simulation::CohortCount(0.05f);
        for (int16_t i = 1; i <= set.NumDists(); ++i) {
            std::set<int> expected;
            const int y0 = static_cast<int>(std::floor(set.sTime(set.NumDists())));
            for (int c = 1 - y0; c <= nC; ++c) {
                const float age = static_cast<float>(c - 1) + set.sTime(i);
                if (!(age > s.T0V())) continue;
                float len = 0;
                set.LengthFunc(r.curve, age, s.MeanK(), s.Linf(), s.T0V(), s.MeanTS(), s.MeanC(), s.MeanNGT(), len);
                expected.insert(static_cast<int>(std::floor((len - r.minLen) / r.width)) + 1);
            }
            int used = 0;
            for (int16_t j = 1; j <= set.NumClasses(); ++j) {
                if (set.Dists(i, j) <= 0) continue;
                ++used;
                EXPECT_TRUE(expected.count(j)) << "sample " << i << " class " << j;
            }
            EXPECT_GE(used, 3) << "sample " << i;
        }
    }
}

TEST_F(Simulate, SampleWithoutFishStopsWithAMessageNamingIt) {
    clsVorn set;
    set.SimData().setMinLen(500.0f);   // every fish is shorter than the first class
    try {
        set.SimulateData();
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_NE(e.Description.find("Sample 1 received no fish"), std::string::npos) << e.Description;
    }
    EXPECT_EQ(set.Status(), 0);
}

TEST_F(Simulate, ParametersThatCannotRunAreRefusedBeforeAnythingChanges) {
    const std::vector<std::function<void(clsSimData&)>> bad = {
        [](clsSimData& s) { s.setFVal(0.0f); s.setMVal(0.0f); },
        [](clsSimData& s) { s.setMeanTS(1.0f); s.setCVTS(0.0f); },
        [](clsSimData& s) { s.setSell50(100.0f); },
        [](clsSimData& s) { s.setGC(5); },
    };
    for (const auto& b : bad) {
        clsVorn set;
        set.NewDataSet("mine", 0.0f, 1.0f, 10);
        b(set.SimData());
        EXPECT_THROW(set.SimulateData(), VbError);
        EXPECT_EQ(set.FileDesc(), "mine");
        EXPECT_EQ(set.NumClasses(), 10);
        EXPECT_EQ(set.DataSource(), 3);
        EXPECT_EQ(set.Status(), 1);
    }
}

TEST_F(Simulate, SavedSetOpensWithItsParametersAndAnOldFileWithDefaults) {
    clsVorn set;
    set.SimData().setNSamples(4);
    set.SimData().setMVal(0.3f);
    set.SimData().setGC(1);
    ASSERT_TRUE(set.SimulateData());
    const std::string path = (dir_ / "sim.vn5").string();
    set.setFileName(path);
    set.Save();
    EXPECT_EQ(fs::file_size(path), 11u + 293u + 4u * 408u + 97u);

    clsVorn back;
    back.OpenFile(path);
    EXPECT_EQ(back.DataSource(), 2);
    EXPECT_EQ(back.NumDists(), 4);
    EXPECT_EQ(back.SimData().NSamples(), 4);
    EXPECT_FLOAT_EQ(back.SimData().MVal(), 0.3f);
    EXPECT_EQ(back.SimData().GC(), 1);
    for (int16_t i = 1; i <= 4; ++i) EXPECT_EQ(Counts(back, i), Counts(set, i));

    // A file from before the record was written ends behind the samples.
    fs::resize_file(path, 11u + 293u + 4u * 408u);
    clsVorn old;
    old.OpenFile(path);
    EXPECT_EQ(old.NumDists(), 4);
    EXPECT_EQ(old.SimData().NSamples(), 6);
    EXPECT_FLOAT_EQ(old.SimData().MVal(), 0.2f);
}

TEST(CumulativeClasses, StepsFollowTheCumulativeShares) {
    struct Row {
        std::vector<float> counts;   // classes 1..n
        int lastOfFirst;             // last step in the first non-empty class
        int16_t first, second;
    };
    const Row rows[] = {
        {{5, 5}, 100, 1, 2},          // halves
        {{0, 1, 0, 3}, 50, 2, 4},     // a quarter, then three quarters
        {{0, 0, 7}, 200, 3, 3},       // one class takes every step
    };
    for (const auto& r : rows) {
        std::vector<float> counts = {0};
        counts.insert(counts.end(), r.counts.begin(), r.counts.end());
        const auto t = simulation::CumulativeClasses(counts);
        for (int k = 1; k <= simulation::kSteps; ++k)
            EXPECT_EQ(t[k], k <= r.lastOfFirst ? r.first : r.second) << "step " << k;
    }
}

}  // namespace
