// Lookup in the generic ship table: GetTableValue with its helpers, linear
// interpolation and the tolerant comparison of limit checks.
#pragma once

#include <string>

#include "model/Messages.h"
#include "numerics/Table.h"

namespace kv {

// State that every table lookup shares: the out-of-range flag (set by
// lookups asked to report, cleared by the calculation cycle) and the message
// interface for "Get Value from table error".
struct TableLookupState {
    bool TableRangeExceeded = false;
    MessageSink* Messages = nullptr;
};

}  // namespace kv
