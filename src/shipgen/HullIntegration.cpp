// Integration over the hull below an inclined water plane.
#include "shipgen/HullIntegration.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv::shipgen {

namespace {

constexpr double kDeg = M_PI / 180.0;

}  // namespace

ImmersionModel::ImmersionModel(const Hull& hull) : hull_(hull) {
    xs_ = hull.IntegrationStations();
    const size_t n = xs_.size();
    weights_.assign(n, 0.0);
    // Simpson's rule over consecutive pairs of intervals (spacing may differ
    // between pairs); a last odd interval, if any, by the trapezoid rule.
    size_t i = 0;
    for (; i + 2 < n; i += 2) {
        const double h0 = xs_[i + 1] - xs_[i], h1 = xs_[i + 2] - xs_[i + 1];
        const double s = h0 + h1;
        weights_[i] += s / 6 * (2 - h1 / h0);
        weights_[i + 1] += s * s * s / (6 * h0 * h1);
        weights_[i + 2] += s / 6 * (2 - h0 / h1);
    }
    if (i + 1 < n) {
        weights_[i] += (xs_[i + 1] - xs_[i]) / 2;
        weights_[i + 1] += (xs_[i + 1] - xs_[i]) / 2;
    }
    sections_.reserve(n);
    for (double x : xs_) sections_.push_back(hull.Section(x));
    for (size_t k = 0; k < n; ++k) total_ += weights_[k] * Properties(sections_[k]).area;
}

double ImmersionModel::LineOffset(double x, double trim) const {
    return (x - hull_.Lbp() / 2) * trim / hull_.Lbp();
}

Immersion ImmersionModel::Integrate(double heelDeg, double trim, double c) const {
    const double a = -std::sin(heelDeg * kDeg), b = std::cos(heelDeg * kDeg);
    Immersion r;
    for (size_t k = 0; k < xs_.size(); ++k) {
        const Poly& sec = sections_[k];
        if (sec.empty()) continue;
        const double x = xs_[k], w = weights_[k];
        const double ck = c + LineOffset(x, trim);
        const SectionProps p = Properties(ClipHalfPlane(sec, a, b, ck));
        r.volume += w * p.area;
        r.mx += w * p.area * x;
        r.my += w * p.my;
        r.mz += w * p.mz;
        const ChordProps ch = ChordOnLine(sec, a, b, ck);
        r.wpArea += w * ch.length;
        r.wpMx += w * ch.length * x;
        r.wpMxx += w * ch.length * x * x;
        r.wpMy += w * ch.my;
        r.wpIyy += w * ch.iyy;
    }
    return r;
}

double ImmersionModel::SolveVolume(double heelDeg, double trim, double volume, const double* guess) const {
    const double a = -std::sin(heelDeg * kDeg), b = std::cos(heelDeg * kDeg);
    // Bracket: below every vertex nothing is immersed, above every vertex all.
    double lo = std::numeric_limits<double>::max(), hi = -lo;
    for (size_t k = 0; k < xs_.size(); ++k) {
        const double off = LineOffset(xs_[k], trim);
        for (const Pt& p : sections_[k]) {
            const double s = a * p.y + b * p.z - off;
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
    }
    if (volume <= 0) return lo;
    if (volume >= total_) return hi;
    double c = guess ? std::clamp(*guess, lo, hi) : lo + (hi - lo) * volume / total_;
    const double tol = 1e-10 * std::max(1.0, total_);
    for (int it = 0; it < 100; ++it) {
        // Volume and its derivative: the waterplane area along the lines.
        double v = 0, dv = 0;
        for (size_t k = 0; k < xs_.size(); ++k) {
            const Poly& sec = sections_[k];
            if (sec.empty()) continue;
            const double ck = c + LineOffset(xs_[k], trim);
            v += weights_[k] * Properties(ClipHalfPlane(sec, a, b, ck)).area;
            dv += weights_[k] * ChordOnLine(sec, a, b, ck).length;
        }
        const double f = v - volume;
        if (std::abs(f) <= tol) return c;
        if (f > 0) hi = c; else lo = c;
        double next = dv > 0 ? c - f / dv : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::abs(next - c) < 1e-12 || hi - lo < 1e-12) return next;
        c = next;
    }
    return c;
}

bool ImmersionModel::WaterlineEnds(double trim, double c, double& xAft, double& xFore) const {
    // Immersion of the section's lowest point; the waterline reaches as far
    // as the sections whose keel lies below the plane (or, where the keel
    // line is flat, out to the hull end).
    auto depthBelow = [&](double x) { return c + LineOffset(x, trim) - hull_.KeelZ(x); };
    auto wetted = [&](double x) {
        if (depthBelow(x) <= 0) return false;
        const Poly sec = hull_.Section(x);
        return ChordOnLine(sec, 0, 1, c + LineOffset(x, trim)).length > 0;
    };
    size_t first = xs_.size(), last = 0;
    for (size_t k = 0; k < xs_.size(); ++k)
        if (wetted(xs_[k])) {
            first = std::min(first, k);
            last = k;
        }
    if (first > last) return false;
    auto refine = [&](double in, double out) {
        for (int it = 0; it < 40; ++it) {
            const double m = 0.5 * (in + out);
            if (wetted(m)) in = m; else out = m;
        }
        return in;
    };
    xAft = first == 0 ? xs_.front() : refine(xs_[first], xs_[first - 1]);
    xFore = last + 1 == xs_.size() ? xs_.back() : refine(xs_[last], xs_[last + 1]);
    return true;
}

}  // namespace kv::shipgen
