// Heeled hydrostatics: cross curves, flooding angle and deck-edge immersion
// angle, all from the equal-volume waterline at each heel (trim held fixed).
#include <algorithm>
#include <cmath>
#include <map>

#include "shipgen/HullTableParts.h"

namespace kv::shipgen {

namespace {

constexpr double kDeg = M_PI / 180.0;
constexpr double kAngleTol = 1e-4;  // degrees

// Waterlines of one displacement and trim at any heel, solved on demand
// (warm-started from the nearest heel already solved) and kept.
class HeelSeries {
public:
    HeelSeries(const ImmersionModel& m, double trim, double volume) : m_(m), trim_(trim), volume_(volume) {}

    // Seeds the plane at a heel with a close estimate (from the previous
    // displacement), so that the solve starts near the answer.
    void Seed(double heel, double c) { seeds_[heel] = c; }

    double PlaneAt(double heel) {
        auto it = planes_.find(heel);
        if (it != planes_.end()) return it->second;
        double guess;
        const double* g = nullptr;
        auto s = seeds_.find(heel);
        if (s != seeds_.end()) {
            guess = s->second;
            g = &guess;
        } else if (!planes_.empty()) {
            // Interpolate between the neighbouring solved heels.
            auto hiIt = planes_.lower_bound(heel);
            if (hiIt == planes_.end()) {
                guess = std::prev(hiIt)->second;
            } else if (hiIt == planes_.begin()) {
                guess = hiIt->second;
            } else {
                auto loIt = std::prev(hiIt);
                guess = loIt->second +
                        (hiIt->second - loIt->second) * (heel - loIt->first) / (hiIt->first - loIt->first);
            }
            g = &guess;
        }
        const double c = m_.SolveVolume(heel, trim_, volume_, g);
        planes_[heel] = c;
        return c;
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
    // First heel (0..90) at which one of the points reaches the water: the
    // first bracket on the given grid of heels, then regula falsi (Illinois).
    double FirstImmersion(const std::vector<FloodPoint>& pts, const std::vector<double>& grid) {
        if (pts.empty()) return 90;
        double h0 = 0, f0 = MinClearance(pts, 0);
        if (f0 <= 0) return 0;
        for (double h1 : grid) {
            const double f1 = MinClearance(pts, h1);
            if (f1 > 0) {
                h0 = h1;
                f0 = f1;
                continue;
            }
            double a = h0, fa = f0, b = h1, fb = f1;
            int side = 0;
            for (int it = 0; it < 60 && b - a > kAngleTol; ++it) {
                double m = (a * fb - b * fa) / (fb - fa);
                if (!(m > a && m < b)) m = 0.5 * (a + b);
                const double fm = MinClearance(pts, m);
                if (fm > 0) {
                    a = m, fa = fm;
                    if (side == -1) fb /= 2;
                    side = -1;
                } else {
                    b = m, fb = fm;
                    if (side == 1) fa /= 2;
                    side = 1;
                }
                // Close in from both sides when the steps stall on one side.
                if (b - a > kAngleTol && it % 4 == 3) {
                    const double mid = 0.5 * (a + b);
                    const double fmid = MinClearance(pts, mid);
                    if (fmid > 0) a = mid, fa = fmid; else b = mid, fb = fmid;
                }
            }
            return 0.5 * (a + b);
        }
        return 90;
    }

private:
    const ImmersionModel& m_;
    double trim_, volume_;
    std::map<double, double> planes_, seeds_;
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

    // Heels scanned for the first immersion: the tabulated ones, then 90.
    std::vector<double> scan = grid.heelAngles;
    if (scan.back() < 90) scan.push_back(90);

    for (int l = 0; l < nl; ++l) {
        const double trim = grid.trims[l];
        std::map<double, double> prevPlanes;  // heel -> plane of the previous row
        double prevVolume = 0;
        std::map<double, double> prevArea;
        for (int r = 0; r < nr; ++r) {
            const double disp = grid.displacements[r];
            const double volume = disp / kSeaWater;
            HeelSeries series(model, trim, volume);
            for (const auto& [heel, c] : prevPlanes) {
                const double area = prevArea[heel];
                series.Seed(heel, area > 0 ? c + (volume - prevVolume) / area : c);
            }
            out.KN.Values[l + 1][1][r + 1] = disp;
            std::map<double, double> planes, areas;
            for (double heel : scan) {
                double area = 0;
                const double c = series.PlaneAt(heel);
                const Immersion im = model.Integrate(heel, trim, c);
                area = im.wpArea;
                planes[heel] = c;
                areas[heel] = area;
                if (heel > grid.heelAngles.back()) continue;
                const int a = static_cast<int>(std::find(grid.heelAngles.begin(), grid.heelAngles.end(), heel) -
                                               grid.heelAngles.begin());
                const double kn = im.Tcb() * std::cos(heel * kDeg) + im.Vcb() * std::sin(heel * kDeg);
                out.KN.Values[l + 1][a + 2][r + 1] = kn;
            }
            out.FloodAngle.Values[l + 1][1][r + 1] = disp;
            out.FloodAngle.Values[l + 1][2][r + 1] = series.FirstImmersion(open, scan);
            out.Immersion.Values[l + 1][1][r + 1] = disp;
            out.Immersion.Values[l + 1][2][r + 1] = series.FirstImmersion(deckEdge, scan);
            prevPlanes = std::move(planes);
            prevArea = std::move(areas);
            prevVolume = volume;
        }
    }
    return out;
}

}  // namespace kv::shipgen
