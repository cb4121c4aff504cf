// The allowable grain heeling moment table of the ship compiler: at sampled
// points the tabulated moment meets the Grain Code criteria judged with the
// program's own righting levers and grain functions, and 1 % more does not;
// on the box barge and on the sample vessel.
#include <gtest/gtest.h>

#include "BoxBarge.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "calc/Grain.h"
#include "calc/StabProc.h"
#include "model/kvGlobal.h"
#include "shipgen/Compiler.h"
#include "shipgen/GrainTable.h"
#include "shipgen/ShipDefinition.h"
#include "SampleShip.h"

using namespace kv::shipgen;

namespace {

int Col(const kv::xyztable_rec& t, const std::string& name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[size_t(j)].str() == name) return j;
    return -1;
}

// The criteria at one upright point, written out here from the program's
// righting-lever curve and its grain functions.
struct Verdict {
    bool gom = false, angle = false, area = false;
    bool Pass() const { return gom && angle && area; }
};

Verdict Judge(const kv::shipinfo_rec& ship, double disp, double trim, double draft, double kmt, double kgo,
              double moment) {
    kv::KvState s;
    s.ShipInfo.ShipTables = ship.ShipTables;
    s.ShipInfo.LBP = ship.LBP;
    s.ShipInfo.Breadth = ship.Breadth;
    s.ShipInfo.Depth = ship.Depth;
    s.ShipInfo.CrossCurveKG = ship.CrossCurveKG;
    kv::RecordingSink sink;
    s.Tables.Messages = &sink;
    auto& c = s.CalcData;
    c.Displacement = c.DisplacementSW = disp;
    c.Trim = trim;
    c.DraftMean = draft;
    c.DraftAP = draft - trim / 2;
    c.DraftFP = draft + trim / 2;
    c.VCG = kgo;
    c.Stab.GMSolid = c.Stab.GoM = kmt - kgo;
    kv::BuildGZCurve(s, trim);
    EXPECT_TRUE(sink.messages.empty());
    double maxAngle = 12.0;
    if (ship.OptionOn(18)) maxAngle = std::min(maxAngle, double(kv::DeckImmersionAngle(s, disp, trim, 0)));
    const double l0 = moment / disp;
    const double angle = double(kv::GrainStaticAngle(s.Calc.GZSpline, l0, 0.8 * l0));
    const double area = double(kv::GrainResidualArea(s.Calc.GZSpline, l0, 0.8 * l0, angle, c.Stab.MaxGZAngle));
    return {kmt - kgo >= 0.3, angle <= maxAngle, area >= 0.075};
}

struct Counts {
    int checked = 0, allowed = 0, byAngle = 0, byArea = 0;
};

// Every rowStep-th row of every layer and column: the tabulated moment
// passes and 1 % more (at least 1 t-m) fails; a 0 means that not even a
// small moment passes (or GoM is below 0.3 m).
Counts CheckTable(const kv::shipinfo_rec& ship, const kv::xyztable_rec& g, int rowStep) {
    Counts n;
    const kv::xyztable_rec& hydro = ship.ShipTables.HydroTable();
    EXPECT_EQ(g.ColHeads[1].str(), "DISP");
    EXPECT_EQ(g.LayerCount, hydro.LayerCount);
    EXPECT_EQ(g.RowCount, hydro.RowCount);
    const int cDisp = Col(hydro, "DISP"), cDraft = Col(hydro, "DRAFT"), cKmt = Col(hydro, "KMT");
    for (int l = 1; l <= g.LayerCount; ++l) {
        EXPECT_EQ(g.LayerHeads[size_t(l)].str(), hydro.LayerHeads[size_t(l)].str());
        const double trim = std::stod(hydro.LayerHeads[size_t(l)].str());
        const auto& h = hydro.Values[size_t(l)];
        for (int r = 1 + (l % rowStep); r <= g.RowCount; r += rowStep) {
            const double disp = double(h[size_t(cDisp)][size_t(r)]), draft = double(h[size_t(cDraft)][size_t(r)]);
            const double kmt = double(h[size_t(cKmt)][size_t(r)]);
            EXPECT_EQ(double(g.Values[size_t(l)][1][size_t(r)]), disp);
            for (int k = 2; k <= g.ColCount; ++k) {
                const double kgo = std::stod(g.ColHeads[size_t(k)].str());
                const double m = double(g.Values[size_t(l)][size_t(k)][size_t(r)]);
                SCOPED_TRACE("trim " + std::to_string(trim) + " disp " + std::to_string(disp) + " KGo " +
                             std::to_string(kgo) + " M " + std::to_string(m));
                ++n.checked;
                EXPECT_GE(m, 0);
                const Verdict over = Judge(ship, disp, trim, draft, kmt, kgo, std::max(m * 1.01, m + 1.0));
                EXPECT_FALSE(over.Pass());
                if (m > 0) {
                    EXPECT_TRUE(Judge(ship, disp, trim, draft, kmt, kgo, m).Pass());
                    ++n.allowed;
                    if (!over.angle) ++n.byAngle;
                    if (!over.area) ++n.byArea;
                } else {
                    EXPECT_FALSE(Judge(ship, disp, trim, draft, kmt, kgo, 1.0).Pass());
                }
            }
        }
    }
    return n;
}

