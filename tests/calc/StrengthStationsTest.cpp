// Strength stations, the lightweight spread, the deadweight spread with the
// cargo compartment split, and the allowables copied into the intervals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "StrengthBarge.h"
#include "model/ShipConventions.h"

using namespace kv;
using kvtest::StrengthBarge;

namespace {

// Weight and moment of one kind of load over the intervals inside [from, to].
struct Sum {
    double W = 0, M = 0;
};
Sum Spread(const StrengthState& s, bool light, double from = -1e9, double to = 1e9) {
    Sum r;
    for (const sfbmseg_rec& iv : s.Intervals) {
        if (iv.X1 < from - 1e-9 || iv.X2 > to + 1e-9) continue;
        const double w = double(light ? iv.LightWeight : iv.DeadWeight);
        r.W += w;
        r.M += w * double(light ? iv.LightLCG : iv.DeadLCG);
    }
    return r;
}

long IndexOf(const StrengthState& s, const std::string& pos) {
    for (size_t i = 0; i < s.StationPositions.size(); ++i)
        if (s.StationPositions[i] == pos) return long(i);
    return -1;
}

}  // namespace

TEST(StrengthStations, PositionsAreStationsByTheirMillimetre) {
    struct Case {
        double x;
        bool added;
        const char* frame;  // frame text of the new station
        const char* pos;
    };
    const Case cases[] = {
        {50.0004, false, "", ""},          // rounds to the station of frame 50
        {49.9996, false, "", ""},          // the same from below
        {50.25, true, "50.250", "50.250"},  // between frames 50 and 51
        {-0.5, true, "-0.500", "-0.500"},
        {-2.5, false, "", ""},  // aft of the first station
        {102.5, false, "", ""},  // forward of the last
    };
    for (const Case& c : cases) {
        StrengthBarge b;
        BuildStrengthStations(b.State);
        StrengthState& s = b.State.Strength;
        const size_t before = s.StationPositions.size();
        AddStationAtPosition(s, c.x);
        ASSERT_EQ(s.StationPositions.size(), before + (c.added ? 1 : 0)) << c.x;
        ASSERT_EQ(s.StationFrames.size(), s.StationPositions.size());
        if (!c.added) continue;
        const long i = IndexOf(s, c.pos);
        ASSERT_GE(i, 1) << c.x;
        EXPECT_EQ(s.StationFrames[size_t(i)], c.frame);
        // In order along the ship.
        EXPECT_LT(s.StationPos[size_t(i) - 1], s.StationPos[size_t(i)]);
        EXPECT_LT(s.StationPos[size_t(i)], s.StationPos[size_t(i) + 1]);
    }
}

TEST(StrengthStations, FramesAreInterpolatedOrExtrapolated) {
    struct Case {
        double frame;
        bool added;
        const char* pos;
    };
    const Case cases[] = {
        {50, false, ""},
        {50.0001, false, ""},  // the text of frame 50
        {50.5, true, "50.500"},
        {103, true, "103.000"},    // one past the last frame (102)
        {102.25, true, "102.250"},  // a fraction past it
    };
    for (const Case& c : cases) {
        StrengthBarge b;  // frames -2 to 102, one per metre
        BuildStrengthStations(b.State);
        StrengthState& s = b.State.Strength;
        const size_t before = s.StationFrames.size();
        AddStationAtFrame(s, c.frame);
        ASSERT_EQ(s.StationFrames.size(), before + (c.added ? 1 : 0)) << c.frame;
        if (!c.added) continue;
        const long i = IndexOf(s, c.pos);
        ASSERT_GE(i, 0) << c.frame;
        EXPECT_EQ(s.StationFrames[size_t(i)], FormatFloat("0.000", c.frame));
    }
}

TEST(StrengthStations, FrameSpacingOtherThanOneMetre) {
    StrengthBarge b;
    b.State.ShipInfo.FrameList.clear();
    for (int f = 0; f <= 200; ++f) {
        frame_rec fr;
        fr.FrameNo = f;
        fr.PosMM = f * 600.0;  // 0.6 m spacing
        b.State.ShipInfo.FrameList.push_back(fr);
    }
    b.State.ShipInfo.ForeEndX = 100;
    BuildStrengthStations(b.State);
    StrengthState& s = b.State.Strength;
    AddStationAtPosition(s, 30.3);  // between frames 50 (30.0) and 51 (30.6)
    long i = IndexOf(s, "30.300");
    ASSERT_GE(i, 0);
    EXPECT_EQ(s.StationFrames[size_t(i)], "50.500");
    AddStationAtFrame(s, 80.25);
    i = IndexOf(s, "48.150");
    ASSERT_GE(i, 0);
    EXPECT_EQ(s.StationFrames[size_t(i)], "80.250");
    AddStationAtFrame(s, 201);  // extrapolated from frames 199 and 200
    EXPECT_EQ(s.StationPositions.back(), "120.600");
}

