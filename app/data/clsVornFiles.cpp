// The data set's binary data files: header, body, Save and OpenFile, and the IObjectIO
// side used by the read and write drivers. Text files are in clsVornText.cpp.
//
// Body of a current-version file, behind the 11-byte header (little-endian):
//   NumDists (byte), NumClasses (byte), MinLength, ClassSize (singles), description
//   (255 bytes, code page 1252, space padded), DataSource (byte), 1 + 26 zero bytes,
//   then per sample its time and exactly 101 singles (-1.0 behind the last class).
// The previous version differs only in the description: a length byte and 40 bytes.
#include <cstring>
#include <filesystem>

#include "clsSimData.h"
#include "clsVorn.h"
#include "files/WholeFile.h"
#include "modHald.h"
#include "modObjIO.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kVn5Head = 293;   // body bytes before the first sample
constexpr int32_t kVn4Head = 79;
constexpr int32_t kSampleBytes = 408;
constexpr int kStoredClasses = 101;
constexpr int32_t kSimRecordBytes = 97;

// The simulation parameters install their record reader and writer on first use, so every
// program that reads or writes data files gets them, whatever else it links.
clsVorn::SimRecordHooks& Hooks() {
    static clsVorn::SimRecordHooks hooks;
    static bool installing = false;
    if (!installing) {
        installing = true;
        clsSimData::InstallRecordHooks();
    }
    return hooks;
}

[[noreturn]] void Corrupt(const std::string& what) {
    throw VbError(vbObjectError + 2253, "clsVorn.ReadMe", what);
}

std::string Num(double v) { return vb::CStr(v); }

}  // namespace

void clsVorn::SetSimRecordHooks(SimRecordHooks hooks) { Hooks() = std::move(hooks); }
const clsVorn::SimRecordHooks& clsVorn::GetSimRecordHooks() { return Hooks(); }

std::string clsVorn::Source() const { return modObjIO::SharedSource(); }
void clsVorn::setSource(const std::string& v) { modObjIO::SharedSource() = v; }
std::string clsVorn::Target() const { return modObjIO::SharedTarget(); }
void clsVorn::setTarget(const std::string& v) { modObjIO::SharedTarget() = v; }

void clsVorn::StartRead(int32_t start) { mPosition = start < 1 ? 1 : start; }

// ---- IObjectIO ----

IOStatus clsVorn::WriteMe() {
    mLastIOError.clear();
    mLastIOErrorNumber = 0;
    try {
        mStatus = 1;
        vb::Seek(mFNo, mPosition);
        if (mBinaryIO) WriteBinaryBody();
        else WriteTextBody();
        mPosition = vb::Seek(mFNo);
        return eioSuccess;
    } catch (const VbError& e) {
        mLastIOError = e.Description;
        mLastIOErrorNumber = e.Number;
    } catch (const std::exception& e) {
        mLastIOError = e.what();
    }
    return eioFail;
}

IOStatus clsVorn::ReadMe() {
    mLastIOError.clear();
    try {
        mStatus = 1;
        vb::Seek(mFNo, mPosition);
        if (mBinaryIO) ReadBinaryBody();
        else ReadTextBody();
        mPosition = vb::Seek(mFNo);
        mIsDirty = false;
        return eioSuccess;
    } catch (const VbError& e) {
        mLastIOError = e.Description;
    } catch (const std::exception& e) {
        mLastIOError = e.what();
    }
    return eioFail;
}

void clsVorn::CheckFileLimits(const char* proc, bool binary) const {
    std::string why = ContentFault();
    if (why.empty() && binary) {
        if (mNumDists > kMaxFileDists)
            why = "it has " + Num(mNumDists) + " samples; a data file holds at most " + Num(kMaxFileDists);
        else if (mNumClasses > kMaxFileClasses)
            why = "it has " + Num(mNumClasses) + " length classes; a data file holds at most " + Num(kMaxFileClasses);
        else if (mDataSource < 0 || mDataSource > 255)
            why = "its source code " + Num(mDataSource) + " does not fit the file";
    }
    if (why.empty() && !binary) why = TextFault();
    if (!why.empty()) {
        throw VbError(vbObjectError + 2254, std::string("clsVorn.") + proc,
                      std::string(binary ? "The data set cannot be saved: " : "The data set cannot be exported: ") +
                          why + ".");
    }
}

