#ifndef CLSSIMDATA_H
#define CLSSIMDATA_H
// The parameters of a simulated data set: the layout of the samples, the growth curve
// with its variation between cohorts and individuals, recruitment, mortality and the
// fishing selectivity curve. The data set owns one, the simulation wizard edits it, the
// simulation reads it, and a simulated data set's file carries it as a 97-byte record
// behind the samples.
//
// Every property set checks its value and raises error 1009 (source "clsSimData", the
// refusal text as description), leaving the old value in place.
#include <cstdint>
#include <functional>
#include <string>

#include "IObjectIO.h"

class clsSimData : public IObjectIO {
public:
    clsSimData();

    // ---- property sets ----
    void setNSamples(int16_t v);     // 1..49
    void setSampSpace(float v);      // > 0
    void setMinLen(float v);         // >= 0
    void setLCWidth(float v);        // > 0
    void setMeanK(float v);          // > 0
    void setCVK(float v);            // >= 0
    void setLinf(float v);           // > 0
    void setCVLinf(float v);         // >= 0
    void setT0V(float v);            // any value
    void setCVT01(float v);          // >= 0
    void setCVT02(float v);          // >= 0
    void setMeanC(float v);          // >= 0
    void setCVC(float v);            // >= 0
    void setMeanTS(float v);         // 0..1
    void setCVTS(float v);           // >= 0
    void setMeanNGT(float v);        // 0..1
    void setCVNGT(float v);          // >= 0
    void setNPopSamps(int16_t v);    // >= 1
    void setCVRect(float v);         // >= 0
    void setFVal(float v);           // >= 0
    void setMVal(float v);           // >= 0
    void setSell50(float v);         // >= 0
    void setCVsel50(float v);        // >= 0
    void setSELK(float v);           // > 0
    void setCVSelk(float v);         // >= 0
    void setGC(int32_t v);           // any value

    // ---- property gets ----
    int16_t NSamples() const { return mNSamples; }
    float SampSpace() const { return mSampSpace; }
    float MinLen() const { return mMinLen; }
    float LCWidth() const { return mLCWidth; }
    float MeanK() const { return mMeanK; }
    float CVK() const { return mCVK; }
    float Linf() const { return mLinf; }
    float CVLinf() const { return mCVLinf; }
    float T0V() const { return mT0V; }
    float CVT01() const { return mCVT01; }
    float CVT02() const { return mCVT02; }
    float MeanC() const { return mMeanC; }
    float CVC() const { return mCVC; }
    float MeanTS() const { return mMeanTS; }
    float CVTS() const { return mCVTS; }
    float MeanNGT() const { return mMeanNGT; }
    float CVNGT() const { return mCVNGT; }
    int16_t NPopSamps() const { return mNPopSamps; }
    float CVRect() const { return mCVRect; }
    float FVal() const { return mFVal; }
    float MVal() const { return mMVal; }
    float Sell50() const { return mSell50; }
    float CVsel50() const { return mCVsel50; }
    float SELK() const { return mSELK; }
    float CVSelk() const { return mCVSelk; }
    int32_t GC() const { return mGC; }

    // Reads the record at `position` (below 1 means 1) of the file named by Source and
    // returns the position behind it, also stored back into the argument. A failed read
    // leaves the parameters and the position as they were.
    int32_t Read(int32_t& position);

    // Takes every parameter of src through this object's property sets.
    void Clone(const clsSimData& src);

    // Lets the user edit the parameters in the simulation wizard; True when the user
    // finished it (the edited values are then in this object). False without a wizard.
    bool UserInputSimParameters();

    // The wizard that UserInputSimParameters shows, installed by the window layer;
    // returns the previous one.
    using Wizard = std::function<bool(clsSimData&)>;
    static Wizard SetWizard(Wizard wizard);

    // Why a simulation cannot run with these values (it would never end or would divide
    // by zero); empty when it can.
    std::string SimulationProblem() const;

    // ---- persistence (the record after a simulated data set's samples) ----
    static constexpr int32_t kRecordBytes = 97;

    int16_t FNo() const override { return mFNo; }
    void setFNo(int16_t v) override { mFNo = v; }
    bool BinaryIO() const override { return mBinaryIO != 0; }
    void setBinaryIO(bool v) override { mBinaryIO = v ? -1 : 0; }
    // The file names to read from and write to; shared by every object of the program
    // that saves itself (the data set and these parameters).
    std::string Source() const override;
    void setSource(const std::string& v) override;
    std::string Target() const override;
    void setTarget(const std::string& v) override;
    // Reads the record from file FNo at the stored position (binary mode only); values
    // outside their accepted ranges fall back to their defaults.
    IOStatus ReadMe() override;
    // Writes the record at the current position of file FNo (binary mode only).
    IOStatus WriteMe() override;

    // Connects the record to the data set's file reader and writer (done when the
    // program loads; callable again).
    static void InstallRecordHooks();

private:
    int16_t mNSamples = 6;
    float mSampSpace = 0.2f;
    float mMinLen = 1.0f;
    float mLCWidth = 2.0f;
    float mMeanK = 0.4f;
    float mCVK = 0.2f;
    float mLinf = 100.0f;
    float mCVLinf = 0.1f;
    float mT0V = -0.1f;
    float mCVT01 = 0.1f;
    float mCVT02 = 0.0f;
    float mMeanC = 0.5f;
    float mCVC = 0.1f;
    float mMeanTS = 0.24f;
    float mCVTS = 0.5f;
    float mMeanNGT = 0.15f;
    float mCVNGT = 0.05f;
    int16_t mNPopSamps = 750;
    float mCVRect = 0.1f;
    float mFVal = 0.2f;
    float mMVal = 0.2f;
    float mSell50 = 10.0f;
    float mCVsel50 = 0.1f;
    float mSELK = 1.0f;
    float mCVSelk = 0.1f;
    int32_t mGC = 0;

    // Refusal texts, loaded once at creation.
    std::string mMsgSamples;     // "Value must be >0 and <50"
    std::string mMsgPositive;    // "Value must be >0"
    std::string mMsgNotNegative; // "Value must be >=0"
    std::string mMsgFraction;    // "Value must be >=0 and <=1"

    int32_t mPosition = 1;
    int16_t mBinaryIO = 0;
    int16_t mFNo = 0;

    [[noreturn]] void Refuse(const std::string& message) const;
};

#endif
