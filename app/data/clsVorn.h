#ifndef CLSVORN_H
#define CLSVORN_H
// One length-frequency data set: NumDists samples ("distributions") over NumClasses
// length classes of equal width, a sample time per sample, a description and a file
// name. The main window owns one; every analysis reads it (usually from a private copy
// made with CopyFields).
//
// Indices are 1-based as everywhere in the program: sample i in 1..NumDists, class j in
// 1..NumClasses+1 (the extra column exists but is never counted).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Hald_Error.h"
#include "IObjectIO.h"
#include "ISolver.h"

class clsSimData;
class clsMultiLFGraph;

class clsVorn : public IObjectIO, public ISolver {
public:
    clsVorn();
    ~clsVorn() override;
    clsVorn(const clsVorn&) = delete;             // copies are made with CopyFields
    clsVorn& operator=(const clsVorn&) = delete;

    // ---- event ChangeOfFileNameOrDesc (no arguments) ----
    // Raised when FileName or FileDesc is set. Connect returns an id for Disconnect.
    int ConnectChangeOfFileNameOrDesc(std::function<void()> handler);
    void DisconnectChangeOfFileNameOrDesc(int id);

    // ---- plot (length-frequency plot of the samples) ----
    bool LFGraphVisible() const;
    void PlotDistributions();  // the data alone (the main window's placeholder values)
    void PlotDistributions(float K, float Linf, float t0, float Ts, float C, float NGT,
                           std::optional<int32_t> curveType = std::nullopt);
    void PrintData();
    void TerminateLFPlot();

    // ---- growth-curve length and age functions ----
    // Length at age t by curve type (0 non-seasonal, 1 Hoenig seasonal, 2 Pauly seasonal).
    void LengthFunc(int32_t GCType, float t, float K, float Linf, float t0, float Ts, float C,
                    float NGT, float& L) const;
    // Growing time of the Pauly curve; w is accepted and not used.
    void CalcTDash(float t, float NGT, float Ts, float t0, float w, float& tDash) const;
    // Fills Tmin(1..NumClasses+1) with the lower age of every class bound.
    void Calc_Lower_Age_Bounds(int32_t Seasonal, float K, float Linf, float t0, float Ts, float C);
    // Root-solver callback used by the seasonal age search (the ISolver Fn).
    float Fn(float& x) override;

    // ---- samples ----
    void EraseDist(int16_t i);
    void InsertDist(float t);
    int16_t DistForNewTime(float t) const;
    int16_t DistForTime(float t) const;
    void Calc_dist_totals();
    void ResizeData(int16_t nd, int16_t nc);
    void NewDataSet(const std::string& desc, float minLen, float classSize, int32_t numClasses);
    void Refresh();
    void CopyFields(const clsVorn& src);

    // ---- simulation ----
    clsSimData& SimData();
    void InitialiseSimData(const clsSimData& src);
    bool SimulateData();

    // ---- plain fields ----
    float ClassSize() const { return mClassSize; }
    void setClassSize(float v) { mClassSize = v; }
    float MinLength() const { return mMinLength; }
    void setMinLength(float v) { mMinLength = v; }
    int16_t NumDists() const { return mNumDists; }     // setters do not resize the arrays
    void setNumDists(int16_t v) { mNumDists = v; }
    int16_t NumClasses() const { return mNumClasses; }
    void setNumClasses(int16_t v) { mNumClasses = v; }
    int32_t DataSource() const { return mDataSource; }
    void setDataSource(int32_t v) { mDataSource = v; }
    float maxlength() const { return mMaxLength; }
    void setmaxlength(float v) { mMaxLength = v; }
    int32_t Status() const { return mStatus; }
    bool IsDirty() const { return mIsDirty; }
    void setIsDirty(bool v) { mIsDirty = v; }

    const std::string& FileDesc() const { return mFileDesc; }
    void setFileDesc(const std::string& v);            // raises the event, marks dirty
    const std::string& FileName() const { return mFileName; }
    void setFileName(const std::string& v);            // raises the event

