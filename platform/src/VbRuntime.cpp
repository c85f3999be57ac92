#include "vb/VbRuntime.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <random>

#include "vb/VbError.h"

namespace vb {

namespace {

[[noreturn]] void raise(int32_t number, const char* source) {
    throw VbError(number, std::string("Vorn5.") + source, ErrorText(number));
}

// A trap of the floating-point helpers: the caller's source, or the helper's own name.
[[noreturn]] void trap(int32_t number, const char* callerSource, const char* helper) {
    if (callerSource) Raise(number, callerSource);
    raise(number, helper);
}

// Shortest text of x at `precision` significant digits in the manner of %G, always with
// '.', exponent as "E+07". Locale-blind (std::to_chars), unlike printf under Qt.
template <typename T>
std::string generalText(T x, int precision) {
    if (x == 0) return "0";  // also -0
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, precision);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

// Str: blank or '-', no zero before the point.
std::string strForm(std::string plain) {
    bool negative = !plain.empty() && plain[0] == '-';
    if (negative) plain.erase(0, 1);
    if (plain.size() > 1 && plain[0] == '0' && plain[1] == '.') plain.erase(0, 1);
    return (negative ? "-" : " ") + plain;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Parses "[+|-]digits[.digits][E|D[+|-]digits]" (at least one mantissa digit) from the
// whole of `t`; fills the value. False when the text is not such a number. A number beyond
// a double's range sets `overflow`; one too small to hold reads as 0 with its sign. Which
// of the two it is follows from the number's size, however it is written ("2000e-0" with
// 308 zeros is too large, ".0001" with 324 zeros too small).
bool parseNumber(std::string_view t, double& value, bool& overflow) {
    overflow = false;
    size_t i = 0, n = t.size();
    std::string clean;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        if (negative) clean += '-';
        ++i;
    }
    // The power of ten of the first digit that is not 0, counted as if the exponent were 0.
    constexpr long long kFar = 1'000'000'000;  // far beyond any double, and safe to add to
    long long leading = 0;
    bool nonZero = false;
    size_t digits = 0, whole = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        if (t[i] != '0' && !nonZero) {
            nonZero = true;
            leading = -static_cast<long long>(whole);
        }
        clean += t[i++], ++digits, ++whole;
    }
    if (nonZero) leading += static_cast<long long>(whole) - 1;
    if (i < n && t[i] == '.') {
        clean += t[i++];
        long long place = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            --place;
            if (t[i] != '0' && !nonZero) {
                nonZero = true;
                leading = std::max(place, -kFar);
            }
            clean += t[i++], ++digits;
        }
    }
    if (digits == 0) return false;
    long long exponent = 0;
    if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        clean += 'e';
        ++i;
        bool down = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            down = t[i] == '-';
            clean += t[i++];
        }
        size_t expDigits = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            exponent = std::min(exponent * 10 + (t[i] - '0'), kFar);
            clean += t[i++], ++expDigits;
        }
        if (expDigits == 0) return false;
        if (down) exponent = -exponent;
    }
    if (i != n) return false;
    if (clean.size() > 1 && clean[0] == '-' && clean[1] == '.') clean.insert(1, "0");
    if (clean[0] == '.') clean.insert(0, "0");
    auto r = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        // Only a number that is not 0 can leave the range: beyond it at a power of ten of
        // 308 or more, below it at -324 or less.
        overflow = nonZero && leading + exponent > 0;
        if (!overflow) value = negative ? -0.0 : 0.0;
        return true;
    }
    return r.ec == std::errc() && r.ptr == clean.data() + clean.size();
}

std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    return t;
}

// |x| as 15 significant decimal digits: value = digits * 10^exp10.
struct Decimal {
    std::string digits;
    int exp10 = 0;
};

Decimal decimalOf(double ax) {
    Decimal d;
    if (ax == 0) {
        d.digits = "0";
        return d;
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, 14);
    std::string s(buf, r.ptr);  // d.ddddddddddddddE±XX
    size_t e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exp10 = std::stoi(s.substr(e + 1)) - 14;
    return d;
}

