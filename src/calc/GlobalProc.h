// The calculation cycle: every change of the condition ends with one call.
#pragma once

#include "model/kvGlobal.h"

namespace kv {

// The steps of the cycle in their order, for timing.
enum class CycleStep {
    StrengthPreparation,  // strength stations, intervals and the lightweight spread
    Summaries,            // group, container and panel totals, lightship, displacement, centres
    FloatingPosition,     // trim search, hydrostatics, drafts and marks
    GMAndHeel,            // propeller immersion, GM, heel, side drafts
    FlagsAndVisibility,   // hold drafts and masses, hold mass check, hold flags, blind distance
    Stability,            // intact stability and its criteria
    Grain,
    Strength,
    Torsion,
    Flooding,
    Count
};
const char* CycleStepName(CycleStep step);

// Told when each step of a cycle has ended (used by the benchmark).
class CycleProbe {
public:
    virtual ~CycleProbe() = default;
    virtual void StepDone(CycleStep step) = 0;
};

void CalculateAll(KvState& state);
void CalculateAll(KvState& state, CycleProbe* probe);

// The weight summary of the cycle alone: group and container totals, tween
// deck panels, lightship, deadweight, displacement and the ship's centres.
// A zero displacement gives centres of 0.
void SumWeights(KvState& state);
// The same into another result record (the flooded condition).
void SumWeights(KvState& state, calcdata_rec& record);

// GM, heel and the side drafts from the totals and the hydrostatics. The
// heel is the small-angle list from the transverse moment; with a GM of
// exactly 0 (or a zero displacement) it is 0 without a transverse moment and
// 90 degrees towards the moment with one, and it never exceeds 90 degrees.
void MetacentricHeightAndHeel(KvState& state);
void MetacentricHeightAndHeel(KvState& state, calcdata_rec& record);

}  // namespace kv
