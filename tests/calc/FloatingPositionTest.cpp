// The trim search over the hydrostatic table, the hydrostatics at the trim
// found, drafts and draft marks, and the hydrostatic table dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "CycleFixture.h"
#include "calc/FloatingPosition.h"
#include "calc/HydroTableDialogLogic.h"

using kvtest::BoxBarge;
using kvtest::CycleShip;

namespace {

double Foot(double x, double z, double trim, double lbp) {
    const double s = std::tan(trim / lbp);
    return std::fabs(x + z * s) / std::sqrt(1 + s * s);
}

double Read(const kv::xyztable_rec& t, const char* col, double trim, double disp, kv::TableLookupState& st) {
    kv::Extended v = 0;
    EXPECT_TRUE(kv::GetTableValue(t, col, "DISP", kv::FloatToStr(trim), disp, v, true, true, st));
    return double(v);
}

// Puts G on the normal to the waterline of the given trim through B, h above it.
void GAboveB(double lcb, double vcb, double trim, double lbp, double h, double& lcg, double& vcg) {
    const double s = std::tan(trim / lbp), n = std::sqrt(1 + s * s);
    lcg = lcb - h * s / n;
    vcg = vcb + h / n;
}

}  // namespace

TEST(FloatingPosition, GOnTheNormalThroughBAtATabulatedTrimFloatsAtThatTrim) {
    CycleShip ship;
    const kv::xyztable_rec& t = ship.State.ShipInfo.ShipTables.HydroTable();
    kv::TableLookupState st;
    // On a tabulated displacement and between two; at every layer, the ends included.
    for (double disp : {ship.Box.DispAt(4), ship.Box.DispAt(6.3)})
        for (double trim : {-2.0, -1.0, 0.0, 1.0, 2.0})
            for (double h : {0.5, 6.0}) {
                double lcg = 0, vcg = 0;
                GAboveB(Read(t, "LCB", trim, disp, st), Read(t, "VCB", trim, disp, st), trim, 100, h, lcg, vcg);
                kv::Extended found = 99;
                ASSERT_TRUE(kv::FindEquilibriumTrim(t, 100, disp, lcg, vcg, found, st))
                    << "disp " << disp << " trim " << trim;
                EXPECT_NEAR(double(found), trim, 1e-9) << "disp " << disp << " h " << h;
            }
}

TEST(FloatingPosition, TrimBetweenLayersPutsGAndBOnOneNormal) {
    CycleShip ship;
    const BoxBarge& box = ship.Box;
    for (double T : {2.0, 4.0, 7.5})
        for (double trim : {-1.7, -0.4, 0.25, 1.6}) {
            double lcg = 0, vcg = 0;
            GAboveB(box.LCB(T, trim), box.VCB(T, trim), trim, box.L, 4.0, lcg, vcg);
            kv::calcdata_rec& c = ship.State.CalcData;
            c.Displacement = c.DisplacementSW = box.DispAt(T);
            c.LCG = lcg;
            c.VCG = vcg;
            kv::FloatingPosition(ship.State);
            EXPECT_NEAR(double(c.Trim), trim, 0.01) << "T " << T;
            // B as read at the trim found stands on the normal through G.
            EXPECT_NEAR(Foot(lcg, vcg, double(c.Trim), box.L), Foot(double(c.LCB), double(c.VCB), double(c.Trim), box.L),
                        0.01)
                << "T " << T << " trim " << trim;
            EXPECT_NEAR(double(c.DraftFP - c.DraftAP), double(c.Trim), 1e-12);
            EXPECT_NEAR(double(c.DraftMean), T, 0.01);
        }
}

TEST(FloatingPosition, EvenKeelGivesTheTabulatedDraftEverywhere) {
    CycleShip ship;
    kv::calcdata_rec& c = ship.State.CalcData;
    c.Displacement = c.DisplacementSW = ship.Box.DispAt(5);
    c.LCG = ship.Box.LCB(5, 0);
    c.VCG = 8;
    kv::FloatingPosition(ship.State);
    EXPECT_NEAR(double(c.Trim), 0, 1e-12);
    EXPECT_NEAR(double(c.DraftAP), 5, 1e-9);
    EXPECT_NEAR(double(c.DraftMean), 5, 1e-9);
    EXPECT_NEAR(double(c.DraftFP), 5, 1e-9);
    EXPECT_NEAR(double(c.KMT), ship.Box.KMT(5, 0), 1e-9);
    EXPECT_FALSE(ship.State.Tables.TableRangeExceeded);
}

