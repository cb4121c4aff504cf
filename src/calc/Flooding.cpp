// Flooding of one cargo hold: the flooded condition is the intact one plus
// the sea water that enters the hold's compartments; the equilibrium loop
// adds the water at the current waterline and floats the ship again until
// the waterline settles; then the strength of the flooded ship is evaluated
// against the flooded allowables.
#include "calc/Flooding.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/FloatingPosition.h"
#include "calc/GlobalProc.h"
#include "calc/ShearCorrection.h"
#include "calc/Strength.h"

namespace kv {

namespace {

constexpr int BaleGroup = 0;
constexpr int HoldGroup = 1;
constexpr int MaxPasses = 1001;
constexpr Extended Settled = 1e-4L;

Extended SeaDensity(const KvState& state) {
    return state.LoadData.SeaDensity > 0 ? state.LoadData.SeaDensity : Extended(1.025L);
}

}  // namespace

std::vector<ShearTriangle> FloodedShearAdditions(const KvState& state, int hold) {
    std::vector<ShearTriangle> add;
    const auto& loads = state.LoadData.Loads[HoldGroup].Items;
    if (size_t(hold) < loads.size() && loads[size_t(hold)].CargoType == CargoEBallast)
        add.push_back({200, 123, 150, 177});
    if (state.LoadData.VoyageCond != ConditionPort) add.push_back({100, 220, 234, 250});
    if (state.LoadData.VoyageDesc.str().find("NO.12 GRAIN") != std::string::npos) {
        add.push_back({-100, 177, 180, 185});
        add.push_back({-130, 204, 207, 220});
    }
    return add;
}

namespace {

// The strength of the flooded ship into the intervals' Flooded fields.
holdstrength_rec FloodedStrength(KvState& state, int hold) {
    const fldtkinfo_rec& info = state.CalcData.Flood.Holds[size_t(hold)];
    const tank_rec& extent = state.TankGroup.Groups[BaleGroup].Tanks[size_t(hold)];
    std::vector<StrengthLoad> extra;
    if (info.FloodWater != 0)
        extra.push_back({info.FloodWater, info.FloodWaterLCG, extent.AftEnd, extent.ForeEnd});
    DistributeDeadweight(state, extra);

    StrengthRun run;
    run.Flooded = true;
    run.Condition = state.LoadData.VoyageCond == ConditionPort ? ConditionPort : ConditionSea;
    run.Record = &state.CalcDataFlood;
    run.Density = SeaDensity(state);
    run.Additions = FloodedShearAdditions(state, hold);
    ComputeBuoyancy(state, run);

    holdstrength_rec out;
    out.Balance = BalanceStrength(state, run);
    out.Extremes = StrengthExtremes(state.Strength, true);
    out.Computed = true;
    return out;
}

}  // namespace

void FloodHold(KvState& state, int hold) {
    const int holdCount = state.ShipInfo.GroupCount[BaleGroup];
    if (hold < 0 || hold >= holdCount || size_t(hold) >= state.TankGroup.Groups[BaleGroup].Tanks.size()) return;
    floodsummary_rec& flood = state.CalcData.Flood;
    if (flood.Holds.size() < size_t(holdCount)) flood.Holds.resize(size_t(holdCount));
    if (flood.HoldStrength.size() < size_t(holdCount)) flood.HoldStrength.resize(size_t(holdCount));
    flood.HoldStrength[size_t(hold)] = holdstrength_rec{};
    flood.Holds[size_t(hold)] = fldtkinfo_rec{};

    // The flooded condition starts as the intact one. Excursions beyond the
    // ship's tables while floating the flooded ship do not flag the intact
    // results.
    const bool rangeExceeded = state.Tables.TableRangeExceeded;
    state.CalcDataFlood = state.CalcData;
    calcdata_rec& c = state.CalcDataFlood;
    fldtkinfo_rec& info = flood.Holds[size_t(hold)];

    // Water at the current waterline, then float again; the waterline has
    // settled when trim, heel and mean draft no longer move.
    int passes = 0;
    while (passes < MaxPasses) {
        ++passes;
        FloodWater(state, 0, hold, c.DraftMean, c.Heel, c.Trim);
        const Extended trim = c.Trim, heel = c.Heel, draft = c.DraftMean;
        SumWeights(state, c);
        FloatingPosition(state, c);
        MetacentricHeightAndHeel(state, c);
        if (std::fabs(c.Trim - trim) < Settled && std::fabs(c.Heel - heel) < Settled &&
            std::fabs(c.DraftMean - draft) < Settled)
            break;
    }
    state.Tables.TableRangeExceeded = rangeExceeded;

    info.Computed = true;
    info.Iterations = passes;
    info.Displacement = c.Displacement;
    info.Trim = c.Trim;
    info.DraftAP = c.DraftAP;
    info.DraftFP = c.DraftFP;

    if (state.Strength.Intervals.empty()) BuildStrengthStations(state);
    flood.HoldStrength[size_t(hold)] = FloodedStrength(state, hold);
    state.Tables.TableRangeExceeded = rangeExceeded;
    flood.Computed = true;
    state.Calc.JudgementFlags[FloodStrengthOK] =
        StrengthWithinLimits(state.Strength, true, state.ShipInfo.OptionOn(OptionSFCorrectionMethod));
}

void FloodAllHolds(KvState& state) {
    const int n = std::min<int>(state.ShipInfo.GroupCount[BaleGroup],
                                int(state.TankGroup.Groups[BaleGroup].Tanks.size()));
    // Every hold in turn: the flooded strength passes only when it passes
    // with each of them flooded, not just with the last one.
    bool all = true;
    for (int hold = 0; hold < n; ++hold) {
        FloodHold(state, hold);
        all = all && state.Calc.JudgementFlags[FloodStrengthOK];
    }
    if (n > 0) state.Calc.JudgementFlags[FloodStrengthOK] = all;
}

}  // namespace kv
