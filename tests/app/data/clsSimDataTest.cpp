// Simulation parameters: defaults, accepted ranges and refusals, Clone, the 97-byte
// record and what a simulation cannot run with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "clsSimData.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "ScratchPath.h"

namespace {

namespace fs = std::filesystem;

// All 26 parameters as numbers, in property order, for comparing whole objects.
std::vector<double> Values(const clsSimData& s) {
    return {double(s.NSamples()), s.SampSpace(), s.MinLen(),  s.LCWidth(),  s.MeanK(),   s.CVK(),
            s.Linf(),             s.CVLinf(),    s.T0V(),     s.CVT01(),    s.CVT02(),   s.MeanC(),
            s.CVC(),              s.MeanTS(),    s.CVTS(),    s.MeanNGT(),  s.CVNGT(),   double(s.NPopSamps()),
            s.CVRect(),           s.FVal(),      s.MVal(),    s.Sell50(),   s.CVsel50(), s.SELK(),
            s.CVSelk(),           double(s.GC())};
}

const std::vector<double> kDefaults = {6,    0.2f, 1.0f, 2.0f,  0.4f, 0.2f, 100.0f, 0.1f, -0.1f,
                                       0.1f, 0.0f, 0.5f, 0.1f,  0.24f, 0.5f, 0.15f, 0.05f, 750,
                                       0.1f, 0.2f, 0.2f, 10.0f, 0.1f, 1.0f, 0.1f, 0};

// A record in the file layout, from values in property order.
std::vector<uint8_t> Record(const std::vector<double>& v) {
    std::vector<uint8_t> b;
    auto i16 = [&](double x) {
        const auto u = static_cast<uint16_t>(static_cast<int16_t>(x));
        b.push_back(u & 0xFF);
        b.push_back(u >> 8);
    };
    auto f32 = [&](double x) {
        const float f = static_cast<float>(x);
        uint32_t u;
        std::memcpy(&u, &f, 4);
        for (int k = 0; k < 4; ++k) b.push_back((u >> (8 * k)) & 0xFF);
    };
    i16(v[0]);
    for (int k = 1; k <= 16; ++k) f32(v[k]);
    i16(v[17]);
    for (int k = 18; k <= 24; ++k) f32(v[k]);
    b.push_back(static_cast<uint8_t>(v[25]));
    return b;
}

class SimDataFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = testsupport::ScratchPath("simdata_" +
                                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        vb::CloseAll();
        fs::remove_all(dir_);
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const auto p = (dir_ / name).string();
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return p;
    }
    fs::path dir_;
};

TEST(clsSimData, NewObjectHoldsTheDefaults) {
    clsSimData s;
    EXPECT_EQ(Values(s), kDefaults);
}

TEST(clsSimData, SetsAcceptTheirRangesAndRefuseOutsideWithTheParameterText) {
    struct Case {
        const char* what;
        std::function<void(clsSimData&)> set;
        const char* refusal;   // nullptr: accepted
    };
    const Case cases[] = {
        {"NSamples 50", [](clsSimData& s) { s.setNSamples(50); }, "Value must be >0 and <50"},
        {"NSamples 0", [](clsSimData& s) { s.setNSamples(0); }, "Value must be >0 and <50"},
        {"NSamples 49", [](clsSimData& s) { s.setNSamples(49); }, nullptr},
        {"NSamples 1", [](clsSimData& s) { s.setNSamples(1); }, nullptr},
        {"SampSpace 0", [](clsSimData& s) { s.setSampSpace(0.0f); }, "Value must be >0"},
        {"MinLen 0", [](clsSimData& s) { s.setMinLen(0.0f); }, nullptr},
        {"MinLen -0.5", [](clsSimData& s) { s.setMinLen(-0.5f); }, "Value must be >=0"},
        {"LCWidth 0", [](clsSimData& s) { s.setLCWidth(0.0f); }, "Value must be >0"},
        {"MeanK 0", [](clsSimData& s) { s.setMeanK(0.0f); }, "Value must be >0"},
        {"CVK -0.1", [](clsSimData& s) { s.setCVK(-0.1f); }, "Value must be >=0"},
        {"Linf 0", [](clsSimData& s) { s.setLinf(0.0f); }, "Value must be >0"},
        {"T0V -1000", [](clsSimData& s) { s.setT0V(-1000.0f); }, nullptr},
        {"MeanTS 1", [](clsSimData& s) { s.setMeanTS(1.0f); }, nullptr},
        {"MeanTS 0", [](clsSimData& s) { s.setMeanTS(0.0f); }, nullptr},
        {"MeanTS 1.0001", [](clsSimData& s) { s.setMeanTS(1.0001f); }, "Value must be >=0 and <=1"},
        {"MeanNGT -0.01", [](clsSimData& s) { s.setMeanNGT(-0.01f); }, "Value must be >=0 and <=1"},
        {"NPopSamps 0", [](clsSimData& s) { s.setNPopSamps(0); }, "Value must be >0"},
        {"NPopSamps 1", [](clsSimData& s) { s.setNPopSamps(1); }, nullptr},
        {"FVal 0", [](clsSimData& s) { s.setFVal(0.0f); }, nullptr},
        {"MVal -1", [](clsSimData& s) { s.setMVal(-1.0f); }, "Value must be >=0"},
        {"Sell50 0", [](clsSimData& s) { s.setSell50(0.0f); }, nullptr},
        {"SELK 0", [](clsSimData& s) { s.setSELK(0.0f); }, "Value must be >0"},
        {"CVSelk NaN", [](clsSimData& s) { s.setCVSelk(std::nanf("")); }, "Value must be >=0"},
        {"GC 7", [](clsSimData& s) { s.setGC(7); }, nullptr},
        {"GC -3", [](clsSimData& s) { s.setGC(-3); }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clsSimData s;
        if (!c.refusal) {
            EXPECT_NO_THROW(c.set(s));
            continue;
        }
        try {
            c.set(s);
            ADD_FAILURE() << "accepted";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 1009);
            EXPECT_EQ(e.Source, "clsSimData");
            EXPECT_EQ(e.Description, c.refusal);
        }
        EXPECT_EQ(Values(s), kDefaults);   // the refused value left the old one in place
    }
}

