// The limiting GM/KG curves (ship table slot 7): for each trim and
// displacement of the hydrostatic table, the highest centre of gravity (no
// free-surface correction, upright) at which the general intact criteria of
// the 2008 IS Code and the weather criterion are met, found with the
// program's own stability calculation.
#pragma once

#include "model/ShipInfo.h"

#include <functional>

#include "calc/CalcData.h"

namespace kv::shipgen {

// Columns "DISP", "MINGM" (KMT - MAXKG) and "MAXKG", one layer per trim of
// the hydrostatic table, one row per displacement. Needs the cross-curve,
// hydrostatic, flooding-angle and wind tables of ship. The weather criterion
// is taken with the wind table's last layer (the fullest deck stow), so the
// curve holds whatever the deck carries.
xyztable_rec BuildGMLimitTable(const shipinfo_rec& ship);

// Puts the result record on an upright waterline of the given displacement,
// trim and mean draft, without free surface, for a criteria probe.
void SetUprightProbePoint(calcdata_rec& c, double disp, double trim, double draft);

// A point of the hydrostatic table: its layer and row, the trim of the layer
// and the displacement, draft and KMT of the row.
struct HydroPoint {
    int layer = 0, row = 0;
    double trim = 0, disp = 0, draft = 0, kmt = 0;
};
// Calls fn for every row of every trim layer of the hydrostatic table, with
// the column indices of "DISP", "DRAFT" and "KMT".
void ForEachHydroPoint(const xyztable_rec& hydro, int cDisp, int cDraft, int cKmt,
                       const std::function<void(const HydroPoint&)>& fn);

}  // namespace kv::shipgen
