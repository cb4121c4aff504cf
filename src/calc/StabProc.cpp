#include "calc/StabProc.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "calc/StabilityTables.h"
#include "calc/WindProc.h"
#include "numerics/Formats.h"
#include "numerics/GeoSpline.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

constexpr Extended kDegToRad = 3.14159265358979323846L / 180.0L;

std::string Upper(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    size_t b = s.find_first_not_of(' ');
    s = b == std::string::npos ? std::string() : s.substr(b);
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

Extended Finite(Extended v) { return std::isfinite(v) ? v : 0; }

}  // namespace

bool TableHasColumn(const xyztable_rec& t, const std::string& name) {
    const std::string want = Upper(name);
    for (int j = 1; j <= t.ColCount && j < int(t.ColHeads.size()); ++j)
        if (Upper(t.ColHeads[size_t(j)].str()) == want) return true;
    return false;
}

Extended LastCrossCurveAngle(const shipinfo_rec& ship) {
    const xyztable_rec& kn = ship.ShipTables.KNTable();
    if (kn.ColCount < 2 || int(kn.ColHeads.size()) <= kn.ColCount) return 0;
    Extended a = 0;
    return TryTextToFloat(kn.ColHeads[size_t(kn.ColCount)].str(), a) ? a : 0;
}

namespace {

// Draft by displacement from the hydrostatic table at the trim.
Extended DraftByDisplacement(KvState& state, Extended Disp, Extended Trim) {
    Extended v = 0;
    GetTableValue(state.ShipInfo.ShipTables.HydroTable(), "DRAFT", "DISP", FloatToStr(Trim), Disp, v, true, true,
                  state.Tables);
    return v;
}

// Common part of the flooding and deck-immersion angles.
Extended AngleFromTable(KvState& state, const xyztable_rec& table, Extended Disp, Extended Trim, bool clamp,
                        bool deckEdge) {
    Extended result = 90;
    std::string key;
    Extended value = 0;
    if (TableHasColumn(table, "DISP")) {
        key = "DISP";
        value = Disp;
    } else {
        key = "DRAFT";
        value = DraftByDisplacement(state, Disp, Trim);
    }
    if (TableHasColumn(table, key)) {
        GetTableValue(table, "ANGLE", key, FloatToStr(Trim), value, result, clamp, true, state.Tables);
    } else if (deckEdge && table.LayerCount == 0) {
        const shipinfo_rec& s = state.ShipInfo;
        if (s.Breadth > 0) result = std::atan(2 * (s.Depth - state.CalcData.DraftMean) / s.Breadth) / kDegToRad;
    } else if (table.LayerCount >= 1 && table.ColCount >= 3 && table.Values.size() > 1) {
        // A list of points: the angle at the waterline between the ray to the
        // point and the ray to the ship's side on that point's side.
        const calcdata_rec& c = state.CalcData;
        const Extended t = state.ShipInfo.LBP != 0 ? c.Trim / state.ShipInfo.LBP : 0;
        const auto& v = table.Values[1];
        for (int r = 1; r <= table.RowCount; ++r) {
            const double x = double(v[1][size_t(r)]), y = double(v[2][size_t(r)]), z = double(v[3][size_t(r)]);
            const double zw = double(c.DraftAP + x * t);
            const double side = (y < 0 ? -1.0 : 1.0) * double(state.ShipInfo.Breadth) / 2;
            const Extended a = std::fabs(VertexAngle3D(x, y, z, x, 0, zw, x, side, zw));
            result = std::min(result, a);
        }
    }
    result = Finite(result);
    return std::clamp<Extended>(result, 0, 90);
}

// Newton's method on the spline value (derivative = false) or slope; at least
// one step, at most 100, stops on a flat point instead of dividing by zero.
double Newton(const TReal1DArray& C, double x, bool onSlope, double& s, double& ds, double& d2s) {
    SplineDerivatives(C, x, s, ds, d2s);
    for (int step = 0; step < 100; ++step) {
        const double f = onSlope ? ds : s, df = onSlope ? d2s : ds;
        if (step > 0 && std::fabs(f) <= 1e-5) break;
        if (df == 0 || !std::isfinite(df)) break;
        const double nx = x - f / df;
        if (!std::isfinite(nx)) break;
        x = nx;
        SplineDerivatives(C, x, s, ds, d2s);
    }
    return x;
}

}  // namespace

