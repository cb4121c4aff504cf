// Still-water torsional moment: the transverse moment of every weight spread
// along the strength intervals, integrated forward against a counter-moment
// spread uniformly over the length overall.
#include "calc/Torsion.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/ShipConventions.h"
#include "numerics/Formats.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

// A weight with its transverse centre and longitudinal extent.
struct HeelItem {
    Extended Weight, TCG, AftX, ForeX;
};

// Weights carried by every condition: (weight t, aft x m, fore x m, TCG m).
constexpr HeelItem kFixedItems[] = {
    {100.0L, -12.223L, 129.52L, 133.47L},
    {280.0L, -11.945L, 85.28L, 93.18L},
    {280.0L, -11.945L, 41.83L, 49.73L},
};
// Transverse moment (t-m) spread uniformly over the length overall and
// subtracted from every interval.
constexpr Extended kUniformMoment = 1122.845L;

constexpr int kColumns = 5;
constexpr int kFixedRows = 2;

int ConditionIndex(int condition) { return condition == ConditionPort ? 1 : 0; }

std::string FrameTag(Extended frame) { return FormatFloat("[fr0.0]", frame); }

// Every weight item of the condition with a transverse moment, in order.
std::vector<HeelItem> HeelItems(const KvState& state) {
    std::vector<HeelItem> items;
    for (const balecargo_rec& b : state.LoadData.BaleList)
        if (b.Weight > 0) items.push_back({b.Weight, b.TCG, b.AftX, b.ForeX});
    for (int g = 1; g < LoadGroupCount; ++g) {
        const auto& tanks = state.TankGroup.Groups[size_t(g)].Tanks;
        const auto& results = state.CalcData.Summaries[size_t(g + 1)].Items;
        for (size_t i = 0; i < tanks.size() && i < results.size(); ++i)
            if (results[i].Weight > 0) items.push_back({results[i].Weight, results[i].TCG, tanks[i].AftEnd, tanks[i].ForeEnd});
    }
    for (const auto& bay : state.LoadData.BayLists)
        for (const container_rec& c : bay)
            if (c.weight > 0) items.push_back({Extended(c.weight), c.tcg, c.aft_x, c.fwd_x});
    for (const panel_rec& p : state.PanelList) items.push_back({p.weight, p.tcg, p.aft_x, p.fwd_x});
    for (const HeelItem& f : kFixedItems) items.push_back(f);
    return items;
}

// The allowable chosen by the sign of the TM and the percentage of it.
void Judge(Extended tm, Extended displayFactor, const EndPair& first, const EndPair& second, bool atStart,
           Extended& allow, Extended& percent) {
    const bool positive = tm * displayFactor >= 0;
    allow = positive ? (atStart ? second.At1 : second.At2) : (atStart ? first.At1 : first.At2);
    percent = allow != 0 ? tm / allow * 100 : 0;
}

}  // namespace

void CalcTorsion(KvState& state) { CalcTorsion(state, state.LoadData.VoyageCond); }

