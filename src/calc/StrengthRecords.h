// Records of the longitudinal strength, torsion, grain and hold flooding
// calculations: the strength stations and intervals, the summaries kept with
// the calculation results, and the tables and charts as data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/BinaryStream.h"
#include "numerics/GeoTypes.h"
#include "numerics/TableLookup.h"

namespace kv {

// Condition selector of the strength allowables.
enum StrengthCondition { ConditionSea = 0, ConditionPort = 1 };

// A value at both ends of an interval.
struct EndPair {
    Extended At1 = 0;  // at x1
    Extended At2 = 0;  // at x2
};

// The allowables of one curve set (intact or flooded, SEA or PORT) at the
// ends of an interval. SF and BM negative limits are held negated (as
// negative numbers); TMFirst is the negated value stored at offsets 56/66,
// TMSecond the value stored at 112/122.
struct intervalallow_rec {
    EndPair SFPos, SFNeg, BMPos, BMNeg, TMFirst, TMSecond;
};

// Shear force, corrected shear force and bending moment of one evaluation
// (intact or flooded) at both ends of an interval, each with its percentage
// of the allowable and the allowable used (chosen by the sign of the value).
struct strengthvalues_rec {
    EndPair SF, SFPercent, SFAllow;
    EndPair CorrSF, CorrSFPercent, CorrSFAllow;
    EndPair BM, BMPercent, BMAllow;
};

// One strength interval between two consecutive stations (sfbmseg_rec).
struct sfbmseg_rec {
    Extended StartFrame = 0;  // frame number of the start station
    std::string Key;          // "0.000" text of StartFrame, the key of the interval list
    Extended X1 = 0, X2 = 0, Length = 0;
    // Load ordinates in t/m at x1 and x2, weight and centre of the load spread
    // into the interval.
    EndPair LightOrdinate;
    Extended LightWeight = 0, LightLCG = 0;
    EndPair DeadOrdinate;
    Extended DeadWeight = 0, DeadLCG = 0;
    // Sectional areas (after balancing: the balanced, scaled areas), buoyant
    // volume and its centre.
    EndPair BuoyOrdinate;
    Extended BuoyVolume = 0, BuoyCentre = 0;
    strengthvalues_rec Intact;
    // Torsion.
    EndPair HeelMoment, TM, TMPercent, TMAllow;
    // Hold flooding: the strength of the ship with the last flooded hold.
    strengthvalues_rec Flooded;
    // Allowables copied from the ship data: [0] SEA, [1] PORT.
    std::array<intervalallow_rec, 2> IntactAllow;
    std::array<intervalallow_rec, 2> FloodedAllow;
};

// A load spread as a trapezoid over [AftX, ForeX] with its centre at LCG.
struct StrengthLoad {
    Extended Weight = 0, LCG = 0, AftX = 0, ForeX = 0;
};

// The stations and intervals of the strength calculation, rebuilt by every
// BuildStrengthStations, with the totals and balancing figures of the last
// runs.
struct StrengthState {
    // Two parallel lists of "0.000" texts, ordered along the ship.
    std::vector<std::string> StationFrames;
    std::vector<std::string> StationPositions;
    // The values of those texts, kept in step with them by the station
    // routines (AddStationAtPosition, AddStationAtFrame, BuildStrengthStations).
    std::vector<Extended> StationFrameNo;
    std::vector<Extended> StationPos;
    // Intervals in ascending order of their start frame, and the index of
    // each by its key (Key).
    std::vector<sfbmseg_rec> Intervals;
    std::unordered_map<std::string, size_t> IntervalIndex;
    // For every interval the index of its end station (its start station is
    // the one before), so that per-station values serve both neighbours.
    std::vector<size_t> IntervalEndStation;
    // Sectional areas at both ends of every interval ([2i] at x1, [2i+1] at
    // x2) at the floating position of the last buoyancy run, before balancing.
    std::vector<Extended> SectionAreas;
    // Ordinates left to re-fit after a spread, per interval and load kind:
    // 0 untouched, 1 re-fit and clamp negatives, 2 re-fit without clamp (the
    // kind of the last item spread into the interval decides).
    std::vector<uint8_t> LightRefit, DeadRefit;
    // Containers gathered by extent for the deadweight spread (kept to
    // reuse its storage).
    std::vector<StrengthLoad> ContainerLoads;
    // Bonjean look-ups prepared once per station text, kept from run to run
    // while the table they were prepared on is the same (its address and
    // shape); the ship tables do not change after start-up.
    std::unordered_map<std::string, PreparedLookup> BonjeanLookups;
    const void* BonjeanTable = nullptr;
    std::array<int32_t, 3> BonjeanShape{};
    Extended LightweightTotal = 0;  // the lightweight actually spread
    Extended WeightTotal = 0;       // deadweight spread plus LightweightTotal (last run)
    Extended BuoyantVolume = 0;     // sum of the buoyant volumes before balancing (last run)

