#include <gtest/gtest.h>

#include "ConditionFixture.h"
#include "containers/BayGeometry.h"
#include "containers/CheckDigit.h"
#include "containers/ContainerModel.h"
#include "containers/ContainerPositions.h"
#include "containers/IsoCodes.h"
#include "model/CodeFiles.h"

using namespace kv;

TEST(ContainerPositions, ParseResolvesLabelsAndSections) {
    KvState s = kvtest::MakeShipState();
    // The same tier label in both sections must resolve ON DECK.
    s.ContInfo.bays[0].sections[1].tier_names[0].set("84");
    struct Case {
        const char* text;
        bool parsed;
        SlotRef slot;
    };
    const Case cases[] = {
        {" 010182", true, {OnDeck, 0, 0, 1}},
        {"010284", true, {OnDeck, 0, 1, 0}},      // 2 + 2 + 2
        {"  10102", true, {InHold, 0, 0, 1}},     // "1" matches bay "01"
        {" 020102 ", true, {InHold, 1, 0, 1}},    // trailing blank
        {" 010184", true, {OnDeck, 0, 0, 0}},     // "84" in both sections
        {" 010186", true, {-1, 0, -1, -1}},       // unknown tier
        {" 010382", true, {OnDeck, 0, -1, 1}},    // unknown row
        {" 020284", true, {OnDeck, 1, -1, 0}},    // slot without state
        {" 070182", true, {-1, -1, -1, -1}},      // unknown bay
        {"10182", false, {}},
        {"", false, {}},
        {" 0101820", true, {-1, -1, -1, -1}},  // trimmed to 7: bay "010"
        {" 01018200", false, {}},
    };
    for (const Case& c : cases) {
        SlotRef got;
        EXPECT_EQ(ParsePosition(s.ContInfo, c.text, got), c.parsed) << "'" << c.text << "'";
        if (c.parsed) {
            EXPECT_EQ(got, c.slot) << "'" << c.text << "'";
        }
    }
    EXPECT_EQ(FindRow(s.ContInfo, 0, InHold, "2"), 1);
    EXPECT_EQ(FindRow(s.ContInfo, 0, InHold, "03"), -1);
    EXPECT_EQ(FormatPosition("1", "02", "82"), "  10282");
}

TEST(ContainerPositions, FindContainerMatchesBySlotNotByText) {
    KvState s = kvtest::MakeShipState();
    container_rec a, b;
    a.position.set(" 010182");
    b.position.set(" 010282");
    s.LoadData.BayLists[0] = {a, b};
    EXPECT_EQ(FindContainer(s.ContInfo, s.LoadData, "010282"), std::make_pair(0, 1));
    EXPECT_EQ(FindContainer(s.ContInfo, s.LoadData, " 010184"), std::make_pair(-1, -1));
    EXPECT_EQ(FindContainer(s.ContInfo, s.LoadData, "bad"), std::make_pair(-1, -1));
}

TEST(BayGeometry, StackOfHighCubesStandsOnTheHeightsBelow) {
    KvState s = kvtest::MakeShipState();
    container_rec lower, upper, hold;
    lower.position.set(" 010182");
    lower.iso_code.set("45G1");  // 40 ft, 9'6
    lower.over_back = 20;
    lower.over_left = 10;
    upper.position.set(" 010184");
    upper.iso_code.set("45G1");
    upper.over_top = 30;
    upper.over_front = 15;
    upper.over_right = 5;
    hold.position.set(" 010104");  // top hold tier, nothing below it
    hold.iso_code.set("1");        // no height character
    s.LoadData.BayLists[0] = {upper, lower, hold};
    UpdateBayGeometry(s.ContInfo, s.LoadData, 0, 50);
    const auto& l = s.LoadData.BayLists[0];
    const container_rec &u = l[0], &lo = l[1], &h = l[2];

    const double deckFloor = 20.0 - 1.0971;
    EXPECT_NEAR(double(lo.bottom_z), deckFloor, 1e-12);
    EXPECT_NEAR(double(lo.top_z), deckFloor + 2.895, 1e-12);
    EXPECT_NEAR(double(u.bottom_z), deckFloor + 2.895 + 0.181, 1e-12);
    EXPECT_NEAR(double(u.top_z), deckFloor + 2 * 2.895 + 0.181 + 0.30, 1e-12);
    EXPECT_NEAR(double(u.vcg), double(u.bottom_z + (u.top_z - u.bottom_z) / 2), 1e-12);
    EXPECT_NEAR(double(lo.aft_x), 20 - 12.192 / 2 - 0.20, 1e-12);
    EXPECT_NEAR(double(lo.fwd_x), 20 + 12.192 / 2, 1e-12);
    EXPECT_NEAR(double(lo.port_y), 2.5 - 1.219 - 0.10, 1e-12);
    EXPECT_NEAR(double(u.fwd_x), 20 + 12.192 / 2 + 0.15, 1e-12);
    EXPECT_NEAR(double(u.stbd_y), 2.5 + 1.219 + 0.05, 1e-12);
    EXPECT_NEAR(double(u.lcg), double((u.aft_x + u.fwd_x) / 2), 1e-12);
    // The empty bottom hold tier raises the floor by 2.438 + 0.181; the
    // container without a height character is 2.438 high and takes the
    // length of its code "1": 2991 mm.
    const double holdFloor = 2.0 - 1.0971 + 2.438 + 0.181;
    EXPECT_NEAR(double(h.bottom_z), holdFloor, 1e-12);
    EXPECT_NEAR(double(h.top_z), holdFloor + 2.438, 1e-12);
    EXPECT_NEAR(double(h.fwd_x - h.aft_x), 2.991, 1e-12);
}

