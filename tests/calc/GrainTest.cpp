// Grain stability: the static angle of heel and residual area against the
// straight grain heeling arm, the hold moments, the allowable moment table
// and the judged criteria rows.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "calc/Grain.h"
#include "calc/StabProc.h"
#include "numerics/Formats.h"
#include "numerics/GeoSpline.h"
#include "StabFixture.h"

using kv::Extended;
using stabtest::Rad;

namespace {

// A GZ spline through gz(angle) at every 5 degrees from 0 to 80, built the
// way the stability calculation builds its own.
kv::TReal1DArray GZSplineOf(const std::function<double(double)>& gz) {
    kv::TReal1DArray x, y, c;
    for (double a = 0; a <= 80; a += 5) {
        x.push_back(a);
        y.push_back(gz(a));
    }
    kv::BuildCubicSpline(x, y, int(x.size()), 0, 0, 0, 0, c);
    return c;
}

double Arm(double l0, double angle) { return l0 - 0.2 * l0 * angle / 40; }

TEST(GrainArm, StaticAngleAndResidualAreaOnAStraightCurve) {
    // GZ = k * angle is reproduced exactly by the spline and by its chords, so
    // the crossing and the areas have closed forms.
    struct Case {
        double k, lambda0, limit;
    } cases[] = {
        {0.02, 0.30, 60},  // crossing inside a chord, limit above 40
        {0.02, 0.30, 30},  // angle of maximum GZ below 40 ends the area
        {0.03, 0.0, 60},   // no heeling moment: upright, whole area
        {0.0208, 0.26, 60},  // 0.26 / (0.0208 + 0.0013) = 11.764...
        {0.0235, 0.25, 60},  // crossing on a whole degree: 0.25 / 0.025 = 10
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(testing::Message() << "k " << t.k << " lambda0 " << t.lambda0 << " limit " << t.limit);
        const auto c = GZSplineOf([&](double a) { return t.k * a; });
        const double slope = 0.2 * t.lambda0 / 40;
        const double expected = t.lambda0 / (t.k + slope);
        const Extended angle = kv::GrainStaticAngle(c, t.lambda0, 0.8 * t.lambda0);
        EXPECT_NEAR(double(angle), expected, 1e-9);

        const double upper = std::min(40.0, t.limit);
        const double gzArea = t.k / 2 * (upper * upper - expected * expected);
        // The arm's trapezoid starts from lambda0, not from the arm at the
        // static angle: the residual area is the safe (smaller) one.
        const double armArea = (t.lambda0 + Arm(t.lambda0, upper)) / 2 * (upper - expected);
        const double between = (Arm(t.lambda0, expected) + Arm(t.lambda0, upper)) / 2 * (upper - expected);
        const Extended area = kv::GrainResidualArea(c, t.lambda0, 0.8 * t.lambda0, angle, t.limit);
        EXPECT_NEAR(double(area), Rad(gzArea - armArea), 1e-9);
        EXPECT_LE(double(area), Rad(gzArea - between) + 1e-12);
    }
}

TEST(GrainArm, FirstRisingCrossingOnACurvedLever) {
    // A lever that starts above the arm, dips below it and rises again: the
    // falling crossing is passed over, the rising one is the static angle.
    auto gz = [](double a) { return 0.5 - 0.05 * a + 0.002 * a * a; };
    const auto c = GZSplineOf(gz);
    const double l0 = 0.3;
    auto diff = [&](double a) { return gz(a) - Arm(l0, a); };
    // Root of the rising side by bisection on the exact curve.
    double lo = 12.5, hi = 40;
    ASSERT_LT(diff(lo), 0);
    ASSERT_GT(diff(hi), 0);
    for (int i = 0; i < 200; ++i) ((diff((lo + hi) / 2) < 0) ? lo : hi) = (lo + hi) / 2;
    const Extended angle = kv::GrainStaticAngle(c, l0, 0.8 * l0);
    EXPECT_GT(double(angle), 12.5);
    EXPECT_NEAR(double(angle), lo, 0.02);  // chords of one degree on a gentle curve

    // The area from the static angle to 40 degrees against Simpson's rule on
    // the exact curve, less the strip between lambda0 and the arm at the
    // static angle that the arm's trapezoid adds.
    const double strip = Rad((l0 - Arm(l0, double(angle))) * (40 - double(angle)) / 2);
    const double expected = stabtest::AreaRad(diff, double(angle), 40) - strip;
    EXPECT_NEAR(double(kv::GrainResidualArea(c, l0, 0.8 * l0, angle, 50)), expected, 1e-4);
}

TEST(GrainArm, CurveThatNeverMeetsTheArm) {
    // Below the arm throughout (the ship would capsize): no static angle and
    // the (negative) area over the whole range; above it throughout likewise
    // no crossing.
    const auto low = GZSplineOf([](double a) { return 0.001 * a; });
    EXPECT_EQ(kv::GrainStaticAngle(low, 0.5, 0.4), 0);
    const double below = Rad(0.001 / 2 * 1600 - (0.5 + 0.4) / 2 * 40);
    EXPECT_NEAR(double(kv::GrainResidualArea(low, 0.5, 0.4, 0, 90)), below, 1e-9);
    EXPECT_LT(below, 0);

    const auto high = GZSplineOf([](double a) { return 0.6 + 0.001 * a; });
    EXPECT_EQ(kv::GrainStaticAngle(high, 0.5, 0.4), 0);
    EXPECT_EQ(kv::GrainStaticAngle(kv::TReal1DArray{}, 0.5, 0.4), 0);
    EXPECT_EQ(kv::GrainResidualArea(kv::TReal1DArray{}, 0.5, 0.4, 0, 40), 0);
}

// ---- holds, totals and criteria -------------------------------------------

// One hold of load group 1 as the tank contents leave it.
struct Hold {
    int type;           // cargo type of the loading entry
    int mode;           // moment mode
    double weight;      // result weight
    double level;       // result level (maximum 12 m)
    double capacity;    // CapacityPercent
    double sg;          // result density
    double slack = 1.0; // partial-filling factor of the hold
};

constexpr double kMaxLevel = 12;
// Hold grain table: GSM(u) = 300 + 100 u, VCG(u) = 10 - u / 2 over ullages 0..12.
double SlackGSM(double u) { return 300 + 100 * u; }
double SlackVCG(double u) { return 10 - 0.5 * u; }

kv::tank_rec HoldRecord(double slack) {
    kv::tank_rec t;
    t.MaxLevel = kMaxLevel;
    t.FullGSM1 = 1000;
    t.FullGSM2 = 1500;
    t.GrainVCG1 = 8;
    t.GrainVCG2 = 8.5;
    t.MaxGSM = 2500;
    t.SlackFactor = slack;
    t.OptTables[0] = stabtest::MakeTable({"ULLAGE", "GSM", "VCG"}, {"0"}, 2, [](int, int j, int r) {
        const double u = r == 1 ? 0 : kMaxLevel;
        return j == 1 ? u : j == 2 ? SlackGSM(u) : SlackVCG(u);
    });
    return t;
}

void SetHolds(kv::KvState& s, const std::vector<Hold>& holds) {
    auto& tanks = s.TankGroup.Groups[1].Tanks;
    auto& results = s.CalcData.Summaries[2].Items;
    auto& loads = s.LoadData.Loads[1].Items;
    tanks.clear();
    results.assign(holds.size(), {});
    loads.assign(holds.size(), {});
    for (size_t i = 0; i < holds.size(); ++i) {
        const Hold& h = holds[i];
        tanks.push_back(HoldRecord(h.slack));
        loads[i].CargoType = h.type;
        loads[i].MomentMode = h.mode;
        results[i].Weight = h.weight;
        results[i].Level = h.level;
        results[i].CapacityPercent = h.capacity;
        results[i].SG = h.sg;
    }
}

using kv::CargoBale;
using kv::CargoBulk;
using kv::CargoTGrain;
using kv::CargoUGrain;
using kv::MomentActual;
using kv::MomentMaximum;
using kv::MomentZero;

TEST(GrainHolds, MomentsByFillingKindAndMode) {
    struct Case {
        const char* what;
        Hold hold;
        double ullage, vcg, volumetric;  // expected; heeling moment = volumetric * sg
    } cases[] = {
        {"trimmed full", {CargoTGrain, MomentActual, 5000, 12, 100, 0.8}, 0, 8, 1000},
        {"untrimmed full", {CargoUGrain, MomentActual, 5000, 11.5, 100, 0.75}, 0.5, 8.5, 1500},
        {"full within tolerance", {CargoTGrain, MomentActual, 5000, 12, 99.999999, 0.8}, 0, 8, 1000},
        {"slack", {CargoTGrain, MomentActual, 3000, 7, 60, 0.8}, 5, 7.5, 800},
        {"slack untrimmed", {CargoUGrain, MomentActual, 2000, 4, 40, 0.7}, 8, 6, 1100},
        {"maximum", {CargoTGrain, MomentMaximum, 3000, 7, 60, 0.8}, 5, 7.5, 2500},
        {"zero", {CargoUGrain, MomentZero, 5000, 12, 100, 0.8}, 0, 8.5, 0},
        {"bale", {CargoBale, MomentActual, 5000, 12, 100, 0.8}, 0, 0, 0},
        {"bulk", {CargoBulk, MomentActual, 5000, 12, 100, 0.8}, 0, 0, 0},
        {"grain without weight", {CargoTGrain, MomentActual, 0, 0, 0, 0.8}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        kv::KvState s;
        // The hold under test between two holds of bale cargo.
        SetHolds(s, {{CargoBale, 0, 100, 3, 20, 1}, c.hold, {CargoBale, 0, 100, 3, 20, 1}});
        kv::GrainCompartmentMoments(s);
        const auto& g = s.CalcData.Grain.Compartments;
        ASSERT_EQ(g.size(), 3u);
        EXPECT_NEAR(double(g[1].Ullage), c.ullage, 1e-12);
        EXPECT_NEAR(double(g[1].VCG), c.vcg, 1e-12);
        EXPECT_NEAR(double(g[1].VolumetricMoment), c.volumetric, 1e-9);
        EXPECT_NEAR(double(g[1].HeelingMoment), c.volumetric * c.hold.sg, 1e-9);
        for (size_t i : {size_t(0), size_t(2)}) {
            EXPECT_EQ(g[i].Ullage, 0);
            EXPECT_EQ(g[i].HeelingMoment, 0);
        }
    }

    // Centres entered by hand: the entered moment of an actual-mode hold is
    // its heeling moment; a maximum-mode hold keeps the table's.
    kv::KvState s;
    SetHolds(s, {{CargoTGrain, MomentActual, 3000, 7, 60, 0.8}, {CargoTGrain, MomentMaximum, 3000, 7, 60, 0.8}});
    s.LoadData.CGMode = 1;
    s.LoadData.Loads[1].Items[0].FSMValue = 1234;
    s.LoadData.Loads[1].Items[1].FSMValue = 999;
    kv::GrainCompartmentMoments(s);
    EXPECT_NEAR(double(s.CalcData.Grain.Compartments[0].HeelingMoment), 1234, 1e-12);
    EXPECT_NEAR(double(s.CalcData.Grain.Compartments[1].HeelingMoment), 2500 * 0.8, 1e-9);
}

// A grain table over KG (or GoM) columns 1 and 9 with layers for trims 0
// and 1: M = 20000 - 1000 key - disp / 2 + 50 trim, linear in every
// direction so that interpolation is exact.
double TableMoment(double key, double disp, double trim) { return 20000 - 1000 * key - disp / 2 + 50 * trim; }

kv::xyztable_rec GrainTable(const std::string& keyColumn, const std::function<double(double)>& toDisp) {
    return stabtest::MakeTable({keyColumn, "1", "9"}, {"0", "1"}, 2, [&](int l, int j, int r) {
        const double key = r == 1 ? 2 : 8;  // DRAFT 2..8 or DISP 2000..8000
        const double disp = toDisp(key);
        if (j == 1) return keyColumn == "DISP" ? disp : key;
        return TableMoment(j == 2 ? 1 : 9, disp, l - 1);
    });
}

TEST(GrainHolds, AllowableMomentByDisplacementOrByDraft) {
    kv::KvState s;
    auto& tables = s.ShipInfo.ShipTables.Tables;
    tables[kv::GrainTableSlot] = GrainTable("DISP", [](double k) { return k * 1000; });
    EXPECT_NEAR(double(kv::AllowableHeelingMoment(s, 0.5, 8, 5000)), TableMoment(8, 5000, 0.5), 1e-9);

    // Without "DISP" the displacement becomes a draft through the hydrostatic
    // table (DRAFT = DISP / 1000 + trim / 10 here) and the key is read there.
    tables[kv::GrainTableSlot] = GrainTable("DRAFT", [](double k) { return k * 1000; });
    tables[kv::HydroTableSlot] = stabtest::MakeTable({"DISP", "DRAFT"}, {"0", "1"}, 2, [](int l, int j, int r) {
        const double disp = r == 1 ? 1000 : 10000;
        return j == 1 ? disp : disp / 1000 + (l - 1) / 10.0;
    });
    // At trim 1 the draft is 5.1, i.e. the table's 5100 t row.
    EXPECT_NEAR(double(kv::AllowableHeelingMoment(s, 1, 7.5, 5000)), TableMoment(7.5, 5100, 1), 1e-9);

    // A table with neither key column gives nothing.
    tables[kv::GrainTableSlot] = GrainTable("HEIGHT", [](double k) { return k * 1000; });
    EXPECT_EQ(kv::AllowableHeelingMoment(s, 0, 8, 5000), 0);
}

// A ship with a straight GZ curve (GZ = 0.02 per degree), 10000 t, GoM 1.5,
// KG 8 with 0.1 free surface, and three holds full of trimmed grain.
kv::KvState GrainShip(const std::vector<Hold>& holds) {
    kv::KvState s;
    s.Calc.GZSpline = GZSplineOf([](double a) { return 0.02 * a; });
    kv::calcdata_rec& c = s.CalcData;
    c.Displacement = c.DisplacementSW = 10000;
    c.Trim = 0;
    c.VCG = 8;
    c.Stab.FSC = 0.1;
    c.Stab.GMSolid = 1.6;
    c.Stab.GoM = 1.5;
    c.Stab.MaxGZAngle = 50;
    c.Stab.FloodAngle = 45;
    s.ShipInfo.Options[kv::OptionGrainStability].Enabled = 1;
    s.ShipInfo.Options[kv::OptionGrainStability].Text.set("0");
    s.ShipInfo.ShipTables.Tables[kv::GrainTableSlot] = GrainTable("DISP", [](double k) { return k * 2000; });
    SetHolds(s, holds);
    return s;
}

const Hold kFull{CargoTGrain, MomentActual, 5000, 12, 100, 0.8, 1.2};

TEST(GrainCriteria, PlainAndWeightedTotalsArmsAndAllowable) {
    // Every hold full: the partial-filling factors play no part.
    kv::KvState s = GrainShip({kFull, kFull, kFull});
    kv::CalcGrain(s);
    const auto& g = s.CalcData.Grain;
    EXPECT_NEAR(double(g.TotalMoment), 3 * 800, 1e-9);
    EXPECT_EQ(g.WeightedMoment, g.TotalMoment);
    EXPECT_NEAR(double(g.Lambda0), 0.24, 1e-12);
    EXPECT_NEAR(double(g.Lambda40), 0.192, 1e-12);
    EXPECT_NEAR(double(g.StaticAngle), 0.24 / (0.02 + 0.2 * 0.24 / 40), 1e-9);
    EXPECT_EQ(g.GoM, 1.5);
    EXPECT_EQ(g.FSC, Extended(0.1));
    EXPECT_EQ(g.GMSolid, Extended(1.6));
    EXPECT_EQ(g.AngleLimit, 50);
    // Option text "0": keyed by KGo = 8.1.
    EXPECT_NEAR(double(g.AllowableMoment), TableMoment(8.1, 10000, 0), 1e-9);
    EXPECT_TRUE(g.Computed);

    // One slack hold counts with its factor in the weighted total only; the
    // starting value kept in the group's summary counts in the plain one.
    const Hold slack{CargoTGrain, MomentActual, 3000, 7, 60, 0.8, 1.12};
    s = GrainShip({kFull, slack, {CargoBale, 0, 800, 3, 30, 1, 1.5}});
    s.CalcData.Summaries[2].Spare = 100;
    s.ShipInfo.Options[kv::OptionGrainStability].Text.set("1");
    kv::CalcGrain(s);
    EXPECT_NEAR(double(g.TotalMoment), 100 + 800 + 640, 1e-9);
    EXPECT_NEAR(double(g.WeightedMoment), 800 + 640 * 1.12, 1e-9);
    EXPECT_NEAR(double(g.Lambda0), 1540.0 / 10000, 1e-12);
    // Option text "1": keyed by GoM.
    EXPECT_NEAR(double(g.AllowableMoment), TableMoment(1.5, 10000, 0), 1e-9);

    // Any other option text leaves the allowable as it was.
    s.ShipInfo.Options[kv::OptionGrainStability].Text.set("2");
    s.CalcData.Grain.AllowableMoment = 4321;
    kv::CalcGrain(s);
    EXPECT_EQ(g.AllowableMoment, 4321);
}

std::vector<std::string> Judges(const kv::KvState& s) {
    std::vector<std::string> j;
    for (const auto& r : s.CalcData.Grain.Rows) j.push_back(r.Judge);
    return j;
}

TEST(GrainCriteria, RowsAndTheirJudgement) {
    kv::KvState s = GrainShip({kFull, kFull, kFull});
    s.Units.UnitFactors[kv::UnitLength] = 2;
    s.Units.UnitNames[kv::UnitLength] = "X";
    s.Calc.JudgementFlags[kv::GrainOK] = false;
    kv::CalcGrain(s);
    const auto& rows = s.CalcData.Grain.Rows;
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].Name, "Flooding Angle         ");
    EXPECT_EQ(rows[1].Name, "Corrected GoM          ");
    EXPECT_EQ(rows[2].Name, "Static Angle of Heel   ");
    EXPECT_EQ(rows[3].Name, "Residual Area          ");
    EXPECT_EQ(rows[4].Name, "Grain Heeling Moment   ");
    EXPECT_EQ(rows[5].Name, "Immersion of deck edge");
    EXPECT_EQ(rows[0].Actual, "45.000");
    EXPECT_EQ(rows[1].Actual, "3.000");
    EXPECT_EQ(rows[1].Allow, "0.600");
    EXPECT_EQ(rows[1].Sign, ">");
    EXPECT_EQ(rows[1].Unit, "X");
    EXPECT_EQ(rows[2].Allow, "12.000");
    EXPECT_EQ(rows[2].Sign, "<");
    EXPECT_EQ(rows[3].Allow, "0.150");
    EXPECT_EQ(rows[3].Unit, "X-rad");
    EXPECT_EQ(rows[4].Actual, "4800.000");  // 2400 t-m x 2
    EXPECT_EQ(rows[4].Unit, "Mt-X");
    EXPECT_FALSE(rows[5].Shown);
    EXPECT_EQ(Judges(s), (std::vector<std::string>{"", "OK", "OK", "OK", "OK", ""}));
    EXPECT_TRUE(s.Calc.JudgementFlags[kv::GrainOK]);
    EXPECT_TRUE(s.CalcData.Grain.Passed);

