// korvanel-cli info [--json]: what the start-up loader read from the ship
// data files, for checking a data set without the desktop program.
#include <cstdio>
#include <iomanip>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/Commands.h"

namespace kvcli {

namespace {

using json = nlohmann::ordered_json;
using kv::Extended;

const char* const kAllowSetNames[4] = {"intact SEA", "flooded SEA", "intact PORT", "flooded PORT"};
const char* const kTableSlotNames[kv::ShipTableSlots] = {
    "KNTable",    "HydroTable",   "HeightAreaTable", "StrengthTable", "FloodAngleTable", "LoadLineTable",
    "GrainTable", "GMLimitTable", "GMLimitDamTable", "WindTable",     "ImmersionTable",  "(not stored)"};

// The four allowable sets in the order of the file.
const kv::allow_rec& AllowSet(const kv::classallow_rec& a, int i) {
    return i % 2 == 0 ? a.intact[size_t(i / 2)] : a.flooded[size_t(i / 2)];
}

template <int N>
std::string Text(const kv::ShortString<N>& s) {
    return ToUtf8(s.str());
}

double D(Extended v) { return double(v); }

json Headings(const kv::head_rec& heads, int32_t count) {
    json a = json::array();
    for (int32_t i = 1; i <= count && size_t(i) < heads.size(); ++i) a.push_back(Text(heads[size_t(i)]));
    return a;
}

// ---- JSON -------------------------------------------------------------------

json InfoJson(const CliContext& ctx, const kv::InitReport& report) {
    const kv::KvState& st = *ctx.State;
    const kv::shipinfo_rec& s = st.ShipInfo;
    json j;
    j["DataDir"] = ToUtf8(ctx.DataDir);
    j["MissingFiles"] = report.MissingFiles;

    j["ShipName"] = Text(s.ShipName);
    j["HullNo"] = Text(s.HullNo);
    j["DataStatus"] = Text(s.DataStatus);
    j["LOA"] = D(s.LOA);
    j["LBP"] = D(s.LBP);
    j["Breadth"] = D(s.Breadth);
    j["Depth"] = D(s.Depth);
    j["DesignDisplacement"] = D(s.DesignDisplacement);
    j["DesignDeadweight"] = D(s.DesignDeadweight);
    j["LightWeight"] = D(s.LightWeight);
    j["LightLCG"] = D(s.LightLCG);
    j["LightTCG"] = D(s.LightTCG);
    j["LightVCG"] = D(s.LightVCG);
    j["TrimSign"] = s.TrimSign;
    j["HeelSign"] = s.HeelSign;
    j["LongRefMidship"] = s.LongRefMidship;
    j["LongSign"] = s.LongSign;
    j["TransSign"] = s.TransSign;
    j["GroupCount"] = s.GroupCount;

    json groups = json::array();
    for (size_t g = 0; g < st.TankGroup.Groups.size(); ++g) {
        const kv::grinfo_rec& gr = st.TankGroup.Groups[g];
        json tanks = json::array();
        for (const kv::tank_rec& t : gr.Tanks)
            tanks.push_back({{"TankName", Text(t.TankName)},
                             {"MaxVolume", D(t.MaxVolume)},
                             {"MaxLevel", D(t.MaxLevel)},
                             {"AftEnd", D(t.AftEnd)},
                             {"ForeEnd", D(t.ForeEnd)},
                             {"DefaultSG", D(t.DefaultSG)}});
        groups.push_back({{"GroupIndex", gr.GroupIndex},
                          {"GroupName", Text(gr.GroupName)},
                          {"TankCount", gr.TankCount},
                          {"Tanks", tanks}});
    }
    j["Groups"] = groups;

    j["FrameCount"] = s.FrameList.size();
    if (!s.FrameList.empty()) {
        j["FirstFrameNo"] = D(s.FrameList.front().FrameNo);
        j["FirstFramePosMM"] = D(s.FrameList.front().PosMM);
        j["LastFrameNo"] = D(s.FrameList.back().FrameNo);
        j["LastFramePosMM"] = D(s.FrameList.back().PosMM);
    } else {
        j["FirstFrameNo"] = j["FirstFramePosMM"] = j["LastFrameNo"] = j["LastFramePosMM"] = nullptr;
    }

    json tables = json::array();
    for (size_t k = 0; k < s.ShipTables.Tables.size(); ++k) {
        const kv::xyztable_rec& t = s.ShipTables.Tables[k];
        tables.push_back({{"Slot", k},
                          {"SlotName", kTableSlotNames[k]},
                          {"Title", Text(t.Title)},
                          {"ColCount", t.ColCount},
                          {"RowCount", t.RowCount},
                          {"LayerCount", t.LayerCount},
                          {"ColHeads", Headings(t.ColHeads, t.ColCount)},
                          {"LayerHeads", Headings(t.LayerHeads, t.LayerCount)}});
    }
    j["Tables"] = tables;
    j["CargoMassCount"] = s.ShipTables.CargoMassList.size();

    json options = json::array();
    for (size_t i = 0; i < s.Options.size(); ++i)
        options.push_back({{"Index", i}, {"Enabled", s.Options[i].Enabled != 0}, {"Text", Text(s.Options[i].Text)}});
    j["Options"] = options;

    j["ReadoutCount"] = s.ClassAllow.readouts.size();
    json sets = json::array();
    for (int i = 0; i < 4; ++i) {
        const kv::allow_rec& a = AllowSet(s.ClassAllow, i);
        sets.push_back({{"Name", kAllowSetNames[i]},
                        {"sfcount", a.sfsegs.size()},
                        {"bmcount", a.bmsegs.size()},
                        {"tmcount", a.tmsegs.size()}});
    }
    j["AllowSets"] = sets;

    const kv::continfo_rec& c = st.ContInfo;
    j["bay_count"] = c.bay_count;
    j["row_count"] = c.row_count;
    j["tier_count"] = c.tier_count;
    json bays = json::array();
    for (const kv::baycell_rec& b : c.bays) bays.push_back({{"bay_name", Text(b.bay_name)}, {"bay_kind", b.bay_kind}});
    j["Bays"] = bays;
    j["PortCount"] = c.port_list.size();
    j["ImdgCount"] = c.imdg_list.size();
    return j;
}

// ---- text -------------------------------------------------------------------

std::string Fixed(Extended v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, double(v));
    return buf;
}

// "  Label ........ value unit" with the labels in one column.
void Line(std::ostream& os, const std::string& label, const std::string& value, const std::string& unit = "") {
    os << "  " << std::left << std::setw(20) << label << value;
    if (!unit.empty()) os << " " << unit;
    os << "\n";
}

std::string Join(const json& list) {
    std::string out;
    for (const auto& e : list) out += (out.empty() ? "" : ", ") + e.get<std::string>();
    return out;
}

void PrintText(std::ostream& os, const CliContext& ctx, const kv::InitReport& report) {
    const kv::KvState& st = *ctx.State;
    const kv::shipinfo_rec& s = st.ShipInfo;
    os << "Data folder: " << ToUtf8(ctx.DataDir) << "\n";
    if (!report.MissingFiles.empty()) {
        os << "Missing files (the ship is shown empty where they are missing):\n";
        for (const std::string& f : report.MissingFiles) os << "  " << ToUtf8(f) << "\n";
    }

    os << "\nShip\n";
    Line(os, "ShipName", Text(s.ShipName));
    Line(os, "HullNo", Text(s.HullNo));
    Line(os, "DataStatus", Text(s.DataStatus));
    Line(os, "LOA", Fixed(s.LOA, 3), "m");
    Line(os, "LBP", Fixed(s.LBP, 3), "m");
    Line(os, "Breadth", Fixed(s.Breadth, 3), "m");
    Line(os, "Depth", Fixed(s.Depth, 3), "m");
    Line(os, "DesignDisplacement", Fixed(s.DesignDisplacement, 2), "t");
    Line(os, "DesignDeadweight", Fixed(s.DesignDeadweight, 2), "t");
    Line(os, "LightWeight", Fixed(s.LightWeight, 2), "t");
    Line(os, "LightLCG", Fixed(s.LightLCG, 3), "m from AP");
    Line(os, "LightTCG", Fixed(s.LightTCG, 3), "m from CL");
    Line(os, "LightVCG", Fixed(s.LightVCG, 3), "m above BL");
    Line(os, "TrimSign", std::to_string(s.TrimSign));
    Line(os, "HeelSign", std::to_string(s.HeelSign));
    Line(os, "LongRefMidship", std::to_string(s.LongRefMidship),
         s.LongRefMidship != 0 ? "(positions shown from midship)" : "(positions shown from AP)");
    Line(os, "LongSign", std::to_string(s.LongSign));
    Line(os, "TransSign", std::to_string(s.TransSign));
    std::string counts;
    for (int32_t n : s.GroupCount) counts += (counts.empty() ? "" : " ") + std::to_string(n);
    Line(os, "GroupCount", counts, "(groups 0..8)");

    os << "\nFrames: " << s.FrameList.size();
    if (!s.FrameList.empty())
        os << " (first: frame " << Fixed(s.FrameList.front().FrameNo, 2) << " at "
           << Fixed(s.FrameList.front().PosMM / 1000, 3) << " m; last: frame " << Fixed(s.FrameList.back().FrameNo, 2)
           << " at " << Fixed(s.FrameList.back().PosMM / 1000, 3) << " m)";
    os << "\n";

    os << "\nTank groups\n";
    for (const kv::grinfo_rec& gr : st.TankGroup.Groups) {
        os << "  [" << gr.GroupIndex << "] " << (gr.GroupName.str().empty() ? "(no name)" : Text(gr.GroupName))
           << ", tanks: " << gr.Tanks.size() << "\n";
        if (gr.Tanks.empty()) continue;
        os << "      " << std::left << std::setw(22) << "TankName" << std::right << std::setw(14) << "MaxVolume m3"
           << std::setw(12) << "MaxLevel m" << std::setw(12) << "AftEnd m" << std::setw(12) << "ForeEnd m"
           << std::setw(16) << "DefaultSG t/m3" << "\n";
        for (const kv::tank_rec& t : gr.Tanks)
            os << "      " << std::left << std::setw(22) << Text(t.TankName) << std::right << std::setw(14)
               << Fixed(t.MaxVolume, 3) << std::setw(12) << Fixed(t.MaxLevel, 3) << std::setw(12)
               << Fixed(t.AftEnd, 3) << std::setw(12) << Fixed(t.ForeEnd, 3) << std::setw(16)
               << Fixed(t.DefaultSG, 4) << "\n";
    }

    os << "\nShip tables\n";
    os << "  " << std::left << std::setw(22) << "Slot" << std::setw(28) << "Title" << std::right << std::setw(6)
       << "Cols" << std::setw(7) << "Rows" << std::setw(8) << "Layers" << "  Headings (columns | layers)\n";
    for (size_t k = 0; k < s.ShipTables.Tables.size(); ++k) {
        const kv::xyztable_rec& t = s.ShipTables.Tables[k];
        os << "  " << std::left << std::setw(3) << k << std::setw(19) << kTableSlotNames[k] << std::setw(28)
           << Text(t.Title) << std::right << std::setw(6)
           << t.ColCount << std::setw(7) << t.RowCount << std::setw(8) << t.LayerCount << "  "
           << Join(Headings(t.ColHeads, t.ColCount));
        if (t.LayerCount > 0) os << " | " << Join(Headings(t.LayerHeads, t.LayerCount));
        os << "\n";
    }
    os << "  Cargo hold mass curves: " << s.ShipTables.CargoMassList.size() << " holds\n";

    os << "\nOptions (entries that are on or carry a text)\n";
    bool anyOption = false;
    for (size_t i = 0; i < s.Options.size(); ++i) {
        const kv::shipoption_rec& o = s.Options[i];
        if (o.Enabled == 0 && o.Text.str().empty()) continue;
        anyOption = true;
        os << "  " << std::right << std::setw(2) << i << "  " << (o.Enabled ? "on " : "off") << "  " << Text(o.Text)
           << "\n";
    }
    if (!anyOption) os << "  (none)\n";

    os << "\nStrength\n";
    Line(os, "Read-out points", std::to_string(s.ClassAllow.readouts.size()));
    for (int i = 0; i < 4; ++i) {
        const kv::allow_rec& a = AllowSet(s.ClassAllow, i);
        Line(os, kAllowSetNames[i],
             "SF " + std::to_string(a.sfsegs.size()) + ", BM " + std::to_string(a.bmsegs.size()) + ", TM " +
                 std::to_string(a.tmsegs.size()),
             "segments");
    }

    const kv::continfo_rec& c = st.ContInfo;
    os << "\nContainer stowage\n";
    Line(os, "bay_count", std::to_string(c.bay_count));
    Line(os, "row_count", std::to_string(c.row_count[0]) + " on deck, " + std::to_string(c.row_count[1]) + " in hold");
    Line(os, "tier_count",
         std::to_string(c.tier_count[0]) + " on deck, " + std::to_string(c.tier_count[1]) + " in hold");
    Line(os, "Ports", std::to_string(c.port_list.size()));
    Line(os, "IMDG entries", std::to_string(c.imdg_list.size()));
    if (!c.bays.empty()) {
        os << "  " << std::left << std::setw(10) << "bay_name" << "bay_kind\n";
        for (const kv::baycell_rec& b : c.bays)
            os << "  " << std::left << std::setw(10) << Text(b.bay_name) << b.bay_kind
               << (kv::Is40ftBayKind(b.bay_kind) ? "  (40 ft)" : "  (20 ft)") << "\n";
    }
}

}  // namespace

int CmdInfo(CliContext& ctx, const std::vector<std::string>& args) {
    bool asJson = false;
    for (const std::string& a : args) {
        if (a == "--json") {
            asJson = true;
        } else {
            ctx.Err << "korvanel-cli info: unknown argument '" << a << "'\n";
            return 2;
        }
    }
    const kv::InitReport& report = ctx.LoadShipData();
    if (asJson) {
        ctx.Out << InfoJson(ctx, report).dump(2) << "\n";
    } else {
        PrintText(ctx.Out, ctx, report);
    }
    return 0;
}

}  // namespace kvcli
