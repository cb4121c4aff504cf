#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "shipgen/Builders.h"
#include "shipgen/ContainerLayout.h"
#include "shipgen/ContainerFixtures.h"

using namespace kv;
using namespace kv::shipgen;
using nlohmann::json;

namespace {

int CountSlots(const cellinfo_rec& s) {
    int n = 0;
    for (const auto& row : s.cells)
        for (const auto& c : row) n += c.state != 0;
    return n;
}

int RowsWithSlots(const cellinfo_rec& s) {
    int n = 0;
    for (const auto& row : s.cells) {
        bool any = false;
        for (const auto& c : row) any = any || c.state != 0;
        n += any;
    }
    return n;
}

// Checks every existing slot against the hull on a grid of points over the
// box (not only its corners): hold boxes inside the moulded surface, deck
// boxes standing on or above the deck and within the deck edge.
void ExpectSlotsInsideHullOrAboveDeck(const Hull& hull, const continfo_rec& geo) {
    for (const auto& bay : geo.bays) {
        double len = BayBoxLength(bay.bay_kind);
        for (int sec : {OnDeck, InHold}) {
            const cellinfo_rec& s = bay.sections[size_t(sec)];
            for (size_t r = 0; r < s.cells.size(); ++r)
                for (size_t t = 0; t < s.cells[r].size(); ++t) {
                    const cell_rec& c = s.cells[r][t];
                    if (c.state == 0) continue;
                    std::string where = bay.bay_name.str() + " row " + s.row_names[r].str() + " tier " +
                                        s.tier_names[t].str();
                    double floor = c.z - SlotVcgAboveFloor;
                    double side = std::fabs(c.y) + BoxWidth / 2;
                    for (int i = 0; i <= 8; ++i) {
                        double x = c.x - len / 2 + len * i / 8;
                        if (sec == OnDeck) {
                            EXPECT_GE(floor, hull.DeckZ(x) - 1e-9) << where;
                            EXPECT_LE(side, hull.HalfBreadth(x, hull.DeckZ(x) - 0.01) + 1e-9) << where;
                        } else {
                            // Up to the deck; above it the box stands in the hatchway.
                            for (int k = 0; k <= 4; ++k) {
                                double z = std::min(floor + 2.591 * k / 4, hull.DeckZ(x) - 0.01);
                                EXPECT_LE(side, hull.HalfBreadth(x, z) + 1e-9) << where << " z " << z;
                            }
                        }
                    }
                }
        }
    }
}

// Bay x: the x of any slot of the bay (all slots of a bay share it).
double BayX(const baycell_rec& bay) { return bay.sections[InHold].cells[0][0].x; }

// No two bays' boxes overlap along the ship, except a 40-ft bay with the two
// 20-ft bays listed around it.
void ExpectNoOverlappingBays(const continfo_rec& geo) {
    const auto& b = geo.bays;
    for (size_t i = 0; i < b.size(); ++i)
        for (size_t j = i + 1; j < b.size(); ++j) {
            bool own = (j == i + 1 && ((b[i].bay_kind == 1 && b[j].bay_kind == 4) || (b[i].bay_kind == 4 && b[j].bay_kind == 2))) ||
                       (j == i + 2 && b[i].bay_kind == 1 && b[j].bay_kind == 2);
            if (own) continue;
            double gap = std::fabs(BayX(b[i]) - BayX(b[j])) - (BayBoxLength(b[i].bay_kind) + BayBoxLength(b[j].bay_kind)) / 2;
            EXPECT_GE(gap, -1e-9) << b[i].bay_name.str() << " and " << b[j].bay_name.str();
        }
}

json ReadJson(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    return json::parse(in);
}

}  // namespace

TEST(ContainerLayout, BaysAreNumberedFromForwardWithTheirKindsAndCentres) {
    continfo_rec geo = BuildContainerGeometry(kvtest::WedgeBowHull(), kvtest::TwoHoldLayoutJson(), json::object(),
                                              json::object());
    struct Expect {
        const char* name;
        int32_t kind;
        double x;
    };
    // The aft hold's 30 m leave 5.616 m beside two 40-ft lengths: 1.872 m
    // before, between and after them.
    const Expect expected[] = {{"01", 1, 91 + 3.067}, {"02", 4, 91}, {"03", 2, 91 - 3.067},
                               {"05", 1, 32.032 + 3.067}, {"06", 4, 32.032}, {"07", 2, 32.032 - 3.067},
                               {"09", 1, 17.968 + 3.067}, {"10", 4, 17.968}, {"11", 2, 17.968 - 3.067}};
    ASSERT_EQ(geo.bay_count, 9);
    ASSERT_EQ(geo.bays.size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        const auto& bay = geo.bays[i];
        EXPECT_EQ(bay.bay_name.str(), expected[i].name);
        EXPECT_EQ(bay.bay_kind, expected[i].kind) << expected[i].name;
        EXPECT_NEAR(bay.sections[InHold].cells[2][2].x, expected[i].x, 1e-9) << expected[i].name;
    }
    EXPECT_EQ(geo.row_count[OnDeck], 5);
    EXPECT_EQ(geo.row_count[InHold], 5);
    EXPECT_EQ(geo.tier_count[OnDeck], 3);
    EXPECT_EQ(geo.tier_count[InHold], 3);
}

