#ifndef PRINTLAYOUT_H
#define PRINTLAYOUT_H
// How printouts fit the page. Every printout hands its text lines to Printer::Print, which
// carries a line too wide for the page on to the next line, and its tables to PrintTable,
// which prints a table too wide for the page in blocks of whole columns that fit.
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "print/Printer.h"

namespace print {

// A table as printed: rows of cell texts, each cell followed by `after` (a blank, a TAB, or
// nothing for cells padded to their width). When `labelled`, cell 0 of each row labels the
// row (the length class, the age, the value of the first parameter).
struct Table {
    std::vector<std::vector<std::string>> rows;
    std::string after;
    bool labelled = true;

    // Row `r` as one line: every cell followed by `after` (as files and the run log hold it).
    std::string Line(std::size_t r) const;
    std::vector<std::string> Lines() const;
};

// Prints `table` on `printer`. When a row is wider than the page, the columns go out in
// blocks, left to right: each block takes as many whole columns as fit the page on every
// row (at least one), starts every row with the row's label, and is set off from the one
// before by an empty line. The `after` of a row's last cell is not counted, as it prints
// nothing. A single column too wide for the page still wraps as any line does.
void PrintTable(Printer& printer, const Table& table);

// The body of a printout: text lines and tables, in order.
class Report {
public:
    Report& AddLine(std::string line);
    Report& AddLines(const std::vector<std::string>& lines);
    Report& AddTable(Table table);
    bool empty() const { return parts_.empty(); }
    // Every line as text, each table row one line (Table::Line).
    std::vector<std::string> Lines() const;
    // Prints the lines with Printer::Print and the tables with PrintTable.
    void PrintOn(Printer& printer) const;

private:
    std::vector<std::variant<std::string, Table>> parts_;
};

}  // namespace print

#endif
