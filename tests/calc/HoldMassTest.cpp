#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "HoldFixture.h"
#include "calc/HoldMass.h"

using kv::Extended;
using kv::KvState;

namespace {

std::vector<kv::masspoint_rec> Curve(const std::vector<std::pair<long double, long double>>& pts) {
    std::vector<kv::masspoint_rec> c;
    for (auto [d, m] : pts) {
        kv::masspoint_rec p;
        p.Draft = d;
        p.Mass = m;
        c.push_back(p);
    }
    return c;
}

// Flat limits [min, max] for every hold, one hold and pairs, SEA and PORT.
void SetFlatLimits(KvState& s, long double oneMin, long double oneMax, long double twoMin, long double twoMax) {
    s.ShipInfo.ShipTables.CargoMassList.assign(3, kv::cargomass_rec{});
    for (auto& rec : s.ShipInfo.ShipTables.CargoMassList)
        for (int k = 0; k < 2; ++k) {
            rec.OneHold[size_t(k)].MaxCurve = Curve({{0, oneMax}, {10, oneMax}});
            rec.OneHold[size_t(k)].MinCurve = Curve({{0, oneMin}, {10, oneMin}});
            rec.TwoHolds[size_t(k)].MaxCurve = Curve({{0, twoMax}, {10, twoMax}});
            rec.TwoHolds[size_t(k)].MinCurve = Curve({{0, twoMin}, {10, twoMin}});
        }
}

void SetOption(KvState& s, int option, bool on) { s.ShipInfo.Options[size_t(option)].Enabled = on ? 1 : 0; }

// Cargo planned in the grid for hold h: volume x density.
void Plan(KvState& s, int h, long double volume, long double density = 1) {
    s.LoadData.Loads[1].Items[size_t(h)].Volume = volume;
    s.LoadData.Loads[1].Items[size_t(h)].Density = density;
}

kv::container_rec Box(float weight, long double lcg) {
    kv::container_rec c;
    c.weight = weight;
    c.lcg = lcg;
    c.aft_x = lcg - 3;
    c.fwd_x = lcg + 3;
    return c;
}

}  // namespace

// The limits along a curve: interpolated inside, extrapolated from the first
// or last pair outside, 0 for a negative value or a curve of one point; the
// mode and the condition choose the curve.
TEST(HoldMassLimits, InterpolatesExtrapolatesAndClampsAtZero) {
    KvState s = kvtest::MakeHoldState();
    s.ShipInfo.ShipTables.CargoMassList.assign(3, kv::cargomass_rec{});
    auto& rec = s.ShipInfo.ShipTables.CargoMassList[1];
    rec.OneHold[0].MaxCurve = Curve({{2, 1000}, {4, 1400}, {6, 1600}});
    rec.OneHold[0].MinCurve = Curve({{2, 300}, {4, 100}});
    rec.OneHold[1].MaxCurve = Curve({{2, 2000}, {6, 2400}});
    rec.TwoHolds[0].MaxCurve = Curve({{0, 5000}, {10, 6000}});
    rec.TwoHolds[0].MinCurve = Curve({{5, 700}});

    struct Case {
        int mode, cond;
        long double draft, max, min;
    };
    const Case cases[] = {
        {0, 0, 3, 1200, 200},   // inside the first segment
        {0, 0, 5, 1500, 0},     // second max segment; min 300 - 100 x 1.5 < 0
        {0, 0, 2, 1000, 300},   // on the first point
        {0, 0, 1, 800, 400},    // below: from the first two points
        {0, 0, 7, 1700, 0},     // above: from the last two points
        {0, 0, 6, 1600, 0},     // on the last point
        {0, 0, -10, 0, 1500},   // max extrapolated below zero
        {0, 1, 4, 2200, 0},     // PORT curves; no PORT min curve
        {1, 0, 5, 5500, 0},     // pair curves; a one-point curve gives 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " cond " << c.cond << " draft " << double(c.draft));
        const kv::HoldMassLimit lim = kv::HoldMassLimits(s, 1, c.mode, c.cond, c.draft);
        EXPECT_NEAR(double(lim.Max), double(c.max), 1e-9);
        EXPECT_NEAR(double(lim.Min), double(c.min), 1e-9);
    }
    // A hold without curves, or beyond the list.
    EXPECT_EQ(kv::HoldMassLimits(s, 0, 0, 0, 5).Max, 0);
    EXPECT_EQ(kv::HoldMassLimits(s, 7, 0, 0, 5).Max, 0);
}

