// Texts of the data grid read as numbers: typed values and sample times (one value) and
// pasted blocks, as spreadsheets and text editors put them on the clipboard.
#include "CellText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using celltext::Fault;

namespace {

using Rows = std::vector<std::vector<float>>;

struct Case {
    const char* what;
    std::string text;
    bool single = false;
    Rows rows;                 // the block read, when it is accepted
    int32_t badRow = 0;        // else the first bad cell (1-based) and why
    int32_t badCol = 0;
    Fault fault = Fault::None;
};

Case Good(const char* what, std::string text, bool single, Rows rows) {
    return {what, std::move(text), single, std::move(rows)};
}
Case Bad(const char* what, std::string text, int32_t row, int32_t col, Fault fault) {
    return {what, std::move(text), false, {}, row, col, fault};
}

Rows RowsOf(const celltext::Block& block) {
    Rows rows;
    for (int32_t r = 0; r < block.Rows(); ++r) {
        const auto from = block.values.begin() + static_cast<std::ptrdiff_t>(block.RowStart(r));
        rows.emplace_back(from, from + block.RowLength(r));
    }
    return rows;
}

}  // namespace

TEST(CellText, ReadsValuesAndBlocksAndNamesTheFirstBadCell) {
    const std::vector<Case> cases = {
        // One value: typed, a sample time, or pasted into a selection.
        Good("plain", "12.5", true, {{12.5f}}),
        Good("blanks around it", "  -7 ", true, {{-7.0f}}),
        Good("exponent", "1E+3", true, {{1000.0f}}),
        Good("the largest single", "3.4E+38", true, {{3.4E+38f}}),
        Bad("beyond a single", "3.5E+38", 1, 1, Fault::TooLarge),
        Bad("beyond a double, with a falling exponent", "2" + std::string(308, '0') + "e-0", 1, 1, Fault::TooLarge),
        Good("too small for a double, without an exponent", "." + std::string(324, '0') + "1", true, {{0.0f}}),
        Bad("not a number", "abc", 1, 1, Fault::NotNumeric),
        Bad("empty", "", 1, 1, Fault::Empty),
        Bad("only blanks", "  ", 1, 1, Fault::Empty),
        // Commas: thousands separators in groups of three before the point, nothing else.
        Good("the program's own copy", "1,234.00", true, {{1234.0f}}),
        Good("thousands", "12,345", true, {{12345.0f}}),
        Good("millions, signed", "-1,234,567.5", true, {{-1234567.5f}}),
        Bad("German decimal comma", "3,5", 1, 1, Fault::NotNumeric),
        Bad("German decimal comma, two places", "1,25", 1, 1, Fault::NotNumeric),
        Bad("four digits before the comma", "1234,5", 1, 1, Fault::NotNumeric),
        Bad("a group of two", "12,34", 1, 1, Fault::NotNumeric),
        Bad("a group of four", "1,2345", 1, 1, Fault::NotNumeric),
        Bad("a group after the point", "1.234,567", 1, 1, Fault::NotNumeric),
        Bad("a leading comma", ",123", 1, 1, Fault::NotNumeric),
        Bad("a trailing comma", "123,", 1, 1, Fault::NotNumeric),
        Bad("a sample time 0,5", "0,5", 1, 1, Fault::NotNumeric),
        // No grouped number starts with 0: three decimals after a leading 0 are a decimal comma.
        Bad("a quarter year 0,250", "0,250", 1, 1, Fault::NotNumeric),
        Bad("a negative 0,750", "-0,750", 1, 1, Fault::NotNumeric),
        Bad("a leading 00,500", "00,500", 1, 1, Fault::NotNumeric),
        Bad("a leading 0 before two groups", "0,250,000", 1, 1, Fault::NotNumeric),
        Bad("0,250 in a block", "1\t0,250\r\n", 1, 2, Fault::NotNumeric),
        Good("a first group of 1", "1,250", true, {{1250.0f}}),
        Good("a first group of 10", "10,250", true, {{10250.0f}}),
        Bad("a list in one cell", "12,0,3.5", 1, 1, Fault::NotNumeric),
        // One line end after a single value ends it.
        Good("CR LF after it", "7\r\n", true, {{7.0f}}),
        Good("LF after it", "7\n", true, {{7.0f}}),
        // Blocks: TAB between cells, CR LF or LF after rows, the last line end optional.
        Good("spreadsheet, CR LF", "1\t2\r\n3\t4\r\n", false, {{1, 2}, {3, 4}}),
        Good("spreadsheet, LF", "1\t2\n3\t4\n", false, {{1, 2}, {3, 4}}),
        Good("no final line end", "1\t2\n3\t4", false, {{1, 2}, {3, 4}}),
        Good("two lines of a text editor", "5\n6", false, {{5}, {6}}),
        Good("one row", "5\t6\r\n", false, {{5, 6}}),
        Good("rows of different lengths", "1\t2\t3\n4\n", false, {{1, 2, 3}, {4}}),
        Good("thousands in a block", "1,234.00\t12,345\r\n", false, {{1234, 12345}}),
        Bad("German decimals in a block", "1,5\t2,25\r\n", 1, 1, Fault::NotNumeric),
        Bad("German decimals further in", "1\t2\r\n3\t2,25\r\n", 2, 2, Fault::NotNumeric),
        // An empty cell is refused wherever it stands, the last one too.
        Bad("empty first cell", "\t2\n", 1, 1, Fault::Empty),
        Bad("empty cell inside", "1\t\t3\n", 1, 2, Fault::Empty),
        Bad("empty cell after a final TAB", "1\t2\t", 1, 3, Fault::Empty),
        Bad("empty cell after a final TAB and line end", "1\t2\t\r\n", 1, 3, Fault::Empty),
        Bad("two line ends at the end", "5\n\n", 2, 1, Fault::Empty),
        Bad("a blank line inside", "1\r\n\r\n2\r\n", 2, 1, Fault::Empty),
        Bad("a bad cell late in the block", "1\t2\n3\tx\n", 2, 2, Fault::NotNumeric),
        Bad("too large in a block", "1\t1E+39\n", 1, 2, Fault::TooLarge),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        celltext::Block block;
        celltext::Refusal refusal;
        const bool read = celltext::ReadBlock(c.text, block, refusal);
        if (c.fault == Fault::None) {
            ASSERT_TRUE(read) << celltext::Describe(refusal);
            EXPECT_EQ(block.single, c.single);
            EXPECT_EQ(RowsOf(block), c.rows);
        } else {
            ASSERT_FALSE(read);
            EXPECT_EQ(refusal.row, c.badRow);
            EXPECT_EQ(refusal.col, c.badCol);
            EXPECT_EQ(refusal.fault, c.fault);
            EXPECT_TRUE(block.values.empty()) << "nothing of a refused block is kept";
        }
        // A single value reads the same on its own, as a typed value or a sample time.
        float value = 0.0f;
        if (c.single && c.text.find_first_of("\r\n") == std::string::npos) {
            EXPECT_TRUE(celltext::ParseNumber(c.text, value));
            EXPECT_EQ(value, c.rows[0][0]);
        }
    }
}

TEST(CellText, TheMessageNamesTheCellAndWhy) {
    celltext::Block block;
    celltext::Refusal refusal;
    ASSERT_FALSE(celltext::ReadBlock("1\t2\r\n3\t2,25\r\n", block, refusal));
    EXPECT_EQ(celltext::Describe(refusal), "Row 2, column 2 of the pasted block, \"2,25\", is not a number.");
    ASSERT_FALSE(celltext::ReadBlock("1\t\r\n", block, refusal));
    EXPECT_EQ(celltext::Describe(refusal), "Row 1, column 2 of the pasted block is empty.");
    // A long cell is cut in the message.
    ASSERT_FALSE(celltext::ReadBlock("1\t" + std::string(40, 'x'), block, refusal));
    EXPECT_EQ(celltext::Describe(refusal),
              "Row 1, column 2 of the pasted block, \"" + std::string(24, 'x') + "...\", is not a number.");
}
