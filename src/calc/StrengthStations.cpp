// Strength stations and intervals: the frame table with the ends of every
// load, stack, read-out point and allowable segment; the lightweight spread
// over the intervals and the allowable curves copied into them.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "calc/Strength.h"
#include "model/ShipConventions.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

constexpr const char* kLightweightWarning = "Warning : light weight distribution data(lcg position)";
// Half the length of a 20-ft and of a 40-ft stack.
constexpr Extended kHalf20ft = 3.029L;
constexpr Extended kHalf40ft = 6.096L;
// Ship option of the torsional moment: its limits are copied only when on.
constexpr int kOptionTorsion = 13;

// The "0.000" text of a value. Stations are rebuilt in every calculation, so
// the common case is formatted from the whole number of thousandths; values
// near a half thousandth and very large ones go through FormatFloat, whose
// rounding (to 15 significant digits first) decides those.
std::string Text3(Extended v) {
    const Extended scaled = v * 1000;
    const Extended frac = scaled - std::floor(scaled);
    if (!(std::fabs(scaled) < 1e12L) || std::fabs(frac - 0.5L) < 1e-6L) return FormatFloat("0.000", v);
    long long k = std::llround(scaled);
    if (k == 0) return "0.000";
    std::string out = k < 0 ? "-" : "";
    if (k < 0) k = -k;
    const std::string digits = std::to_string(k / 1000);
    const long long rest = k % 1000;
    out += digits;
    out += '.';
    out += char('0' + rest / 100);
    out += char('0' + rest / 10 % 10);
    out += char('0' + rest % 10);
    return out;
}

// The value of a "0.000" text made by Text3 of v.
Extended TextValue(Extended v) {
    const Extended scaled = v * 1000;
    const Extended frac = scaled - std::floor(scaled);
    if (!(std::fabs(scaled) < 1e12L) || std::fabs(frac - 0.5L) < 1e-6L) {
        Extended r = 0;
        TryTextToFloat(FormatFloat("0.000", v), r);
        return r;
    }
    return Extended(std::llround(scaled)) / 1000;
}


// Index of the station whose text in `texts` equals `text`, searched around
// the place where `value` belongs in the ascending `values`; -1 when none.
long FindStationText(const std::vector<Extended>& values, const std::vector<std::string>& texts,
                     const std::string& text, Extended value) {
    const long at = long(std::lower_bound(values.begin(), values.end(), value) - values.begin());
    for (long i = std::max(0L, at - 2); i < std::min(long(values.size()), at + 2); ++i)
        if (texts[size_t(i)] == text) return i;
    return -1;
}

long FindFrame(const StrengthState& s, Extended frame) {
    return FindStationText(s.StationFrameNo, s.StationFrames, Text3(frame), frame);
}

void InsertStation(StrengthState& s, size_t at, Extended frame, Extended pos) {
    const std::string frameText = Text3(frame), posText = Text3(pos);
    const Extended frameValue = TextValue(frame), posValue = TextValue(pos);
    s.StationFrames.insert(s.StationFrames.begin() + long(at), frameText);
    s.StationPositions.insert(s.StationPositions.begin() + long(at), posText);
    s.StationFrameNo.insert(s.StationFrameNo.begin() + long(at), frameValue);
    s.StationPos.insert(s.StationPos.begin() + long(at), posValue);
}

Extended Limited(const shipinfo_rec& ship, Extended x) {
    if (x < ship.AftEndX) return ship.AftEndX;
    if (x > ship.ForeEndX) return ship.ForeEndX;
    return x;
}

// Column index of a lightweight table heading, or 0 when absent.
size_t Column(const xyztable_rec& t, std::string_view name) {
    for (size_t c = 1; c < t.ColHeads.size() && c <= size_t(std::max(0, t.ColCount)); ++c) {
        std::string h = t.ColHeads[c].str();
        const size_t b = h.find_first_not_of(' ');
        const size_t e = h.find_last_not_of(' ');
        h = b == std::string::npos ? std::string() : h.substr(b, e - b + 1);
        if (h.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < h.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(h[i])) == name[i];
        if (same) return c;
    }
    return 0;
}

struct LightRow {
    Extended Xa = 0, Xf = 0, Weight = 0, LCG = 0;
};

Extended Round3(Extended v) { return std::round(v * 1000) / 1000; }

