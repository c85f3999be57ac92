// Fitting printouts to the page: long lines wrap, wide tables print in blocks of columns.
#include "print/PrintLayout.h"

#include <algorithm>

namespace print {
namespace {
constexpr const char* kBlanks = " \t";

void TrimEnd(std::string& s) {
    const std::size_t last = s.find_last_not_of(kBlanks);
    s.erase(last == std::string::npos ? 0 : last + 1);
}

// WrapToWidth, with the first printed line `first` wide (it starts further in).
std::vector<std::string> Wrap(const Printer& printer, const std::string& text, double first, double width) {
    std::vector<std::string> out;
    for (std::string rest : SplitPrintedLines(text)) {
        TrimEnd(rest);
        for (;;) {
            const double room = out.empty() ? first : width;
            if (rest.empty() || printer.TextWidth(rest) <= room) break;
            // The longest start that fits and ends between two characters (one at least).
            std::size_t fit = 0;
            for (std::size_t k = 1; k <= rest.size(); ++k) {
                if (k < rest.size() && (static_cast<unsigned char>(rest[k]) & 0xC0) == 0x80) continue;
                if (fit > 0 && printer.TextWidth(rest.substr(0, k)) > room) break;
                fit = k;
            }
            // A blank of the line's indent is no place to break: the line would come out empty.
            const std::size_t blank = rest.find_last_of(kBlanks, fit);
            const std::size_t indent = rest.find_first_not_of(kBlanks);
            const std::size_t cut = blank != std::string::npos && blank > indent ? blank : fit;
            std::string line = rest.substr(0, cut);
            TrimEnd(line);
            out.push_back(line);
            const std::size_t next = rest.find_first_not_of(kBlanks, cut);
            rest.erase(0, next == std::string::npos ? rest.size() : next);
        }
        out.push_back(rest);
    }
    return out;
}
}  // namespace

std::vector<std::string> WrapToWidth(const Printer& printer, const std::string& text, double width) {
    return Wrap(printer, text, width, width);
}

void Printer::Print(const std::string& text) {
    for (const std::string& line : SplitPrintedLines(text)) {
        // The line starts at CurrentX; what it carries on to starts at the margin.
        const double first = ScaleWidth() - CurrentX();
        if (TextWidth(line) <= first) {
            PrintLine(line);
            continue;
        }
        for (const std::string& piece : Wrap(*this, line, first, ScaleWidth())) PrintLine(piece);
    }
}

std::string Table::Line(std::size_t r) const {
    std::string line;
    for (const std::string& cell : rows.at(r)) line += cell + after;
    return line;
}

std::vector<std::string> Table::Lines() const {
    std::vector<std::string> lines;
    for (std::size_t r = 0; r < rows.size(); ++r) lines.push_back(Line(r));
    return lines;
}

void PrintTable(Printer& printer, const Table& table) {
    const std::size_t first = table.labelled ? 1 : 0;
    std::size_t cols = first;
    for (const auto& row : table.rows) cols = std::max(cols, row.size());
    // A row's label and its cells [from, to); `closed` keeps the last cell's `after`.
    const auto text = [&](const std::vector<std::string>& row, std::size_t from, std::size_t to, bool closed) {
        std::string s;
        if (table.labelled && !row.empty()) s += row[0] + table.after;
        for (std::size_t c = from; c < std::min(to, row.size()); ++c) s += row[c] + table.after;
        if (!closed && s.size() >= table.after.size()) s.erase(s.size() - table.after.size());
        return s;
    };
    const double width = printer.ScaleWidth();
    const auto fits = [&](std::size_t from, std::size_t to) {
        return std::all_of(table.rows.begin(), table.rows.end(),
                           [&](const auto& row) { return printer.TextWidth(text(row, from, to, false)) <= width; });
    };
    if (cols == first) {  // labels alone
        for (const auto& row : table.rows) printer.Print(text(row, first, first, true));
        return;
    }
    for (std::size_t from = first; from < cols;) {
        std::size_t to = from + 1;
        while (to < cols && fits(from, to + 1)) ++to;
        if (from > first) printer.Print();
        for (const auto& row : table.rows) printer.Print(text(row, from, to, true));
        from = to;
    }
}

Report& Report::AddLine(std::string line) {
    parts_.emplace_back(std::move(line));
    return *this;
}

Report& Report::AddLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) AddLine(line);
    return *this;
}

Report& Report::AddTable(Table table) {
    parts_.emplace_back(std::move(table));
    return *this;
}

std::vector<std::string> Report::Lines() const {
    std::vector<std::string> lines;
    for (const auto& part : parts_) {
        if (const std::string* line = std::get_if<std::string>(&part)) {
            lines.push_back(*line);
        } else {
            const std::vector<std::string> rows = std::get<Table>(part).Lines();
            lines.insert(lines.end(), rows.begin(), rows.end());
        }
    }
    return lines;
}

void Report::PrintOn(Printer& printer) const {
    for (const auto& part : parts_) {
        if (const std::string* line = std::get_if<std::string>(&part))
            printer.Print(*line);
        else
            PrintTable(printer, std::get<Table>(part));
    }
}

}  // namespace print
