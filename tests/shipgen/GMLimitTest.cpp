// The limiting GM/KG curves of the ship compiler: at each tabulated point the
// highest KG passes the general and weather criteria of the stability
// calculation and 2 mm more fails; on the box barge and on the sample vessel.
#include <gtest/gtest.h>

#include "BoxBarge.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "calc/StabProc.h"
#include "calc/StabilityTables.h"
#include "calc/WindProc.h"
#include "model/kvGlobal.h"
#include "shipgen/Builders.h"
#include "shipgen/Compiler.h"
#include "shipgen/GMLimits.h"
#include "shipgen/HullGeometry.h"
#include "SampleShip.h"

using namespace kv::shipgen;

namespace {

int Col(const kv::xyztable_rec& t, const char* name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[size_t(j)].str() == name) return j;
    return -1;
}

// The program's stability calculation on an upright condition at a
// tabulated point, the weather criterion on the given wind layer; true when
// every criterion shown passes.
bool Passes(const kv::shipinfo_rec& ship, double disp, double trim, double draft, double kmt, double kg,
            const std::string& windLayer) {
    kv::KvState s;
    s.ShipInfo.ShipTables = ship.ShipTables;
    s.ShipInfo.LBP = ship.LBP;
    s.ShipInfo.Breadth = ship.Breadth;
    s.ShipInfo.Depth = ship.Depth;
    s.ShipInfo.BilgeKeelArea = ship.BilgeKeelArea;
    s.ShipInfo.CrossCurveKG = ship.CrossCurveKG;
    s.ShipInfo.Options[6].Enabled = 1;
    kv::RecordingSink sink;
    s.Tables.Messages = &sink;
    auto& c = s.CalcData;
    c.Displacement = c.DisplacementSW = disp;
    c.Trim = trim;
    c.DraftMean = draft;
    c.DraftAP = draft - trim / 2;
    c.VCG = kg;
    c.Stab.GMSolid = c.Stab.GoM = kmt - kg;
    kv::BuildGZCurve(s, trim);
    kv::WeatherCriterionOnLayer(s, windLayer);
    kv::FillCriteria(s);
    EXPECT_FALSE(s.Calc.StabilityRangeExceeded);
    EXPECT_TRUE(sink.messages.empty());
    return s.Calc.JudgementFlags[kv::StabilityOK];
}

