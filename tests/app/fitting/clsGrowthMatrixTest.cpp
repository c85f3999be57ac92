// Growth transition matrix: hand-worked matrices on five classes of width 10 from 0.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "clsGrowthMatrix.h"
#include "clsVorn.h"
#include "vb/VbError.h"

namespace {

// Five classes 0-10, ..., 40-50 and one sample with the given counts.
void fiveClasses(clsVorn& ds, const std::vector<float>& counts = {10, 20, 30, 40, 50}) {
    ds.ResizeData(1, 5);
    ds.setMinLength(0.0f);
    ds.setClassSize(10.0f);
    ds.setsTime(1, 0.0f);
    for (int16_t j = 1; j <= 5; ++j) ds.setDists(1, j, counts[j - 1]);
    ds.Refresh();
}

// dt for which Exp(-K dt) = E.
float stepFor(float K, double E) { return static_cast<float>(-std::log(E) / K); }

float columnSum(const clsGrowthMatrix& gm, int16_t k) {
    float s = 0;
    for (int16_t i = 1; i <= gm.Dims(); ++i) s += gm.GM(i, k);
    return s;
}

}  // namespace

TEST(GrowthMatrix, ZeroStepIsTheIdentity) {
    for (float Linf : {35.0f, 100.0f}) {   // inside class 4, above the last class
        SCOPED_TRACE(Linf);
        clsVorn ds;
        fiveClasses(ds);
        clsGrowthMatrix gm;
        gm.Compute(ds, 0.7f, Linf, 0.0f);
        ASSERT_EQ(gm.Dims(), 5);
        for (int16_t i = 1; i <= 5; ++i)
            for (int16_t j = 1; j <= 5; ++j) EXPECT_EQ(gm.GM(i, j), i == j ? 1.0f : 0.0f) << i << "," << j;
    }
}

// E = 0.9. Linf 100: S(L) = (L - 10)/0.9, source bounds -11.1, 0, 11.1, 22.2, 33.3, 44.4.
// Linf 35: S(L) = (L - 3.5)/0.9, source bounds -3.9, 7.2, 18.3, 29.4, then 40.6 capped at 35.
TEST(GrowthMatrix, HandWorkedMatrices) {
    struct Case {
        float Linf;
        float expected[5][5];
    };
    const Case cases[] = {
        {100.0f,
         {{0, 0, 0, 0, 0},
          {1, 1.0f / 9, 0, 0, 0},
          {0, 8.0f / 9, 2.0f / 9, 0, 0},
          {0, 0, 7.0f / 9, 3.0f / 9, 0},
          // last class: everything from its lower source bound up, the straddling class too
          {0, 0, 0, 6.0f / 9, 1}}},
        {35.0f,
         {{6.5f / 9, 0, 0, 0, 0},
          {2.5f / 9, 7.5f / 9, 0, 0, 0},
          {0, 1.5f / 9, 8.5f / 9, 0, 0},
          // Linf lies in class 4: its capped upper bound takes class 4 wholly
          {0, 0, 0.5f / 9, 1, 0},
          // at or above Linf the class keeps its fish
          {0, 0, 0, 0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Linf);
        clsVorn ds;
        fiveClasses(ds);
        clsGrowthMatrix gm;
        gm.Compute(ds, 0.5f, c.Linf, stepFor(0.5f, 0.9));
        for (int16_t i = 1; i <= 5; ++i)
            for (int16_t j = 1; j <= 5; ++j)
                EXPECT_NEAR(gm.GM(i, j), c.expected[i - 1][j - 1], 2e-5) << i << "," << j;
        // Fish are conserved and never move to a smaller class.
        for (int16_t k = 1; k <= 5; ++k) EXPECT_NEAR(columnSum(gm, k), 1.0f, 2e-5) << k;
    }
}

TEST(GrowthMatrix, ColumnsSumToOneOverAWideRangeOfSteps) {
    clsVorn ds;
    fiveClasses(ds);
    clsGrowthMatrix gm;
    for (float K : {0.05f, 0.3f, 1.0f, 3.0f, 30.0f}) {   // up to E of about 1E-13
        for (float dt : {0.1f, 0.37f, 1.0f}) {
            gm.Compute(ds, K, 120.0f, dt);
            for (int16_t k = 1; k <= 5; ++k) {
                EXPECT_NEAR(columnSum(gm, k), 1.0f, 1e-4) << K << " " << dt << " " << k;
                for (int16_t i = 1; i < k; ++i) EXPECT_EQ(gm.GM(i, k), 0.0f);
            }
        }
    }
}

TEST(GrowthMatrix, VecMultProjectsProportions) {
    clsVorn ds;
    fiveClasses(ds);
    clsGrowthMatrix gm;
    gm.Compute(ds, 0.5f, 100.0f, stepFor(0.5f, 0.9));
    std::vector<float> P(6, -1.0f);
    gm.VecMult(ds, 1, P);
    const float counts[5] = {10, 20, 30, 40, 50};
    float total = 0;
    for (int16_t j = 1; j <= 5; ++j) {
        float expected = 0;
        for (int16_t k = 1; k <= j; ++k) expected += gm.GM(j, k) * counts[k - 1];
        EXPECT_NEAR(P[j], expected / 150.0f, 1e-6) << j;
        total += P[j];
    }
    EXPECT_NEAR(total, 1.0f, 1e-5);
    EXPECT_EQ(P[0], -1.0f);   // index 0 is not written

    // An empty sample projects to zeros.
    clsVorn empty;
    fiveClasses(empty, {0, 0, 0, 0, 0});
    gm.Compute(empty, 0.5f, 100.0f, 0.3f);
    gm.VecMult(empty, 1, P);
    for (int16_t j = 1; j <= 5; ++j) EXPECT_EQ(P[j], 0.0f);

    // A result vector too short for the classes is refused rather than overrun.
    std::vector<float> shortResult(5);
    EXPECT_THROW(gm.VecMult(empty, 1, shortResult), VbError);
}

TEST(GrowthMatrix, UnderflowRaisesAndLeavesNoMatrix) {
    clsVorn ds;
    fiveClasses(ds);
    clsGrowthMatrix gm;
    gm.Compute(ds, 0.5f, 100.0f, 0.5f);
    ASSERT_EQ(gm.Dims(), 5);
    // Exp(-K dt) is 0 in single precision: the step cannot be inverted.
    try {
        gm.Compute(ds, 500.0f, 100.0f, 1.0f);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 11);
        EXPECT_EQ(e.Source, "clsGrowthMatrix");
    }
    EXPECT_EQ(gm.Dims(), 0);
    std::vector<float> P(6);
    EXPECT_THROW(gm.VecMult(ds, 1, P), VbError);
    EXPECT_THROW(gm.GM(1, 1), VbError);
}
