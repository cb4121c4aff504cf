// Shear force correction: the correction dQ at both ends of one strength
// interval, by the ship's method, from the load of the hold the interval
// lies in, the draft at that hold and the shear forces at its bulkheads.
//
// The correction runs linearly over a reference length L from 0 at a
// reference position X: over the whole hold from its fore end ("full-fore")
// or its aft end ("full-aft"), or over half the hold from its mid-length
// ("half").
#include "calc/ShearCorrection.h"

#include <cmath>
#include <optional>
#include <vector>

#include "calc/HoldMass.h"
#include "calc/Strength.h"
#include "model/ShipConventions.h"
#include "numerics/Formats.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

enum class Ref { None, FullFore, FullAft, Half };

constexpr Extended Gravity = 9.81L;
constexpr Extended SeaWater = 1.025L;

// The shear force of one evaluation (intact or flooded) at the ends of an interval.
const EndPair& SFOf(const sfbmseg_rec& seg, bool flooded) { return flooded ? seg.Flooded.SF : seg.Intact.SF; }

// The SF at position x inside the interval list, for a bulkhead that is not a
// station: interpolated in the interval that holds it (the one ending there
// when x is on a station and `atEnd`), held at the first or last station
// outside the list.
Extended SFInside(const StrengthState& s, Extended x, bool flooded, bool atEnd) {
    const auto& iv = s.Intervals;
    if (iv.empty()) return 0;
    if (x <= iv.front().X1) return SFOf(iv.front(), flooded).At1;
    if (x >= iv.back().X2) return SFOf(iv.back(), flooded).At2;
    for (const auto& seg : iv) {
        const bool inside = atEnd ? (x > seg.X1 && x <= seg.X2) : (x >= seg.X1 && x < seg.X2);
        if (inside) {
            const EndPair& sf = SFOf(seg, flooded);
            return LinearInterpolate(sf.At2, seg.X2, sf.At1, seg.X1, x);
        }
    }
    return 0;
}

// Qa: the SF at the start of the interval that begins at the aft bulkhead.
// Qb: the SF at the end of the interval just before the one that begins at
// the fore bulkhead. A bulkhead with no interval keyed by its frame (no
// station there) takes the SF interpolated at its position instead.
struct Bulkheads {
    Extended Qa = 0, Qb = 0;
};
Bulkheads BulkheadForces(const KvState& state, Extended aft, Extended fore, bool flooded) {
    const StrengthState& s = state.Strength;
    Bulkheads q;
    const std::string aftKey = FormatFloat("0.000", PositionToFrame(state.ShipInfo, aft * 1000));
    if (const sfbmseg_rec* seg = s.Find(aftKey))
        q.Qa = SFOf(*seg, flooded).At1;
    else
        q.Qa = SFInside(s, aft, flooded, false);
    const std::string foreKey = FormatFloat("0.000", PositionToFrame(state.ShipInfo, fore * 1000));
    auto it = s.IntervalIndex.find(foreKey);
    if (it != s.IntervalIndex.end() && it->second > 0 && it->second < s.Intervals.size())
        q.Qb = SFOf(s.Intervals[it->second - 1], flooded).At2;
    else
        q.Qb = SFInside(s, fore, flooded, true);
    return q;
}

// Everything one call needs about the holds, read lazily.
struct HoldView {
    KvState& state;
    const calcdata_rec& record;
    int count = 0;  // holds: the cargo compartments of group 1