TEST(StrengthStations, IntervalsCoverTheHullBetweenItsExtremities) {
    StrengthBarge b;
    b.AddCargo(100, 20.25, 20.1, 20.4);  // adds stations at 20.1 and 20.4
    BuildStrengthStations(b.State);
    const StrengthState& s = b.State.Strength;
    ASSERT_EQ(s.Intervals.size(), 102u);
    EXPECT_DOUBLE_EQ(double(s.Intervals.front().X1), 0);
    EXPECT_DOUBLE_EQ(double(s.Intervals.back().X2), 100);
    for (size_t i = 0; i < s.Intervals.size(); ++i) {
        const sfbmseg_rec& iv = s.Intervals[i];
        EXPECT_NEAR(double(iv.Length), double(iv.X2 - iv.X1), 1e-12);
        EXPECT_EQ(s.Find(iv.Key), &iv);
        if (i > 0) {
            EXPECT_DOUBLE_EQ(double(iv.X1), double(s.Intervals[i - 1].X2));
        }
    }
    const sfbmseg_rec* split = s.Find("20.100");
    ASSERT_NE(split, nullptr);
    EXPECT_NEAR(double(split->X1), 20.1, 1e-9);
    EXPECT_NEAR(double(split->X2), 20.4, 1e-9);
}

TEST(StrengthStations, LightweightRowsByWeightOrByOrdinates) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, double>> cols;
        double weight, lcg, qa, qf;
        bool warned;
    };
    const Case cases[] = {
        {"ordinates", {{"AFR", 0}, {"FFR", 100}, {"QA", 5}, {"QF", 15}, {"Q", 1000}}, 1000, 100.0 * 35 / 60, 5, 15, false},
        {"weight", {{"AFR", 20}, {"AE", 0.5}, {"FFR", 60}, {"FE", -0.5}, {"LCG", 40}, {"WEIGHT", 390}}, 390, 40, 10, 10,
         false},
        // Without frame columns the extent is given by AE and FE alone.
        {"offsets", {{"AE", 10}, {"FE", 30}, {"LCG", 20}, {"WEIGHT", 200}}, 200, 20, 10, 10, false},
        // A centre outside the extent is warned about and still spread.
        {"lcg at the end", {{"AFR", 0}, {"FFR", 10}, {"LCG", 10}, {"WEIGHT", 100}}, 100, 20.0 / 3, 0, 20, true},
    };
    for (const Case& c : cases) {
        StrengthBarge b;
        b.SetLightweight(c.cols);
        BuildStrengthStations(b.State);
        const StrengthState& s = b.State.Strength;
        const Sum sum = Spread(s, true);
        EXPECT_NEAR(double(s.LightweightTotal), c.weight, 1e-6) << c.name;
        EXPECT_NEAR(sum.W, c.weight, 1e-6) << c.name;
        const bool linear = c.name != std::string("lcg at the end");
        if (linear) {
            EXPECT_NEAR(sum.M / sum.W, c.lcg, 1e-6) << c.name;
        }
        // A linear load reproduced by the interval ordinates.
        double first = 0, last = 0;
        bool seen = false;
        for (const sfbmseg_rec& iv : s.Intervals)
            if (iv.LightWeight != 0) {
                if (!seen) first = double(iv.LightOrdinate.At1);
                seen = true;
                last = double(iv.LightOrdinate.At2);
            }
        if (linear) {
            EXPECT_NEAR(first, c.qa, 1e-6) << c.name;
            EXPECT_NEAR(last, c.qf, 1e-6) << c.name;
        }
        ASSERT_EQ(b.Sink.messages.size(), c.warned ? 1u : 0u) << c.name;
        if (c.warned) {
            EXPECT_EQ(b.Sink.messages[0], "Warning : light weight distribution data(lcg position)");
        }
    }
}

