// The sample vessel's arrangement: every compartment inside the hull, no two
// compartments sharing space, the hold layout the program relies on, and the
// capacities and centres of every tank against an independent grid sum.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "numerics/TableLookup.h"
#include "shipgen/Compartments.h"
#include "shipgen/ShipDefinition.h"
#include "shipgen/TankTables.h"

using namespace kv::shipgen;

namespace {

struct R549 {
    Hull hull;
    Arrangement arr;
    double lbp;
};

const R549& Ship() {
    static const R549 s = [] {
        const std::string dir = std::string(KORVANEL_SOURCE_DIR) + "/ships/R549/";
        Hull hull = Hull::FromJson(LoadJsonFile(dir + "hull.json"));
        return R549{hull, ParseArrangement(LoadJsonFile(dir + "compartments.json")), hull.Lbp()};
    }();
    return s;
}

// Whether the point lies in any part of the compartment.
bool Contains(const Hull& hull, const Compartment& c, double x, double y, double z) {
    for (const TankPart& p : c.parts)
        if (PartContains(hull, p, x, y, z)) return true;
    return false;
}

}  // namespace

TEST(ArrangementR549, HoldsRunForeToAftAndTheThirdSpansTheSplitPosition) {
    const Arrangement& a = Ship().arr;
    ASSERT_EQ(a.groups[0].size(), 7u);
    ASSERT_EQ(a.groups[1].size(), 7u);
    for (size_t h = 0; h < 7; ++h) {
        std::string name = "NO." + std::to_string(h + 1) + " CARGO HOLD";
        EXPECT_EQ(a.groups[0][h].name, name);
        EXPECT_EQ(a.groups[1][h].name, name);
        if (h > 0) {  // each hold lies aft of the one before, bulkhead to bulkhead
            EXPECT_DOUBLE_EQ(a.groups[0][h].parts[0].xf, a.groups[0][h - 1].parts[0].xa);
        }
    }
    const TankPart& third = a.groups[1][2].parts[0];
    EXPECT_LT(third.xa, 77.1);
    EXPECT_GT(third.xf, 77.1);
    EXPECT_EQ(a.groupNames[1], "Cargo");
    for (int g = 2; g <= 7; ++g) EXPECT_FALSE(a.groups[size_t(g)].empty()) << g;
    EXPECT_FALSE(a.groups[8].empty());
}

TEST(ArrangementR549, EveryCompartmentLiesInsideTheHullOrOnTheDeck) {
    const Hull& hull = Ship().hull;
    for (int g = 1; g <= 7; ++g)
        for (const Compartment& c : Ship().arr.groups[size_t(g)]) {
            SCOPED_TRACE(c.name);
            bool any = false;
            for (const TankPart& p : c.parts)
                for (int i = 0; i <= 20; ++i) {
                    double x = p.xa + (p.xf - p.xa) * i / 20;
                    for (const Poly& poly : PartSection(hull, p, x))
                        for (const Pt& q : poly) {
                            any = true;
                            double deck = hull.DeckZ(x);
                            if (q.z <= deck + 1e-6) {
                                // Below the deck: within the shell at that height.
                                EXPECT_LE(std::fabs(q.y), hull.HalfBreadth(x, q.z) + 1e-3) << x << " " << q.z;
                                EXPECT_GE(q.z, hull.KeelZ(x) - 1e-6);
                            } else {
                                // A hatchway above the deck: within the deck's breadth.
                                EXPECT_LE(std::fabs(q.y), hull.HalfBreadth(x, deck - 1e-3) + 1e-3) << x;
                            }
                        }
                }
            EXPECT_TRUE(any) << "no section inside the hull";
        }
}

