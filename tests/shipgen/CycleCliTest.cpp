// korvanel-cli calc and bench on a data set holding the box barge: the
// results of a condition in internal units, as text and as JSON, and the
// exit codes.
#include <gtest/gtest.h>

#include "BoxBarge.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"
#include "shipgen/Builders.h"

using namespace kv::shipgen;
using nlohmann::json;

namespace {

const std::string& kCli = kvtest::CliPath();
using RunResult = kvtest::CliResult;
using kvtest::RunCli;

class CycleCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new kvtest::TempDir();
        const HullTables t = kvtest::BoxBargeTables(6150);
        kv::shipinfo_rec ship;
        ship.LBP = 100;
        ship.LOA = 100;
        ship.Breadth = 20;
        ship.Depth = 10;
        ship.ForeEndX = 100;
        ship.LightWeight = 6150;  // 3 m of draft
        ship.LightLCG = 50;
        ship.LightVCG = 5;
        ship.LightTCG = 0.1;
        ship.ShipTables.Tables[kv::KNTableSlot] = t.KN;
        ship.ShipTables.Tables[kv::HydroTableSlot] = t.Hydro;
        ship.ShipTables.Tables[kv::FloodAngleTableSlot] = t.FloodAngle;
        ship.ShipTables.Tables[kv::ImmersionTableSlot] = t.Immersion;
        std::filesystem::create_directories(dir->path() + "/Save");
        kvtest::WriteShipOnlyDataSet(dir->path(), ship);
    }
    static void TearDownTestSuite() { delete dir; }
    void SetUp() override {
        if (!std::filesystem::exists(kCli)) GTEST_SKIP() << "korvanel-cli is not built: " << kCli;
        const std::string lcf = dir->path() + "/Save/EMPTY.LCF";
        if (!std::filesystem::exists(lcf)) {
            ASSERT_EQ(Run("new '" + lcf + "'").exitCode, 0);
        }
    }
    static RunResult Run(const std::string& args) { return RunCli("--data '" + dir->path() + "' " + args); }
    static std::string Lcf() { return "'" + dir->path() + "/Save/EMPTY.LCF'"; }
    static kvtest::TempDir* dir;
};
kvtest::TempDir* CycleCli::dir = nullptr;

}  // namespace

TEST_F(CycleCli, JsonResultsOfTheLightship) {
    const RunResult r = Run("calc " + Lcf() + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = json::parse(r.out);
    ASSERT_EQ(j["Summaries"].size(), 10u);
    EXPECT_EQ(j["Summaries"][0]["Weight"].get<double>(), 0);
    EXPECT_NEAR(j["Displacement"].get<double>(), 6150, 1e-6);
    EXPECT_NEAR(j["Deadweight"].get<double>(), 0, 1e-9);
    EXPECT_NEAR(j["DraftMean"].get<double>(), 3, 1e-5);
    EXPECT_NEAR(j["Trim"].get<double>(), 0, 1e-5);
    const double kmt = 1.5 + 400.0 / 36, gm = kmt - 5;
    EXPECT_NEAR(j["KMT"].get<double>(), kmt, 1e-4);
    EXPECT_NEAR(j["Stab"]["GoM"].get<double>(), gm, 1e-4);
    EXPECT_NEAR(j["Heel"].get<double>(), 0.1 / (gm * std::sin(M_PI / 180)), 1e-4);
    EXPECT_GT(j["Heel"].get<double>(), 0);  // the lightship stands to starboard
    for (const char* key : {"DisplacementSW", "TotalFSM", "LCG", "TCG", "VCG", "DraftAP", "DraftFP", "DraftPort",
                            "DraftStbd", "MarkDraftAft", "MarkDraftMid", "MarkDraftFwd", "DraftAtLCF", "LCB", "VCB",
                            "LCF", "TPC", "MTC", "PropImmersion", "Visibility"})
        EXPECT_TRUE(j.contains(key) && j[key].is_number()) << key;
    for (const char* key : {"GMSolid", "FSC", "Angles", "KNValues", "GZValues", "MaxGZ", "GZ30", "MaxGZAngle",
                            "AreaToMaxGZ", "StabRange", "Area30", "Area40", "Area30to40", "FloodAngle"})
        EXPECT_TRUE(j["Stab"].contains(key)) << key;
    EXPECT_EQ(j["Stab"]["Angles"].size(), j["Stab"]["GZValues"].size());
    for (const char* key : {"Lw1", "Lw2", "Theta0", "Theta1", "Theta2", "ThetaLw2", "ThetaC", "AreaA", "AreaB",
                            "WindArea", "RollPeriod"})
        EXPECT_TRUE(j["Weather"].contains(key)) << key;
    EXPECT_TRUE(j["Criteria"].is_array());
    EXPECT_TRUE(j["JudgementFlags"].contains("StabilityOK"));
    EXPECT_TRUE(j["WarningFlags"].contains("GrainNotUpright"));
    EXPECT_TRUE(j["Messages"].is_array());
    EXPECT_TRUE(j["TableRangeExceeded"].is_boolean());
    EXPECT_EQ(j["Strength"], "not computed");
    EXPECT_EQ(j["Flooding"], "not computed");
}

TEST_F(CycleCli, TextAndExitCodes) {
    RunResult r = Run("calc " + Lcf());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Displacement 6150.0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("not computed"), std::string::npos);
    EXPECT_EQ(Run("calc").exitCode, 2);
    EXPECT_EQ(Run("calc " + Lcf() + " extra").exitCode, 2);
    r = Run("calc '" + dir->path() + "/Save/NONE.LCF'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("file not found"), std::string::npos);
    r = Run("bench " + Lcf() + " --runs 3");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("whole call"), std::string::npos);
    EXPECT_NE(r.out.find("floating position"), std::string::npos);
    EXPECT_EQ(Run("bench " + Lcf() + " --runs 0").exitCode, 2);
}
