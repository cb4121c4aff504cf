// Hold flooding on the box barge held in memory: the permeability rule, the
// water that enters a compartment for each kind of content, the compartments
// of a hold, and the equilibrium of the flooded ship against the closed forms
// of a box.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CycleFixture.h"
#include "TankFixture.h"
#include "calc/FloatingPosition.h"
#include "calc/Flooding.h"
#include "calc/GlobalProc.h"
#include "calc/TankContents.h"

using kv::Extended;

namespace {

constexpr double Rho = 1.025;
constexpr double Width = 16;  // every compartment spans y -8..8

// A box compartment [aft, fore] x 16 m, bottom at z0, 9 m deep.
kv::tank_rec Compartment(const std::string& name, double aft, double fore, double z0) {
    kv::tank_rec t;
    t.TankName = kv::ShortString<50>(name);
    t.AftEnd = aft;
    t.ForeEnd = fore;
    t.BottomZ = z0;
    t.TopZ = z0 + 9;
    t.MaxLevel = 9;
    const double area = (fore - aft) * Width;
    t.MaxVolume = area * 9;
    std::vector<std::vector<long double>> rows;
    for (int i = 0; i <= 9; ++i) rows.push_back({i * 1.0L, area * i, (aft + fore) / 2, 0, z0 + i / 2.0L, 100});
    t.TkTables[kv::TkBase] = kvtest::MakeTable({"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"}, rows);
    return t;
}

kv::tank_rec Extent(double aft, double fore) {
    kv::tank_rec t;
    t.AftEnd = aft;
    t.ForeEnd = fore;
    return t;
}

// The box barge (100 x 20 m, lightship 4100 t floating at 2 m) with three
// holds: hold 0 over [10, 40] with one compartment, hold 1 over [40, 60] with
// two, hold 2 over [60, 90] with one whose bottom lies at 6 m. Compartment
// bottoms otherwise at 1 m.
struct FloodShip : kvtest::CycleShip {
    FloodShip() {
        kv::KvState& s = State;
        s.ShipInfo.Options[kv::OptionHoldFlooding] = {1, kv::ShortString<50>("0")};
        auto& bales = s.TankGroup.Groups[0].Tanks;
        bales = {Extent(10, 40), Extent(40, 60), Extent(60, 90)};
        auto& comps = s.TankGroup.Groups[1].Tanks;
        comps = {Compartment("A", 10, 40, 1), Compartment("B1", 40, 50, 1), Compartment("B2", 50, 60, 1),
                 Compartment("C", 60, 90, 6)};
        s.ShipInfo.GroupCount[0] = 3;
        s.ShipInfo.GroupCount[1] = 4;
        s.LoadData.Loads[1].Items.resize(4);
        for (auto& item : s.LoadData.Loads[1].Items) item.Density = 1.0;
        s.CalcData.Summaries[1].Items.resize(3);
        kv::RebuildActiveHoldCompartments(s);
    }

    void Load(int t, int kind, double volume, double density) {
        auto& item = State.LoadData.Loads[1].Items[size_t(t)];
        item.CargoType = kind;
        item.Volume = volume;
        item.Density = density;
    }

    // The intact results as the cycle leaves them (without the stability
    // and strength steps, which need tables this ship has not got).
    void Intact() {
        kv::UpdateAllTankItems(State);
        kv::SumWeights(State);
        kv::FloatingPosition(State);
        kv::MetacentricHeightAndHeel(State);
        State.CalcDataFlood = State.CalcData;
    }

    const kv::TankResult& FloodedItem(int t) const { return State.CalcDataFlood.Summaries[2].Items[size_t(t)]; }
    const kv::fldtkinfo_rec& Hold(int h) const { return State.CalcData.Flood.Holds[size_t(h)]; }
};

}  // namespace