TEST(ContainerLayout, SlotSpacingFitsTheBoxes) {
    continfo_rec geo = BuildContainerGeometry(kvtest::WedgeBowHull(), kvtest::TwoHoldLayoutJson(), json::object(),
                                              json::object());
    // Within a 20/40/20 group the 40-ft centre lies midway between the two
    // 20-ft centres and both 20-ft boxes lie inside the 40-ft length.
    for (size_t i = 0; i + 2 < geo.bays.size(); i += 3) {
        double xf = geo.bays[i].sections[InHold].cells[2][2].x;
        double x40 = geo.bays[i + 1].sections[InHold].cells[2][2].x;
        double xa = geo.bays[i + 2].sections[InHold].cells[2][2].x;
        EXPECT_NEAR(x40, (xf + xa) / 2, 1e-9);
        EXPECT_LE(xf + Box20Length / 2, x40 + Box40Length / 2 + 1e-9);
        EXPECT_GE(xa - Box20Length / 2, x40 - Box40Length / 2 - 1e-9);
    }
    // No two bays overlap along the ship but a 40-ft bay and its own 20-ft
    // bays; no two rows overlap across it; tiers are a box height apart.
    ExpectNoOverlappingBays(geo);
    for (int sec : {OnDeck, InHold}) {
        const cellinfo_rec& s = geo.bays[4].sections[size_t(sec)];
        for (size_t r = 0; r + 1 < s.cells.size(); ++r) EXPECT_GE(s.cells[r][0].y - s.cells[r + 1][0].y, BoxWidth);
        for (size_t t = 0; t + 1 < s.cells[0].size(); ++t)
            EXPECT_NEAR(s.cells[0][t].z - s.cells[0][t + 1].z, 2.591, 1e-9);
    }
}

TEST(ContainerLayout, LabelsRowsAndTiersAsStored) {
    continfo_rec geo = BuildContainerGeometry(kvtest::WedgeBowHull(), kvtest::TwoHoldLayoutJson(), json::object(),
                                              json::object());
    const baycell_rec& bay = geo.bays[5];  // bay 07, aft hold, every slot there
    const cellinfo_rec& deck = bay.sections[OnDeck];
    const cellinfo_rec& hold = bay.sections[InHold];
    // Tier index 0 is the top tier.
    EXPECT_EQ(deck.tier_names[0].str(), "86");
    EXPECT_EQ(deck.tier_names[2].str(), "82");
    EXPECT_EQ(hold.tier_names[0].str(), "06");
    EXPECT_EQ(hold.tier_names[2].str(), "02");
    // Rows run from starboard to port: 03 +5.08, 01 +2.54, 00 on the centre line, 02, 04 to port.
    const double ys[] = {5.08, 2.54, 0.0, -2.54, -5.08};
    const int numbers[] = {3, 1, 0, 2, 4};
    for (size_t r = 0; r < 5; ++r) {
        EXPECT_NEAR(hold.cells[r][0].y, ys[r], 1e-9);
        EXPECT_EQ(hold.row_value[r], numbers[r]);
    }
    EXPECT_EQ(hold.row_names[0].str(), "03");
    // Bottom slots stand on the floors: z = floor + 45 % of an 8-ft box.
    EXPECT_NEAR(deck.cells[2][2].z - 1.0971, 11.0, 1e-9);
    EXPECT_NEAR(hold.cells[2][2].z - 1.0971, 1.5, 1e-9);
    // Stack limits by bay length and section.
    EXPECT_FLOAT_EQ(deck.row_max_weight[0], 60.0f);
    EXPECT_FLOAT_EQ(hold.row_max_weight[0], 100.0f);
    EXPECT_FLOAT_EQ(geo.bays[4].sections[OnDeck].row_max_weight[0], 90.0f);
    EXPECT_FLOAT_EQ(geo.bays[4].sections[InHold].row_max_weight[0], 150.0f);
    EXPECT_EQ(CountSlots(deck), 15);
    EXPECT_EQ(CountSlots(hold), 15);
}

