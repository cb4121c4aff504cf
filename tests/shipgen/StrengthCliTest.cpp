// korvanel-cli calc on the compiled sample ship: longitudinal strength,
// torsion, grain, hold masses and flooded holds in the JSON and the text,
// the voyage override, the argument errors, and the bench's strength rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "shipgen/Compiler.h"
#include "SampleShip.h"

using nlohmann::json;
using kvtest::RunCli;

namespace {

class StrengthCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new kvtest::TempDir();
        data = new kv::shipgen::ShipDataSet(kvtest::R549Data());
        kv::shipgen::WriteShipDataSet(*data, dir->path());
    }
    static void TearDownTestSuite() {
        delete data;
        delete dir;
    }
    void SetUp() override {
        if (!std::filesystem::exists(kvtest::CliPath())) GTEST_SKIP() << "korvanel-cli is not built";
    }
    static kvtest::CliResult Run(const std::string& args) {
        return RunCli("--data " + kvtest::Quoted(dir->path()) + " " + args);
    }
    static std::string Lcf(const std::string& name) { return kvtest::Quoted(dir->path() + "/Save/" + name); }
    static json Calc(const std::string& name, const std::string& extra = "") {
        const kvtest::CliResult r = Run("calc " + Lcf(name) + " --json " + extra);
        EXPECT_EQ(r.exitCode, 0) << name << " " << extra << "\n" << r.err;
        return r.exitCode == 0 ? json::parse(r.out) : json::object();
    }
    static int Holds() { return int(data->tanks.Groups[0].Tanks.size()); }
    // The full container load: every hold loaded, the ship deep in the water.
    static std::string Loaded() { return "FULL CONTAINERS.LCF"; }
    static kvtest::TempDir* dir;
    static kv::shipgen::ShipDataSet* data;
};
kvtest::TempDir* StrengthCli::dir = nullptr;
kv::shipgen::ShipDataSet* StrengthCli::data = nullptr;

bool Finite(const json& v) { return v.is_number() && std::isfinite(v.get<double>()); }

bool InNotComputed(const json& j, const std::string& name) {
    return std::find(j["NotComputed"].begin(), j["NotComputed"].end(), name) != j["NotComputed"].end();
}

}  // namespace

