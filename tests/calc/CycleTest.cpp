// The calculation cycle on a box barge held in memory: weight summary,
// displacement and centres, GM, heel and side drafts, propeller immersion,
// the flags and the guards of its divisions.
#include <gtest/gtest.h>

#include <cmath>

#include "CycleFixture.h"
#include "calc/CycleInputs.h"
#include "calc/GlobalProc.h"
#include "calc/Grain.h"
#include "calc/Torsion.h"

using kvtest::CycleShip;

namespace {

void ExpectAllFinite(const kv::calcdata_rec& c) {
    const kv::Extended values[] = {c.Displacement, c.DisplacementSW, c.Deadweight, c.TotalFSM, c.LCG, c.TCG, c.VCG,
                                   c.Trim, c.Heel, c.DraftAP, c.DraftMean, c.DraftFP, c.DraftPort, c.DraftStbd,
                                   c.MarkDraftAft, c.MarkDraftMid, c.MarkDraftFwd, c.DraftAtLCF, c.KMT, c.LCB, c.VCB,
                                   c.LCF, c.TPC, c.MTC, c.PropImmersion, c.Visibility, c.Stab.GMSolid, c.Stab.FSC,
                                   c.Stab.GoM};
    for (size_t i = 0; i < std::size(values); ++i) EXPECT_TRUE(std::isfinite(double(values[i]))) << "value " << i;
}

}  // namespace

TEST(CalculationCycle, EmptyConditionIsTheLightship) {
    CycleShip ship;
    kv::shipinfo_rec& s = ship.State.ShipInfo;
    s.LightWeight = 6150;  // 3 m on the box
    s.LightLCG = 50;
    s.LightVCG = 6;
    s.LightTCG = 0.05;
    s.GroupCount = {2, 3, 4, 0, 0, 0, 0, 0, 0};  // items present, all empty
    for (int g = 0; g < 9; ++g) ship.State.CalcData.Summaries[size_t(g + 1)].Items.resize(size_t(s.GroupCount[size_t(g)]));
    kv::CalculateAll(ship.State);
    const kv::calcdata_rec& c = ship.State.CalcData;
    EXPECT_DOUBLE_EQ(double(c.Displacement), 6150);
    EXPECT_DOUBLE_EQ(double(c.Deadweight), 0);
    EXPECT_DOUBLE_EQ(double(c.LCG), 50);
    EXPECT_DOUBLE_EQ(double(c.VCG), 6);
    EXPECT_DOUBLE_EQ(double(c.TCG), 0.05);
    EXPECT_NEAR(double(c.DraftMean), 3, 1e-9);
    const double gm = ship.Box.KMT(3, 0) - 6;
    EXPECT_NEAR(double(c.Stab.GoM), gm, 1e-9);
    EXPECT_NEAR(double(c.Heel), 0.05 / (gm * std::sin(M_PI / 180)), 1e-9);
    for (const kv::tanksummary_rec& g : c.Summaries) {
        EXPECT_EQ(double(g.Weight), 0);
        EXPECT_EQ(double(g.LCG), 0);
        EXPECT_EQ(double(g.VCG), 0);
    }
    ExpectAllFinite(c);
}

