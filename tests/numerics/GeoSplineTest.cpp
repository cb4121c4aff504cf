#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include "numerics/GeoSpline.h"

using namespace kv;

namespace {

// The message of the AssertionError the call raises ("" when none).
std::string AssertionText(const std::function<void()>& call) {
    try {
        call();
    } catch (const AssertionError& e) {
        return e.what();
    }
    return "";
}

TEST(IsEqual, ToleranceIsInclusive) {
    EXPECT_TRUE(IsEqual(1.0, 1.0 + 1e-13, 1e-12));
    EXPECT_TRUE(IsEqual(0.5, 0.25, 0.25));
    EXPECT_TRUE(IsEqual(0.25, 0.5, 0.25));
    EXPECT_FALSE(IsEqual(1.0, 1.1, 0.05));
    EXPECT_FALSE(IsEqual(std::nan(""), 1.0, 1.0));
    EXPECT_TRUE(IsEqualDefault(2.0, 2.0 + 5e-13));
    EXPECT_FALSE(IsEqualDefault(2.0, 2.0 + 1e-11));
}

TEST(VertexAngle3D, AnglesAtTheVertex) {
    const struct {
        TPoint3D p1, v, p3;
        double degrees;
    } cases[] = {
        {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}, 90},
        {{2, 3, 4}, {1, 3, 4}, {1, 3, 9}, 90},
        {{1, 0, 0}, {0, 0, 0}, {-3, 0, 0}, 180},
        {{1, 0, 0}, {0, 0, 0}, {0.5, std::sqrt(3.0) / 2, 0}, 60},
        {{1, 1, 1}, {0, 0, 0}, {2, 2, 2}, 0},
        {{0.1, 0.7, 0.3}, {0, 0, 0}, {0.3, 2.1, 0.9}, 0},  // rounding pushes the cosine past 1
        {{5, 5, 5}, {5, 5, 5}, {1, 2, 3}, 0},             // P1 = V
        {{1, 2, 3}, {5, 5, 5}, {5, 5, 5}, 0},             // P3 = V
    };
    for (const auto& c : cases) {
        double a = VertexAngle3D(c.p1, c.v, c.p3);
        EXPECT_NEAR(a, c.degrees, 1e-6) << c.p1.X << "," << c.p1.Y << "," << c.p1.Z;
        EXPECT_EQ(a, VertexAngle3D(c.p1.X, c.p1.Y, c.p1.Z, c.v.X, c.v.Y, c.v.Z, c.p3.X, c.p3.Y, c.p3.Z));
    }
}

TEST(SegmentGeometry, NearestPointAndDistance) {
    const TPoint2D S{1, 1}, E{5, 1};
    const struct {
        TPoint2D p;
        TPoint2D nearest;
    } cases[] = {
        {{0, 3}, {1, 1}},   // before the start
        {{1, 0}, {1, 1}},   // at the start's foot
        {{3, -2}, {3, 1}},  // inside
        {{5, 7}, {5, 1}},   // at the end's foot
        {{9, 2}, {5, 1}},   // beyond the end
    };
    for (const auto& c : cases) {
        TPoint2D n = NearestPointOnSegment(c.p, S, E);
        EXPECT_DOUBLE_EQ(n.X, c.nearest.X);
        EXPECT_DOUBLE_EQ(n.Y, c.nearest.Y);
    }
    // A slanted segment: the foot of the perpendicular.
    TPoint2D n = NearestPointOnSegment({0, 2}, {0, 0}, {2, 2});
    EXPECT_DOUBLE_EQ(n.X, 1);
    EXPECT_DOUBLE_EQ(n.Y, 1);
    // A segment of zero length yields its start without dividing by zero.
    n = NearestPointOnSegment({4, 4}, {2, 3}, {2, 3});
    EXPECT_EQ(n.X, 2);
    EXPECT_EQ(n.Y, 3);

    EXPECT_DOUBLE_EQ(Distance2D(1, 2, 4, 6), 5);
    EXPECT_DOUBLE_EQ(PointSegmentDistance({3, 4}, MakeSegment(S, E)), 3);
    EXPECT_DOUBLE_EQ(PointSegmentDistance({8, 5}, MakeSegment(S, E)), 5);
    TSegment2D g = MakeSegment({1, 2}, {3, 4});
    EXPECT_EQ(g.P1.X, 1);
    EXPECT_EQ(g.P2.Y, 4);
}

