#include "clsVorn.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

[[noreturn]] void RaiseSubscript(const char* proc) {
    vb::Raise(9, std::string("clsVorn.") + proc);
}

// Index check of a 1-based array kept with an unused element 0.
template <class V>
void CheckIndex(const V& v, int i, const char* proc) {
    if (i < 1 || static_cast<std::size_t>(i) >= v.size()) RaiseSubscript(proc);
}

}  // namespace

clsVorn::clsVorn() = default;

clsVorn::~clsVorn() = default;

// ---- event ----

int clsVorn::ConnectChangeOfFileNameOrDesc(std::function<void()> handler) {
    const int id = mNextHandlerId++;
    mChangeHandlers.emplace_back(id, std::move(handler));
    return id;
}

void clsVorn::DisconnectChangeOfFileNameOrDesc(int id) {
    std::erase_if(mChangeHandlers, [id](const auto& h) { return h.first == id; });
}

void clsVorn::RaiseChange() {
    // A handler may disconnect itself while it runs: walk a copy.
    const auto handlers = mChangeHandlers;
    for (const auto& h : handlers) {
        if (h.second) h.second();
    }
}

void clsVorn::setFileDesc(const std::string& v) {
    mFileDesc = v;
    RaiseChange();
    mIsDirty = true;
}

void clsVorn::setFileName(const std::string& v) {
    mFileName = v;
    RaiseChange();
}

// ---- the rule of what a set may hold ----

std::string clsVorn::ContentFault() const {
    const auto num = [](double v) { return vb::CStr(v); };
    if (mStatus == 0 || mNumDists < 1) return "it holds no samples";
    if (mNumClasses < 1) return "it has no length classes";
    if (mNumDists > kMaxDists)
        return "it has " + num(mNumDists) + " samples; at most " + num(kMaxDists) + " can be handled";
    if (mNumClasses > kMaxClasses)
        return "it has " + num(mNumClasses) + " length classes; at most " + num(kMaxClasses) + " can be handled";
    if (mNumDists > mDimDists || mNumClasses > mDimClasses) return "its arrays do not match its size";
    if (!std::isfinite(mMinLength) || mMinLength < 0.0f) return "its minimum length is not a number of 0 or more";
    if (!std::isfinite(mClassSize) || !(mClassSize > 0.0f)) return "its class size is not a number above 0";
    // Every bound lies between MinLength and the top of the last class.
    const float top = static_cast<float>(mNumClasses) * mClassSize + mMinLength;
    if (!(std::fabs(top) <= kMaxMagnitude)) return "its class bounds are too large";
    // Bounds written with seven digits must still tell the classes apart.
    if (mClassSize < top * 1E-6f) return "its class size is too small for bounds that large";
    for (int i = 1; i <= mNumDists; ++i) {
        if (!std::isfinite(mSTime[i])) return "sample " + num(i) + " has an invalid time";
        double magnitude = 0;
        for (int j = 1; j <= mNumClasses; ++j) {
            const float c = mDists[DistIndex(static_cast<int16_t>(i), static_cast<int16_t>(j))];
            if (!std::isfinite(c)) return "sample " + num(i) + " has an invalid count in class " + num(j);
            magnitude += std::fabs(static_cast<double>(c));
        }
        if (!(magnitude <= kMaxMagnitude)) return "the counts of sample " + num(i) + " add up to too large a total";
    }
    return {};
}

