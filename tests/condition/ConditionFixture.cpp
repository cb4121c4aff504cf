#include "ConditionFixture.h"

#include "model/ConditionFile.h"

namespace kvtest {

using namespace kv;

kv::KvState MakeShipState() {
    KvState s;
    const int counts[9] = {2, 2, 1, 1, 1, 1, 1, 1, 3};
    for (int g = 0; g < 9; ++g) {
        s.ShipInfo.GroupCount[size_t(g)] = counts[g];
        auto& grp = s.TankGroup.Groups[size_t(g)];
        grp.TankCount = counts[g];
        grp.Tanks.resize(size_t(counts[g]));
        for (int i = 0; i < counts[g]; ++i) {
            grp.Tanks[size_t(i)].TankName.set("G" + std::to_string(g) + "T" + std::to_string(i + 1));
            grp.Tanks[size_t(i)].DefaultSG = 1.0L + g / 10.0L + i / 100.0L;
        }
    }
    s.ShipInfo.LBP = 100;
    s.ShipInfo.TrimSign = 1;
    s.ShipInfo.HeelSign = 1;
    s.ShipInfo.LongSign = 1;
    s.ShipInfo.TransSign = 1;

    continfo_rec& geo = s.ContInfo;
    geo.bay_count = 2;
    geo.row_count = {2, 2};
    geo.tier_count = {2, 2};
    const char* bayNames[2] = {"01", "02"};
    const int kinds[2] = {0, 3};
    const char* tierNames[2][2] = {{"84", "82"}, {"04", "02"}};
    for (int b = 0; b < 2; ++b) {
        baycell_rec bay;
        bay.bay_name.set(bayNames[b]);
        bay.bay_kind = kinds[b];
        for (int sec = 0; sec < 2; ++sec) {
            cellinfo_rec& ci = bay.sections[size_t(sec)];
            ci.row_names = {ShortString<5>("01"), ShortString<5>("02")};
            ci.tier_names = {ShortString<5>(tierNames[sec][0]), ShortString<5>(tierNames[sec][1])};
            ci.row_max_weight = {100, 100};
            ci.row_value = {0, 0};
            ci.cells.assign(2, std::vector<cell_rec>(2));
            for (int r = 0; r < 2; ++r)
                for (int t = 0; t < 2; ++t) {
                    cell_rec& c = ci.cells[size_t(r)][size_t(t)];
                    int level = 1 - t;  // tier index 0 is the top
                    c.state = 1;
                    c.x = 20.0 * (b + 1);
                    c.y = r == 0 ? 2.5 : -2.5;
                    c.z = (sec == 0 ? 20.0 : 2.0) + 2.6 * level;
                }
        }
        geo.bays.push_back(bay);
    }
    geo.bays[1].sections[0].cells[1][0].state = 0;  // bay 02, row 02, tier 84: no slot

    s.Config.SeaDensity = 1.025L;
    NewCondition(s);
    return s;
}

std::vector<std::string> ConstantNames(const kv::KvState& s) {
    std::vector<std::string> names;
    for (const auto& t : s.TankGroup.Groups[8].Tanks) names.push_back(t.TankName.str());
    return names;
}

}  // namespace kvtest
