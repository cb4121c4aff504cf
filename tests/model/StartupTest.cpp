#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "TestSupport.h"
#include "model/ConfigFile.h"
#include "model/ShipInfoFile.h"
#include "startup/Initialize.h"
#include "startup/PrintIni.h"
#include "startup/StartWarning.h"

using namespace kv;

namespace {

// Runs the body with the process's current directory set to dir.
class CurrentDir {
public:
    explicit CurrentDir(const std::string& dir) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~CurrentDir() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

}  // namespace

TEST(Startup, MissingShipFilesGiveTheEmptyShipSilently) {
    kvtest::TempDir data, cwd;
    CurrentDir in(cwd.path());
    KvState s;
    RecordingSink sink;
    s.Messages = &sink;
    InitReport r = InitShipData(s, data.path());
    EXPECT_EQ(r.MissingFiles, (std::vector<std::string>{"Project/R549.LSI", "Project/R549.TGP", "Project/R549.CNT"}));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(s.ExePath, data.path() + "/");
    for (int g = 0; g < LoadGroupCount; ++g) EXPECT_EQ(s.ShipInfo.GroupCount[size_t(g)], 0);
    EXPECT_EQ(s.ContInfo.bay_count, 0);
    EXPECT_EQ(s.LoadData.SeaDensity, 1.025L);
    EXPECT_EQ(s.MaxDisplacement, 0.0);
    EXPECT_FALSE(r.PrintIniFound);
    EXPECT_EQ(s.PrintTailLines, 4);
}

// A damaged ship file stops the start-up with a message that names the file.
TEST(Startup, ADamagedShipFileStopsTheStartUpNamingTheFile) {
    for (const char* name : {"R549.LSI", "R549.TGP", "R549.CNT"}) {
        kvtest::TempDir data, cwd;
        CurrentDir in(cwd.path());
        std::filesystem::create_directories(data.file("Project"));
        kvtest::WriteBytes(data.file(std::string("Project/") + name), {1, 0, 0});
        KvState s;
        try {
            InitShipData(s, data.path());
            ADD_FAILURE() << name << ": no error";
        } catch (const IoError& e) {
            std::string m = e.what();
            EXPECT_NE(m.find("Read beyond end of file"), std::string::npos) << m;
            EXPECT_NE(m.find(name), std::string::npos) << m;
        }
    }
}

// "Print.INI" is looked up relative to the current directory, not the data folder.
TEST(Startup, PrintIniIsReadFromTheCurrentDirectory) {
    kvtest::TempDir data, cwd;
    WriteText(data.file("Project/Print.INI"), "[Print]\nTAIL=9\n");  // not looked at
    WriteText(cwd.file("Project/Print.INI"), "; footer\n[print]\n tail = 7 \n");
    CurrentDir in(cwd.path());
    KvState s;
    InitReport r = InitShipData(s, data.path());
    EXPECT_TRUE(r.PrintIniFound);
    EXPECT_EQ(s.PrintTailLines, 7);
}

TEST(Startup, PrintIniWithoutAnIntegerTailIsAnError) {
    for (const char* text : {"[Print]\nTAIL=\n", "[Print]\nTAIL=abc\n", "[Other]\nTAIL=3\n", "[Print]\nTAIL=3x\n"}) {
        kvtest::TempDir cwd;
        WriteText(cwd.file("Project/Print.INI"), text);
        int tail = 0;
        EXPECT_THROW(ReadPrintIni(cwd.file("Project/Print.INI"), tail), ConversionError) << text;
    }
}

// The maximum displacement is the chosen load line's deadweight plus the
// lightweight, or the design displacement without a "DWT" column.
TEST(Startup, MaxDisplacementFromTheLoadLineTable) {
    kvtest::TempDir data, cwd;
    CurrentDir in(cwd.path());
    std::filesystem::create_directories(data.file("Project"));
    shipinfo_rec ship;
    ship.DesignDisplacement = 12000;
    ship.LightWeight = 6500;
    WriteShipInfoFile(data.file("Project/R549.LSI"), ship);
    {
        KvState s;
        InitShipData(s, data.path());
        EXPECT_EQ(s.MaxDisplacement, 12000.0);
    }
    xyztable_rec& ll = ship.ShipTables.Tables[LoadLineTableSlot];
    ll.Resize(4, 1, 2);
    const char* heads[] = {"FB", "DRAFT", "DWT", "DISP"};
    for (int c = 1; c <= 4; ++c) ll.ColHeads[size_t(c)].set(heads[c - 1]);
    ll.LayerHeads[1].set("SUMMER");
    ll.LayerHeads[2].set("WINTER");
    ll.Values[1][3][1] = 15000;
    ll.Values[2][3][1] = 14600;
    WriteShipInfoFile(data.file("Project/R549.LSI"), ship);
    config_rec config;
    config.LoadLineIndex = 1;  // the second page
    config.WeightUnit = 1;     // long tons on screen; the maximum stays in tonnes
    WriteConfigFile(config, data.file("Project/config.cfg"));
    KvState s;
    InitShipData(s, data.path());
    EXPECT_DOUBLE_EQ(s.MaxDisplacement, 14600.0 + 6500.0);
}

TEST(Startup, StartWarningThirdLine) {
    struct Case { const char* option19; int lengthUnit; double minDraft; const char* ending; };
    const Case cases[] = {
        {"1", 0, 3.5, "less than 3.500m(extreme)"},
        {"0", 0, 3.5, "less than 3.500m(mould)"},
        {"0", 1, 3.5, "less than 11.483ft(mould)"},
        {"", 0, 0.0, "less than 0.000m()"},
    };
    for (const auto& c : cases) {
        KvState s;
        s.ShipInfo.Options[19].Text.set(c.option19);
        s.ShipInfo.Options[19].Enabled = 0;  // read through its text, not its flag
        s.Config.LengthUnit = c.lengthUnit;
        s.Config.Limits[0] = c.minDraft;
        RefreshUnits(s.Config, s.Units);
        std::string line = StartWarningLine3(s);
        EXPECT_EQ(line.rfind("when the forward draught during these operations is less than ", 0), 0u);
        EXPECT_TRUE(line.size() >= strlen(c.ending) && line.compare(line.size() - strlen(c.ending), std::string::npos, c.ending) == 0)
            << line;
    }
}
