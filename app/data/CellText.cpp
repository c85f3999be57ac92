#include "CellText.h"

#include <algorithm>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace celltext {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// `text` without its thousands separators, when every comma in it is one: the whole part
// (behind an optional sign, up to a decimal point or an exponent) is 1 to 3 digits, the
// first not 0, and then groups of a comma and exactly three digits. False when a comma
// stands elsewhere. A grouped number never starts with 0, so "0,250" is a decimal comma.
bool DropSeparators(std::string_view text, std::string& plain) {
    std::size_t k = 0;
    while (k < text.size() && IsBlank(text[k])) ++k;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    std::size_t lead = 0;
    while (k + lead < text.size() && IsDigit(text[k + lead])) ++lead;
    if (lead < 1 || lead > 3 || text[k] == '0') return false;
    plain.assign(text.substr(0, k + lead));
    k += lead;
    bool grouped = false;
    while (k + 3 < text.size() && text[k] == ',' && IsDigit(text[k + 1]) && IsDigit(text[k + 2]) &&
           IsDigit(text[k + 3])) {
        plain.append(text.substr(k + 1, 3));
        k += 4;
        grouped = true;
    }
    // The last group ends the whole part, and no comma stands anywhere behind it.
    if (!grouped || (k < text.size() && IsDigit(text[k]))) return false;
    const std::string_view rest = text.substr(k);
    if (rest.find(',') != std::string_view::npos) return false;
    plain.append(rest);
    return true;
}

std::string Shown(const std::string& text) {
    constexpr std::size_t kLongest = 24;
    if (text.size() <= kLongest) return text;
    // Cut on a character boundary of the UTF-8 text.
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut) + "...";
}

}  // namespace

Fault ReadNumber(std::string_view text, float& value) {
    std::string plain;
    if (text.find(',') != std::string_view::npos) {
        if (!DropSeparators(text, plain)) return Fault::NotNumeric;
        text = plain;
    }
    if (std::all_of(text.begin(), text.end(), IsBlank)) return Fault::Empty;
    try {
        value = vb::CSng(text);
    } catch (const VbError& e) {
        return e.Number == 6 ? Fault::TooLarge : Fault::NotNumeric;  // 6: beyond a single's range
    }
    return Fault::None;
}

int32_t Block::Width() const {
    int32_t width = 0;
    for (int32_t r = 0; r < Rows(); ++r) width = std::max(width, RowLength(r));
    return width;
}

bool ReadBlock(std::string_view text, Block& block, Refusal& refusal) {
    block = Block{};
    refusal = Refusal{};
    // One line end at the end closes the last row.
    if (text.ends_with("\r\n")) text.remove_suffix(2);
    else if (text.ends_with('\n') || text.ends_with('\r')) text.remove_suffix(1);
    block.single = text.find_first_of("\t\r\n") == std::string_view::npos;

    int32_t row = 1, col = 1;
    std::size_t start = 0;
    for (std::size_t k = 0;; ++k) {
        const bool atEnd = k == text.size();
        const char c = atEnd ? '\n' : text[k];
        if (c != '\t' && c != '\r' && c != '\n') continue;
        const std::string_view cell = text.substr(start, k - start);
        float value = 0.0f;
        const Fault fault = ReadNumber(cell, value);
        if (fault != Fault::None) {
            refusal = Refusal{row, col, std::string(cell), fault};
            block.values.clear();
            block.rowEnds.clear();
            return false;
        }
        block.values.push_back(value);
        if (c == '\t') {
            ++col;
        } else {
            block.rowEnds.push_back(block.values.size());
            ++row;
            col = 1;
            if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;  // CR LF is one line end
        }
        if (atEnd) return true;
        start = k + 1;
    }
}

std::string Describe(const Refusal& refusal) {
    const std::string where = "Row " + std::to_string(refusal.row) + ", column " + std::to_string(refusal.col) +
                              " of the pasted block";
    switch (refusal.fault) {
        case Fault::Empty: return where + " is empty.";
        case Fault::TooLarge: return where + ", \"" + Shown(refusal.text) + "\", is too large a number.";
        default: return where + ", \"" + Shown(refusal.text) + "\", is not a number.";
    }
}

}  // namespace celltext