// Containers and cargo items belong to the hold whose (aft, fore] holds their
// LCG or mid-length: one on a bulkhead is counted once, in the hold aft of it.
TEST(HoldMass, ContainersAndCargoItemsOnABulkheadCountOnce) {
    KvState s = kvtest::MakeHoldState();
    s.LoadData.BayLists = {{Box(10, 20), Box(20, 30)}, {Box(40, 40), Box(80, 50.5L)}, {Box(160, 95)}};
    EXPECT_DOUBLE_EQ(double(kv::ContainerMassInHold(s, 0)), 20 + 40);  // not the box at its aft end x = 20
    EXPECT_DOUBLE_EQ(double(kv::ContainerMassInHold(s, 1)), 80);       // the box at x = 40 is hold 1's
    EXPECT_DOUBLE_EQ(double(kv::ContainerMassInHold(s, 2)), 0);

    s.LoadData.BaleList = {kvtest::CargoItem(100, 35, 45),            // mid 40: the fore end of H1
                           kvtest::CargoItem(200, 38, 44),            // mid 41
                           kvtest::CargoItem(400, 30.000004L, 50),    // mid 40.000002: H1 within tolerance
                           kvtest::CargoItem(800, 10, 30.00001L)};    // mid 20.000005: on H1's aft end, in no hold
    EXPECT_DOUBLE_EQ(double(kv::CargoItemMassInHold(s, 0)), 100 + 400);
    EXPECT_DOUBLE_EQ(double(kv::CargoItemMassInHold(s, 1)), 200);
    EXPECT_DOUBLE_EQ(double(kv::CargoItemMassInHold(s, 5)), 0);
}

// Water under a hold: the mark -1 counts only up to the hold floor once the
// water stands that high, a positive mark caps the volume, 0 keeps the tank
// out; the volume is spread over the tank's length and the part under the
// hold counted at the water's density.
TEST(HoldMass, TankMassUnderHold) {
    KvState s = kvtest::MakeHoldState();
    kvtest::AddBallast(s, 30, 50, -1, 250, 5);      // 5 m of water; the floor at 2 m holds 100 m3
    kvtest::AddBallast(s, 60, 70, 80, 120, 2.4L);   // capped at 80 m3
    kvtest::AddBallast(s, 20, 80, 0, 300, 6);       // not under a hold
    kvtest::AddBallast(s, 70, 80, -1, 40, 0.8L, 1.0L);  // below the floor: its own 40 m3
    kvtest::AddBallast(s, 55, 55, 50, 40, 1);       // no length: nothing
    EXPECT_NEAR(double(kv::TankMassUnderHold(s, 0)), 100.0 / 20 * 10 * 1.025, 1e-9);
    EXPECT_NEAR(double(kv::TankMassUnderHold(s, 1)), 100.0 / 20 * 10 * 1.025, 1e-9);
    EXPECT_NEAR(double(kv::TankMassUnderHold(s, 2)), 80 * 1.025 + 40 * 1.0, 1e-9);
    EXPECT_TRUE(std::isfinite(double(kv::HoldMass(s, 1))));
}

// The hold mass of the cycle adds containers, cargo items, the cargo
// compartments inside the hold and the water under it; the drafts follow the
// trim over each hold's length.
TEST(HoldMass, CycleValuesSumEverySourceAndFollowTheTrim) {
    KvState s = kvtest::MakeHoldState();
    s.CalcData.Trim = 1;  // by the head
    s.CalcData.DraftMean = 5;
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 0, 3000});
    s.LoadData.BayLists = {{Box(25, 65)}};
    s.LoadData.BaleList = {kvtest::CargoItem(50, 62, 68)};
    kvtest::AddBallast(s, 60, 80, 100, 300, 6);
    kv::UpdateHoldMassValues(s);
    ASSERT_EQ(s.Calc.HoldDrafts.size(), 3u);
    ASSERT_EQ(s.Calc.HoldMassValues.size(), 3u);
    EXPECT_NEAR(double(s.Calc.HoldDrafts[0]), 4.8, 1e-12);
    EXPECT_NEAR(double(s.Calc.HoldDrafts[1]), 5.0, 1e-12);
    EXPECT_NEAR(double(s.Calc.HoldDrafts[2]), 5.2, 1e-12);
    EXPECT_DOUBLE_EQ(double(s.Calc.HoldMassValues[0]), 1000);
    EXPECT_DOUBLE_EQ(double(s.Calc.HoldMassValues[1]), 0);
    EXPECT_NEAR(double(s.Calc.HoldMassValues[2]), 3000 + 25 + 50 + 100 * 1.025, 1e-9);
    EXPECT_TRUE(s.Calc.AltHoldLoading);
}

