// Cargo hold mass: the mass counted in each hold, the allowable curves at a
// draft, the alternate-hold flag and the overall check after every cycle.
//
// A hold is the bale cargo compartment of load group 0 with the same index;
// its AftEnd and ForeEnd bound everything counted in it. The hold's cargo
// compartment is the load group 1 entry of that index.
#include "calc/HoldMass.h"

#include <algorithm>
#include <cmath>

#include "calc/Strength.h"
#include "calc/TankContents.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

const tank_rec* HoldRecord(const KvState& state, int hold) {
    const auto& tanks = state.TankGroup.Groups[0].Tanks;
    if (hold < 0 || size_t(hold) >= tanks.size()) return nullptr;
    return &tanks[size_t(hold)];
}

// Results of load group g (1..8), or an empty list.
const std::vector<TankResult>& GroupResults(const KvState& state, int group) {
    return state.CalcData.Summaries[size_t(group) + 1].Items;
}

bool StrictlyInside(Extended x, const tank_rec& hold) { return x > hold.AftEnd && x < hold.ForeEnd; }

// (aft, fore] with the tolerant comparison (CompareValues ">" and "<=",
// written out: it runs for every container of the plan and every hold): a
// point on a bulkhead belongs to the hold aft of it, so that it is counted
// exactly once.
bool InsideAftOpen(Extended x, const tank_rec& hold) {
    constexpr Extended tol = 1e-5L;
    const Extended da = x - hold.AftEnd, df = x - hold.ForeEnd;
    const bool aboveAft = !(std::fabs(da) < tol) && da > 0;
    const bool notAboveFore = std::fabs(df) < tol || df < tol;
    return aboveAft && notAboveFore;
}

// One curve at a draft: linear through the bracketing pair of points, the
// first or last pair extrapolated; fewer than two points or a negative
// value give 0.
Extended CurveValue(const std::vector<masspoint_rec>& curve, Extended draft) {
    const size_t n = curve.size();
    if (n < 2) return 0;
    size_t i = 1;
    if (draft > curve[0].Draft) {
        i = n - 1;
        for (size_t k = 0; k < n; ++k)
            if (curve[k].Draft > draft) {
                i = std::max<size_t>(k, 1);
                break;
            }
    }
    const Extended v = LinInterp(draft, curve[i - 1].Draft, curve[i - 1].Mass, curve[i].Draft, curve[i].Mass);
    return v < 0 ? Extended(0) : v;
}

}  // namespace

int HoldCount(const KvState& state) {
    const int n = state.ShipInfo.GroupCount[1];
    const int g0 = int(state.TankGroup.Groups[0].Tanks.size());
    const int g1 = int(state.TankGroup.Groups[1].Tanks.size());
    return std::max(0, std::min({n, g0, g1}));
}

int VoyageCondition(const KvState& state) {
    return state.LoadData.VoyageCond == ConditionPort ? ConditionPort : ConditionSea;
}

Extended HoldDraft(const KvState& state, int hold) {
    if (hold < 0) return 0;
    if (size_t(hold) < state.Calc.HoldDrafts.size()) return state.Calc.HoldDrafts[size_t(hold)];
    return MeanDraftOverSpace(state, 1, hold, state.CalcData.Trim, state.CalcData.DraftMean);
}

// Containers are counted by LCG like the cargo items, in (aft, fore]: a box
// centred exactly on a bulkhead is counted in the hold aft of it and not
// lost to both.
Extended ContainerMassInHold(const KvState& state, int hold) {
    const tank_rec* h = HoldRecord(state, hold);
    if (!h) return 0;
    Extended sum = 0;
    for (const auto& bay : state.LoadData.BayLists)
        for (const auto& c : bay)
            if (InsideAftOpen(c.lcg, *h)) sum += Extended(c.weight);
    return sum;
}

Extended CargoItemMassInHold(const KvState& state, int hold) {
    const tank_rec* h = HoldRecord(state, hold);
    if (!h) return 0;
    Extended sum = 0;
    for (const auto& item : state.LoadData.BaleList) {
        const double mid = double((item.AftX + item.ForeX) / 2);
        if (InsideAftOpen(mid, *h)) sum += item.Weight;
    }
    return sum;
}

Extended CompartmentMassInHold(const KvState& state, int hold) {
    const tank_rec* h = HoldRecord(state, hold);
    if (!h) return 0;
    const auto& results = GroupResults(state, 1);
    const size_t n = std::min(results.size(), state.TankGroup.Groups[1].Tanks.size());
    Extended sum = 0;
    for (size_t i = 0; i < n; ++i)
        if (StrictlyInside(results[i].LCG, *h)) sum += results[i].Weight;
    return sum;
}

