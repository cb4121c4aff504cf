#include "shipgen/Compartments.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "shipgen/ShipDefinition.h"

namespace kv::shipgen {

using nlohmann::json;

namespace {

std::array<double, 2> Range(const json& j, const std::string& key, const std::string& where) {
    const json& v = Member(j, key, where);
    if (!v.is_array() || v.size() != 2 || !v[0].is_number() || !v[1].is_number())
        throw DefinitionError(where + ": \"" + key + "\" must be [from, to]");
    double a = v[0].get<double>(), b = v[1].get<double>();
    if (!(b > a)) throw DefinitionError(where + ": \"" + key + "\" must ascend");
    return {a, b};
}

TankPart ParsePart(const json& j, const std::string& where) {
    TankPart p;
    auto x = Range(j, "x", where), y = Range(j, "y", where), z = Range(j, "z", where);
    p.xa = x[0]; p.xf = x[1]; p.ya = y[0]; p.yb = y[1]; p.za = z[0]; p.zb = z[1];
    p.hull = j.value("hull", true);
    if (j.contains("cuts"))
        for (const json& c : Array(j, "cuts", where)) {
            if (!c.is_array() || c.size() != 3) throw DefinitionError(where + ": a cut is [a, b, c]");
            p.cuts.push_back({c[0].get<double>(), c[1].get<double>(), c[2].get<double>()});
        }
    return p;
}

Compartment ParseTank(const json& j, int group, const std::string& file) {
    Compartment c;
    c.group = group;
    c.name = Text(j, "name", file);
    const std::string where = file + " \"" + c.name + "\"";
    if (c.name.size() > 50) throw DefinitionError(where + ": name longer than 50 characters");
    for (const json& p : Array(j, "parts", where)) c.parts.push_back(ParsePart(p, where));
    if (c.parts.empty()) throw DefinitionError(where + ": no parts");
    if (j.contains("pipe")) {
        const json& pp = j.at("pipe");
        if (!pp.is_array() || pp.size() != 2) throw DefinitionError(where + ": \"pipe\" must be [x, y]");
        c.pipeX = pp[0].get<double>();
        c.pipeY = pp[1].get<double>();
        c.hasPipe = true;
    }
    c.sg = group == 1 ? NumOr(j, "sg", 1.0, where) : Num(j, "sg", where);
    c.pumpRate = NumOr(j, "pumpRate", 0.0, where);
    c.fsmReduction = NumOr(j, "fsmReduction", 0.0, where);
    c.underHold = NumOr(j, "underHold", 0.0, where);
    if (c.fsmReduction < 0 || c.fsmReduction > 1) throw DefinitionError(where + ": fsmReduction outside 0..1");
    return c;
}

}  // namespace

Arrangement ParseArrangement(const json& j) {
    const std::string file = "compartments.json";
    Arrangement a;
    const json& names = Array(j, "groupNames", file);
    if (names.size() != 9) throw DefinitionError(file + ": \"groupNames\" needs nine names (groups 0..8)");
    for (size_t g = 0; g < 9; ++g) {
        a.groupNames[g] = names[g].get<std::string>();
        if (a.groupNames[g].size() > 50) throw DefinitionError(file + ": group name longer than 50 characters");
    }
    for (const json& t : Array(j, "trims", file)) a.trims.push_back(t.get<double>());
    for (const json& h : Array(j, "heels", file)) a.heels.push_back(h.get<double>());
    auto ascending = [](const std::vector<double>& v) {
        return v.size() >= 2 && std::adjacent_find(v.begin(), v.end(), std::greater_equal<double>()) == v.end();
    };
    if (!ascending(a.trims) || !ascending(a.heels))
        throw DefinitionError(file + ": \"trims\" and \"heels\" need at least two ascending values");

    const json& grainDefaults = j.contains("grain") ? j.at("grain") : json::object();
    double sfShare = NumOr(j, "sfCorrectionShare", 0.3, file);
    for (const json& h : Array(j, "holds", file)) {
        Compartment hold = ParseTank(h, 1, file);
        // Holds read their ullage at mid-length on the centre line unless told.
        if (!h.contains("pipe")) {
            hold.pipeX = 0.5 * (hold.parts.front().xa + hold.parts.front().xf);
            hold.pipeY = 0.5 * (hold.parts.front().ya + hold.parts.front().yb);
            hold.hasPipe = true;
        }
        const std::string where = file + " \"" + hold.name + "\"";
        const json& gr = h.contains("grain") ? h.at("grain") : grainDefaults;
        hold.grain.trimmedVoid = NumOr(gr, "trimmedVoid", 0.15, where);
        hold.grain.untrimmedVoid = NumOr(gr, "untrimmedVoid", 0.6, where);
        hold.grain.slackFactor = NumOr(gr, "slackFactor", 1.12, where);
        // Shear force correction factors: hold length, breadth of the tank
        // top, and the share of the net bottom load that the bulkheads take
        // times that area.
        const TankPart& lower = hold.parts.front();
        double len = lower.xf - lower.xa, br = lower.yb - lower.ya;
        hold.sfFactors = {len, br, sfShare * len * br};
        if (h.contains("sfFactors")) {
            const json& f = h.at("sfFactors");
            if (!f.is_array() || f.size() != 3) throw DefinitionError(where + ": \"sfFactors\" is [a, b, c]");
            hold.sfFactors = {f[0].get<double>(), f[1].get<double>(), f[2].get<double>()};
        }
        Compartment bale = hold;
        bale.group = 0;
        a.groups[0].push_back(bale);
        a.groups[1].push_back(hold);
    }
    for (const json& t : Array(j, "tanks", file)) {
        int g = Int(t, "group", file);
        if (g < 2 || g > 7) throw DefinitionError(file + ": tank group must be 2..7");
        a.groups[size_t(g)].push_back(ParseTank(t, g, file));
    }
    for (const json& c : Array(j, "constants", file)) {
        Compartment k;
        k.group = 8;
        k.name = Text(c, "name", file);
        auto x = Range(c, "x", file + " \"" + k.name + "\"");
        const std::string where = file + " \"" + k.name + "\"";
        k.constAftX = x[0];
        k.constForeX = x[1];
        k.constWeight = NumOr(c, "weight", 0.0, where);
        k.constLcg = NumOr(c, "lcg", 0.5 * (x[0] + x[1]), where);
        k.constTcg = NumOr(c, "tcg", 0.0, where);
        k.constVcg = NumOr(c, "vcg", 0.0, where);
        if (k.constWeight < 0) throw DefinitionError(where + ": negative weight");
        a.groups[8].push_back(k);
    }
    for (const auto& grp : a.groups)
        for (size_t i = 0; i < grp.size(); ++i)
            for (size_t k = i + 1; k < grp.size(); ++k)
                if (grp[i].name == grp[k].name)
                    throw DefinitionError(file + ": two items named \"" + grp[i].name + "\" in one group");
    return a;
}

std::vector<Poly> PartSection(const Hull& hull, const TankPart& p, double x) {
    if (x < p.xa - 1e-9 || x > p.xf + 1e-9) return {};
    Poly poly;
    if (p.hull) {
        poly = ClipBox(hull.Section(x), p.ya, p.yb, p.za, p.zb);
    } else {
        poly = {{p.ya, p.za}, {p.yb, p.za}, {p.yb, p.zb}, {p.ya, p.zb}};
    }
    for (const auto& c : p.cuts) {
        if (poly.size() < 3) break;
        poly = ClipHalfPlane(poly, c[0], c[1], c[2]);
    }
    if (poly.size() < 3) return {};
    return {poly};
}

bool PartContains(const Hull& hull, const TankPart& p, double x, double y, double z) {
    if (x < p.xa || x > p.xf || y < p.ya || y > p.yb || z < p.za || z > p.zb) return false;
    for (const auto& c : p.cuts)
        if (c[0] * y + c[1] * z > c[2]) return false;
    if (!p.hull) return true;
    if (z > hull.DeckZ(x) || z < hull.KeelZ(x)) return false;
    return std::fabs(y) <= hull.HalfBreadth(x, z);
}

TankShape::TankShape(const Hull& hull, const Compartment& c, double maxStep) {
    const auto& hs = hull.IntegrationStations();
    double inf = std::numeric_limits<double>::infinity();
    xMin_ = yMin_ = zMin_ = inf;
    xMax_ = yMax_ = zMax_ = -inf;
    for (const TankPart& p : c.parts) {
        // Stations: the part's ends, the hull stations inside, then split so
        // that no step exceeds maxStep.
        std::vector<double> xs{p.xa, p.xf};
        for (double x : hs)
            if (x > p.xa + 1e-6 && x < p.xf - 1e-6) xs.push_back(x);
        std::sort(xs.begin(), xs.end());
        std::vector<double> fine;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            int n = std::max(1, int(std::ceil((xs[i + 1] - xs[i]) / maxStep - 1e-9)));
            for (int k = 0; k < n; ++k) fine.push_back(xs[i] + (xs[i + 1] - xs[i]) * k / n);
        }
        fine.push_back(xs.back());
        for (size_t i = 0; i < fine.size(); ++i) {
            double w = 0;
            if (i > 0) w += 0.5 * (fine[i] - fine[i - 1]);
            if (i + 1 < fine.size()) w += 0.5 * (fine[i + 1] - fine[i]);
            Slice s{fine[i], w, PartSection(hull, p, fine[i])};
            for (const Poly& poly : s.polys)
                for (const Pt& q : poly) {
                    yMin_ = std::min(yMin_, q.y); yMax_ = std::max(yMax_, q.y);
                    zMin_ = std::min(zMin_, q.z); zMax_ = std::max(zMax_, q.z);
                }
            if (!s.polys.empty()) {
                xMin_ = std::min(xMin_, s.x);
                xMax_ = std::max(xMax_, s.x);
            }
            slices_.push_back(std::move(s));
        }
    }
    if (!(xMax_ >= xMin_)) throw DefinitionError("\"" + c.name + "\" lies outside the hull");
}