Extended FloodingAngle(KvState& state, Extended Disp, Extended Trim) {
    return AngleFromTable(state, state.ShipInfo.ShipTables.FloodAngleTable(), Disp, Trim, false, false);
}

Extended DeckImmersionAngle(KvState& state, Extended Disp, Extended Trim, Extended /*Heel*/) {
    return AngleFromTable(state, state.ShipInfo.ShipTables.ImmersionTable(), Disp, Trim, true, true);
}

void BuildGZCurve(KvState& state, Extended Trim) {
    calcdata_rec& c = state.CalcData;
    stabsummary_rec& st = c.Stab;
    const shipinfo_rec& ship = state.ShipInfo;
    const xyztable_rec& kn = ship.ShipTables.KNTable();
    const int n = std::max(0, kn.ColCount - 1);
    try {
        std::vector<double> a(size_t(n) + 1, 0.0), g(size_t(n) + 1, 0.0);
        st.KNValues.assign(size_t(n) + 1, 0);
        st.GZValues.assign(size_t(n) + 1, 0);
        const bool byDisp = TableHasColumn(kn, "DISP");
        const std::string layer = FloatToStr(Trim);
        const Extended kg = c.VCG + c.Stab.FSC, pole = ship.CrossCurveKG, tcg = std::fabs(c.TCG);
        for (int i = 0; i <= n; ++i) {
            Extended ang = 0, k = 0;
            if (i > 0) {
                const std::string head = kn.ColHeads[size_t(i) + 1].str();
                TryTextToFloat(head, ang);
                if (byDisp)
                    GetTableValue(kn, head, "DISP", layer, c.Displacement, k, true, true, state.Tables);
                else
                    GetTableValue(kn, head, "DRAFT", layer, c.DraftMean, k, true, true, state.Tables);
            }
            const Extended s = std::sin(ang * kDegToRad), co = std::cos(ang * kDegToRad);
            const Extended gz = pole == 0 ? k - kg * s - tcg * co : k + (pole - kg) * s - tcg * co;
            a[size_t(i)] = double(ang);
            g[size_t(i)] = double(Finite(gz));
            st.KNValues[size_t(i)] = Finite(k);
            st.GZValues[size_t(i)] = Finite(gz);
        }
        st.FloodAngle = FloodingAngle(state, c.DisplacementSW, Trim);

        TReal1DArray& C = state.Calc.GZSpline;
        BuildCubicSpline(a, g, n + 1, 0, 0, 0, 0, C);

        st.MaxGZ = 0;
        st.MaxGZAngle = 0;
        st.StabRange = 0;
        double thetaP = 0, thetaV = a[size_t(n)];

        // Scan the tabulated intervals for roots (where GZ turns positive or
        // vanishes) and for the interior maximum. The previous value follows
        // every step; a curve that starts at exactly 0 takes the sign of its
        // first non-zero value, so the vanishing angle of an upright ship is
        // found.
        double sp, dp, d2;
        SplineDerivatives(C, a[0], sp, dp, d2);
        for (int i = 1; i <= n; ++i) {
            double s, d;
            SplineDerivatives(C, a[size_t(i)], s, d, d2);
            const double mid = (a[size_t(i) - 1] + a[size_t(i)]) / 2;
            if (sp * s < 0) {
                double v, sl;
                const double x = Newton(C, mid, false, v, sl, d2);
                if (sl > 0) thetaP = x;
                if (sl < 0) thetaV = x;
                d = sl;
            }
            if (s != 0) sp = s;
            if (dp * d < 0) {
                dp = d;
                double v, sl;
                double x = Newton(C, mid, true, v, sl, d2);
                if (st.FloodAngle < x) {
                    x = double(st.FloodAngle);
                    v = SplineInterpolation(C, x);
                }
                if (v > st.MaxGZ) {
                    st.MaxGZ = v;
                    st.MaxGZAngle = x;
                }
            } else {
                dp = d;
            }
        }
        if (st.MaxGZ == 0) {
            if (g[0] > g[size_t(n)]) {
                st.MaxGZ = g[0];
                st.MaxGZAngle = a[0];
            } else {
                st.MaxGZ = g[size_t(n)];
                st.MaxGZAngle = a[size_t(n)];
            }
        }
        st.StabRange = thetaV - thetaP;
        auto I = [&](Extended x) { return Finite(SplineIntegration(C, double(x)) * kDegToRad); };
        st.Area30 = I(30);
        st.Area40 = st.FloodAngle < 40 ? I(st.FloodAngle) : I(40);
        st.Area30to40 = st.Area40 - st.Area30;
        st.AreaToMaxGZ = I(st.MaxGZAngle);
        st.GZ30 = st.MaxGZAngle > 30 ? st.MaxGZ : Extended(SplineInterpolation(C, 30));
        st.MaxGZ = Finite(st.MaxGZ);
        st.MaxGZAngle = Finite(st.MaxGZAngle);
        st.StabRange = Finite(st.StabRange);
        st.GZ30 = Finite(st.GZ30);
    } catch (...) {
        // A curve the spline library refuses leaves the fields as far as
        // they were filled.
    }
}

