// Tab-separated text files of a data set: the description on line 1, the sample times on
// line 2 (after a leading TAB), then one line per length class with its lower bound and
// the count of every sample. Numbers are written as Print# writes them (" 3 ", " .25 ").
#include <algorithm>
#include <filesystem>

#include "clsVorn.h"
#include "modObjIO.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace {

std::string PrintNum(float v) { return vb::Str(v) + " "; }

// Why a text file of one length class cannot be read into a fresh set.
constexpr const char* kSizeFromBounds =
    "in a text file the class size is the step from the first class bound to the second";

bool IsBlank(const std::string& s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}

// Number of fields of a line (runs of characters other than blanks and tabs).
std::size_t FieldCount(const std::string& s) {
    std::size_t n = 0;
    for (std::size_t k = s.find_first_not_of(" \t"); k != std::string::npos;
         k = s.find_first_not_of(" \t", s.find_first_of(" \t", k))) {
        ++n;
    }
    return n;
}

[[noreturn]] void BadLine(std::size_t line, const std::string& what) {
    throw VbError(13, "clsVorn.ReadASCIIFile", "Line " + std::to_string(line) + ": " + what);
}

}  // namespace

void clsVorn::SplitFields(const std::string& s, std::vector<float>& values, int16_t& count) {
    // values keeps entries beyond count from earlier calls, as callers may rely on.
    count = 0;
    std::size_t k = 0;
    while (k < s.size()) {
        k = s.find_first_not_of(" \t", k);
        if (k == std::string::npos) break;
        std::size_t e = s.find_first_of(" \t", k);
        if (e == std::string::npos) e = s.size();
        count = vb::AddInt(count, 1);
        if (values.size() < static_cast<std::size_t>(count) + 1) values.resize(static_cast<std::size_t>(count) + 1);
        values[count] = vb::CSng(std::string_view(s).substr(k, e - k));
        k = e;
    }
}

std::vector<std::string> clsVorn::TextLines() const {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(mNumClasses) + 2);
    // The description is the first line: line breaks in it (a binary file may hold them)
    // are written as blanks.
    std::string desc = mFileDesc;
    std::replace_if(desc.begin(), desc.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    lines.push_back(vb::Utf8ToCp1252(vb::Trim(desc)));
    std::string line = "\t";
    for (int i = 1; i <= mNumDists; ++i) line += PrintNum(mSTime[i]) + "\t";
    lines.push_back(std::move(line));
    for (int j = 1; j <= mNumClasses; ++j) {
        line = PrintNum(static_cast<float>(j - 1) * mClassSize + mMinLength) + "\t";
        for (int i = 1; i <= mNumDists; ++i) line += PrintNum(mDists[DistIndex(i, j)]) + "\t";
        lines.push_back(std::move(line));
    }
    return lines;
}

void clsVorn::WriteTextBody() {
    if (mNumDists > mDimDists || mNumClasses > mDimClasses) {
        vb::Raise(9, "clsVorn.WriteMe");
    }
    for (const std::string& line : TextLines()) vb::Print(mFNo, line);
}

std::string clsVorn::TextFault() const {
    // Import takes the class size from the first two bounds and nothing else.
    if (mNumClasses < 2) {
        return std::string("it has one length class, and ") + kSizeFromBounds;
    }
    // The text must read back as a set that keeps the rule; numbers near its limits may
    // not, once they are cut to seven digits.
    clsVorn back;
    try {
        back.ParseText(TextLines());
    } catch (const VbError& e) {
        const std::string why = back.Status() == 1 ? back.ContentFault() : std::string();
        return "a text file holds seven digits of each number, and read back from them " +
               (why.empty() ? e.Description : why);
    }
    return {};
}

void clsVorn::ReadTextBody() {
    std::vector<std::string> lines;
    while (!vb::EndOfFile(mFNo)) lines.push_back(vb::LineInput(mFNo));
    ParseText(std::move(lines));
}

