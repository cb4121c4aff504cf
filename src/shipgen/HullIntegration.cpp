// Integration over the hull below an inclined water plane.
#include "shipgen/HullIntegration.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv::shipgen {

namespace {

constexpr double kDeg = M_PI / 180.0;

// One pass over a section cut by the line a y + b z = c: the moments of the
// part below it (a y + b z <= c, as ClipHalfPlane keeps it) and the chord the
// line makes inside the section (as ChordOnLine measures it), without
// building the clipped polygon.
struct Slice {
    SectionProps below;
    ChordProps chord;
};

void AddEdge(double y1, double z1, double y2, double z2, double (&acc)[6]) {
    const double cr = y1 * z2 - y2 * z1;
    acc[0] += cr;
    acc[1] += (y1 + y2) * cr;
    acc[2] += (z1 + z2) * cr;
    acc[3] += (y1 * y1 + y1 * y2 + y2 * y2) * cr;
    acc[4] += (z1 * z1 + z1 * z2 + z2 * z2) * cr;
    acc[5] += (y1 * z2 + 2 * y1 * z1 + 2 * y2 * z2 + y2 * z1) * cr;
}

Slice CutSection(const Poly& poly, double a, double b, double c, bool moments) {
    Slice r;
    const size_t n = poly.size();
    if (n < 3) return r;
    // Moments about the first vertex, moved back at the end.
    const double y0 = poly[0].y, z0 = poly[0].z;
    double acc[6] = {0, 0, 0, 0, 0, 0};
    bool haveFirst = false;
    double fy = 0, fz = 0, py = 0, pz = 0;
    auto emit = [&](double y, double z) {
        y -= y0;
        z -= z0;
        if (!haveFirst) {
            fy = y, fz = z, haveFirst = true;
        } else if (moments) {
            AddEdge(py, pz, y, z, acc);
        } else {
            acc[0] += py * z - y * pz;
        }
        py = y, pz = z;
    };
    // Crossings of the line for the chord, as positions along it.
    const double len = std::hypot(a, b);
    const double dy = -b / len, dz = a / len;
    double tsBuf[32];
    std::vector<double> tsMore;
    size_t nts = 0;
    double sp = a * poly[0].y + b * poly[0].z - c;
    for (size_t i = 0; i < n; ++i) {
        const Pt& p = poly[i];
        const Pt& q = poly[i + 1 == n ? 0 : i + 1];
        const double sq = a * q.y + b * q.z - c;
        const bool pin = sp <= 0, qin = sq <= 0;
        if (pin) emit(p.y, p.z);
        if (pin != qin) {
            const double t = sp / (sp - sq);
            const double y = p.y + t * (q.y - p.y), z = p.z + t * (q.z - p.z);
            emit(y, z);
        }
        if ((sp >= 0) != (sq >= 0)) {
            const double t = sp / (sp - sq);
            const double y = p.y + t * (q.y - p.y), z = p.z + t * (q.z - p.z);
            const double pos = y * dy + z * dz;
            if (nts < 32) tsBuf[nts++] = pos; else tsMore.push_back(pos);
        }
        sp = sq;
    }
    if (haveFirst) {
        if (moments) AddEdge(py, pz, fy, fz, acc); else acc[0] += py * fz - fy * pz;
    }
    double area = acc[0] / 2;
    double my = acc[1] / 6, mz = acc[2] / 6, iyy = acc[3] / 12, izz = acc[4] / 12, iyz = acc[5] / 24;
    if (area < 0) area = -area, my = -my, mz = -mz, iyy = -iyy, izz = -izz, iyz = -iyz;
    r.below.area = area;
    if (moments) {
        r.below.my = my + y0 * area;
        r.below.mz = mz + z0 * area;
        r.below.iyy = iyy + 2 * y0 * my + y0 * y0 * area;
        r.below.izz = izz + 2 * z0 * mz + z0 * z0 * area;
        r.below.iyz = iyz + y0 * mz + z0 * my + y0 * z0 * area;
    }
    double* ts = tsBuf;
    if (!tsMore.empty()) {
        tsMore.insert(tsMore.end(), tsBuf, tsBuf + nts);
        ts = tsMore.data();
        nts = tsMore.size();
    }
    std::sort(ts, ts + nts);
    // Points on the line are foot + t dir, the foot (a c, b c) / len^2 being
    // the point nearest the origin, where t = 0.
    const double footY = a * c / (len * len);
    for (size_t i = 0; i + 1 < nts; i += 2) {
        r.chord.length += ts[i + 1] - ts[i];
        if (moments) {
            const double ya = footY + ts[i] * dy, yb = footY + ts[i + 1] * dy;
            const double lo = std::min(ya, yb), hi = std::max(ya, yb);
            r.chord.my += (hi * hi - lo * lo) / 2;
            r.chord.iyy += (hi * hi * hi - lo * lo * lo) / 3;
        }
    }
    return r;
}

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
    for (size_t k = 0; k < n; ++k) {
        Box bx{0, 0, 0, 0};
        if (!sections_[k].empty()) {
            bx = {1e300, -1e300, 1e300, -1e300};
            for (const Pt& p : sections_[k]) {
                bx.yMin = std::min(bx.yMin, p.y);
                bx.yMax = std::max(bx.yMax, p.y);
                bx.zMin = std::min(bx.zMin, p.z);
                bx.zMax = std::max(bx.zMax, p.z);
            }
        }
        boxes_.push_back(bx);
        full_.push_back(Properties(sections_[k]));
        total_ += weights_[k] * full_[k].area;
    }
}

