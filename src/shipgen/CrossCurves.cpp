// Heeled hydrostatics: cross curves, flooding angle and deck-edge immersion
// angle, all from the equal-volume waterline at each heel (trim held fixed).
#include <algorithm>
#include <cmath>

#include "shipgen/HullTableParts.h"

namespace kv::shipgen {

namespace {

constexpr double kDeg = M_PI / 180.0;
constexpr double kScanStep = 2.5;   // degrees between the scanned heels
constexpr int kBisections = 14;     // refines an angle to about 1e-4 degree

// Waterlines of one displacement and trim, solved on demand and reused.
class HeelSeries {
public:
    HeelSeries(const ImmersionModel& m, double trim, double volume) : m_(m), trim_(trim), volume_(volume) {}

    double PlaneAt(double heel) {
        const double* guess = haveLast_ ? &last_ : nullptr;
        last_ = m_.SolveVolume(heel, trim_, volume_, guess);
        haveLast_ = true;
        return last_;
    }
    // Height of the point above the water plane, along the heeled vertical.
    double Clearance(const FloodPoint& p, double heel, double c) const {
        const double off = (p.x - m_.hull().Lbp() / 2) * trim_ / m_.hull().Lbp();
        return -std::sin(heel * kDeg) * p.y + std::cos(heel * kDeg) * p.z - (c + off);
    }
    double MinClearance(const std::vector<FloodPoint>& pts, double heel) {
        const double c = PlaneAt(heel);
        double m = 1e300;
        for (const FloodPoint& p : pts) m = std::min(m, Clearance(p, heel, c));
        return m;
    }
    // First heel (0..90) at which one of the points reaches the water.
    double FirstImmersion(const std::vector<FloodPoint>& pts) {
        if (pts.empty()) return 90;
        double prev = 0;
        if (MinClearance(pts, 0) <= 0) return 0;
        for (double h = kScanStep; h <= 90 + 1e-9; h += kScanStep) {
            if (MinClearance(pts, h) <= 0) {
                double lo = prev, hi = h;
                for (int i = 0; i < kBisections; ++i) {
                    const double mid = 0.5 * (lo + hi);
                    if (MinClearance(pts, mid) <= 0) hi = mid; else lo = mid;
                }
                return 0.5 * (lo + hi);
            }
            prev = h;
        }
        return 90;
    }

private:
    const ImmersionModel& m_;
    double trim_, volume_;
    double last_ = 0;
    bool haveLast_ = false;
};

xyztable_rec AngleTable(const char* title, const HullTableGrid& grid) {
    xyztable_rec t;
    t.Title = Heading(title);
    t.Resize(2, static_cast<int>(grid.displacements.size()), static_cast<int>(grid.trims.size()));
    t.ColHeads[1] = Heading("DISP");
    t.ColHeads[2] = Heading("ANGLE");
    SetNumericLayers(t, grid.trims);
    return t;
}

}  // namespace

HeelTables BuildHeelTables(const ImmersionModel& model, const HullTableGrid& grid,
                           const std::vector<FloodPoint>& openings) {
    const Hull& hull = model.hull();
    HeelTables out;
    const int nr = static_cast<int>(grid.displacements.size());
    const int nl = static_cast<int>(grid.trims.size());
    const int na = static_cast<int>(grid.heelAngles.size());

    out.KN.Title = Heading("CROSS CURVES KN");
    out.KN.Resize(na + 1, nr, nl);
    out.KN.ColHeads[1] = Heading("DISP");
    for (int a = 0; a < na; ++a) out.KN.ColHeads[a + 2] = Heading(HeadingText(grid.heelAngles[a]));
    SetNumericLayers(out.KN, grid.trims);
    out.FloodAngle = AngleTable("FLOODING ANGLE", grid);
    out.Immersion = AngleTable("DECK EDGE IMMERSION", grid);

    // The deck edge: the deck at side at every integration station.
    std::vector<FloodPoint> deckEdge;
    for (double x : hull.IntegrationStations()) {
        const double z = hull.DeckZ(x);
        deckEdge.push_back({"", x, hull.HalfBreadth(x, z), z});
    }
    std::vector<FloodPoint> open = openings;
    for (FloodPoint& p : open) p.y = std::abs(p.y);

    for (int l = 0; l < nl; ++l) {
        const double trim = grid.trims[l];
        for (int r = 0; r < nr; ++r) {
            const double disp = grid.displacements[r];
            const double volume = disp / kSeaWater;
            HeelSeries series(model, trim, volume);
            out.KN.Values[l + 1][1][r + 1] = disp;
            for (int a = 0; a < na; ++a) {
                const double heel = grid.heelAngles[a];
                const double c = series.PlaneAt(heel);
                const Immersion im = model.Integrate(heel, trim, c);
                const double kn = im.Tcb() * std::cos(heel * kDeg) + im.Vcb() * std::sin(heel * kDeg);
                out.KN.Values[l + 1][a + 2][r + 1] = kn;
            }
            HeelSeries floodSeries(model, trim, volume);
            out.FloodAngle.Values[l + 1][1][r + 1] = disp;
            out.FloodAngle.Values[l + 1][2][r + 1] = floodSeries.FirstImmersion(open);
            HeelSeries deckSeries(model, trim, volume);
            out.Immersion.Values[l + 1][1][r + 1] = disp;
            out.Immersion.Values[l + 1][2][r + 1] = deckSeries.FirstImmersion(deckEdge);
        }
    }
    return out;
}

}  // namespace kv::shipgen
