#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "shipgen/Builders.h"
#include "shipgen/Compiler.h"
#include "shipgen/ContainerFixtures.h"
#include "shipgen/ViewOutlines.h"
#include "SampleShip.h"

using namespace kv;
using namespace kv::shipgen;
using nlohmann::json;

namespace {

double Area(const TPolygon2D& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& u = p[i];
        const auto& v = p[(i + 1) % p.size()];
        a += u.X * v.Y - v.X * u.Y;
    }
    return std::fabs(a) / 2;
}

std::vector<CompartmentOutline> Compartments() {
    auto c = [](int g, int i, const char* n, double ax, double fx, double y1, double y2, double zb, double zt) {
        CompartmentOutline o;
        o.group = g;
        o.item = i;
        o.name = n;
        o.aftX = ax;
        o.foreX = fx;
        o.y1 = y1;
        o.y2 = y2;
        o.zBottom = zb;
        o.zTop = zt;
        return o;
    };
    return {c(0, 0, "AFT HOLD", 10, 40, -9, 9, 1.5, 10),
            c(1, 0, "AFT HOLD", 10, 40, -9, 9, 1.5, 10),
            c(1, 1, "FORE HOLD", 84, 98, -9, 9, 1.5, 10),
            c(2, 0, "NO.1 DB TANK", 10, 40, -10, 10, 0, 1.5),
            c(2, 1, "NO.1 WING TANK (P)", 10, 40, -10, -9, 1.5, 10),
            c(2, 2, "FORE PEAK TANK", 90, 100, -10, 10, 0, 10),
            c(8, 0, "CREW AND STORES", 0, 0, 0, 0, 0, 0)};
}

json Views() {
    return json::parse(R"({
      "colors": {"hull": "#102030"},
      "profile": {"decks": [{"name": "TANK TOP", "z": 1.5, "x1": 10, "x2": 98}],
                  "bulkheads": [{"name": "COLLISION BHD", "x": 95}],
                  "objects": [{"name": "HOUSE", "color": "#FFFFFF", "points": [[2, 10], [9, 10], [9, 20], [2, 20]]}]},
      "section": {"x": 25},
      "plan": {"deckAreaMargin": 0.5,
               "tweenDecks": [{"group": 10, "suffix": "1ST T/D", "z": 6.0}, {"group": 11, "suffix": "2ND T/D", "z": 8.0}]}})");
}

std::map<std::string, const object_rec*> ByName(const std::vector<object_rec>& list) {
    std::map<std::string, const object_rec*> m;
    for (const auto& o : list) m[o.ObjName.str()] = &o;
    return m;
}

}  // namespace

TEST(OutlineViews, HeadCarriesTheNamedFields) {
    object_rec o = MakeOutlineObject("NO.3 DB TANK (S)", 12.5f, 2, 7, true, ParseColor("#FF8000"),
                                     {{1, 2}, {3, 4}, {5, 6}});
    const uint8_t* h = o.Head.data();
    EXPECT_EQ((GetShort<40>(h, 0).str()), "NO.3 DB TANK (S)");
    EXPECT_EQ(GetSingle(h, 84), 12.5f);
    EXPECT_EQ(GetInt32(h, 92), 2);
    EXPECT_EQ(GetInt32(h, 96), 7);
    EXPECT_EQ(GetInt32(h, 100), -1);
    EXPECT_EQ(h[104], 1);
    EXPECT_EQ(GetInt32(h, 108), 0x0080FF);  // colours are 0xBBGGRR
    EXPECT_EQ(GetInt32(h, 116), 3);
    EXPECT_EQ(o.ObjOrder, 12.5f);
    EXPECT_EQ(o.ObjGroup, 2);
    EXPECT_EQ(o.ObjItem, 7);
    EXPECT_EQ(o.PointCount, 3);
    // Everything else of the head stays zero.
    for (size_t i = 41; i < 160; ++i)
        if (i < 84 || i >= 120) {
            EXPECT_EQ(h[i], 0) << i;
        }
    EXPECT_THROW(ParseColor("FF8000"), std::runtime_error);
    EXPECT_THROW(ParseColor("#GG8000"), std::runtime_error);
}