int32_t clsVorn::FirstCountTooLarge(const std::vector<NewCount>& counts) const {
    const int nd = mNumDists, nc = mNumClasses;
    if (mStatus == 0 || nd > mDimDists || nc > mDimClasses) return -1;
    const auto inside = [nd, nc](const NewCount& c) { return c.i >= 1 && c.i <= nd && c.j >= 1 && c.j <= nc; };
    const auto magnitude = [nc](const std::vector<float>& column) {
        double m = 0;  // added up as ContentFault does
        for (int j = 1; j <= nc; ++j) m += std::fabs(static_cast<double>(column[j]));
        return m;
    };
    // Every sample the counts touch, as it is and as it would be.
    std::vector<std::vector<float>> before(nd + 1), after(nd + 1);
    std::vector<std::size_t> last(nd + 1, 0);
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const NewCount& c = counts[k];
        if (!inside(c)) continue;
        if (before[c.i].empty()) {
            before[c.i].assign(nc + 1, 0.0f);
            for (int j = 1; j <= nc; ++j) before[c.i][j] = mDists[DistIndex(c.i, static_cast<int16_t>(j))];
            after[c.i] = before[c.i];
        }
        after[c.i][c.j] = c.count;
        last[c.i] = k;
    }
    std::vector<char> tooLarge(nd + 1, 0);
    bool any = false;
    for (int i = 1; i <= nd; ++i)
        if (!after[i].empty() && !(magnitude(after[i]) <= kMaxMagnitude)) tooLarge[i] = any = true;
    if (!any) return -1;
    // The count to blame is the one at which its sample's running total passes the limit.
    std::vector<double> running(nd + 1, -1.0);
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const NewCount& c = counts[k];
        if (!inside(c) || !tooLarge[c.i]) continue;
        if (running[c.i] < 0) running[c.i] = magnitude(before[c.i]);
        running[c.i] += std::fabs(static_cast<double>(c.count)) - std::fabs(static_cast<double>(before[c.i][c.j]));
        if (running[c.i] > kMaxMagnitude || k == last[c.i]) return static_cast<int32_t>(k);
    }
    return -1;
}

// ---- arrays ----

void clsVorn::ReDimArrays() {
    if (mStatus == 0) return;
    if (mNumDists < 0 || mNumClasses < 0) RaiseSubscript("ReDimArrays");
    const std::size_t nd = static_cast<std::size_t>(mNumDists) + 1;
    const std::size_t nb = static_cast<std::size_t>(mNumClasses) + 2;  // 1..NumClasses+1
    mDimDists = mNumDists;
    mDimClasses = mNumClasses;
    mDists.assign(nd * nb, 0.0f);
    mSTime.assign(nd, 0.0f);
    mNTotal.assign(nd, 0.0f);
    mFNZero.assign(nd, 0);
    mASP.assign(nd, 0.0f);
    mTmin.assign(nb, 0.0f);
    mLBounds.assign(nb, 0.0f);
}

void clsVorn::ResizeData(int16_t nd, int16_t nc) {
    if (nd < 0 || nc < 0) RaiseSubscript("ResizeData");  // the old arrays stay as they were
    mNumDists = nd;
    mNumClasses = nc;
    mStatus = 1;
    ReDimArrays();
}

void clsVorn::Calc_dist_totals() {
    if (mStatus == 0) return;
    // NumDists/NumClasses may have been set without remaking the arrays.
    if (mNumDists > mDimDists || mNumClasses > mDimClasses) RaiseSubscript("Calc_dist_totals");
    for (int j = 1; j <= mNumClasses + 1; ++j) {
        mLBounds[j] = static_cast<float>(j - 1) * mClassSize + mMinLength;
    }
    for (int i = 1; i <= mNumDists; ++i) {
        int16_t first = static_cast<int16_t>(mNumClasses + 1);
        for (int j = 1; j <= mNumClasses; ++j) {
            if (mDists[DistIndex(i, j)] >= 1E-5f) {
                first = static_cast<int16_t>(j);
                break;
            }
        }
        mFNZero[i] = first;
    }
    for (int i = 1; i <= mNumDists; ++i) {
        float sum = 0.0f;
        for (int j = 1; j <= mNumClasses; ++j) sum += mDists[DistIndex(i, j)];
        mNTotal[i] = sum;
    }
    mMaxLength = static_cast<float>(mNumClasses) * mClassSize + mMinLength;
    mStatus = 1;
}

void clsVorn::Refresh() {
    Calc_dist_totals();
    mLinf = mMaxLength;
    mK = 0.1f;
    mt0 = -0.5f;
}

void clsVorn::EraseDist(int16_t i) {
    if (mStatus == 0) return;
    // An index outside the data would otherwise drop the last sample without a word.
    if (i < 1 || i > mNumDists || mNumDists > mDimDists || mNumClasses > mDimClasses) RaiseSubscript("EraseDist");
    const std::vector<float> oldDists = mDists;
    const std::vector<float> oldTime = mSTime;
    const int16_t oldClasses = mDimClasses;
    const auto oldIndex = [oldClasses](int r, int c) {
        return static_cast<std::size_t>(r) * (static_cast<std::size_t>(oldClasses) + 2) +
               static_cast<std::size_t>(c);
    };

    mNumDists = static_cast<int16_t>(mNumDists - 1);
    const std::size_t nd = static_cast<std::size_t>(mNumDists) + 1;
    mDimDists = mNumDists;
    mDists.assign(nd * (static_cast<std::size_t>(mDimClasses) + 2), 0.0f);
    mSTime.resize(nd);
    mNTotal.resize(nd);
    mFNZero.resize(nd);
    mASP.resize(nd);  // not shifted: entries behind the erased sample keep their position

    int s = 1;
    for (int k = 1; k <= mNumDists; ++k) {
        if (k == i) ++s;
        for (int j = 1; j <= mNumClasses + 1; ++j) mDists[DistIndex(k, j)] = oldDists[oldIndex(s, j)];
        mSTime[k] = oldTime[s];
        ++s;
    }
    Refresh();
}

