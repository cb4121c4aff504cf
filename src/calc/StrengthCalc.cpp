// Longitudinal strength of a condition: deadweight spread, buoyancy from the
// sectional areas, the balancing of buoyancy against weight with the shear
// force and bending moment integrated along the ship, the corrected shear
// force and the extremes.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "calc/ShearCorrection.h"
#include "calc/Strength.h"
#include "model/ShipConventions.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

// The hull tables are moulded: heights from the base line, the same datum as
// the drafts of the floating position.
constexpr Extended kKeelOffset = 0;
constexpr int kMaxBalancePasses = 1001;
constexpr Extended kClosingTolerance = 5.0L;
constexpr Extended kTol = 1e-5L;

// Tween deck setting of the first hold that splits the cargo compartments'
// weight at the split position.
constexpr int kStowedInDeck = TweenStowedInDeck;
constexpr int kUpperTweendeck = TweenUpperTweendeck;
constexpr Extended kSplitX = CargoSplitX;
constexpr Extended kSplitAftShareStowed = 85.3L;
constexpr Extended kSplitAftShareUpper = 59.0L;
constexpr size_t kUpperTweendeckTank = 2;

int ConditionIndex(int condition) { return condition == ConditionPort ? 1 : 0; }

void Refit(Extended w, Extended g, const sfbmseg_rec& iv, EndPair& q, bool clamp) {
    if (iv.Length > 0) {
        q.At2 = 2 * w * (3 * (g - iv.X1) - iv.Length) / (iv.Length * iv.Length);
        q.At1 = 2 * w / iv.Length - q.At2;
    } else {
        q.At1 = q.At2 = 0;
    }
    if (clamp) {
        if (q.At1 < 0) q.At1 = 0;
        if (q.At2 < 0) q.At2 = 0;
    }
}

// SF and BM allowable and percentage at one end by the sign of the value.
void Judge(Extended v, Extended posLimit, Extended negLimit, Extended& allow, Extended& pct) {
    allow = v >= 0 ? posLimit : negLimit;
    pct = allow != 0 ? v / allow * 100 : 0;
}

// A position as its station knows it: to the millimetre (of its single
// precision value).
Extended OnStationGrid(Extended x) { return std::round(Extended(float(x)) * 1000) / 1000; }

// FrameToPosition for frame numbers asked in ascending order: the bracket
// in the frame table is found by walking on from the last one (inside the
// table; at and beyond its ends FrameToPosition itself extrapolates).
class AscendingFrames {
public:
    explicit AscendingFrames(const shipinfo_rec& ship) : ship_(ship), list_(ship.FrameList) {}
    Extended Position(Extended frame) {
        if (list_.size() < 2 || frame <= list_.front().FrameNo || frame >= list_.back().FrameNo)
            return FrameToPosition(ship_, frame);
        if (list_[hi_ - 1].FrameNo > frame) hi_ = 1;
        while (hi_ < list_.size() - 1 && !(list_[hi_].FrameNo > frame)) ++hi_;
        const frame_rec& a = list_[hi_ - 1];
        const frame_rec& b = list_[hi_];
        const Extended dk = b.FrameNo - a.FrameNo;
        if (dk == 0) return a.PosMM;
        return a.PosMM + (frame - a.FrameNo) * (b.PosMM - a.PosMM) / dk;
    }

private:
    const shipinfo_rec& ship_;
    const std::vector<frame_rec>& list_;
    size_t hi_ = 1;
};

}  // namespace