// Every point of the limiting table: MAXKG passes, 2 mm above fails, and
// MINGM is the metacentric height left at MAXKG.
void CheckTable(const kv::shipinfo_rec& ship, const kv::xyztable_rec& lim, const std::string& windLayer, int rowStep) {
    const kv::xyztable_rec& hydro = ship.ShipTables.HydroTable();
    ASSERT_EQ(lim.ColCount, 3);
    EXPECT_EQ(lim.ColHeads[1].str(), "DISP");
    EXPECT_EQ(lim.ColHeads[2].str(), "MINGM");
    EXPECT_EQ(lim.ColHeads[3].str(), "MAXKG");
    ASSERT_EQ(lim.LayerCount, hydro.LayerCount);
    ASSERT_EQ(lim.RowCount, hydro.RowCount);
    const int cDisp = Col(hydro, "DISP"), cDraft = Col(hydro, "DRAFT"), cKmt = Col(hydro, "KMT");
    int checked = 0, allowed = 0;
    for (int l = 1; l <= lim.LayerCount; ++l) {
        EXPECT_EQ(lim.LayerHeads[size_t(l)].str(), hydro.LayerHeads[size_t(l)].str());
        const double trim = std::stod(hydro.LayerHeads[size_t(l)].str());
        for (int r = 1; r <= lim.RowCount; r += rowStep) {
            const auto& h = hydro.Values[size_t(l)];
            const double disp = double(h[size_t(cDisp)][size_t(r)]), draft = double(h[size_t(cDraft)][size_t(r)]);
            const double kmt = double(h[size_t(cKmt)][size_t(r)]);
            const double maxKg = double(lim.Values[size_t(l)][3][size_t(r)]);
            const double minGm = double(lim.Values[size_t(l)][2][size_t(r)]);
            SCOPED_TRACE("trim " + std::to_string(trim) + " disp " + std::to_string(disp));
            EXPECT_EQ(double(lim.Values[size_t(l)][1][size_t(r)]), disp);
            EXPECT_NEAR(minGm, kmt - maxKg, 0.0006);
            EXPECT_GE(minGm, 0.15 - 1e-9);
            EXPECT_FALSE(Passes(ship, disp, trim, draft, kmt, maxKg + 0.002, windLayer));
            if (maxKg > 0) {
                EXPECT_TRUE(Passes(ship, disp, trim, draft, kmt, maxKg, windLayer));
                ++allowed;
            } else {
                // No centre of gravity meets the criteria (too little freeboard).
                EXPECT_FALSE(Passes(ship, disp, trim, draft, kmt, 0, windLayer));
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
    EXPECT_GT(allowed, checked / 2);
}

struct BoxShip {
    kv::shipinfo_rec ship;
    explicit BoxShip(double windArea) : ship(kvtest::BoxBargeStabilityShip()) {
        auto& tab = ship.ShipTables.Tables;
        // Wind on a deck cargo block 100 m long above the box: a fixed area
        // with its lever, one layer.
        kv::xyztable_rec& w = tab[kv::WindTableSlot];
        w.Resize(3, 2, 1);
        w.ColHeads[1].set("DISP");
        w.ColHeads[2].set("AREA");
        w.ColHeads[3].set("LEVER");
        w.LayerHeads[1].set("0TIER");
        for (int r = 1; r <= 2; ++r) {
            w.Values[1][1][size_t(r)] = r == 1 ? 0 : 30000;
            w.Values[1][2][size_t(r)] = windArea;
            w.Values[1][3][size_t(r)] = 9;
        }
    }
};

TEST(GMLimit, BoxBargeLimitsMeetTheCriteriaExactly) {
    BoxShip box(1200);
    const kv::xyztable_rec lim = BuildGMLimitTable(box.ship);
    CheckTable(box.ship, lim, "0TIER", 1);
}

TEST(GMLimit, MoreWindAreaLowersTheAllowableKG) {
    BoxShip calm(200), windy(2500);
    const kv::xyztable_rec a = BuildGMLimitTable(calm.ship), b = BuildGMLimitTable(windy.ship);
    int lower = 0;
    for (int r = 1; r <= a.RowCount; ++r) {
        EXPECT_LE(double(b.Values[2][3][size_t(r)]), double(a.Values[2][3][size_t(r)]) + 1e-9) << r;
        if (b.Values[2][3][size_t(r)] < a.Values[2][3][size_t(r)] - 0.01) ++lower;
    }
    EXPECT_GT(lower, 0) << "the weather criterion decides somewhere";
}

TEST(GMLimit, MissingTablesGiveAnEmptyTable) {
    kv::shipinfo_rec ship;
    EXPECT_TRUE(BuildGMLimitTable(ship).Empty());
}

TEST(GMLimit, SampleVesselCarriesTheCurvesAndSwitchesThemOn) {
    const ShipDataSet& data = kvtest::R549Data();
    const kv::shipinfo_rec& ship = data.ship;
    EXPECT_TRUE(ship.OptionOn(7));
    EXPECT_TRUE(ship.OptionOn(14));
    const kv::xyztable_rec& lim = ship.ShipTables.GMLimitTable();
    const kv::xyztable_rec& wind = ship.ShipTables.WindTable();
    ASSERT_GE(wind.LayerCount, 1);
    CheckTable(ship, lim, wind.LayerHeads[size_t(wind.LayerCount)].str(), 7);
    // A few figures for the record: the trim-0 layer.
    for (int l = 1; l <= lim.LayerCount; ++l) {
        if (lim.LayerHeads[size_t(l)].str() != "0") continue;
        for (int r = 1; r <= lim.RowCount; r += 10)
            std::printf("[figures] R549 trim 0 DISP %8.0f MINGM %.3f MAXKG %.3f\n", double(lim.Values[size_t(l)][1][size_t(r)]),
                        double(lim.Values[size_t(l)][2][size_t(r)]), double(lim.Values[size_t(l)][3][size_t(r)]));
    }
}

}  // namespace
