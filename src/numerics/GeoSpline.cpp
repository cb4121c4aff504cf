#include "numerics/GeoSpline.h"

#include <cmath>
#include <utility>

namespace kv {

using Ext = long double;

// Comparison ---------------------------------------------------------------

bool IsEqual(double A, double B, double Tol) {
    Ext d = Ext(A) - Ext(B);
    bool result = -Ext(Tol) <= d && d <= Ext(Tol);
    bool check = std::fabs(d) <= Ext(Tol);
    if (result != check) throw AssertionError("Error - Illogical error in equality check. (IsEqual)");
    return result;
}

bool IsEqualDefault(double A, double B) { return IsEqual(A, B, 1e-12); }

// Geometry -----------------------------------------------------------------

double VertexAngle3D(double x1, double y1, double z1, double vx, double vy, double vz, double x3, double y3,
                     double z3) {
    const double ux = x1 - vx, uy = y1 - vy, uz = z1 - vz;
    const double wx = x3 - vx, wy = y3 - vy, wz = z3 - vz;
    Ext q = (Ext(ux) * ux + Ext(uy) * uy + Ext(uz) * uz) * (Ext(wx) * wx + Ext(wy) * wy + Ext(wz) * wz);
    if (IsEqualDefault(0.0, double(q))) return 0.0;
    Ext c = (Ext(ux) * wx + Ext(uy) * wy + Ext(uz) * wz) / std::sqrt(q);
    // Rounding can carry the cosine of (anti)parallel rays just past 1.
    if (c > 1) c = 1;
    if (c < -1) c = -1;
    return double(std::acos(c) * 57.295779513082320877L);
}

double VertexAngle3D(const TPoint3D& P1, const TPoint3D& V, const TPoint3D& P3) {
    return VertexAngle3D(P1.X, P1.Y, P1.Z, V.X, V.Y, V.Z, P3.X, P3.Y, P3.Z);
}

double Distance2D(double X1, double Y1, double X2, double Y2) {
    Ext dx = Ext(X1) - X2, dy = Ext(Y1) - Y2;
    return double(std::sqrt(dx * dx + dy * dy));
}

TPoint2D NearestPointOnSegment(const TPoint2D& P, const TPoint2D& S, const TPoint2D& E) {
    Ext dx = Ext(E.X) - S.X, dy = Ext(E.Y) - S.Y;
    Ext l = dx * (Ext(P.X) - S.X) + dy * (Ext(P.Y) - S.Y);
    if (l <= 0) return S;
    Ext m = dx * dx + dy * dy;
    if (l < m) return TPoint2D{double(S.X + dx * (l / m)), double(S.Y + dy * (l / m))};
    return E;
}

double PointSegmentDistance(const TPoint2D& P, const TSegment2D& G) {
    TPoint2D n = NearestPointOnSegment(P, G.P1, G.P2);
    return Distance2D(P.X, P.Y, n.X, n.Y);
}

TSegment2D MakeSegment(const TPoint2D& P1, const TPoint2D& P2) { return TSegment2D{P1, P2}; }

bool PointInPolygon(const TPoint2D& P, const TPolygon2D& Poly) {
    const size_t n = Poly.size();
    if (n < 3) return false;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const TPoint2D& a = Poly[i];
        const TPoint2D& b = Poly[j];
        if (((a.Y <= P.Y && P.Y < b.Y) || (b.Y <= P.Y && P.Y < a.Y)) &&
            Ext(P.X) - a.X < (Ext(b.X) - a.X) * (Ext(P.Y) - a.Y) / (Ext(b.Y) - a.Y))
            inside = !inside;
    }
    return inside;
}

// Arrays and linear algebra ------------------------------------------------

TReal1DArray CopyRealArray(const TReal1DArray& A) { return A; }

namespace {

// Sorts X[0..N-1] ascending, applying every swap to the companion arrays.
template <class SwapFn>
void SortByX(TReal1DArray& X, int N, SwapFn swapAt) {
    bool ascending = true, descending = true;
    for (int i = 1; i < N; ++i) {
        if (!(X[i] > X[i - 1])) ascending = false;
        if (!(X[i] < X[i - 1])) descending = false;
    }
    if (ascending) return;
    if (descending) {
        for (int j = 0; j < N / 2; ++j) swapAt(j, N - 1 - j);
        return;
    }
    // Heap sort: build a max-heap by sifting each element up ...
    for (int i = 2; i <= N; ++i) {
        int k = i;
        while (k > 1 && X[k / 2 - 1] < X[k - 1]) {
            swapAt(k / 2 - 1, k - 1);
            k /= 2;
        }
    }
    // ... then move the largest to the end and sift the new root down.
    for (int k = N - 1; k >= 1; --k) {
        swapAt(0, k);
        int p = 0;
        for (;;) {
            int c = 2 * p + 1;
            if (c >= k) break;
            if (c + 1 < k && X[c + 1] > X[c]) ++c;
            if (X[p] >= X[c]) break;
            swapAt(p, c);
            p = c;
        }
    }
}

int Count(int N, std::initializer_list<const TReal1DArray*> arrays) {
    int n = N < 0 ? 0 : N;
    for (const TReal1DArray* a : arrays)
        if (size_t(n) > a->size()) n = int(a->size());
    return n;
}

}  // namespace

