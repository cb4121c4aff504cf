// Runs the built korvanel-cli on ship data sets written by the file writers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"

using namespace kv;
using nlohmann::json;

namespace {

const std::string& kCli = kvtest::CliPath();
using RunResult = kvtest::CliResult;
using kvtest::RunCli;

using kvtest::Quoted;

// A ship with values that need all 17 digits to come back exactly.
struct DataSet {
    shipinfo_rec ship;
    tankgroup_rec tanks;
    continfo_rec geo;

    DataSet() {
        ship.ShipName = ShortString<50>("MV \xC4GIR");  // Latin-1 A umlaut
        ship.HullNo = ShortString<50>("H-77");
        ship.DataStatus = ShortString<25>("FINAL");
        ship.LOA = 1.0L / 3 + 150;
        ship.LBP = 142.1L;
        ship.Breadth = 25.0L / 7;
        ship.Depth = 14.2L;
        ship.DesignDisplacement = 20000.0L / 3;
        ship.DesignDeadweight = 15000.1L;
        ship.LightWeight = 5432.123456789012345L;
        ship.LightLCG = 0.1L;
        ship.LightTCG = -1e-17L;
        ship.LightVCG = 10.0L / 9;
        ship.TrimSign = -1;
        ship.HeelSign = 1;
        ship.LongRefMidship = 1;
        ship.LongSign = -1;
        ship.TransSign = 1;
        for (size_t g = 0; g < 9; ++g) ship.GroupCount[g] = int32_t(g * 2);
        for (int f = 0; f < 3; ++f) {
            frame_rec fr;
            fr.FrameNo = f * 10 - 4;
            fr.PosMM = f * 7000.0L / 3 - 2800;
            ship.FrameList.push_back(fr);
        }
        ship.ShipTables.Tables[1].Title = ShortString<50>("HYDRO");
        ship.ShipTables.Tables[1].Resize(2, 3, 1);
        ship.ShipTables.Tables[1].ColHeads[1] = Heading("DISP");
        ship.ShipTables.Tables[1].ColHeads[2] = Heading("DRAFT");
        ship.ShipTables.Tables[1].LayerHeads[1] = Heading("0.0");
        ship.Options[3].Enabled = 1;
        ship.Options[3].Text = ShortString<50>("2");
        ship.Options[19].Text = ShortString<50>("1");
        ship.ClassAllow.readouts.resize(5);
        ship.ClassAllow.intact[1].bmsegs.resize(2);
        ship.ClassAllow.flooded[0].tmsegs.resize(1);

        tanks.Groups[2].GroupName = ShortString<50>("BALLAST");
        tanks.Groups[2].Tanks.resize(2);
        tanks.Groups[2].Tanks[1].TankName = ShortString<50>("NO.2 WBT(S)");
        tanks.Groups[2].Tanks[1].MaxVolume = 812.0L / 3;
        tanks.Groups[2].Tanks[1].MaxLevel = 12.7L;
        tanks.Groups[2].Tanks[1].AftEnd = 31.3L;
        tanks.Groups[2].Tanks[1].ForeEnd = 45.9L;
        tanks.Groups[2].Tanks[1].DefaultSG = 1.025L;

        geo.row_count = {3, 2};
        geo.tier_count = {2, 4};
        geo.bays.resize(2);
        geo.bay_count = 2;
        geo.bays[0].bay_name = ShortString<5>("01");
        geo.bays[1].bay_name = ShortString<5>("02");
        geo.bays[1].bay_kind = 3;
        geo.port_list.resize(3);
        geo.imdg_list.resize(1);
    }

    void Write(const std::string& dir) const {
        std::filesystem::create_directories(dir + "/Project");
        const std::string name = dir + "/Project/R549.LSI";
        WriteShipInfoFile(name, ship);
        WriteTankGroupFile(name, tanks);
        WriteContainerGeometry(name, geo);
    }
};

class CliInfo : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kCli)) GTEST_SKIP() << "korvanel-cli is not built: " << kCli;
    }
};

}  // namespace

