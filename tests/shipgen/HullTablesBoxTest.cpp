// Hull tables of the box barge and the circular body against closed forms and
// an independent computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "shipgen/Builders.h"
#include "shipgen/HullGeometry.h"
#include "shipgen/HullIntegration.h"

using namespace kv::shipgen;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kL = 100, kB = 20, kD = 10, kRho = 1.025;

nlohmann::json LoadJson(const std::string& rel) {
    std::ifstream f(std::string(KORVANEL_SOURCE_DIR) + "/" + rel);
    return nlohmann::json::parse(f);
}

// Index of a column or layer heading, -1 when absent.
int Col(const kv::xyztable_rec& t, const std::string& name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[j].str() == name) return j;
    return -1;
}
int Layer(const kv::xyztable_rec& t, const std::string& name) {
    for (int l = 1; l <= t.LayerCount; ++l)
        if (t.LayerHeads[l].str() == name) return l;
    return -1;
}
double V(const kv::xyztable_rec& t, int layer, const std::string& col, int row) {
    const int j = Col(t, col);
    EXPECT_GT(j, 0) << col;
    return j > 0 ? static_cast<double>(t.Values[layer][j][row]) : NAN;
}

// Worst relative deviation per quantity, printed once at the end.
struct Worst {
    std::string name;
    double rel = 0, abs = 0;
    void Add(double got, double want) {
        abs = std::max(abs, std::abs(got - want));
        rel = std::max(rel, std::abs(got - want) / std::max(1e-9, std::abs(want)));
    }
};
void Report(const std::vector<Worst>& ws) {
    for (const Worst& w : ws) {
        std::printf("[figures] %-24s worst abs %.3e  rel %.3e\n", w.name.c_str(), w.abs, w.rel);
        ::testing::Test::RecordProperty("worst_" + w.name, std::to_string(w.abs));
    }
}

struct BoxFixture : ::testing::Test {
    static void SetUpTestSuite() {
        json = LoadJson("ships/BOX100/hull.json");
        hull = new Hull(Hull::FromJson(json));
        tables = new HullTables(BuildHullTables(*hull, json, 1500.0));
    }
    static void TearDownTestSuite() {
        delete tables;
        delete hull;
    }
    static nlohmann::json json;
    static Hull* hull;
    static HullTables* tables;
};
nlohmann::json BoxFixture::json;
Hull* BoxFixture::hull = nullptr;
HullTables* BoxFixture::tables = nullptr;

// Immersed part of the box section (|y| <= B/2, 0 <= z <= D) below the line
// -sin(h) y + cos(h) z = c, found column by column: the water stands at
// zw(y) = (c + sin(h) y) / cos(h), the immersed depth is zw clamped to
// [0, D], piecewise linear in y, and Simpson's rule is exact on each piece.
struct Column2D {
    double area, my, mz;
};
Column2D BoxColumns(double heelDeg, double c) {
    const double s = std::sin(heelDeg * kPi / 180), co = std::cos(heelDeg * kPi / 180);
    auto depth = [&](double y) { return std::clamp((c + s * y) / co, 0.0, kD); };
    std::vector<double> cuts = {-kB / 2, kB / 2};
    if (s > 0) {
        for (double y : {-c / s, (kD * co - c) / s})
            if (y > -kB / 2 && y < kB / 2) cuts.push_back(y);
    }
    std::sort(cuts.begin(), cuts.end());
    Column2D r{0, 0, 0};
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double a = cuts[i], b = cuts[i + 1], m = 0.5 * (a + b), w = (b - a) / 6;
        auto f = [&](double y, int k) {
            const double d = depth(y);
            return k == 0 ? d : k == 1 ? y * d : d * d / 2;
        };
        r.area += w * (f(a, 0) + 4 * f(m, 0) + f(b, 0));
        r.my += w * (f(a, 1) + 4 * f(m, 1) + f(b, 1));
        r.mz += w * (f(a, 2) + 4 * f(m, 2) + f(b, 2));
    }
    return r;
}
// The line constant that immerses the section area B T, by bisection.
double BoxLine(double heelDeg, double draft) {
    double lo = -30, hi = 30;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (BoxColumns(heelDeg, mid).area < kB * draft ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}
double BoxKn(double heelDeg, double draft) {
    const Column2D c = BoxColumns(heelDeg, BoxLine(heelDeg, draft));
    const double h = heelDeg * kPi / 180;
    return c.my / c.area * std::cos(h) + c.mz / c.area * std::sin(h);
}

}  // namespace