void clsVorn::WriteBinaryBody() {
    CheckFileLimits("WriteMe", true);  // includes the arrays matching the size
    vb::PutByte(mFNo, static_cast<uint8_t>(mNumDists));
    vb::PutByte(mFNo, static_cast<uint8_t>(mNumClasses));
    vb::PutSingle(mFNo, mMinLength);
    vb::PutSingle(mFNo, mClassSize);
    // 255 characters in the code page, one byte each.
    const std::string desc = vb::Utf8ToCp1252(mFileDesc);
    std::string fixed = desc.substr(0, std::min<std::size_t>(desc.size(), 255));
    fixed.resize(255, ' ');
    vb::PutString(mFNo, fixed);
    vb::PutByte(mFNo, static_cast<uint8_t>(mDataSource));
    const std::vector<uint8_t> zeros(27, 0);
    vb::PutBytes(mFNo, zeros);
    std::vector<uint8_t> sample(kSampleBytes);
    for (int i = 1; i <= mNumDists; ++i) {
        const auto put = [&sample](int at, float v) {
            uint32_t u;
            std::memcpy(&u, &v, 4);
            for (int k = 0; k < 4; ++k) sample[at + k] = static_cast<uint8_t>(u >> (8 * k));
        };
        put(0, mSTime[i]);
        for (int j = 1; j <= kStoredClasses; ++j) {
            put(4 * j, j <= mNumClasses ? mDists[DistIndex(i, j)] : -1.0f);
        }
        vb::PutBytes(mFNo, sample);
    }
    if (mDataSource == 2 && Hooks().write) Hooks().write(*this, mFNo);
}

void clsVorn::ReadBinaryBody() {
    const std::string ext = modHald::Extension4(Source());
    const bool vn4 = ext == ".VN4";
    if (!vn4 && ext != ".VN5") Corrupt("The file " + Source() + " is not a data file (.vn5 or .vn4).");
    const int32_t head = vn4 ? kVn4Head : kVn5Head;
    const int32_t start = vb::Seek(mFNo);
    const int32_t length = vb::LOF(mFNo);
    if (length - (start - 1) < head) {
        Corrupt("The file is too short for a data set: it ends inside the header of its data.");
    }
    const int nd = vb::GetByte(mFNo);
    const int nc = vb::GetByte(mFNo);
    const float minLen = vb::GetSingle(mFNo);
    const float classSize = vb::GetSingle(mFNo);
    if (nd < 1) Corrupt("The file holds no samples.");
    if (nc < 1 || nc > kStoredClasses) {
        Corrupt("The file gives " + Num(nc) + " length classes; a data file holds 1 to 101.");
    }
    const int64_t need = static_cast<int64_t>(head) + static_cast<int64_t>(kSampleBytes) * nd;
    if (length - (start - 1) < need) {
        Corrupt("The file is shorter than its header says: " + Num(nd) + " samples need " +
                Num(static_cast<double>(need + start - 1)) + " bytes, the file has " + Num(length) + ".");
    }

    std::string desc;
    if (vn4) {
        desc = modHald::BytesToString(vb::GetBytes(mFNo, 41));  // the length byte is capped at 40
    } else {
        desc = vb::Cp1252ToUtf8(vb::GetString(mFNo, 255));
    }
    desc = modHald::FixedString(desc, 255);
    const int source = vb::GetByte(mFNo);
    vb::GetBytes(mFNo, 27);

    mNumClasses = static_cast<int16_t>(nc);
    mNumDists = static_cast<int16_t>(nd);
    mMinLength = minLen;
    mClassSize = classSize;
    setFileDesc(desc);
    mDataSource = source;
    ReDimArrays();
    for (int i = 1; i <= nd; ++i) {
        const std::vector<uint8_t> b = vb::GetBytes(mFNo, kSampleBytes);
        const auto get = [&b](int at) {
            uint32_t u = 0;
            for (int k = 0; k < 4; ++k) u |= static_cast<uint32_t>(b[at + k]) << (8 * k);
            float v;
            std::memcpy(&v, &u, 4);
            return v;
        };
        mSTime[i] = get(0);
        for (int j = 1; j <= nc; ++j) mDists[DistIndex(i, j)] = get(4 * j);
    }
    if (const std::string why = ContentFault(); !why.empty()) Corrupt("The data set in the file is not valid: " + why + ".");
    SortSamplesByTime();  // a set imported out of order may have been saved so
}

// ---- Save and OpenFile ----

