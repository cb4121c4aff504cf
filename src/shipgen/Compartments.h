// The arrangement of compartments.json: holds, tanks and deadweight
// constants by load group, each tank a union of prismatic parts that may be
// clipped by the hull, and the slices over which its tables are integrated.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "shipgen/Builders.h"
#include "shipgen/HullGeometry.h"

namespace kv::shipgen {

// A prism [xa, xf] x [ya, yb] x [za, zb]; with hull set its section is the
// hull section clipped to the box, otherwise the box itself (a hatchway above
// the deck). Each cut {a, b, c} keeps the part where a*y + b*z <= c.
struct TankPart {
    double xa = 0, xf = 0, ya = 0, yb = 0, za = 0, zb = 0;
    bool hull = true;
    std::vector<std::array<double, 3>> cuts;
};

struct GrainData {
    double trimmedVoid = 0;    // depth of the void under the hatch cover, trimmed (m)
    double untrimmedVoid = 0;  // the same, untrimmed ends
    double slackFactor = 1;    // factor on the heeling moment of a slack hold
};

struct Compartment {
    int group = -1;
    std::string name;
    std::vector<TankPart> parts;
    // Sounding pipe (tanks) or ullage reference (holds): where the level is read.
    // Without one given, tanks are sounded at the lowest point of their floor
    // (the aftmost where the floor is flat), see TankShape::SoundingPoint.
    double pipeX = 0, pipeY = 0;
    bool hasPipe = false;
    double sg = 0;             // default density
    double pumpRate = 0;       // m3/h
    double fsmReduction = 0;
    double underHold = 0;      // DBMaxVolume: 0 not under a hold, -1 no limit, else the limit (m3)
    std::array<double, 3> sfFactors{};
    GrainData grain;
    // Constants (group 8): extent, and the weight and centres of the
    // standard deadweight constant set.
    double constAftX = 0, constForeX = 0;
    double constWeight = 0, constLcg = 0, constTcg = 0, constVcg = 0;
};

struct Arrangement {
    std::array<std::string, 9> groupNames;
    std::array<std::vector<Compartment>, 9> groups;
    std::vector<double> trims;  // m, positive by the head
    std::vector<double> heels;  // degrees, positive to starboard
};

// Reads compartments.json. The holds are listed once and become both the
// bale cargo compartments (group 0) and the cargo compartments (group 1).
Arrangement ParseArrangement(const nlohmann::json& j);

// One integration slice of a tank: the sections of one part at x, with the
// weight of x in the trapezoidal rule along that part.
struct Slice {
    double x = 0;
    double w = 0;
    std::vector<Poly> polys;
};

class TankShape {
public:
    TankShape(const Hull& hull, const Compartment& c, double maxStep = 0.4);

    const std::vector<Slice>& Slices() const { return slices_; }
    double XMin() const { return xMin_; }
    double XMax() const { return xMax_; }
    double YMin() const { return yMin_; }
    double YMax() const { return yMax_; }
    double ZMin() const { return zMin_; }
    double ZMax() const { return zMax_; }

    struct Fill {
        double volume = 0, lcg = 0, tcg = 0, vcg = 0;
    };
    // Contents below the plane z = z0 + sx (x - x0) + sy (y - y0).
    Fill Below(double z0, double x0, double y0, double sx, double sy) const;
    Fill BelowLevel(double z) const { return Below(z, 0, 0, 0, 0); }
    // Transverse inertia of the free surface at the level z about its own
    // centroid (m^4): the free-surface moment per unit density.
    double SurfaceInertia(double z) const;
    // Where a sounding pipe reaches the floor: the aftmost slice whose floor
    // lies within 1 cm of the lowest point, 0.3 m forward of the tank's aft
    // end at most, in the middle of that slice's floor.
    Pt SoundingPoint(double& x) const;
    // Area of the horizontal plane at z inside the tank (m^2).
    double SurfaceArea(double z) const;

private:
    std::vector<Slice> slices_;
    double xMin_ = 0, xMax_ = 0, yMin_ = 0, yMax_ = 0, zMin_ = 0, zMax_ = 0;
};

// Section of one part at x (empty outside its length).
std::vector<Poly> PartSection(const Hull& hull, const TankPart& p, double x);

// Whether the point lies in the part, decided without polygons (from the
// hull's half-breadth): used to check the tables independently.
bool PartContains(const Hull& hull, const TankPart& p, double x, double y, double z);

}  // namespace kv::shipgen
