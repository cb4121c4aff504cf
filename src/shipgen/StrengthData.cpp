#include "shipgen/StrengthData.h"

#include <algorithm>
#include <cmath>

namespace kv::shipgen {

using nlohmann::json;

namespace {

allowseg_rec Segment(double xa, double xf, double p1a, double p1f, double p2a, double p2f) {
    allowseg_rec s;
    s.AftX = xa; s.ForeX = xf;
    s.Pos1Aft = p1a; s.Pos1Fore = p1f;
    s.Pos2Aft = p2a; s.Pos2Fore = p2f;
    uint8_t* r = s.Raw.data();
    PutExt(r, 0, s.AftX); PutExt(r, 10, s.ForeX);
    PutExt(r, 56, s.Pos1Aft); PutExt(r, 66, s.Pos1Fore);
    PutExt(r, 112, s.Pos2Aft); PutExt(r, 122, s.Pos2Fore);
    return s;
}

// A curve of points [x, positive limit, magnitude of the negative limit],
// ascending in x, as segments between consecutive points. Shear force and
// bending moment store the positive limit first; the torsional moment the
// negative magnitude first.
std::vector<allowseg_rec> Curve(const json& set, const char* key, bool torsion, const std::string& where) {
    std::vector<allowseg_rec> segs;
    if (!set.contains(key)) return segs;
    const json& pts = Array(set, key, where);
    for (const json& p : pts)
        if (!p.is_array() || p.size() != 3) throw DefinitionError(where + " " + key + ": points are [x, pos, neg]");
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        double xa = pts[i][0].get<double>(), xf = pts[i + 1][0].get<double>();
        if (!(xf > xa)) throw DefinitionError(where + " " + key + ": x must ascend");
        double pa = pts[i][1].get<double>(), pf = pts[i + 1][1].get<double>();
        double na = pts[i][2].get<double>(), nf = pts[i + 1][2].get<double>();
        if (pa < 0 || pf < 0 || na < 0 || nf < 0)
            throw DefinitionError(where + " " + key + ": limits are given as magnitudes");
        segs.push_back(torsion ? Segment(xa, xf, na, nf, pa, pf) : Segment(xa, xf, pa, pf, na, nf));
    }
    return segs;
}

allow_rec AllowSet(const json& all, const char* name) {
    const std::string where = std::string("strength.json allowables ") + name;
    const json& set = Member(all, name, "strength.json allowables");
    allow_rec a;
    a.maxwgt = Num(set, "maxwgt", where);
    a.maxsf = Num(set, "maxsf", where);
    a.maxbm = Num(set, "maxbm", where);
    a.maxtm = Num(set, "maxtm", where);
    a.sfsegs = Curve(set, "sf", false, where);
    a.bmsegs = Curve(set, "bm", false, where);
    a.tmsegs = Curve(set, "tm", true, where);
    a.sfcount = int32_t(a.sfsegs.size());
    a.bmcount = int32_t(a.bmsegs.size());
    a.tmcount = int32_t(a.tmsegs.size());
    uint8_t* h = a.Head.data();
    PutExt(h, 0, a.maxwgt); PutExt(h, 16, a.maxsf); PutExt(h, 32, a.maxbm); PutExt(h, 48, a.maxtm);
    PutInt32(h, 60, a.sfcount); PutInt32(h, 64, a.bmcount); PutInt32(h, 68, a.tmcount);
    return a;
}

masspoint_rec Point(double draft, double mass) {
    masspoint_rec p;
    p.Draft = draft;
    p.Mass = mass;
    PutExt(p.Raw.data(), 0, p.Draft);
    PutExt(p.Raw.data(), 32, p.Mass);
    return p;
}

}  // namespace

