// Timing of the table lookups a calculation cycle makes (run on demand:
// build/bench/korvanel_bench). Not part of the tests.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "numerics/TableLookup.h"

using namespace kv;

namespace {

xyztable_rec MakeTable(int cols, int rows, const std::vector<std::string>& layers, const std::vector<std::string>& heads) {
    xyztable_rec t;
    t.Resize(cols, rows, int(layers.size()));
    for (int c = 1; c <= cols; ++c) t.ColHeads[size_t(c)].set(heads[size_t(c - 1)]);
    for (size_t l = 0; l < layers.size(); ++l) t.LayerHeads[l + 1].set(layers[l]);
    for (size_t l = 1; l <= layers.size(); ++l)
        for (int c = 1; c <= cols; ++c)
            for (int r = 1; r <= rows; ++r) t.Values[l][size_t(c)][size_t(r)] = 0.1L * r + c + 0.01L * l;
    return t;
}

void HydrostaticLookup(benchmark::State& st) {
    std::vector<std::string> trims;
    for (int l = 0; l < 9; ++l) trims.push_back(std::to_string(-2.0 + 0.5 * l).substr(0, 5));
    xyztable_rec t = MakeTable(12, 60, trims, {"DRAFT", "DISP", "LCB", "LCF", "KMT", "MTC", "TPC", "VCB", "KML", "CB", "WSA", "LCB2"});
    TableLookupState s;
    int i = 0;
    for (auto _ : st) {
        long double v = 0;
        GetTableValue(t, "KMT", "DISP", "0.37", 1 + (i++ % 500) * 0.01L, v, false, true, s);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(HydrostaticLookup);

void TankLookup(benchmark::State& st) {
    xyztable_rec t = MakeTable(6, 40, {""}, {"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"});
    TableLookupState s;
    int i = 0;
    for (auto _ : st) {
        long double v = 0;
        GetTableValue(t, "VOLUME", "LEVEL", "", (i++ % 1000) * 0.01L, v, true, true, s);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(TankLookup);

}  // namespace

BENCHMARK_MAIN();