    bool Exists(int h) const { return h >= 0 && h < count; }
    const TankResult* Item(int h) const {
        const auto& items = record.Summaries[2].Items;
        return Exists(h) && size_t(h) < items.size() ? &items[size_t(h)] : nullptr;
    }
    Extended w(int h) const { return Item(h) ? Item(h)->Weight : Extended(0); }
    Extended p(int h) const { return Item(h) ? Item(h)->Percent : Extended(0); }
    Extended CI(int h) const { return Exists(h) ? CargoItemMassInHold(state, h) : Extended(0); }
    Extended T(int h) const { return Exists(h) ? TankMassUnderHold(state, h) : Extended(0); }
    // The water under the hold, no more than the hold's DBMaxVolume of sea
    // water when that is given.
    Extended TL(int h) const {
        const Extended t = T(h);
        const Extended limit = state.TankGroup.Groups[1].Tanks[size_t(h)].DBMaxVolume;
        return limit > 0 && t > limit / SeaWater ? limit : t;
    }
    Extended d(int h) const { return MeanDraftOverSpace(state, 1, h, record.Trim, record.DraftMean); }
};

// Larger fill over the smaller at least 1.2 (an empty one always differs).
bool Differs(Extended f1, Extended f2) {
    const Extended lo = std::min(f1, f2), hi = std::max(f1, f2);
    if (!(lo > 0)) return true;
    return CompareValues(">=", hi / lo, 1.2L);
}

// The pair for a hold by its position alone: first full-fore, last full-aft, other half.
Ref ByPosition(bool first, bool last) { return first ? Ref::FullFore : last ? Ref::FullAft : Ref::Half; }

// The pair of an empty hold, from which of its neighbours are loaded.
Ref EmptyHoldRef(bool first, bool last, bool prevLoaded, bool nextLoaded) {
    if (first) return nextLoaded ? Ref::FullFore : Ref::None;
    if (last) return prevLoaded ? Ref::FullAft : Ref::None;
    if (prevLoaded && nextLoaded) return Ref::Half;
    if (prevLoaded) return Ref::FullAft;
    if (nextLoaded) return Ref::FullFore;
    return Ref::None;
}

// Bulkhead correction of methods 2 (fill = weight) and 3 (fill = percent).
Ref QcBulkheadRef(const HoldView& v, int method, int h) {
    const bool first = h == 0, last = h == v.count - 1;
    auto fill = [&](int k) { return method == 2 ? v.w(k) : v.p(k); };
    if (fill(h) > 0) {
        const bool prevEmpty = !(fill(h - 1) > 0), nextEmpty = !(fill(h + 1) > 0);
        if (first) return nextEmpty || Differs(fill(h), fill(h + 1)) ? Ref::FullFore : Ref::None;
        if (last) return prevEmpty || Differs(fill(h), fill(h - 1)) ? Ref::FullAft : Ref::None;
        if (method == 3 && (prevEmpty || nextEmpty)) return Ref::Half;
        if (!prevEmpty && !nextEmpty) {
            const bool dp = Differs(fill(h), fill(h - 1)), dn = Differs(fill(h), fill(h + 1));
            if (dp && dn) return Ref::Half;
            if (dp) return Ref::FullAft;
            if (dn) return Ref::FullFore;
            return Ref::None;
        }
        if (prevEmpty && !nextEmpty) return Differs(fill(h), fill(h + 1)) ? Ref::Half : Ref::FullAft;
        if (nextEmpty && !prevEmpty) return Differs(fill(h), fill(h - 1)) ? Ref::Half : Ref::FullFore;
        return Ref::Half;
    }
    auto loaded = [&](int k) { return v.Exists(k) && (method == 2 ? v.w(k) + v.CI(k) > 0 : v.p(k) > 0); };
    return EmptyHoldRef(first, last, loaded(h - 1), loaded(h + 1));
}

Ref Method4BulkheadRef(const HoldView& v, int h) {
    const bool first = h == 0, last = h == v.count - 1;
    if (v.w(h) + v.T(h) > 0) return ByPosition(first, last);
    auto loaded = [&](int k) { return v.Exists(k) && v.w(k) + v.CI(k) + v.T(k) > 0; };
    return EmptyHoldRef(first, last, loaded(h - 1), loaded(h + 1));
}

