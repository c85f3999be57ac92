#include "MErrors.h"

#include <cstring>

#include "StringTable.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace MErrors {

namespace {
const std::string kProgram = "Vorn5";
}

void RaiseVBError(int32_t number) {
    if (number <= 1000) vb::Raise(number, kProgram + ".VBError");
    const int32_t group = number - number % 10;
    throw VbError(number, kProgram + "." + res::LoadResString(group), res::LoadResString(number));
}

void RaiseWinError(int32_t code) {
    throw VbError(vbObjectError + 29000 + code, kProgram + ".Windows", WinErrorText(code));
}

void RaiseLastWinError(int32_t code) { RaiseWinError(code); }

std::string WinErrorText(int32_t code) {
    char buf[256];
    const char* text = strerror_r(code, buf, sizeof buf);  // GNU form: returns the text
    if (!text || std::strncmp(text, "Unknown error", 13) == 0) return {};
    return text;
}

}  // namespace MErrors
