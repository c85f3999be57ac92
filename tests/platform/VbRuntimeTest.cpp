#include "vb/VbRuntime.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>

#include "vb/VbError.h"
#include "ErrorNumber.h"

using namespace vb;

using testsupport::ErrorNumberOf;

TEST(VbRuntime, StrOfSingleDoubleAndInteger) {
    struct Case { float x; const char* text; } singles[] = {
        {0.5f, " .5"}, {-0.25f, "-.25"}, {3.0f, " 3"}, {0.0f, " 0"}, {-0.0f, " 0"},
        {1E7f, " 1E+07"}, {12345678.0f, " 1.234568E+07"}, {1234567.0f, " 1234567"},
        {1E-5f, " 1E-05"}, {0.0001f, " .0001"}, {0.1f, " .1"}, {1.0f / 3.0f, " .3333333"},
        {-1.5E-7f, "-1.5E-07"}, {2.5f, " 2.5"}, {100.0f, " 100"}, {3.4E+38f, " 3.4E+38"}};
    for (const auto& c : singles) EXPECT_EQ(Str(c.x), c.text) << c.text;

    struct DCase { double x; const char* text; } doubles[] = {
        {0.1, " .1"}, {1.0 / 3.0, " .333333333333333"}, {1E15, " 1E+15"},
        {123456789012345.0, " 123456789012345"}, {-0.001, "-.001"}, {1.79E+308, " 1.79E+308"}};
    for (const auto& c : doubles) EXPECT_EQ(Str(c.x), c.text) << c.text;

    EXPECT_EQ(Str(int32_t{3}), " 3");
    EXPECT_EQ(Str(int32_t{-3}), "-3");
    EXPECT_EQ(Str(int16_t{0}), " 0");
    EXPECT_EQ(CStr(0.5f), "0.5");
    EXPECT_EQ(CStr(-0.25f), "-0.25");
    EXPECT_EQ(CStr(1.25f), "1.25");
    EXPECT_EQ(CStr(1E7f), "1E+07");
    EXPECT_EQ(CStr(0.1), "0.1");
    EXPECT_EQ(CStr(int32_t{42}), "42");
}

TEST(VbRuntime, NumberTextsIgnoreTheProcessLocale) {
    // Qt sets the process locale from the environment; a comma locale must not leak in.
    const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!set) set = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(Str(0.5f), " .5");
    EXPECT_EQ(Format(1.5, "0.00"), "1.50");
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_FLOAT_EQ(CSng("2.25"), 2.25f);
    std::setlocale(LC_NUMERIC, "C");
}

TEST(VbRuntime, FormatPatternsRoundHalvesAwayFromZeroInDecimal) {
    struct Case { double x; const char* pattern; const char* text; } cases[] = {
        {0.125, "0.00", "0.13"}, {2.5, "0", "3"}, {3.5, "0", "4"}, {-2.5, "0", "-3"},
        {0.5, "0.000", "0.500"}, {2.675, "0.00", "2.68"}, {1.0005, "0.000", "1.001"},
        {0.00005, "0.0000", "0.0001"}, {12.0, "00000", "00012"}, {123456.0, "00000", "123456"},
        {1234567.891, "#,0.00", "1,234,567.89"}, {12.5, "#,0.00", "12.50"}, {0.0, "#,0.00", "0.00"},
        {12345.0, "0.00E+", "1.23E+4"}, {0.000123, "0.00E+", "1.23E-4"}, {9.996, "0.00E+", "1.00E+1"},
        {0.0, "0.00E+", "0.00E+0"}, {12345.0, "0.00E+00", "1.23E+04"}, {9.9995, "0.000", "10.000"},
        {0.1f, "0.000", "0.100"}, {-1.25, "0.0", "-1.3"}, {0.999, "0", "1"}, {0.4, "0", "0"}};
    for (const auto& c : cases) EXPECT_EQ(Format(c.x, c.pattern), c.text) << c.x << " " << c.pattern;
    EXPECT_EQ(ErrorNumberOf([] { Format(1.0, "abc"); }), 5);
}