// Every sample condition: the strength summary under its names with finite
// numbers; the extremes are those of the intervals; the shear force and the
// bending moment close at the fore end; the read-out rows show the values
// of the intervals they name.
TEST_F(StrengthCli, StrengthOfEverySampleCondition) {
    ASSERT_FALSE(data->conditions.empty());
    for (const auto& c : data->conditions) {
        SCOPED_TRACE(c.fileName);
        const json j = Calc(c.fileName, "--intervals");
        ASSERT_TRUE(j.contains("Strength") && j["Strength"].is_object()) << j.value("Strength", json()).dump();
        const json& st = j["Strength"];
        std::vector<std::string> keys = {"MaxLoad", "MaxLoadFrame", "MaxLoadPos", "Tilt", "Residual"};
        for (const char* v : {"MaxSF", "MaxCorrSF", "MaxBM"})
            for (const char* f : {"", "Frame", "Pos", "Percent", "Allow"}) keys.push_back(std::string(v) + f);
        for (const char* v : {"MaxSFPct", "MaxCorrSFPct", "MaxBMPct"})
            for (const char* f : {"", "Frame", "Pos", "Value", "Allow"}) keys.push_back(std::string(v) + f);
        for (const std::string& k : keys) EXPECT_TRUE(st.contains(k) && Finite(st[k])) << k;
        EXPECT_GE(st["Passes"].get<int>(), 1);
        EXPECT_FALSE(InNotComputed(j, "Strength"));

        const json& iv = st["Intervals"];
        ASSERT_GT(iv.size(), 2u);
        // Largest |SF| and |BM| over both ends of every interval but the last.
        double sf = 0, bm = 0;
        for (size_t i = 0; i + 1 < iv.size(); ++i)
            for (int e = 0; e < 2; ++e) {
                sf = std::max(sf, std::fabs(iv[i]["SF"][e].get<double>()));
                bm = std::max(bm, std::fabs(iv[i]["BM"][e].get<double>()));
            }
        EXPECT_NEAR(std::fabs(st["MaxSF"].get<double>()), sf, 1e-6 * (1 + sf));
        EXPECT_NEAR(std::fabs(st["MaxBM"].get<double>()), bm, 1e-6 * (1 + bm));
        ASSERT_GT(sf, 0);
        const json& last = iv.back();
        EXPECT_NEAR(last["BM"][1].get<double>(), st["Residual"].get<double>(), 1e-6 * (1 + bm));
        EXPECT_LT(std::fabs(st["Residual"].get<double>()), 5.0 + 1e-9);  // the balancing tolerance
        EXPECT_LT(std::fabs(last["SF"][1].get<double>()), 0.01 * sf);

        const json& ro = st["ReadOut"];
        ASSERT_FALSE(ro.empty());
        for (const json& r : ro) {
            for (const char* k : {"frame", "position", "SF", "CorrSF", "SFPercent", "SFAllow", "BM", "BMPercent",
                                  "BMAllow"})
                EXPECT_TRUE(Finite(r[k])) << k;
            // The interval that starts at the point (side 0) or ends there (side -1).
            size_t k = 0;
            while (k < iv.size() && std::fabs(iv[k]["StartFrame"].get<double>() - r["frame"].get<double>()) > 5e-4)
                ++k;
            ASSERT_LT(k, iv.size()) << r.dump();
            const json& g = r["side"] == 0 ? iv[k] : iv[k - 1];
            const int e = r["side"] == 0 ? 0 : 1;
            EXPECT_DOUBLE_EQ(r["SF"].get<double>(), g["SF"][e].get<double>());
            EXPECT_DOUBLE_EQ(r["BM"].get<double>(), g["BM"][e].get<double>());
            EXPECT_DOUBLE_EQ(r["BMAllow"].get<double>(), g["BMAllow"][e].get<double>());
            EXPECT_DOUBLE_EQ(r["position"].get<double>(), e == 0 ? g["X1"].get<double>() : g["X2"].get<double>());
            // "Corr" shows one of the two corrected values that meet at the
            // station, with that value's percentage and allowable.
            auto is = [&](const json& g, int end) {
                return r["CorrSF"] == g["CorrSF"][end] && r["CorrSFPercent"] == g["CorrSFPercent"][end] &&
                       r["CorrSFAllow"] == g["CorrSFAllow"][end];
            };
            EXPECT_TRUE(is(iv[k], 0) || (k > 0 && is(iv[k - 1], 1))) << r.dump();
        }
    }
}

