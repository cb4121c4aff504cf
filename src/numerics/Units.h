// Display units: names for labels and conversion factors (displayed value =
// internal value x factor; typed value / factor = internal value).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/BinaryStream.h"

namespace kv {

struct config_rec;

enum UnitKind {
    UnitLength = 1,
    UnitVolume = 2,
    UnitWeight = 3,
    UnitDensity = 4,
    UnitTemperature = 5,
    UnitPressure = 6,
    UnitAngle = 7,
};

struct UnitState {
    // Factors by kind 1..7 (index 0 unused); every factor is valid once the
    // names of kinds 1..8 have been requested after the settings were read.
    std::array<Extended, 8> UnitFactors{1, 1, 1, 1, 1, 1, 1, 1};
    std::array<std::string, 8> UnitNames{"", "m", "CuM", "Mt", "MT/CuM", "'C", "mbar", "deg"};

    Extended Length() const { return UnitFactors[UnitLength]; }
    Extended Volume() const { return UnitFactors[UnitVolume]; }
    Extended Weight() const { return UnitFactors[UnitWeight]; }
    Extended Density() const { return UnitFactors[UnitDensity]; }
};

// Sets name to the unit name of kind for the current settings and stores the
// kind's factor. Kinds outside 1..7 leave both unchanged.
void UnitName(const config_rec& config, UnitState& units, int kind, std::string& name);
// Requests the names of kinds 1..8 once, as the start-up does.
void RefreshUnits(const config_rec& config, UnitState& units);

// Density shown in the grids: the density itself with DensityUnit 0,
// otherwise the stowage factor (factor / density; 0 for a zero density).
Extended DensityToDisplay(const config_rec& config, const UnitState& units, Extended density);
Extended DensityFromDisplay(const config_rec& config, const UnitState& units, Extended shown);

// True when S is acceptable as a number (blanks, signs, one point per token,
// digits and a capital E).
bool IsNumericText(std::string_view s);

}  // namespace kv
