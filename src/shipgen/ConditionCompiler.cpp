#include "shipgen/ConditionCompiler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include <nlohmann/json.hpp>

#include "calc/CycleInputs.h"
#include "calc/TankContents.h"
#include "containers/BayGeometry.h"
#include "containers/CheckDigit.h"
#include "containers/ContainerModel.h"
#include "containers/ContainerPositions.h"
#include "containers/IsoCodes.h"
#include "model/CodeFiles.h"
#include "model/ConditionFile.h"
#include "shipgen/ShipDefinition.h"
#include "shipgen/ViewOutlines.h"

namespace kv::shipgen {

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const char* kCargoCodesFile = "cargo_codes.json";

template <int N>
void SetText(ShortString<N>& s, const std::string& text, const std::string& where) {
    if (text.size() > size_t(N))
        throw DefinitionError(where + ": \"" + text + "\" is longer than " + std::to_string(N) + " characters");
    s.set(text);
}

std::string TextOr(const json& j, const std::string& key, const std::string& fallback, const std::string& where) {
    return j.contains(key) ? Text(j, key, where) : fallback;
}

// ---- tanks and constants --------------------------------------------------

// (group, index) of the tank or hold named so in groups 1 to 7.
std::pair<int, int> FindTank(const KvState& s, const std::string& name, const std::string& where) {
    for (int g = 1; g <= 7; ++g) {
        int i = FindTankByName(s.TankGroup, g, name);
        if (i >= 0) return {g, i};
    }
    throw DefinitionError(where + ": no tank \"" + name + "\"");
}

// The loading kind of a hold as the cargo grid names it.
int CargoKind(const std::string& text, const std::string& where) {
    static const char* names[] = {"BALE", "BULK", "T_GRAIN", "U_GRAIN", "E.BALLAST"};
    for (int k = 0; k < 5; ++k)
        if (text == names[k]) return k;
    throw DefinitionError(where + ": cargo \"" + text + "\" is none of BALE, BULK, T_GRAIN, U_GRAIN, E.BALLAST");
}

void FillTank(KvState& s, int g, int i, const json& entry, const std::string& where) {
    const tank_rec& t = s.TankGroup.Groups[size_t(g)].Tanks[size_t(i)];
    double percent = Num(entry, "percent", where);
    if (percent < 0 || percent > 100)
        throw DefinitionError(where + ": fill of " + std::to_string(percent) + " % outside 0 to 100");
    loadinfo_rec& l = s.LoadData.Loads[size_t(g)].Items[size_t(i)];
    Extended capacity = t.MaxVolume;
    if (entry.contains("cargo")) {
        // Holds only: the loading kind, whose capacity the percentage is of
        // (a trimmed or untrimmed grain hold holds less than its moulded volume).
        if (g != 1) throw DefinitionError(where + ": \"cargo\" is for the cargo holds (group 1) only");
        l.CargoType = CargoKind(Text(entry, "cargo", where), where);
        capacity = HoldCapacity(s, i);
    }
    l.Volume = capacity * Extended(percent) / 100;
    l.Density = entry.contains("density") ? Extended(Num(entry, "density", where)) : t.DefaultSG;
    if (!(l.Density > 0)) throw DefinitionError(where + ": density must be above 0");
}

// Entries in order, a later one overriding an earlier: {"group": g} fills
// every tank of the group, {"name"} or {"names"} the tanks named.
void FillTanks(KvState& s, const json& list, const std::string& where) {
    for (size_t k = 0; k < list.size(); ++k) {
        const json& e = list[k];
        const std::string at = where + " tanks[" + std::to_string(k) + "]";
        if (e.contains("group")) {
            int g = Int(e, "group", at);
            if (g < 1 || g > 7) throw DefinitionError(at + ": group must be 1 to 7");
            for (int i = 0; i < s.ShipInfo.GroupCount[size_t(g)]; ++i) FillTank(s, g, i, e, at);
            continue;
        }
        std::vector<std::string> names;
        if (e.contains("name")) names.push_back(Text(e, "name", at));
        if (e.contains("names"))
            for (const json& n : Array(e, "names", at)) names.push_back(n.get<std::string>());
        if (names.empty()) throw DefinitionError(at + ": needs \"group\", \"name\" or \"names\"");
        for (const std::string& n : names) {
            auto [g, i] = FindTank(s, n, at);
            FillTank(s, g, i, e, at);
        }
    }
}

// Group 8 starts from the standard constant set of the ship (when it has
// one); entries replace the values they give.
void FillConstants(KvState& s, const json& def, const std::string& where) {
    auto& items = s.LoadData.Loads[8].Items;
    for (const dwcinfo_rec& set : s.DwcList)
        if (set.DwcName.str() == "STANDARD")
            for (size_t i = 0; i < items.size() && i < set.DwcLoads.size(); ++i) {
                items[i].Weight = set.DwcLoads[i].Weight;
                items[i].LCG = set.DwcLoads[i].LCG;
                items[i].TCG = set.DwcLoads[i].TCG;
                items[i].VCG = set.DwcLoads[i].VCG;
            }
    if (!def.contains("constants")) return;
    const json& list = Array(def, "constants", where);
    for (size_t k = 0; k < list.size(); ++k) {
        const std::string at = where + " constants[" + std::to_string(k) + "]";
        const std::string name = Text(list[k], "name", at);
        int i = FindTankByName(s.TankGroup, 8, name);
        if (i < 0) throw DefinitionError(at + ": no constant \"" + name + "\"");
        loadinfo_rec& l = items[size_t(i)];
        l.Weight = NumOr(list[k], "weight", double(l.Weight), at);
        l.LCG = NumOr(list[k], "lcg", double(l.LCG), at);
        l.TCG = NumOr(list[k], "tcg", double(l.TCG), at);
        l.VCG = NumOr(list[k], "vcg", double(l.VCG), at);
        if (l.Weight < 0) throw DefinitionError(at + ": negative weight");
    }
}

// ---- containers -----------------------------------------------------------

using SlotKey = std::tuple<int, int, int, int>;  // bay, section, row, tier

// The containers placed so far, by slot, with their lengths.
struct Stowage {
    std::map<SlotKey, bool> placed;  // slot -> is a 40-ft container
    std::map<std::tuple<int, int, int>, double> stackWeight;
    int serial = 0;
};

int SectionOf(const std::string& text, const std::string& where) {
    if (text == "ON DECK") return OnDeck;
    if (text == "IN HOLD") return InHold;
    throw DefinitionError(where + ": section must be \"ON DECK\" or \"IN HOLD\"");
}

// The bay that shares the space of a slot: the 40-ft bay of a 20-ft bay, the
// two 20-ft bays of a 40-ft bay.
std::vector<int> PartnerBays(const continfo_rec& geo, int bay) {
    const int n = int(geo.bays.size());
    const int32_t kind = geo.bays[size_t(bay)].bay_kind;
    std::vector<int> out;
    if (Is40ftBayKind(kind)) {
        if (bay > 0 && geo.bays[size_t(bay - 1)].bay_kind == 1) out.push_back(bay - 1);
        if (bay + 1 < n && geo.bays[size_t(bay + 1)].bay_kind == 2) out.push_back(bay + 1);
    } else if (kind == 1 && bay + 1 < n && Is40ftBayKind(geo.bays[size_t(bay + 1)].bay_kind)) {
        out.push_back(bay + 1);
    } else if (kind == 2 && bay > 0 && Is40ftBayKind(geo.bays[size_t(bay - 1)].bay_kind)) {
        out.push_back(bay - 1);
    }
    return out;
}

// The same row and tier (by label) in another bay, or nothing.
std::optional<SlotKey> SameSpace(const continfo_rec& geo, int bay, int section, int row, int tier, int other) {
    const cellinfo_rec& from = geo.bays[size_t(bay)].sections[size_t(section)];
    const cellinfo_rec& to = geo.bays[size_t(other)].sections[size_t(section)];
    int r = FindRow(geo, other, section, from.row_names[size_t(row)].str());
    if (r < 0) return std::nullopt;
    const std::string tierName = from.tier_names[size_t(tier)].str();
    for (size_t t = 0; t < to.tier_names.size(); ++t)
        if (LabelsMatch(to.tier_names[t].str(), tierName) && size_t(r) < to.cells.size() && t < to.cells[size_t(r)].size() &&
            to.cells[size_t(r)][t].state != 0)
            return SlotKey{other, section, r, int(t)};
    return std::nullopt;
}

// The existing slot under a slot of the same bay (tiers are stored top
// first), or -1 at the bottom of the stack.
int TierBelow(const cellinfo_rec& sec, int row, int tier) {
    const auto& cells = sec.cells[size_t(row)];
    for (size_t t = size_t(tier) + 1; t < cells.size(); ++t)
        if (cells[t].state != 0) return int(t);
    return -1;
}

// A slot can take a container when its space is free and what is under it
// carries it: a 40-ft container stands on a 40-ft container or on two 20-ft
// ones; a 20-ft container only on a 20-ft one.
bool CanStow(const continfo_rec& geo, const Stowage& st, int bay, int section, int row, int tier, bool forty) {
    if (st.placed.count({bay, section, row, tier})) return false;
    const std::vector<int> partners = PartnerBays(geo, bay);
    for (int p : partners)
        if (auto k = SameSpace(geo, bay, section, row, tier, p); k && st.placed.count(*k)) return false;
    const cellinfo_rec& sec = geo.bays[size_t(bay)].sections[size_t(section)];
    int below = TierBelow(sec, row, tier);
    if (below < 0) {
        // The bottom of its own stack: it must not hang over a slot of the
        // bay of the other length that is empty or holds the other length.
        if (size_t(tier) + 1 >= sec.tier_names.size()) return true;
        for (int p : partners) {
            auto k = SameSpace(geo, bay, section, row, tier + 1, p);
            if (!k) continue;
            auto it = st.placed.find(*k);
            if (it == st.placed.end() || it->second || !forty) return false;
        }
        return true;
    }
    auto own = st.placed.find({bay, section, row, below});
    if (own != st.placed.end()) return true;  // same length, own bay
    if (!forty) return false;
    if (partners.size() != 2) return false;
    for (int p : partners) {
        auto k = SameSpace(geo, bay, section, row, below, p);
        auto it = k ? st.placed.find(*k) : st.placed.end();
        if (it == st.placed.end() || it->second) return false;
    }
    return true;
}

std::string ContainerId(int serial) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "KVLU%06d", serial % 1000000);
    std::string id = buf;
    return id + char('0' + IsoCheckDigit(id));
}

