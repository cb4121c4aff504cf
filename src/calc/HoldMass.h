// Cargo hold mass limits: the mass in each hold, the allowable curves, the
// overall check, the edit-time check and the values of the "Max and Min
// allowable mass of cargo" dialog.
#pragma once

#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

constexpr int OptionCargoMassLimits = 0;  // ship option 0

// Holds checked: GroupCount[1], bounded by the compartments of groups 0 and 1.
int HoldCount(const KvState& state);
// The condition selector of the checks: LoadData.VoyageCond (1 PORT, else SEA).
int VoyageCondition(const KvState& state);
// The hold's mean draft as the cycle stored it (Calc.HoldDrafts), or computed
// from CalcData when the cycle has not stored it.
Extended HoldDraft(const KvState& state, int hold);

Extended ContainerMassInHold(const KvState& state, int hold);
Extended CargoItemMassInHold(const KvState& state, int hold);
Extended CompartmentMassInHold(const KvState& state, int hold);
Extended TankMassUnderHold(KvState& state, int hold);
Extended HoldMass(KvState& state, int hold);
Extended PlannedHoldMass(const KvState& state, int hold);

struct HoldMassLimit {
    Extended Max = 0;
    Extended Min = 0;
};
// mode 0: the hold alone, mode 1: the hold with the next one; condition 0 SEA, 1 PORT.
HoldMassLimit HoldMassLimits(const KvState& state, int hold, int mode, int condition, Extended draft);

// The hold's load for the alternate-loading flag and the flag itself.
bool ComputeAltHoldLoading(const KvState& state);

// Cycle steps 15 and 16 of the hold masses: Calc.HoldDrafts,
// Calc.HoldMassValues, Calc.AltHoldLoading.
void UpdateHoldMassValues(KvState& state);

// Every hold and every pair within its limits (true when ship option 0 is off).
bool CheckAllHoldMasses(KvState& state);

// The edit-time check after an edit of hold `hold`; asks "proceed anyway ?"
// through state.Messages when a limit is broken; false when the answer is No.
bool ConfirmHoldMass(KvState& state, int hold, int mode, int condition);
// The check the cargo grid makes after an edit of hold `hold`: none when ship
// option 0 is off, the menu stands on "None" or a cargo compartment is loaded
// as "E.BALLAST"; else ConfirmHoldMass with mode 1 for "Adjacent Holds"
// (Calc.HoldMassCheckMode 2), mode 0 otherwise, in LoadData.VoyageCond.
bool CheckEditedHoldMass(KvState& state, int hold);

// One row of the dialog's grid.
struct CargoMassRow {
    std::string Name;   // "NO. %d HOLD" or "NO. %d&%d HOLD"
    std::string Draft, Min, Mass, Max, Judge;  // "0.00", "0.00", "0.000", "0.00", "OK"/"NO"
    bool Red = false;
};
struct CargoMassDialogData {
    std::string Caption;  // "Max and Min allowable mass of cargo"
    std::vector<CargoMassRow> Rows;
    // Chart of the selected hold or pair.
    std::string Title;
    std::vector<TPoint2D> MaxCurve, MinCurve;  // (draft, mass)
    std::string MaxText;                       // "Maximum cargo mass ... t at full draft"
    TPoint2D Current{};                        // (draft, mass)
    std::string CurrentLabel;                  // "(draft,mass)"
};
// kind 0 "One Hold", 1 "Two Adjacent Holds"; selected: the hold (or first hold of the pair).
CargoMassDialogData CargoMassDialog(KvState& state, int kind, int selected);

}  // namespace kv
