#ifndef MODMATHS_H
#define MODMATHS_H
// Small mathematics shared by the data set, the growth functions and the fitting code.
#include <cstdint>

namespace modMaths {

// x - floor(x): in [0, 1) for negative x too (Frac(-1.25) = 0.75).
double Frac(double x);
float Frac(float x);
// One standard normal deviate by the polar method from vb::Rnd (which is not reseeded).
double RandNormal();
// a when a < b, else b; Max: b when a <= b, else a (equal arguments give the second).
double Min(double a, double b);
double Max(double a, double b);
double Sq(double x);
// x raised to y; a negative x with a fractional y raises 5, an infinite result 6.
double Power(double x, double y);
// Angle of (x, y) in [-pi/2, 3pi/2) with pi = 3.14159265359.
float ATan2(float y, float x);
// |a - b| / Max(|a|, |b|); 0 when both are 0.
double RelDiff(double a, double b);
// floor(x / stepv) * stepv; a zero step raises 11 (6 for 0/0).
double RoundDown(double x, double stepv);

}  // namespace modMaths

#endif
