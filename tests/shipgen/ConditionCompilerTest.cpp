// The sample loading conditions of R549: compiled from their definitions,
// opened by the program's reader, containers that stand on one another
// without sharing space, bale items in the holds, and the calculation of each
// condition: afloat inside the ship's tables, the departures passing every
// intact criterion. A definition with a fault is refused.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>

#include "calc/CycleInputs.h"
#include "calc/GlobalProc.h"
#include "calc/TankContents.h"
#include "containers/BayGeometry.h"
#include "containers/CheckDigit.h"
#include "containers/ContainerPositions.h"
#include "containers/IsoCodes.h"
#include "model/ConditionFile.h"
#include "shipgen/Compiler.h"
#include "shipgen/ConditionCompiler.h"
#include "shipgen/ShipDefinition.h"

using namespace kv;
using namespace kv::shipgen;

namespace {

const std::string kShipDir = std::string(KORVANEL_SOURCE_DIR) + "/ships/R549";

const ShipDataSet& Data() {
    static ShipDataSet d = BuildShipDataSet(kShipDir);
    return d;
}

const SampleCondition* Find(const std::string& name) {
    for (const SampleCondition& c : Data().conditions)
        if (c.fileName == name) return &c;
    return nullptr;
}

// The condition opened as the program opens a file: decoded, adopted and
// its items brought up to date.
KvState Opened(const SampleCondition& c, int* dropped = nullptr) {
    KvState s = ConditionState(Data());
    BinReader r(c.bytes, c.fileName);
    int n = AdoptCondition(s, DecodeConditionFile(s, r));
    if (dropped) *dropped = n;
    UpdateAllTankItems(s);
    UpdateContainerItems(s);
    BuildBaleSummary(s, s.CalcData.Summaries[1]);
    return s;
}

std::vector<const container_rec*> Containers(const KvState& s) {
    std::vector<const container_rec*> out;
    for (const auto& bay : s.LoadData.BayLists)
        for (const container_rec& c : bay) out.push_back(&c);
    return out;
}

bool Overlaps(Extended a1, Extended a2, Extended b1, Extended b2) { return a1 < b2 - 1e-6 && b1 < a2 - 1e-6; }

}  // namespace

TEST(SampleConditions, AreCompiledAndOpenedAsWritten) {
    const std::vector<std::string> names = {"LIGHTSHIP.LCF", "BALLAST DEPARTURE.LCF", "BALLAST ARRIVAL.LCF",
                                            "FULL CONTAINERS.LCF", "HEAVY LIFT.LCF", "GRAIN.LCF"};
    ASSERT_EQ(Data().conditions.size(), names.size());
    for (const std::string& n : names) {
        const SampleCondition* c = Find(n);
        ASSERT_NE(c, nullptr) << n;
        int dropped = -1;
        KvState s = Opened(*c, &dropped);
        EXPECT_EQ(dropped, 0) << n;
        // What the program writes back is what the compiler wrote.
        EXPECT_TRUE(EncodeConditionFile(s) == c->bytes) << n;
    }
    // The cargo codes the bale items use travel in "Cargo.code".
    KvState heavy = Opened(*Find("HEAVY LIFT.LCF"));
    ASSERT_FALSE(heavy.LoadData.BaleList.empty());
    for (const balecargo_rec& b : heavy.LoadData.BaleList) {
        bool found = false;
        for (const cargocode_rec& k : Data().cargoCodes) found = found || k.Code.str() == b.CargoCode.str();
        EXPECT_TRUE(found) << b.CargoCode.str();
    }
}

