// The hold mass check made when the officer edits a hold's cargo, and the
// contents of the "Max and Min allowable mass of cargo" dialog.
#include <string>
#include <vector>

#include "calc/HoldMass.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

std::string MassText(Extended v) { return FormatFloat("0.0 (Mt)", v); }

// Adds the lines of the broken limits of one hold or pair; limits of 0 (no
// curve) are not judged here.
void AddBrokenLimits(std::vector<std::string>& lines, const std::string& minHead, const std::string& maxHead,
                     const std::string& holds, Extended mass, const HoldMassLimit& lim) {
    if (lim.Min > 0 && mass < lim.Min) lines.push_back(minHead + holds + " is " + MassText(lim.Min));
    if (lim.Max > 0 && mass > lim.Max) lines.push_back(maxHead + holds + " is " + MassText(lim.Max));
}

}  // namespace

bool ConfirmHoldMass(KvState& state, int hold, int mode, int condition) {
    const int n = HoldCount(state);
    if (hold < 0 || hold >= n) return true;
    std::vector<std::string> lines;
    if (mode == 0) {
        const HoldMassLimit lim = HoldMassLimits(state, hold, 0, condition, HoldDraft(state, hold));
        AddBrokenLimits(lines, "Minimum weight of hold ", "Maximum weight of hold ", std::to_string(hold + 1),
                        PlannedHoldMass(state, hold), lim);
    } else {
        // The last hold has no pair of its own: the edit stands unchecked.
        if (hold == n - 1) return true;
        // Both pairs are judged at the mean draft of the edited hold and the
        // next one.
        const Extended draft = (HoldDraft(state, hold) + HoldDraft(state, hold + 1)) / 2;
        const bool between = hold > 0;
        const std::string minHead = between ? "Minimum weight of hold" : "Minimum weight of hold ";
        const std::string maxHead = between ? "Maximum weight of hold" : "Maximum weight of hold ";
        const Extended here = PlannedHoldMass(state, hold);
        AddBrokenLimits(lines, minHead, maxHead, FormatC("(%d+%d)", hold + 1, hold + 2),
                        here + PlannedHoldMass(state, hold + 1), HoldMassLimits(state, hold, 1, condition, draft));
        if (between)
            AddBrokenLimits(lines, minHead, maxHead, FormatC("(%d+%d)", hold, hold + 1),
                            PlannedHoldMass(state, hold - 1) + here,
                            HoldMassLimits(state, hold - 1, 1, condition, draft));
    }
    if (lines.empty()) return true;
    std::string text;
    for (const auto& line : lines) text += line + "\n\r";
    text += "proceed anyway ?";
    // Without anyone to answer, a broken limit is not waved through.
    if (!state.Messages) return false;
    return state.Messages->Ask(text, MsgButtons::YesNo) != MsgAnswer::No;
}

bool CheckEditedHoldMass(KvState& state, int hold) {
    if (!state.ShipInfo.OptionOn(OptionCargoMassLimits)) return true;
    if (state.Calc.HoldMassCheckMode == 0) return true;
    for (const auto& item : state.LoadData.Loads[1].Items)
        if (item.CargoType == CargoEBallast) return true;
    const int mode = state.Calc.HoldMassCheckMode == 2 ? 1 : 0;
    return ConfirmHoldMass(state, hold, mode, VoyageCondition(state));
}

// In the dialog a hold's mass is its cargo items and the water under it;
// containers and the cargo compartments are not counted.
CargoMassDialogData CargoMassDialog(KvState& state, int kind, int selected) {
    CargoMassDialogData d;
    d.Caption = "Max and Min allowable mass of cargo";
    const int mode = kind == 1 ? 1 : 0;
    const int n = HoldCount(state);
    const int rows = mode == 0 ? n : n - 1;
    const int cond = VoyageCondition(state);
    auto dialogMass = [&](int h) { return CargoItemMassInHold(state, h) + TankMassUnderHold(state, h); };
    auto rowDraft = [&](int h) {
        return mode == 0 ? HoldDraft(state, h) : (HoldDraft(state, h) + HoldDraft(state, h + 1)) / 2;
    };
    auto rowMass = [&](int h) { return mode == 0 ? dialogMass(h) : dialogMass(h) + dialogMass(h + 1); };

    for (int h = 0; h < rows; ++h) {
        const Extended draft = rowDraft(h);
        const Extended mass = rowMass(h);
        const HoldMassLimit lim = HoldMassLimits(state, h, mode, cond, draft);
        CargoMassRow r;
        r.Name = mode == 0 ? FormatC("NO. %d HOLD", h + 1) : FormatC("NO. %d&%d HOLD", h + 1, h + 2);
        r.Draft = FormatFloat("0.00", draft);
        r.Min = FormatFloat("0.00", lim.Min);
        r.Mass = FormatFloat("0.000", mass);
        r.Max = FormatFloat("0.00", lim.Max);
        const bool ok = lim.Min <= mass && mass <= lim.Max;
        r.Judge = ok ? "OK" : "NO";
        r.Red = !ok;
        d.Rows.push_back(r);
    }

    if (selected < 0 || selected >= rows) return d;
    d.Title = mode == 0 ? FormatC("NO. %d CARGO HOLD ALLOWABLE MASS", selected + 1)
                        : FormatC("NO. %d & %d CARGO HOLD ALLOWABLE MASS", selected + 1, selected + 2);
    const auto& list = state.ShipInfo.ShipTables.CargoMassList;
    if (size_t(selected) < list.size()) {
        const cargomass_rec& rec = list[size_t(selected)];
        const massminmaxinfo_rec& info = mode == 0 ? rec.OneHold[size_t(cond)] : rec.TwoHolds[size_t(cond)];
        for (const auto& p : info.MaxCurve) d.MaxCurve.push_back({double(p.Draft), double(p.Mass)});
        for (const auto& p : info.MinCurve) d.MinCurve.push_back({double(p.Draft), double(p.Mass)});
        if (!info.MaxCurve.empty())
            d.MaxText = "Maximum cargo mass " + FormatFloat("0.0", info.MaxCurve.back().Mass) + " t at full draft";
    }
    const Extended draft = rowDraft(selected);
    const Extended mass = rowMass(selected);
    d.Current = {double(draft), double(mass)};
    d.CurrentLabel = "(" + FormatFloat("0.000", draft) + "," + FormatFloat("0.0", mass) + ")";
    return d;
}

}  // namespace kv
