#include "shipgen/Compiler.h"

#include <cmath>
#include <filesystem>

#include "model/CodeFiles.h"
#include "model/ConfigFile.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"
#include "shipgen/Builders.h"
#include "shipgen/Compartments.h"
#include "shipgen/ConditionCompiler.h"
#include "shipgen/GMLimits.h"
#include "shipgen/GrainTable.h"
#include "shipgen/Lightweight.h"
#include "shipgen/ShipDefinition.h"
#include "shipgen/StrengthData.h"
#include "shipgen/TankTables.h"

namespace kv::shipgen {

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const char* kBaseName = "R549";

// Voyage port codes for the container colours: the ports of ports.json, each
// with the last three letters of its code as abbreviation.
std::vector<portcode_rec> PortCodes(const json& ports) {
    static const int32_t palette[] = {0x0000FF, 0x00A000, 0xFF0000, 0x00C0C0, 0xC000C0, 0x0080FF,
                                      0x808000, 0x800080, 0x008080, 0x4040C0, 0xC08040, 0x40C080};
    std::vector<portcode_rec> out;
    if (!ports.contains("ports") || !ports.at("ports").is_array()) return out;
    for (const json& p : ports.at("ports")) {
        if (out.size() == sizeof palette / sizeof palette[0]) break;
        std::string code = Text(p, "code", "ports.json");
        if (code.size() != 5) continue;
        portcode_rec r;
        r.code.set(code);
        r.abbreviation.set(code.substr(2));
        r.name.set(Text(p, "name", "ports.json"));
        r.back_colour = palette[out.size()];
        r.font_colour = ContrastTextColor(r.back_colour);
        out.push_back(r);
    }
    return out;
}

void CheckInside(double a, double f, const Hull& hull, const std::string& what) {
    if (a < hull.XAft() - 1e-6 || f > hull.XFore() + 1e-6)
        throw DefinitionError(what + " reaches beyond the ends of the hull (x " + std::to_string(hull.XAft()) +
                              " to " + std::to_string(hull.XFore()) + ")");
}

}  // namespace

namespace {

ShipDataSet Build(const std::string& definitionDir) {
    ShipDefinition def = LoadShipDefinition(definitionDir);
    Hull hull = Hull::FromJson(def.Hull);
    ShipDataSet out;
    shipinfo_rec& ship = out.ship;

    FillParticulars(def.Ship, ship);
    const std::vector<FramePos> frames = BuildFrames(Member(def.Ship, "frames", "ship.json"));
    if (frames.front().x > hull.XAft() + 1e-6 || frames.back().x < hull.XFore() - 1e-6)
        throw DefinitionError("ship.json frames: the frame table must cover the hull from x " +
                              std::to_string(hull.XAft()) + " to " + std::to_string(hull.XFore()));
    if (std::fabs(double(ship.LBP) - hull.Lbp()) > 1e-6)
        throw DefinitionError("ship.json \"lbp\" differs from the hull's");
    ship.AftEndX = hull.XAft();
    ship.ForeEndX = hull.XFore();

    // The warning limits the officer starts with (config.cfg); the rest of
    // the settings keep their defaults.
    if (def.Ship.contains("warningLimits")) {
        const json& w = def.Ship["warningLimits"];
        const std::string where = "ship.json warningLimits";
        const std::pair<const char*, LimitIndex> keys[] = {
            {"minDraftFwd", LimMinDraftFwd}, {"maxDraft", LimMaxDraft},   {"trimLimitHead", LimTrimLimitHead},
            {"trimLimitStern", LimTrimLimitStern}, {"maxHeel", LimMaxHeel}, {"maxGM", LimMaxGM},
            {"maxWeight20", LimMaxWeight20}, {"maxWeight40", LimMaxWeight40}};
        for (const auto& [key, index] : keys) out.settings.Limits[size_t(index)] = Num(w, key, where);
        if (out.settings.TrimLimitHead() < 0 || out.settings.TrimLimitStern() > 0)
            throw DefinitionError(where + ": trimLimitHead must not be negative nor trimLimitStern positive");
    }

    // Tanks and holds.
    Arrangement arr = ParseArrangement(def.Compartments);
    TankGroupBuild tanks = BuildTankGroups(hull, arr, double(ship.LBP));
    out.tanks = tanks.groups;
    for (size_t g = 0; g < 9; ++g) ship.GroupCount[g] = out.tanks.Groups[g].TankCount;
    for (const Compartment& k : arr.groups[8]) CheckInside(k.constAftX, k.constForeX, hull, "\"" + k.name + "\"");

    // Lightship.
    Lightship light = BuildLightship(def.Lightweight, frames);
    for (const LightItem& li : light.items) CheckInside(li.xa, li.xf, hull, "lightweight item \"" + li.name + "\"");
    ship.LightWeight = light.weight;
    ship.LightLCG = light.lcg;
    ship.LightTCG = light.tcg;
    ship.LightVCG = light.vcg;

    // Hull tables and the design displacement.
    HullTables ht = BuildHullTables(hull, def.Hull, light.weight);
    auto& tab = ship.ShipTables.Tables;
    tab[KNTableSlot] = ht.KN;
    tab[HydroTableSlot] = ht.Hydro;
    tab[HeightAreaTableSlot] = ht.Bonjean;
    tab[StrengthTableSlot] = light.table;
    tab[FloodAngleTableSlot] = ht.FloodAngle;
    tab[LoadLineTableSlot] = ht.LoadLine;
    tab[ImmersionTableSlot] = ht.Immersion;
    // Slot 8 (damage limiting GM/KG) stays empty: the program computes no
    // damage stability. Slot 7 follows the wind table.
    tab[GrainTableSlot] = BuildGrainTable(ship, GrainTableKG(def.Compartments));
    double designDraft = Num(def.Ship, "designDraft", "ship.json");
    ship.DesignDisplacement = DisplacementAtDraft(hull, designDraft, 0.0);
    ship.DesignDeadweight = ship.DesignDisplacement - ship.LightWeight;

    // Strength.
    ship.ClassAllow = BuildAllowables(def.Strength, frames);
    std::vector<HoldFloor> floors;
    for (size_t h = 0; h < out.tanks.Groups[0].Tanks.size(); ++h) {
        const tank_rec& t = out.tanks.Groups[0].Tanks[h];
        floors.push_back({double(t.AftEnd), double(t.ForeEnd), tanks.holdFloorAreas[h], double(t.MaxVolume)});
    }
    ship.ShipTables.CargoMassList = BuildHoldMassCurves(def.Strength, floors);

    // Containers, wind and views.
    out.containers = BuildContainerGeometry(hull, def.Containers, def.Ports, def.DangerousGoods);
    tab[WindTableSlot] = BuildWindTable(hull, def.Wind, def.Containers);
    tab[GMLimitTableSlot] = BuildGMLimitTable(ship);
    ViewOutlines views = BuildViewOutlines(hull, def.Views, tanks.outlines);
    ship.ProfileObjects = views.Profile;
    ship.PlanObjects = views.Plan;
    ship.SectionObjects = views.Section;

    // Code files.
    out.cargoCodes.push_back(DefaultCargoCode());
    out.portCodes = PortCodes(def.Ports);
    dwcinfo_rec standard;
    standard.DwcName.set("STANDARD");
    standard.DwcRemark.set("Deadweight constants of the ship data");
    for (const Compartment& k : arr.groups[8]) {
        loadinfo_rec l;
        l.Weight = k.constWeight;
        l.LCG = k.constLcg;
        l.TCG = k.constTcg;
        l.VCG = k.constVcg;
        standard.DwcLoads.push_back(l);
    }
    out.dwcSets.push_back(dwcinfo_rec{});  // entry 0, "USER INPUT", is not stored
    out.dwcSets.back().DwcName.set("USER INPUT");
    out.dwcSets.back().DwcLoads.resize(arr.groups[8].size());
    out.dwcSets.push_back(standard);

    // Sample loading conditions (and the cargo codes their bale items use).
    out.conditions = BuildSampleConditions(definitionDir, out);
    return out;
}

}  // namespace

