#include "clsVorn.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <fstream>
#include <functional>
#include <iterator>

#include "DataTestSupport.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

// The largest single allocation while watched (replaced only where no sanitizer brings its
// own allocator).
namespace {
std::atomic<bool> watchAllocations{false};
std::atomic<std::size_t> largestAllocation{0};
}  // namespace

#ifndef __SANITIZE_ADDRESS__
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // new and delete are replaced together
void* operator new(std::size_t n) {
    if (watchAllocations && n > largestAllocation) largestAllocation = n;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#endif

namespace {

const fs::path kData = TEST_DATA_DIR;
using datatest::Bytes;
using datatest::ErrorOf;


class TextTest : public datatest::TempFolderTest {
protected:
    TextTest() : TempFolderTest("vorn_text_") {}
    std::string Write(const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
};

}  // namespace

TEST_F(TextTest, ExportWritesPrintFormattedNumbersBetweenTabs) {
    clsVorn v;
    v.NewDataSet("  Cod 1999  ", 0.5f, 0.25f, 3);
    v.setsTime(1, 0.25f);
    v.InsertDist(1.0f);
    const float counts[3][2] = {{3, 0}, {12.5f, -2}, {1E+07f, 1.5E-08f}};
    for (int16_t j = 1; j <= 3; ++j)
        for (int16_t i = 1; i <= 2; ++i) v.setDists(i, j, counts[j - 1][i - 1]);
    const std::string path = (dir / "out.txt").string();
    v.ExportFile(path);
    EXPECT_EQ(Bytes(path),
              "Cod 1999\r\n"
              "\t .25 \t 1 \t\r\n"
              " .5 \t 3 \t 0 \t\r\n"
              " .75 \t 12.5 \t-2 \t\r\n"
              " 1 \t 1E+07 \t 1.5E-08 \t\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(TextTest, ExportThenImportGivesBackTheData) {
    clsVorn v;
    v.NewDataSet(" Plaice caf\xC3\xA9 ", 12.345678f, 0.1f, 4);
    const float times[] = {0.1f, 1.234567f, 1999.75f};
    v.setsTime(1, times[0]);
    v.InsertDist(times[1]);
    v.InsertDist(times[2]);
    const float c[] = {0.0f, 1.0f, 123456.7f, 3.3333333f, 1E-05f, 7654321.0f, 2.5E+10f, 0.1f};
    for (int16_t i = 1; i <= 3; ++i)
        for (int16_t j = 1; j <= 4; ++j) v.setDists(i, j, c[(i * 4 + j) % 8]);
    const std::string path = (dir / "round.txt").string();
    v.ExportFile(path);

    clsVorn back;
    back.OpenFile(path);
    const auto near7 = [](float expected, float actual) {
        EXPECT_NEAR(actual, expected, std::fabs(expected) * 5E-7f) << expected;
    };
    EXPECT_EQ(back.FileDesc(), "Plaice caf\xC3\xA9");  // trimmed on export
    EXPECT_EQ(back.NumDists(), 3);
    EXPECT_EQ(back.NumClasses(), 4);
    EXPECT_EQ(back.DataSource(), 4);
    EXPECT_FALSE(back.IsDirty());
    near7(12.345678f, back.MinLength());
    // The class size comes back as the difference of two written bounds, so it is only
    // as exact as the bounds are.
    EXPECT_NEAR(back.ClassSize(), 0.1f, 2 * 5E-7f * 12.5f);
    for (int16_t i = 1; i <= 3; ++i) {
        near7(times[i - 1], back.sTime(i));
        for (int16_t j = 1; j <= 4; ++j) near7(v.Dists(i, j), back.Dists(i, j));
    }
    for (int16_t j = 1; j <= 5; ++j) near7(v.LBounds(j), back.LBounds(j));

    clsVorn direct;
    direct.ReadASCIIFile(path);
    EXPECT_EQ(direct.FileDesc(), back.FileDesc());
    EXPECT_EQ(direct.Dists(3, 4), back.Dists(3, 4));
    EXPECT_EQ(direct.FileName(), "");  // reading text names no file
}

TEST_F(TextTest, ImportRulesKeptFromTheTextFormat) {
    clsVorn v;
    // Separators are runs of blanks and tabs; only the first two bounds give the class
    // size; extra fields are ignored; lines may end in CR or LF.
    v.OpenFile(Write("a.txt", "  keep  my blanks \r\n\t1 \t 2\n10  5 6 99\r20\t7\t8\r\n35 9 10\r\n"));
    EXPECT_EQ(v.FileDesc(), "  keep  my blanks ");
    EXPECT_EQ(v.NumDists(), 2);
    EXPECT_EQ(v.sTime(1), 1.0f);
    EXPECT_EQ(v.sTime(2), 2.0f);
    EXPECT_EQ(v.NumClasses(), 3);
    EXPECT_EQ(v.MinLength(), 10.0f);
    EXPECT_EQ(v.ClassSize(), 10.0f);
    EXPECT_EQ(v.LBounds(3), 30.0f);
    EXPECT_EQ(v.Dists(2, 3), 10.0f);
    EXPECT_EQ(v.NTotal(1), 21.0f);

    // One class line keeps the class size the set had.
    v.OpenFile(Write("one.txt", "d\n1\n4 2\n"));
    EXPECT_EQ(v.NumClasses(), 1);
    EXPECT_EQ(v.MinLength(), 4.0f);
    EXPECT_EQ(v.ClassSize(), 10.0f);

    // Empty lines at the end are not classes.
    v.OpenFile(Write("tail.txt", "d\n1\n1 5\n2 6\r\n\r\n  \t\n\n"));
    EXPECT_EQ(v.NumClasses(), 2);
    EXPECT_EQ(v.Dists(1, 2), 6.0f);

    // A description in the code page of older files is read as such.
    v.OpenFile(Write("cp.txt", "caf\xE9\n1\n1 5\n"));
    EXPECT_EQ(v.FileDesc(), "caf\xC3\xA9");
}

TEST_F(TextTest, ImportPutsTheSamplesInTimeOrder) {
    const std::function<void(clsVorn&, const std::string&)> readers[] = {
        [](clsVorn& v, const std::string& p) { v.OpenFile(p); },
        [](clsVorn& v, const std::string& p) { v.ReadASCIIFile(p); },
    };
    for (const auto& read : readers) {
        // 25 samples in no order (a spreadsheet's columns); each keeps its time and counts.
        clsVorn v;
        read(v, (kData / "text_unsorted_times.txt").string());
        ASSERT_EQ(v.NumDists(), 25);
        for (int16_t i = 2; i <= 25; ++i) EXPECT_LT(v.sTime(i - 1), v.sTime(i)) << i;
        const struct { int16_t i; float time, total; int16_t j; float count; } samples[] = {
            {1, 0.0f, 3712, 4, 19},             // column 20 of the file
            {2, 0.084931506849f, 3448, 4, 6},   // column 17
            {3, 0.167123287671f, 3074, 5, 6},   // column 1
            {25, 2.0f, 3753, 5, 61},            // column 7
        };
        for (const auto& s : samples) {
            EXPECT_EQ(v.sTime(s.i), s.time) << s.i;
            EXPECT_EQ(v.NTotal(s.i), s.total) << s.i;
            EXPECT_EQ(v.Dists(s.i, s.j), s.count) << s.i;
        }
        EXPECT_FALSE(v.IsDirty());

        // Equal times keep the order of the file.
        read(v, Write("same.txt", "d\n2 1 2 1\n10 1 2 3 4\n20 5 6 7 8\n"));
        const float times[] = {1, 1, 2, 2}, firstClass[] = {2, 4, 1, 3}, secondClass[] = {6, 8, 5, 7};
        for (int16_t i = 1; i <= 4; ++i) {
            EXPECT_EQ(v.sTime(i), times[i - 1]) << i;
            EXPECT_EQ(v.Dists(i, 1), firstClass[i - 1]) << i;
            EXPECT_EQ(v.Dists(i, 2), secondClass[i - 1]) << i;
        }
    }
}

TEST_F(TextTest, ExportRefusesASetTheTextCannotCarryAndWritesNothing) {
    // The layout gives the class size only as the step between the first two bounds, and
    // each number with seven digits: neither set would read back into a fresh set.
    const struct { const char* file; const char* reason; } cases[] = {
        {"vn5_one_class_export_reimport_refused.vn5",
         "it has one length class, and in a text file the class size is the step from the first class bound to "
         "the second."},
        // Class size 1.06E-05 from 10: the bounds " 10 " and " 10.00001 " give 9.5E-06,
        // below a millionth of the top bound.
        {"vn5_class_size_below_text_precision.vn5",
         "a text file holds seven digits of each number, and read back from them its class size is too small "
         "for bounds that large."},
    };
    const std::string out = (dir / "out.txt").string();
    for (const auto& c : cases) {
        clsVorn v;
        v.OpenFile((kData / c.file).string());
        const VbError e = ErrorOf([&] { v.ExportFile(out); });
        EXPECT_EQ(e.Number, vbObjectError + 2254) << c.file;
        EXPECT_EQ(e.Description, std::string("The data set cannot be exported: ") + c.reason);
        EXPECT_TRUE(fs::is_empty(dir)) << c.file;
    }

    // The same as a new set of one class; what such a file holds cannot be read into a
    // fresh set either, and the message says why.
    clsVorn one;
    one.NewDataSet("one", 10.0f, 2.0f, 1);
    EXPECT_NE(ErrorOf([&] { one.ExportFile(out); }).Description.find("one length class"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir));
    clsVorn fresh;
    EXPECT_NE(ErrorOf([&] { fresh.OpenFile(Write("one.txt", "one\n\t 0 \t\n 10 \t 3 \t\n")); })
                  .Description.find("A single class line gives none: in a text file the class size is the step"),
              std::string::npos);

    // A class size that seven digits still carry exports and reads back into a fresh set.
    clsVorn fine;
    fine.NewDataSet("fine", 10.0f, 2E-05f, 2);
    fine.setDists(1, 2, 4.0f);
    fine.ExportFile(out);
    clsVorn back;
    back.OpenFile(out);
    EXPECT_EQ(back.NumClasses(), 2);
    EXPECT_NEAR(back.ClassSize(), 2E-05f, 1E-05f);  // 10.00002 - 10: one unit of the seventh digit
    EXPECT_EQ(back.Dists(1, 2), 4.0f);
}

TEST_F(TextTest, BadTextFailsNamingTheLineAndChangesNothing) {
    clsVorn v;
    v.OpenFile(Write("good.txt", "good\n1 2\n10 1 2\n20 3 4\n"));
    struct Case { const char* text; const char* error; } cases[] = {
        {"d\n1 2\n10 1 2\n\n30 5 6\n", "Line 4: the line is empty"},
        {"d\n1 2\n10 1 x\n", "Line 3: a field is not a number"},
        {"d\n1 two\n10 1 2\n", "Line 2: a field is not a number"},
        {"d\n1 2\n10 1 2\n20 3\n", "Line 4: it has 2 fields; a class line needs 3"},
        {"d\n\t \n10 1\n", "Line 2: no sample times"},
        {"d\n", "sample times are missing"},
        {"d\n1 2\n\r\n", "Line 3: the length classes are missing"},
        {"d\n1\n-1 5\n", "minimum length"},
        {"d\n1\n20 5\n10 6\n", "class size"},
        {"d\n1\n0 3E+38\n1 3E+38\n", "sample 1"},
        {"", "sample times are missing"},
        {"d\n1\n10 1E+39\n", "Line 3: a number is out of range"},
    };
    for (const auto& c : cases) {
        const std::string path = Write("bad.txt", c.text);
        const VbError open = ErrorOf([&] { v.OpenFile(path); });
        EXPECT_EQ(open.Number, vbObjectError + 2253) << c.text;
        EXPECT_NE(open.Description.find(c.error), std::string::npos) << open.Description;
        const VbError direct = ErrorOf([&] { v.ReadASCIIFile(path); });
        EXPECT_NE(direct.Number, 0) << c.text;
        EXPECT_NE(direct.Description.find(c.error), std::string::npos) << direct.Description;
        EXPECT_EQ(v.FileDesc(), "good");
        EXPECT_EQ(v.NumClasses(), 2);
        EXPECT_EQ(v.Dists(2, 2), 4.0f);
        EXPECT_EQ(fs::path(v.FileName()).filename(), "good.txt");
    }

    // Loops over 16-bit indices run to NumClasses + 1 (and to NumDists), one step past
    // which must still be an index.
    std::string times = "d\n";
    for (int i = 0; i < 32767; ++i) times += "1 ";
    VbError e = ErrorOf([&] { v.ReadASCIIFile(Write("times.txt", times + "\n1 1\n")); });
    EXPECT_NE(e.Description.find("Line 2: it has 32767 sample times; at most 32766"), std::string::npos)
        << e.Description;
    std::string many = "d\n1\n";
    for (int j = 0; j < 32766; ++j) many += std::to_string(j) + " 1\n";
    e = ErrorOf([&] { v.ReadASCIIFile(Write("many.txt", many)); });
    EXPECT_EQ(e.Number, 6);
    EXPECT_NE(e.Description.find("32766 length classes; at most 32765"), std::string::npos) << e.Description;
    EXPECT_EQ(v.NumClasses(), 2);
    v.ReadASCIIFile(Write("most.txt", many.substr(0, many.rfind("32765 1\n"))));
    clsVorn copy;
    copy.CopyFields(v);  // walks every class bound up to NumClasses + 1
    EXPECT_EQ(copy.NumClasses(), 32765);
    EXPECT_EQ(copy.LBounds(32766), 32765.0f);

    clsVorn empty;
    EXPECT_NE(ErrorOf([&] { empty.ExportFile((dir / "e.txt").string()); }).Number, 0);
    EXPECT_FALSE(fs::exists(dir / "e.txt"));
}

TEST_F(TextTest, FilesThatGaveBrokenSetsAreRefused) {
    // Each of these was once accepted, and the set then broke a later save, export or score.
    const struct { const char* file; const char* reason; } cases[] = {
        {"text_negative_min_length.txt", "its minimum length is not a number of 0 or more"},
        {"text_descending_bounds.txt", "its class size is not a number above 0"},
        {"text_class_size_overflow.txt", "its minimum length"},
        // 2 and 308 zeros, written with the exponent e-0: beyond any double, not 0.
        {"text_count_overflow_read_as_zero.txt", "Line 3: a number is out of range"},
    };
    for (const auto& c : cases) {
        clsVorn v;
        const std::string path = (kData / c.file).string();
        const VbError open = ErrorOf([&] { v.OpenFile(path); });
        EXPECT_EQ(open.Number, vbObjectError + 2253) << c.file;
        EXPECT_NE(open.Description.find(c.reason), std::string::npos) << open.Description;
        EXPECT_NE(ErrorOf([&] { v.ReadASCIIFile(path); }).Description.find(c.reason), std::string::npos) << c.file;
        EXPECT_EQ(v.Status(), 0);
    }
}

TEST_F(TextTest, ACountTooSmallToHoldReadsAsZeroHoweverItIsWritten) {
    // 324 zeros after the point and then 1: 1E-325, below the smallest double.
    clsVorn v;
    v.OpenFile((kData / "text_tiny_count_refused_out_of_range.txt").string());
    ASSERT_EQ(v.NumDists(), 1);
    ASSERT_EQ(v.NumClasses(), 2);
    EXPECT_EQ(v.Dists(1, 1), 0.0f);
    EXPECT_EQ(v.Dists(1, 2), 5.0f);
    EXPECT_EQ(v.NTotal(1), 5.0f);
}

TEST_F(TextTest, DescriptionStaysOneLineOfText) {
    // C0 8D is no CR (an overlong form is not UTF-8): the description is read in the code
    // page, and its two bytes go back into the export as they came.
    clsVorn v;
    v.OpenFile((kData / "text_desc_overlong_cr.txt").string());
    EXPECT_EQ(v.FileDesc(), "\xC3\x80\xC2\x8D" "2");
    EXPECT_EQ(v.NumDists(), 2);
    const std::string out = (dir / "out.txt").string();
    v.ExportFile(out);
    EXPECT_EQ(Bytes(out).substr(0, 5), "\xC0\x8D" "2\r\n");
    clsVorn back;
    back.OpenFile(out);
    EXPECT_EQ(back.FileDesc(), v.FileDesc());
    EXPECT_EQ(back.NumDists(), 2);
    EXPECT_EQ(back.NumClasses(), 2);

    // A binary file may hold line breaks in its description: they are exported as blanks.
    v.OpenFile((kData / "vn5_desc_line_break.vn5").string());
    v.ExportFile(out);
    back.OpenFile(out);
    EXPECT_EQ(back.FileDesc(), "first  second");
    EXPECT_EQ(back.NumDists(), v.NumDists());
    EXPECT_EQ(back.NumClasses(), v.NumClasses());
    EXPECT_EQ(back.sTime(1), v.sTime(1));
}

TEST_F(TextTest, ArraysAreMadeOnlyForClassLinesThatAreThere) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer brings its own allocator";
#endif
    // 33 KB: 8200 sample times, then empty class lines. Sized from its first lines, the
    // set would take 8201 x 16402 singles (538 MB) before the first class line was read.
    std::string text = "d\n";
    for (int i = 0; i < 8200; ++i) text += "0 ";
    text += "\n" + std::string(16399, '\n') + "0\n";
    const std::string path = Write("big.txt", text);
    clsVorn v;
    largestAllocation = 0;
    watchAllocations = true;
    const VbError e = ErrorOf([&] { v.OpenFile(path); });
    watchAllocations = false;
    EXPECT_NE(e.Description.find("Line 3: the line is empty"), std::string::npos) << e.Description;
    EXPECT_LT(largestAllocation, std::size_t{4} << 20);
}