TEST(ArrangementR549, NoTwoCompartmentsShareSpace) {
    const Hull& hull = Ship().hull;
    std::vector<const Compartment*> all;
    for (int g = 1; g <= 7; ++g)
        for (const Compartment& c : Ship().arr.groups[size_t(g)]) all.push_back(&c);
    // Sample a grid over the ship, offset so that points avoid the boundaries
    // that neighbours share.
    int clashes = 0;
    for (double x = hull.XAft() + 0.137; x < hull.XFore(); x += 0.5)
        for (double y = -12.6 + 0.071; y < 12.6; y += 0.4)
            for (double z = 0.053; z < 16.0; z += 0.4) {
                const Compartment* first = nullptr;
                for (const Compartment* c : all)
                    if (Contains(hull, *c, x, y, z)) {
                        if (first && clashes++ < 5)
                            ADD_FAILURE() << first->name << " and " << c->name << " share (" << x << ", " << y
                                          << ", " << z << ")";
                        first = c;
                    }
            }
    EXPECT_EQ(clashes, 0);
}

// Capacity and centres of the full tank, and the free-surface inertia at
// half height, from a grid sum over x and z with the
// breadth from the hull's half-breadth (no polygons), against the tables.
TEST(ArrangementR549, TankCapacitiesAndCentresAgreeWithAGridSum) {
    const Hull& hull = Ship().hull;
    TankTableSettings s{Ship().lbp, Ship().arr.trims, Ship().arr.heels};
    double worstV = 0, worstC = 0, worstF = 0;
    std::string worstName;
    for (int g = 1; g <= 7; ++g)
        for (const Compartment& c : Ship().arr.groups[size_t(g)]) {
            SCOPED_TRACE(c.name);
            kv::tank_rec t = BuildTankRecord(TankShape(hull, c), c, s);
            double v = 0, mx = 0, my = 0, mz = 0;
            for (const TankPart& p : c.parts) {
                const double dx = 0.1, dz = 0.05;
                for (double x = p.xa + dx / 2; x < p.xf; x += dx)
                    for (double z = p.za + dz / 2; z < p.zb; z += dz) {
                        double y1 = p.ya, y2 = p.yb;
                        if (p.hull) {
                            if (z > hull.DeckZ(x) || z < hull.KeelZ(x)) continue;
                            double hb = hull.HalfBreadth(x, z);
                            y1 = std::max(y1, -hb);
                            y2 = std::min(y2, hb);
                        }
                        if (y2 <= y1) continue;
                        double a = (y2 - y1) * dx * dz;
                        v += a; mx += a * x; my += a * (y1 + y2) / 2; mz += a * z;
                    }
            }
            const kv::xyztable_rec& b = t.TkTables[kv::TkBase];
            const int n = b.RowCount;
            double tv = double(b.Values[1][2][size_t(n)]);
            EXPECT_NEAR(tv, v, 0.02 * v);
            EXPECT_NEAR(double(b.Values[1][3][size_t(n)]), mx / v, 0.05);
            EXPECT_NEAR(double(b.Values[1][4][size_t(n)]), my / v, 0.05);
            EXPECT_NEAR(double(b.Values[1][5][size_t(n)]), mz / v, 0.05);
            EXPECT_NEAR(double(t.MaxVolume), tv, 1e-9);
            // Free-surface inertia at the row nearest half height, from chords
            // across the grid.
            const int half = (n + 1) / 2;
            const double zl = double(t.BottomZ) + double(b.Values[1][1][size_t(half)]) - 1e-6;
            double fa = 0, fm = 0, fi = 0;
            for (const TankPart& p : c.parts) {
                if (zl < p.za || zl > p.zb) continue;
                const double dx = 0.05;
                for (double x = p.xa + dx / 2; x < p.xf; x += dx) {
                    double y1 = p.ya, y2 = p.yb;
                    if (p.hull) {
                        if (zl > hull.DeckZ(x) || zl < hull.KeelZ(x)) continue;
                        double hb = hull.HalfBreadth(x, zl);
                        y1 = std::max(y1, -hb);
                        y2 = std::min(y2, hb);
                    }
                    if (y2 <= y1) continue;
                    fa += (y2 - y1) * dx;
                    fm += (y2 * y2 - y1 * y1) / 2 * dx;
                    fi += (y2 * y2 * y2 - y1 * y1 * y1) / 3 * dx;
                }
            }
            if (fa > 0) {
                double fsm = fi - fm * fm / fa;
                double tf = double(b.Values[1][6][size_t(half)]);
                EXPECT_NEAR(tf, fsm, 0.02 * fsm);
                worstF = std::max(worstF, std::fabs(tf / fsm - 1));
            }
            double dv = std::fabs(tv / v - 1);
            if (dv > worstV) { worstV = dv; worstName = c.name; }
            worstC = std::max({worstC, std::fabs(double(b.Values[1][3][size_t(n)]) - mx / v),
                               std::fabs(double(b.Values[1][4][size_t(n)]) - my / v),
                               std::fabs(double(b.Values[1][5][size_t(n)]) - mz / v)});
        }
    RecordProperty("worst_capacity_rel", std::to_string(worstV));
    RecordProperty("worst_centre_m", std::to_string(worstC));
    RecordProperty("worst_fsm_rel", std::to_string(worstF));
    std::printf("R549 tanks vs grid sum: capacity %.3f %% (%s), centres %.4f m, FSM %.3f %%\n", worstV * 100,
                worstName.c_str(), worstC, worstF * 100);
}

