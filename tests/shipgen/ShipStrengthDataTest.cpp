// The sample vessel's hold data for strength and grain: shear force
// correction factors and double-bottom volumes of the holds, the under-hold
// marks of the ballast tanks, the hold mass curves, and the grain condition
// with every sample condition judged at sea by the calculation cycle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "calc/CycleInputs.h"
#include "calc/GlobalProc.h"
#include "calc/Grain.h"
#include "calc/TankContents.h"
#include "calc/Warnings.h"
#include "model/ConditionFile.h"
#include "shipgen/Compiler.h"
#include "shipgen/ConditionCompiler.h"
#include "shipgen/ShipDefinition.h"
#include "SampleShip.h"

using namespace kv;
using namespace kv::shipgen;

namespace {

const ShipDataSet& Data() { return kvtest::R549Data(); }

const std::vector<tank_rec>& Group(size_t g) { return Data().tanks.Groups[g].Tanks; }

// Tank-top area of a hold from its own base table: the volume of the first
// table step over the step's height.
double FloorArea(const tank_rec& hold) {
    const xyztable_rec& t = hold.TkTables[TkBase];
    const auto& v = t.Values[1];
    return double((v[2][2] - v[2][1]) / (v[1][2] - v[1][1]));
}

double Overlap(const tank_rec& a, const tank_rec& b) {
    return std::max(0.0, double(std::min(a.ForeEnd, b.ForeEnd) - std::max(a.AftEnd, b.AftEnd)));
}

}  // namespace

TEST(ShipStrengthData, HoldsCarryCorrectionFactorsAndTheirDoubleBottomVolume) {
    const auto& holds = Group(1);
    ASSERT_EQ(holds.size(), Group(0).size());
    ASSERT_FALSE(holds.empty());
    for (size_t h = 0; h < holds.size(); ++h) {
        const tank_rec& t = holds[h];
        SCOPED_TRACE(t.TankName.str());
        const double a = double(t.SFFactors[0]), b = double(t.SFFactors[1]), c = double(t.SFFactors[2]);
        // a x b is the tank-top area, so that load / (a b) is the pressure on it.
        EXPECT_NEAR(a, double(t.ForeEnd - t.AftEnd), 1e-6);
        EXPECT_NEAR(a * b, FloorArea(t), 0.01 * FloorArea(t));
        // c: the share of the net bottom load one bulkhead takes, times the
        // area; at most half of it (two bulkheads).
        EXPECT_GT(c, 0);
        EXPECT_LE(c, 0.5 * a * b);
        // The double-bottom ballast under the hold, prorated by length.
        double under = 0;
        for (const tank_rec& k : Group(2))
            if (k.DBMaxVolume != 0) under += double(k.MaxVolume) * Overlap(k, t) / double(k.ForeEnd - k.AftEnd);
        EXPECT_NEAR(double(t.DBMaxVolume), under, 0.5);
    }
    // The short holds pass more of their load to the bulkheads than the
    // long NO.3 hold of the same breadth.
    EXPECT_GT(double(holds[3].SFFactors[2] / (holds[3].SFFactors[0] * holds[3].SFFactors[1])),
              double(holds[2].SFFactors[2] / (holds[2].SFFactors[0] * holds[2].SFFactors[1])));
}

TEST(ShipStrengthData, BallastTanksUnderAHoldFloorAreMarked) {
    int marked = 0;
    for (const tank_rec& k : Group(2)) {
        bool under = false;
        for (const tank_rec& h : Group(0))
            if (Overlap(k, h) > 0.5 * double(k.ForeEnd - k.AftEnd) && k.TopZ <= h.BottomZ + 1e-6) under = true;
        EXPECT_EQ(k.DBMaxVolume != 0, under) << k.TankName.str();
        if (under) {
            EXPECT_EQ(double(k.DBMaxVolume), -1.0) << k.TankName.str();
            ++marked;
        }
    }
    EXPECT_GE(marked, 2 * int(Group(0).size()) - 2);
}

