// What the parts of the ship data compiler hand each other. The hull part
// computes the hull tables, the container part the stowage geometry, the wind
// table and the view outlines, and the compiler assembles the data set.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "model/ContInfo.h"
#include "model/ShipInfo.h"
#include "shipgen/HullGeometry.h"

namespace kv::shipgen {

// --- hull tables (HullTables.cpp) -----------------------------------------
struct HullTables {
    xyztable_rec KN;          // slot 0
    xyztable_rec Hydro;       // slot 1
    xyztable_rec Bonjean;     // slot 2
    xyztable_rec FloodAngle;  // slot 4
    xyztable_rec LoadLine;    // slot 5
    xyztable_rec Immersion;   // slot 10
};
// hullJson is the whole hull.json of the definition (hull offsets, trims,
// heel angles, openings, load-line zones); lightWeight gives "DWT" = "DISP" - it.
HullTables BuildHullTables(const Hull& hull, const nlohmann::json& hullJson, double lightWeight);

// Displacement (t, sea water 1.025) at a draft amidships and trim (positive by
// the head), and the inverse; used for wind areas and checks.
double DisplacementAtDraft(const Hull& hull, double draftMid, double trim);
double DraftAtDisplacement(const Hull& hull, double displacement, double trim);

// --- compartments, handed to the container part for the plan outlines -----
struct CompartmentOutline {
    int group = -1;   // load group of the tank
    int item = -1;    // index within the group
    std::string name;
    double aftX = 0, foreX = 0, y1 = 0, y2 = 0, zBottom = 0, zTop = 0;
};

// --- container part (ContainerLayout.cpp, WindTable.cpp, ViewOutlines.cpp) -
// containersJson: containers.json; portsJson: ports.json; dgJson: dangerous_goods.json.
continfo_rec BuildContainerGeometry(const Hull& hull, const nlohmann::json& containersJson,
                                    const nlohmann::json& portsJson, const nlohmann::json& dgJson);
// Wind areas and levers (slot 9): one layer per deck tier level "0TIER",
// "1TIER", ..., keyed by "DISP" (also "DRAFT"), from the hull, the
// superstructure blocks of windJson and the deck stacks of containersJson.
xyztable_rec BuildWindTable(const Hull& hull, const nlohmann::json& windJson, const nlohmann::json& containersJson);

struct ViewOutlines {
    std::vector<object_rec> Profile, Plan, Section;
};
ViewOutlines BuildViewOutlines(const Hull& hull, const nlohmann::json& viewsJson,
                               const std::vector<CompartmentOutline>& compartments);

}  // namespace kv::shipgen
