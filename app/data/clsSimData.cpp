#include "clsSimData.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "StringTable.h"
#include "clsVorn.h"
#include "modObjIO.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int32_t kErrBadValue = 1009;
constexpr const char* kSource = "clsSimData";

clsSimData::Wizard& wizardSlot() {
    static clsSimData::Wizard w;
    return w;
}

int16_t getInt16(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[at]) | (static_cast<uint16_t>(b[at + 1]) << 8));
}

float getSingle(const std::vector<uint8_t>& b, std::size_t at) {
    uint32_t bits = static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
                    (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void putInt16(std::vector<uint8_t>& b, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    b.push_back(static_cast<uint8_t>(u & 0xFF));
    b.push_back(static_cast<uint8_t>(u >> 8));
}

void putSingle(std::vector<uint8_t>& b, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>((bits >> (8 * k)) & 0xFF));
}

}  // namespace

clsSimData::clsSimData()
    : mMsgSamples(res::LoadResString(201)),
      mMsgPositive(res::LoadResString(202)),
      mMsgNotNegative(res::LoadResString(203)),
      mMsgFraction(res::LoadResString(204)) {}

void clsSimData::Refuse(const std::string& message) const { throw VbError(kErrBadValue, kSource, message); }

// ---- property sets ----

void clsSimData::setNSamples(int16_t v) {
    if (!(v > 0 && v < 50)) Refuse(mMsgSamples);
    mNSamples = v;
}
void clsSimData::setSampSpace(float v) {
    if (!(v > 0.0f)) Refuse(mMsgPositive);
    mSampSpace = v;
}
void clsSimData::setMinLen(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mMinLen = v;
}
void clsSimData::setLCWidth(float v) {
    if (!(v > 0.0f)) Refuse(mMsgPositive);
    mLCWidth = v;
}
void clsSimData::setMeanK(float v) {
    if (!(v > 0.0f)) Refuse(mMsgPositive);
    mMeanK = v;
}
void clsSimData::setCVK(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVK = v;
}
void clsSimData::setLinf(float v) {
    if (!(v > 0.0f)) Refuse(mMsgPositive);
    mLinf = v;
}
void clsSimData::setCVLinf(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVLinf = v;
}
void clsSimData::setT0V(float v) { mT0V = v; }
void clsSimData::setCVT01(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVT01 = v;
}
void clsSimData::setCVT02(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVT02 = v;
}
void clsSimData::setMeanC(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mMeanC = v;
}
void clsSimData::setCVC(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVC = v;
}
void clsSimData::setMeanTS(float v) {
    if (!(v >= 0.0f && v <= 1.0f)) Refuse(mMsgFraction);
    mMeanTS = v;
}
void clsSimData::setCVTS(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVTS = v;
}
void clsSimData::setMeanNGT(float v) {
    if (!(v >= 0.0f && v <= 1.0f)) Refuse(mMsgFraction);
    mMeanNGT = v;
}
void clsSimData::setCVNGT(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVNGT = v;
}
void clsSimData::setNPopSamps(int16_t v) {
    if (!(v >= 1)) Refuse(mMsgPositive);
    mNPopSamps = v;
}
void clsSimData::setCVRect(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVRect = v;
}
void clsSimData::setFVal(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mFVal = v;
}
void clsSimData::setMVal(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mMVal = v;
}
void clsSimData::setSell50(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mSell50 = v;
}
void clsSimData::setCVsel50(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVsel50 = v;
}
void clsSimData::setSELK(float v) {
    if (!(v > 0.0f)) Refuse(mMsgPositive);
    mSELK = v;
}
void clsSimData::setCVSelk(float v) {
    if (!(v >= 0.0f)) Refuse(mMsgNotNegative);
    mCVSelk = v;
}
void clsSimData::setGC(int32_t v) { mGC = v; }

// ---- methods ----

int32_t clsSimData::Read(int32_t& position) {
    if (position < 1) position = 1;
    mPosition = position;
    modObjIO::ReadObj(*this);
    position = mPosition;
    return mPosition;
}