ShipDataSet BuildShipDataSet(const std::string& definitionDir) {
    try {
        return Build(definitionDir);
    } catch (const json::exception& e) {
        // A value of the wrong kind deep inside an entry (a text where a
        // number belongs): say so rather than end with the library's bare text.
        throw DefinitionError("malformed entry in " + definitionDir + ": " + e.what());
    }
}

void WriteShipDataSet(const ShipDataSet& data, const std::string& outDir) {
    fs::path root(outDir), project = root / "Project";
    fs::create_directories(project);
    for (const char* d : {"Save", "Approved", "Image"}) fs::create_directories(root / d);
    std::string base = (project / kBaseName).string() + ".LSI";
    WriteShipInfoFile(base, data.ship);
    WriteTankGroupFile(base, data.tanks);
    WriteContainerGeometry(base, data.containers);
    WriteCargoCodeFile(data.cargoCodes, (project / "Cargo.code").string());
    WriteContainerCodeFile(data.portCodes, (project / "Container.code").string());
    WriteDWCFile(data.dwcSets, data.ship.GroupCount[8], (project / "dwc.code").string());
    WriteConfigFile(data.settings, (project / "config.cfg").string());
    const std::string ini = "[Print]\r\nTAIL=4\r\n";
    WriteFileAtomically((project / "Print.INI").string(), std::vector<uint8_t>(ini.begin(), ini.end()));
    WriteSampleConditions(data.conditions, outDir);
}

std::vector<std::string> CompileShip(const std::string& definitionDir, const std::string& outDir) {
    ShipDataSet data = BuildShipDataSet(definitionDir);
    WriteShipDataSet(data, outDir);
    std::vector<std::string> files;
    for (const char* f : {"R549.LSI", "R549.TGP", "R549.CNT", "Cargo.code", "Container.code", "dwc.code",
                          "config.cfg", "Print.INI"})
        files.push_back((fs::path(outDir) / "Project" / f).string());
    for (const SampleCondition& c : data.conditions) files.push_back((fs::path(outDir) / "Save" / c.fileName).string());
    return files;
}

}  // namespace kv::shipgen
