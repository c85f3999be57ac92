// A libFuzzer target of the reading of pasted text: the input is the clipboard's text. A
// block that is read must hold only numbers a count can take, and the block written back
// as the grid's Copy writes it must read again to the same block; a refused one names a
// cell inside the text. A broken promise aborts the run with a message.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "CellText.h"

namespace {

[[noreturn]] void Broken(const char* promise) {
    std::fprintf(stderr, "\nBroken promise: paste reading: %s\n", promise);
    std::fflush(stderr);
    std::abort();
}

// The block as Copy writes cells, TAB between them and CR LF after every row, each number
// written exactly (the shortest text of its value as a double).
std::string Written(const celltext::Block& block) {
    std::string text;
    for (int32_t r = 0; r < block.Rows(); ++r) {
        for (int32_t c = 0; c < block.RowLength(r); ++c) {
            if (c > 0) text += '\t';
            char number[32];
            const double v = block.values[block.RowStart(r) + static_cast<std::size_t>(c)];
            text.append(number, std::to_chars(number, number + sizeof number, v).ptr);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    celltext::Block block;
    celltext::Refusal refusal;
    if (!celltext::ReadBlock(text, block, refusal)) {
        if (refusal.row < 1 || refusal.col < 1 || refusal.fault == celltext::Fault::None)
            Broken("a refusal names a cell and a reason");
        if (!block.values.empty()) Broken("a refused block keeps nothing");
        if (celltext::Describe(refusal).empty()) Broken("a refusal has a message");
        return 0;
    }
    if (block.Rows() < 1 || block.rowEnds.back() != block.values.size()) Broken("the rows cover the cells");
    for (int32_t r = 0; r < block.Rows(); ++r)
        if (block.RowLength(r) < 1) Broken("every row has a cell");
    if (block.single != (block.values.size() == 1)) Broken("one cell is exactly a single value");
    for (float v : block.values)
        if (!std::isfinite(v)) Broken("every cell is a finite number");

    celltext::Block again;
    if (!celltext::ReadBlock(Written(block), again, refusal)) Broken("a block written as Copy does reads again");
    if (again.values != block.values || again.rowEnds != block.rowEnds)
        Broken("a block written as Copy does reads again to the same cells");
    return 0;
}
