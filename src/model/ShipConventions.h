// Frame numbers against longitudinal positions, and the displayed sign and
// reference conventions of the ship data.
#pragma once

#include "model/ShipInfo.h"

namespace kv {

// Conversions over ship.FrameList (frame number and x in millimetres, both
// ascending). Inside the table the value is interpolated linearly between the
// two records that bracket the argument; below the first record the first two
// records are used and at or above the last record the last two, so both ends
// extrapolate linearly.
// Degenerate tables give finite results instead of failing: an empty table
// gives 0; a single record gives that record's value whatever the argument
// (no slope can be known); two consecutive records with the same key give the
// value of the first of them.
Extended FrameToPosition(const shipinfo_rec& ship, Extended frame);      // frame -> x in mm
Extended PositionToFrame(const shipinfo_rec& ship, Extended positionMM);  // x in mm -> frame

// Longitudinal display: from the aft perpendicular or from midship
// (LongRefMidship non-zero: x - LBP / 2), times LongSign. A stored x of exactly
// 0 is shown as 0 (empty items stay 0 in every grid).
// The signs of the ship data are taken by their sign only: a negative value is
// -1, anything else (including the 0 of an empty ship) is +1, so the
// conversions never divide by zero and From* is always the inverse of To*.
Extended ToDisplayLong(const shipinfo_rec& ship, Extended x);
Extended FromDisplayLong(const shipinfo_rec& ship, Extended v);
Extended ToDisplayTrans(const shipinfo_rec& ship, Extended y);
Extended FromDisplayTrans(const shipinfo_rec& ship, Extended v);
// Displayed trim and heel: the computed values times TrimSign and HeelSign
// (taken by their sign as above).
Extended ToDisplayTrim(const shipinfo_rec& ship, Extended trim);
Extended ToDisplayHeel(const shipinfo_rec& ship, Extended heel);

// +1 or -1 for a stored sign value (0 counts as +1).
inline int SignOf(int32_t stored) { return stored < 0 ? -1 : 1; }

}  // namespace kv