std::vector<LightRow> LightweightRows(const shipinfo_rec& ship) {
    std::vector<LightRow> rows;
    const xyztable_rec& t = ship.ShipTables.StrengthTable();
    if (t.Empty() || t.Values.size() < 2) return rows;
    const size_t cAFR = Column(t, "AFR"), cAE = Column(t, "AE"), cFFR = Column(t, "FFR"), cFE = Column(t, "FE"),
                 cLCG = Column(t, "LCG"), cW = Column(t, "WEIGHT"), cQA = Column(t, "QA"), cQF = Column(t, "QF"),
                 cQ = Column(t, "Q");
    const auto& layer = t.Values[1];
    const Extended frameAtZero = PositionToFrame(ship, 0);
    for (size_t r = 1; r <= size_t(t.RowCount); ++r) {
        auto value = [&](size_t c) -> Extended {
            return c != 0 && c < layer.size() && r < layer[c].size() ? layer[c][r] : Extended(0);
        };
        LightRow row;
        const Extended afr = cAFR ? value(cAFR) : frameAtZero;
        const Extended ffr = cFFR ? value(cFFR) : frameAtZero;
        row.Xa = Round3(FrameToPosition(ship, afr) / 1000 + value(cAE));
        row.Xf = Round3(FrameToPosition(ship, ffr) / 1000 + value(cFE));
        if (cW == 0 || cLCG == 0) {
            const Extended qa = value(cQA), qf = value(cQF);
            row.Weight = value(cQ);
            row.LCG = qa + qf != 0 ? row.Xa + (row.Xf - row.Xa) * (2 * qf + qa) / (3 * (qa + qf))
                                   : (row.Xa + row.Xf) / 2;
        } else {
            row.Weight = value(cW);
            row.LCG = value(cLCG);
        }
        rows.push_back(row);
    }
    return rows;
}

// Limits of one curve at both ends of an interval (positive and negative
// limits as the interval keeps them).
// Where the search for the segment of an interval starts: the intervals come
// in ascending order, so on a curve whose segments ascend the segment found
// last is where the next search begins.
struct SegmentCursor {
    size_t at = 0;
    Extended lastX = 0;
    int sorted = -1;  // -1 not known yet, 0 no, 1 yes
};

void CurveLimits(const std::vector<allowseg_rec>& segs, bool tolerantEnds, bool torsion, Extended x1, Extended x2,
                 EndPair& first, EndPair& second, SegmentCursor& cur) {
    first.At1 = first.At2 = second.At1 = second.At2 = 0;
    if (segs.empty()) return;
    // SF and BM: offset 56/66 positive, 112/122 negated; TM the other way.
    const Extended s1 = torsion ? -1 : 1, s2 = torsion ? 1 : -1;
    const allowseg_rec& a = segs.front();
    const allowseg_rec& z = segs.back();
    const bool aft = tolerantEnds ? TolerantLT(x1, a.AftX) : x1 < a.AftX;
    const bool fore = tolerantEnds ? TolerantGT(x1, z.ForeX) : x1 > z.ForeX;
    if (aft) {
        first.At1 = first.At2 = s1 * a.Pos1Aft;
        second.At1 = second.At2 = s2 * a.Pos2Aft;
        return;
    }
    if (fore) {
        first.At1 = first.At2 = s1 * z.Pos1Fore;
        second.At1 = second.At2 = s2 * z.Pos2Fore;
        return;
    }
    // Both limits of the segment are interpolated at the same two places:
    // the fractions of the segment's length are found once.
    auto set = [&](const allowseg_rec& g) {
        const Extended span = g.ForeX - g.AftX;
        const Extended f1 = span != 0 ? (x1 - g.AftX) / span : 0;
        const Extended f2 = span != 0 ? (x2 - g.AftX) / span : 0;
        first.At1 = s1 * (g.Pos1Aft + (g.Pos1Fore - g.Pos1Aft) * f1);
        first.At2 = s1 * (g.Pos1Aft + (g.Pos1Fore - g.Pos1Aft) * f2);
        second.At1 = s2 * (g.Pos2Aft + (g.Pos2Fore - g.Pos2Aft) * f1);
        second.At2 = s2 * (g.Pos2Aft + (g.Pos2Fore - g.Pos2Aft) * f2);
    };
    if (cur.sorted < 0) {
        cur.sorted = 1;
        for (size_t i = 1; i < segs.size(); ++i)
            if (segs[i].AftX < segs[i - 1].AftX) cur.sorted = 0;
    }
    if (cur.sorted == 1) {
        // The last segment starting at or aft of x1: every later one starts
        // forward of it and cannot hold it.
        if (x1 < cur.lastX || cur.at >= segs.size()) cur.at = 0;
        cur.lastX = x1;
        while (cur.at + 1 < segs.size() && TolerantGE(x1, segs[cur.at + 1].AftX)) ++cur.at;
        if (TolerantGE(x1, segs[cur.at].AftX) && TolerantLE(x1, segs[cur.at].ForeX)) {
            set(segs[cur.at]);
            return;
        }
    }
    // Of the segments holding x1 the last one counts (at a boundary the
    // segment forward of it): search from the forward end.
    for (auto it = segs.rbegin(); it != segs.rend(); ++it) {
        const allowseg_rec& g = *it;
        if (!TolerantGE(x1, g.AftX) || !TolerantLE(x1, g.ForeX)) continue;
        set(g);
        return;
    }
}

