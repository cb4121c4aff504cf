// Blind distance ahead of the bow, air draft, and the values of the three
// information dialogs and the profile status lines.
#include <gtest/gtest.h>

#include <cmath>

#include "CycleFixture.h"
#include "calc/Auxiliary.h"

using kvtest::CycleShip;

namespace {

// The blind distance found independently: where the straight line from the
// eye over the point (x, z) meets the waterline, forward of the fore end.
double Meets(double x1, double z1, double x2, double z2, double draftAP, double trim, double lbp, double foreEnd) {
    const double a = (z2 - z1) / (x2 - x1), w = trim / lbp;
    const double x = (draftAP - z1 + a * x1) / (a - w);
    return x - foreEnd;
}

struct Sight : CycleShip {
    Sight() {
        kv::shipinfo_rec& s = State.ShipInfo;
        s.LBP = 100;
        s.ForeEndX = 102;
        s.VisibilityPoints[0] = {10, 20};
        s.VisibilityPoints[1] = {98, 12};
        State.CalcData.DraftMean = 4;
        State.LoadData.BayLists.resize(2);
    }
    void Float(double trim) {
        State.CalcData.Trim = trim;
        State.CalcData.DraftAP = 4 - trim / 2;
    }
    void Add(int bay, double fwdX, double topZ, int section = 0) {
        kv::container_rec c;
        c.fwd_x = fwdX;
        c.top_z = topZ;
        c.section = section;
        State.LoadData.BayLists[size_t(bay)].push_back(c);
    }
    double Expected(double x2, double z2) const {
        const kv::calcdata_rec& c = State.CalcData;
        return Meets(10, 20, x2, z2, double(c.DraftAP), double(c.Trim), 100, 102);
    }
};

}  // namespace

TEST(BlindDistance, BowAloneAgainstTheGeometryAtEveryTrim) {
    double previous = 1e9;
    for (double trim : {-2.0, -1.0, 0.0, 1.0, 2.5}) {
        Sight s;
        s.Float(trim);
        const double L = double(kv::CalcBlindDistance(s.State));
        EXPECT_NEAR(L, s.Expected(98, 12), 1e-4) << trim;  // single precision
        EXPECT_LT(L, previous) << "trim by the head shortens it: " << trim;
        previous = L;
    }
    Sight even;
    even.Float(0);
    EXPECT_EQ(double(kv::CalcBlindDistance(even.State)), 84);
}

TEST(BlindDistance, ContainersForwardOfTheEye) {
    struct Case {
        double fwdX, topZ;
        int section;
        double expected;  // 0: the bow's distance; -1: none
    };
    Sight base;
    base.Float(0.5);
    const double bow = base.Expected(98, 12);
    const Case cases[] = {
        {90, 15, 0, base.Expected(90, 15)},  // a stack whose top hides more than the bow
        {60, 13, 0, 0},                      // below the line over the bow
        {90, 15, 1, 0},                      // in the hold
        {10, 40, 0, 0},                      // ends at the eye
        {5, 40, 0, 0},                       // aft of the eye
        {60, 25, 0, -1},                     // higher than the eye: the line rises over it
    };
    for (const Case& k : cases) {
        Sight s;
        s.Float(0.5);
        s.Add(0, 30, 14);  // a low stack that never counts
        s.Add(1, k.fwdX, k.topZ, k.section);
        const double want = k.expected == 0 ? bow : k.expected;
        EXPECT_NEAR(double(kv::CalcBlindDistance(s.State)), want, 1e-4) << k.fwdX << " " << k.topZ << " " << k.section;
    }
}

TEST(BlindDistance, NoSightLineToTheWater) {
    struct Case {
        kv::TPoint2D eye, obstruction;
        double trim;
    };
    const Case cases[] = {
        {{50, 20}, {50, 12}, 0},      // obstruction straight above or below the eye
        {{10, 12}, {98, 20}, 0},      // the line rises
        {{0, 10}, {50, 9.5}, -1},     // parallel to the water trimmed by the stern
        {{0, 10}, {50, 9.5}, -1.5},   // rising relative to the water
    };
    for (const Case& k : cases) {
        Sight s;
        s.State.ShipInfo.VisibilityPoints = {k.eye, k.obstruction};
        s.Float(k.trim);
        EXPECT_EQ(double(kv::CalcBlindDistance(s.State)), -1) << k.eye.X << " " << k.trim;
    }
}