Extended SpreadLoad(StrengthState& s, const StrengthLoad& load, LoadKind kind, bool clampNegative) {
    // The ends are taken where their stations are: an end between two
    // millimetres would otherwise leave the interval it starts in unspread.
    const Extended a = OnStationGrid(load.AftX), f = OnStationGrid(load.ForeX), L = f - a, W = load.Weight,
                   g = load.LCG;
    if (!(L > 0) || W == 0 || !std::isfinite(W) || !std::isfinite(g)) return 0;
    const Extended qf = 2 * W * (3 * (g - a) - L) / (L * L);
    const Extended qa = 2 * W / L - qf;
    auto first = std::lower_bound(s.Intervals.begin(), s.Intervals.end(), a - 2 * kTol,
                                  [](const sfbmseg_rec& iv, Extended x) { return iv.X1 < x; });
    Extended spread = 0;
    for (auto it = first; it != s.Intervals.end(); ++it) {
        sfbmseg_rec& iv = *it;
        if (iv.X1 > f + 2 * kTol) break;
        if (!TolerantGE(iv.X1, a) || !TolerantLE(iv.X2, f)) continue;
        const Extended y1 = qa + (qf - qa) * (iv.X1 - a) / L;
        const Extended y2 = qa + (qf - qa) * (iv.X2 - a) / L;
        const Extended w = (y1 + y2) * iv.Length / 2;
        const Extended c = y1 + y2 != 0 ? iv.X1 + iv.Length * (2 * y2 + y1) / (3 * (y1 + y2)) : iv.X1 + iv.Length / 2;
        Extended& wi = kind == LoadKind::Light ? iv.LightWeight : iv.DeadWeight;
        Extended& gi = kind == LoadKind::Light ? iv.LightLCG : iv.DeadLCG;
        const Extended moment = wi * gi + w * c;
        wi += w;
        gi = wi != 0 ? moment / wi : iv.X1 + iv.Length / 2;
        std::vector<uint8_t>& refit = kind == LoadKind::Light ? s.LightRefit : s.DeadRefit;
        if (refit.size() != s.Intervals.size()) refit.assign(s.Intervals.size(), 0);
        refit[size_t(it - s.Intervals.begin())] = clampNegative ? 1 : 2;
        spread += w;
    }
    return spread;
}

void RefitOrdinates(StrengthState& s, LoadKind kind) {
    std::vector<uint8_t>& refit = kind == LoadKind::Light ? s.LightRefit : s.DeadRefit;
    const size_t n = std::min(refit.size(), s.Intervals.size());
    for (size_t i = 0; i < n; ++i) {
        if (refit[i] == 0) continue;
        sfbmseg_rec& iv = s.Intervals[i];
        if (kind == LoadKind::Light)
            Refit(iv.LightWeight, iv.LightLCG, iv, iv.LightOrdinate, refit[i] == 1);
        else
            Refit(iv.DeadWeight, iv.DeadLCG, iv, iv.DeadOrdinate, refit[i] == 1);
        refit[i] = 0;
    }
}

void DistributeDeadweight(KvState& state, const std::vector<StrengthLoad>& extra) {
    StrengthState& s = state.Strength;
    s.DeadRefit.assign(s.Intervals.size(), 0);
    for (sfbmseg_rec& iv : s.Intervals) {
        iv.DeadOrdinate = EndPair{};
        iv.DeadWeight = iv.DeadLCG = 0;
    }
    auto spread = [&](const StrengthLoad& ld, bool clamp) {
        if (ld.Weight > 0) SpreadLoad(s, ld, LoadKind::Dead, clamp);
    };

    for (const balecargo_rec& b : state.LoadData.BaleList) spread({b.Weight, b.LCG, b.AftX, b.ForeX}, true);

    const int split = state.LoadData.CompCodes.empty() ? 0 : state.LoadData.CompCodes[0];
    for (int g = 1; g < LoadGroupCount; ++g) {
        const auto& tanks = state.TankGroup.Groups[size_t(g)].Tanks;
        const auto& items = state.CalcData.Summaries[size_t(g + 1)].Items;
        for (size_t i = 0; i < tanks.size() && i < items.size(); ++i) {
            const tank_rec& t = tanks[i];
            const StrengthLoad whole{items[i].Weight, items[i].LCG, t.AftEnd, t.ForeEnd};
            const bool splitThis = g == 1 && ((split == kStowedInDeck) || (split == kUpperTweendeck && i == kUpperTweendeckTank));
            // Only a compartment that reaches across the split position can be
            // split; one lying wholly on one side keeps its whole weight there.
            if (!splitThis || whole.Weight <= 0 || !(t.AftEnd < kSplitX && t.ForeEnd > kSplitX)) {
                spread(whole, true);
                continue;
            }
            const Extended share = (split == kStowedInDeck ? kSplitAftShareStowed : kSplitAftShareUpper) / 100;
            const Extended wAft = whole.Weight * share, gAft = (t.AftEnd + kSplitX) / 2;
            const Extended wFore = whole.Weight - wAft;
            const Extended gFore = wFore != 0 ? (whole.Weight * whole.LCG - wAft * gAft) / wFore : kSplitX;
            spread({wAft, gAft, t.AftEnd, kSplitX}, true);
            spread({wFore, gFore, kSplitX, t.ForeEnd}, true);
        }
    }

    // Containers of one stack share their extent. The spread of an item is
    // linear in its weight and its moment, so the boxes of one extent are
    // spread as one item of their total weight at their common centre: the
    // same weight and moment reach every interval, at a fraction of the work.
    std::vector<StrengthLoad>& boxes = s.ContainerLoads;
    boxes.clear();
    for (const auto& bay : state.LoadData.BayLists)
        for (const container_rec& c : bay) {
            const Extended w = Extended(c.weight);
            if (!(w > 0)) continue;
            auto same = std::find_if(boxes.begin(), boxes.end(), [&](const StrengthLoad& b) {
                return b.AftX == c.aft_x && b.ForeX == c.fwd_x;
            });
            if (same == boxes.end()) {
                boxes.push_back({w, w * c.lcg, c.aft_x, c.fwd_x});  // LCG holds the moment until the end
            } else {
                same->Weight += w;
                same->LCG += w * c.lcg;
            }
        }
    for (StrengthLoad& b : boxes) {
        b.LCG /= b.Weight;
        spread(b, true);
    }
    for (const panel_rec& p : state.PanelList) spread({p.weight, p.lcg, p.aft_x, p.fwd_x}, false);
    for (const StrengthLoad& ld : extra) spread(ld, true);
    RefitOrdinates(s, LoadKind::Dead);
}