TEST(CalculationCycle, SummariesAddUpMomentsAndFreeSurface) {
    CycleShip ship;
    ship.AddItem(2, 300, 20, -4, 1, 150);   // ballast
    ship.AddItem(2, 300, 80, 4, 1, 150);
    ship.AddItem(3, 200, 10, 0, 2, 40);     // fuel
    ship.AddItem(8, 100, 60, 2, 9, 0);      // constant
    kv::panel_rec p;                        // tween deck panel: no transverse moment
    p.weight = 50;
    p.lcg = 40;
    p.vcg = 7;
    p.tcg = 5;
    ship.State.PanelList.push_back(p);
    kv::CalculateAll(ship.State);
    const kv::calcdata_rec& c = ship.State.CalcData;
    const kv::tanksummary_rec& ballast = c.Summaries[3];
    EXPECT_DOUBLE_EQ(double(ballast.Weight), 600);
    EXPECT_DOUBLE_EQ(double(ballast.LCG), 50);
    EXPECT_DOUBLE_EQ(double(ballast.TCG), 0);
    EXPECT_DOUBLE_EQ(double(ballast.FSM), 300);
    EXPECT_DOUBLE_EQ(double(c.Deadweight), 950);
    EXPECT_DOUBLE_EQ(double(c.TotalFSM), 340);
    const double disp = 4100 + 950;
    EXPECT_DOUBLE_EQ(double(c.Displacement), disp);
    EXPECT_NEAR(double(c.LCG), (4100 * 50 + 300 * 20 + 300 * 80 + 200 * 10 + 100 * 60 + 50 * 40) / disp, 1e-12);
    EXPECT_NEAR(double(c.VCG), (4100 * 5 + 600 * 1 + 200 * 2 + 100 * 9 + 50 * 7) / disp, 1e-12);
    EXPECT_NEAR(double(c.TCG), 100 * 2 / disp, 1e-12);
    EXPECT_NEAR(double(c.Stab.FSC), 340 / disp, 1e-12);
    EXPECT_NEAR(double(c.Stab.GoM), double(c.KMT - c.VCG) - 340 / disp, 1e-12);
}

TEST(CalculationCycle, SeaDensityConvertsTheDisplacementForTheTables) {
    struct Case {
        double density, factor;
    };
    // A condition without a density is taken in sea water.
    for (Case k : {Case{1.025, 1.0}, Case{1.0, 1.025}, Case{1.012, 1.025 / 1.012}, Case{0.0, 1.0}}) {
        CycleShip ship;
        ship.State.LoadData.SeaDensity = k.density;
        kv::CalculateAll(ship.State);
        const kv::calcdata_rec& c = ship.State.CalcData;
        EXPECT_NEAR(double(c.DisplacementSW), 4100 * k.factor, 1e-9) << k.density;
        EXPECT_NEAR(double(c.DraftMean), ship.Box.DraftAt(4100 * k.factor), 1e-9) << k.density;
    }
}

// Heel is positive with the starboard side down; a negative GM lists the
// ship to the other side.
TEST(CalculationCycle, HeelFollowsTheTransverseMoment) {
    struct Case {
        double tcg, vcg;  // of a 1000 t item
    };
    for (Case k : {Case{3, 6}, Case{-3, 6}, Case{1.5, 6}, Case{3, 30}}) {
        CycleShip ship;
        ship.AddItem(7, 1000, 50, k.tcg, k.vcg);
        kv::CalculateAll(ship.State);
        const kv::calcdata_rec& c = ship.State.CalcData;
        const double disp = 5100;
        const double gm = double(c.KMT) - (4100 * 5 + 1000 * k.vcg) / disp;
        EXPECT_NEAR(double(c.KMT), ship.Box.KMT(ship.Box.DraftAt(disp), 0), 0.05);
        const double expected = 1000 * k.tcg / (disp * gm * std::sin(M_PI / 180));
        EXPECT_NEAR(double(c.Heel), expected, 1e-9) << k.tcg << " " << k.vcg;
        EXPECT_EQ(c.Heel > 0, (k.tcg > 0) == (gm > 0));
        EXPECT_NEAR(double(c.DraftStbd - c.DraftPort), 20 * std::tan(expected * M_PI / 180), 1e-9);
        EXPECT_NEAR(double(c.DraftStbd + c.DraftPort) / 2, double(c.DraftMean), 1e-12);
    }
}

