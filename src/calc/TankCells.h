// The calculation side of the tank, cargo and constant grids: which cells can
// be edited, how a typed text becomes a value of the loading condition
// (number test, relative "+"/"-" entry, display units, range checks), and the
// double-click steps of the mode and sensor cells. The grids only show the
// text and call these functions.
//
// After an accepted edit the condition is marked modified and the item is
// recomputed (UpdateTankItem); the caller then runs the calculation cycle and
// refreshes the display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

constexpr const char* TankRangeMessage = "Tank range check error, please check again!";

enum class CellResult {
    Accepted,    // the condition was changed
    Refused,     // refused silently (not a number, a cell that takes no input)
    RangeError,  // refused with TankRangeMessage (shown through state.Messages)
};

// Columns of the tank grid (groups 2 to 7).
enum TankGridColumn {
    TankColNo, TankColName, TankColCapacity, TankColOnline, TankColLevel, TankColVolume, TankColPercent,
    TankColDensity, TankColWeight, TankColLCG, TankColTCG, TankColVCG, TankColFSM, TankColSetFSM,
};
// Columns of the cargo grid (group 1).
enum CargoGridColumn {
    CargoColNo, CargoColName, CargoColCapacity, CargoColOnline, CargoColType, CargoColUllage, CargoColLevel,
    CargoColVolume, CargoColPercent, CargoColSF, CargoColWeight, CargoColLCG, CargoColTCG, CargoColVCG,
    CargoColGHM, CargoColSetGHM, CargoColFSM, CargoColSetFSM,
};
// Columns of the constant grid (group 8).
enum ConstantGridColumn {
    ConstColNo, ConstColName, ConstColAftEnd, ConstColForeEnd, ConstColWeight, ConstColLCG, ConstColTCG,
    ConstColVCG, ConstColFSM,
};

// Texts of the moment modes ("Actual", "Maximum", "Zero") and of the cargo
// types ("BALE", "BULK", "T_GRAIN", "U_GRAIN", "E.BALLAST"); -1 for any other
// text, "" for any other number.
int MomentModeFromText(std::string_view text);
std::string MomentModeText(int mode);
int CargoTypeFromText(std::string_view text);
std::string CargoTypeText(int type);

// Whether a cell takes input: tanks all but "Online" and "SET FSM", the
// centres and "FSM" only in manual C.G. mode; cargo only in holds free of bale
// cargo, never "Online", "SET GHM", "SET FSM", the centres only in manual
// mode, "GHM" and "FSM" only in manual mode and not for "BALE"; constants
// every cell of an item row.
bool TankCellEditable(const KvState& state, int column);
bool CargoCellEditable(const KvState& state, int hold, int column, bool holdCarriesBale);
bool ConstantCellEditable(int column);

// Validation of a typed text; on acceptance the loading record is changed,
// the condition marked modified and the item recomputed.
CellResult EditTankCell(KvState& state, int group, int tank, int column, std::string_view text);
CellResult EditCargoCell(KvState& state, int hold, int column, std::string_view text);
// Constants also refresh the "USER INPUT" constant set; "Aft end" and "Fore
// end" change the extent of the item in the ship's tank data.
CellResult EditConstantCell(KvState& state, int item, int column, std::string_view text);

// Double clicks. "SET FSM" / "SET GHM": "Actual" -> "Maximum", anything else
// -> "Actual". Tank "Online": 1 -> 2 -> 3 -> 1 (2 skipped off-line), 4 -> 1,
// 0 stays. Cargo "Online": 0 stays, 3 -> 2 on-line or 1 off-line, others -> 3.
int NextMomentMode(int mode);
int NextTankSensorState(int sensor, bool online);
int NextCargoSensorState(int sensor, bool online);

// ---- the selected-tank grid of the plan view --------------------------------

// Rows of the grid.
enum SelectedTankRow { SelRowLevel, SelRowVolume, SelRowRate, SelRowDensity, SelRowWeight };

// The tanks selected in the plan view (one group) and the values of the grid,
// in internal units (the density in t/m3 also where stowage factors are
// shown). The condition changes only on ApplySelectedTanks.
struct SelectedTanks {
    int Group = 0;
    std::vector<int> Items;
    Extended Level = 0, Volume = 0, Rate = 0, Density = 0, Weight = 0;
};

// Fills the rows from the first selected tank's loading record.
void LoadSelectedTanks(KvState& state, SelectedTanks& sel);

// An edit of a row. One tank: the value is checked, turned into a volume and
// the five rows follow from it (level at the correction trim and heel, rate,
// weight at the grid's density). Several tanks: only "Vol.Rate" and
// "Density" take input, with the same checks. Values are typed in the
// display units; the density of a hold as a stowage factor when the settings
// show those.
CellResult EditSelectedTankCell(KvState& state, SelectedTanks& sel, int row, std::string_view text);

// "Update": one tank takes the grid's volume and density, several tanks each
// the grid's rate of their own capacity and the density. On the cargo tab a
// hold that carries bale cargo (holdCarriesBale[hold]) is left unchanged
// with the message of its name followed by "is already used for bale cargo".
// Returns the number of items changed (the condition is marked modified and
// each item recomputed).
int ApplySelectedTanks(KvState& state, const SelectedTanks& sel, const std::vector<bool>& holdCarriesBale);
// "Empty" and "Full": every selected item to 0 or to its capacity, with the
// same bale cargo rule.
int FillSelectedTanks(KvState& state, const SelectedTanks& sel, bool full, const std::vector<bool>& holdCarriesBale);

}  // namespace kv
