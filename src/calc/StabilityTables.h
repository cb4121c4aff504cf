// The criteria grid and the lever table of the stability page as data: the
// texts, visibility and colours that the grids and reports only display.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

constexpr int CriteriaRowCount = 15;  // rows 1..15 below the header row

// Header row of the criteria grid.
const std::array<std::string, 6>& CriteriaHeader();
// Column widths for a grid of the given width (60, 20, 10, 20, 20 and 30 of 160).
std::array<int, 6> CriteriaColumnWidths(int gridWidth);
// Height of a shown row: the grid's height over the rows shown (header
// included); hidden rows are 0 high.
int CriteriaRowHeight(int gridHeight, const std::vector<stabcriterion_rec>& rows);

// Writes every criteria row into state.Calc.StabilityCriteria and judges
// them: with a table excursion of this calculation (and ship option 21 off)
// every row is "OUT OF RANGE"; otherwise each shown row with an allowable
// value compares ACTUAL and ALLOW as shown, three decimals. Sets the
// StabilityOK judgement flag and state.Calc.StabilityRangeExceeded.
void FillCriteria(KvState& state);
// The same with the wind-table layer of the steady-wind heel already known
// (WindHeelLayerKey), so that the deck tier level is found once per cycle.
void FillCriteria(KvState& state, const std::string& windHeelLayer);

// The lever table: row 0 "Angle" with the heel angles, row 1 "KN" (or "GaZ"
// for cross curves about a pole) and row 2 "GoZ", values in display units.
std::vector<std::vector<std::string>> LeverTable(const KvState& state);

}  // namespace kv
