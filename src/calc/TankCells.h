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

}  // namespace kv
