#include "model/EnvOptionsLogic.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "model/ShipConventions.h"

namespace kv {

namespace {

std::string Fmt(const char* format, Extended v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, double(v));
    return buf;
}

// Column index (1-based) of a heading of the table, or 0.
int ColumnOf(const xyztable_rec& t, const std::string& heading) {
    for (int c = 1; c <= t.ColCount && c < int(t.ColHeads.size()); ++c)
        if (t.ColHeads[size_t(c)].str() == heading) return c;
    return 0;
}

// The value at page, column, row 1, when the table holds it.
bool PageValue(const xyztable_rec& t, int page, int col, Extended& v) {
    if (col <= 0 || page <= 0 || size_t(page) >= t.Values.size()) return false;
    const auto& cols = t.Values[size_t(page)];
    if (size_t(col) >= cols.size() || cols[size_t(col)].size() < 2) return false;
    v = cols[size_t(col)][1];
    return true;
}

bool ParseInt(const std::string& text, int32_t& out) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string t = text.substr(b, e - b);
    if (t.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(t.c_str(), &end, 10);
    if (*end != 0 || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    out = int32_t(v);
    return true;
}

}  // namespace

std::vector<std::string> ZoneNames(const shipinfo_rec& ship) {
    const xyztable_rec& t = ship.ShipTables.LoadLineTable();
    std::vector<std::string> names;
    for (int p = 1; p <= t.LayerCount && p < int(t.LayerHeads.size()); ++p) names.push_back(t.LayerHeads[size_t(p)].str());
    return names;
}

EnvOptionsFields LoadEnvOptions(const config_rec& c, const UnitState& units, const shipinfo_rec& ship,
                                ZoneInfo& zone) {
    EnvOptionsFields f;
    Extended lf = units.Length(), wf = units.Weight();
    f.Fonts = c.Fonts;
    f.SeaDensity = c.SeaDensity;
    f.ShowMaxOnGraph = c.ShowMaxOnGraph != 0;
    f.XLabelMode = c.XLabelMode;
    f.LengthUnit = c.LengthUnit;
    f.VolumeUnit = c.VolumeUnit;
    f.WeightUnit = c.WeightUnit;
    f.DensityChoice = c.DensityUnit == 0 ? 0 : 1;
    f.StowageFactorEnabled = c.DensityUnit != 0;
    f.StowageFactorUnit = c.DensityUnit != 0 ? c.DensityUnit - 1 : 0;
    f.SeaColor = c.SeaColor;
    f.SkyColor = c.SkyColor;
    f.SeaPicture = c.SeaPicture.str();
    f.SkyPicture = c.SkyPicture.str();
    f.TankColors = c.TankColors;
    f.Zone = c.LoadLineIndex;
    f.MinDraftFwd = c.MinDraftFwd() * lf;
    f.MaxDraft = c.MaxDraft() * lf;
    int trimSign = SignOf(ship.TrimSign), heelSign = SignOf(ship.HeelSign);
    f.ByStern = trimSign * c.TrimLimitStern() * lf;
    f.ByHead = trimSign * c.TrimLimitHead() * lf;
    f.MaxHeel = heelSign * c.MaxHeel();
    f.MaxGM = c.MaxGM() * lf;
    f.MaxWeight20 = c.MaxWeight20() * wf;
    f.MaxWeight40 = c.MaxWeight40() * wf;
    f.ContVCGPercent = c.ContVCGPercent;
    f.HatchHeight = c.HatchHeight * lf;
    f.MaxFontSize = std::to_string(c.MaxFontSize);
    f.ContViewWidth = std::to_string(c.ContViewWidth);
    f.ContViewHeight = std::to_string(c.ContViewHeight);
    zone = ZoneStep(ship, units, f);
    return f;
}

ZoneInfo ZoneStep(const shipinfo_rec& ship, const UnitState& units, EnvOptionsFields& f) {
    ZoneInfo z;
    z.MaxDisplacement = ship.DesignDisplacement;
    const xyztable_rec& t = ship.ShipTables.LoadLineTable();
    int page = f.Zone + 1;
    if (page < 1 || t.LayerCount < page) return z;
    Extended lf = units.Length(), wf = units.Weight(), v = 0;
    if (PageValue(t, page, ColumnOf(t, "FB"), v)) {
        z.FreeboardShown = true;
        z.Freeboard = Fmt("%.3f", v * lf);
    }
    if (PageValue(t, page, ColumnOf(t, "DRAFT"), v)) {
        z.DraftShown = true;
        z.Draft = Fmt("%.3f", v * lf);
        f.MaxDraft = std::strtold(z.Draft.c_str(), nullptr);
    }
    // The zone's displacement is kept in tonnes (it is compared with the
    // displacement in tonnes); only the two texts are in the display unit.
    Extended disp = 0;
    if (PageValue(t, page, ColumnOf(t, "DWT"), v)) {
        disp = ship.LightWeight + v;
    } else if (PageValue(t, page, ColumnOf(t, "DISP"), v)) {
        disp = v;
    } else {
        return z;
    }
    z.Displacement = Fmt("%.1f", disp * wf);
    z.Deadweight = Fmt("%.1f", (disp - ship.LightWeight) * wf);
    z.MaxDisplacement = disp;
    return z;
}

Extended ClampSeaDensity(Extended value) {
    if (value < 0.5L) return 0.5L;
    if (value > 1.5L) return 1.5L;
    return value;
}

Extended CheckByStern(Extended value, int32_t trimSign) {
    int s = SignOf(trimSign);
    Extended signedValue = value * s;
    if (signedValue < -5 || signedValue > 0) return -5.0L * s;
    return value;
}

Extended CheckByHead(Extended value, int32_t trimSign) {
    int s = SignOf(trimSign);
    Extended signedValue = value * s;
    if (signedValue < 0 || signedValue > 1) return Extended(s);
    return value;
}

std::string StoreEnvOptions(const EnvOptionsFields& f, const ZoneInfo& zone, const shipinfo_rec& ship,
                            config_rec& c, UnitState& units, loaddata_rec& load, double& maxDisplacement) {
    int32_t fontSize = 0, viewWidth = 0, viewHeight = 0;
    for (auto [text, out] : {std::pair{&f.MaxFontSize, &fontSize}, std::pair{&f.ContViewWidth, &viewWidth},
                             std::pair{&f.ContViewHeight, &viewHeight}})
        if (!ParseInt(*text, *out)) return "'" + *text + "' is not a valid integer value";

    Extended lf = units.Length(), wf = units.Weight();
    int trimSign = SignOf(ship.TrimSign), heelSign = SignOf(ship.HeelSign);
    c.Fonts = f.Fonts;
    c.SeaDensity = f.SeaDensity;
    load.SeaDensity = f.SeaDensity;
    c.ShowMaxOnGraph = f.ShowMaxOnGraph ? 1 : 0;
    c.XLabelMode = f.XLabelMode;
    c.LengthUnit = f.LengthUnit;
    c.VolumeUnit = f.VolumeUnit;
    c.WeightUnit = f.WeightUnit;
    c.DensityUnit = f.DensityChoice == 0 ? 0 : f.StowageFactorUnit + 1;
    c.SeaColor = f.SeaColor;
    c.SkyColor = f.SkyColor;
    c.TankColors = f.TankColors;
    c.SeaPicture.set(f.SeaPicture);
    c.SkyPicture.set(f.SkyPicture);
    c.LoadLineIndex = f.Zone;
    c.ContVCGPercent = float(f.ContVCGPercent);
    maxDisplacement = double(zone.MaxDisplacement);
    c.Limits[LimMinDraftFwd] = double(f.MinDraftFwd / lf);
    c.Limits[LimMaxDraft] = double(f.MaxDraft / lf);
    c.Limits[LimTrimLimitStern] = double(f.ByStern / (trimSign * lf));
    c.Limits[LimTrimLimitHead] = double(f.ByHead / (trimSign * lf));
    c.Limits[LimMaxHeel] = double(f.MaxHeel / heelSign);
    c.Limits[LimMaxGM] = double(f.MaxGM / lf);
    c.Limits[LimMaxWeight20] = double(f.MaxWeight20 / wf);
    c.Limits[LimMaxWeight40] = double(f.MaxWeight40 / wf);
    c.HatchHeight = f.HatchHeight / lf;
    c.MaxFontSize = fontSize;
    c.ContViewWidth = viewWidth;
    c.ContViewHeight = viewHeight;
    RefreshUnits(c, units);
    return {};
}

}  // namespace kv
