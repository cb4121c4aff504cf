// Strength data of strength.json: the read-out points, the four allowable
// sets (intact and flooded, sea-going and harbour) of shear force, bending
// moment and torsional moment, and the allowable cargo mass curves per hold.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "model/ShipInfo.h"
#include "shipgen/ShipDefinition.h"

namespace kv::shipgen {

classallow_rec BuildAllowables(const nlohmann::json& strength, const std::vector<FramePos>& frames);

// Floor of one hold: its extent, the area of its tank top and the hold's
// volume.
struct HoldFloor {
    double aftX = 0, foreX = 0, area = 0, volume = 0;
};
// Maximum and minimum cargo mass by mean draft for every hold and for every
// hold with the next one, sea-going and harbour: one hold at most the
// tank-top design load times its area, two adjacent holds at most their
// volume at the pair density, both less the outside pressure lost below the
// scantling draft; a minimum above the draft up to which a hold (or a pair)
// may be empty (parameters in the "holdMass" object of strength.json).
std::vector<cargomass_rec> BuildHoldMassCurves(const nlohmann::json& strength, const std::vector<HoldFloor>& holds);

}  // namespace kv::shipgen