TEST(BayGeometry, DefaultLengthFollowsTheBayKind) {
    KvState s = kvtest::MakeShipState();
    container_rec a;
    a.position.set(" 010182");
    s.LoadData.BayLists[0] = {a};
    a.position.set(" 020182");
    s.LoadData.BayLists[1] = {a};
    for (int bay = 0; bay < 2; ++bay) UpdateBayGeometry(s.ContInfo, s.LoadData, bay, 45);
    EXPECT_NEAR(double(s.LoadData.BayLists[0][0].fwd_x - s.LoadData.BayLists[0][0].aft_x), 6.058, 1e-12);
    EXPECT_NEAR(double(s.LoadData.BayLists[1][0].fwd_x - s.LoadData.BayLists[1][0].aft_x), 12.192, 1e-12);
}

TEST(BayGeometry, SummaryAndDeckTierLevel) {
    KvState s = kvtest::MakeShipState();
    auto make = [](const char* pos, const char* iso, float w) {
        container_rec c;
        c.position.set(pos);
        c.iso_code.set(iso);
        c.weight = w;
        c.section = pos[5] == '8' ? OnDeck : InHold;
        return c;
    };
    s.LoadData.BayLists[0] = {make(" 010182", "45R1", 20), make(" 010282", "2210", 10), make(" 010102", "22G1", 0)};
    UpdateBayGeometry(s.ContInfo, s.LoadData, 0, 45);
    contweight_rec item;
    contsummary_rec sum;
    BuildBaySummary(s.ContInfo, s.LoadData, 0, item, sum);
    EXPECT_EQ(item.Weight, 30);
    const auto& l = s.LoadData.BayLists[0];
    EXPECT_NEAR(double(item.TCG), double((20 * l[0].tcg + 10 * l[1].tcg) / 30), 1e-12);
    EXPECT_EQ(item.FSM, 0);
    const auto& bay = sum.Bays[0];
    EXPECT_EQ(bay[Class40][OnDeck][CatAll].count, 1);
    EXPECT_EQ(bay[Class40][OnDeck][CatHigh].count, 1);
    EXPECT_EQ(bay[Class40][OnDeck][CatReefer].weight, 20);
    EXPECT_EQ(bay[Class20][OnDeck][CatAll].count, 1);
    EXPECT_EQ(bay[Class20][OnDeck][CatHigh].count, 0);
    EXPECT_EQ(bay[Class20][InHold][CatAll].count, 1);

    contweight_rec empty;
    BuildBaySummary(s.ContInfo, s.LoadData, 1, empty, sum);
    EXPECT_EQ(empty.Weight, 0);
    EXPECT_EQ(empty.LCG, 0);
    EXPECT_EQ(empty.VCG, 0);

    EXPECT_EQ(DeckTierLevel(s.ContInfo, s.LoadData), 0);  // only the lowest deck tier
    s.LoadData.BayLists[1] = {make(" 020184", "22G1", 5)};
    EXPECT_EQ(DeckTierLevel(s.ContInfo, s.LoadData), 1);
    s.LoadData.BayLists = {{}, {}};
    EXPECT_EQ(DeckTierLevel(s.ContInfo, s.LoadData), 0);
}

