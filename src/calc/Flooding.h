// Flooding of one cargo hold: flood water, the flooded floating position and
// the strength of the flooded ship.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

constexpr int OptionHoldFlooding = 2;  // ship option 2

// Every compartment of load group 1 (up to 256) active, as the window sets
// them when a condition is opened.
void RebuildActiveHoldCompartments(KvState& state);

// Adds the flood water of hold `hold` into CalcDataFlood and
// CalcDataFlood.Flood / CalcData.Flood.Holds[hold]. mode 0: the hold's
// compartments found by position; mode 1: the compartment `tank` only.
void FloodWater(KvState& state, int mode, int hold, Extended draft, Extended heel, Extended trim, int tank = -1);

// The whole flooding calculation of one hold (0-based): equilibrium loop,
// flooded strength into the intervals' Flooded fields, CalcData.Flood
// entries [hold] and JudgementFlags[FloodStrengthOK].
void FloodHold(KvState& state, int hold);
void FloodAllHolds(KvState& state);

}  // namespace kv
