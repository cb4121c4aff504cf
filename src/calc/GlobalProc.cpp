#include "calc/GlobalProc.h"

#include <algorithm>
#include <cmath>

#include "calc/Auxiliary.h"
#include "calc/FloatingPosition.h"
#include "calc/Flooding.h"
#include "calc/Grain.h"
#include "calc/HoldMass.h"
#include "calc/StabProc.h"
#include "calc/Strength.h"
#include "calc/Torsion.h"

namespace kv {

namespace {

constexpr long double kDegree = 3.14159265358979323846264338327950288L / 180;

// Ship totals of the moments, carried from the summaries to the centres.
struct Moments {
    Extended L = 0, T = 0, V = 0, F = 0;
};

void SumSummary(tanksummary_rec& s, size_t count, Moments& m) {
    s.Weight = s.LMoment = s.TMoment = s.VMoment = s.FSM = s.Spare = 0;
    s.LCG = s.TCG = s.VCG = 0;
    const size_t n = std::min(count, s.Items.size());
    for (size_t i = 0; i < n; ++i) {
        const TankResult& r = s.Items[i];
        s.Weight += r.Weight;
        s.LMoment += r.LMoment;
        s.TMoment += r.TMoment;
        s.VMoment += r.VMoment;
        s.FSM += r.FSM;
    }
    if (s.Weight != 0) {
        s.LCG = s.LMoment / s.Weight;
        s.TCG = s.TMoment / s.Weight;
        s.VCG = s.VMoment / s.Weight;
    }
    m.L += s.LMoment;
    m.T += s.TMoment;
    m.V += s.VMoment;
    m.F += s.FSM;
}

void AddCounts(contbaysum_rec& total, const contbaysum_rec& bay) {
    for (size_t l = 0; l < total.size(); ++l)
        for (size_t s = 0; s < total[l].size(); ++s)
            for (size_t c = 0; c < total[l][s].size(); ++c) {
                total[l][s][c].count += bay[l][s][c].count;
                total[l][s][c].weight += bay[l][s][c].weight;
            }
}

Extended Finite(Extended v) { return std::isfinite(v) ? v : 0; }

void Mark(CycleProbe* probe, CycleStep step) {
    if (probe) probe->StepDone(step);
}

}  // namespace

const char* CycleStepName(CycleStep step) {
    switch (step) {
        case CycleStep::StrengthPreparation: return "strength preparation";
        case CycleStep::Summaries: return "weight summary";
        case CycleStep::FloatingPosition: return "floating position";
        case CycleStep::GMAndHeel: return "propeller, GM, heel";
        case CycleStep::FlagsAndVisibility: return "hold flags, visibility";
        case CycleStep::Stability: return "intact stability";
        case CycleStep::Grain: return "grain";
        case CycleStep::Strength: return "longitudinal strength";
        case CycleStep::Torsion: return "torsion";
        case CycleStep::Flooding: return "flooding";
        case CycleStep::Count: break;
    }
    return "";
}

void SumWeights(KvState& state) { SumWeights(state, state.CalcData); }

void SumWeights(KvState& state, calcdata_rec& c) {
    const shipinfo_rec& ship = state.ShipInfo;
    Moments m;
    c.Cont.Total = contbaysum_rec{};
    for (int k = 0; k < LoadGroupCount; ++k)
        SumSummary(c.Summaries[size_t(k + 1)], size_t(std::max(0, ship.GroupCount[size_t(k)])), m);
    const size_t bays = size_t(std::max(0, state.ContInfo.bay_count));
    SumSummary(c.Summaries[0], bays, m);
    for (size_t b = 0; b < bays && b < c.Cont.Bays.size(); ++b) AddCounts(c.Cont.Total, c.Cont.Bays[b]);

    // Tween deck panels carry no transverse moment.
    Extended panels = 0;
    for (const panel_rec& p : state.PanelList) {
        panels += p.weight;
        m.L += p.weight * p.lcg;
        m.V += p.weight * p.vcg;
    }
    c.Deadweight = panels;
    for (const tanksummary_rec& s : c.Summaries) c.Deadweight += s.Weight;

    m.L += ship.LightWeight * ship.LightLCG;
    m.V += ship.LightWeight * ship.LightVCG;
    m.T += ship.LightWeight * ship.LightTCG;
    c.TotalFSM = m.F;
    c.Displacement = ship.LightWeight + c.Deadweight;
    // A condition without a valid sea density is taken in sea water.
    const Extended rho = state.LoadData.SeaDensity > 0 ? state.LoadData.SeaDensity : Extended(1.025L);
    c.DisplacementSW = Finite(c.Displacement * Extended(1.025L) / rho);
    if (c.Displacement != 0) {
        c.LCG = Finite(m.L / c.Displacement);
        c.VCG = Finite(m.V / c.Displacement);
        c.TCG = Finite(m.T / c.Displacement);
    } else {
        c.LCG = c.VCG = c.TCG = 0;
    }
}

void MetacentricHeightAndHeel(KvState& state) { MetacentricHeightAndHeel(state, state.CalcData); }

void MetacentricHeightAndHeel(KvState& state, calcdata_rec& c) {
    stabsummary_rec& s = c.Stab;
    s.GMSolid = c.KMT - c.VCG;
    s.FSC = c.Displacement != 0 ? Finite(c.TotalFSM / c.Displacement) : 0;
    s.GoM = s.GMSolid - s.FSC;

    // The transverse moment is Displacement x TCG.
    const Extended mt = c.Displacement * c.TCG;
    const Extended denominator = c.Displacement * s.GoM * std::sin(kDegree);
    Extended heel = 0;
    if (mt != 0) {
        heel = denominator != 0 ? mt / denominator : (mt > 0 ? 90 : -90);
        if (!std::isfinite(heel) || std::fabs(heel) > 90) heel = heel < 0 ? -90 : 90;
    }
    c.Heel = heel;
    // Side drafts are taken with the list held below the vertical.
    const Extended h = std::fmax(-89, std::fmin(89, heel));
    const Extended half = state.ShipInfo.Breadth / 2 * std::tan(h * kDegree);
    c.DraftPort = c.DraftMean - half;
    c.DraftStbd = c.DraftMean + half;
}

void CalculateAll(KvState& state) { CalculateAll(state, nullptr); }

void CalculateAll(KvState& state, CycleProbe* probe) {
    calcdata_rec& c = state.CalcData;
    CalcState& calc = state.Calc;
    const shipinfo_rec& ship = state.ShipInfo;

    // Container stacks, tanks and cargo items define strength stations, so
    // the stations and the lightweight spread are rebuilt first.
    BuildStrengthStations(state);
    Mark(probe, CycleStep::StrengthPreparation);

    SumWeights(state);
    Mark(probe, CycleStep::Summaries);

    FloatingPosition(state);
    calc.FloatRangeExceeded = state.Tables.TableRangeExceeded;
    Mark(probe, CycleStep::FloatingPosition);

    c.PropImmersion = Finite(PropellerImmersion(ship, c.DraftAP, c.Trim, c.PropImmersion));
    MetacentricHeightAndHeel(state);
    Mark(probe, CycleStep::GMAndHeel);

    UpdateHoldMassValues(state);
    calc.HoldMassCheck = CheckAllHoldMasses(state);
    c.Visibility = CalcBlindDistance(state);
    calc.AnyBallastHold = false;
    calc.AnyGrainMode = false;
    const auto& holds = state.LoadData.Loads[1].Items;
    for (size_t i = 0; i < holds.size() && int(i) < ship.GroupCount[1]; ++i) {
        const int type = holds[i].CargoType;
        if (type == CargoEBallast) calc.AnyBallastHold = true;
        if (type == CargoTGrain || type == CargoUGrain) calc.AnyGrainMode = true;
    }
    Mark(probe, CycleStep::FlagsAndVisibility);

    state.Tables.TableRangeExceeded = false;
    RunStability(state);
    state.Tables.TableRangeExceeded = false;
    Mark(probe, CycleStep::Stability);

    // Grain, torsion and flooding run only while their result page is
    // shown; otherwise their last results stay.
    if (ship.OptionOn(OptionGrainStability) && calc.StabilityView == 1) CalcGrain(state);
    Mark(probe, CycleStep::Grain);
    CalcStrength(state);
    Mark(probe, CycleStep::Strength);
    if (ship.OptionOn(OptionTorsion) && calc.StrengthView == 2) CalcTorsion(state);
    Mark(probe, CycleStep::Torsion);
    if (ship.OptionOn(OptionHoldFlooding) && calc.StrengthView == 1) FloodHold(state, calc.FloodHold);
    Mark(probe, CycleStep::Flooding);
}

}  // namespace kv