TEST(IsoCodes, DecodesBothCodeForms) {
    struct Case {
        const char* code;
        const char* lengthMM;
        const char* lengthLabel;
        const char* heightMM;
        const char* heightLabel;
        const char* typeCode;
        const char* group;
    };
    const Case cases[] = {
        {"2210", "6068", "20FT", "2591", "8'6\"", "10", "DC"},  // 1984 form
        {"2010", "6068", "20FT", "2438", "8'", "10", "DC"},
        {"4532", "12192", "40FT", "2591", ">8'6\"", "32", "RF"},
        {"9561", "13716", "45FT", "2591", ">8'6\"", "61", "FR"},
        {"22G1", "6068", "20FT", "2591", "8'6\"", "G1", "DC"},  // 1995 form
        {"45R1", "12192", "40FT", "2895", "9'6\"", "R1", "RF"},
        {"L5G1", "13716", "45FT", "2895", "9'6\"", "G1", "DC"},
        {"22GP", "6068", "20FT", "2591", "8'6\"", "G0", "DC"},  // ISO group code
        {"22U3", "6068", "20FT", "2591", "8'6\"", "U3", "OS"},
        {"CM", "7430", "24FT6", "2743", "9'", "", ""},
        {"Z9X9", "", "", "1219", "4'", "", ""},
        {"", "", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeLength(c.code, LengthColumn::MM), c.lengthMM) << c.code;
        EXPECT_EQ(DecodeLength(c.code, LengthColumn::Label), c.lengthLabel) << c.code;
        EXPECT_EQ(DecodeHeight(c.code, HeightColumn::MM), c.heightMM) << c.code;
        EXPECT_EQ(DecodeHeight(c.code, HeightColumn::Label), c.heightLabel) << c.code;
        EXPECT_EQ(DecodeType(c.code, TypeColumn::Code), c.typeCode) << c.code;
        EXPECT_EQ(DecodeType(c.code, TypeColumn::Group), c.group) << c.code;
    }
    EXPECT_TRUE(IsoHasTunnel("2310"));
    EXPECT_FALSE(IsoHasTunnel("2210"));
}

TEST(IsoCodes, ComposesFromLabelsLeavingOutUnknownParts) {
    struct Case {
        const char* length;
        const char* height;
        const char* group;
        const char* code;
    };
    const Case cases[] = {
        {"20FT", "8'6\"", "DC", "22G0"}, {"40FT", "9'6\"", "RF", "45R0"}, {"45FT", "9'6\"", "TC", "L5H0"},
        {"40FT", "8'", "FR", "40P1"},    {"99FT", "8'6\"", "DC", "2G0"},  {"20FT", "7'", "XX", "2"},
        {"----", "4'", "AS", "9A0"},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeIsoCode(c.length, c.height, c.group), c.code) << c.code;
}

TEST(IsoCodes, TypeGroupColours) {
    EXPECT_EQ(TypeGroupBackColour("RF"), 0xFFFF00);
    EXPECT_EQ(TypeGroupTextColour("DC"), 0);          // grey scores 2: black
    EXPECT_EQ(TypeGroupTextColour("PF"), 0xFFFFFF);   // pure red scores 1: white
    EXPECT_EQ(TypeGroupTextColour("TC"), 0xFFFFFF);
    EXPECT_EQ(TypeGroupBackColour("??"), 0xFFFFFF);
    EXPECT_EQ(TypeGroupTextColour("??"), 0);
    EXPECT_EQ(ContrastTextColor(0x00FF00), 0);        // green alone scores 2
    EXPECT_EQ(ContrastTextColor(0xC8C8C8 & 0xFF00FF), 0);  // red 200 + blue 200
    EXPECT_EQ(ContrastTextColor(0xC700C7), 0xFFFFFF); // just below both thresholds
}

TEST(CheckDigit, Iso6346) {
    struct Case {
        const char* id;
        bool valid;
    };
    const Case cases[] = {
        {"CSQU3054383", true},
        {"CSQU3054384", false},   // one more than the check digit
        {"ABCU0000070", true},    // remainder 10 counts as 0
        {"ABCU0000071", false},
        {"MSKU0000140", true},
        {"csqu3054383", true},
        {"CSQU305438", false},    // 10 characters
        {"CSQU30543833", false},  // 12 characters
        {"CSQU30-4383", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsoCheckDigitValid(c.id), c.valid) << c.id;
    EXPECT_EQ(IsoCheckDigit("ABCU000007"), 0);
}

TEST(ContainerModel, CopyMakesIndependentListsAndInitClears) {
    container_rec src;
    src.container_id.set("CSQU3054383");
    src.bundles = std::vector<bundle_rec>{{1.5f, ShortString<11>("FLAT")}};
    container_rec dst;
    dst.dg_items = std::vector<dgitem_rec>(3);
    CopyContainer(dst, src);
    EXPECT_EQ(dst.container_id.str(), "CSQU3054383");
    EXPECT_FALSE(dst.dg_items.has_value());
    ASSERT_TRUE(dst.bundles.has_value());
    (*src.bundles)[0].weight = 9;
    EXPECT_EQ((*dst.bundles)[0].weight, 1.5f);
    InitContainer(dst);
    EXPECT_EQ(dst.container_id.str(), "");
    EXPECT_FALSE(dst.bundles.has_value());
}
