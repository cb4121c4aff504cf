// Hull tables of the sample vessel: the tables agree with each other and
// with an independent slicing of the hull.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <nlohmann/json.hpp>

#include "shipgen/Builders.h"
#include "shipgen/HullGeometry.h"
#include "shipgen/HullTableParts.h"
#include "calc/FloatingPosition.h"

using namespace kv::shipgen;

namespace {

constexpr double kPi = 3.14159265358979323846;

int Col(const kv::xyztable_rec& t, const std::string& name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[j].str() == name) return j;
    return -1;
}
double V(const kv::xyztable_rec& t, int layer, const std::string& col, int row) {
    const int j = Col(t, col);
    EXPECT_GT(j, 0) << col;
    return j > 0 ? static_cast<double>(t.Values[layer][j][row]) : NAN;
}
double Num(const kv::Heading& h) { return std::stod(h.str()); }

// Linear interpolation in an ascending column pair of one layer.
double Interp(const kv::xyztable_rec& t, int layer, int keyCol, int valCol, double key) {
    const auto& k = t.Values[layer][keyCol];
    const auto& v = t.Values[layer][valCol];
    const int n = t.RowCount;
    if (key <= k[1]) return static_cast<double>(v[1]);
    for (int r = 1; r < n; ++r)
        if (key <= k[r + 1])
            return static_cast<double>(v[r] + (v[r + 1] - v[r]) * (key - k[r]) / (k[r + 1] - k[r]));
    return static_cast<double>(v[n]);
}

struct Worst {
    std::string name;
    double rel = 0, abs = 0;
    void Add(double got, double want) {
        abs = std::max(abs, std::abs(got - want));
        rel = std::max(rel, std::abs(got - want) / std::max(1e-9, std::abs(want)));
    }
    void Print() const {
        std::printf("[figures] %-28s worst abs %.3e  rel %.3e\n", name.c_str(), abs, rel);
        ::testing::Test::RecordProperty("worst_" + name, std::to_string(abs));
    }
};

struct R549Fixture : ::testing::Test {
    static void SetUpTestSuite() {
        std::ifstream f(std::string(KORVANEL_SOURCE_DIR) + "/ships/R549/hull.json");
        json = nlohmann::json::parse(f);
        hull = new Hull(Hull::FromJson(json));
        // Processor time: the machine is shared, so wall time says little.
        const auto t0 = std::chrono::steady_clock::now();
        const std::clock_t c0 = std::clock();
        tables = new HullTables(BuildHullTables(*hull, json, 6500.0));
        seconds = double(std::clock() - c0) / CLOCKS_PER_SEC;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("[figures] hull table build %.2f s processor time (%.2f s wall)\n", seconds, wall);
    }
    static void TearDownTestSuite() {
        delete tables;
        delete hull;
    }
    static nlohmann::json json;
    static Hull* hull;
    static HullTables* tables;
    static double seconds;
};
nlohmann::json R549Fixture::json;
Hull* R549Fixture::hull = nullptr;
HullTables* R549Fixture::tables = nullptr;
double R549Fixture::seconds = 0;

}  // namespace

TEST_F(R549Fixture, ParticularsOfTheSampleVessel) {
    EXPECT_EQ(hull->Lbp(), 140);
    EXPECT_EQ(hull->Breadth(), 25);
    EXPECT_NEAR(hull->XFore() - hull->XAft(), 150, 1.0);
    const double disp = DisplacementAtDraft(*hull, 9.5, 0);
    const double cb = disp / 1.025 / (140 * 25 * 9.5);
    std::printf("[figures] R549 design draft 9.5 m: displacement %.1f t, Cb %.4f\n", disp, cb);
    EXPECT_NEAR(cb, 0.70, 0.02);
    // The largest hull half-breadth is half the breadth.
    double widest = 0;
    for (double x : hull->IntegrationStations())
        for (double z = 0; z <= hull->DeckZ(x); z += 0.5) widest = std::max(widest, hull->HalfBreadth(x, z));
    EXPECT_NEAR(widest, 12.5, 1e-9);
    EXPECT_LT(seconds, 5.0);
}