TEST_F(CliInfo, JsonCarriesEveryFieldAtFullPrecision) {
    kvtest::TempDir dir;
    DataSet d;
    d.Write(dir.path());
    // --data after the command works as well as before it.
    RunResult r = RunCli("info --json --data " + Quoted(dir.path()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    const shipinfo_rec& s = d.ship;

    EXPECT_TRUE(j["MissingFiles"].empty());
    EXPECT_EQ(j["ShipName"], "MV \xC3\x84GIR");
    EXPECT_EQ(j["HullNo"], "H-77");
    EXPECT_EQ(j["DataStatus"], "FINAL");
    const std::pair<const char*, Extended> numbers[] = {
        {"LOA", s.LOA},
        {"LBP", s.LBP},
        {"Breadth", s.Breadth},
        {"Depth", s.Depth},
        {"DesignDisplacement", s.DesignDisplacement},
        {"DesignDeadweight", s.DesignDeadweight},
        {"LightWeight", s.LightWeight},
        {"LightLCG", s.LightLCG},
        {"LightTCG", s.LightTCG},
        {"LightVCG", s.LightVCG},
    };
    for (auto [key, v] : numbers) EXPECT_EQ(j[key].get<double>(), double(v)) << key;
    EXPECT_EQ(j["TrimSign"], -1);
    EXPECT_EQ(j["HeelSign"], 1);
    EXPECT_EQ(j["LongRefMidship"], 1);
    EXPECT_EQ(j["LongSign"], -1);
    EXPECT_EQ(j["TransSign"], 1);
    EXPECT_EQ(j["GroupCount"].get<std::vector<int>>(), (std::vector<int>{0, 2, 4, 6, 8, 10, 12, 14, 16}));

    ASSERT_EQ(j["Groups"].size(), 9u);
    const json& ballast = j["Groups"][2];
    EXPECT_EQ(ballast["GroupName"], "BALLAST");
    EXPECT_EQ(ballast["GroupIndex"], 2);
    ASSERT_EQ(ballast["Tanks"].size(), 2u);
    const tank_rec& t = d.tanks.Groups[2].Tanks[1];
    const json& jt = ballast["Tanks"][1];
    EXPECT_EQ(jt["TankName"], "NO.2 WBT(S)");
    EXPECT_EQ(jt["MaxVolume"].get<double>(), double(t.MaxVolume));
    EXPECT_EQ(jt["MaxLevel"].get<double>(), double(t.MaxLevel));
    EXPECT_EQ(jt["AftEnd"].get<double>(), double(t.AftEnd));
    EXPECT_EQ(jt["ForeEnd"].get<double>(), double(t.ForeEnd));
    EXPECT_EQ(jt["DefaultSG"].get<double>(), double(t.DefaultSG));

    EXPECT_EQ(j["FrameCount"], 3);
    EXPECT_EQ(j["FirstFrameNo"].get<double>(), -4.0);
    EXPECT_EQ(j["FirstFramePosMM"].get<double>(), -2800.0);
    EXPECT_EQ(j["LastFrameNo"].get<double>(), 16.0);
    EXPECT_EQ(j["LastFramePosMM"].get<double>(), double(s.FrameList[2].PosMM));

    ASSERT_EQ(j["Tables"].size(), 12u);
    const json& hydro = j["Tables"][1];
    EXPECT_EQ(hydro["Title"], "HYDRO");
    EXPECT_EQ(hydro["ColCount"], 2);
    EXPECT_EQ(hydro["RowCount"], 3);
    EXPECT_EQ(hydro["LayerCount"], 1);
    EXPECT_EQ(hydro["ColHeads"].get<std::vector<std::string>>(), (std::vector<std::string>{"DISP", "DRAFT"}));
    EXPECT_EQ(hydro["LayerHeads"].get<std::vector<std::string>>(), std::vector<std::string>{"0.0"});

    ASSERT_EQ(j["Options"].size(), 51u);
    EXPECT_EQ(j["Options"][3]["Enabled"], true);
    EXPECT_EQ(j["Options"][3]["Text"], "2");
    EXPECT_EQ(j["Options"][19]["Enabled"], false);
    EXPECT_EQ(j["Options"][19]["Text"], "1");

    EXPECT_EQ(j["ReadoutCount"], 5);
    ASSERT_EQ(j["AllowSets"].size(), 4u);
    EXPECT_EQ(j["AllowSets"][1]["Name"], "flooded SEA");
    EXPECT_EQ(j["AllowSets"][1]["tmcount"], 1);
    EXPECT_EQ(j["AllowSets"][2]["Name"], "intact PORT");
    EXPECT_EQ(j["AllowSets"][2]["bmcount"], 2);

    EXPECT_EQ(j["bay_count"], 2);
    EXPECT_EQ(j["row_count"].get<std::vector<int>>(), (std::vector<int>{3, 2}));
    EXPECT_EQ(j["tier_count"].get<std::vector<int>>(), (std::vector<int>{2, 4}));
    ASSERT_EQ(j["Bays"].size(), 2u);
    EXPECT_EQ(j["Bays"][1]["bay_name"], "02");
    EXPECT_EQ(j["Bays"][1]["bay_kind"], 3);
    EXPECT_EQ(j["PortCount"], 3);
    EXPECT_EQ(j["ImdgCount"], 1);
}

TEST_F(CliInfo, TextShowsTheParticularsWithUnits) {
    kvtest::TempDir dir;
    DataSet d;
    d.Write(dir.path());
    RunResult r = RunCli("--data " + Quoted(dir.path()) + " info");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* expected : {"MV \xC3\x84GIR", "142.100 m", "5432.12 t", "NO.2 WBT(S)", "270.667", "HYDRO",
                                 "DISP, DRAFT | 0.0", "Frames: 3", "intact PORT"})
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    EXPECT_EQ(r.out.find("Missing files"), std::string::npos);
}

TEST_F(CliInfo, MissingFilesAreNamedAndTheShipIsEmpty) {
    kvtest::TempDir dir;
    DataSet d;
    std::filesystem::create_directories(dir.file("Project"));
    WriteTankGroupFile(dir.file("Project/R549"), d.tanks);
    RunResult r = RunCli("--data " + Quoted(dir.path()) + " info --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    EXPECT_EQ(j["MissingFiles"].get<std::vector<std::string>>(),
              (std::vector<std::string>{"Project/R549.LSI", "Project/R549.CNT"}));
    EXPECT_EQ(j["ShipName"], "");
    EXPECT_EQ(j["FrameCount"], 0);
    EXPECT_TRUE(j["FirstFrameNo"].is_null());
    EXPECT_EQ(j["bay_count"], 0);
    EXPECT_EQ(j["Groups"][2]["Tanks"].size(), 2u);

    RunResult text = RunCli("--data " + Quoted(dir.path()) + " info");
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("Project/R549.LSI"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Project/R549.CNT"), std::string::npos) << text.out;
}

TEST_F(CliInfo, ErrorsGoToStandardErrorWithANonZeroExit) {
    kvtest::TempDir dir;
    DataSet d;
    d.Write(dir.path());
    std::vector<uint8_t> tgp = kvtest::ReadBytes(dir.file("Project/R549.TGP"));
    tgp.resize(tgp.size() / 2);
    kvtest::WriteBytes(dir.file("Project/R549.TGP"), tgp);

    struct Case {
        std::string args;
        int exitCode;
        std::string inErr;
    } cases[] = {
        {"--data " + Quoted(dir.path()) + " info --json", 1, "R549.TGP"},
        {"--data " + Quoted(dir.file("nowhere")) + " info", 1, "nowhere"},
        {"--data " + Quoted(dir.path()) + " info --bogus", 2, "--bogus"},
        {"--data " + Quoted(dir.path()) + " frobnicate", 2, "frobnicate"},
        {"", 2, "usage"},
        {"info --data", 2, "--data"},
    };
    for (const Case& c : cases) {
        RunResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args << ": " << r.out;
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << c.args << ": " << r.err;
    }
}
