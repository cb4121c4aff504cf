// Contents of tanks, holds and constants: level, volume, weight, centres and
// free-surface moment from the tank tables and the condition's input.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

// Recomputes the whole result of one item of group (1..8) from its loading
// record; called after every accepted edit, on opening a condition, by the
// on-line link and by the tools.
void UpdateTankItem(KvState& state, int group, int tank);
// UpdateTankItem for every item of groups 1..8 (after a condition is opened).
void UpdateAllTankItems(KvState& state);

}  // namespace kv
