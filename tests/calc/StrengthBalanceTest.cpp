// Strength of a box barge against closed forms: no load where weight and
// buoyancy are both uniform, the midship moment of a load spread over the
// middle, the balancing that brings buoyancy under the centre of gravity,
// and the limits of the sea-going and harbour conditions.
#include <gtest/gtest.h>

#include <cmath>

#include "StrengthBarge.h"

using namespace kv;
using kvtest::StrengthBarge;

namespace {

// SF and BM at station x (the start of the interval there, or the end of
// the last interval at the forward end).
struct Station {
    double SF, BM;
};
Station ValuesAt(const StrengthBarge& b, double x) {
    if (x >= StrengthBarge::L) {
        const sfbmseg_rec& last = b.State.Strength.Intervals.back();
        return {double(last.Intact.SF.At2), double(last.Intact.BM.At2)};
    }
    const sfbmseg_rec* iv = b.At(x);
    EXPECT_NE(iv, nullptr) << x;
    return iv ? Station{double(iv->Intact.SF.At1), double(iv->Intact.BM.At1)} : Station{0, 0};
}

// Centre of the balanced buoyancy (areas x density) along the barge.
double BuoyancyCentre(const StrengthBarge& b) {
    double m = 0, w = 0;
    for (const sfbmseg_rec& iv : b.State.Strength.Intervals) {
        const double a1 = double(iv.BuoyOrdinate.At1), a2 = double(iv.BuoyOrdinate.At2), len = double(iv.Length);
        const double v = (a1 + a2) / 2 * len;
        if (v <= 0) continue;
        w += v;
        m += v * (double(iv.X1) + len * (2 * a2 + a1) / (3 * (a1 + a2)));
    }
    return w > 0 ? m / w : 0;
}

}  // namespace

TEST(StrengthBalance, UniformWeightOnUniformBuoyancyCarriesNoLoad) {
    StrengthBarge b;
    b.Run();
    ASSERT_TRUE(b.State.CalcData.Strength.Computed);
    ASSERT_EQ(b.State.Strength.Intervals.size(), 100u);
    EXPECT_NEAR(double(b.State.Strength.LightweightTotal), StrengthBarge::LightWeight, 1e-6);
    EXPECT_EQ(b.State.CalcData.Strength.Balance.Passes, 1);
    for (const sfbmseg_rec& iv : b.State.Strength.Intervals) {
        EXPECT_NEAR(double(iv.Intact.SF.At1), 0, 1e-6) << iv.Key;
        EXPECT_NEAR(double(iv.Intact.SF.At2), 0, 1e-6) << iv.Key;
        EXPECT_LT(std::fabs(double(iv.Intact.BM.At2)), 5.0) << iv.Key;
        // Balanced buoyancy per metre equals the lightweight per metre.
        EXPECT_NEAR(double(iv.BuoyOrdinate.At1) * StrengthBarge::Rho, StrengthBarge::LightWeight / StrengthBarge::L, 1e-6);
    }
    EXPECT_TRUE(b.State.Calc.JudgementFlags[StrengthOK]);
}

TEST(StrengthBalance, LoadOverTheMiddleGivesTheClosedFormMidshipMoment) {
    const double W = 1000;
    for (double a : {20.0, 40.0, 60.0}) {
        StrengthBarge b;
        b.AddCargo(W, StrengthBarge::L / 2, (StrengthBarge::L - a) / 2, (StrengthBarge::L + a) / 2);
        b.Run();
        // Weight minus buoyancy integrated from aft: a load in the middle sags
        // the barge, a negative moment of W (L - a) / 8.
        const double expected = -W * (StrengthBarge::L - a) / 8;
        const Station mid = ValuesAt(b, StrengthBarge::L / 2);
        EXPECT_NEAR(mid.BM, expected, std::fabs(expected) * 0.01) << "a = " << a;
        // The shear force changes sign across midship and is antisymmetric.
        for (double x = 0; x <= StrengthBarge::L / 2; x += 5) {
            const Station aft = ValuesAt(b, x), fore = ValuesAt(b, StrengthBarge::L - x);
            EXPECT_NEAR(aft.SF, -fore.SF, 0.01) << "a = " << a << " x = " << x;
            EXPECT_NEAR(aft.BM, fore.BM, 0.5) << "a = " << a << " x = " << x;
        }
        // Buoyancy W/L per metre everywhere, the load W/a over its extent:
        // the SF at the load's aft end is -W(L - a)/(2L) (more buoyancy than
        // weight aft of it).
        EXPECT_NEAR(ValuesAt(b, (StrengthBarge::L - a) / 2).SF, -W * (StrengthBarge::L - a) / (2 * StrengthBarge::L),
                    0.01);
        const strengthextremes_rec& x = b.State.CalcData.Strength.Extremes;
        EXPECT_NEAR(double(x.MaxBM.Value), expected, std::fabs(expected) * 0.01);
        EXPECT_NEAR(double(x.MaxBM.Pos), StrengthBarge::L / 2, 1.0);
        EXPECT_NEAR(double(x.MaxBM.Percent), expected / -20000 * 100, 1.0);
        EXPECT_DOUBLE_EQ(double(x.MaxBM.Allow), -20000);
    }
}