TEST(VisibilityDialog, LimitsAndTheirColours) {
    struct Case {
        double loa, visibility;
        const char *fullLoad, *ballast, *imo;
        bool redFull, redBallast, redImo;
        const char* blind;
    };
    const Case cases[] = {
        {300, 400, "250 m", "375 m", "500 m", true, true, false, "400.00 m"},
        {300, 501, "250 m", "375 m", "500 m", true, true, true, "501.00 m"},
        {300, 250, "250 m", "375 m", "500 m", false, false, false, "250.00 m"},
        {100, 120, "100 m", "150 m", "200 m", true, false, false, "120.00 m"},
        {100, 0, "100 m", "150 m", "200 m", false, false, false, "---"},
        {100, -1, "100 m", "150 m", "200 m", false, false, false, "---"},
    };
    for (const Case& k : cases) {
        CycleShip s;
        s.State.ShipInfo.LOA = k.loa;
        s.State.CalcData.Visibility = k.visibility;
        const std::vector<kv::AuxPanel> p = kv::VisibilityPanels(s.State);
        ASSERT_EQ(p.size(), 8u);
        EXPECT_EQ(p[4].Label, "PANAMA full load limit");
        EXPECT_EQ(p[4].Text, k.fullLoad);
        EXPECT_EQ(p[5].Text, k.ballast);
        EXPECT_EQ(p[6].Text, k.imo);
        EXPECT_EQ(p[4].Red, k.redFull) << k.visibility;
        EXPECT_EQ(p[5].Red, k.redBallast) << k.visibility;
        EXPECT_EQ(p[6].Red, k.redImo) << k.visibility;
        EXPECT_EQ(p[7].Label, "Blind distance");
        EXPECT_EQ(p[7].Text, k.blind);
    }
}

TEST(ProfileStatusLines, InvisibleLengthWithTheTagsOfTheLimitsExceeded) {
    struct Case {
        double visibility;
        std::vector<std::string> spans;
        std::vector<bool> red;
    };
    const Case cases[] = {
        {0, {"Invisible Length : ---"}, {true}},
        {-1, {"Invisible Length : ---"}, {true}},
        {120, {"Invisible Length :   120.00m"}, {false}},
        {260, {"Invisible Length :   260.00m", " [PANAMA fullload]"}, {false, true}},
        {520, {"Invisible Length :   520.00m", " [PANAMA fullload]", " [PANAMA ballast]", " [IMO]"},
         {false, true, true, true}},
    };
    for (const Case& k : cases) {
        CycleShip s;
        s.State.ShipInfo.LOA = 300;
        s.State.CalcData.Visibility = k.visibility;
        const std::vector<kv::StatusSpan> line = kv::InvisibleLengthLine(s.State);
        ASSERT_EQ(line.size(), k.spans.size()) << k.visibility;
        for (size_t i = 0; i < line.size(); ++i) {
            EXPECT_EQ(line[i].Text, k.spans[i]);
            EXPECT_EQ(line[i].Red, k.red[i]);
        }
    }
    CycleShip s;
    s.State.CalcData.PropImmersion = 87.25;
    EXPECT_EQ(kv::PropImmersionLine(s.State), " Propeller Immersion :   87.250%");
    // The line of sight is drawn for a blind distance of 0 but not for none.
    s.State.ShipInfo.VisibilityPoints[0] = {10, 20};
    s.State.CalcData.Visibility = 0;
    s.State.CalcData.DraftAP = 4;
    s.State.CalcData.Trim = 1;
    kv::SightLine l = kv::LineOfSight(s.State);
    EXPECT_TRUE(l.Visible);
    EXPECT_DOUBLE_EQ(double(l.X2), 100);
    EXPECT_DOUBLE_EQ(double(l.Z2), 5);
    s.State.CalcData.Visibility = -1;
    EXPECT_FALSE(kv::LineOfSight(s.State).Visible);
}

TEST(AirDraftDialog, HeightAboveTheWaterAtThePoint) {
    CycleShip s;
    s.State.CalcData.DraftAP = 5;
    s.State.CalcData.Trim = -2;
    s.State.ShipInfo.TrimSign = -1;
    EXPECT_DOUBLE_EQ(double(kv::AirDraft(5, -2, 100, 0, 30)), 25);   // at the aft perpendicular: Y - DraftAP
    EXPECT_DOUBLE_EQ(double(kv::AirDraft(5, -2, 100, 50, 30)), 26);  // the water is lower forward
    std::vector<kv::AuxPanel> p = kv::AirDraftPanels(s.State, 50, 30);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].Text, "5.000 m");
    EXPECT_EQ(p[1].Text, "2.000 m");  // trim as displayed
    EXPECT_EQ(p[2].Label, "Air Draft");
    EXPECT_EQ(p[2].Text, "26.000 m");
    // Inputs in the displayed unit: feet.
    s.State.Units.UnitFactors[kv::UnitLength] = 1 / 0.3048L;
    s.State.Units.UnitNames[kv::UnitLength] = "ft";
    p = kv::AirDraftPanels(s.State, 50 / 0.3048L, 30 / 0.3048L);
    EXPECT_EQ(p[2].Text, kv::FormatFloat("0.000", 26 / 0.3048L) + " ft");
}

TEST(PropImmersionDialog, Panels) {
    CycleShip s;
    s.State.ShipInfo.PropDiameter = 5.2;
    s.State.ShipInfo.PropShaftHeight = 3.1;
    s.State.CalcData.PropImmersion = 101.04;
    const std::vector<kv::AuxPanel> p = kv::PropImmPanels(s.State);
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[2].Label, "Distance from keel to prop. 0% immerged");
    EXPECT_EQ(p[2].Text, "0.500 m");
    EXPECT_EQ(p[3].Label, "Distance from keel to prop.100% immerged");
    EXPECT_EQ(p[3].Text, "5.700 m");
    EXPECT_EQ(p[4].Label, "Actual Immersion % ");
    EXPECT_EQ(p[4].Text, "101.0");
}
