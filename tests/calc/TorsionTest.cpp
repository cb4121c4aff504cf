// Torsional moment: heeling moments spread along hand-made strength
// intervals, the running torsional moment against the uniform counter-moment,
// allowables, extremes, the read-out table and the charts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "calc/Torsion.h"
#include "numerics/Formats.h"

using kv::Extended;

namespace {

constexpr double kLOA = 140;
// The three weights every condition carries: W * TCG each, and the uniform
// moment spread over the length overall.
constexpr double kFixed1 = 100.0 * -12.223, kFixed2 = 280.0 * -11.945, kFixed3 = 280.0 * -11.945;
constexpr double kFixedTotal = kFixed1 + kFixed2 + kFixed3;
constexpr double kUniform = 1122.845;

// Intervals between the stations (frame number = position), as the strength
// stations would leave them.
void SetStations(kv::KvState& s, const std::vector<double>& x) {
    s.ShipInfo.LOA = kLOA;
    s.Strength.Intervals.clear();
    s.Strength.IntervalIndex.clear();
    for (size_t i = 1; i < x.size(); ++i) {
        kv::sfbmseg_rec iv;
        iv.StartFrame = x[i - 1];
        iv.Key = kv::FormatFloat("0.000", x[i - 1]);
        iv.X1 = x[i - 1];
        iv.X2 = x[i];
        iv.Length = x[i] - x[i - 1];
        s.Strength.IntervalIndex.emplace(iv.Key, s.Strength.Intervals.size());
        s.Strength.Intervals.push_back(iv);
    }
}

std::vector<double> Uniform(double from, double to, double step) {
    std::vector<double> x;
    for (double v = from; v <= to + 1e-9; v += step) x.push_back(v);
    return x;
}

// Stations at every end of the fixed weights.
const std::vector<double> kItemStations{0, 20, 41.83, 49.73, 70, 85.28, 93.18, 110, 129.52, 133.47, 140};

double TotalHeel(const kv::KvState& s) {
    double h = 0;
    for (const auto& iv : s.Strength.Intervals) h += double(iv.HeelMoment.At1);
    return h;
}

// The TM where the interval starting at x begins.
double TMAt(const kv::KvState& s, double x) {
    const auto* iv = s.Strength.Find(kv::FormatFloat("0.000", x));
    EXPECT_NE(iv, nullptr) << x;
    return iv ? double(iv->TM.At1) : NAN;
}

TEST(Torsion, EmptyConditionCarriesTheFixedWeightsAndTheUniformMoment) {
    // The same answers whether or not stations fall on the ends of the fixed
    // weights: a weight partly inside an interval gives it its share.
    for (const auto& stations : {kItemStations, Uniform(0, 140, 10)}) {
        SCOPED_TRACE(stations.size());
        kv::KvState s;
        SetStations(s, stations);
        kv::CalcTorsion(s);
        const double H = kFixedTotal - kUniform;
        EXPECT_NEAR(TotalHeel(s), H, 1e-9);
        EXPECT_NEAR(double(s.CalcData.Strength.Torsion.TotalHeelMoment), H, 1e-9);
        EXPECT_TRUE(s.CalcData.Strength.Torsion.Computed);
        // TM(x) = -(moment aft of x) + x H / LOA; at 70 m only the aftmost
        // fixed weight lies aft, at 110 m two of them.
        EXPECT_NEAR(TMAt(s, 70), -(kFixed3 - 70 * kUniform / kLOA) + 70 * H / kLOA, 1e-9);
        EXPECT_NEAR(TMAt(s, 110), -(kFixed3 + kFixed2 - 110 * kUniform / kLOA) + 110 * H / kLOA, 1e-9);
        EXPECT_NEAR(double(s.Strength.Intervals.back().TM.At2), 0, 1e-9);
        for (const auto& iv : s.Strength.Intervals) EXPECT_EQ(iv.HeelMoment.At1, iv.HeelMoment.At2);
    }

    // An interval wholly inside a weight takes W TCG l / (f - a).
    kv::KvState s;
    SetStations(s, {0, 41.83, 45, 49.73, 140});
    kv::CalcTorsion(s);
    EXPECT_NEAR(double(s.Strength.Intervals[1].HeelMoment.At1), kFixed3 * 3.17 / 7.9 - 3.17 * kUniform / kLOA, 1e-9);
}

TEST(Torsion, ForwardEndClosesOnlyWhenTheIntervalsCoverTheLengthOverall) {
    for (double end : {140.0, 135.0, 130.0}) {
        kv::KvState s;
        SetStations(s, Uniform(0, end, 5));
        kv::CalcTorsion(s);
        const double H = TotalHeel(s);
        EXPECT_NEAR(double(s.Strength.Intervals.back().TM.At2), H * (end - kLOA) / kLOA, 1e-9) << end;
        if (end < 133.47) {
            EXPECT_NE(double(s.Strength.Intervals.back().TM.At2), 0);
        }
    }
    // A ship without a length overall gets no uniform or counter moment
    // (and no division by zero).
    kv::KvState s;
    SetStations(s, kItemStations);
    s.ShipInfo.LOA = 0;
    kv::CalcTorsion(s);
    EXPECT_NEAR(TotalHeel(s), kFixedTotal, 1e-9);
    EXPECT_TRUE(std::isfinite(double(s.Strength.Intervals.back().TM.At2)));
}

TEST(Torsion, EveryKindOfWeightItemAddsItsTransverseMoment) {
    struct Case {
        const char* what;
        double weight, tcg, aft, fore;
        double expected;  // change of the total heeling moment
    } cases[] = {
        {"bale", 50, 3, 10, 30, 150},
        {"tank", 80, -2.5, 20, 40, -200},
        {"container", 30, 4, 60, 66, 120},
        {"panel", 10, -1, 95, 105, -10},
        {"empty tank", 0, 5, 20, 40, 0},
        {"empty container", 0, 5, 60, 66, 0},
        {"zero-length bale", 50, 3, 30, 30, 0},
        {"negative bale", -50, 3, 10, 30, 0},
    };
    kv::KvState base;
    SetStations(base, kItemStations);
    kv::CalcTorsion(base);
    const double empty = TotalHeel(base);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        kv::KvState s;
        SetStations(s, Uniform(0, 140, 7));  // stations off the item ends on purpose
        const std::string what = c.what;
        if (what.find("bale") != std::string::npos) {
            kv::balecargo_rec b;
            b.Weight = c.weight;
            b.TCG = c.tcg;
            b.AftX = c.aft;
            b.ForeX = c.fore;
            s.LoadData.BaleList.push_back(b);
        } else if (what.find("tank") != std::string::npos) {
            kv::tank_rec t;
            t.AftEnd = c.aft;
            t.ForeEnd = c.fore;
            s.TankGroup.Groups[2].Tanks = {kv::tank_rec{}, t};
            s.CalcData.Summaries[3].Items.resize(2);
            s.CalcData.Summaries[3].Items[0].Weight = 0;  // an empty first tank
            s.CalcData.Summaries[3].Items[1].Weight = c.weight;
            s.CalcData.Summaries[3].Items[1].TCG = c.tcg;
        } else if (what.find("container") != std::string::npos) {
            kv::container_rec k;
            k.weight = float(c.weight);
            k.tcg = c.tcg;
            k.aft_x = c.aft;
            k.fwd_x = c.fore;
            s.LoadData.BayLists = {{}, {k}};
        } else {
            kv::panel_rec p;
            p.weight = c.weight;
            p.tcg = c.tcg;
            p.aft_x = c.aft;
            p.fwd_x = c.fore;
            s.PanelList.push_back(p);
        }
        kv::CalcTorsion(s);
        EXPECT_NEAR(TotalHeel(s) - empty, c.expected, 1e-9);
        EXPECT_NEAR(double(s.Strength.Intervals.back().TM.At2), 0, 1e-9);
    }
}