StrengthRun IntactStrengthRun(const KvState& state, int condition) {
    StrengthRun run;
    run.Flooded = false;
    run.Condition = ConditionIndex(condition);
    run.Record = &state.CalcData;
    run.Density = state.LoadData.SeaDensity > 0 ? state.LoadData.SeaDensity : Extended(1.025L);
    if (run.Condition == ConditionSea) run.Additions = SeaShearTriangles();
    return run;
}

void ComputeBuoyancy(KvState& state, const StrengthRun& run) {
    StrengthState& s = state.Strength;
    const calcdata_rec& rec = run.Record ? *run.Record : state.CalcData;
    const Extended lbp = state.ShipInfo.LBP;
    const xyztable_rec& bonjean = state.ShipInfo.ShipTables.HeightAreaTable();
    const size_t n = s.Intervals.size();
    s.SectionAreas.assign(2 * n, 0);

    const std::array<int32_t, 3> shape{bonjean.ColCount, bonjean.RowCount, bonjean.LayerCount};
    if (s.BonjeanTable != &bonjean || s.BonjeanShape != shape) {
        s.BonjeanLookups.clear();
        s.BonjeanTable = &bonjean;
        s.BonjeanShape = shape;
    }
    auto area = [&](size_t station) {
        const Extended x = s.StationPos[station];
        const Extended d = rec.DraftAP + (lbp != 0 ? x * rec.Trim / lbp : 0);
        const std::string& key = s.StationPositions[station];
        auto found = s.BonjeanLookups.find(key);
        if (found == s.BonjeanLookups.end())
            found = s.BonjeanLookups.emplace(key, PrepareTableValue(bonjean, "AREA", "HEIGHT", key, false)).first;
        Extended a = 0;
        const bool ok = found->second.Valid
                            ? GetPreparedTableValue(bonjean, found->second, d + kKeelOffset, a, state.Tables)
                            : GetTableValue(bonjean, "AREA", "HEIGHT", key, d + kKeelOffset, a, false, false,
                                            state.Tables);
        if (!ok) a = 0;
        return std::isfinite(a) && a > 0 ? a : Extended(0);
    };

    s.BuoyantVolume = 0;
    Extended dead = 0;
    size_t lastStation = size_t(-1);
    Extended lastArea = 0;
    for (size_t i = 0; i < n; ++i) {
        sfbmseg_rec& iv = s.Intervals[i];
        const size_t end = s.IntervalEndStation[i];
        const Extended a1 = end >= 1 && end - 1 == lastStation ? lastArea : area(end - 1);
        const Extended a2 = area(end);
        lastStation = end;
        lastArea = a2;
        s.SectionAreas[2 * i] = a1;
        s.SectionAreas[2 * i + 1] = a2;
        iv.BuoyOrdinate = {a1, a2};
        iv.BuoyVolume = (a1 + a2) / 2 * iv.Length;
        iv.BuoyCentre = iv.BuoyVolume > 0 ? iv.X1 + iv.Length * (2 * a2 + a1) / (3 * (a1 + a2)) : 0;
        s.BuoyantVolume += iv.BuoyVolume;
        dead += iv.DeadWeight;
    }
    s.WeightTotal = dead + s.LightweightTotal;
}

