#include "modHald.h"

#include <fstream>

#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace modHald {
namespace {

std::array<uint8_t, 10> gSignature{};
bool gSignatureSet = false;

// Number of UTF-8 characters and the byte offset of character n.
std::size_t Utf8Offset(const std::string& s, std::size_t n, std::size_t& count) {
    count = 0;
    std::size_t k = 0;
    while (k < s.size()) {
        if (count == n) return k;
        const auto b = static_cast<unsigned char>(s[k]);
        std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
        k += len;
        ++count;
    }
    return s.size();
}

}  // namespace

void InitFileSignature() {
    if (gSignatureSet) return;
    gSignature = {0x00, 0x04, 0x00, 0x08, 0x06, 0x09, 'H', 'A', 'L', 'D'};
    gSignatureSet = true;
}

const std::array<uint8_t, 10>& FileSignature() {
    InitFileSignature();
    return gSignature;
}

std::string Extension4(const std::string& path) {
    const std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    return vb::UCase(tail);
}

uint8_t GetFileType(const std::string& path) {
    const std::string ext = Extension4(path);
    if (ext == ".TXT") return ftText;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ftUnknown;
    char head[kHeaderSize];
    if (!in.read(head, kHeaderSize)) return ftUnknown;  // shorter than a header
    const auto& sig = FileSignature();
    for (std::size_t k = 0; k < sig.size(); ++k) {
        if (static_cast<uint8_t>(head[k]) != sig[k]) return ftUnknown;
    }
    const auto type = static_cast<uint8_t>(head[10]);
    if ((type == ftVN4 && ext == ".VN4") || (type == ftKT2 && ext == ".KT2") ||
        (type == ftKT3 && ext == ".KT3") || (type == ftVN5 && ext == ".VN5")) {
        return type;
    }
    return ftUnknown;
}

void WriteFileHeader(const std::string& path, int32_t fileType) {
    if (fileType < 1 || fileType > 4) {
        vb::Raise(1009, "modHald.WriteFileHeader");
    }
    vb::FileNumber f;
    vb::Open(path, vb::OpenMode::Binary, f, vb::OpenAccess::Write);
    const auto& sig = FileSignature();
    vb::PutBytes(f, std::span<const uint8_t>(sig.data(), sig.size()), 1);
    vb::PutByte(f, static_cast<uint8_t>(fileType), 11);
    f.Close();
}

std::string FixedString(const std::string& s, int16_t n) {
    if (n <= 0) return {};
    std::size_t count = 0;
    const std::size_t cut = Utf8Offset(s, static_cast<std::size_t>(n), count);
    if (count >= static_cast<std::size_t>(n)) return s.substr(0, cut);
    return s + std::string(static_cast<std::size_t>(n) - count, ' ');
}

std::string BytesToString(const std::vector<uint8_t>& b) {
    if (b.empty()) return {};
    const std::size_t len = std::min<std::size_t>(b[0], b.size() - 1);
    return vb::Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(b.data()) + 1, len));
}

}  // namespace modHald