TEST(ContainerLayout, NarrowingBowDropsTheOuterRows) {
    Hull hull = kvtest::WedgeBowHull();
    continfo_rec geo = BuildContainerGeometry(hull, kvtest::TwoHoldLayoutJson(), json::object(), json::object());
    // Fore end of bays 01 and 02 at x 97.096: half-breadth 4.871 m leaves the
    // rows 01, 00, 02 (outer box side 3.759 m); bay 03 ends at 90.962 with
    // 6.711 m, room for all five rows.
    struct Expect {
        size_t bay;
        int rows;
    };
    for (const auto& e : {Expect{0, 3}, Expect{1, 3}, Expect{2, 5}, Expect{3, 5}}) {
        for (int sec : {OnDeck, InHold}) {
            const cellinfo_rec& s = geo.bays[e.bay].sections[size_t(sec)];
            EXPECT_EQ(RowsWithSlots(s), e.rows) << "bay " << geo.bays[e.bay].bay_name.str() << " section " << sec;
            EXPECT_EQ(CountSlots(s), e.rows * 3);
        }
    }
    ExpectSlotsInsideHullOrAboveDeck(hull, geo);
}

TEST(ContainerLayout, CranesHoldHeightAndLineOfSightRemoveSlots) {
    Hull hull = kvtest::WedgeBowHull();
    json layout = kvtest::TwoHoldLayoutJson();
    // A crane pedestal on the port side beside bay 06 (x 25.94 .. 38.13).
    layout["deck"]["obstructions"] = json::parse(R"([{"name": "CRANE", "x1": 36.0, "x2": 40.0, "y1": -9.5, "y2": -4.0}])");
    // A line of sight from an eye at x 5, z 25 down to x 105, z 15: at the fore
    // end of bay 01 (x 97.096) it lies at 15.79 m, above the top of the lowest
    // deck tier (13.591) but below that of the second (16.182).
    layout["deck"]["sightLine"] = json::parse(R"({"eyeX": 5.0, "eyeZ": 25.0, "seaX": 105.0, "seaZ": 15.0})");
    // The aft hold's ceiling only leaves room for two tiers.
    layout["holds"][1]["ceilingZ"] = 7.0;
    // The fore hold's hatchway, above 8 m, is 4 m wide: room for row 00 only.
    layout["holds"][0]["hatch"] = json::parse(R"({"aftX": 84.5, "foreX": 97.5, "halfWidth": 2.0, "bottomZ": 8.0})");
    continfo_rec geo = BuildContainerGeometry(hull, layout, json::object(), json::object());

    auto state = [&](size_t bay, int sec, size_t row, size_t tierFromTop) {
        return geo.bays[bay].sections[size_t(sec)].cells[row][tierFromTop].state;
    };
    // Row 04 (y -5.08, box -6.30 .. -3.86) of bays 05 and 06 meets the crane;
    // row 02 (box -3.76 .. -1.32) does not. Bay 07 ends at 31.99, clear of it.
    EXPECT_EQ(state(3, OnDeck, 4, 2), 0);
    EXPECT_EQ(state(4, OnDeck, 4, 2), 0);
    EXPECT_EQ(state(4, OnDeck, 3, 2), 1);
    EXPECT_EQ(state(5, OnDeck, 4, 2), 1);
    EXPECT_EQ(state(4, InHold, 4, 2), 1);  // the crane stands on deck only
    // Line of sight: bay 01 keeps its lowest deck tier only; bay 11 far aft keeps all three.
    EXPECT_EQ(state(0, OnDeck, 2, 2), 1);
    EXPECT_EQ(state(0, OnDeck, 2, 1), 0);
    EXPECT_EQ(state(0, OnDeck, 2, 0), 0);
    EXPECT_EQ(CountSlots(geo.bays[8].sections[OnDeck]), 15);
    // Hold ceiling 7.0: tier 06 (top 9.27) gone, tier 04 (top 6.68) kept.
    EXPECT_EQ(state(5, InHold, 2, 0), 0);
    EXPECT_EQ(state(5, InHold, 2, 1), 1);
    // Fore hold, tier 06 (top 9.27 m) in the hatchway: row 00 only; tier 04 keeps rows 01, 00, 02.
    for (size_t bay : {0, 1, 2}) {
        EXPECT_EQ(state(bay, InHold, 2, 0), 1);
        EXPECT_EQ(state(bay, InHold, 1, 0), 0);
        EXPECT_EQ(state(bay, InHold, 3, 0), 0);
        EXPECT_EQ(state(bay, InHold, 1, 1), 1);
    }
    ExpectSlotsInsideHullOrAboveDeck(hull, geo);
}

