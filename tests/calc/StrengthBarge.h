// A box barge in memory for the strength tests: L 100 m, B 20 m, one frame
// per metre (frame number = x), a Bonjean table of a box (area = B x height
// at every station), a lightweight table of one uniform row, SF and BM
// allowables of one segment each, and the floating position set directly.
#pragma once

#include <string>
#include <vector>

#include "calc/Strength.h"
#include "model/Messages.h"
#include "model/kvGlobal.h"
#include "numerics/Formats.h"

namespace kvtest {

struct StrengthBarge {
    static constexpr double L = 100, B = 20, Rho = 1.025;
    static constexpr double LightWeight = 2000;
    kv::RecordingSink Sink;
    kv::KvState State;

    StrengthBarge() {
        State.Messages = &Sink;
        State.Tables.Messages = &Sink;
        kv::shipinfo_rec& s = State.ShipInfo;
        s.LBP = L;
        s.LOA = L;
        s.Breadth = B;
        s.AftEndX = 0;
        s.ForeEndX = L;
        s.LightWeight = LightWeight;
        s.LightLCG = L / 2;
        for (int f = -2; f <= int(L) + 2; ++f) {
            kv::frame_rec fr;
            fr.FrameNo = f;
            fr.PosMM = f * 1000.0;
            s.FrameList.push_back(fr);
        }
        // Bonjean: two layers (ends of the barge), heights 0..12 m.
        kv::xyztable_rec& bj = s.ShipTables.Tables[kv::HeightAreaTableSlot];
        bj.Resize(2, 13, 2);
        bj.ColHeads[1].set("HEIGHT");
        bj.ColHeads[2].set("AREA");
        bj.LayerHeads[1].set("0");
        bj.LayerHeads[2].set("100");
        for (size_t l = 1; l <= 2; ++l)
            for (size_t r = 1; r <= 13; ++r) {
                bj.Values[l][1][r] = double(r - 1);
                bj.Values[l][2][r] = B * double(r - 1);
            }
        SetLightweight({{"AFR", 0}, {"AE", 0}, {"FFR", L}, {"FE", 0}, {"LCG", L / 2}, {"WEIGHT", LightWeight}});
        for (int k = 0; k < 2; ++k) {
            kv::allow_rec& a = s.ClassAllow.intact[size_t(k)];
            a.maxbm = 50000;
            a.sfsegs = {Segment(0, L, 1000, 1000)};
            a.bmsegs = {Segment(0, L, 20000, 20000)};
            s.ClassAllow.flooded[size_t(k)] = a;
        }
        State.LoadData.SeaDensity = Rho;
        State.LoadData.VoyageCond = kv::ConditionPort;
    }

    static kv::allowseg_rec Segment(double aft, double fore, double posAft, double negAft, double posFore = -1,
                                    double negFore = -1) {
        kv::allowseg_rec g;
        g.AftX = aft;
        g.ForeX = fore;
        g.Pos1Aft = posAft;
        g.Pos1Fore = posFore < 0 ? posAft : posFore;
        g.Pos2Aft = negAft;
        g.Pos2Fore = negFore < 0 ? negAft : negFore;
        return g;
    }

    // A lightweight table of one row from named columns.
    void SetLightweight(const std::vector<std::pair<std::string, double>>& cols) {
        kv::xyztable_rec& t = State.ShipInfo.ShipTables.Tables[kv::StrengthTableSlot];
        t = kv::xyztable_rec{};
        t.Resize(int(cols.size()), 1, 1);
        for (size_t c = 0; c < cols.size(); ++c) {
            t.ColHeads[c + 1].set(cols[c].first);
            t.Values[1][c + 1][1] = cols[c].second;
        }
    }

    // A cargo item of the condition's list.
    void AddCargo(double w, double lcg, double aft, double fore) {
        kv::balecargo_rec b;
        b.Weight = w;
        b.LCG = lcg;
        b.AftX = aft;
        b.ForeX = fore;
        State.LoadData.BaleList.push_back(b);
    }

    double Displacement() const {
        double w = LightWeight;
        for (const auto& b : State.LoadData.BaleList) w += double(b.Weight);
        return w;
    }

    // Level floating position for the displacement, LCF at midship.
    void FloatLevel() {
        State.CalcData.DraftAP = Displacement() / (Rho * L * B);
        State.CalcData.Trim = 0;
        State.CalcData.LCF = L / 2;
    }

    void Run() {
        kv::BuildStrengthStations(State);
        FloatLevel();
        kv::CalcStrength(State);
    }

    const kv::sfbmseg_rec* At(double frame) const { return State.Strength.Find(kv::FormatFloat("0.000", frame)); }
};

}  // namespace kvtest