classallow_rec BuildAllowables(const json& strength, const std::vector<FramePos>& frames) {
    classallow_rec ca;
    for (const json& r : Array(strength, "readouts", "strength.json")) {
        readout_rec ro;
        ro.Frame = Num(r, "frame", "strength.json readouts");
        ro.Side = Int(r, "side", "strength.json readouts");
        if (ro.Side != 0 && ro.Side != -1) throw DefinitionError("strength.json readouts: side must be 0 or -1");
        ro.PosMM = std::round(FrameToX(frames, double(ro.Frame)) * 1000.0);
        PutExt(ro.Raw.data(), 0, ro.Frame);
        PutExt(ro.Raw.data(), 16, ro.PosMM);
        PutInt32(ro.Raw.data(), 44, ro.Side);
        ca.readouts.push_back(ro);
    }
    const json& all = Member(strength, "allowables", "strength.json");
    ca.intact[0] = AllowSet(all, "intactSea");
    ca.intact[1] = AllowSet(all, "intactPort");
    ca.flooded[0] = AllowSet(all, "floodedSea");
    ca.flooded[1] = AllowSet(all, "floodedPort");
    return ca;
}

std::vector<cargomass_rec> BuildHoldMassCurves(const json& strength, const std::vector<HoldFloor>& holds) {
    const std::string where = "strength.json holdMass";
    const json& hm = Member(strength, "holdMass", "strength.json");
    const double load = Num(hm, "tankTopLoad", where);      // t/m2 of tank top, one hold, at the scantling draft
    const double pairDensity = Num(hm, "pairDensity", where);  // t/m3 of two adjacent holds' volume together
    const double ts = Num(hm, "scantlingDraft", where);     // m
    const double te = Num(hm, "emptyHoldDraft", where);     // m: deepest draft with one hold empty
    const double tePair = Num(hm, "emptyPairDraft", where);  // m: deepest draft with two adjacent holds empty
    const double harbour = Num(hm, "harbourAllowance", where);  // share of the one-hold design mass
    const double rho = 1.025;
    if (!(load > 0) || !(pairDensity > 0) || !(ts > 0) || te < 0 || tePair < 0 || tePair > te || harbour < 0)
        throw DefinitionError(where + ": loads and the scantling draft above 0, emptyPairDraft within 0 to "
                                      "emptyHoldDraft, harbourAllowance not negative");
    std::vector<double> drafts;
    for (const json& d : Array(hm, "drafts", where)) drafts.push_back(d.get<double>());
    if (drafts.size() < 2 || std::adjacent_find(drafts.begin(), drafts.end(), std::greater_equal<double>()) != drafts.end())
        throw DefinitionError(where + ": at least two ascending drafts");

    // At the scantling draft the bottom carries designMass against the full
    // outside pressure; at a smaller draft the outside water that holds the
    // bottom up is less by rho (Ts - T) per square metre of tank top. Above
    // the empty draft the outside pressure needs cargo on the tank top to
    // hold it down. The harbour curves widen both by a share of the one-hold
    // design mass (calm water, no dynamic loads).
    auto curves = [&](double designMass, double area, double emptyDraft, double widen) {
        massminmaxinfo_rec m;
        for (double t : drafts) {
            const double hi = std::max(0.0, designMass - rho * area * std::max(0.0, ts - t)) + widen;
            const double lo = std::max(0.0, rho * area * (t - emptyDraft) - widen);
            m.MaxCurve.push_back(Point(t, hi));
            m.MinCurve.push_back(Point(t, lo));
        }
        return m;
    };
    std::vector<cargomass_rec> out;
    for (size_t h = 0; h < holds.size(); ++h) {
        cargomass_rec c;
        const double one = load * holds[h].area;
        for (int k = 0; k < 2; ++k) {
            const double widen = k ? harbour * one : 0.0;
            c.OneHold[size_t(k)] = curves(one, holds[h].area, te, widen);
            if (h + 1 < holds.size()) {
                const HoldFloor& n = holds[h + 1];
                // Two adjacent holds: the hull girder over both and the
                // bulkhead between them take their volume at the pair
                // density (the homogeneous full load), and never more than
                // the two tank tops take alone.
                const double pair = std::min(pairDensity * (holds[h].volume + n.volume), one + load * n.area);
                const double widenPair = k ? harbour * (one + load * n.area) : 0.0;
                c.TwoHolds[size_t(k)] = curves(pair, holds[h].area + n.area, tePair, widenPair);
            }
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace kv::shipgen