TankShape::Fill TankShape::Below(double z0, double x0, double y0, double sx, double sy) const {
    double v = 0, mx = 0, my = 0, mz = 0;
    for (const Slice& s : slices_) {
        if (s.w == 0) continue;
        // z - sy*y <= z0 + sx*(x - x0) - sy*y0
        double c = z0 + sx * (s.x - x0) - sy * y0;
        for (const Poly& p : s.polys) {
            SectionProps pr = Properties(ClipHalfPlane(p, -sy, 1.0, c));
            v += s.w * pr.area;
            mx += s.w * pr.area * s.x;
            my += s.w * pr.my;
            mz += s.w * pr.mz;
        }
    }
    Fill f;
    f.volume = v;
    if (v > 0) { f.lcg = mx / v; f.tcg = my / v; f.vcg = mz / v; }
    return f;
}

Pt TankShape::SoundingPoint(double& x) const {
    for (const Slice& s : slices_) {
        double lo = std::numeric_limits<double>::infinity();
        for (const Poly& p : s.polys)
            for (const Pt& q : p) lo = std::min(lo, q.z);
        if (lo > zMin_ + 0.01) continue;
        // Middle of the floor of this slice.
        double y1 = std::numeric_limits<double>::infinity(), y2 = -y1;
        for (const Poly& p : s.polys)
            for (const Pt& q : p)
                if (q.z <= lo + 0.01) { y1 = std::min(y1, q.y); y2 = std::max(y2, q.y); }
        x = std::min(s.x + 0.3 * (s.x <= xMin_ + 1e-9 ? 1 : 0), xMax_);
        return {0.5 * (y1 + y2), lo};
    }
    x = xMin_;
    return {0.5 * (yMin_ + yMax_), zMin_};
}

// A level that falls exactly on a horizontal boundary (a part's top meeting
// the next part's floor) would see both edges; the surface is taken just
// below the level.
constexpr double kSurfaceNudge = 1e-6;

double TankShape::SurfaceInertia(double z) const {
    z -= kSurfaceNudge;
    double a = 0, my = 0, iyy = 0;
    for (const Slice& s : slices_)
        for (const Poly& p : s.polys) {
            ChordProps ch = ChordOnLine(p, 0.0, 1.0, z);
            a += s.w * ch.length;
            my += s.w * ch.my;
            iyy += s.w * ch.iyy;
        }
    if (a <= 0) return 0;
    return std::max(0.0, iyy - my * my / a);
}

double TankShape::SurfaceArea(double z) const {
    z -= kSurfaceNudge;
    double a = 0;
    for (const Slice& s : slices_)
        for (const Poly& p : s.polys) a += s.w * ChordOnLine(p, 0.0, 1.0, z).length;
    return a;
}

}  // namespace kv::shipgen