// Torsion (option 13), grain (option 1) and the hold masses (option 0) are
// reported exactly when the ship data switch them on; flooding only when
// asked for.
TEST_F(StrengthCli, FamilyFollowsTheShipOptions) {
    ASSERT_TRUE(std::filesystem::exists(dir->path() + "/Save/" + Loaded()));
    const json j = Calc(Loaded());
    ASSERT_TRUE(j.contains("NotComputed"));
    EXPECT_TRUE(InNotComputed(j, "Flooding"));
    EXPECT_EQ(j["Flooding"], "not computed");
    const struct {
        const char* name;
        int option;
    } family[] = {{"Torsion", 13}, {"Grain", 1}, {"HoldMass", 0}};
    for (const auto& f : family) {
        SCOPED_TRACE(f.name);
        const bool on = data->ship.OptionOn(f.option);
        EXPECT_EQ(InNotComputed(j, f.name), !on);
        EXPECT_EQ(j[f.name].is_object(), on);
        if (!on) {
            EXPECT_EQ(j[f.name], "not computed");
        }
    }
    if (data->ship.OptionOn(13)) {
        const json& t = j["Torsion"];
        for (const char* k : {"MaxTM", "MaxTMFrame", "MaxTMPercent", "MaxTMAllow", "MaxTMPct", "TotalHeelMoment"})
            EXPECT_TRUE(Finite(t[k])) << k;
        EXPECT_EQ(t["ReadOut"].size(), j["Strength"]["ReadOut"].size());
        // Most of the ship's heeling moment is the fixed port-side items and
        // the uniform moment, so it cannot vanish.
        EXPECT_NE(t["TotalHeelMoment"].get<double>(), 0);
    }
    if (data->ship.OptionOn(1)) {
        EXPECT_EQ(j["Grain"]["Criteria"].size(), 6u);
        EXPECT_TRUE(Finite(j["Grain"]["GoM"]));
    }
    if (data->ship.OptionOn(0)) {
        const json& hm = j["HoldMass"];
        ASSERT_EQ(hm["Holds"].size(), size_t(Holds()));
        // The overall check passes exactly when every hold and every pair does.
        bool all = true;
        for (const json& h : hm["Holds"]) {
            all = all && h["Pass"].get<bool>();
            if (!h["WithNext"].is_null()) all = all && h["WithNext"]["Pass"].get<bool>();
            EXPECT_TRUE(Finite(h["Mass"]) && Finite(h["Draft"]) && Finite(h["PlannedMass"]));
        }
        EXPECT_TRUE(hm["Holds"].back()["WithNext"].is_null());
        EXPECT_EQ(hm["Check"].get<bool>(), all);
    }
}

// --harbour and --sea choose the allowables whatever the condition says:
// the sample ship's harbour limits are 1.2 times its sea-going ones.
TEST_F(StrengthCli, VoyageOverrideChangesTheAllowables) {
    const json sea = Calc(Loaded(), "--sea"), port = Calc(Loaded(), "--harbour");
    ASSERT_TRUE(sea["Strength"].is_object() && port["Strength"].is_object());
    EXPECT_EQ(sea["VoyageCond"], "SEA");
    EXPECT_EQ(port["VoyageCond"], "PORT");
    EXPECT_EQ(port["Strength"]["Condition"], "PORT");
    const json &a = sea["Strength"]["ReadOut"], &b = port["Strength"]["ReadOut"];
    ASSERT_EQ(a.size(), b.size());
    int compared = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double s = a[i]["BMAllow"].get<double>(), p = b[i]["BMAllow"].get<double>();
        // Same sign of BM: the same curve, scaled.
        if (s != 0 && (a[i]["BM"].get<double>() >= 0) == (b[i]["BM"].get<double>() >= 0)) {
            EXPECT_NEAR(p / s, 1.2, 1e-6) << i;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);
    EXPECT_NE(sea["Strength"]["MaxBMPct"].get<double>(), port["Strength"]["MaxBMPct"].get<double>());
    // The override and the condition's own selector agree.
    const json own = Calc(Loaded());
    const json& same = own["VoyageCond"] == "PORT" ? port : sea;
    EXPECT_EQ(own["Strength"]["MaxBMPct"], same["Strength"]["MaxBMPct"]);
    EXPECT_EQ(Run("calc " + Lcf(Loaded()) + " --sea --harbour").exitCode, 2);
}

