// Reader and writer of "config.cfg".
#pragma once

#include <string>
#include <vector>

#include "model/Config.h"

namespace kv {

// The 1264-byte image of the settings and back.
std::vector<uint8_t> EncodeConfig(const config_rec& c);
config_rec DecodeConfig(const std::vector<uint8_t>& image);  // image of ConfigFileSize bytes

// Reads the settings when the file exists, else resets them to the defaults
// (all zero, sea water density 1.025). A "Average VCG of container" of 0
// reads as 45. A file shorter than 1264 bytes throws IoError naming the file.
void ReadConfigFile(config_rec& config, const std::string& fileName);
// Writes the settings (through a temporary file); throws IoError.
void WriteConfigFile(const config_rec& config, const std::string& fileName);

}  // namespace kv