void clsVorn::ParseText(std::vector<std::string> lines) {
    // Empty lines at the end (editors and spreadsheets leave them) are no classes.
    while (!lines.empty() && IsBlank(lines.back())) lines.pop_back();
    if (lines.size() < 2) BadLine(lines.size() + 1, "the sample times are missing.");

    std::string desc = lines[0];
    if (desc.rfind("\xEF\xBB\xBF", 0) == 0) desc.erase(0, 3);  // byte order mark
    if (!vb::IsValidUtf8(desc)) desc = vb::Cp1252ToUtf8(desc);

    std::vector<float> values;
    int16_t count = 0;
    const auto split = [&](std::size_t lineNo) {
        try {
            SplitFields(lines[lineNo - 1], values, count);
        } catch (const VbError& e) {
            BadLine(lineNo, e.Number == 6 ? "a number is out of range." : "a field is not a number.");
        }
    };
    const std::size_t samples = FieldCount(lines[1]);
    if (samples < 1) BadLine(2, "no sample times.");
    if (samples > static_cast<std::size_t>(kMaxDists)) {
        BadLine(2, "it has " + std::to_string(samples) + " sample times; at most " + std::to_string(kMaxDists) +
                       " can be read.");
    }
    const std::size_t classLines = lines.size() - 2;
    if (classLines < 1) BadLine(3, "the length classes are missing.");
    if (classLines > static_cast<std::size_t>(kMaxClasses)) {
        throw VbError(6, "clsVorn.ReadASCIIFile",
                      "The file has " + std::to_string(classLines) + " length classes; at most " +
                          std::to_string(kMaxClasses) + " can be read.");
    }
    split(2);
    const std::vector<float> times(values.begin() + 1, values.begin() + 1 + count);
    const int16_t nd = count;

    // Every class line is read and checked before the arrays are made, so what is
    // allocated grows with what the file holds, not with what its first lines claim.
    std::vector<float> bounds, counts;
    for (std::size_t j = 1; j <= classLines; ++j) {
        const std::size_t lineNo = j + 2;
        if (IsBlank(lines[lineNo - 1])) BadLine(lineNo, "the line is empty.");
        split(lineNo);
        if (count < nd + 1) {
            BadLine(lineNo, "it has " + std::to_string(count) + " fields; a class line needs " +
                                std::to_string(nd + 1) + ".");
        }
        if (j <= 2) bounds.push_back(values[1]);
        counts.insert(counts.end(), values.begin() + 2, values.begin() + 2 + nd);
    }

    mStatus = 1;
    mFileDesc = desc;  // taken whole, without the change event
    mNumDists = nd;
    mNumClasses = static_cast<int16_t>(classLines);
    ReDimArrays();
    for (int16_t i = 1; i <= nd; ++i) mSTime[i] = times[i - 1];
    for (std::size_t j = 1; j <= classLines; ++j)
        for (int16_t i = 1; i <= nd; ++i) setDists(i, static_cast<int16_t>(j), counts[(j - 1) * nd + (i - 1)]);
    mMinLength = bounds[0];
    if (bounds.size() > 1) mClassSize = bounds[1] - mMinLength;
    if (const std::string why = ContentFault(); !why.empty()) {
        const bool noSize = bounds.size() < 2 && !(mClassSize > 0.0f);
        throw VbError(1009, "clsVorn.ReadASCIIFile",
                      "The data set in the file is not valid: " + why + "." +
                          (noSize ? std::string(" A single class line gives none: ") + kSizeFromBounds + "."
                                  : std::string()));
    }
    SortSamplesByTime();  // spreadsheets give the columns in any order
    mDataSource = 4;
    mIsDirty = false;
}

void clsVorn::ReadASCIIFile(const std::string& path) {
    // Read everything into a fresh set first: a bad line leaves this one untouched.
    clsVorn fresh;
    fresh.mClassSize = mClassSize;
    fresh.mMinLength = mMinLength;
    std::vector<std::string> lines;
    {
        vb::FileNumber f;
        vb::Open(path, vb::OpenMode::Input, f);
        while (!vb::EndOfFile(f)) lines.push_back(vb::LineInput(f));
    }
    fresh.ParseText(std::move(lines));
    fresh.Refresh();
    AdoptFrom(fresh);
    mIsDirty = false;
}

void clsVorn::ExportFile(const std::string& path) {
    WriteThroughTemp(path, false, "ExportFile");
}
