// The strength family of korvanel-cli calc as JSON, and the values both the
// JSON and the text show: the read-out table, the hold mass rows and which
// calculations ran.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calc/Flooding.h"
#include "calc/Grain.h"
#include "calc/HoldMass.h"
#include "calc/ShearCorrection.h"
#include "calc/Strength.h"
#include "calc/Torsion.h"
#include "cli/Commands.h"
#include "cli/StrengthOutput.h"
#include "numerics/Formats.h"

namespace kvcli {

using json = nlohmann::ordered_json;
using kv::Extended;

namespace {

json Num(Extended v) { return std::isfinite(double(v)) ? json(double(v)) : json("non-finite"); }
json Pair(const kv::EndPair& p) { return json::array({Num(p.At1), Num(p.At2)}); }

const char* ConditionName(int c) { return c == kv::ConditionPort ? "PORT" : "SEA"; }

// The value at the end the read-out side names.

// The extremes under the names MaxLoad..., MaxSF..., MaxCorrSF..., MaxBM...
// and MaxSFPct..., MaxCorrSFPct..., MaxBMPct...
void AddExtremes(json& j, const kv::strengthextremes_rec& e) {
    j["MaxLoad"] = Num(e.MaxLoad);
    j["MaxLoadFrame"] = Num(e.MaxLoadFrame);
    j["MaxLoadPos"] = Num(e.MaxLoadPos);
    const std::pair<const char*, const kv::extreme_rec*> values[] = {
        {"MaxSF", &e.MaxSF}, {"MaxCorrSF", &e.MaxCorrSF}, {"MaxBM", &e.MaxBM}};
    for (const auto& [name, x] : values) {
        const std::string n = name;
        j[n] = Num(x->Value);
        j[n + "Frame"] = Num(x->Frame);
        j[n + "Pos"] = Num(x->Pos);
        j[n + "Percent"] = Num(x->Percent);
        j[n + "Allow"] = Num(x->Allow);
    }
    const std::pair<const char*, const kv::extreme_rec*> pcts[] = {
        {"MaxSFPct", &e.MaxSFPct}, {"MaxCorrSFPct", &e.MaxCorrSFPct}, {"MaxBMPct", &e.MaxBMPct}};
    for (const auto& [name, x] : pcts) {
        const std::string n = name;
        j[n] = Num(x->Percent);
        j[n + "Frame"] = Num(x->Frame);
        j[n + "Pos"] = Num(x->Pos);
        j[n + "Value"] = Num(x->Value);
        j[n + "Allow"] = Num(x->Allow);
    }
}

void AddBalance(json& j, const kv::balance_rec& b) {
    j["Passes"] = b.Passes;
    j["Tilt"] = Num(b.Tilt);
    j["Residual"] = Num(b.Residual);
}

json ReadOutJson(const std::vector<ReadOutRow>& rows) {
    json a = json::array();
    for (const ReadOutRow& r : rows)
        a.push_back({{"frame", Num(r.Frame)},
                     {"side", r.Side},
                     {"position", Num(r.Position)},
                     {"SF", Num(r.SF)},
                     {"CorrSF", Num(r.CorrSF)},
                     {"CorrSFPercent", Num(r.CorrSFPercent)},
                     {"CorrSFAllow", Num(r.CorrSFAllow)},
                     {"SFPercent", Num(r.SFPercent)},
                     {"SFAllow", Num(r.SFAllow)},
                     {"BM", Num(r.BM)},
                     {"BMPercent", Num(r.BMPercent)},
                     {"BMAllow", Num(r.BMAllow)}});
    return a;
}

json ValuesJson(const kv::strengthvalues_rec& v) {
    return {{"SF", Pair(v.SF)},         {"SFPercent", Pair(v.SFPercent)},         {"SFAllow", Pair(v.SFAllow)},
            {"CorrSF", Pair(v.CorrSF)}, {"CorrSFPercent", Pair(v.CorrSFPercent)}, {"CorrSFAllow", Pair(v.CorrSFAllow)},
            {"BM", Pair(v.BM)},         {"BMPercent", Pair(v.BMPercent)},         {"BMAllow", Pair(v.BMAllow)}};
}

// Every interval with its fields; each pair is [at x1, at x2].
json IntervalsJson(const kv::KvState& s, const StrengthRan& ran) {
    json a = json::array();
    for (const kv::sfbmseg_rec& g : s.Strength.Intervals) {
        json i = {{"StartFrame", Num(g.StartFrame)},
                  {"X1", Num(g.X1)},
                  {"X2", Num(g.X2)},
                  {"Length", Num(g.Length)},
                  {"LightOrdinate", Pair(g.LightOrdinate)},
                  {"LightWeight", Num(g.LightWeight)},
                  {"LightLCG", Num(g.LightLCG)},
                  {"DeadOrdinate", Pair(g.DeadOrdinate)},
                  {"DeadWeight", Num(g.DeadWeight)},
                  {"DeadLCG", Num(g.DeadLCG)},
                  {"BuoyOrdinate", Pair(g.BuoyOrdinate)},
                  {"BuoyVolume", Num(g.BuoyVolume)},
                  {"BuoyCentre", Num(g.BuoyCentre)}};
        const json values = ValuesJson(g.Intact);
        for (auto it = values.begin(); it != values.end(); ++it) i[it.key()] = it.value();
        if (ran.Torsion)
            i["Torsion"] = {{"HeelMoment", Pair(g.HeelMoment)},
                            {"TM", Pair(g.TM)},
                            {"TMPercent", Pair(g.TMPercent)},
                            {"TMAllow", Pair(g.TMAllow)}};
        if (ran.Flooding) i["Flooded"] = ValuesJson(g.Flooded);
        a.push_back(i);
    }
    return a;
}

json StrengthJson(const kv::KvState& s, const StrengthRequest& req, const StrengthRan& ran) {
    const kv::strengthsummary_rec& st = s.CalcData.Strength;
    json j;
    j["Condition"] = ConditionName(s.LoadData.VoyageCond);
    j["Correction"] = s.ShipInfo.OptionOn(kv::OptionSFCorrectionMethod)
                          ? json(kv::ShearCorrectionMethodName(std::atoi(
                                s.ShipInfo.OptionText(kv::OptionSFCorrectionMethod).c_str())))
                          : json("off");
    AddExtremes(j, st.Extremes);
    AddBalance(j, st.Balance);
    j["WeightTotal"] = Num(s.Strength.WeightTotal);
    j["LightweightTotal"] = Num(s.Strength.LightweightTotal);
    j["BuoyantVolume"] = Num(s.Strength.BuoyantVolume);
    j["StrengthOK"] = bool(s.Calc.JudgementFlags[kv::StrengthOK]);
    j["ReadOut"] = ReadOutJson(FoundReadOut(s, false));
    if (req.Intervals) j["Intervals"] = IntervalsJson(s, ran);
    return j;
}

json TorsionJson(const kv::KvState& s) {
    const kv::torsionsummary_rec& t = s.CalcData.Strength.Torsion;
    json j;
    j["Condition"] = ConditionName(s.LoadData.VoyageCond);
    j["MaxTM"] = Num(t.MaxTM.Value);
    j["MaxTMFrame"] = Num(t.MaxTM.Frame);
    j["MaxTMPos"] = Num(t.MaxTM.Pos);
    j["MaxTMPercent"] = Num(t.MaxTM.Percent);
    j["MaxTMAllow"] = Num(t.MaxTM.Allow);
    j["MaxTMPct"] = Num(t.MaxTMPct.Percent);
    j["MaxTMPctFrame"] = Num(t.MaxTMPct.Frame);
    j["MaxTMPctPos"] = Num(t.MaxTMPct.Pos);
    j["MaxTMPctValue"] = Num(t.MaxTMPct.Value);
    j["MaxTMPctAllow"] = Num(t.MaxTMPct.Allow);
    j["TotalHeelMoment"] = Num(t.TotalHeelMoment);
    j["WithinLimits"] = t.WithinLimits;
    j["TorsionOK"] = bool(s.Calc.JudgementFlags[kv::TorsionOK]);
    json rows = json::array();
    for (const ReadOutRow& r : FoundReadOut(s, false))
        rows.push_back({{"frame", Num(r.Frame)},
                        {"side", r.Side},
                        {"position", Num(r.Position)},
                        {"HeelMoment", Num(r.HeelMoment)},
                        {"TM", Num(r.TM)},
                        {"TMPercent", Num(r.TMPercent)},
                        {"TMAllow", Num(r.TMAllow)}});
    j["ReadOut"] = rows;
    return j;
}

json GrainJson(const kv::KvState& s) {
    const kv::grainsummary_rec& g = s.CalcData.Grain;
    json j;
    const std::pair<const char*, Extended> values[] = {
        {"GMSolid", g.GMSolid},         {"FSC", g.FSC},
        {"GoM", g.GoM},                 {"Lambda0", g.Lambda0},
        {"Lambda40", g.Lambda40},       {"TotalMoment", g.TotalMoment},
        {"WeightedMoment", g.WeightedMoment}, {"AllowableMoment", g.AllowableMoment},
        {"StaticAngle", g.StaticAngle}, {"ResidualArea", g.ResidualArea},
        {"AngleLimit", g.AngleLimit}};
    for (const auto& [name, v] : values) j[name] = Num(v);
    j["Passed"] = g.Passed;
    j["GrainOK"] = bool(s.Calc.JudgementFlags[kv::GrainOK]);
    json comps = json::array();
    for (const kv::graincompartment_rec& c : g.Compartments)
        comps.push_back({{"Ullage", Num(c.Ullage)},
                         {"VCG", Num(c.VCG)},
                         {"VolumetricMoment", Num(c.VolumetricMoment)},
                         {"HeelingMoment", Num(c.HeelingMoment)}});
    j["Compartments"] = comps;
    json rows = json::array();
    for (const kv::stabcriterion_rec& r : g.Rows) rows.push_back(CriterionRowJson(r));
    j["Criteria"] = rows;
    return j;
}

json PairJson(const HoldMassPair& p) {
    return {{"Draft", Num(p.Draft)}, {"Mass", Num(p.Mass)}, {"Min", Num(p.Min)}, {"Max", Num(p.Max)}, {"Pass", p.Pass}};
}

json HoldMassJson(kv::KvState& s) {
    json j;
    j["Condition"] = ConditionName(s.LoadData.VoyageCond);
    j["Check"] = s.Calc.HoldMassCheck.value_or(false);
    j["CargoMassOK"] = bool(s.Calc.JudgementFlags[kv::CargoMassOK]);
    j["AltHoldLoading"] = s.Calc.AltHoldLoading;
    json holds = json::array();
    for (const HoldMassRow& r : HoldMassRows(s)) {
        json h = {{"hold", r.Hold + 1},
                  {"Mass", Num(r.Alone.Mass)},
                  {"PlannedMass", Num(r.PlannedMass)},
                  {"Draft", Num(r.Alone.Draft)},
                  {"Min", Num(r.Alone.Min)},
                  {"Max", Num(r.Alone.Max)},
                  {"Pass", r.Alone.Pass}};
        h["WithNext"] = r.HasNext ? PairJson(r.WithNext) : json(nullptr);
        holds.push_back(h);
    }
    j["Holds"] = holds;
    return j;
}

json FloodingJson(const kv::KvState& s, const StrengthRequest& req) {
    const kv::floodsummary_rec& f = s.CalcData.Flood;
    json j;
    j["Condition"] = ConditionName(s.LoadData.VoyageCond);
    j["FloodStrengthOK"] = bool(s.Calc.JudgementFlags[kv::FloodStrengthOK]);
    json holds = json::array();
    for (int h : req.FloodHolds) {
        json e = {{"hold", h + 1}, {"name", FloodHoldName(h)}};
        const bool has = size_t(h) < f.Holds.size() && f.Holds[size_t(h)].Computed;
        if (!has) {
            e["Result"] = "not computed";
            holds.push_back(e);
            continue;
        }
        const kv::fldtkinfo_rec& r = f.Holds[size_t(h)];
        const std::pair<const char*, Extended> values[] = {
            {"FloodWater", r.FloodWater}, {"FloodWaterLCG", r.FloodWaterLCG}, {"Displacement", r.Displacement},
            {"Trim", r.Trim},             {"DraftAP", r.DraftAP},             {"DraftFP", r.DraftFP},
            {"Permeability", r.Permeability}, {"MeanDraft", r.MeanDraft}};
        for (const auto& [name, v] : values) e[name] = Num(v);
        e["Iterations"] = r.Iterations;
        if (size_t(h) < f.HoldStrength.size() && f.HoldStrength[size_t(h)].Computed) {
            json st;
            AddExtremes(st, f.HoldStrength[size_t(h)].Extremes);
            AddBalance(st, f.HoldStrength[size_t(h)].Balance);
            e["Strength"] = st;
        } else {
            e["Strength"] = "not computed";
        }
        holds.push_back(e);
    }
    j["Holds"] = holds;
    // The intervals hold the strength of the hold flooded last.
    j["ReadOutHold"] = req.FloodHolds.back() + 1;
    j["ReadOut"] = ReadOutJson(FoundReadOut(s, true));
    return j;
}

}  // namespace

std::string FloodHoldName(int hold) { return "NO." + std::to_string(hold + 1) + " CARGO HOLD"; }

std::vector<ReadOutRow> FoundReadOut(const kv::KvState& s, bool flooded) {
    std::vector<ReadOutRow> rows = kv::StrengthReadOut(s, flooded);
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const ReadOutRow& r) { return !r.Found; }), rows.end());
    return rows;
}

