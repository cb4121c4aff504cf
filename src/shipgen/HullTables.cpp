// The hull tables of a ship definition, from hull.json:
//
//   "tables": {
//     "trims": [-3, -2, -1, 0, 1, 2],              // m, positive by the head
//     "displacements": [{ "from": 5000, "to": 10000, "step": 250 },
//                       { "from": 10500, "to": 30000, "step": 500 }],
//                                   // t in sea water 1.025: numbers, ranges or a list of both
//     "heelAngles": [5, 10, 15, 20, 30, 40, 50, 60, 70, 80],
//     "bonjeanHeightStep": 0.25                     // m (optional)
//   },
//   "openings": [ { "name": "ER VENTILATOR", "x": 18.4, "y": 6.1, "z": 17.2 }, ... ],
//   "loadLines": {
//     "deckLine": 13.82,          // upper edge of the deck line above base, m
//     "summerFreeboard": 4.05,    // assigned summer freeboard, m
//     "zones": ["SUMMER", "WINTER", "TROPICAL", "FRESH", "TROPICAL FRESH"]
//   }
//
// Zones named by the rules are derived from the summer freeboard; a zone may
// also be given as { "name": ..., "freeboard": ..., "density": ... }.
// Openings are down-flooding points; each counts on the side that heels down.
// The flooding angle and the deck-edge immersion angle are tabulated as
// "ANGLE" by "DISP" per trim layer, solved with the heeled equal-volume
// waterline: a list of points would be judged by the reader against the
// upright waterline turned about the centre line, which misses the sinkage
// and shift of the waterline with heel.
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "shipgen/Builders.h"
#include "shipgen/HullTableParts.h"

namespace kv::shipgen {

namespace {

// A list of numbers, ranges { "from", "to", "step" }, or a mix of both.
void AddNumbers(const nlohmann::json& j, const char* what, std::vector<double>& v) {
    if (j.is_number()) {
        v.push_back(j.get<double>());
    } else if (j.is_object()) {
        const double from = j.at("from").get<double>(), to = j.at("to").get<double>(),
                     step = j.at("step").get<double>();
        if (!(step > 0) || to < from) throw std::runtime_error(std::string("hull: bad range for ") + what);
        const int n = static_cast<int>(std::floor((to - from) / step + 1e-9));
        for (int i = 0; i <= n; ++i) v.push_back(from + i * step);
        if (to - v.back() > 1e-9 * std::max(1.0, std::abs(to))) v.push_back(to);
    } else if (j.is_array()) {
        for (const auto& e : j) AddNumbers(e, what, v);
    } else {
        throw std::runtime_error(std::string("hull: missing ") + what);
    }
}

std::vector<double> NumberList(const nlohmann::json& j, const char* what) {
    std::vector<double> v;
    AddNumbers(j, what, v);
    if (v.empty()) throw std::runtime_error(std::string("hull: empty ") + what);
    for (size_t i = 1; i < v.size(); ++i)
        if (!(v[i] > v[i - 1])) throw std::runtime_error(std::string("hull: ") + what + " must ascend");
    return v;
}

HullTableGrid ReadGrid(const nlohmann::json& hullJson) {
    if (!hullJson.contains("tables")) throw std::runtime_error("hull: missing \"tables\"");
    const auto& t = hullJson.at("tables");
    HullTableGrid g;
    g.trims = NumberList(t.value("trims", nlohmann::json()), "trims");
    g.displacements = NumberList(t.value("displacements", nlohmann::json()), "displacements");
    g.heelAngles = NumberList(t.value("heelAngles", nlohmann::json()), "heelAngles");
    if (g.displacements.front() <= 0) throw std::runtime_error("hull: displacements must be positive");
    if (g.heelAngles.front() <= 0 || g.heelAngles.back() > 90)
        throw std::runtime_error("hull: heel angles must lie in (0, 90]");
    g.bonjeanHeightStep = t.value("bonjeanHeightStep", 0.25);
    if (!(g.bonjeanHeightStep > 0)) throw std::runtime_error("hull: bad bonjeanHeightStep");
    return g;
}

}  // namespace

HullTables BuildHullTables(const Hull& hull, const nlohmann::json& hullJson, double lightWeight) {
    const HullTableGrid grid = ReadGrid(hullJson);
    const ImmersionModel model(hull);
    if (grid.displacements.back() / kSeaWater >= model.TotalVolume())
        throw std::runtime_error("hull: the largest displacement exceeds the closed hull");

    std::vector<FloodPoint> openings;
    for (const auto& o : hullJson.value("openings", nlohmann::json::array()))
        openings.push_back({o.value("name", std::string()), o.at("x").get<double>(), o.at("y").get<double>(),
                            o.at("z").get<double>()});

    HullTables out;
    out.Hydro = BuildHydrostaticTable(model, grid);
    HeelTables heel = BuildHeelTables(model, grid, openings);
    out.KN = std::move(heel.KN);
    out.FloodAngle = std::move(heel.FloodAngle);
    out.Immersion = std::move(heel.Immersion);
    out.Bonjean = BuildBonjeanTable(hull, grid.bonjeanHeightStep);

    if (hullJson.contains("loadLines")) {
        const auto& ll = hullJson.at("loadLines");
        const double deckLine = ll.at("deckLine").get<double>();
        const double summer = ll.at("summerFreeboard").get<double>();
        std::vector<LoadLineZone> zones;
        for (const auto& z : ll.at("zones")) {
            if (z.is_string()) {
                const auto rule = LoadLineZones(model, deckLine, summer, {z.get<std::string>()});
                zones.push_back(rule.front());
            } else {
                zones.push_back({z.at("name").get<std::string>(), z.at("freeboard").get<double>(),
                                 z.value("density", kSeaWater)});
            }
        }
        out.LoadLine = BuildLoadLineTable(model, deckLine, zones, lightWeight);
    }
    return out;
}

}  // namespace kv::shipgen