TEST(ShipStrengthData, HoldMassCurvesRiseWithDraftAndHarbourWidensThem) {
    const auto& list = Data().ship.ShipTables.CargoMassList;
    ASSERT_EQ(list.size(), Group(0).size());
    int pairsBelowSum = 0;
    auto at = [](const std::vector<masspoint_rec>& c, double draft) {
        for (size_t p = 1; p < c.size(); ++p)
            if (c[p].Draft >= draft - 1e-9) {
                const double d0 = double(c[p - 1].Draft), d1 = double(c[p].Draft);
                return double(c[p - 1].Mass) + (draft - d0) / (d1 - d0) * double(c[p].Mass - c[p - 1].Mass);
            }
        return double(c.back().Mass);
    };
    for (size_t h = 0; h < list.size(); ++h) {
        for (int pair = 0; pair < 2; ++pair) {
            if (pair && h + 1 == list.size()) continue;
            const auto& sets = pair ? list[h].TwoHolds : list[h].OneHold;
            for (int k = 0; k < 2; ++k) {
                const massminmaxinfo_rec& m = sets[size_t(k)];
                SCOPED_TRACE("hold " + std::to_string(h + 1) + (pair ? " with next" : "") + (k ? " PORT" : " SEA"));
                ASSERT_EQ(m.MaxCurve.size(), m.MinCurve.size());
                ASSERT_GE(m.MaxCurve.size(), 2u);
                for (size_t p = 0; p < m.MaxCurve.size(); ++p) {
                    EXPECT_GE(double(m.MinCurve[p].Mass), 0);
                    EXPECT_GE(double(m.MaxCurve[p].Mass), double(m.MinCurve[p].Mass));
                    EXPECT_EQ(m.MaxCurve[p].Draft, m.MinCurve[p].Draft);
                    if (p == 0) continue;
                    EXPECT_GT(m.MaxCurve[p].Draft, m.MaxCurve[p - 1].Draft);
                    EXPECT_GE(m.MaxCurve[p].Mass, m.MaxCurve[p - 1].Mass);
                    EXPECT_GE(m.MinCurve[p].Mass, m.MinCurve[p - 1].Mass);
                }
                // The deeper the ship, the more the bottom is pressed up:
                // the maximum grows over the draft range.
                EXPECT_GT(m.MaxCurve.back().Mass, m.MaxCurve.front().Mass);
                if (k == 1) {
                    const massminmaxinfo_rec& sea = sets[0];
                    for (size_t p = 0; p < m.MaxCurve.size(); ++p) {
                        EXPECT_GT(m.MaxCurve[p].Mass, sea.MaxCurve[p].Mass);
                        EXPECT_LE(m.MinCurve[p].Mass, sea.MinCurve[p].Mass);
                    }
                }
            }
        }
        if (h + 1 < list.size()) {
            // Two holds together are allowed no more than each alone
            // allows, added up, at the scantling draft (9.8 m).
            const double pairMax = at(list[h].TwoHolds[0].MaxCurve, 9.8);
            const double sum = at(list[h].OneHold[0].MaxCurve, 9.8) + at(list[h + 1].OneHold[0].MaxCurve, 9.8);
            EXPECT_LE(pairMax, sum + 1e-6) << h + 1;
            if (pairMax < sum - 1.0) ++pairsBelowSum;
            // A pair may be empty at a smaller draft than one hold.
            EXPECT_GE(at(list[h].TwoHolds[0].MinCurve, 9.0), at(list[h].OneHold[0].MinCurve, 9.0)) << h + 1;
        }
        // One hold's maximum at the scantling draft is its tank-top design
        // load (15 t/m2) over the tank-top area.
        EXPECT_NEAR(at(list[h].OneHold[0].MaxCurve, 9.8), 15.0 * FloorArea(Group(1)[h]), 0.02 * 15.0 * FloorArea(Group(1)[h]))
            << h + 1;
    }
    // The pair limit (the holds' volume at 1.0 t/m3) decides for most pairs.
    EXPECT_GE(pairsBelowSum, int(list.size()) / 2);
}

namespace {

KvState Opened(const SampleCondition& c) { return kvtest::OpenedSample(c); }

const SampleCondition* Find(const std::string& file) {
    for (const SampleCondition& c : Data().conditions)
        if (c.fileName == file) return &c;
    return nullptr;
}

}  // namespace

