// Plane polygons of the ship data compiler: hull sections and compartment
// sections in the (y, z) plane of a station, clipped by waterlines and
// boundaries, with their areas and moments.
#pragma once

#include <vector>

namespace kv::shipgen {

struct Pt {
    double y = 0;  // transverse, positive to starboard
    double z = 0;  // vertical, above base
};
using Poly = std::vector<Pt>;  // closed outline, first vertex not repeated

// Keeps the part of poly where a*y + b*z <= c (one Sutherland-Hodgman pass;
// the subject may be non-convex, degenerate joining edges have no area).
Poly ClipHalfPlane(const Poly& poly, double a, double b, double c);
// Keeps the part inside the axis-parallel box.
Poly ClipBox(const Poly& poly, double yMin, double yMax, double zMin, double zMax);

// Area and moments of a polygon, independent of its orientation.
struct SectionProps {
    double area = 0;
    double my = 0;   // integral of y dA
    double mz = 0;   // integral of z dA
    double iyy = 0;  // integral of y^2 dA (about the centre line)
    double izz = 0;  // integral of z^2 dA (about the base)
    double iyz = 0;  // integral of y z dA
};
SectionProps Properties(const Poly& poly);

// Length of the part of the line a*y + b*z = c (a, b not both 0) that lies
// inside the polygon, and the first and second moments of that chord about
// the centre line measured along y (for waterplane and free-surface inertia):
// my = integral of y dy and iyy = integral of y^2 dy over the y-extent of the
// chord pieces. For a horizontal line these are the waterplane moments; for an
// inclined line they are cos(angle) times the moments taken along the line.
// A line through a flat top (deck, tank top) gives the chord just below it.
struct ChordProps {
    double length = 0;
    double my = 0;   // integral of y ds projected on y
    double iyy = 0;  // integral of y^2 ds projected on y
};
ChordProps ChordOnLine(const Poly& poly, double a, double b, double c);

}  // namespace kv::shipgen