// Alternate loading: a loaded hold next to one whose load is exactly 0.
TEST(HoldMass, AlternateHoldLoadingFlag) {
    struct Case {
        std::vector<long double> w;
        bool alt;
    };
    const Case cases[] = {
        {{500, 0, 500}, true}, {{500, 500, 500}, false}, {{0, 0, 0}, false},
        {{0, 500, 500}, true}, {{500, 500, 0}, true},    {{500, 1e-9L, 500}, false},
    };
    for (const Case& c : cases) {
        KvState s = kvtest::MakeHoldState();
        kvtest::SetHoldWeights(s, s.CalcData, c.w);
        EXPECT_EQ(kv::ComputeAltHoldLoading(s), c.alt)
            << double(c.w[0]) << " " << double(c.w[1]) << " " << double(c.w[2]);
    }
    // A compartment is owned by the hold its mid-length lies in, not by its
    // index: the second compartment moved into the third hold leaves the
    // second hold empty.
    KvState s = kvtest::MakeHoldState();
    kvtest::SetHoldWeights(s, s.CalcData, {500, 500, 500});
    s.TankGroup.Groups[1].Tanks[1].AftEnd = 62;
    s.TankGroup.Groups[1].Tanks[1].ForeEnd = 70;
    EXPECT_TRUE(kv::ComputeAltHoldLoading(s));
}

TEST(HoldMass, OverallCheck) {
    KvState s = kvtest::MakeHoldState();
    SetFlatLimits(s, 100, 2000, 300, 3000);
    // Off: true whatever the masses.
    kvtest::SetHoldWeights(s, s.CalcData, {5000, 0, 0});
    EXPECT_TRUE(kv::CheckAllHoldMasses(s));
    SetOption(s, kv::OptionCargoMassLimits, true);
    EXPECT_FALSE(kv::CheckAllHoldMasses(s));

    struct Case {
        std::vector<long double> w;
        bool ok;
        const char* why;
    };
    const Case cases[] = {
        {{1000, 1400, 1000}, true, "all within"},
        {{2100, 500, 500}, false, "hold above its maximum"},
        {{50, 500, 500}, false, "hold below its minimum"},
        {{1600, 1600, 1000}, false, "pair above its maximum"},
        {{1000, 1000, 100}, true, "the last hold heads no pair (100 t < pair minimum)"},
    };
    for (const Case& c : cases) {
        kvtest::SetHoldWeights(s, s.CalcData, c.w);
        EXPECT_EQ(kv::CheckAllHoldMasses(s), c.ok) << c.why;
    }

    // The condition selector picks the PORT curves; a hold without curves
    // fails any positive mass.
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 1400, 1000});
    s.ShipInfo.ShipTables.CargoMassList[1].OneHold[1].MaxCurve = Curve({{0, 1300}, {10, 1300}});
    EXPECT_TRUE(kv::CheckAllHoldMasses(s));
    s.LoadData.VoyageCond = kv::ConditionPort;
    EXPECT_FALSE(kv::CheckAllHoldMasses(s));
    s.LoadData.VoyageCond = kv::ConditionSea;
    s.ShipInfo.ShipTables.CargoMassList[2] = kv::cargomass_rec{};
    EXPECT_FALSE(kv::CheckAllHoldMasses(s));
}

// The check of an edited hold: each broken limit makes a line, the question
// ends with "proceed anyway ?", and No rejects the edit.
TEST(HoldMassConfirm, OneHoldLinesAndAnswers) {
    KvState s = kvtest::MakeHoldState();
    kv::RecordingSink sink;
    s.Messages = &sink;
    SetFlatLimits(s, 1234.5L, 2000, 0, 0);
    Plan(s, 1, 1000);
    sink.answers = {kv::MsgAnswer::No, kv::MsgAnswer::Yes};
    EXPECT_FALSE(kv::ConfirmHoldMass(s, 1, 0, 0));
    EXPECT_TRUE(kv::ConfirmHoldMass(s, 1, 0, 0));
    ASSERT_EQ(sink.questions.size(), 2u);
    EXPECT_EQ(sink.questions[0], "Minimum weight of hold 2 is 1234.5 (Mt)\n\rproceed anyway ?");

    // Both limits broken at once (a minimum above the maximum), the limits
    // read at the hold's draft.
    s.ShipInfo.ShipTables.CargoMassList[0].OneHold[0].MinCurve = Curve({{4, 900}, {6, 1100}});
    s.ShipInfo.ShipTables.CargoMassList[0].OneHold[0].MaxCurve = Curve({{4, 700}, {6, 900}});
    s.Calc.HoldDrafts = {5.5L, 5, 5};
    Plan(s, 0, 850, 1.2L);  // 1020 t
    sink.answers = {kv::MsgAnswer::No};
    EXPECT_FALSE(kv::ConfirmHoldMass(s, 0, 0, 0));
    EXPECT_EQ(sink.questions.back(),
              "Minimum weight of hold 1 is 1050.0 (Mt)\n\rMaximum weight of hold 1 is 850.0 (Mt)\n\rproceed anyway ?");

    // Within limits, or without curves (limits 0): no question.
    const size_t asked = sink.questions.size();
    Plan(s, 1, 1500);
    EXPECT_TRUE(kv::ConfirmHoldMass(s, 1, 0, 0));
    s.ShipInfo.ShipTables.CargoMassList[2] = kv::cargomass_rec{};
    Plan(s, 2, 5000);
    EXPECT_TRUE(kv::ConfirmHoldMass(s, 2, 0, 0));
    EXPECT_EQ(sink.questions.size(), asked);

    // Nobody to ask: a broken limit is not accepted.
    s.Messages = nullptr;
    Plan(s, 1, 100);
    EXPECT_FALSE(kv::ConfirmHoldMass(s, 1, 0, 0));
}

