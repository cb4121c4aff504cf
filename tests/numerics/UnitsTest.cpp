#include <gtest/gtest.h>

#include <string>

#include "model/Config.h"
#include "numerics/Formats.h"
#include "numerics/Units.h"

using namespace kv;

namespace {

config_rec Settings(int length, int volume, int weight, int density, int temperature) {
    config_rec c;
    c.LengthUnit = length;
    c.VolumeUnit = volume;
    c.WeightUnit = weight;
    c.DensityUnit = density;
    c.TemperatureUnit = temperature;
    return c;
}

TEST(UnitName, NamesAndFactorsOfEverySelection) {
    const struct {
        int kind;
        config_rec config;
        const char* name;
        long double factor;
    } cases[] = {
        {UnitLength, Settings(0, 0, 0, 0, 0), "m", 1.0L},
        {UnitLength, Settings(1, 0, 0, 0, 0), "ft", 3.280839895L},
        {UnitLength, Settings(7, 0, 0, 0, 0), "ft", 3.280839895L},
        {UnitVolume, Settings(0, 0, 0, 0, 0), "CuM", 1.0L},
        {UnitVolume, Settings(0, 1, 0, 0, 0), "bbl", 6.28982L},
        {UnitWeight, Settings(0, 0, 0, 0, 0), "Mt", 1.0L},
        {UnitWeight, Settings(0, 0, 1, 0, 0), "Lt", 0.984206439269L},
        {UnitDensity, Settings(0, 0, 0, 0, 0), "MT/CuM", 1.0L},
        {UnitDensity, Settings(0, 0, 0, 1, 0), "CuM/MT", 1.0L},
        {UnitDensity, Settings(0, 0, 0, 2, 0), "CuM/LT", 1.0161L},
        {UnitDensity, Settings(0, 0, 0, 3, 0), "CuFT/MT", 35.3147L},
        {UnitDensity, Settings(0, 0, 0, 4, 0), "CuFT/LT", 35.88136335L},
        {UnitTemperature, Settings(0, 0, 0, 0, 0), "'C", 1.0L},
        {UnitTemperature, Settings(0, 0, 0, 0, 1), "'F", 1.0L},
        {UnitPressure, Settings(1, 1, 1, 1, 1), "mbar", 1.0L},
        {UnitAngle, Settings(1, 1, 1, 1, 1), "deg", 1.0L},
    };
    for (const auto& c : cases) {
        UnitState units;
        units.UnitFactors.fill(-1);
        std::string name = "?";
        UnitName(c.config, units, c.kind, name);
        EXPECT_EQ(name, c.name) << c.kind;
        EXPECT_EQ(units.UnitFactors[size_t(c.kind)], c.factor) << c.kind << " " << c.name;
        EXPECT_EQ(units.UnitNames[size_t(c.kind)], c.name);
    }
}

TEST(UnitName, KindsOutsideTheRangeChangeNothing) {
    UnitState units;
    const UnitState before = units;
    for (int kind : {0, 8, 9, -1}) {
        std::string name = "unchanged";
        UnitName(Settings(1, 1, 1, 3, 1), units, kind, name);
        EXPECT_EQ(name, "unchanged") << kind;
    }
    EXPECT_EQ(units.UnitFactors, before.UnitFactors);
    EXPECT_EQ(units.UnitNames, before.UnitNames);
}

TEST(Units, DisplayConversions) {
    UnitState units;
    config_rec feet = Settings(1, 0, 0, 3, 1);
    RefreshUnits(feet, units);
    // A draft of 10 m in feet, and a typed 32.808 ft back in metres.
    EXPECT_EQ(FormatFloat("0.000", 10 * units.Length()), "32.808");
    long double typed = 32.808L / units.Length();
    EXPECT_LT(typed, 10.0L);
    EXPECT_NEAR(double(typed), 9.9998784, 1e-7);
    // Density 1.025 shown as a stowage factor in cubic feet per tonne.
    long double shown = DensityToDisplay(feet, units, 1.025L);
    EXPECT_EQ(FormatFloat("0.000", shown), "34.453");
    EXPECT_NEAR(double(DensityFromDisplay(feet, units, shown)), 1.025, 1e-15);
    // Temperature in 'F changes the label only.
    EXPECT_EQ(units.UnitNames[UnitTemperature], "'F");
    EXPECT_EQ(20 * units.UnitFactors[UnitTemperature], 20);
    // A zero density has no stowage factor.
    EXPECT_EQ(DensityToDisplay(feet, units, 0), 0);
    EXPECT_EQ(DensityFromDisplay(feet, units, 0), 0);

    config_rec metric = Settings(0, 0, 0, 0, 0);
    RefreshUnits(metric, units);
    EXPECT_EQ(units.Length(), 1);
    EXPECT_EQ(units.Density(), 1);
    EXPECT_EQ(DensityToDisplay(metric, units, 1.025L), 1.025L);
    EXPECT_EQ(DensityFromDisplay(metric, units, 1.025L), 1.025L);
}

TEST(Units, DensitySelectionOutsideTheListShowsDensities) {
    // The label of an unknown selection is "MT/CuM", so the values shown
    // under it must be densities, not stowage factors.
    UnitState units;
    config_rec odd = Settings(0, 0, 0, 7, 0);
    RefreshUnits(odd, units);
    EXPECT_EQ(units.UnitNames[UnitDensity], "MT/CuM");
    EXPECT_EQ(DensityToDisplay(odd, units, 1.025L), 1.025L);
    EXPECT_EQ(DensityFromDisplay(odd, units, 1.025L), 1.025L);
}

TEST(IsNumericText, AcceptedAndRefusedTexts) {
    const struct {
        const char* text;
        bool numeric;
    } cases[] = {
        {"12.5", true},    {"-3", true},     {"  1.2E-3  ", true}, {"1 2", true},    {"E", true},
        {"+5", true},      {"5E+2", true},   {"0", true},          {".5", true},     {"5.", true},
        {"-.5", true},     {"1.5 2.5", true}, {"1E5", true},       {"- 5", true},
        {"", false},       {"   ", false},   {"-", false},         {"+", false},     {".", false},
        {" - ", false},    {"1.2.3", false}, {"1-2", false},       {"1e3", false},   {"12a", false},
        {"--5", false},    {"5+2", false},   {"1,5", false},       {"\t5", false},   {"5\t", false},
        {"\x01", false},   {"DISP", false},  {"1E-3-2", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumericText(c.text), c.numeric) << '"' << c.text << '"';
}

}  // namespace
