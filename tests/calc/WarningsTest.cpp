// Warning flags, their messages, the judgement lights and the warning alarm
// dialog on small hand-made states.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/Warnings.h"

namespace {

using namespace kv;

// A state whose calculated condition is inside every limit: forward draft
// 6 m, mean 7 m, trim 0.5 m by the head, heel 0.2 degrees, GM 1.5 m,
// displacement 80 % of the maximum.
struct WarningFixture : ::testing::Test {
    KvState s;
    void SetUp() override {
        s.Config.Limits[LimMinDraftFwd] = 5.0;
        s.Config.Limits[LimMaxDraft] = 9.5;
        s.Config.Limits[LimTrimLimitHead] = 1.0;
        s.Config.Limits[LimTrimLimitStern] = -2.0;
        s.Config.Limits[LimMaxHeel] = 3.0;
        s.Config.Limits[LimMaxGM] = 4.0;
        s.ShipInfo.Breadth = 32.0;
        s.ShipInfo.Options[19].Text.set("1");
        s.MaxDisplacement = 20000;
        calcdata_rec& r = s.CalcData;
        r.DraftFP = 6.0L;
        r.DraftMean = 7.0L;
        r.DraftAP = 5.5L;
        r.Trim = 0.5L;
        r.Heel = 0.2L;
        r.Stab.GMSolid = 1.5L;
        r.Displacement = 16000;
    }
    std::vector<bool> Warnings() const {
        return std::vector<bool>(s.Calc.WarningFlags.begin(), s.Calc.WarningFlags.end());
    }
    static std::vector<bool> Only(std::initializer_list<int> set) {
        std::vector<bool> v(11, false);
        for (int i : set) v[size_t(i)] = true;
        return v;
    }
};

TEST_F(WarningFixture, EachLimitIsStrictAndWithoutTolerance) {
    struct Case {
        const char* what;
        void (*apply)(calcdata_rec&);
        std::vector<bool> expected;
    };
    const std::vector<Case> cases = {
        {"inside every limit", [](calcdata_rec&) {}, Only({})},
        {"forward draft at the minimum", [](calcdata_rec& r) { r.DraftFP = 5.0L; }, Only({})},
        {"forward draft 1 mm below", [](calcdata_rec& r) { r.DraftFP = 4.999L; }, Only({FwdDraftLow})},
        {"mean draft at the maximum", [](calcdata_rec& r) { r.DraftMean = 9.5L; }, Only({})},
        {"mean draft 1 mm above", [](calcdata_rec& r) { r.DraftMean = 9.501L; }, Only({DraftHigh})},
        {"trim at the head limit", [](calcdata_rec& r) { r.Trim = 1.0L; }, Only({})},
        {"trim beyond the head limit", [](calcdata_rec& r) { r.Trim = 1.001L; }, Only({TrimHeadHigh})},
        {"trim at the stern limit", [](calcdata_rec& r) { r.Trim = -2.0L; }, Only({})},
        {"trim beyond the stern limit", [](calcdata_rec& r) { r.Trim = -2.001L; }, Only({TrimSternHigh})},
        {"heel at the limit to port", [](calcdata_rec& r) { r.Heel = -3.0L; }, Only({})},
        {"heel beyond the limit to port", [](calcdata_rec& r) { r.Heel = -3.01L; }, Only({HeelHigh})},
        {"heel beyond the limit to starboard", [](calcdata_rec& r) { r.Heel = 3.01L; }, Only({HeelHigh})},
        {"GM at the maximum", [](calcdata_rec& r) { r.Stab.GMSolid = 4.0L; }, Only({})},
        {"GM above the maximum", [](calcdata_rec& r) { r.Stab.GMSolid = 4.001L; }, Only({GMHigh})},
        // The limits judge the forward perpendicular and the mean draft only.
        {"after draft deep", [](calcdata_rec& r) { r.DraftAP = 12.0L; }, Only({})},
    };
    for (const Case& c : cases) {
        SetUp();
        c.apply(s.CalcData);
        CheckWarnings(s);
        EXPECT_EQ(Warnings(), c.expected) << c.what;
    }
}

TEST_F(WarningFixture, MessagesComeInTheirOrderWithTheirTexts) {
    // Every warning at once, the grain one included.
    s.CalcData.DraftFP = 4.0L;
    s.CalcData.DraftMean = 10.0L;
    s.CalcData.Trim = 1.5L;
    s.CalcData.Heel = -4.0L;
    s.CalcData.Stab.GMSolid = 5.0L;
    s.CalcData.Displacement = 20200;  // 101 %
    s.Calc.AnyGrainMode = true;
    CheckWarnings(s);
    const std::vector<std::string> expected = {
        "It is the master's responsibility to observe, among others, the weather conditions and the draught at "
        "forward perpendicular during water ballast exchange operations,",
        "in particular when the forward draught during these operations is less than 5.000m(extreme)",
        "Waring : Draft over the limit",
        "Warning : Calculated trim is over the limit",
        "Warning : Calculated heel angle is over the limit",
        "Warning : Calculated GM is over the limit",
        "Warning : The Grain code requires the ship to be 'upright' at departure. The heel angel is not less "
        "than 0.5deg",
        "Warning : Displacement is over the limit",
    };
    EXPECT_EQ(s.StatusMessages, expected);
    EXPECT_FALSE(s.Calc.JudgementFlags[DisplacementOK]);

    // The next check starts from nothing: flags and messages of the earlier
    // condition do not linger.
    SetUp();
    s.Calc.AnyGrainMode = true;
    CheckWarnings(s);
    EXPECT_EQ(Warnings(), Only({}));
    EXPECT_TRUE(s.StatusMessages.empty());
    EXPECT_TRUE(s.Calc.JudgementFlags[DisplacementOK]);
}

TEST_F(WarningFixture, BothTrimWarningsGiveOneMessage) {
    // Crossed limits (head below stern) put any trim beyond both.
    s.Config.Limits[LimTrimLimitHead] = -1.0;
    s.Config.Limits[LimTrimLimitStern] = 1.0;
    s.CalcData.Trim = 0;
    CheckWarnings(s);
    EXPECT_EQ(Warnings(), Only({TrimHeadHigh, TrimSternHigh}));
    EXPECT_EQ(s.StatusMessages, std::vector<std::string>{"Warning : Calculated trim is over the limit"});
}

TEST_F(WarningFixture, ForwardDraftLineFollowsUnitAndDraughtReference) {
    struct Case {
        int lengthUnit;
        const char* reference;
        const char* expected;
    };
    const Case cases[] = {
        {0, "1", "in particular when the forward draught during these operations is less than 5.000m(extreme)"},
        {0, "0", "in particular when the forward draught during these operations is less than 5.000m(mould)"},
        {1, "1", "in particular when the forward draught during these operations is less than 16.404ft(extreme)"},
    };
    for (const Case& c : cases) {
        SetUp();
        s.Config.LengthUnit = c.lengthUnit;
        RefreshUnits(s.Config, s.Units);
        s.ShipInfo.Options[19].Text.set(c.reference);
        s.CalcData.DraftFP = 4.0L;
        CheckWarnings(s);
        ASSERT_EQ(s.StatusMessages.size(), 2u);
        EXPECT_EQ(s.StatusMessages[1], c.expected);
    }
}

TEST_F(WarningFixture, GrainUprightRule) {
    struct Case {
        double heel;
        bool grain;
        const char* option3;
        bool flag;
        bool message;
    };
    const Case cases[] = {
        {0.5, true, "2", false, false},   // exactly upright enough
        {0.51, true, "2", true, true},
        {-0.51, true, "2", true, true},   // either side
        {0.51, false, "2", false, false}, // no grain on board
        {0.51, true, "3", true, false},   // the flag stands, the message is suppressed
    };
    for (const Case& c : cases) {
        SetUp();
        s.CalcData.Heel = c.heel;
        s.Calc.AnyGrainMode = c.grain;
        s.ShipInfo.Options[3].Text.set(c.option3);
        CheckWarnings(s);
        EXPECT_EQ(s.Calc.WarningFlags[GrainNotUpright], c.flag) << c.heel << " " << c.option3;
        const bool shown = !s.StatusMessages.empty() && s.StatusMessages.back() == GrainNotUprightText;
        EXPECT_EQ(shown, c.message) << c.heel << " " << c.option3;
    }
}

TEST(DisplacementPercentTest, TruncatesAndGuardsAMissingMaximum) {
    struct Case {
        double disp, max;
        int percent;
    };
    const Case cases[] = {
        {10099, 10000, 100},  // 100.99 % passes
        {10100, 10000, 101},
        {10000, 10000, 100},
        {-50, 10000, 0},       // truncated toward zero
        {5000, 0, 0},          // no maximum known: no scale
        {5000, -1, 0},
        {1e30, 1, 1000000},    // held within an integer
    };
    for (const Case& c : cases) EXPECT_EQ(DisplacementPercent(c.disp, c.max), c.percent) << c.disp << "/" << c.max;
}

TEST_F(WarningFixture, DisplacementJudgement) {
    struct Case {
        double disp, max;
        bool ok;
    };
    const Case cases[] = {{20198, 20000, true}, {20200, 20000, false}, {99999, 0, true}};
    for (const Case& c : cases) {
        SetUp();
        s.CalcData.Displacement = c.disp;
        s.MaxDisplacement = c.max;
        CheckWarnings(s);
        EXPECT_EQ(s.Calc.JudgementFlags[DisplacementOK], c.ok) << c.disp;
        EXPECT_EQ(s.StatusMessages.empty(), c.ok) << c.disp;
    }
}

TEST_F(WarningFixture, CargoMassJudgementFollowsOptionZero) {
    struct Case {
        bool option0;
        std::optional<bool> check;
        bool ok;
    };
    const Case cases[] = {
        {false, std::nullopt, true}, {false, false, true},  // off: always passes
        {true, true, true},          {true, false, false},
        {true, std::nullopt, false},  // on but not checked: not a pass
    };
    for (const Case& c : cases) {
        SetUp();
        s.ShipInfo.Options[0].Enabled = c.option0;
        WarningInputs in;
        in.HoldMassCheck = c.check;
        CheckWarnings(s, in);
        EXPECT_EQ(s.Calc.JudgementFlags[CargoMassOK], c.ok);
    }
}

TEST_F(WarningFixture, FlagsOwnedByTheCalculationsAreLeftAlone) {
    s.Calc.JudgementFlags = {true, true, false, true, false, true, false, true};
    s.CalcData.Displacement = 30000;  // DisplacementOK false
    CheckWarnings(s);                 // option 0 off: CargoMassOK true
    const std::array<bool, 8> expected{true, true, false, true, false, true, true, true};
    EXPECT_EQ(s.Calc.JudgementFlags, expected);
}

TEST_F(WarningFixture, OnlineModeJudgesTheGaugedDrafts) {
    // The calculated condition breaks every draft limit; the gauges do not,
    // except where each case says.
    s.CalcData.DraftFP = 1.0L;
    s.CalcData.DraftMean = 15.0L;
    s.CalcData.Trim = 8.0L;
    s.CalcData.Heel = 20.0L;
    struct Case {
        GaugedDrafts g;
        double maxHeel;
        std::vector<bool> expected;
    };
    // A list of 0.1 m over 32 m is atan(0.1 / 32) = 0.179 degrees.
    const std::vector<Case> cases = {
        {{6.0, 6.0, 7.0, 7.1}, 0.18, Only({})},
        {{6.0, 6.0, 7.1, 7.0}, 0.17, Only({HeelHigh})},
        {{4.9, 5.0, 7.0, 7.0}, 3.0, Only({FwdDraftLow})},
        {{7.0, 6.0, 9.5, 9.6}, 3.0, Only({DraftHigh})},   // mean 9.55
        {{7.0, 5.9, 7.0, 7.0}, 3.0, Only({TrimHeadHigh})},  // 1.1 by the head
        {{5.0, 7.1, 7.0, 7.0}, 3.0, Only({TrimSternHigh})}, // 2.1 by the stern
    };
    for (const Case& c : cases) {
        s.Config.Limits[LimMaxHeel] = c.maxHeel;
        WarningInputs in;
        in.Online = c.g;
        CheckWarnings(s, in);
        EXPECT_EQ(Warnings(), c.expected) << c.g.ForeMid << " " << c.g.AfterMid << " " << c.g.MidPort;
    }
    // GM and the grain rule still judge the calculation.
    s.CalcData.Stab.GMSolid = 5.0L;
    s.Calc.AnyGrainMode = true;
    WarningInputs in;
    in.Online = GaugedDrafts{6.0, 6.0, 7.0, 7.0};
    CheckWarnings(s, in);
    EXPECT_EQ(Warnings(), Only({GMHigh, GrainNotUpright}));
}

TEST(JudgementLightsTest, StabilityAndStrengthLights) {
    const LedState green{LedColor::Green, LedColor::ButtonFace, false, true};
    const LedState red{LedColor::Red, LedColor::ButtonFace, true, true};
    struct Case {
        bool stability, grain, strength, cargoMass, ballastHold, fwdLow;
        bool stabilityGreen, strengthGreen;
    };
    const Case cases[] = {
        {true, true, true, true, false, false, true, true},
        {false, true, true, true, false, false, false, true},
        {true, false, true, true, false, false, false, true},
        {true, true, false, true, false, false, true, false},
        {true, true, true, false, false, false, true, false},
        {true, true, true, false, true, false, true, true},  // a ballasted hold excuses the hold masses
        {true, true, true, true, false, true, true, false},  // a low forward draft turns strength red
        {true, true, true, true, true, true, true, false},
    };
    for (const Case& c : cases) {
        CalcState calc;
        calc.JudgementFlags[StabilityOK] = c.stability;
        calc.JudgementFlags[GrainOK] = c.grain;
        calc.JudgementFlags[StrengthOK] = c.strength;
        calc.JudgementFlags[CargoMassOK] = c.cargoMass;
        calc.AnyBallastHold = c.ballastHold;
        calc.WarningFlags[FwdDraftLow] = c.fwdLow;
        EXPECT_EQ(StabilityLight(calc), c.stabilityGreen ? green : red);
        EXPECT_EQ(StrengthLight(calc), c.strengthGreen ? green : red);
    }
}

TEST(WarningHighlightsTest, FollowTheFlags) {
    CalcState calc;
    calc.WarningFlags[TrimSternHigh] = true;
    calc.WarningFlags[DraftHigh] = true;
    WarningHighlights h = HighlightsFromFlags(calc);
    EXPECT_TRUE(h.TrimRed);
    EXPECT_TRUE(h.MidshipDraftsAlarm);
    EXPECT_TRUE(h.MeanDraftRed);
    EXPECT_FALSE(h.ForwardDraftAlarm);
    EXPECT_FALSE(h.HeelRed);
    EXPECT_FALSE(h.GMRed);
}

TEST(WarningAlarmDialogTest, LightsShownByOptionsAndSetOnActivation) {
    shipinfo_rec ship;
    WarningAlarmDialogLogic dlg;
    dlg.FormCreate(ship);
    for (const LedState& l : dlg.Lights()) {
        EXPECT_EQ(l.OnColor, LedColor::Green);
        EXPECT_EQ(l.OffColor, LedColor::ButtonFace);
        EXPECT_FALSE(l.Flashing);
    }
    EXPECT_FALSE(dlg.Light(AlarmGrainStability).Visible);
    EXPECT_FALSE(dlg.Light(AlarmCargoMassLimit).Visible);
    EXPECT_TRUE(dlg.Light(AlarmIntactStability).Visible);

    ship.Options[0].Enabled = 1;
    ship.Options[1].Enabled = 1;
    dlg.FormCreate(ship);
    EXPECT_TRUE(dlg.Light(AlarmGrainStability).Visible);
    EXPECT_TRUE(dlg.Light(AlarmCargoMassLimit).Visible);

    CalcState calc;
    calc.JudgementFlags[StabilityOK] = true;
    calc.JudgementFlags[GrainOK] = false;
    calc.JudgementFlags[StrengthOK] = true;
    calc.JudgementFlags[CargoMassOK] = false;
    calc.WarningFlags[FwdDraftLow] = true;
    dlg.FormActivate(calc);
    EXPECT_FALSE(dlg.Light(AlarmIntactStability).Flashing);
    EXPECT_EQ(dlg.Light(AlarmIntactStability).OnColor, LedColor::Green);
    EXPECT_TRUE(dlg.Light(AlarmGrainStability).Flashing);
    EXPECT_EQ(dlg.Light(AlarmGrainStability).OnColor, LedColor::Red);
    EXPECT_EQ(dlg.Light(AlarmStrength).OnColor, LedColor::Green);
    EXPECT_EQ(dlg.Light(AlarmCargoMassLimit).OnColor, LedColor::Red);
    // The forward draft light is the other way round: red when the flag is set.
    EXPECT_EQ(dlg.Light(AlarmMinForwardDraft).OnColor, LedColor::Red);
    EXPECT_TRUE(dlg.Light(AlarmMinForwardDraft).Flashing);
    EXPECT_TRUE(dlg.Light(AlarmGrainStability).Visible);

    // A later activation shows the flags as they are then.
    calc.AnyBallastHold = true;
    calc.WarningFlags[FwdDraftLow] = false;
    dlg.FormActivate(calc);
    EXPECT_EQ(dlg.Light(AlarmCargoMassLimit).OnColor, LedColor::Green);
    EXPECT_EQ(dlg.Light(AlarmMinForwardDraft).OnColor, LedColor::Green);
    EXPECT_FALSE(dlg.Light(AlarmMinForwardDraft).Flashing);
}

}  // namespace