void SortSplinePoints(TReal1DArray& X, TReal1DArray& Y, int N) {
    N = Count(N, {&X, &Y});
    SortByX(X, N, [&](int a, int b) {
        std::swap(X[a], X[b]);
        std::swap(Y[a], Y[b]);
    });
}

void SortHermitePoints(TReal1DArray& X, TReal1DArray& Y, TReal1DArray& D, int N) {
    N = Count(N, {&X, &Y, &D});
    SortByX(X, N, [&](int a, int b) {
        std::swap(X[a], X[b]);
        std::swap(Y[a], Y[b]);
        std::swap(D[a], D[b]);
    });
}

TReal1DArray SolveTridiagonalSystem(const TReal1DArray& A0, const TReal1DArray& B0, const TReal1DArray& C0,
                                    const TReal1DArray& D0, int N) {
    N = Count(N, {&A0, &B0, &C0, &D0});
    TReal1DArray x(size_t(N), 0.0);
    if (N == 0) return x;
    TReal1DArray A = A0, B = B0, C = C0, D = D0;
    A[0] = 0;
    C[size_t(N - 1)] = 0;
    for (int k = 1; k < N; ++k) {
        Ext t = Ext(A[k]) / B[k - 1];
        B[k] = double(B[k] - t * C[k - 1]);
        D[k] = double(D[k] - t * D[k - 1]);
    }
    x[size_t(N - 1)] = double(Ext(D[N - 1]) / B[N - 1]);
    for (int k = N - 2; k >= 0; --k) x[k] = double((D[k] - Ext(C[k]) * x[k + 1]) / B[k]);
    return x;
}

// Splines ------------------------------------------------------------------

void BuildCubicSpline(const TReal1DArray& X0, const TReal1DArray& Y0, int N, int BoundLType, double BoundL,
                      int BoundRType, double BoundR, TReal1DArray& C) {
    TReal1DArray X = CopyRealArray(X0), Y = CopyRealArray(Y0);
    if (N < 2) throw AssertionError("BuildCubicSpline: N<2!");
    if (BoundLType < 0 || BoundLType > 2) throw AssertionError("BuildCubicSpline: incorrect BoundLType!");
    if (BoundRType < 0 || BoundRType > 2) throw AssertionError("BuildCubicSpline: incorrect BoundRType!");
    // A count beyond the points given would read past the arrays.
    if (size_t(N) > X.size() || size_t(N) > Y.size())
        throw AssertionError("BuildCubicSpline: N exceeds the points given!");
    const size_t n = size_t(N);
    TReal1DArray A1(n, 0.0), A2(n, 0.0), A3(n, 0.0), B(n, 0.0);
    if (N == 2 && BoundLType == 0 && BoundRType == 0) {
        BoundLType = BoundRType = 2;
        BoundL = BoundR = 0;
    }
    SortSplinePoints(X, Y, N);

    Ext h = Ext(X[1]) - X[0];
    switch (BoundLType) {
    case 0: A1[0] = 0; A2[0] = 1; A3[0] = 1; B[0] = double(2 * (Ext(Y[1]) - Y[0]) / h); break;
    case 1: A1[0] = 0; A2[0] = 1; A3[0] = 0; B[0] = BoundL; break;
    default: A1[0] = 0; A2[0] = 2; A3[0] = 1; B[0] = double(3 * (Ext(Y[1]) - Y[0]) / h - 0.5L * BoundL * h); break;
    }
    for (int i = 1; i <= N - 2; ++i) {
        Ext hl = Ext(X[i]) - X[i - 1], hr = Ext(X[i + 1]) - X[i];
        A1[i] = double(hr);
        A2[i] = double(2 * (Ext(X[i + 1]) - X[i - 1]));
        A3[i] = double(hl);
        B[i] = double(3 * (Ext(Y[i]) - Y[i - 1]) / hl * hr + 3 * (Ext(Y[i + 1]) - Y[i]) / hr * hl);
    }
    const int r = N - 1;
    h = Ext(X[r]) - X[r - 1];
    switch (BoundRType) {
    case 0: A1[r] = 1; A2[r] = 1; A3[r] = 0; B[r] = double(2 * (Ext(Y[r]) - Y[r - 1]) / h); break;
    case 1: A1[r] = 0; A2[r] = 1; A3[r] = 0; B[r] = BoundR; break;
    default: A1[r] = 1; A2[r] = 2; A3[r] = 0; B[r] = double(3 * (Ext(Y[r]) - Y[r - 1]) / h + 0.5L * BoundR * h); break;
    }
    TReal1DArray D = SolveTridiagonalSystem(A1, A2, A3, B, N);
    BuildHermiteSpline(X, Y, D, N, C);
}

