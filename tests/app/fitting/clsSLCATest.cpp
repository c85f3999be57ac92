// SLCA: the cosine sum over the class age intervals and its phase search.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "MethFixtures.h"
#include "clsSLCA.h"
#include "clsVorn.h"
#include "vb/VbError.h"

using methfix::Fill;

TEST(SLCA, HandWorkedScoresAndPhases) {
    // Non-seasonal class ages t0 - ln(1 - L/Linf)/K; worked by hand in double precision.
    const struct {
        const char* what;
        float Linf;
        std::vector<float> times;
        std::vector<std::vector<float>> counts;
        float score, t0;
    } cases[] = {
        {"two classes, one sample", 100.0f, {0.7f}, {{4, 9}}, 3.5533830f, -0.5423539f},
        // The upper bound of class 2 equals Linf: only class 1 adds.
        {"upper bound at Linf", 20.0f, {0.7f}, {{4, 9}}, 0.4302273f, NAN},
        // Class 3 reaches beyond Linf and adds nothing.
        {"two samples, one class beyond Linf", 25.0f, {0.2f, 0.7f}, {{4, 9, 1}, {1, 16, 4}},
         0.0690837f, -0.4513651f},
    };
    for (const auto& c : cases) {
        clsVorn ds;
        Fill(ds, 0.0f, 10.0f, c.times, c.counts);
        clsSLCA m;
        m.Create(ds);
        float score = 0, t0 = 0;
        m.CalcScoreT0(0.5f, c.Linf, score, t0);
        EXPECT_NEAR(score, c.score, 2e-6 * c.score) << c.what;
        if (!std::isnan(c.t0)) {
            EXPECT_NEAR(t0, c.t0, 2e-6) << c.what;
            float only = 0;
            m.GetT0(0.5f, c.Linf, only);
            EXPECT_EQ(only, t0) << c.what;
        }
        EXPECT_LE(t0, 0.0f);
        EXPECT_GT(t0, -1.0f);
    }
}

TEST(SLCA, NoQualifyingClassGivesZeroAndTheMixedPiPhase) {
    // Every class bound at or above Linf: A = B = 0, T0 = -(3.14159265359/2)/6.2829854.
    clsVorn ds;
    Fill(ds, 10.0f, 5.0f, {0.3f}, {{3, 4, 5}});
    clsSLCA m;
    m.Create(ds);
    float score = -1, t0 = 0;
    m.CalcScoreT0(0.5f, 10.0f, score, t0);
    EXPECT_EQ(score, 0.0f);
    EXPECT_EQ(t0, static_cast<float>(static_cast<float>(-3.14159265359 / 2) / 6.2829854));
    EXPECT_NEAR(t0, -0.2500080f, 1e-7);
}

TEST(SLCA, SeasonalSettersHaveNoEffectAndTextsAreNA) {
    clsVorn ds;
    Fill(ds, 0.0f, 10.0f, {0.5f}, {{1, 2}});
    clsSLCA m;
    m.Create(ds);
    m.setsC(0.9f);
    m.setsTs(0.1f);
    m.setsNGT(0.5f);
    EXPECT_EQ(m.sC(), 0.4f);
    EXPECT_EQ(m.sTs(), 0.6f);
    EXPECT_EQ(m.sNGT(), 0.3f);
    for (int32_t gt : {0, 1, 2, 3, 4, 7}) {
        m.settGridType(gt);
        EXPECT_EQ(std::get<std::string>(m.FixedParam1()), "N/A");
        EXPECT_EQ(std::get<std::string>(m.FixedParam2()), "N/A");
    }
    EXPECT_EQ(m.MethType(), 0);
}

TEST(SLCA, NegativeCountInAScoredClassRaises) {
    // Text files allow negative counts; their root fails (error 5), as it always did.
    clsVorn ds;
    Fill(ds, 0.0f, 10.0f, {0.5f}, {{4, -1}});
    clsSLCA m;
    m.Create(ds);
    float score = 0, t0 = 0;
    try {
        m.CalcScoreT0(0.5f, 100.0f, score, t0);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 5);
    }
    // Beyond Linf the class is not scored and nothing fails.
    EXPECT_NO_THROW(m.CalcScoreT0(0.5f, 15.0f, score, t0));
}
