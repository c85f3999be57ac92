#ifndef MERRORS_H
#define MERRORS_H
// Raising errors with the program's texts.
#include <cstdint>
#include <string>

namespace MErrors {

// Up to 1000: the runtime's error with source "Vorn5.VBError" and its own description.
// From 1001: source "Vorn5." + the string of the number's group (last digit 0),
// description the string of the number itself.
[[noreturn]] void RaiseVBError(int32_t number);
// Raises base + 29000 + code with source "Vorn5.Windows" and the system's text for code.
[[noreturn]] void RaiseWinError(int32_t code);
[[noreturn]] void RaiseLastWinError(int32_t code);
// The system's message text for an error code (errno), "" when there is none.
std::string WinErrorText(int32_t code);

}  // namespace MErrors

#endif
