#include "BoxBarge.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"

namespace kvtest {

kv::shipgen::HullTables BoxBargeTables(double lightWeight) {
    std::ifstream f(std::string(KORVANEL_SOURCE_DIR) + "/ships/BOX100/hull.json");
    const nlohmann::json j = nlohmann::json::parse(f);
    const kv::shipgen::Hull hull = kv::shipgen::Hull::FromJson(j);
    return kv::shipgen::BuildHullTables(hull, j, lightWeight);
}

kv::shipinfo_rec BoxBargeStabilityShip() {
    kv::shipinfo_rec ship;
    const kv::shipgen::HullTables t = BoxBargeTables(1500.0);
    auto& tab = ship.ShipTables.Tables;
    tab[kv::KNTableSlot] = t.KN;
    tab[kv::HydroTableSlot] = t.Hydro;
    tab[kv::FloodAngleTableSlot] = t.FloodAngle;
    ship.LBP = 100;
    ship.Breadth = 20;
    ship.Depth = 10;
    return ship;
}

void WriteShipOnlyDataSet(const std::string& dataDir, const kv::shipinfo_rec& ship) {
    std::filesystem::create_directories(dataDir + "/Project");
    const std::string name = dataDir + "/Project/R549.LSI";
    kv::WriteShipInfoFile(name, ship);
    kv::WriteTankGroupFile(name, kv::tankgroup_rec());
    kv::WriteContainerGeometry(name, kv::continfo_rec());
}

}  // namespace kvtest
