// korvanel-cli show FILE.LCF [--json]: a loading condition as an officer
// would check it. korvanel-cli new FILE.LCF: writes a new, empty condition
// for the loaded ship.
#include <cstdio>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "model/ConditionFile.h"

namespace kvcli {

namespace {

using json = nlohmann::ordered_json;
using kv::Extended;

template <int N>
std::string Text(const kv::ShortString<N>& s) {
    return ToUtf8(s.str());
}

double D(Extended v) { return double(v); }

std::string Num(Extended v, int decimals = 3) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, double(v));
    return buf;
}

const char* VoyageCondName(int32_t v) { return v == 0 ? "SEAGOING" : v == 1 ? "HARBOUR" : "?"; }
const char* CGModeName(int32_t v) { return v == 0 ? "automatic" : v == 1 ? "manual" : "?"; }
const char* MomentModeName(int32_t v) { return v == 0 ? "Actual" : v == 1 ? "Maximum" : v == 2 ? "Zero" : "?"; }
const char* CargoTypeName(int32_t v) {
    static const char* names[] = {"BALE", "BULK", "T_GRAIN", "U_GRAIN", "E.BALLAST"};
    return v >= 0 && v <= 4 ? names[v] : "?";
}
const char* WhereName(int32_t v) {
    switch (v) {
    case 0: return "ON DECK";
    case 1: return "IN HOLD";
    case 10: return "1ST T/D";
    case 11: return "2ND T/D";
    case 12: return "BOTTM";
    }
    return "?";
}

std::string TankName(const kv::KvState& s, int g, size_t i) {
    const auto& tanks = s.TankGroup.Groups[size_t(g)].Tanks;
    return i < tanks.size() ? Text(tanks[i].TankName) : std::string();
}

std::string BayName(const kv::KvState& s, size_t bay) {
    return bay < s.ContInfo.bays.size() ? Text(s.ContInfo.bays[bay].bay_name) : std::string();
}

json ContainerJson(const kv::container_rec& c) {
    json j;
    j["position"] = Text(c.position);
    j["container_id"] = Text(c.container_id);
    j["iso_code"] = Text(c.iso_code);
    j["weight"] = c.weight;
    json ports = json::array();
    for (const auto& p : c.ports) ports.push_back(Text(p));
    j["ports"] = ports;
    j["carrier"] = Text(c.carrier);
    j["section"] = c.section;
    j["empty"] = c.empty;
    j["remark_kind"] = c.remark_kind;
    j["remark"] = Text(c.remark);
    j["lcg"] = D(c.lcg);
    j["tcg"] = D(c.tcg);
    j["vcg"] = D(c.vcg);
    j["aft_x"] = D(c.aft_x);
    j["fwd_x"] = D(c.fwd_x);
    j["port_y"] = D(c.port_y);
    j["stbd_y"] = D(c.stbd_y);
    j["top_z"] = D(c.top_z);
    j["bottom_z"] = D(c.bottom_z);
    j["reefer"] = c.reefer;
    j["temperature"] = D(c.temperature);
    j["oog"] = c.oog;
    j["reference"] = Text(c.reference);
    if (c.bundles) {
        json b = json::array();
        for (const auto& e : *c.bundles) b.push_back({{"weight", e.weight}, {"container_id", Text(e.container_id)}});
        j["bundles"] = b;
    } else {
        j["bundles"] = nullptr;
    }
    if (c.dg_items) {
        json d = json::array();
        for (const auto& e : *c.dg_items)
            d.push_back({{"weight", e.weight}, {"class", Text(e.dg_class)}, {"un_no", Text(e.un_no)},
                         {"remark", Text(e.remark)}});
        j["dg_items"] = d;
    } else {
        j["dg_items"] = nullptr;
    }
    return j;
}