// Bays a rule names: "20" every 20-ft bay, "40" every 40-ft bay, or a list of
// bay labels.
std::vector<int> RuleBays(const continfo_rec& geo, const json& rule, const std::string& where) {
    std::vector<int> out;
    const json& b = Member(rule, "bays", where);
    if (b.is_string()) {
        std::string k = b.get<std::string>();
        if (k != "20" && k != "40") throw DefinitionError(where + ": \"bays\" must be \"20\", \"40\" or a list");
        for (size_t i = 0; i < geo.bays.size(); ++i)
            if (Is40ftBayKind(geo.bays[i].bay_kind) == (k == "40")) out.push_back(int(i));
        return out;
    }
    for (const json& label : b) {
        int i = FindBay(geo, label.get<std::string>());
        if (i < 0) throw DefinitionError(where + ": no bay \"" + label.get<std::string>() + "\"");
        out.push_back(i);
    }
    return out;
}

std::set<std::string> Labels(const json& rule, const std::string& key, const std::string& where) {
    std::set<std::string> out;
    if (rule.contains(key))
        for (const json& v : Array(rule, key, where)) out.insert(v.get<std::string>());
    return out;
}

bool Selected(const std::set<std::string>& wanted, const std::string& label) {
    if (wanted.empty()) return true;
    for (const std::string& w : wanted)
        if (LabelsMatch(w, label)) return true;
    return false;
}

