// The environment settings (config.cfg). (Filled in by the settings module.)
#pragma once

#include <array>
#include <cstdint>

#include "model/BinaryStream.h"

namespace kv {

struct config_rec {
    Extended SeaDensity = 1.025L;
    int32_t LengthUnit = 0;
    int32_t VolumeUnit = 0;
    int32_t WeightUnit = 0;
    int32_t DensityUnit = 0;
    int32_t TemperatureUnit = 0;
    int32_t PressureUnit = 0;
    int32_t LoadLineIndex = 0;
    // Warning limits: [0] MinDraftFwd, [1] MaxDraft, [2] TrimLimitHead,
    // [3] TrimLimitStern, [4] MaxHeel, [5] MaxGM, [6] MaxWeight20, [7] MaxWeight40.
    std::array<double, 50> Limits{};
    double MinDraftFwd() const { return Limits[0]; }
};

}  // namespace kv