TEST_F(R549Fixture, TablesAreOrderedAndComplete) {
    const kv::xyztable_rec& h = tables->Hydro;
    // From -5 m (the light ship trims about 4.7 m by the stern) to +3 m.
    ASSERT_EQ(h.LayerCount, 9);
    EXPECT_EQ(h.LayerHeads[1].str(), "-5");
    EXPECT_EQ(h.LayerHeads[9].str(), "3");
    for (int l = 1; l <= h.LayerCount; ++l)
        for (int r = 2; r <= h.RowCount; ++r) {
            EXPECT_GT(V(h, l, "DISP", r), V(h, l, "DISP", r - 1));
            EXPECT_GT(V(h, l, "DRAFT", r), V(h, l, "DRAFT", r - 1));
        }
    // Every table keyed by displacement shares the rows of the hydrostatics.
    for (const kv::xyztable_rec* t : {&tables->KN, &tables->FloodAngle, &tables->Immersion}) {
        ASSERT_EQ(t->RowCount, h.RowCount);
        ASSERT_EQ(t->LayerCount, h.LayerCount);
        for (int r = 1; r <= h.RowCount; ++r) EXPECT_EQ(t->Values[5][1][r], h.Values[5][1][r]);
    }
    // Angles stay within 0..90 and deck edge goes under before the openings.
    for (int l = 1; l <= h.LayerCount; ++l)
        for (int r = 1; r <= h.RowCount; ++r) {
            const double fa = static_cast<double>(tables->FloodAngle.Values[l][2][r]);
            const double ia = static_cast<double>(tables->Immersion.Values[l][2][r]);
            EXPECT_GE(ia, 0);
            EXPECT_LE(fa, 90);
            EXPECT_LT(ia, fa);
        }
    const int l0 = 5;  // trim 0
    std::printf("[figures] R549 trim 0, %.0f t: flooding angle %.2f deg, deck-edge immersion %.2f deg\n",
                static_cast<double>(h.Values[l0][1][39]), static_cast<double>(tables->FloodAngle.Values[l0][2][39]),
                static_cast<double>(tables->Immersion.Values[l0][2][39]));
    const kv::xyztable_rec& ll = tables->LoadLine;
    ASSERT_EQ(ll.LayerCount, 5);
    EXPECT_EQ(ll.LayerHeads[1].str(), "SUMMER");
    EXPECT_NEAR(V(ll, 1, "DRAFT", 1), 9.9, 1e-9);
    EXPECT_NEAR(V(ll, 1, "DWT", 1), V(ll, 1, "DISP", 1) - 6500.0, 1e-9);
}

TEST_F(R549Fixture, BonjeanVolumeMatchesDisplacement) {
    // Float the ship on each hydrostatic row's waterline and sum the Bonjean
    // areas at the local draft over the stations, as the strength
    // calculation does (trapezoids between stations).
    const kv::xyztable_rec& h = tables->Hydro;
    const kv::xyztable_rec& bj = tables->Bonjean;
    Worst w{"R549 Bonjean vs DISP"};
    for (int l = 1; l <= h.LayerCount; ++l) {
        const double trim = Num(h.LayerHeads[l]);
        for (int r = 1; r <= h.RowCount; r += 2) {
            const double draftMid = V(h, l, "DRAFT", r);
            double vol = 0, prevX = 0, prevA = 0;
            for (int s = 1; s <= bj.LayerCount; ++s) {
                const double x = Num(bj.LayerHeads[s]);
                const double z = draftMid + (x - 70.0) * trim / 140.0;
                const double a = std::max(0.0, Interp(bj, s, 1, 2, z));
                if (s > 1) vol += 0.5 * (a + prevA) * (x - prevX);
                prevX = x;
                prevA = a;
            }
            const double disp = V(h, l, "DISP", r);
            EXPECT_NEAR(1.025 * vol, disp, 0.005 * disp) << "trim " << trim << " row " << r;
            w.Add(1.025 * vol, disp);
        }
    }
    w.Print();
}

