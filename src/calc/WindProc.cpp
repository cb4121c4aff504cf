#include "calc/WindProc.h"

#include <algorithm>
#include <cmath>

#include "calc/StabProc.h"
#include "containers/BayGeometry.h"
#include "numerics/Formats.h"
#include "numerics/GeoSpline.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

constexpr Extended kDegToRad = 3.14159265358979323846L / 180.0L;

struct FactorEntry {
    Extended arg, factor;
};

template <size_t N>
Extended Factor(const FactorEntry (&t)[N], Extended x) {
    if (!(x > t[0].arg)) return t[0].factor;  // also an argument that is not a number
    if (x >= t[N - 1].arg) return t[N - 1].factor;
    for (size_t i = 1; i < N; ++i)
        if (t[i].arg > x) return LinInterp(x, t[i - 1].arg, t[i - 1].factor, t[i].arg, t[i].factor);
    return t[N - 1].factor;
}

const FactorEntry kX1[] = {{2.4L, 1.0L},  {2.5L, 0.98L}, {2.6L, 0.96L}, {2.7L, 0.95L},
                           {2.8L, 0.93L}, {2.9L, 0.91L}, {3.0L, 0.90L}, {3.1L, 0.88L},
                           {3.2L, 0.86L}, {3.3L, 0.84L}, {3.4L, 0.82L}, {3.5L, 0.80L}};
const FactorEntry kX2[] = {{0.45L, 0.75L}, {0.50L, 0.82L}, {0.55L, 0.89L},
                           {0.60L, 0.95L}, {0.65L, 0.97L}, {0.70L, 1.0L}};
const FactorEntry kK[] = {{0.0L, 1.0L},  {1.0L, 0.98L}, {1.5L, 0.95L}, {2.0L, 0.88L},
                          {2.5L, 0.79L}, {3.0L, 0.74L}, {3.5L, 0.72L}, {4.0L, 0.70L}};
const FactorEntry kS[] = {{6, 0.100L},  {7, 0.098L},  {8, 0.093L},  {12, 0.065L},
                          {14, 0.053L}, {16, 0.044L}, {18, 0.038L}, {20, 0.035L}};

Extended Finite(Extended v) { return std::isfinite(v) ? v : 0; }

// Key column and value by which the wind table is read: the displacement
// when the table has that heading, otherwise the mean draft.
void WindKey(KvState& state, std::string& key, Extended& value) {
    if (TableHasColumn(state.ShipInfo.ShipTables.WindTable(), "DISP")) {
        key = "DISP";
        value = state.CalcData.Displacement;
    } else {
        key = "DRAFT";
        value = state.CalcData.DraftMean;
    }
}

// Waterline length: the hydrostatic table's, else the wind table's, else LBP.
Extended WaterlineLength(KvState& state, const std::string& windLayer, const std::string& key, Extended value) {
    const calcdata_rec& c = state.CalcData;
    auto read = [&](const xyztable_rec& t, const std::string& layer, Extended& out) {
        if (!TableHasColumn(t, "LWL")) return false;
        std::string k = key;
        Extended v = value;
        if (!TableHasColumn(t, k)) {
            k = key == "DISP" ? "DRAFT" : "DISP";
            v = key == "DISP" ? c.DraftMean : c.Displacement;
            if (!TableHasColumn(t, k)) return false;
        }
        return GetTableValue(t, "LWL", k, layer, v, out, true, true, state.Tables);
    };
    Extended lwl = 0;
    if (!read(state.ShipInfo.ShipTables.HydroTable(), FloatToStr(c.Trim), lwl))
        read(state.ShipInfo.ShipTables.WindTable(), windLayer, lwl);
    return lwl > 0 ? lwl : state.ShipInfo.LBP;
}

}  // namespace

Extended WeatherFactorX1(Extended x) { return Factor(kX1, x); }
Extended WeatherFactorX2(Extended x) { return Factor(kX2, x); }
Extended WeatherFactorK(Extended x) { return Factor(kK, x); }
Extended WeatherFactorS(Extended x) { return Factor(kS, x); }

std::string WindLayerKey(const KvState& state) {
    if (state.ShipInfo.OptionOn(10)) return std::to_string(DeckTierLevel(state.ContInfo, state.LoadData)) + "TIER";
    return FloatToStr(state.CalcData.Trim);
}

void WeatherCriterion(KvState& state) {
    if (!state.ShipInfo.OptionOn(6) || state.ShipInfo.ShipTables.WindTable().LayerCount < 1) return;
    WeatherCriterionOnLayer(state, WindLayerKey(state));
}