// Sets the limits of one condition at every interval end to the magnitude
// of the TM found there (negative limit for a negative TM), times scale.
void LimitsAtTM(kv::KvState& s, int k, double scale) {
    for (auto& iv : s.Strength.Intervals) {
        auto& a = iv.IntactAllow[size_t(k)];
        a.TMFirst = {-std::fabs(iv.TM.At1) * scale, -std::fabs(iv.TM.At2) * scale};
        a.TMSecond = {std::fabs(iv.TM.At1) * scale, std::fabs(iv.TM.At2) * scale};
    }
}

TEST(Torsion, AllowablesPercentagesExtremesAndTheFlag) {
    kv::KvState s;
    SetStations(s, kItemStations);
    kv::CalcTorsion(s);
    // No limits at all: zero allowables give percentages of 0, which pass.
    EXPECT_TRUE(s.Calc.JudgementFlags[kv::TorsionOK]);
    EXPECT_EQ(s.Strength.Intervals[2].TMPercent.At1, 0);
    EXPECT_NE(s.Strength.Intervals[2].TM.At1, 0);

    // Limits equal to the TM: every percentage exactly 100, which passes.
    LimitsAtTM(s, kv::ConditionSea, 1);
    kv::CalcTorsion(s);
    const auto& sum = s.CalcData.Strength.Torsion;
    EXPECT_TRUE(sum.WithinLimits);
    EXPECT_TRUE(s.Calc.JudgementFlags[kv::TorsionOK]);
    for (size_t i = 0; i + 1 < s.Strength.Intervals.size(); ++i) {
        const auto& iv = s.Strength.Intervals[i];
        for (auto [tm, pct, allow] : {std::tuple{iv.TM.At1, iv.TMPercent.At1, iv.TMAllow.At1},
                                      std::tuple{iv.TM.At2, iv.TMPercent.At2, iv.TMAllow.At2}}) {
            if (tm == 0) continue;
            EXPECT_NEAR(double(pct), 100, 1e-12);
            EXPECT_EQ(allow > 0, tm > 0);  // the limit on the side of the TM
        }
    }

    // The largest |TM| over both ends of every interval but the last, with
    // the frame of the next interval's start for an end.
    double best = -1, bestFrame = 0, bestPos = 0;
    const auto& ivs = s.Strength.Intervals;
    for (size_t i = 0; i + 1 < ivs.size(); ++i) {
        if (std::fabs(ivs[i].TM.At1) >= best) best = std::fabs(ivs[i].TM.At1), bestFrame = ivs[i].StartFrame, bestPos = ivs[i].X1;
        if (std::fabs(ivs[i].TM.At2) >= best) best = std::fabs(ivs[i].TM.At2), bestFrame = ivs[i + 1].StartFrame, bestPos = ivs[i].X2;
    }
    EXPECT_NEAR(std::fabs(double(sum.MaxTM.Value)), best, 1e-9);
    EXPECT_EQ(double(sum.MaxTM.Frame), bestFrame);
    EXPECT_EQ(double(sum.MaxTM.Pos), bestPos);
    EXPECT_NEAR(double(sum.MaxTM.Percent), 100, 1e-12);

    // One end a little over its limit fails and is the largest percentage.
    kv::sfbmseg_rec& third = s.Strength.Intervals[3];
    (third.TM.At1 >= 0 ? third.IntactAllow[0].TMSecond.At1 : third.IntactAllow[0].TMFirst.At1) *= 0.99;
    kv::CalcTorsion(s);
    EXPECT_FALSE(sum.WithinLimits);
    EXPECT_FALSE(s.Calc.JudgementFlags[kv::TorsionOK]);
    EXPECT_NEAR(double(sum.MaxTMPct.Percent), 100 / 0.99, 1e-9);
    EXPECT_EQ(double(sum.MaxTMPct.Frame), double(third.StartFrame));
    EXPECT_EQ(sum.MaxTMPct.Value, third.TM.At1);

    // The harbour condition reads its own limits: twice the TM gives 50 %.
    LimitsAtTM(s, kv::ConditionPort, 2);
    s.LoadData.VoyageCond = kv::ConditionPort;
    kv::CalcTorsion(s);
    EXPECT_TRUE(sum.WithinLimits);
    EXPECT_NEAR(double(sum.MaxTMPct.Percent), 50, 1e-12);
    // The explicit selector overrides the condition's.
    kv::CalcTorsion(s, kv::ConditionSea);
    EXPECT_FALSE(sum.WithinLimits);
}

