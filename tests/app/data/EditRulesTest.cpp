#include "EditRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ErrorNumber.h"
#include "clsVorn.h"

namespace {

using testsupport::ErrorNumberOf;

constexpr int16_t kClasses = 3;

// Samples at the given times over three classes; sample i (its number before any edit,
// its "name" below) holds 10 i + j in class j, so its counts tell where it went.
void MakeSet(clsVorn& set, const std::vector<float>& times) {
    set.ResizeData(static_cast<int16_t>(times.size()), kClasses);
    set.setMinLength(10.0f);
    set.setClassSize(2.0f);
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        set.setsTime(i, times[i - 1]);
        for (int16_t j = 1; j <= kClasses; ++j) set.setDists(i, j, static_cast<float>(10 * i + j));
    }
    set.Refresh();
}

std::vector<float> Times(const clsVorn& set) {
    std::vector<float> t;
    for (int16_t i = 1; i <= set.NumDists(); ++i) t.push_back(set.sTime(i));
    return t;
}

// The name of the sample whose counts each position holds; 0 for counts of no one sample.
std::vector<int> Names(const clsVorn& set) {
    std::vector<int> names;
    for (int16_t i = 1; i <= set.NumDists(); ++i) {
        const int name = static_cast<int>(set.Dists(i, 1)) / 10;
        bool whole = true;
        for (int16_t j = 1; j <= kClasses; ++j) whole = whole && set.Dists(i, j) == static_cast<float>(10 * name + j);
        names.push_back(whole ? name : 0);
    }
    return names;
}

}  // namespace

TEST(EditRulesTest, StoredCountsAreNeverNegative) {
    EXPECT_EQ(editrules::StoredCount(-3.5f), 0.0f);
    EXPECT_EQ(editrules::StoredCount(-1e-30f), 0.0f);
    EXPECT_EQ(editrules::StoredCount(0.0f), 0.0f);
    EXPECT_EQ(editrules::StoredCount(2.25f), 2.25f);
    EXPECT_EQ(editrules::StoredCount(3.4e38f), 3.4e38f);
}

TEST(EditRulesTest, EditModeEndsOnlyWithoutEmptySamplesOrSharedTimes) {
    using editrules::ExitFault;
    struct Case {
        std::vector<float> times;
        int emptied;  // sample whose counts are set to 0, or 0
        ExitFault fault;
    };
    const Case cases[] = {
        {{0.5f, 1.0f, 1.5f}, 0, ExitFault::None},
        {{0.5f, 1.0f, 1.5f}, 2, ExitFault::EmptyDist},
        {{1.0f, 2.0f, 1.0f}, 0, ExitFault::SharedTime},   // not neighbours
        {{1.0f, 1.0f, 2.0f}, 3, ExitFault::EmptyDist},    // the empty sample is told first
        {{0.0f, 2.0f, -0.0f}, 0, ExitFault::SharedTime},  // the same time, written twice
        {{1.0f, 1.0000001f, 1.0000002f}, 0, ExitFault::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.times) + " emptied " + std::to_string(c.emptied));
        clsVorn set;
        MakeSet(set, c.times);
        if (c.emptied > 0)
            for (int16_t j = 1; j <= kClasses; ++j) set.setDists(static_cast<int16_t>(c.emptied), j, 0.0f);
        set.setDists(1, 1, 100.0f);  // the totals are behind until edit mode ends
        EXPECT_EQ(editrules::LeaveEditMode(set), c.fault);
        EXPECT_EQ(set.NTotal(1), c.fault == ExitFault::None ? 100.0f + 12.0f + 13.0f : 36.0f);
    }
}