json ConditionJson(const kv::KvState& s, const std::string& file) {
    const kv::loaddata_rec& d = s.LoadData;
    json j;
    j["File"] = ToUtf8(file);
    j["CondTitle"] = Text(d.CondTitle);
    j["VoyageNo"] = Text(d.VoyageNo);
    j["VoyageDesc"] = Text(d.VoyageDesc);
    j["VoyageDate"] = Text(d.VoyageDate);
    j["VoyageFrom"] = Text(d.VoyageFrom);
    j["VoyageTo"] = Text(d.VoyageTo);
    j["VoyageBy"] = Text(d.VoyageBy);
    j["VoyageRemark"] = Text(d.VoyageRemark);
    j["SeaDensity"] = D(d.SeaDensity);
    j["VoyageCond"] = d.VoyageCond;
    j["CGMode"] = d.CGMode;
    j["TrimCorr"] = D(d.TrimCorr);
    j["HeelCorr"] = D(d.HeelCorr);
    json loads = json::array();
    for (int g = kv::LoadedGroupFirst; g <= kv::LoadedGroupLast; ++g) {
        json items = json::array();
        const auto& list = d.Loads[size_t(g)].Items;
        for (size_t i = 0; i < list.size(); ++i) {
            const kv::loadinfo_rec& l = list[i];
            items.push_back({{"TankName", TankName(s, g, i)}, {"MomentMode", l.MomentMode}, {"CargoType", l.CargoType},
                             {"Volume", D(l.Volume)}, {"Density", D(l.Density)}, {"Weight", D(l.Weight)},
                             {"LCG", D(l.LCG)}, {"TCG", D(l.TCG)}, {"VCG", D(l.VCG)}, {"FSMValue", D(l.FSMValue)}});
        }
        loads.push_back({{"group", g}, {"Items", items}});
    }
    j["Loads"] = loads;
    json bales = json::array();
    for (const kv::balecargo_rec& b : d.BaleList) {
        json corners = json::array();
        for (const auto& c : b.Corners) corners.push_back({c[0], c[1]});
        bales.push_back({{"CargoCode", Text(b.CargoCode)}, {"AboveIndex", b.AboveIndex}, {"Weight", D(b.Weight)},
                         {"PosX", b.PosX}, {"PosY", b.PosY}, {"BaseZ", b.BaseZ}, {"LCG", D(b.LCG)},
                         {"TCG", D(b.TCG)}, {"VCG", D(b.VCG)}, {"AftX", D(b.AftX)}, {"ForeX", D(b.ForeX)},
                         {"SideY1", D(b.SideY1)}, {"SideY2", D(b.SideY2)}, {"Where", b.Where},
                         {"Corners", corners}});
    }
    j["BaleList"] = bales;
    json bays = json::array();
    for (size_t bay = 0; bay < d.BayLists.size(); ++bay) {
        json conts = json::array();
        for (const auto& c : d.BayLists[bay]) conts.push_back(ContainerJson(c));
        bays.push_back({{"bay_name", BayName(s, bay)}, {"Containers", conts}});
    }
    j["Bays"] = bays;
    j["CompCodes"] = d.CompCodes;
    json panels = json::array();
    for (const kv::panel_rec& p : s.PanelList)
        panels.push_back({{"panel_type", p.panel_type}, {"position", p.position}, {"weight", D(p.weight)},
                          {"lcg", D(p.lcg)}, {"tcg", D(p.tcg)}, {"vcg", D(p.vcg)}, {"aft_x", D(p.aft_x)},
                          {"fwd_x", D(p.fwd_x)}, {"top_z", D(p.top_z)}, {"bottom_z", D(p.bottom_z)},
                          {"port_y", D(p.port_y)}, {"stbd_y", D(p.stbd_y)}});
    j["Panels"] = panels;
    return j;
}