TEST(VbRuntime, NumericTextsAndConversions) {
    struct Case { const char* text; bool numeric; } cases[] = {
        {"1", true}, {" 1.5 ", true}, {"-.5", true}, {"+3", true}, {"1E5", true}, {"2.5e-3", true},
        {"1.", true}, {"", false}, {" ", false}, {"abc", false}, {"1e", false}, {"-", false},
        {".", false}, {"1.2.3", false}, {"12a", false}, {"1 2", false}};
    for (const auto& c : cases) EXPECT_EQ(IsNumeric(c.text), c.numeric) << '"' << c.text << '"';

    EXPECT_EQ(Val("  12.5abc"), 12.5);
    EXPECT_EQ(Val("1 2 3"), 123.0);
    EXPECT_EQ(Val("abc"), 0.0);
    EXPECT_EQ(Val("-3e2x"), -300.0);
    EXPECT_EQ(Val("1e"), 1.0);
    EXPECT_EQ(Val("&HFF"), 255.0);
    EXPECT_EQ(Val(".5"), 0.5);

    EXPECT_EQ(CSng(" 0.1 "), 0.1f);
    EXPECT_EQ(CSng(1E-50), 0.0f);
    EXPECT_EQ(CDbl("1E-400"), 0.0);
    EXPECT_EQ(ErrorNumberOf([] { CSng("abc"); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { CSng(""); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { CSng("1E39"); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CSng(1E39); }), 6);
    EXPECT_EQ(CSng(static_cast<double>(std::numeric_limits<float>::max())), std::numeric_limits<float>::max());
    EXPECT_EQ(ErrorNumberOf([] { CDbl("x"); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { CDbl("1E400"); }), 6);
}

TEST(VbRuntime, TheSizeOfANumberBeyondADoublesRangeDecidesItsVerdict) {
    // Too large raises overflow (6), too small to hold is 0 with its sign, whichever way
    // the size is written: in the digits, in the exponent, or in both.
    const std::string zeros308(308, '0'), zeros324(324, '0'), zeros400(400, '0');
    struct Case { std::string text; bool tooLarge; double value; } cases[] = {
        {"2" + zeros308 + "e-0", true, 0},
        {"2" + zeros308, true, 0},
        {"1" + zeros400 + "e-10", true, 0},
        {"1E309", true, 0},
        {"-1E309", true, 0},
        {"1e99999999999999999999", true, 0},
        {"0." + zeros400 + "1e+800", true, 0},
        {"." + zeros324 + "1", false, 0.0},
        {"-." + zeros324 + "1", false, -0.0},
        {"1e-325", false, 0.0},
        {"-1e-325", false, -0.0},
        {"0." + zeros400 + "1e+10", false, 0.0},
        {"1e-99999999999999999999", false, 0.0},
        // Within the range however far the digits and the exponent reach.
        {"2" + std::string(307, '0') + "e-0", false, 2E307},
        {"1" + zeros400 + "e-400", false, 1.0},
        {"." + zeros400 + "25e401", false, 2.5},
        {"0e99999999999999999999", false, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12) + "... (" + std::to_string(c.text.size()) + " characters)");
        EXPECT_TRUE(IsNumeric(c.text));
        if (c.tooLarge) {
            EXPECT_EQ(ErrorNumberOf([&] { CDbl(c.text); }), 6);
            EXPECT_EQ(ErrorNumberOf([&] { CSng(c.text); }), 6);
            EXPECT_EQ(ErrorNumberOf([&] { Val(c.text); }), 6);
            continue;
        }
        EXPECT_EQ(CDbl(c.text), c.value);
        EXPECT_EQ(std::signbit(CDbl(c.text)), std::signbit(c.value));
        EXPECT_EQ(Val(c.text), c.value);
        if (std::fabs(c.value) <= std::numeric_limits<float>::max())
            EXPECT_EQ(CSng(c.text), static_cast<float>(c.value));
        else
            EXPECT_EQ(ErrorNumberOf([&] { CSng(c.text); }), 6);
    }
}

TEST(VbRuntime, IntegerConversionsRoundHalvesToEvenAndRaiseOverflow) {
    struct Case { double x; int32_t rounded; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3},
        {-0.5, 0}, {32767.4, 32767}, {-32768.4, -32768}};
    for (const auto& c : cases) {
        EXPECT_EQ(CInt(c.x), c.rounded) << c.x;
        EXPECT_EQ(CLng(c.x), c.rounded) << c.x;
    }
    EXPECT_EQ(CByte(254.5), 254);
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);

    for (double bad : {32767.5, -32768.6, 1E10, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(ErrorNumberOf([&] { CInt(bad); }), 6) << bad;
    EXPECT_EQ(ErrorNumberOf([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CByte(-1.0); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CByte(255.5); }), 6);

    EXPECT_EQ(Int(-1.5), -2.0);
    EXPECT_EQ(Fix(-1.5), -1.0);
    EXPECT_EQ(Int(1.9f), 1.0f);
    EXPECT_EQ(Fix(-1.9f), -1.0f);
    EXPECT_EQ(Int((14.0f - 10.0f) / 0.1f), 40.0f);  // a class index in single precision

    EXPECT_EQ(AddInt(32000, 767), 32767);
    EXPECT_EQ(MulInt(-128, 256), -32768);
    EXPECT_EQ(ErrorNumberOf([] { AddInt(32767, 1); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { AddInt(-32768, -1); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { MulInt(200, 200); }), 6);
}

TEST(VbRuntime, FloatingPointTrapsRaiseTheRuntimeNumbers) {
    EXPECT_EQ(Div(1, 4), 0.25);
    EXPECT_EQ(DivS(1.0f, 3.0f), 1.0f / 3.0f);
    EXPECT_EQ(ErrorNumberOf([] { Div(1, 0); }), 11);
    EXPECT_EQ(ErrorNumberOf([] { Div(0, 0); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { Div(1E308, 1E-10); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { DivS(-1.0f, 0.0f); }), 11);
    EXPECT_EQ(ErrorNumberOf([] { DivS(0.0f, 0.0f); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { DivS(3E38f, 0.1f); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { Log(0); }), 5);
    EXPECT_EQ(ErrorNumberOf([] { Log(-1); }), 5);
    EXPECT_EQ(ErrorNumberOf([] { Sqr(-1E-9); }), 5);
    EXPECT_EQ(ErrorNumberOf([] { Exp(710); }), 6);
    EXPECT_EQ(Sqr(0), 0.0);
    EXPECT_DOUBLE_EQ(Log(Exp(2)), 2.0);
}

TEST(VbRuntime, RaisedErrorsCarryTheRuntimeTextAndTheCallersSource) {
    struct Case {
        std::function<void()> act;
        int32_t number;
        std::string source, text;
    };
    const Case cases[] = {
        {[] { Raise(9, "clsThing.Item"); }, 9, "clsThing.Item", "Subscript out of range"},
        {[] { Div(2, 0, "clsThing.Mean"); }, 11, "clsThing.Mean", "Division by zero"},
        {[] { Sqr(-1, "clsThing.SD"); }, 5, "clsThing.SD", "Invalid procedure call or argument"},
        {[] { Div(2, 0); }, 11, "Vorn5.Div", "Division by zero"},
        {[] { Checked(1E308 * 10.0, "clsThing.Sum"); }, 6, "clsThing.Sum", "Overflow"},
        {[] { Checked(std::numeric_limits<float>::quiet_NaN(), "clsThing.Sum"); }, 6, "clsThing.Sum", "Overflow"},
        {[] { CSng(3.4028235E+38, "clsThing.Store"); }, 6, "clsThing.Store", "Overflow"},
    };
    for (const Case& c : cases) {
        try {
            c.act();
            ADD_FAILURE() << c.source << " did not raise";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, c.number);
            EXPECT_EQ(e.Source, c.source);
            EXPECT_EQ(e.Description, c.text);
        }
    }
}

TEST(VbRuntime, AnyCaughtExceptionBecomesOneVbError) {
    const VbError kept = AsVbError(VbError(9, "clsThing.Item", "Subscript out of range"), "other");
    EXPECT_EQ(kept.Number, 9);
    EXPECT_EQ(kept.Source, "clsThing.Item");
    const VbError other = AsVbError(std::runtime_error("bad alloc"), "clsThing.Fit");
    EXPECT_EQ(other.Number, vbObjectError + 2251);
    EXPECT_EQ(other.Source, "clsThing.Fit");
    EXPECT_EQ(other.Description, "bad alloc");
}

TEST(VbRuntime, TrimRemovesSpacesOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\r\n"), "\ta\r\n");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim("  a "), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(UCase("Vorn5.vn5"), "VORN5.VN5");
    EXPECT_EQ(LCase("VN5"), "vn5");
}

TEST(VbRuntime, RndIsRepeatableUnderASeedAndStaysBelowOne) {
    Randomize(42u);
    float first[5];
    for (float& f : first) f = Rnd();
    Randomize();  // already seeded: does not restart the sequence
    Randomize(42u);
    for (float f : first) EXPECT_EQ(Rnd(), f);
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
    }
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
}

TEST(VbRuntime, TimerSourceCanBeReplaced) {
    SetTimerSource([] { return 3600.5; });
    EXPECT_EQ(Timer(), 3600.5f);
    SetTimerSource({});
    float t = Timer();
    EXPECT_GE(t, 0.0f);
    EXPECT_LT(t, 86401.0f);
}