TEST_F(R549Fixture, GzSlopeAtUprightEqualsGm) {
    // GZ = KN - KG sin(phi); its slope at 0 from the first two cross-curve
    // columns, taking GZ / phi = GM + k phi^2 through both.
    const kv::xyztable_rec& kn = tables->KN;
    const kv::xyztable_rec& h = tables->Hydro;
    const double p1 = Num(kn.ColHeads[2]) * kPi / 180, p2 = Num(kn.ColHeads[3]) * kPi / 180;
    ASSERT_LT(p1, p2);
    Worst w{"R549 GZ slope vs GM"};
    for (int l = 1; l <= kn.LayerCount; ++l)
        for (int r = 1; r <= kn.RowCount; ++r) {
            const double kmt = V(h, l, "KMT", r);
            const double gm = 1.5;  // a typical loaded GM
            const double kg = kmt - gm;
            const double s1 = (kn.Values[l][2][r] - kg * std::sin(p1)) / p1;
            const double s2 = (kn.Values[l][3][r] - kg * std::sin(p2)) / p2;
            const double slope = (s1 * p2 * p2 - s2 * p1 * p1) / (p2 * p2 - p1 * p1);
            EXPECT_NEAR(slope, gm, 0.01 * gm) << "layer " << l << " row " << r;
            w.Add(slope, gm);
        }
    w.Print();
}

TEST_F(R549Fixture, HydrostaticsAgreeWithIndependentSlicing) {
    // Slice the hull into thin horizontal strips of each section from the
    // half-breadths alone (no polygons), with the midpoint rule in x and z.
    const kv::xyztable_rec& h = tables->Hydro;
    Worst wd{"R549 slicing DISP"}, wl{"R549 slicing LCB"}, wv{"R549 slicing VCB"}, wk{"R549 slicing KMT"},
        wf{"R549 slicing LCF"}, wt{"R549 slicing TPC"}, wm{"R549 slicing MTC"};
    const double dx = 0.25, dz = 0.05;
    for (int l : {2, 5, 7}) {  // trims -3, 0, 2
        const double trim = Num(h.LayerHeads[l]);
        for (int r : {3, 20, 40}) {
            const double draftMid = V(h, l, "DRAFT", r);
            double vol = 0, mx = 0, mz = 0, awp = 0, awx = 0, awxx = 0, it = 0;
            for (double x = hull->XAft() + dx / 2; x < hull->XFore(); x += dx) {
                const double zw = draftMid + (x - 70.0) * trim / 140.0;
                for (double z = dz / 2; z - dz / 2 < zw; z += dz) {
                    const double top = std::min(z + dz / 2, zw), bot = z - dz / 2;
                    const double a = 2 * hull->HalfBreadth(x, 0.5 * (top + bot)) * (top - bot) * dx;
                    vol += a;
                    mx += a * x;
                    mz += a * 0.5 * (top + bot);
                }
                const double b = hull->HalfBreadth(x, zw - 1e-9);
                awp += 2 * b * dx;
                awx += 2 * b * dx * x;
                awxx += 2 * b * dx * x * x;
                it += 2 * b * b * b / 3 * dx;
            }
            const double lcf = awx / awp;
            const double disp = 1.025 * vol;
            const double want[] = {disp,
                                   mx / vol,
                                   mz / vol,
                                   mz / vol + it / vol,
                                   lcf,
                                   awp * 1.025 / 100,
                                   disp * ((awxx - awp * lcf * lcf) / vol) / (100 * 140)};
            const char* cols[] = {"DISP", "LCB", "VCB", "KMT", "LCF", "TPC", "MTC"};
            Worst* ws[] = {&wd, &wl, &wv, &wk, &wf, &wt, &wm};
            // Far inside the class terms: displacement 0.1 %, LCB 2 cm, VCB and
            // KMT 1 cm, LCF 5 cm, TPC and MTC 0.3 %.
            const double tol[] = {0.001 * disp, 0.02, 0.01, 0.01, 0.05, 0.003 * want[5], 0.003 * want[6]};
            for (int k = 0; k < 7; ++k) {
                const double got = V(h, l, cols[k], r);
                EXPECT_NEAR(got, want[k], tol[k]) << cols[k] << " trim " << trim << " draft " << draftMid;
                ws[k]->Add(got, want[k]);
            }
        }
    }
    for (Worst* w : {&wd, &wl, &wv, &wk, &wf, &wt, &wm}) w->Print();
}

