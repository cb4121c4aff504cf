// Sea water entering the compartments of a flooded cargo hold: permeability
// of the compartment's content, the volume below the outside waterline from
// the compartment's tables, and the compartment's result in the flooded
// condition as content plus water.
#include <algorithm>
#include <cmath>
#include <string>

#include "calc/Flooding.h"
#include "calc/Strength.h"
#include "calc/TankContents.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

constexpr int BaleGroup = 0;
constexpr int HoldGroup = 1;
constexpr Extended EmptyPermeability = 0.95L;

Extended Finite(Extended v) { return std::isfinite(v) ? v : 0; }

bool ValidHold(const KvState& state, int hold) {
    const auto& bales = state.TankGroup.Groups[BaleGroup].Tanks;
    return hold >= 0 && hold < state.ShipInfo.GroupCount[BaleGroup] && size_t(hold) < bales.size();
}

int CompartmentCount(const KvState& state) {
    return std::min<int>(state.ShipInfo.GroupCount[HoldGroup],
                         int(state.TankGroup.Groups[HoldGroup].Tanks.size()));
}

Extended SeaDensity(const KvState& state) {
    return state.LoadData.SeaDensity > 0 ? state.LoadData.SeaDensity : Extended(1.025L);
}

// A centre of the compartment's base table at a volume (0 when the table has
// no such column).
Extended CentreAt(KvState& state, const tank_rec& t, const char* column, Extended volume) {
    Extended v = 0;
    GetTableValue(t.TkTables[TkBase], column, "VOLUME", "", volume, v, true, false, state.Tables);
    return Finite(v);
}

struct Centres {
    Extended L = 0, V = 0, T = 0;
};

}  // namespace

bool FloodRuleBV(const shipinfo_rec& ship) {
    std::string text = ship.OptionText(OptionHoldFlooding);
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return false;
    const size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1) == "1";
}

Extended FloodPermeability(bool ruleBV, Extended contentVolume, Extended density, int cargoType,
                           bool baleLoaded) {
    Extended mu = EmptyPermeability;
    if (contentVolume != 0) mu = (ruleBV || density > 1.0L) ? 0.3L : 0.5L;
    if (cargoType == CargoEBallast) mu = EmptyPermeability;
    if (baleLoaded) mu = 0;
    return mu;
}

std::vector<int> HoldCompartments(const KvState& state, int hold) {
    std::vector<int> range;
    if (!ValidHold(state, hold)) return range;
    const tank_rec& extent = state.TankGroup.Groups[BaleGroup].Tanks[size_t(hold)];
    const auto& tanks = state.TankGroup.Groups[HoldGroup].Tanks;
    int first = -1, last = -1;
    for (int t = 0; t < CompartmentCount(state); ++t) {
        const Extended mid = (tanks[size_t(t)].AftEnd + tanks[size_t(t)].ForeEnd) / 2;
        if (extent.AftEnd <= mid && mid <= extent.ForeEnd) {
            if (first < 0) first = t;
            last = t;
        }
    }
    for (int t = first; first >= 0 && t <= last; ++t) range.push_back(t);
    return range;
}

void RebuildActiveHoldCompartments(KvState& state) {
    auto& active = state.Calc.ActiveHoldCompartments;
    active.clear();
    const int n = std::min(CompartmentCount(state), 256);
    for (int t = 0; t < n; ++t) active.push_back(t);
}

