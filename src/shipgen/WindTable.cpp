// wind.json:
//   { "displacement": {"from": 6000, "to": 28000, "step": 1000},   // t, rows of the table
//     "stripWidth": 0.25,                                          // m, optional
//     "boxHeight": 2.591,        // optional: height of a deck box, default that of the layout
//     "blocks": [ {"name": "ACCOMMODATION", "x1": 4.0, "x2": 20.0, "z1": 13.8, "z2": 28.0}, ... ] }
// Blocks are side-view rectangles above the hull (superstructure, funnel,
// hatch coamings, cranes, masts); overlapping blocks count once.
#include "shipgen/WindTable.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "shipgen/Builders.h"

namespace kv::shipgen {

namespace {

using nlohmann::json;

double Num(const json& j, const char* key, const std::string& where) {
    if (!j.contains(key) || !j.at(key).is_number())
        throw std::runtime_error("wind: " + where + " needs the number \"" + key + "\"");
    return j.at(key).get<double>();
}

struct Block {
    double x1, x2, z1, z2;
};

std::vector<std::pair<double, double>> Merge(std::vector<std::pair<double, double>> v) {
    std::sort(v.begin(), v.end());
    std::vector<std::pair<double, double>> out;
    for (const auto& iv : v) {
        if (iv.second <= iv.first) continue;
        if (!out.empty() && iv.first <= out.back().second)
            out.back().second = std::max(out.back().second, iv.second);
        else
            out.push_back(iv);
    }
    return out;
}

}  // namespace

SideProfile::SideProfile(const Hull& hull, const nlohmann::json& windJson, const std::vector<DeckStackProfile>& stacks,
                         int deckTierLevel, double boxHeight) {
    std::vector<Block> blocks;
    if (windJson.contains("blocks"))
        for (const auto& b : windJson.at("blocks")) {
            std::string name = b.contains("name") ? b.at("name").get<std::string>() : std::string("block");
            Block k{Num(b, "x1", name), Num(b, "x2", name), Num(b, "z1", name), Num(b, "z2", name)};
            if (k.x2 < k.x1) std::swap(k.x1, k.x2);
            if (k.z2 < k.z1) std::swap(k.z1, k.z2);
            blocks.push_back(k);
        }
    // The deck stacks up to the tier level, each bay as one block.
    if (deckTierLevel >= 0)
        for (const auto& s : stacks) {
            double lo = 1e300, hi = -1e300;
            for (size_t j = 0; j < s.hasSlot.size() && int(j) <= deckTierLevel; ++j) {
                if (!s.hasSlot[j]) continue;
                lo = std::min(lo, s.floorZ[j]);
                hi = std::max(hi, s.floorZ[j] + boxHeight);
            }
            if (hi > lo) blocks.push_back({s.aftX, s.foreX, lo, hi});
        }

    double step = windJson.contains("stripWidth") ? windJson.at("stripWidth").get<double>() : 0.25;
    if (!(step > 0)) throw std::runtime_error("wind: \"stripWidth\" must be positive");
    double xMin = hull.XAft(), xMax = hull.XFore();
    for (const auto& b : blocks) {
        xMin = std::min(xMin, b.x1);
        xMax = std::max(xMax, b.x2);
    }
    // Strip edges: a regular grid plus every block edge, so that a block
    // covers whole strips and the hull is sampled at the strip middles.
    std::vector<double> edges;
    int n = int(std::ceil((xMax - xMin) / step));
    for (int i = 0; i <= n; ++i) edges.push_back(std::min(xMax, xMin + i * step));
    for (const auto& b : blocks) {
        edges.push_back(b.x1);
        edges.push_back(b.x2);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end(), [](double a, double b) { return b - a < 1e-9; }), edges.end());

    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        Strip s;
        s.width = edges[i + 1] - edges[i];
        double xm = (edges[i] + edges[i + 1]) / 2;
        std::vector<std::pair<double, double>> iv;
        s.hullLo = 0;
        s.hullHi = -1;
        Poly sec = hull.Section(xm);
        if (!sec.empty()) {
            double lo = 1e300, hi = -1e300;
            for (const auto& p : sec) {
                lo = std::min(lo, p.z);
                hi = std::max(hi, p.z);
            }
            s.hullLo = lo;
            s.hullHi = hi;
            iv.push_back({lo, hi});
        }
        for (const auto& b : blocks)
            if (b.x1 <= xm && xm <= b.x2) iv.push_back({b.z1, b.z2});
        s.z = Merge(iv);
        if (!s.z.empty()) strips_.push_back(std::move(s));
    }
}

