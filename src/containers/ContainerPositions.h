// Position identifiers: the text that ties a container to a slot of the
// stowage geometry ("%3s%2s%2s" of the bay, row and tier labels).
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "model/ContInfo.h"
#include "model/LoadData.h"

namespace kv {

// A resolved slot; each index is -1 when its part was not found.
struct SlotRef {
    int section = -1;
    int bay = -1;
    int row = -1;
    int tier = -1;
    bool Resolved() const { return section >= 0 && bay >= 0 && row >= 0 && tier >= 0; }
    bool operator==(const SlotRef&) const = default;
};

// Labels compare as numbers when both are numeric ("01" equals "1"), else as
// trimmed text.
bool LabelsMatch(std::string_view part, std::string_view label);

// Formats a position from bay, row and tier labels.
std::string FormatPosition(const std::string& bay, const std::string& row, const std::string& tier);
// Formats the position of a slot of the geometry.
std::string SlotPosition(const continfo_rec& geo, const SlotRef& slot);

int FindBay(const continfo_rec& geo, std::string_view label);
// Row index of the label in the section of the bay, or -1.
int FindRow(const continfo_rec& geo, int bay, int section, std::string_view label);

// Splits the text into bay, row and tier parts (2 + 2 + 2 or 3 + 2 + 2
// characters) and resolves them. Returns false when the text has neither
// length; otherwise true, with the parts that did not resolve at -1. The tier
// is looked up ON DECK first, then IN HOLD, which decides the section; a slot
// that does not exist (state 0) reports its row as -1.
bool ParsePosition(const continfo_rec& geo, std::string_view text, SlotRef& slot);

// The slot record of a resolved slot, or nullptr.
cell_rec* SlotCell(continfo_rec& geo, const SlotRef& slot);
const cell_rec* SlotCell(const continfo_rec& geo, const SlotRef& slot);

// (bay index, list index) of the first container of the bay whose own
// position resolves to the same slot, or (-1, -1).
std::pair<int, int> FindContainer(const continfo_rec& geo, const loaddata_rec& load,
                                  const std::string& position);

}  // namespace kv
