#ifndef SCRIPTEDMETH_H
#define SCRIPTEDMETH_H
// A scoring method whose score is a plain function of K and Linf, and whose copies (for
// searches on several threads) share its script. It can report an error through the error
// handler, raise, or take its time; it records the path and markers a search draws.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "GridScorer.h"
#include "Hald_Error.h"
#include "clsMethBase.h"
#include "vb/VbError.h"

class ScriptedMeth : public clsMethBase {
public:
    struct Script {
        std::function<float(float K, float Linf)> score = [](float K, float Linf) { return K + Linf / 100; };
        // Report (shown, not logged) where this says so, naming the point.
        std::function<bool(float K, float Linf)> reportIf = [](float, float) { return false; };
        float failAtK = -1;   // raise at points with this K
        std::chrono::milliseconds delay{0};
        std::atomic<int> copies{0};
        std::atomic<int> scored{0};
        std::atomic<int> threadsOnWorker{0};   // GridScorer::Threads(8) as a worker saw it
    };
    struct Point {
        double x, y;
        bool operator==(const Point&) const = default;
    };

    explicit ScriptedMeth(std::shared_ptr<Script> script) : script_(std::move(script)) {
        mainThread();
        setsK(1.0f);
        setsLinf(50.0f);
    }

    // The simplex path and markers drawn (with PlotEvals set); copies draw none.
    std::vector<Point> path;
    std::vector<Point> shapes;   // (shape, x) of each marker
    int resets = 0;

    std::unique_ptr<IMeth> ScoringCopy() const override {
        auto copy = std::make_unique<ScriptedMeth>(script_);
        CopyInto(*copy);
        ++script_->copies;
        return copy;
    }
    void CalcScoreT0(float K, float Linf, float& Score, float& T0) override {
        ++script_->scored;
        if (std::this_thread::get_id() != mainThread()) script_->threadsOnWorker = GridScorer::Threads(8);
        std::this_thread::sleep_for(script_->delay);
        if (script_->reportIf(K, Linf))
            Hald_Error().HandleError(VbError(5, "point", "point " + std::to_string(K) + " " + std::to_string(Linf)),
                                     std::string("Scored"), Hald_Error::ShowOnly);
        if (K == script_->failAtK) throw VbError(11, "ScriptedMeth", "Division by zero");
        Score = script_->score(K, Linf);
        T0 = 0;
    }
    void GetT0(float K, float, float& T0) override { T0 = -K / 10; }
    int32_t MethType() const override { return 2; }

    void ResetMinimLine() override { ++resets; }
    void AddToMinimLine(double X, double Y) override { path.push_back({X, Y}); }
    void ShowShapeOnContourPLot(double, int32_t Shape, double X, double) override { shapes.push_back({double(Shape), X}); }

    // The thread the tests run on (the one that makes the first ScriptedMeth).
    static std::thread::id mainThread() {
        static const std::thread::id id = std::this_thread::get_id();
        return id;
    }

private:
    std::shared_ptr<Script> script_;
};

#endif