TEST_F(BoxFixture, HydrostaticsMatchClosedForms) {
    const kv::xyztable_rec& t = tables->Hydro;
    ASSERT_EQ(t.LayerCount, 3);
    ASSERT_EQ(t.ColCount, 9);
    const char* cols[] = {"DISP", "DRAFT", "KMT", "LCB", "VCB", "LCF", "TPC", "MTC", "LWL"};
    for (int j = 0; j < 9; ++j) EXPECT_EQ(t.ColHeads[j + 1].str(), cols[j]);
    EXPECT_EQ(t.LayerHeads[1].str(), "-2");
    EXPECT_EQ(t.LayerHeads[2].str(), "0");
    EXPECT_EQ(t.LayerHeads[3].str(), "2");
    std::vector<Worst> w = {{"box DRAFT"}, {"box KMT"}, {"box LCB"}, {"box VCB"}, {"box LCF"},
                            {"box TPC"},   {"box MTC"}, {"box LWL"}};
    for (int l = 1; l <= 3; ++l) {
        const double trim = std::stod(t.LayerHeads[l].str());
        for (int r = 1; r <= t.RowCount; ++r) {
            const double disp = V(t, l, "DISP", r);
            const double T = disp / (kRho * kL * kB);
            // An end that only touches the water has no defined waterplane.
            if (T - std::abs(trim) / 2 < 1e-6) continue;
            SCOPED_TRACE("trim " + std::to_string(trim) + " T " + std::to_string(T));
            const double want[] = {
                T,
                T / 2 + kB * kB / (12 * T),
                kL / 2 + kL * trim / (12 * T),  // the wedge moved forward by trim
                T / 2 + trim * trim / (24 * T),  // and up (second moment of the wedge)
                kL / 2,
                kRho * kL * kB / 100,
                disp * (kL * kL / (12 * T)) / (100 * kL),
                kL,
            };
            const char* names[] = {"DRAFT", "KMT", "LCB", "VCB", "LCF", "TPC", "MTC", "LWL"};
            for (int k = 0; k < 8; ++k) {
                const double got = V(t, l, names[k], r);
                // KMT under trim: the transverse inertia is that of the
                // level box; only the VCB part changes with trim.
                double expect = want[k];
                if (k == 1) expect += trim * trim / (24 * T);
                EXPECT_NEAR(got, expect, 1e-3 * std::abs(expect)) << names[k];
                w[k].Add(got, expect);
            }
        }
    }
    Report(w);
}

TEST_F(BoxFixture, DraftAndDisplacementInvert) {
    for (double trim : {-2.0, 0.0, 1.5}) {
        for (double T : {1.0, 4.3, 8.9}) {
            const double disp = DisplacementAtDraft(*hull, T, trim);
            EXPECT_NEAR(disp, kRho * kL * kB * T, 1e-6 * disp);
            EXPECT_NEAR(DraftAtDisplacement(*hull, disp, trim), T, 1e-8);
        }
    }
}

TEST_F(BoxFixture, CrossCurvesMatchWallSidedAndColumnIntegration) {
    const kv::xyztable_rec& kn = tables->KN;
    const int l = Layer(kn, "0");
    ASSERT_GT(l, 0);
    ASSERT_EQ(kn.ColHeads[1].str(), "DISP");
    Worst wall{"box KN wall-sided"}, cols{"box KN columns"};
    int wallCases = 0, beyondCases = 0;
    for (int r = 1; r <= kn.RowCount; ++r) {
        const double T = kn.Values[l][1][r] / (kRho * kL * kB);
        for (int j = 2; j <= kn.ColCount; ++j) {
            const double heel = std::stod(kn.ColHeads[j].str());
            const double got = static_cast<double>(kn.Values[l][j][r]);
            const double h = heel * kPi / 180;
            SCOPED_TRACE("T " + std::to_string(T) + " heel " + std::to_string(heel));
            // Wall-sided while neither the deck edge nor the bilge comes through.
            if (std::tan(h) * kB / 2 <= std::min(T, kD - T)) {
                const double bm = kB * kB / (12 * T);
                const double want = std::sin(h) * (T / 2 + bm + bm / 2 * std::tan(h) * std::tan(h));
                EXPECT_NEAR(got, want, 0.005);
                wall.Add(got, want);
                ++wallCases;
            }
            const double want = BoxKn(heel, T);
            EXPECT_NEAR(got, want, 0.005);
            cols.Add(got, want);
            ++beyondCases;
        }
    }
    EXPECT_GT(wallCases, 10);
    EXPECT_GT(beyondCases, 100);
    // Trimmed layers: the ship turns about its own length, so the sections
    // float at centre-line heights T + (x - L/2) t / (L cos h); while all of
    // them are wall-sided KN grows by sin h t^2 / (24 T cos^2 h).
    Worst trimmed{"box KN trimmed"};
    for (const char* layer : {"-2", "2"}) {
        const int lt = Layer(kn, layer);
        const double trim = std::stod(layer);
        for (int r = 1; r <= kn.RowCount; ++r)
            for (int j = 2; j <= kn.ColCount; ++j) {
                const double h = std::stod(kn.ColHeads[j].str()) * kPi / 180;
                const double T = kn.Values[l][1][r] / (kRho * kL * kB);
                const double half = std::abs(trim) / 2 / std::cos(h);
                if (std::tan(h) * kB / 2 > std::min(T - half, kD - T - half)) continue;
                const double want = static_cast<double>(kn.Values[l][j][r]) +
                                    std::sin(h) * trim * trim / (24 * T * std::cos(h) * std::cos(h));
                const double got = static_cast<double>(kn.Values[lt][j][r]);
                EXPECT_NEAR(got, want, 1e-6) << "trim " << trim << " T " << T << " heel " << h;
                trimmed.Add(got, want);
            }
    }
    EXPECT_GT(trimmed.abs, 0.0);
    Report({wall, cols, trimmed});
}