// round(value * 10^dec), halves away from zero, as a digit string without leading zeros.
std::string roundScaled(const Decimal& d, int dec) {
    int len = static_cast<int>(d.digits.size());
    int keep = len + d.exp10 + dec;  // digits of the result
    std::string out;
    if (keep >= len) {
        out = d.digits + std::string(keep - len, '0');
    } else if (keep < 0) {
        out = "0";
    } else {
        out = d.digits.substr(0, keep);
        if (d.digits[keep] >= '5') {
            int i = keep - 1;
            while (i >= 0 && out[i] == '9') out[i--] = '0';
            if (i < 0) out.insert(0, "1");
            else ++out[i];
        }
        if (out.empty()) out = "0";
    }
    size_t nz = out.find_first_not_of('0');
    return nz == std::string::npos ? "0" : out.substr(nz);
}

std::string group3(const std::string& intPart) {
    std::string out;
    int n = static_cast<int>(intPart.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += intPart[i];
    }
    return out;
}

struct Pattern {
    bool grouping = false;
    int intZeros = 0;
    int decZeros = 0;     // required decimals
    int decHashes = 0;    // optional decimals after them
    bool sci = false;
    bool expPlus = false; // "E+": sign always shown
    int expZeros = 0;
};

Pattern parsePattern(std::string_view p) {
    Pattern pat;
    size_t i = 0, n = p.size();
    bool any = false;
    while (i < n && (p[i] == '#' || p[i] == '0' || p[i] == ',')) {
        if (p[i] == ',') pat.grouping = true;
        else if (p[i] == '0') ++pat.intZeros;
        any = true;
        ++i;
    }
    if (i < n && p[i] == '.') {
        ++i;
        while (i < n && p[i] == '0') ++pat.decZeros, ++i;
        while (i < n && p[i] == '#') ++pat.decHashes, ++i;
        any = true;
    }
    if (i + 1 < n && (p[i] == 'E' || p[i] == 'e') && (p[i + 1] == '+' || p[i + 1] == '-')) {
        pat.sci = true;
        pat.expPlus = p[i + 1] == '+';
        i += 2;
        while (i < n && p[i] == '0') ++pat.expZeros, ++i;
    }
    if (!any || i != n) raise(5, "Format");
    return pat;
}

std::mt19937& generator() {
    static std::mt19937 g(5489u);
    return g;
}
bool seeded = false;

std::function<double()>& timerSource() {
    static std::function<double()> f;
    return f;
}

}  // namespace

void Raise(int32_t number, std::string source) {
    throw VbError(number, std::move(source), ErrorText(number));
}

std::string ErrorText(int32_t number) {
    switch (number) {
        case 3: return "Return without GoSub";
        case 5: return "Invalid procedure call or argument";
        case 6: return "Overflow";
        case 7: return "Out of memory";
        case 9: return "Subscript out of range";
        case 11: return "Division by zero";
        case 13: return "Type mismatch";
        case 52: return "Bad file name or number";
        case 53: return "File not found";
        case 54: return "Bad file mode";
        case 55: return "File already open";
        case 57: return "Device I/O error";
        case 58: return "File already exists";
        case 61: return "Disk full";
        case 62: return "Input past end of file";
        case 63: return "Bad record number";
        case 64: return "Bad file name";
        case 67: return "Too many files";
        case 68: return "Device unavailable";
        case 70: return "Permission denied";
        case 71: return "Disk not ready";
        case 75: return "Path/File access error";
        case 76: return "Path not found";
        case 91: return "Object variable or With block variable not set";
        case 94: return "Invalid use of Null";
        case 380: return "Invalid property value";
        case 482: return "Printer error";
        default: return "Application-defined or object-defined error";
    }
}

// ---- number texts ----

std::string Str(float x) { return strForm(generalText(x, 7)); }
std::string Str(double x) { return strForm(generalText(x, 15)); }
std::string Str(int32_t x) { return (x < 0 ? "" : " ") + std::to_string(x); }
std::string Str(int16_t x) { return Str(static_cast<int32_t>(x)); }

std::string CStr(float x) { return generalText(x, 7); }
std::string CStr(double x) { return generalText(x, 15); }
std::string CStr(int32_t x) { return std::to_string(x); }

