// korvanel-cli hydro (--disp D | --draft T) [--trim t] [--json]
// korvanel-cli kn --disp D [--trim t] [--json]
//
// Read the hydrostatic table and the cross curves of the loaded ship the way
// the hydrostatic table dialog reads them: every column at the key value on
// the trim asked (interpolated between the trim layers), values beyond the
// table held at its ends (Clamp on) and the excursion reported (Report on).
// The trim is given as the dialog takes it: as displayed, so it is multiplied
// by the ship's trim sign. Values are in table units (m, t, x from the aft
// perpendicular).
#include <cmath>
#include <iomanip>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "numerics/Formats.h"
#include "numerics/TableLookup.h"
#include "numerics/Units.h"

namespace kvcli {

namespace {

using json = nlohmann::ordered_json;

struct HydroArgs {
    bool json = false;
    bool haveDisp = false, haveDraft = false;
    double disp = 0, draft = 0, trim = 0;
};

bool ParseNumber(const std::string& s, double& v) {
    kv::Extended e = 0;
    if (!kv::TryTextToFloat(s, e) || !std::isfinite(static_cast<double>(e))) return false;
    v = static_cast<double>(e);
    return true;
}

// Returns 0 when the arguments are sound, else 2 after saying why.
int ParseArgs(CliContext& ctx, const char* cmd, const std::vector<std::string>& args, bool draftAllowed,
              HydroArgs& a) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "--json") {
            a.json = true;
            continue;
        }
        double* target = nullptr;
        if (s == "--disp") {
            target = &a.disp;
            a.haveDisp = true;
        } else if (s == "--draft" && draftAllowed) {
            target = &a.draft;
            a.haveDraft = true;
        } else if (s == "--trim") {
            target = &a.trim;
        } else {
            ctx.Err << "korvanel-cli " << cmd << ": unknown argument '" << s << "'\n";
            return 2;
        }
        if (i + 1 >= args.size() || !ParseNumber(args[i + 1], *target)) {
            ctx.Err << "korvanel-cli " << cmd << ": " << s << " needs a number\n";
            return 2;
        }
        ++i;
    }
    if (a.haveDisp == a.haveDraft) {
        ctx.Err << "korvanel-cli " << cmd << ": give " << (draftAllowed ? "either --disp or --draft" : "--disp")
                << "\n";
        return 2;
    }
    return 0;
}

bool HasColumn(const kv::xyztable_rec& t, const std::string& name) {
    for (int j = 1; j <= t.ColCount && size_t(j) < t.ColHeads.size(); ++j)
        if (t.ColHeads[size_t(j)].str() == name) return true;
    return false;
}

// The layer key of a trim: its text on a layered table; a single-layer
// table is read on its one layer.
std::string LayerKey(const kv::xyztable_rec& t, double trim) {
    if (t.LayerCount < 2) return t.LayerCount == 1 ? t.LayerHeads[1].str() : std::string();
    return kv::FloatToStr(static_cast<kv::Extended>(trim));
}

double DisplayTrim(const kv::shipinfo_rec& s, double trim) { return trim * (s.TrimSign == 0 ? 1 : s.TrimSign); }

void SayRange(CliContext& ctx, bool exceeded, bool asJson) {
    if (!exceeded) return;
    // Keep standard output pure JSON; the note goes beside it.
    (asJson ? ctx.Err : ctx.Out) << "Table range exceeded: values beyond the table are held at its ends.\n";
}

}  // namespace