TEST(SampleConditions, ContainersStandOnOneAnotherInTheirOwnSpace) {
    KvState s = Opened(*Find("FULL CONTAINERS.LCF"));
    const auto boxes = Containers(s);
    ASSERT_GT(boxes.size(), 300u);
    int c20 = 0, c40 = 0, reefers = 0, highCubes = 0;
    for (const container_rec* c : boxes) {
        const std::string iso = c->iso_code.str();
        (IsoLengthMM(iso) >= 12192 ? c40 : c20)++;
        if (c->reefer) ++reefers;
        if (IsoHeightMM(iso) > 2591) ++highCubes;
        EXPECT_TRUE(IsoCheckDigitValid(c->container_id.str())) << c->container_id.str();
    }
    EXPECT_GT(c20, 0);
    EXPECT_GT(c40, 0);
    EXPECT_GT(reefers, 0);
    EXPECT_GT(highCubes, 0);

    // No two boxes share space, a 20-ft and a 40-ft bay over the same hold included.
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const container_rec &a = *boxes[i], &b = *boxes[j];
            bool clash = Overlaps(a.aft_x, a.fwd_x, b.aft_x, b.fwd_x) && Overlaps(a.port_y, a.stbd_y, b.port_y, b.stbd_y) &&
                         Overlaps(a.bottom_z, a.top_z, b.bottom_z, b.top_z);
            EXPECT_FALSE(clash) << a.position.str() << " and " << b.position.str();
        }

    // A box above the lowest slot of its stack stands on boxes that carry
    // both its ends.
    for (const container_rec* c : boxes) {
        SlotRef r;
        ASSERT_TRUE(ParsePosition(s.ContInfo, c->position.str(), r) && r.Resolved());
        const auto& cells = s.ContInfo.bays[size_t(r.bay)].sections[size_t(r.section)].cells[size_t(r.row)];
        size_t bottom = cells.size();
        while (bottom-- > 0 && cells[bottom].state == 0) {
        }
        if (std::fabs(double(c->bottom_z) - (cells[bottom].z - SlotFloorBelowZ)) < 0.01) continue;
        bool aftEnd = false, foreEnd = false;
        for (const container_rec* u : boxes) {
            if (std::fabs(double(u->top_z) + TierGap - double(c->bottom_z)) > 0.01) continue;
            if (!Overlaps(u->port_y, u->stbd_y, c->port_y, c->stbd_y)) continue;
            aftEnd = aftEnd || (u->aft_x <= c->aft_x + 0.1 && u->fwd_x > c->aft_x);
            foreEnd = foreEnd || (u->fwd_x >= c->fwd_x - 0.1 && u->aft_x < c->fwd_x);
        }
        EXPECT_TRUE(aftEnd && foreEnd) << c->position.str() << " is not carried at both ends";
    }

    // Stack weights within the limits of their rows.
    std::map<std::tuple<int, int, int>, double> stacks;
    for (size_t bay = 0; bay < s.LoadData.BayLists.size(); ++bay)
        for (const container_rec& c : s.LoadData.BayLists[bay]) {
            SlotRef r;
            ASSERT_TRUE(ParsePosition(s.ContInfo, c.position.str(), r) && r.Resolved());
            stacks[{r.bay, r.section, r.row}] += c.weight;
        }
    for (const auto& [k, w] : stacks) {
        const auto& [bay, sec, row] = k;
        EXPECT_LE(w, s.ContInfo.bays[size_t(bay)].sections[size_t(sec)].row_max_weight[size_t(row)] + 1e-3);
    }
}

TEST(SampleConditions, BaleItemsStandInTheHoldsAndOnTheHatchCovers) {
    KvState s = Opened(*Find("HEAVY LIFT.LCF"));
    bool onDeck = false, inHold = false;
    for (const balecargo_rec& b : s.LoadData.BaleList) {
        const int h = HoldAtX(s.TankGroup, b.LCG);
        ASSERT_GE(h, 0);
        const tank_rec& hold = s.TankGroup.Groups[1].Tanks[size_t(h)];
        EXPECT_GE(b.AftX, hold.AftEnd);
        EXPECT_LE(b.ForeX, hold.ForeEnd);
        if (b.Where == BaleOnDeck) {
            onDeck = true;
            EXPECT_DOUBLE_EQ(b.BaseZ, double(hold.TopZ));
        } else {
            inHold = true;
            EXPECT_EQ(b.Where, BaleInHold);
            EXPECT_DOUBLE_EQ(b.BaseZ, double(hold.BottomZ));
        }
        EXPECT_GT(b.VCG, b.BaseZ);
        EXPECT_EQ(b.Corners[0][0], int32_t(std::trunc(double(b.AftX) * 100)));
        EXPECT_EQ(b.Corners[2][1], int32_t(std::trunc(double(b.SideY2) * 100)));
    }
    EXPECT_TRUE(onDeck);
    EXPECT_TRUE(inHold);
}