void PrintCondition(std::ostream& os, const kv::KvState& s, const std::string& file) {
    const kv::loaddata_rec& d = s.LoadData;
    os << "Loading condition " << ToUtf8(file) << "\n";
    os << "  Voyage No.     : " << Text(d.VoyageNo) << "\n"
       << "  Voyage Desc.   : " << Text(d.VoyageDesc) << "\n"
       << "  Date           : " << Text(d.VoyageDate) << "\n"
       << "  From           : " << Text(d.VoyageFrom) << "\n"
       << "  To             : " << Text(d.VoyageTo) << "\n"
       << "  By             : " << Text(d.VoyageBy) << "\n"
       << "  Remarks        : " << Text(d.VoyageRemark) << "\n";
    os << "  SeaDensity " << Num(d.SeaDensity, 4) << "  VoyageCond " << d.VoyageCond << " ("
       << VoyageCondName(d.VoyageCond) << ")  CGMode " << d.CGMode << " (" << CGModeName(d.CGMode) << ")  TrimCorr "
       << Num(d.TrimCorr) << "  HeelCorr " << Num(d.HeelCorr) << "\n";
    for (int g = kv::LoadedGroupFirst; g <= kv::LoadedGroupLast; ++g) {
        const auto& list = d.Loads[size_t(g)].Items;
        os << "Group " << g << " (" << list.size() << " items)\n";
        for (size_t i = 0; i < list.size(); ++i) {
            const kv::loadinfo_rec& l = list[i];
            os << "  " << TankName(s, g, i) << ": " << MomentModeName(l.MomentMode);
            if (g == 1) os << " " << CargoTypeName(l.CargoType);
            os << "  vol " << Num(l.Volume) << "  dens " << Num(l.Density, 4) << "  wt " << Num(l.Weight)
               << "  LCG " << Num(l.LCG) << "  TCG " << Num(l.TCG) << "  VCG " << Num(l.VCG) << "  FSM "
               << Num(l.FSMValue) << "\n";
        }
    }
    os << "Bale cargo (" << d.BaleList.size() << " items)\n";
    for (size_t i = 0; i < d.BaleList.size(); ++i) {
        const kv::balecargo_rec& b = d.BaleList[i];
        os << "  " << i << " " << Text(b.CargoCode) << " " << WhereName(b.Where) << "  wt " << Num(b.Weight)
           << "  x " << Num(b.PosX) << "  y " << Num(b.PosY) << "  z " << Num(b.BaseZ) << "  LCG " << Num(b.LCG)
           << "  TCG " << Num(b.TCG) << "  VCG " << Num(b.VCG) << "  above " << b.AboveIndex << "\n";
    }
    for (size_t bay = 0; bay < d.BayLists.size(); ++bay) {
        const auto& list = d.BayLists[bay];
        if (list.empty()) continue;
        os << "Bay " << BayName(s, bay) << " (" << list.size() << " containers)\n";
        for (const kv::container_rec& c : list) {
            os << "  [" << Text(c.position) << "] " << Text(c.container_id) << " " << Text(c.iso_code) << "  wt "
               << Num(c.weight) << "  " << Text(c.ports[kv::PortOfLoading]) << " -> "
               << Text(c.ports[kv::PortOfDischarge]) << "  " << (c.section == 0 ? "ON DECK" : "IN HOLD")
               << (c.empty ? "  empty" : "") << "  LCG " << Num(c.lcg) << "  TCG " << Num(c.tcg) << "  VCG "
               << Num(c.vcg) << "  x " << Num(c.aft_x) << ".." << Num(c.fwd_x) << "  y " << Num(c.port_y) << ".."
               << Num(c.stbd_y) << "  z " << Num(c.bottom_z) << ".." << Num(c.top_z) << "\n";
            if (c.bundles)
                for (const auto& b : *c.bundles)
                    os << "      bundle " << Text(b.container_id) << "  wt " << Num(b.weight) << "\n";
            if (c.dg_items)
                for (const auto& e : *c.dg_items)
                    os << "      DG class " << Text(e.dg_class) << "  UN " << Text(e.un_no) << "  wt "
                       << Num(e.weight) << "  " << Text(e.remark) << "\n";
        }
    }
    os << "CompCodes:";
    for (int32_t v : d.CompCodes) os << " " << v;
    os << "\nTween deck panels (" << s.PanelList.size() << ")\n";
    for (const kv::panel_rec& p : s.PanelList)
        os << "  type " << p.panel_type << "  position " << p.position << "  wt " << Num(p.weight) << "  LCG "
           << Num(p.lcg) << "  VCG " << Num(p.vcg) << "\n";
}

}  // namespace

int CmdShow(CliContext& ctx, const std::vector<std::string>& args) {
    bool asJson = false;
    std::string file;
    if (int rc = ParseFileAndJson(ctx, "show", args, file, asJson)) return rc;
    ctx.LoadShipData();
    kv::KvState& s = *ctx.State;
    switch (kv::OpenConditionFile(s, file, ctx.Sink)) {
    case kv::OpenResult::Missing:
        ctx.Err << "korvanel-cli show: file not found: " << file << "\n";
        return 1;
    case kv::OpenResult::Failed:
        return 1;
    case kv::OpenResult::Opened:
        break;
    }
    if (asJson) {
        ctx.Out << ConditionJson(s, file).dump(2) << "\n";
    } else {
        PrintCondition(ctx.Out, s, file);
    }
    return 0;
}

int CmdNew(CliContext& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        ctx.Err << "korvanel-cli new: exactly one condition file is needed\n";
        return 2;
    }
    ctx.LoadShipData();
    kv::KvState& s = *ctx.State;
    s.PanelList.clear();
    kv::NewCondition(s);
    try {
        kv::SaveConditionFile(s, args[0]);
    } catch (const std::exception& e) {
        ctx.Err << ToUtf8(e.what()) << "\n";
        return 1;
    }
    ctx.Out << "new condition written to " << ToUtf8(args[0]) << "\n";
    return 0;
}

}  // namespace kvcli