TEST(OutlineViews, PlanFootprintsNameTheirTanksAndFollowTheHull) {
    ViewOutlines v = BuildViewOutlines(kvtest::WedgeBowHull(), Views(), Compartments());
    auto plan = ByName(v.Plan);
    struct Expect {
        const char* name;
        int32_t group, item;
        double area;
    };
    // FORE HOLD: 18 m wide, cut by the bow sides (half-breadth 10 - 0.3 (x - 80))
    // forward of x 83.33: 2 * (140 - 0.3 * 154) = 187.6 m2. FORE PEAK TANK:
    // 2 * (100 - 0.3 * 150) = 110 m2. Deck area: 30 m by 2 * (10 - 0.5).
    const Expect expected[] = {{"AFT HOLD", 1, 0, 540},          {"FORE HOLD", 1, 1, 187.6},
                               {"NO.1 DB TANK", 2, 0, 600},      {"NO.1 WING TANK (P)", 2, 1, 30},
                               {"FORE PEAK TANK", 2, 2, 110},    {"AFT HOLD 1ST T/D", 10, 0, 540},
                               {"FORE HOLD 2ND T/D", 11, 1, 187.6}};
    for (const auto& e : expected) {
        ASSERT_TRUE(plan.count(e.name)) << e.name;
        const object_rec& o = *plan[e.name];
        EXPECT_EQ(o.ObjGroup, e.group) << e.name;
        EXPECT_EQ(o.ObjItem, e.item) << e.name;
        EXPECT_EQ(o.ObjClosed, 1) << e.name;
        EXPECT_EQ(size_t(o.PointCount), o.Outline.size());
        EXPECT_NEAR(Area(o.Outline), e.area, 1e-6) << e.name;
    }
    // The deck area of the bale compartment belongs to group 0 ("ON DECK").
    int deckAreas = 0;
    for (const auto& o : v.Plan)
        if (o.ObjGroup == 0) {
            ++deckAreas;
            EXPECT_NEAR(Area(o.Outline), 570, 1e-6);
        }
    EXPECT_EQ(deckAreas, 1);
    // Constants have no footprint.
    EXPECT_FALSE(plan.count("CREW AND STORES"));
    // Smaller tanks draw on top of larger ones.
    EXPECT_GT(plan["NO.1 WING TANK (P)"]->ObjOrder, plan["FORE PEAK TANK"]->ObjOrder);
    EXPECT_GT(plan["FORE PEAK TANK"]->ObjOrder, plan["NO.1 DB TANK"]->ObjOrder);
    // Every plan footprint stays inside the deck outline.
    const object_rec& deck = *plan["MAIN DECK"];
    EXPECT_EQ(deck.ObjGroup, -1);
    EXPECT_NEAR(Area(deck.Outline), 80 * 20 + 2 * (20 * 10 - 0.3 * 200), 1e-6);
    for (const auto& o : v.Plan)
        for (const auto& p : o.Outline) {
            EXPECT_LE(std::fabs(p.Y), (p.X <= 80 ? 10 : 10 - 0.3 * (p.X - 80)) + 1e-9) << o.ObjName.str();
            EXPECT_GE(p.X, 0);
            EXPECT_LE(p.X, 100);
        }
}

