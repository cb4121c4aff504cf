// Shear force correction: dQ at both ends of one strength interval by the
// ship's correction method.
#pragma once

#include <vector>

#include "model/kvGlobal.h"

namespace kv {

// Ship option 3: its switch turns the correction on, its text holds the method.
constexpr int OptionSFCorrectionMethod = 3;
// Ship option 12: continuous correction (off: bulkhead correction).
constexpr int OptionContinuousCorrection = 12;

// "(DNV)Qsl", "(LR)Qa,Qb", "(BV,DNV,...)Qc", "(KR)Qc", "(LR)Qc"; "" outside 0..4.
const char* ShearCorrectionMethodName(int method);
// Methods 0 and 4 subtract dQ from the SF, 1, 2 and 3 add it.
bool CorrectionSubtracts(int method);

// dQ at x1 (At1) and at x2 (At2) for the interval [x1, x2], from the record
// (CalcData or CalcDataFlood) and the intact or flooded SF of the intervals.
// Both 0 when the interval lies in no single hold.
EndPair ShearForceCorrection(KvState& state, int method, const calcdata_rec& record, Extended x1, Extended x2,
                             bool flooded);

// ShearForceCorrection for every interval of state.Strength in order, each
// hold's correction worked out once: the same values at a fraction of the
// cost when the whole interval list is corrected.
std::vector<EndPair> ShearForceCorrections(KvState& state, int method, const calcdata_rec& record, bool flooded);

}  // namespace kv
