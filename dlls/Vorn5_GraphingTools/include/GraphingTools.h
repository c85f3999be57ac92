#ifndef GRAPHINGTOOLS_H
#define GRAPHINGTOOLS_H
// Module procedures of the chart library: number helpers, tick intervals and the contour
// plot's mouse procedure.
#include <cstdint>

namespace Vorn5_GraphingTools {

namespace modMaths {
// The power of ten of x: mantissa = x scaled into [1, 10) (0.004 gives -3 with mantissa 4,
// 1234 gives 3, 9.5 gives 1). For x <= 0 (or not finite) the result is 0 and mantissa = x.
int16_t OrderOfMagnitude(double x, double& mantissa);
int16_t OrderOfMagnitude(double x);
// Int(x * 10^n + 0.5) / 10^n: half rounds up.
double RoundToPlaces(double x, int32_t n);
// b when a >= b, else a.
double Min(double a, double b);
// a when a > b, else b.
double Max(double a, double b);
}  // namespace modMaths

namespace TicksAndScales {
// A tick interval giving about five ticks over |max - min| (a step of 1, 2 or 5 times a power
// of ten). With widen, min and max move out to whole multiples of the interval. A zero or
// non-finite range gives interval 0 and leaves min and max alone.
void CalcTickInterval(double& min, double& max, double& interval, bool widen);
}  // namespace TicksAndScales

namespace modMouse {
// Passes a right-button press to the contour plot on which Create was called last; returns 0.
int32_t ContourMouseProc(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);
}  // namespace modMouse

}  // namespace Vorn5_GraphingTools

#endif