TEST(OutlineViews, ProfileAndSectionShowHullAndCompartments) {
    ViewOutlines v = BuildViewOutlines(kvtest::WedgeBowHull(), Views(), Compartments());
    auto profile = ByName(v.Profile);
    ASSERT_TRUE(profile.count("HULL"));
    EXPECT_NEAR(Area(profile["HULL"]->Outline), 100 * 10, 1e-6);
    EXPECT_EQ(profile["HULL"]->ObjColor, 0x302010);
    EXPECT_EQ(profile["HULL"]->ObjClosed, 1);
    // Open lines: the tank top, the collision bulkhead from the keel to the
    // deck, and one bulkhead at each hold end.
    int bulkheads = 0;
    for (const auto& o : v.Profile) {
        if (o.ObjClosed) continue;
        ASSERT_EQ(o.Outline.size(), 2u) << o.ObjName.str();
        if (o.Outline[0].X == o.Outline[1].X) {
            ++bulkheads;
            EXPECT_NEAR(o.Outline[1].Y, 10, 1e-9);
        }
    }
    EXPECT_EQ(bulkheads, 5);
    for (const char* name : {"COLLISION BHD", "AFT HOLD AFT BHD", "AFT HOLD FWD BHD", "FORE HOLD AFT BHD", "FORE HOLD FWD BHD"})
        EXPECT_TRUE(profile.count(name)) << name;
    ASSERT_TRUE(profile.count("HOUSE"));
    EXPECT_EQ(profile["HOUSE"]->PointCount, 4);

    auto section = ByName(v.Section);
    ASSERT_TRUE(section.count("MIDSHIP SECTION"));
    EXPECT_NEAR(Area(section["MIDSHIP SECTION"]->Outline), 20 * 10, 1e-6);
    EXPECT_NEAR(Area(section["AFT HOLD"]->Outline), 18 * 8.5, 1e-6);
    EXPECT_NEAR(Area(section["NO.1 DB TANK"]->Outline), 20 * 1.5, 1e-6);
    EXPECT_NEAR(Area(section["NO.1 WING TANK (P)"]->Outline), 1 * 8.5, 1e-6);
    EXPECT_FALSE(section.count("FORE HOLD"));  // not cut at x 25
    for (const auto& o : v.Section)
        for (const auto& p : o.Outline) EXPECT_LE(std::fabs(p.X), 10 + 1e-9) << o.ObjName.str();
}

TEST(OutlineViews, SampleVesselPlanCarriesOneOutlinePerTankAndHold) {
    const ShipDataSet& data = kvtest::R549Data();
    const shipinfo_rec& ship = data.ship;
    for (int g = 1; g <= 7; ++g) {
        const auto& tanks = data.tanks.Groups[size_t(g)].Tanks;
        for (size_t i = 0; i < tanks.size(); ++i) {
            int found = 0;
            for (const auto& o : ship.PlanObjects) {
                if (o.ObjGroup != g || o.ObjItem != int32_t(i)) continue;
                ++found;
                EXPECT_EQ(o.ObjName.str(), tanks[i].TankName.str());
                EXPECT_EQ(o.ObjClosed, 1);
                EXPECT_GE(o.Outline.size(), 3u);
                // The footprint stays within the tank's length.
                for (const auto& p : o.Outline) {
                    EXPECT_GE(p.X, double(tanks[i].AftEnd) - 1e-6) << o.ObjName.str();
                    EXPECT_LE(p.X, double(tanks[i].ForeEnd) + 1e-6) << o.ObjName.str();
                }
            }
            EXPECT_EQ(found, 1) << "group " << g << " item " << i;
        }
    }
    // Every outline of every view is named, and every point of the plan and
    // section lies within the ship's breadth.
    for (const auto* list : {&ship.ProfileObjects, &ship.SectionObjects, &ship.PlanObjects})
        for (const auto& o : *list) {
            EXPECT_FALSE(o.ObjName.str().empty());
            EXPECT_EQ(size_t(o.PointCount), o.Outline.size());
        }
    // (Section points are (y, z), plan points (x, y).)
    for (const auto& o : ship.SectionObjects)
        for (const auto& p : o.Outline) EXPECT_LE(std::fabs(p.X), double(ship.Breadth) / 2 + 1e-6) << o.ObjName.str();
    for (const auto& o : ship.PlanObjects) {
        bool crane = o.ObjName.str().find("CRANE") != std::string::npos;  // pedestals stand out over the side
        for (const auto& p : o.Outline)
            if (!crane) {
                EXPECT_LE(std::fabs(p.Y), double(ship.Breadth) / 2 + 1e-6) << o.ObjName.str();
            }
    }
}
