// The environment options dialog ("Environment Options") without its
// window: the controls' values in display units, the load line zone step,
// the range resets of "Sea water density", "By stern" and "By head", and OK.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/Config.h"
#include "model/LoadData.h"
#include "model/ShipInfo.h"
#include "numerics/Units.h"

namespace kv {

struct EnvOptionsFields {
    std::array<font_rec, 3> Fonts{};
    Extended SeaDensity = 0;       // "Sea water density"
    bool ShowMaxOnGraph = false;
    int XLabelMode = 0;            // 0 "Frame No", 1 "Distance"
    int LengthUnit = 0, VolumeUnit = 0, WeightUnit = 0;
    int DensityChoice = 0;         // 0 "S.G", 1 "S.F"
    int StowageFactorUnit = 0;     // 0 "CuM/MT" .. 3 "CuFT/LT"
    bool StowageFactorEnabled = false;
    int32_t SeaColor = 0, SkyColor = 0;
    std::string SeaPicture, SkyPicture;
    std::array<int32_t, 6> TankColors{};
    int Zone = 0;
    // Limits as shown (display units, signs applied).
    Extended MinDraftFwd = 0, MaxDraft = 0, ByStern = 0, ByHead = 0, MaxHeel = 0, MaxGM = 0;
    Extended MaxWeight20 = 0, MaxWeight40 = 0;
    Extended ContVCGPercent = 0;   // "Average VCG of container"
    Extended HatchHeight = 0;
    std::string MaxFontSize, ContViewWidth, ContViewHeight;  // integer texts
};

// What the zone step shows for the chosen load line.
struct ZoneInfo {
    bool FreeboardShown = false;
    std::string Freeboard;   // "0.000"
    bool DraftShown = false;
    std::string Draft;       // "0.000"
    std::string Displacement, Deadweight;  // "0.0"; empty when not computed
    Extended MaxDisplacement = 0;          // the zone's displacement
};

// Names of the load lines (page headings of the load-line table).
std::vector<std::string> ZoneNames(const shipinfo_rec& ship);

// Activation: every control from the settings, then the zone step.
EnvOptionsFields LoadEnvOptions(const config_rec& config, const UnitState& units, const shipinfo_rec& ship,
                                ZoneInfo& zone);
// The zone step (on activation and on every change of "Zone"); a zone with a
// "DRAFT" column also overwrites "Maximum draft".
ZoneInfo ZoneStep(const shipinfo_rec& ship, const UnitState& units, EnvOptionsFields& fields);

// Leaving "Sea water density": kept within 0.5 to 1.5.
Extended ClampSeaDensity(Extended value);
// Every change of "By stern" / "By head": a value outside its range is reset.
Extended CheckByStern(Extended value, int32_t trimSign);
Extended CheckByHead(Extended value, int32_t trimSign);

// OK: the integer texts are checked first; when one is not an integer the
// message is returned and nothing is stored. Otherwise every control goes
// back into the settings (and the sea water density into the condition),
// the unit factors are refreshed and an empty text is returned. The caller
// then writes "config.cfg".
std::string StoreEnvOptions(const EnvOptionsFields& fields, const ZoneInfo& zone, const shipinfo_rec& ship,
                            config_rec& config, UnitState& units, loaddata_rec& load, double& maxDisplacement);

}  // namespace kv
