#ifndef VBRUNTIME_H
#define VBRUNTIME_H
// Number texts, conversions and rounding rules of the original runtime, which the
// program's reports and tests depend on. Plain functions, no Qt.
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vb {

// Str(x): leading blank for x >= 0 ('-' otherwise), no zero before the point below 1
// (" .5"), single: up to 7 significant digits, double: 15; exponent form " 1E+07".
std::string Str(float x);
std::string Str(double x);
std::string Str(int32_t x);
std::string Str(int16_t x);

// CStr / plain text joins: no leading blank, "0.5" keeps its zero.
std::string CStr(float x);
std::string CStr(double x);
std::string CStr(int32_t x);

// Format(x, pattern) for the patterns in use ("0", "0.00", "0.000", "0.0000", "00000",
// "#,0.00", "0.00E+"): halves rounded away from zero in decimal.
std::string Format(double x, std::string_view pattern);

// IsNumeric / Val / CSng / CDbl.
bool IsNumeric(std::string_view text);
double Val(std::string_view text);       // locale-blind, stops at the first bad character
float CSng(std::string_view text);       // raises 13 (type mismatch) or 6 (overflow)
double CDbl(std::string_view text);      // raises 13
// x as a single, as an assignment of a Double to a Single: raises 6 when |x| lies beyond
// the largest single or x is NaN (naming `source` when one is given).
float CSng(double x, const char* source = nullptr);

// Rounding: CInt/CLng/CByte round halves to even and raise 6 on overflow;
// Int floors, Fix truncates.
int16_t CInt(double x);
int32_t CLng(double x);
uint8_t CByte(double x);
double Int(double x);
double Fix(double x);
float Int(float x);
float Fix(float x);

// 16-bit arithmetic that raises 6 instead of wrapping.
int16_t AddInt(int16_t a, int16_t b);
int16_t MulInt(int16_t a, int16_t b);

// Raises the runtime's error `number` with its one text from ErrorText, naming `source`
// (the class and procedure that failed) as given.
[[noreturn]] void Raise(int32_t number, std::string source);

// Floating-point operations that raise where the original runtime raised:
// x/0 -> 11, 0/0 and overflow -> 6, Log(<=0) and Sqr(<0) -> 5. The error names `source`
// when one is given, else the runtime itself ("Vorn5.Div", ...).
double Div(double a, double b, const char* source = nullptr);
float DivS(float a, float b, const char* source = nullptr);
double Log(double x, const char* source = nullptr);
double Sqr(double x, const char* source = nullptr);
double Exp(double x, const char* source = nullptr);
// The result of an operation, checked as the runtime checked every operation: x itself,
// or error 6 (overflow) of `source` when x is infinite or NaN. Inline: hot loops use it.
inline double Checked(double x, const char* source) {
    if (!std::isfinite(x)) Raise(6, source);
    return x;
}
inline float Checked(float x, const char* source) {
    if (!std::isfinite(x)) Raise(6, source);
    return x;
}

// Trim/LTrim/RTrim remove spaces only.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// Rnd: uniform single in [0, 1) with 24 random bits, from one std::mt19937 for the
// whole program. Randomize() seeds it from the system's entropy the first time only,
// so calling it again (as the old code did before every draw) does not restart the
// sequence; Randomize(seed) always reseeds (tests, repeatable runs).
float Rnd();
void Randomize();
void Randomize(uint32_t seed);

// The runtime's description of one of its error numbers ("Overflow" for 6, ...);
// "Application-defined or object-defined error" for any other number.
std::string ErrorText(int32_t number);

// Timer: seconds since midnight as a single. SetTimerSource replaces the clock (tests);
// an empty function restores the system clock.
float Timer();
void SetTimerSource(std::function<double()> source);

}  // namespace vb

#endif