TEST(GrainTable, BoxBargeMomentsMeetTheCriteriaExactly) {
    const kv::shipinfo_rec ship = kvtest::BoxBargeStabilityShip();
    const kv::xyztable_rec g = BuildGrainTable(ship, {4.0, 6.0, 8.0, 10.0});
    ASSERT_EQ(g.ColCount, 5);
    EXPECT_EQ(g.ColHeads[2].str(), "4.0");
    EXPECT_EQ(g.ColHeads[5].str(), "10.0");
    const Counts n = CheckTable(ship, g, 1);
    EXPECT_GT(n.allowed, n.checked / 3);
    // A higher KGo never allows more.
    for (int l = 1; l <= g.LayerCount; ++l)
        for (int r = 1; r <= g.RowCount; ++r)
            for (int k = 3; k <= g.ColCount; ++k)
                EXPECT_LE(g.Values[size_t(l)][size_t(k)][size_t(r)], g.Values[size_t(l)][size_t(k) - 1][size_t(r)]);
}

TEST(GrainTable, NoTablesOrNoColumnsGiveAnEmptyTable) {
    kv::shipinfo_rec ship;
    EXPECT_TRUE(BuildGrainTable(ship, {6.0, 7.0}).Empty());
}

TEST(GrainTable, KGColumnsAreCheckedWhenRead) {
    using nlohmann::json;
    EXPECT_TRUE(GrainTableKG(json::object()).empty());
    EXPECT_EQ(GrainTableKG(json::parse(R"({"grain": {"tableKG": [6, 6.5, 7]}})")), (std::vector<double>{6, 6.5, 7}));
    for (const char* bad : {R"({"grain": {"tableKG": [7, 6]}})", R"({"grain": {"tableKG": [6]}})",
                            R"({"grain": {"tableKG": [6, 6.25]}})", R"({"grain": {"tableKG": [6, "7"]}})"})
        EXPECT_THROW(GrainTableKG(json::parse(bad)), DefinitionError) << bad;
}

TEST(GrainTable, SampleVesselCarriesTheTableAndSwitchesGrainOn) {
    const ShipDataSet& data = kvtest::R549Data();
    const kv::shipinfo_rec& ship = data.ship;
    EXPECT_TRUE(ship.OptionOn(1));
    EXPECT_EQ(ship.OptionText(1), "0");
    const kv::xyztable_rec& g = ship.ShipTables.GrainTable();
    ASSERT_GE(g.ColCount, 3);
    const Counts n = CheckTable(ship, g, 6);
    EXPECT_GT(n.allowed, n.checked / 3);
    std::printf("[figures] R549 grain table: %d points checked, %d with a moment; 1 %% more breaks the static angle "
                "at %d, the residual area at %d\n",
                n.checked, n.allowed, n.byAngle, n.byArea);
    for (int l = 1; l <= g.LayerCount; ++l) {
        if (g.LayerHeads[size_t(l)].str() != "0") continue;
        for (int r = 1; r <= g.RowCount; r += 10) {
            std::printf("[figures] trim 0 DISP %8.0f", double(g.Values[size_t(l)][1][size_t(r)]));
            for (int k = 2; k <= g.ColCount; k += 2)
                std::printf("  KGo %s: %7.0f", g.ColHeads[size_t(k)].str().c_str(),
                            double(g.Values[size_t(l)][size_t(k)][size_t(r)]));
            std::printf("\n");
        }
    }
}

}  // namespace
