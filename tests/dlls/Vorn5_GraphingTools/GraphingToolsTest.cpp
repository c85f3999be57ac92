// Number helpers and tick intervals of the chart library.
#include <gtest/gtest.h>

#include <cmath>

#include "GraphingTools.h"

using namespace Vorn5_GraphingTools;

TEST(GraphingTools, OrderOfMagnitude) {
    struct Case {
        double x;
        int16_t k;
        double mantissa;
    } cases[] = {
        {0.004, -3, 4}, {1234, 3, 1.234}, {9.5, 1, 0.95}, {0.05, -2, 5}, {10, 1, 1},
        {1, 0, 1},      {9, 0, 9},        {0.5, -1, 5},
        // No power of ten: returned at once instead of scaling forever.
        {0, 0, 0},      {-3, 0, -3},      {INFINITY, 0, INFINITY},
    };
    for (const auto& c : cases) {
        double m = 0;
        EXPECT_EQ(modMaths::OrderOfMagnitude(c.x, m), c.k) << c.x;
        if (std::isfinite(c.mantissa)) {
            EXPECT_NEAR(m, c.mantissa, 1e-12) << c.x;
        }
    }
    double m = 0;
    EXPECT_TRUE(std::isnan((modMaths::OrderOfMagnitude(NAN, m), m)));
}

TEST(GraphingTools, RoundToPlacesRoundsHalvesUp) {
    struct Case {
        double x;
        int32_t n;
        double r;
    } cases[] = {{1.23456, 2, 1.23}, {2.5, 0, 3}, {-1.5, 0, -1}, {-2.5, 0, -2}, {0.004, 2, 0},
                 {0.14, 5, 0.14},    {1234.5, -2, 1200}};
    for (const auto& c : cases) EXPECT_NEAR(modMaths::RoundToPlaces(c.x, c.n), c.r, 1e-12) << c.x;
}

TEST(GraphingTools, MinAndMaxReturnTheSecondOnTies) {
    EXPECT_EQ(modMaths::Min(1, 2), 1);
    EXPECT_EQ(modMaths::Max(1, 2), 2);
    EXPECT_TRUE(std::signbit(modMaths::Min(0.0, -0.0)));
    EXPECT_TRUE(std::signbit(modMaths::Max(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(modMaths::Max(-0.0, 0.0)));
}

TEST(GraphingTools, CalcTickInterval) {
    struct Case {
        double min, max;
        bool widen;
        double interval, newMin, newMax;
    } cases[] = {
        {0, 100, false, 20, 0, 100},
        {0, 0.5, false, 0.1, 0, 0.5},
        {3, 3, false, 0, 3, 3},
        {3, 97, true, 20, 0, 100},
        {10, 95, true, 20, 0, 100},
        {-3, 97, true, 20, -20, 100},
        {0.25, 1.0, true, 0.2, 0.2, 1.0},
        {100, 0, false, 20, 100, 0},  // only the size of the range counts
        {0, INFINITY, true, 0, 0, INFINITY},
    };
    for (const auto& c : cases) {
        double lo = c.min, hi = c.max, t = -1;
        TicksAndScales::CalcTickInterval(lo, hi, t, c.widen);
        EXPECT_NEAR(t, c.interval, 1e-12) << c.min << ".." << c.max;
        if (std::isfinite(c.newMax)) {
            EXPECT_NEAR(lo, c.newMin, 1e-12) << c.min << ".." << c.max;
            EXPECT_NEAR(hi, c.newMax, 1e-12) << c.min << ".." << c.max;
        }
    }
    // A bound far larger than its interval cannot be moved by it; the widening still ends.
    double lo = 1e20, hi = 1e20 + 1e6, t = 0;
    TicksAndScales::CalcTickInterval(lo, hi, t, true);
    EXPECT_GT(t, 0);
}