void SetLimits(const allow_rec& set, bool tolerantEnds, bool torsion, sfbmseg_rec& iv, intervalallow_rec& out,
               std::array<SegmentCursor, 3>& cur) {
    CurveLimits(set.sfsegs, tolerantEnds, false, iv.X1, iv.X2, out.SFPos, out.SFNeg, cur[0]);
    CurveLimits(set.bmsegs, tolerantEnds, false, iv.X1, iv.X2, out.BMPos, out.BMNeg, cur[1]);
    if (torsion)
        CurveLimits(set.tmsegs, tolerantEnds, true, iv.X1, iv.X2, out.TMFirst, out.TMSecond, cur[2]);
    else
        out.TMFirst = out.TMSecond = EndPair{};
}

}  // namespace

Extended LinearInterpolate(Extended y2, Extended x2, Extended y1, Extended x1, Extended x) {
    if (x2 == x1) return y1;
    return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

Extended MeanDraftOverSpace(const KvState& state, int group, int tank, Extended trim, Extended meanDraft) {
    if (group < 0 || group >= LoadGroupCount) return 0;
    const auto& tanks = state.TankGroup.Groups[size_t(group)].Tanks;
    if (tank < 0 || size_t(tank) >= tanks.size()) return 0;
    const Extended lbp = state.ShipInfo.LBP;
    auto draft = [&](Extended x) { return lbp != 0 ? meanDraft + (x - lbp / 2) * trim / lbp : meanDraft; };
    const tank_rec& t = tanks[size_t(tank)];
    return (draft(t.AftEnd) + draft(t.ForeEnd)) / 2;
}

Extended TriangleAddition(const shipinfo_rec& ship, const ShearTriangle& t, Extended frame) {
    if (frame < t.Start || frame > t.End) return 0;
    auto X = [&](Extended f) { return FrameToPosition(ship, f) / 1000; };
    return TriangleAdditionAt(t, frame, X(frame), X(t.Start), X(t.Peak), X(t.End));
}

Extended TriangleAdditionAt(const ShearTriangle& t, Extended frame, Extended xf, Extended xs, Extended xp, Extended xe) {
    if (frame < t.Start || frame > t.End) return 0;
    if (xf < xp) return xp != xs ? t.Value * (xf - xs) / (xp - xs) : t.Value;
    return xe != xp ? t.Value - t.Value * (xf - xp) / (xe - xp) : t.Value;
}

Extended SeaShearAddition(const shipinfo_rec& ship, Extended frame) {
    Extended a = 0;
    for (const ShearTriangle& t : SeaShearTriangles()) a += TriangleAddition(ship, t, frame);
    return a;
}

const std::vector<ShearTriangle>& SeaShearTriangles() {
    static const std::vector<ShearTriangle> triangles{{-20, 12, 39, 69}, {50, 204, 234, 250}};
    return triangles;
}

void AddStationAtPosition(StrengthState& s, Extended x) {
    const Extended xs = Extended(float(x));
    const std::string posText = Text3(xs);
    if (FindStationText(s.StationPos, s.StationPositions, posText, xs) >= 0) return;
    const size_t next = size_t(std::upper_bound(s.StationPos.begin(), s.StationPos.end(), xs) - s.StationPos.begin());
    // Aft of the first station or forward of the last: not added.
    if (next == 0 || next >= s.StationPos.size()) return;
    const Extended n = std::trunc(s.StationFrameNo[next - 1]);
    const long in = FindFrame(s, n), in1 = FindFrame(s, n + 1);
    Extended frame;
    if (in >= 0 && in1 >= 0) {
        const Extended p0 = s.StationPos[size_t(in)], p1 = s.StationPos[size_t(in1)];
        frame = p1 != p0 ? n + (xs - p0) / (p1 - p0) : n;
    } else {
        // A frame table without whole frames around x: between the stations
        // that bracket it.
        frame = LinearInterpolate(s.StationFrameNo[next], s.StationPos[next], s.StationFrameNo[next - 1],
                                  s.StationPos[next - 1], xs);
    }
    InsertStation(s, next, frame, xs);
}

void AddStationAtFrame(StrengthState& s, Extended frame) {
    const std::string frameText = Text3(frame);
    if (FindStationText(s.StationFrameNo, s.StationFrames, frameText, frame) >= 0) return;
    if (s.StationFrameNo.size() < 2) return;
    Extended n = std::trunc(frame);
    Extended r = frame - n;
    const size_t next =
        size_t(std::upper_bound(s.StationFrameNo.begin(), s.StationFrameNo.end(), frame) - s.StationFrameNo.begin());
    if (next < s.StationFrameNo.size()) {
        const long in = FindFrame(s, n), in1 = FindFrame(s, n + 1);
        Extended pos;
        if (in >= 0 && in1 >= 0) {
            const Extended p0 = s.StationPos[size_t(in)], p1 = s.StationPos[size_t(in1)];
            pos = p0 + (p1 - p0) * r;
        } else {
            const size_t before = next == 0 ? 0 : next - 1, after = next == 0 ? 1 : next;
            pos = LinearInterpolate(s.StationPos[after], s.StationFrameNo[after], s.StationPos[before],
                                    s.StationFrameNo[before], frame);
        }
        InsertStation(s, next, frame, pos);
        return;
    }
    // Forward of the last station: extrapolated from the last two whole frames.
    if (r == 0) {
        r = 1;
        n -= 1;
    }
    const long in = FindFrame(s, n), in0 = FindFrame(s, n - 1);
    Extended pos;
    if (in >= 0 && in0 >= 0) {
        const Extended pn = s.StationPos[size_t(in)], pm = s.StationPos[size_t(in0)];
        pos = pn + (pn - pm) * r;
    } else {
        const size_t last = s.StationFrameNo.size() - 1;
        pos = LinearInterpolate(s.StationPos[last], s.StationFrameNo[last], s.StationPos[last - 1],
                                s.StationFrameNo[last - 1], frame);
    }
    InsertStation(s, s.StationFrameNo.size(), frame, pos);
}

void BuildStrengthStations(KvState& state) {
    const shipinfo_rec& ship = state.ShipInfo;
    StrengthState& s = state.Strength;
    s.StationFrames.clear();
    s.StationPositions.clear();
    s.StationFrameNo.clear();
    s.StationPos.clear();
    for (const frame_rec& f : ship.FrameList) {
        s.StationFrames.push_back(Text3(f.FrameNo));
        s.StationPositions.push_back(Text3(f.PosMM / 1000));
        s.StationFrameNo.push_back(TextValue(f.FrameNo));
        s.StationPos.push_back(TextValue(f.PosMM / 1000));
    }

    const std::vector<LightRow> light = LightweightRows(ship);
    for (const LightRow& row : light) {
        AddStationAtPosition(s, row.Xa);
        AddStationAtPosition(s, row.Xf);
    }
    for (const balecargo_rec& b : state.LoadData.BaleList) {
        AddStationAtPosition(s, Limited(ship, b.AftX));
        AddStationAtPosition(s, Limited(ship, b.ForeX));
    }
    for (int g = 1; g < LoadGroupCount; ++g)
        for (const tank_rec& t : state.TankGroup.Groups[size_t(g)].Tanks) {
            AddStationAtPosition(s, Limited(ship, t.AftEnd));
            AddStationAtPosition(s, Limited(ship, t.ForeEnd));
        }
    // The split of the cargo compartments needs a station of its own, or the
    // weight between the frames around it would be spread by neither part.
    const int tween = state.LoadData.CompCodes.empty() ? 0 : state.LoadData.CompCodes[0];
    if (tween == TweenStowedInDeck || tween == TweenUpperTweendeck) AddStationAtPosition(s, CargoSplitX);
    for (const baycell_rec& bay : state.ContInfo.bays)
        for (const cellinfo_rec& sec : bay.sections) {
            bool found = false;
            Extended centre = 0;
            for (const auto& row : sec.cells) {
                for (const cell_rec& c : row)
                    if (c.state != 0) {
                        centre = c.x;
                        found = true;
                        break;
                    }
                if (found) break;
            }
            if (!found) continue;
            const Extended half = bay.bay_kind < 3 ? kHalf20ft : kHalf40ft;
            AddStationAtPosition(s, centre - half);
            AddStationAtPosition(s, centre + half);
        }
    // The ends of the loaded containers and of the tween deck panels. A box
    // is not always as long as its stack (the 20-ft length code stands for
    // 6.068 m): without stations at its own ends the slivers beyond the stack
    // stations would be spread by no interval and their weight lost. Few
    // distinct ends occur, so each is added once.
    std::vector<Extended> ends;
    for (const auto& bay : state.LoadData.BayLists)
        for (const container_rec& c : bay)
            if (c.weight > 0) {
                ends.push_back(Limited(ship, c.aft_x));
                ends.push_back(Limited(ship, c.fwd_x));
            }
    for (const panel_rec& p : state.PanelList)
        if (p.weight > 0) {
            ends.push_back(Limited(ship, p.aft_x));
            ends.push_back(Limited(ship, p.fwd_x));
        }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end(),
                           [](Extended a, Extended b) { return std::fabs(a - b) < Extended(1e-7L); }),
               ends.end());
    for (Extended x : ends) AddStationAtPosition(s, x);
    for (const readout_rec& r : ship.ClassAllow.readouts) AddStationAtFrame(s, r.Frame);
    for (int k = 0; k < 2; ++k)
        for (const allow_rec* set : {&ship.ClassAllow.intact[size_t(k)], &ship.ClassAllow.flooded[size_t(k)]})
            for (const auto* segs : {&set->sfsegs, &set->bmsegs})
                for (const allowseg_rec& g : *segs) {
                    AddStationAtPosition(s, g.AftX);
                    AddStationAtPosition(s, g.ForeX);
                }
    AddStationAtPosition(s, ship.AftEndX);
    AddStationAtPosition(s, ship.ForeEndX);

    // Intervals between consecutive stations inside the hull. Both ends are
    // tested: an interval from a frame aft of the aft extremity up to it would
    // carry sectional area (buoyancy) where there is no hull.
    s.Intervals.clear();
    s.IntervalIndex.clear();
    s.IntervalEndStation.clear();
    auto inside = [&](Extended x) {
        return TolerantGE(x, ship.AftEndX) && TolerantLE(x, ship.ForeEndX);
    };
    for (size_t i = 1; i < s.StationPos.size(); ++i) {
        const Extended x2 = s.StationPos[i];
        if (!inside(x2) || !inside(s.StationPos[i - 1])) continue;
        s.IntervalIndex.emplace(s.StationFrames[i - 1], s.Intervals.size());
        sfbmseg_rec& iv = s.Intervals.emplace_back();  // built in place: the record is large
        iv.Key = s.StationFrames[i - 1];
        iv.StartFrame = s.StationFrameNo[i - 1];
        iv.X1 = s.StationPos[i - 1];
        iv.X2 = x2;
        iv.Length = iv.X2 - iv.X1;
        s.IntervalEndStation.push_back(i);
    }

    // Lightweight.
    s.LightweightTotal = 0;
    s.LightRefit.assign(s.Intervals.size(), 0);
    for (const LightRow& row : light) {
        if (!(row.LCG > row.Xa && row.LCG < row.Xf) && state.Messages) state.Messages->ShowMessage(kLightweightWarning);
        if (row.Weight == 0) continue;
        s.LightweightTotal +=
            SpreadLoad(s, StrengthLoad{row.Weight, row.LCG, row.Xa, row.Xf}, LoadKind::Light, false);
    }
    RefitOrdinates(s, LoadKind::Light);

    // Allowables.
    const bool torsion = ship.OptionOn(kOptionTorsion);
    std::array<std::array<std::array<SegmentCursor, 3>, 2>, 2> cursors{};  // [condition][intact, flooded][curve]
    for (sfbmseg_rec& iv : s.Intervals)
        for (size_t k = 0; k < 2; ++k) {
            SetLimits(ship.ClassAllow.intact[k], true, torsion, iv, iv.IntactAllow[k], cursors[k][0]);
            SetLimits(ship.ClassAllow.flooded[k], false, torsion, iv, iv.FloodedAllow[k], cursors[k][1]);
        }
}

}  // namespace kv
