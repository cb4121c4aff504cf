// The righting-lever curve: levers from the cross curves, its characteristics,
// areas, flooding angles and heeling-arm crossings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "calc/StabProc.h"
#include "numerics/GeoSpline.h"
#include "StabFixture.h"

using namespace stabtest;
using kv::Extended;

namespace {

// Maximum of f on [a, b] by fine sampling: (angle, value).
std::pair<double, double> MaxOf(const std::function<double(double)>& f, double a, double b) {
    std::pair<double, double> m{a, f(a)};
    for (double x = a; x <= b; x += 0.001)
        if (f(x) > m.second) m = {x, f(x)};
    return m;
}

double RootOf(const std::function<double(double)>& f, double lo, double hi) {
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        ((f(lo) > 0) == (f(mid) > 0) ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

TEST(StabCurve, LeversFromCrossCurvesWithPoleFreeSurfaceAndListingMoment) {
    struct Case {
        double pole, vcg, fsc, tcg;
    } cases[] = {{0, 8, 0, 0}, {0, 8, 0.3, 0}, {0, 8, 0, 0.1}, {0, 8, 0, -0.1}, {5, 8, 0.2, 0.05}};
    auto kn = [](double d, double a) { return 0.001 * d * std::sin(Rad(a)) + 0.5 * std::sin(Rad(2 * a)); };
    for (const Case& k : cases) {
        kv::KvState s;
        s.ShipInfo.ShipTables.KNTable() = KNTable("DISP", {2000, 10000}, Angles(), kn);
        s.ShipInfo.CrossCurveKG = k.pole;
        s.CalcData.Displacement = 6000;
        s.CalcData.DisplacementSW = 9000;  // the cross curves are entered with the actual displacement
        s.CalcData.VCG = k.vcg;
        s.CalcData.Stab.FSC = k.fsc;
        s.CalcData.TCG = k.tcg;
        kv::BuildGZCurve(s, 0);
        const auto& st = s.CalcData.Stab;
        ASSERT_EQ(st.GZValues.size(), Angles().size() + 1);
        EXPECT_EQ(st.KNValues[0], 0);
        EXPECT_NEAR(double(st.GZValues[0]), -std::fabs(k.tcg), 1e-12);
        for (size_t i = 0; i < Angles().size(); ++i) {
            const double a = Rad(Angles()[i]);
            const double want = kn(6000, Angles()[i]) + (k.pole - k.vcg - k.fsc) * std::sin(a) -
                                std::fabs(k.tcg) * std::cos(a);
            EXPECT_NEAR(double(st.KNValues[i + 1]), kn(6000, Angles()[i]), 1e-9) << Angles()[i];
            EXPECT_NEAR(double(st.GZValues[i + 1]), want, 1e-9) << "pole " << k.pole << " tcg " << k.tcg;
        }
    }
}

TEST(StabCurve, DraftKeyedCrossCurvesAreEnteredWithTheMeanDraft) {
    kv::KvState s;
    s.ShipInfo.ShipTables.KNTable() =
        KNTable("DRAFT", {2, 8}, Angles(), [](double d, double a) { return d * std::sin(Rad(a)); });
    s.CalcData.DraftMean = 5;
    s.CalcData.Displacement = 99999;
    kv::BuildGZCurve(s, 0);
    EXPECT_NEAR(double(s.CalcData.Stab.KNValues[6]), 5 * std::sin(Rad(30)), 1e-9);
    EXPECT_FALSE(s.Tables.TableRangeExceeded);
}

// A curve that starts at exactly 0 upright and vanishes at 50 degrees, well
// inside the table, and its characteristics against the analytic curve.
TEST(StabCurve, UprightCurveVanishingInsideTheTableHasItsTrueRange) {
    auto gz = [](double a) { return 1.2 * std::sin(Rad(a)) * (1 - a / 50); };
    kv::KvState s;
    SetCurve(s, 7, gz);
    kv::BuildGZCurve(s, 0);
    const auto& st = s.CalcData.Stab;
    ASSERT_EQ(st.GZValues[0], 0);
    EXPECT_NEAR(double(st.StabRange), 50, 0.05);  // not the last tabulated angle, 80
    const auto [maxAngle, maxGz] = MaxOf(gz, 0, 80);
    EXPECT_NEAR(double(st.MaxGZAngle), maxAngle, 0.3);
    EXPECT_NEAR(double(st.MaxGZ), maxGz, 2e-3);
    EXPECT_NEAR(double(st.Area30), AreaRad(gz, 0, 30), 1e-3);
    EXPECT_NEAR(double(st.Area40), AreaRad(gz, 0, 40), 1e-3);
    EXPECT_NEAR(double(st.Area30to40), AreaRad(gz, 30, 40), 1e-3);
    EXPECT_NEAR(double(st.AreaToMaxGZ), AreaRad(gz, 0, maxAngle), 1e-3);
    EXPECT_NEAR(double(st.GZ30), gz(30), 2e-3);  // maximum below 30 degrees: the lever at 30
    EXPECT_EQ(st.FloodAngle, 90);                 // no flooding-angle table
}

TEST(StabCurve, RangeOfACurveWithAnAngleOfLollOrAListOrNoSignChange) {
    struct Case {
        const char* what;
        std::function<double(double)> gz;  // lever with the ship upright (no listing moment)
        double tcg;
    } cases[] = {
        {"loll", [](double a) { return 0.6 * std::sin(Rad(a)) * (a - 12) / 40 * (1 - a / 60); }, 0},
        {"positive throughout", [](double a) { return 0.8 * std::sin(Rad(a)); }, 0},
        {"listed, vanishing", [](double a) { return std::sin(Rad(a)) * (1 - a / 45); }, 0.1},
        {"listed to port, vanishing", [](double a) { return std::sin(Rad(a)) * (1 - a / 55); }, -0.15},
    };
    for (const Case& k : cases) {
        kv::KvState s;
        SetCurve(s, 6, k.gz);
        s.CalcData.TCG = k.tcg;
        kv::BuildGZCurve(s, 0);
        // The listing moment lowers the curve by |TCG| cos a.
        auto net = [&](double a) { return k.gz(a) - std::fabs(k.tcg) * std::cos(Rad(a)); };
        const double from = net(0.5) > 0 ? 0 : RootOf(net, 0.5, 25);
        const double to = net(80) > 0 ? 80 : RootOf(net, 25, 80);
        EXPECT_NEAR(double(s.CalcData.Stab.StabRange), to - from, 0.1) << k.what;
    }
}

TEST(StabCurve, FloodingAngleLimitsAreaToFortyAndTheAngleOfMaximum) {
    auto gz = [](double a) { return 1.5 * std::sin(Rad(a)) * (1 - a / 90); };  // maximum near 45 degrees
    kv::KvState s;
    SetCurve(s, 7, gz);
    s.ShipInfo.ShipTables.Tables[kv::FloodAngleTableSlot] =
        MakeTable({"DISP", "ANGLE"}, {"0"}, 2, [](int, int j, int r) { return j == 1 ? (r == 1 ? 1000 : 20000) : 35; });
    kv::BuildGZCurve(s, 0);
    const auto& st = s.CalcData.Stab;
    EXPECT_NEAR(double(st.FloodAngle), 35, 1e-9);
    EXPECT_NEAR(double(st.Area40), AreaRad(gz, 0, 35), 1e-3);
    EXPECT_NEAR(double(st.Area30to40), AreaRad(gz, 30, 35), 1e-3);
    EXPECT_NEAR(double(st.MaxGZAngle), 35, 1e-9);
    EXPECT_NEAR(double(st.MaxGZ), gz(35), 2e-3);
    EXPECT_NEAR(double(st.GZ30), gz(35), 2e-3);  // angle of maximum beyond 30: the maximum
}

TEST(StabCurve, FloodingAnglesFromPointListsAndMissingTables) {
    kv::KvState s;
    SetCurve(s, 7, [](double a) { return std::sin(Rad(a)); });
    EXPECT_EQ(kv::FloodingAngle(s, 8000, 0), 90);  // no table at all
    EXPECT_NEAR(double(kv::DeckImmersionAngle(s, 8000, 0, 0)), std::atan(2 * (10.0 - 4) / 20) * 180 / kPi, 1e-12)
        << "without a table the deck edge at the side";
    // Openings: x, y, z above base; waterline 4 m at the point (trim 1 m over 100 m).
    s.CalcData.Trim = 1;
    s.CalcData.DraftAP = 3.5;
    const double pts[][3] = {{50, 6, 9}, {50, -3, 6}, {70, 0, 12}};
    s.ShipInfo.ShipTables.Tables[kv::FloodAngleTableSlot] =
        MakeTable({"X", "Y", "Z"}, {"POINTS"}, 3, [&](int, int j, int r) { return pts[r - 1][j - 1]; });
    double want = 90;
    for (const auto& p : pts) {
        const double zw = 3.5 + p[0] * 0.01;
        want = std::min(want, std::atan2(p[2] - zw, std::fabs(p[1])) * 180 / kPi);
    }
    EXPECT_NEAR(double(kv::FloodingAngle(s, 8000, 0)), want, 1e-9);
}

TEST(StabCurve, HeelingArmCrossings) {
    auto gz = [](double a) { return std::sin(Rad(a)) * (1 - a / 60); };
    kv::KvState s;
    SetCurve(s, 7, gz);
    kv::BuildGZCurve(s, 0);
    const auto& C = s.Calc.GZSpline;
    const double arm = 0.2;
    const double up = RootOf([&](double a) { return gz(a) - arm; }, 0, 25);
    const double down = RootOf([&](double a) { return gz(a) - arm; }, 35, 60);
    EXPECT_NEAR(double(kv::HeelingArmCrossing(C, 0, 0, arm, 80, arm)), up, 0.05);
    EXPECT_NEAR(double(kv::HeelingArmCrossing(C, 1, 0, arm, 80, arm)), down, 0.05);
    EXPECT_EQ(kv::HeelingArmCrossing(C, 0, 0, 5.0, 80, 5.0), 0) << "arm above the whole curve: the start angle";
    EXPECT_EQ(kv::HeelingArmCrossing(C, 1, 0, -5.0, 80, -5.0), 80) << "no downward crossing: the end angle";
    // A sloping arm (grain heeling arm) through (0, 0.05) and (40, 0.1).
    auto line = [](double a) { return 0.05 + 0.00125 * a; };
    EXPECT_NEAR(double(kv::HeelingArmCrossing(C, 0, 0, 0.05, 40, 0.1)),
                RootOf([&](double a) { return gz(a) - line(a); }, 0, 30), 0.05);
}

TEST(StabCurve, DegenerateConditionsGiveFiniteResults) {
    kv::KvState s;
    SetCurve(s, 7, [](double a) { return std::sin(Rad(a)); });
    s.CalcData.Displacement = s.CalcData.DisplacementSW = 0;
    s.CalcData.DraftMean = 0;
    kv::BuildGZCurve(s, 0);
    const auto& st = s.CalcData.Stab;
    for (Extended v : {st.MaxGZ, st.MaxGZAngle, st.GZ30, st.AreaToMaxGZ, st.StabRange, st.Area30, st.Area40,
                       st.Area30to40, st.FloodAngle})
        EXPECT_TRUE(std::isfinite(double(v)));
    // No cross curves at all: nothing to build, no crash.
    kv::KvState empty;
    kv::BuildGZCurve(empty, 0);
    EXPECT_EQ(empty.CalcData.Stab.GZValues.size(), 1u);
}

}  // namespace
