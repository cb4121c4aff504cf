// End to end on the box barge: hull tables from the ship compiler, righting
// levers, flooding angle, range and areas from the stability calculation,
// against the exact geometry of the heeled box section.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "calc/StabProc.h"
#include "model/kvGlobal.h"
#include "shipgen/Builders.h"
#include "shipgen/HullGeometry.h"

using namespace kv::shipgen;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kL = 100, kB = 20, kD = 10, kRho = 1.025;

struct P {
    double y, z;
};

// The box section cut by the water: the part where z cos h - y sin h <= c
// (heeled to starboard, +y), clipped from the rectangle.
std::vector<P> Immersed(double heelDeg, double c) {
    const double s = std::sin(heelDeg * kPi / 180), co = std::cos(heelDeg * kPi / 180);
    const std::vector<P> box{{-kB / 2, 0}, {kB / 2, 0}, {kB / 2, kD}, {-kB / 2, kD}};
    auto f = [&](const P& p) { return p.z * co - p.y * s - c; };
    std::vector<P> out;
    for (size_t i = 0; i < box.size(); ++i) {
        const P& a = box[i];
        const P& b = box[(i + 1) % box.size()];
        const double fa = f(a), fb = f(b);
        if (fa <= 0) out.push_back(a);
        if ((fa < 0) != (fb < 0) && fa != fb) {
            const double t = fa / (fa - fb);
            out.push_back({a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)});
        }
    }
    return out;
}

struct Section {
    double area, y, z;
};
Section Centroid(const std::vector<P>& p) {
    double a = 0, my = 0, mz = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const P& u = p[i];
        const P& v = p[(i + 1) % p.size()];
        const double cr = u.y * v.z - v.y * u.z;
        a += cr / 2;
        my += (u.y + v.y) * cr / 6;
        mz += (u.z + v.z) * cr / 6;
    }
    return a != 0 ? Section{a, my / a, mz / a} : Section{0, 0, 0};
}

double WaterLine(double heelDeg, double draft) {
    double lo = -30, hi = 30;
    for (int i = 0; i < 200; ++i) {
        const double m = (lo + hi) / 2;
        (Centroid(Immersed(heelDeg, m)).area < kB * draft ? lo : hi) = m;
    }
    return (lo + hi) / 2;
}

double ExactGZ(double heelDeg, double draft, double kg) {
    if (heelDeg == 0) return 0;
    const Section s = Centroid(Immersed(heelDeg, WaterLine(heelDeg, draft)));
    const double h = heelDeg * kPi / 180;
    return s.y * std::cos(h) + s.z * std::sin(h) - kg * std::sin(h);
}

double ExactArea(double to, double draft, double kg) {
    const int n = 600;
    const double step = to / n;
    double sum = ExactGZ(0, draft, kg) + ExactGZ(to, draft, kg);
    for (int i = 1; i < n; ++i) sum += ExactGZ(i * step, draft, kg) * (i % 2 ? 4 : 2);
    return sum * step / 3 * kPi / 180;
}

// Angle where a point (on the side that goes down) reaches the water.
double ExactImmersion(double y, double z, double draft) {
    double lo = 0, hi = 89;
    auto above = [&](double a) {
        const double h = a * kPi / 180;
        return z * std::cos(h) - std::fabs(y) * std::sin(h) > WaterLine(a, draft);
    };
    for (int i = 0; i < 60; ++i) {
        const double m = (lo + hi) / 2;
        (above(m) ? lo : hi) = m;
    }
    return (lo + hi) / 2;
}

struct BoxBarge : ::testing::Test {
    static void SetUpTestSuite() {
        std::ifstream f(std::string(KORVANEL_SOURCE_DIR) + "/ships/BOX100/hull.json");
        json = nlohmann::json::parse(f);
        Hull hull = Hull::FromJson(json);
        tables = new HullTables(BuildHullTables(hull, json, 1500.0));
    }
    static void TearDownTestSuite() { delete tables; }

    // A level condition of the box at a draft (a row of the tables) and KG.
    static void Load(kv::KvState& s, double draft, double kg) {
        auto& t = s.ShipInfo.ShipTables.Tables;
        t[kv::KNTableSlot] = tables->KN;
        t[kv::HydroTableSlot] = tables->Hydro;
        t[kv::FloodAngleTableSlot] = tables->FloodAngle;
        t[kv::ImmersionTableSlot] = tables->Immersion;
        s.ShipInfo.LBP = kL;
        s.ShipInfo.Breadth = kB;
        s.ShipInfo.Depth = kD;
        kv::calcdata_rec& c = s.CalcData;
        c.Displacement = c.DisplacementSW = kRho * kL * kB * draft;
        c.DraftAP = c.DraftMean = c.DraftFP = draft;
        c.Trim = 0;
        c.VCG = kg;
        c.TCG = 0;
        c.Stab.FSC = 0;
        c.Stab.GMSolid = c.Stab.GoM = draft / 2 + kB * kB / (12 * draft) - kg;
    }
    static nlohmann::json json;
    static HullTables* tables;
};
nlohmann::json BoxBarge::json;
HullTables* BoxBarge::tables = nullptr;