// Beyond the trim layers (and on a single-layer table) the trim comes from
// the moment to change trim at zero trim, and the waterline turns about the
// centre of flotation, so the draft there stays the tabulated one.
TEST(FloatingPosition, OutsideTheLayersTheTrimComesFromTheMomentToChangeTrim) {
    struct Case {
        std::vector<double> trims;
        double lcf, lcgShift, density;
    };
    const Case cases[] = {
        {{-1, 0, 1}, 50, 6.0, 1.025},   // far by the head
        {{-1, 0, 1}, 42, -6.0, 1.025},  // far by the stern, LCF aft of midship
        {{0}, 45, 0.3, 1.025},          // single layer: always the formula
        {{0}, 45, 0.3, 1.0},            // the formula takes the displacement itself
    };
    for (const Case& k : cases) {
        CycleShip ship(k.trims);
        ship.State.ShipInfo.ShipTables.HydroTable() = ship.Box.HydroTable(k.trims, kvtest::Drafts(1, 9, 0.5), k.lcf);
        kv::calcdata_rec& c = ship.State.CalcData;
        const double T = 4;
        c.DisplacementSW = ship.Box.DispAt(T);
        c.Displacement = c.DisplacementSW * k.density / 1.025;
        c.LCG = ship.Box.LCB(T, 0) + k.lcgShift;
        c.VCG = 6;
        kv::FloatingPosition(ship.State);
        const double expected = k.lcgShift * double(c.Displacement) / (100 * ship.Box.MTC(T));
        EXPECT_NEAR(double(c.Trim), expected, 1e-9) << "lcf " << k.lcf;
        const double atLcf = double(c.DraftAP) + k.lcf * double(c.Trim) / 100;
        EXPECT_NEAR(atLcf, T, 1e-9) << "lcf " << k.lcf;
        EXPECT_NEAR(double(c.DraftFP - c.DraftAP), double(c.Trim), 1e-12);
        EXPECT_NEAR(double(c.DraftMean), (double(c.DraftAP) + double(c.DraftFP)) / 2, 1e-12);
    }
}

TEST(FloatingPosition, DegenerateTablesAndShipsGiveFiniteResults) {
    // No moment to change trim: the ship is taken on an even keel.
    {
        CycleShip ship({0});
        kv::xyztable_rec& t = ship.State.ShipInfo.ShipTables.HydroTable();
        for (auto& v : t.Values[1][8]) v = 0;
        kv::calcdata_rec& c = ship.State.CalcData;
        c.Displacement = c.DisplacementSW = ship.Box.DispAt(3);
        c.LCG = 70;
        c.VCG = 5;
        kv::FloatingPosition(ship.State);
        EXPECT_EQ(double(c.Trim), 0);
        EXPECT_NEAR(double(c.DraftAP), 3, 1e-9);
    }
    // No length between perpendiculars: no slope, no search, no division.
    {
        CycleShip ship;
        ship.State.ShipInfo.LBP = 0;
        kv::calcdata_rec& c = ship.State.CalcData;
        c.Displacement = c.DisplacementSW = ship.Box.DispAt(3);
        c.LCG = 55;
        c.VCG = 5;
        kv::Extended trim = 7;
        EXPECT_FALSE(kv::FindEquilibriumTrim(ship.State.ShipInfo.ShipTables.HydroTable(), 0, c.DisplacementSW, c.LCG,
                                             c.VCG, trim, ship.State.Tables));
        EXPECT_EQ(double(trim), 7);
        kv::FloatingPosition(ship.State);
        for (kv::Extended v : {c.Trim, c.DraftAP, c.DraftFP, c.DraftMean, c.DraftAtLCF, c.MarkDraftAft})
            EXPECT_TRUE(std::isfinite(double(v)));
    }
    // No hydrostatic table at all.
    {
        CycleShip ship;
        ship.State.ShipInfo.ShipTables.HydroTable() = kv::xyztable_rec{};
        kv::calcdata_rec& c = ship.State.CalcData;
        c.Displacement = c.DisplacementSW = 5000;
        c.LCG = 55;
        kv::FloatingPosition(ship.State);
        EXPECT_EQ(double(c.Trim), 0);
        EXPECT_EQ(double(c.DraftMean), 0);
    }
}

TEST(FloatingPosition, DisplacementBeyondTheTableIsExtrapolatedAndFlagged) {
    CycleShip ship;
    const kv::xyztable_rec& t = ship.State.ShipInfo.ShipTables.HydroTable();
    struct Case {
        double draft;
        bool flagged;
    };
    for (Case k : {Case{0.6, true}, Case{3.3, false}, Case{9.8, true}}) {
        kv::TableLookupState st;
        kv::calcdata_rec r;
        kv::ReadHydrostatics(t, 100, r, ship.Box.DispAt(k.draft), 0.5, st);
        EXPECT_EQ(st.TableRangeExceeded, k.flagged) << k.draft;
        EXPECT_NEAR(double(r.DraftMean), k.draft, 1e-9);  // the draft is linear in the displacement
        EXPECT_NEAR(double(r.TPC), ship.Box.TPC(), 1e-9);
        EXPECT_NEAR(double(r.DraftAtLCF), k.draft, 1e-9);  // LCF amidships
    }
}

