// The weather criterion of the 2008 IS Code (severe wind and rolling) and the
// steady-wind heel angle against its limit.
#pragma once

#include <string>

#include "model/kvGlobal.h"

namespace kv {

// Factor tables 2.3.4-1 to 2.3.4-4 of the 2008 IS Code, interpolated linearly
// and held at their end values.
Extended WeatherFactorX1(Extended BOverD);
Extended WeatherFactorX2(Extended CB);
Extended WeatherFactorK(Extended BilgeKeelRatio);  // bilge keel area x 100 / (LWL x B)
Extended WeatherFactorS(Extended T);

// Layer of the wind table for the current condition: the deck tier level
// followed by "TIER" with ship option 10 on, otherwise the text of the trim.
std::string WindLayerKey(const KvState& state);

// Fills the weather block, WindArea and RollPeriod from the GZ spline of the
// current condition. Runs only with ship option 6 on and a wind table of at
// least one layer; otherwise the block keeps its values.
void WeatherCriterion(KvState& state);
// The same on a given wind-table layer (the limiting curves use the layer of
// the fullest deck).
void WeatherCriterionOnLayer(KvState& state, const std::string& windLayer);

// Heel angle under a steady wind (504 Pa) at displacement Disp, degrees.
Extended WindHeelAngle(KvState& state, Extended Disp);
// The same on a given wind-table layer: the deck tier level followed by
// "TIER" with ship option 10 on, otherwise empty (WindHeelLayerKey).
Extended WindHeelAngleOnLayer(KvState& state, Extended Disp, const std::string& layer);
std::string WindHeelLayerKey(const KvState& state);
// min(0.8 x angle of deck-edge immersion at draft Draft, 16), degrees.
Extended WindHeelLimit(const shipinfo_rec& ship, Extended Draft);

}  // namespace kv