// A hold below the waterline takes water: the flooded ship is heavier by
// the flood water and its strength is computed against the flooded limits.
TEST_F(StrengthCli, FloodedHold) {
    ASSERT_TRUE(data->ship.OptionOn(2));
    ASSERT_GE(Holds(), 3);
    const json j = Calc(Loaded(), "--flood-hold 3");
    ASSERT_TRUE(j["Flooding"].is_object()) << j["Flooding"].dump();
    EXPECT_FALSE(InNotComputed(j, "Flooding"));
    const json& f = j["Flooding"];
    ASSERT_EQ(f["Holds"].size(), 1u);
    const json& h = f["Holds"][0];
    EXPECT_EQ(h["hold"], 3);
    EXPECT_EQ(h["name"], "NO.3 CARGO HOLD");
    EXPECT_GT(h["FloodWater"].get<double>(), 0);
    EXPECT_GT(h["Permeability"].get<double>(), 0);
    EXPECT_LE(h["Permeability"].get<double>(), 0.95);
    const double intact = j["Displacement"].get<double>(), water = h["FloodWater"].get<double>();
    EXPECT_NEAR(h["Displacement"].get<double>(), intact + water, 1e-3 * (intact + water));
    EXPECT_GT(h["DraftAP"].get<double>() + h["DraftFP"].get<double>(),
              j["DraftAP"].get<double>() + j["DraftFP"].get<double>());
    ASSERT_TRUE(h["Strength"].is_object());
    for (const char* k : {"MaxSF", "MaxCorrSF", "MaxBM", "MaxSFPct", "MaxBMPct", "Residual"})
        EXPECT_TRUE(Finite(h["Strength"][k])) << k;
    EXPECT_EQ(f["ReadOutHold"], 3);
    EXPECT_EQ(f["ReadOut"].size(), j["Strength"]["ReadOut"].size());
    EXPECT_NE(f["ReadOut"][0]["SF"], j["Strength"]["ReadOut"][0]["SF"]);

    const json all = Calc(Loaded(), "--flood-all");
    ASSERT_TRUE(all["Flooding"].is_object());
    ASSERT_EQ(all["Flooding"]["Holds"].size(), size_t(Holds()));
    for (int i = 0; i < Holds(); ++i) {
        EXPECT_EQ(all["Flooding"]["Holds"][size_t(i)]["hold"], i + 1);
        EXPECT_TRUE(Finite(all["Flooding"]["Holds"][size_t(i)]["FloodWater"])) << i;
    }
    // Flooding one hold alone or among all gives the same water.
    EXPECT_DOUBLE_EQ(all["Flooding"]["Holds"][2]["FloodWater"].get<double>(), water);
}

TEST_F(StrengthCli, BadFloodHoldIsRefused) {
    const std::string over = std::to_string(Holds() + 1);
    for (const std::string& arg : {std::string("0"), over, std::string("-1"), std::string("x"), std::string("1.5"),
                                   std::string("3x"), std::string("''"), std::string("99999999999999999999")}) {
        const kvtest::CliResult r = Run("calc " + Lcf(Loaded()) + " --flood-hold " + arg);
        EXPECT_EQ(r.exitCode, 2) << arg;
        EXPECT_NE(r.err.find("--flood-hold"), std::string::npos) << arg << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << arg;
    }
    const kvtest::CliResult r = Run("calc " + Lcf(Loaded()) + " --flood-hold");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--flood-hold"), std::string::npos);
}

// The text shows the same sections in units, a flooded hold by its name,
// and says what was not computed; bench times the balancing loop.
TEST_F(StrengthCli, TextAndBench) {
    kvtest::CliResult r = Run("calc " + Lcf(Loaded()) + " --flood-hold 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* text : {"Longitudinal strength (SEA", "Max corr. SF", "t·m", "fr.no", "[NO.2 CARGO HOLD FLOODED]",
                             "Flood water"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
    if (!data->ship.OptionOn(1)) {
        EXPECT_NE(r.out.find("Grain: not computed"), std::string::npos);
    }
    r = Run("calc " + Lcf(Loaded()) + " --harbour");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Longitudinal strength (PORT"), std::string::npos);
    EXPECT_NE(r.out.find("Flooding: not computed"), std::string::npos);

    r = Run("bench " + Lcf(Loaded()) + " --runs 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("longitudinal strength"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("balancing loop"), std::string::npos) << r.out;
}
