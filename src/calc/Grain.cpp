// Grain stability by the International Grain Code: heeling moments of the
// grain holds, the heeling arms, the allowable moment, the static angle of
// heel, the residual area and their judgement.
#include "calc/Grain.h"

#include <algorithm>
#include <cmath>

#include "calc/StabProc.h"
#include "calc/StabilityTables.h"
#include "numerics/Formats.h"
#include "numerics/GeoSpline.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

constexpr Extended kDegToRad = 3.14159265358979323846264338327950288L / 180;
constexpr Extended kArmEndAngle = 40;  // the heeling arm runs from 0 to 40 degrees

constexpr int kDeckEdgeOption = 18;
constexpr int kNoRangeCheckOption = 21;

bool IsGrainCargo(int cargoType) { return cargoType == CargoTGrain || cargoType == CargoUGrain; }

std::string Shown3(Extended v) { return FormatFloat("0.000", std::isfinite(v) ? v : 0); }

Extended ReadBack(const std::string& text) {
    Extended v = 0;
    TryTextToFloat(text, v);
    return v;
}

// A hold counts as full when its fill of the capacity in its loading mode
// reaches 100 %.
bool IsFull(const TankResult& r) { return CompareValues(">=", r.CapacityPercent, 100); }

// The straight heeling arm through (0, lambda0) and (40, lambda40).
Extended ArmAt(Extended lambda0, Extended lambda40, Extended angle) {
    return lambda0 + (lambda40 - lambda0) * angle / kArmEndAngle;
}

}  // namespace

Extended GrainStaticAngle(const TReal1DArray& gzSpline, Extended lambda0, Extended lambda40) {
    if (gzSpline.size() < 4) return 0;
    // Crossings lying on a whole degree are found from either chord: allow a
    // sliver of rounding at both ends of each chord.
    constexpr double tol = 1e-9;
    const double armSlope = double((lambda40 - lambda0) / kArmEndAngle);
    for (int j = 1; j <= int(kArmEndAngle); ++j) {
        const double x0 = j - 1, x1 = j;
        const double y0 = SplineInterpolation(gzSpline, x0), y1 = SplineInterpolation(gzSpline, x1);
        const double chordSlope = y1 - y0;
        if (chordSlope == armSlope) continue;  // parallel or lying on the arm
        // y0 + chordSlope (x - x0) = lambda0 + armSlope x
        double x = (double(lambda0) - y0 + chordSlope * x0) / (chordSlope - armSlope);
        if (!std::isfinite(x) || x < x0 - tol || x > x1 + tol) continue;
        x = std::clamp(x, x0, x1);
        double s, ds, d2s;
        SplineDerivatives(gzSpline, x, s, ds, d2s);
        if (ds >= 0) return x;
    }
    return 0;
}

Extended GrainResidualArea(const TReal1DArray& gzSpline, Extended lambda0, Extended lambda40, Extended staticAngle,
                           Extended angleLimit) {
    if (gzSpline.size() < 4) return 0;
    const Extended upper = angleLimit < kArmEndAngle ? angleLimit : kArmEndAngle;
    const Extended gzArea = Extended(SplineIntegration(gzSpline, double(upper))) -
                            Extended(SplineIntegration(gzSpline, double(staticAngle)));
    // The heeling-arm term is the trapezoid from the static angle to the
    // upper limit with the arm at 0 degrees (lambda0) as its left ordinate.
    // That overstates the arm's area by (lambda0 - arm at the static angle)
    // (upper - static) / 2 and so errs on the safe side: the residual area is
    // never larger than the area between the two curves.
    const Extended armArea = (lambda0 + ArmAt(lambda0, lambda40, upper)) * (upper - staticAngle) / 2;
    return (gzArea - armArea) * kDegToRad;
}

