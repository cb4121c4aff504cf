// Stack geometry of the containers of a bay, the bay's weight summary and the
// deck tier level used by the wind area and the stability tables.
#pragma once

#include "containers/ContainerModel.h"
#include "model/ContInfo.h"
#include "model/LoadData.h"

namespace kv {

// Vertical gaps of a container stack.
constexpr double SlotFloorBelowZ = 1.0971;  // slot z to the floor of its tier
constexpr double TierGap = 0.181;           // added on top of every container
constexpr double DefaultContainerHeight = 2.438;
constexpr double HalfContainerWidth = 1.219;

// Recomputes extents and centres of every container of the bay from its slot
// and its size-type code. vcgPercent is "Average VCG of container".
void UpdateBayGeometry(const continfo_rec& geo, loaddata_rec& load, int bay, double vcgPercent);

// Refreshes the bay's item of the container weight summary and its element
// of the container summary (Bays is enlarged to hold the bay when needed).
void BuildBaySummary(const continfo_rec& geo, const loaddata_rec& load, int bay,
                     contweight_rec& item, contsummary_rec& summary);

// The 0-based level, counted from the lowest deck tier, of the highest
// container on deck; 0 when there is none on deck.
int DeckTierLevel(const continfo_rec& geo, const loaddata_rec& load);

}  // namespace kv
