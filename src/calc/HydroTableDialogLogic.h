// The hydrostatic table dialog without its window: the trim and item lists,
// the values computed by "Calc", the grid cells and the curve of one item.
// No unit factor is applied here: the dialog shows table units.
#pragma once

#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

struct HydroDialogLists {
    std::vector<std::string> TrimItems;  // layer headings times TrimSign, "0.000"
    bool TrimEnabled = false;            // trim list and trim edit
    std::vector<std::string> Items;      // column headings
    int ItemIndex = -1;                  // the second item, when there is one
    bool ItemEnabled = false;
};

// The lists as the dialog fills them on creation.
HydroDialogLists HydroDialogCreate(const shipinfo_rec& ship);

struct HydroDialogInput {
    Extended Trim = 0;       // edtTrim, as displayed
    bool ByDraft = false;    // rdoDraft checked
    Extended Draft = 0;      // edtDraft
    Extended Disp = 0;       // edtDisp
};

struct HydroDialogValue {
    std::string Name;
    Extended Value = 0;  // as computed (table units, x from the aft perpendicular)
    std::string Shown;   // as the grid shows it: LCB and LCF in the displayed longitudinal convention
};

// "Calc": every column read at the key (DRAFT or DISP) and the trim, held at
// the table's ends with the excursion reported.
std::vector<HydroDialogValue> HydroDialogCalc(const shipinfo_rec& ship, const HydroDialogInput& input,
                                              TableLookupState& tables);

// The grid: a header row ("No", the column headings), one row per table row
// of the layer shown (its number, then its values) and a last row "Result"
// with the values of the last "Calc" (empty cells before the first).
std::vector<std::vector<std::string>> HydroDialogGrid(const shipinfo_rec& ship, int layerIndex,
                                                      const std::vector<HydroDialogValue>& results);

struct HydroCurve {
    std::string Caption;     // "Hydrostatic Curves [" item "]"
    std::string MaxCaption;  // "Maximum Values of " item
    Extended Min = 0, Max = 0;
    std::vector<std::pair<Extended, Extended>> Points;  // (key, item) over the rows
};

// The curve of one item against the key column (the first column) on one
// layer (1-based).
HydroCurve HydroDialogCurve(const shipinfo_rec& ship, const std::string& item, int layerIndex,
                            TableLookupState& tables);

}  // namespace kv
