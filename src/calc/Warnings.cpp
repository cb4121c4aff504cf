#include "calc/Warnings.h"

#include <cmath>

#include "numerics/Formats.h"
#include "startup/StartWarning.h"

namespace kv {

namespace {

constexpr long double PercentBound = 1.0e6L;
constexpr long double UprightHeel = 0.5L;  // degrees: the grain code's "upright"

// Ship option 0: the cargo hold mass check.
constexpr int OptionCargoMass = 0;
// Ship option 1: grain stability.
constexpr int OptionGrain = 1;
// Ship option 3: its text "3" suppresses the grain upright warning.
constexpr int OptionSFCorrection = 3;

struct DraftPicture {
    long double Fwd = 0, Mean = 0, Trim = 0, Heel = 0;
};

DraftPicture Calculated(const calcdata_rec& r) {
    return {r.DraftFP, r.DraftMean, r.Trim, r.Heel};
}

// Drafts, trim and heel from the gauges: the mean is that of the two
// midship readings, the heel the list between them over the breadth.
DraftPicture Gauged(const GaugedDrafts& g, long double breadth) {
    DraftPicture d;
    d.Fwd = g.ForeMid;
    d.Mean = (static_cast<long double>(g.MidPort) + g.MidStbd) / 2;
    d.Trim = static_cast<long double>(g.ForeMid) - g.AfterMid;
    // A breadth of 0 leaves no list to measure: the heel is taken as 0 rather
    // than the +-90 degrees of an infinite tangent.
    d.Heel = breadth > 0 ? std::atan((static_cast<long double>(g.MidStbd) - g.MidPort) / breadth) * 180.0L / M_PIl
                         : 0.0L;
    return d;
}

}  // namespace

int DisplacementPercent(double displacement, double maxDisplacement) {
    if (!(maxDisplacement > 0) || !std::isfinite(maxDisplacement) || !std::isfinite(displacement)) return 0;
    long double p = std::trunc(static_cast<long double>(displacement) / maxDisplacement * 100.0L);
    if (p > PercentBound) p = PercentBound;
    if (p < -PercentBound) p = -PercentBound;
    return int(p);
}

std::string MinimumForwardDraftLine(const KvState& state) {
    return "in particular when the forward draught during these operations is less than " +
           FormatFloat("0.000", state.Config.MinDraftFwd() * state.Units.Length()) +
           state.Units.UnitNames[UnitLength] + "(" + DraughtReferenceWord(state.ShipInfo) + ")";
}

void CheckWarnings(KvState& state, const WarningInputs& inputs) {
    CalcState& c = state.Calc;
    const calcdata_rec& r = state.CalcData;
    const config_rec& cfg = state.Config;

    c.JudgementFlags[DisplacementOK] = DisplacementPercent(double(r.Displacement), state.MaxDisplacement) <= 100;
    c.JudgementFlags[CargoMassOK] =
        state.ShipInfo.OptionOn(OptionCargoMass) ? inputs.HoldMassCheck.value_or(false) : true;

    const DraftPicture d = inputs.Online ? Gauged(*inputs.Online, state.ShipInfo.Breadth) : Calculated(r);
    c.WarningFlags.fill(false);
    c.WarningFlags[FwdDraftLow] = d.Fwd < cfg.MinDraftFwd();
    c.WarningFlags[DraftHigh] = d.Mean > cfg.MaxDraft();
    c.WarningFlags[TrimHeadHigh] = d.Trim > cfg.TrimLimitHead();
    c.WarningFlags[TrimSternHigh] = d.Trim < cfg.TrimLimitStern();
    c.WarningFlags[HeelHigh] = std::fabs(d.Heel) > cfg.MaxHeel();
    // GM and the grain rule always judge the calculated condition.
    c.WarningFlags[GMHigh] = r.Stab.GMSolid > cfg.MaxGM();
    c.WarningFlags[GrainNotUpright] = std::fabs(r.Heel) > UprightHeel && c.AnyGrainMode;

    std::vector<std::string>& m = state.StatusMessages;
    m.clear();
    if (c.WarningFlags[FwdDraftLow]) {
        m.emplace_back(MasterResponsibilityLine);
        m.push_back(MinimumForwardDraftLine(state));
    }
    if (c.WarningFlags[DraftHigh]) m.emplace_back(DraftOverLimitText);
    if (c.WarningFlags[TrimHeadHigh] || c.WarningFlags[TrimSternHigh]) m.emplace_back(TrimOverLimitText);
    if (c.WarningFlags[HeelHigh]) m.emplace_back(HeelOverLimitText);
    if (c.WarningFlags[GMHigh]) m.emplace_back(GMOverLimitText);
    if (c.WarningFlags[GrainNotUpright] && state.ShipInfo.OptionText(OptionSFCorrection) != "3")
        m.emplace_back(GrainNotUprightText);
    if (!c.JudgementFlags[DisplacementOK]) m.emplace_back(DisplacementOverLimitText);
}

void CheckWarnings(KvState& state) {
    WarningInputs inputs;
    inputs.HoldMassCheck = state.Calc.HoldMassCheck;
    CheckWarnings(state, inputs);
}

WarningHighlights HighlightsFromFlags(const CalcState& calc) {
    const auto& w = calc.WarningFlags;
    WarningHighlights h;
    h.ForwardDraftAlarm = w[FwdDraftLow];
    h.MidshipDraftsAlarm = w[DraftHigh];
    h.MeanDraftRed = w[DraftHigh];
    h.TrimRed = w[TrimHeadHigh] || w[TrimSternHigh];
    h.HeelRed = w[HeelHigh];
    h.GMRed = w[GMHigh];
    return h;
}

LedState JudgementLed(bool passed) {
    LedState s;
    s.OnColor = passed ? LedColor::Green : LedColor::Red;
    s.OffColor = LedColor::ButtonFace;
    s.Flashing = !passed;
    return s;
}

LedState StabilityLight(const CalcState& calc) {
    return JudgementLed(calc.JudgementFlags[StabilityOK] && calc.JudgementFlags[GrainOK]);
}

LedState StrengthLight(const CalcState& calc) {
    const bool massOK = calc.JudgementFlags[CargoMassOK] || calc.AnyBallastHold;
    return JudgementLed(calc.JudgementFlags[StrengthOK] && massOK && !calc.WarningFlags[FwdDraftLow]);
}

void WarningAlarmDialogLogic::FormCreate(const shipinfo_rec& ship) {
    for (LedState& l : lights_) l = LedState{};
    lights_[AlarmGrainStability].Visible = ship.OptionOn(OptionGrain);
    lights_[AlarmCargoMassLimit].Visible = ship.OptionOn(OptionCargoMass);
}

void WarningAlarmDialogLogic::FormActivate(const CalcState& calc) {
    auto show = [this](AlarmLight which, bool passed) {
        const bool visible = lights_[which].Visible;
        lights_[which] = JudgementLed(passed);
        lights_[which].Visible = visible;
    };
    show(AlarmIntactStability, calc.JudgementFlags[StabilityOK]);
    show(AlarmGrainStability, calc.JudgementFlags[GrainOK]);
    show(AlarmStrength, calc.JudgementFlags[StrengthOK]);
    show(AlarmCargoMassLimit, calc.JudgementFlags[CargoMassOK] || calc.AnyBallastHold);
    show(AlarmMinForwardDraft, !calc.WarningFlags[FwdDraftLow]);
}

}  // namespace kv
