#include "vb/VbFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace vb {
namespace {

struct FileEntry {
    std::FILE* fp = nullptr;
    OpenMode mode = OpenMode::Binary;
    OpenAccess access = OpenAccess::ReadWrite;
    long pos = 0;  // 0-based offset of the next byte
};

std::map<int16_t, FileEntry>& Table() {
    static std::map<int16_t, FileEntry> table;
    return table;
}

[[noreturn]] void Raise(int32_t number) { vb::Raise(number, "Vorn5"); }

// The file error of the system call that just failed: a full disk is "Disk full", not
// any I/O error. A call that failed without saying why counts as an I/O error.
[[noreturn]] void RaiseLastError() { Raise(FileErrorNumber(errno != 0 ? errno : EIO)); }

FileEntry& Entry(int16_t fileNo) {
    auto it = Table().find(fileNo);
    if (it == Table().end()) Raise(errBadFileNumber);
    return it->second;
}

FileEntry& BinaryEntry(int16_t fileNo, bool forWrite, int32_t position) {
    FileEntry& e = Entry(fileNo);
    if (e.mode != OpenMode::Binary) Raise(errBadFileMode);
    if (forWrite && e.access == OpenAccess::Read) Raise(errBadFileMode);
    if (!forWrite && e.access == OpenAccess::Write) Raise(errBadFileMode);
    if (position < 0) Raise(errBadRecordNumber);
    if (position > 0) e.pos = static_cast<long>(position) - 1;
    return e;
}

long Length(FileEntry& e) {
    errno = 0;
    if (std::fflush(e.fp) != 0) RaiseLastError();
    if (std::fseek(e.fp, 0, SEEK_END) != 0) Raise(errDeviceIO);
    const long len = std::ftell(e.fp);
    if (len < 0) Raise(errDeviceIO);
    return len;
}

void ReadRaw(FileEntry& e, void* out, std::size_t count) {
    // Check first, so that a short file reads nothing rather than a part.
    if (e.pos + static_cast<long>(count) > Length(e)) Raise(errInputPastEnd);
    if (std::fseek(e.fp, e.pos, SEEK_SET) != 0) Raise(errDeviceIO);
    if (count != 0 && std::fread(out, 1, count, e.fp) != count) Raise(errDeviceIO);
    e.pos += static_cast<long>(count);
}

// Moving the position flushes what an earlier write left in the buffer, so a full disk
// may show there as well as in the write itself.
void WriteRaw(FileEntry& e, const void* data, std::size_t count) {
    errno = 0;
    if (e.mode == OpenMode::Append) {
        if (std::fseek(e.fp, 0, SEEK_END) != 0) RaiseLastError();
    } else if (std::fseek(e.fp, e.pos, SEEK_SET) != 0) {
        RaiseLastError();
    }
    if (count != 0 && TheStreamCalls().write(data, count, e.fp) != count) RaiseLastError();
    const long now = std::ftell(e.fp);
    if (now < 0) RaiseLastError();
    e.pos = now;
}

template <class T>
T GetValue(int16_t fileNo, int32_t position) {
    FileEntry& e = BinaryEntry(fileNo, false, position);
    uint8_t b[sizeof(T)];
    ReadRaw(e, b, sizeof(T));
    // Little-endian on disk whatever the host.
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U u = 0;
    for (std::size_t k = 0; k < sizeof(T); ++k) u |= static_cast<U>(static_cast<U>(b[k]) << (8 * k));
    T v;
    std::memcpy(&v, &u, sizeof(T));
    return v;
}

template <class T>
void PutValue(int16_t fileNo, T v, int32_t position) {
    FileEntry& e = BinaryEntry(fileNo, true, position);
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U u;
    std::memcpy(&u, &v, sizeof(T));
    uint8_t b[sizeof(T)];
    for (std::size_t k = 0; k < sizeof(T); ++k) b[k] = static_cast<uint8_t>(u >> (8 * k));
    WriteRaw(e, b, sizeof(T));
}

// Code page 1252, bytes 0x80..0x9F. The five bytes without a character map to the
// control characters of the same number, as the system conversion does, so every byte
// survives a round trip.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character starting at s[k]: its length in bytes, or 0 when the bytes there are not
// a well-formed character (a stray or missing continuation byte, an overlong form such as
// C0 8D for CR, a surrogate or a value above U+10FFFF).
std::size_t DecodeUtf8(std::string_view s, std::size_t k, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[k]);
    std::size_t n = 0;
    char32_t least = 0;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        c = b0 & 0x1F, n = 2, least = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        c = b0 & 0x0F, n = 3, least = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        c = b0 & 0x07, n = 4, least = 0x10000;
    } else {
        return 0;
    }
    if (k + n > s.size()) return 0;
    for (std::size_t m = 1; m < n; ++m) {
        const auto b = static_cast<unsigned char>(s[k + m]);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

int32_t FileErrorNumber(int err) {
    switch (err) {
    case ENOENT: return errFileNotFound;
    case ENOTDIR: return errPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return errPermissionDenied;
    case ENOSPC:
    case EDQUOT: return errDiskFull;
    case EIO: return errDeviceIO;
    case ENAMETOOLONG: return errBadFileName;
    case EMFILE:
    case ENFILE: return 67;
    default: return errPathAccess;  // EISDIR among others
    }
}

bool IsFileError(int32_t number) { return number >= errBadFileNumber && number <= errPathNotFound; }

StreamCalls& TheStreamCalls() {
    static StreamCalls calls{
        [](const void* data, std::size_t count, std::FILE* fp) { return std::fwrite(data, 1, count, fp); },
        [](std::FILE* fp) { return std::fclose(fp); }};
    return calls;
}

int16_t FreeFile() {
    for (int16_t n = 1; n <= 255; ++n) {
        if (!Table().contains(n)) return n;
    }
    Raise(67);
}

void Open(const std::string& path, OpenMode mode, int16_t fileNo, OpenAccess access) {
    if (fileNo < 1 || fileNo > 511) Raise(errBadFileNumber);
    if (Table().contains(fileNo)) Raise(errFileAlreadyOpen);
    if (path.empty()) Raise(errBadFileNumber);
    std::FILE* fp = nullptr;
    switch (mode) {
    case OpenMode::Input:
        fp = std::fopen(path.c_str(), "rb");
        access = OpenAccess::Read;
        break;
    case OpenMode::Output:
        fp = std::fopen(path.c_str(), "wb");
        access = OpenAccess::Write;
        break;
    case OpenMode::Append:
        fp = std::fopen(path.c_str(), "ab");
        access = OpenAccess::Write;
        break;
    case OpenMode::Binary:
        if (access == OpenAccess::Read) {
            fp = std::fopen(path.c_str(), "rb");
        } else {
            fp = std::fopen(path.c_str(), "r+b");
            if (!fp && errno == ENOENT) fp = std::fopen(path.c_str(), "w+b");
        }
        break;
    }
    if (!fp) {
        const int e = errno;
        if (e == ENOENT) {
            std::error_code ec;
            const auto parent = std::filesystem::path(path).parent_path();
            if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) Raise(errPathNotFound);
        }
        Raise(FileErrorNumber(e));
    }
    FileEntry e;
    e.fp = fp;
    e.mode = mode;
    e.access = access;
    if (mode == OpenMode::Append) e.pos = Length(e);
    Table()[fileNo] = e;
}

