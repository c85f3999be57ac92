#ifndef CLSAGESLICERESULT_H
#define CLSAGESLICERESULT_H
// The result of the age slicing window without the window: the slicing from the growth
// curve and parameters as the user typed them, the table the result table window shows,
// and the report as two ordered lists of lines (the heading and the table), which the
// window passes to the run log and the printer. Rows are labelled with the nominal age
// they hold, alike in the table, the log and the printout.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "clsAgeSlice.h"
#include "print/PrintLayout.h"

class clsVorn;

class clsAgeSliceResult {
public:
    static constexpr int kParams = 5;  // K, Linf, Tzero, Ts, C
    // The captions of the two growth curves offered.
    static const std::array<std::string, 2> CurveCaptions;

    // Slices `data` with growth curve 0 (non-seasonal) or 1 (Hoenig seasonal) and the
    // values K, Linf, Tzero, Ts and C as typed. True: a result is held and the lines are
    // rebuilt. False: no result held (the values could not be read, a class bound's age
    // falls outside the table, or no fish is given an age).
    bool Calculate(const clsVorn& data, int32_t curve, const std::array<std::string, kParams>& texts);
    void Clear() { defined_ = false; }

    bool Defined() const { return defined_; }
    const clsAgeSlice& Slices() const { return slices_; }
    clsAgeSlice& Slices() { return slices_; }  // its plot
    int32_t Curve() const { return curve_; }
    // The values read from the texts (K, Linf, Tzero, Ts, C).
    const std::array<float, kParams>& Values() const { return values_; }

    // The result table: NumAges + 1 rows by NumDists + 1 columns with one header row and
    // column: "Dist. d" over sample d, the nominal age beside each row, counts "0.000".
    int32_t TableRows() const;
    int32_t TableCols() const;
    std::string TableText(int32_t row, int32_t col) const;
    // The table window's status line: the curve and the parameters in use as typed.
    const std::string& StatusText() const { return status_; }

    // The report: heading lines (title, curve, the five parameters), table lines (a header,
    // one line per age with counts "0.00").
    const std::vector<std::string>& HeadingLines() const { return heading_; }
    std::vector<std::string> TableLines() const;
    // The run log's block: every line of both lists.
    std::vector<std::string> LogLines() const;
    // What the printout holds: the heading lines when WithRes, the table when WithGridData.
    print::Report PrintReport(bool WithRes, bool WithGridData) const;

private:
    // The nominal age row r holds, as text.
    std::string RowLabel(int16_t r) const;
    void BuildLines(const std::array<std::string, kParams>& texts);

    clsAgeSlice slices_;
    bool defined_ = false;
    int32_t curve_ = 0;
    std::array<float, kParams> values_{};
    std::string status_;
    std::vector<std::string> heading_;
    print::Table ages_;
};

#endif
