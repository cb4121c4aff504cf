// The strength read-out table and the charts as data, on the box barge with
// a load over the middle 20 m (midship BM -10000 t-m).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "StrengthBarge.h"
#include "calc/ShearCorrection.h"

using namespace kv;
using kvtest::StrengthBarge;

namespace {

readout_rec Readout(double frame, int side) {
    readout_rec r;
    r.Frame = frame;
    r.Side = side;
    return r;
}

struct LoadedBarge : StrengthBarge {
    LoadedBarge() {
        State.ShipInfo.ClassAllow.readouts = {Readout(10, 0), Readout(50, 0), Readout(60, -1), Readout(101, 0)};
        State.Units.UnitNames[UnitWeight] = "Mt";
        State.Units.UnitNames[UnitLength] = "m";
        AddCargo(1000, 50, 40, 60);
        Run();
    }
};

double Integral(const ChartSeries& c) {
    double a = 0;
    for (size_t i = 0; i + 1 < c.Points.size(); i += 2)
        a += (c.Points[i].Y + c.Points[i + 1].Y) / 2 * (c.Points[i + 1].X - c.Points[i].X);
    return a;
}

const ChartSeries* Curve(const ChartData& c, const std::string& label) {
    for (const ChartSeries& s : c.Curves)
        if (s.Label == label) return &s;
    return nullptr;
}

}  // namespace

TEST(StrengthGrid, ReadOutPointsInDisplayUnits) {
    for (double wf : {1.0, 0.5}) {
        LoadedBarge b;
        b.State.Units.UnitFactors[UnitWeight] = wf;
        const GridData g = FillStrengthGrid(b.State);
        ASSERT_EQ(g.Cells.size(), 2u + 4u + 2u);
        EXPECT_EQ(g.FixedRows, 2);
        EXPECT_EQ(g.ColWidths, (std::vector<int>{55, 50, 50, 40, 50, 55, 50, 40, 50}));
        EXPECT_EQ(g.Cells[0][1], "Shear Force");
        EXPECT_EQ(g.Cells[0][6], "Bending Moment");
        EXPECT_EQ(g.Cells[1], (std::vector<std::string>{"fr.no", "Actual[Mt]", "Corr[Mt]", "Allow(%)", "Allow[Mt]",
                                                         "fr.no", "Actual[Mt-m]", "Allow(%)", "Allow[Mt-m]"}));
        const sfbmseg_rec* mid = b.At(50);
        ASSERT_NE(mid, nullptr);
        // Midship, start of the interval at frame 50.
        const auto& r50 = g.Cells[3];
        EXPECT_EQ(r50[0], "50.0");
        EXPECT_EQ(r50[5], "50.0");
        EXPECT_EQ(r50[6], FormatC("%.0f", double(mid->Intact.BM.At1) * wf));
        EXPECT_NEAR(std::stod(r50[6]), -10000 * wf, 100 * wf);
        EXPECT_EQ(r50[7], FormatC("%.1f", double(mid->Intact.BMPercent.At1)));
        EXPECT_EQ(r50[8], FormatC("%.0f", -20000 * wf));
        EXPECT_EQ(r50[4], FormatC("%.0f", double(mid->Intact.SFAllow.At1) * wf));
        // Frame 60, side -1: the end of the interval before it.
        const sfbmseg_rec* before60 = b.At(59);
        EXPECT_EQ(g.Cells[4][1], FormatC("%.0f", double(before60->Intact.SF.At2) * wf));
        EXPECT_NEAR(std::stod(g.Cells[4][1]), 400 * wf, 1);  // W (L - a) / (2L) by symmetry
        // Without the correction the corrected column repeats the SF.
        EXPECT_EQ(g.Cells[4][2], g.Cells[4][1]);
        // A frame that names no interval (forward of the hull): only its
        // frame numbers.
        EXPECT_EQ(g.Cells[5][0], "101.0");
        EXPECT_EQ(g.Cells[5][1], "");
        EXPECT_EQ(g.Cells[5][6], "");
        // The extremes: the largest BM at midship.
        EXPECT_EQ(g.Cells[6][5], "MAX ACT / 50.0");
        EXPECT_EQ(g.Cells[7][5], "MAX ALL / 50.0");
        EXPECT_TRUE(g.Cells[6][0] == "MAX ACT / 40.0" || g.Cells[6][0] == "MAX ACT / 60.0") << g.Cells[6][0];
    }
}