TEST(SampleConditions, FloatInsideTheTablesAndDeparturesPassTheCriteria) {
    struct Case {
        const char* file;
        bool departure;
        bool upright;  // the list trimmed by ballast (the light ship keeps the cranes' list)
    };
    const Case cases[] = {{"LIGHTSHIP.LCF", false, false},
                          {"BALLAST DEPARTURE.LCF", true, true},
                          {"BALLAST ARRIVAL.LCF", false, true},
                          {"FULL CONTAINERS.LCF", true, true},
                          {"HEAVY LIFT.LCF", true, true}};
    const xyztable_rec& hydro = Data().ship.ShipTables.HydroTable();
    const double minTrim = std::stod(hydro.LayerHeads[1].str()), maxTrim = std::stod(hydro.LayerHeads[size_t(hydro.LayerCount)].str());
    for (const Case& k : cases) {
        KvState s = Opened(*Find(k.file));
        s.MaxDisplacement = double(Data().ship.DesignDisplacement);
        CalculateAll(s);
        const calcdata_rec& r = s.CalcData;
        std::printf("[figures] %-22s disp %8.1f t  dwt %7.1f t  trim %6.3f m  heel %6.3f deg  dAP %6.3f  dFP %6.3f  "
                    "KMT %6.3f  VCG %6.3f  GoM %6.3f  maxGZ %5.3f at %4.1f  range %5.1f  roll %5.2f s\n",
                    k.file, double(r.Displacement), double(r.Deadweight), double(r.Trim), double(r.Heel),
                    double(r.DraftAP), double(r.DraftFP), double(r.KMT), double(r.VCG), double(r.Stab.GoM),
                    double(r.Stab.MaxGZ), double(r.Stab.MaxGZAngle), double(r.Stab.StabRange),
                    double(s.Calc.RollPeriod));
        for (const stabcriterion_rec& c : s.Calc.StabilityCriteria)
            if (c.Shown && c.Judge != "OK")
                std::printf("[figures]   %-40s %10s %2s %10s %s\n", c.Name.c_str(), c.Actual.c_str(), c.Sign.c_str(),
                            c.Allow.c_str(), c.Judge.c_str());
        EXPECT_LE(double(r.DisplacementSW), double(Data().ship.DesignDisplacement) * 1.05) << k.file;
        EXPECT_GT(double(r.Stab.GoM), 0) << k.file;
        EXPECT_FALSE(s.Calc.FloatRangeExceeded) << k.file << " floats outside the tables";
        EXPECT_GE(double(r.Trim), minTrim) << k.file;
        EXPECT_LE(double(r.Trim), maxTrim) << k.file;
        if (!k.upright) continue;
        EXPECT_LT(std::fabs(double(r.Heel)), 1.0) << k.file;
        // Propeller and forward draft of a sea-going condition.
        EXPECT_GT(double(r.DraftAP), 5.0) << k.file;
        EXPECT_GT(double(r.DraftFP), 3.5) << k.file;
        if (k.departure) {
            EXPECT_TRUE(s.Calc.JudgementFlags[StabilityOK]) << k.file;
            EXPECT_FALSE(s.Calc.StabilityRangeExceeded) << k.file;
            for (const stabcriterion_rec& c : s.Calc.StabilityCriteria)
                if (c.Shown && !c.Judge.empty()) {
                    EXPECT_EQ(c.Judge, "OK") << k.file << ": " << c.Name;
                }
        }
    }
}

TEST(SampleConditions, FaultyDefinitionsAreRefused) {
    using nlohmann::json;
    const char* cases[] = {
        R"j({"tanks": [{"name": "NO.9 DB W.B.TK (P)", "percent": 50}]})j",
        R"j({"tanks": [{"name": "FORE PEAK TANK", "percent": 101}]})j",
        R"j({"tanks": [{"group": 8, "percent": 50}]})j",
        R"j({"constants": [{"name": "BUNKER", "weight": 5}]})j",
        R"j({"title": "A TITLE OF MORE THAN TWENTY-THREE LETTERS"})j",
        R"j({"containers": [{"bays": ["99"], "section": "IN HOLD", "iso": "22G1", "weight": 10}]})j",
        R"j({"containers": [{"bays": ["02"], "section": "IN HOLD", "iso": "22G1", "weight": 10}]})j",
        R"j({"containers": [{"bays": "40", "section": "ON DECK", "iso": "42G1", "weight": 200}]})j",
        R"j({"containers": [{"bays": "40", "section": "IN HOLD", "iso": "ZZZZ", "weight": 20}]})j",
        R"j({"bale": [{"code": "NOSUCH", "where": "IN HOLD", "x": 80, "y": 0, "weight": 10}]})j",
        R"j({"bale": [{"code": "BOX", "where": "IN HOLD", "x": 126, "y": 0, "weight": 10}]})j",
        R"j({"bale": [{"code": "BOX", "where": "IN HOLD", "x": 80, "y": 9, "weight": 10}]})j",
        R"j({"bale": [{"code": "BOX", "where": "ABOVE", "x": 80, "y": 0, "weight": 10}]})j",
        R"j({"bale": [{"code": "BOX", "where": "IN HOLD", "x": 80, "y": 0, "weight": 10},
                     {"code": "BOX", "where": "IN HOLD", "x": 85, "y": 2, "weight": 10}]})j",
    };
    for (const char* text : cases) {
        KvState s = ConditionState(Data());
        EXPECT_THROW(BuildCondition(json::parse(text), "test.json", s), DefinitionError) << text;
    }
    // The same items where they fit are accepted.
    KvState s = ConditionState(Data());
    EXPECT_NO_THROW(BuildCondition(json::parse(R"j({"bale": [
        {"code": "BOX", "where": "IN HOLD", "x": 74, "y": 0, "weight": 10},
        {"code": "BOX", "where": "IN HOLD", "x": 84, "y": 0, "weight": 10},
        {"code": "BOX", "where": "ON DECK", "x": 74, "y": 0, "weight": 10}]})j"), "test.json", s));
    EXPECT_EQ(s.LoadData.BaleList.size(), 3u);
}
