// The lightship: weight items of lightweight.json, their totals and the
// lightweight distribution table (ship table slot 3) from which the
// strength calculation spreads the lightship over its intervals.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "numerics/Table.h"
#include "shipgen/ShipDefinition.h"

namespace kv::shipgen {

struct LightItem {
    std::string name;
    double xa = 0, xf = 0;   // extent (m from the AP), as the table gives it back
    int aftFrame = 0, foreFrame = 0;
    double aftOffset = 0, foreOffset = 0;  // m forward of those frames
    double weight = 0, lcg = 0, tcg = 0, vcg = 0;
    double qa = 0, qf = 0;   // load ordinates (t/m) at xa and xf
};

struct Lightship {
    std::vector<LightItem> items;
    double weight = 0, lcg = 0, tcg = 0, vcg = 0;
    xyztable_rec table;  // "AFR", "AE", "FFR", "FE", "LCG", "WEIGHT", "QA", "QF", "Q"
};

// Items are given by weight and centres, or as a trapezoid of load
// ordinates "qa", "qf" (t/m) over their extent. An item whose centre leaves
// the middle third of its extent would need a negative load ordinate and is
// refused.
Lightship BuildLightship(const nlohmann::json& j, const std::vector<FramePos>& frames);

// The trapezoid (rule of the strength calculation) of weight w with centre g
// over [a, f]: ordinates at a and f.
void TrapezoidOrdinates(double w, double g, double a, double f, double& qa, double& qf);

}  // namespace kv::shipgen