TEST(StrengthStations, LightweightOfZeroWeightIsSkipped) {
    StrengthBarge b;
    b.SetLightweight({{"AFR", 0}, {"FFR", 100}, {"LCG", 50}, {"WEIGHT", 0}});
    BuildStrengthStations(b.State);
    EXPECT_EQ(b.State.Strength.LightweightTotal, 0);
    EXPECT_EQ(Spread(b.State.Strength, true).W, 0);
}

TEST(StrengthStations, DeadweightOfEveryKindIsSpreadWithItsMoment) {
    StrengthBarge b;
    b.AddCargo(300, 26, 20, 30);
    b.AddCargo(-50, 50, 40, 60);  // not positive: skipped
    // A tank of group 3.
    b.State.TankGroup.Groups[3].Tanks.resize(1);
    b.State.TankGroup.Groups[3].Tanks[0].AftEnd = 70;
    b.State.TankGroup.Groups[3].Tanks[0].ForeEnd = 80;
    TankResult r;
    r.Weight = 120;
    r.LCG = 75.5;
    b.State.CalcData.Summaries[4].Items = {r};
    // A container and a tween deck panel.
    container_rec box;
    box.weight = 20;
    box.lcg = 45;
    box.aft_x = 42;
    box.fwd_x = 48;
    b.State.LoadData.BayLists = {{box}};
    panel_rec p;
    p.weight = 10;
    p.lcg = 61;
    p.aft_x = 60;
    p.fwd_x = 62;
    b.State.PanelList = {p};
    BuildStrengthStations(b.State);
    DistributeDeadweight(b.State, {StrengthLoad{40, 91, 90, 92}});

    const StrengthState& s = b.State.Strength;
    struct Item {
        double w, lcg, aft, fore;
    };
    for (const Item& it : {Item{300, 26, 20, 30}, Item{120, 75.5, 70, 80}, Item{20, 45, 42, 48}, Item{10, 61, 60, 62},
                           Item{40, 91, 90, 92}}) {
        const Sum sum = Spread(s, false, it.aft, it.fore);
        EXPECT_NEAR(sum.W, it.w, 1e-6) << it.aft;
        EXPECT_NEAR(sum.M / sum.W, it.lcg, 1e-6) << it.aft;
    }
    EXPECT_NEAR(Spread(s, false, 30, 42).W, 0, 1e-12);
    // Spreading again starts from zero.
    DistributeDeadweight(b.State);
    EXPECT_NEAR(Spread(s, false).W, 450, 1e-6);
}

TEST(StrengthStations, NegativeDeadweightOrdinatesAreClampedExceptForPanels) {
    // A centre near the aft end asks for a negative ordinate forward.
    for (bool panel : {false, true}) {
        StrengthBarge b;
        if (panel) {
            panel_rec p;
            p.weight = 100;
            p.lcg = 20.5;
            p.aft_x = 20;
            p.fwd_x = 24;
            b.State.PanelList = {p};
        } else {
            b.AddCargo(100, 20.5, 20, 24);
        }
        BuildStrengthStations(b.State);
        DistributeDeadweight(b.State);
        const sfbmseg_rec* last = b.At(23);
        ASSERT_NE(last, nullptr);
        if (panel)
            EXPECT_LT(double(last->DeadOrdinate.At2), 0);
        else
            EXPECT_EQ(double(last->DeadOrdinate.At2), 0);
    }
}

