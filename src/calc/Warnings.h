// Limits and warnings: judgement and warning flags with their messages.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

// Sets the warning flags and the refresh-time judgement flags from the last
// results and the settings' limits.
void CheckWarnings(KvState& state);

}  // namespace kv
