// The strength family of korvanel-cli calc as readable text: longitudinal
// strength with its read-out table, torsion, grain stability, cargo hold
// masses and flooded holds, in m, t, t·m and %.
#include <iomanip>
#include <ostream>

#include "calc/Flooding.h"
#include "calc/Grain.h"
#include "calc/HoldMass.h"
#include "calc/Torsion.h"
#include "cli/Commands.h"
#include "cli/StrengthOutput.h"
#include "numerics/Formats.h"

namespace kvcli {

using kv::Extended;

namespace {

std::string F(Extended v, const char* fmt = "0.0") { return kv::FormatFloat(fmt, v); }

// "value unit (pct %, allow allowable) at fr. frame, x m"
std::string Extreme(const kv::extreme_rec& e, const char* unit) {
    return F(e.Value) + " " + unit + " (" + F(e.Percent) + " % of " + F(e.Allow) + ") at fr. " + F(e.Frame) + ", " +
           F(e.Pos, "0.00") + " m";
}
std::string ExtremePct(const kv::extreme_rec& e, const char* unit) {
    return F(e.Percent) + " % (" + F(e.Value) + " " + unit + " of " + F(e.Allow) + ") at fr. " + F(e.Frame) + ", " +
           F(e.Pos, "0.00") + " m";
}

void PrintExtremes(std::ostream& os, const kv::strengthextremes_rec& e, const kv::balance_rec& b,
                   const std::string& indent) {
    os << indent << "Max load      " << F(e.MaxLoad, "0.00") << " t/m at fr. " << F(e.MaxLoadFrame) << ", "
       << F(e.MaxLoadPos, "0.00") << " m\n";
    os << indent << "Max SF        " << Extreme(e.MaxSF, "t") << "\n";
    os << indent << "Max corr. SF  " << Extreme(e.MaxCorrSF, "t") << "\n";
    os << indent << "Max BM        " << Extreme(e.MaxBM, "t·m") << "\n";
    os << indent << "Max SF %      " << ExtremePct(e.MaxSFPct, "t") << "\n";
    os << indent << "Max corr. SF %" << " " << ExtremePct(e.MaxCorrSFPct, "t") << "\n";
    os << indent << "Max BM %      " << ExtremePct(e.MaxBMPct, "t·m") << "\n";
    os << indent << "Balancing: " << b.Passes << " passes, tilt " << F(b.Tilt, "0.000000") << ", BM at the fore end "
       << F(b.Residual, "0.00") << " t·m\n";
}

void PrintReadOut(std::ostream& os, const std::vector<ReadOutRow>& rows) {
    os << "     fr.no  side  x [m]   SF [t]  Corr [t]  SF(%)  Allow [t]   BM [t·m]  BM(%)  Allow [t·m]\n";
    for (const ReadOutRow& r : rows)
        os << "  " << std::setw(8) << F(r.Frame) << std::setw(6) << r.Side << std::setw(8) << F(r.Position, "0.00")
           << std::setw(9) << F(r.SF, "0") << std::setw(10) << F(r.CorrSF, "0") << std::setw(7) << F(r.SFPercent)
           << std::setw(11) << F(r.SFAllow, "0") << std::setw(11) << F(r.BM, "0") << std::setw(7) << F(r.BMPercent)
           << std::setw(13) << F(r.BMAllow, "0") << "\n";
}

const char* Condition(const kv::KvState& s) { return s.LoadData.VoyageCond == kv::ConditionPort ? "PORT" : "SEA"; }

void PrintStrength(std::ostream& os, const kv::KvState& s) {
    const kv::strengthsummary_rec& st = s.CalcData.Strength;
    os << "Longitudinal strength (" << Condition(s) << " allowables; SF t, BM t·m)\n";
    PrintExtremes(os, st.Extremes, st.Balance, "  ");
    PrintReadOut(os, FoundReadOut(s, false));
    os << "  Strength " << (s.Calc.JudgementFlags[kv::StrengthOK] ? "OK" : "NOT OK") << "\n";
}

void PrintTorsion(std::ostream& os, const kv::KvState& s) {
    const kv::torsionsummary_rec& t = s.CalcData.Strength.Torsion;
    os << "Torsional moment (" << Condition(s) << " allowables; t·m)\n";
    os << "  Max TM        " << Extreme(t.MaxTM, "t·m") << "\n";
    os << "  Max TM %      " << ExtremePct(t.MaxTMPct, "t·m") << "\n";
    os << "  Total heeling moment " << F(t.TotalHeelMoment) << " t·m; within limits: "
       << (t.WithinLimits ? "yes" : "no") << "\n";
    os << "     fr.no  side  x [m]  Heel [t·m]    TM [t·m]  TM(%)  Allow [t·m]\n";
    for (const ReadOutRow& r : FoundReadOut(s, false))
        os << "  " << std::setw(8) << F(r.Frame) << std::setw(6) << r.Side << std::setw(8) << F(r.Position, "0.00")
           << std::setw(12) << F(r.HeelMoment, "0") << std::setw(12) << F(r.TM, "0") << std::setw(7)
           << F(r.TMPercent) << std::setw(13) << F(r.TMAllow, "0") << "\n";
}

void PrintGrain(std::ostream& os, const kv::KvState& s) {
    const kv::grainsummary_rec& g = s.CalcData.Grain;
    os << "Grain stability\n";
    os << "  GM solid " << F(g.GMSolid, "0.000") << " m  FSC " << F(g.FSC, "0.000") << " m  GoM " << F(g.GoM, "0.000")
       << " m\n";
    os << "  Heeling moment " << F(g.TotalMoment) << " t·m (weighted " << F(g.WeightedMoment) << ", allowable "
       << F(g.AllowableMoment) << ")  lambda0 " << F(g.Lambda0, "0.0000") << " m  lambda40 "
       << F(g.Lambda40, "0.0000") << " m\n";
    os << "  Static angle " << F(g.StaticAngle, "0.00") << " deg  residual area " << F(g.ResidualArea, "0.0000")
       << " m-rad (to " << F(g.AngleLimit < 40 ? g.AngleLimit : kv::Extended(40), "0.0") << " deg)\n";
    for (const kv::stabcriterion_rec& r : g.Rows)
        if (r.Shown)
            os << "  " << std::left << std::setw(26) << ToUtf8(r.Name) << std::right << std::setw(10)
               << ToUtf8(r.Actual) << " " << std::setw(2) << ToUtf8(r.Sign) << std::setw(10) << ToUtf8(r.Allow)
               << " " << std::left << std::setw(8) << ToUtf8(r.Unit) << std::right << ToUtf8(r.Judge) << "\n";
    os << "  Grain " << (g.Passed ? "OK" : "NOT OK") << "\n";
}

void PrintHoldMass(std::ostream& os, kv::KvState& s) {
    os << "Cargo hold mass (" << Condition(s) << " limits; t, m)\n";
    os << "  hold    mass  planned  draft      min      max  pass   with next: draft     mass      min      max  pass\n";
    for (const HoldMassRow& r : HoldMassRows(s)) {
        os << "  " << std::setw(4) << r.Hold + 1 << std::setw(8) << F(r.Alone.Mass) << std::setw(9)
           << F(r.PlannedMass) << std::setw(7) << F(r.Alone.Draft, "0.00") << std::setw(9) << F(r.Alone.Min)
           << std::setw(9) << F(r.Alone.Max) << std::setw(6) << (r.Alone.Pass ? "OK" : "NO");
        if (r.HasNext)
            os << std::setw(18) << F(r.WithNext.Draft, "0.00") << std::setw(9) << F(r.WithNext.Mass) << std::setw(9)
               << F(r.WithNext.Min) << std::setw(9) << F(r.WithNext.Max) << std::setw(6)
               << (r.WithNext.Pass ? "OK" : "NO");
        os << "\n";
    }
    os << "  Hold masses " << (s.Calc.HoldMassCheck.value_or(false) ? "OK" : "NOT OK")
       << (s.Calc.AltHoldLoading ? " (alternate hold loading)" : "") << "\n";
}

void PrintFlooding(std::ostream& os, const kv::KvState& s, const StrengthRequest& req) {
    const kv::floodsummary_rec& f = s.CalcData.Flood;
    os << "Hold flooding (" << Condition(s) << " flooded allowables)\n";
    for (int h : req.FloodHolds) {
        os << "  [" << FloodHoldName(h) << " FLOODED]\n";
        if (size_t(h) >= f.Holds.size() || !f.Holds[size_t(h)].Computed) {
            os << "    not computed\n";
            continue;
        }
        const kv::fldtkinfo_rec& r = f.Holds[size_t(h)];
        os << "    Flood water " << F(r.FloodWater) << " t at LCG " << F(r.FloodWaterLCG, "0.00")
           << " m, permeability " << F(r.Permeability, "0.00") << "\n";
        os << "    Displacement " << F(r.Displacement) << " t  trim " << F(r.Trim, "0.000") << " m  drafts AP "
           << F(r.DraftAP, "0.000") << " FP " << F(r.DraftFP, "0.000") << " m  (" << r.Iterations << " passes)\n";
        if (size_t(h) < f.HoldStrength.size() && f.HoldStrength[size_t(h)].Computed)
            PrintExtremes(os, f.HoldStrength[size_t(h)].Extremes, f.HoldStrength[size_t(h)].Balance, "    ");
        else
            os << "    strength not computed\n";
    }
    os << "  Read-out with " << FloodHoldName(req.FloodHolds.back()) << " flooded\n";
    PrintReadOut(os, FoundReadOut(s, true));
    os << "  Flooded strength " << (s.Calc.JudgementFlags[kv::FloodStrengthOK] ? "OK" : "NOT OK") << "\n";
}

}  // namespace

void PrintStrengthText(std::ostream& os, kv::KvState& s, const StrengthRequest& req) {
    const StrengthRan ran = WhatRan(s, req);
    // One line for each calculation that did not run, with the reason when
    // the ship data or the command line leave it out.
    auto skip = [&](const char* what, const char* why) {
        os << what << ": not computed" << (*why ? " (" : "") << why << (*why ? ")" : "") << "\n";
    };
    if (ran.Strength) PrintStrength(os, s); else skip("Strength", "");
    if (ran.Torsion) PrintTorsion(os, s);
    else skip("Torsion", s.ShipInfo.OptionOn(kv::OptionTorsion) ? "" : "ship option 13 off");
    if (ran.Grain) PrintGrain(os, s);
    else skip("Grain", s.ShipInfo.OptionOn(kv::OptionGrainStability) ? "" : "ship option 1 off");
    if (ran.HoldMass) PrintHoldMass(os, s);
    else skip("Hold masses", s.ShipInfo.OptionOn(kv::OptionCargoMassLimits) ? "" : "ship option 0 off");
    if (ran.Flooding) PrintFlooding(os, s, req);
    else if (!s.ShipInfo.OptionOn(kv::OptionHoldFlooding)) skip("Flooding", "ship option 2 off");
    else skip("Flooding", req.FloodHolds.empty() ? "no --flood-hold N or --flood-all" : "");
}

}  // namespace kvcli
