#ifndef SPEEDUPREPORTER_H
#define SPEEDUPREPORTER_H
// The console report, followed by the speed-up of every benchmark run with an argument
// "threads": its time on one thread over its time on each other count, side by side.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class SpeedupReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& r : reports) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
            const std::string& args = r.run_name.args;
            const auto at = args.find("threads:");
            if (at == std::string::npos) continue;
            const int threads = std::stoi(args.substr(at + 8));
            Sum& sum = times_[r.run_name.function_name][threads];
            sum.total += r.GetAdjustedRealTime();
            sum.count += 1;
            units_[r.run_name.function_name] = benchmark::GetTimeUnitString(r.time_unit);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        if (times_.empty()) return;
        out << "\nSpeed-up (real time on one thread / real time on n threads):\n";
        for (const auto& [name, byThreads] : times_) {
            const auto one = byThreads.find(1);
            if (one == byThreads.end()) continue;
            const double t1 = one->second.mean();
            for (const auto& [threads, sum] : byThreads) {
                if (threads == 1) continue;
                char line[200];
                std::snprintf(line, sizeof line, "  %-28s 1 thread %9.2f %s   %2d threads %9.2f %s   speed-up %5.2f\n",
                              name.c_str(), t1, units_[name].c_str(), threads, sum.mean(), units_[name].c_str(),
                              t1 / sum.mean());
                out << line;
            }
        }
    }

private:
    struct Sum {
        double total = 0;
        int count = 0;
        double mean() const { return total / count; }
    };
    std::map<std::string, std::map<int, Sum>> times_;
    std::map<std::string, std::string> units_;
};

#endif