std::vector<HoldMassRow> HoldMassRows(kv::KvState& s) {
    const int holds = int(s.TankGroup.Groups[0].Tanks.size());
    const int cond = s.LoadData.VoyageCond;
    auto draftOf = [&](int h) {
        return size_t(h) < s.Calc.HoldDrafts.size()
                   ? s.Calc.HoldDrafts[size_t(h)]
                   : kv::MeanDraftOverSpace(s, 1, h, s.CalcData.Trim, s.CalcData.DraftMean);
    };
    auto massOf = [&](int h) {
        return size_t(h) < s.Calc.HoldMassValues.size() ? s.Calc.HoldMassValues[size_t(h)] : kv::HoldMass(s, h);
    };
    auto judge = [&](HoldMassPair& p, int h, int mode) {
        const kv::HoldMassLimit l = kv::HoldMassLimits(s, h, mode, cond, p.Draft);
        p.Min = l.Min;
        p.Max = l.Max;
        p.Pass = !(p.Mass < l.Min || p.Mass > l.Max);
    };
    std::vector<HoldMassRow> rows;
    for (int h = 0; h < holds; ++h) {
        HoldMassRow r;
        r.Hold = h;
        r.PlannedMass = kv::PlannedHoldMass(s, h);
        r.Alone.Draft = draftOf(h);
        r.Alone.Mass = massOf(h);
        judge(r.Alone, h, 0);
        if (h + 1 < holds) {
            r.HasNext = true;
            r.WithNext.Draft = (draftOf(h) + draftOf(h + 1)) / 2;
            r.WithNext.Mass = massOf(h) + massOf(h + 1);
            judge(r.WithNext, h, 1);
        }
        rows.push_back(r);
    }
    return rows;
}