TEST_F(BoxFixture, FloodingAndDeckImmersionAngles) {
    const kv::xyztable_rec& fl = tables->FloodAngle;
    const kv::xyztable_rec& im = tables->Immersion;
    for (const kv::xyztable_rec* t : {&fl, &im}) {
        ASSERT_EQ(t->ColCount, 2);
        EXPECT_EQ(t->ColHeads[1].str(), "DISP");
        EXPECT_EQ(t->ColHeads[2].str(), "ANGLE");
        EXPECT_EQ(t->LayerCount, 3);
    }
    const int l = Layer(fl, "0");
    // Independent angle at which a point (amidships, y, z) meets the water.
    auto angleOf = [](double y, double z, double T) {
        auto clear = [&](double h) {
            const double c = BoxLine(h, T);
            return -std::sin(h * kPi / 180) * y + std::cos(h * kPi / 180) * z - c;
        };
        if (clear(0) <= 0) return 0.0;
        double lo = 0, hi = 90;
        if (clear(hi) > 0) return 90.0;
        for (int i = 0; i < 60; ++i) {
            const double m = 0.5 * (lo + hi);
            (clear(m) > 0 ? lo : hi) = m;
        }
        return 0.5 * (lo + hi);
    };
    Worst wf{"box flood angle"}, wi{"box deck immersion"};
    for (int r = 1; r <= fl.RowCount; ++r) {
        const double T = fl.Values[l][1][r] / (kRho * kL * kB);
        SCOPED_TRACE("T " + std::to_string(T));
        // The port vent at |y| 8, z 12 comes under before the centre-line hatch.
        const double wantF = std::min(angleOf(8, 12, T), angleOf(0, 13, T));
        const double gotF = static_cast<double>(fl.Values[l][2][r]);
        EXPECT_NEAR(gotF, wantF, 0.01);
        wf.Add(gotF, wantF);
        const double wantI = angleOf(kB / 2, kD, T);
        const double gotI = static_cast<double>(im.Values[l][2][r]);
        EXPECT_NEAR(gotI, wantI, 0.01);
        wi.Add(gotI, wantI);
        if (T >= kD / 2) {
            EXPECT_NEAR(gotI, std::atan(2 * (kD - T) / kB) * 180 / kPi, 0.01);
        }
    }
    // By the head the fore end of the deck goes under first, so earlier.
    const int lh = Layer(im, "2");
    for (int r = 1; r <= im.RowCount; ++r) EXPECT_LT(im.Values[lh][2][r], im.Values[l][2][r]);
    Report({wf, wi});
}

TEST_F(BoxFixture, BonjeanAndLoadLines) {
    const kv::xyztable_rec& bj = tables->Bonjean;
    ASSERT_EQ(bj.ColHeads[1].str(), "HEIGHT");
    ASSERT_EQ(bj.ColHeads[2].str(), "AREA");
    EXPECT_EQ(bj.LayerHeads[1].str(), "0");
    EXPECT_EQ(bj.LayerHeads[bj.LayerCount].str(), "100");
    for (int l = 1; l <= bj.LayerCount; ++l)
        for (int r = 1; r <= bj.RowCount; ++r)
            EXPECT_NEAR(bj.Values[l][2][r], kB * std::min(kD, static_cast<double>(bj.Values[l][1][r])), 1e-9);

    const kv::xyztable_rec& ll = tables->LoadLine;
    const char* zones[] = {"SUMMER", "WINTER", "TROPICAL", "FRESH", "TROPICAL FRESH"};
    ASSERT_EQ(ll.LayerCount, 5);
    ASSERT_EQ(ll.RowCount, 1);
    for (int l = 0; l < 5; ++l) EXPECT_EQ(ll.LayerHeads[l + 1].str(), zones[l]);
    const double ts = 7.0, dispS = kRho * kL * kB * ts;
    const double fb[] = {3.0, 3.0 + ts / 48, 3.0 - ts / 48, 3.0 - ts / 40, 3.0 - ts / 48 - ts / 40};
    for (int l = 1; l <= 5; ++l) {
        SCOPED_TRACE(zones[l - 1]);
        EXPECT_NEAR(V(ll, l, "FB", 1), fb[l - 1], 1e-9);
        EXPECT_NEAR(V(ll, l, "DRAFT", 1), kD - fb[l - 1], 1e-9);
        EXPECT_NEAR(V(ll, l, "DWT", 1), V(ll, l, "DISP", 1) - 1500.0, 1e-9);
    }
    // The fresh-water allowance brings the fresh zone to the summer displacement.
    EXPECT_NEAR(V(ll, 1, "DISP", 1), dispS, 1e-6);
    EXPECT_NEAR(V(ll, 4, "DISP", 1), dispS, 1e-6);
}

