// The builders behind BuildHullTables, one per kind of hull table, and the
// table grid they share (read from the "tables" object of hull.json).
#pragma once

#include <string>
#include <vector>

#include "model/ShipInfo.h"
#include "shipgen/HullIntegration.h"

namespace kv::shipgen {

struct HullTableGrid {
    std::vector<double> trims;          // layers of the trim-layered tables, m by the head
    std::vector<double> displacements;  // rows, t in sea water, ascending
    std::vector<double> heelAngles;     // cross-curve columns, degrees
    double bonjeanHeightStep = 0.25;    // m
};

// A point that lets water in when it goes under (x, |y|, z; the ship may
// heel to either side, so the point is taken on the side that goes down).
struct FloodPoint {
    std::string name;
    double x = 0, y = 0, z = 0;
};

// Fills the headings of a table with one layer per value (text of the value).
void SetNumericLayers(xyztable_rec& t, const std::vector<double>& values);
// Text of a heading value: the general number text, rounded to 0.1 mm.
std::string HeadingText(double v);

// Hydrostatic particulars: "DISP", "DRAFT", "KMT", "LCB", "VCB", "LCF",
// "TPC", "MTC", "LWL" by displacement, one layer per trim.
xyztable_rec BuildHydrostaticTable(const ImmersionModel& model, const HullTableGrid& grid);

// Cross curves (KN by "DISP", columns headed by heel angles), flooding angle
// and deck-edge immersion angle ("ANGLE" by "DISP"), each one layer per trim,
// from the same heeled equal-volume waterlines.
struct HeelTables {
    xyztable_rec KN, FloodAngle, Immersion;
};
HeelTables BuildHeelTables(const ImmersionModel& model, const HullTableGrid& grid,
                           const std::vector<FloodPoint>& openings);

// Sectional area below a height ("HEIGHT", "AREA"), one layer per station.
xyztable_rec BuildBonjeanTable(const Hull& hull, double heightStep);

// Load lines: one layer per zone with "FB", "DRAFT", "DWT", "DISP".
struct LoadLineZone {
    std::string name;
    double freeboard = 0;
    double density = kSeaWater;
};
// Zones from the "loadLines" object: named rule zones ("SUMMER", "WINTER",
// "TROPICAL", "FRESH", "TROPICAL FRESH") derived from the summer freeboard,
// or zones given with their own freeboard and water density.
std::vector<LoadLineZone> LoadLineZones(const ImmersionModel& model, double deckLine, double summerFreeboard,
                                        const std::vector<std::string>& ruleZones);
xyztable_rec BuildLoadLineTable(const ImmersionModel& model, double deckLine, const std::vector<LoadLineZone>& zones,
                                double lightWeight);

// One row of the hydrostatic table at a displacement (t) and trim.
struct HydroPoint {
    double disp = 0, draft = 0, kmt = 0, lcb = 0, vcb = 0, lcf = 0, tpc = 0, mtc = 0, lwl = 0;
};
HydroPoint HydrostaticsAt(const ImmersionModel& model, double displacement, double trim);

}  // namespace kv::shipgen