struct Case {
    double draft, kg;
};
const Case kCases[] = {{3, 5}, {5, 6}, {5, 8}, {7, 7.5}, {5, 9}};

TEST_F(BoxBarge, LeversAtEveryTabulatedAngle) {
    double worst = 0, worstWall = 0;
    for (const Case& k : kCases) {
        kv::KvState s;
        Load(s, k.draft, k.kg);
        kv::RunStability(s);
        EXPECT_FALSE(s.Tables.TableRangeExceeded);
        const auto& st = s.CalcData.Stab;
        const kv::xyztable_rec& kn = tables->KN;
        ASSERT_EQ(st.GZValues.size(), size_t(kn.ColCount));
        const double kb = k.draft / 2, bm = kB * kB / (12 * k.draft);
        for (int i = 1; i < kn.ColCount; ++i) {
            const double a = std::stod(kn.ColHeads[size_t(i) + 1].str()), h = a * kPi / 180;
            const double got = double(st.GZValues[size_t(i)]);
            SCOPED_TRACE("draft " + std::to_string(k.draft) + " KG " + std::to_string(k.kg) + " heel " +
                         std::to_string(a));
            const double exact = ExactGZ(a, k.draft, k.kg);
            EXPECT_NEAR(got, exact, 0.005);
            worst = std::max(worst, std::fabs(got - exact));
            // Wall-sided while neither the deck edge nor the bilge comes through.
            if (std::tan(h) * kB / 2 <= std::min(k.draft, kD - k.draft)) {
                const double wall = std::sin(h) * (kb + bm + bm / 2 * std::tan(h) * std::tan(h) - k.kg);
                EXPECT_NEAR(got, wall, 0.005);
                worstWall = std::max(worstWall, std::fabs(got - wall));
            }
        }
    }
    std::printf("[figures] box GZ worst deviation %.2e m (wall-sided %.2e m)\n", worst, worstWall);
}

TEST_F(BoxBarge, AreasWithinTheToleranceOfTheExactIntegral) {
    double worst = 0;
    for (const Case& k : kCases) {
        kv::KvState s;
        Load(s, k.draft, k.kg);
        kv::RunStability(s);
        const auto& st = s.CalcData.Stab;
        const double to40 = std::min(40.0, double(st.FloodAngle));
        const double want[] = {ExactArea(30, k.draft, k.kg), ExactArea(to40, k.draft, k.kg)};
        const double got[] = {double(st.Area30), double(st.Area40)};
        for (int j = 0; j < 2; ++j) {
            double tol = std::min(0.05 * std::fabs(want[j]), 0.0012);
            // At draft 5 m the deck edge immerses and the bilge emerges at the
            // same angle, 26.6 degrees: the kink lies between the tabulated 25
            // and 30 degrees and the table has no angle between 30 and 40, so
            // the spline's area to 40 degrees carries 1.22e-3 m.rad (0.3 %).
            if (j == 1 && k.draft == 5) tol = 0.0013;
            EXPECT_NEAR(got[j], want[j], tol) << "draft " << k.draft << " KG " << k.kg << (j ? " to 40" : " to 30");
            worst = std::max(worst, std::fabs(got[j] - want[j]));
        }
        EXPECT_NEAR(double(st.Area30to40), want[1] - want[0], 0.0024);
    }
    std::printf("[figures] box area worst deviation %.2e m.rad\n", worst);
}

TEST_F(BoxBarge, FloodingAngleOfTheOpenings) {
    for (const Case& k : kCases) {
        kv::KvState s;
        Load(s, k.draft, k.kg);
        kv::RunStability(s);
        // Vent at |y| 8 m, z 12 m; hatch on the centre line at z 13 m.
        const double want = std::min(ExactImmersion(8, 12, k.draft), ExactImmersion(0, 13, k.draft));
        EXPECT_NEAR(double(s.CalcData.Stab.FloodAngle), want, 0.5) << "draft " << k.draft;
    }
}

// High KG: the curve of the upright box vanishes well inside the table; the
// range is the angle of vanishing stability, not the last tabulated angle.
TEST_F(BoxBarge, RangeEndsWhereTheLeverVanishes) {
    for (const Case& k : {Case{5, 9}, Case{5, 8.8}, Case{3, 8}}) {
        kv::KvState s;
        Load(s, k.draft, k.kg);
        kv::RunStability(s);
        double lo = 10, hi = 80;
        ASSERT_GT(ExactGZ(lo, k.draft, k.kg), 0);
        ASSERT_LT(ExactGZ(hi, k.draft, k.kg), 0);
        for (int i = 0; i < 60; ++i) {
            const double m = (lo + hi) / 2;
            (ExactGZ(m, k.draft, k.kg) > 0 ? lo : hi) = m;
        }
        EXPECT_EQ(s.CalcData.Stab.GZValues[0], 0);
        EXPECT_NEAR(double(s.CalcData.Stab.StabRange), lo, 1.0) << "draft " << k.draft << " KG " << k.kg;
        std::printf("[figures] box draft %.1f KG %.2f: vanishing at %.2f deg, range %.2f deg\n", k.draft, k.kg, lo,
                    double(s.CalcData.Stab.StabRange));
    }
}

}  // namespace
