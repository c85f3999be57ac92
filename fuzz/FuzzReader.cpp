// A libFuzzer target of one data set reader, chosen when it is built: the input is the
// contents of a file; whatever the reader accepts must keep the promises of ReaderChecks.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "ReaderChecks.h"
#include "clsVorn.h"
#include "modHald.h"
#include "vb/VbError.h"

namespace {
#if defined(VORN_FUZZ_VN5)
constexpr const char* kFile = "input.vn5";
#elif defined(VORN_FUZZ_VN4)
constexpr const char* kFile = "input.vn4";
#elif defined(VORN_FUZZ_TEXT) || defined(VORN_FUZZ_ASCII)
constexpr const char* kFile = "input.txt";
#else
#error "name the reader: VORN_FUZZ_VN5, VORN_FUZZ_VN4, VORN_FUZZ_TEXT or VORN_FUZZ_ASCII"
#endif
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    modHald::InitFileSignature();
    const std::string path = readerchecks::WorkFolder() + "/" + kFile;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    clsVorn set;
    try {
#if defined(VORN_FUZZ_ASCII)
        set.ReadASCIIFile(path);
#else
        set.OpenFile(path);
#endif
    } catch (const VbError&) {
        return 0;  // refused with a message: nothing more to hold
    }
    readerchecks::CheckAccepted(set);
    return 0;
}
