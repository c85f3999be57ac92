#ifndef ISOLVER_H
#define ISOLVER_H
// The function a clsSolver looks for a root of. The solver calls Fn synchronously, on
// the caller's thread, while root or BracketRoot runs.

class ISolver {
public:
    virtual ~ISolver() = default;
    // Value of the caller's function at x (single precision; x may be read, not changed).
    virtual float Fn(float& x) = 0;
};

#endif