TEST(ContainerLayout, TopHoldTierRisesIntoTheHatchwayAboveTheDeck) {
    Hull hull = kvtest::WedgeBowHull();
    json layout = kvtest::TwoHoldLayoutJson();
    // A fourth hold tier (floor 9.273, top 11.864) reaches 1.864 m above the
    // deck at 10 m, under hatch covers at 12 m.
    layout["hold"]["tiers"] = json::parse(R"(["02", "04", "06", "08"])");
    layout["deck"]["floorZ"] = 12.5;
    for (auto& h : layout["holds"]) h["ceilingZ"] = 12.0;
    layout["holds"][1]["hatch"] = json::parse(R"({"aftX": 11.0, "foreX": 39.0, "halfWidth": 4.0, "bottomZ": 10.0})");
    continfo_rec geo = BuildContainerGeometry(hull, layout, json::object(), json::object());
    // Aft hold (bays 05 .. 11): the 8 m wide hatchway leaves rows 01, 00, 02 in tier 08.
    for (size_t bay = 3; bay < 9; ++bay) {
        const cellinfo_rec& s = geo.bays[bay].sections[InHold];
        for (size_t r = 0; r < 5; ++r) EXPECT_EQ(s.cells[r][0].state, (r >= 1 && r <= 3) ? 1 : 0) << bay << " " << r;
        EXPECT_EQ(CountSlots(s), 3 + 15);
    }
    // Fore hold without a hatchway of its own: the hold's width and the bow sides decide.
    EXPECT_EQ(CountSlots(geo.bays[1].sections[InHold]), 12);
    ExpectSlotsInsideHullOrAboveDeck(hull, geo);
}

TEST(ContainerLayout, RefusesLayoutsThatCannotBeStowed) {
    struct Case {
        const char* what;
        const char* pointer;
        json value;
    };
    const Case cases[] = {
        {"rows not running starboard to port", "/hold/rows", json::parse(R"(["01", "03", "00", "02", "04"])")},
        {"row label not a number", "/deck/rows", json::parse(R"(["0A"])")},
        {"hold too short for its bays", "/holds/1/bays", json::parse(R"(["40", "20", "40"])")},
        {"bay neither 20 nor 40 ft", "/holds/0/bays", json::parse(R"(["45"])")},
        {"holds listed aft first", "/holds/1/foreX", 95.0},
        {"row pitch narrower than a box", "/rowPitch", 2.0},
        {"missing stack weight", "/hold/stackWeight40", nullptr},
        {"line of sight pointing aft", "/deck/sightLine", json::parse(R"({"eyeX": 50, "eyeZ": 25, "seaX": 10, "seaZ": 5})")},
    };
    for (const auto& c : cases) {
        json layout = kvtest::TwoHoldLayoutJson();
        if (c.value.is_null())
            layout[json::json_pointer(c.pointer).parent_pointer()].erase(json::json_pointer(c.pointer).back());
        else
            layout[json::json_pointer(c.pointer)] = c.value;
        EXPECT_THROW(BuildContainerGeometry(kvtest::WedgeBowHull(), layout, json::object(), json::object()),
                     std::runtime_error)
            << c.what;
    }
}

TEST(ContainerLayout, SampleVesselSlotsLieInsideTheHullOrAboveTheDeck) {
    std::string dir = std::string(KORVANEL_SOURCE_DIR) + "/ships/R549/";
    Hull hull = Hull::FromJson(ReadJson(dir + "hull.json"));
    continfo_rec geo = BuildContainerGeometry(hull, ReadJson(dir + "containers.json"), ReadJson(dir + "ports.json"),
                                              ReadJson(dir + "dangerous_goods.json"));
    int deckSlots = 0, holdSlots = 0;
    for (const auto& bay : geo.bays) {
        deckSlots += CountSlots(bay.sections[OnDeck]);
        holdSlots += CountSlots(bay.sections[InHold]);
    }
    // Every bay group carries boxes, and the ship as a whole a realistic number of them.
    for (const auto& bay : geo.bays)
        EXPECT_GT(CountSlots(bay.sections[OnDeck]) + CountSlots(bay.sections[InHold]), 0) << bay.bay_name.str();
    EXPECT_GT(deckSlots, 100);
    EXPECT_GT(holdSlots, 100);
    ExpectSlotsInsideHullOrAboveDeck(hull, geo);
    ExpectNoOverlappingBays(geo);
    for (size_t i = 0; i < geo.bays.size(); ++i)
        if (geo.bays[i].bay_kind == KindPair40) {
            ASSERT_TRUE(i > 0 && i + 1 < geo.bays.size());
            EXPECT_NEAR(BayX(geo.bays[i]), (BayX(geo.bays[i - 1]) + BayX(geo.bays[i + 1])) / 2, 1e-9);
        }
    EXPECT_EQ(geo.port_list.size(), 40u);
    EXPECT_EQ(geo.imdg_list.size(), 30u);
    RecordProperty("DeckSlots", deckSlots);
    RecordProperty("HoldSlots", holdSlots);
}
