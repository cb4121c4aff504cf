// The environment settings (config.cfg). (Filled in by the settings module.)
#pragma once

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
    double MinForwardDraft = 0;
};

}  // namespace kv
