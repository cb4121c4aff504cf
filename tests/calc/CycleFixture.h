// A ship in memory for the calculation cycle tests: a box barge whose
// hydrostatic table is filled from the closed forms of a rectangular body
// (length L, breadth B, sea water 1.025), on trim layers of one's choice.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "model/Messages.h"
#include "model/kvGlobal.h"
#include "numerics/Formats.h"

namespace kvtest {

struct BoxBarge {
    double L = 100, B = 20;
    static constexpr double Rho = 1.025;

    double DispAt(double T) const { return Rho * L * B * T; }
    double DraftAt(double disp) const { return disp / (Rho * L * B); }
    // Centre of buoyancy at mid draft T and trim t (positive by the head),
    // while both ends stay immersed.
    double LCB(double T, double t) const { return L / 2 + L * t / (12 * T); }
    double VCB(double T, double t) const { return T / 2 + t * t / (24 * T); }
    double KMT(double T, double t) const { return VCB(T, t) + B * B / (12 * T); }
    double MTC(double T) const { return DispAt(T) * (L * L / (12 * T)) / (100 * L); }
    double TPC() const { return Rho * L * B / 100; }

    // Hydrostatic table "DISP", "DRAFT", "KMT", "LCB", "VCB", "LCF", "TPC",
    // "MTC" over the given drafts, one layer per trim.
    kv::xyztable_rec HydroTable(const std::vector<double>& trims, const std::vector<double>& drafts,
                                double lcf = -1) const {
        kv::xyztable_rec t;
        const char* cols[] = {"DISP", "DRAFT", "KMT", "LCB", "VCB", "LCF", "TPC", "MTC"};
        t.Resize(8, int(drafts.size()), int(trims.size()));
        t.Title.set("HYDROSTATICS");
        for (int c = 0; c < 8; ++c) t.ColHeads[size_t(c + 1)].set(cols[c]);
        for (size_t l = 0; l < trims.size(); ++l) {
            t.LayerHeads[l + 1].set(kv::FloatToStr(trims[l]));
            for (size_t r = 0; r < drafts.size(); ++r) {
                const double T = drafts[r], tr = trims[l];
                const double v[] = {DispAt(T), T, KMT(T, tr), LCB(T, tr), VCB(T, tr), lcf < 0 ? L / 2 : lcf,
                                    TPC(), MTC(T)};
                for (int c = 0; c < 8; ++c) t.Values[l + 1][size_t(c + 1)][r + 1] = v[c];
            }
        }
        return t;
    }
};

inline std::vector<double> Drafts(double from, double to, double step) {
    std::vector<double> d;
    for (double T = from; T <= to + 1e-9; T += step) d.push_back(T);
    return d;
}

// A state with the box barge as its ship: no tanks, no containers, the
// lightship given, sea water 1.025.
struct CycleShip {
    BoxBarge Box;
    kv::RecordingSink Sink;
    kv::KvState State;

    explicit CycleShip(const std::vector<double>& trims = {-2, -1, 0, 1, 2}) {
        State.Messages = &Sink;
        State.Tables.Messages = &Sink;
        kv::shipinfo_rec& s = State.ShipInfo;
        s.LBP = Box.L;
        s.LOA = Box.L;
        s.Breadth = Box.B;
        s.Depth = 10;
        s.ForeEndX = Box.L;
        s.LightWeight = 4100;
        s.LightLCG = 50;
        s.LightVCG = 5;
        s.LightTCG = 0;
        s.ShipTables.HydroTable() = Box.HydroTable(trims, Drafts(1, 9, 0.5));
        State.LoadData.SeaDensity = 1.025;
    }

    // Puts one item into load group g (0..8) of the weight summary.
    void AddItem(int g, double w, double lcg, double tcg, double vcg, double fsm = 0) {
        kv::tanksummary_rec& s = State.CalcData.Summaries[size_t(g + 1)];
        kv::TankResult r;
        r.Weight = w;
        r.LCG = lcg;
        r.TCG = tcg;
        r.VCG = vcg;
        r.LMoment = w * lcg;
        r.TMoment = w * tcg;
        r.VMoment = w * vcg;
        r.FSM = fsm;
        s.Items.push_back(r);
        State.ShipInfo.GroupCount[size_t(g)] = int(s.Items.size());
    }
};

}  // namespace kvtest