void BuildHermiteSpline(const TReal1DArray& X0, const TReal1DArray& Y0, const TReal1DArray& D0, int N,
                        TReal1DArray& C) {
    TReal1DArray X = CopyRealArray(X0), Y = CopyRealArray(Y0), D = CopyRealArray(D0);
    if (N < 2) throw AssertionError("BuildHermiteSpline: N<2!");
    if (size_t(N) > X.size() || size_t(N) > Y.size() || size_t(N) > D.size())
        throw AssertionError("BuildHermiteSpline: N exceeds the points given!");
    SortHermitePoints(X, Y, D, N);
    const size_t size = size_t(3 + N + 4 * (N - 1));
    TReal1DArray t(size, 0.0);
    t[0] = double(size);
    t[1] = 3;
    t[2] = N;
    for (int i = 0; i < N; ++i) t[size_t(3 + i)] = X[i];
    for (int i = 0; i <= N - 2; ++i) {
        Ext h = Ext(X[i + 1]) - X[i];
        size_t k = size_t(3 + N + 4 * i);
        t[k] = Y[i];
        t[k + 1] = D[i];
        t[k + 2] = double((3 * (Ext(Y[i + 1]) - Y[i]) - 2 * Ext(D[i]) * h - Ext(D[i + 1]) * h) / (h * h));
        t[k + 3] = double((2 * (Ext(Y[i]) - Y[i + 1]) + Ext(D[i]) * h + Ext(D[i + 1]) * h) / (h * h * h));
    }
    C = std::move(t);
}

namespace {

// Checks a coefficient table (also its length, so that a damaged table
// cannot be read past its end) and finds the interval of X: returns the
// index L of its left knot in the table (3 .. N+1) and the knot count.
int FindInterval(const TReal1DArray& C, double X, int& N, const char* error) {
    if (C.size() < 3 || !std::isfinite(C[1]) || std::lround(C[1]) != 3 || !std::isfinite(C[2]))
        throw AssertionError(error);
    Ext n = std::round(Ext(C[2]));
    if (n < 2 || n > Ext(C.size())) throw AssertionError(error);
    N = int(n);
    if (C.size() < size_t(3 + N + 4 * (N - 1))) throw AssertionError(error);
    int L = 3, R = N + 2;
    while (L != R - 1) {
        int M = (L + R) / 2;
        if (X <= C[size_t(M)]) R = M;
        else L = M;
    }
    return L;
}

}  // namespace

double SplineInterpolation(const TReal1DArray& C, double X) {
    int N = 0;
    int L = FindInterval(C, X, N, "SplineInterpolation: incorrect C!");
    Ext t = Ext(X) - C[size_t(L)];
    size_t k = size_t(3 + N + 4 * (L - 3));
    return double(C[k] + t * (C[k + 1] + t * (C[k + 2] + t * C[k + 3])));
}

void SplineDerivatives(const TReal1DArray& C, double X, double& S, double& DS, double& D2S) {
    int N = 0;
    int L = FindInterval(C, X, N, "SplineInterpolation: incorrect C!");
    Ext t = Ext(X) - C[size_t(L)];
    size_t k = size_t(3 + N + 4 * (L - 3));
    S = double(C[k] + t * (C[k + 1] + t * (C[k + 2] + t * C[k + 3])));
    DS = double(C[k + 1] + 2 * Ext(C[k + 2]) * t + 3 * Ext(C[k + 3]) * t * t);
    D2S = double(2 * Ext(C[k + 2]) + 6 * Ext(C[k + 3]) * t);
}

double SplineIntegration(const TReal1DArray& C, double X) {
    int N = 0;
    int L = FindInterval(C, X, N, "SplineIntegration: incorrect C!");
    auto piece = [&](int interval, Ext w) {
        size_t k = size_t(3 + N + 4 * interval);
        return C[k] * w + C[k + 1] * w * w / 2 + C[k + 2] * w * w * w / 3 + C[k + 3] * w * w * w * w / 4;
    };
    Ext sum = 0;
    for (int j = 0; j < L - 3; ++j) sum += piece(j, Ext(C[size_t(4 + j)]) - C[size_t(3 + j)]);
    sum += piece(L - 3, Ext(X) - C[size_t(L)]);
    return double(sum);
}

}  // namespace kv
