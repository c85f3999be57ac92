#ifndef CLSLFDSEARCH_H
#define CLSLFDSEARCH_H
// Searches over two growth parameters of one scoring method: a grid of scores over a
// rectangle, and five downhill-simplex runs from five start boxes inside it. Both keep
// the best point, its t0 and its score (larger is better for every method).
#include <cstdint>
#include <optional>
#include <vector>

class IMeth;

class clsLFDSearch {
public:
    clsLFDSearch();

    // Five simplex runs; True when at least one converged. False on cancel (what an
    // earlier run stored stays). Errors are logged and raised as "Search Failed". The runs
    // go side by side (setThreads) when the method's scores carry nothing from one call
    // to the next; their outcomes and paths are taken in run order.
    bool AmoebaSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi, float P2Lo,
                      float P2Hi);
    // Scores every node; True when done, False on cancel (earlier result kept). Errors, and
    // a grid in which no node became best, raise "Search Failed". The nodes are scored on
    // worker threads (setThreads) with the results of scoring them one after another.
    bool GridSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi, int16_t P1Evals,
                    float P2Lo, float P2Hi, int16_t P2Evals);

    float P1Hi() const { return p1Hi_; }
    void setP1Hi(float v) { p1Hi_ = v; }
    float P1Lo() const { return p1Lo_; }
    void setP1Lo(float v) { p1Lo_ = v; }
    float P2Lo() const { return p2Lo_; }
    void setP2Lo(float v) { p2Lo_ = v; }
    float P2Hi() const { return p2Hi_; }
    void setP2Hi(float v) { p2Hi_ = v; }

    float P1() const { return p1_; }
    float P2() const { return p2_; }
    float TZero() const { return tZero_; }
    float MaxScore() const { return maxScore_; }

    int32_t BestP1Eval() const { return bestP1_; }
    int32_t WorstP1Eval() const { return worstP1_; }
    int32_t BestP2Eval() const { return bestP2_; }
    int32_t WorstP2Eval() const { return worstP2_; }
    int32_t P1Evals() const { return p1Evals_; }
    int32_t P2Evals() const { return p2Evals_; }

    bool IsFitted() const { return isFitted_; }
    void setVerbose(bool v) { verbose_ = v; }
    bool OnBoundary() const { return onBoundary_; }

    // Score of node (i, j) of the last grid, or empty (no grid, not fitted, outside it).
    std::optional<double> GridResults(int16_t i, int16_t j) const;

    float AmoebaBounce() const { return amoebaBounce_; }
    void setAmoebaBounce(float v);   // 0 <= v < 1 is stored, anything else ignored

    int32_t GridType() const { return gridType_; }
    void setGridType(int32_t v) { gridType_ = v; }

    // Threads the searches work on; 0 (the default) takes VORN5_THREADS or else every
    // hardware thread. The results do not depend on it.
    void setThreads(int32_t n) { threads_ = n; }

    // The corner test: p1 within 0.001 of a P1 bound and p2 within 0.1 of a P2 bound.
    static bool CheckOnBoundary(float p1, float p2, float P1Lo, float P1Hi, float P2Lo,
                                float P2Hi);

private:
    bool gridSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi, int16_t P1Evals,
                    float P2Lo, float P2Hi, int16_t P2Evals);
    bool amoebaSearch(IMeth& Meth, int32_t GridType, float P1Lo, float P1Hi, float P2Lo,
                      float P2Hi);

    float p1_ = 0, p2_ = 0, tZero_ = 0, maxScore_ = 0;
    bool isFitted_ = false;
    bool onBoundary_ = false;
    std::vector<double> gridScores_;   // (i - 1) * rows + (j - 1), i over parameter 1
    int32_t gridRows_ = 0, gridCols_ = 0;   // dimensions of gridScores_
    float amoebaBounce_ = 0;
    bool hasGrid_ = false;
    int32_t p1Evals_ = 0, p2Evals_ = 0;
    int32_t bestP1_ = 0, bestP2_ = 0, worstP1_ = 0, worstP2_ = 0;
    bool verbose_ = false;
    float p1Lo_ = 0, p2Lo_ = 0, p1Hi_ = 0, p2Hi_ = 0;
    int32_t gridType_ = 0;
    int32_t threads_ = 0;
};

#endif