LateralArea SideProfile::At(double draft) const {
    LateralArea a;
    double mAbove = 0, mBelow = 0;
    for (const auto& s : strips_) {
        for (const auto& [lo, hi] : s.z) {
            double l = std::max(lo, draft);
            if (hi > l) {
                a.area += s.width * (hi - l);
                mAbove += s.width * (hi * hi - l * l) / 2;
            }
            double h = std::min(hi, draft);
            if (h > lo) {
                a.underwaterArea += s.width * (h - lo);
                mBelow += s.width * (h * h - lo * lo) / 2;
            }
        }
        if (s.hullLo < draft && draft < s.hullHi) a.lwl += s.width;
    }
    a.centreZ = a.area > 0 ? mAbove / a.area : draft;
    // Without a wetted profile the lever is taken to half the draft.
    a.underwaterZ = a.underwaterArea > 0 ? mBelow / a.underwaterArea : draft / 2;
    a.lever = a.centreZ - a.underwaterZ;
    return a;
}

xyztable_rec BuildWindTable(const Hull& hull, const nlohmann::json& windJson, const nlohmann::json& containersJson) {
    continfo_rec geo;
    geo.bays = BuildBays(hull, containersJson, geo);
    std::vector<DeckStackProfile> stacks = DeckStacks(geo);
    double boxHeight = windJson.contains("boxHeight") ? windJson.at("boxHeight").get<double>()
                                                      : LayoutBoxHeight(containersJson);

    if (!windJson.contains("displacement")) throw std::runtime_error("wind: \"displacement\" rows are needed");
    const json& d = windJson.at("displacement");
    double from = Num(d, "from", "displacement"), to = Num(d, "to", "displacement"),
           stepD = Num(d, "step", "displacement");
    if (!(stepD > 0) || !(to > from)) throw std::runtime_error("wind: displacement rows must ascend");
    std::vector<double> disps;
    for (int i = 0;; ++i) {
        double v = from + i * stepD;
        if (v > to + 1e-9) break;
        disps.push_back(v);
    }
    if (disps.back() < to - 1e-9) disps.push_back(to);
    std::vector<double> drafts;
    for (double v : disps) drafts.push_back(DraftAtDisplacement(hull, v, 0.0));

    // One layer per deck tier level: level k holds boxes in the deck tiers
    // 0..k. Level 0 also stands for an empty deck (the program cannot tell
    // the two apart), so it carries the lowest tier: the larger area.
    int levels = std::max(1, int(geo.tier_count[OnDeck]));
    static const char* const kCols[] = {"DISP", "DRAFT", "AREA", "LEVER", "LWL"};
    xyztable_rec t;
    t.Title.set("WIND AREA AND LEVER");
    t.Resize(5, int32_t(disps.size()), levels);
    for (int c = 0; c < 5; ++c) t.ColHeads[size_t(c + 1)].set(kCols[c]);
    for (int k = 0; k < levels; ++k) {
        t.LayerHeads[size_t(k + 1)].set(std::to_string(k) + "TIER");
        SideProfile profile(hull, windJson, stacks, k, boxHeight);
        for (size_t r = 0; r < disps.size(); ++r) {
            LateralArea a = profile.At(drafts[r]);
            auto& L = t.Values[size_t(k + 1)];
            L[1][r + 1] = disps[r];
            L[2][r + 1] = drafts[r];
            L[3][r + 1] = a.area;
            L[4][r + 1] = a.lever;
            L[5][r + 1] = a.lwl;
        }
    }
    return t;
}

}  // namespace kv::shipgen
