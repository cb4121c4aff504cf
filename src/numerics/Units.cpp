#include "numerics/Units.h"

#include "model/Config.h"

namespace kv {

void UnitName(const config_rec& config, UnitState& units, int kind, std::string& name) {
    Extended factor = 1.0L;
    switch (kind) {
    case UnitLength:
        if (config.LengthUnit == 0) name = "m";
        else { name = "ft"; factor = 3.280839895L; }
        break;
    case UnitVolume:
        if (config.VolumeUnit == 0) name = "CuM";
        else { name = "bbl"; factor = 6.28982L; }
        break;
    case UnitWeight:
        if (config.WeightUnit == 0) name = "Mt";
        else { name = "Lt"; factor = 0.984206439269L; }
        break;
    case UnitDensity:
        switch (config.DensityUnit) {
        case 1: name = "CuM/MT"; factor = 1.0L; break;
        case 2: name = "CuM/LT"; factor = 1.0161L; break;
        case 3: name = "CuFT/MT"; factor = 35.3147L; break;
        case 4: name = "CuFT/LT"; factor = 35.88136335L; break;
        default: name = "MT/CuM"; factor = 1.0L; break;
        }
        break;
    case UnitTemperature:
        name = config.TemperatureUnit == 0 ? "'C" : "'F";
        break;
    case UnitPressure:
        name = "mbar";
        break;
    case UnitAngle:
        name = "deg";
        break;
    default:
        return;
    }
    units.UnitFactors[size_t(kind)] = factor;
    units.UnitNames[size_t(kind)] = name;
}

void RefreshUnits(const config_rec& config, UnitState& units) {
    std::string name;
    for (int kind = 1; kind <= 8; ++kind) UnitName(config, units, kind, name);
}

// Stowage factors are shown only for the four stowage-factor selections; any
// other value is labelled "MT/CuM" and therefore shows densities.
static bool ShowsStowageFactor(const config_rec& config) { return config.DensityUnit >= 1 && config.DensityUnit <= 4; }

Extended DensityToDisplay(const config_rec& config, const UnitState& units, Extended density) {
    if (!ShowsStowageFactor(config)) return density;
    if (density == 0) return 0;
    return units.Density() / density;
}

Extended DensityFromDisplay(const config_rec& config, const UnitState& units, Extended shown) {
    if (!ShowsStowageFactor(config)) return shown;
    if (shown == 0) return 0;
    return units.Density() / shown;
}

bool IsNumericText(std::string_view s) {
    size_t b = 0, e = s.size();
    auto blankOrCtl = [](unsigned char c) { return c <= ' '; };
    while (b < e && blankOrCtl((unsigned char)s[b])) ++b;
    while (e > b && blankOrCtl((unsigned char)s[e - 1])) --e;
    std::string_view t = s.substr(b, e - b);
    if (t.empty() || t == "-" || t == "." || t == "+") return false;
    int p = 0;
    bool pointAllowed = true;
    char prev = 0;
    for (char c : s) {
        if (c == ' ') {
            p = 0;
            pointAllowed = true;
            prev = c;
            continue;
        }
        ++p;
        if (c == '.') {
            if (!pointAllowed) return false;
            pointAllowed = false;
        } else if (c == '-' || c == '+') {
            if (p > 1 && prev != 'E') return false;
        } else if (!(c >= '0' && c <= '9') && c != 'E') {
            return false;
        }
        prev = c;
    }
    return true;
}

}  // namespace kv