    // Stored growth parameter i: 0 K, 1 Linf, 2 t0, 3 Ts, 4 C, 5 NGT; empty otherwise.
    std::optional<float> Param(int16_t i) const;

    // ---- indexed fields (error 9 outside the arrays) ----
    float LBounds(int16_t j) const;
    void setLBounds(int16_t j, float v);
    float Tmin(int16_t j) const;
    void setTmin(int16_t j, float v);
    float sTime(int16_t i) const;
    void setsTime(int16_t i, float v);
    // -1.0 when i or j lies outside the data; the setter ignores an i outside
    // 1..NumDists, raises 9 for j outside 1..NumClasses+1, and marks the set dirty.
    float Dists(int16_t i, int16_t j) const;
    void setDists(int16_t i, int16_t j, float v);
    float FNZero(int16_t i) const;
    void setFNZero(int16_t i, float v);                // rounds halves to even
    float NTotal(int16_t i) const;
    void setNTotal(int16_t i, float v);
    float ASP(int16_t i) const;
    void setASP(int16_t i, float v);

    // ---- files ----
    void Save();
    // Every reader gives the samples in ascending time order (samples of equal time in the
    // order of the file), each with its own time and counts.
    void OpenFile(const std::string& path);
    // Refuses, writing nothing, a set that the text would not give back (TextFault).
    void ExportFile(const std::string& path);
    void ReadASCIIFile(const std::string& path);

    // ---- IObjectIO (persistence through a file opened by the read/write driver) ----
    // Source and Target are the program-wide names shared with the simulation
    // parameters (modObjIO). ReadMe/WriteMe start at the stored position and leave in it
    // the position behind the last byte handled; a failure returns eioFail and leaves
    // its reason in LastIOError.
    void setFNo(int16_t v) override { mFNo = v; }
    int16_t FNo() const override { return mFNo; }
    void setBinaryIO(bool v) override { mBinaryIO = v; }
    bool BinaryIO() const override { return mBinaryIO; }
    std::string Source() const override;
    void setSource(const std::string& v) override;
    std::string Target() const override;
    void setTarget(const std::string& v) override;
    IOStatus WriteMe() override;
    IOStatus ReadMe() override;
    const std::string& LastIOError() const { return mLastIOError; }
    int32_t Position() const { return mPosition; }

    // The simulation parameter record (97 bytes) stored behind the samples of a
    // simulated data set (DataSource 2). The simulation parameter class plugs these in:
    // `read` is called after a body was read and at least 97 bytes remain, with the
    // data set being read and the 1-based position of the record in the Source file;
    // `write` is called after a body with DataSource 2 was written, with the open binary
    // file number positioned just behind the body. Either may throw VbError to fail the
    // open or the save. Without hooks nothing is read or written.
    struct SimRecordHooks {
        std::function<void(clsVorn& set, int32_t position)> read;
        std::function<void(clsVorn& set, int16_t fileNo)> write;
    };
    static void SetSimRecordHooks(SimRecordHooks hooks);
    static const SimRecordHooks& GetSimRecordHooks();

    // Format limits of the data file: refused by Save before anything is written.
    static constexpr int kMaxFileDists = 255;
    static constexpr int kMaxFileClasses = 101;
    // Most samples and classes a set can have: loops over 16-bit indices run to NumDists
    // and to NumClasses + 1, and each must be able to step one past its end.
    static constexpr int kMaxDists = 32766;
    static constexpr int kMaxClasses = 32765;
    // Largest class bound and largest sum of a sample's counts: a text copy of the set
    // (numbers rounded to seven digits) must still add up to finite numbers.
    static constexpr double kMaxMagnitude = 1E+38;

    // What a data set may hold. Every reader refuses a set that breaks this rule, and Save
    // and ExportFile write nothing for it. Empty for a sound set, else why it is not
    // ("its class size is not a number above 0").
    std::string ContentFault() const;