std::string Format(double x, std::string_view pattern) {
    Pattern pat = parsePattern(pattern);
    if (std::isnan(x) || std::isinf(x)) return generalText(x, 15);
    const bool negative = std::signbit(x) && x != 0;
    Decimal d = decimalOf(std::abs(x));
    const int dec = pat.decZeros + pat.decHashes;
    std::string intPart, fracPart, expPart;

    if (pat.sci) {
        int exponent = 0;
        std::string scaled;
        if (d.digits != "0") {
            const int intDigits = std::max(pat.intZeros, 1);
            // exponent of the leading digit
            int lead = static_cast<int>(d.digits.size()) - 1 + d.exp10;
            exponent = lead - (intDigits - 1);
            Decimal m{d.digits, d.exp10 - exponent};
            scaled = roundScaled(m, dec);
            if (static_cast<int>(scaled.size()) > intDigits + dec) {  // 9.99 -> 10.0
                ++exponent;
                m.exp10 -= 1;
                scaled = roundScaled(m, dec);
            }
        } else {
            scaled = "0";
        }
        if (static_cast<int>(scaled.size()) < dec + 1) scaled.insert(0, dec + 1 - scaled.size(), '0');
        intPart = scaled.substr(0, scaled.size() - dec);
        fracPart = scaled.substr(scaled.size() - dec);
        std::string ed = std::to_string(std::abs(exponent));
        if (static_cast<int>(ed.size()) < pat.expZeros) ed.insert(0, pat.expZeros - ed.size(), '0');
        expPart = std::string("E") + (exponent < 0 ? "-" : (pat.expPlus ? "+" : "")) + ed;
    } else {
        std::string scaled = roundScaled(d, dec);
        if (static_cast<int>(scaled.size()) < dec + 1) scaled.insert(0, dec + 1 - scaled.size(), '0');
        intPart = scaled.substr(0, scaled.size() - dec);
        fracPart = scaled.substr(scaled.size() - dec);
    }
    // Optional decimals ('#') drop their trailing zeros.
    while (static_cast<int>(fracPart.size()) > pat.decZeros && fracPart.back() == '0') fracPart.pop_back();
    if (intPart == "0" && pat.intZeros == 0) intPart.clear();
    if (static_cast<int>(intPart.size()) < pat.intZeros)
        intPart.insert(0, pat.intZeros - intPart.size(), '0');
    if (pat.grouping) intPart = group3(intPart);
    std::string out = negative ? "-" : "";
    out += intPart;
    if (!fracPart.empty()) out += "." + fracPart;
    return out + expPart;
}

// ---- conversions ----

bool IsNumeric(std::string_view text) {
    double v;
    bool overflow;
    return parseNumber(trimBlanks(text), v, overflow);
}

double Val(std::string_view text) {
    // Blanks, tabs and line feeds are skipped anywhere; reading stops at the first
    // character that cannot continue the number.
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t += c;
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
        int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
        int64_t v = 0;
        auto r = std::from_chars(t.data() + 2, t.data() + t.size(), v, base);
        if (r.ec == std::errc::result_out_of_range) raise(6, "Val");
        return static_cast<double>(v);
    }
    size_t i = 0, n = t.size();
    std::string num;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') num += '-';
        ++i;
    }
    size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') num += t[i++], ++digits;
    if (i < n && t[i] == '.') {
        num += t[i++];
        while (i < n && t[i] >= '0' && t[i] <= '9') num += t[i++], ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        size_t j = i + 1;
        std::string e = "e";
        if (j < n && (t[j] == '+' || t[j] == '-')) e += t[j++];
        size_t expDigits = 0;
        while (j < n && t[j] >= '0' && t[j] <= '9') e += t[j++], ++expDigits;
        if (expDigits > 0) num += e;
    }
    double v = 0;
    bool overflow = false;
    if (!parseNumber(num, v, overflow)) return 0.0;
    if (overflow) raise(6, "Val");
    return v;
}

double CDbl(std::string_view text) {
    double v;
    bool overflow;
    if (!parseNumber(trimBlanks(text), v, overflow)) raise(13, "CDbl");
    if (overflow) raise(6, "CDbl");
    return v;
}

