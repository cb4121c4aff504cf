#include "containers/BayGeometry.h"

#include <map>
#include <tuple>

#include "containers/ContainerPositions.h"
#include "containers/IsoCodes.h"

namespace kv {

namespace {

// Slot -> index in the bay's list (the first container that resolves there).
std::map<std::tuple<int, int, int>, size_t> SlotIndex(const continfo_rec& geo,
                                                     const std::vector<container_rec>& list, int bay) {
    std::map<std::tuple<int, int, int>, size_t> index;
    for (size_t i = 0; i < list.size(); ++i) {
        SlotRef s;
        if (ParsePosition(geo, list[i].position.str(), s) && s.Resolved() && s.bay == bay)
            index.emplace(std::make_tuple(s.section, s.row, s.tier), i);
    }
    return index;
}

}  // namespace

void UpdateBayGeometry(const continfo_rec& geo, loaddata_rec& load, int bay, double vcgPercent) {
    if (bay < 0 || bay >= int(geo.bays.size()) || bay >= int(load.BayLists.size())) return;
    const baycell_rec& b = geo.bays[size_t(bay)];
    auto& list = load.BayLists[size_t(bay)];
    auto index = SlotIndex(geo, list, bay);
    for (int s = OnDeck; s <= InHold; ++s) {
        const cellinfo_rec& sec = b.sections[size_t(s)];
        for (size_t row = 0; row < sec.cells.size(); ++row) {
            const auto& cells = sec.cells[row];
            bool floorSet = false;
            double floor = 0;
            // The bottom tier has the highest index.
            for (size_t t = cells.size(); t-- > 0;) {
                const cell_rec& cell = cells[t];
                if (cell.state == 0) continue;
                if (!floorSet) {
                    floor = cell.z - SlotFloorBelowZ;
                    floorSet = true;
                }
                auto it = index.find(std::make_tuple(s, int(row), int(t)));
                if (it == index.end()) {
                    floor += DefaultContainerHeight + TierGap;
                    continue;
                }
                container_rec& c = list[it->second];
                std::string code = c.iso_code.str();
                int hmm = IsoHeightMM(code), lmm = IsoLengthMM(code);
                double h = hmm > 0 ? hmm / 1000.0 : DefaultContainerHeight;
                double len = lmm > 0 ? lmm / 1000.0 : (Is40ftBayKind(b.bay_kind) ? 12.192 : 6.058);
                c.aft_x = cell.x - len / 2 - c.over_back / 100.0;
                c.fwd_x = cell.x + len / 2 + c.over_front / 100.0;
                c.port_y = cell.y - HalfContainerWidth - c.over_left / 100.0;
                c.stbd_y = cell.y + HalfContainerWidth + c.over_right / 100.0;
                c.top_z = floor + h + c.over_top / 100.0;
                c.bottom_z = floor;
                c.lcg = (c.aft_x + c.fwd_x) / 2;
                c.tcg = (c.port_y + c.stbd_y) / 2;
                c.vcg = c.bottom_z + (c.top_z - c.bottom_z) * vcgPercent / 100.0;
                floor += h + TierGap;
            }
        }
    }
}

void BuildBaySummary(const continfo_rec& geo, const loaddata_rec& load, int bay,
                     contweight_rec& item, contsummary_rec& summary) {
    (void)geo;
    item = contweight_rec{};
    if (bay < 0) return;
    if (summary.Bays.size() <= size_t(bay)) summary.Bays.resize(size_t(bay) + 1);
    contbaysum_rec& sum = summary.Bays[size_t(bay)];
    sum = contbaysum_rec{};
    if (bay >= int(load.BayLists.size())) return;
    for (const container_rec& c : load.BayLists[size_t(bay)]) {
        Extended w = c.weight;
        item.Weight += w;
        item.LMom += w * c.lcg;
        item.TMom += w * c.tcg;
        item.VMom += w * c.vcg;

        std::string code = c.iso_code.str();
        int lmm = IsoLengthMM(code), hmm = IsoHeightMM(code);
        if (lmm <= 0 || hmm <= 0 || c.section < 0 || c.section > 1) continue;
        int cls = lmm < 6069 ? Class20 : (lmm >= 12192 ? Class40 : ClassOther);
        auto& cats = sum[size_t(cls)][size_t(c.section)];
        auto add = [&](int cat) {
            cats[size_t(cat)].count += 1;
            cats[size_t(cat)].weight += w;
        };
        add(CatAll);
        if (hmm >= 2592) add(CatHigh);
        if (IsoTypeGroup(code) == "RF") add(CatReefer);
    }
    if (item.Weight != 0) {
        item.LCG = item.LMom / item.Weight;
        item.TCG = item.TMom / item.Weight;
        item.VCG = item.VMom / item.Weight;
    }
}

int DeckTierLevel(const continfo_rec& geo, const loaddata_rec& load) {
    // Lowest deck tier: the highest tier index that has a slot in any bay.
    int lowest = -1;
    for (const baycell_rec& b : geo.bays)
        for (const auto& cells : b.sections[OnDeck].cells)
            for (size_t t = 0; t < cells.size(); ++t)
                if (cells[t].state != 0 && int(t) > lowest) lowest = int(t);
    if (lowest < 0) return 0;
    int highest = -1;  // smallest tier index holding a container on deck
    for (size_t bay = 0; bay < load.BayLists.size(); ++bay)
        for (const container_rec& c : load.BayLists[bay]) {
            SlotRef s;
            if (!ParsePosition(geo, c.position.view(), s) || !s.Resolved() || s.section != OnDeck) continue;
            if (highest < 0 || s.tier < highest) highest = s.tier;
        }
    if (highest < 0 || highest > lowest) return 0;
    return lowest - highest;
}

}  // namespace kv
