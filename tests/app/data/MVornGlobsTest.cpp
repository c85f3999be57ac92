#include "MVornGlobs.h"

#include <gtest/gtest.h>

#include "MUtility.h"
#include "StringTable.h"
#include "forms/HeadlessForms.h"
#include "print/Printer.h"

using namespace MVornGlobs;

TEST(MVornGlobs, InitGlobalsFillsEveryTable) {
    HelpFilePath.clear();
    ReadyText.clear();
    InitGlobals();
    EXPECT_EQ(LangBase, 0);
    EXPECT_EQ(ContourGranularity, 3);
    EXPECT_EQ(HelpFilePath, MUtility::AppPath() + "/Vorn5.hlp");

    const std::string texts[] = {ReadyText,          SavingFileText,  OpeningFileText, ErrorText,
                                 OKCaption,          CancelCaption,   HelpCaption,     ParametersCaption,
                                 GrowthCurveCaption, GridTypeCaption, MethodCaption,   OptionsCaption,
                                 NoneText,           LogCaption,      ModelCaption,    CloseCaption,
                                 CalculateCaption,   ContourPlotCaption};
    const char* expected[] = {"Ready...", "Saving File...", "Opening File...", "Error", "&OK", "&Cancel",
                              "&Help", "Parameters", "Growth Curve", "Grid Type", "Method", "&Options",
                              "None", "&Log", "Model", "&Close", "Ca&lculate", "Contour Plot"};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(texts[i], expected[i]) << 1800 + i;
    EXPECT_EQ(HelpCaption2, "&Help");

    EXPECT_EQ(ParamNames, (std::array<std::string, 6>{"K", "Linf", "Tzero", "Ts", "C", "NGT"}));
    EXPECT_EQ(MethodNames, (std::array<std::string, 3>{"SLCA", "PROJMAT", "ELEFAN"}));
    EXPECT_EQ(CurveNames, (std::array<std::string, 3>{"Non Seasonal", "Hoenig Seasonal", "Pauly Seasonal"}));

    struct Row { const char* name; const char *p1, *p2, *f1, *f2; int i1, i2, i3, i4; } rows[] = {
        {"K vs Linf", "K", "Linf", "C", "Ts", 0, 1, 4, 3},
        {"K vs NGT", "K", "NGT", "Ts", "Linf", 0, 5, 3, 1},
        {"C vs Ts", "C", "Ts", "K", "Linf", 4, 3, 0, 1},
        {"K vs C", "K", "C", "Ts", "Linf", 0, 4, 3, 1},
        {"NGT vs Ts", "NGT", "Ts", "K", "Linf", 5, 3, 0, 1}};
    for (int g = 0; g < 5; ++g) {
        EXPECT_EQ(GridTypeNames[g], rows[g].name);
        EXPECT_EQ(GridP1Names[g], rows[g].p1) << g;
        EXPECT_EQ(GridP2Names[g], rows[g].p2) << g;
        EXPECT_EQ(GridFixed1Names[g], rows[g].f1) << g;
        EXPECT_EQ(GridFixed2Names[g], rows[g].f2) << g;
        EXPECT_EQ(GridP1Params[g], rows[g].i1) << g;
        EXPECT_EQ(GridP2Params[g], rows[g].i2) << g;
        EXPECT_EQ(GridFixed1Params[g], rows[g].i3) << g;
        EXPECT_EQ(GridFixed2Params[g], rows[g].i4) << g;
    }
}

TEST(MVornGlobs, SharedRefusalTexts) {
    EXPECT_EQ(res::LoadResString(201), "Value must be >0 and <50");
    EXPECT_EQ(res::LoadResString(202), "Value must be >0");
    EXPECT_EQ(res::LoadResString(203), "Value must be >=0");
    EXPECT_EQ(res::LoadResString(204), "Value must be >=0 and <=1");
}

TEST(MVornGlobs, CheckParamRangeRefusesWithBeepAndMessage) {
    forms::ScopedHeadlessForms f;
    struct Case { int32_t p; const char* value; bool ok; const char* range; } cases[] = {
        {0, "0", false, "K must lie in the range 0 to 1000"},
        {0, "1000", true, ""},
        {0, "1000.001", false, "K must lie in the range 0 to 1000"},
        {0, "0.0001", true, ""},
        {1, "0", true, ""},
        {1, "abc", false, "Linf must lie in the range 0 to 1000000"},
        {1, "1E39", false, "Linf must lie in the range 0 to 1000000"},
        {1, "", false, "Linf must lie in the range 0 to 1000000"},
        {2, "0", true, ""},
        {2, "-1", false, "Tzero must lie in the range -1 to 0"},
        {2, "-0.999", true, ""},
        {3, "-1", true, ""},
        {3, "1.5", false, "Ts must lie in the range -1 to 1"},
        {4, " 1 ", true, ""},
        {4, "-0.01", false, "C must lie in the range 0 to 1"},
        {5, "0", true, ""},
        {5, "1.01", false, "NGT must lie in the range 0 to 1"}};
    int beeps = 0;
    size_t shown = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(CheckParamRange(c.p, c.value), c.ok) << c.p << " " << c.value;
        if (!c.ok) {
            ++beeps;
            ++shown;
            ASSERT_EQ(f->messages.size(), shown);
            EXPECT_EQ(f->messages.back().prompt, std::string("Value for parameter ") + c.range);
            EXPECT_EQ(f->messages.back().buttons, forms::vbExclamation);
            EXPECT_EQ(f->messages.back().title, "Vorn 5.0");
        }
        EXPECT_EQ(f->beeps, beeps) << c.p << " " << c.value;
        EXPECT_EQ(f->messages.size(), shown);
    }
    EXPECT_TRUE(CheckParamRange(0, 0.5));
    EXPECT_FALSE(CheckParamRange(0, -0.5));
}

TEST(MVornGlobs, ParamInCurve) {
    struct Case { int32_t curve, p; bool in; } cases[] = {
        {0, 3, false}, {0, 1, true}, {0, 2, true}, {1, 4, true}, {1, 5, false},
        {2, 4, false}, {2, 5, true}, {2, 3, true}, {3, 0, false}, {3, 1, false}, {-1, 0, false}};
    for (const auto& c : cases) EXPECT_EQ(ParamInCurve(c.curve, c.p), c.in) << c.curve << " " << c.p;
}

TEST(MVornGlobs, PrintPageNumberCentresThePageOnItsLine) {
    print::ScopedRecordingPrinter printer;
    printer->Print("Results");
    PrintPageNumber();
    const auto& lines = printer->lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].text, "Page 1");
    const double width = printer->ScaleWidth(), text = printer->TextWidth("Page 1");
    EXPECT_DOUBLE_EQ(lines[1].x, (width - text) / 2);
    EXPECT_EQ(lines[2].text, "");
    EXPECT_EQ(printer->CurrentX(), 0);
}

namespace {
struct FakeBox {
    int start = -1, length = -1;
    void setSelection(int s, int l) { start = s, length = l; }
};
}  // namespace

TEST(MVornGlobs, SelectAllTextSelectsFromTheStart) {
    FakeBox box;
    SelectAllText(box);
    EXPECT_EQ(box.start, 0);
    EXPECT_EQ(box.length, 1000);
}
