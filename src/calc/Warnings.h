// Limits and warnings: judgement and warning flags with their messages, the
// two judgement lights and the warning alarm dialog, all as data that the
// window only displays.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

// The four draft readings of the tank-gauging link, metres.
struct GaugedDrafts {
    double ForeMid = 0;   // "Fore Mid"
    double AfterMid = 0;  // "After Mid"
    double MidPort = 0;   // "Mid Port"
    double MidStbd = 0;   // "Mid Stbd"
};

struct WarningInputs {
    // Set in on-line mode: drafts, trim and heel are judged from the readings
    // instead of the calculated floating position.
    std::optional<GaugedDrafts> Online;
    // Result of the overall cargo hold mass check, once it has been made.
    // With ship option 0 on and no result, the hold masses are not judged
    // as passing.
    std::optional<bool> HoldMassCheck;
};

// Colours of the results the window marks when a limit is exceeded.
struct WarningHighlights {
    bool ForwardDraftAlarm = false;  // forward draft yellow on red (else black on yellow)
    bool MidshipDraftsAlarm = false; // both midship drafts yellow on red
    bool MeanDraftRed = false;
    bool TrimRed = false;
    bool HeelRed = false;
    bool GMRed = false;
};

// The fixed texts of the status messages.
inline constexpr const char* MasterResponsibilityLine =
    "It is the master's responsibility to observe, among others, the weather conditions and the draught at "
    "forward perpendicular during water ballast exchange operations,";
inline constexpr const char* DraftOverLimitText = "Waring : Draft over the limit";
inline constexpr const char* TrimOverLimitText = "Warning : Calculated trim is over the limit";
inline constexpr const char* HeelOverLimitText = "Warning : Calculated heel angle is over the limit";
inline constexpr const char* GMOverLimitText = "Warning : Calculated GM is over the limit";
inline constexpr const char* GrainNotUprightText =
    "Warning : The Grain code requires the ship to be 'upright' at departure. The heel angel is not less than "
    "0.5deg";
inline constexpr const char* DisplacementOverLimitText = "Warning : Displacement is over the limit";

// trunc(displacement / maxDisplacement x 100), the scale of the displacement
// bar. Without a maximum (0, negative or not a number) there is no scale and
// the percentage is 0; the result is held within +-1,000,000 so that it
// always fits an integer.
int DisplacementPercent(double displacement, double maxDisplacement);

// Sets DisplacementOK, CargoMassOK and every warning flag from the last
// results and the limits of the settings, then replaces the status message
// list by the warning messages in their order.
void CheckWarnings(KvState& state, const WarningInputs& inputs);
// The same in calculated mode, without a hold mass result.
void CheckWarnings(KvState& state);

// The second line of the forward-draft warning, with the limit in the display
// length unit and the draught reference word of ship option 19.
std::string MinimumForwardDraftLine(const KvState& state);

WarningHighlights HighlightsFromFlags(const CalcState& calc);

// ---- judgement lights -----------------------------------------------------

enum class LedColor { Green, Red, ButtonFace };

// An indicator: lit in OnColor; a flashing one alternates with OffColor.
struct LedState {
    LedColor OnColor = LedColor::Green;
    LedColor OffColor = LedColor::ButtonFace;
    bool Flashing = false;
    bool Visible = true;
    bool operator==(const LedState&) const = default;
};

// Green and steady when passed, red and flashing when not.
LedState JudgementLed(bool passed);

// The stability light: intact and grain stability.
LedState StabilityLight(const CalcState& calc);
// The strength light: strength, the hold masses (unless a hold carries
// ballast) and the minimum forward draft.
LedState StrengthLight(const CalcState& calc);

// ---- the warning alarm dialog ---------------------------------------------

inline constexpr const char* WarningAlarmCaption = "Warning Alarm Check";
inline constexpr const char* WarningAlarmStabilityGroup = "STABILITY";
inline constexpr const char* WarningAlarmStrengthGroup = "STRENGTH";

enum AlarmLight {
    AlarmIntactStability = 0,
    AlarmGrainStability = 1,
    AlarmMinForwardDraft = 2,
    AlarmCargoMassLimit = 3,
    AlarmStrength = 4,
};
inline constexpr std::array<const char*, 5> AlarmLightCaptions{
    "Intact Stability", "Grain Stability", "Minimum Forward Draft", "Cargo Mass Limit", "Strength"};

class WarningAlarmDialogLogic {
public:
    // Every light green on button face and steady; "Grain Stability" shown
    // only with ship option 1, "Cargo Mass Limit" only with ship option 0.
    void FormCreate(const shipinfo_rec& ship);
    // Each activation shows the flags of the last check.
    void FormActivate(const CalcState& calc);

    const std::array<LedState, 5>& Lights() const { return lights_; }
    const LedState& Light(AlarmLight which) const { return lights_[size_t(which)]; }

private:
    std::array<LedState, 5> lights_{};
};

}  // namespace kv
