// Integration over the hull below an inclined water plane: immersed volume
// and centre of buoyancy, waterplane moments, and the plane that floats a
// given volume at a given heel and trim.
//
// The water plane at heel phi (starboard down) and trim t (positive by the
// head) cuts each section at x along the line
//     -sin(phi) y + cos(phi) z = c + (x - LBP/2) t / LBP,
// the immersed part lying below it. Upright, c is the draft amidships. The
// trim is kept fixed while the ship heels: the plane keeps its slope along x
// measured along the heeled vertical.
#pragma once

#include <vector>

#include "shipgen/HullGeometry.h"

namespace kv::shipgen {

constexpr double kSeaWater = 1.025;  // t/m3

struct Immersion {
    double volume = 0;
    double mx = 0, my = 0, mz = 0;  // first moments of the immersed volume
    // Waterplane: chord lengths along the section lines integrated over x,
    // and their moments (y taken along the section's y axis).
    double wpArea = 0, wpMx = 0, wpMxx = 0;
    double wpMy = 0, wpIyy = 0;
    double Lcb() const { return volume > 0 ? mx / volume : 0; }
    double Tcb() const { return volume > 0 ? my / volume : 0; }
    double Vcb() const { return volume > 0 ? mz / volume : 0; }
};

class ImmersionModel {
public:
    explicit ImmersionModel(const Hull& hull);

    const Hull& hull() const { return hull_; }
    // Integrates the hull below the plane (heel in degrees).
    Immersion Integrate(double heelDeg, double trim, double c) const;
    // Plane constant c that immerses the given volume; `guess` speeds up the
    // search when a neighbouring solution is known. A volume beyond the
    // closed hull gives the plane that submerges the whole hull.
    // When `area` is given it receives the waterplane area at the solution
    // (the rate of change of the volume with c).
    double SolveVolume(double heelDeg, double trim, double volume, const double* guess = nullptr,
                       double* area = nullptr) const;
    // Volume of the hull closed at the deck.
    double TotalVolume() const { return total_; }
    // Ends of the waterline at heel 0: the extreme x where the plane meets
    // the hull (for the length of the waterline).
    bool WaterlineEnds(double trim, double c, double& xAft, double& xFore) const;

private:
    double LineOffset(double x, double trim) const;
    // Volume below the plane and its derivative (the waterplane area).
    void VolumeAndArea(double a, double b, double trim, double c, double& v, double& dv) const;

    const Hull& hull_;
    std::vector<double> xs_, weights_;
    std::vector<Poly> sections_;
    struct Box {
        double yMin, yMax, zMin, zMax;
    };
    std::vector<Box> boxes_;           // bounds of each section
    std::vector<SectionProps> full_;   // properties of each whole section
    double total_ = 0;
};

}  // namespace kv::shipgen
