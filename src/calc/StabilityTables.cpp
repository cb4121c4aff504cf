#include "calc/StabilityTables.h"

#include <algorithm>
#include <cmath>

#include "calc/StabProc.h"
#include "calc/WindProc.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

std::string Shown3(Extended v) { return FormatFloat("0.000", std::isfinite(v) ? v : 0); }

Extended ReadBack(const std::string& text) {
    Extended v = 0;
    TryTextToFloat(text, v);
    return v;
}

// Ship option that shows each row (0: always shown).
constexpr int kRowOption[CriteriaRowCount + 1] = {0, 0, 0, 0, 0, 0, 0, 0, 6, 7, 14, 15, 16, 17, 18, 18};

const char* const kRowName[CriteriaRowCount + 1] = {
    "",
    "Flooding Angle         ",
    "Area under GZ to 30deg ",
    "Area under GZ to 40deg ",
    "Area between 30 and 40.",
    "Maximum GZ             ",
    "Max. GZ at an angle    ",
    "GoM                    ",
    "IMO weather criterion  ",
    "Allowable Min. GoM(Int)",
    "Allowable Max. KG (Int)",
    "Allowable Min. GoM(Dam)",
    "Allowable Max. KG (Dam)",
    "IMO Residual freeboard ",
    "Theta0                 ",
    "Immersion of deck edge",
};
const char* const kRowSign[CriteriaRowCount + 1] = {"",  "",  ">", ">", ">", ">", ">", ">",
                                                     ">", ">", "<", ">", "<", "<", "<", ""};

}  // namespace

const std::array<std::string, 6>& CriteriaHeader() {
    static const std::array<std::string, 6> h{"2008 IS CODE CRITERIA", "ACTUAL", "", "ALLOW", "UNIT", "JUDGE"};
    return h;
}

std::array<int, 6> CriteriaColumnWidths(int gridWidth) {
    static const int parts[6] = {60, 20, 10, 20, 20, 30};
    std::array<int, 6> w{};
    for (int i = 0; i < 6; ++i) w[size_t(i)] = int(static_cast<long long>(gridWidth) * parts[i] / 160);
    return w;
}

int CriteriaRowHeight(int gridHeight, const std::vector<stabcriterion_rec>& rows) {
    int visible = CriteriaRowCount + 1;
    for (const stabcriterion_rec& r : rows)
        if (!r.Shown) --visible;
    return visible > 0 ? gridHeight / visible : 0;
}

void FillCriteria(KvState& state) {
    FillCriteria(state, state.ShipInfo.OptionOn(17) ? WindHeelLayerKey(state) : std::string());
}

