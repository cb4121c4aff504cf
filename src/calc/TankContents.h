// Contents of tanks, holds and constants: level, volume, weight, centres and
// free-surface moment from the tank tables and the condition's input.
//
// Groups: 1 cargo holds, 2..7 tanks, 8 deadweight constants. The result of
// item i of group g is state.CalcData.Summaries[g + 1].Items[i]; the input is
// state.LoadData.Loads[g].Items[i]. Every value here is in internal units
// (m, m3, t, t/m3, degrees); display factors belong to the cells.
#pragma once

#include "calc/CalcData.h"
#include "model/kvGlobal.h"

namespace kv {

// Ship options that switch on the trim and heel correction of soundings; the
// option text is the method code "0", "1" or "2".
constexpr int HoldCorrectionOption = 8;
constexpr int TankCorrectionOption = 9;

// Above this fill (per cent of MaxVolume) a tank in "Actual" mode is
// pressed full and has no free surface.
constexpr Extended PressedFullPercent = 97.99999L;

// The trim and heel of the sounding corrections: the condition's TrimCorr and
// HeelCorr times the ship's TrimSign and HeelSign.
Extended CorrectionTrim(const KvState& state);
Extended CorrectionHeel(const KvState& state);

// Volume at level h for trim t and heel e from the tank's tables, through the
// corrections the ship options switch on; never negative, never above the
// capacity (HoldCapacity for holds, MaxVolume for tanks). Out-of-range keys
// raise state.Tables.TableRangeExceeded. Group 8 and unknown items give 0.
Extended TankVolumeFromLevel(KvState& state, int group, int tank, Extended level, Extended trim, Extended heel);

// Level of volume V for trim t and heel e (grain holds from their grain
// table, corrected tanks and holds through SolveTankLevel, the others from
// the base table). Group 8 and unknown items give 0.
Extended TankLevelFromVolume(KvState& state, int group, int tank, Extended trim, Extended heel, Extended volume);

// The level in [0, MaxLevel] that TankVolumeFromLevel maps to volume: a
// secant search from the levels 0 and 1 m, at most 100 steps, to within
// 1e-4 m3. Should the secant stall (a flat stretch of the table) the
// volume-level curve is bracketed and halved instead, so that the level
// returned is always the one of the volume asked for.
Extended SolveTankLevel(KvState& state, int group, int tank, Extended volume, Extended trim, Extended heel);

// Capacity of hold (group 1) for its loading mode in m3: TrimmedVolume for
// "T_GRAIN", UntrimmedVolume for "U_GRAIN", MaxVolume otherwise. 0 for an
// unknown hold.
Extended HoldCapacity(const KvState& state, int hold);

// Fills LCG, TCG, VCG, FSM and the three moments of the result of the item
// from the base table at volume V (Weight, Percent and SG must already be
// set). In automatic mode the table centres and the table free-surface moment
// per unit density are written back into the loading record; in manual mode
// (CGMode 1) the record's values stand in for the table's.
void UpdateTankCentres(KvState& state, tanksummary_rec& summary, int group, int tank, Extended volume);

// Recomputes the whole result of one item of group (1..8) from its loading
// record; called after every accepted edit, on opening a condition, by the
// on-line link and by the tools. The result list of the group is sized to the
// group when it is shorter.
void UpdateTankItem(KvState& state, int group, int tank);
// UpdateTankItem for every item of groups 1..8 (after a condition is opened).
void UpdateAllTankItems(KvState& state);

// The trim/heel correction bar: stores the typed trim and heel as the
// condition's TrimCorr and HeelCorr, and every tank and hold of groups 1..7
// keeps its sounding: its volume is read again at its current level for the
// new correction, and the item is recomputed.
void SetSoundingCorrection(KvState& state, Extended trimCorr, Extended heelCorr);

}  // namespace kv