void WeatherCriterionOnLayer(KvState& state, const std::string& windLayer) {
    calcdata_rec& c = state.CalcData;
    const shipinfo_rec& ship = state.ShipInfo;
    const xyztable_rec& wind = ship.ShipTables.WindTable();
    const double amax = double(LastCrossCurveAngle(ship));

    std::string key;
    Extended value = 0, A = 0, Lz = 0;
    WindKey(state, key, value);
    GetTableValue(wind, "AREA", key, windLayer, value, A, true, true, state.Tables);
    GetTableValue(wind, "LEVER", key, windLayer, value, Lz, true, true, state.Tables);
    state.Calc.WindArea = Finite(A);
    const Extended lwl = WaterlineLength(state, windLayer, key, value);

    // Without displacement or draft there is no floating ship to judge: the
    // levers, angles and areas are 0 (the weather row then shows 0 and fails).
    const Extended disp = c.Displacement, d = c.DraftMean, B = ship.Breadth;
    if (!(disp > 0) || !(d > 0) || !(B > 0)) {
        c.Lw1 = c.Lw2 = c.Theta0 = c.Theta1 = c.Theta2 = c.ThetaLw2 = c.ThetaC = c.AreaA = c.AreaB = 0;
        state.Calc.RollPeriod = 0;
        return;
    }
    c.Lw1 = Finite(0.0514L * A * Lz / disp);
    c.Lw2 = 1.5L * c.Lw1;

    const Extended X1 = WeatherFactorX1(B / d);
    const Extended CB = lwl > 0 ? disp / (1.025L * lwl * B * d) : 0;
    const Extended X2 = WeatherFactorX2(CB);
    // A ship without metacentric height has no finite roll period: the period
    // is shown as 0 and the roll factor s taken at its long-period end.
    const Extended gm = std::fabs(c.Stab.GoM);
    Extended T = 0, s = WeatherFactorS(1e9L);
    if (gm > 1e-9L) {
        T = 2 * B * (0.373L + 0.023L * B / d - 0.043L * lwl / 100) / std::sqrt(gm);
        s = WeatherFactorS(T);
    }
    state.Calc.RollPeriod = Finite(T);
    const Extended OG = std::fabs(c.VCG - d);
    Extended r = c.VCG > d ? 0.73L + 0.6L * OG / d : 0.73L - 0.6L * OG / d;
    r = std::max<Extended>(r, 0);  // only a centre of gravity below the keel would make it negative
    const Extended k = WeatherFactorK(lwl > 0 ? ship.BilgeKeelArea * 100 / (lwl * B) : 0);

    const TReal1DArray& C = state.Calc.GZSpline;
    c.Theta0 = HeelingArmCrossing(C, 0, 0, double(c.Lw1), amax, double(c.Lw1));
    c.ThetaLw2 = HeelingArmCrossing(C, 0, 0, double(c.Lw2), amax, double(c.Lw2));
    c.ThetaC = HeelingArmCrossing(C, 1, 0, double(c.Lw2), amax, double(c.Lw2));
    c.Theta1 = Finite(109 * k * X1 * X2 * std::sqrt(r * s));
    c.Theta2 = std::min({c.ThetaC, c.Stab.FloodAngle, Extended(50)});

    auto I = [&](Extended x) -> Extended {
        if (C.size() < 4) return 0;
        return Finite(SplineIntegration(C, double(x)));
    };
    const Extended rad = kDegToRad;
    c.AreaB = rad * (I(c.Theta2) - I(c.ThetaLw2)) - rad * (c.Theta2 - c.ThetaLw2) * c.Lw2;
    // The windward part, from Theta0 - Theta1 to the upright, is the curve
    // mirrored about the upright position.
    c.AreaA = rad * (c.Lw2 * c.ThetaLw2 - I(c.ThetaLw2)) + rad * (c.Theta1 - c.Theta0) * c.Lw2 +
              rad * I(c.Theta1 - c.Theta0);
    c.AreaA = Finite(c.AreaA);
    c.AreaB = Finite(c.AreaB);
}

std::string WindHeelLayerKey(const KvState& state) {
    return state.ShipInfo.OptionOn(10) ? WindLayerKey(state) : std::string();
}

Extended WindHeelAngle(KvState& state, Extended Disp) {
    return WindHeelAngleOnLayer(state, Disp, WindHeelLayerKey(state));
}

Extended WindHeelAngleOnLayer(KvState& state, Extended Disp, const std::string& layer) {
    const shipinfo_rec& ship = state.ShipInfo;
    const xyztable_rec& wind = ship.ShipTables.WindTable();
    std::string key = "DISP";
    Extended value = Disp;
    if (!TableHasColumn(wind, "DISP")) {
        key = "DRAFT";
        GetTableValue(ship.ShipTables.HydroTable(), "DRAFT", "DISP", FloatToStr(state.CalcData.Trim), Disp, value,
                      true, true, state.Tables);
    }
    Extended A = 0, Lz = 0;
    GetTableValue(wind, "AREA", key, layer, value, A, true, true, state.Tables);
    GetTableValue(wind, "LEVER", key, layer, value, Lz, true, true, state.Tables);
    if (!(Disp > 0)) return 0;  // no displacement, no heel
    const Extended lw = Finite(A * 504 * Lz / (9.81L * Disp * 1000));
    const double amax = double(LastCrossCurveAngle(ship));
    return Finite(HeelingArmCrossing(state.Calc.GZSpline, 0, 0, double(lw), amax, double(lw)));
}

Extended WindHeelLimit(const shipinfo_rec& ship, Extended Draft) {
    if (!(ship.Breadth > 0)) return 16;
    const Extended deckEdge = std::atan(2 * (ship.Depth - Draft) / ship.Breadth) / kDegToRad;
    return std::min<Extended>(0.8L * deckEdge, 16);
}

}  // namespace kv
