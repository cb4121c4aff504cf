// korvanel-cli bench FILE.LCF [--runs N]
//
// Times the calculation cycle on one condition: the whole call over N runs
// (without probes), then each step of the cycle over another N runs, then
// the parts of the longitudinal strength step (buoyancy ordinates and the
// balancing loop alone), torsion and the flooding of each hold where the
// ship data switch them on. Prints the median and the minimum in
// microseconds. A benchmark, not a test: the figures depend on the machine
// and its load.
#include <algorithm>
#include <chrono>
#include <iomanip>
#include <ostream>

#include "calc/Flooding.h"
#include "calc/GlobalProc.h"
#include "calc/Strength.h"
#include "calc/Torsion.h"
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

    auto row = [&](const std::string& name, std::vector<double>& v, const std::string& note = "") {
        auto [m, mn] = MedianMin(v);
        ctx.Out << "  " << std::left << std::setw(26) << name << std::right << std::setw(12)
                << kv::FormatFloat("0.00", m) << std::setw(12) << kv::FormatFloat("0.00", mn) << note << "\n";
        return m;
    };
    ctx.Out << "CalculateAll on " << ToUtf8(file) << ", " << runs << " runs (microseconds)\n";
    ctx.Out << "  " << std::left << std::setw(26) << "step" << std::right << std::setw(12) << "median"
            << std::setw(12) << "minimum" << "\n";
    row("whole call", calls);
    double strengthStep = 0;  // minimum
    for (size_t i = 0; i < timer.samples.size(); ++i) {
        row(kv::CycleStepName(kv::CycleStep(i)), timer.samples[i]);
        if (kv::CycleStep(i) == kv::CycleStep::Strength) strengthStep = MedianMin(timer.samples[i]).second;
    }
    if (!s.CalcData.Strength.Computed) {
        ctx.Out << "Longitudinal strength: not computed by the cycle\n";
        return 0;
    }

    // The strength step apart: the buoyancy ordinates at the floating
    // position, then the balancing loop with SF, BM and the correction. The
    // loop overwrites the ordinates with the balanced areas, so each run
    // starts again from the buoyancy.
    const kv::StrengthRun run = kv::IntactStrengthRun(s, s.LoadData.VoyageCond);
    std::vector<double> buoyancy, balancing;
    buoyancy.reserve(size_t(runs));
    balancing.reserve(size_t(runs));
    kv::balance_rec last;
    for (long i = 0; i < runs; ++i) {
        const Clock::time_point t0 = Clock::now();
        kv::ComputeBuoyancy(s, run);
        const Clock::time_point t1 = Clock::now();
        last = kv::BalanceStrength(s, run);
        buoyancy.push_back(Micro(t1 - t0));
        balancing.push_back(Micro(Clock::now() - t1));
    }
    ctx.Out << "Longitudinal strength apart (" << s.Strength.Intervals.size() << " intervals)\n";
    row("buoyancy ordinates", buoyancy);
    // Minimum against minimum: on a busy machine the medians carry the load.
    const double m = MedianMin(balancing).second;
    std::string note = "  (" + std::to_string(last.Passes) + " passes";
    if (strengthStep > 0) note += ", minimum " + kv::FormatFloat("0", 100 * m / strengthStep) + " % of the step's";
    row("balancing loop", balancing, note + ")");

    if (s.ShipInfo.OptionOn(kv::OptionTorsion)) {
        std::vector<double> torsion;
        for (long i = 0; i < runs; ++i) {
            const Clock::time_point t0 = Clock::now();
            kv::CalcTorsion(s);
            torsion.push_back(Micro(Clock::now() - t0));
        }
        row("torsion", torsion);
    }
    // A flooding run is an equilibrium loop around a strength calculation:
    // far fewer runs keep the benchmark short.
    if (s.ShipInfo.OptionOn(kv::OptionHoldFlooding)) {
        const long floodRuns = std::min(runs, 50L);
        for (int h = 0; h < int(s.TankGroup.Groups[0].Tanks.size()); ++h) {
            std::vector<double> flood;
            for (long i = 0; i < floodRuns; ++i) {
                const Clock::time_point t0 = Clock::now();
                kv::FloodHold(s, h);
                flood.push_back(Micro(Clock::now() - t0));
            }
            row("flooding of hold " + std::to_string(h + 1), flood,
                "  (" + std::to_string(floodRuns) + " runs)");
        }
    }
    return 0;
}

}  // namespace kvcli
