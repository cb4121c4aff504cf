// Plane and space geometry on points, segments and polygons, and
// one-dimensional cubic and Hermite splines kept as flat coefficient tables.
//
// Arithmetic is carried in extended precision; every value stored in an array
// element or returned is rounded to double at that point. All routines are
// pure functions of their arguments: input arrays are copied, never reordered
// or overwritten. Bad arguments raise kv::AssertionError with a fixed text.
//
// Coefficient table of a spline over N knots (TReal1DArray):
//   [0]            table length 3 + N + 4(N-1)
//   [1]            kind marker, 3
//   [2]            N
//   [3 .. N+2]     knot abscissae, ascending
//   [N+3+4i ..]    a0, a1, a2, a3 of interval i: a0 + a1 t + a2 t^2 + a3 t^3,
//                  t = x - X[i]
#pragma once

#include "numerics/AssertionError.h"
#include "numerics/GeoTypes.h"

namespace kv {

// Comparison ---------------------------------------------------------------

// True when -Tol <= A - B <= Tol.
bool IsEqual(double A, double B, double Tol);
// IsEqual with Tol = 1e-12.
bool IsEqualDefault(double A, double B);

// Geometry -----------------------------------------------------------------

// Angle in degrees (0..180) at V between the rays to P1 and P3; 0 when either
// ray has no length.
double VertexAngle3D(double x1, double y1, double z1, double vx, double vy, double vz, double x3, double y3,
                     double z3);
double VertexAngle3D(const TPoint3D& P1, const TPoint3D& V, const TPoint3D& P3);

double Distance2D(double X1, double Y1, double X2, double Y2);
// Point of the segment S-E nearest to P (S for a segment of zero length).
TPoint2D NearestPointOnSegment(const TPoint2D& P, const TPoint2D& S, const TPoint2D& E);
double PointSegmentDistance(const TPoint2D& P, const TSegment2D& G);
TSegment2D MakeSegment(const TPoint2D& P1, const TPoint2D& P2);
// Crossing-number test with a ray towards +X. An edge counts when one end lies
// at or below P.Y and the other strictly above, so a ray through a vertex is
// counted once. Fewer than 3 vertices contain nothing.
bool PointInPolygon(const TPoint2D& P, const TPolygon2D& Poly);

// Arrays and linear algebra ------------------------------------------------

TReal1DArray CopyRealArray(const TReal1DArray& A);
// Sort the first N entries ascending by X, carrying the companions along:
// nothing is done for strictly ascending input, strictly descending input is
// reversed, anything else is heap-sorted.
void SortSplinePoints(TReal1DArray& X, TReal1DArray& Y, int N);
void SortHermitePoints(TReal1DArray& X, TReal1DArray& Y, TReal1DArray& D, int N);
// Thomas algorithm (no pivoting) for sub-diagonal A, diagonal B,
// super-diagonal C and right-hand side D; the inputs are not changed.
TReal1DArray SolveTridiagonalSystem(const TReal1DArray& A, const TReal1DArray& B, const TReal1DArray& C,
                                    const TReal1DArray& D, int N);

// Splines ------------------------------------------------------------------

// End condition codes: 0 parabolic end (value ignored), 1 first derivative,
// 2 second derivative (0 gives the natural spline).
void BuildCubicSpline(const TReal1DArray& X, const TReal1DArray& Y, int N, int BoundLType, double BoundL,
                      int BoundRType, double BoundR, TReal1DArray& C);
// D holds the first derivative at each knot.
void BuildHermiteSpline(const TReal1DArray& X, const TReal1DArray& Y, const TReal1DArray& D, int N,
                        TReal1DArray& C);

// Outside the knots the end cubics are extended (no clamping, no error).
double SplineInterpolation(const TReal1DArray& C, double X);
void SplineDerivatives(const TReal1DArray& C, double X, double& S, double& DS, double& D2S);
// Integral from the first knot to X (negative below the first knot).
double SplineIntegration(const TReal1DArray& C, double X);

}  // namespace kv
