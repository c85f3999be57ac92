#include "clsVorn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "vb/VbError.h"
#include "ScratchPath.h"
#include "ErrorNumber.h"

namespace fs = std::filesystem;

namespace {

using testsupport::ErrorNumberOf;

// Runs a test body inside a fresh current folder.
class InTempFolder {
public:
    InTempFolder() {
        old_ = fs::current_path();
        dir_ = testsupport::ScratchPath("vorn_ds_" +
                                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    ~InTempFolder() {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    const fs::path& dir() const { return dir_; }

private:
    fs::path old_, dir_;
};

// Three samples at times 1, 2, 3 over 4 classes from 10 by 2; count = 10 i + j.
void MakeSet(clsVorn& v) {
    v.NewDataSet("three samples", 10.0f, 2.0f, 4);
    v.setsTime(1, 1.0f);
    v.InsertDist(2.0f);
    v.InsertDist(3.0f);
    for (int16_t i = 1; i <= 3; ++i)
        for (int16_t j = 1; j <= 4; ++j) v.setDists(i, j, static_cast<float>(10 * i + j));
    v.Refresh();
}

std::vector<float> Times(const clsVorn& v) {
    std::vector<float> t;
    for (int16_t i = 1; i <= v.NumDists(); ++i) t.push_back(v.sTime(i));
    return t;
}

std::vector<float> Column(const clsVorn& v, int16_t j) {
    std::vector<float> c;
    for (int16_t i = 1; i <= v.NumDists(); ++i) c.push_back(v.Dists(i, j));
    return c;
}

}  // namespace

TEST(clsVornModel, NewObjectIsEmptyAndGuardedReadsGiveMinusOne) {
    clsVorn v;
    EXPECT_EQ(v.Status(), 0);
    EXPECT_EQ(v.DataSource(), -1);
    EXPECT_EQ(v.NumDists(), 0);
    EXPECT_EQ(v.NumClasses(), 0);
    EXPECT_FALSE(v.IsDirty());
    EXPECT_EQ(v.Dists(1, 1), -1.0f);
    EXPECT_EQ(v.DistForNewTime(5.0f), 1);
    EXPECT_EQ(v.DistForTime(5.0f), 0);
    // Sample operations do nothing before the arrays exist.
    v.InsertDist(1.0f);
    v.EraseDist(1);
    EXPECT_EQ(v.NumDists(), 0);
    EXPECT_EQ(ErrorNumberOf([&] { v.sTime(1); }), 9);
}

TEST(clsVornModel, NewDataSetTakesTheFirstFreeDefaultNameAndRefreshes) {
    InTempFolder folder;
    std::ofstream(folder.dir() / "VORN00001.VN5") << "x";
    std::ofstream(folder.dir() / "VORN00002.VN5") << "x";
    clsVorn v;
    int events = 0;
    v.ConnectChangeOfFileNameOrDesc([&] { ++events; });
    v.NewDataSet("Cod 1999", 5.0f, 0.5f, 20);
    EXPECT_EQ(fs::path(v.FileName()), folder.dir() / "VORN00003.VN5");
    EXPECT_GE(events, 2);  // description and file name
    EXPECT_EQ(v.FileDesc(), "Cod 1999");
    EXPECT_TRUE(v.IsDirty());
    EXPECT_EQ(v.DataSource(), 3);
    EXPECT_EQ(v.Status(), 1);
    EXPECT_EQ(v.NumDists(), 1);
    EXPECT_EQ(v.NumClasses(), 20);
    EXPECT_EQ(v.maxlength(), 15.0f);
    EXPECT_EQ(v.LBounds(1), 5.0f);
    EXPECT_EQ(v.LBounds(21), 15.0f);
    EXPECT_EQ(v.FNZero(1), 21.0f);  // all counts zero
    EXPECT_EQ(v.NTotal(1), 0.0f);
    // Refresh's default growth parameters; Param(0) is K, not Linf.
    EXPECT_EQ(v.Param(0), 0.1f);
    EXPECT_EQ(v.Param(1), 15.0f);
    EXPECT_EQ(v.Param(2), -0.5f);
    EXPECT_FALSE(v.Param(6).has_value());
    EXPECT_FALSE(v.Param(-1).has_value());
    EXPECT_EQ(ErrorNumberOf([&] { v.NewDataSet("x", 0.0f, 1.0f, 40000); }), 6);
    EXPECT_EQ(ErrorNumberOf([&] { v.NewDataSet("x", 0.0f, 1.0f, -3); }), 9);
    EXPECT_EQ(v.FileDesc(), "Cod 1999");  // refused sizes leave the set as it was
    EXPECT_EQ(v.NumClasses(), 20);
    EXPECT_EQ(ErrorNumberOf([&] { v.ResizeData(-1, 4); }), 9);
    EXPECT_EQ(v.NumDists(), 1);
}

TEST(clsVornModel, InsertDistKeepsTimeOrderAndPutsAnEqualTimeFirst) {
    InTempFolder folder;
    clsVorn v;
    MakeSet(v);
    v.setASP(3, 7.0f);
    v.InsertDist(2.0f);  // equal to sample 2's time: goes before it
    EXPECT_EQ(Times(v), (std::vector<float>{1, 2, 2, 3}));
    EXPECT_EQ(Column(v, 1), (std::vector<float>{11, 0, 21, 31}));
    EXPECT_EQ(v.NTotal(2), 0.0f);
    EXPECT_EQ(v.NTotal(3), 21 + 22 + 23 + 24);
    EXPECT_EQ(v.ASP(3), 7.0f);  // ASP is not shifted
    v.InsertDist(0.5f);
    v.InsertDist(9.0f);
    EXPECT_EQ(Times(v), (std::vector<float>{0.5f, 1, 2, 2, 3, 9}));
    EXPECT_EQ(v.DistForNewTime(2.0f), 3);
    EXPECT_EQ(v.DistForNewTime(10.0f), 7);
    EXPECT_EQ(v.DistForTime(2.0f), 3);
    EXPECT_EQ(v.DistForTime(2.5f), 0);
}

TEST(clsVornModel, EraseDistRemovesOneSampleAndRefusesIndicesOutsideTheData) {
    InTempFolder folder;
    clsVorn v;
    MakeSet(v);
    v.setASP(1, 1.0f);
    v.setASP(2, 2.0f);
    v.setASP(3, 3.0f);
    v.EraseDist(2);
    EXPECT_EQ(Times(v), (std::vector<float>{1, 3}));
    EXPECT_EQ(Column(v, 4), (std::vector<float>{14, 34}));
    EXPECT_EQ(v.NTotal(2), 31 + 32 + 33 + 34);
    EXPECT_EQ(v.ASP(2), 2.0f);  // not shifted: entries keep their position
    for (int16_t bad : {int16_t(0), int16_t(3), int16_t(-1)}) {
        EXPECT_EQ(ErrorNumberOf([&] { v.EraseDist(bad); }), 9) << bad;
    }
    EXPECT_EQ(Times(v), (std::vector<float>{1, 3}));  // nothing dropped
    v.EraseDist(2);
    EXPECT_EQ(Times(v), (std::vector<float>{1}));
    EXPECT_EQ(Column(v, 2), (std::vector<float>{12}));
}

TEST(clsVornModel, DistsGuardsReadsAndRefusesWritesOutsideTheClasses) {
    InTempFolder folder;
    clsVorn v;
    MakeSet(v);
    v.setIsDirty(false);
    v.setDists(4, 1, 5.0f);  // unknown sample: ignored
    v.setDists(0, 1, 5.0f);
    EXPECT_FALSE(v.IsDirty());
    EXPECT_EQ(ErrorNumberOf([&] { v.setDists(1, 6, 1.0f); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { v.setDists(1, 0, 1.0f); }), 9);
    EXPECT_FALSE(v.IsDirty());
    v.setDists(1, 5, 99.0f);  // the extra column exists ...
    EXPECT_EQ(v.Dists(1, 5), -1.0f);  // ... but reads as outside the data
    EXPECT_TRUE(v.IsDirty());
    v.Refresh();
    EXPECT_EQ(v.NTotal(1), 11 + 12 + 13 + 14);  // and is never counted
    struct Case { int16_t i, j; } outside[] = {{0, 1}, {4, 1}, {1, 0}, {1, 5}, {-1, -1}};
    for (const auto& c : outside) EXPECT_EQ(v.Dists(c.i, c.j), -1.0f) << c.i << "," << c.j;
    // Counts set without arrays behind them never reach memory that is not there.
    v.setNumDists(10);
    EXPECT_EQ(v.Dists(8, 1), -1.0f);
    EXPECT_EQ(ErrorNumberOf([&] { v.setDists(8, 1, 1.0f); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { v.Calc_dist_totals(); }), 9);
    v.setNumDists(3);
    v.setNumClasses(40);
    EXPECT_EQ(ErrorNumberOf([&] { v.InsertDist(5.0f); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { v.EraseDist(1); }), 9);
    v.setNumClasses(4);
    EXPECT_EQ(Times(v), (std::vector<float>{1, 2, 3}));  // both refused before changing anything
}

TEST(clsVornModel, TotalsFirstNonZeroClassAndIndexedFields) {
    InTempFolder folder;
    clsVorn v;
    v.NewDataSet("", 0.0f, 1.0f, 3);
    v.setDists(1, 1, 9E-6f);     // below the 1E-5 threshold
    v.setDists(1, 2, 1E-5f);
    v.Refresh();
    EXPECT_EQ(v.FNZero(1), 2.0f);
    v.setDists(1, 2, 0.0f);
    v.Refresh();
    EXPECT_EQ(v.FNZero(1), 4.0f);  // none: NumClasses + 1
    // The setter rounds halves to even.
    struct Case { float in, out; } rounding[] = {{2.5f, 2}, {3.5f, 4}, {2.4f, 2}, {-1.5f, -2}};
    for (const auto& c : rounding) {
        v.setFNZero(1, c.in);
        EXPECT_EQ(v.FNZero(1), c.out) << c.in;
    }
    const std::function<void()> outside[] = {
        [&] { v.LBounds(5); }, [&] { v.LBounds(0); }, [&] { v.setTmin(5, 1); }, [&] { v.Tmin(0); },
        [&] { v.sTime(2); },   [&] { v.setsTime(0, 1); }, [&] { v.NTotal(2); }, [&] { v.ASP(0); },
        [&] { v.setFNZero(2, 1); },
    };
    for (std::size_t k = 0; k < std::size(outside); ++k) EXPECT_EQ(ErrorNumberOf(outside[k]), 9) << k;
    v.setTmin(4, 1.5f);
    EXPECT_EQ(v.Tmin(4), 1.5f);
}

TEST(clsVornModel, CopyFieldsMakesAnIndependentCopy) {
    InTempFolder folder;
    clsVorn src;
    MakeSet(src);
    src.setTmin(2, 0.75f);
    src.setASP(2, 4.0f);
    src.setIsDirty(false);
    clsVorn copy;
    copy.CopyFields(src);
    EXPECT_EQ(copy.FileName(), src.FileName());
    EXPECT_EQ(copy.FileDesc(), src.FileDesc());
    EXPECT_EQ(copy.DataSource(), 3);
    EXPECT_EQ(copy.Status(), 1);
    EXPECT_EQ(copy.maxlength(), src.maxlength());
    EXPECT_EQ(Times(copy), Times(src));
    for (int16_t j = 1; j <= 4; ++j) EXPECT_EQ(Column(copy, j), Column(src, j)) << j;
    EXPECT_EQ(copy.Tmin(2), 0.75f);
    EXPECT_EQ(copy.LBounds(5), 18.0f);
    EXPECT_EQ(copy.ASP(2), 4.0f);
    EXPECT_EQ(copy.NTotal(3), src.NTotal(3));
    EXPECT_TRUE(copy.IsDirty());  // the counts went in through Dists
    copy.setDists(1, 1, 0.0f);
    EXPECT_EQ(src.Dists(1, 1), 11.0f);
}

TEST(clsVornModel, ChangeEventFiresForNameAndDescriptionOnly) {
    clsVorn v;
    int events = 0;
    const int id = v.ConnectChangeOfFileNameOrDesc([&] { ++events; });
    v.setFileName("a.vn5");
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(v.IsDirty());  // a new name alone changes no data
    v.setFileDesc("d");
    EXPECT_EQ(events, 2);
    EXPECT_TRUE(v.IsDirty());
    v.setMinLength(3.0f);
    EXPECT_EQ(events, 2);
    v.DisconnectChangeOfFileNameOrDesc(id);
    v.setFileName("b.vn5");
    EXPECT_EQ(events, 2);
}