void clsVorn::InsertDist(float t) {
    if (mStatus == 0) return;
    // Counts set without remaking the arrays would walk past their end.
    if (mNumDists > mDimDists || mNumClasses > mDimClasses) RaiseSubscript("InsertDist");
    const std::vector<float> oldDists = mDists;
    const int16_t p = DistForNewTime(t);

    mNumDists = vb::AddInt(mNumDists, 1);
    const std::size_t nd = static_cast<std::size_t>(mNumDists) + 1;
    mDimDists = mNumDists;
    mDists.assign(nd * (static_cast<std::size_t>(mDimClasses) + 2), 0.0f);
    mSTime.resize(nd, 0.0f);
    mNTotal.resize(nd, 0.0f);
    mFNZero.resize(nd, 0);
    mASP.resize(nd, 0.0f);

    const auto oldIndex = [this](int r, int c) {
        return static_cast<std::size_t>(r) * (static_cast<std::size_t>(mDimClasses) + 2) +
               static_cast<std::size_t>(c);
    };
    for (int k = mNumDists; k >= 1; --k) {
        for (int j = 1; j <= mNumClasses + 1; ++j) {
            float v = 0.0f;
            if (k > p) v = oldDists[oldIndex(k - 1, j)];
            else if (k < p) v = oldDists[oldIndex(k, j)];
            mDists[DistIndex(k, j)] = v;
        }
    }
    for (int k = mNumDists; k >= 1; --k) {
        if (k > p) mSTime[k] = mSTime[k - 1];
        else if (k == p) mSTime[k] = t;
    }
    Refresh();
}

void clsVorn::SortSamplesByTime() {
    // Stable, so samples of equal time keep their order; each row moves whole.
    const auto n = static_cast<std::size_t>(mNumDists);
    if (std::is_sorted(mSTime.begin() + 1, mSTime.begin() + 1 + n)) return;
    std::vector<int16_t> order(n);
    std::iota(order.begin(), order.end(), int16_t{1});
    std::stable_sort(order.begin(), order.end(), [this](int16_t a, int16_t b) { return mSTime[a] < mSTime[b]; });
    const std::size_t row = static_cast<std::size_t>(mDimClasses) + 2;
    const std::vector<float> dists = mDists, times = mSTime, totals = mNTotal, asp = mASP;
    const std::vector<int16_t> first = mFNZero;
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t s = static_cast<std::size_t>(order[k - 1]);
        std::copy_n(dists.begin() + static_cast<std::ptrdiff_t>(s * row), row,
                    mDists.begin() + static_cast<std::ptrdiff_t>(k * row));
        mSTime[k] = times[s];
        mNTotal[k] = totals[s];
        mASP[k] = asp[s];
        mFNZero[k] = first[s];
    }
}

int16_t clsVorn::DistForNewTime(float t) const {
    int i = 1;
    while (i <= mNumDists && static_cast<std::size_t>(i) < mSTime.size() && mSTime[i] < t) ++i;
    return static_cast<int16_t>(i);
}

int16_t clsVorn::DistForTime(float t) const {
    for (int i = 1; i <= mNumDists && static_cast<std::size_t>(i) < mSTime.size(); ++i) {
        if (mSTime[i] == t) return static_cast<int16_t>(i);
    }
    return 0;
}

void clsVorn::NewDataSet(const std::string& desc, float minLen, float classSize, int32_t numClasses) {
    const int16_t nc = vb::CInt(static_cast<double>(numClasses));  // raises 6 above 32767
    if (nc < 0) RaiseSubscript("NewDataSet");  // before anything of the old set is changed
    setFileDesc(desc);
    mDataSource = 3;
    mStatus = 1;
    mMinLength = minLen;
    mClassSize = classSize;
    mNumClasses = nc;
    mNumDists = 1;
    ReDimArrays();

    // First free VORNnnnnn.VN5 in the current folder; VORN10000.VN5 when all are taken.
    const std::filesystem::path folder = std::filesystem::current_path();
    std::filesystem::path candidate;
    for (int n = 1;; ++n) {
        candidate = folder / ("VORN" + vb::Format(static_cast<double>(n), "00000") + ".VN5");
        std::error_code ec;
        if (n >= 10000 || !std::filesystem::exists(candidate, ec)) break;
    }
    setFileName(candidate.string());
    mIsDirty = true;
    Refresh();
}

