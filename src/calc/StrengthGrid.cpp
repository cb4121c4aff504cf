// The strength read-out table and the strength charts as data, in display
// units, for the intact ship or the ship with a flooded hold.
#include <cmath>
#include <string>

#include "calc/ShearCorrection.h"
#include "calc/Strength.h"
#include "model/ShipConventions.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

constexpr int kColumns = 9;
constexpr int kFixedRows = 2;

const strengthvalues_rec& Values(const sfbmseg_rec& iv, bool flooded) { return flooded ? iv.Flooded : iv.Intact; }

std::string Cell(int col, Extended v) { return FormatC(col == 0 || col == 3 || col == 5 || col == 7 ? "%.1f" : "%.0f", v); }

std::string FrameTag(Extended frame) { return FormatFloat("[fr0.0]", frame); }

int Condition(const KvState& state) { return state.LoadData.VoyageCond == ConditionPort ? 1 : 0; }

}  // namespace

std::vector<strengthreadout_rec> StrengthReadOut(const KvState& state, bool flooded) {
    const StrengthState& s = state.Strength;
    const bool corrected = state.ShipInfo.OptionOn(OptionSFCorrectionMethod);
    std::vector<strengthreadout_rec> rows;
    for (const readout_rec& ro : state.ShipInfo.ClassAllow.readouts) {
        strengthreadout_rec& r = rows.emplace_back();
        r.Frame = ro.Frame;
        r.Side = ro.Side == -1 ? -1 : 0;
        auto it = s.IntervalIndex.find(FormatFloat("0.000", ro.Frame));
        if (it == s.IntervalIndex.end()) continue;
        const size_t here = it->second;
        if (r.Side == -1 && here == 0) continue;  // nothing ends before the first interval
        const sfbmseg_rec& iv = s.Intervals[r.Side == -1 ? here - 1 : here];
        const bool start = r.Side == 0;
        auto end = [start](const EndPair& p) { return start ? p.At1 : p.At2; };
        const strengthvalues_rec& v = Values(iv, flooded);
        r.Found = true;
        r.Position = start ? iv.X1 : iv.X2;
        r.SF = end(v.SF);
        // The corrected SF jumps at a station: of the value at the start of
        // the interval named by the point and the one at the end of the
        // interval before, the one nearer the actual SF is shown.
        const strengthvalues_rec& named = Values(s.Intervals[here], flooded);
        r.CorrSF = named.CorrSF.At1;
        r.CorrSFPercent = named.CorrSFPercent.At1;
        r.CorrSFAllow = named.CorrSFAllow.At1;
        if (here > 0) {
            const strengthvalues_rec& before = Values(s.Intervals[here - 1], flooded);
            if (std::fabs(before.CorrSF.At2 - r.SF) <= std::fabs(r.CorrSF - r.SF)) {
                r.CorrSF = before.CorrSF.At2;
                r.CorrSFPercent = before.CorrSFPercent.At2;
                r.CorrSFAllow = before.CorrSFAllow.At2;
            }
        }
        r.SFPercent = corrected ? end(v.CorrSFPercent) : end(v.SFPercent);
        r.SFAllow = corrected ? end(v.CorrSFAllow) : end(v.SFAllow);
        r.BM = end(v.BM);
        r.BMPercent = end(v.BMPercent);
        r.BMAllow = end(v.BMAllow);
        r.HeelMoment = end(iv.HeelMoment);
        r.TM = end(iv.TM);
        r.TMPercent = end(iv.TMPercent);
        r.TMAllow = end(iv.TMAllow);
    }
    return rows;
}

GridData FillStrengthGrid(const KvState& state, bool flooded) {
    const StrengthState& s = state.Strength;
    const shipinfo_rec& ship = state.ShipInfo;
    const bool corrected = ship.OptionOn(OptionSFCorrectionMethod);
    const Extended wf = state.Units.Weight(), lf = state.Units.Length();
    const std::string& wu = state.Units.UnitNames[UnitWeight];
    const std::string& lu = state.Units.UnitNames[UnitLength];
    const auto& readouts = ship.ClassAllow.readouts;

    GridData g;
    g.FixedRows = kFixedRows;
    g.ColWidths = {55, 50, 50, 40, 50, 55, 50, 40, 50};
    const size_t rows = size_t(kFixedRows) + readouts.size() + 2;
    g.Cells.assign(rows, std::vector<std::string>(kColumns));
    g.Red.assign(rows, std::vector<bool>(kColumns, false));
    g.Cells[0][1] = "Shear Force";
    g.Cells[0][6] = "Bending Moment";
    g.Cells[1] = {"fr.no",
                  "Actual[" + wu + "]",
                  "Corr[" + wu + "]",
                  "Allow(%)",
                  "Allow[" + wu + "]",
                  "fr.no",
                  "Actual[" + wu + "-" + lu + "]",
                  "Allow(%)",
                  "Allow[" + wu + "-" + lu + "]"};

    const std::vector<strengthreadout_rec> values = StrengthReadOut(state, flooded);
    for (size_t k = 0; k < values.size(); ++k) {
        const strengthreadout_rec& r = values[k];
        auto& row = g.Cells[size_t(kFixedRows) + k];
        row[0] = Cell(0, r.Frame);
        row[5] = Cell(5, r.Frame);
        if (!r.Found) continue;
        row[1] = Cell(1, r.SF * wf);
        row[2] = Cell(2, r.CorrSF * wf);
        row[3] = Cell(3, r.SFPercent);
        row[4] = Cell(4, r.SFAllow * wf);
        row[6] = Cell(6, r.BM * wf * lf);
        row[7] = Cell(7, r.BMPercent);
        row[8] = Cell(8, r.BMAllow * wf * lf);
        g.Red[size_t(kFixedRows) + k][3] = std::fabs(r.SFPercent) > 100;
        g.Red[size_t(kFixedRows) + k][7] = std::fabs(r.BMPercent) > 100;
    }

    const strengthextremes_rec x = StrengthExtremes(s, flooded);
    const extreme_rec& sfPct = corrected ? x.MaxCorrSFPct : x.MaxSFPct;
    auto& act = g.Cells[rows - 2];
    auto& all = g.Cells[rows - 1];
    act[0] = "MAX ACT / " + FormatFloat("0.0", x.MaxSF.Frame);
    all[0] = "MAX ALL / " + FormatFloat("0.0", sfPct.Frame);
    act[5] = "MAX ACT / " + FormatFloat("0.0", x.MaxBM.Frame);
    all[5] = "MAX ALL / " + FormatFloat("0.0", x.MaxBMPct.Frame);
    return g;
}

