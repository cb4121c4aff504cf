// Bringing the container and bale cargo items of the weight summary up to
// date from the condition, before the calculation cycle adds them up.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

// Every bay's item of the container summary (Summaries[0], one per bay) and
// its element of the container counts, from the bay lists.
void UpdateContainerItems(KvState& state);

// The cargo hold of load group 1 standing at x: the first whose ends enclose
// it; beyond all holds the hold with the outermost end on that side; -1 in a
// gap between holds or without holds.
int HoldAtX(const tankgroup_rec& tanks, Extended x);

// Refills the bale cargo summary (load group 0, one item per hold) from the
// condition's bale cargo list; items in a gap between holds are left out.
void BuildBaleSummary(const KvState& state, tanksummary_rec& summary);

}  // namespace kv
