// korvanel-cli hydro and kn on a data set holding the box barge's tables.
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
constexpr double kPi = 3.14159265358979323846;

class HullCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new kvtest::TempDir();
        const HullTables t = kvtest::BoxBargeTables(1500);
        kv::shipinfo_rec ship;
        ship.LBP = 100;
        ship.Breadth = 20;
        ship.Depth = 10;
        ship.ShipTables.Tables[kv::KNTableSlot] = t.KN;
        ship.ShipTables.Tables[kv::HydroTableSlot] = t.Hydro;
        kvtest::WriteShipOnlyDataSet(dir->path(), ship);
    }
    static void TearDownTestSuite() { delete dir; }
    void SetUp() override {
        if (!std::filesystem::exists(kCli)) GTEST_SKIP() << "korvanel-cli is not built: " << kCli;
    }
    static RunResult Run(const std::string& args) { return RunCli("--data '" + dir->path() + "' " + args); }
    static kvtest::TempDir* dir;
};
kvtest::TempDir* HullCli::dir = nullptr;

}  // namespace

TEST_F(HullCli, HydroReadsEveryColumnAtTheKeyAndTrim) {
    struct Case {
        const char* args;
        double draft, lcb, kmt;
    };
    // Box L 100, B 20: DISP = 2050 T; LCB = 50 + 100 t / (12 T) is linear in
    // trim, so reading between the trim layers 0 and 2 is exact.
    const Case cases[] = {
        {"hydro --draft 5 --json", 5, 50, 2.5 + 400.0 / 60},
        {"hydro --disp 11275 --json", 5.5, 50, 2.75 + 400.0 / 66},
        {"hydro --disp 11275 --trim 1 --json", 5.5, 50 + 100.0 / 66, NAN},
        {"hydro --json --trim -2 --draft 7", 7, 50 - 200.0 / 84, 3.5 + 4.0 / 168 + 400.0 / 84},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const RunResult r = Run(c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const json j = json::parse(r.out);
        const char* keys[] = {"DISP", "DRAFT", "KMT", "LCB", "VCB", "LCF", "TPC", "MTC", "LWL"};
        ASSERT_EQ(j.size(), 9u);
        for (const char* k : keys) EXPECT_TRUE(j.contains(k)) << k;
        EXPECT_NEAR(j["DRAFT"].get<double>(), c.draft, 1e-9);
        EXPECT_NEAR(j["DISP"].get<double>(), 2050 * c.draft, 1e-6);
        EXPECT_NEAR(j["LCB"].get<double>(), c.lcb, 1e-9);
        if (!std::isnan(c.kmt)) {
            EXPECT_NEAR(j["KMT"].get<double>(), c.kmt, 1e-9);
        }
    }
}

TEST_F(HullCli, RangeExcursionIsHeldAndSaid) {
    // Beyond the deepest row (T 9) the values are held there.
    RunResult r = Run("hydro --disp 30000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("DRAFT            9.000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Table range exceeded"), std::string::npos);
    // With --json the note goes to standard error and the output stays JSON.
    r = Run("hydro --disp 30000 --json");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NEAR(json::parse(r.out)["DRAFT"].get<double>(), 9, 1e-9);
    EXPECT_NE(r.err.find("Table range exceeded"), std::string::npos);
    // Inside the table nothing is said.
    r = Run("hydro --disp 10250");
    EXPECT_EQ(r.out.find("Table range exceeded"), std::string::npos);
    r = Run("kn --disp 1000 --json");
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find("Table range exceeded"), std::string::npos);
}

TEST_F(HullCli, KnGivesEveryAngle) {
    const RunResult r = Run("kn --disp 10250 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = json::parse(r.out);
    ASSERT_EQ(j.size(), 2u);
    const std::vector<double> angles = j["angles"].get<std::vector<double>>();
    const std::vector<double> kn = j["KN"].get<std::vector<double>>();
    const std::vector<double> want = {5, 10, 15, 20, 25, 30, 40, 50, 60, 70, 80};
    EXPECT_EQ(angles, want);
    ASSERT_EQ(kn.size(), want.size());
    // Draft 5: wall-sided up to the deck edge, tan(phi) <= 5 / 10.
    for (size_t i = 0; i < 5; ++i) {
        const double h = angles[i] * kPi / 180, bm = 400.0 / 60;
        EXPECT_NEAR(kn[i], std::sin(h) * (2.5 + bm + bm / 2 * std::tan(h) * std::tan(h)), 1e-9) << angles[i];
    }
    const RunResult text = Run("kn --disp 10250");
    EXPECT_NE(text.out.find("80 deg"), std::string::npos) << text.out;
}

TEST_F(HullCli, RefusesWrongArguments) {
    for (const char* args : {"hydro", "hydro --disp 1 --draft 2", "hydro --disp", "hydro --disp abc", "hydro --bogus",
                             "kn", "kn --draft 5", "kn --disp 5 --trim"}) {
        SCOPED_TRACE(args);
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err, "");
        EXPECT_EQ(r.out, "");
    }
}