void CalcTorsion(KvState& state, int condition) {
    StrengthState& s = state.Strength;
    const size_t k = size_t(ConditionIndex(condition));
    const Extended loa = state.ShipInfo.LOA;
    const std::vector<HeelItem> items = HeelItems(state);

    // 1. Heeling moment of every interval: each item's transverse moment is
    // spread uniformly over its length, and the interval takes the share of
    // the part of the item lying inside it. An interval lying wholly within
    // an item takes W TCG l / (f - a); an item whose ends fall between
    // stations still gives its whole moment to the intervals it touches.
    // The intervals run forward in order, so each item looks only at the
    // intervals it overlaps (overlaps of less than the comparison tolerance
    // do not count).
    constexpr Extended tol = 1e-5L;  // the tolerance of CompareValues
    std::vector<Extended> moment(s.Intervals.size(), 0);
    for (const HeelItem& it : items) {
        const Extended span = it.ForeX - it.AftX;
        if (!(span > 0)) continue;  // no length to spread over
        // The first interval whose forward end lies beyond the item's aft end.
        auto p = std::partition_point(s.Intervals.begin(), s.Intervals.end(),
                                      [&](const sfbmseg_rec& iv) { return iv.X2 - it.AftX < tol; });
        for (; p != s.Intervals.end() && p->X1 - it.ForeX <= -tol; ++p) {
            // Within the tolerance an interval inside the item takes its full length.
            const bool within = p->X1 - it.AftX > -tol && p->X2 - it.ForeX < tol;
            const Extended inside = within ? p->Length : std::min(p->X2, it.ForeX) - std::max(p->X1, it.AftX);
            if (inside > 0) moment[size_t(p - s.Intervals.begin())] += it.Weight * it.TCG * inside / span;
        }
    }
    Extended total = 0;
    for (size_t i = 0; i < s.Intervals.size(); ++i) {
        sfbmseg_rec& iv = s.Intervals[i];
        Extended m = moment[i];
        if (loa > 0) m -= iv.Length * kUniformMoment / loa;
        iv.HeelMoment = {m, m};
        total += m;
    }

    // 2. Torsional moment from the aft end forward.
    Extended t = 0;
    for (sfbmseg_rec& iv : s.Intervals) {
        iv.TM.At1 = t;
        t = t - (iv.HeelMoment.At1 + iv.HeelMoment.At2) / 2 + (loa > 0 ? iv.Length * total / loa : 0);
        iv.TM.At2 = t;
    }

    // 3. Allowables and percentages of the condition.
    const Extended factor = state.Units.Weight() * state.Units.Length();
    for (sfbmseg_rec& iv : s.Intervals) {
        const intervalallow_rec& lim = iv.IntactAllow[k];
        Judge(iv.TM.At1, factor, lim.TMFirst, lim.TMSecond, true, iv.TMAllow.At1, iv.TMPercent.At1);
        Judge(iv.TM.At2, factor, lim.TMFirst, lim.TMSecond, false, iv.TMAllow.At2, iv.TMPercent.At2);
    }

    // 4. Extremes over both ends of every interval but the last.
    torsionsummary_rec sum;
    sum.Computed = true;
    sum.TotalHeelMoment = total;
    sum.WithinLimits = true;
    for (size_t i = 0; i + 1 < s.Intervals.size(); ++i) {
        const sfbmseg_rec& iv = s.Intervals[i];
        for (int end = 0; end < 2; ++end) {
            const bool start = end == 0;
            const Extended frame = start ? iv.StartFrame : s.Intervals[i + 1].StartFrame;
            const Extended pos = start ? iv.X1 : iv.X2;
            const Extended tm = start ? iv.TM.At1 : iv.TM.At2;
            const Extended pct = start ? iv.TMPercent.At1 : iv.TMPercent.At2;
            const Extended allow = start ? iv.TMAllow.At1 : iv.TMAllow.At2;
            if (std::fabs(tm) >= std::fabs(sum.MaxTM.Value)) sum.MaxTM = {tm, frame, pos, pct, allow};
            if (std::fabs(pct) >= std::fabs(sum.MaxTMPct.Percent)) sum.MaxTMPct = {tm, frame, pos, pct, allow};
            if (!CompareValues("<=", std::fabs(pct), 100)) sum.WithinLimits = false;
        }
    }
    state.CalcData.Strength.Torsion = sum;
    state.Calc.JudgementFlags[TorsionOK] = sum.WithinLimits;
}