TEST(FloatingPosition, DraftMarkReadings) {
    struct Case {
        std::array<double, 3> mark;
        double ref, trim, expected;
    };
    const Case cases[] = {
        {{-3.6, -2.4, 6.0}, 7.0, 1.0, 7.0 - 2.4 / 100 + 0.02},  // above the change-over: second position
        {{-3.6, -2.4, 6.0}, 5.0, 1.0, 5.0 - 3.6 / 100 + 0.02},  // below it: first position
        {{-3.6, -2.4, 6.0}, 6.0, 1.0, 6.0 - 3.6 / 100 + 0.02},  // at it: first position
        {{3.2, 9.9, 0.0}, 7.0, -2.0, 7.0 - 6.4 / 100 + 0.02},   // no change-over: always the first
        {{0.0, 0.0, 0.0}, 4.0, 3.0, 4.02},
    };
    for (const Case& k : cases)
        EXPECT_NEAR(double(kv::MarkDraftReading(k.mark, k.ref, k.trim, 100, 0.02)), k.expected, 1e-12)
            << k.ref << " " << k.mark[0];
}

TEST(HydroTableDialog, ListsFollowTheLayersAndTheTrimSign) {
    CycleShip ship({-1, 0, 1.5});
    ship.State.ShipInfo.TrimSign = -1;
    kv::HydroDialogLists l = kv::HydroDialogCreate(ship.State.ShipInfo);
    EXPECT_EQ(l.TrimItems, (std::vector<std::string>{"1.000", "0.000", "-1.500"}));
    EXPECT_TRUE(l.TrimEnabled);
    ASSERT_EQ(l.Items.size(), 8u);
    EXPECT_EQ(l.Items[0], "DISP");
    EXPECT_EQ(l.ItemIndex, 1);
    EXPECT_TRUE(l.ItemEnabled);

    CycleShip single({0});
    single.State.ShipInfo.ShipTables.HydroTable().LayerHeads[1].set("EVEN KEEL");
    l = kv::HydroDialogCreate(single.State.ShipInfo);
    EXPECT_EQ(l.TrimItems, (std::vector<std::string>{"EVEN KEEL"}));
    EXPECT_FALSE(l.TrimEnabled);

    single.State.ShipInfo.ShipTables.HydroTable() = kv::xyztable_rec{};
    l = kv::HydroDialogCreate(single.State.ShipInfo);
    EXPECT_FALSE(l.ItemEnabled);
    EXPECT_EQ(l.ItemIndex, -1);
}

TEST(HydroTableDialog, CalcReadsEveryColumnAtTheDisplayedTrim) {
    CycleShip ship;
    kv::shipinfo_rec& s = ship.State.ShipInfo;
    s.TrimSign = -1;
    s.LongRefMidship = 1;
    kv::HydroDialogInput in;
    in.Trim = 1;  // shown by the stern with this sign: the table's -1 layer
    in.ByDraft = true;
    in.Draft = 4;
    in.Disp = 1;  // not used when the draft is chosen
    kv::TableLookupState st;
    std::vector<kv::HydroDialogValue> v = kv::HydroDialogCalc(s, in, st);
    ASSERT_EQ(v.size(), 8u);
    EXPECT_NEAR(double(v[0].Value), ship.Box.DispAt(4), 1e-6);
    EXPECT_EQ(v[3].Name, "LCB");
    EXPECT_NEAR(double(v[3].Value), ship.Box.LCB(4, -1), 1e-9);
    EXPECT_EQ(v[3].Shown, kv::FormatFloat("0.000", ship.Box.LCB(4, -1) - 50));  // from midship
    EXPECT_EQ(v[2].Shown, kv::FormatFloat("0.000", ship.Box.KMT(4, -1)));      // not a position: as it is
    EXPECT_FALSE(st.TableRangeExceeded);

    in.ByDraft = false;
    in.Disp = ship.Box.DispAt(12);  // beyond the table: held at its end and reported
    v = kv::HydroDialogCalc(s, in, st);
    EXPECT_NEAR(double(v[1].Value), 9, 1e-9);
    EXPECT_TRUE(st.TableRangeExceeded);

    std::vector<std::vector<std::string>> g = kv::HydroDialogGrid(s, 3, v);
    ASSERT_EQ(g.size(), 1 + 17 + 1u);
    EXPECT_EQ(g[0][0], "No");
    EXPECT_EQ(g[0][4], "LCB");
    EXPECT_EQ(g[1][0], "1");
    EXPECT_EQ(g[1][2], "1.000");
    EXPECT_EQ(g.back()[0], "Result");
    EXPECT_EQ(g.back()[2], "9.000");

    kv::HydroCurve h = kv::HydroDialogCurve(s, "KMT", 3, st);
    EXPECT_EQ(h.Caption, "Hydrostatic Curves [KMT]");
    EXPECT_EQ(h.MaxCaption, "Maximum Values of KMT");
    EXPECT_NEAR(double(h.Max), ship.Box.KMT(1, 0), 1e-9);  // the metacentre is highest at the lightest draft
    double lowest = 1e9;
    for (double T : kvtest::Drafts(1, 9, 0.5)) lowest = std::min(lowest, ship.Box.KMT(T, 0));
    EXPECT_NEAR(double(h.Min), lowest, 1e-9);
    ASSERT_EQ(h.Points.size(), 17u);
    EXPECT_NEAR(double(h.Points[0].first), ship.Box.DispAt(1), 1e-6);
}
