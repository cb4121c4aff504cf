// A ship of three cargo holds in memory for the hold mass and shear force
// correction tests. LBP 100 m, one frame per metre (frame number = x in m).
// Holds (group 0 bale compartments and group 1 cargo compartments alike):
// H1 [20, 40], H2 [40, 60], H3 [60, 80], floor 2 m above base. Group 1 items
// carry their weight and an LCG at mid-hold; group 2 starts empty. Strength
// stations every 10 m from 0 to 100; SetShear fills the intact (or flooded)
// SF of every interval end from a function of x.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/kvGlobal.h"
#include "numerics/Formats.h"

namespace kvtest {

inline kv::tank_rec HoldTank(const std::string& name, long double aft, long double fore) {
    kv::tank_rec t;
    t.TankName = kv::ShortString<50>(name);
    t.AftEnd = aft;
    t.ForeEnd = fore;
    t.BottomZ = 2;
    return t;
}

// Intervals between the given stations (x in m = frame number), keyed as the
// strength calculation keys them.
inline void SetStations(kv::KvState& s, const std::vector<long double>& xs) {
    s.Strength.Intervals.clear();
    s.Strength.IntervalIndex.clear();
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        kv::sfbmseg_rec seg;
        seg.StartFrame = xs[i];
        seg.Key = kv::FormatFloat("0.000", xs[i]);
        seg.X1 = xs[i];
        seg.X2 = xs[i + 1];
        seg.Length = xs[i + 1] - xs[i];
        s.Strength.IntervalIndex[seg.Key] = s.Strength.Intervals.size();
        s.Strength.Intervals.push_back(seg);
    }
}

inline void SetShear(kv::KvState& s, const std::function<long double(long double)>& sf, bool flooded = false) {
    for (auto& seg : s.Strength.Intervals) {
        kv::EndPair& p = flooded ? seg.Flooded.SF : seg.Intact.SF;
        p.At1 = sf(seg.X1);
        p.At2 = sf(seg.X2);
    }
}

// Weights of the three holds in the record (group 1 items, LCG mid-hold).
inline void SetHoldWeights(kv::KvState& s, kv::calcdata_rec& rec, const std::vector<long double>& w,
                           const std::vector<long double>& percent = {}) {
    auto& items = rec.Summaries[2].Items;
    items.assign(3, kv::TankResult{});
    for (size_t i = 0; i < 3; ++i) {
        const auto& t = s.TankGroup.Groups[1].Tanks[i];
        items[i].Weight = i < w.size() ? w[i] : 0;
        items[i].Percent = i < percent.size() ? percent[i] : 0;
        items[i].LCG = (t.AftEnd + t.ForeEnd) / 2;
    }
}

inline kv::KvState MakeHoldState() {
    kv::KvState s;
    s.ShipInfo.LBP = 100;
    kv::frame_rec f0, f1;
    f0.FrameNo = 0;
    f0.PosMM = 0;
    f1.FrameNo = 100;
    f1.PosMM = 100000;
    s.ShipInfo.FrameList = {f0, f1};
    const std::vector<kv::tank_rec> holds = {HoldTank("H1", 20, 40), HoldTank("H2", 40, 60), HoldTank("H3", 60, 80)};
    s.TankGroup.Groups[0].Tanks = holds;
    s.TankGroup.Groups[1].Tanks = holds;
    for (int g = 0; g < 3; ++g) {
        auto& grp = s.TankGroup.Groups[size_t(g)];
        grp.TankCount = int32_t(grp.Tanks.size());
        grp.GroupIndex = g;
        s.ShipInfo.GroupCount[size_t(g)] = grp.TankCount;
    }
    s.LoadData.Loads[1].Items.resize(3);
    s.LoadData.SeaDensity = 1.025L;
    s.CalcData.DraftMean = 5;
    s.CalcData.Trim = 0;
    SetHoldWeights(s, s.CalcData, {0, 0, 0});
    SetStations(s, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
    return s;
}

// A ballast tank of group 2 over [aft, fore] holding `volume` m3 at `level`
// of density sg, under-hold mark `mark` (DBMaxVolume); its table holds 50 m3
// per metre of level. Returns its index.
inline int AddBallast(kv::KvState& s, long double aft, long double fore, long double mark, long double volume,
                      long double level, long double sg = 1.025L) {
    kv::tank_rec t = HoldTank("DB", aft, fore);
    t.BottomZ = 0;
    t.DBMaxVolume = mark;
    t.MaxVolume = 500;
    t.MaxLevel = 10;
    t.TkTables[kv::TkBase].Resize(6, 2, 1);
    const char* heads[] = {"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"};
    for (size_t c = 0; c < 6; ++c) t.TkTables[kv::TkBase].ColHeads[c + 1] = kv::Heading(heads[c]);
    const long double rows[2][6] = {{0, 0, 0, 0, 0, 0}, {10, 500, 0, 0, 5, 0}};
    for (size_t r = 0; r < 2; ++r)
        for (size_t c = 0; c < 6; ++c) t.TkTables[kv::TkBase].Values[1][c + 1][r + 1] = rows[r][c];
    auto& grp = s.TankGroup.Groups[2];
    grp.Tanks.push_back(t);
    grp.TankCount = int32_t(grp.Tanks.size());
    s.ShipInfo.GroupCount[2] = grp.TankCount;
    auto& items = s.CalcData.Summaries[3].Items;
    items.resize(grp.Tanks.size());
    items.back().Volume = volume;
    items.back().Level = level;
    items.back().SG = sg;
    items.back().Weight = volume * sg;
    return int(grp.Tanks.size()) - 1;
}

inline kv::balecargo_rec CargoItem(long double weight, long double aft, long double fore) {
    kv::balecargo_rec b;
    b.Weight = weight;
    b.AftX = aft;
    b.ForeX = fore;
    b.LCG = (aft + fore) / 2;
    return b;
}

}  // namespace kvtest
