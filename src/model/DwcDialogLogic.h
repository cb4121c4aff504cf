// The deadweight constant dialog ("Define Deadweight Constant") without its
// window: a working copy of the constant sets, the grid of one set in display
// units with its closing row, and Add, Update, Delete and OK.
//
// The built-in first set "USER INPUT" is not listed and cannot be added,
// updated or deleted through the dialog: the writer skips it and the
// condition overwrites it, so any edit of it would be lost silently.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/LoadData.h"
#include "model/Messages.h"
#include "model/ShipInfo.h"
#include "numerics/Units.h"
#include "model/CargoCodeDialogLogic.h"

namespace kv {

enum DwcColumn { DwcWeight = 0, DwcLCG = 1, DwcTCG = 2, DwcVCG = 3, DwcFSM = 4, DwcValueColumns = 5 };

class DwcDialog {
public:
    using Row = std::array<std::string, DwcValueColumns>;

    DwcDialog(const shipinfo_rec& ship, const UnitState& units, std::vector<std::string> itemNames)
        : ship_(ship), units_(units), itemNames_(std::move(itemNames)) {}

    // Copies the sets (entry 0 included); selects the previous line or the
    // first and shows it.
    void Activate(const std::vector<dwcinfo_rec>& list);

    // Names of the listed sets (entry 1 on) and the selected line (-1: none).
    std::vector<std::string> ListedNames() const;
    int Selected() const { return selected_; }
    void Select(int line);

    // The grid: headings, item names and rows in display units, closing row.
    std::array<std::string, 7> Headings() const;
    const std::vector<std::string>& ItemNames() const { return itemNames_; }
    const std::vector<Row>& Rows() const { return rows_; }
    Row TotalRow() const;
    std::string Code() const { return code_; }
    std::string Memo() const { return memo_; }

    // A cell of an item row; text that is not a number is refused (false).
    bool SetCell(int row, int column, const std::string& text);

    CodeDialogFocus Add(const std::string& name, const std::string& memo, MessageSink& messages);
    CodeDialogFocus Update(const std::string& name, const std::string& memo, MessageSink& messages);
    void Delete(const std::string& name);

    const std::vector<dwcinfo_rec>& Working() const { return working_; }
    // OK: the list becomes the working list and is written (the writer
    // leaves the file alone when only "USER INPUT" is left).
    void Ok(std::vector<dwcinfo_rec>& list, const std::string& fileName) const;

private:
    void Show(int workingIndex);
    ploadinfo_rec LoadsFromGrid(const ploadinfo_rec& base) const;
    Extended Cell(size_t row, int column) const;

    const shipinfo_rec& ship_;
    const UnitState& units_;
    std::vector<std::string> itemNames_;
    std::vector<dwcinfo_rec> working_;
    std::vector<Row> rows_;
    std::string code_, memo_;
    int selected_ = -1;  // line of ListedNames
};

}  // namespace kv
