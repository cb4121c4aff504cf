// Texts of the start warning window.
#pragma once

#include <string>

#include "model/kvGlobal.h"

namespace kv {

inline constexpr const char* StartWarningCaption = "Start Warning";
inline constexpr const char* StartWarningGroupCaption = "Minimum Forward Draught";
inline constexpr const char* StartWarningLine1 =
    "It is the master\u2019s responsibility to observe, among others, the weather conditions and the ";
inline constexpr const char* StartWarningLine2 =
    "draught at forward perpendicular during water ballast exchange operations, in particular ";
inline constexpr const char* StartWarningBooklet = "All information is based on the Trim & Stability Booklet.";

// "mould" when the text of ship option 19 reads "0", "extreme" when it reads
// "1", empty otherwise.
std::string DraughtReferenceWord(const shipinfo_rec& ship);

// The third line, composed when the window becomes active: the minimum
// forward draught of the settings in the display length unit.
std::string StartWarningLine3(const KvState& state);

}  // namespace kv