TEST(Torsion, ReadOutTableInDisplayUnits) {
    kv::KvState s;
    SetStations(s, kItemStations);
    s.Units.UnitFactors[kv::UnitWeight] = 2;
    s.Units.UnitFactors[kv::UnitLength] = 3;
    s.Units.UnitNames[kv::UnitWeight] = "LT";
    s.Units.UnitNames[kv::UnitLength] = "ft";
    kv::readout_rec atStart, atEnd, nowhere;
    atStart.Frame = 70;
    atStart.Side = 0;
    atEnd.Frame = 70;
    atEnd.Side = -1;
    nowhere.Frame = 71;
    s.ShipInfo.ClassAllow.readouts = {atStart, atEnd, nowhere};
    kv::CalcTorsion(s);
    LimitsAtTM(s, kv::ConditionSea, 4);
    kv::CalcTorsion(s);

    const kv::GridData g = kv::FillTorsionGrid(s);
    ASSERT_EQ(g.Cells.size(), 2u + 3u + 2u);
    EXPECT_EQ(g.FixedRows, 2);
    EXPECT_EQ(g.ColWidths, (std::vector<int>{40, 50, 50, 40, 50}));
    EXPECT_EQ(g.Cells[0][1], "Torsional Moment");
    EXPECT_EQ(g.Cells[1], (std::vector<std::string>{"fr.no", "Heel[LT-ft]", "Torsional[LT-ft]", "Allow(%)",
                                                      "Allow[LT-ft]"}));
    const auto* iv = s.Strength.Find("70.000");
    const auto& before = s.Strength.Intervals[s.Strength.IntervalIndex.at("70.000") - 1];
    ASSERT_NE(iv, nullptr);
    EXPECT_EQ(g.Cells[2], (std::vector<std::string>{"70.0", kv::FormatC("%.0f", iv->HeelMoment.At1 * 6),
                                                     kv::FormatC("%.0f", iv->TM.At1 * 6), "25.0",
                                                     kv::FormatC("%.0f", iv->TMAllow.At1 * 6)}));
    EXPECT_EQ(g.Cells[3][1], kv::FormatC("%.0f", before.HeelMoment.At2 * 6));
    EXPECT_EQ(g.Cells[3][2], kv::FormatC("%.0f", before.TM.At2 * 6));
    EXPECT_NE(g.Cells[2][1], g.Cells[3][1]);  // two different intervals
    EXPECT_EQ(g.Cells[4], (std::vector<std::string>{"71.0", "", "", "", ""}));
    const auto& sum = s.CalcData.Strength.Torsion;
    EXPECT_EQ(g.Cells[5], (std::vector<std::string>{"MAX ACT", "", kv::FormatC("%.0f", sum.MaxTM.Value * 6), "25.0",
                                                     kv::FormatC("%.0f", sum.MaxTM.Allow * 6)}));
    EXPECT_EQ(g.Cells[6][0], "MAX ALL");
    EXPECT_EQ(g.Cells[6][3], "25.0");
    for (const auto& row : g.Red)
        for (bool red : row) EXPECT_FALSE(red);
}