TEST(FloodPermeability, RuleTable) {
    struct Case {
        bool ruleBV;
        double volume, density;
        int kind;
        bool bale;
        double mu;
    } cases[] = {
        {false, 0, 0, kv::CargoBale, false, 0.95},       // empty
        {true, 0, 0, kv::CargoBulk, false, 0.95},
        {false, 100, 1.2, kv::CargoBulk, false, 0.3},    // heavy cargo
        {false, 100, 1.0, kv::CargoBulk, false, 0.5},    // light cargo: 1.0 counts as light
        {false, 100, 0.0, kv::CargoBale, false, 0.5},
        {true, 100, 0.8, kv::CargoBulk, false, 0.3},     // rule "1": any cargo
        {true, 100, 1.2, kv::CargoTGrain, false, 0.3},
        {false, 100, 1.025, kv::CargoEBallast, false, 0.95},
        {true, 100, 1.025, kv::CargoEBallast, false, 0.95},
        {false, 0, 0, kv::CargoBale, true, 0},            // bale cargo compartment loaded
        {false, 100, 1.025, kv::CargoEBallast, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(double(kv::FloodPermeability(c.ruleBV, c.volume, c.density, c.kind, c.bale)), c.mu)
            << "rule " << c.ruleBV << " volume " << c.volume << " density " << c.density << " kind " << c.kind
            << " bale " << c.bale;

    kv::shipinfo_rec ship;
    for (const char* text : {"1", " 1 "}) {
        ship.Options[kv::OptionHoldFlooding].Text = kv::ShortString<50>(text);
        EXPECT_TRUE(kv::FloodRuleBV(ship)) << "'" << text << "'";
    }
    for (const char* text : {"0", "", "2", "11"}) {
        ship.Options[kv::OptionHoldFlooding].Text = kv::ShortString<50>(text);
        EXPECT_FALSE(kv::FloodRuleBV(ship)) << "'" << text << "'";
    }
}

TEST(FloodWater, CompartmentsOfAHoldByPosition) {
    FloodShip ship;
    EXPECT_EQ(kv::HoldCompartments(ship.State, 0), std::vector<int>({0}));
    EXPECT_EQ(kv::HoldCompartments(ship.State, 1), std::vector<int>({1, 2}));
    EXPECT_EQ(kv::HoldCompartments(ship.State, 2), std::vector<int>({3}));
    EXPECT_TRUE(kv::HoldCompartments(ship.State, 3).empty());
    EXPECT_TRUE(kv::HoldCompartments(ship.State, -1).empty());

    // A compartment between the first and the last of a hold belongs to it
    // whatever its own extent: the hold is one contiguous range.
    ship.State.TankGroup.Groups[1].Tanks[2].AftEnd = 70;
    ship.State.TankGroup.Groups[1].Tanks[2].ForeEnd = 80;
    ship.State.TankGroup.Groups[1].Tanks[3] = Compartment("B3", 55, 60, 1);
    EXPECT_EQ(kv::HoldCompartments(ship.State, 1), std::vector<int>({1, 2, 3}));
}

// Water entering compartment A (480 m2, bottom 1 m) at an even-keel draft
// of 4 m: 1440 m3 below the waterline.
TEST(FloodWater, WaterByContent) {
    const double v = 1440, cap = 4320;
    struct Case {
        const char* what;
        bool ruleBV;
        int kind;
        double volume, density, bale;
        double mu, water;
    } cases[] = {
        {"empty", false, kv::CargoBale, 0, 1.0, 0, 0.95, 0.95 * v * Rho},
        {"heavy bulk below the waterline", false, kv::CargoBulk, 500, 1.2, 0, 0.3,
         (v - 500) * Rho * 0.95 + 500 * 0.3 * Rho},
        {"light bulk", false, kv::CargoBulk, 500, 0.8, 0, 0.5, (v - 500) * Rho * 0.95 + 500 * 0.5 * Rho},
        {"light bulk, rule 1", true, kv::CargoBulk, 500, 0.8, 0, 0.3, (v - 500) * Rho * 0.95 + 500 * 0.3 * Rho},
        {"bulk above the waterline", false, kv::CargoBulk, 2000, 1.2, 0, 0.3, v * 0.3 * Rho},
        {"ballast below the flooded volume", false, kv::CargoEBallast, 500, 1.025, 0, 0.95,
         (0.95 * v - 500) * Rho},
        {"ballast above the flooded volume runs out", false, kv::CargoEBallast, 2000, 1.025, 0, 0.95,
         (0.95 * v - 2000) * Rho},
        {"bale cargo compartment loaded, hold empty", false, kv::CargoBale, 0, 1.0, 300, 0, 0},
        {"bale cargo compartment loaded, hold with cargo", false, kv::CargoBulk, 500, 1.2, 300, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FloodShip ship;
        ship.State.ShipInfo.Options[kv::OptionHoldFlooding].Text = kv::ShortString<50>(c.ruleBV ? "1" : "0");
        ship.Load(0, c.kind, c.volume, c.density);
        ship.State.CalcData.Summaries[1].Items[0].Weight = c.bale;
        ship.Intact();
        kv::FloodWater(ship.State, 0, 0, 4.0, 0, 0);

        const kv::fldtkinfo_rec& h = ship.Hold(0);
        EXPECT_NEAR(double(h.FloodWater), c.water, 1e-6);
        EXPECT_DOUBLE_EQ(double(h.Permeability), c.mu);
        EXPECT_DOUBLE_EQ(double(h.MeanDraft), 4.0);
        EXPECT_NEAR(double(h.FloodWaterLCG), 25, 1e-9);

        // The compartment carries its content and the water.
        const kv::TankResult& r = ship.FloodedItem(0);
        const double content = c.volume * c.density;
        EXPECT_NEAR(double(r.Weight), content + c.water, 1e-6);
        EXPECT_NEAR(double(r.Percent), (content + c.water) / c.density / cap * 100, 1e-9);
        EXPECT_NEAR(double(r.LMoment), double(r.Weight) * 25, 1e-6);
        // Content centre (z = 1 + level/2) and water centre (1 + 3/2) by weight.
        if (double(r.Weight) != 0) {
            const double level = std::min(c.volume / 480, 9.0);
            const double vcgContent = 1 + level / 2;
            double moment = content * vcgContent;
            if (c.kind == kv::CargoEBallast)
                moment += (0.95 * v * 2.5 - c.volume * vcgContent) * Rho;
            else if (c.volume > 0 && c.volume < v && c.mu > 0)
                moment += c.volume * c.mu * Rho * vcgContent + (v - c.volume) * Rho * 0.95 * 2.5;
            else
                moment += c.water * 2.5;
            EXPECT_NEAR(double(r.VCG), moment / double(r.Weight), 1e-9);
        }
        // The intact result stays as it was.
        EXPECT_NEAR(double(ship.State.CalcData.Summaries[2].Items[0].Weight), content, 1e-9);
    }
}

TEST(FloodWater, ContentWithoutDensityWeighsAsFreshWater) {
    FloodShip ship;
    ship.Load(0, kv::CargoBulk, 500, 0);
    ship.Intact();
    kv::FloodWater(ship.State, 0, 0, 4.0, 0, 0);
    EXPECT_DOUBLE_EQ(double(ship.Hold(0).Permeability), 0.5);
    const double water = (1440 - 500) * Rho * 0.95 + 500 * 0.5 * Rho;
    EXPECT_NEAR(double(ship.Hold(0).FloodWater), water, 1e-6);
    EXPECT_NEAR(double(ship.FloodedItem(0).Weight), 500 * 1.0 + water, 1e-6);
}

TEST(FloodWater, OnlyActiveCompartmentsAboveTheirBottomTakeWater) {
    FloodShip ship;
    ship.Intact();
    // Hold 1 at a draft of 3 m trimmed 1 m by the head: B1 (x 40..50) has a
    // mean draft of 2.95 m, B2 (50..60) 3.05 m; 160 m2 each.
    kv::FloodWater(ship.State, 0, 1, 3.0, 0, 1.0);
    const double b1 = 0.95 * Rho * 160 * 1.95, b2 = 0.95 * Rho * 160 * 2.05;
    EXPECT_NEAR(double(ship.Hold(1).FloodWater), b1 + b2, 1e-6);
    EXPECT_NEAR(double(ship.Hold(1).FloodWaterLCG), (b1 * 45 + b2 * 55) / (b1 + b2), 1e-9);
    EXPECT_NEAR(double(ship.Hold(1).MeanDraft), 3.05, 1e-12);  // the last compartment processed

    // A second call at another waterline replaces the water, it does not add to it.
    kv::FloodWater(ship.State, 0, 1, 2.0, 0, 0);
    EXPECT_NEAR(double(ship.Hold(1).FloodWater), 0.95 * Rho * 320 * 1.0, 1e-6);
    EXPECT_NEAR(double(ship.FloodedItem(1).Weight), 0.95 * Rho * 160 * 1.0, 1e-6);

    // B1 taken out of the active set: only B2 floods. Mode 1 floods the one compartment given.
    ship.State.Calc.ActiveHoldCompartments = {0, 2, 3};
    kv::FloodWater(ship.State, 0, 1, 2.0, 0, 0);
    EXPECT_NEAR(double(ship.Hold(1).FloodWater), 0.95 * Rho * 160 * 1.0, 1e-6);
    kv::FloodWater(ship.State, 1, 1, 2.0, 0, 0, 3);
    EXPECT_DOUBLE_EQ(double(ship.Hold(1).FloodWater), 0);  // C's bottom is at 6 m
    kv::FloodWater(ship.State, 1, 1, 7.0, 0, 0, 3);
    EXPECT_NEAR(double(ship.Hold(1).FloodWater), 0.95 * Rho * 480 * 1.0, 1e-6);

    // No active compartment: no water anywhere; its LCG is the hold's last compartment's.
    ship.State.Calc.ActiveHoldCompartments.clear();
    kv::FloodWater(ship.State, 0, 0, 4.0, 0, 0);
    EXPECT_DOUBLE_EQ(double(ship.Hold(0).FloodWater), 0);
    EXPECT_DOUBLE_EQ(double(ship.Hold(0).FloodWaterLCG), 25);

    // A hold that does not exist changes nothing.
    const size_t holds = ship.State.CalcData.Flood.Holds.size();
    kv::FloodWater(ship.State, 0, 7, 4.0, 0, 0);
    kv::FloodWater(ship.State, 0, -1, 4.0, 0, 0);
    EXPECT_EQ(ship.State.CalcData.Flood.Holds.size(), holds);
}

TEST(FloodWater, ActiveSetIsEveryCompartmentUpTo256) {
    FloodShip ship;
    EXPECT_EQ(ship.State.Calc.ActiveHoldCompartments, std::vector<int>({0, 1, 2, 3}));
    auto& comps = ship.State.TankGroup.Groups[1].Tanks;
    comps.resize(300, comps[0]);
    ship.State.ShipInfo.GroupCount[1] = 300;
    kv::RebuildActiveHoldCompartments(ship.State);
    ASSERT_EQ(ship.State.Calc.ActiveHoldCompartments.size(), 256u);
    EXPECT_EQ(ship.State.Calc.ActiveHoldCompartments.back(), 255);
}

// The midship hold (320 m2 from 40 to 60 m, bottom 1 m) of the box that
// floats at 2 m: the water keeps the ship on an even keel while she sinks,
// so only the draft tells when the waterline has settled. In equilibrium
// 2050 T = 4100 + 311.6 (T - 1).
TEST(FloodHold, MidshipHoldSinksTheBoxToTheClosedForm) {
    FloodShip ship;
    ship.Intact();
    ASSERT_NEAR(double(ship.State.CalcData.DraftMean), 2.0, 1e-9);
    kv::FloodHold(ship.State, 1);

    const double perMetre = 0.95 * Rho * 320, draft = (4100 - perMetre) / (2050 - perMetre);
    const kv::fldtkinfo_rec& h = ship.Hold(1);
    const kv::calcdata_rec& f = ship.State.CalcDataFlood;
    EXPECT_TRUE(h.Computed);
    EXPECT_TRUE(ship.State.CalcData.Flood.Computed);
    EXPECT_NEAR(double(f.DraftMean), draft, 1e-4);
    EXPECT_NEAR(double(h.FloodWater), perMetre * (draft - 1), 0.05);
    EXPECT_NEAR(double(h.FloodWaterLCG), 50, 1e-9);
    EXPECT_NEAR(double(h.Displacement), 4100 + double(h.FloodWater), 1e-6);
    EXPECT_NEAR(double(h.Trim), 0, 1e-6);
    EXPECT_GT(h.Iterations, 2);
    EXPECT_LT(h.Iterations, 1001);
    // The intact condition is untouched.
    EXPECT_DOUBLE_EQ(double(ship.State.CalcData.Displacement), 4100);
    EXPECT_NEAR(double(ship.State.CalcData.DraftMean), 2.0, 1e-9);
}

// The aft hold (480 m2 from 10 to 40 m) trims the box by the stern; at the
// settled waterline the water is the permeability times the volume below it.
TEST(FloodHold, WaterMatchesTheSettledWaterline) {
    for (int kind : {kv::CargoBale, kv::CargoBulk}) {
        SCOPED_TRACE(kind);
        FloodShip ship;
        // Light cargo: 600 m3 of 0.6 t/m3, 1.25 m deep.
        if (kind == kv::CargoBulk) ship.Load(0, kind, 600, 0.6);
        ship.Intact();
        kv::FloodHold(ship.State, 0);
        const kv::fldtkinfo_rec& h = ship.Hold(0);
        const kv::calcdata_rec& f = ship.State.CalcDataFlood;
        const double tm = double(f.DraftMean + (25 - 50) * f.Trim / 100);
        const double v = 480 * (tm - 1);
        const double water = kind == kv::CargoBulk ? (v - 600) * Rho * 0.95 + 600 * 0.5 * Rho : 0.95 * Rho * v;
        EXPECT_LT(double(f.Trim), -0.1);
        EXPECT_NEAR(double(h.FloodWater), water, 0.1);
        EXPECT_NEAR(double(h.MeanDraft), tm, 1e-3);
        EXPECT_NEAR(double(h.DraftAP), double(f.DraftAP), 0);
        EXPECT_NEAR(double(h.DraftFP - h.DraftAP), double(h.Trim), 1e-9);
        EXPECT_NEAR(double(f.Displacement), double(ship.State.CalcData.Displacement + h.FloodWater), 1e-6);
        // The flooded ship's G carries the water at the compartment's centre.
        const double moment = double(ship.State.CalcData.Displacement * ship.State.CalcData.LCG) + double(h.FloodWater) * 25;
        EXPECT_NEAR(double(f.LCG), moment / double(f.Displacement), 1e-6);
        EXPECT_GT(h.Iterations, 1);
        EXPECT_LT(h.Iterations, 1001);
    }
}

TEST(FloodHold, HoldAboveTheWaterlineLeavesTheShipWhereSheFloats) {
    FloodShip ship;
    ship.Intact();
    kv::FloodHold(ship.State, 2);  // bottom at 6 m, the box floats at 2 m
    const kv::fldtkinfo_rec& h = ship.Hold(2);
    const kv::calcdata_rec& c = ship.State.CalcData;
    EXPECT_EQ(h.Iterations, 1);
    EXPECT_DOUBLE_EQ(double(h.FloodWater), 0);
    EXPECT_DOUBLE_EQ(double(h.FloodWaterLCG), 75);
    EXPECT_DOUBLE_EQ(double(h.Displacement), double(c.Displacement));
    EXPECT_DOUBLE_EQ(double(h.Trim), double(c.Trim));
    EXPECT_DOUBLE_EQ(double(h.DraftAP), double(c.DraftAP));
    EXPECT_DOUBLE_EQ(double(h.DraftFP), double(c.DraftFP));
}

TEST(FloodHold, HoldThatDoesNotExistIsIgnored) {
    FloodShip ship;
    ship.Intact();
    for (int hold : {-1, 3, 100}) {
        kv::FloodHold(ship.State, hold);
        EXPECT_FALSE(ship.State.CalcData.Flood.Computed) << hold;
        EXPECT_TRUE(ship.State.CalcData.Flood.Holds.empty()) << hold;
    }
    kv::FloodAllHolds(ship.State);
    ASSERT_EQ(ship.State.CalcData.Flood.Holds.size(), 3u);
    ASSERT_EQ(ship.State.CalcData.Flood.HoldStrength.size(), 3u);
    for (const kv::fldtkinfo_rec& h : ship.State.CalcData.Flood.Holds) EXPECT_TRUE(h.Computed);
}