// Adjacent holds: the pair with the next hold, and for a hold between two
// others also the pair with the previous one, judged with the previous hold's
// pair curves at the mean draft of the edited hold and the next.
TEST(HoldMassConfirm, AdjacentHoldsPairs) {
    KvState s = kvtest::MakeHoldState();
    kv::RecordingSink sink(kv::MsgAnswer::Yes);
    s.Messages = &sink;
    SetFlatLimits(s, 0, 5000, 0, 3000);
    // Pair (1+2) maximum rises with the draft: 2000 t at 4 m, 3000 t at 6 m.
    s.ShipInfo.ShipTables.CargoMassList[0].TwoHolds[0].MaxCurve = Curve({{4, 2000}, {6, 3000}});
    s.Calc.HoldDrafts = {4, 5, 6};
    Plan(s, 0, 1000);
    Plan(s, 1, 1300);
    Plan(s, 2, 1800);

    // Hold 1: pair (1+2) at (4 + 5)/2 = 4.5 m -> 2250 t < 2300 t.
    EXPECT_TRUE(kv::ConfirmHoldMass(s, 0, 1, 0));
    ASSERT_EQ(sink.questions.size(), 1u);
    EXPECT_EQ(sink.questions[0], "Maximum weight of hold (1+2) is 2250.0 (Mt)\n\rproceed anyway ?");

    // Hold 2: pair (2+3) 3100 t > 3000 t; pair (1+2) with hold 1's curve at
    // the mean of holds 2 and 3, 5.5 m -> 2750 t: within. No blank after "hold".
    sink.answers = {kv::MsgAnswer::No};
    EXPECT_FALSE(kv::ConfirmHoldMass(s, 1, 1, 0));
    EXPECT_EQ(sink.questions.back(), "Maximum weight of hold(2+3) is 3000.0 (Mt)\n\rproceed anyway ?");
    // Raising hold 2 breaks both pairs (1+2: 2800 > 2750).
    Plan(s, 1, 1800);
    EXPECT_TRUE(kv::ConfirmHoldMass(s, 1, 1, 0));
    EXPECT_EQ(sink.questions.back(),
              "Maximum weight of hold(2+3) is 3000.0 (Mt)\n\rMaximum weight of hold(1+2) is 2750.0 (Mt)\n\r"
              "proceed anyway ?");

    // The last hold heads no pair: the edit stands without a question.
    const size_t asked = sink.questions.size();
    Plan(s, 2, 9000);
    EXPECT_TRUE(kv::ConfirmHoldMass(s, 2, 1, 0));
    EXPECT_EQ(sink.questions.size(), asked);
}

