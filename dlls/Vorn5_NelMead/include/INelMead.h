#ifndef INELMEAD_H
#define INELMEAD_H
// The function a clsNelMead minimises. MinFunc is called synchronously while Minimise
// runs; it must not call back into the same minimiser.
#include <cstdint>
#include <vector>

class INelMead {
public:
    virtual ~INelMead() = default;
    // Value at x(1..vtx); x(0) is unused. vtx holds the number of parameters.
    virtual double MinFunc(std::vector<double>& x, int32_t& vtx) = 0;
};

#endif
