// korvanel-cli calc FILE.LCF [--json] [--harbour|--sea] [--intervals]
//                            [--flood-hold N]... [--flood-all]
//
// Opens the condition, brings every tank, hold, constant, bay and bale cargo
// item up to date, runs the calculation cycle, then torsion and grain
// stability where the ship data switch them on and the flooding of the holds
// asked for, and the warning checks; prints the results in internal units
// (m, t, t·m, degrees). A calculation that did not run is printed as "not
// computed". The exit code is 0 whenever the calculation ran, whatever the
// judgement; 2 for wrong arguments.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <ostream>

#include <nlohmann/json.hpp>

#include "calc/CycleInputs.h"
#include "calc/Flooding.h"
#include "calc/GlobalProc.h"
#include "calc/Grain.h"
#include "calc/TankContents.h"
#include "calc/Torsion.h"
#include "calc/Warnings.h"
#include "cli/Commands.h"
#include "cli/StrengthOutput.h"
#include "model/ConditionFile.h"
#include "numerics/Formats.h"

namespace kvcli {

namespace {

using json = nlohmann::ordered_json;
using kv::Extended;

// Every number printed is finite; anything else would be a fault worth seeing.
json Num(Extended v) { return std::isfinite(double(v)) ? json(double(v)) : json("non-finite"); }

const char* const kJudgementNames[8] = {"StabilityOK", "StrengthOK",  "GrainOK",    "FloodStrengthOK",
                                        "DisplacementOK", "(none)",   "CargoMassOK", "TorsionOK"};
const char* const kWarningNames[11] = {"FwdDraftLow", "DraftHigh", "TrimHeadHigh", "TrimSternHigh",
                                       "HeelHigh",    "GMHigh",    "(none)",       "(none)",
                                       "(none)",      "(none)",    "GrainNotUpright"};

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return std::string();
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// Heel angles of the cross curves, 0 first, as the lever values are kept.
std::vector<double> LeverAngles(const kv::KvState& s) {
    const kv::xyztable_rec& kn = s.ShipInfo.ShipTables.KNTable();
    std::vector<double> a{0};
    for (int c = 2; c <= kn.ColCount && size_t(c) < kn.ColHeads.size(); ++c) {
        Extended v = 0;
        kv::TryTextToFloat(kn.ColHeads[size_t(c)].str(), v);
        a.push_back(double(v));
    }
    return a;
}

json NumList(const std::vector<Extended>& v) {
    json j = json::array();
    for (Extended x : v) j.push_back(Num(x));
    return j;
}

json ResultJson(const kv::KvState& s) {
    const kv::calcdata_rec& c = s.CalcData;
    json j;
    json sums = json::array();
    for (size_t i = 0; i < c.Summaries.size(); ++i) {
        const kv::tanksummary_rec& g = c.Summaries[i];
        sums.push_back({{"index", i},
                        {"group", i == 0 ? std::string("containers") : "load group " + std::to_string(i - 1)},
                        {"Weight", Num(g.Weight)},
                        {"LCG", Num(g.LCG)},
                        {"TCG", Num(g.TCG)},
                        {"VCG", Num(g.VCG)},
                        {"FSM", Num(g.FSM)}});
    }
    j["Summaries"] = sums;
    const std::pair<const char*, Extended> main[] = {
        {"Deadweight", c.Deadweight}, {"Displacement", c.Displacement}, {"DisplacementSW", c.DisplacementSW},
        {"TotalFSM", c.TotalFSM},     {"LCG", c.LCG},                   {"TCG", c.TCG},
        {"VCG", c.VCG},               {"Trim", c.Trim},                 {"Heel", c.Heel},
        {"DraftAP", c.DraftAP},       {"DraftMean", c.DraftMean},       {"DraftFP", c.DraftFP},
        {"DraftPort", c.DraftPort},   {"DraftStbd", c.DraftStbd},       {"MarkDraftAft", c.MarkDraftAft},
        {"MarkDraftMid", c.MarkDraftMid}, {"MarkDraftFwd", c.MarkDraftFwd}, {"DraftAtLCF", c.DraftAtLCF},
        {"KMT", c.KMT},               {"LCB", c.LCB},                   {"VCB", c.VCB},
        {"LCF", c.LCF},               {"TPC", c.TPC},                   {"MTC", c.MTC},
        {"PropImmersion", c.PropImmersion}, {"Visibility", c.Visibility}};
    for (const auto& [name, v] : main) j[name] = Num(v);

    const kv::stabsummary_rec& st = c.Stab;
    json stab;
    stab["GMSolid"] = Num(st.GMSolid);
    stab["FSC"] = Num(st.FSC);
    stab["GoM"] = Num(st.GoM);
    stab["Angles"] = LeverAngles(s);
    stab["KNValues"] = NumList(st.KNValues);
    stab["GZValues"] = NumList(st.GZValues);
    const std::pair<const char*, Extended> curve[] = {
        {"MaxGZ", st.MaxGZ},   {"GZ30", st.GZ30},   {"MaxGZAngle", st.MaxGZAngle}, {"AreaToMaxGZ", st.AreaToMaxGZ},
        {"StabRange", st.StabRange}, {"Area30", st.Area30}, {"Area40", st.Area40}, {"Area30to40", st.Area30to40},
        {"FloodAngle", st.FloodAngle}};
    for (const auto& [name, v] : curve) stab[name] = Num(v);
    j["Stab"] = stab;

    json w;
    const std::pair<const char*, Extended> weather[] = {
        {"Lw1", c.Lw1},       {"Lw2", c.Lw2},           {"Theta0", c.Theta0}, {"Theta1", c.Theta1},
        {"Theta2", c.Theta2}, {"ThetaLw2", c.ThetaLw2}, {"ThetaC", c.ThetaC}, {"AreaA", c.AreaA},
        {"AreaB", c.AreaB},   {"WindArea", s.Calc.WindArea}, {"RollPeriod", s.Calc.RollPeriod}};
    for (const auto& [name, v] : weather) w[name] = Num(v);
    w["computed"] = s.ShipInfo.OptionOn(6);
    j["Weather"] = w;

    json rows = json::array();
    for (const kv::stabcriterion_rec& r : s.Calc.StabilityCriteria) rows.push_back(CriterionRowJson(r));
    j["Criteria"] = rows;

    json jf, wf;
    for (size_t i = 0; i < s.Calc.JudgementFlags.size(); ++i)
        if (std::string(kJudgementNames[i]) != "(none)") jf[kJudgementNames[i]] = bool(s.Calc.JudgementFlags[i]);
    for (size_t i = 0; i < s.Calc.WarningFlags.size(); ++i)
        if (std::string(kWarningNames[i]) != "(none)") wf[kWarningNames[i]] = bool(s.Calc.WarningFlags[i]);
    j["JudgementFlags"] = jf;
    j["WarningFlags"] = wf;
    json msgs = json::array();
    for (const std::string& m : s.StatusMessages) msgs.push_back(ToUtf8(m));
    j["Messages"] = msgs;
    j["TableRangeExceeded"] = s.Calc.StabilityRangeExceeded;
    j["HydrostaticsRangeExceeded"] = s.Calc.FloatRangeExceeded;
    j["VoyageCond"] = s.LoadData.VoyageCond == kv::ConditionPort ? "PORT" : "SEA";
    return j;
}

std::string F(Extended v, const char* fmt = "0.000") { return kv::FormatFloat(fmt, v); }

void PrintResult(std::ostream& os, const kv::KvState& s, const std::string& file) {
    const kv::calcdata_rec& c = s.CalcData;
    os << "Calculation of " << ToUtf8(file) << " (m, t, degrees), "
       << (s.LoadData.VoyageCond == kv::ConditionPort ? "harbour" : "sea-going") << " condition\n";
    os << "Weight summary      Weight       LCG       TCG       VCG       FSM\n";
    for (size_t i = 0; i < c.Summaries.size(); ++i) {
        const kv::tanksummary_rec& g = c.Summaries[i];
        os << "  " << std::left << std::setw(14)
           << (i == 0 ? std::string("containers") : "group " + std::to_string(i - 1)) << std::right;
        for (Extended v : {g.Weight, g.LCG, g.TCG, g.VCG, g.FSM}) os << std::setw(10) << F(v, "0.00");
        os << "\n";
    }
    os << "  Deadweight " << F(c.Deadweight, "0.0") << "  Displacement " << F(c.Displacement, "0.0")
       << "  (sea water 1.025: " << F(c.DisplacementSW, "0.0") << ")  Total FSM " << F(c.TotalFSM, "0.0") << "\n";
    os << "  LCG " << F(c.LCG) << "  TCG " << F(c.TCG) << "  VCG " << F(c.VCG) << "\n";
    os << "Floating position\n";
    os << "  Trim " << F(c.Trim) << "  Heel " << F(c.Heel, "0.00") << "\n";
    os << "  Drafts AP " << F(c.DraftAP) << "  mean " << F(c.DraftMean) << "  FP " << F(c.DraftFP) << "  port "
       << F(c.DraftPort) << "  stbd " << F(c.DraftStbd) << "  at LCF " << F(c.DraftAtLCF) << "\n";
    os << "  Marks aft " << F(c.MarkDraftAft) << "  mid " << F(c.MarkDraftMid) << "  fwd " << F(c.MarkDraftFwd)
       << "\n";
    os << "  KMT " << F(c.KMT) << "  LCB " << F(c.LCB) << "  VCB " << F(c.VCB) << "  LCF " << F(c.LCF) << "  TPC "
       << F(c.TPC) << "  MTC " << F(c.MTC) << "\n";
    os << "  Propeller immersion " << F(c.PropImmersion, "0.0") << " %  Blind distance "
       << (c.Visibility > 0 ? F(c.Visibility, "0.00") : std::string("---")) << "\n";
    const kv::stabsummary_rec& st = c.Stab;
    os << "Stability\n";
    os << "  GM solid " << F(st.GMSolid) << "  FSC " << F(st.FSC) << "  GoM " << F(st.GoM) << "\n";
    const std::vector<double> angles = LeverAngles(s);
    os << "  Angle";
    for (double a : angles) os << std::setw(8) << F(a, "0");
    os << "\n  GZ   ";
    for (Extended v : st.GZValues) os << std::setw(8) << F(v);
    os << "\n";
    os << "  Max GZ " << F(st.MaxGZ) << " at " << F(st.MaxGZAngle, "0.0") << "  GZ30 " << F(st.GZ30) << "  range "
       << F(st.StabRange, "0.0") << "  flooding angle " << F(st.FloodAngle, "0.0") << "\n";
    os << "  Areas 0-30 " << F(st.Area30, "0.0000") << "  0-40 " << F(st.Area40, "0.0000") << "  30-40 "
       << F(st.Area30to40, "0.0000") << "  to max GZ " << F(st.AreaToMaxGZ, "0.0000") << "\n";
    if (s.ShipInfo.OptionOn(6))
        os << "  Weather: Lw1 " << F(c.Lw1, "0.0000") << "  Lw2 " << F(c.Lw2, "0.0000") << "  Theta0 "
           << F(c.Theta0, "0.00") << "  Theta1 " << F(c.Theta1, "0.00") << "  Theta2 " << F(c.Theta2, "0.00")
           << "  ThetaC " << F(c.ThetaC, "0.00") << "  a " << F(c.AreaA, "0.0000") << "  b " << F(c.AreaB, "0.0000")
           << "  wind area " << F(s.Calc.WindArea, "0.00") << "  roll period " << F(s.Calc.RollPeriod, "0.00")
           << "\n";
    os << "Criteria\n";
    for (const kv::stabcriterion_rec& r : s.Calc.StabilityCriteria)
        if (r.Shown)
            os << "  " << std::setw(2) << r.Row << " " << std::left << std::setw(44) << ToUtf8(Trimmed(r.Name))
               << std::right << std::setw(10) << ToUtf8(r.Actual) << " " << std::setw(2) << ToUtf8(r.Sign)
               << std::setw(10) << ToUtf8(r.Allow) << " " << std::left << std::setw(8) << ToUtf8(r.Unit)
               << std::right << ToUtf8(r.Judge) << "\n";
    os << "Judgement:";
    for (size_t i = 0; i < s.Calc.JudgementFlags.size(); ++i)
        if (std::string(kJudgementNames[i]) != "(none)")
            os << " " << kJudgementNames[i] << "=" << (s.Calc.JudgementFlags[i] ? "yes" : "no");
    os << "\nWarnings:";
    for (size_t i = 0; i < s.Calc.WarningFlags.size(); ++i)
        if (s.Calc.WarningFlags[i]) os << " " << kWarningNames[i];
    os << "\n";
    for (const std::string& m : s.StatusMessages) os << "  " << ToUtf8(m) << "\n";
    os << "Table range exceeded: " << (s.Calc.StabilityRangeExceeded ? "yes" : "no")
       << " (hydrostatics: " << (s.Calc.FloatRangeExceeded ? "yes" : "no") << ")\n";
}

}  // namespace

int OpenForCalculation(CliContext& ctx, const char* cmd, const std::string& file) {
    ctx.LoadShipData();
    kv::KvState& s = *ctx.State;
    switch (kv::OpenConditionFile(s, file, ctx.Sink)) {
        case kv::OpenResult::Missing:
            ctx.Err << "korvanel-cli " << cmd << ": file not found: " << file << "\n";
            return 1;
        case kv::OpenResult::Failed: return 1;
        case kv::OpenResult::Opened: break;
    }
    kv::UpdateAllTankItems(s);
    kv::UpdateContainerItems(s);
    kv::BuildBaleSummary(s, s.CalcData.Summaries[1]);
    // Every hold compartment takes flood water, as when the window opens a
    // condition.
    kv::RebuildActiveHoldCompartments(s);
    return 0;
}

namespace {

struct CalcArgs {
    std::string File;
    bool Json = false;
    int Voyage = -1;  // -1: as the condition has it; else 0 SEA, 1 PORT
    bool Intervals = false;
    bool FloodAll = false;
    std::vector<long> FloodHolds;  // as typed, from 1
};

int CalcUsage(CliContext& ctx, const std::string& why) {
    ctx.Err << "korvanel-cli calc: " << why << "\n";
    return 2;
}

// A whole decimal number and nothing else.
bool ParseWhole(const std::string& text, long& v) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    return !text.empty() && ec == std::errc() && p == end;
}

int ParseCalcArgs(CliContext& ctx, const std::vector<std::string>& args, CalcArgs& a) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& x = args[i];
        if (x == "--json") {
            a.Json = true;
        } else if (x == "--harbour" || x == "--sea") {
            const int v = x == "--harbour" ? kv::ConditionPort : kv::ConditionSea;
            if (a.Voyage != -1 && a.Voyage != v) return CalcUsage(ctx, "--harbour and --sea exclude each other");
            a.Voyage = v;
        } else if (x == "--intervals") {
            a.Intervals = true;
        } else if (x == "--flood-all") {
            a.FloodAll = true;
        } else if (x == "--flood-hold") {
            long n = 0;
            if (i + 1 >= args.size()) return CalcUsage(ctx, "--flood-hold needs a hold number");
            if (!ParseWhole(args[i + 1], n))
                return CalcUsage(ctx, "--flood-hold needs a whole hold number, not '" + args[i + 1] + "'");
            a.FloodHolds.push_back(n);
            ++i;
        } else if (a.File.empty() && !(x.size() > 1 && x[0] == '-' && x[1] == '-')) {
            a.File = x;
        } else {
            return CalcUsage(ctx, "unknown argument '" + x + "'");
        }
    }
    if (a.File.empty()) return CalcUsage(ctx, "a condition file is needed");
    return 0;
}

}  // namespace