GridData FillTorsionGrid(const KvState& state) {
    const StrengthState& s = state.Strength;
    const Extended wf = state.Units.Weight(), lf = state.Units.Length();
    const std::string unit = "[" + state.Units.UnitNames[UnitWeight] + "-" + state.Units.UnitNames[UnitLength] + "]";
    const auto& readouts = state.ShipInfo.ClassAllow.readouts;

    GridData g;
    g.FixedRows = kFixedRows;
    g.ColWidths = {40, 50, 50, 40, 50};
    const size_t rows = size_t(kFixedRows) + readouts.size() + 2;
    g.Cells.assign(rows, std::vector<std::string>(kColumns));
    g.Red.assign(rows, std::vector<bool>(kColumns, false));
    g.Cells[0][1] = "Torsional Moment";
    g.Cells[1] = {"fr.no", "Heel" + unit, "Torsional" + unit, "Allow(%)", "Allow" + unit};

    // The MAX rows have no heeling moment of their own.
    auto fill = [&](size_t r, const Extended* heel, Extended tm, Extended pct, Extended allow) {
        auto& row = g.Cells[r];
        if (heel) row[1] = FormatC("%.0f", *heel * wf * lf);
        row[2] = FormatC("%.0f", tm * wf * lf);
        row[3] = FormatC("%.1f", pct);
        row[4] = FormatC("%.0f", allow * wf * lf);
        g.Red[r][3] = !CompareValues("<=", std::fabs(pct), 100);
    };
    for (size_t n = 0; n < readouts.size(); ++n) {
        const readout_rec& ro = readouts[n];
        const size_t r = size_t(kFixedRows) + n;
        g.Cells[r][0] = FormatFloat("0.0", ro.Frame);
        auto it = s.IntervalIndex.find(FormatFloat("0.000", ro.Frame));
        if (it == s.IntervalIndex.end()) continue;  // no station at this frame
        const long at = long(it->second) + (ro.Side == -1 ? -1 : 0);
        if (at < 0 || size_t(at) >= s.Intervals.size()) continue;
        const sfbmseg_rec& iv = s.Intervals[size_t(at)];
        const bool start = ro.Side != -1;
        auto end = [start](const EndPair& p) { return start ? p.At1 : p.At2; };
        const Extended heel = end(iv.HeelMoment);
        fill(r, &heel, end(iv.TM), end(iv.TMPercent), end(iv.TMAllow));
    }

    const torsionsummary_rec& sum = state.CalcData.Strength.Torsion;
    const size_t act = rows - 2, all = rows - 1;
    g.Cells[act][0] = "MAX ACT";
    g.Cells[all][0] = "MAX ALL";
    fill(act, nullptr, sum.MaxTM.Value, sum.MaxTM.Percent, sum.MaxTM.Allow);
    fill(all, nullptr, sum.MaxTMPct.Value, sum.MaxTMPct.Percent, sum.MaxTMPct.Allow);
    return g;
}

ChartData TorsionChart(const KvState& state, bool percent) {
    const StrengthState& s = state.Strength;
    const shipinfo_rec& ship = state.ShipInfo;
    const size_t k = size_t(ConditionIndex(state.LoadData.VoyageCond));
    const Extended f = state.Units.Weight() * state.Units.Length();
    const torsionsummary_rec& sum = state.CalcData.Strength.Torsion;

    ChartData c;
    ChartSeries heel{"Heeling Moment ", {}}, tm{"Torsional Moment ", {}};
    ChartSeries pct{"Torsional Moment Allow(%) ", {}};
    ChartSeries pos{"T.M. +", {}}, neg{"T.M. -", {}};
    for (const sfbmseg_rec& iv : s.Intervals) {
        auto add = [&iv](ChartSeries& cs, const EndPair& p, Extended factor) {
            cs.Points.push_back({double(iv.X1), double(p.At1 * factor)});
            cs.Points.push_back({double(iv.X2), double(p.At2 * factor)});
        };
        const intervalallow_rec& lim = iv.IntactAllow[k];
        if (percent) {
            add(pct, iv.TMPercent, 1);
            continue;
        }
        add(heel, iv.HeelMoment, f);
        add(tm, iv.TM, f);
        add(pos, lim.TMSecond, f);
        add(neg, lim.TMFirst, f);
    }
    if (percent) {
        c.Captions = {"Torsional Moment Allow(%) ", "PORT", "STBD"};
        c.Curves = {pct};
        const Extended x0 = s.Intervals.empty() ? 0 : s.Intervals.front().X1;
        const Extended x1 = s.Intervals.empty() ? 0 : s.Intervals.back().X2;
        c.Limits = {{"100%", {{double(x0), 100.0}, {double(x1), 100.0}}},
                    {"-100%", {{double(x0), -100.0}, {double(x1), -100.0}}}};
        c.Legend = {"Max TM(%):" + FormatFloat("0.0%", sum.MaxTMPct.Percent) + " " + FrameTag(sum.MaxTMPct.Frame)};
    } else {
        c.Captions = {"Heeling Moment ", "Torsional Moment ", "PORT", "STBD", "Frame"};
        c.Curves = {heel, tm};
        c.Limits = {pos, neg};
        c.Legend = {"Max TM:" + FormatFloat("0.0", sum.MaxTM.Value * f) + " " + FrameTag(sum.MaxTM.Frame)};
    }
    for (const readout_rec& ro : ship.ClassAllow.readouts)
        c.Ticks.emplace_back(FrameToPosition(ship, ro.Frame) / 1000, FormatFloat("0.0", ro.Frame));
    return c;
}

}  // namespace kv
