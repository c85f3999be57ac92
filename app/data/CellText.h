#ifndef CELLTEXT_H
#define CELLTEXT_H
// The numbers in the data grid's texts: a count or a sample time as the user types it or a
// cell shows it, and a pasted block of cells (TAB between cells, CR LF or LF after rows, as
// spreadsheets and text editors copy them). Reading only: nothing here stores anything.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace celltext {

enum class Fault {
    None,
    Empty,        // nothing but blanks
    NotNumeric,   // not a number, or a comma anywhere but between groups of three digits
    TooLarge,     // a number beyond the range of a single
};

// The number in `text`, blanks around it allowed. A comma is taken only as a thousands
// separator: between groups of exactly three digits in the whole part ("1,234.00",
// "12,345"), never as a decimal comma ("3,5" is refused, not read as 35; so is "0,250",
// as no grouped number starts with 0).
Fault ReadNumber(std::string_view text, float& value);
inline bool ParseNumber(std::string_view text, float& value) { return ReadNumber(text, value) == Fault::None; }

// A pasted text read whole: its cells' numbers row by row. Rows may differ in length.
struct Block {
    // One value with no TAB and no line end (one line end after it allowed): it fills a
    // selection rather than starting a block.
    bool single = false;
    std::vector<float> values;          // row by row
    std::vector<std::size_t> rowEnds;   // index in `values` behind each row's last cell

    int32_t Rows() const { return static_cast<int32_t>(rowEnds.size()); }
    std::size_t RowStart(int32_t row) const { return row == 0 ? 0 : rowEnds[static_cast<std::size_t>(row) - 1]; }
    int32_t RowLength(int32_t row) const { return static_cast<int32_t>(rowEnds[static_cast<std::size_t>(row)] - RowStart(row)); }
    int32_t Width() const;              // the longest row
};

// The first bad cell of a block: 1-based row and column of the block, its text and why.
struct Refusal {
    int32_t row = 0;
    int32_t col = 0;
    std::string text;
    Fault fault = Fault::None;
};

// Reads the whole text in one pass (linear in its length). One line end at the very end
// closes the last row; every other line end starts a row, so a blank line is a row with
// one empty cell. An empty cell is refused wherever it stands, as is any cell that is not
// a number. True with the block filled; false with the first bad cell in `refusal` and
// no cells in `block` (whose `single` still tells what kind of paste it was).
bool ReadBlock(std::string_view text, Block& block, Refusal& refusal);

// "row 2, column 3 of the pasted block is empty" and the like, for the grid's messages.
std::string Describe(const Refusal& refusal);

}  // namespace celltext

#endif
