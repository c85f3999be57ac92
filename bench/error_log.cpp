// The daily error log: 2000 records, logged into an empty day's file and into one that
// already holds 18000 or 180000, so the cost per record shows whether it grows with the
// file. "per_record" is the time of one record.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Hald_Error.h"
#include "vb/VbError.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 2000;

// A folder of its own for the logs, so the benchmark neither purges nor grows a real one.
class LogFolder {
public:
    LogFolder() {
        std::string templ = (fs::temp_directory_path() / "vorn-bench-errlog-XXXXXX").string();
        folder_ = ::mkdtemp(templ.data());
        ErrorLogging::SetLogFolder(folder_);
    }
    ~LogFolder() {
        ErrorLogging::SetLogFolder("");
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    LogFolder(const LogFolder&) = delete;
    LogFolder& operator=(const LogFolder&) = delete;

private:
    std::string folder_;
};

void BM_ErrorLogRecords(benchmark::State& state) {
    const auto already = static_cast<int>(state.range(0));
    LogFolder folder;
    const std::string path = ErrorLogging::LogFilePath();
    // A record of the usual length, as the earlier records of the day.
    const std::string earlier = " 2281         Hald Error    Cannot Regress with Zero Points.          "
                                "clsRegression.Fit           12/11/25 03:40:00\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        {
            std::ofstream day(path, std::ios::binary | std::ios::trunc);
            for (int i = 0; i < already; ++i) day << earlier;
        }
        state.ResumeTiming();
        for (int i = 0; i < kRecords; ++i) {
            ErrorLogging::LogError(vbObjectError + 2281, "Cannot Regress with Zero Points.", "clsRegression.Fit");
        }
    }
    state.counters["per_record"] =
        benchmark::Counter(kRecords, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ErrorLogRecords)->Arg(0)->Arg(18000)->Arg(180000)->ArgName("already")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