void Close(int16_t fileNo) {
    auto it = Table().find(fileNo);
    if (it == Table().end()) return;
    std::FILE* fp = it->second.fp;
    Table().erase(it);
    errno = 0;
    if (TheStreamCalls().close(fp) != 0) RaiseLastError();  // a failed flush means lost data
}

FileNumber::~FileNumber() {
    if (closed_) return;
    try {
        vb::Close(no_);
    } catch (const VbError&) {
        // Deliberately dropped: the error that left the scope is the one to report.
    }
}

void FileNumber::Close() {
    closed_ = true;
    vb::Close(no_);
}

void CloseAll() {
    while (!Table().empty()) {
        auto it = Table().begin();
        std::fclose(it->second.fp);
        Table().erase(it);
    }
}

bool IsOpen(int16_t fileNo) { return Table().contains(fileNo); }

int32_t LOF(int16_t fileNo) { return static_cast<int32_t>(Length(Entry(fileNo))); }

bool EndOfFile(int16_t fileNo) {
    FileEntry& e = Entry(fileNo);
    return e.pos >= Length(e);
}

int32_t Seek(int16_t fileNo) { return static_cast<int32_t>(Entry(fileNo).pos + 1); }

void Seek(int16_t fileNo, int32_t position) {
    FileEntry& e = Entry(fileNo);
    if (position < 1) Raise(errBadRecordNumber);
    e.pos = static_cast<long>(position) - 1;
}