StrengthRan WhatRan(const kv::KvState& s, const StrengthRequest& req) {
    StrengthRan r;
    const kv::calcdata_rec& c = s.CalcData;
    r.Strength = c.Strength.Computed;
    r.Torsion = r.Strength && s.ShipInfo.OptionOn(kv::OptionTorsion) && c.Strength.Torsion.Computed;
    r.Grain = s.ShipInfo.OptionOn(kv::OptionGrainStability) && c.Grain.Computed;
    r.HoldMass = s.ShipInfo.OptionOn(kv::OptionCargoMassLimits) && s.Calc.HoldMassCheck.has_value();
    r.Flooding = r.Strength && s.ShipInfo.OptionOn(kv::OptionHoldFlooding) && !req.FloodHolds.empty() && c.Flood.Computed;
    return r;
}

void AddStrengthJson(json& j, kv::KvState& s, const StrengthRequest& req) {
    const StrengthRan ran = WhatRan(s, req);
    json not_computed = json::array();
    auto put = [&](const char* name, bool did, auto&& make) {
        if (did) {
            j[name] = make();
        } else {
            j[name] = "not computed";
            not_computed.push_back(name);
        }
    };
    put("Strength", ran.Strength, [&] { return StrengthJson(s, req, ran); });
    put("Torsion", ran.Torsion, [&] { return TorsionJson(s); });
    put("Grain", ran.Grain, [&] { return GrainJson(s); });
    put("Flooding", ran.Flooding, [&] { return FloodingJson(s, req); });
    put("HoldMass", ran.HoldMass, [&] { return HoldMassJson(s); });
    j["NotComputed"] = not_computed;
}

json CriterionRowJson(const kv::stabcriterion_rec& r) {
    const size_t a = r.Name.find_first_not_of(' ');
    const std::string name = a == std::string::npos ? std::string() : r.Name.substr(a, r.Name.find_last_not_of(' ') - a + 1);
    return {{"row", r.Row},         {"name", ToUtf8(name)},   {"actual", ToUtf8(r.Actual)},
            {"sign", ToUtf8(r.Sign)}, {"allow", ToUtf8(r.Allow)}, {"unit", ToUtf8(r.Unit)},
            {"judge", ToUtf8(r.Judge)}, {"shown", r.Shown}};
}

}  // namespace kvcli
