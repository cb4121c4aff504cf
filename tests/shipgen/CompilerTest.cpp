// The whole compile of the sample vessel: files written and read back by the
// program's readers, same definition giving the same bytes, the lightship
// distribution against the lightship, the options, and the refusals of a
// definition that cannot be compiled.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>

#include "TestSupport.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipConventions.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"
#include "numerics/TableLookup.h"
#include "shipgen/Compiler.h"
#include "shipgen/ShipDefinition.h"

namespace fs = std::filesystem;
using namespace kv::shipgen;

namespace {

const std::string kShipDir = std::string(KORVANEL_SOURCE_DIR) + "/ships/R549";
const char* kFiles[] = {"R549.LSI", "R549.TGP", "R549.CNT", "Cargo.code",
                        "Container.code", "dwc.code", "config.cfg", "Print.INI"};

// One compile shared by the tests of this file.
struct Compiled {
    kvtest::TempDir dir;
    double seconds = 0;
    Compiled() {
        auto t0 = std::chrono::steady_clock::now();
        CompileShip(kShipDir, dir.path());
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    std::string project(const std::string& f) const { return dir.path() + "/Project/" + f; }
};

const Compiled& Once() {
    static Compiled c;
    return c;
}

int Col(const kv::xyztable_rec& t, const std::string& name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[size_t(j)].str() == name) return j;
    return -1;
}

}  // namespace

TEST(CompilerR549, WritesTheDataSetThatTheReadersLoad) {
    const Compiled& c = Once();
    std::printf("compile of ships/R549: %.2f s\n", c.seconds);
    RecordProperty("compile_seconds", std::to_string(c.seconds));
    for (const char* f : kFiles) EXPECT_TRUE(fs::is_regular_file(c.project(f))) << f;
    for (const char* d : {"Save", "Approved", "Image"}) EXPECT_TRUE(fs::is_directory(c.dir.path() + "/" + d)) << d;
    auto ini = kvtest::ReadBytes(c.project("Print.INI"));
    EXPECT_EQ(std::string(ini.begin(), ini.end()), "[Print]\r\nTAIL=4\r\n");

    kv::shipinfo_rec ship;
    ASSERT_TRUE(kv::ReadShipInfoFile(c.project("R549.LSI"), ship));
    kv::tankgroup_rec tanks;
    ASSERT_TRUE(kv::ReadTankGroupFile(c.project("R549.LSI"), tanks));
    kv::continfo_rec cont;
    ASSERT_TRUE(kv::ReadContainerGeometry(c.project("R549.LSI"), cont));

    EXPECT_EQ(ship.ShipName.str(), "KORVANEL PIONEER");
    EXPECT_DOUBLE_EQ(double(ship.LBP), 140.0);
    EXPECT_GE(double(ship.LightWeight), 6000.0);
    EXPECT_LE(double(ship.LightWeight), 7000.0);
    // Design deadweight is the displacement at the design draft less the lightship.
    EXPECT_NEAR(double(ship.DesignDeadweight), double(ship.DesignDisplacement - ship.LightWeight), 1e-6);
    for (size_t g = 0; g < 9; ++g) {
        EXPECT_EQ(ship.GroupCount[g], tanks.Groups[g].TankCount) << g;
        EXPECT_EQ(tanks.Groups[g].GroupIndex, int(g));
    }
    EXPECT_EQ(tanks.Groups[2].GroupName.str(), "Ballast");
    // Frames cover the ship; frames 12..69 aft and 204..250 forward lie on the hull.
    ASSERT_GE(ship.FrameList.size(), 2u);
    EXPECT_LE(double(ship.FrameList.front().PosMM) / 1000, double(ship.AftEndX));
    EXPECT_GE(double(ship.FrameList.back().PosMM) / 1000, double(ship.ForeEndX));
    for (double f : {12.0, 69.0, 204.0, 250.0}) {
        double x = double(kv::FrameToPosition(ship, f)) / 1000;
        EXPECT_GE(x, double(ship.AftEndX)) << f;
        EXPECT_LE(x, double(ship.ForeEndX)) << f;
    }
    EXPECT_LT(double(kv::FrameToPosition(ship, 69.0)) / 1000, 70.0);  // aft body
    EXPECT_GT(double(kv::FrameToPosition(ship, 204.0)) / 1000, 70.0);  // fore body
    // Every tank of groups 1..7 has its base table, every table slot the
    // twelve stored tables; the hull tables, the grain table and the
    // limiting GM/KG curves are present, the damage limit GM empty.
    for (int g = 1; g <= 7; ++g)
        for (const kv::tank_rec& t : tanks.Groups[size_t(g)].Tanks) {
            EXPECT_FALSE(t.TkTables[kv::TkBase].Empty()) << t.TankName.str();
            EXPECT_GT(double(t.MaxVolume), 0.0) << t.TankName.str();
        }
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10}) EXPECT_FALSE(ship.ShipTables.Tables[size_t(slot)].Empty()) << slot;
    for (int slot : {8}) EXPECT_TRUE(ship.ShipTables.Tables[size_t(slot)].Empty()) << slot;
    EXPECT_GT(ship.ClassAllow.readouts.size(), 5u);
    EXPECT_EQ(ship.ShipTables.CargoMassList.size(), size_t(ship.GroupCount[0]));
    EXPECT_FALSE(ship.PlanObjects.empty());
}