TEST(CircularBody, CrossCurvesAreRadiusTimesSine) {
    const auto json = LoadJson("ships/CYL10/hull.json");
    const Hull hull = Hull::FromJson(json);
    const HullTables t = BuildHullTables(hull, json, 0);
    const double R = 5;
    Worst w{"circle KN"};
    for (int l = 1; l <= t.KN.LayerCount; ++l)
        for (int r = 1; r <= t.KN.RowCount; ++r)
            for (int j = 2; j <= t.KN.ColCount; ++j) {
                const double heel = std::stod(t.KN.ColHeads[j].str());
                const double got = static_cast<double>(t.KN.Values[l][j][r]);
                const double want = R * std::sin(heel * kPi / 180);
                EXPECT_NEAR(got, want, 0.002) << "layer " << l << " row " << r << " heel " << heel;
                w.Add(got, want);
            }
    // Upright: KMT = R at every draft (the metacentre is the centre).
    for (int r = 1; r <= t.Hydro.RowCount; ++r) EXPECT_NEAR(V(t.Hydro, 2, "KMT", r), R, 0.002);
    Report({w});
}

TEST(HullTablesInput, RejectsBadGrids) {
    auto base = LoadJson("ships/BOX100/hull.json");
    const Hull hull = Hull::FromJson(base);
    const std::vector<std::function<void(nlohmann::json&)>> breaks = {
        [](nlohmann::json& j) { j.erase("tables"); },
        [](nlohmann::json& j) { j["tables"]["trims"] = {0, -1}; },
        [](nlohmann::json& j) { j["tables"]["displacements"] = {{"from", 100}, {"to", 50}, {"step", 10}}; },
        [](nlohmann::json& j) { j["tables"]["displacements"] = {0, 100}; },
        [](nlohmann::json& j) { j["tables"]["heelAngles"] = {5, 95}; },
        // More than the closed hull can float.
        [](nlohmann::json& j) { j["tables"]["displacements"] = {1000, 30000}; },
        [](nlohmann::json& j) { j["loadLines"]["zones"] = {"MONSOON"}; },
    };
    for (size_t i = 0; i < breaks.size(); ++i) {
        nlohmann::json j = base;
        breaks[i](j);
        EXPECT_THROW(BuildHullTables(hull, j, 0), std::runtime_error) << "case " << i;
    }
}

TEST_F(BoxFixture, WaterlineSolveAtTheExtremes) {
    const ImmersionModel model(*hull);
    EXPECT_NEAR(model.TotalVolume(), kL * kB * kD, 1e-6);
    struct Case {
        double heel, trim, volume;
        double c;  // expected plane constant (NAN: only the volume is checked)
    };
    const Case cases[] = {
        {0, 0, 0, 0},                      // nothing immersed: the plane at the keel
        {0, 0, kL * kB * kD, kD},          // everything: the plane at the deck
        {0, 0, 2 * kL * kB * kD, kD},      // more than the hull holds: still the deck
        {90, 0, kL * kB * kD * 0.3, NAN},  // on her side
        {60, 2, kL * kB * kD * 0.5, NAN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.heel) + " " + std::to_string(c.volume));
        const double plane = model.SolveVolume(c.heel, c.trim, c.volume);
        if (!std::isnan(c.c)) {
            EXPECT_NEAR(plane, c.c, 1e-9);
        }
        const Immersion im = model.Integrate(c.heel, c.trim, plane);
        EXPECT_NEAR(im.volume, std::min(c.volume, kL * kB * kD), 1e-6 * kL * kB * kD);
    }
    // On her side the box floats on its starboard wall over the full depth:
    // the centre of buoyancy lies at half depth, so KN = D / 2.
    const double v = kL * kB * kD * 0.3;
    const Immersion side = model.Integrate(90, 0, model.SolveVolume(90, 0, v));
    EXPECT_NEAR(side.Vcb(), kD / 2, 1e-9);
    EXPECT_NEAR(side.Tcb(), kB / 2 - 0.3 * kB / 2, 1e-9);
}
