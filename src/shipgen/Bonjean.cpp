// Bonjean table: the immersed area of each section below a height.
#include <algorithm>
#include <cmath>

#include "shipgen/HullTableParts.h"

namespace kv::shipgen {

xyztable_rec BuildBonjeanTable(const Hull& hull, double heightStep) {
    // Stations: every other integration station, which keeps every offset
    // station (their intervals are split in even numbers) at about twice the
    // integration spacing.
    const std::vector<double>& all = hull.IntegrationStations();
    std::vector<double> xs;
    for (size_t i = 0; i < all.size(); i += 2) xs.push_back(all[i]);
    if (xs.back() != all.back()) xs.push_back(all.back());

    // Heights common to every station: from the lowest keel to the highest
    // deck; above its own deck a section keeps its full area.
    double zLow = 1e300, zHigh = -1e300;
    for (double x : all) {
        zLow = std::min(zLow, hull.KeelZ(x));
        zHigh = std::max(zHigh, hull.DeckZ(x));
    }
    zLow = std::min(0.0, zLow);
    std::vector<double> heights;
    const int steps = static_cast<int>(std::ceil((zHigh - zLow) / heightStep - 1e-9));
    for (int k = 0; k < steps; ++k) heights.push_back(zLow + k * heightStep);
    heights.push_back(zHigh);

    xyztable_rec t;
    t.Title = Heading("BONJEAN");
    t.Resize(2, static_cast<int>(heights.size()), static_cast<int>(xs.size()));
    t.ColHeads[1] = Heading("HEIGHT");
    t.ColHeads[2] = Heading("AREA");
    SetNumericLayers(t, xs);
    for (size_t l = 0; l < xs.size(); ++l) {
        const Poly sec = hull.Section(xs[l]);
        for (size_t r = 0; r < heights.size(); ++r) {
            t.Values[l + 1][1][r + 1] = heights[r];
            t.Values[l + 1][2][r + 1] = Properties(ClipHalfPlane(sec, 0, 1, heights[r])).area;
        }
    }
    return t;
}

}  // namespace kv::shipgen