void FillCriteria(KvState& state, const std::string& windHeelLayer) {
    calcdata_rec& c = state.CalcData;
    const stabsummary_rec& st = c.Stab;
    const shipinfo_rec& ship = state.ShipInfo;
    const Extended L = state.Units.Length();
    const std::string lu = state.Units.UnitNames[UnitLength];

    std::vector<stabcriterion_rec> rows(CriteriaRowCount);
    for (int i = 1; i <= CriteriaRowCount; ++i) {
        stabcriterion_rec& r = rows[size_t(i) - 1];
        r.Row = i;
        r.Shown = kRowOption[i] == 0 || ship.OptionOn(kRowOption[i]);
        if (r.Shown) {
            r.Name = kRowName[i];
            r.Sign = kRowSign[i];
        }
    }
    auto set = [&](int row, Extended actual, const std::string& allow, const std::string& unit) {
        stabcriterion_rec& r = rows[size_t(row) - 1];
        r.Actual = Shown3(actual);
        r.Allow = allow;
        r.Unit = unit;
    };
    auto allow = [](Extended v) { return Shown3(v); };

    set(1, st.FloodAngle, "", "deg");
    set(2, st.Area30 * L, allow(Extended(0.055f) * L), lu + "-rad");
    set(3, st.Area40 * L, allow(Extended(0.09f) * L), lu + "-rad");
    set(4, st.Area30to40 * L, allow(Extended(0.03f) * L), lu + "-rad");
    set(5, st.GZ30 * L, allow(Extended(0.20f) * L), lu);
    set(6, st.MaxGZAngle, allow(25), "deg");
    set(7, st.GoM * L, allow(Extended(0.15f) * L), lu);
    // Rows whose option is off stay empty: no table is read for a criterion
    // that does not apply, so it can neither show a message nor put the
    // judgement out of range.
    if (rows[7].Shown) set(8, c.AreaA != 0 ? std::fabs(c.AreaB / c.AreaA) : 0, allow(1.0L), "");
    if (rows[8].Shown) set(9, st.GoM * L, allow(GMLimitValue(state, 7, c.DisplacementSW, c.Trim) * L), lu);
    if (rows[9].Shown) set(10, c.VCG * L, allow(GMLimitValue(state, 14, c.DisplacementSW, c.Trim) * L), lu);
    if (rows[10].Shown) set(11, st.GoM * L, allow(GMLimitValue(state, 15, c.DisplacementSW, c.Trim) * L), lu);
    if (rows[11].Shown) set(12, c.VCG * L, allow(GMLimitValue(state, 16, c.DisplacementSW, c.Trim) * L), lu);
    if (rows[12].Shown)
        set(13, WindHeelAngleOnLayer(state, c.Displacement, windHeelLayer), allow(WindHeelLimit(ship, c.DraftMean)), "deg");
    if (rows[14].Shown) {
        set(15, DeckImmersionAngle(state, c.DisplacementSW, c.Trim, c.Heel), "", "deg");
        const Extended limit = 0.8L * ReadBack(rows[14].Actual);
        set(14, c.Theta0, allow(limit >= 16 ? Extended(16) : limit), "deg");
    }

    const bool outOfRange = state.Tables.TableRangeExceeded && !ship.OptionOn(21);
    bool ok = true;
    for (stabcriterion_rec& r : rows) {
        if (outOfRange) {
            r.Judge = "OUT OF RANGE";
            r.Red = true;
            ok = false;
            continue;
        }
        r.Red = false;
        r.Judge.clear();
        if (r.Allow.empty() || !r.Shown) continue;
        const Extended actual = ReadBack(r.Actual), limit = ReadBack(r.Allow);
        const bool fails = r.Sign == ">" ? limit > actual : limit < actual;
        r.Judge = fails ? "NOT OK" : "OK";
        r.Red = fails;
        if (fails) ok = false;
    }
    state.Calc.StabilityCriteria = std::move(rows);
    state.Calc.StabilityRangeExceeded = state.Tables.TableRangeExceeded;
    state.Calc.JudgementFlags[StabilityOK] = ok;
}

std::vector<std::vector<std::string>> LeverTable(const KvState& state) {
    const stabsummary_rec& st = state.CalcData.Stab;
    const xyztable_rec& kn = state.ShipInfo.ShipTables.KNTable();
    const int n = std::max(0, kn.ColCount - 1);
    const Extended L = state.Units.Length();
    std::vector<std::vector<std::string>> t(3, std::vector<std::string>(size_t(n) + 2));
    t[0][0] = "Angle";
    t[1][0] = state.ShipInfo.CrossCurveKG == 0 ? "KN" : "GaZ";
    t[2][0] = "GoZ";
    for (int i = 0; i <= n; ++i) {
        if (i == 0) {
            t[0][1] = "0";
        } else {
            Extended a = 0;
            TryTextToFloat(kn.ColHeads[size_t(i) + 1].str(), a);
            t[0][size_t(i) + 1] = FormatFloat("0.0", a);
        }
        const Extended k = size_t(i) < st.KNValues.size() ? st.KNValues[size_t(i)] : 0;
        const Extended g = size_t(i) < st.GZValues.size() ? st.GZValues[size_t(i)] : 0;
        t[1][size_t(i) + 1] = FormatFloat("0.000", k * L);
        t[2][size_t(i) + 1] = FormatFloat("0.000", g * L);
    }
    return t;
}

}  // namespace kv
