// Flooding of one cargo hold: flood water, the flooded floating position and
// the strength of the flooded ship.
#pragma once

#include <vector>

#include "calc/Strength.h"
#include "model/kvGlobal.h"

namespace kv {

constexpr int OptionHoldFlooding = 2;  // ship option 2

// Permeability of sea water entering a cargo compartment. ruleBV: the ship's
// hold-flooding option text is "1" (empty 0.95, any cargo 0.3); otherwise
// empty 0.95, cargo heavier than 1.0 t/m3 0.3, lighter 0.5. A compartment
// carrying water ballast ("E.BALLAST") floods with 0.95; one whose bale
// cargo compartment carries weight takes no water (0).
Extended FloodPermeability(bool ruleBV, Extended contentVolume, Extended density, int cargoType,
                           bool baleLoaded);
// The permeability rule of the ship: true when option 2's text is "1".
bool FloodRuleBV(const shipinfo_rec& ship);

// The compartments (indices of load group 1) of hold `hold`: from the first
// to the last whose mid-length lies within the hold's extent (the bale cargo
// compartment of the same index). Empty for a hold that does not exist.
std::vector<int> HoldCompartments(const KvState& state, int hold);

// Every compartment of load group 1 (up to 256) active, as the window sets
// them when a condition is opened.
void RebuildActiveHoldCompartments(KvState& state);

// Adds the flood water of hold `hold` into CalcDataFlood and
// CalcData.Flood.Holds[hold]: the compartments' results in CalcDataFlood
// become their content plus the water below the outside waterline given by
// the mean draft amidships, heel (degrees) and trim. mode 0: the hold's
// compartments found by position; mode 1: the compartment `tank` only. The
// hold's flood water is that of this call (a repeated call at another
// waterline replaces it, it does not add up). Nothing happens for a hold
// that does not exist.
void FloodWater(KvState& state, int mode, int hold, Extended draft, Extended heel, Extended trim, int tank = -1);

// The point additions to the shear force of the ship with hold `hold`
// flooded: +200 t over frames 123/150/177 when that hold's compartment
// carries water ballast, +100 t over 220/234/250 at sea, and -100 t over
// 177/180/185 and -130 t over 204/207/220 when the voyage description
// contains "NO.12 GRAIN".
std::vector<ShearTriangle> FloodedShearAdditions(const KvState& state, int hold);

// The whole flooding calculation of one hold (0-based): equilibrium loop,
// flooded strength into the intervals' Flooded fields, CalcData.Flood
// entries [hold] and JudgementFlags[FloodStrengthOK].
void FloodHold(KvState& state, int hold);
// FloodHold for every hold in ascending order; FloodStrengthOK then says
// whether the strength passes with every one of them flooded.
void FloodAllHolds(KvState& state);

}  // namespace kv
