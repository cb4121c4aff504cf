// The start-up loader: fixes the folders, reads the ship data, code and
// settings files in their fixed order and sizes the state from the counts
// found in the ship data.
#pragma once

#include <string>

#include "model/kvGlobal.h"

namespace kv {

// What the loader found, for the command-line program and the start-up report.
struct InitReport {
    std::vector<std::string> MissingFiles;  // ship data files that were not there
    bool PrintIniFound = false;
};

// Runs the whole start-up sequence on state for the data folder dataDir (the
// folder that holds Project/, Save/, Approved/, Image/). Throws IoError (with
// a message naming the file) on a read error; missing files give the empty
// ship silently (they are listed in the report).
InitReport InitShipData(KvState& state, const std::string& dataDir);

}  // namespace kv