    // Counts meant for samples and classes, all stored together (as a paste does): the
    // index of the first one at which a sample's counts would add up to more than that
    // rule allows, or -1 when every sample stays within it. Counts outside the data are
    // passed over.
    struct NewCount {
        int16_t i;
        int16_t j;
        float count;
    };
    int32_t FirstCountTooLarge(const std::vector<NewCount>& counts) const;

private:
    void setStatus(int32_t v) { mStatus = v; }
    void ReDimArrays();
    void RaiseChange();
    void StartRead(int32_t start);
    void AdoptFrom(clsVorn& other);                   // takes the fields of a fully read set
    // Puts the samples in ascending time order, as every reader gives them; call it only
    // on a set whose times are all numbers.
    void SortSamplesByTime();
    std::size_t DistIndex(int16_t i, int16_t j) const {
        return static_cast<std::size_t>(i) * (static_cast<std::size_t>(mDimClasses) + 2) +
               static_cast<std::size_t>(j);
    }

    // Bodies; each throws VbError with a clear description on any fault.
    void ReadBinaryBody();
    void WriteBinaryBody();
    void ReadTextBody();
    void WriteTextBody();
    std::vector<std::string> TextLines() const;        // the lines of the text layout
    // Why the text layout cannot carry this set, so that it would not import as it is;
    // empty when it can.
    std::string TextFault() const;
    void ParseText(std::vector<std::string> lines);
    // The rule, and the limits of the file's layout (binary or text): raises before anything
    // is written.
    void CheckFileLimits(const char* proc, bool binary) const;
    void WriteThroughTemp(const std::string& path, bool binary, const char* proc);
    static void SplitFields(const std::string& s, std::vector<float>& values, int16_t& count);

    // Growth curves and the age search.
    float NonSeasonalLength(float t, float K, float Linf, float t0) const;
    float HoenigLength(float t, float K, float Linf, float t0, float Ts, float C) const;
    float PaulyLength(float t, float K, float Linf, float t0, float Ts, float NGT) const;
    float AgeRootFn(float t) const;

    // ---- fields ----
    std::string mFileName;
    std::string mFileDesc;
    int32_t mDataSource = -1;
    float mMaxLength = 0.0f;
    int32_t mStatus = 0;
    bool mIsDirty = false;
    std::vector<int16_t> mFNZero;        // 1..NumDists
    std::vector<float> mNTotal;          // 1..NumDists
    std::vector<float> mASP;             // 1..NumDists
    int16_t mNumClasses = 0;
    int16_t mNumDists = 0;
    float mMinLength = 0.0f;
    float mClassSize = 0.0f;
    std::vector<float> mDists;           // (1..NumDists, 1..NumClasses+1), see DistIndex
    int16_t mDimDists = 0;               // NumDists and NumClasses when the arrays were made
    int16_t mDimClasses = 0;
    std::vector<float> mSTime;           // 1..NumDists
    std::vector<float> mTmin;            // 1..NumClasses+1
    std::vector<float> mLBounds;         // 1..NumClasses+1
    Hald_Error mErr;
    int32_t mAgeSearchFlag = 0;          // 2 once the seasonal age search has run
    float mC = 0.0f;
    float mNGT = 0.0f;
    float mAgeTarget = 0.0f;             // class bound whose age is being searched
    float mLinf = 0.0f;
    float mK = 0.0f;
    float mt0 = 0.0f;
    float mTs = 0.0f;
    std::shared_ptr<clsSimData> mSimData;        // made on first use
    // The open plot; whoever makes it gives it a deleter that closes the graph, so the
    // plot is closed when the data set ends.
    std::shared_ptr<clsMultiLFGraph> mPlot;
    std::shared_ptr<void> mPlotWindow;           // canvas window of the plot, made on first plot
    bool mBinaryIO = false;
    int16_t mFNo = 0;
    int32_t mPosition = 1;               // 1-based file position for ReadMe/WriteMe
    std::string mLastIOError;
    int32_t mLastIOErrorNumber = 0;      // the error behind mLastIOError

    std::vector<std::pair<int, std::function<void()>>> mChangeHandlers;
    int mNextHandlerId = 1;
};

#endif