ChartData StrengthChart(const KvState& state, bool percent, bool flooded) {
    const StrengthState& s = state.Strength;
    const shipinfo_rec& ship = state.ShipInfo;
    const int cond = Condition(state);
    const Extended wf = state.Units.Weight(), lf = state.Units.Length();
    const Extended density = state.LoadData.SeaDensity > 0 ? state.LoadData.SeaDensity : Extended(1.025L);
    const bool corrected = ship.OptionOn(OptionSFCorrectionMethod);

    ChartData c;
    ChartSeries load{"Weight", {}}, buoy{"Buoy.", {}}, sf{"S.F.", {}}, csf{"C.S.F.", {}}, bm{"B.M.", {}};
    ChartSeries sfPos{"S.F. +", {}}, sfNeg{"S.F. -", {}}, bmPos{"B.M. +", {}}, bmNeg{"B.M. -", {}};
    for (const sfbmseg_rec& iv : s.Intervals) {
        const strengthvalues_rec& v = Values(iv, flooded);
        const intervalallow_rec& lim = flooded ? iv.FloodedAllow[size_t(cond)] : iv.IntactAllow[size_t(cond)];
        auto add = [&](ChartSeries& cs, const EndPair& p, Extended factor) {
            cs.Points.push_back({double(iv.X1), double(p.At1 * factor)});
            cs.Points.push_back({double(iv.X2), double(p.At2 * factor)});
        };
        if (percent) {
            add(sf, v.SFPercent, 1);
            add(csf, v.CorrSFPercent, 1);
            add(bm, v.BMPercent, 1);
            continue;
        }
        add(load, {iv.LightOrdinate.At1 + iv.DeadOrdinate.At1, iv.LightOrdinate.At2 + iv.DeadOrdinate.At2},
            lf != 0 ? wf / lf : wf);
        add(buoy, {iv.BuoyOrdinate.At1 * density, iv.BuoyOrdinate.At2 * density}, lf != 0 ? wf / lf : wf);
        add(sf, v.SF, wf);
        add(csf, v.CorrSF, wf);
        add(bm, v.BM, wf * lf);
        add(sfPos, lim.SFPos, wf);
        add(sfNeg, lim.SFNeg, wf);
        add(bmPos, lim.BMPos, wf * lf);
        add(bmNeg, lim.BMNeg, wf * lf);
    }

    const strengthextremes_rec x = StrengthExtremes(s, flooded);
    if (percent) {
        c.Captions = {"Shear Force & Bending Moment Allow(%) "};
        c.Curves = {sf, bm};
        if (corrected) c.Curves.insert(c.Curves.begin() + 1, csf);
        const Extended x0 = s.Intervals.empty() ? 0 : s.Intervals.front().X1;
        const Extended x1 = s.Intervals.empty() ? 0 : s.Intervals.back().X2;
        c.Limits = {{"100%", {{double(x0), 100.0}, {double(x1), 100.0}}},
                    {"-100%", {{double(x0), -100.0}, {double(x1), -100.0}}}};
        c.Legend = {"Max SF(%):" + FormatFloat("0.0%", x.MaxSFPct.Percent) + " " + FrameTag(x.MaxSFPct.Frame),
                    "Max C.SF(%):" + FormatFloat("0.0%", x.MaxCorrSFPct.Percent) + " " + FrameTag(x.MaxCorrSFPct.Frame),
                    "Max BM(%):" + FormatFloat("0.0%", x.MaxBMPct.Percent) + " " + FrameTag(x.MaxBMPct.Frame)};
    } else {
        c.Captions = {"Weight Distribution ", "Shear Force ", "Bending Moment ", "Frame"};
        c.Curves = {load, buoy, sf, bm};
        if (corrected) c.Curves.insert(c.Curves.begin() + 3, csf);
        c.Limits = {sfPos, sfNeg, bmPos, bmNeg};
        c.Legend = {"Max SF:" + FormatFloat("0.0", x.MaxSF.Value * wf) + " " + FrameTag(x.MaxSF.Frame),
                    "Max C.SF:" + FormatFloat("0.0", x.MaxCorrSF.Value * wf) + " " + FrameTag(x.MaxCorrSF.Frame),
                    "Max BM:" + FormatFloat("0.0", x.MaxBM.Value * wf * lf) + " " + FrameTag(x.MaxBM.Frame)};
    }
    for (const readout_rec& ro : ship.ClassAllow.readouts)
        c.Ticks.emplace_back(FrameToPosition(ship, ro.Frame) / 1000, FormatFloat("0.0", ro.Frame));
    return c;
}

}  // namespace kv