void clsVorn::WriteThroughTemp(const std::string& path, bool binary, const char* proc) {
    // Refuse what the file cannot hold before anything is written.
    CheckFileLimits(proc, binary);
    const std::string where = std::string("clsVorn.") + proc;
    if (path.empty()) throw VbError(52, where, "No file name is given.");

    // A file error while the temporary file is written (a full disk, a failed flush at
    // closing) is the file's own: it names the file, as the writer's steps do.
    const auto fileError = [&](int32_t number) { return VbError(number, where, vb::ErrorText(number) + ": " + path); };

    // The header and body go to the writer's temporary file, which replaces the file only
    // when all of it was written and synced.
    files::WriteWholeFile(path, [&](const std::string& tmp) {
        const std::string oldTarget = Target();
        IOStatus status = eioAbort;
        try {
            if (binary) {
                modHald::WriteFileHeader(tmp, modHald::ftVN5);
                mPosition = modHald::kHeaderSize + 1;
            } else {
                mPosition = 1;
            }
            setTarget(tmp);
            setBinaryIO(binary);
            status = modObjIO::WriteObj(*this);
        } catch (const VbError& e) {
            setTarget(oldTarget);
            if (vb::IsFileError(e.Number)) throw fileError(e.Number);
            throw;
        } catch (...) {
            setTarget(oldTarget);
            throw;
        }
        setTarget(oldTarget);
        if (status == eioFail && vb::IsFileError(mLastIOErrorNumber)) throw fileError(mLastIOErrorNumber);
        if (status == eioFail) {
            throw VbError(vbObjectError + 2254, where,
                          std::string(modObjIO::kWriteObjFailure) + " " + mLastIOError);
        }
    });
}

void clsVorn::Save() {
    WriteThroughTemp(mFileName, true, "Save");
    mIsDirty = false;
    mDataSource = 5;  // after the body was written: the file keeps the set's own source
}

void clsVorn::AdoptFrom(clsVorn& other) {
    mFileDesc = std::move(other.mFileDesc);
    mDataSource = other.mDataSource;
    mMaxLength = other.mMaxLength;
    mStatus = other.mStatus;
    mIsDirty = other.mIsDirty;
    mFNZero = std::move(other.mFNZero);
    mNTotal = std::move(other.mNTotal);
    mASP = std::move(other.mASP);
    mNumClasses = other.mNumClasses;
    mNumDists = other.mNumDists;
    mMinLength = other.mMinLength;
    mClassSize = other.mClassSize;
    mDists = std::move(other.mDists);
    mDimDists = other.mDimDists;
    mDimClasses = other.mDimClasses;
    mSTime = std::move(other.mSTime);
    mTmin = std::move(other.mTmin);
    mLBounds = std::move(other.mLBounds);
    mLinf = other.mLinf;
    mK = other.mK;
    mt0 = other.mt0;
    if (other.mSimData) mSimData = std::move(other.mSimData);
    mBinaryIO = other.mBinaryIO;
    mFNo = other.mFNo;
    mPosition = other.mPosition;
    mLastIOError.clear();
}

void clsVorn::OpenFile(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        throw VbError(53, "clsVorn.OpenFile", "File not found: " + path);
    }
    const uint8_t type = modHald::GetFileType(path);
    int32_t start = 0;
    bool binary = true;
    if (type == modHald::ftVN4 || type == modHald::ftVN5) {
        start = modHald::kHeaderSize + 1;
    } else if (type == modHald::ftText) {
        binary = false;
        start = 1;
    } else {
        throw VbError(1009, "clsVorn.OpenFile", "Wrong FileType Error");
    }

    // Read into a fresh data set and take it over only when the whole read succeeded,
    // so a failed open leaves this one exactly as it was.
    clsVorn fresh;
    fresh.mClassSize = mClassSize;   // a text file with one class line keeps the size
    fresh.mMinLength = mMinLength;
    fresh.setBinaryIO(binary);
    fresh.setSource(path);
    fresh.StartRead(start);
    const IOStatus status = modObjIO::ObjIO(fresh, true);
    if (status == eioFail) {
        throw VbError(vbObjectError + 2253, "clsVorn.OpenFile",
                      std::string(modObjIO::kReadObjFailure) + " " + fresh.mLastIOError);
    }

    // The simulation record follows the body only when there is room for it; a file
    // saved without one keeps the default simulation parameters.
    if (fresh.mDataSource == 2 && binary && Hooks().read) {
        const auto size = fs::file_size(path, ec);
        if (!ec && static_cast<int64_t>(size) - (fresh.mPosition - 1) >= kSimRecordBytes) {
            Hooks().read(fresh, fresh.mPosition);
        }
    }
    fresh.Refresh();
    AdoptFrom(fresh);
    mIsDirty = false;
    setFileName(path);
}
