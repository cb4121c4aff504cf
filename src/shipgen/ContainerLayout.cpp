// containers.json (lengths in metres, x from the AP, y positive to starboard,
// z above base; format in ships/CONTAINERS_FORMAT.md):
//
//   { "rowPitch": 2.54, "boxHeight": 2.591,
//     "deck": { "rows": [...starboard to port...], "tiers": [...bottom up...],
//               "floorZ": 16.3, "sideMargin": 0.0,
//               "stackWeight20": 60, "stackWeight40": 90,
//               "obstructions": [{"name", "x1", "x2", "y1", "y2"}],
//               "sightLine": {"eyeX", "eyeZ", "seaX", "seaZ"} },
//     "hold": { "rows", "tiers", "floorZ", "sideClearance", "stackWeight20", "stackWeight40" },
//     "holds": [ {"name", "aftX", "foreX", "halfWidth", "ceilingZ", "bays": ["40", "20"],
//                 optional "hatch": {"aftX", "foreX", "halfWidth", "bottomZ"},
//                 optional "floorZ", "deckFloorZ"} ... fore to aft ] }
#include "shipgen/ContainerLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "shipgen/Builders.h"
#include "shipgen/DangerousGoods.h"
#include "shipgen/Ports.h"

namespace kv::shipgen {

namespace {

using nlohmann::json;

double Num(const json& j, const char* key, const std::string& where) {
    if (!j.contains(key) || !j.at(key).is_number())
        throw std::runtime_error("containers: " + where + " needs the number \"" + key + "\"");
    return j.at(key).get<double>();
}

double NumOr(const json& j, const char* key, double fallback) {
    return j.contains(key) && j.at(key).is_number() ? j.at(key).get<double>() : fallback;
}

struct RowSpec {
    std::string name;
    int number = 0;
    double y = 0;
};

// Row numbers: "00" on the centre line, odd numbers to starboard and even
// numbers to port, counted outwards. Without a centre row the rows next to
// the centre line stand half a pitch off it.
std::vector<RowSpec> ParseRows(const json& section, double pitch, const std::string& where) {
    std::vector<RowSpec> rows;
    if (!section.contains("rows")) throw std::runtime_error("containers: " + where + " needs \"rows\"");
    bool centre = false;
    for (const auto& r : section.at("rows")) {
        RowSpec s;
        s.name = r.get<std::string>();
        if (s.name.empty() || s.name.size() > 5 || s.name.find_first_not_of("0123456789") != std::string::npos)
            throw std::runtime_error("containers: " + where + " row \"" + s.name + "\" is not a row number");
        s.number = std::stoi(s.name);
        if (s.number == 0) centre = true;
        rows.push_back(s);
    }
    for (auto& s : rows) {
        if (s.number == 0) continue;
        double k = (s.number + 1) / 2;  // 1 for rows 01 and 02, 2 for 03 and 04 ...
        if (!centre) k -= 0.5;
        s.y = (s.number % 2 == 1 ? 1.0 : -1.0) * k * pitch;
    }
    // The segregation check counts rows by their index distance: the list
    // must run across the ship in one direction.
    for (size_t i = 1; i < rows.size(); ++i)
        if (!(rows[i].y < rows[i - 1].y))
            throw std::runtime_error("containers: " + where + " rows must run from starboard to port (row \"" +
                                     rows[i].name + "\")");
    return rows;
}

std::vector<std::string> ParseTiers(const json& section, const std::string& where) {
    std::vector<std::string> tiers;
    if (!section.contains("tiers")) throw std::runtime_error("containers: " + where + " needs \"tiers\"");
    for (const auto& t : section.at("tiers")) {
        std::string s = t.get<std::string>();
        if (s.empty() || s.size() > 5) throw std::runtime_error("containers: " + where + " tier \"" + s + "\" is not a tier label");
        tiers.push_back(s);
    }
    return tiers;
}

struct Rect {
    double x1, x2, y1, y2;
};

bool Overlaps(const Rect& a, const Rect& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

struct Layout {
    double boxHeight = 2.591;
    std::vector<RowSpec> deckRows, holdRows;
    std::vector<std::string> deckTiers, holdTiers;  // bottom up
    double deckFloor = 0, sideMargin = 0, holdFloor = 0, sideClearance = 0;
    double deckWeight20 = 0, deckWeight40 = 0, holdWeight20 = 0, holdWeight40 = 0;
    std::vector<Rect> obstructions;
    bool sight = false;
    double eyeX = 0, eyeZ = 0, seaX = 0, seaZ = 0;
};

struct HoldSpec {
    std::string name;
    double aftX, foreX, halfWidth, ceilingZ, floorZ, deckFloorZ;
    bool hatch = false;  // boxes reaching above hatchBottomZ stand in the hatchway
    double hatchAftX = 0, hatchForeX = 0, hatchHalfWidth = 0, hatchBottomZ = 0;
    std::vector<bool> bays40;  // from forward: a 40-ft bay with its 20-ft bays, or a lone 20-ft bay
};

std::string BayName(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

cellinfo_rec EmptySection(const std::vector<RowSpec>& rows, const std::vector<std::string>& tiersBottomUp,
                          double weight) {
    cellinfo_rec s;
    for (const auto& r : rows) {
        s.row_names.emplace_back(r.name);
        s.row_max_weight.push_back(float(weight));
        s.row_value.push_back(r.number);
    }
    for (auto it = tiersBottomUp.rbegin(); it != tiersBottomUp.rend(); ++it) s.tier_names.emplace_back(*it);
    s.cells.assign(rows.size(), std::vector<cell_rec>(tiersBottomUp.size()));
    return s;
}

// Deck slot: on the hatch covers above the deck, inside the deck edge, clear
// of the cranes and below the line of sight from the bridge.
bool DeckSlotFits(const Hull& hull, const Layout& l, double x, double len, double y, double floor) {
    double top = floor + l.boxHeight;
    double half = BoxWidth / 2;
    for (double xe : {x - len / 2, x + len / 2}) {
        double deck = hull.DeckZ(xe);
        if (floor < deck) return false;
        if (std::fabs(y) + half + l.sideMargin > hull.HalfBreadth(xe, deck - 0.01)) return false;
    }
    Rect box{x - len / 2, x + len / 2, y - half, y + half};
    for (const auto& o : l.obstructions)
        if (Overlaps(box, o)) return false;
    if (l.sight && x + len / 2 > l.eyeX) {
        double xf = x + len / 2;
        double line = l.eyeZ + (l.seaZ - l.eyeZ) * (xf - l.eyeX) / (l.seaX - l.eyeX);
        if (top > line) return false;
    }
    return true;
}

// Hold slot: within the hold's length, width and height, inside the hull at
// both ends of the box (at its floor, mid-height and top, or the deck where
// the box reaches above it) and within the hatchway above the hatch bottom.
bool HoldSlotFits(const Hull& hull, const Layout& l, const HoldSpec& h, double x, double len, double y, double floor) {
    double top = floor + l.boxHeight;
    double side = std::fabs(y) + BoxWidth / 2;
    if (x - len / 2 < h.aftX - 1e-9 || x + len / 2 > h.foreX + 1e-9) return false;
    if (top > h.ceilingZ || side > h.halfWidth) return false;
    if (h.hatch && top > h.hatchBottomZ &&
        (x - len / 2 < h.hatchAftX - 1e-9 || x + len / 2 > h.hatchForeX + 1e-9 || side > h.hatchHalfWidth))
        return false;
    // Up to the deck the hull bounds the box; above it the hatchway does.
    for (double xe : {x - len / 2, x + len / 2}) {
        double deck = hull.DeckZ(xe) - 0.01;
        for (double z : {floor, (floor + top) / 2, top})
            if (side + l.sideClearance > hull.HalfBreadth(xe, std::min(z, deck))) return false;
    }
    return true;
}

baycell_rec MakeBay(const Hull& hull, const Layout& l, const HoldSpec& h, int number, int32_t kind, double x) {
    baycell_rec bay;
    bay.bay_name.set(BayName(number));
    bay.bay_kind = kind;
    double len = BayBoxLength(kind);
    bool is40 = Is40ftBayKind(kind);
    bay.sections[OnDeck] = EmptySection(l.deckRows, l.deckTiers, is40 ? l.deckWeight40 : l.deckWeight20);
    bay.sections[InHold] = EmptySection(l.holdRows, l.holdTiers, is40 ? l.holdWeight40 : l.holdWeight20);

    auto fill = [&](cellinfo_rec& s, const std::vector<RowSpec>& rows, size_t tierCount, double floor0, bool deck) {
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t j = 0; j < tierCount; ++j) {  // j counts from the bottom
                double floor = floor0 + double(j) * l.boxHeight;
                cell_rec& c = s.cells[r][tierCount - 1 - j];
                c.x = x;
                c.y = rows[r].y;
                c.z = floor + SlotVcgAboveFloor;
                bool fits = deck ? DeckSlotFits(hull, l, x, len, rows[r].y, floor)
                                 : HoldSlotFits(hull, l, h, x, len, rows[r].y, floor);
                c.state = fits ? 1 : 0;
            }
    };
    fill(bay.sections[OnDeck], l.deckRows, l.deckTiers.size(), h.deckFloorZ, true);
    fill(bay.sections[InHold], l.holdRows, l.holdTiers.size(), h.floorZ, false);
    return bay;
}

}  // namespace

double BayBoxLength(int32_t kind) { return Is40ftBayKind(kind) ? Box40Length : Box20Length; }

double LayoutBoxHeight(const nlohmann::json& containersJson) { return NumOr(containersJson, "boxHeight", 2.591); }

bay_rec BuildBays(const Hull& hull, const nlohmann::json& cj, continfo_rec& counts) {
    Layout l;
    l.boxHeight = LayoutBoxHeight(cj);
    double pitch = NumOr(cj, "rowPitch", 2.54);
    if (pitch < BoxWidth) throw std::runtime_error("containers: \"rowPitch\" is less than a box width");
    if (l.boxHeight < BoxHeight8ft) throw std::runtime_error("containers: \"boxHeight\" is less than 8 ft");
    if (!cj.contains("deck") || !cj.contains("hold") || !cj.contains("holds"))
        throw std::runtime_error("containers: \"deck\", \"hold\" and \"holds\" are needed");
    const json& deck = cj.at("deck");
    const json& hold = cj.at("hold");
    l.deckRows = ParseRows(deck, pitch, "deck");
    l.holdRows = ParseRows(hold, pitch, "hold");
    l.deckTiers = ParseTiers(deck, "deck");
    l.holdTiers = ParseTiers(hold, "hold");
    l.deckFloor = Num(deck, "floorZ", "deck");
    l.sideMargin = NumOr(deck, "sideMargin", 0.0);
    l.holdFloor = Num(hold, "floorZ", "hold");
    l.sideClearance = NumOr(hold, "sideClearance", 0.0);
    l.deckWeight20 = Num(deck, "stackWeight20", "deck");
    l.deckWeight40 = Num(deck, "stackWeight40", "deck");
    l.holdWeight20 = Num(hold, "stackWeight20", "hold");
    l.holdWeight40 = Num(hold, "stackWeight40", "hold");
    if (deck.contains("obstructions"))
        for (const auto& o : deck.at("obstructions")) {
            Rect r{Num(o, "x1", "obstruction"), Num(o, "x2", "obstruction"), Num(o, "y1", "obstruction"),
                   Num(o, "y2", "obstruction")};
            if (r.x2 < r.x1) std::swap(r.x1, r.x2);
            if (r.y2 < r.y1) std::swap(r.y1, r.y2);
            l.obstructions.push_back(r);
        }
    if (deck.contains("sightLine")) {
        const json& s = deck.at("sightLine");
        l.sight = true;
        l.eyeX = Num(s, "eyeX", "sightLine");
        l.eyeZ = Num(s, "eyeZ", "sightLine");
        l.seaX = Num(s, "seaX", "sightLine");
        l.seaZ = Num(s, "seaZ", "sightLine");
        if (!(l.seaX > l.eyeX)) throw std::runtime_error("containers: the line of sight must run forward from the eye");
    }

    counts.row_count = {int32_t(l.deckRows.size()), int32_t(l.holdRows.size())};
    counts.tier_count = {int32_t(l.deckTiers.size()), int32_t(l.holdTiers.size())};

    bay_rec bays;
    int number = 1;
    double lastAft = 1e300;
    for (const auto& hj : cj.at("holds")) {
        HoldSpec h;
        h.name = hj.contains("name") ? hj.at("name").get<std::string>() : std::string("hold");
        h.aftX = Num(hj, "aftX", h.name);
        h.foreX = Num(hj, "foreX", h.name);
        h.halfWidth = Num(hj, "halfWidth", h.name);
        h.ceilingZ = Num(hj, "ceilingZ", h.name);
        h.floorZ = NumOr(hj, "floorZ", l.holdFloor);
        h.deckFloorZ = NumOr(hj, "deckFloorZ", l.deckFloor);
        if (hj.contains("hatch")) {
            const json& hx = hj.at("hatch");
            h.hatch = true;
            h.hatchAftX = Num(hx, "aftX", h.name + " hatch");
            h.hatchForeX = Num(hx, "foreX", h.name + " hatch");
            h.hatchHalfWidth = Num(hx, "halfWidth", h.name + " hatch");
            h.hatchBottomZ = Num(hx, "bottomZ", h.name + " hatch");
        }
        if (!hj.contains("bays") || !hj.at("bays").is_array() || hj.at("bays").empty())
            throw std::runtime_error("containers: " + h.name + " needs \"bays\"");
        double used = 0;
        for (const auto& b : hj.at("bays")) {
            std::string kind = b.get<std::string>();
            if (kind != "40" && kind != "20") throw std::runtime_error("containers: " + h.name + " bay \"" + kind + "\" is not 20 or 40");
            h.bays40.push_back(kind == "40");
            used += kind == "40" ? Box40Length : Box20Length;
        }
        if (h.foreX > lastAft + 1e-9) throw std::runtime_error("containers: holds must be listed from forward aft (" + h.name + ")");
        lastAft = h.aftX;
        // The length left over is shared out equally before, between and after the bays.
        double gap = (h.foreX - h.aftX - used) / double(h.bays40.size() + 1);
        if (gap < 0) throw std::runtime_error("containers: " + h.name + " is too short for its bays");
        // Bays are numbered from forward: 20-ft bays odd, the 40-ft bay over
        // two of them the even number between.
        double fore = h.foreX;
        for (bool is40 : h.bays40) {
            double len = is40 ? Box40Length : Box20Length;
            double c = fore - gap - len / 2;
            fore = c - len / 2;
            if (is40) {
                bays.push_back(MakeBay(hull, l, h, number, KindFore20, c + Bay20Offset));
                bays.push_back(MakeBay(hull, l, h, number + 1, KindPair40, c));
                bays.push_back(MakeBay(hull, l, h, number + 2, KindAft20, c - Bay20Offset));
                number += 4;
            } else {
                bays.push_back(MakeBay(hull, l, h, number, KindLone20, c));
                number += 2;
            }
        }
    }
    counts.bay_count = int32_t(bays.size());
    return bays;
}

std::vector<DeckStackProfile> DeckStacks(const continfo_rec& geometry) {
    std::vector<DeckStackProfile> stacks;
    for (const auto& bay : geometry.bays) {
        const cellinfo_rec& s = bay.sections[OnDeck];
        size_t tiers = s.tier_names.size();
        DeckStackProfile p;
        p.hasSlot.assign(tiers, false);
        p.floorZ.assign(tiers, 0.0);
        bool any = false;
        double x = 0;
        for (const auto& row : s.cells)
            for (size_t t = 0; t < row.size() && t < tiers; ++t) {
                if (row[t].state == 0) continue;
                size_t j = tiers - 1 - t;
                p.hasSlot[j] = true;
                p.floorZ[j] = row[t].z - SlotVcgAboveFloor;
                x = row[t].x;
                any = true;
            }
        if (!any) continue;
        double len = BayBoxLength(bay.bay_kind);
        p.aftX = x - len / 2;
        p.foreX = x + len / 2;
        stacks.push_back(p);
    }
    return stacks;
}

continfo_rec BuildContainerGeometry(const Hull& hull, const nlohmann::json& containersJson,
                                    const nlohmann::json& portsJson, const nlohmann::json& dgJson) {
    continfo_rec geo;
    geo.bays = BuildBays(hull, containersJson, geo);
    geo.port_list = BuildPortList(portsJson);
    geo.imdg_list = BuildDangerousGoodsList(dgJson);
    return geo;
}

}  // namespace kv::shipgen