TEST(clsSimData, CloneCopiesEveryParameter) {
    clsSimData fresh, copy;
    copy.Clone(fresh);
    EXPECT_EQ(Values(copy), kDefaults);

    clsSimData src;
    src.setNSamples(12);   src.setSampSpace(0.25f); src.setMinLen(3.0f);   src.setLCWidth(1.5f);
    src.setMeanK(0.7f);    src.setCVK(0.05f);       src.setLinf(80.0f);    src.setCVLinf(0.02f);
    src.setT0V(0.3f);      src.setCVT01(0.2f);      src.setCVT02(0.3f);    src.setMeanC(0.9f);
    src.setCVC(0.4f);      src.setMeanTS(0.6f);     src.setCVTS(0.1f);     src.setMeanNGT(0.3f);
    src.setCVNGT(0.2f);    src.setNPopSamps(300);   src.setCVRect(0.6f);   src.setFVal(0.5f);
    src.setMVal(0.3f);     src.setSell50(20.0f);    src.setCVsel50(0.3f);  src.setSELK(2.0f);
    src.setCVSelk(0.2f);   src.setGC(2);
    clsSimData dst;
    dst.Clone(src);
    EXPECT_EQ(Values(dst), Values(src));
    EXPECT_NE(Values(dst), kDefaults);
}

TEST_F(SimDataFile, ReadAtPositionZeroReadsFromOneAndReturnsTheNextPosition) {
    std::vector<double> v = {12,   0.25, 3.0, 1.5,  0.7,  0.05, 80.0, 0.02, 0.3,
                             0.2,  0.3,  0.9, 0.4,  0.6,  0.1,  0.3,  0.2,  300,
                             0.6,  0.5,  0.3, 20.0, 0.3,  2.0,  0.2,  2};
    clsSimData s;
    s.setSource(Write("rec.vn5", Record(v)));
    s.setBinaryIO(true);
    int32_t pos = 0;
    EXPECT_EQ(s.Read(pos), 98);
    EXPECT_EQ(pos, 98);
    std::vector<double> expected;
    for (double x : v) expected.push_back(static_cast<float>(x));
    expected[0] = 12;
    expected[17] = 300;
    EXPECT_EQ(Values(s), expected);
    EXPECT_EQ(s.GC(), 2);   // from the last byte
}

TEST_F(SimDataFile, WrittenRecordReadsBackBehindOtherBytes) {
    clsSimData src;
    src.setNSamples(9); src.setT0V(-0.35f); src.setMeanNGT(0.4f); src.setSELK(3.5f); src.setGC(1);
    const auto path = (dir_ / "out.vn5").string();
    const int16_t fno = vb::FreeFile();
    vb::Open(path, vb::OpenMode::Binary, fno);
    vb::PutString(fno, "HEADER");   // the record starts at byte 7
    src.setFNo(fno);
    src.setBinaryIO(true);
    EXPECT_EQ(src.WriteMe(), eioSuccess);
    vb::Close(fno);
    EXPECT_EQ(fs::file_size(path), 6u + 97u);

    clsSimData back;
    back.setSource(path);
    back.setBinaryIO(true);
    int32_t pos = 7;
    EXPECT_EQ(back.Read(pos), 104);
    EXPECT_EQ(Values(back), Values(src));
}