// What the cargo grid asks: nothing with the option off, the menu on "None"
// or a hold in "E.BALLAST"; the menu chooses one hold or adjacent holds.
TEST(HoldMassConfirm, EditCheckFollowsTheMenuAndTheOption) {
    KvState s = kvtest::MakeHoldState();
    kv::RecordingSink sink(kv::MsgAnswer::No);
    s.Messages = &sink;
    SetFlatLimits(s, 0, 1000, 0, 1500);
    Plan(s, 0, 1200);  // above the one-hold and the pair maximum
    s.Calc.HoldMassCheckMode = 1;

    EXPECT_TRUE(kv::CheckEditedHoldMass(s, 0));  // option off
    SetOption(s, kv::OptionCargoMassLimits, true);
    s.Calc.HoldMassCheckMode = 0;
    EXPECT_TRUE(kv::CheckEditedHoldMass(s, 0));  // "None"
    s.Calc.HoldMassCheckMode = 1;
    s.LoadData.Loads[1].Items[2].CargoType = kv::CargoEBallast;
    EXPECT_TRUE(kv::CheckEditedHoldMass(s, 0));  // a hold in ballast
    EXPECT_TRUE(sink.questions.empty());

    s.LoadData.Loads[1].Items[2].CargoType = kv::CargoBulk;
    EXPECT_FALSE(kv::CheckEditedHoldMass(s, 0));
    EXPECT_EQ(sink.questions.back(), "Maximum weight of hold 1 is 1000.0 (Mt)\n\rproceed anyway ?");
    s.Calc.HoldMassCheckMode = 2;
    Plan(s, 0, 1100);
    Plan(s, 1, 500);
    EXPECT_FALSE(kv::CheckEditedHoldMass(s, 0));
    EXPECT_EQ(sink.questions.back(), "Maximum weight of hold (1+2) is 1500.0 (Mt)\n\rproceed anyway ?");
    // The condition selector reaches the curves: PORT without curves asks nothing.
    s.LoadData.VoyageCond = kv::ConditionPort;
    for (auto& rec : s.ShipInfo.ShipTables.CargoMassList) rec.TwoHolds[1] = kv::massminmaxinfo_rec{};
    EXPECT_TRUE(kv::CheckEditedHoldMass(s, 0));
}

// The dialog counts only the cargo items and the water under each hold.
TEST(HoldMassDialog, RowsAndChart) {
    KvState s = kvtest::MakeHoldState();
    SetFlatLimits(s, 100, 1000, 200, 1500);
    s.ShipInfo.ShipTables.CargoMassList[0].OneHold[0].MaxCurve = Curve({{2, 800}, {8, 1100}});
    s.Calc.HoldDrafts = {4.25L, 5, 5.5L};
    kvtest::SetHoldWeights(s, s.CalcData, {5000, 5000, 5000});  // not counted here
    s.LoadData.BayLists = {{Box(3000, 30)}};                      // nor this
    s.LoadData.BaleList = {kvtest::CargoItem(950, 25, 35), kvtest::CargoItem(50, 45, 55)};
    kvtest::AddBallast(s, 60, 80, 40, 60, 1, 1.0L);

    kv::CargoMassDialogData one = kv::CargoMassDialog(s, 0, 0);
    EXPECT_EQ(one.Caption, "Max and Min allowable mass of cargo");
    ASSERT_EQ(one.Rows.size(), 3u);
    EXPECT_EQ(one.Rows[0].Name, "NO. 1 HOLD");
    EXPECT_EQ(one.Rows[0].Draft, "4.25");
    EXPECT_EQ(one.Rows[0].Min, "100.00");
    EXPECT_EQ(one.Rows[0].Mass, "950.000");
    EXPECT_EQ(one.Rows[0].Max, "912.50");
    EXPECT_EQ(one.Rows[0].Judge, "NO");
    EXPECT_TRUE(one.Rows[0].Red);
    EXPECT_EQ(one.Rows[1].Judge, "NO");  // 50 t below the minimum
    EXPECT_EQ(one.Rows[2].Mass, "40.000");
    EXPECT_EQ(one.Title, "NO. 1 CARGO HOLD ALLOWABLE MASS");
    EXPECT_EQ(one.MaxText, "Maximum cargo mass 1100.0 t at full draft");
    ASSERT_EQ(one.MaxCurve.size(), 2u);
    EXPECT_DOUBLE_EQ(one.MaxCurve[1].X, 8);
    EXPECT_DOUBLE_EQ(one.MaxCurve[1].Y, 1100);
    EXPECT_EQ(one.CurrentLabel, "(4.250,950.0)");

    kv::CargoMassDialogData two = kv::CargoMassDialog(s, 1, 1);
    ASSERT_EQ(two.Rows.size(), 2u);
    EXPECT_EQ(two.Rows[0].Name, "NO. 1&2 HOLD");
    EXPECT_EQ(two.Rows[0].Mass, "1000.000");
    EXPECT_EQ(two.Rows[0].Judge, "OK");
    EXPECT_FALSE(two.Rows[0].Red);
    EXPECT_EQ(two.Rows[1].Draft, "5.25");
    EXPECT_EQ(two.Rows[1].Mass, "90.000");
    EXPECT_EQ(two.Rows[1].Judge, "NO");
    EXPECT_EQ(two.Title, "NO. 2 & 3 CARGO HOLD ALLOWABLE MASS");
    EXPECT_EQ(two.CurrentLabel, "(5.250,90.0)");
}
