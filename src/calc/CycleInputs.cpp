#include "calc/CycleInputs.h"

#include <algorithm>

#include "containers/BayGeometry.h"

namespace kv {

void UpdateContainerItems(KvState& state) {
    const int bays = std::max(0, state.ContInfo.bay_count);
    tanksummary_rec& sum = state.CalcData.Summaries[0];
    sum.Items.resize(size_t(bays));
    for (int b = 0; b < bays; ++b) {
        contweight_rec w;
        BuildBaySummary(state.ContInfo, state.LoadData, b, w, state.CalcData.Cont);
        TankResult& r = sum.Items[size_t(b)];
        r = TankResult{};
        r.Weight = w.Weight;
        r.LCG = w.LCG;
        r.TCG = w.TCG;
        r.VCG = w.VCG;
        r.LMoment = w.LMom;
        r.TMoment = w.TMom;
        r.VMoment = w.VMom;
        r.FSM = 0;
    }
}

int HoldAtX(const tankgroup_rec& tanks, Extended x) {
    const auto& holds = tanks.Groups[1].Tanks;
    if (holds.empty()) return -1;
    for (size_t i = 0; i < holds.size(); ++i)
        if (holds[i].AftEnd <= x && x <= holds[i].ForeEnd) return int(i);
    int lowIndex = 0, highIndex = 0;
    Extended low = holds[0].AftEnd, high = holds[0].AftEnd;
    for (size_t i = 0; i < holds.size(); ++i)
        for (Extended e : {holds[i].AftEnd, holds[i].ForeEnd}) {
            if (e < low) low = e, lowIndex = int(i);
            if (e > high) high = e, highIndex = int(i);
        }
    if (x < low) return lowIndex;
    if (x > high) return highIndex;
    return -1;
}

void BuildBaleSummary(const KvState& state, tanksummary_rec& summary) {
    const int items = std::max(0, state.ShipInfo.GroupCount[0]);
    summary.Items.resize(size_t(items));
    for (TankResult& r : summary.Items) r = TankResult{};
    for (const balecargo_rec& b : state.LoadData.BaleList) {
        const int h = HoldAtX(state.TankGroup, b.LCG);
        if (h < 0 || h >= items) continue;
        TankResult& r = summary.Items[size_t(h)];
        r.Weight += b.Weight;
        r.LMoment += b.Weight * b.LCG;
        r.TMoment += b.Weight * b.TCG;
        r.VMoment += b.Weight * b.VCG;
        if (r.Weight != 0) {
            r.LCG = r.LMoment / r.Weight;
            r.TCG = r.TMoment / r.Weight;
            r.VCG = r.VMoment / r.Weight;
        }
        r.FSM = 0;
    }
}

}  // namespace kv
