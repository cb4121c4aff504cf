// Propeller immersion, the blind distance ahead of the bow and the air draft:
// the values of the three information dialogs and the two status lines of the
// profile view, as data that the windows only display.
#pragma once

#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

// Propeller immersion in percent by the ship's method (0: shaft centre,
// 1: blade tip, 2: blade tip at the propeller's own position); previous is
// returned for an unknown method or a ship without a propeller diameter.
Extended PropellerImmersion(const shipinfo_rec& ship, Extended draftAP, Extended trim, Extended previous);

// Length of the sea surface hidden forward of the fore end by the bow and by
// the containers on deck forward of the eye, in metres; -1 when the sight
// line does not come down to the water ahead. Reads the ship data, Trim and
// DraftMean of CalcData and the condition's containers; changes nothing.
Extended CalcBlindDistance(const KvState& state);

// One labelled value of a dialog.
struct AuxPanel {
    std::string Label;
    std::string Text;  // formatted value with its unit label, or "---"
    bool Red = false;
};

// "Propeller Immersion" dialog.
std::vector<AuxPanel> PropImmPanels(const KvState& state);
// "Air Draft" dialog: the two inputs are in the displayed length unit.
std::vector<AuxPanel> AirDraftPanels(const KvState& state, Extended distX, Extended heightY);
// Height of a point (x from the aft perpendicular, z above base, metres)
// above the water surface at its own position.
Extended AirDraft(Extended draftAP, Extended trim, Extended lbp, Extended x, Extended z);
// "Visibility Information" dialog.
std::vector<AuxPanel> VisibilityPanels(const KvState& state);

// Limits the blind distance is compared with, in metres.
struct VisibilityLimits {
    Extended PanamaFullLoad = 0;  // the lesser of 250 and LOA
    Extended PanamaBallast = 0;   // the lesser of 375 and 1.5 LOA
    Extended Imo = 0;             // the lesser of 500 and 2 LOA
};
VisibilityLimits BlindDistanceLimits(const shipinfo_rec& ship);

// A piece of a status line and whether it is written in red.
struct StatusSpan {
    std::string Text;
    bool Red = false;
};
// The profile view's line below the trim line: "Invisible Length : ..." with
// the tags of the limits exceeded.
std::vector<StatusSpan> InvisibleLengthLine(const KvState& state);
// The profile view's bottom line: " Propeller Immersion : ...%".
std::string PropImmersionLine(const KvState& state);

// The line of sight the profile view draws (when Visible): from the eye to
// the point where it meets the water.
struct SightLine {
    bool Visible = false;
    Extended X1 = 0, Z1 = 0, X2 = 0, Z2 = 0;
};
SightLine LineOfSight(const KvState& state);

}  // namespace kv
