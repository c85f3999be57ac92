#ifndef SEARCHFIXTURE_H
#define SEARCHFIXTURE_H
// What the search tests share: a fixture with headless forms, no Cancel left over and the
// error log in a folder of its own; the scoring methods by number, set up alike; the bit
// pattern of a number, to compare results exactly.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>

#include "Hald_Error.h"
#include "MVornGlobs.h"
#include "clsELEFAN.h"
#include "clsPROJMAT.h"
#include "clsSLCA.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "ScratchPath.h"

class SearchFixture : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::CancelRequested = false;
        logDir = testsupport::ScratchPath("vorn_search_test_log");
        std::filesystem::create_directories(logDir);
        ErrorLogging::SetLogFolder(logDir.string());
    }
    void TearDown() override {
        MVornGlobs::CancelRequested = false;
        std::filesystem::remove_all(logDir);
    }

    forms::ScopedHeadlessForms forms;
    std::filesystem::path logDir;
};

namespace searchfix {

// Threads of the searches run side by side with the ones on one thread.
constexpr int32_t kThreads = 4;

inline uint64_t Bits(double v) {
    uint64_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Method 0 SLCA, 1 PROJMAT, 2 ELEFAN on `ds` with `curve`, C 0.3, Ts 0.2, NGT 0.3 and K 0.5.
inline std::unique_ptr<clsMethBase> NewMethod(int32_t type, clsVorn& ds, int32_t curve) {
    std::unique_ptr<clsMethBase> m;
    switch (type) {
    case 0: m = std::make_unique<clsSLCA>(); break;
    case 1: m = std::make_unique<clsPROJMAT>(); break;
    default: m = std::make_unique<clsELEFAN>(); break;
    }
    m->Create(ds);
    m->setGrowthCurve(curve);
    m->setsC(0.3f);
    m->setsTs(0.2f);
    m->setsNGT(0.3f);
    m->setsK(0.5f);
    return m;
}

}  // namespace searchfix

#endif