void clsSimData::Clone(const clsSimData& src) {
    setNPopSamps(src.NPopSamps());
    setNSamples(src.NSamples());
    setMinLen(src.MinLen());
    setSampSpace(src.SampSpace());
    setLCWidth(src.LCWidth());
    setGC(src.GC());
    setMeanK(src.MeanK());
    setCVK(src.CVK());
    setLinf(src.Linf());
    setCVLinf(src.CVLinf());
    setFVal(src.FVal());
    setMVal(src.MVal());
    setCVsel50(src.CVsel50());
    setSell50(src.Sell50());
    setSELK(src.SELK());
    setCVSelk(src.CVSelk());
    setCVRect(src.CVRect());
    setMeanNGT(src.MeanNGT());
    setCVNGT(src.CVNGT());
    setMeanTS(src.MeanTS());
    setCVTS(src.CVTS());
    setMeanC(src.MeanC());
    setCVC(src.CVC());
    setT0V(src.T0V());
    setCVT01(src.CVT01());
    setCVT02(src.CVT02());
}

bool clsSimData::UserInputSimParameters() {
    auto& w = wizardSlot();
    if (!w) return false;
    return w(*this);
}

clsSimData::Wizard clsSimData::SetWizard(Wizard wizard) { return std::exchange(wizardSlot(), std::move(wizard)); }

std::string clsSimData::SimulationProblem() const {
    // Cohort Ts and NGT are redrawn until they lie below 1: a mean of 1 without variation
    // never gets there.
    if (mMeanTS >= 1.0f && mCVTS == 0.0f) return "The mean Ts must be below 1 when its CV is 0.";
    if (mMeanNGT >= 1.0f && mCVNGT == 0.0f) return "The mean NGT must be below 1 when its CV is 0.";
    // Every fish must be able to grow beyond the length at 50% selectivity.
    if (!(mSell50 < mLinf)) return "L50 must be smaller than Linf.";
    const float z = mMVal + mFVal;
    if (!(z > 0.0f)) return "Fishing and natural mortality must not both be 0.";
    // The cohorts born before the first sample (one per year of sampling) and the
    // floor(-ln(0.01) / Z) + 1 after it are counted in 16 bits.
    const double span = std::floor(static_cast<float>(mNSamples - 1) * mSampSpace);
    const double cohorts = std::floor(-std::log(0.01) / static_cast<double>(z)) + 1.0 + span;
    if (!(cohorts <= 32767.0))
        return "The simulation would need more than 32767 cohorts: raise the mortality or shorten the "
               "time between distributions.";
    if (mGC < 0 || mGC > 2) return "The growth curve must be 0, 1 or 2.";
    return {};
}

// ---- persistence ----

// Source and Target are shared with the data set: one pair for the whole program.
std::string clsSimData::Source() const { return modObjIO::SharedSource(); }
void clsSimData::setSource(const std::string& v) { modObjIO::SharedSource() = v; }
std::string clsSimData::Target() const { return modObjIO::SharedTarget(); }
void clsSimData::setTarget(const std::string& v) { modObjIO::SharedTarget() = v; }

