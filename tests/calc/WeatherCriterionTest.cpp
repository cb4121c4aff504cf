// The weather criterion: factor tables, a worked example against hand
// figures and an independent integration of areas a and b, the steady-wind
// heel and its limit, and the guards for a ship without displacement or GM.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/StabProc.h"
#include "calc/StabilityTables.h"
#include "calc/WindProc.h"
#include "StabFixture.h"

using namespace stabtest;
using kv::Extended;

namespace {

TEST(WeatherFactors, TablesInterpolatedAndHeldAtTheEnds) {
    struct Case {
        Extended (*f)(Extended);
        double x, want;
    } cases[] = {
        {kv::WeatherFactorS, 10, 0.079},   {kv::WeatherFactorS, 6, 0.100},    {kv::WeatherFactorS, 3, 0.100},
        {kv::WeatherFactorS, 7.5, 0.0955}, {kv::WeatherFactorS, 20, 0.035},   {kv::WeatherFactorS, 30, 0.035},
        {kv::WeatherFactorX1, 2.0, 1.0},   {kv::WeatherFactorX1, 2.45, 0.99}, {kv::WeatherFactorX1, 3.0, 0.90},
        {kv::WeatherFactorX1, 3.45, 0.81}, {kv::WeatherFactorX1, 4.0, 0.80},  {kv::WeatherFactorX2, 0.3, 0.75},
        {kv::WeatherFactorX2, 0.575, 0.92}, {kv::WeatherFactorX2, 0.7, 1.0},  {kv::WeatherFactorX2, 0.9, 1.0},
        {kv::WeatherFactorK, 0, 1.0},      {kv::WeatherFactorK, 0.5, 0.99},   {kv::WeatherFactorK, 2.25, 0.835},
        {kv::WeatherFactorK, 3.75, 0.71},  {kv::WeatherFactorK, 6, 0.70},     {kv::WeatherFactorK, -1, 1.0},
    };
    for (const Case& c : cases) EXPECT_NEAR(double(c.f(c.x)), c.want, 1e-12) << c.x;
    EXPECT_EQ(kv::WeatherFactorS(NAN), 0.100L);  // not a number: the first entry, never NaN
}

struct WeatherShip : ::testing::Test {
    // Box-like ship: B 20 m, d 4 m, no LWL column (LBP 100 m is used),
    // displacement 8200 t so that CB = 1; GM 1 m, KG 7 m; wind area 2000 m2
    // with its lever 8 m.
    static double Gz(double a) {
        const double s = a < 0 ? -1 : 1;
        a = std::fabs(a);
        return s * std::sin(Rad(a)) * (1 - a / 60);
    }
    void SetUp() override {
        SetCurve(s, 7, Gz);
        s.CalcData.Displacement = s.CalcData.DisplacementSW = 8200;
        s.CalcData.Stab.GoM = s.CalcData.Stab.GMSolid = 1.0;
        s.ShipInfo.Options[6].Enabled = 1;
        s.ShipInfo.ShipTables.Tables[kv::WindTableSlot] = MakeTable(
            {"DISP", "AREA", "LEVER"}, {"0"}, 2, [](int, int j, int r) { return j == 1 ? (r - 1) * 20000.0 : j == 2 ? 2000 : 8; });
        kv::BuildGZCurve(s, 0);
    }
    kv::KvState s;
};

double Root(const std::function<double(double)>& f, double lo, double hi) {
    for (int i = 0; i < 200; ++i) {
        const double m = (lo + hi) / 2;
        ((f(lo) > 0) == (f(m) > 0) ? lo : hi) = m;
    }
    return (lo + hi) / 2;
}

TEST_F(WeatherShip, WorkedExample) {
    kv::WeatherCriterion(s);
    const auto& c = s.CalcData;
    const double lw1 = 0.0514 * 2000 * 8 / 8200, lw2 = 1.5 * lw1;
    EXPECT_NEAR(double(c.Lw1), lw1, 1e-12);
    EXPECT_NEAR(double(c.Lw2), lw2, 1e-12);
    EXPECT_EQ(s.Calc.WindArea, 2000);
    // T = 2 x 20 (0.373 + 0.023 x 5 - 0.043 x 1) / 1 = 17.8 s; s = 0.0386;
    // r = 0.73 + 0.6 x 3 / 4 = 1.18; X1 = 0.80 (B/d = 5), X2 = 1 (CB = 1), k = 1.
    EXPECT_NEAR(double(s.Calc.RollPeriod), 17.8, 1e-9);
    const double theta1 = 109 * 0.8 * std::sqrt(1.18 * 0.0386);
    EXPECT_NEAR(double(c.Theta1), theta1, 1e-9);

    // Crossings of the analytic curve with the levers, to the chords' accuracy.
    const double th0 = Root([&](double a) { return Gz(a) - lw1; }, 0, 30);
    const double thLw2 = Root([&](double a) { return Gz(a) - lw2; }, 0, 30);
    const double thC = Root([&](double a) { return Gz(a) - lw2; }, 30, 60);
    EXPECT_NEAR(double(c.Theta0), th0, 0.05);
    EXPECT_NEAR(double(c.ThetaLw2), thLw2, 0.05);
    EXPECT_NEAR(double(c.ThetaC), thC, 0.05);
    EXPECT_NEAR(double(c.Theta2), std::min(thC, 50.0), 0.05);

    // Area a from the roll to windward up to the gust lever's crossing, area b
    // from there to Theta2, by direct integration of the curve.
    const double a = AreaRad([&](double x) { return lw2 - Gz(x); }, th0 - theta1, thLw2);
    const double b = AreaRad([&](double x) { return Gz(x) - lw2; }, thLw2, std::min(thC, 50.0));
    EXPECT_NEAR(double(c.AreaA), a, 0.01 * a);
    EXPECT_NEAR(double(c.AreaB), b, 0.01 * b);

    kv::FillCriteria(s);
    EXPECT_EQ(s.Calc.StabilityCriteria[7].Judge, b / a >= 1 ? "OK" : "NOT OK");
}

TEST_F(WeatherShip, FloodingAngleEndsAreaB) {
    s.ShipInfo.ShipTables.Tables[kv::FloodAngleTableSlot] =
        MakeTable({"DISP", "ANGLE"}, {"0"}, 2, [](int, int j, int r) { return j == 1 ? r * 10000.0 : 35; });
    kv::BuildGZCurve(s, 0);
    kv::WeatherCriterion(s);
    EXPECT_NEAR(double(s.CalcData.Theta2), 35, 1e-9);
}

TEST_F(WeatherShip, OptionOffOrNoWindTableKeepsThePreviousBlock) {
    s.CalcData.Theta1 = 123;
    s.ShipInfo.Options[6].Enabled = 0;
    kv::WeatherCriterion(s);
    EXPECT_EQ(s.CalcData.Theta1, 123);
    s.ShipInfo.Options[6].Enabled = 1;
    s.ShipInfo.ShipTables.Tables[kv::WindTableSlot] = kv::xyztable_rec{};
    kv::WeatherCriterion(s);
    EXPECT_EQ(s.CalcData.Theta1, 123);
}

TEST_F(WeatherShip, NoDisplacementOrNoMetacentricHeightGivesFiniteValues) {
    auto finite = [&] {
        const auto& c = s.CalcData;
        for (Extended v : {c.Lw1, c.Lw2, c.Theta0, c.Theta1, c.Theta2, c.ThetaLw2, c.ThetaC, c.AreaA, c.AreaB,
                           s.Calc.RollPeriod, s.Calc.WindArea})
            if (!std::isfinite(double(v))) return false;
        return true;
    };
    s.CalcData.Stab.GoM = 0;
    kv::WeatherCriterion(s);
    EXPECT_TRUE(finite());
    EXPECT_EQ(s.Calc.RollPeriod, 0);
    // With no period the roll factor is taken at its long-period end, 0.035.
    EXPECT_NEAR(double(s.CalcData.Theta1), 109 * 0.8 * std::sqrt(1.18 * 0.035), 1e-9);

    s.CalcData.Displacement = s.CalcData.DisplacementSW = 0;
    s.CalcData.DraftMean = 0;
    kv::RunStability(s);
    EXPECT_TRUE(finite());
    EXPECT_EQ(s.CalcData.Lw1, 0);
    EXPECT_EQ(s.CalcData.AreaA, 0);
    for (const auto& r : s.Calc.StabilityCriteria) {
        EXPECT_EQ(r.Actual.find("NAN"), std::string::npos);
        EXPECT_EQ(r.Actual.find("INF"), std::string::npos);
    }
    EXPECT_FALSE(s.Calc.JudgementFlags[kv::StabilityOK]);
}

TEST_F(WeatherShip, SteadyWindHeelAndItsLimit) {
    const double lw = 2000 * 504 * 8 / (9.81 * 8200 * 1000);
    EXPECT_NEAR(double(kv::WindHeelAngle(s, 8200)), Root([&](double a) { return Gz(a) - lw; }, 0, 30), 0.05);
    EXPECT_EQ(kv::WindHeelAngle(s, 0), 0);
    struct Case {
        double draft, want;
    } cases[] = {{4, 16}, {8, 0.8 * std::atan(0.2) * 180 / kPi}, {10, 0}, {12, 0.8 * std::atan(-0.2) * 180 / kPi}};
    for (const Case& c : cases) EXPECT_NEAR(double(kv::WindHeelLimit(s.ShipInfo, c.draft)), c.want, 1e-9) << c.draft;
}

TEST_F(WeatherShip, WindLayerByDeckTierWithOption10) {
    // Layers per deck tier level: an empty deck reads "0TIER", not the first layer.
    s.ShipInfo.ShipTables.Tables[kv::WindTableSlot] =
        MakeTable({"DISP", "AREA", "LEVER"}, {"1TIER", "0TIER"}, 2,
                  [](int l, int j, int r) { return j == 1 ? (r - 1) * 20000.0 : j == 2 ? (l == 1 ? 3000 : 1500) : 8; });
    s.ShipInfo.Options[10].Enabled = 1;
    s.ShipInfo.Options[17].Enabled = 1;
    kv::RecordingSink sink;
    s.Tables.Messages = &sink;
    kv::RunStability(s);
    EXPECT_EQ(s.Calc.WindArea, 1500);
    EXPECT_NEAR(double(s.CalcData.Lw1), 0.0514 * 1500 * 8 / 8200, 1e-12);
    const double lw = 1500 * 504 * 8 / (9.81 * 8200 * 1000);
    EXPECT_EQ(s.Calc.StabilityCriteria[12].Actual,
              kv::FormatFloat("0.000", kv::HeelingArmCrossing(s.Calc.GZSpline, 0, 0, lw, 80, lw)));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(WeatherLayer, TierLevelOrTrim) {
    kv::KvState s;
    s.CalcData.Trim = 0.5;
    EXPECT_EQ(kv::WindLayerKey(s), "0.5");
    s.ShipInfo.Options[10].Enabled = 1;
    EXPECT_EQ(kv::WindLayerKey(s), "0TIER");  // nothing on deck
}

}  // namespace