balance_rec BalanceStrength(KvState& state, const StrengthRun& run) {
    StrengthState& s = state.Strength;
    const shipinfo_rec& ship = state.ShipInfo;
    const size_t n = s.Intervals.size();
    balance_rec result;
    if (n == 0) return result;
    const int cond = ConditionIndex(run.Condition);
    const calcdata_rec& rec = run.Record ? *run.Record : state.CalcData;
    const allow_rec& set = run.Flooded ? ship.ClassAllow.flooded[size_t(cond)] : ship.ClassAllow.intact[size_t(cond)];
    const Extended tolerance = set.maxbm != 0 ? kClosingTolerance : 0;
    const Extended density = run.Density;
    if (s.SectionAreas.size() != 2 * n) {
        s.SectionAreas.resize(2 * n);
        for (size_t i = 0; i < n; ++i) {
            s.SectionAreas[2 * i] = s.Intervals[i].BuoyOrdinate.At1;
            s.SectionAreas[2 * i + 1] = s.Intervals[i].BuoyOrdinate.At2;
        }
    }

    // Everything that does not change from pass to pass, once per run: the
    // tilt factor of every interval end, the weight of every interval and the
    // point additions at every start frame. `area` is the one working array.
    std::vector<Extended> tilt(2 * n), area(2 * n), weight(n), addition(n, 0);
    const Extended perLOA = ship.LOA != 0 ? 1 / ship.LOA : 0;
    struct Placed {
        const ShearTriangle* T;
        Extended Start, Peak, End;  // positions, m
    };
    std::vector<Placed> triangles;
    for (const ShearTriangle& t : run.Additions)
        triangles.push_back({&t, FrameToPosition(ship, t.Start) / 1000, FrameToPosition(ship, t.Peak) / 1000,
                             FrameToPosition(ship, t.End) / 1000});
    AscendingFrames frames(ship);
    Extended W = 0;
    for (size_t i = 0; i < n; ++i) {
        const sfbmseg_rec& iv = s.Intervals[i];
        const Extended x[2] = {iv.X1, iv.X2};
        for (size_t e = 0; e < 2; ++e) {
            const Extended d = std::fabs(rec.LCF - x[e]) * perLOA;
            tilt[2 * i + e] = x[e] <= rec.LCF ? -d : d;
        }
        weight[i] = ((iv.DeadOrdinate.At1 + iv.DeadOrdinate.At2) / 2 + (iv.LightOrdinate.At1 + iv.LightOrdinate.At2) / 2) *
                    iv.Length;
        W += weight[i];
        bool placed = false;
        Extended xFrame = 0;
        for (const Placed& p : triangles)
            if (iv.StartFrame >= p.T->Start && iv.StartFrame <= p.T->End) {
                if (!placed) xFrame = frames.Position(iv.StartFrame) / 1000;
                placed = true;
                addition[i] += TriangleAdditionAt(*p.T, iv.StartFrame, xFrame, p.Start, p.Peak, p.End);
            }
    }

    // One pass at tilt t: the tilted, scaled areas and the BM at the forward
    // end; with store, every interval's SF, BM, percentages and allowables.
    auto integrate = [&](Extended t, bool store) {
        Extended B = 0;
        for (size_t i = 0; i < n; ++i) {
            Extended& a1 = area[2 * i];
            Extended& a2 = area[2 * i + 1];
            a1 = s.SectionAreas[2 * i] + tilt[2 * i] * t;
            a2 = s.SectionAreas[2 * i + 1] + tilt[2 * i + 1] * t;
            if (a1 < 0) a1 = 0;
            if (a2 < 0) a2 = 0;
            B += (a1 + a2) / 2 * s.Intervals[i].Length * density;
        }
        if (B != 0) {
            const Extended scale = W / B;
            for (Extended& a : area) a *= scale;
        }
        Extended wc = 0, bc = 0, bm = 0;
        for (size_t i = 0; i < n; ++i) {
            sfbmseg_rec& iv = s.Intervals[i];
            Extended sf1 = wc - bc;
            wc += weight[i];
            bc += (area[2 * i] + area[2 * i + 1]) / 2 * iv.Length * density;
            Extended sf2 = wc - bc;
            sf2 += addition[i];
            sf1 += addition[i == 0 ? 0 : i - 1];
            const Extended bm1 = bm;
            bm = bm1 + (sf1 + sf2) / 2 * iv.Length;
            if (!store) continue;
            strengthvalues_rec& v = run.Flooded ? iv.Flooded : iv.Intact;
            const intervalallow_rec& lim = run.Flooded ? iv.FloodedAllow[size_t(cond)] : iv.IntactAllow[size_t(cond)];
            v.SF = {sf1, sf2};
            v.BM = {bm1, bm};
            Judge(sf1, lim.SFPos.At1, lim.SFNeg.At1, v.SFAllow.At1, v.SFPercent.At1);
            Judge(sf2, lim.SFPos.At2, lim.SFNeg.At2, v.SFAllow.At2, v.SFPercent.At2);
            Judge(bm1, lim.BMPos.At1, lim.BMNeg.At1, v.BMAllow.At1, v.BMPercent.At1);
            Judge(bm, lim.BMPos.At2, lim.BMNeg.At2, v.BMAllow.At2, v.BMPercent.At2);
        }
        return bm;
    };

    // The tilt moves buoyancy forward when it grows. A positive residual (the
    // BM at the forward end, W (xB - xG)) says buoyancy lies forward of the
    // weight, so the tilt is reduced; the step halves at every change of sign.
    Extended t = 0, step = 1.0L, r = 0;
    bool previous = false, current = false;
    int passes = 0;
    for (;;) {
        ++passes;
        if (passes > 1) {
            if (current != previous) step /= 2;
            previous = current;
            t += current ? -step : step;
        }
        r = integrate(t, false);
        current = r > 0;
        if (passes >= kMaxBalancePasses || std::fabs(r) < tolerance) break;
    }
    integrate(t, true);

    // Corrected shear force.
    const bool corrected = ship.OptionOn(OptionSFCorrectionMethod);
    const int method = corrected ? std::atoi(ship.OptionText(OptionSFCorrectionMethod).c_str()) : 0;
    // Every SF is in place now: the corrections read the bulkhead forces.
    const std::vector<EndPair> dqs =
        corrected ? ShearForceCorrections(state, method, rec, run.Flooded) : std::vector<EndPair>();
    for (size_t i = 0; i < n; ++i) {
        sfbmseg_rec& iv = s.Intervals[i];
        strengthvalues_rec& v = run.Flooded ? iv.Flooded : iv.Intact;
        const intervalallow_rec& lim = run.Flooded ? iv.FloodedAllow[size_t(cond)] : iv.IntactAllow[size_t(cond)];
        v.CorrSF = v.SF;
        if (corrected) {
            const EndPair dq = i < dqs.size() ? dqs[i] : EndPair{};
            const Extended sign = CorrectionSubtracts(method) ? -1 : 1;
            v.CorrSF.At1 += sign * dq.At1;
            v.CorrSF.At2 += sign * dq.At2;
        }
        Judge(v.CorrSF.At1, lim.SFPos.At1, lim.SFNeg.At1, v.CorrSFAllow.At1, v.CorrSFPercent.At1);
        Judge(v.CorrSF.At2, lim.SFPos.At2, lim.SFNeg.At2, v.CorrSFAllow.At2, v.CorrSFPercent.At2);
        iv.BuoyOrdinate = {area[2 * i], area[2 * i + 1]};
    }

    result.Passes = passes;
    result.Tilt = t;
    result.Residual = r;
    return result;
}

