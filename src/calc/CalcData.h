// Results of the last calculation of the loading condition.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "containers/ContainerModel.h"
#include "model/BinaryStream.h"
#include "calc/StrengthRecords.h"
#include "numerics/GeoTypes.h"

namespace kv {

// Computed contents of one tank, hold, constant, bale item line or bay.
struct TankResult {
    Extended Level = 0;
    Extended Volume = 0;
    Extended Percent = 0;
    Extended CapacityPercent = 0;  // holds: of the capacity for the loading mode
    Extended SG = 0;
    Extended Weight = 0;
    Extended LCG = 0;
    Extended TCG = 0;
    Extended VCG = 0;
    Extended LMoment = 0;
    Extended TMoment = 0;
    Extended VMoment = 0;
    Extended FSM = 0;
    int32_t SensorState = 0;  // on-line gauge: 0 none, 1 off-line, 2 on-line, 3 manual, 4 error
};

// Totals of one load group (or of the containers).
struct tanksummary_rec {
    Extended Weight = 0;
    Extended LCG = 0, TCG = 0, VCG = 0;
    Extended LMoment = 0, TMoment = 0, VMoment = 0;
    Extended FSM = 0;
    Extended Spare = 0;
    std::vector<TankResult> Items;
};

// Metacentric heights, the righting-lever curve and its characteristics.
struct stabsummary_rec {
    std::vector<Extended> GZValues;  // at each tabulated heel angle, [0] at 0 degrees
    Extended GMSolid = 0;
    Extended FSC = 0;
    Extended GoM = 0;
    std::vector<Extended> KNValues;  // cross-curve value at each angle, [0] = 0
    Extended MaxGZ = 0;
    Extended GZ30 = 0;
    Extended MaxGZAngle = 0;
    Extended AreaToMaxGZ = 0;
    Extended StabRange = 0;
    Extended Area30 = 0;
    Extended Area40 = 0;
    Extended Area30to40 = 0;
    Extended FloodAngle = 0;
};

struct calcdata_rec {
    std::array<tanksummary_rec, 10> Summaries;  // [0] containers (one item per bay), [1..9] groups 0..8
    Extended DraftAtLCF = 0;
    Extended KMT = 0, LCB = 0, VCB = 0, LCF = 0, TPC = 0, MTC = 0;
    stabsummary_rec Stab;
    grainsummary_rec Grain;
    // Weather criterion.
    Extended Lw1 = 0, Lw2 = 0, Theta0 = 0, Theta1 = 0, Theta2 = 0, ThetaLw2 = 0, ThetaC = 0, AreaA = 0, AreaB = 0;
    strengthsummary_rec Strength;
    floodsummary_rec Flood;
    Extended Displacement = 0;
    Extended DisplacementSW = 0;
    Extended Deadweight = 0;
    Extended TotalFSM = 0;
    Extended LCG = 0, TCG = 0, VCG = 0;
    Extended Trim = 0;
    Extended Heel = 0;
    Extended PropImmersion = 0;
    Extended DraftAP = 0, DraftMean = 0, DraftFP = 0;
    Extended DraftPort = 0, DraftStbd = 0;
    Extended MarkDraftAft = 0, MarkDraftMid = 0, MarkDraftFwd = 0;
    Extended Visibility = 0;
    contsummary_rec Cont;
};

// Pass/fail of the criteria families (judgement) and the operational limits (warnings).
enum JudgementFlag {
    StabilityOK = 0,
    StrengthOK = 1,
    GrainOK = 2,
    FloodStrengthOK = 3,
    DisplacementOK = 4,
    CargoMassOK = 6,
    TorsionOK = 7,
};
enum WarningFlag {
    FwdDraftLow = 0,
    DraftHigh = 1,
    TrimHeadHigh = 2,
    TrimSternHigh = 3,
    HeelHigh = 4,
    GMHigh = 5,
    GrainNotUpright = 10,
};

// State the calculation cycle and the calculations share beyond the result
// record: flags, the GZ spline, wind values and the result views the window
// has selected.
struct CalcState {
    std::array<bool, 8> JudgementFlags{false, false, true, false, false, false, false, false};  // GrainOK starts true
    std::array<bool, 11> WarningFlags{};
    TReal1DArray GZSpline;
    Extended WindArea = 0;
    Extended RollPeriod = 0;
    bool AltHoldLoading = false;
    bool AnyBallastHold = false;
    bool AnyGrainMode = false;
    std::vector<Extended> HoldMassValues;  // one per hold of group 1: HoldMass of the hold
    std::vector<Extended> HoldDrafts;      // one per hold of group 1: mean draft over its cargo compartment
    std::optional<bool> HoldMassCheck;     // CheckAllHoldMasses of the last cycle (none before the first)
    int StabilityView = 0;  // 0 intact, 1 grain
    int StrengthView = 0;   // 0 longitudinal, 1 flooding, 2 torsion
    // Window state the calculations read: the hold chosen for flooding
    // (cboFloodHold), the set of active hold compartments (indices of load
    // group 1, rebuilt when a condition is opened) and the edit-time hold
    // mass check chosen in the menu.
    int FloodHold = 0;
    std::vector<int> ActiveHoldCompartments;
    int HoldMassCheckMode = 1;  // 0 "None", 1 "One Hold", 2 "Adjacent Holds"
    // TableRangeExceeded as the floating position left it (the cycle clears
    // the flag before the stability calculation).
    bool FloatRangeExceeded = false;
    std::vector<stabcriterion_rec> StabilityCriteria;  // rows 1..15 at [0..14], filled by RunStability
    bool StabilityRangeExceeded = false;               // the table excursion flag the criteria were judged with
};

}  // namespace kv