TEST_F(R549Fixture, ReadingBetweenRowsAndTrimsStaysAccurate) {
    // The core reads the tables by linear interpolation between rows and
    // between trim layers; halfway between them the direct computation must
    // agree far inside the class terms.
    const ImmersionModel model(*hull);
    const kv::xyztable_rec& h = tables->Hydro;
    Worst wk{"R549 mid-row KMT"}, wl{"R549 mid-row LCB/LCF"}, wm{"R549 mid-row MTC/TPC rel"};
    for (int l = 1; l <= h.LayerCount; ++l) {
        const double trim = Num(h.LayerHeads[l]);
        for (int r = 1; r < h.RowCount; ++r) {
            // Where the deck edge immerses at an end the waterplane changes
            // abruptly; no linear table follows that, and a loading condition
            // never gets there (far beyond the load line).
            const double lbp = hull->Lbp(), draft = V(h, l, "DRAFT", r + 1);
            auto wetDeck = [&](double x) { return draft + trim * (x - lbp / 2) / lbp > hull->DeckZ(x); };
            if (wetDeck(hull->XAft()) || wetDeck(hull->XFore())) continue;
            const double disp = 0.5 * (V(h, l, "DISP", r) + V(h, l, "DISP", r + 1));
            const HydroPoint p = HydrostaticsAt(model, disp, trim);
            auto mid = [&](const char* c) { return 0.5 * (V(h, l, c, r) + V(h, l, c, r + 1)); };
            EXPECT_NEAR(mid("KMT"), p.kmt, 0.02) << "trim " << trim << " disp " << disp;
            EXPECT_NEAR(mid("LCB"), p.lcb, 0.05);
            EXPECT_NEAR(mid("LCF"), p.lcf, 0.10) << "trim " << trim << " disp " << disp;
            EXPECT_NEAR(mid("MTC"), p.mtc, 0.005 * p.mtc) << "trim " << trim << " disp " << disp;
            EXPECT_NEAR(mid("TPC"), p.tpc, 0.005 * p.tpc);
            wk.Add(mid("KMT"), p.kmt);
            wl.Add(mid("LCB"), p.lcb);
            wl.Add(mid("LCF"), p.lcf);
            wm.Add(mid("MTC"), p.mtc);
            wm.Add(mid("TPC"), p.tpc);
        }
    }
    const kv::xyztable_rec& kn = tables->KN;
    Worst wr{"R549 mid-row KN"}, wt{"R549 mid-trim KN"};
    auto knAt = [&](double heel, double trim, double disp) {
        const double c = model.SolveVolume(heel, trim, disp / kSeaWater);
        const Immersion im = model.Integrate(heel, trim, c);
        return im.Tcb() * std::cos(heel * kPi / 180) + im.Vcb() * std::sin(heel * kPi / 180);
    };
    for (int l = 1; l <= kn.LayerCount; ++l) {
        const double trim = Num(kn.LayerHeads[l]);
        for (int r = 1; r < kn.RowCount; r += 4) {
            for (int c = 2; c <= kn.ColCount; c += 3) {
                const double heel = Num(kn.ColHeads[c]);
                const double disp = 0.5 * static_cast<double>(kn.Values[l][1][r] + kn.Values[l][1][r + 1]);
                const double mid = 0.5 * static_cast<double>(kn.Values[l][c][r] + kn.Values[l][c][r + 1]);
                const double want = knAt(heel, trim, disp);
                EXPECT_NEAR(mid, want, 0.005) << "heel " << heel << " trim " << trim << " disp " << disp;
                wr.Add(mid, want);
                if (l < kn.LayerCount) {
                    const double tm = 0.5 * (trim + Num(kn.LayerHeads[l + 1]));
                    const double d = static_cast<double>(kn.Values[l][1][r]);
                    const double midT = 0.5 * static_cast<double>(kn.Values[l][c][r] + kn.Values[l + 1][c][r]);
                    const double wantT = knAt(heel, tm, d);
                    EXPECT_NEAR(midT, wantT, 0.005) << "heel " << heel << " trim " << tm << " disp " << d;
                    wt.Add(midT, wantT);
                }
            }
        }
    }
    for (Worst* w : {&wk, &wl, &wm, &wr, &wt}) w->Print();
}