strengthextremes_rec StrengthExtremes(const StrengthState& s, bool flooded) {
    strengthextremes_rec x;
    const size_t n = s.Intervals.size();
    auto take = [](extreme_rec& e, Extended key, Extended keyMax, Extended value, Extended frame, Extended pos,
                   Extended pct, Extended allow) {
        if (std::fabs(key) >= std::fabs(keyMax)) e = {value, frame, pos, pct, allow};
    };
    for (size_t i = 0; i + 1 < n; ++i) {
        const sfbmseg_rec& iv = s.Intervals[i];
        const strengthvalues_rec& v = flooded ? iv.Flooded : iv.Intact;
        for (int end = 0; end < 2; ++end) {
            const bool start = end == 0;
            const Extended frame = start ? iv.StartFrame : s.Intervals[i + 1].StartFrame;
            const Extended pos = start ? iv.X1 : iv.X2;
            const Extended load = start ? iv.LightOrdinate.At1 + iv.DeadOrdinate.At1 : iv.LightOrdinate.At2 + iv.DeadOrdinate.At2;
            if (std::fabs(load) >= std::fabs(x.MaxLoad)) {
                x.MaxLoad = load;
                x.MaxLoadFrame = frame;
                x.MaxLoadPos = pos;
            }
            auto at = [start](const EndPair& p) { return start ? p.At1 : p.At2; };
            take(x.MaxSF, at(v.SF), x.MaxSF.Value, at(v.SF), frame, pos, at(v.SFPercent), at(v.SFAllow));
            take(x.MaxCorrSF, at(v.CorrSF), x.MaxCorrSF.Value, at(v.CorrSF), frame, pos, at(v.CorrSFPercent),
                 at(v.CorrSFAllow));
            take(x.MaxBM, at(v.BM), x.MaxBM.Value, at(v.BM), frame, pos, at(v.BMPercent), at(v.BMAllow));
            take(x.MaxSFPct, at(v.SFPercent), x.MaxSFPct.Percent, at(v.SF), frame, pos, at(v.SFPercent),
                 at(v.SFAllow));
            take(x.MaxCorrSFPct, at(v.CorrSFPercent), x.MaxCorrSFPct.Percent, at(v.CorrSF), frame, pos,
                 at(v.CorrSFPercent), at(v.CorrSFAllow));
            take(x.MaxBMPct, at(v.BMPercent), x.MaxBMPct.Percent, at(v.BM), frame, pos, at(v.BMPercent),
                 at(v.BMAllow));
        }
    }
    return x;
}

