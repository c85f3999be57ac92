#ifndef CLSGROWTHMATRIX_H
#define CLSGROWTHMATRIX_H
// Transition matrix of von Bertalanffy growth over one time step between the length
// classes of a data set. GM(i, j) is the fraction of the fish of source class j that lie in
// target class i after the step; fish are spread evenly over each class and never move to
// a smaller class, so only entries with j <= i are ever non-zero. Each row keeps the band
// of columns it was given; everything outside is 0, so a new matrix clears and a
// projection reads only the bands (a step of growth spans a few classes).
#include <cstddef>
#include <cstdint>
#include <vector>

class clsVorn;

class clsGrowthMatrix {
public:
    // Rebuilds the matrix for the data set's classes, growth K and Linf over dt years.
    // Raises (and leaves an empty matrix, Dims 0) when the step cannot be computed, for
    // example when Exp(-K*dt) underflows to 0: a matrix is either complete or absent.
    void Compute(clsVorn& DataSet, float K, float Linf, float dt);

    // Result(1..n) := the proportions of sample i projected through the matrix (all 0 for
    // an empty sample). Result must hold at least n + 1 elements; index 0 is not used.
    void VecMult(clsVorn& DataSet, int16_t i, std::vector<float>& Result) const;

    float GM(int16_t i, int16_t j) const;
    void setGM(int16_t i, int16_t j, float value);
    int16_t Dims() const { return n_; }

private:
    float& at(int i, int j) { return gm_[static_cast<std::size_t>(i - 1) * n_ + (j - 1)]; }
    float at(int i, int j) const { return gm_[static_cast<std::size_t>(i - 1) * n_ + (j - 1)]; }
    void checkIndex(int16_t i, int16_t j) const;

    // Clears the entries of every row's band (the rest is 0 already) and empties the bands.
    void clearBands();
    // Widens row i's band to hold column j.
    void widenBand(int i, int j);

    int16_t n_ = 0;
    int stride_ = 0;          // the row length of gm_ (n_ is 0 after a failed Compute)
    std::vector<float> gm_;   // row i (target) holds n source entries
    std::vector<int> first_, last_;   // row i's band of columns, 1-based; empty when first > last
    std::vector<float> lb_;   // class bounds 1..n+1 of the last Compute
    std::vector<float> s1_;   // source bounds 1..n+1
    mutable std::vector<float> row_;  // counts of the sample being projected
};

#endif
