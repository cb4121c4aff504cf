// Tank tables against closed forms (box tanks in the box barge) and against an
// independent grid sum over the hull's half-breadths (a tank clipped by a
// shaped hull), plus the trim/heel tables read back as the program reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "numerics/TableLookup.h"
#include "shipgen/Compartments.h"
#include "shipgen/TankTables.h"

using namespace kv::shipgen;
using nlohmann::json;

namespace {

constexpr double kPi = 3.14159265358979323846;

Hull BoxHull() {
    return Hull::FromJson(json::parse(R"({"hull": {"lbp": 100.0, "breadth": 20.0, "depth": 10.0,
        "waterlines": [0.0, 10.0],
        "stations": [{"x": 0.0, "keel": 0.0, "deck": 10.0, "halfBreadths": [10.0, 10.0]},
                     {"x": 100.0, "keel": 0.0, "deck": 10.0, "halfBreadths": [10.0, 10.0]}]}})"));
}

// A hull with a flat bottom and round bilge amidships that fines out into a
// bow: sections change along the whole tank below.
Hull ShapedHull() {
    return Hull::FromJson(json::parse(R"({"hull": {"lbp": 60.0, "breadth": 16.0, "depth": 10.0,
        "waterlines": [0.0, 0.5, 1.0, 2.0, 4.0, 6.0, 8.0, 10.0, 12.0],
        "stations": [
          {"x": 0.0, "keel": 0.0, "deck": 10.0, "keelHalfBreadth": 2.0, "halfBreadths": [2.0, 4.0, 5.0, 6.5, 7.5, 8.0, 8.0, 8.0, 8.0]},
          {"x": 20.0, "keel": 0.0, "deck": 10.0, "keelHalfBreadth": 6.0, "halfBreadths": [6.0, 7.5, 7.8, 8.0, 8.0, 8.0, 8.0, 8.0, 8.0]},
          {"x": 40.0, "keel": 0.0, "deck": 10.0, "keelHalfBreadth": 5.0, "halfBreadths": [5.0, 6.5, 7.2, 7.8, 8.0, 8.0, 8.0, 8.0, 8.0]},
          {"x": 60.0, "keel": 0.0, "deck": 10.0, "halfBreadths": [0.3, 1.5, 2.5, 4.0, 5.5, 6.5, 7.0, 7.5, 7.5]}]}})"));
}

Compartment Tank(int group, TankPart part, double pipeX, double pipeY) {
    Compartment c;
    c.group = group;
    c.name = "TEST TANK";
    c.parts = {part};
    c.pipeX = pipeX;
    c.pipeY = pipeY;
    c.hasPipe = true;
    c.sg = 1.025;
    c.sfFactors = {1, 1, 1};
    return c;
}

int Col(const kv::xyztable_rec& t, const std::string& name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[size_t(j)].str() == name) return j;
    ADD_FAILURE() << "no column " << name;
    return 1;
}
double At(const kv::xyztable_rec& t, const std::string& col, int row) {
    return double(t.Values[1][size_t(Col(t, col))][size_t(row)]);
}

// Reads a table the way the tank calculation does (Clamp on).
double Lookup(const kv::xyztable_rec& t, const std::string& result, const std::string& key, double x) {
    kv::TableLookupState st;
    kv::Extended r = 0;
    EXPECT_TRUE(kv::GetTableValue(t, result, key, "", x, r, true, false, st)) << result << " by " << key;
    return double(r);
}

const std::vector<double> kTrims{-3, -2, -1, 0, 1, 2};
const std::vector<double> kHeels{-10, -5, -2, 0, 2, 5, 10};

}  // namespace

TEST(TankTables, BoxTankBaseTableMatchesClosedForm) {
    Hull hull = BoxHull();
    // 20 m long, 6 m wide off the centre line, 4 m high, standing on a 1 m floor.
    Compartment c = Tank(2, {10, 30, 2, 8, 1, 5, true, {}}, 10.3, 5.0);
    kv::tank_rec t = BuildTankRecord(TankShape(hull, c), c, {100.0, kTrims, kHeels});
    EXPECT_NEAR(double(t.MaxVolume), 20 * 6 * 4, 1e-6);
    EXPECT_NEAR(double(t.MaxLevel), 4.0, 1e-9);
    EXPECT_NEAR(double(t.BottomZ), 1.0, 1e-9);
    EXPECT_NEAR(double(t.TopZ), 5.0, 1e-9);
    EXPECT_NEAR(double(t.MaxFSM), 20 * 216 / 12.0, 1e-6);
    EXPECT_DOUBLE_EQ(double(t.AftEnd), 10.0);
    EXPECT_DOUBLE_EQ(double(t.ForeEnd), 30.0);
    const kv::xyztable_rec& b = t.TkTables[kv::TkBase];
    ASSERT_EQ(b.ColCount, 6);
    for (int r = 1; r <= b.RowCount; ++r) {
        double h = At(b, "LEVEL", r);
        SCOPED_TRACE(h);
        EXPECT_NEAR(At(b, "VOLUME", r), 120 * h, 1e-6);
        EXPECT_NEAR(At(b, "LCG", r), 20.0, 1e-9);
        EXPECT_NEAR(At(b, "TCG", r), 5.0, 1e-9);
        if (r > 1) {
            EXPECT_NEAR(At(b, "VCG", r), 1.0 + h / 2, 1e-9);
        }
        EXPECT_NEAR(At(b, "FSM", r), 360.0, 1e-6);
    }
    // Tanks carry the sounding tables, holds the ullage tables.
    EXPECT_FALSE(t.TkTables[kv::TkSoundTrim].Empty());
    EXPECT_TRUE(t.TkTables[kv::TkUllageTrim].Empty());
    EXPECT_TRUE(t.OptTables[0].Empty());
}