TEST(CompilerR549, SameDefinitionGivesTheSameBytes) {
    const Compiled& a = Once();
    kvtest::TempDir other;
    CompileShip(kShipDir, other.path());
    for (const char* f : kFiles) {
        auto x = kvtest::ReadBytes(a.project(f));
        auto y = kvtest::ReadBytes(other.path() + "/Project/" + f);
        EXPECT_FALSE(x.empty()) << f;
        EXPECT_TRUE(x == y) << f << " differs between two compiles";
    }
}

TEST(CompilerR549, LightweightDistributionSumsToTheLightship) {
    kv::shipinfo_rec ship;
    ASSERT_TRUE(kv::ReadShipInfoFile(Once().project("R549.LSI"), ship));
    const kv::xyztable_rec& t = ship.ShipTables.Tables[kv::StrengthTableSlot];
    for (const char* h : {"AFR", "AE", "FFR", "FE", "LCG", "WEIGHT", "QA", "QF", "Q"}) ASSERT_GT(Col(t, h), 0) << h;
    auto v = [&](const char* h, int r) { return double(t.Values[1][size_t(Col(t, h))][size_t(r)]); };
    double w = 0, m = 0, q = 0;
    for (int r = 1; r <= t.RowCount; ++r) {
        // The extent as the strength calculation reads it back.
        double xa = std::round((double(kv::FrameToPosition(ship, v("AFR", r))) / 1000 + v("AE", r)) * 1000) / 1000;
        double xf = std::round((double(kv::FrameToPosition(ship, v("FFR", r))) / 1000 + v("FE", r)) * 1000) / 1000;
        SCOPED_TRACE(testing::Message() << "row " << r << " " << xa << ".." << xf);
        EXPECT_GT(v("LCG", r), xa);
        EXPECT_LT(v("LCG", r), xf);
        EXPECT_GE(xa, double(ship.AftEndX));
        EXPECT_LE(xf, double(ship.ForeEndX));
        // The trapezoid carries the same weight and centre.
        double qa = v("QA", r), qf = v("QF", r), L = xf - xa;
        EXPECT_GE(qa, -1e-9);
        EXPECT_GE(qf, -1e-9);
        EXPECT_NEAR((qa + qf) / 2 * L, v("WEIGHT", r), 1e-6 * v("WEIGHT", r));
        EXPECT_NEAR(xa + L * (2 * qf + qa) / (3 * (qa + qf)), v("LCG", r), 1e-6);
        w += v("WEIGHT", r);
        m += v("WEIGHT", r) * v("LCG", r);
        q += v("Q", r);
    }
    EXPECT_NEAR(w, double(ship.LightWeight), 1e-6);
    EXPECT_NEAR(q, double(ship.LightWeight), 1e-6);
    EXPECT_NEAR(m / w, double(ship.LightLCG), 1e-9);
    // The three cranes are part of it.
    int cranes = 0;
    for (int r = 1; r <= t.RowCount; ++r)
        if (std::fabs(v("LCG", r) - 45.78) < 1e-9 || std::fabs(v("LCG", r) - 89.23) < 1e-9 ||
            std::fabs(v("LCG", r) - 131.495) < 1e-9)
            ++cranes;
    EXPECT_EQ(cranes, 3);
}