float CSng(std::string_view text) {
    double v;
    bool overflow;
    if (!parseNumber(trimBlanks(text), v, overflow)) raise(13, "CSng");
    if (overflow) raise(6, "CSng");
    return CSng(v);
}

float CSng(double x, const char* source) {
    if (!(std::fabs(x) <= static_cast<double>(FLT_MAX))) trap(6, source, "CSng");
    return static_cast<float>(x);
}

namespace {
// Halves to even (the default rounding mode); NaN and out-of-range raise 6.
double roundEven(double x, double lo, double hi, const char* source) {
    if (std::isnan(x)) raise(6, source);
    double r = std::nearbyint(x);
    if (r < lo || r > hi) raise(6, source);
    return r;
}
}  // namespace

int16_t CInt(double x) { return static_cast<int16_t>(roundEven(x, -32768.0, 32767.0, "CInt")); }
int32_t CLng(double x) { return static_cast<int32_t>(roundEven(x, -2147483648.0, 2147483647.0, "CLng")); }
uint8_t CByte(double x) { return static_cast<uint8_t>(roundEven(x, 0.0, 255.0, "CByte")); }

double Int(double x) { return std::floor(x); }
double Fix(double x) { return std::trunc(x); }
float Int(float x) { return std::floor(x); }
float Fix(float x) { return std::trunc(x); }

int16_t AddInt(int16_t a, int16_t b) {
    int32_t r = int32_t(a) + int32_t(b);
    if (r < -32768 || r > 32767) raise(6, "AddInt");
    return static_cast<int16_t>(r);
}

int16_t MulInt(int16_t a, int16_t b) {
    int32_t r = int32_t(a) * int32_t(b);
    if (r < -32768 || r > 32767) raise(6, "MulInt");
    return static_cast<int16_t>(r);
}

// ---- floating-point traps ----

double Div(double a, double b, const char* source) {
    if (std::isnan(a) || std::isnan(b)) trap(6, source, "Div");
    if (b == 0) trap(a == 0 ? 6 : 11, source, "Div");
    double r = a / b;
    if (std::isinf(r) || std::isnan(r)) trap(6, source, "Div");
    return r;
}

float DivS(float a, float b, const char* source) {
    if (std::isnan(a) || std::isnan(b)) trap(6, source, "DivS");
    if (b == 0) trap(a == 0 ? 6 : 11, source, "DivS");
    float r = a / b;
    if (std::isinf(r) || std::isnan(r)) trap(6, source, "DivS");
    return r;
}

double Log(double x, const char* source) {
    if (std::isnan(x) || x <= 0) trap(5, source, "Log");
    return std::log(x);
}

double Sqr(double x, const char* source) {
    if (std::isnan(x) || x < 0) trap(5, source, "Sqr");
    return std::sqrt(x);
}

double Exp(double x, const char* source) {
    if (std::isnan(x)) trap(6, source, "Exp");
    double r = std::exp(x);
    if (std::isinf(r)) trap(6, source, "Exp");
    return r;
}

// ---- texts ----

std::string LTrim(std::string_view s) {
    size_t i = s.find_first_not_of(' ');
    return i == std::string_view::npos ? std::string() : std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    size_t i = s.find_last_not_of(' ');
    return i == std::string_view::npos ? std::string() : std::string(s.substr(0, i + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string UCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string LCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

// ---- random numbers and the clock ----

float Rnd() {
    if (!seeded) Randomize();
    return static_cast<float>(generator()() >> 8) * (1.0f / 16777216.0f);
}

void Randomize() {
    if (seeded) return;
    std::random_device rd;
    generator().seed(rd() ^ static_cast<uint32_t>(
                                 std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    seeded = true;
}

void Randomize(uint32_t seed) {
    generator().seed(seed);
    seeded = true;
}

float Timer() {
    if (timerSource()) return static_cast<float>(timerSource()());
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + ms / 1000.0);
}

void SetTimerSource(std::function<double()> source) { timerSource() = std::move(source); }

}  // namespace vb
