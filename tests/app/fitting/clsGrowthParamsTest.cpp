#include "clsGrowthParams.h"

#include <gtest/gtest.h>

#include <vector>

#include "vb/VbError.h"

namespace {

using Kind = ParamVariant::Kind;

// Fields in a fixed order, to see exactly which one a setter touched.
std::vector<float> Fields(const clsGrowthParams& g)
{
    return {g.k(), g.Linf(), g.T0(), g.Ts(), g.c(), g.NGT()};
}

TEST(GrowthParamsTest, FreshObject)
{
    clsGrowthParams g;
    EXPECT_EQ(Fields(g), (std::vector<float>{0.1f, 75.0f, 0.0f, 0.6f, 0.2f, 0.3f}));
    EXPECT_EQ(g.GridType(), 0);
    EXPECT_EQ(g.GrowthCurve(), 0);
    EXPECT_EQ(g.P1(), 0.1f);
    EXPECT_EQ(g.P2(), 75.0f);
    for (const ParamVariant& v : {g.Fixed1(), g.Fixed2()}) {
        EXPECT_EQ(v.kind, Kind::Integer);
        EXPECT_EQ(v.integer, 0);
    }
}

TEST(GrowthParamsTest, GridTypesAddressTheirFields)
{
    // Field order of Fields(): k, Linf, T0, Ts, c, NGT; -1 where nothing is addressed.
    struct Case {
        int32_t grid, curve;
        int p1, p2, fixed1, fixed2;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 1, -1, -1}, {0, 1, 0, 1, 4, 3}, {0, 2, 0, 1, 5, 3}, {0, 5, 0, 1, -1, 3},
        {1, 0, 0, 5, 3, 1},   {1, 2, 0, 5, 3, 1}, {2, 1, 4, 3, 0, 1}, {3, 1, 0, 4, 3, 1},
        {4, 2, 5, 3, 0, 1},   {7, 1, -1, -1, -1, 1}, {-1, 0, -1, -1, -1, 1},
    };
    for (const auto& c : cases) {
        const std::string name = "grid " + std::to_string(c.grid) + " curve " + std::to_string(c.curve);
        auto fresh = [&] {
            clsGrowthParams g;
            g.setGridType(c.grid);
            g.setGrowthCurve(c.curve);
            return g;
        };
        const std::vector<float> start = Fields(fresh());

        auto check = [&](int field, auto write, auto read, const char* what) {
            clsGrowthParams g = fresh();
            write(g, 9.5f);
            std::vector<float> expected = start;
            if (field >= 0) expected[field] = 9.5f;
            EXPECT_EQ(Fields(g), expected) << name << " " << what;
            read(g, field >= 0 ? 9.5f : 0.0f);
        };
        check(c.p1, [](clsGrowthParams& g, float v) { g.setP1(v); },
              [&](clsGrowthParams& g, float v) { EXPECT_EQ(g.P1(), v) << name; }, "P1");
        check(c.p2, [](clsGrowthParams& g, float v) { g.setP2(v); },
              [&](clsGrowthParams& g, float v) { EXPECT_EQ(g.P2(), v) << name; }, "P2");
        check(c.fixed1, [](clsGrowthParams& g, float v) { g.setFixed1(v); },
              [&](clsGrowthParams& g, float v) {
                  if (c.fixed1 >= 0) {
                      EXPECT_EQ(g.Fixed1().kind, Kind::Single) << name;
                      EXPECT_EQ(g.Fixed1().single, v) << name;
                  }
              },
              "Fixed1");
        check(c.fixed2, [](clsGrowthParams& g, float v) { g.setFixed2(v); },
              [&](clsGrowthParams& g, float v) {
                  if (c.fixed2 >= 0) {
                      EXPECT_EQ(g.Fixed2().kind, Kind::Single) << name;
                      EXPECT_EQ(g.Fixed2().single, v) << name;
                  }
              },
              "Fixed2");
    }
}

TEST(GrowthParamsTest, MissingFixedParametersReadAsIntegerZeroOrEmpty)
{
    struct Case {
        int32_t grid, curve;
        Kind fixed1, fixed2;
    };
    for (const Case c : {Case{0, 0, Kind::Integer, Kind::Integer}, Case{0, 3, Kind::Empty, Kind::Single},
                         Case{7, 0, Kind::Empty, Kind::Single}, Case{5, 2, Kind::Empty, Kind::Single}}) {
        clsGrowthParams g;
        g.setGridType(c.grid);
        g.setGrowthCurve(c.curve);
        EXPECT_EQ(g.Fixed1().kind, c.fixed1) << c.grid << " " << c.curve;
        EXPECT_EQ(g.Fixed2().kind, c.fixed2) << c.grid << " " << c.curve;
    }
    clsGrowthParams g;
    g.setGridType(7);
    EXPECT_EQ(g.P1(), 0.0f);
    EXPECT_EQ(g.P2(), 0.0f);
    EXPECT_EQ(g.Fixed2().single, 75.0f);  // Linf
}

TEST(GrowthParamsTest, FixedValuesArriveAsVariants)
{
    clsGrowthParams g;
    g.setGridType(2);
    g.setFixed1(ParamVariant::MakeText("0.45"));  // the grid options box
    EXPECT_EQ(g.k(), 0.45f);
    g.setFixed2(ParamVariant::MakeInteger(90));
    EXPECT_EQ(g.Linf(), 90.0f);
    g.setFixed1(ParamVariant::MakeEmpty());
    EXPECT_EQ(g.k(), 0.0f);
    try {
        g.setFixed1(ParamVariant::MakeText("abc"));
        ADD_FAILURE();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 13);
    }
    EXPECT_EQ(g.k(), 0.0f);
}

TEST(GrowthParamsTest, CopyDataCopiesEverythingAndLeavesTheObjectsApart)
{
    clsGrowthParams a, b;
    a.setk(0.7f);
    a.setLinf(40.0f);
    a.setT0(-0.25f);
    a.setTs(0.1f);
    a.setc(0.9f);
    a.setNGT(0.15f);
    a.setGridType(3);
    a.setGrowthCurve(2);
    b.CopyData(a);
    EXPECT_EQ(Fields(b), Fields(a));
    EXPECT_EQ(b.GridType(), 3);
    EXPECT_EQ(b.GrowthCurve(), 2);
    a.setT0(5.0f);
    a.setGridType(1);
    EXPECT_EQ(b.T0(), -0.25f);
    EXPECT_EQ(b.GridType(), 3);
}

}  // namespace