TEST(StrengthStations, CargoCompartmentsSplitByTheTweenDeckSetting) {
    // Three compartments of group 1; the first and the third reach across
    // 77.1 m, the second lies wholly aft of it.
    struct Tank {
        double aft, fore, w, lcg;
    };
    const Tank tanks[] = {{60, 90, 1000, 75}, {10, 40, 500, 25}, {70, 85, 800, 77}};
    struct Case {
        int setting;
        int tank;
        double aftShare;  // of the weight over [aft, 77.1]; < 0: unsplit
    };
    const Case cases[] = {
        {0, 0, -1}, {2, 0, 0.853}, {2, 1, -1}, {2, 2, 0.853}, {4, 0, -1}, {4, 2, 0.59},
    };
    for (const Case& c : cases) {
        StrengthBarge b;
        b.State.LoadData.CompCodes = {c.setting};
        auto& g1 = b.State.TankGroup.Groups[1].Tanks;
        g1.resize(3);
        b.State.CalcData.Summaries[2].Items.assign(3, TankResult{});
        for (int i = 0; i < 3; ++i) {
            g1[size_t(i)].AftEnd = tanks[i].aft;
            g1[size_t(i)].ForeEnd = tanks[i].fore;
        }
        const Tank& t = tanks[c.tank];
        b.State.CalcData.Summaries[2].Items[size_t(c.tank)].Weight = t.w;
        b.State.CalcData.Summaries[2].Items[size_t(c.tank)].LCG = t.lcg;
        BuildStrengthStations(b.State);
        DistributeDeadweight(b.State);
        const StrengthState& s = b.State.Strength;
        const Sum all = Spread(s, false);
        const std::string name = "setting " + std::to_string(c.setting) + " tank " + std::to_string(c.tank);
        // Nothing lost, the moment kept.
        EXPECT_NEAR(all.W, t.w, 1e-6) << name;
        EXPECT_NEAR(all.M / all.W, t.lcg, 1e-6) << name;
        if (c.aftShare < 0) {
            // Unsplit: the trapezoid of the whole compartment.
            const Sum aft = Spread(s, false, t.aft, std::min(t.fore, 77.0));
            const double L = t.fore - t.aft, a = t.aft, x = std::min(t.fore, 77.0);
            const double qf = 2 * t.w * (3 * (t.lcg - a) - L) / (L * L), qa = 2 * t.w / L - qf;
            const double q = qa + (qf - qa) * (x - a) / L;
            EXPECT_NEAR(aft.W, (qa + q) / 2 * (x - a), 1e-6) << name;
        } else {
            const Sum aft = Spread(s, false, t.aft, 77.1);
            EXPECT_NEAR(aft.W, t.w * c.aftShare, 1e-6) << name;
            EXPECT_NEAR(aft.M / aft.W, (t.aft + 77.1) / 2, 1e-6) << name;
        }
    }
}

TEST(StrengthStations, AllowablesInterpolatedAlongTheCurve) {
    StrengthBarge b;
    // SF: two segments with a step at 40 m; positive 100 -> 400 over 10..40,
    // 500 -> 200 over 40..90; negative magnitudes 50 and 80.
    allow_rec& sea = b.State.ShipInfo.ClassAllow.intact[ConditionSea];
    sea.sfsegs = {StrengthBarge::Segment(10, 40, 100, 50, 400, 50), StrengthBarge::Segment(40, 90, 500, 80, 200, 80)};
    sea.tmsegs = {StrengthBarge::Segment(10, 90, 30, 70)};
    b.State.ShipInfo.Options[13].Enabled = 1;  // torsional moment on
    BuildStrengthStations(b.State);
    struct Case {
        double x1;
        double pos1, pos2, neg1, neg2;
    };
    const Case cases[] = {
        {5, 100, 100, -50, -50},    // aft of the first segment: its aft-end values at both ends
        {20, 200, 210, -50, -50},   // inside: interpolated
        {39, 390, 400, -50, -50},
        {40, 500, 494, -80, -80},   // on the boundary: the segment forward of it
        {95, 200, 200, -80, -80},   // forward of the last: its fore-end values
    };
    for (const Case& c : cases) {
        const sfbmseg_rec* iv = b.At(c.x1);
        ASSERT_NE(iv, nullptr) << c.x1;
        const intervalallow_rec& a = iv->IntactAllow[ConditionSea];
        EXPECT_NEAR(double(a.SFPos.At1), c.pos1, 1e-9) << c.x1;
        EXPECT_NEAR(double(a.SFPos.At2), c.pos2, 1e-9) << c.x1;
        EXPECT_NEAR(double(a.SFNeg.At1), c.neg1, 1e-9) << c.x1;
        EXPECT_NEAR(double(a.SFNeg.At2), c.neg2, 1e-9) << c.x1;
    }
    // Torsional limits: the first negated, the second as stored.
    const intervalallow_rec& a = b.At(50)->IntactAllow[ConditionSea];
    EXPECT_DOUBLE_EQ(double(a.TMFirst.At1), -30);
    EXPECT_DOUBLE_EQ(double(a.TMSecond.At1), 70);
    // The harbour set of the fixture is untouched.
    EXPECT_DOUBLE_EQ(double(b.At(50)->IntactAllow[ConditionPort].SFPos.At1), 1000);

    // Without the torsional moment function no torsional limits.
    b.State.ShipInfo.Options[13].Enabled = 0;
    BuildStrengthStations(b.State);
    EXPECT_EQ(double(b.At(50)->IntactAllow[ConditionSea].TMFirst.At1), 0);
}