Extended HeelingArmCrossing(const TReal1DArray& C, int Mode, double A1, double L1, double A2, double L2) {
    Extended result = Mode == 0 ? A1 : A2;
    if (C.size() < 4) return result;
    const double am = A2 != A1 ? (L2 - L1) / (A2 - A1) : 0;
    for (int j = int(std::trunc(A1)) + 1; j <= int(std::trunc(A2)); ++j) {
        const double x0 = j - 1, x1 = j;
        const double y0 = SplineInterpolation(C, x0), y1 = SplineInterpolation(C, x1);
        const double cm = y1 - y0;  // chord slope per degree
        if (cm == am) continue;     // parallel (or lying on the arm): no crossing
        // y0 + cm (x - x0) = L1 + am (x - A1)
        const double x = (L1 - am * A1 - y0 + cm * x0) / (cm - am);
        const double y = y0 + cm * (x - x0);
        if (!std::isfinite(x) || x < x0 || x > x1) continue;
        if (y < std::min(y0, y1) || y > std::max(y0, y1)) continue;
        double s, ds, d2;
        SplineDerivatives(C, x, s, ds, d2);
        if (Mode == 0) {
            if (ds >= 0) return x;
        } else if (ds <= 0) {
            result = x;
        }
    }
    return result;
}

Extended GMLimitValue(KvState& state, int Code, Extended Disp, Extended Trim) {
    const shiptable_rec& tabs = state.ShipInfo.ShipTables;
    const xyztable_rec* table = nullptr;
    const char* column = nullptr;
    switch (Code) {
        case 7: table = &tabs.GMLimitTable(); column = "MINGM"; break;
        case 14: table = &tabs.GMLimitTable(); column = "MAXKG"; break;
        case 15: table = &tabs.GMLimitDamTable(); column = "MINGM"; break;
        case 16: table = &tabs.GMLimitDamTable(); column = "KGDAM"; break;
        default: return 0;
    }
    if (!state.ShipInfo.OptionOn(Code)) return 0;
    std::string key;
    Extended value = 0;
    if (TableHasColumn(tabs.GMLimitTable(), "DISP")) {
        key = "DISP";
        value = Disp;
    } else if (TableHasColumn(*table, "DRAFT")) {
        key = "DRAFT";
        value = DraftByDisplacement(state, Disp, Trim);
    } else {
        return 0;
    }
    Extended result = 0;
    GetTableValue(*table, column, key, FloatToStr(Trim), value, result, true, true, state.Tables);
    return Finite(result);
}

void RunStability(KvState& state) {
    BuildGZCurve(state, state.CalcData.Trim);
    // The deck tier level that chooses the wind layer goes through every
    // container: find it once for the weather criterion and the wind heel.
    const shipinfo_rec& ship = state.ShipInfo;
    const bool weather = ship.OptionOn(6) && ship.ShipTables.WindTable().LayerCount >= 1;
    std::string layer;
    if (weather || (ship.OptionOn(17) && ship.OptionOn(10))) layer = WindLayerKey(state);
    if (weather) WeatherCriterionOnLayer(state, layer);
    FillCriteria(state, ship.OptionOn(10) ? layer : std::string());
}

}  // namespace kv
