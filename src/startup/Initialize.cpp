#include "startup/Initialize.h"

#include "calc/Flooding.h"
#include "model/CodeFiles.h"
#include "model/ConditionFile.h"
#include "model/ConfigFile.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"
#include "startup/PrintIni.h"

namespace kv {

namespace {

std::string WithTrailingSlash(const std::string& dir) {
    if (dir.empty()) return "./";
    return dir.back() == '/' ? dir : dir + "/";
}

// Full scale of the displacement bar, in tonnes: the deadweight of the chosen
// load line (row 1 of its page) plus the lightweight, or the design displacement when
// the load-line table has no "DWT" column or no such page.
double ComputeMaxDisplacement(const KvState& s) {
    const xyztable_rec& t = s.ShipInfo.ShipTables.LoadLineTable();
    int dwtCol = -1;
    for (int32_t c = 1; c <= t.ColCount && size_t(c) < t.ColHeads.size(); ++c)
        if (t.ColHeads[size_t(c)].str() == "DWT") {
            dwtCol = c;
            break;
        }
    if (dwtCol < 0) return double(s.ShipInfo.DesignDisplacement);
    int page = s.Config.LoadLineIndex + 1;
    if (page < 1 || page > t.LayerCount || t.RowCount < 1) return double(s.ShipInfo.DesignDisplacement);
    // Kept in tonnes whatever the display unit: the displacement judgement
    // divides the displacement in tonnes by it.
    Extended dwt = t.Values[size_t(page)][size_t(dwtCol)][1];
    return double(dwt + s.ShipInfo.LightWeight);
}

}  // namespace

InitReport InitShipData(KvState& state, const std::string& dataDir) {
    InitReport report;

    // Folders.
    state.ExePath = WithTrailingSlash(dataDir);
    state.ProjectDir = "Project/";
    state.SaveDir = "Save/";
    state.TableDir = "Table/";
    state.ImageDir = "Image/";
    state.ApprovedDir = "Approved/";
    state.Tables.Messages = state.Messages;

    // The three ship data readers all get the same name; each puts its own
    // extension on the base name.
    const std::string shipFile = state.ExePath + state.ProjectDir + "R549.LSI";
    if (!ReadShipInfoFile(shipFile, state.ShipInfo)) report.MissingFiles.push_back(state.ProjectDir + "R549.LSI");
    if (!ReadTankGroupFile(shipFile, state.TankGroup)) report.MissingFiles.push_back(state.ProjectDir + "R549.TGP");
    if (!ReadContainerGeometry(shipFile, state.ContInfo)) report.MissingFiles.push_back(state.ProjectDir + "R549.CNT");

    // [condition: size the bay lists and CompCodes]
    SizeConditionArrays(state);  // also the items of groups 1..8 (step 9)
    // [codes: "Cargo.code", then "Container.code"]
    ReadCargoCodeFile(state.CargoCodeList, state.ExePath + state.ProjectDir + "Cargo.code");
    ReadContainerCodeFile(state.ContCodeList, state.ExePath + state.ProjectDir + "Container.code");
    // [condition and results: arrays by group 0, bays and group 1; groups 1..8]
    // [codes: "dwc.code"]
    ReadDWCFile(state.DwcList, state.LoadData.Loads[8].Items, state.ShipInfo.GroupCount[8],
                state.ExePath + state.ProjectDir + "dwc.code");
    // [settings: "config.cfg"]
    ReadConfigFile(state.Config, state.ExePath + state.ProjectDir + "config.cfg");
    // The program starts with a new condition named "Untitled".
    NewCondition(state);
    state.ConditionFileName = "Untitled";
    state.ConditionModified = false;
    RebuildActiveHoldCompartments(state);

    if (state.LoadData.SeaDensity == 0) state.LoadData.SeaDensity = 1.025L;
    RefreshUnits(state.Config, state.Units);
    state.MaxDisplacement = ComputeMaxDisplacement(state);

    // "Print.INI" is looked up relative to the current directory.
    report.PrintIniFound = ReadPrintIni(state.ProjectDir + "Print.INI", state.PrintTailLines);
    return report;
}

}  // namespace kv