TEST(EditRulesTest, MoveDistTakesTheEditedSampleToItsNewPlace) {
    struct Case {
        const char* what;
        std::vector<float> times;
        int16_t s;
        float t;
        std::vector<float> movedTimes;
        std::vector<int> names;
    };
    const Case cases[] = {
        {"later", {1, 2, 3}, 1, 2.5f, {2, 2.5f, 3}, {2, 1, 3}},
        {"to the end", {1, 2, 3}, 1, 9, {2, 3, 9}, {2, 3, 1}},
        {"earlier", {1, 2, 3}, 3, 0.5f, {0.5f, 1, 2}, {3, 1, 2}},
        {"earlier, onto a time in use", {1, 2, 3}, 3, 1, {1, 1, 2}, {3, 1, 2}},
        // The old time is shared: the edited sample goes, not the first one at that time.
        {"earlier, the second of a shared time", {1, 2, 2}, 3, 0.5f, {0.5f, 1, 2}, {3, 1, 2}},
        {"earlier, the first of a shared time", {1, 2, 2}, 2, 0.5f, {0.5f, 1, 2}, {2, 1, 3}},
        {"later, the first of a shared time", {1, 1, 2}, 1, 3, {1, 2, 3}, {2, 3, 1}},
        {"its own time", {1, 2, 3}, 2, 2, {1, 2, 3}, {1, 2, 3}},
        {"within its place", {1, 2, 3}, 2, 1.5f, {1, 1.5f, 3}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clsVorn set;
        MakeSet(set, c.times);
        ASSERT_TRUE(editrules::MoveDist(set, c.s, c.t));
        EXPECT_EQ(Times(set), c.movedTimes);
        EXPECT_EQ(Names(set), c.names);
        for (int16_t i = 1; i <= set.NumDists(); ++i)  // totals of the moved counts
            EXPECT_EQ(set.NTotal(i), static_cast<float>(30 * c.names[i - 1] + 6));
    }

    clsVorn set;
    MakeSet(set, {1, 2, 3});
    for (int16_t s : {0, 4}) EXPECT_FALSE(editrules::MoveDist(set, s, 0.5f)) << s;
    EXPECT_EQ(Times(set), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(Names(set), (std::vector<int>{1, 2, 3}));
}

TEST(EditRulesTest, CombineSumsThePickedSamplesIntoOneAtTheTimeGiven) {
    struct Case {
        const char* what;
        std::vector<int16_t> picked;
        float t;
        std::vector<float> times;
        std::vector<int> names;  // 0: the combined sample
        float combinedFirstClass;
    };
    const Case cases[] = {
        {"between the others", {4, 2}, 3.5f, {1, 3, 3.5f, 5}, {1, 3, 0, 5}, 21 + 41},
        {"before all of them", {1, 5}, 0, {0, 2, 3, 4}, {0, 2, 3, 4}, 11 + 51},
        {"at a picked sample's time", {2, 3}, 2, {1, 2, 4, 5}, {1, 0, 4, 5}, 21 + 31},
        {"every sample", {1, 2, 3, 4, 5}, 7, {7}, {0}, 11 + 21 + 31 + 41 + 51},
        {"one sample", {3}, 3, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clsVorn set;
        MakeSet(set, {1, 2, 3, 4, 5});
        ASSERT_TRUE(editrules::CombineDists(set, c.picked, c.t));
        EXPECT_EQ(Times(set), c.times);
        const std::vector<int> names = Names(set);
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (c.names[k] != 0) {
                EXPECT_EQ(names[k], c.names[k]) << k;
            }
        }
        // The combined sample holds the sums class by class: each class j adds j per sample.
        const auto at = static_cast<int16_t>(set.DistForTime(c.t));
        const auto n = static_cast<float>(c.picked.size());
        for (int16_t j = 1; j <= kClasses; ++j)
            EXPECT_EQ(set.Dists(at, j), c.combinedFirstClass + n * static_cast<float>(j - 1));
        EXPECT_EQ(set.NTotal(at), 3 * c.combinedFirstClass + 3 * n);
    }
}

TEST(EditRulesTest, CombineRefusesASampleTheSetCouldNotHold) {
    // 6E+37 twice adds up to more than a sample may hold (1E+38), which Save would refuse.
    clsVorn set;
    MakeSet(set, {1, 2, 3});
    set.setDists(1, 1, 6e37f);
    set.setDists(3, 1, 6e37f);
    EXPECT_TRUE(editrules::CombinedTooLarge(set, {1, 3}));
    EXPECT_FALSE(editrules::CombineDists(set, {1, 3}, 4.0f));
    EXPECT_EQ(Times(set), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(set.Dists(3, 1), 6e37f);
    EXPECT_EQ(set.Dists(3, 2), 32.0f);

    // 4E+37 twice stays within it, and the combined set is one Save takes.
    set.setDists(1, 1, 4e37f);
    set.setDists(3, 1, 4e37f);
    EXPECT_FALSE(editrules::CombinedTooLarge(set, {1, 3}));
    ASSERT_TRUE(editrules::CombineDists(set, {1, 3}, 4.0f));
    EXPECT_EQ(Times(set), (std::vector<float>{2, 4}));
    EXPECT_EQ(set.Dists(2, 1), 8e37f);
    EXPECT_EQ(set.ContentFault(), "");
}

TEST(EditRulesTest, CombineAndEraseChangeNothingWhenTheyRefuse) {
    clsVorn set;
    MakeSet(set, {1, 2, 3, 4, 5});
    set.setDists(2, 3, 3e38f);
    set.setDists(4, 3, 3e38f);
    EXPECT_FALSE(editrules::CombineDists(set, {2, 4}, 3.5f)) << "a sum beyond a single";
    EXPECT_FALSE(editrules::CombineDists(set, {}, 3.5f));
    EXPECT_FALSE(editrules::EraseDists(set, {}));
    EXPECT_FALSE(editrules::EraseDists(set, {5, 4, 3, 2, 1})) << "a set keeps one sample";
    for (const std::vector<int16_t>& bad : {std::vector<int16_t>{0, 2}, {6}, {2, 2}}) {
        EXPECT_EQ(ErrorNumberOf([&] { editrules::CombineDists(set, bad, 3.5f); }), 9);
        EXPECT_EQ(ErrorNumberOf([&] { editrules::EraseDists(set, bad); }), 9);
    }
    EXPECT_EQ(Times(set), (std::vector<float>{1, 2, 3, 4, 5}));
    EXPECT_EQ(set.Dists(2, 3), 3e38f);
    EXPECT_EQ(set.Dists(1, 1), 11.0f);

    EXPECT_TRUE(editrules::EraseDists(set, {2, 4}));
    EXPECT_EQ(Times(set), (std::vector<float>{1, 3, 5}));
    EXPECT_EQ(Names(set), (std::vector<int>{1, 3, 5}));
}