bool StrengthWithinLimits(const StrengthState& s, bool flooded, bool corrected) {
    const size_t n = s.Intervals.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        const strengthvalues_rec& v = flooded ? s.Intervals[i].Flooded : s.Intervals[i].Intact;
        const EndPair& sf = corrected ? v.CorrSFPercent : v.SFPercent;
        for (Extended p : {sf.At1, sf.At2, v.BMPercent.At1, v.BMPercent.At2})
            if (!(std::fabs(p) <= 100)) return false;
    }
    return true;
}

void CalcStrength(KvState& state) { CalcStrength(state, state.LoadData.VoyageCond); }

void CalcStrength(KvState& state, int condition) {
    strengthsummary_rec& sum = state.CalcData.Strength;
    bool& ok = state.Calc.JudgementFlags[StrengthOK];
    if (state.Strength.Intervals.empty()) {
        // Nothing to judge without stations: not computed, not passed.
        sum.Computed = false;
        sum.Extremes = {};
        sum.Balance = {};
        ok = false;
        return;
    }
    const StrengthRun run = IntactStrengthRun(state, condition);
    DistributeDeadweight(state);
    ComputeBuoyancy(state, run);
    sum.Balance = BalanceStrength(state, run);
    sum.Extremes = StrengthExtremes(state.Strength, false);
    sum.Computed = true;
    ok = StrengthWithinLimits(state.Strength, false, state.ShipInfo.OptionOn(OptionSFCorrectionMethod));
}

}  // namespace kv