TEST(PointInPolygon, HalfOpenCrossingRule) {
    const TPolygon2D square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const TPolygon2D diamond{{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    const TPolygon2D triangle{{0, 0}, {10, 0}, {5, 5}};
    const struct {
        const TPolygon2D* poly;
        TPoint2D p;
        bool inside;
    } cases[] = {
        {&square, {5, 5}, true},
        {&square, {15, 5}, false},
        {&square, {-1, 5}, false},
        {&square, {5, 11}, false},
        {&square, {0, 5}, true},    // left edge belongs to the polygon ...
        {&square, {10, 5}, false},  // ... the right edge does not
        {&square, {5, 0}, true},    // bottom edge in, top edge out
        {&square, {5, 10}, false},
        {&diamond, {2, 5}, true},   // the ray passes through vertex (10,5): one toggle
        {&diamond, {8, 5}, true},
        {&diamond, {12, 5}, false},
        {&diamond, {-1, 5}, false},  // the ray runs through both side vertices
        {&triangle, {-1, 5}, false}, // the ray touches the apex only
        {&triangle, {5, 2}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointInPolygon(c.p, *c.poly), c.inside) << c.p.X << "," << c.p.Y;
    EXPECT_FALSE(PointInPolygon({0.1, 0.1}, TPolygon2D{{0, 0}, {1, 1}}));
    EXPECT_FALSE(PointInPolygon({0, 0}, TPolygon2D{}));
}

TEST(SplineSorting, AscendingKeptDescendingReversedOtherwiseHeapSorted) {
    TReal1DArray x{1, 2, 3}, y{10, 20, 30};
    SortSplinePoints(x, y, 3);
    EXPECT_EQ(x, (TReal1DArray{1, 2, 3}));
    EXPECT_EQ(y, (TReal1DArray{10, 20, 30}));

    x = {4, 3, 2, 1};
    y = {40, 30, 20, 10};
    TReal1DArray d{-4, -3, -2, -1};
    SortHermitePoints(x, y, d, 4);
    EXPECT_EQ(x, (TReal1DArray{1, 2, 3, 4}));
    EXPECT_EQ(y, (TReal1DArray{10, 20, 30, 40}));
    EXPECT_EQ(d, (TReal1DArray{-1, -2, -3, -4}));

    // Only the first N entries are sorted.
    x = {3, 1, 2, 0};
    y = {30, 10, 20, 0};
    SortSplinePoints(x, y, 3);
    EXPECT_EQ(x, (TReal1DArray{1, 2, 3, 0}));
    EXPECT_EQ(y, (TReal1DArray{10, 20, 30, 0}));

    // Random orders of many sizes, with companions carried along.
    std::mt19937 rng(7);
    for (int n = 1; n <= 40; ++n) {
        TReal1DArray xs, ys, ds;
        for (int i = 0; i < n; ++i) xs.push_back(double(i * 3 % 17) + 0.25 * i);
        std::shuffle(xs.begin(), xs.end(), rng);
        for (double v : xs) {
            ys.push_back(v * 2 + 1);
            ds.push_back(-v);
        }
        SortHermitePoints(xs, ys, ds, n);
        ASSERT_TRUE(std::is_sorted(xs.begin(), xs.end())) << n;
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(ys[i], xs[i] * 2 + 1);
            ASSERT_EQ(ds[i], -xs[i]);
        }
    }
}

TEST(SolveTridiagonalSystem, SolvesAndLeavesInputs) {
    // 4x4 system with a known solution.
    const TReal1DArray a{99, 1, 2, 1}, b{4, 5, 6, 3}, c{1, 2, 1, 99}, sol{1, -2, 3, 0.5};
    TReal1DArray d(4);
    for (int i = 0; i < 4; ++i)
        d[i] = (i > 0 ? a[i] * sol[i - 1] : 0) + b[i] * sol[i] + (i < 3 ? c[i] * sol[i + 1] : 0);
    const TReal1DArray a0 = a, b0 = b, c0 = c, d0 = d;
    TReal1DArray x = SolveTridiagonalSystem(a, b, c, d, 4);
    ASSERT_EQ(x.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(x[i], sol[i], 1e-14);
    EXPECT_EQ(a, a0);
    EXPECT_EQ(b, b0);
    EXPECT_EQ(c, c0);
    EXPECT_EQ(d, d0);
}

double Quadratic(double x) { return 2 * x * x - x + 3; }
double QuadraticSlope(double x) { return 4 * x - 1; }

TEST(BuildCubicSpline, EveryEndConditionReproducesAQuadratic) {
    // A parabolic end, a given slope and a given second derivative all hold
    // exactly for a quadratic, so each combination must reproduce it.
    const TReal1DArray x{-1, 0.5, 2, 2.5, 4};
    TReal1DArray y;
    for (double v : x) y.push_back(Quadratic(v));
    const double boundValue[3][2] = {{0, 0}, {QuadraticSlope(-1), QuadraticSlope(4)}, {4, 4}};
    for (int l = 0; l <= 2; ++l) {
        for (int r = 0; r <= 2; ++r) {
            TReal1DArray c;
            BuildCubicSpline(x, y, 5, l, boundValue[l][0], r, boundValue[r][1], c);
            for (double t : {-2.0, -1.0, -0.3, 0.5, 1.7, 2.2, 3.9, 4.0, 5.5}) {
                double s, ds, d2s;
                SplineDerivatives(c, t, s, ds, d2s);
                EXPECT_NEAR(SplineInterpolation(c, t), Quadratic(t), 1e-11) << l << r << " at " << t;
                EXPECT_NEAR(s, Quadratic(t), 1e-11);
                EXPECT_NEAR(ds, QuadraticSlope(t), 1e-10) << l << r << " at " << t;
                EXPECT_NEAR(d2s, 4, 1e-9) << l << r << " at " << t;
            }
        }
    }
}

double Cubic(double x) { return x * x * x - 2 * x * x + 1; }
double CubicIntegral(double x) { return x * x * x * x / 4 - 2 * x * x * x / 3 + x; }

TEST(BuildCubicSpline, ExactEndDerivativesReproduceACubic) {
    const TReal1DArray x{0, 1, 2, 3.5, 5};
    TReal1DArray y;
    for (double v : x) y.push_back(Cubic(v));
    TReal1DArray bySlope, byCurvature;
    BuildCubicSpline(x, y, 5, 1, 0.0, 1, 55.0, bySlope);
    BuildCubicSpline(x, y, 5, 2, -4.0, 2, 26.0, byCurvature);
    for (const TReal1DArray* c : {&bySlope, &byCurvature}) {
        for (double t : {-1.0, 0.0, 0.4, 1.0, 2.7, 5.0, 6.0}) {
            EXPECT_NEAR(SplineInterpolation(*c, t), Cubic(t), 1e-10) << t;
            // Integral from the first knot: 0 there, negative below it,
            // continued past the last knot by the end cubic.
            EXPECT_NEAR(SplineIntegration(*c, t), CubicIntegral(t), 1e-10) << t;
        }
        EXPECT_EQ(SplineIntegration(*c, 0.0), 0.0);
    }
    EXPECT_LT(SplineIntegration(bySlope, -0.5), 0);
}

TEST(BuildCubicSpline, TwoPointsWithParabolicEndsGiveTheStraightLine) {
    TReal1DArray c;
    BuildCubicSpline({1, 3}, {2, 6}, 2, 0, 123.0, 0, -55.0, c);
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0], 9);
    EXPECT_EQ(c[1], 3);
    EXPECT_EQ(c[2], 2);
    for (double t : {-1.0, 1.0, 2.0, 3.0, 10.0}) {
        double s, ds, d2s;
        SplineDerivatives(c, t, s, ds, d2s);
        EXPECT_NEAR(s, 2 + 2 * (t - 1), 1e-12) << t;
        EXPECT_NEAR(ds, 2, 1e-12);
        EXPECT_NEAR(d2s, 0, 1e-12);
    }
    EXPECT_NEAR(SplineIntegration(c, 3), 8, 1e-12);
}

TEST(BuildCubicSpline, InterpolatesTheKnotsAndLeavesTheInputs) {
    const TReal1DArray x{0, 0.7, 1.1, 2.5, 3.0, 4.2}, y{0, 0.3, 0.9, 0.4, -0.2, 0.1};
    const TReal1DArray x0 = x, y0 = y;
    TReal1DArray c;
    BuildCubicSpline(x, y, 6, 2, 0.0, 2, 0.0, c);
    EXPECT_EQ(x, x0);
    EXPECT_EQ(y, y0);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(SplineInterpolation(c, x[i]), y[i], 1e-14) << x[i];
    // Natural ends.
    double s, ds, d2s;
    SplineDerivatives(c, 0, s, ds, d2s);
    EXPECT_NEAR(d2s, 0, 1e-12);
    SplineDerivatives(c, 4.2, s, ds, d2s);
    EXPECT_NEAR(d2s, 0, 1e-12);
    // First and second derivatives are continuous at interior knots.
    for (double k : {0.7, 1.1, 2.5, 3.0}) {
        double sl, dl, d2l, sr, dr, d2r;
        SplineDerivatives(c, k, sl, dl, d2l);
        SplineDerivatives(c, k + 1e-9, sr, dr, d2r);
        EXPECT_NEAR(dl, dr, 1e-6) << k;
        EXPECT_NEAR(d2l, d2r, 1e-6) << k;
    }
}

TEST(BuildCubicSpline, InputOrderDoesNotChangeTheTable) {
    const TReal1DArray x{0, 1, 2.5, 3, 4.5}, y{1, 3, 2, 5, 4};
    TReal1DArray ascending, descending, shuffled;
    BuildCubicSpline(x, y, 5, 1, 0.5, 0, 0.0, ascending);
    TReal1DArray xd(x.rbegin(), x.rend()), yd(y.rbegin(), y.rend());
    BuildCubicSpline(xd, yd, 5, 1, 0.5, 0, 0.0, descending);
    BuildCubicSpline({2.5, 0, 4.5, 1, 3}, {2, 1, 4, 3, 5}, 5, 1, 0.5, 0, 0.0, shuffled);
    EXPECT_EQ(descending, ascending);
    EXPECT_EQ(shuffled, ascending);
    ASSERT_EQ(ascending.size(), size_t(3 + 5 + 4 * 4));
    EXPECT_EQ(TReal1DArray(ascending.begin() + 3, ascending.begin() + 8), x);
    // The parabolic right end has no third-order term.
    EXPECT_NEAR(ascending.back(), 0, 1e-12);
}

TEST(BuildHermiteSpline, CoefficientsAndIntervalChoiceAtKnots) {
    TReal1DArray c;
    BuildHermiteSpline({0, 2}, {1, 3}, {0, 0}, 2, c);
    EXPECT_EQ(c, (TReal1DArray{9, 3, 2, 0, 2, 1, 0, 1.5, -0.5}));

    // The second derivative jumps at x = 1: -2 from the left, -10 from the
    // right. At the knot itself the interval ending there is used.
    BuildHermiteSpline({0, 1, 2}, {0, 1, 0}, {0, 1, 0}, 3, c);
    double s, ds, d2s;
    SplineDerivatives(c, 1.0, s, ds, d2s);
    EXPECT_DOUBLE_EQ(s, 1);
    EXPECT_DOUBLE_EQ(ds, 1);
    EXPECT_DOUBLE_EQ(d2s, -2);
    SplineDerivatives(c, 1.0 + 1e-12, s, ds, d2s);
    EXPECT_NEAR(d2s, -10, 1e-9);
    // Beyond the ends the end cubics continue.
    EXPECT_DOUBLE_EQ(SplineInterpolation(c, -1), 0 + 0 * -1 + 2 * 1 + -1 * -1);
}

TEST(SplineErrors, MessagesAreExact) {
    TReal1DArray c;
    const TReal1DArray x{0, 1, 2}, y{0, 1, 4};
    EXPECT_EQ(AssertionText([&] { BuildCubicSpline(x, y, 1, 0, 0, 0, 0, c); }), "BuildCubicSpline: N<2!");
    EXPECT_EQ(AssertionText([&] { BuildCubicSpline(x, y, 3, 3, 0, 0, 0, c); }),
              "BuildCubicSpline: incorrect BoundLType!");
    EXPECT_EQ(AssertionText([&] { BuildCubicSpline(x, y, 3, -1, 0, 0, 0, c); }),
              "BuildCubicSpline: incorrect BoundLType!");
    EXPECT_EQ(AssertionText([&] { BuildCubicSpline(x, y, 3, 0, 0, 3, 0, c); }),
              "BuildCubicSpline: incorrect BoundRType!");
    EXPECT_EQ(AssertionText([&] { BuildHermiteSpline(x, y, y, 0, c); }), "BuildHermiteSpline: N<2!");
    EXPECT_TRUE(c.empty()) << "no table is produced on an error";
    // A count beyond the points given is refused rather than read past the arrays.
    EXPECT_NE(AssertionText([&] { BuildCubicSpline(x, y, 4, 0, 0, 0, 0, c); }), "");
    EXPECT_NE(AssertionText([&] { BuildHermiteSpline(x, y, {0, 0}, 3, c); }), "");

    BuildCubicSpline(x, y, 3, 2, 0, 2, 0, c);
    TReal1DArray wrongKind = c;
    wrongKind[1] = 2;
    TReal1DArray cut(c.begin(), c.end() - 1);
    TReal1DArray badCount = c;
    badCount[2] = 40;
    for (const TReal1DArray& bad : {wrongKind, cut, badCount, TReal1DArray{}, TReal1DArray{3, 3}}) {
        EXPECT_EQ(AssertionText([&] { SplineInterpolation(bad, 0.5); }), "SplineInterpolation: incorrect C!");
        EXPECT_EQ(AssertionText([&] {
                      double s, ds, d2s;
                      SplineDerivatives(bad, 0.5, s, ds, d2s);
                  }),
                  "SplineInterpolation: incorrect C!");
        EXPECT_EQ(AssertionText([&] { SplineIntegration(bad, 0.5); }), "SplineIntegration: incorrect C!");
    }
    EXPECT_EQ(AssertionText([&] { SplineInterpolation(c, 0.5); }), "");
}

}  // namespace