TEST(ShipStrengthData, GrainConditionLoadsItsHoldsWithGrain) {
    const SampleCondition* grain = Find("GRAIN.LCF");
    ASSERT_NE(grain, nullptr);
    KvState s = Opened(*grain);
    const auto& loads = s.LoadData.Loads[1].Items;
    const auto& holds = Group(1);
    struct Expect {
        int hold, type;
        double volume;
    };
    const Expect table[] = {{0, CargoTGrain, 0.4 * double(holds[0].TrimmedVolume)},
                            {2, CargoTGrain, double(holds[2].TrimmedVolume)},
                            {3, CargoUGrain, double(holds[3].UntrimmedVolume)},
                            {1, CargoBale, 0.0}};
    for (const Expect& e : table) {
        SCOPED_TRACE(holds[size_t(e.hold)].TankName.str());
        EXPECT_EQ(loads[size_t(e.hold)].CargoType, e.type);
        EXPECT_NEAR(double(loads[size_t(e.hold)].Volume), e.volume, 1e-6);
        if (e.volume > 0) {
            EXPECT_NEAR(double(loads[size_t(e.hold)].Density), 0.78, 1e-12);
        }
    }
}

// Every sample condition at sea: strength, hold masses and, with grain on
// board, the grain criteria pass; the grain condition floats upright.
TEST(ShipStrengthData, SampleConditionsAtSeaStayWithinTheAllowables) {
    ASSERT_FALSE(Data().conditions.empty());
    for (const SampleCondition& k : Data().conditions) {
        SCOPED_TRACE(k.fileName);
        KvState s = Opened(k);
        s.LoadData.VoyageCond = 0;
        s.Calc.StabilityView = 1;
        CalculateAll(s);
        CheckWarnings(s);
        const calcdata_rec& c = s.CalcData;
        const strengthextremes_rec& st = c.Strength.Extremes;
        std::printf("[figures] %-20s disp %8.1f trim %6.2f heel %5.2f | SF %5.1f %% corr. SF %5.1f %% BM %5.1f %% | "
                    "grain M %7.1f of %7.1f static %5.2f deg residual %.3f\n",
                    k.fileName.c_str(), double(c.Displacement), double(c.Trim), double(c.Heel),
                    double(st.MaxSFPct.Percent), double(st.MaxCorrSFPct.Percent), double(st.MaxBMPct.Percent),
                    double(c.Grain.TotalMoment), double(c.Grain.AllowableMoment), double(c.Grain.StaticAngle),
                    double(c.Grain.ResidualArea));
        EXPECT_TRUE(s.Calc.JudgementFlags[StrengthOK]);
        EXPECT_TRUE(s.Calc.JudgementFlags[CargoMassOK]);
        EXPECT_TRUE(s.Calc.JudgementFlags[GrainOK]);
        if (k.fileName == "GRAIN.LCF") {
            EXPECT_TRUE(s.Calc.AnyGrainMode);
            EXPECT_GT(double(c.Grain.TotalMoment), 0);
            EXPECT_LT(std::fabs(double(c.Heel)), 0.5);
            EXPECT_TRUE(s.Calc.JudgementFlags[StabilityOK]);
        }
    }
}

// The loading kind of a hold in a condition definition: its capacity is the
// base of the percentage; a kind on a tank or an unknown kind is refused.
TEST(ShipStrengthData, ConditionDefinitionsGiveHoldsTheirLoadingKind) {
    using nlohmann::json;
    const tank_rec& hold = Group(1)[2];
    struct Case {
        const char* cargo;
        int type;
        double capacity;
    };
    const Case cases[] = {{"T_GRAIN", CargoTGrain, double(hold.TrimmedVolume)},
                          {"U_GRAIN", CargoUGrain, double(hold.UntrimmedVolume)},
                          {"BULK", CargoBulk, double(hold.MaxVolume)},
                          {"E.BALLAST", CargoEBallast, double(hold.MaxVolume)}};
    for (const Case& c : cases) {
        KvState s = ConditionState(Data());
        json def = {{"file", "T"}, {"tanks", json::array({{{"name", hold.TankName.str()}, {"cargo", c.cargo},
                                                            {"percent", 50}, {"density", 0.8}}})}};
        BuildCondition(def, "test.json", s);
        const loadinfo_rec& l = s.LoadData.Loads[1].Items[2];
        EXPECT_EQ(l.CargoType, c.type) << c.cargo;
        EXPECT_NEAR(double(l.Volume), 0.5 * c.capacity, 1e-6) << c.cargo;
    }
    for (const char* bad : {R"({"file": "T", "tanks": [{"name": "FORE PEAK TANK", "cargo": "BULK", "percent": 10}]})",
                            R"({"file": "T", "tanks": [{"name": "NO.3 CARGO HOLD", "cargo": "GRAIN", "percent": 10}]})"}) {
        KvState s = ConditionState(Data());
        EXPECT_THROW(BuildCondition(json::parse(bad), "test.json", s), DefinitionError) << bad;
    }
}