void GrainCompartmentMoments(KvState& state) {
    const auto& tanks = state.TankGroup.Groups[1].Tanks;
    const auto& results = state.CalcData.Summaries[2].Items;
    const auto& loads = state.LoadData.Loads[1].Items;
    std::vector<graincompartment_rec>& out = state.CalcData.Grain.Compartments;
    out.assign(tanks.size(), graincompartment_rec{});
    for (size_t i = 0; i < tanks.size() && i < results.size() && i < loads.size(); ++i) {
        const tank_rec& t = tanks[i];
        const TankResult& r = results[i];
        const loadinfo_rec& ld = loads[i];
        if (!IsGrainCargo(ld.CargoType) || !(r.Weight > 0)) continue;
        graincompartment_rec& g = out[i];
        const bool trimmed = ld.CargoType == CargoTGrain;
        g.Ullage = t.MaxLevel - r.Level;
        Extended slackMoment = 0;
        if (IsFull(r)) {
            g.VCG = trimmed ? t.GrainVCG1 : t.GrainVCG2;
        } else {
            GetTableValue(t.OptTables[0], "VCG", "ULLAGE", "", g.Ullage, g.VCG, true, true, state.Tables);
            GetTableValue(t.OptTables[0], "GSM", "ULLAGE", "", g.Ullage, slackMoment, true, true, state.Tables);
        }
        switch (ld.MomentMode) {
            case MomentActual: g.VolumetricMoment = IsFull(r) ? (trimmed ? t.FullGSM1 : t.FullGSM2) : slackMoment; break;
            case MomentMaximum: g.VolumetricMoment = t.MaxGSM; break;
            default: g.VolumetricMoment = 0; break;
        }
        // The heeling moment is the volumetric moment over the stowage
        // factor, i.e. times the density of the grain.
        g.HeelingMoment = g.VolumetricMoment * r.SG;
        if (state.LoadData.CGMode == 1 && ld.MomentMode == MomentActual) {
            // Entered by hand with the centres: the moment itself.
            g.HeelingMoment = ld.FSMValue;
            g.VolumetricMoment = r.SG > 0 ? ld.FSMValue / r.SG : 0;
        }
    }
}

Extended AllowableHeelingMoment(KvState& state, Extended trim, Extended key, Extended displacement) {
    const xyztable_rec& table = state.ShipInfo.ShipTables.GrainTable();
    const std::string layer = FloatToStr(trim), column = FloatToStr(key);
    Extended result = 0;
    if (TableHasColumn(table, "DISP")) {
        GetTableValue(table, column, "DISP", layer, displacement, result, true, true, state.Tables);
    } else if (TableHasColumn(table, "DRAFT")) {
        Extended draft = 0;
        GetTableValue(state.ShipInfo.ShipTables.HydroTable(), "DRAFT", "DISP", layer, displacement, draft, true, true,
                      state.Tables);
        GetTableValue(table, column, "DRAFT", layer, draft, result, true, true, state.Tables);
    }
    return std::isfinite(result) ? result : 0;
}

const std::array<std::string, 6>& GrainGridHeader() {
    static const std::array<std::string, 6> h{"MSC23. (59) (IGC). CRITERIA", "ACTUAL", "", "ALLOW", "UNIT", "JUDGE"};
    return h;
}

std::array<int, 6> GrainGridColumnWidths() { return {60, 20, 10, 20, 20, 30}; }

