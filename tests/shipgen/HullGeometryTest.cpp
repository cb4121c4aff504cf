// Plane polygon operations and the hull built from offsets.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "shipgen/HullGeometry.h"
#include "shipgen/PolygonOps.h"

using namespace kv::shipgen;

namespace {

Poly Rect(double y1, double y2, double z1, double z2) { return {{y1, z1}, {y2, z1}, {y2, z2}, {y1, z2}}; }

// U-shaped outline: two columns 0..1 and 3..4 wide, joined by a floor 0..1 high.
Poly UShape() { return {{0, 0}, {4, 0}, {4, 3}, {3, 3}, {3, 1}, {1, 1}, {1, 3}, {0, 3}}; }

nlohmann::json LoadJson(const std::string& rel) {
    std::ifstream f(std::string(KORVANEL_SOURCE_DIR) + "/" + rel);
    return nlohmann::json::parse(f);
}

}  // namespace

TEST(PolygonProperties, MatchClosedForms) {
    struct Case {
        const char* name;
        Poly poly;
        SectionProps want;
    };
    // Rectangle y 1..3, z 2..5: A 6, my 12, mz 21, iyy = 3*(27-1)/3 = 26,
    // izz = 2*(125-8)/3 = 78, iyz = (9-1)/2 * (25-4)/2 = 42.
    const SectionProps rect{6, 12, 21, 26, 78, 42};
    Poly cw = Rect(1, 3, 2, 5);
    std::reverse(cw.begin(), cw.end());
    // Right triangle (0,0) (2,0) (0,3): A 3, my = A*2/3, mz = A*1,
    // iyy = b^3 h / 12 = 2, izz = b h^3 / 12 = 4.5, iyz = b^2 h^2 / 24 = 1.5.
    const SectionProps tri{3, 2, 3, 2, 4.5, 1.5};
    const Case cases[] = {
        {"rectangle ccw", Rect(1, 3, 2, 5), rect},
        {"rectangle cw", cw, rect},
        {"triangle", {{0, 0}, {2, 0}, {0, 3}}, tri},
        // Floor 4 x 1 plus two 1 x 2 columns, summed piece by piece.
        {"U shape", UShape(), {8, 16, 10, 64.0 / 3 + 2.0 / 3 + 2 * 37.0 / 3, 4.0 / 3 + 2 * 26.0 / 3, 4 + 2 + 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SectionProps p = Properties(c.poly);
        EXPECT_NEAR(p.area, c.want.area, 1e-12);
        EXPECT_NEAR(p.my, c.want.my, 1e-12);
        EXPECT_NEAR(p.mz, c.want.mz, 1e-12);
        EXPECT_NEAR(p.iyy, c.want.iyy, 1e-12);
        EXPECT_NEAR(p.izz, c.want.izz, 1e-12);
        EXPECT_NEAR(p.iyz, c.want.iyz, 1e-12);
    }
    EXPECT_EQ(Properties({{0, 0}, {1, 1}}).area, 0);
}

TEST(PolygonProperties, FarFromOriginKeepsPrecision) {
    // A 1 x 1 square at y = 1e4 loses nothing when the sums are shifted.
    const SectionProps p = Properties(Rect(1e4, 1e4 + 1, 0, 1));
    EXPECT_NEAR(p.area, 1, 1e-9);
    EXPECT_NEAR(p.my / p.area, 1e4 + 0.5, 1e-7);
    EXPECT_NEAR(p.iyy - p.my * p.my / p.area, 1.0 / 12, 1e-5);
}

TEST(PolygonClip, HalfPlaneAndBox) {
    struct Case {
        const char* name;
        Poly poly;
        double a, b, c;
        double area, yc, zc;
    };
    const Case cases[] = {
        // Square 0..2 below z = 0.5.
        {"horizontal", Rect(0, 2, 0, 2), 0, 1, 0.5, 1.0, 1.0, 0.25},
        // Below the diagonal z <= y of the unit square: triangle (0,0) (1,0) (1,1).
        {"diagonal", Rect(0, 1, 0, 1), -1, 1, 0, 0.5, 2.0 / 3, 1.0 / 3},
        // Whole polygon kept / nothing kept.
        {"all", Rect(0, 1, 0, 1), 0, 1, 5, 1, 0.5, 0.5},
        {"none", Rect(0, 1, 0, 1), 0, 1, -1, 0, 0, 0},
        // Non-convex: U below z = 2 keeps floor 4 + two 1 x 1 column stubs.
        {"U below 2", UShape(), 0, 1, 2, 6, 2, 0.8333333333333334},
        // U above z = 2 (-z <= -2): two separate column tops joined by a
        // zero-area edge along z = 2; the area is still right.
        {"U above 2", UShape(), 0, -1, -2, 2, 2, 2.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SectionProps p = Properties(ClipHalfPlane(c.poly, c.a, c.b, c.c));
        EXPECT_NEAR(p.area, c.area, 1e-12);
        if (c.area > 0) {
            EXPECT_NEAR(p.my / p.area, c.yc, 1e-12);
            EXPECT_NEAR(p.mz / p.area, c.zc, 1e-12);
        }
    }
    const SectionProps box = Properties(ClipBox(UShape(), 0.5, 3.5, 0.5, 2.5));
    // Floor 3 x 0.5, plus two 0.5 x 1.5 column pieces.
    EXPECT_NEAR(box.area, 1.5 + 1.5, 1e-12);
    EXPECT_NEAR(box.my / box.area, 2.0, 1e-12);
}

TEST(PolygonChord, LengthAndMoments) {
    struct Case {
        const char* name;
        Poly poly;
        double a, b, c;
        double length, my, iyy;
    };
    const double s2 = std::sqrt(2.0);
    const Case cases[] = {
        // Waterline z = 1 across y -3..5: my = (25-9)/2, iyy = (125+27)/3.
        {"horizontal", Rect(-3, 5, 0, 2), 0, 1, 1, 8, 8, 152.0 / 3},
        // Line z = y across the square -1..1: diagonal, y from -1 to 1.
        {"diagonal", Rect(-1, 1, -1, 1), -1, 1, 0, 2 * s2, 0, 2.0 / 3},
        // The U cut at z = 2 gives two pieces, y 0..1 and 3..4.
        {"two pieces", UShape(), 0, 1, 2, 2, 0.5 + 3.5, 1.0 / 3 + (64 - 27) / 3.0},
        // Through the top edge: the chord just below it; through the bottom: none.
        {"top edge", Rect(0, 2, 0, 1), 0, 1, 1, 2, 2, 8.0 / 3},
        {"bottom edge", Rect(0, 2, 0, 1), 0, 1, 0, 0, 0, 0},
        {"missing", Rect(0, 2, 0, 1), 0, 1, 3, 0, 0, 0},
        // Through a vertex of a diamond: the two edges meeting there cross once.
        {"vertex", {{0, -1}, {1, 0}, {0, 1}, {-1, 0}}, 0, 1, 0, 2, 0, 2.0 / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChordProps r = ChordOnLine(c.poly, c.a, c.b, c.c);
        EXPECT_NEAR(r.length, c.length, 1e-12);
        EXPECT_NEAR(r.my, c.my, 1e-12);
        EXPECT_NEAR(r.iyy, c.iyy, 1e-12);
    }
}

TEST(HullGeometry, BoxBargeSections) {
    const Hull h = Hull::FromJson(LoadJson("ships/BOX100/hull.json"));
    EXPECT_EQ(h.Lbp(), 100);
    EXPECT_EQ(h.XAft(), 0);
    EXPECT_EQ(h.XFore(), 100);
    for (double x : {0.0, 37.3, 100.0}) {
        SCOPED_TRACE(x);
        const SectionProps p = Properties(h.Section(x));
        EXPECT_NEAR(p.area, 200, 1e-9);
        EXPECT_NEAR(p.my, 0, 1e-9);
        EXPECT_NEAR(p.mz / p.area, 5, 1e-12);
        EXPECT_DOUBLE_EQ(h.HalfBreadth(x, 3.0), 10);
    }
    EXPECT_TRUE(h.Section(-0.01).empty());
    EXPECT_TRUE(h.Section(100.01).empty());
    EXPECT_EQ(h.HalfBreadth(50, 10.5), 0);
    EXPECT_EQ(h.HalfBreadth(50, -0.1), 0);
    EXPECT_EQ(h.DeckZ(50), 10);
    EXPECT_EQ(h.KeelZ(50), 0);
    // Integration stations cover the length in steps of at most 2 m, in pairs.
    const auto& st = h.IntegrationStations();
    ASSERT_GE(st.size(), 51u);
    EXPECT_EQ(st.front(), 0);
    EXPECT_EQ(st.back(), 100);
    EXPECT_EQ((st.size() - 1) % 2, 0u);
    for (size_t i = 1; i < st.size(); ++i) EXPECT_LE(st[i] - st[i - 1], 2.0 + 1e-12);
}

TEST(HullGeometry, ShapedSectionsInterpolate) {
    // Station 0: V keel at z 0 widening to 4 at z 4, the side running straight
    // on to the deck at 6. Station 10: keel raised to 2 with a 1 m flat, 3 at
    // z 4, straight on to the deck at 8 (sheer).
    const auto j = nlohmann::json::parse(R"({
      "lbp": 10, "breadth": 8, "depth": 6,
      "waterlines": [0, 2, 4],
      "stations": [
        {"x": 0,  "keel": 0, "deck": 6, "halfBreadths": [0, 2, 4]},
        {"x": 10, "keel": 2, "deck": 8, "keelHalfBreadth": 1, "halfBreadths": [0, null, 3]}
      ]})");
    const Hull h = Hull::FromJson(j);
    // Station 0: a V of 2 * 8 up to z 4, then half-widths 4..6 up to the deck.
    EXPECT_NEAR(Properties(h.Section(0)).area, 16 + 2 * (4 + 6) / 2.0 * 2, 1e-12);
    EXPECT_NEAR(h.HalfBreadth(0, 5), 5, 1e-12);
    // Station 10: half-widths 1..3 over z 2..4, then 3..7 over 4..8.
    EXPECT_NEAR(Properties(h.Section(10)).area, 2 * ((1 + 3) / 2.0 * 2 + (3 + 7) / 2.0 * 4), 1e-12);
    // Halfway: the keel at 1, deck at 7; at z 3 the mean of 3 and 2.
    EXPECT_NEAR(h.KeelZ(5), 1, 1e-12);
    EXPECT_NEAR(h.DeckZ(5), 7, 1e-12);
    EXPECT_NEAR(h.HalfBreadth(5, 3), 0.5 * 3 + 0.5 * 2, 1e-12);
    // Below the raised keel of station 10 the side runs straight from the keel
    // point (half 0.5 at z 1) to z 2 (half 0.5 * 2 + 0.5 * 1): no step at z 2.
    EXPECT_NEAR(h.HalfBreadth(5, 1.5), 1.0, 1e-12);
    // The section outline follows the half-breadths at every height.
    const Poly sec = h.Section(5);
    for (double z = 1.25; z <= 7.0; z += 0.25) {
        const ChordProps c = ChordOnLine(sec, 0, 1, z);
        EXPECT_NEAR(c.length, 2 * h.HalfBreadth(5, z), 1e-9) << "z " << z;
    }
}

TEST(HullGeometry, RejectsBrokenOffsets) {
    const char* bad[] = {
        R"({"breadth": 1, "depth": 1, "waterlines": [0], "stations": []})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [0, 1],
            "stations": [{"x": 0, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [0, 1],
            "stations": [{"x": 0, "keel": 0, "deck": 1, "halfBreadths": [1, 1]},
                         {"x": 0, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [0, 1],
            "stations": [{"x": 0, "keel": 0, "deck": 1, "halfBreadths": [1]},
                         {"x": 1, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [1, 0],
            "stations": [{"x": 0, "keel": 0, "deck": 1, "halfBreadths": [1, 1]},
                         {"x": 1, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [0, 1],
            "stations": [{"x": 0, "keel": 0, "deck": 1, "halfBreadths": [1, -1]},
                         {"x": 1, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [0, 1],
            "stations": [{"x": 0, "keel": 1.5, "deck": 1, "halfBreadths": [1, 1]},
                         {"x": 1, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
        R"({"lbp": 1, "breadth": 1, "depth": 1, "waterlines": [0, 1],
            "stations": [{"x": 0, "keel": 0, "deck": 1, "keelHalfBreadth": -2, "halfBreadths": [1, 1]},
                         {"x": 1, "keel": 0, "deck": 1, "halfBreadths": [1, 1]}]})",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_THROW(Hull::FromJson(nlohmann::json::parse(text)), std::runtime_error);
    }
}
