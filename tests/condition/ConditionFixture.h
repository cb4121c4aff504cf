// A small ship in memory for the condition tests: a few items per load group
// and two bays (a 20-ft and a 40-ft bay) with two rows and two tiers in each
// section.
#pragma once

#include <string>

#include "model/kvGlobal.h"

namespace kvtest {

// Group counts: group 0: 2, groups 1..7: 2, 1, 1, 1, 1, 1, 1, group 8: 3.
// Bays "01" (kind 0, x = 20) and "02" (kind 3, x = 40). Rows "01" (y = 2.5)
// and "02" (y = -2.5); tiers ON DECK "84", "82" and IN HOLD "04", "02", with
// slot z = 20 + 2.6 * level on deck and 2 + 2.6 * level in the hold (level 0
// the bottom tier). The slot row "02" tier "84" of bay "02" does not exist.
kv::KvState MakeShipState();

// Group 8 item names of the fixture.
std::vector<std::string> ConstantNames(const kv::KvState& s);

}  // namespace kvtest
