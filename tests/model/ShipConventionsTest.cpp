#include <gtest/gtest.h>

#include <cmath>

#include "model/ShipConventions.h"

using namespace kv;

namespace {

shipinfo_rec ShipWithFrames(std::vector<std::pair<Extended, Extended>> frames) {
    shipinfo_rec s;
    for (auto [no, mm] : frames) {
        frame_rec f;
        f.FrameNo = no;
        f.PosMM = mm;
        s.FrameList.push_back(f);
    }
    return s;
}

}  // namespace

// Frame spacing 700 mm up to frame 10, then 800 mm.
TEST(ShipConventions, FrameConversionsInterpolateAndExtrapolate) {
    shipinfo_rec s = ShipWithFrames({{0, 0}, {10, 7000}, {20, 15000}});
    struct Case {
        Extended frame, mm;
    } cases[] = {
        {0, 0},        {10, 7000},     {20, 15000},  // on the records
        {5, 3500},     {15, 11000},                  // inside
        {12.5L, 9000},                               // first record whose key exceeds the argument
        {-2, -1400},                                 // below the first record: first segment
        {25, 19000},                                 // above the last: last segment
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(double(FrameToPosition(s, c.frame)), double(c.mm), 1e-9) << double(c.frame);
        EXPECT_NEAR(double(PositionToFrame(s, c.mm)), double(c.frame), 1e-12) << double(c.mm);
    }
}

// Tables too small or with repeated keys give finite, documented values.
TEST(ShipConventions, DegenerateFrameTablesStayFinite) {
    shipinfo_rec none;
    EXPECT_EQ(FrameToPosition(none, 12), 0.0L);
    EXPECT_EQ(PositionToFrame(none, 12), 0.0L);

    shipinfo_rec one = ShipWithFrames({{10, 7000}});
    EXPECT_EQ(FrameToPosition(one, 3), 7000.0L);
    EXPECT_EQ(PositionToFrame(one, 99999), 10.0L);

    // Frame 10 listed twice (a doubled record); positions differ.
    shipinfo_rec twice = ShipWithFrames({{0, 0}, {10, 7000}, {10, 7000}, {20, 15000}});
    for (Extended f : {Extended(-1), Extended(0), Extended(5), Extended(10), Extended(15), Extended(30)}) {
        EXPECT_TRUE(std::isfinite(double(FrameToPosition(twice, f)))) << double(f);
        EXPECT_TRUE(std::isfinite(double(PositionToFrame(twice, f * 700)))) << double(f);
    }
    EXPECT_NEAR(double(FrameToPosition(twice, 15)), 11000, 1e-9);
    shipinfo_rec flat = ShipWithFrames({{10, 7000}, {10, 7000}});
    EXPECT_EQ(FrameToPosition(flat, 12), 7000.0L);
}

TEST(ShipConventions, LongitudinalDisplay) {
    shipinfo_rec s;
    s.LBP = 180;
    struct Case {
        int32_t refMidship, sign;
        Extended x, shown;
    } cases[] = {
        {0, 1, 50, 50},    {0, -1, 50, -50},
        {1, 1, 50, -40},   {1, -1, 50, 40},
        {1, 1, 0, 0},      // exactly 0 stays 0 from midship: empty items
        {1, 1, 1e-9L, 1e-9L - 90},
        {1, 0, 100, 10},   // an empty ship's sign 0 counts as +1
        {0, 0, -3, -3},
    };
    for (const Case& c : cases) {
        s.LongRefMidship = c.refMidship;
        s.LongSign = c.sign;
        EXPECT_EQ(ToDisplayLong(s, c.x), c.shown) << c.refMidship << " " << c.sign << " " << double(c.x);
        if (c.x != 0) {
            EXPECT_NEAR(double(FromDisplayLong(s, c.shown)), double(c.x), 1e-12) << c.refMidship << " " << c.sign;
        }
    }
    // From the display there is no zero case: 0 shown from midship is x = LBP / 2.
    s.LongRefMidship = 1;
    s.LongSign = 1;
    EXPECT_EQ(FromDisplayLong(s, 0), 90.0L);
}

TEST(ShipConventions, TransverseTrimAndHeelDisplay) {
    shipinfo_rec s;
    for (int32_t sign : {1, -1, 0}) {
        s.TransSign = s.TrimSign = s.HeelSign = sign;
        Extended expected = sign == -1 ? -2.5L : 2.5L;
        EXPECT_EQ(ToDisplayTrans(s, 2.5L), expected) << sign;
        EXPECT_EQ(FromDisplayTrans(s, expected), 2.5L) << sign;
        EXPECT_EQ(ToDisplayTrim(s, 2.5L), expected) << sign;
        EXPECT_EQ(ToDisplayHeel(s, 2.5L), expected) << sign;
    }
}
