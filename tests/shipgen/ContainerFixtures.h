// Small hulls and stowage layouts shared by the container, wind and outline tests.
#pragma once

#include <nlohmann/json.hpp>

#include "shipgen/HullGeometry.h"

namespace kvtest {

// Barge of 100 m x 20 m x 10 m with wall sides; forward of x = 80 the sides
// close in straight to a half-breadth of 4 m at the fore end (x = 100).
inline nlohmann::json WedgeBowHullJson() {
    return nlohmann::json::parse(R"({"hull": {
      "lbp": 100.0, "breadth": 20.0, "depth": 10.0,
      "waterlines": [0.0, 10.0],
      "stations": [
        {"x": 0.0,   "keel": 0.0, "deck": 10.0, "halfBreadths": [10.0, 10.0]},
        {"x": 80.0,  "keel": 0.0, "deck": 10.0, "halfBreadths": [10.0, 10.0]},
        {"x": 100.0, "keel": 0.0, "deck": 10.0, "halfBreadths": [4.0, 4.0]}]}})");
}

inline kv::shipgen::Hull WedgeBowHull() { return kv::shipgen::Hull::FromJson(WedgeBowHullJson()); }

// Two holds: an aft one (x 10..40, two 40-ft bays) in the wall-sided body and
// a forward one (x 84..98, one 40-ft bay) in the wedge bow.
inline nlohmann::json TwoHoldLayoutJson() {
    return nlohmann::json::parse(R"({
      "rowPitch": 2.54, "boxHeight": 2.591,
      "deck": {"rows": ["03", "01", "00", "02", "04"], "tiers": ["82", "84", "86"],
               "floorZ": 11.0, "sideMargin": 0.0, "stackWeight20": 60, "stackWeight40": 90},
      "hold": {"rows": ["03", "01", "00", "02", "04"], "tiers": ["02", "04", "06"],
               "floorZ": 1.5, "sideClearance": 0.0, "stackWeight20": 100, "stackWeight40": 150},
      "holds": [
        {"name": "FORE HOLD", "aftX": 84.0, "foreX": 98.0, "halfWidth": 9.0, "ceilingZ": 10.5, "bays": ["40"]},
        {"name": "AFT HOLD",  "aftX": 10.0, "foreX": 40.0, "halfWidth": 9.0, "ceilingZ": 10.5, "bays": ["40", "40"]}]})");
}

}  // namespace kvtest

namespace kvtest {

// Wall-sided box barge 100 m x 20 m x 10 m.
inline kv::shipgen::Hull BoxHull() {
    return kv::shipgen::Hull::FromJson(nlohmann::json::parse(R"({"hull": {
      "lbp": 100.0, "breadth": 20.0, "depth": 10.0, "waterlines": [0.0, 10.0],
      "stations": [{"x": 0.0,   "keel": 0.0, "deck": 10.0, "halfBreadths": [10.0, 10.0]},
                   {"x": 100.0, "keel": 0.0, "deck": 10.0, "halfBreadths": [10.0, 10.0]}]}})"));
}

}  // namespace kvtest