TEST_F(R549Fixture, HeeledLeversAgreeWithSeparateClipping) {
    // Float the ship heeled with the general clipping routines on stations
    // 0.25 m apart (trapezoids), solving the waterline by bisection, and
    // compare KN with the table.
    const kv::xyztable_rec& kn = tables->KN;
    std::vector<double> xs;
    for (double x = hull->XAft(); x < hull->XFore(); x += 0.25) xs.push_back(x);
    xs.push_back(hull->XFore());
    std::vector<Poly> secs;
    for (double x : xs) secs.push_back(hull->Section(x));
    Worst w{"R549 KN vs separate clipping"};
    for (int l : {2, 7}) {  // trims -3 and 2
        const double trim = Num(kn.LayerHeads[l]);
        for (int r : {8, 30, 52}) {
            const double volume = static_cast<double>(kn.Values[l][1][r]) / 1.025;
            for (int c : {4, 8, 12, 15}) {
                const double heel = Num(kn.ColHeads[c]) * kPi / 180;
                const double a = -std::sin(heel), b = std::cos(heel);
                auto immersed = [&](double c0, double& my, double& mz) {
                    double v = 0;
                    my = mz = 0;
                    for (size_t i = 0; i < xs.size(); ++i) {
                        const double wgt = (i > 0 ? xs[i] - xs[i - 1] : 0) / 2 +
                                           (i + 1 < xs.size() ? xs[i + 1] - xs[i] : 0) / 2;
                        const SectionProps p =
                            Properties(ClipHalfPlane(secs[i], a, b, c0 + (xs[i] - 70.0) * trim / 140.0));
                        v += wgt * p.area;
                        my += wgt * p.my;
                        mz += wgt * p.mz;
                    }
                    return v;
                };
                double lo = -40, hi = 40, my, mz;
                for (int it = 0; it < 60; ++it) {
                    const double mid = 0.5 * (lo + hi);
                    (immersed(mid, my, mz) < volume ? lo : hi) = mid;
                }
                const double v = immersed(0.5 * (lo + hi), my, mz);
                const double want = my / v * std::cos(heel) + mz / v * std::sin(heel);
                const double got = static_cast<double>(kn.Values[l][c][r]);
                EXPECT_NEAR(got, want, 0.005) << "trim " << trim << " row " << r << " heel " << heel * 180 / kPi;
                w.Add(got, want);
            }
        }
    }
    w.Print();
}

TEST_F(R549Fixture, TrimSearchOfTheCoreFindsTheFloatingTrim) {
    // Put G on the normal to the waterline through B, 3 m above it, for a
    // ship floating at a known trim; the core's trim search over the table
    // must come back to that trim.
    const ImmersionModel model(*hull);
    Worst w{"R549 equilibrium trim"};
    for (double trim : {-3.6, -2.5, -0.7, 0.4, 1.6, 2.8}) {
        for (double disp : {6200.0, 12750.0, 21300.0, 26100.0}) {
            const HydroPoint b = HydrostaticsAt(model, disp, trim);
            const double s = std::tan(trim / 140.0);
            const double lcg = b.lcb - 3.0 * s, vcg = b.vcb + 3.0;
            kv::TableLookupState state;
            kv::Extended found = -99;
            ASSERT_TRUE(kv::FindEquilibriumTrim(tables->Hydro, 140.0, disp, lcg, vcg, found, state))
                << "trim " << trim << " disp " << disp;
            EXPECT_NEAR(static_cast<double>(found), trim, 0.02) << "disp " << disp;
            w.Add(static_cast<double>(found), trim);
        }
    }
    w.Print();
}
