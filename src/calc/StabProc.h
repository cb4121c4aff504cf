// Intact stability: righting levers, criteria and the weather criterion.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

// Called by the cycle with TableRangeExceeded cleared just before: the
// righting-lever curve at the current trim, the weather criterion (option 6)
// and the criteria table with the stability judgement.
void RunStability(KvState& state);

// Cross-curve values, righting levers, flooding angle, the curve's
// characteristics and areas, and the spline over the curve (state.Calc.GZSpline).
void BuildGZCurve(KvState& state, Extended Trim);

// Angles in degrees, 0..90, from the flooding-angle and deck-immersion tables
// (keyed by displacement or draft, or lists of points). Heel is not used.
Extended FloodingAngle(KvState& state, Extended Disp, Extended Trim);
Extended DeckImmersionAngle(KvState& state, Extended Disp, Extended Trim, Extended Heel);

// Angle where the curve of GZSpline crosses the straight heeling arm through
// (A1, L1) and (A2, L2), read chord by chord over whole degrees. Mode 0: the
// first crossing where the curve rises (A1 without one); mode 1: the last
// crossing where it falls (A2 without one).
Extended HeelingArmCrossing(const TReal1DArray& GZSpline, int Mode, double A1, double L1, double A2, double L2);

// True when the table has a column of that heading (case and surrounding
// blanks ignored).
bool TableHasColumn(const xyztable_rec& t, const std::string& name);

// The last heel angle of the cross curves (0 without angle columns).
Extended LastCrossCurveAngle(const shipinfo_rec& ship);

// Allowable GoM or KG of ship option 7 ("MINGM"), 14 ("MAXKG"), 15 ("MINGM"
// of the damage table) or 16 ("KGDAM"); 0 when the option is off or the table
// has no key column.
Extended GMLimitValue(KvState& state, int Code, Extended Disp, Extended Trim);

}  // namespace kv
