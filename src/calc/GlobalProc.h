// The calculation cycle: every change of the condition ends with one call.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

void CalculateAll(KvState& state);

}  // namespace kv
