// Results of the last calculation of the loading condition.
#pragma once

namespace kv {

struct calcdata_rec {
};

}  // namespace kv