int CmdCalc(CliContext& ctx, const std::vector<std::string>& args) {
    CalcArgs a;
    if (int rc = ParseCalcArgs(ctx, args, a)) return rc;
    // The holds are known once the ship data are loaded; check them before
    // the condition is opened so that a wrong number costs nothing.
    ctx.LoadShipData();
    kv::KvState& s = *ctx.State;
    const long holds = long(s.TankGroup.Groups[0].Tanks.size());
    StrengthRequest req;
    req.Intervals = a.Intervals;
    for (long n : a.FloodHolds) {
        if (n < 1 || n > holds)
            return CalcUsage(ctx, "--flood-hold " + std::to_string(n) + " is not a hold: the ship has " +
                                      (holds ? "holds 1 to " + std::to_string(holds) : std::string("no holds")));
        if (std::find(req.FloodHolds.begin(), req.FloodHolds.end(), int(n - 1)) == req.FloodHolds.end())
            req.FloodHolds.push_back(int(n - 1));
    }
    if (a.FloodAll) {
        req.FloodHolds.clear();
        for (int h = 0; h < int(holds); ++h) req.FloodHolds.push_back(h);
    }
    if (int rc = OpenForCalculation(ctx, "calc", a.File)) return rc;
    if (a.Voyage != -1) s.LoadData.VoyageCond = a.Voyage;
    kv::CalculateAll(s);
    // What the print module adds to the cycle: torsion and grain stability
    // where the ship data switch them on, and the holds to be flooded.
    if (s.ShipInfo.OptionOn(kv::OptionTorsion) && s.CalcData.Strength.Computed) kv::CalcTorsion(s);
    if (s.ShipInfo.OptionOn(kv::OptionGrainStability)) kv::CalcGrain(s);
    if (!req.FloodHolds.empty() && s.ShipInfo.OptionOn(kv::OptionHoldFlooding) && s.CalcData.Strength.Computed)
        for (int h : req.FloodHolds) kv::FloodHold(s, h);
    else if (!req.FloodHolds.empty() && !s.ShipInfo.OptionOn(kv::OptionHoldFlooding))
        ctx.Err << "korvanel-cli calc: hold flooding is off in the ship data (option 2); no hold flooded\n";
    kv::CheckWarnings(s);
    if (a.Json) {
        nlohmann::ordered_json j = ResultJson(s);
        AddStrengthJson(j, s, req);
        ctx.Out << j.dump(2) << "\n";
    } else {
        PrintResult(ctx.Out, s, a.File);
        PrintStrengthText(ctx.Out, s, req);
    }
    return 0;
}

}  // namespace kvcli