IOStatus clsSimData::ReadMe() {
    try {
        if (BinaryIO()) {
            // Read the whole record first, so a short file changes nothing.
            const auto b = vb::GetBytes(mFNo, kRecordBytes, mPosition);
            if (static_cast<int32_t>(b.size()) != kRecordBytes)
                vb::Raise(vb::errInputPastEnd, kSource);

            float head[16];
            for (int k = 0; k < 16; ++k) head[k] = getSingle(b, 2 + 4 * static_cast<std::size_t>(k));
            float tail[7];
            for (int k = 0; k < 7; ++k) tail[k] = getSingle(b, 68 + 4 * static_cast<std::size_t>(k));

            // A value the property would refuse (a damaged or foreign record), or one
            // that is not a finite number, falls back to its default rather than
            // reaching the simulation.
            const clsSimData def;
            auto takeS = [](float& field, float defaultValue, float v, auto&& set) {
                field = defaultValue;
                if (!std::isfinite(v)) return;
                try {
                    set(v);
                } catch (const VbError&) {
                }
            };
            auto takeI = [](int16_t& field, int16_t defaultValue, int16_t v, auto&& set) {
                field = defaultValue;
                try {
                    set(v);
                } catch (const VbError&) {
                }
            };
            takeI(mNSamples, def.mNSamples, getInt16(b, 0), [&](int16_t v) { setNSamples(v); });
            takeS(mSampSpace, def.mSampSpace, head[0], [&](float v) { setSampSpace(v); });
            takeS(mMinLen, def.mMinLen, head[1], [&](float v) { setMinLen(v); });
            takeS(mLCWidth, def.mLCWidth, head[2], [&](float v) { setLCWidth(v); });
            takeS(mMeanK, def.mMeanK, head[3], [&](float v) { setMeanK(v); });
            takeS(mCVK, def.mCVK, head[4], [&](float v) { setCVK(v); });
            takeS(mLinf, def.mLinf, head[5], [&](float v) { setLinf(v); });
            takeS(mCVLinf, def.mCVLinf, head[6], [&](float v) { setCVLinf(v); });
            takeS(mT0V, def.mT0V, head[7], [&](float v) { setT0V(v); });
            takeS(mCVT01, def.mCVT01, head[8], [&](float v) { setCVT01(v); });
            takeS(mCVT02, def.mCVT02, head[9], [&](float v) { setCVT02(v); });
            takeS(mMeanC, def.mMeanC, head[10], [&](float v) { setMeanC(v); });
            takeS(mCVC, def.mCVC, head[11], [&](float v) { setCVC(v); });
            takeS(mMeanTS, def.mMeanTS, head[12], [&](float v) { setMeanTS(v); });
            takeS(mCVTS, def.mCVTS, head[13], [&](float v) { setCVTS(v); });
            takeS(mMeanNGT, def.mMeanNGT, head[14], [&](float v) { setMeanNGT(v); });
            takeS(mCVNGT, def.mCVNGT, head[15], [&](float v) { setCVNGT(v); });
            takeI(mNPopSamps, def.mNPopSamps, getInt16(b, 66), [&](int16_t v) { setNPopSamps(v); });
            takeS(mCVRect, def.mCVRect, tail[0], [&](float v) { setCVRect(v); });
            takeS(mFVal, def.mFVal, tail[1], [&](float v) { setFVal(v); });
            takeS(mMVal, def.mMVal, tail[2], [&](float v) { setMVal(v); });
            takeS(mSell50, def.mSell50, tail[3], [&](float v) { setSell50(v); });
            takeS(mCVsel50, def.mCVsel50, tail[4], [&](float v) { setCVsel50(v); });
            takeS(mSELK, def.mSELK, tail[5], [&](float v) { setSELK(v); });
            takeS(mCVSelk, def.mCVSelk, tail[6], [&](float v) { setCVSelk(v); });
            mGC = b[96];
        }
        mPosition = vb::Seek(mFNo);
        return eioSuccess;
    } catch (const VbError&) {
        // A record that cannot be read is reported by the result only.
        return eioFail;
    }
}

IOStatus clsSimData::WriteMe() {
    try {
        if (BinaryIO()) {
            std::vector<uint8_t> b;
            b.reserve(kRecordBytes);
            putInt16(b, mNSamples);
            for (float v : {mSampSpace, mMinLen, mLCWidth, mMeanK, mCVK, mLinf, mCVLinf, mT0V, mCVT01, mCVT02,
                            mMeanC, mCVC, mMeanTS, mCVTS, mMeanNGT, mCVNGT})
                putSingle(b, v);
            putInt16(b, mNPopSamps);
            for (float v : {mCVRect, mFVal, mMVal, mSell50, mCVsel50, mSELK, mCVSelk}) putSingle(b, v);
            // The curve is one byte in the record.
            if (mGC < 0 || mGC > 255) vb::Raise(6, kSource);
            b.push_back(static_cast<uint8_t>(mGC));
            vb::PutBytes(mFNo, b);
        }
        mPosition = vb::Seek(mFNo);
        return eioSuccess;
    } catch (const VbError&) {
        return eioFail;
    }
}

void clsSimData::InstallRecordHooks() {
    clsVorn::SimRecordHooks hooks;
    hooks.read = [](clsVorn& set, int32_t position) {
        clsSimData& sim = set.SimData();
        sim.setBinaryIO(true);
        int32_t p = position;
        sim.Read(p);
    };
    hooks.write = [](clsVorn& set, int16_t fileNo) {
        clsSimData& sim = set.SimData();
        sim.setBinaryIO(true);
        sim.setFNo(fileNo);
        if (sim.WriteMe() != eioSuccess)
            throw VbError(vbObjectError + 2254, kSource, "Unable to write the simulation parameters.");
    };
    clsVorn::SetSimRecordHooks(std::move(hooks));
}

// The data set's own parameter object, made on first use.
clsSimData& clsVorn::SimData() {
    if (!mSimData) mSimData = std::make_shared<clsSimData>();
    return *mSimData;
}

void clsVorn::InitialiseSimData(const clsSimData& src) { SimData().Clone(src); }