Ref Method1Ref(const HoldView& v, int h) {
    const bool first = h == 0, last = h == v.count - 1;
    auto loaded = [&](int k) { return v.Exists(k) && v.w(k) != 0; };
    const bool prev = loaded(h - 1), next = loaded(h + 1);
    if (v.w(h) > 0) {
        if (first) return next ? Ref::None : Ref::FullFore;
        if (last) return prev ? Ref::None : Ref::FullAft;
        return Ref::Half;
    }
    return EmptyHoldRef(first, last, prev, next);
}

struct Pair {
    Extended L = 0, X = 0;
};
Pair PairOf(Ref ref, Extended A, Extended F) {
    switch (ref) {
        case Ref::FullFore: return {F - A, F};
        case Ref::FullAft: return {F - A, A};
        default: return {(F - A) / 2, (A + F) / 2};
    }
}

}  // namespace

const char* ShearCorrectionMethodName(int method) {
    switch (method) {
        case 0: return "(DNV)Qsl";
        case 1: return "(LR)Qa,Qb";
        case 2: return "(BV,DNV,...)Qc";
        case 3: return "(KR)Qc";
        case 4: return "(LR)Qc";
        default: return "";
    }
}

bool CorrectionSubtracts(int method) { return method == 0 || method == 4; }

namespace {

// How dQ runs over a hold.
enum class Shape { None, Linear, Distance, Flat, SignedDistance };

// The correction of one hold: dQ(x) from the shape, the signed magnitude C
// and the reference pair (L, X); method 4 takes its sign per end from the
// bulkhead forces (Diff = Qa - Qb) and the mid-length M.
struct HoldCorrection {
    Shape Kind = Shape::None;
    Ref Reference = Ref::None;
    Extended C = 0, L = 0, X = 0, M = 0, Diff = 0;