// Volume of the box tank below the plane through the pipe, integrated across
// the plane's slope in closed form.
static double BoxVolumeBelowPlane(double xa, double xf, double ya, double yb, double height, double h, double xp,
                                  double yp, double sx, double sy) {
    // Fine midpoint sum over the footprint (the depth under the plane is
    // clamped to the tank height at each point).
    const int n = 400;
    double v = 0, dx = (xf - xa) / n, dy = (yb - ya) / n;
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < n; ++k) {
            double x = xa + (i + 0.5) * dx, y = ya + (k + 0.5) * dy;
            v += std::clamp(h + sx * (x - xp) + sy * (y - yp), 0.0, height) * dx * dy;
        }
    return v;
}

TEST(TankTables, BoxTankTrimAndHeelTablesFollowTheInclinedSurface) {
    Hull hull = BoxHull();
    // Pipe at the aft outboard corner, where trim and heel both matter.
    Compartment c = Tank(2, {10, 30, 2, 8, 1, 5, true, {}}, 10.3, 7.7);
    kv::tank_rec t = BuildTankRecord(TankShape(hull, c), c, {100.0, kTrims, kHeels});
    const kv::xyztable_rec& vt = t.TkTables[kv::TkSoundTrim];
    const kv::xyztable_rec& ct = t.TkTables[kv::TkSoundCorr];
    const kv::xyztable_rec& ch = t.TkTables[kv::TkSoundHeel];
    ASSERT_EQ(vt.ColCount, 2 + int(kTrims.size()));
    ASSERT_EQ(ch.ColCount, 1 + int(kHeels.size()));
    for (int r = 1; r <= vt.RowCount; r += 3) {
        double h = At(vt, "SOUND", r);
        for (double tr : {-2.0, 1.0}) {
            SCOPED_TRACE(testing::Message() << "h " << h << " trim " << tr);
            double expect = BoxVolumeBelowPlane(10, 30, 2, 8, 4, h, 10.3, 7.7, tr / 100, 0);
            EXPECT_NEAR(At(vt, TankHeading(tr), r), expect, 0.002 * 480 + 1e-3);
            // The even-keel volume at the corrected sounding is the volume at trim.
            double corrected = h + Lookup(ct, TankHeading(tr), "SOUND", h) / 1000;
            EXPECT_NEAR(Lookup(vt, "VOLUME", "SOUND", corrected), At(vt, TankHeading(tr), r), 0.5);
        }
        for (double he : {-5.0, 10.0}) {
            SCOPED_TRACE(testing::Message() << "h " << h << " heel " << he);
            double expect = BoxVolumeBelowPlane(10, 30, 2, 8, 4, h, 10.3, 7.7, 0, std::tan(he * kPi / 180));
            double corrected = h + Lookup(ch, TankHeading(he), "SOUND", h) / 1000;
            EXPECT_NEAR(Lookup(vt, "VOLUME", "SOUND", corrected), expect, 0.005 * 480);
        }
    }
    // Level trim and upright: no correction.
    for (int r = 1; r <= ct.RowCount; ++r) {
        EXPECT_NEAR(At(ct, "0.0", r), 0.0, 1e-6);
        EXPECT_NEAR(At(ch, "0.0", r), 0.0, 1e-6);
    }
}

