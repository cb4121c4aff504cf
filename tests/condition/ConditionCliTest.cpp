// The condition commands of korvanel-cli on a small ship written by the ship
// data writers, checked against the same ship loaded in this process.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include "ConditionFixture.h"
#include "TestSupport.h"
#include "containers/BayGeometry.h"
#include "model/ConditionFile.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"
#include "startup/Initialize.h"

using namespace kv;

namespace {

const std::string& kCli = kvtest::CliPath();
using RunResult = kvtest::CliResult;
using kvtest::RunCli;

std::string Q(const std::string& s) { return kvtest::Quoted(s); }

}  // namespace

TEST(ConditionCli, NewFilledSavedReopenedAndShown) {
    if (!std::filesystem::exists(kCli)) GTEST_SKIP() << "korvanel-cli is not built: " << kCli;
    kvtest::TempDir data;
    std::filesystem::create_directories(data.file("Project"));
    std::filesystem::create_directories(data.file("Save"));
    {
        KvState ship = kvtest::MakeShipState();
        const std::string base = data.file("Project/R549.LSI");
        WriteShipInfoFile(base, ship.ShipInfo);
        WriteTankGroupFile(base, ship.TankGroup);
        WriteContainerGeometry(base, ship.ContInfo);
    }
    const std::string file = data.file("Save/voyage.LCF");
    RunResult made = RunCli("--data " + Q(data.path()) + " new " + Q(file));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(kvtest::ReadBytes(file).size(), 744u + 4 + 136u * 11 + 2 * 4 + 2 * 4 + 4);

    // The program starts with a new condition; the one written by the
    // command-line program opens into it.
    KvState s;
    RecordingSink sink;
    s.Messages = &sink;
    InitShipData(s, data.path());
    EXPECT_EQ(s.ConditionFileName, "Untitled");
    EXPECT_EQ(s.LoadData.SeaDensity, 1.025L);
    EXPECT_EQ(s.LoadData.Loads[2].Items.size(), 1u);
    ASSERT_EQ(s.CargoCodeList.size(), 1u);
    EXPECT_EQ(s.CargoCodeList[0].Code.str(), "BOX");
    ASSERT_EQ(s.DwcList.size(), 1u);
    ASSERT_EQ(OpenConditionFile(s, file, sink), OpenResult::Opened) << (sink.messages.empty() ? "" : sink.messages[0]);
    EXPECT_EQ(s.LoadData.Loads[2].Items[0].Density, 1.2L);

    s.LoadData.VoyageNo.set("V-42");
    s.LoadData.Loads[2].Items[0].Volume = 120.5L;
    s.LoadData.Loads[2].Items[0].Weight = 123.5L;
    container_rec c;
    c.position.set(" 020102");
    c.container_id.set("CSQU3054383");
    c.iso_code.set("45G1");
    c.weight = 21.5f;
    c.section = InHold;
    c.ports[PortOfLoading].set("DEHAM");
    c.dg_items = std::vector<dgitem_rec>(1);
    (*c.dg_items)[0].un_no.set("1263");
    s.LoadData.BayLists[1].push_back(c);
    UpdateBayGeometry(s.ContInfo, s.LoadData, 1, s.Config.ContVCGPercent);
    SaveConditionFile(s, file);
    const auto saved = kvtest::ReadBytes(file);

    KvState again;
    InitShipData(again, data.path());
    ASSERT_EQ(OpenConditionFile(again, file, sink), OpenResult::Opened);
    SaveConditionFile(again, data.file("Save/copy.LCF"));
    EXPECT_EQ(kvtest::ReadBytes(data.file("Save/copy.LCF")), saved);

    RunResult shown = RunCli("--data " + Q(data.path()) + " show " + Q(file) + " --json");
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    nlohmann::json j = nlohmann::json::parse(shown.out);
    EXPECT_EQ(j["VoyageNo"], "V-42");
    EXPECT_EQ(j["SeaDensity"], 1.025);
    ASSERT_EQ(j["Loads"].size(), 8u);
    EXPECT_EQ(j["Loads"][1]["group"], 2);
    EXPECT_EQ(j["Loads"][1]["Items"][0]["TankName"], "G2T1");
    EXPECT_EQ(j["Loads"][1]["Items"][0]["Weight"], 123.5);
    ASSERT_EQ(j["Bays"].size(), 2u);
    EXPECT_EQ(j["Bays"][1]["bay_name"], "02");
    const auto& cj = j["Bays"][1]["Containers"][0];
    EXPECT_EQ(cj["container_id"], "CSQU3054383");
    EXPECT_EQ(cj["ports"][0], "DEHAM");
    EXPECT_TRUE(cj["bundles"].is_null());
    EXPECT_EQ(cj["dg_items"][0]["un_no"], "1263");
    EXPECT_DOUBLE_EQ(cj["bottom_z"].get<double>(), 2.0 - 1.0971);  // bottom hold tier
    EXPECT_EQ(j["CompCodes"].size(), 2u);

    RunResult text = RunCli("--data " + Q(data.path()) + " show " + Q(file));
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("CSQU3054383"), std::string::npos);
    EXPECT_NE(text.out.find("G2T1"), std::string::npos);

    auto cut = saved;
    cut.pop_back();
    kvtest::WriteBytes(data.file("Save/cut.LCF"), cut);
    RunResult bad = RunCli("--data " + Q(data.path()) + " show " + Q(data.file("Save/cut.LCF")));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("cut.LCF"), std::string::npos);
}