// Places containers of one kind by a rule, stack by stack from the bottom
// up, in bay, row and tier order; returns how many were placed.
int StowRule(KvState& s, Stowage& st, const json& rule, const std::string& where) {
    const continfo_rec& geo = s.ContInfo;
    const std::string iso = Text(rule, "iso", where);
    const int lmm = IsoLengthMM(iso);
    if (lmm <= 0 || IsoHeightMM(iso) <= 0) throw DefinitionError(where + ": unknown size-type code \"" + iso + "\"");
    const bool forty = lmm >= 12192;
    const double weight = Num(rule, "weight", where);
    if (!(weight > 0)) throw DefinitionError(where + ": weight must be above 0");
    const int section = SectionOf(Text(rule, "section", where), where);
    const std::set<std::string> rows = Labels(rule, "rows", where), tiers = Labels(rule, "tiers", where);
    const int limit = rule.contains("count") ? Int(rule, "count", where) : -1;
    const int maxTiers = rule.contains("maxTiers") ? Int(rule, "maxTiers", where) : 1000;
    const bool reefer = rule.contains("temperature");
    const double temperature = reefer ? Num(rule, "temperature", where) : 0.0;
    const std::string pol = TextOr(rule, "pol", "", where), pod = TextOr(rule, "pod", "", where);

    int placed = 0;
    for (int bay : RuleBays(geo, rule, where)) {
        if (Is40ftBayKind(geo.bays[size_t(bay)].bay_kind) != forty)
            throw DefinitionError(where + ": a " + iso + " container does not fit a bay of the other length");
        const cellinfo_rec& sec = geo.bays[size_t(bay)].sections[size_t(section)];
        for (size_t row = 0; row < sec.cells.size(); ++row) {
            if (!Selected(rows, sec.row_names[row].str())) continue;
            int level = 0;  // counted from the bottom slot of the stack
            for (size_t t = sec.cells[row].size(); t-- > 0;) {
                if (limit >= 0 && placed >= limit) return placed;
                if (sec.cells[row][t].state == 0) continue;
                if (++level > maxTiers) break;
                if (!Selected(tiers, sec.tier_names[t].str())) continue;
                if (!CanStow(geo, st, bay, section, int(row), int(t), forty)) continue;
                double& stack = st.stackWeight[{bay, section, int(row)}];
                const float maxStack = row < sec.row_max_weight.size() ? sec.row_max_weight[row] : 0.0f;
                if (maxStack > 0 && stack + weight > maxStack + 1e-9) continue;

                container_rec c;
                InitContainer(c);
                SlotRef ref{section, bay, int(row), int(t)};
                c.position.set(SlotPosition(geo, ref));
                c.container_id.set(ContainerId(++st.serial));
                c.iso_code.set(iso);
                c.weight = float(weight);
                c.ports[PortOfLoading].set(pol);
                c.ports[PortOfDischarge].set(pod);
                c.carrier.set("KVL");
                c.section = section;
                if (reefer) {
                    c.reefer = 1;
                    c.temperature = temperature;
                    c.temp_min = temperature - 1;
                    c.temp_max = temperature + 1;
                }
                s.LoadData.BayLists[size_t(bay)].push_back(c);
                SlotCell(s.ContInfo, ref)->state = 2;
                st.placed[{bay, section, int(row), int(t)}] = forty;
                stack += weight;
                ++placed;
            }
        }
    }
    return placed;
}

