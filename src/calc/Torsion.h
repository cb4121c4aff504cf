// Torsional moment along the strength intervals.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

constexpr int OptionTorsion = 13;  // ship option 13

// Heeling moments, torsional moments, percentages and allowables of every
// interval, the torsion summary (CalcData.Strength.Torsion) and
// JudgementFlags[TorsionOK], in the condition's voyage selector.
void CalcTorsion(KvState& state);
void CalcTorsion(KvState& state, int condition);

// grdTMoment as texts in display units.
GridData FillTorsionGrid(const KvState& state);
// The value chart or the percentage chart.
ChartData TorsionChart(const KvState& state, bool percent);

}  // namespace kv