TEST(CalculationCycle, DivisionGuards) {
    // Nothing aboard at all: no centres, no heel, nothing infinite.
    {
        CycleShip ship;
        ship.State.ShipInfo.LightWeight = 0;
        ship.State.ShipInfo.LightTCG = 1;
        kv::CalculateAll(ship.State);
        const kv::calcdata_rec& c = ship.State.CalcData;
        EXPECT_EQ(double(c.Displacement), 0);
        EXPECT_EQ(double(c.LCG), 0);
        EXPECT_EQ(double(c.VCG), 0);
        EXPECT_EQ(double(c.TCG), 0);
        EXPECT_EQ(double(c.Stab.FSC), 0);
        EXPECT_EQ(double(c.Heel), 0);
        ExpectAllFinite(c);
    }
    // GM of exactly zero: upright without a transverse moment, else lying
    // over towards it at the 90 degrees the list is held to.
    struct Case {
        double tcg, heel;
    };
    for (Case k : {Case{0, 0}, Case{0.2, 90}, Case{-0.2, -90}}) {
        CycleShip ship;
        kv::calcdata_rec& c = ship.State.CalcData;
        c.Displacement = 5000;
        c.KMT = 8;
        c.VCG = 7.5;
        c.TotalFSM = 2500;  // FSC 0.5: GM corrected exactly 0
        c.TCG = k.tcg;
        c.DraftMean = 4;
        kv::MetacentricHeightAndHeel(ship.State);
        EXPECT_EQ(double(c.Stab.GoM), 0);
        EXPECT_EQ(double(c.Heel), k.heel) << k.tcg;
        ExpectAllFinite(c);
    }
    // A tiny GM: the small-angle list is held at 90 degrees.
    {
        CycleShip ship({0});
        kv::shipinfo_rec& s = ship.State.ShipInfo;
        s.LightWeight = ship.Box.DispAt(4);
        s.LightVCG = ship.Box.KMT(4, 0) - 1e-6;
        s.LightTCG = 0.5;
        kv::CalculateAll(ship.State);
        EXPECT_EQ(double(ship.State.CalcData.Heel), 90);
        ExpectAllFinite(ship.State.CalcData);
    }
}

TEST(CalculationCycle, PropellerImmersionByMethod) {
    struct Case {
        int method;
        double expected;  // at DraftAP 4 (even keel), D 4, h 3, trim 0
    };
    for (Case k : {Case{0, 25}, Case{1, 75}, Case{2, 75}, Case{7, -12.5}}) {
        CycleShip ship;
        kv::shipinfo_rec& s = ship.State.ShipInfo;
        s.LightWeight = ship.Box.DispAt(4);
        s.PropImmMethod = k.method;
        s.PropDiameter = 4;
        s.PropShaftHeight = 3;
        s.PropX = 2;
        ship.State.CalcData.PropImmersion = -12.5;  // an unknown method keeps the previous value
        kv::CalculateAll(ship.State);
        EXPECT_NEAR(double(ship.State.CalcData.PropImmersion), k.expected, 1e-9) << k.method;
    }
    // Method 2 reads the draft at the propeller.
    CycleShip ship;
    kv::shipinfo_rec& s = ship.State.ShipInfo;
    s.LightWeight = ship.Box.DispAt(4);
    s.LightLCG = ship.Box.LCB(4, 1);
    s.LightVCG = ship.Box.VCB(4, 1) + 5;  // close enough to the normal for a trim near 1
    s.PropImmMethod = 2;
    s.PropDiameter = 4;
    s.PropShaftHeight = 3;
    s.PropX = 10;
    kv::CalculateAll(ship.State);
    const kv::calcdata_rec& c = ship.State.CalcData;
    EXPECT_GT(double(c.Trim), 0.5);
    EXPECT_NEAR(double(c.PropImmersion), (double(c.DraftAP) + 10 * double(c.Trim) / 100 - 1) / 4 * 100, 1e-9);
}