// ---- bale cargo -----------------------------------------------------------

bool Overlap(const balecargo_rec& a, const balecargo_rec& b) {
    return a.AftX < b.ForeX && b.AftX < a.ForeX && a.SideY2 < b.SideY1 && b.SideY2 < a.SideY1;
}

void PlaceBale(KvState& s, const json& e, const std::string& where) {
    const std::string code = Text(e, "code", where);
    int k = -1;
    for (size_t i = 0; i < s.CargoCodeList.size(); ++i)
        if (s.CargoCodeList[i].Code.str() == code) { k = int(i); break; }
    if (k < 0) throw DefinitionError(where + ": no cargo code \"" + code + "\"");
    const cargocode_rec& cc = s.CargoCodeList[size_t(k)];
    const std::string level = Text(e, "where", where);
    balecargo_rec b;
    SetText(b.CargoCode, code, where);
    b.Where = level == "ON DECK" ? BaleOnDeck : level == "IN HOLD" ? BaleInHold : -1;
    if (b.Where < 0) throw DefinitionError(where + ": \"where\" must be \"ON DECK\" or \"IN HOLD\"");
    b.Weight = Num(e, "weight", where);
    if (!(b.Weight > 0)) throw DefinitionError(where + ": weight must be above 0");
    b.PosX = Num(e, "x", where);
    b.PosY = Num(e, "y", where);
    const int h = HoldAtX(s.TankGroup, b.PosX + cc.CodeLCG);
    if (h < 0) throw DefinitionError(where + ": the item stands in no hold");
    const tank_rec& hold = s.TankGroup.Groups[1].Tanks[size_t(h)];
    const double length = double(cc.Length), width = double(cc.Width);
    if (b.PosX < hold.AftEnd - 1e-9 || b.PosX + length > hold.ForeEnd + 1e-9)
        throw DefinitionError(where + ": the item reaches beyond " + hold.TankName.str());
    const double side1 = double(std::min(hold.TransY1, hold.TransY2)), side2 = double(std::max(hold.TransY1, hold.TransY2));
    if (b.Where == BaleInHold && (b.PosY - width / 2 < side1 - 1e-9 || b.PosY + width / 2 > side2 + 1e-9))
        throw DefinitionError(where + ": the item is wider than " + hold.TankName.str() + " where it stands");
    if (std::fabs(b.PosY) + width / 2 > double(s.ShipInfo.Breadth) / 2 + 1e-9)
        throw DefinitionError(where + ": the item reaches beyond the ship's side");
    b.BaseZ = b.Where == BaleOnDeck ? double(hold.TopZ) : double(hold.BottomZ);
    b.AboveIndex = -1;
    b.BelowIndex = -1;
    b.LCG = cc.CodeLCG + b.PosX;
    b.TCG = cc.CodeTCG + b.PosY;
    b.VCG = cc.CodeVCG + b.BaseZ;
    b.AftX = b.PosX;
    b.ForeX = b.PosX + cc.Length;
    b.SideY1 = b.PosY + cc.Width / 2;
    b.SideY2 = b.PosY - cc.Width / 2;
    auto cm = [](Extended v) { return int32_t(std::trunc(double(v) * 100)); };
    b.Corners = {{{cm(b.PosX), cm(b.PosY + cc.Width / 2)}, {cm(b.PosX + cc.Length), cm(b.PosY + cc.Width / 2)},
                  {cm(b.PosX + cc.Length), cm(b.PosY - cc.Width / 2)}, {cm(b.PosX), cm(b.PosY - cc.Width / 2)}}};
    for (const balecargo_rec& o : s.LoadData.BaleList)
        if (o.Where == b.Where && Overlap(o, b)) throw DefinitionError(where + ": the item overlaps another item");
    s.LoadData.BaleList.push_back(b);
}