    struct Case {
        const char* what;
        std::function<void(kv::KvState&)> change;
        std::vector<std::string> judges;
    } cases[] = {
        {"GoM exactly at its minimum", [](kv::KvState& k) { k.CalcData.Stab.GoM = 0.3; },
         {"", "OK", "OK", "OK", "OK", ""}},
        {"GoM below", [](kv::KvState& k) { k.CalcData.Stab.GoM = 0.29; }, {"", "NOT OK", "OK", "OK", "OK", ""}},
        {"moment over the allowable",
         [](kv::KvState& k) { k.ShipInfo.ShipTables.Tables[kv::GrainTableSlot] = GrainTable("DISP", [](double d) { return d * 2000 + 25000; }); },
         {"", "OK", "OK", "OK", "NOT OK", ""}},
        {"static angle of 14 degrees", [](kv::KvState& k) { k.CalcData.Summaries[2].Spare = 611; },
         {"", "OK", "NOT OK", "OK", "OK", ""}},
        // The arm lies above the curve throughout: no static angle, and the
        // area over the whole range is negative.
        {"arm above the curve", [](kv::KvState& k) { k.CalcData.Summaries[2].Spare = 25000; },
         {"", "OK", "OK", "NOT OK", "NOT OK", ""}},
        {"tables exceeded with grain loaded",
         [](kv::KvState& k) { k.Calc.StabilityRangeExceeded = true; },
         std::vector<std::string>(6, "OUT OF RANGE")},
        {"tables exceeded, no range check",
         [](kv::KvState& k) {
             k.Calc.StabilityRangeExceeded = true;
             k.ShipInfo.Options[21].Enabled = 1;
         },
         {"", "OK", "OK", "OK", "OK", ""}},
        {"tables exceeded without grain",
         [](kv::KvState& k) {
             k.Calc.StabilityRangeExceeded = true;
             for (auto& ld : k.LoadData.Loads[1].Items) ld.CargoType = CargoBulk;
         },
         {"", "OK", "OK", "OK", "OK", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        kv::KvState k = GrainShip({kFull, kFull, kFull});
        c.change(k);
        kv::CalcGrain(k);
        EXPECT_EQ(Judges(k), c.judges);
        bool anyRed = false, anyBad = false;
        for (const auto& r : k.CalcData.Grain.Rows) {
            EXPECT_EQ(r.Red, r.Judge == "NOT OK" || r.Judge == "OUT OF RANGE") << r.Name;
            anyRed = anyRed || r.Red;
            anyBad = anyBad || r.Judge == "NOT OK" || r.Judge == "OUT OF RANGE";
        }
        EXPECT_EQ(anyRed, anyBad);
        EXPECT_EQ(k.Calc.JudgementFlags[kv::GrainOK], !anyBad);
    }
}

TEST(GrainCriteria, DeckEdgeImmersionLimitsTheStaticAngle) {
    // The deck edge immerses at 9 degrees (or 15): the smaller of it and 12
    // is the static angle's allowable, and the immersion row is shown.
    for (double edge : {9.0, 15.0}) {
        SCOPED_TRACE(edge);
        kv::KvState s = GrainShip({kFull, kFull, kFull});
        s.ShipInfo.Options[18].Enabled = 1;
        s.ShipInfo.ShipTables.Tables[kv::ImmersionTableSlot] =
            stabtest::MakeTable({"DISP", "ANGLE"}, {"0"}, 2, [&](int, int j, int r) {
                return j == 1 ? (r == 1 ? 1000.0 : 20000.0) : edge;
            });
        kv::CalcGrain(s);
        const auto& rows = s.CalcData.Grain.Rows;
        EXPECT_EQ(rows[2].Allow, kv::FormatFloat("0.000", std::min(edge, 12.0)));
        EXPECT_TRUE(rows[5].Shown);
        EXPECT_EQ(rows[5].Actual, kv::FormatFloat("0.000", edge));
        EXPECT_EQ(rows[5].Judge, "");
        const double angle = double(s.CalcData.Grain.StaticAngle);
        EXPECT_GT(angle, 9);
        EXPECT_LT(angle, 12);
        EXPECT_EQ(rows[2].Judge, edge < angle ? "NOT OK" : "OK");
    }
}

TEST(GrainCriteria, LeverTableRows) {
    kv::KvState s;
    stabtest::SetCurve(s, 8, [](double a) { return 0.02 * a; });
    s.Units.UnitFactors[kv::UnitLength] = 2;
    kv::BuildGZCurve(s, 0);
    kv::GridData g = kv::FillGrainGZGrid(s);
    ASSERT_EQ(g.Cells.size(), 3u);
    EXPECT_EQ(g.Cells[0][0], "Angle");
    EXPECT_EQ(g.Cells[1][0], "KN");
    EXPECT_EQ(g.Cells[2][0], "GoZ");
    const size_t cols = stabtest::Angles().size() + 2;
    ASSERT_EQ(g.Cells[0].size(), cols);
    EXPECT_EQ(g.ColWidths, std::vector<int>(cols, 1));
    EXPECT_EQ(g.Cells[0][3], "10.0");
    EXPECT_EQ(g.Cells[2][3], "0.400");  // GZ(10) = 0.2 m, shown in a unit of half a metre

    // Cross curves about a pole: the grain page still calls the row KN.
    s.ShipInfo.CrossCurveKG = 5;
    kv::BuildGZCurve(s, 0);
    g = kv::FillGrainGZGrid(s);
    EXPECT_EQ(g.Cells[1][0], "KN");
}

}  // namespace
