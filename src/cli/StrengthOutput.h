// Output of the strength family of korvanel-cli calc: longitudinal strength,
// torsion, grain stability, cargo hold masses and hold flooding, as JSON
// (StrengthJson.cpp) and as text (StrengthText.cpp), in internal units.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/Strength.h"
#include "model/kvGlobal.h"

namespace kvcli {

// What the command line asked for beyond the intact condition.
struct StrengthRequest {
    bool Intervals = false;           // every strength interval in the JSON
    std::vector<int> FloodHolds;      // 0-based holds flooded, in the order run
};

// One read-out point of the strength table with the values the table shows:
// the SF and BM at the start of the interval that begins at the point's
// frame (side 0) or at the end of the interval before it (side -1); CorrSF is
// the value of the "Corr" column, which may come from the other side of the
// station (the corrected SF jumps at a bulkhead): CorrSFPercent and
// CorrSFAllow belong to that value, while SFPercent and SFAllow are those of
// the table's columns (of the corrected SF at the side's own end when the
// correction is on). Torsion values of the same end follow.
using ReadOutRow = kv::strengthreadout_rec;

// The rows of the read-out points whose frame names an interval, of the
// intact or the flooded values.
std::vector<ReadOutRow> FoundReadOut(const kv::KvState& state, bool flooded);

// The cargo mass counted in one hold against its limits at the hold's draft,
// alone and together with the next hold (not for the last hold).
struct HoldMassPair {
    kv::Extended Draft = 0, Mass = 0, Min = 0, Max = 0;
    bool Pass = false;
};
struct HoldMassRow {
    int Hold = 0;  // from 0
    kv::Extended PlannedMass = 0;
    HoldMassPair Alone;
    bool HasNext = false;
    HoldMassPair WithNext;
};
std::vector<HoldMassRow> HoldMassRows(kv::KvState& state);

// Whether each calculation of the family ran in this command.
struct StrengthRan {
    bool Strength = false, Torsion = false, Grain = false, HoldMass = false, Flooding = false;
};
StrengthRan WhatRan(const kv::KvState& state, const StrengthRequest& req);

// "NO.%d CARGO HOLD" with the hold number from 1.
std::string FloodHoldName(int hold);

// Adds "Strength", "Torsion", "Grain", "HoldMass", "Flooding" and
// "NotComputed" to the result object.
void AddStrengthJson(nlohmann::ordered_json& j, kv::KvState& state, const StrengthRequest& req);

// One criteria row (intact or grain) as JSON: row, name without surrounding
// blanks, actual, sign, allow, unit, judge, shown.
nlohmann::ordered_json CriterionRowJson(const kv::stabcriterion_rec& r);

// The same content as readable text.
void PrintStrengthText(std::ostream& os, kv::KvState& state, const StrengthRequest& req);

}  // namespace kvcli