TEST(TankTables, HoldTablesByUllageAndGrain) {
    Hull hull = BoxHull();
    // A box hold with a narrower hatchway above the deck.
    Compartment c = Tank(1, {40, 60, -8, 8, 1, 10, true, {}}, 50, 0);
    c.parts.push_back({41, 59, -6, 6, 10, 12, false, {}});
    c.grain = {0.2, 0.6, 1.12};
    kv::tank_rec t = BuildTankRecord(TankShape(hull, c), c, {100.0, kTrims, kHeels});
    const double lower = 20 * 16 * 9, hatch = 18 * 12 * 2;
    EXPECT_NEAR(double(t.MaxVolume), lower + hatch, 1e-6);
    EXPECT_NEAR(double(t.MaxLevel), 11.0, 1e-9);
    EXPECT_NEAR(double(t.TopZ), 12.0, 1e-9);
    EXPECT_TRUE(t.TkTables[kv::TkSoundTrim].Empty());
    const kv::xyztable_rec& ut = t.TkTables[kv::TkUllageTrim];
    ASSERT_FALSE(ut.Empty());
    // Ullage 0 is the full hold, the deepest ullage the empty one.
    EXPECT_NEAR(At(ut, "VOLUME", 1), lower + hatch, 1e-6);
    EXPECT_NEAR(At(ut, "VOLUME", ut.RowCount), 0.0, 1e-9);
    // Ullage 3 m lies inside the lower hold: 20 x 16 x 8 m of cargo below it.
    EXPECT_NEAR(Lookup(ut, "VOLUME", "ULLAGE", 3.0), 20 * 16 * 8, 1e-6);
    // Ullage correction at trim reproduces the trimmed volume (ullage point
    // amidships: a level surface tilted about it keeps the volume while it
    // stays clear of the top and the floor).
    EXPECT_NEAR(Lookup(ut, "1.0", "ULLAGE", 5.0), 20 * 16 * 6, 1e-6);
    // Grain: trimmed void 0.2 m and untrimmed 0.6 m under the hatch cover.
    EXPECT_NEAR(double(t.TrimmedVolume), lower + 18 * 12 * 1.8, 1e-6);
    EXPECT_NEAR(double(t.UntrimmedVolume), lower + 18 * 12 * 1.4, 1e-6);
    EXPECT_NEAR(double(t.FullGSM1), std::tan(15 * kPi / 180) * 18 * 1728 / 12.0, 1e-6);
    EXPECT_NEAR(double(t.MaxGSM), std::tan(25 * kPi / 180) * 20 * 4096 / 12.0, 1e-6);
    EXPECT_DOUBLE_EQ(double(t.SlackFactor), 1.12);
    const kv::xyztable_rec& g = t.OptTables[0];
    ASSERT_EQ(g.ColCount, 4);
    EXPECT_NEAR(Lookup(g, "VCG", "ULLAGE", 11.0 - 4.0), 1.0 + 2.0, 1e-3);
}

// Independent check of a tank clipped by a shaped hull: a grid sum over x and
// z with the breadth from the hull's half-breadth at each point, against the
// polygon slices that produce the tables.
TEST(TankTables, HullClippedTankAgreesWithGridSum) {
    Hull hull = ShapedHull();
    // A starboard tank running into the fine bow, clipped by the shell and by
    // a sloping inner side (a hopper): keeps -0.5 y - z <= -4, i.e. z >= 4 - y/2.
    TankPart part{30, 60, 2, 9, 0, 8, true, {{-0.5, -1.0, -4.0}}};
    Compartment c = Tank(2, part, 30.3, 6.0);
    TankShape shape(hull, c);
    kv::tank_rec t = BuildTankRecord(shape, c, {60.0, kTrims, kHeels});
    const kv::xyztable_rec& b = t.TkTables[kv::TkBase];

    const double dx = 0.05, dz = 0.02;
    // y range of the part at (x, z), from the half-breadth and the cut.
    auto yRange = [&](double x, double z, double& y1, double& y2) {
        double hb = hull.HalfBreadth(x, z);
        y1 = std::max(part.ya, -hb);
        y2 = std::min(part.yb, hb);
        y1 = std::max(y1, 2 * (4.0 - z));  // from the cut
        if (z > hull.DeckZ(x) || z < hull.KeelZ(x)) y2 = y1;
        return y2 > y1;
    };
    double worstV = 0, worstC = 0, worstF = 0;
    // At tabulated levels (between rows the table interpolates linearly, which
    // is the table's resolution, not its integration).
    const int n = b.RowCount;
    for (int row : {2, n / 4, n / 2, 3 * n / 4, n - 1}) {
        double level = At(b, "LEVEL", row);
        double zl = double(t.BottomZ) + level;
        double v = 0, mx = 0, my = 0, mz = 0;
        for (double x = part.xa + dx / 2; x < part.xf; x += dx)
            for (double z = part.za + dz / 2; z < std::min(zl, part.zb); z += dz) {
                double y1, y2;
                if (!yRange(x, z, y1, y2)) continue;
                double a = (y2 - y1) * dx * dz;
                v += a; mx += a * x; my += a * 0.5 * (y1 + y2); mz += a * z;
            }
        double fa = 0, fm = 0, fi = 0;
        for (double x = part.xa + dx / 2; x < part.xf; x += dx) {
            double y1, y2;
            if (!yRange(x, zl, y1, y2)) continue;
            fa += (y2 - y1) * dx;
            fm += (y2 * y2 - y1 * y1) / 2 * dx;
            fi += (y2 * y2 * y2 - y1 * y1 * y1) / 3 * dx;
        }
        double fsm = fi - fm * fm / fa;
        SCOPED_TRACE(level);
        double vt = Lookup(b, "VOLUME", "LEVEL", level);
        EXPECT_NEAR(vt, v, 0.005 * v);
        EXPECT_NEAR(Lookup(b, "LCG", "VOLUME", vt), mx / v, 0.02);
        EXPECT_NEAR(Lookup(b, "TCG", "VOLUME", vt), my / v, 0.02);
        EXPECT_NEAR(Lookup(b, "VCG", "VOLUME", vt), mz / v, 0.02);
        EXPECT_NEAR(Lookup(b, "FSM", "VOLUME", vt), fsm, 0.01 * fsm);
        worstV = std::max(worstV, std::fabs(vt / v - 1));
        worstC = std::max({worstC, std::fabs(Lookup(b, "LCG", "VOLUME", vt) - mx / v),
                           std::fabs(Lookup(b, "VCG", "VOLUME", vt) - mz / v)});
        worstF = std::max(worstF, std::fabs(Lookup(b, "FSM", "VOLUME", vt) / fsm - 1));
    }
    RecordProperty("worst_volume_rel", std::to_string(worstV));
    RecordProperty("worst_centre_m", std::to_string(worstC));
    RecordProperty("worst_fsm_rel", std::to_string(worstF));
    std::printf("hull-clipped tank vs grid sum: volume %.4f %%, centres %.4f m, FSM %.4f %%\n", worstV * 100,
                worstC, worstF * 100);
}

