// The sample conditions of R549 through the calculation cycle: the trim found
// by the search over the trim layers puts G and B on one normal to the
// waterline, and the heel answers a transverse moment with the right sign.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "calc/CycleInputs.h"
#include "calc/GlobalProc.h"
#include "calc/TankContents.h"
#include "model/ConditionFile.h"
#include "shipgen/Compiler.h"
#include "shipgen/ConditionCompiler.h"
#include "SampleShip.h"

using namespace kv;
using namespace kv::shipgen;

namespace {

const ShipDataSet& Data() { return kvtest::R549Data(); }

KvState Opened(const SampleCondition& c) { return kvtest::OpenedSample(c); }

double Foot(double x, double z, double trim, double lbp) {
    const double sl = std::tan(trim / lbp);
    return std::fabs(x + z * sl) / std::sqrt(1 + sl * sl);
}

}  // namespace

TEST(CycleSampleConditions, GAndBOnOneNormal) {
    ASSERT_FALSE(Data().conditions.empty());
    const xyztable_rec& hydro = Data().ship.ShipTables.HydroTable();
    const double lowest = std::stod(hydro.LayerHeads[1].str());
    const double highest = std::stod(hydro.LayerHeads[size_t(hydro.LayerCount)].str());
    for (const SampleCondition& k : Data().conditions) {
        KvState s = Opened(k);
        CalculateAll(s);
        const calcdata_rec& c = s.CalcData;
        const double lbp = double(s.ShipInfo.LBP), trim = double(c.Trim);
        const double miss = Foot(double(c.LCG), double(c.VCG), trim, lbp) - Foot(double(c.LCB), double(c.VCB), trim, lbp);
        std::printf("[figures] %-22s trim %7.3f m  G-B along the waterline %+.5f m\n", k.fileName.c_str(), trim, miss);
        // Inside the trim layers the search brackets the equilibrium.
        if (trim < lowest || trim > highest) {
            ADD_FAILURE() << k.fileName << " floats beyond the trim layers: " << trim;
            continue;
        }
        EXPECT_LT(std::fabs(miss), 0.01) << k.fileName;
    }
}

TEST(CycleSampleConditions, HeelAnswersATransverseMoment) {
    ASSERT_FALSE(Data().conditions.empty());
    KvState s = Opened(Data().conditions.front());
    CalculateAll(s);
    const Extended upright = s.CalcData.Heel, gm = s.CalcData.Stab.GoM;
    const Extended side = s.CalcData.DraftStbd - s.CalcData.DraftPort;
    ASSERT_GT(double(gm), 0);
    // 100 t moved 5 m to starboard as a constant.
    TankResult r;
    r.Weight = 100;
    r.LCG = 70;
    r.TCG = 5;
    r.VCG = 10;
    r.LMoment = 7000;
    r.TMoment = 500;
    r.VMoment = 1000;
    s.CalcData.Summaries[9].Items.push_back(r);
    s.ShipInfo.GroupCount[8] += 1;
    CalculateAll(s);
    EXPECT_GT(double(s.CalcData.Heel), double(upright));
    EXPECT_GT(double(s.CalcData.DraftStbd - s.CalcData.DraftPort), double(side));
    r.TCG = -5;
    r.TMoment = -500;
    s.CalcData.Summaries[9].Items.back() = r;
    CalculateAll(s);
    EXPECT_LT(double(s.CalcData.Heel), double(upright));
    EXPECT_LT(double(s.CalcData.DraftStbd - s.CalcData.DraftPort), double(side));
}