void CalcGrain(KvState& state) {
    GrainCompartmentMoments(state);
    calcdata_rec& c = state.CalcData;
    grainsummary_rec& g = c.Grain;
    const shipinfo_rec& ship = state.ShipInfo;
    const auto& tanks = state.TankGroup.Groups[1].Tanks;
    const auto& results = c.Summaries[2].Items;
    const auto& loads = state.LoadData.Loads[1].Items;

    // 1. Heeling moments and arms.
    g.TotalMoment = c.Summaries[2].Spare;
    g.WeightedMoment = 0;
    bool grainLoaded = false;
    for (size_t i = 0; i < g.Compartments.size(); ++i) {
        const Extended m = g.Compartments[i].HeelingMoment;
        g.TotalMoment += m;
        const bool full = i < results.size() && IsFull(results[i]);
        g.WeightedMoment += full ? m : m * tanks[i].SlackFactor;
        if (i < loads.size() && IsGrainCargo(loads[i].CargoType)) grainLoaded = true;
    }
    g.GMSolid = c.Stab.GMSolid;
    g.FSC = c.Stab.FSC;
    g.GoM = c.Stab.GoM;
    g.AngleLimit = c.Stab.MaxGZAngle;
    g.Lambda0 = c.Displacement > 0 ? g.TotalMoment / c.Displacement : 0;
    g.Lambda40 = 0.8L * g.Lambda0;

    // 2. Allowable heeling moment by KGo or by GoM.
    const std::string by = ship.OptionText(OptionGrainStability);
    if (by == "0")
        g.AllowableMoment = AllowableHeelingMoment(state, c.Trim, c.VCG + c.Stab.FSC, c.DisplacementSW);
    else if (by == "1")
        g.AllowableMoment = AllowableHeelingMoment(state, c.Trim, c.Stab.GoM, c.DisplacementSW);

    // 3, 4. Static angle and residual area.
    g.StaticAngle = GrainStaticAngle(state.Calc.GZSpline, g.Lambda0, g.Lambda40);
    g.ResidualArea = GrainResidualArea(state.Calc.GZSpline, g.Lambda0, g.Lambda40, g.StaticAngle, g.AngleLimit);

    // 5. The criteria rows.
    const Extended L = state.Units.Length(), W = state.Units.Weight();
    const std::string& lu = state.Units.UnitNames[UnitLength];
    const std::string& wu = state.Units.UnitNames[UnitWeight];
    const bool deckEdge = ship.OptionOn(kDeckEdgeOption);
    const Extended immersion = deckEdge ? DeckImmersionAngle(state, c.DisplacementSW, c.Trim, c.Heel) : 0;
    const Extended angleAllow = deckEdge && immersion < GrainMaxStaticAngle ? immersion : GrainMaxStaticAngle;

    std::vector<stabcriterion_rec> rows(6);
    auto set = [&](int row, const char* name, Extended actual, const char* sign, const std::string& allow,
                   const std::string& unit) {
        stabcriterion_rec& r = rows[size_t(row) - 1];
        r.Row = row;
        r.Name = name;
        r.Actual = Shown3(actual);
        r.Sign = sign;
        r.Allow = allow;
        r.Unit = unit;
        r.Shown = true;
    };
    set(1, "Flooding Angle         ", c.Stab.FloodAngle, "", "", "deg");
    set(2, "Corrected GoM          ", g.GoM * L, ">", Shown3(GrainMinGoM * L), lu);
    set(3, "Static Angle of Heel   ", g.StaticAngle, "<", Shown3(angleAllow), "deg");
    set(4, "Residual Area          ", g.ResidualArea * L, ">", Shown3(GrainMinResidualArea * L), lu + "-rad");
    set(5, "Grain Heeling Moment   ", g.TotalMoment * W * L, "<", Shown3(g.AllowableMoment * W * L), wu + "-" + lu);
    set(6, "Immersion of deck edge", immersion, "", "", "deg");
    rows[5].Shown = deckEdge;

    const bool outOfRange = state.Calc.StabilityRangeExceeded && grainLoaded && !ship.OptionOn(kNoRangeCheckOption);
    bool passed = true;
    for (stabcriterion_rec& r : rows) {
        r.Judge.clear();
        r.Red = false;
        if (outOfRange) {
            r.Judge = "OUT OF RANGE";
        } else if (!r.Allow.empty()) {
            const Extended actual = ReadBack(r.Actual), allow = ReadBack(r.Allow);
            r.Judge = (r.Sign == ">" ? actual >= allow : actual <= allow) ? "OK" : "NOT OK";
        }
        r.Red = r.Judge == "NOT OK" || r.Judge == "OUT OF RANGE";
        if (r.Red) passed = false;
    }
    g.Rows = std::move(rows);
    g.Passed = passed;
    g.Computed = true;
    state.Calc.JudgementFlags[GrainOK] = passed;
}

GridData FillGrainGZGrid(const KvState& state) {
    GridData g;
    g.Cells = LeverTable(state);
    if (g.Cells.size() > 1 && !g.Cells[1].empty()) g.Cells[1][0] = "KN";
    const size_t cols = g.Cells.empty() ? 0 : g.Cells[0].size();
    g.ColWidths.assign(cols, 1);
    g.Red.assign(g.Cells.size(), std::vector<bool>(cols, false));
    return g;
}

}  // namespace kv
