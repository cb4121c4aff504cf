// Plane polygon operations used for hull and compartment sections.
#include "shipgen/PolygonOps.h"

#include <algorithm>
#include <cmath>

namespace kv::shipgen {

Poly ClipHalfPlane(const Poly& poly, double a, double b, double c) {
    Poly out;
    const size_t n = poly.size();
    if (n == 0) return out;
    out.reserve(n + 4);
    for (size_t i = 0; i < n; ++i) {
        const Pt& p = poly[i];
        const Pt& q = poly[(i + 1) % n];
        const double sp = a * p.y + b * p.z - c;
        const double sq = a * q.y + b * q.z - c;
        const bool pin = sp <= 0;
        const bool qin = sq <= 0;
        if (pin) out.push_back(p);
        if (pin != qin) {
            // Strictly one side each: the denominator cannot vanish.
            const double t = sp / (sp - sq);
            out.push_back({p.y + t * (q.y - p.y), p.z + t * (q.z - p.z)});
        }
    }
    if (out.size() < 3) out.clear();
    return out;
}

Poly ClipBox(const Poly& poly, double yMin, double yMax, double zMin, double zMax) {
    Poly r = ClipHalfPlane(poly, 1, 0, yMax);
    r = ClipHalfPlane(r, -1, 0, -yMin);
    r = ClipHalfPlane(r, 0, 1, zMax);
    r = ClipHalfPlane(r, 0, -1, -zMin);
    return r;
}

SectionProps Properties(const Poly& poly) {
    SectionProps s;
    const size_t n = poly.size();
    if (n < 3) return s;
    // Shift to the first vertex to keep the sums well conditioned, and move
    // the moments back afterwards.
    const double y0 = poly[0].y, z0 = poly[0].z;
    double a = 0, my = 0, mz = 0, iyy = 0, izz = 0, iyz = 0;
    for (size_t i = 0; i < n; ++i) {
        const double y1 = poly[i].y - y0, z1 = poly[i].z - z0;
        const double y2 = poly[(i + 1) % n].y - y0, z2 = poly[(i + 1) % n].z - z0;
        const double cr = y1 * z2 - y2 * z1;
        a += cr;
        my += (y1 + y2) * cr;
        mz += (z1 + z2) * cr;
        iyy += (y1 * y1 + y1 * y2 + y2 * y2) * cr;
        izz += (z1 * z1 + z1 * z2 + z2 * z2) * cr;
        iyz += (y1 * z2 + 2 * y1 * z1 + 2 * y2 * z2 + y2 * z1) * cr;
    }
    a /= 2;
    my /= 6;
    mz /= 6;
    iyy /= 12;
    izz /= 12;
    iyz /= 24;
    if (a < 0) {
        a = -a;
        my = -my;
        mz = -mz;
        iyy = -iyy;
        izz = -izz;
        iyz = -iyz;
    }
    // Parallel-axis transfer from the shifted origin (y0, z0) back to (0, 0).
    s.area = a;
    s.my = my + y0 * a;
    s.mz = mz + z0 * a;
    s.iyy = iyy + 2 * y0 * my + y0 * y0 * a;
    s.izz = izz + 2 * z0 * mz + z0 * z0 * a;
    s.iyz = iyz + y0 * mz + z0 * my + y0 * z0 * a;
    return s;
}

ChordProps ChordOnLine(const Poly& poly, double a, double b, double c) {
    ChordProps r;
    const size_t n = poly.size();
    const double len = std::hypot(a, b);
    if (n < 3 || len == 0) return r;
    // Unit direction along the line and the foot of the perpendicular from
    // the origin; points on the line are foot + t * dir.
    const double dy = -b / len, dz = a / len;
    const double fy = a * c / (len * len), fz = b * c / (len * len);
    std::vector<double> ts;
    for (size_t i = 0; i < n; ++i) {
        const Pt& p = poly[i];
        const Pt& q = poly[(i + 1) % n];
        const double sp = a * p.y + b * p.z - c;
        const double sq = a * q.y + b * q.z - c;
        // Half-open rule: a vertex on the line counts as lying on the
        // positive side, so every crossing is counted exactly once and a line
        // through a flat top (a deck, a tank top) gives the chord just below it.
        if ((sp >= 0) == (sq >= 0)) continue;
        const double t = sp / (sp - sq);
        const double y = p.y + t * (q.y - p.y), z = p.z + t * (q.z - p.z);
        ts.push_back((y - fy) * dy + (z - fz) * dz);
    }
    std::sort(ts.begin(), ts.end());
    for (size_t i = 0; i + 1 < ts.size(); i += 2) {
        const double t1 = ts[i], t2 = ts[i + 1];
        r.length += t2 - t1;
        // Along y the chord runs from ya to yb; the moments use dy = |dir.y| ds.
        const double ya = fy + t1 * dy, yb = fy + t2 * dy;
        const double lo = std::min(ya, yb), hi = std::max(ya, yb);
        r.my += (hi * hi - lo * lo) / 2;
        r.iyy += (hi * hi * hi - lo * lo * lo) / 3;
    }
    return r;
}

}  // namespace kv::shipgen