TEST_F(SimDataFile, RecordValuesTheSetsWouldRefuseFallBackToTheirDefaults) {
    // An all-zero record (what a read past the end of an old file used to give).
    std::vector<double> zeros(26, 0.0);
    clsSimData s;
    s.setSource(Write("zero.vn5", Record(zeros)));
    s.setBinaryIO(true);
    int32_t pos = 1;
    s.Read(pos);
    std::vector<double> expected = kDefaults;
    // Zero is a valid value for these: MinLen, CVK, CVLinf, T0V, CVT01, CVT02, MeanC, CVC,
    // MeanTS, CVTS, MeanNGT, CVNGT, CVRect, FVal, MVal, Sell50, CVsel50, CVSelk, GC.
    for (int k : {2, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19, 20, 21, 22, 24, 25}) expected[k] = 0.0;
    EXPECT_EQ(Values(s), expected);

    // Not-a-number and infinite values, and a fraction above 1.
    std::vector<double> bad = kDefaults;
    bad[8] = std::numeric_limits<double>::quiet_NaN();        // T0V
    bad[6] = std::numeric_limits<double>::infinity();         // Linf
    bad[13] = 1.5;                                            // MeanTS
    bad[17] = -4;                                             // NPopSamps
    clsSimData t;
    t.setSource(Write("bad.vn5", Record(bad)));
    t.setBinaryIO(true);
    pos = 1;
    t.Read(pos);
    EXPECT_EQ(Values(t), kDefaults);
}

TEST_F(SimDataFile, ShortRecordFailsAndChangesNothing) {
    std::vector<double> v = kDefaults;
    v[0] = 20;
    auto bytes = Record(v);
    bytes.resize(96);
    clsSimData s;
    s.setSource(Write("short.vn5", bytes));
    s.setBinaryIO(true);
    s.setFNo(vb::FreeFile());
    vb::Open(s.Source(), vb::OpenMode::Binary, s.FNo(), vb::OpenAccess::Read);
    EXPECT_EQ(s.ReadMe(), eioFail);
    vb::Close(s.FNo());
    int32_t pos = 1;
    EXPECT_EQ(s.Read(pos), 1);
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(Values(s), kDefaults);
}

TEST(clsSimData, SimulationProblemNamesValuesThatWouldNeverEndOrDivideByZero) {
    struct Case {
        const char* what;
        std::function<void(clsSimData&)> set;
        const char* problem;   // a word the message must hold; nullptr: runnable
    };
    const Case cases[] = {
        {"defaults", [](clsSimData&) {}, nullptr},
        {"MeanTS 1, CV 0", [](clsSimData& s) { s.setMeanTS(1.0f); s.setCVTS(0.0f); }, "Ts"},
        {"MeanTS 1, CV 0.5", [](clsSimData& s) { s.setMeanTS(1.0f); }, nullptr},
        {"MeanNGT 1, CV 0", [](clsSimData& s) { s.setMeanNGT(1.0f); s.setCVNGT(0.0f); }, "NGT"},
        {"Sell50 = Linf", [](clsSimData& s) { s.setSell50(100.0f); }, "L50"},
        {"Z = 0", [](clsSimData& s) { s.setFVal(0.0f); s.setMVal(0.0f); }, "mortality"},
        {"Z = 0.0001", [](clsSimData& s) { s.setFVal(0.0f); s.setMVal(0.0001f); }, "32767"},
        {"Z = 0.0002", [](clsSimData& s) { s.setFVal(0.0f); s.setMVal(0.0002f); }, nullptr},
        {"49 samples 1000 years apart", [](clsSimData& s) { s.setNSamples(49); s.setSampSpace(1000.0f); }, "32767"},
        {"GC 3", [](clsSimData& s) { s.setGC(3); }, "curve"},
        {"GC 2", [](clsSimData& s) { s.setGC(2); }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clsSimData s;
        c.set(s);
        const std::string p = s.SimulationProblem();
        if (c.problem)
            EXPECT_NE(p.find(c.problem), std::string::npos) << p;
        else
            EXPECT_EQ(p, "");
    }
}

TEST(clsSimData, WithoutAWizardUserInputReturnsFalse) {
    auto previous = clsSimData::SetWizard({});
    clsSimData s;
    EXPECT_FALSE(s.UserInputSimParameters());
    bool shown = false;
    clsSimData::SetWizard([&](clsSimData& sim) {
        shown = true;
        sim.setNSamples(3);
        return true;
    });
    EXPECT_TRUE(s.UserInputSimParameters());
    EXPECT_TRUE(shown);
    EXPECT_EQ(s.NSamples(), 3);
    clsSimData::SetWizard(previous);
}

}  // namespace
