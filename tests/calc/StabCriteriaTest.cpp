// The criteria table: texts, visibility, the judgement on the values as
// shown, the range verdict, the limiting GM/KG lookups and the lever table.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/StabProc.h"
#include "calc/StabilityTables.h"
#include "StabFixture.h"

using namespace stabtest;
using kv::Extended;

namespace {

// A condition that meets every general criterion comfortably.
void GoodCondition(kv::KvState& s) {
    auto& st = s.CalcData.Stab;
    st.FloodAngle = 45;
    st.Area30 = 0.2;
    st.Area40 = 0.35;
    st.Area30to40 = 0.15;
    st.GZ30 = 1.0;
    st.MaxGZAngle = 35;
    st.GoM = 1.5;
    s.CalcData.VCG = 8;
    s.CalcData.AreaA = 0.1;
    s.CalcData.AreaB = 0.2;
}

const kv::stabcriterion_rec& Row(const kv::KvState& s, int row) { return s.Calc.StabilityCriteria.at(size_t(row) - 1); }

TEST(StabCriteria, RowsShownByTheirOptionsWithNamesSignsAndUnits) {
    kv::KvState s;
    GoodCondition(s);
    s.ShipInfo.Options[6].Enabled = 1;
    s.ShipInfo.Options[14].Enabled = 1;
    kv::FillCriteria(s);
    ASSERT_EQ(s.Calc.StabilityCriteria.size(), 15u);
    EXPECT_EQ(Row(s, 2).Name, "Area under GZ to 30deg ");
    EXPECT_EQ(Row(s, 2).Sign, ">");
    EXPECT_EQ(Row(s, 2).Unit, "m-rad");
    EXPECT_EQ(Row(s, 2).Actual, "0.200");
    EXPECT_EQ(Row(s, 2).Allow, "0.055");
    EXPECT_EQ(Row(s, 6).Allow, "25.000");
    EXPECT_EQ(Row(s, 1).Allow, "");
    EXPECT_EQ(Row(s, 1).Judge, "");
    EXPECT_EQ(Row(s, 8).Actual, "2.000");
    EXPECT_EQ(Row(s, 10).Sign, "<");
    for (int row : {9, 11, 12, 13, 14, 15}) {
        EXPECT_FALSE(Row(s, row).Shown) << row;
        EXPECT_EQ(Row(s, row).Name, "") << row;
        EXPECT_EQ(Row(s, row).Sign, "") << row;
        EXPECT_EQ(Row(s, row).Judge, "") << row;
    }
    // Option 14 on without a limiting table: the allowable KG reads 0 and the row fails.
    EXPECT_EQ(Row(s, 10).Allow, "0.000");
    EXPECT_EQ(Row(s, 10).Judge, "NOT OK");
    EXPECT_TRUE(Row(s, 10).Red);
    EXPECT_FALSE(s.Calc.JudgementFlags[kv::StabilityOK]);
    s.ShipInfo.Options[14].Enabled = 0;
    kv::FillCriteria(s);
    EXPECT_TRUE(s.Calc.JudgementFlags[kv::StabilityOK]);
    for (int row = 2; row <= 8; ++row) EXPECT_EQ(Row(s, row).Judge, "OK") << row;
}

TEST(StabCriteria, JudgedOnTheValuesAsShown) {
    struct Case {
        int row;
        double value;
        const char* shown;
        const char* judge;
    } cases[] = {
        {2, 0.05496, "0.055", "OK"},      // below 0.055, shown as 0.055
        {2, 0.05449, "0.054", "NOT OK"},  //
        {3, 0.0895, "0.090", "OK"},       //
        {4, 0.02949, "0.029", "NOT OK"},  //
        {5, 0.1996, "0.200", "OK"},       //
        {6, 24.9996, "25.000", "OK"},     //
        {6, 24.9994, "24.999", "NOT OK"}, //
        {7, 0.1499, "0.150", "OK"},       //
        {7, -0.2, "-0.200", "NOT OK"},    //
        {8, 0.9996, "1.000", "OK"},       // AreaB / AreaA
    };
    for (const Case& k : cases) {
        kv::KvState s;
        GoodCondition(s);
        s.ShipInfo.Options[6].Enabled = 1;
        auto& st = s.CalcData.Stab;
        Extended* field[] = {nullptr, nullptr, &st.Area30, &st.Area40, &st.Area30to40, &st.GZ30, &st.MaxGZAngle, &st.GoM};
        if (k.row == 8)
            s.CalcData.AreaB = -k.value * double(s.CalcData.AreaA);  // the ratio is taken without sign
        else
            *field[k.row] = k.value;
        kv::FillCriteria(s);
        EXPECT_EQ(Row(s, k.row).Actual, k.shown) << k.row << " " << k.value;
        EXPECT_EQ(Row(s, k.row).Judge, k.judge) << k.row << " " << k.value;
        EXPECT_EQ(Row(s, k.row).Red, std::string(k.judge) == "NOT OK");
        EXPECT_EQ(s.Calc.JudgementFlags[kv::StabilityOK], std::string(k.judge) == "OK");
    }
    kv::KvState s;
    GoodCondition(s);
    s.ShipInfo.Options[6].Enabled = 1;
    s.CalcData.AreaA = 0;  // no area a: the weather row shows 0 and fails
    kv::FillCriteria(s);
    EXPECT_EQ(Row(s, 8).Actual, "0.000");
    EXPECT_EQ(Row(s, 8).Judge, "NOT OK");
}

TEST(StabCriteria, TableExcursionPutsEveryRowOutOfRangeUnlessOption21) {
    kv::KvState s;
    GoodCondition(s);
    s.Tables.TableRangeExceeded = true;
    kv::FillCriteria(s);
    for (const auto& r : s.Calc.StabilityCriteria) {
        EXPECT_EQ(r.Judge, "OUT OF RANGE") << r.Row;
        EXPECT_TRUE(r.Red);
    }
    EXPECT_FALSE(s.Calc.JudgementFlags[kv::StabilityOK]);
    EXPECT_TRUE(s.Calc.StabilityRangeExceeded);
    s.ShipInfo.Options[21].Enabled = 1;
    kv::FillCriteria(s);
    EXPECT_EQ(Row(s, 2).Judge, "OK");
    EXPECT_TRUE(s.Calc.JudgementFlags[kv::StabilityOK]);
}

TEST(StabCriteria, DisplayUnitsScaleLengthsAndAreas) {
    kv::KvState s;
    GoodCondition(s);
    s.Units.UnitFactors[kv::UnitLength] = 1 / 0.3048L;
    s.Units.UnitNames[kv::UnitLength] = "ft";
    kv::FillCriteria(s);
    EXPECT_EQ(Row(s, 2).Unit, "ft-rad");
    EXPECT_EQ(Row(s, 2).Allow, "0.180");
    EXPECT_EQ(Row(s, 7).Actual, "4.921");
    EXPECT_EQ(Row(s, 6).Allow, "25.000");  // angles stay in degrees
}

TEST(StabCriteria, DeckEdgeAndSteadyWindRows) {
    kv::KvState s;
    SetCurve(s, 7, [](double a) { return 1.2 * std::sin(Rad(a)); });
    s.ShipInfo.Options[17].Enabled = 1;
    s.ShipInfo.Options[18].Enabled = 1;
    kv::BuildGZCurve(s, 0);
    s.CalcData.Theta0 = 3;
    kv::FillCriteria(s);
    // No immersion table: the deck edge at the side, atan(2 (10 - 4) / 20) = 30.964 degrees.
    EXPECT_EQ(Row(s, 15).Actual, "30.964");
    EXPECT_EQ(Row(s, 14).Allow, "16.000");  // 0.8 x 30.964 is beyond 16
    EXPECT_EQ(Row(s, 14).Judge, "OK");
    EXPECT_EQ(Row(s, 13).Allow, "16.000");
    EXPECT_EQ(Row(s, 13).Actual, "0.000");  // no wind table: no wind heel
    s.CalcData.DraftMean = 8;  // deck edge at atan(0.2) = 11.310 degrees
    s.CalcData.Theta0 = 9.2;
    kv::FillCriteria(s);
    EXPECT_EQ(Row(s, 15).Actual, "11.310");
    EXPECT_EQ(Row(s, 14).Allow, "9.048");
    EXPECT_EQ(Row(s, 14).Judge, "NOT OK");
    EXPECT_EQ(Row(s, 13).Allow, "9.048");
}

TEST(StabCriteria, LimitingGMAndKGLookups) {
    kv::KvState s;
    auto& tabs = s.ShipInfo.ShipTables.Tables;
    tabs[kv::GMLimitTableSlot] = MakeTable({"DISP", "MINGM", "MAXKG"}, {"-1", "1"}, 2, [](int l, int j, int r) {
        if (j == 1) return r == 1 ? 5000.0 : 15000.0;
        return (j == 2 ? 0.5 : 9.0) + (r - 1) * 0.2 + (l - 1) * 0.1;
    });
    tabs[kv::GMLimitDamTableSlot] = MakeTable({"DRAFT", "MINGM", "KGDAM"}, {"0"}, 2, [](int, int j, int r) {
        if (j == 1) return r == 1 ? 2.0 : 8.0;
        return (j == 2 ? 1.0 : 7.0) + (r - 1) * 0.6;
    });
    tabs[kv::HydroTableSlot] = MakeTable({"DISP", "DRAFT"}, {"0"}, 2, [](int, int j, int r) {
        return j == 1 ? (r == 1 ? 2000.0 : 20000.0) : (r == 1 ? 2.0 : 8.0);
    });
    for (int o : {7, 14, 15, 16}) EXPECT_EQ(kv::GMLimitValue(s, o, 10000, 0), 0) << "option " << o << " off";
    for (int o : {7, 14, 15, 16}) s.ShipInfo.Options[size_t(o)].Enabled = 1;
    EXPECT_NEAR(double(kv::GMLimitValue(s, 7, 10000, 0)), 0.65, 1e-9);   // between rows and trims
    EXPECT_NEAR(double(kv::GMLimitValue(s, 14, 15000, 1)), 9.3, 1e-9);
    EXPECT_EQ(kv::GMLimitValue(s, 8, 10000, 0), 0);
    // The intact table has "DISP", so the damage table is asked by "DISP" too,
    // which it does not have.
    EXPECT_EQ(kv::GMLimitValue(s, 15, 10000, 0), 0);
    // Without "DISP" in the intact table the damage table is read by draft.
    tabs[kv::GMLimitTableSlot] = kv::xyztable_rec{};
    EXPECT_NEAR(double(kv::GMLimitValue(s, 16, 11000, 0)), 7.3, 1e-9);  // draft 5
    EXPECT_EQ(kv::GMLimitValue(s, 7, 11000, 0), 0);                     // no key column
    EXPECT_FALSE(s.Tables.TableRangeExceeded);
    kv::GMLimitValue(s, 16, 30000, 0);
    EXPECT_TRUE(s.Tables.TableRangeExceeded);
}

TEST(StabCriteria, LeverTableTexts) {
    kv::KvState s;
    SetCurve(s, 7, [](double a) { return std::sin(Rad(a)); });
    kv::BuildGZCurve(s, 0);
    auto t = kv::LeverTable(s);
    ASSERT_EQ(t.size(), 3u);
    ASSERT_EQ(t[0].size(), Angles().size() + 2);
    EXPECT_EQ(t[0][0], "Angle");
    EXPECT_EQ(t[0][1], "0");
    EXPECT_EQ(t[0][2], "5.0");
    EXPECT_EQ(t[1][0], "KN");
    EXPECT_EQ(t[2][0], "GoZ");
    EXPECT_EQ(t[2][1], "0.000");
    EXPECT_EQ(t[2][7], "0.500");  // 30 degrees
    EXPECT_EQ(t[1][7], "4.000");  // 0.5 + 7 sin 30
    s.ShipInfo.CrossCurveKG = 5;
    EXPECT_EQ(kv::LeverTable(s)[1][0], "GaZ");
}

TEST(StabCriteria, GridGeometry) {
    EXPECT_EQ(kv::CriteriaColumnWidths(800), (std::array<int, 6>{300, 100, 50, 100, 100, 150}));
    EXPECT_EQ(kv::CriteriaColumnWidths(161), (std::array<int, 6>{60, 20, 10, 20, 20, 30}));
    kv::KvState s;
    kv::FillCriteria(s);  // options 6..18 off: rows 8..15 hidden, 8 rows shown with the header
    EXPECT_EQ(kv::CriteriaRowHeight(400, s.Calc.StabilityCriteria), 50);
}

}  // namespace