TEST(CompilerR549, OptionsStrengthSetsAndHoldMassCurves) {
    kv::shipinfo_rec ship;
    ASSERT_TRUE(kv::ReadShipInfoFile(Once().project("R549.LSI"), ship));
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19, 20}) EXPECT_TRUE(ship.OptionOn(i)) << i;
    for (int i : {15, 16, 21}) EXPECT_FALSE(ship.OptionOn(i)) << i;
    EXPECT_EQ(ship.OptionText(8), "1");  // holds: ullage corrections in millimetres
    EXPECT_EQ(ship.OptionText(9), "2");  // tanks: volume by trim, heel correction in millimetres
    EXPECT_EQ(ship.OptionText(3), "2");
    // Four allowable sets, each with shear force, bending and torsion curves.
    for (const kv::allow_rec* a : {&ship.ClassAllow.intact[0], &ship.ClassAllow.intact[1],
                                   &ship.ClassAllow.flooded[0], &ship.ClassAllow.flooded[1]}) {
        EXPECT_GT(a->sfcount, 0);
        EXPECT_GT(a->bmcount, 0);
        EXPECT_GT(a->tmcount, 0);
        EXPECT_NE(double(a->maxbm), 0.0);
        for (const kv::allowseg_rec& s : a->sfsegs) EXPECT_LT(double(s.AftX), double(s.ForeX));
    }
    // Harbour limits are not below sea-going ones at the same place.
    for (size_t i = 0; i < ship.ClassAllow.intact[0].bmsegs.size(); ++i)
        EXPECT_GE(double(ship.ClassAllow.intact[1].bmsegs[i].Pos1Aft), double(ship.ClassAllow.intact[0].bmsegs[i].Pos1Aft));
    const auto& holds = ship.ShipTables.CargoMassList;
    for (size_t h = 0; h < holds.size(); ++h)
        for (int k = 0; k < 2; ++k) {
            const kv::massminmaxinfo_rec& one = holds[h].OneHold[size_t(k)];
            ASSERT_GE(one.MaxCurve.size(), 2u);
            for (size_t p = 0; p < one.MaxCurve.size(); ++p) {
                EXPECT_GE(double(one.MaxCurve[p].Mass), double(one.MinCurve[p].Mass)) << h;
                if (p > 0) {
                    EXPECT_GT(double(one.MaxCurve[p].Draft), double(one.MaxCurve[p - 1].Draft));
                }
            }
            // The pair curves exist for every hold but the last.
            EXPECT_EQ(holds[h].TwoHolds[size_t(k)].MaxCurve.empty(), h + 1 == holds.size()) << h;
        }
}

namespace {

// A copy of the sample definition with one file changed.
struct EditedDefinition {
    kvtest::TempDir dir;
    EditedDefinition(const std::string& file, const std::function<void(nlohmann::json&)>& edit) {
        for (const auto& e : fs::directory_iterator(kShipDir)) fs::copy(e.path(), fs::path(dir.path()) / e.path().filename());
        nlohmann::json j = LoadJsonFile(dir.path() + "/" + file);
        edit(j);
        std::ofstream(dir.path() + "/" + file) << j.dump(1);
    }
};

}  // namespace

TEST(CompilerR549, RefusesADefinitionThatCannotBeCompiled) {
    struct Case {
        const char* what;
        const char* file;
        std::function<void(nlohmann::json&)> edit;
        const char* message;
    };
    const Case cases[] = {
        {"lightweight centre near an end", "lightweight.json",
         [](nlohmann::json& j) { j["items"][5]["lcg"] = 8.6; }, "middle third"},
        {"lightweight item past the stem", "lightweight.json",
         [](nlohmann::json& j) { j["items"][4]["x"][1] = 147.0; }, "beyond the ends of the hull"},
        {"frames short of the stem", "ship.json",
         [](nlohmann::json& j) { j["frames"]["runs"][1]["to"] = 230; }, "frame table must cover"},
        {"option listed twice", "ship.json",
         [](nlohmann::json& j) { j["options"].push_back({{"index", 3}, {"enabled", true}}); }, "given twice"},
        {"tank name too long", "compartments.json",
         [](nlohmann::json& j) { j["tanks"][0]["name"] = std::string(51, 'X'); }, "longer than 50"},
        {"missing particular", "ship.json", [](nlohmann::json& j) { j.erase("breadth"); }, "\"breadth\""},
        {"text where a number belongs", "compartments.json",
         [](nlohmann::json& j) { j["tanks"][0]["parts"][0]["cuts"] = {{"a", 1, 2}}; }, "malformed entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditedDefinition def(c.file, c.edit);
        try {
            BuildShipDataSet(def.dir.path());
            ADD_FAILURE() << "compiled";
        } catch (const DefinitionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(BuildShipDataSet(std::string(KORVANEL_SOURCE_DIR) + "/ships/NOSUCHSHIP"), DefinitionError);
}

TEST(CompilerR549, CommandLineReportsErrorsWithExitCodeOne) {
    const std::string exe = std::string(KORVANEL_BINARY_DIR) + "/src/korvanel-shipgen";
    if (!fs::exists(exe)) GTEST_SKIP() << "korvanel-shipgen not built";
    kvtest::TempDir out;
    struct Case { std::string args; int code; };
    for (const Case& c : {Case{"", 1}, Case{kShipDir, 1}, Case{"/nonexistent --out " + out.path(), 1},
                          Case{kShipDir + " --out " + out.path() + " --bogus", 1}}) {
        std::string cmd = exe + " " + c.args + " >/dev/null 2>" + out.path() + "/err.txt";
        int rc = std::system(cmd.c_str());
        EXPECT_EQ(WEXITSTATUS(rc), c.code) << c.args;
        EXPECT_GT(fs::file_size(out.path() + "/err.txt"), 0u) << c.args;
    }
    EXPECT_EQ(WEXITSTATUS(std::system((exe + " " + kShipDir + " --out " + out.path() + "/set >/dev/null").c_str())), 0);
    EXPECT_TRUE(fs::is_regular_file(out.path() + "/set/Project/R549.TGP"));
}
