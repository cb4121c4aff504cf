// The environment settings (stored in "config.cfg", 1264 bytes).
#pragma once

#include <array>
#include <cstdint>

#include "model/BinaryStream.h"

namespace kv {

constexpr size_t ConfigFileSize = 1264;
constexpr size_t FontRecSize = 64;

// Font of a group of texts (name, size in points, style bits 0 bold, 1 italic,
// 2 underline, 3 strike-out, colour).
struct font_rec {
    ShortString<50> Name;  // 0
    int32_t Size = 0;      // 52
    uint8_t Style = 0;     // 56
    int32_t Color = 0;     // 60
    std::array<uint8_t, FontRecSize> Raw{};
};

enum FontIndex { FontStatus = 0, FontStability = 1, FontStrength = 2 };

// Indices of Limits.
enum LimitIndex {
    LimMinDraftFwd = 0, LimMaxDraft = 1, LimTrimLimitHead = 2, LimTrimLimitStern = 3,
    LimMaxHeel = 4, LimMaxGM = 5, LimMaxWeight20 = 6, LimMaxWeight40 = 7,
};

struct config_rec {
    Extended SeaDensity = 1.025L;      // 427
    uint8_t ShowMaxOnGraph = 0;        // 437
    std::array<font_rec, 3> Fonts{};   // 438
    int32_t LengthUnit = 0;            // 630: 0 m, 1 ft
    int32_t VolumeUnit = 0;            // 634: 0 CuM, 1 bbl
    int32_t WeightUnit = 0;            // 638: 0 Mt, 1 Lt
    int32_t DensityUnit = 0;           // 642: 0 specific gravity, 1..4 stowage factor
    int32_t TemperatureUnit = 0;       // 646
    int32_t PressureUnit = 0;          // 650
    int32_t SeaColor = 0;              // 658
    int32_t SkyColor = 0;              // 662
    ShortString<50> SeaPicture;        // 666
    ShortString<50> SkyPicture;        // 717
    std::array<int32_t, 6> TankColors{};  // 770: groups 2 to 7
    std::array<int32_t, 5> PlanLabels{};  // 794
    int32_t XLabelMode = 0;            // 814: 0 frame numbers, 1 distances
    int32_t LoadLineIndex = 0;         // 818
    // Warning limits: [0] MinDraftFwd, [1] MaxDraft, [2] TrimLimitHead,
    // [3] TrimLimitStern, [4] MaxHeel, [5] MaxGM, [6] MaxWeight20, [7] MaxWeight40.
    std::array<double, 50> Limits{};   // 822
    int32_t StrengthGraphMode = 0;     // 1222: 0 "Actual", 1 "Allow(%)"
    float BayViewScale = 0;            // 1226
    std::array<int32_t, 2> BayViewPos{};  // 1230
    float ContVCGPercent = 45;         // 1238
    Extended HatchHeight = 0;          // 1242
    int32_t MaxFontSize = 0;           // 1252
    int32_t ContViewWidth = 0;         // 1256
    int32_t ContViewHeight = 0;        // 1260
    // The whole file image as read: the reserved fields and fillers are
    // written back from here.
    std::array<uint8_t, ConfigFileSize> Raw{};

    double MinDraftFwd() const { return Limits[LimMinDraftFwd]; }
    double MaxDraft() const { return Limits[LimMaxDraft]; }
    double TrimLimitHead() const { return Limits[LimTrimLimitHead]; }
    double TrimLimitStern() const { return Limits[LimTrimLimitStern]; }
    double MaxHeel() const { return Limits[LimMaxHeel]; }
    double MaxGM() const { return Limits[LimMaxGM]; }
    double MaxWeight20() const { return Limits[LimMaxWeight20]; }
    double MaxWeight40() const { return Limits[LimMaxWeight40]; }
};

}  // namespace kv