std::vector<uint8_t> GetBytes(int16_t fileNo, std::size_t count, int32_t position) {
    FileEntry& e = BinaryEntry(fileNo, false, position);
    std::vector<uint8_t> out(count);
    ReadRaw(e, out.data(), count);
    return out;
}

uint8_t GetByte(int16_t fileNo, int32_t position) { return GetValue<uint8_t>(fileNo, position); }
int16_t GetInteger(int16_t fileNo, int32_t position) { return GetValue<int16_t>(fileNo, position); }
int32_t GetLong(int16_t fileNo, int32_t position) { return GetValue<int32_t>(fileNo, position); }
float GetSingle(int16_t fileNo, int32_t position) { return GetValue<float>(fileNo, position); }
double GetDouble(int16_t fileNo, int32_t position) { return GetValue<double>(fileNo, position); }

std::string GetString(int16_t fileNo, std::size_t length, int32_t position) {
    FileEntry& e = BinaryEntry(fileNo, false, position);
    std::string out(length, '\0');
    ReadRaw(e, out.data(), length);
    return out;
}

void PutBytes(int16_t fileNo, std::span<const uint8_t> bytes, int32_t position) {
    FileEntry& e = BinaryEntry(fileNo, true, position);
    WriteRaw(e, bytes.data(), bytes.size());
}

void PutByte(int16_t fileNo, uint8_t v, int32_t position) { PutValue(fileNo, v, position); }
void PutInteger(int16_t fileNo, int16_t v, int32_t position) { PutValue(fileNo, v, position); }
void PutLong(int16_t fileNo, int32_t v, int32_t position) { PutValue(fileNo, v, position); }
void PutSingle(int16_t fileNo, float v, int32_t position) { PutValue(fileNo, v, position); }
void PutDouble(int16_t fileNo, double v, int32_t position) { PutValue(fileNo, v, position); }

void PutString(int16_t fileNo, std::string_view bytes, int32_t position) {
    FileEntry& e = BinaryEntry(fileNo, true, position);
    WriteRaw(e, bytes.data(), bytes.size());
}

std::string LineInput(int16_t fileNo) {
    FileEntry& e = Entry(fileNo);
    if (e.mode != OpenMode::Input && e.mode != OpenMode::Binary) Raise(errBadFileMode);
    const long len = Length(e);
    if (e.pos >= len) Raise(errInputPastEnd);
    if (std::fseek(e.fp, e.pos, SEEK_SET) != 0) Raise(errDeviceIO);
    std::string line;
    while (e.pos < len) {
        const int c = std::fgetc(e.fp);
        if (c == EOF) Raise(errDeviceIO);
        ++e.pos;
        if (c == '\n') break;
        if (c == '\r') {
            if (e.pos < len) {
                const int d = std::fgetc(e.fp);
                if (d == '\n') ++e.pos;
            }
            break;
        }
        line += static_cast<char>(c);
    }
    return line;
}

void Print(int16_t fileNo, std::string_view text, bool newline) {
    FileEntry& e = Entry(fileNo);
    if (e.mode == OpenMode::Input || e.access == OpenAccess::Read) Raise(errBadFileMode);
    std::string out(text);
    if (newline) out += "\r\n";
    WriteRaw(e, out.data(), out.size());
}

std::string Utf8ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t k = 0;
    while (k < s.size()) {
        char32_t c = 0;
        const std::size_t n = DecodeUtf8(s, k, c);
        if (n == 0) {
            out += '?';  // not a well-formed character: one byte is replaced
            ++k;
            continue;
        }
        k += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int m = 0; m < 32; ++m) {
            if (kCp1252High[m] == c) {
                mapped = static_cast<char>(0x80 + m);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

bool IsValidUtf8(std::string_view s) {
    char32_t c = 0;
    for (std::size_t k = 0, n = 0; k < s.size(); k += n) {
        n = DecodeUtf8(s, k, c);
        if (n == 0) return false;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out += ch;
        else if (b < 0xA0) AppendUtf8(out, kCp1252High[b - 0x80]);
        else AppendUtf8(out, b);
    }
    return out;
}

}  // namespace vb