TEST(Torsion, ChartsCarryTheCurvesLimitsAndLegend) {
    kv::KvState s;
    SetStations(s, kItemStations);
    kv::CalcTorsion(s);
    LimitsAtTM(s, kv::ConditionSea, 2);
    kv::CalcTorsion(s);
    const size_t n = s.Strength.Intervals.size();

    const kv::ChartData v = kv::TorsionChart(s, false);
    ASSERT_EQ(v.Curves.size(), 2u);
    EXPECT_EQ(v.Curves[0].Label, "Heeling Moment ");
    EXPECT_EQ(v.Curves[1].Label, "Torsional Moment ");
    EXPECT_EQ(v.Curves[1].Points.size(), 2 * n);
    EXPECT_DOUBLE_EQ(v.Curves[1].Points[3].Y, double(s.Strength.Intervals[1].TM.At2));
    ASSERT_EQ(v.Limits.size(), 2u);
    EXPECT_GE(v.Limits[0].Points[0].Y, 0);
    EXPECT_LE(v.Limits[1].Points[0].Y, 0);
    const auto& sum = s.CalcData.Strength.Torsion;
    EXPECT_EQ(v.Legend.at(0), "Max TM:" + kv::FormatFloat("0.0", sum.MaxTM.Value) + " " +
                                  kv::FormatFloat("[fr0.0]", sum.MaxTM.Frame));
    EXPECT_NE(std::find(v.Captions.begin(), v.Captions.end(), "PORT"), v.Captions.end());
    EXPECT_NE(std::find(v.Captions.begin(), v.Captions.end(), "STBD"), v.Captions.end());

    const kv::ChartData p = kv::TorsionChart(s, true);
    ASSERT_EQ(p.Curves.size(), 1u);
    EXPECT_EQ(p.Curves[0].Label, "Torsional Moment Allow(%) ");
    EXPECT_EQ(p.Legend.at(0), "Max TM(%):50.0% " + kv::FormatFloat("[fr0.0]", sum.MaxTMPct.Frame));
}

}  // namespace