    // The interval keyed by this "0.000" frame text, or nullptr.
    const sfbmseg_rec* Find(const std::string& key) const {
        auto it = IntervalIndex.find(key);
        return it == IntervalIndex.end() ? nullptr : &Intervals[it->second];
    }
    sfbmseg_rec* Find(const std::string& key) {
        auto it = IntervalIndex.find(key);
        return it == IntervalIndex.end() ? nullptr : &Intervals[it->second];
    }
};

// A value with where it occurs and against what it was judged.
struct extreme_rec {
    Extended Value = 0;
    Extended Frame = 0;
    Extended Pos = 0;
    Extended Percent = 0;
    Extended Allow = 0;
};

// The extremes of one strength evaluation (the StrengthSummary and the hold
// strength record of a flooded hold). For the percentage extremes Percent is
// the largest percentage and Value the SF, corrected SF or BM there.
struct strengthextremes_rec {
    Extended MaxLoad = 0, MaxLoadFrame = 0, MaxLoadPos = 0;
    extreme_rec MaxSF, MaxCorrSF, MaxBM;
    extreme_rec MaxSFPct, MaxCorrSFPct, MaxBMPct;
};

// How the balancing loop ended.
struct balance_rec {
    int Passes = 0;
    Extended Tilt = 0;
    Extended Residual = 0;  // BM at the forward end after the last pass
};

struct torsionsummary_rec {
    bool Computed = false;
    extreme_rec MaxTM;     // largest |TM| with percentage and allowable
    extreme_rec MaxTMPct;  // largest |TM %| (Percent) with the TM there (Value)
    bool WithinLimits = false;
    Extended TotalHeelMoment = 0;  // H
};

struct strengthsummary_rec {
    bool Computed = false;
    strengthextremes_rec Extremes;
    balance_rec Balance;
    torsionsummary_rec Torsion;
};

// One grain compartment of load group 1: ullage, grain centre height,
// volumetric heeling moment (m4) and grain heeling moment (t-m).
struct graincompartment_rec {
    Extended Ullage = 0;
    Extended VCG = 0;
    Extended VolumetricMoment = 0;
    Extended HeelingMoment = 0;
};

// One row of a criteria grid as shown: texts ready for the grid (ACTUAL and
// ALLOW in display units), whether the row is shown and whether it is drawn
// red. The intact criteria grid and the grain grid share it.
struct stabcriterion_rec {
    int Row = 0;
    std::string Name;
    std::string Actual;
    std::string Sign;
    std::string Allow;
    std::string Unit;
    std::string Judge;  // "OK", "NOT OK", "OUT OF RANGE" or empty
    bool Shown = false;
    bool Red = false;
};

struct grainsummary_rec {
    bool Computed = false;
    std::vector<graincompartment_rec> Compartments;  // one per compartment of load group 1
    Extended GMSolid = 0;
    Extended FSC = 0;
    Extended GoM = 0;
    Extended Lambda0 = 0;
    Extended Lambda40 = 0;
    Extended TotalMoment = 0;
    Extended WeightedMoment = 0;
    Extended AllowableMoment = 0;
    Extended StaticAngle = 0;
    Extended ResidualArea = 0;
    Extended AngleLimit = 0;
    std::vector<stabcriterion_rec> Rows;  // the six rows of the grain grid
    bool Passed = false;
};

// Flooded floating position and flood water of one hold (fldtkinfo_rec).
struct fldtkinfo_rec {
    bool Computed = false;
    Extended FloodWater = 0;
    Extended FloodWaterLCG = 0;
    Extended Displacement = 0;
    Extended Trim = 0;
    Extended DraftAP = 0;
    Extended DraftFP = 0;
    Extended Permeability = 0;
    Extended MeanDraft = 0;
    int Iterations = 0;  // passes of the equilibrium loop
};

// Strength extremes of one flooded hold.
struct holdstrength_rec {
    bool Computed = false;
    strengthextremes_rec Extremes;
    balance_rec Balance;
};

struct floodsummary_rec {
    bool Computed = false;  // some hold has been flooded since the last cycle
    std::vector<fldtkinfo_rec> Holds;            // indexed by hold
    std::vector<holdstrength_rec> HoldStrength;  // indexed by hold
};

// A grid as the window will show it: cells as texts, fixed rows, column
// width proportions, and the cells drawn red.
struct GridData {
    int FixedRows = 0;
    std::vector<int> ColWidths;
    std::vector<std::vector<std::string>> Cells;  // [row][column]
    std::vector<std::vector<bool>> Red;           // same shape as Cells, may be empty
};

// Chart series as data: a labelled polyline over x (metres from the AP).
struct ChartSeries {
    std::string Label;
    std::vector<TPoint2D> Points;
};

struct ChartData {
    std::vector<std::string> Captions;   // chart captions in order
    std::vector<ChartSeries> Curves;     // the value curves
    std::vector<ChartSeries> Limits;     // allowable lines
    std::vector<std::string> Legend;     // legend lines as drawn, with their "[fr0.0]" tags
    std::vector<std::pair<Extended, std::string>> Ticks;  // x and label of the axis ticks
};

}  // namespace kv