    EndPair At(Extended x1, Extended x2) const { return {Value(x1), Value(x2)}; }
    Extended Value(Extended x) const {
        switch (Kind) {
            case Shape::Linear: return (x - X) * C / L;
            case Shape::Distance: return C * std::fabs(x - X) / L;
            case Shape::Flat: return C;
            case Shape::SignedDistance: return Sign(x) * C * std::fabs(x - X) / L;
            default: return 0;
        }
    }
    int Sign(Extended x) const {
        if (Reference == Ref::FullFore) return Diff < 0 ? -1 : 1;
        if (Reference == Ref::FullAft) return Diff > 0 ? -1 : 1;
        if (x < M) return Diff < 0 ? -1 : 1;
        return Diff > 0 ? -1 : 1;
    }
};

int CorrectionHoldCount(const KvState& state) {
    return std::min<int>(state.ShipInfo.GroupCount[1], int(state.TankGroup.Groups[1].Tanks.size()));
}

// The first hold (group 0) that holds [x1, x2], or -1.
int HoldOfInterval(const KvState& state, Extended x1, Extended x2) {
    const auto& holds = state.TankGroup.Groups[0].Tanks;
    const int n0 = std::min<int>(state.ShipInfo.GroupCount[0], int(holds.size()));
    for (int k = 0; k < n0; ++k)
        if (CompareValues("<=", x2, holds[size_t(k)].ForeEnd) && CompareValues(">=", x1, holds[size_t(k)].AftEnd))
            return k;
    return -1;
}

HoldCorrection CorrectionOfHold(KvState& state, int method, const calcdata_rec& record, int h, bool flooded) {
    HoldCorrection hc;
    HoldView v{state, record, CorrectionHoldCount(state)};
    if (method < 0 || method > 4 || !v.Exists(h)) return hc;
    const tank_rec& comp = state.TankGroup.Groups[1].Tanks[size_t(h)];
    const Extended a = comp.SFFactors[0], b = comp.SFFactors[1], c = comp.SFFactors[2];
    const bool first = h == 0, last = h == v.count - 1;

    if (method == 0 || method == 1) {
        // The cargo compartment's own ends.
        const Extended A = comp.AftEnd, F = comp.ForeEnd;
        if (method == 0) {
            hc.C = ((a * v.T(h) + v.CI(h) + v.w(h)) * b - c * v.d(h)) / Gravity;
            hc.Reference = ByPosition(first, last);
        } else {
            if (!state.Calc.AltHoldLoading) return hc;
            hc.Reference = Method1Ref(v, h);
            if (hc.Reference == Ref::None) return hc;
            const Bulkheads q = BulkheadForces(state, A, F, flooded);
            hc.C = a * 0.5L * (q.Qa - q.Qb);
        }
        const Pair pr = PairOf(hc.Reference, A, F);
        if (!(pr.L > 0)) return hc;  // a hold of no length takes no correction
        hc.L = pr.L;
        hc.X = pr.X;
        hc.Kind = Shape::Linear;
        return hc;
    }

    // The Qc family, over the bale compartment's ends.
    const tank_rec& hold = state.TankGroup.Groups[0].Tanks[size_t(h)];
    const Extended A = hold.AftEnd, F = hold.ForeEnd;
    if (a * b == 0) return hc;  // no factors, no correction
    const Extended W = v.w(h) + v.CI(h) + (method == 2 ? v.TL(h) : v.T(h));
    Extended C = c * std::fabs(W / (a * b) - SeaWater * v.d(h));
    if (method == 3) C /= Gravity;

    if (state.ShipInfo.OptionOn(OptionContinuousCorrection))
        hc.Reference = ByPosition(first, last);
    else if (method == 4)
        hc.Reference = Method4BulkheadRef(v, h);
    else
        hc.Reference = QcBulkheadRef(v, method, h);
    if (hc.Reference == Ref::None || C == 0) return hc;
    const Pair pr = PairOf(hc.Reference, A, F);
    if (!(pr.L > 0)) return hc;
    hc.L = pr.L;
    hc.X = pr.X;
    const Bulkheads q = BulkheadForces(state, A, F, flooded);

    if (method == 4) {
        hc.C = C;
        hc.M = (A + F) / 2;
        hc.Diff = q.Qa - q.Qb;
        hc.Kind = Shape::SignedDistance;
    } else if (q.Qa * q.Qb >= 0) {
        // Bulkhead forces of one sign: against them, in full over the half
        // pair, growing from X otherwise.
        hc.C = q.Qa > 0 ? -C : C;
        hc.Kind = hc.Reference == Ref::Half ? Shape::Flat : Shape::Distance;
    } else {
        hc.C = q.Qa - q.Qb < 0 ? -C : C;
        hc.Kind = Shape::Linear;
    }
    return hc;
}

}  // namespace

EndPair ShearForceCorrection(KvState& state, int method, const calcdata_rec& record, Extended x1, Extended x2,
                             bool flooded) {
    const int h = HoldOfInterval(state, x1, x2);
    if (h < 0) return {};
    return CorrectionOfHold(state, method, record, h, flooded).At(x1, x2);
}

// The same for every interval of state.Strength, each hold's correction
// worked out once.
std::vector<EndPair> ShearForceCorrections(KvState& state, int method, const calcdata_rec& record, bool flooded) {
    const auto& intervals = state.Strength.Intervals;
    std::vector<EndPair> dq(intervals.size());
    std::vector<std::optional<HoldCorrection>> byHold(size_t(std::max(0, CorrectionHoldCount(state))));
    for (size_t i = 0; i < intervals.size(); ++i) {
        const int h = HoldOfInterval(state, intervals[i].X1, intervals[i].X2);
        if (h < 0 || size_t(h) >= byHold.size()) continue;
        auto& hc = byHold[size_t(h)];
        if (!hc) hc = CorrectionOfHold(state, method, record, h, flooded);
        dq[i] = hc->At(intervals[i].X1, intervals[i].X2);
    }
    return dq;
}

}  // namespace kv
