#ifndef MODSOLVERMATHS_H
#define MODSOLVERMATHS_H
// Helper of Brent's interpolation test.

namespace modSolverMaths {
double Min(double a, double b);
}  // namespace modSolverMaths

#endif
