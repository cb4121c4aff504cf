// korvanel-cli bench FILE.LCF [--runs N]
//
// Times the calculation cycle on one condition: the whole call over N runs
// (without probes), then each step of the cycle over another N runs. Prints
// the median and the minimum in microseconds. A benchmark, not a test: the
// figures depend on the machine and its load.
#include <algorithm>
#include <chrono>
#include <iomanip>
#include <ostream>

#include "calc/GlobalProc.h"
#include "cli/Commands.h"
#include "numerics/Formats.h"

namespace kvcli {

namespace {

using Clock = std::chrono::steady_clock;

double Micro(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

struct StepTimer : kv::CycleProbe {
    Clock::time_point last;
    std::vector<std::vector<double>> samples = std::vector<std::vector<double>>(size_t(kv::CycleStep::Count));
    void Start() { last = Clock::now(); }
    void StepDone(kv::CycleStep step) override {
        const Clock::time_point now = Clock::now();
        samples[size_t(step)].push_back(Micro(now - last));
        last = now;
    }
};

// Median and minimum; sorts the samples.
std::pair<double, double> MedianMin(std::vector<double>& v) {
    if (v.empty()) return {0, 0};
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front()};
}

}  // namespace

int CmdBench(CliContext& ctx, const std::vector<std::string>& args) {
    std::string file;
    long runs = 2000;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--runs") {
            kv::Extended v = 0;
            if (i + 1 >= args.size() || !kv::TryTextToFloat(args[i + 1], v) || v < 1 || v > 1e7) {
                ctx.Err << "korvanel-cli bench: --runs needs a count from 1 to 10000000\n";
                return 2;
            }
            runs = long(v);
            ++i;
        } else if (file.empty()) {
            file = args[i];
        } else {
            ctx.Err << "korvanel-cli bench: unknown argument '" << args[i] << "'\n";
            return 2;
        }
    }
    if (file.empty()) {
        ctx.Err << "korvanel-cli bench: a condition file is needed\n";
        return 2;
    }
    if (int rc = OpenForCalculation(ctx, "bench", file)) return rc;
    kv::KvState& s = *ctx.State;

    for (int i = 0; i < 20; ++i) kv::CalculateAll(s);  // warm the caches
    std::vector<double> calls;
    calls.reserve(size_t(runs));
    for (long i = 0; i < runs; ++i) {
        const Clock::time_point t0 = Clock::now();
        kv::CalculateAll(s);
        calls.push_back(Micro(Clock::now() - t0));
    }
    StepTimer timer;
    for (auto& v : timer.samples) v.reserve(size_t(runs));
    for (long i = 0; i < runs; ++i) {
        timer.Start();
        kv::CalculateAll(s, &timer);
    }

    auto [median, minimum] = MedianMin(calls);
    ctx.Out << "CalculateAll on " << ToUtf8(file) << ", " << runs << " runs (microseconds)\n";
    ctx.Out << "  " << std::left << std::setw(26) << "step" << std::right << std::setw(12) << "median"
            << std::setw(12) << "minimum" << "\n";
    ctx.Out << "  " << std::left << std::setw(26) << "whole call" << std::right << std::setw(12)
            << kv::FormatFloat("0.00", median) << std::setw(12) << kv::FormatFloat("0.00", minimum) << "\n";
    for (size_t i = 0; i < timer.samples.size(); ++i) {
        auto [m, mn] = MedianMin(timer.samples[i]);
        ctx.Out << "  " << std::left << std::setw(26) << kv::CycleStepName(kv::CycleStep(i)) << std::right
                << std::setw(12) << kv::FormatFloat("0.00", m) << std::setw(12) << kv::FormatFloat("0.00", mn)
                << "\n";
    }
    return 0;
}

}  // namespace kvcli
