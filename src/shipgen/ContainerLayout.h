// Container stowage geometry of a ship definition: the 20-ft and 40-ft bays
// laid out in the holds and on the hatch covers, with the rows and tiers that
// fit the hull, the hold boundaries, the deck edge, the cranes and the line of
// sight from the bridge. The entry point is BuildContainerGeometry
// (Builders.h); the helpers here are shared with the wind table.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <vector>

#include "model/ContInfo.h"
#include "shipgen/HullGeometry.h"

namespace kv::shipgen {

constexpr double Box20Length = 6.058;
constexpr double Box40Length = 12.192;
constexpr double BoxWidth = 2.438;
constexpr double BoxHeight8ft = 2.438;
constexpr double SlotVcgAboveFloor = 0.45 * BoxHeight8ft;  // 1.0971: slot z above the slot floor
// The 20-ft bays of a 40-ft bay stand this far aft and forward of its centre
// (two 20-ft boxes with the standard 76 mm gap make one 40-ft length).
constexpr double Bay20Offset = (Box40Length - Box20Length) / 2;

// Bay kinds of the stowage geometry.
constexpr int32_t KindLone20 = 0;  // 20-ft bay without a 40-ft bay over it
constexpr int32_t KindFore20 = 1;  // forward 20-ft bay of a 40-ft bay (listed before it)
constexpr int32_t KindAft20 = 2;   // aft 20-ft bay of a 40-ft bay (listed after it)
constexpr int32_t KindLone40 = 3;  // 40-ft bay without 20-ft bays
constexpr int32_t KindPair40 = 4;  // 40-ft bay between its two 20-ft bays

double BayBoxLength(int32_t kind);

// Layout of the stowage space without the two databases.
bay_rec BuildBays(const Hull& hull, const nlohmann::json& containersJson, continfo_rec& counts);

// One bay's deck stacks seen from the side, for the wind areas: the
// longitudinal extent of the boxes and, per deck tier counted from the
// bottom, whether any row has a slot there and the floor of that tier.
struct DeckStackProfile {
    double aftX = 0, foreX = 0;
    std::vector<bool> hasSlot;     // [tier from the bottom]
    std::vector<double> floorZ;    // [tier from the bottom], valid where hasSlot
};
std::vector<DeckStackProfile> DeckStacks(const continfo_rec& geometry);

// The height of the boxes the tiers are laid out for ("boxHeight", default 8'6").
double LayoutBoxHeight(const nlohmann::json& containersJson);

}  // namespace kv::shipgen
