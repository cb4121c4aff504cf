#include "startup/StartWarning.h"

#include "numerics/Formats.h"

namespace kv {

std::string DraughtReferenceWord(const shipinfo_rec& ship) {
    const std::string t = ship.OptionText(19);
    if (t == "0") return "mould";
    if (t == "1") return "extreme";
    return "";
}

std::string StartWarningLine3(const KvState& state) {
    return "when the forward draught during these operations is less than " +
           FormatFloat("0.000", state.Config.MinDraftFwd() * state.Units.Length()) +
           state.Units.UnitNames[UnitLength] + "(" + DraughtReferenceWord(state.ShipInfo) + ")";
}

}  // namespace kv
