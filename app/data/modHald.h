#ifndef MODHALD_H
#define MODHALD_H
// The 11-byte header of the program's binary data files (ten signature bytes and a type
// byte) and the small string helpers of the file format.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace modHald {

// File types: 1 previous-version data set (.VN4), 2 and 3 files of other programs that
// share the header (.KT2, .KT3; recognised, never loaded), 4 current-version data set
// (.VN5), 5 text (.TXT, no header); 0 anything else.
inline constexpr uint8_t ftUnknown = 0;
inline constexpr uint8_t ftVN4 = 1;
inline constexpr uint8_t ftKT2 = 2;
inline constexpr uint8_t ftKT3 = 3;
inline constexpr uint8_t ftVN5 = 4;
inline constexpr uint8_t ftText = 5;
inline constexpr int kHeaderSize = 11;

// Fills the signature once per run (later calls do nothing).
void InitFileSignature();
// The ten signature bytes: 00 04 00 08 06 09 "HALD".
const std::array<uint8_t, 10>& FileSignature();

// The type of the file at path: 5 for any name ending in ".TXT" (the file is not
// opened), else the header's type when the signature matches and the type agrees with
// the extension; 0 in every other case, including a file that cannot be read.
uint8_t GetFileType(const std::string& path);

// Writes the header of the given type (1..4, else error 1009) at the start of path,
// leaving everything behind byte 11 as it was.
void WriteFileHeader(const std::string& path, int32_t fileType);

// s cut to n characters or padded with spaces to n (characters, not UTF-8 bytes).
std::string FixedString(const std::string& s, int16_t n);

// A length-prefixed string: b[0] gives how many of the following bytes form the text
// (never more than there are). Bytes are code page 1252; the result is UTF-8.
std::string BytesToString(const std::vector<uint8_t>& b);

// Upper-cased last four characters of path (".VN5", ".TXT", ...).
std::string Extension4(const std::string& path);

}  // namespace modHald

#endif
