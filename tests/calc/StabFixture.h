// Small in-memory ships for the stability tests: cross curves, hydrostatics
// and flooding angles made from formulas, one trim layer "0".
#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/kvGlobal.h"
#include "numerics/Formats.h"

namespace stabtest {

constexpr double kPi = 3.14159265358979323846;
inline double Rad(double deg) { return deg * kPi / 180; }

// Table with the given column headings, one layer per trim text and rows
// filled by fill(layer, column, row) (indices from 1).
inline kv::xyztable_rec MakeTable(const std::vector<std::string>& cols, const std::vector<std::string>& layers,
                                  int rows, const std::function<double(int, int, int)>& fill) {
    kv::xyztable_rec t;
    t.Resize(int(cols.size()), rows, int(layers.size()));
    for (size_t j = 0; j < cols.size(); ++j) t.ColHeads[j + 1].set(cols[j]);
    for (size_t l = 0; l < layers.size(); ++l) t.LayerHeads[l + 1].set(layers[l]);
    for (int l = 1; l <= int(layers.size()); ++l)
        for (int j = 1; j <= int(cols.size()); ++j)
            for (int r = 1; r <= rows; ++r) t.Values[size_t(l)][size_t(j)][size_t(r)] = fill(l, j, r);
    return t;
}

// Cross curves keyed by key ("DISP" or "DRAFT") at the key values given,
// KN(key, angle) from a formula, angles in degrees.
inline kv::xyztable_rec KNTable(const std::string& key, const std::vector<double>& keys,
                                const std::vector<double>& angles,
                                const std::function<double(double, double)>& kn) {
    std::vector<std::string> cols{key};
    for (double a : angles) cols.push_back(kv::FloatToStr(a));
    return MakeTable(cols, {"0"}, int(keys.size()), [&](int, int j, int r) {
        const double k = keys[size_t(r) - 1];
        return j == 1 ? k : kn(k, angles[size_t(j) - 2]);
    });
}

inline const std::vector<double>& Angles() {
    static const std::vector<double> a{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80};
    return a;
}

// A state whose cross curves give GZ = gz(angle) for KG = kg at any
// displacement between 1000 and 20000 t, upright, no free surface.
inline void SetCurve(kv::KvState& s, double kg, const std::function<double(double)>& gz) {
    s.ShipInfo.ShipTables.KNTable() = KNTable("DISP", {1000, 20000}, Angles(), [&](double, double a) {
        return gz(a) + kg * std::sin(Rad(a));
    });
    s.ShipInfo.LBP = 100;
    s.ShipInfo.Breadth = 20;
    s.ShipInfo.Depth = 10;
    kv::calcdata_rec& c = s.CalcData;
    c.Displacement = c.DisplacementSW = 8000;
    c.DraftMean = c.DraftAP = c.DraftFP = 4;
    c.Trim = 0;
    c.TCG = 0;
    c.VCG = kg;
    c.Stab.FSC = 0;
}

// Simpson's rule over [a, b] in degrees, result in m.rad.
inline double AreaRad(const std::function<double(double)>& f, double a, double b, int n = 2000) {
    const double h = (b - a) / n;
    double sum = f(a) + f(b);
    for (int i = 1; i < n; ++i) sum += f(a + i * h) * (i % 2 ? 4 : 2);
    return Rad(sum * h / 3);
}

}  // namespace stabtest
