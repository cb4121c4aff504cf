// Longitudinal strength: stations and intervals, weight and buoyancy
// distribution, balancing, shear force, corrected shear force and bending
// moment, their extremes, and the read-out table and charts as data.
#pragma once

#include <vector>

#include "model/kvGlobal.h"

namespace kv {

// y1 + (y2 - y1)(x - x1)/(x2 - x1); y1 when x2 = x1.
Extended LinearInterpolate(Extended y2, Extended x2, Extended y1, Extended x1, Extended x);

// Mean of the drafts at the aft and fore end of tank `tank` of load group
// `group`, the draft at x being meanDraft + (x - LBP/2) trim / LBP (trim
// positive by the head). 0 for a tank that does not exist.
Extended MeanDraftOverSpace(const KvState& state, int group, int tank, Extended trim, Extended meanDraft);

// A triangular point addition to the shear force: Value rising from 0 at
// frame Start to Value at Peak and back to 0 at End.
struct ShearTriangle {
    Extended Value = 0;
    Extended Start = 0, Peak = 0, End = 0;
};
Extended TriangleAddition(const shipinfo_rec& ship, const ShearTriangle& t, Extended frame);
// The same with the positions (m) of the frame and of the triangle's start,
// peak and end already known.
Extended TriangleAdditionAt(const ShearTriangle& t, Extended frame, Extended xFrame, Extended xStart, Extended xPeak,
                            Extended xEnd);
// The two sea-going additions: -20 t over frames 12/39/69 and +50 t over 204/234/250.
Extended SeaShearAddition(const shipinfo_rec& ship, Extended frame);

// The two triangles of SeaShearAddition, as a run's Additions.
const std::vector<ShearTriangle>& SeaShearTriangles();

// The tolerant comparisons of CompareValues (two values closer than 1e-5
// are equal) for the loops over every interval.
inline bool TolerantEqual(Extended a, Extended b) { return (a - b < 0 ? b - a : a - b) < Extended(1e-5L); }
inline bool TolerantGE(Extended a, Extended b) { return TolerantEqual(a, b) || a - b > Extended(1e-5L); }
inline bool TolerantLE(Extended a, Extended b) { return TolerantEqual(a, b) || a - b < Extended(1e-5L); }
inline bool TolerantLT(Extended a, Extended b) { return !TolerantEqual(a, b) && a < b; }
inline bool TolerantGT(Extended a, Extended b) { return !TolerantEqual(a, b) && a > b; }

// Station list building (the lists of state.Strength).
void AddStationAtPosition(StrengthState& s, Extended x);
void AddStationAtFrame(StrengthState& s, Extended frame);

// Stations, intervals, lightweight spread and allowables. Shows "Warning :
// light weight distribution data(lcg position)" through state.Messages for
// each lightweight row whose LCG is not strictly inside its extent.
void BuildStrengthStations(KvState& state);

// Tween deck settings of the first hold under which the cargo compartments'
// weight is split at CargoSplitX: "Stowed in deck" (every loaded compartment,
// 85.3 % aft) and "Used as Upper Tweendeck" (the third compartment, 59 % aft).
constexpr int TweenStowedInDeck = 2;
constexpr int TweenUpperTweendeck = 4;
constexpr Extended CargoSplitX = 77.1L;

// Which load of an interval a spread item adds to.
enum class LoadKind { Light, Dead };

// Spreads one item as a trapezoid over every interval inside [AftX, ForeX]
// (tolerant), accumulating weight and centre of the kind. The interval's
// ordinates are re-fitted from its weight and centre by RefitOrdinates, with
// negatives set to 0 when the last item spread into it asked so
// (clampNegative): re-fitting after every item gives the same ordinates,
// since each re-fit replaces the one before. Returns the weight spread (0 for
// an item without extent).
Extended SpreadLoad(StrengthState& s, const StrengthLoad& load, LoadKind kind, bool clampNegative);
// Re-fits the ordinates of the kind in every interval a spread has touched
// since the last call.
void RefitOrdinates(StrengthState& s, LoadKind kind);

// The deadweight of the condition (cargo list, tanks of groups 1 to 8 from
// state.CalcData, containers, tween deck panels) spread over the intervals,
// then the extra loads (the flood water of a flooded hold) in order.
void DistributeDeadweight(KvState& state, const std::vector<StrengthLoad>& extra = {});

// What one strength evaluation works on: the intact ship, or the ship with a
// flooded hold.
struct StrengthRun {
    bool Flooded = false;     // flooded allowables in, Flooded fields of the intervals out
    int Condition = ConditionSea;
    const calcdata_rec* Record = nullptr;  // DraftAP, Trim, LCF; weights for the SF correction
    Extended Density = 1.025L;             // sea water
    std::vector<ShearTriangle> Additions;  // point additions to the SF (SEA: SeaShearAddition's two)
};

// The run of the intact ship for the condition selector (0 SEA, 1 PORT).
StrengthRun IntactStrengthRun(const KvState& state, int condition);

// Buoyancy ordinates at the run's floating position (sectional areas from
// the Bonjean table, negatives 0), buoyant volumes and centres, and the
// weight and volume totals of state.Strength.
void ComputeBuoyancy(KvState& state, const StrengthRun& run);

// The balancing loop with SF, BM, percentages and allowables of the run,
// then the corrected SF (shear force correction when ship option 3 is on)
// and the balanced areas stored as the buoyancy ordinates.
balance_rec BalanceStrength(KvState& state, const StrengthRun& run);

// Extremes over both ends of every interval but the last, of the intact or
// the flooded values.
strengthextremes_rec StrengthExtremes(const StrengthState& s, bool flooded);

// True when every examined percentage lies within 100 % (the corrected SF
// when the correction is on, else the SF, and the BM).
bool StrengthWithinLimits(const StrengthState& s, bool flooded, bool corrected);

// DistributeDeadweight, ComputeBuoyancy, BalanceStrength and the extremes for
// the intact ship in the condition's voyage selector (LoadData.VoyageCond),
// into CalcData.Strength; sets JudgementFlags[StrengthOK].
void CalcStrength(KvState& state);
// The same for an explicit condition selector.
void CalcStrength(KvState& state, int condition);

// The values of one read-out point in internal units: the interval named by
// the point's frame, at its start (side 0) or at the end of the interval
// before (side -1). Found is false when the frame names no interval (or side
// -1 names the first one). CorrSF is the value the "Corr" column shows: of
// the corrected SF at the start of the named interval and at the end of the
// one before, the one nearer the SF (the one before on a tie), with its own
// percentage and allowable; SFPercent and SFAllow are those of the corrected
// SF when the correction is on, else of the SF.
struct strengthreadout_rec {
    Extended Frame = 0;
    int Side = 0;
    bool Found = false;
    Extended Position = 0;
    Extended SF = 0, CorrSF = 0, CorrSFPercent = 0, CorrSFAllow = 0, SFPercent = 0, SFAllow = 0;
    Extended BM = 0, BMPercent = 0, BMAllow = 0;
    Extended HeelMoment = 0, TM = 0, TMPercent = 0, TMAllow = 0;
};
// One row per read-out point of the ship, intact or flooded values.
std::vector<strengthreadout_rec> StrengthReadOut(const KvState& state, bool flooded = false);

// The read-out table (grdStrength; grdFlood with flooded) as texts in
// display units.
GridData FillStrengthGrid(const KvState& state, bool flooded = false);

// The value chart (percent false) or the percentage chart of the intact or
// flooded strength.
ChartData StrengthChart(const KvState& state, bool percent, bool flooded = false);

}  // namespace kv