cargocode_rec CargoCode(const json& e, const std::string& where) {
    cargocode_rec r;
    SetText(r.Code, Text(e, "code", where), where);
    SetText(r.CodeName, Text(e, "name", where), where);
    r.Length = Num(e, "length", where);
    r.Width = Num(e, "width", where);
    r.Height = Num(e, "height", where);
    if (!(r.Length > 0 && r.Width > 0 && r.Height > 0)) throw DefinitionError(where + ": sizes must be above 0");
    r.CodeLCG = NumOr(e, "lcg", double(r.Length) / 2, where);
    r.CodeTCG = NumOr(e, "tcg", 0.0, where);
    r.CodeVCG = NumOr(e, "vcg", double(r.Height) / 2, where);
    r.Color = ParseColor(TextOr(e, "color", "#808080", where));
    r.TextColor = ContrastTextColor(r.Color);
    SetText(r.CodeRemark, TextOr(e, "remark", "", where), where);
    return r;
}

}  // namespace

KvState ConditionState(const ShipDataSet& data) {
    KvState s;
    s.ShipInfo = data.ship;
    s.TankGroup = data.tanks;
    s.ContInfo = data.containers;
    s.CargoCodeList = data.cargoCodes;
    s.DwcList = data.dwcSets;
    NewCondition(s);
    return s;
}

