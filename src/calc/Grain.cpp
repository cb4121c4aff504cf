// Grain stability by the International Grain Code: heeling moments of the
// grain holds, the heeling arms, the allowable moment, the static angle of
// heel, the residual area and their judgement.
#include "calc/Grain.h"

#include <algorithm>
#include <cmath>

#include "numerics/GeoSpline.h"

namespace kv {

namespace {

constexpr Extended kDegToRad = 3.14159265358979323846264338327950288L / 180;
constexpr Extended kArmEndAngle = 40;  // the heeling arm runs from 0 to 40 degrees

// The straight heeling arm through (0, lambda0) and (40, lambda40).
Extended ArmAt(Extended lambda0, Extended lambda40, Extended angle) {
    return lambda0 + (lambda40 - lambda0) * angle / kArmEndAngle;
}

}  // namespace

Extended GrainStaticAngle(const TReal1DArray& gzSpline, Extended lambda0, Extended lambda40) {
    if (gzSpline.size() < 4) return 0;
    // Crossings lying on a whole degree are found from either chord: allow a
    // sliver of rounding at both ends of each chord.
    constexpr double tol = 1e-9;
    const double armSlope = double((lambda40 - lambda0) / kArmEndAngle);
    for (int j = 1; j <= int(kArmEndAngle); ++j) {
        const double x0 = j - 1, x1 = j;
        const double y0 = SplineInterpolation(gzSpline, x0), y1 = SplineInterpolation(gzSpline, x1);
        const double chordSlope = y1 - y0;
        if (chordSlope == armSlope) continue;  // parallel or lying on the arm
        // y0 + chordSlope (x - x0) = lambda0 + armSlope x
        double x = (double(lambda0) - y0 + chordSlope * x0) / (chordSlope - armSlope);
        if (!std::isfinite(x) || x < x0 - tol || x > x1 + tol) continue;
        x = std::clamp(x, x0, x1);
        double s, ds, d2s;
        SplineDerivatives(gzSpline, x, s, ds, d2s);
        if (ds >= 0) return x;
    }
    return 0;
}

Extended GrainResidualArea(const TReal1DArray& gzSpline, Extended lambda0, Extended lambda40, Extended staticAngle,
                           Extended angleLimit) {
    if (gzSpline.size() < 4) return 0;
    const Extended upper = angleLimit < kArmEndAngle ? angleLimit : kArmEndAngle;
    const Extended gzArea = Extended(SplineIntegration(gzSpline, double(upper))) -
                            Extended(SplineIntegration(gzSpline, double(staticAngle)));
    // The area under the heeling arm between the static angle and the upper
    // limit is the trapezoid of the arm's own ordinates at those two angles.
    const Extended armArea =
        (ArmAt(lambda0, lambda40, staticAngle) + ArmAt(lambda0, lambda40, upper)) * (upper - staticAngle) / 2;
    return (gzArea - armArea) * kDegToRad;
}

}  // namespace kv
