// The loading condition. (Filled in by the condition module.)
#pragma once

#include "model/BinaryStream.h"

namespace kv {

struct loaddata_rec {
    Extended SeaDensity = 0;
};

}  // namespace kv