TEST(StrengthBalance, WithoutClosingMomentScaleEveryPassRuns) {
    for (double maxbm : {0.0, 50000.0}) {
        StrengthBarge b;
        b.State.ShipInfo.ClassAllow.intact[ConditionPort].maxbm = maxbm;
        b.Run();
        EXPECT_EQ(b.State.CalcData.Strength.Balance.Passes, maxbm == 0 ? 1001 : 1) << maxbm;
        // Even when all passes run, the barge stays balanced.
        EXPECT_LT(std::fabs(double(b.State.CalcData.Strength.Balance.Residual)), 5.0) << maxbm;
    }
}

// A first pass off balance (a floating position that does not put B under
// G, or the sea-going point additions) must be closed by the tilt of the
// buoyancy: the residual moment shrinks, buoyancy ends under G.
TEST(StrengthBalance, TiltBringsBuoyancyUnderTheCentreOfGravity) {
    struct Case {
        const char* name;
        int condition;
        double cargo, aft, fore;
    };
    const Case cases[] = {
        {"harbour, load aft", ConditionPort, 500, 10, 30},
        {"harbour, load forward", ConditionPort, 800, 70, 95},
        {"sea, uniform", ConditionSea, 0, 0, 0},
        {"sea, load aft", ConditionSea, 500, 10, 30},
    };
    for (const Case& c : cases) {
        StrengthBarge b;
        b.State.LoadData.VoyageCond = c.condition;
        if (c.cargo > 0) b.AddCargo(c.cargo, (c.aft + c.fore) / 2, c.aft, c.fore);
        b.Run();  // floats level whatever the load: the first pass is off balance
        const balance_rec& bal = b.State.CalcData.Strength.Balance;
        EXPECT_LT(bal.Passes, 200) << c.name;
        EXPECT_LT(std::fabs(double(bal.Residual)), 5.0) << c.name;
        const Station fore = ValuesAt(b, StrengthBarge::L);
        EXPECT_NEAR(fore.SF, 0, 1e-6) << c.name;
        EXPECT_LT(std::fabs(fore.BM), 5.0) << c.name;
        const double W = b.Displacement();
        const double xg = (StrengthBarge::LightWeight * 50 + c.cargo * (c.aft + c.fore) / 2) / W;
        // Buoyancy centre within the closing moment of G (the sea additions
        // carry a moment of their own, balanced by the buoyancy).
        if (c.condition == ConditionPort) {
            EXPECT_NEAR(BuoyancyCentre(b), xg, 5.0 / W + 1e-6) << c.name;
        }
        // The tilt is positive (buoyancy forward) exactly when G lies forward
        // of the level ship's centre of buoyancy.
        if (c.cargo > 0) {
            EXPECT_EQ(bal.Tilt > 0, xg > 50) << c.name;
        }
    }
}

TEST(StrengthBalance, HarbourAndSeaJudgedAgainstTheirOwnLimits) {
    // The load over the middle 20 m: midship BM -10000 t-m in harbour; at sea
    // the point additions aft change it by under 2 %.
    struct Case {
        int condition;
        double seaLimit, portLimit;
        double percent;
        bool ok;
    };
    const Case cases[] = {
        {ConditionSea, 20000, 40000, 50, true},
        {ConditionPort, 20000, 40000, 25, true},
        {ConditionSea, 9000, 40000, 111.1, false},
        {ConditionPort, 40000, 9000, 111.1, false},
    };
    for (const Case& c : cases) {
        StrengthBarge b;
        b.State.ShipInfo.ClassAllow.intact[ConditionSea].bmsegs = {StrengthBarge::Segment(0, 100, c.seaLimit, c.seaLimit)};
        b.State.ShipInfo.ClassAllow.intact[ConditionPort].bmsegs = {
            StrengthBarge::Segment(0, 100, c.portLimit, c.portLimit)};
        b.State.LoadData.VoyageCond = c.condition;
        b.AddCargo(1000, 50, 40, 60);
        b.Run();
        const extreme_rec& m = b.State.CalcData.Strength.Extremes.MaxBMPct;
        EXPECT_NEAR(double(m.Percent), c.percent, c.percent * 0.02) << c.condition << " " << c.seaLimit;
        EXPECT_DOUBLE_EQ(double(m.Allow), -(c.condition == ConditionSea ? c.seaLimit : c.portLimit));
        EXPECT_EQ(b.State.Calc.JudgementFlags[StrengthOK], c.ok) << c.condition << " " << c.seaLimit;
        // The other condition on the same intervals: CalcStrength for an
        // explicit selector.
        CalcStrength(b.State, 1 - c.condition);
        EXPECT_DOUBLE_EQ(double(b.State.CalcData.Strength.Extremes.MaxBMPct.Allow),
                         -(c.condition == ConditionSea ? c.portLimit : c.seaLimit));
    }
}

TEST(StrengthBalance, NoStationsNothingJudged) {
    StrengthBarge b;
    b.State.Calc.JudgementFlags[StrengthOK] = true;
    CalcStrength(b.State);  // stations never built
    EXPECT_FALSE(b.State.CalcData.Strength.Computed);
    EXPECT_FALSE(b.State.Calc.JudgementFlags[StrengthOK]);
}
