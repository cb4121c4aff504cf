// Intact stability: righting levers, criteria and the weather criterion.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

// Called by the cycle with TableRangeExceeded cleared just before.
void RunStability(KvState& state);

}  // namespace kv