namespace {

double Read(const kv::xyztable_rec& t, const std::string& result, const std::string& key, double x) {
    kv::TableLookupState st;
    kv::Extended r = 0;
    EXPECT_TRUE(kv::GetTableValue(t, result, key, "", x, r, true, false, st)) << result << " by " << key;
    return double(r);
}

}  // namespace

// The corrected readings the tank calculation makes with the sample vessel's
// methods (holds "1": ullage corrections; tanks "2": volume by trim, heel
// correction), at a trim and heel between the tabulated columns, against the
// volume below the inclined surface.
TEST(ArrangementR549, CorrectedSoundingsGiveTheInclinedVolume) {
    const Hull& hull = Ship().hull;
    const double lbp = Ship().lbp, trim = 1.5, heel = 3.0;
    const double tanHeel = std::tan(heel * 3.14159265358979323846 / 180);
    TankTableSettings s{lbp, Ship().arr.trims, Ship().arr.heels};
    double worst = 0;
    std::string worstName;
    for (int g = 1; g <= 7; ++g)
        for (const Compartment& c : Ship().arr.groups[size_t(g)]) {
            SCOPED_TRACE(c.name);
            TankShape shape(hull, c);
            kv::tank_rec t = BuildTankRecord(shape, c, s);
            double px = c.pipeX, py = c.pipeY;
            if (!c.hasPipe) py = shape.SoundingPoint(px).y;
            const double H = double(t.MaxLevel), cap = double(t.MaxVolume);
            for (double f : {0.3, 0.5, 0.7}) {
                double h = f * H;
                double truth = shape.Below(double(t.BottomZ) + h, px, py, trim / lbp, tanHeel).volume;
                double v;
                if (g == 1) {
                    double u = H - h;
                    double ct = Read(t.TkTables[kv::TkUllageCorr], "1.5", "ULLAGE", u);
                    double ch = Read(t.TkTables[kv::TkUllageHeel], "3", "ULLAGE", u);
                    v = Read(t.TkTables[kv::TkUllageTrim], "VOLUME", "ULLAGE", u + (ct + ch) / 1000);
                } else {
                    double ch = Read(t.TkTables[kv::TkSoundHeel], "3", "SOUND", h);
                    v = Read(t.TkTables[kv::TkSoundTrim], "1.5", "SOUND", h + ch / 1000);
                }
                EXPECT_NEAR(v, truth, 0.01 * cap) << "level " << h;
                if (std::fabs(v - truth) / cap > worst) { worst = std::fabs(v - truth) / cap; worstName = c.name; }
            }
        }
    RecordProperty("worst_corrected_reading_rel_capacity", std::to_string(worst));
    std::printf("R549 corrected readings at trim 1.5 m, heel 3 deg: worst %.3f %% of capacity (%s)\n", worst * 100,
                worstName.c_str());
}