void clsVorn::CopyFields(const clsVorn& src) {
    setFileName(src.FileName());
    setFileDesc(src.FileDesc());
    setDataSource(src.DataSource());
    setNumClasses(src.NumClasses());
    setNumDists(src.NumDists());
    setMinLength(src.MinLength());
    setmaxlength(src.maxlength());
    setClassSize(src.ClassSize());
    setStatus(src.Status());
    setIsDirty(src.IsDirty());
    ReDimArrays();
    if (mStatus == 0) return;
    for (int16_t i = 1; i <= mNumDists; ++i) {
        for (int16_t j = 1; j <= mNumClasses; ++j) setDists(i, j, src.Dists(i, j));
    }
    for (int16_t j = 1; j <= mNumClasses + 1; ++j) {
        setTmin(j, src.Tmin(j));
        setLBounds(j, src.LBounds(j));
    }
    for (int16_t i = 1; i <= mNumDists; ++i) {
        setsTime(i, src.sTime(i));
        setFNZero(i, src.FNZero(i));
        setNTotal(i, src.NTotal(i));
        setASP(i, src.ASP(i));
    }
}

std::optional<float> clsVorn::Param(int16_t i) const {
    switch (i) {
    case 0: return mK;
    case 1: return mLinf;
    case 2: return mt0;
    case 3: return mTs;
    case 4: return mC;
    case 5: return mNGT;
    default: return std::nullopt;
    }
}

// ---- indexed fields ----

float clsVorn::LBounds(int16_t j) const {
    CheckIndex(mLBounds, j, "LBounds");
    return mLBounds[j];
}
void clsVorn::setLBounds(int16_t j, float v) {
    CheckIndex(mLBounds, j, "LBounds");
    mLBounds[j] = v;
}
float clsVorn::Tmin(int16_t j) const {
    CheckIndex(mTmin, j, "Tmin");
    return mTmin[j];
}
void clsVorn::setTmin(int16_t j, float v) {
    CheckIndex(mTmin, j, "Tmin");
    mTmin[j] = v;
}
float clsVorn::sTime(int16_t i) const {
    CheckIndex(mSTime, i, "sTime");
    return mSTime[i];
}
void clsVorn::setsTime(int16_t i, float v) {
    CheckIndex(mSTime, i, "sTime");
    mSTime[i] = v;
}

float clsVorn::Dists(int16_t i, int16_t j) const {
    if (i < 1 || i > mNumDists || j < 1 || j > mNumClasses) return -1.0f;
    if (i > mDimDists || j > mDimClasses) return -1.0f;  // counts set without arrays behind them
    return mDists[DistIndex(i, j)];
}

void clsVorn::setDists(int16_t i, int16_t j, float v) {
    if (i < 1 || i > mNumDists) return;  // an unknown sample is ignored, as callers expect
    if (i > mDimDists || j < 1 || j > mNumClasses + 1 || j > mDimClasses + 1) RaiseSubscript("Dists");
    mDists[DistIndex(i, j)] = v;
    mIsDirty = true;
}

float clsVorn::FNZero(int16_t i) const {
    CheckIndex(mFNZero, i, "FNZero");
    return static_cast<float>(mFNZero[i]);
}
void clsVorn::setFNZero(int16_t i, float v) {
    CheckIndex(mFNZero, i, "FNZero");
    mFNZero[i] = vb::CInt(static_cast<double>(v));
}
float clsVorn::NTotal(int16_t i) const {
    CheckIndex(mNTotal, i, "NTotal");
    return mNTotal[i];
}
void clsVorn::setNTotal(int16_t i, float v) {
    CheckIndex(mNTotal, i, "NTotal");
    mNTotal[i] = v;
}
float clsVorn::ASP(int16_t i) const {
    CheckIndex(mASP, i, "ASP");
    return mASP[i];
}
void clsVorn::setASP(int16_t i, float v) {
    CheckIndex(mASP, i, "ASP");
    mASP[i] = v;
}
