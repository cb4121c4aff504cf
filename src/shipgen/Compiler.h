// The ship data compiler: reads a ship definition folder, computes every
// table from the hull and the arrangement, and writes the data set the
// program starts from (Project/ with R549.LSI, .TGP, .CNT, the code files,
// config.cfg and Print.INI; Save/ with the sample conditions; empty
// Approved/ and Image/).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Config.h"
#include "model/ContInfo.h"
#include "model/LoadData.h"
#include "model/ShipInfo.h"
#include "model/TankGroup.h"

namespace kv::shipgen {

// A sample loading condition compiled for the ship: the file name under
// Save/ and the file's bytes.
struct SampleCondition {
    std::string fileName;
    std::vector<uint8_t> bytes;
};

struct ShipDataSet {
    shipinfo_rec ship;
    tankgroup_rec tanks;
    continfo_rec containers;
    std::vector<cargocode_rec> cargoCodes;  // "Cargo.code"
    std::vector<portcode_rec> portCodes;    // "Container.code"
    std::vector<dwcinfo_rec> dwcSets;       // "dwc.code", from entry 1 on (entry 0 is "USER INPUT")
    std::vector<SampleCondition> conditions;  // Save/*.LCF
    config_rec settings;                      // "config.cfg": defaults with the ship's warning limits
};

// Builds the data set in memory; raises DefinitionError (or the hull
// builder's error) for a definition that cannot be compiled.
ShipDataSet BuildShipDataSet(const std::string& definitionDir);

// Writes a built data set under outDir.
void WriteShipDataSet(const ShipDataSet& data, const std::string& outDir);

// Both of the above; returns the names of the files written.
std::vector<std::string> CompileShip(const std::string& definitionDir, const std::string& outDir);

}  // namespace kv::shipgen
