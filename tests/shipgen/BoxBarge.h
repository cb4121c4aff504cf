// The box barge of ships/BOX100 (L 100 m, B 20 m, D 10 m) for tests that need
// its tables or a data set built from them.
#pragma once

#include <string>

#include "model/ShipInfo.h"
#include "shipgen/Builders.h"

namespace kvtest {

// The hull tables of ships/BOX100 with the given lightweight (it only enters
// the load-line table's deadweight).
kv::shipgen::HullTables BoxBargeTables(double lightWeight);

// A ship record of the box barge carrying what its stability needs: cross
// curves, hydrostatics and flooding angles (lightweight 1500 t), LBP 100,
// breadth 20, depth 10.
kv::shipinfo_rec BoxBargeStabilityShip();

// Writes a data set with this ship record and no tanks and no container
// geometry into dataDir/Project (creating the folder).
void WriteShipOnlyDataSet(const std::string& dataDir, const kv::shipinfo_rec& ship);

}  // namespace kvtest
