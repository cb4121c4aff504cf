// The program's state: one aggregate that holds the ship data, the loading
// condition, the results, the settings and the shared lists. The desktop
// program owns the single instance; every core procedure receives the state
// (or the parts it needs) by reference.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "calc/CalcData.h"
#include "model/Config.h"
#include "model/ContInfo.h"
#include "model/LoadData.h"
#include "model/Messages.h"
#include "model/ShipInfo.h"
#include "model/TankGroup.h"
#include "numerics/TableLookup.h"
#include "numerics/Units.h"

namespace kv {

struct KvState {
    // Folders (with a trailing '/'), fixed once by the start-up loader.
    std::string ExePath;
    std::string ProjectDir = "Project/";
    std::string SaveDir = "Save/";
    std::string TableDir = "Table/";
    std::string ImageDir = "Image/";
    std::string ApprovedDir = "Approved/";

    shipinfo_rec ShipInfo;
    tankgroup_rec TankGroup;
    continfo_rec ContInfo;

    loaddata_rec LoadData;
    std::string ConditionFileName = "Untitled";
    bool ConditionModified = false;
    std::vector<panel_rec> PanelList;         // tween deck panels of the condition

    std::vector<cargocode_rec> CargoCodeList;  // "Cargo.code", keyed by Code
    std::vector<dwcinfo_rec> DwcList;          // [0] "USER INPUT", then "dwc.code"
    std::vector<portcode_rec> ContCodeList;    // "Container.code", keyed by code

    calcdata_rec CalcData;
    calcdata_rec CalcDataFlood;
    CalcState Calc;
    StrengthState Strength;  // strength stations and intervals
    // Queued status-bar messages, rewritten by every display refresh (the
    // warning check fills it); the window shows them in turn.
    std::vector<std::string> StatusMessages;

    config_rec Config;
    UnitState Units;
    TableLookupState Tables;

    double MaxDisplacement = 0;
    int PrintTailLines = 4;
    bool ServiceMode = false;
    bool OnlineMode = false;  // between going on-line and off-line (tank gauging link)

    MessageSink* Messages = nullptr;
};

}  // namespace kv
