#include "modSolverMaths.h"

namespace modSolverMaths {
double Min(double a, double b) { return a < b ? a : b; }
}  // namespace modSolverMaths
