#include "TankFixture.h"

#include "calc/TankContents.h"

namespace kvtest {

using kv::Extended;
using kv::xyztable_rec;

xyztable_rec MakeTable(const std::vector<std::string>& heads, const std::vector<std::vector<long double>>& rows) {
    xyztable_rec t;
    t.Resize(int32_t(heads.size()), int32_t(rows.size()), 1);
    for (size_t c = 0; c < heads.size(); ++c) t.ColHeads[c + 1] = kv::Heading(heads[c]);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < heads.size(); ++c) t.Values[1][c + 1][r + 1] = rows[r][c];
    return t;
}

namespace {

kv::tank_rec Hold() {
    kv::tank_rec h;
    h.TankName = kv::ShortString<50>("H1");
    h.MaxVolume = 2000;
    h.MaxLevel = 10;
    h.MaxFSM = 1700;
    h.DefaultSG = 1.0;
    h.TrimmedVolume = 1900;
    h.UntrimmedVolume = 1700;
    std::vector<std::vector<long double>> base, byUllage, ullCorr, heel, grain;
    for (int i = 0; i <= 5; ++i) {
        const long double h2 = 2.0L * i;
        base.push_back({h2, 200 * h2, 50, 0, h2 / 2, 1600});
    }
    for (int i = 0; i <= 5; ++i) {
        const long double u = 2.0L * i, v = 2000 - 200 * u;
        byUllage.push_back({u, v, v - 20, v, v + 20});
        ullCorr.push_back({u, -100, 0, 100});
        heel.push_back({u, -20, 0, 20});
        grain.push_back({u, v, (10 - u) / 2, 50});
    }
    h.TkTables[kv::TkBase] = MakeTable({"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"}, base);
    h.TkTables[kv::TkUllageTrim] = MakeTable({"ULLAGE", "VOLUME", "-1", "0", "1"}, byUllage);
    h.TkTables[kv::TkUllageCorr] = MakeTable({"ULLAGE", "-1", "0", "1"}, ullCorr);
    h.TkTables[kv::TkUllageHeel] = MakeTable({"ULLAGE", "-2", "0", "2"}, heel);
    h.OptTables[0] = MakeTable({"ULLAGE", "VOLUME", "VCG", "GSM"}, grain);
    return h;
}

kv::tank_rec Tank() {
    kv::tank_rec t;
    t.TankName = kv::ShortString<50>("T1");
    t.MaxVolume = 200;
    t.MaxLevel = 4;
    t.MaxFSM = 120;
    t.DefaultSG = 1.025L;
    std::vector<std::vector<long double>> base, bySound, soundCorr, heel;
    for (int i = 0; i <= 4; ++i) {
        const long double h = i;
        base.push_back({h, 50 * h, 25, 1, h / 2, 100});
        bySound.push_back({h, 50 * h, 50 * h + 5, 50 * h, 50 * h - 5});
        soundCorr.push_back({h, 200, 0, -200});
        heel.push_back({h, -20, 0, 20});
    }
    t.TkTables[kv::TkBase] = MakeTable({"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"}, base);
    t.TkTables[kv::TkSoundTrim] = MakeTable({"SOUND", "VOLUME", "-1", "0", "1"}, bySound);
    t.TkTables[kv::TkSoundCorr] = MakeTable({"SOUND", "-1", "0", "1"}, soundCorr);
    t.TkTables[kv::TkSoundHeel] = MakeTable({"SOUND", "-2", "0", "2"}, heel);
    return t;
}

kv::tank_rec FlatBottomTank() {
    kv::tank_rec t;
    t.TankName = kv::ShortString<50>("FLAT");
    t.MaxVolume = 100;
    t.MaxLevel = 4;
    t.DefaultSG = 1.0;
    t.TkTables[kv::TkBase] = MakeTable({"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"},
                                       {{0, 0, 10, 0, 0, 0}, {1.5L, 0, 10, 0, 0, 0}, {4, 100, 10, 0, 3, 5}});
    return t;
}

}  // namespace

void SetCorrection(kv::KvState& s, int option, const std::string& method) {
    s.ShipInfo.Options[size_t(option)].Enabled = method.empty() ? 0 : 1;
    s.ShipInfo.Options[size_t(option)].Text = kv::ShortString<50>(method);
}

kv::KvState MakeTankState() {
    kv::KvState s;
    s.ShipInfo.LBP = 100;
    s.TankGroup.Groups[1].Tanks = {Hold()};
    s.TankGroup.Groups[2].Tanks = {Tank(), FlatBottomTank()};
    kv::tank_rec c;
    c.TankName = kv::ShortString<50>("CONSTANT");
    c.AftEnd = 0;
    c.ForeEnd = 100;
    s.TankGroup.Groups[8].Tanks = {c};
    for (int g = 0; g < kv::LoadGroupCount; ++g) {
        auto& grp = s.TankGroup.Groups[size_t(g)];
        grp.TankCount = int32_t(grp.Tanks.size());
        grp.GroupIndex = g;
        s.ShipInfo.GroupCount[size_t(g)] = grp.TankCount;
        if (g >= kv::LoadedGroupFirst) {
            auto& items = s.LoadData.Loads[size_t(g)].Items;
            items.resize(grp.Tanks.size());
            for (size_t i = 0; i < items.size(); ++i) items[i].Density = grp.Tanks[i].DefaultSG;
        }
    }
    auto& k = s.LoadData.Loads[8].Items[0];
    k.Weight = 150;
    k.LCG = 70;
    k.TCG = 0.5L;
    k.VCG = 7;
    k.FSMValue = 12;
    s.LoadData.SeaDensity = 1.025L;
    kv::UpdateAllTankItems(s);
    return s;
}

}  // namespace kvtest
