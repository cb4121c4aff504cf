// Tank records of the tank group file with every table computed from the
// compartment geometry: the base table by level, the trim and heel tables
// of the inclined free surface through the sounding pipe, and for holds the
// grain particulars and grain table.
#pragma once

#include <vector>

#include "model/TankGroup.h"
#include "shipgen/Compartments.h"

namespace kv::shipgen {

struct TankTableSettings {
    double lbp = 0;
    std::vector<double> trims;  // m, positive by the head
    std::vector<double> heels;  // degrees, positive to starboard
};

// Level rows of a tank of the given height: 0, step, 2 step, ..., height.
std::vector<double> LevelRows(double height);

// A tank of groups 1..7 with its tables (group 1: hold tables by ullage and
// grain particulars; groups 2..7: tank tables by sounding).
tank_rec BuildTankRecord(const TankShape& shape, const Compartment& c, const TankTableSettings& s);
// A bale cargo compartment (group 0): extents, heights and capacity, no tables.
tank_rec BuildBaleRecord(const TankShape& shape, const Compartment& c);
// A deadweight constant (group 8): name and extent only.
tank_rec BuildConstantRecord(const Compartment& c);

// The whole tank group set (groups 0..8) in the order of the arrangement,
// with the outline of every hold and tank for the plan view and the tank-top
// area of every hold (group 0 order).
struct TankGroupBuild {
    tankgroup_rec groups;
    std::vector<CompartmentOutline> outlines;
    std::vector<double> holdFloorAreas;
};
TankGroupBuild BuildTankGroups(const Hull& hull, const Arrangement& a, double lbp);

// Text of a trim or heel heading ("-2.0", "0.5").
std::string TankHeading(double v);

}  // namespace kv::shipgen
