#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "shipgen/Builders.h"
#include "shipgen/ContainerFixtures.h"
#include "shipgen/WindTable.h"

using namespace kv;
using namespace kv::shipgen;
using nlohmann::json;

namespace {

// Two overlapping blocks over the deck: x 10..30 z 10..20 and x 20..40 z
// 15..25. Their union is 350 m2 with its first moment 6125 m3 about the base.
json TwoBlocks() {
    return json::parse(R"({"blocks": [
        {"name": "HOUSE", "x1": 10, "x2": 30, "z1": 10, "z2": 20},
        {"name": "FUNNEL", "x1": 40, "x2": 20, "z1": 25, "z2": 15}]})");
}

}  // namespace

TEST(WindTable, BareBoxHullAreaAndLeverFollowTheDraft) {
    Hull hull = kvtest::BoxHull();
    SideProfile bare(hull, json::object(), {}, -1, 2.591);
    double previous = 1e300;
    for (double t : {2.0, 4.5, 7.25, 9.0}) {
        LateralArea a = bare.At(t);
        EXPECT_NEAR(a.area, 100 * (10 - t), 1e-9) << t;
        EXPECT_NEAR(a.underwaterArea, 100 * t, 1e-9) << t;
        // Centre of the freeboard band to the centre of the wetted band.
        EXPECT_NEAR(a.lever, (10 + t) / 2 - t / 2, 1e-9) << t;
        EXPECT_NEAR(a.lwl, 100, 1e-9);
        EXPECT_LT(a.area, previous);
        previous = a.area;
    }
}

TEST(WindTable, OverlappingBlocksCountOnce) {
    SideProfile p(kvtest::BoxHull(), TwoBlocks(), {}, -1, 2.591);
    double t = 6;
    LateralArea a = p.At(t);
    double hullArea = 100 * (10 - t), hullMoment = hullArea * (10 + t) / 2;
    EXPECT_NEAR(a.area, hullArea + 350, 1e-9);
    EXPECT_NEAR(a.centreZ, (hullMoment + 6125) / (hullArea + 350), 1e-9);
    EXPECT_NEAR(a.underwaterZ, t / 2, 1e-9);
}

TEST(WindTable, EachDeckTierLevelAddsTheStacks) {
    Hull hull = kvtest::BoxHull();
    continfo_rec geo = BuildContainerGeometry(hull, kvtest::TwoHoldLayoutJson(), json::object(), json::object());
    std::vector<DeckStackProfile> stacks = DeckStacks(geo);
    ASSERT_EQ(stacks.size(), 9u);
    double t = 5;
    double empty = SideProfile(hull, json::object(), stacks, -1, 2.591).At(t).area;
    // Three 20/40/20 bay groups, each 12.192 m long in profile, stacked from
    // the hatch covers at 11.0 m; level k carries k + 1 tiers of 2.591 m.
    for (int k = 0; k < 3; ++k) {
        double area = SideProfile(hull, json::object(), stacks, k, 2.591).At(t).area;
        EXPECT_NEAR(area - empty, 3 * 12.192 * 2.591 * (k + 1), 1e-6) << k;
    }
    // Above the highest tier nothing more is added.
    EXPECT_NEAR(SideProfile(hull, json::object(), stacks, 5, 2.591).At(t).area,
                SideProfile(hull, json::object(), stacks, 2, 2.591).At(t).area, 1e-9);
}

