// Longitudinal strength of the sample conditions of R549: balanced and closed
// at both ends, the deadweight spread in full, the harbour allowables used in
// harbour, and the sea-going point additions at frames 39 and 234 at sea only.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "calc/CycleInputs.h"
#include "calc/GlobalProc.h"
#include "calc/Strength.h"
#include "calc/TankContents.h"
#include "model/ConditionFile.h"
#include "numerics/Formats.h"
#include "shipgen/Compiler.h"
#include "shipgen/ConditionCompiler.h"
#include "SampleShip.h"

using namespace kv;
using namespace kv::shipgen;

namespace {

const ShipDataSet& Data() { return kvtest::R549Data(); }

// The condition opened as the command-line program opens it, through the
// calculation cycle, then the strength for the given selector.
KvState Calculated(const SampleCondition& c, int condition) {
    KvState s = kvtest::OpenedSample(c);
    s.LoadData.VoyageCond = condition;
    CalculateAll(s);
    return s;
}

// The point addition inside the SF at the end of every interval: the SF less
// the running sum of weight less balanced buoyancy.
std::vector<double> InferredAdditions(const KvState& s) {
    const double rho = double(s.LoadData.SeaDensity > 0 ? s.LoadData.SeaDensity : Extended(1.025L));
    std::vector<double> out;
    double net = 0;
    for (const sfbmseg_rec& iv : s.Strength.Intervals) {
        const double w = double((iv.LightOrdinate.At1 + iv.LightOrdinate.At2 + iv.DeadOrdinate.At1 + iv.DeadOrdinate.At2) /
                                2 * iv.Length);
        const double b = double((iv.BuoyOrdinate.At1 + iv.BuoyOrdinate.At2) / 2 * iv.Length) * rho;
        net += w - b;
        out.push_back(double(iv.Intact.SF.At2) - net);
    }
    return out;
}

// A limit of an allowable curve at x, read from the ship data directly.
double CurveAt(const std::vector<allowseg_rec>& segs, double x, bool positive) {
    double v = 0;
    for (const allowseg_rec& g : segs) {
        if (x < double(g.AftX) - 1e-5 || x > double(g.ForeX) + 1e-5) continue;
        const double a = double(positive ? g.Pos1Aft : g.Pos2Aft), f = double(positive ? g.Pos1Fore : g.Pos2Fore);
        v = a + (f - a) * (x - double(g.AftX)) / double(g.ForeX - g.AftX);
    }
    return positive ? v : -v;
}

}  // namespace

TEST(StrengthR549, SampleConditionsBalanceAndClose) {
    ASSERT_FALSE(Data().conditions.empty());
    for (const SampleCondition& k : Data().conditions)
        for (int cond : {ConditionSea, ConditionPort}) {
            const KvState s = Calculated(k, cond);
            const std::string name = k.fileName + (cond == ConditionSea ? " SEA" : " PORT");
            const strengthsummary_rec& sum = s.CalcData.Strength;
            ASSERT_TRUE(sum.Computed) << name;
            ASSERT_GT(s.Strength.Intervals.size(), 100u) << name;
            EXPECT_LT(sum.Balance.Passes, 1001) << name;
            EXPECT_LT(std::fabs(double(sum.Balance.Residual)), 5.0) << name;
            const sfbmseg_rec& first = s.Strength.Intervals.front();
            const sfbmseg_rec& last = s.Strength.Intervals.back();
            EXPECT_NEAR(double(first.Intact.SF.At1), 0, 1e-6) << name;
            EXPECT_NEAR(double(first.Intact.BM.At1), 0, 1e-6) << name;
            EXPECT_NEAR(double(last.Intact.SF.At2), 0, 1e-6) << name;
            EXPECT_LT(std::fabs(double(last.Intact.BM.At2)), 5.0) << name;
            // Every tonne of the ship is spread over the intervals.
            const double disp = double(s.CalcData.Displacement);
            EXPECT_NEAR(double(s.Strength.WeightTotal), disp, disp * 1e-6) << name;
            if (cond == ConditionSea) {
                const strengthextremes_rec& x = sum.Extremes;
                std::printf("[figures] %-22s SEA: max SF %7.1f t (%5.1f %%, fr %.1f), max corr. SF %5.1f %%, max BM %8.0f t-m "
                            "(%5.1f %%, fr %.1f), %d passes, %s\n",
                            k.fileName.c_str(), double(x.MaxSF.Value), double(x.MaxSFPct.Percent),
                            double(x.MaxSFPct.Frame), double(x.MaxCorrSFPct.Percent), double(x.MaxBM.Value),
                            double(x.MaxBMPct.Percent), double(x.MaxBMPct.Frame), sum.Balance.Passes,
                            s.Calc.JudgementFlags[StrengthOK] ? "within limits" : "OVER LIMITS");
            }
        }
}

TEST(StrengthR549, HarbourAllowablesInHarbour) {
    const SampleCondition& k = Data().conditions.front();
    for (int cond : {ConditionSea, ConditionPort}) {
        const KvState s = Calculated(k, cond);
        const allow_rec& set = s.ShipInfo.ClassAllow.intact[size_t(cond)];
        const strengthextremes_rec& x = s.CalcData.Strength.Extremes;
        for (const extreme_rec* e : {&x.MaxSFPct, &x.MaxSF})
            EXPECT_NEAR(double(e->Allow), CurveAt(set.sfsegs, double(e->Pos), e->Value >= 0), 1e-6) << cond;
        for (const extreme_rec* e : {&x.MaxBMPct, &x.MaxBM})
            EXPECT_NEAR(double(e->Allow), CurveAt(set.bmsegs, double(e->Pos), e->Value >= 0), 1e-6) << cond;
        EXPECT_NEAR(double(x.MaxBMPct.Percent), double(x.MaxBMPct.Value / x.MaxBMPct.Allow * 100), 1e-9);
    }
}

TEST(StrengthR549, SeaAdditionsAtFrames39And234AtSeaOnly) {
    const SampleCondition& k = Data().conditions.back();
    for (int cond : {ConditionSea, ConditionPort}) {
        const KvState s = Calculated(k, cond);
        const std::vector<double> add = InferredAdditions(s);
        double at39 = 0, at234 = 0, largest = 0;
        for (size_t i = 0; i < add.size(); ++i) {
            const sfbmseg_rec& iv = s.Strength.Intervals[i];
            if (iv.Key == "39.000") at39 = add[i];
            if (iv.Key == "234.000") at234 = add[i];
            largest = std::max(largest, std::fabs(add[i]));
        }
        if (cond == ConditionSea) {
            EXPECT_NEAR(at39, -20, 1e-6);
            EXPECT_NEAR(at234, 50, 1e-6);
            EXPECT_NEAR(largest, 50, 1e-6);
        } else {
            EXPECT_NEAR(largest, 0, 1e-6);
        }
    }
}
