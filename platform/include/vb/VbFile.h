#ifndef VBFILE_H
#define VBFILE_H
// File-number input and output as the program's file code expects it: FreeFile, Open for
// Input/Output/Append/Binary, Close, Get and Put of bytes and numbers at a 1-based
// position or at the current one, Seek, LOF, EOF, Line Input and Print#.
//
// Numbers are little-endian (Integer = int16, Long = int32, Single, Double). Reading
// past the end of a file raises error 62 ("Input past end of file") and reads nothing:
// a short file never turns into zeros. Text is handled as raw bytes; the code-page
// conversions for the 1252-encoded description are below.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vb {

enum class OpenMode { Input, Output, Append, Binary };
enum class OpenAccess { ReadWrite, Read, Write };

// Run-time error numbers raised by this layer.
inline constexpr int32_t errBadFileNumber = 52;
inline constexpr int32_t errFileNotFound = 53;
inline constexpr int32_t errBadFileMode = 54;
inline constexpr int32_t errFileAlreadyOpen = 55;
inline constexpr int32_t errDeviceIO = 57;
inline constexpr int32_t errDiskFull = 61;
inline constexpr int32_t errInputPastEnd = 62;
inline constexpr int32_t errBadRecordNumber = 63;
inline constexpr int32_t errBadFileName = 64;
inline constexpr int32_t errPermissionDenied = 70;
inline constexpr int32_t errPathAccess = 75;
inline constexpr int32_t errPathNotFound = 76;

// The runtime's file-error number for a system error code (errno): 53 no such file,
// 76 no such folder, 70 permission denied, 61 disk full, 57 I/O error, 64 name too long,
// 67 too many open files, 75 any other.
int32_t FileErrorNumber(int err);
// Whether `number` is one of the runtime's file errors (52 to 76).
bool IsFileError(int32_t number);

// The lowest file number (1..255) not in use; raises 67 when all are taken.
int16_t FreeFile();

// Opens path under fileNo. Input and Read-only Binary need an existing file (53);
// Output empties or creates it; Append and writable Binary create it when missing and
// keep its contents. Raises 55 when fileNo is in use.
void Open(const std::string& path, OpenMode mode, int16_t fileNo,
          OpenAccess access = OpenAccess::ReadWrite);
void Close(int16_t fileNo);       // closing a number that is not open does nothing
void CloseAll();
bool IsOpen(int16_t fileNo);

int32_t LOF(int16_t fileNo);                  // length in bytes
bool EndOfFile(int16_t fileNo);               // EOF(): no byte left at the current position
int32_t Seek(int16_t fileNo);                 // 1-based position of the next byte
void Seek(int16_t fileNo, int32_t position);  // position >= 1 (63 otherwise)

// Binary reads and writes; position 0 means the current position, otherwise 1-based.
std::vector<uint8_t> GetBytes(int16_t fileNo, std::size_t count, int32_t position = 0);
uint8_t GetByte(int16_t fileNo, int32_t position = 0);
int16_t GetInteger(int16_t fileNo, int32_t position = 0);
int32_t GetLong(int16_t fileNo, int32_t position = 0);
float GetSingle(int16_t fileNo, int32_t position = 0);
double GetDouble(int16_t fileNo, int32_t position = 0);
std::string GetString(int16_t fileNo, std::size_t length, int32_t position = 0);  // raw bytes

void PutBytes(int16_t fileNo, std::span<const uint8_t> bytes, int32_t position = 0);
void PutByte(int16_t fileNo, uint8_t v, int32_t position = 0);
void PutInteger(int16_t fileNo, int16_t v, int32_t position = 0);
void PutLong(int16_t fileNo, int32_t v, int32_t position = 0);
void PutSingle(int16_t fileNo, float v, int32_t position = 0);
void PutDouble(int16_t fileNo, double v, int32_t position = 0);
void PutString(int16_t fileNo, std::string_view bytes, int32_t position = 0);       // raw bytes

// A file number that is closed on every way out of the scope holding it. It takes the
// next FreeFile() number (the caller opens it). Close() closes at once and raises as
// Close does, so a write whose flush fails is reported; the destructor closes quietly,
// because an error already on its way out is the one to report.
class FileNumber {
public:
    FileNumber() : no_(FreeFile()) {}
    ~FileNumber();
    FileNumber(const FileNumber&) = delete;
    FileNumber& operator=(const FileNumber&) = delete;

    operator int16_t() const { return no_; }
    void Close();

private:
    int16_t no_;
    bool closed_ = false;
};

// The calls that hand written bytes to a file and close it, flushing what is left. A
// failure raises the file error of its system error code (61 for a full disk). Tests
// replace one to make that step fail; the file layer uses whatever is installed.
struct StreamCalls {
    std::function<std::size_t(const void* data, std::size_t count, std::FILE* fp)> write;
    std::function<int(std::FILE* fp)> close;
};
StreamCalls& TheStreamCalls();

// Puts back the calls in use when it was made.
class ScopedStreamCalls {
public:
    ScopedStreamCalls() : saved_(TheStreamCalls()) {}
    ~ScopedStreamCalls() { TheStreamCalls() = saved_; }
    ScopedStreamCalls(const ScopedStreamCalls&) = delete;
    ScopedStreamCalls& operator=(const ScopedStreamCalls&) = delete;

private:
    StreamCalls saved_;
};

// Line Input: the next line without its end (CR LF, CR or LF); 62 at the end of file.
std::string LineInput(int16_t fileNo);
// Print #fileNo, text: writes text, then CR LF unless newline is false.
void Print(int16_t fileNo, std::string_view text, bool newline = true);

// The description in data files is one byte per character in code page 1252; in memory
// texts are UTF-8. Characters the code page lacks are written as '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// Whether `s` is well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool IsValidUtf8(std::string_view s);
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace vb

#endif