TEST(WindTable, TableHasOneLayerPerDeckTierKeyedByDisplacement) {
    Hull hull = kvtest::BoxHull();
    // A house aft of the container bays, 8 m by 10 m.
    json wind = json::parse(R"({"blocks": [{"name": "HOUSE", "x1": 0, "x2": 8, "z1": 10, "z2": 20}]})");
    wind["displacement"] = json::parse(R"({"from": 4100, "to": 16000, "step": 2050})");
    xyztable_rec t = BuildWindTable(hull, wind, kvtest::TwoHoldLayoutJson());
    ASSERT_EQ(t.LayerCount, 3);
    ASSERT_EQ(t.ColCount, 5);
    ASSERT_EQ(t.RowCount, 7);  // 4100 .. 16400 by 2050 is cut at 16000, which closes the list
    const char* cols[] = {"DISP", "DRAFT", "AREA", "LEVER", "LWL"};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(t.ColHeads[size_t(c + 1)].str(), cols[c]);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(t.LayerHeads[size_t(k + 1)].str(), std::to_string(k) + "TIER");
    EXPECT_NEAR(double(t.Values[1][1][7]), 16000, 1e-9);
    for (int k = 1; k <= 3; ++k)
        for (int r = 1; r <= 7; ++r) {
            double disp = double(t.Values[size_t(k)][1][size_t(r)]);
            double draft = disp / (1.025 * 100 * 20);
            EXPECT_NEAR(double(t.Values[size_t(k)][2][size_t(r)]), draft, 2e-3) << r;
            double stacks = 3 * 12.192 * 2.591 * k;
            double expected = 100 * (10 - draft) + 80 + stacks;
            EXPECT_NEAR(double(t.Values[size_t(k)][3][size_t(r)]), expected, 0.3) << k << " " << r;
            if (r > 1) {
                EXPECT_LT(t.Values[size_t(k)][3][size_t(r)], t.Values[size_t(k)][3][size_t(r - 1)]);
            }
            if (k > 1) {
                EXPECT_GT(t.Values[size_t(k)][3][size_t(r)], t.Values[size_t(k - 1)][3][size_t(r)]);
            }
            if (r > 1) {
                EXPECT_GT(t.Values[size_t(k)][1][size_t(r)], t.Values[size_t(k)][1][size_t(r - 1)]);
            }
        }
}

TEST(WindTable, SampleVesselAreasFallWithDisplacementAndRiseWithTiers) {
    auto read = [](const char* name) {
        std::ifstream in(std::string(KORVANEL_SOURCE_DIR) + "/ships/R549/" + name);
        return json::parse(in);
    };
    Hull hull = Hull::FromJson(read("hull.json"));
    json containers = read("containers.json");
    xyztable_rec t = BuildWindTable(hull, read("wind.json"), containers);
    ASSERT_EQ(t.LayerCount, int32_t(containers["deck"]["tiers"].size()));
    ASSERT_GE(t.RowCount, 2);
    for (int k = 1; k <= t.LayerCount; ++k)
        for (int r = 1; r <= t.RowCount; ++r) {
            double disp = double(t.Values[size_t(k)][1][size_t(r)]);
            double draft = double(t.Values[size_t(k)][2][size_t(r)]);
            double area = double(t.Values[size_t(k)][3][size_t(r)]);
            double lever = double(t.Values[size_t(k)][4][size_t(r)]);
            // The draft of each row gives back its displacement.
            if (k == 1) {
                EXPECT_NEAR(DisplacementAtDraft(hull, draft, 0), disp, disp * 1e-4) << r;
            }
            EXPECT_GT(draft, 0);
            EXPECT_LT(draft, hull.Depth());
            // A bare wall-sided hull would give half the depth; the
            // superstructure and the stacks only raise the lever.
            EXPECT_GT(lever, hull.Depth() / 2) << k << " " << r;
            if (r > 1) {
                EXPECT_LT(area, double(t.Values[size_t(k)][3][size_t(r - 1)])) << k << " " << r;
            }
            if (k > 1) {
                EXPECT_GT(area, double(t.Values[size_t(k - 1)][3][size_t(r)])) << k << " " << r;
            }
        }
    RecordProperty("AreaLightest0Tier", std::to_string(double(t.Values[1][3][1])));
    RecordProperty("AreaDeepestTopTier", std::to_string(double(t.Values[size_t(t.LayerCount)][3][size_t(t.RowCount)])));
}
