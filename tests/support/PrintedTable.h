#ifndef VORN_TESTS_PRINTEDTABLE_H
#define VORN_TESTS_PRINTEDTABLE_H
// Reading a table back from printed lines (the recording printer's, or a PDF's text), to
// check that every cell reached the paper under its own row and column labels.
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "print/Printer.h"

namespace testsupport {

struct PrintedTable {
    std::map<std::pair<std::string, std::string>, std::string> cells;  // (row label, column label)
    int blocks = 0;                                                   // header lines seen
    std::vector<std::string> problems;                                // rows that did not read back
};

inline std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// A header line holds column labels only (after `corner`, when the table has a corner label);
// a row line starts with a row label and holds one cell for each column of the header above.
// Labels and cells are compared without their padding.
inline PrintedTable ReadPrintedTable(const std::vector<std::string>& lines, const std::string& corner,
                                     const std::set<std::string>& rowLabels,
                                     const std::set<std::string>& colLabels) {
    PrintedTable t;
    std::vector<std::string> header;
    for (const std::string& line : lines) {
        std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        std::vector<std::string> heads(words.begin() + (!corner.empty() && words[0] == corner ? 1 : 0), words.end());
        bool isHeader = !heads.empty();
        for (const std::string& w : heads) isHeader = isHeader && colLabels.count(w) > 0;
        if (isHeader) {
            header = heads;
            ++t.blocks;
        } else if (!header.empty() && rowLabels.count(words[0])) {
            if (words.size() != header.size() + 1) t.problems.push_back("row of another width: " + line);
            for (size_t k = 0; k + 1 < words.size() && k < header.size(); ++k)
                if (!t.cells.emplace(std::make_pair(words[0], header[k]), words[k + 1]).second)
                    t.problems.push_back("cell printed twice: " + line);
        } else {
            header.clear();  // the table ended
        }
    }
    return t;
}

// The recorded lines wider than the recorded page (none, when nothing was cut).
inline std::vector<std::string> LinesWiderThanThePage(const print::RecordingPrinter& printer) {
    std::vector<std::string> wide;
    for (const auto& line : printer.lines)
        if (line.x + printer.TextWidth(line.text) > printer.ScaleWidth()) wide.push_back(line.text);
    return wide;
}

}  // namespace testsupport

#endif