TEST(CalculationCycle, HoldFlagsAndTheOptionalCalculationsOnlyOnTheirPages) {
    CycleShip ship;
    kv::shipinfo_rec& s = ship.State.ShipInfo;
    s.GroupCount[1] = 3;
    ship.State.LoadData.Loads[1].Items.resize(3);
    ship.State.Calc.HoldMassValues = {1, 2, 3, 4};
    // Grain and torsion switched on but their pages not shown: the earlier
    // results stay as they were.
    s.Options[kv::OptionGrainStability].Enabled = 1;
    s.Options[kv::OptionTorsion].Enabled = 1;
    ship.State.CalcData.Grain.Computed = true;
    ship.State.CalcData.Grain.TotalMoment = 123;
    ship.State.CalcData.Strength.Torsion.Computed = true;
    struct Case {
        int type0, type2;
        bool ballast, grain;
    };
    for (Case k : {Case{kv::CargoBale, kv::CargoBulk, false, false}, Case{kv::CargoEBallast, kv::CargoBale, true, false},
                   Case{kv::CargoBale, kv::CargoUGrain, false, true}, Case{kv::CargoTGrain, kv::CargoEBallast, true, true}}) {
        ship.State.LoadData.Loads[1].Items[0].CargoType = k.type0;
        ship.State.LoadData.Loads[1].Items[2].CargoType = k.type2;
        ship.State.Tables.TableRangeExceeded = true;
        kv::CalculateAll(ship.State);
        EXPECT_EQ(ship.State.Calc.AnyBallastHold, k.ballast);
        EXPECT_EQ(ship.State.Calc.AnyGrainMode, k.grain);
        EXPECT_FALSE(ship.State.Tables.TableRangeExceeded);
        EXPECT_TRUE(ship.State.CalcData.Grain.Computed);
        EXPECT_EQ(ship.State.CalcData.Grain.TotalMoment, 123);
        EXPECT_TRUE(ship.State.CalcData.Strength.Torsion.Computed);
        // One hold value per hold of the ship, refilled by every cycle; this
        // ship has no hold compartments, so nothing is counted in them.
        ASSERT_EQ(ship.State.Calc.HoldMassValues.size(), 3u);
        for (kv::Extended m : ship.State.Calc.HoldMassValues) EXPECT_EQ(m, 0);
        // Without frames there are no strength stations: nothing is judged.
        EXPECT_FALSE(ship.State.CalcData.Strength.Computed);
        EXPECT_FALSE(ship.State.Calc.JudgementFlags[kv::StrengthOK]);
    }
}

TEST(CalculationCycle, FloatingRangeIsKeptApartFromTheStabilityFlag) {
    CycleShip ship;
    ship.AddItem(8, 30000, 50, 0, 5);  // far beyond the deepest draft of the table
    kv::CalculateAll(ship.State);
    EXPECT_TRUE(ship.State.Calc.FloatRangeExceeded);
    EXPECT_FALSE(ship.State.Tables.TableRangeExceeded);
    ship.State.CalcData.Summaries[9].Items.clear();
    ship.State.ShipInfo.GroupCount[8] = 0;
    kv::CalculateAll(ship.State);
    EXPECT_FALSE(ship.State.Calc.FloatRangeExceeded);
}

TEST(CalculationCycle, ContainersAddTheirBaysAndCategoryCounts) {
    CycleShip ship;
    ship.State.ContInfo.bay_count = 2;
    kv::calcdata_rec& c = ship.State.CalcData;
    c.Summaries[0].Items.resize(2);
    c.Summaries[0].Items[0].Weight = 200;
    c.Summaries[0].Items[0].LMoment = 200 * 30;
    c.Summaries[0].Items[0].VMoment = 200 * 12;
    c.Summaries[0].Items[1].Weight = 100;
    c.Summaries[0].Items[1].LMoment = 100 * 60;
    c.Cont.Bays.resize(2);
    c.Cont.Bays[0][kv::Class20][0][kv::CatAll] = {10, 200};
    c.Cont.Bays[1][kv::Class40][1][kv::CatAll] = {2, 60};
    c.Cont.Bays[1][kv::Class40][1][kv::CatReefer] = {1, 40};
    c.Cont.Total[kv::Class20][0][kv::CatAll] = {99, 999};  // stale totals of the last cycle
    kv::CalculateAll(ship.State);
    EXPECT_DOUBLE_EQ(double(c.Summaries[0].Weight), 300);
    EXPECT_DOUBLE_EQ(double(c.Summaries[0].LCG), 40);
    EXPECT_DOUBLE_EQ(double(c.Deadweight), 300);
    EXPECT_EQ(c.Cont.Total[kv::Class20][0][kv::CatAll].count, 10);
    EXPECT_EQ(c.Cont.Total[kv::Class40][1][kv::CatAll].count, 2);
    EXPECT_DOUBLE_EQ(double(c.Cont.Total[kv::Class40][1][kv::CatReefer].weight), 40);
}

TEST(CycleInputs, HoldAtX) {
    kv::tankgroup_rec tg;
    EXPECT_EQ(kv::HoldAtX(tg, 10), -1);  // no holds
    for (auto [aft, fore] : {std::pair{20.0, 40.0}, std::pair{40.0, 60.0}, std::pair{70.0, 90.0}}) {
        kv::tank_rec t;
        t.AftEnd = aft;
        t.ForeEnd = fore;
        tg.Groups[1].Tanks.push_back(t);
    }
    struct Case {
        double x;
        int hold;
    };
    for (Case k : {Case{30, 0}, Case{40, 0}, Case{50, 1}, Case{65, -1}, Case{70, 2}, Case{5, 0}, Case{95, 2}})
        EXPECT_EQ(kv::HoldAtX(tg, k.x), k.hold) << k.x;
}

