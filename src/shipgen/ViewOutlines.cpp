// views.json (lengths in metres; colours "#RRGGBB"):
//   { "colors": {"hull", "deck", "line", "hold", "tank", "deckArea", "tweenDeck"},
//     "profile": { "decks": [{"name", "z", "x1", "x2"}], "bulkheads": [{"name", "x"}],
//                  "holdBulkheads": true, "objects": [...] },
//     "section": { "x": 70.0, "objects": [...] },
//     "plan": { "deckAreaMargin": 0.5,
//               "tweenDecks": [{"group": 10, "suffix": "1ST T/D", "z": 8.46}, ...],
//               "objects": [...] } }
// An object: {"name", "closed", "color", "order", "points": [[a, b], ...]}
// with (x, z) in the profile, (y, z) in the section and (x, y) in the plan.
#include "shipgen/ViewOutlines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

#include "shipgen/Builders.h"

namespace kv::shipgen {

namespace {

using nlohmann::json;

// Drawing order of the object kinds; tanks count up from TankOrderBase so
// that a smaller footprint lies on top of a larger one.
constexpr float OrderHull = 1, OrderDeckArea = 2, OrderHold = 3, OrderTweenDeck = 4, OrderSectionTank = 4,
                OrderLines = 5, OrderObjects = 6, TankOrderBase = 10;

struct Colors {
    int32_t hull, deck, line, hold, tank, deckArea, tweenDeck;
};

int32_t ColorOr(const json& j, const char* key, const char* fallback) {
    return ParseColor(j.contains(key) ? j.at(key).get<std::string>() : std::string(fallback));
}

Colors ReadColors(const json& views) {
    json c = views.contains("colors") ? views.at("colors") : json::object();
    return {ColorOr(c, "hull", "#707070"),     ColorOr(c, "deck", "#C8C8C8"),  ColorOr(c, "line", "#000000"),
            ColorOr(c, "hold", "#F0F0F0"),     ColorOr(c, "tank", "#FFFFFF"),  ColorOr(c, "deckArea", "#E0E0E0"),
            ColorOr(c, "tweenDeck", "#E8E8E8")};
}

double Num(const json& j, const char* key, const std::string& where) {
    if (!j.contains(key) || !j.at(key).is_number())
        throw std::runtime_error("views: " + where + " needs the number \"" + key + "\"");
    return j.at(key).get<double>();
}

// Objects given point by point in the definition.
void AddGivenObjects(std::vector<object_rec>& out, const json& view) {
    if (!view.contains("objects")) return;
    for (const auto& o : view.at("objects")) {
        std::string name = o.at("name").get<std::string>();
        TPolygon2D pts;
        for (const auto& p : o.at("points")) {
            if (!p.is_array() || p.size() != 2) throw std::runtime_error("views: " + name + " has a point that is not a pair");
            pts.push_back({p[0].get<double>(), p[1].get<double>()});
        }
        bool closed = o.contains("closed") ? o.at("closed").get<bool>() : true;
        if (pts.size() < (closed ? 3u : 2u)) throw std::runtime_error("views: " + name + " has too few points");
        float order = o.contains("order") ? o.at("order").get<float>() : OrderObjects;
        int32_t color = ParseColor(o.contains("color") ? o.at("color").get<std::string>() : std::string("#000000"));
        out.push_back(MakeOutlineObject(name, order, -1, -1, closed, color, pts));
    }
}

// Sample positions over [x1, x2]: both ends and the hull's stations between.
std::vector<double> SampleX(const Hull& hull, double x1, double x2) {
    std::vector<double> xs{x1};
    for (double x : hull.IntegrationStations())
        if (x > x1 + 1e-6 && x < x2 - 1e-6) xs.push_back(x);
    xs.push_back(x2);
    return xs;
}

// Drops points that lie on the straight line through their neighbours.
TPolygon2D Simplify(const TPolygon2D& in, bool closed) {
    if (in.size() < 3) return in;
    TPolygon2D out;
    size_t n = in.size();
    for (size_t i = 0; i < n; ++i) {
        if (!closed && (i == 0 || i == n - 1)) {
            out.push_back(in[i]);
            continue;
        }
        const TPoint2D& a = in[(i + n - 1) % n];
        const TPoint2D& b = in[i];
        const TPoint2D& c = in[(i + 1) % n];
        double cross = (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
        double scale = std::hypot(c.X - a.X, c.Y - a.Y);
        if (std::fabs(cross) > 1e-6 * std::max(scale, 1.0)) out.push_back(b);
    }
    return out;
}

// Footprint in the plan: at each sample x the transverse range that
// yRange gives (false where there is nothing), starboard edge forward and
// port edge aft.
TPolygon2D Footprint(const Hull& hull, double x1, double x2,
                     const std::function<bool(double, double&, double&)>& yRange) {
    std::vector<TPoint2D> stbd, port;
    for (double x : SampleX(hull, x1, x2)) {
        double lo, hi;
        if (!yRange(x, lo, hi) || hi - lo < 1e-6) continue;
        stbd.push_back({x, hi});
        port.push_back({x, lo});
    }
    TPolygon2D poly(stbd.begin(), stbd.end());
    poly.insert(poly.end(), port.rbegin(), port.rend());
    return poly.size() >= 3 ? Simplify(poly, true) : TPolygon2D();
}

double PolygonArea(const TPolygon2D& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& u = p[i];
        const auto& v = p[(i + 1) % p.size()];
        a += u.X * v.Y - v.X * u.Y;
    }
    return std::fabs(a) / 2;
}

// Half-breadth of the deck at side; a little below the deck so that the
// closing deck line does not count.
double DeckHalfBreadth(const Hull& hull, double x) { return hull.HalfBreadth(x, hull.DeckZ(x) - 0.01); }

std::vector<object_rec> ProfileObjects(const Hull& hull, const json& views, const Colors& col,
                                       const std::vector<CompartmentOutline>& comps) {
    std::vector<object_rec> out;
    json pj = views.contains("profile") ? views.at("profile") : json::object();
    // Hull: deck line forward, keel line aft.
    std::vector<TPoint2D> top, bottom;
    for (double x : SampleX(hull, hull.XAft(), hull.XFore())) {
        Poly s = hull.Section(x);
        if (s.empty()) continue;
        double lo = 1e300, hi = -1e300;
        for (const auto& p : s) {
            lo = std::min(lo, p.z);
            hi = std::max(hi, p.z);
        }
        top.push_back({x, hi});
        bottom.push_back({x, lo});
    }
    TPolygon2D hullPoly(top.begin(), top.end());
    hullPoly.insert(hullPoly.end(), bottom.rbegin(), bottom.rend());
    out.push_back(MakeOutlineObject("HULL", OrderHull, -1, -1, true, col.hull, Simplify(hullPoly, true)));

    if (pj.contains("decks"))
        for (const auto& d : pj.at("decks")) {
            std::string name = d.at("name").get<std::string>();
            double z = Num(d, "z", name);
            out.push_back(MakeOutlineObject(name, OrderLines, -1, -1, false, col.line,
                                            {{Num(d, "x1", name), z}, {Num(d, "x2", name), z}}));
        }
    auto bulkhead = [&](const std::string& name, double x, double zLow) {
        double deck = hull.DeckZ(x);
        if (deck > zLow) out.push_back(MakeOutlineObject(name, OrderLines, -1, -1, false, col.line, {{x, zLow}, {x, deck}}));
    };
    if (pj.contains("bulkheads"))
        for (const auto& b : pj.at("bulkheads")) {
            std::string name = b.at("name").get<std::string>();
            double x = Num(b, "x", name);
            bulkhead(name, x, hull.KeelZ(x));
        }
    if (!pj.contains("holdBulkheads") || pj.at("holdBulkheads").get<bool>()) {
        // One bulkhead at each end of every hold, once per position; a
        // bulkhead between two holds takes the name of the first listed.
        std::set<long long> done;
        for (const auto& c : comps) {
            if (c.group != 1) continue;
            for (int end = 0; end < 2; ++end) {
                double x = end == 0 ? c.foreX : c.aftX;
                if (!done.insert(std::llround(x * 1000)).second) continue;
                bulkhead(c.name + (end == 0 ? " FWD BHD" : " AFT BHD"), x, c.zBottom);
            }
        }
    }
    AddGivenObjects(out, pj);
    return out;
}

std::vector<object_rec> SectionObjects(const Hull& hull, const json& views, const Colors& col,
                                       const std::vector<CompartmentOutline>& comps) {
    std::vector<object_rec> out;
    json sj = views.contains("section") ? views.at("section") : json::object();
    double x = sj.contains("x") ? sj.at("x").get<double>() : hull.Lbp() / 2;
    Poly sec = hull.Section(x);
    if (sec.empty()) throw std::runtime_error("views: the section x lies outside the hull");
    auto toPoly = [](const Poly& p) {
        TPolygon2D t;
        for (const auto& q : p) t.push_back({q.y, q.z});
        return Simplify(t, true);
    };
    out.push_back(MakeOutlineObject("MIDSHIP SECTION", OrderHull, -1, -1, true, col.hull, toPoly(sec)));
    for (const auto& c : comps) {
        if (c.group < 1 || c.group > 7 || !(c.aftX <= x && x <= c.foreX)) continue;
        Poly part = ClipBox(sec, std::min(c.y1, c.y2), std::max(c.y1, c.y2), c.zBottom, c.zTop);
        if (Properties(part).area < 1e-6) continue;
        float order = c.group == 1 ? OrderHold : OrderSectionTank;
        out.push_back(MakeOutlineObject(c.name, order, c.group, c.item, true, c.group == 1 ? col.hold : col.tank,
                                        toPoly(part)));
    }
    AddGivenObjects(out, sj);
    return out;
}

std::vector<object_rec> PlanObjects(const Hull& hull, const json& views, const Colors& col,
                                    const std::vector<CompartmentOutline>& comps) {
    std::vector<object_rec> out;
    json pj = views.contains("plan") ? views.at("plan") : json::object();
    double margin = pj.contains("deckAreaMargin") ? pj.at("deckAreaMargin").get<double>() : 0.0;

    TPolygon2D deck = Footprint(hull, hull.XAft(), hull.XFore(), [&](double x, double& lo, double& hi) {
        hi = DeckHalfBreadth(hull, x);
        lo = -hi;
        return hi > 0;
    });
    out.push_back(MakeOutlineObject("MAIN DECK", OrderHull, -1, -1, true, col.deck, deck));

    // Bale cargo levels: the deck over each compartment of group 0 ("ON
    // DECK"), and the tween decks of the holds of group 1.
    for (const auto& c : comps) {
        if (c.group != 0) continue;
        TPolygon2D area = Footprint(hull, c.aftX, c.foreX, [&](double x, double& lo, double& hi) {
            hi = DeckHalfBreadth(hull, x) - margin;
            lo = -hi;
            return hi > 0;
        });
        if (area.size() >= 3) out.push_back(MakeOutlineObject(c.name, OrderDeckArea, 0, c.item, true, col.deckArea, area));
    }
    auto boxFootprint = [&](const CompartmentOutline& c) {
        double y1 = std::min(c.y1, c.y2), y2 = std::max(c.y1, c.y2);
        return Footprint(hull, c.aftX, c.foreX, [&](double x, double& lo, double& hi) {
            Poly part = ClipBox(hull.Section(x), y1, y2, c.zBottom, c.zTop);
            if (part.size() < 3) return false;
            lo = 1e300;
            hi = -1e300;
            for (const auto& p : part) {
                lo = std::min(lo, p.y);
                hi = std::max(hi, p.y);
            }
            return true;
        });
    };
    for (const auto& c : comps) {
        if (c.group != 1) continue;
        TPolygon2D fp = boxFootprint(c);
        if (fp.size() >= 3) out.push_back(MakeOutlineObject(c.name, OrderHold, 1, c.item, true, col.hold, fp));
    }
    if (pj.contains("tweenDecks"))
        for (const auto& td : pj.at("tweenDecks")) {
            int32_t group = td.at("group").get<int32_t>();
            std::string suffix = td.at("suffix").get<std::string>();
            double z = Num(td, "z", suffix);
            for (const auto& c : comps) {
                if (c.group != 1 || z <= c.zBottom || z >= c.zTop) continue;
                double y1 = std::min(c.y1, c.y2), y2 = std::max(c.y1, c.y2);
                TPolygon2D fp = Footprint(hull, c.aftX, c.foreX, [&](double x, double& lo, double& hi) {
                    double hb = hull.HalfBreadth(x, z);
                    lo = std::max(y1, -hb);
                    hi = std::min(y2, hb);
                    return hi > lo;
                });
                if (fp.size() >= 3)
                    out.push_back(MakeOutlineObject(c.name + " " + suffix, OrderTweenDeck, group, c.item, true,
                                                    col.tweenDeck, fp));
            }
        }

    // Tanks of groups 2 to 7: the smaller the footprint, the higher it lies.
    struct TankFp {
        const CompartmentOutline* c;
        TPolygon2D fp;
        double area;
    };
    std::vector<TankFp> tanks;
    for (const auto& c : comps) {
        if (c.group < 2 || c.group > 7) continue;
        TPolygon2D fp = boxFootprint(c);
        if (fp.size() >= 3) tanks.push_back({&c, fp, PolygonArea(fp)});
    }
    std::stable_sort(tanks.begin(), tanks.end(), [](const TankFp& a, const TankFp& b) { return a.area > b.area; });
    for (size_t i = 0; i < tanks.size(); ++i)
        out.push_back(MakeOutlineObject(tanks[i].c->name, TankOrderBase + float(i), tanks[i].c->group, tanks[i].c->item,
                                        true, col.tank, tanks[i].fp));
    AddGivenObjects(out, pj);
    return out;
}

}  // namespace

int32_t ParseColor(const std::string& text) {
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        throw std::runtime_error("views: colour \"" + text + "\" is not #RRGGBB");
    unsigned long rgb = std::stoul(text.substr(1), nullptr, 16);
    unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return int32_t(r | (g << 8) | (b << 16));
}

object_rec MakeOutlineObject(const std::string& name, float order, int32_t group, int32_t item, bool closed,
                             int32_t color, const TPolygon2D& points) {
    object_rec o;
    o.ObjName.set(name);
    o.ObjOrder = order;
    o.ObjGroup = group;
    o.ObjItem = item;
    o.ObjLink = -1;
    o.ObjClosed = closed ? 1 : 0;
    o.ObjColor = color;
    o.PointCount = int32_t(points.size());
    o.Outline = points;
    uint8_t* h = o.Head.data();
    PutShort(h, ObjNameOffset, o.ObjName);
    PutSingle(h, ObjOrderOffset, o.ObjOrder);
    PutInt32(h, ObjGroupOffset, o.ObjGroup);
    PutInt32(h, ObjItemOffset, o.ObjItem);
    PutInt32(h, ObjLinkOffset, o.ObjLink);
    h[ObjClosedOffset] = o.ObjClosed;
    PutInt32(h, ObjColorOffset, o.ObjColor);
    PutInt32(h, PointCountOffset, o.PointCount);
    return o;
}

ViewOutlines BuildViewOutlines(const Hull& hull, const nlohmann::json& viewsJson,
                               const std::vector<CompartmentOutline>& compartments) {
    Colors col = ReadColors(viewsJson);
    ViewOutlines v;
    v.Profile = ProfileObjects(hull, viewsJson, col, compartments);
    v.Section = SectionObjects(hull, viewsJson, col, compartments);
    v.Plan = PlanObjects(hull, viewsJson, col, compartments);
    return v;
}

}  // namespace kv::shipgen