void BuildCondition(const json& def, const std::string& where, KvState& s) {
    loaddata_rec& d = s.LoadData;
    SetText(d.CondTitle, TextOr(def, "title", "", where), where + " title");
    d.SeaDensity = NumOr(def, "seaDensity", double(d.SeaDensity), where);
    const std::string cond = TextOr(def, "voyageCond", "SEAGOING", where);
    if (cond != "SEAGOING" && cond != "HARBOUR")
        throw DefinitionError(where + ": voyageCond must be \"SEAGOING\" or \"HARBOUR\"");
    d.VoyageCond = cond == "HARBOUR" ? 1 : 0;
    if (def.contains("voyage")) {
        const json& v = Member(def, "voyage", where);
        const std::string at = where + " voyage";
        SetText(d.VoyageNo, TextOr(v, "no", "", at), at);
        SetText(d.VoyageDesc, TextOr(v, "desc", "", at), at);
        SetText(d.VoyageDate, TextOr(v, "date", "", at), at);
        SetText(d.VoyageFrom, TextOr(v, "from", "", at), at);
        SetText(d.VoyageTo, TextOr(v, "to", "", at), at);
        SetText(d.VoyageBy, TextOr(v, "by", "", at), at);
        SetText(d.VoyageRemark, TextOr(v, "remark", "", at), at);
    }
    if (def.contains("tanks")) FillTanks(s, Array(def, "tanks", where), where);
    FillConstants(s, def, where);

    if (def.contains("containers")) {
        Stowage st;
        const json& rules = Array(def, "containers", where);
        for (size_t k = 0; k < rules.size(); ++k) {
            const std::string at = where + " containers[" + std::to_string(k) + "]";
            if (StowRule(s, st, rules[k], at) == 0) throw DefinitionError(at + ": the rule places no container");
        }
        for (size_t bay = 0; bay < d.BayLists.size(); ++bay)
            UpdateBayGeometry(s.ContInfo, d, int(bay), s.Config.ContVCGPercent);
    }
    if (def.contains("bale")) {
        const json& items = Array(def, "bale", where);
        for (size_t k = 0; k < items.size(); ++k) PlaceBale(s, items[k], where + " bale[" + std::to_string(k) + "]");
    }
    RefreshUserInputSet(s.DwcList, d.Loads[8].Items);
}

std::vector<SampleCondition> BuildSampleConditions(const std::string& definitionDir, ShipDataSet& data) {
    const fs::path dir = fs::path(definitionDir) / "conditions";
    std::vector<SampleCondition> out;
    if (!fs::is_directory(dir)) return out;
    if (fs::is_regular_file(dir / kCargoCodesFile)) {
        const std::string where = (dir / kCargoCodesFile).string();
        const json codes = LoadJsonFile(where);
        const json& list = Array(codes, "codes", where);
        for (size_t k = 0; k < list.size(); ++k) {
            cargocode_rec r = CargoCode(list[k], where + " codes[" + std::to_string(k) + "]");
            for (const cargocode_rec& o : data.cargoCodes)
                if (o.Code.str() == r.Code.str()) throw DefinitionError(where + ": code \"" + r.Code.str() + "\" twice");
            data.cargoCodes.push_back(r);
        }
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == ".json" && e.path().filename() != kCargoCodesFile)
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::set<std::string> names;
    for (const fs::path& f : files) {
        const std::string where = f.string();
        const json def = LoadJsonFile(where);
        const std::string name = Text(def, "file", where) + ".LCF";
        if (!names.insert(name).second) throw DefinitionError(where + ": a second condition named \"" + name + "\"");
        KvState s = ConditionState(data);
        BuildCondition(def, where, s);
        // The program keeps the centres of the tanks it computed in the
        // loading record; the file carries them as the program saves it.
        UpdateAllTankItems(s);
        out.push_back({name, EncodeConditionFile(s)});
    }
    return out;
}

void WriteSampleConditions(const std::vector<SampleCondition>& conditions, const std::string& outDir) {
    const fs::path save = fs::path(outDir) / "Save";
    fs::create_directories(save);
    for (const SampleCondition& c : conditions) WriteFileAtomically((save / c.fileName).string(), c.bytes);
}

}  // namespace kv::shipgen