TEST(TankTables, LevelRowsCoverTheHeightWithNiceSteps) {
    struct Case { double height; double step; };
    for (Case c : {Case{1.5, 0.05}, Case{4.0, 0.1}, Case{11.0, 0.2}, Case{14.1, 0.25}}) {
        std::vector<double> rows = LevelRows(c.height);
        SCOPED_TRACE(c.height);
        EXPECT_EQ(rows.front(), 0.0);
        EXPECT_DOUBLE_EQ(rows.back(), c.height);
        EXPECT_NEAR(rows[1] - rows[0], c.step, 1e-12);
        EXPECT_LE(rows.size(), 62u);
        for (size_t i = 1; i < rows.size(); ++i) EXPECT_GT(rows[i] - rows[i - 1], 0.29 * c.step);
    }
}

TEST(TankTables, PartsWithAGapAreRefused) {
    Hull hull = BoxHull();
    Compartment c = Tank(2, {10, 20, -2, 2, 0, 2, true, {}}, 10.3, 0);
    c.parts.push_back({10, 20, -2, 2, 3, 5, true, {}});  // leaves 2..3 m empty
    EXPECT_THROW(BuildTankRecord(TankShape(hull, c), c, {100.0, kTrims, kHeels}), std::runtime_error);
}

TEST(TankTables, SoundingPipeDefaultsToTheLowestPointOfTheFloor) {
    // A box tank on a flat floor: the pipe stands at the aft end, mid-floor.
    Compartment flat = Tank(2, {10, 30, 2, 8, 1, 5, true, {}}, 0, 0);
    double x = 0;
    Pt p = TankShape(BoxHull(), flat).SoundingPoint(x);
    EXPECT_NEAR(x, 10.3, 1e-9);
    EXPECT_NEAR(p.y, 5.0, 1e-9);
    EXPECT_NEAR(p.z, 1.0, 1e-9);
    // A peak tank over a keel that rises aft: the pipe goes to the forward
    // end, where the floor is lowest.
    Hull rising = Hull::FromJson(json::parse(R"({"hull": {"lbp": 20.0, "breadth": 10.0, "depth": 10.0,
        "waterlines": [0.0, 2.0, 4.0, 10.0],
        "stations": [{"x": 0.0, "keel": 4.0, "deck": 10.0, "keelHalfBreadth": 1.0, "halfBreadths": [0, 0, 1.0, 5.0]},
                     {"x": 20.0, "keel": 0.0, "deck": 10.0, "keelHalfBreadth": 1.0, "halfBreadths": [1.0, 3.0, 4.0, 5.0]}]}})"));
    Compartment peak = Tank(2, {0, 20, -5, 5, 0, 8, true, {}}, 0, 0);
    p = TankShape(rising, peak).SoundingPoint(x);
    EXPECT_NEAR(x, 20.0, 1e-9);
    EXPECT_NEAR(p.y, 0.0, 1e-9);
    EXPECT_NEAR(p.z, 0.0, 1e-6);
}
