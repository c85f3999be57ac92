#ifndef CLSAGESLICE_H
#define CLSAGESLICE_H
// Age slicing: every length sample turned into counts by whole year of age. Each class is
// given the ages of its two bounds from a growth curve (non-seasonal or Hoenig seasonal),
// and its fish, taken as spread evenly over the class, are shared among the years of age
// the class spans in proportion to the length that falls in each year.
//
// The table has 101 rows by sample. Row r holds nominal age r - 1 - Shift(): Shift() is 1
// when the lower bound of the first class has a negative age, so that age -1 gets row 1.
// A class bound whose row would fall outside the table is an error (9), and nothing of
// the previous table is changed.
#include <cstdint>
#include <memory>
#include <vector>

class clsMultiLFGraph;
class clsVorn;

class clsAgeSlice {
public:
    clsAgeSlice();
    ~clsAgeSlice();
    clsAgeSlice(const clsAgeSlice&) = delete;
    clsAgeSlice& operator=(const clsAgeSlice&) = delete;

    static constexpr int16_t kRows = 101;

    // The count in row `age` (1..101) of sample `dist`; error 9 outside the table.
    float Slice(int16_t age, int16_t dist) const;
    // Rows in use, from row 1.
    int16_t NumAges() const { return numAges_; }
    int16_t Shift() const { return shift_ ? 1 : 0; }
    // The nominal age row r holds.
    int32_t RowAge(int16_t r) const { return static_cast<int32_t>(r) - 1 - Shift(); }
    int16_t NumDists() const { return numDists_; }

    // Slices every sample of `data` (a private copy is used; `data` is not changed) with
    // growth curve 0 (non-seasonal) or 1 (Hoenig seasonal).
    void Create(const clsVorn& data, int32_t growthCurve, float K, float Linf, float t0, float Ts, float C);

    // Plots the table: per sample, one bar per age reaching back from its sample time
    // towards the previous sample. A sample without fish in any row gets no bars. Does
    // nothing while the plot is still open.
    void Show();
    void ClosePlot();
    const clsMultiLFGraph* Plot() const { return plot_.get(); }

private:
    std::unique_ptr<clsVorn> copy_;
    int16_t numAges_ = 0;
    int16_t numDists_ = 0;
    bool shift_ = false;
    std::vector<float> table_;  // (row - 1) * NumDists + (dist - 1)
    std::unique_ptr<clsMultiLFGraph> plot_;
    int32_t canvas_ = 0;  // the chart canvas window, made on the first plot
};

#endif