double ImmersionModel::LineOffset(double x, double trim) const {
    return (x - hull_.Lbp() / 2) * trim / hull_.Lbp();
}

namespace {

// Range of a y + b z over a box.
void Span(double a, double b, double yMin, double yMax, double zMin, double zMax, double& lo, double& hi) {
    lo = std::min(a * yMin, a * yMax) + std::min(b * zMin, b * zMax);
    hi = std::max(a * yMin, a * yMax) + std::max(b * zMin, b * zMax);
}

}  // namespace

Immersion ImmersionModel::Integrate(double heelDeg, double trim, double c) const {
    const double a = -std::sin(heelDeg * kDeg), b = std::cos(heelDeg * kDeg);
    Immersion r;
    for (size_t k = 0; k < xs_.size(); ++k) {
        const Poly& sec = sections_[k];
        if (sec.empty()) continue;
        const double x = xs_[k], w = weights_[k];
        const double ck = c + LineOffset(x, trim);
        const Box& bx = boxes_[k];
        double lo, hi;
        Span(a, b, bx.yMin, bx.yMax, bx.zMin, bx.zMax, lo, hi);
        if (lo > ck) continue;  // dry
        SectionProps p;
        ChordProps ch;
        if (hi < ck) {
            p = full_[k];  // wholly under water, no waterline
        } else {
            const Slice sl = CutSection(sec, a, b, ck, true);
            p = sl.below;
            ch = sl.chord;
        }
        r.volume += w * p.area;
        r.mx += w * p.area * x;
        r.my += w * p.my;
        r.mz += w * p.mz;
        r.wpArea += w * ch.length;
        r.wpMx += w * ch.length * x;
        r.wpMxx += w * ch.length * x * x;
        r.wpMy += w * ch.my;
        r.wpIyy += w * ch.iyy;
    }
    return r;
}

void ImmersionModel::VolumeAndArea(double a, double b, double trim, double c, double& v, double& dv) const {
    v = 0;
    dv = 0;
    for (size_t k = 0; k < xs_.size(); ++k) {
        const Poly& sec = sections_[k];
        if (sec.empty()) continue;
        const double ck = c + LineOffset(xs_[k], trim);
        const Box& bx = boxes_[k];
        double lo, hi;
        Span(a, b, bx.yMin, bx.yMax, bx.zMin, bx.zMax, lo, hi);
        if (lo > ck) continue;
        if (hi < ck) {
            v += weights_[k] * full_[k].area;
            continue;
        }
        const Slice sl = CutSection(sec, a, b, ck, false);
        v += weights_[k] * sl.below.area;
        dv += weights_[k] * sl.chord.length;
    }
}

double ImmersionModel::SolveVolume(double heelDeg, double trim, double volume, const double* guess,
                                   double* area) const {
    const double a = -std::sin(heelDeg * kDeg), b = std::cos(heelDeg * kDeg);
    // Bracket: below every section nothing is immersed, above every one all.
    double lo = std::numeric_limits<double>::max(), hi = -lo;
    for (size_t k = 0; k < xs_.size(); ++k) {
        if (sections_[k].empty()) continue;
        const Box& bx = boxes_[k];
        double l, h;
        Span(a, b, bx.yMin, bx.yMax, bx.zMin, bx.zMax, l, h);
        const double off = LineOffset(xs_[k], trim);
        lo = std::min(lo, l - off);
        hi = std::max(hi, h - off);
    }
    if (area) *area = 0;
    if (volume <= 0) return lo;
    if (volume >= total_) return hi;
    double c = guess ? std::clamp(*guess, lo, hi) : lo + (hi - lo) * volume / total_;
    const double tol = 1e-10 * std::max(1.0, total_);
    for (int it = 0; it < 100; ++it) {
        double v, dv;
        VolumeAndArea(a, b, trim, c, v, dv);
        if (area) *area = dv;
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