TEST(CycleInputs, BaleSummaryByHold) {
    CycleShip ship;
    kv::KvState& st = ship.State;
    st.ShipInfo.GroupCount[0] = 2;
    for (auto [aft, fore] : {std::pair{10.0, 40.0}, std::pair{50.0, 80.0}}) {
        kv::tank_rec t;
        t.AftEnd = aft;
        t.ForeEnd = fore;
        st.TankGroup.Groups[1].Tanks.push_back(t);
    }
    auto bale = [](double w, double lcg, double tcg, double vcg) {
        kv::balecargo_rec b;
        b.Weight = w;
        b.LCG = lcg;
        b.TCG = tcg;
        b.VCG = vcg;
        return b;
    };
    st.LoadData.BaleList = {bale(100, 20, 2, 3), bale(300, 30, -2, 5), bale(50, 45, 0, 9), bale(80, 60, 1, 12)};
    kv::BuildBaleSummary(st, st.CalcData.Summaries[1]);
    const auto& items = st.CalcData.Summaries[1].Items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_DOUBLE_EQ(double(items[0].Weight), 400);  // the item in the gap is left out
    EXPECT_DOUBLE_EQ(double(items[0].LCG), 27.5);
    EXPECT_DOUBLE_EQ(double(items[0].TCG), -1);
    EXPECT_DOUBLE_EQ(double(items[0].VCG), 4.5);
    EXPECT_DOUBLE_EQ(double(items[1].Weight), 80);
    kv::CalculateAll(st);
    EXPECT_DOUBLE_EQ(double(st.CalcData.Deadweight), 480);
}

TEST(CycleInputs, ContainerItemsFromTheBayLists) {
    CycleShip ship;
    kv::KvState& st = ship.State;
    st.ContInfo.bay_count = 3;
    st.LoadData.BayLists.resize(3);
    auto box = [](const char* iso, float w, double lcg, double tcg, double vcg, int section) {
        kv::container_rec c;
        c.iso_code.set(iso);
        c.weight = w;
        c.lcg = lcg;
        c.tcg = tcg;
        c.vcg = vcg;
        c.section = section;
        return c;
    };
    st.LoadData.BayLists[0] = {box("22G1", 20, 10, -2, 5, 1), box("22G1", 10, 10, 2, 8, 0)};
    st.LoadData.BayLists[2] = {box("45R1", 30, 40, 0, 12, 0)};
    st.CalcData.Summaries[0].Items.assign(5, kv::TankResult{});  // stale items of another ship
    st.CalcData.Summaries[0].Items[1].Weight = 77;
    kv::UpdateContainerItems(st);
    const auto& items = st.CalcData.Summaries[0].Items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_DOUBLE_EQ(double(items[0].Weight), 30);
    EXPECT_DOUBLE_EQ(double(items[0].TCG), -2.0 / 3);
    EXPECT_DOUBLE_EQ(double(items[0].VCG), 6);
    EXPECT_DOUBLE_EQ(double(items[0].VMoment), 180);
    EXPECT_EQ(double(items[1].Weight), 0);
    EXPECT_DOUBLE_EQ(double(items[2].LCG), 40);
    kv::CalculateAll(st);
    const kv::contbaysum_rec& t = st.CalcData.Cont.Total;
    EXPECT_EQ(t[kv::Class20][0][kv::CatAll].count, 1);
    EXPECT_EQ(t[kv::Class20][1][kv::CatAll].count, 1);
    EXPECT_EQ(t[kv::Class40][0][kv::CatAll].count, 1);
    EXPECT_EQ(t[kv::Class40][0][kv::CatReefer].count, 1);
    EXPECT_EQ(t[kv::Class40][0][kv::CatHigh].count, 1);
    EXPECT_DOUBLE_EQ(double(st.CalcData.Deadweight), 60);
}
