// Grain stability: the static angle of heel and residual area against the
// straight grain heeling arm, the hold moments, the allowable moment table
// and the judged criteria rows.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "calc/Grain.h"
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
        const double armArea = (Arm(t.lambda0, expected) + Arm(t.lambda0, upper)) / 2 * (upper - expected);
        EXPECT_NEAR(double(kv::GrainResidualArea(c, t.lambda0, 0.8 * t.lambda0, angle, t.limit)),
                    Rad(gzArea - armArea), 1e-9);
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
    // the exact curve.
    const double expected = stabtest::AreaRad(diff, double(angle), 40);
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

}  // namespace