// Ballast tanks of group 2 under the hold: a tank's DBMaxVolume marks it (0
// not under a hold, -1 no limit, otherwise the largest volume counted). With
// the mark -1 only the water up to the hold floor counts once the tank is
// filled that high. The volume is spread evenly over the tank's length and
// the part over the hold counted. A tank of no length counts nothing.
Extended TankMassUnderHold(KvState& state, int hold) {
    const tank_rec* h = HoldRecord(state, hold);
    if (!h) return 0;
    const auto& tanks = state.TankGroup.Groups[2].Tanks;
    const auto& results = GroupResults(state, 2);
    const size_t n = std::min(tanks.size(), results.size());
    Extended sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const tank_rec& t = tanks[i];
        const Extended mark = t.DBMaxVolume;
        if (mark == 0) continue;
        const Extended length = t.ForeEnd - t.AftEnd;
        const Extended overlap = std::min(t.ForeEnd, h->ForeEnd) - std::max(t.AftEnd, h->AftEnd);
        if (length <= 0 || overlap <= 0) continue;
        const TankResult& r = results[i];
        Extended v = r.Volume;
        if (CompareValues("=", mark, -1)) {
            if (r.Level >= h->BottomZ)
                v = TankVolumeFromLevel(state, 2, int(i), h->BottomZ, CorrectionTrim(state), CorrectionHeel(state));
        } else {
            v = std::min(v, mark);
        }
        sum += v / length * overlap * r.SG;
    }
    return sum;
}

Extended HoldMass(KvState& state, int hold) {
    return ContainerMassInHold(state, hold) + CargoItemMassInHold(state, hold) + CompartmentMassInHold(state, hold) +
           TankMassUnderHold(state, hold);
}

Extended PlannedHoldMass(const KvState& state, int hold) {
    const tank_rec* h = HoldRecord(state, hold);
    if (!h) return 0;
    const auto& results = GroupResults(state, 1);
    const auto& loads = state.LoadData.Loads[1].Items;
    const size_t n = std::min({results.size(), loads.size(), state.TankGroup.Groups[1].Tanks.size()});
    Extended sum = 0;
    for (size_t i = 0; i < n; ++i)
        if (StrictlyInside(results[i].LCG, *h)) sum += loads[i].Volume * loads[i].Density;
    return sum;
}

HoldMassLimit HoldMassLimits(const KvState& state, int hold, int mode, int condition, Extended draft) {
    const auto& list = state.ShipInfo.ShipTables.CargoMassList;
    if (hold < 0 || size_t(hold) >= list.size() || condition < 0 || condition > 1 || mode < 0 || mode > 1) return {};
    const cargomass_rec& rec = list[size_t(hold)];
    const massminmaxinfo_rec& info = mode == 0 ? rec.OneHold[size_t(condition)] : rec.TwoHolds[size_t(condition)];
    HoldMassLimit r;
    r.Max = CurveValue(info.MaxCurve, draft);
    r.Min = CurveValue(info.MinCurve, draft);
    return r;
}

// A hold's load is the weight of the cargo compartments whose mid-length lies
// inside it (the last such hold when several would take it).
bool ComputeAltHoldLoading(const KvState& state) {
    const auto& holds = state.TankGroup.Groups[0].Tanks;
    const int nh = std::min<int>(state.ShipInfo.GroupCount[0], int(holds.size()));
    if (nh <= 0) return false;
    const auto& comps = state.TankGroup.Groups[1].Tanks;
    const auto& results = GroupResults(state, 1);
    const size_t nc = std::min({size_t(std::max(0, state.ShipInfo.GroupCount[1])), comps.size(), results.size()});
    std::vector<Extended> load(size_t(nh), 0);
    for (size_t j = 0; j < nc; ++j) {
        const Extended mid = (comps[j].AftEnd + comps[j].ForeEnd) / 2;
        int owner = -1;
        for (int h = 0; h < nh; ++h)
            if (StrictlyInside(mid, holds[size_t(h)])) owner = h;
        if (owner >= 0) load[size_t(owner)] += results[j].Weight;
    }
    for (int h = 0; h < nh; ++h) {
        if (!(load[size_t(h)] > 0)) continue;
        if (h > 0 && load[size_t(h - 1)] == 0) return true;
        if (h + 1 < nh && load[size_t(h + 1)] == 0) return true;
    }
    return false;
}

void UpdateHoldMassValues(KvState& state) {
    const int n = std::max(0, state.ShipInfo.GroupCount[1]);
    state.Calc.HoldDrafts.assign(size_t(n), 0);
    state.Calc.HoldMassValues.assign(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        state.Calc.HoldDrafts[size_t(i)] =
            MeanDraftOverSpace(state, 1, i, state.CalcData.Trim, state.CalcData.DraftMean);
        state.Calc.HoldMassValues[size_t(i)] = HoldMass(state, i);
    }
    state.Calc.AltHoldLoading = ComputeAltHoldLoading(state);
}

bool CheckAllHoldMasses(KvState& state) {
    if (!state.ShipInfo.OptionOn(OptionCargoMassLimits)) return true;
    const int n = HoldCount(state);
    const int cond = VoyageCondition(state);
    std::vector<Extended> mass(static_cast<size_t>(n), 0);
    for (int h = 0; h < n; ++h) mass[size_t(h)] = HoldMass(state, h);
    bool ok = true;
    for (int h = 0; h < n; ++h) {
        const HoldMassLimit lim = HoldMassLimits(state, h, 0, cond, HoldDraft(state, h));
        if (mass[size_t(h)] < lim.Min || mass[size_t(h)] > lim.Max) ok = false;
    }
    for (int h = 0; h + 1 < n; ++h) {
        const Extended draft = (HoldDraft(state, h) + HoldDraft(state, h + 1)) / 2;
        const Extended m = mass[size_t(h)] + mass[size_t(h + 1)];
        const HoldMassLimit lim = HoldMassLimits(state, h, 1, cond, draft);
        if (m < lim.Min || m > lim.Max) ok = false;
    }
    return ok;
}

}  // namespace kv