void FloodWater(KvState& state, int mode, int hold, Extended draft, Extended heel, Extended trim, int tank) {
    if (!ValidHold(state, hold)) return;
    auto& holds = state.CalcData.Flood.Holds;
    const size_t holdCount = size_t(state.ShipInfo.GroupCount[BaleGroup]);
    if (holds.size() < holdCount) holds.resize(holdCount);
    fldtkinfo_rec& info = holds[size_t(hold)];

    std::vector<int> range;
    if (mode == 1) {
        if (tank >= 0 && tank < CompartmentCount(state)) range.push_back(tank);
    } else {
        range = HoldCompartments(state, hold);
    }

    const tank_rec& extent = state.TankGroup.Groups[BaleGroup].Tanks[size_t(hold)];
    const bool ruleBV = FloodRuleBV(state.ShipInfo);
    const Extended rho = SeaDensity(state);
    const auto& active = state.Calc.ActiveHoldCompartments;
    const auto& intact = state.CalcData.Summaries[HoldGroup + 1].Items;
    const auto& bales = state.CalcData.Summaries[BaleGroup + 1].Items;
    auto& flooded = state.CalcDataFlood.Summaries[HoldGroup + 1].Items;

    Extended water = 0, moment = 0;
    Extended lastLCG = (extent.AftEnd + extent.ForeEnd) / 2;
    for (int t : range) {
        if (std::find(active.begin(), active.end(), t) == active.end()) continue;
        if (size_t(t) >= intact.size() || size_t(t) >= flooded.size()) continue;
        const tank_rec& comp = state.TankGroup.Groups[HoldGroup].Tanks[size_t(t)];
        lastLCG = (comp.AftEnd + comp.ForeEnd) / 2;

        // The content as the intact condition carries it.
        const TankResult& content = intact[size_t(t)];
        const auto& loads = state.LoadData.Loads[HoldGroup].Items;
        const int kind = size_t(t) < loads.size() ? loads[size_t(t)].CargoType : CargoBale;
        const Extended r = content.Volume;
        Extended density = content.SG;
        const bool baleLoaded = size_t(t) < bales.size() && bales[size_t(t)].Weight > 0;
        const Extended mu = FloodPermeability(ruleBV, r, density, kind, baleLoaded);
        info.Permeability = mu;
        if (density == 0) density = 1.0L;

        const Extended tm = MeanDraftOverSpace(state, HoldGroup, t, trim, draft);
        info.MeanDraft = tm;
        const Extended h = tm - comp.BottomZ;
        if (h <= 0) {
            // Bottom above the outside waterline: the content alone.
            flooded[size_t(t)] = content;
            continue;
        }

        // Below the waterline inside the compartment, with its centres.
        const Extended v = TankVolumeFromLevel(state, HoldGroup, t, h, trim, heel);
        const Centres cv{CentreAt(state, comp, "LCG", v), CentreAt(state, comp, "VCG", v),
                         CentreAt(state, comp, "TCG", v)};
        const Centres cr{content.LCG, content.VCG, content.TCG};
        lastLCG = cv.L;

        // Mass M and moments of the water that enters.
        Extended m = 0;
        Centres mm;
        if (mu == 0) {
            // A compartment whose bale cargo space is loaded takes no water.
        } else if (kind == CargoEBallast) {
            // The ballast already carried counts against the flooded volume;
            // above the outside waterline it runs out.
            const Extended o = v * mu;
            m = (o - r) * rho;
            mm = {(o * cv.L - r * cr.L) * rho, (o * cv.V - r * cr.V) * rho, (o * cv.T - r * cr.T) * rho};
        } else if (r > 0 && r < v) {
            // The space the cargo leaves empty below the waterline floods as
            // an empty hold, the cargo's pores with its own permeability.
            const Extended pores = r * mu * rho, space = (v - r) * rho * EmptyPermeability;
            m = space + pores;
            mm = {pores * cr.L + space * cv.L, pores * cr.V + space * cv.V, pores * cr.T + space * cv.T};
        } else {
            m = v * mu * rho;
            mm = {m * cv.L, m * cv.V, m * cv.T};
        }

        // The compartment in the flooded condition: content plus water.
        TankResult& res = flooded[size_t(t)];
        const Extended contentWeight = r * density;
        const Extended w = contentWeight + m;
        res.Weight = w;
        const Extended capacity = HoldCapacity(state, t);
        res.CapacityPercent = capacity > 0 ? (w / density) / capacity * 100 : 0;
        res.Percent = comp.MaxVolume > 0 ? (w / density) / comp.MaxVolume * 100 : 0;
        if (w != 0) {
            res.LCG = Finite((contentWeight * cr.L + mm.L) / w);
            res.VCG = Finite((contentWeight * cr.V + mm.V) / w);
            res.TCG = Finite((contentWeight * cr.T + mm.T) / w);
        } else {
            res.LCG = CentreAt(state, comp, "LCG", r);
            res.VCG = CentreAt(state, comp, "VCG", r);
            res.TCG = CentreAt(state, comp, "TCG", r);
        }
        res.LMoment = w * res.LCG;
        res.TMoment = w * res.TCG;
        res.VMoment = w * res.VCG;

        water += m;
        moment += cv.L * m;
    }

    info.FloodWater = water;
    info.FloodWaterLCG = water != 0 ? Finite(moment / water) : lastLCG;
}

}  // namespace kv