int CmdHydro(CliContext& ctx, const std::vector<std::string>& args) {
    HydroArgs a;
    if (int rc = ParseArgs(ctx, "hydro", args, true, a)) return rc;
    ctx.LoadShipData();
    kv::KvState& st = *ctx.State;
    const kv::xyztable_rec& t = st.ShipInfo.ShipTables.HydroTable();
    if (t.Empty()) {
        ctx.Err << "korvanel-cli hydro: the ship data have no hydrostatic table\n";
        return 1;
    }
    const std::string key = a.haveDisp ? "DISP" : "DRAFT";
    if (!HasColumn(t, key)) {
        ctx.Err << "korvanel-cli hydro: the hydrostatic table has no column " << key << "\n";
        return 1;
    }
    const double keyValue = a.haveDisp ? a.disp : a.draft;
    const std::string layer = LayerKey(t, DisplayTrim(st.ShipInfo, a.trim));
    st.Tables.TableRangeExceeded = false;
    json j;
    std::vector<std::pair<std::string, double>> rows;
    for (int c = 1; c <= t.ColCount; ++c) {
        const std::string name = t.ColHeads[size_t(c)].str();
        kv::Extended v = 0;
        if (!kv::GetTableValue(t, name, key, layer, keyValue, v, true, true, st.Tables)) {
            ctx.Err << "korvanel-cli hydro: no value for " << name << "\n";
            return 1;
        }
        rows.emplace_back(name, static_cast<double>(v));
        j[ToUtf8(name)] = static_cast<double>(v);
    }
    const bool exceeded = st.Tables.TableRangeExceeded;
    if (a.json) {
        ctx.Out << j.dump(2) << "\n";
    } else {
        ctx.Out << "Hydrostatics at " << key << " " << kv::FloatToStr(keyValue) << ", trim "
                << kv::FloatToStr(a.trim) << "\n";
        for (const auto& [name, v] : rows)
            ctx.Out << "  " << std::left << std::setw(8) << ToUtf8(name) << std::right << std::setw(14)
                    << kv::FormatFloat("0.000", v) << "\n";
    }
    SayRange(ctx, exceeded, a.json);
    return 0;
}

int CmdKn(CliContext& ctx, const std::vector<std::string>& args) {
    HydroArgs a;
    if (int rc = ParseArgs(ctx, "kn", args, false, a)) return rc;
    ctx.LoadShipData();
    kv::KvState& st = *ctx.State;
    const kv::xyztable_rec& kn = st.ShipInfo.ShipTables.KNTable();
    if (kn.Empty() || kn.ColCount < 2) {
        ctx.Err << "korvanel-cli kn: the ship data have no cross curves\n";
        return 1;
    }
    const double trim = DisplayTrim(st.ShipInfo, a.trim);
    st.Tables.TableRangeExceeded = false;
    // Keyed by displacement, or by draft read from the hydrostatic table.
    std::string key = "DISP";
    double keyValue = a.disp;
    if (!HasColumn(kn, "DISP")) {
        kv::Extended draft = 0;
        const kv::xyztable_rec& hydro = st.ShipInfo.ShipTables.HydroTable();
        if (!HasColumn(kn, "DRAFT") ||
            !kv::GetTableValue(hydro, "DRAFT", "DISP", LayerKey(hydro, trim), a.disp, draft, true, true, st.Tables)) {
            ctx.Err << "korvanel-cli kn: the cross curves have no DISP or DRAFT key\n";
            return 1;
        }
        key = "DRAFT";
        keyValue = static_cast<double>(draft);
    }
    const std::string layer = LayerKey(kn, trim);
    json angles = json::array(), values = json::array();
    std::vector<std::pair<std::string, double>> rows;
    for (int c = 1; c <= kn.ColCount; ++c) {
        const std::string head = kn.ColHeads[size_t(c)].str();
        if (head == key || !kv::IsNumericText(head)) continue;
        kv::Extended v = 0;
        if (!kv::GetTableValue(kn, head, key, layer, keyValue, v, true, true, st.Tables)) {
            ctx.Err << "korvanel-cli kn: no value for angle " << head << "\n";
            return 1;
        }
        double angle = 0;
        ParseNumber(head, angle);
        angles.push_back(angle);
        values.push_back(static_cast<double>(v));
        rows.emplace_back(head, static_cast<double>(v));
    }
    const bool exceeded = st.Tables.TableRangeExceeded;
    if (a.json) {
        json j;
        j["angles"] = angles;
        j["KN"] = values;
        ctx.Out << j.dump(2) << "\n";
    } else {
        ctx.Out << "KN at DISP " << kv::FloatToStr(a.disp) << ", trim " << kv::FloatToStr(a.trim) << "\n";
        for (const auto& [head, v] : rows)
            ctx.Out << "  " << std::right << std::setw(6) << head << " deg" << std::setw(12)
                    << kv::FormatFloat("0.000", v) << "\n";
    }
    SayRange(ctx, exceeded, a.json);
    return 0;
}

}  // namespace kvcli
