#include "modMaths.h"

#include <gtest/gtest.h>

#include <cmath>

#include "modUsefulFunctions.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

using namespace modMaths;

TEST(modMaths, SmallFunctions) {
    EXPECT_EQ(Frac(-1.25), 0.75);
    EXPECT_EQ(Frac(2.5f), 0.5f);
    EXPECT_EQ(Frac(3.0), 0.0);
    EXPECT_EQ(RoundDown(7, 2), 6);
    EXPECT_EQ(RoundDown(-1, 2), -2);
    EXPECT_EQ(Sq(-3), 9);
    EXPECT_EQ(Power(2, 10), 1024);
    EXPECT_EQ(Power(-2, 3), -8);
    EXPECT_THROW(Power(-2, 0.5), VbError);
    EXPECT_THROW(RoundDown(1, 0), VbError);

    // Equal arguments: both give the second (signed zeros tell them apart).
    EXPECT_TRUE(std::signbit(Min(0.0, -0.0)));
    EXPECT_TRUE(std::signbit(Max(0.0, -0.0)));
    EXPECT_EQ(Min(1, 2), 1);
    EXPECT_EQ(Max(1, 2), 2);

    EXPECT_EQ(RelDiff(0, 0), 0);
    EXPECT_EQ(RelDiff(1, 2), 0.5);
    EXPECT_EQ(RelDiff(-4, 4), 2);
}

TEST(modMaths, ATan2CoversMinusHalfPiToThreeHalvesPi) {
    const double pi = 3.14159265359;
    struct Case { float y, x; double expected; } cases[] = {
        {1, 1, std::atan(1.0)},
        {-1, -1, std::atan(1.0) + pi},   // not -3pi/4
        {1, -1, std::atan(-1.0) + pi},
        {0, -1, pi},
        {0, 0, -pi / 2},
        {-1, 0, -pi / 2},
        {1, 0, pi / 2}};
    for (const auto& c : cases)
        EXPECT_EQ(ATan2(c.y, c.x), static_cast<float>(c.expected)) << c.y << "," << c.x;
}

TEST(modMaths, RandNormalHasUnitSpreadAndNeverTakesTheLogOfZero) {
    vb::Randomize(7u);
    const int n = 20000;
    double sum = 0, sum2 = 0;
    for (int i = 0; i < n; ++i) {
        double z = RandNormal();
        ASSERT_TRUE(std::isfinite(z));
        sum += z;
        sum2 += z * z;
    }
    EXPECT_NEAR(sum / n, 0.0, 0.03);
    EXPECT_NEAR(sum2 / n, 1.0, 0.04);
}

TEST(modUsefulFunctions, ClearCollectionEmptiesIt) {
    std::vector<int> v{1, 2, 3};
    modUsefulFunctions::ClearCollection(v);
    EXPECT_TRUE(v.empty());
}