TEST(StrengthGrid, CorrectedColumnShowsTheValueNearerTheActualSF) {
    struct Case {
        double here, before;  // offsets of the corrected SF from the actual SF
        double shown;
    };
    const Case cases[] = {{30, -10, -10}, {5, -40, 5}, {20, -20, -20}};  // a tie shows the interval before
    for (const Case& c : cases) {
        LoadedBarge b;
        sfbmseg_rec* here = b.State.Strength.Find("50.000");
        sfbmseg_rec* before = b.State.Strength.Find("49.000");
        const double sf = double(here->Intact.SF.At1);
        here->Intact.CorrSF.At1 = sf + c.here;
        before->Intact.CorrSF.At2 = sf + c.before;
        const GridData g = FillStrengthGrid(b.State);
        EXPECT_EQ(g.Cells[3][2], FormatC("%.0f", sf + c.shown)) << c.here << " " << c.before;
    }
}

TEST(StrengthGrid, PercentagesOfTheCorrectedSFWhenTheCorrectionIsOn) {
    LoadedBarge b;
    b.State.ShipInfo.Options[OptionSFCorrectionMethod].Enabled = 1;
    b.State.ShipInfo.Options[OptionSFCorrectionMethod].Text.set("2");
    sfbmseg_rec* mid = b.State.Strength.Find("50.000");
    mid->Intact.CorrSFPercent.At1 = 123.4;
    mid->Intact.SFPercent.At1 = 1.0;
    EXPECT_EQ(FillStrengthGrid(b.State).Cells[3][3], "123.4");
    b.State.ShipInfo.Options[OptionSFCorrectionMethod].Enabled = 0;
    EXPECT_EQ(FillStrengthGrid(b.State).Cells[3][3], "1.0");
}

TEST(StrengthGrid, FloodedTableReadsTheFloodedValues) {
    LoadedBarge b;
    // A flooded run with 500 t more over 20..30 m.
    StrengthRun run = IntactStrengthRun(b.State, ConditionPort);
    run.Flooded = true;
    DistributeDeadweight(b.State, {StrengthLoad{500, 25, 20, 30}});
    ComputeBuoyancy(b.State, run);
    BalanceStrength(b.State, run);
    const GridData intact = FillStrengthGrid(b.State, false);
    const GridData flooded = FillStrengthGrid(b.State, true);
    const sfbmseg_rec* mid = b.At(50);
    EXPECT_EQ(flooded.Cells[3][6], FormatC("%.0f", double(mid->Flooded.BM.At1)));
    EXPECT_EQ(intact.Cells[3][6], FormatC("%.0f", double(mid->Intact.BM.At1)));
    EXPECT_NE(flooded.Cells[3][6], intact.Cells[3][6]);
}

TEST(StrengthGrid, ChartCurvesAndLegend) {
    LoadedBarge b;
    const ChartData c = StrengthChart(b.State, false);
    EXPECT_EQ(c.Captions, (std::vector<std::string>{"Weight Distribution ", "Shear Force ", "Bending Moment ", "Frame"}));
    const ChartSeries* weight = Curve(c, "Weight");
    const ChartSeries* buoy = Curve(c, "Buoy.");
    const ChartSeries* bm = Curve(c, "B.M.");
    ASSERT_TRUE(weight && buoy && bm && Curve(c, "S.F."));
    // Weight and balanced buoyancy both add up to the displacement.
    EXPECT_NEAR(Integral(*weight), b.Displacement(), 1e-6);
    EXPECT_NEAR(Integral(*buoy), b.Displacement(), 1e-6);
    double lowest = 0;
    for (const TPoint2D& p : bm->Points) lowest = std::min(lowest, p.Y);
    EXPECT_NEAR(lowest, -10000, 100);
    ASSERT_EQ(c.Limits.size(), 4u);
    ASSERT_EQ(c.Legend.size(), 3u);
    EXPECT_EQ(c.Legend[0].rfind("Max SF:", 0), 0u);
    EXPECT_EQ(c.Legend[1].rfind("Max C.SF:", 0), 0u);
    EXPECT_EQ(c.Legend[2].rfind("Max BM:", 0), 0u);
    EXPECT_NE(c.Legend[2].find("[fr50.0]"), std::string::npos) << c.Legend[2];
    ASSERT_EQ(c.Ticks.size(), 4u);
    EXPECT_DOUBLE_EQ(double(c.Ticks[1].first), 50);
    EXPECT_EQ(c.Ticks[1].second, "50.0");

    const ChartData p = StrengthChart(b.State, true);
    EXPECT_EQ(p.Captions, (std::vector<std::string>{"Shear Force & Bending Moment Allow(%) "}));
    ASSERT_EQ(p.Legend.size(), 3u);
    EXPECT_EQ(p.Legend[2].rfind("Max BM(%):", 0), 0u);
    EXPECT_NE(p.Legend[2].find("%"), std::string::npos);
    const ChartSeries* pct = Curve(p, "B.M.");
    ASSERT_NE(pct, nullptr);
    double highestPct = 0;
    for (const TPoint2D& q : pct->Points) highestPct = std::max(highestPct, q.Y);
    EXPECT_NEAR(highestPct, 50, 0.5);  // -10000 of -20000
}
