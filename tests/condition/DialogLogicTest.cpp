#include <gtest/gtest.h>

#include "ConditionFixture.h"
#include "TestSupport.h"
#include "model/CargoCodeDialogLogic.h"
#include "model/CodeFiles.h"
#include "model/DwcDialogLogic.h"
#include "model/EnvOptionsLogic.h"
#include "model/VoyageInfo.h"

using namespace kv;

namespace {

CargoCodeFields Fields(const std::string& code, Extended length) {
    CargoCodeFields f;
    f.Code = code;
    f.Name = "  " + code + " name  ";
    f.Remark = "remark";
    f.Length = length;
    f.Color = 0x00FF00;
    f.TextColor = 0;
    return f;
}

std::vector<std::string> Codes(const std::vector<cargocode_rec>& list) {
    std::vector<std::string> v;
    for (const auto& r : list) v.push_back(r.Code.str() + "/" + std::to_string(int(r.Length)));
    return v;
}

}  // namespace

// Each step runs on the working list of a dialog activated with BOX (length 10).
TEST(CargoCodeDialog, AddUpdateDeleteRules) {
    enum Op { Add, Update, Delete };
    struct Case {
        const char* name;
        Op op;
        std::string code;
        std::vector<MsgAnswer> answers;
        std::vector<std::string> expected;
        size_t questions;
        CodeDialogFocus focus;
    };
    const Case cases[] = {
        {"add new", Add, " PIPE ", {}, {"BOX/10", "PIPE/3"}, 0, CodeDialogFocus::None},
        {"add existing, OK overwrites", Add, "BOX", {MsgAnswer::Ok}, {"BOX/3"}, 1, CodeDialogFocus::None},
        {"add existing, Cancel", Add, "BOX", {MsgAnswer::Cancel}, {"BOX/10"}, 1, CodeDialogFocus::Name},
        {"update existing", Update, "BOX ", {}, {"BOX/3"}, 0, CodeDialogFocus::None},
        {"update unknown, OK adds", Update, "COIL", {MsgAnswer::Ok}, {"BOX/10", "COIL/3"}, 1, CodeDialogFocus::None},
        {"update unknown, Cancel", Update, "COIL", {MsgAnswer::Cancel}, {"BOX/10"}, 1, CodeDialogFocus::Name},
        {"update empty code", Update, "  ", {}, {"BOX/10"}, 0, CodeDialogFocus::None},
        {"delete", Delete, "BOX", {}, {}, 0, CodeDialogFocus::None},
        {"delete unknown", Delete, "COIL", {}, {"BOX/10"}, 0, CodeDialogFocus::None},
    };
    for (const Case& c : cases) {
        std::vector<cargocode_rec> list = {DefaultCargoCode()};
        CargoCodeDialog dlg;
        dlg.Activate(list);
        RecordingSink sink;
        sink.answers = c.answers;
        CodeDialogFocus focus = CodeDialogFocus::None;
        if (c.op == Add) focus = dlg.Add(Fields(c.code, 3), sink);
        if (c.op == Update) focus = dlg.Update(Fields(c.code, 3), sink);
        if (c.op == Delete) dlg.Delete(c.code);
        EXPECT_EQ(Codes(dlg.Working()), c.expected) << c.name;
        EXPECT_EQ(sink.questions.size(), c.questions) << c.name;
        EXPECT_EQ(focus, c.focus) << c.name;
        EXPECT_EQ(Codes(list), std::vector<std::string>{"BOX/10"}) << c.name << ": list changed before OK";
    }
}

TEST(CargoCodeDialog, QuestionsTrimmedFieldsAndOk) {
    kvtest::TempDir dir;
    std::vector<cargocode_rec> list = {DefaultCargoCode()};
    CargoCodeDialog dlg;
    dlg.Activate(list);
    RecordingSink sink(MsgAnswer::Cancel);
    dlg.Add(Fields("BOX", 1), sink);
    dlg.Update(Fields("NONE", 1), sink);
    ASSERT_EQ(sink.questions.size(), 2u);
    EXPECT_EQ(sink.questions[0], "Duplicate cargo code [BOX] exists, do you want overwrite information?");
    EXPECT_EQ(sink.questions[1], "Can not find [NONE] code, do you want overwrite information?");

    CargoCodeFields f = Fields("PIPE", 12);
    f.Name = std::string(30, 'N');
    dlg.Add(f, sink);
    EXPECT_EQ(dlg.Working()[1].CodeName.str(), std::string(25, 'N'));
    EXPECT_EQ(dlg.Working()[1].Color, 0x00FF00);
    dlg.Ok(list, dir.file("Cargo.code"));
    EXPECT_EQ(Codes(list), (std::vector<std::string>{"BOX/10", "PIPE/12"}));
    EXPECT_EQ(kvtest::ReadBytes(dir.file("Cargo.code")).size(), 4u + 2u * 408u);

    // Activation again keeps the selection and shows that code.
    dlg.Select(1);
    dlg.Activate(list);
    EXPECT_EQ(dlg.Shown().Code, "PIPE");
}

TEST(DwcDialog, GridShowsDisplayUnitsAndTotals) {
    KvState s = kvtest::MakeShipState();
    s.ShipInfo.LongRefMidship = 1;  // positions shown from midship (LBP 100)
    s.Config.WeightUnit = 1;        // long tons
    RefreshUnits(s.Config, s.Units);
    dwcinfo_rec set;
    set.DwcName.set("DEP");
    set.DwcLoads.resize(3);
    set.DwcLoads[0].Weight = 100;
    set.DwcLoads[0].LCG = 60;
    set.DwcLoads[0].VCG = 10;
    set.DwcLoads[1].Weight = 300;
    set.DwcLoads[1].LCG = 40;
    set.DwcLoads[1].VCG = 6;
    set.DwcLoads[1].FSMValue = 50;
    s.DwcList.push_back(set);

    DwcDialog dlg(s.ShipInfo, s.Units, kvtest::ConstantNames(s));
    dlg.Activate(s.DwcList);
    EXPECT_EQ(dlg.ListedNames(), std::vector<std::string>{"DEP"});
    EXPECT_EQ(dlg.Code(), "DEP");
    EXPECT_EQ(dlg.Headings()[2], "Weight\n\r[Lt]");
    EXPECT_EQ(dlg.Headings()[6], "FSM\n\r[Lt-m]");
    EXPECT_EQ(dlg.Rows()[0][DwcWeight], "98.42");
    EXPECT_EQ(dlg.Rows()[0][DwcLCG], "10.000");
    EXPECT_EQ(dlg.Rows()[1][DwcLCG], "-10.000");
    EXPECT_EQ(dlg.Rows()[2][DwcLCG], "0.000");  // an empty item stays 0
    auto total = dlg.TotalRow();
    EXPECT_EQ(total[DwcWeight], "393.68");
    EXPECT_EQ(total[DwcLCG], "-5.000");
    EXPECT_EQ(total[DwcVCG], "7.000");
    EXPECT_EQ(total[DwcFSM], "49.21");

    EXPECT_FALSE(dlg.SetCell(0, DwcWeight, "abc"));
    EXPECT_EQ(dlg.Rows()[0][DwcWeight], "98.42");
    EXPECT_TRUE(dlg.SetCell(2, DwcWeight, "0"));
    EXPECT_TRUE(dlg.SetCell(0, DwcWeight, "295.26"));
    EXPECT_EQ(dlg.TotalRow()[DwcLCG], "0.000");
}

TEST(DwcDialog, AddUpdateDeleteRulesKeepUserInput) {
    enum Op { Add, Update, Delete };
    struct Case {
        const char* name;
        Op op;
        std::string setName;
        std::vector<MsgAnswer> answers;
        std::vector<std::string> expected;  // listed names after the step
        size_t questions;
    };
    const Case cases[] = {
        {"add new", Add, " ARR ", {}, {"DEP", "ARR"}, 0},
        {"add empty name", Add, "", {}, {"DEP", ""}, 0},
        {"add existing, OK", Add, "DEP", {MsgAnswer::Ok}, {"DEP"}, 1},
        {"add existing, Cancel", Add, "DEP", {MsgAnswer::Cancel}, {"DEP"}, 1},
        {"update unknown, OK adds", Update, "ARR", {MsgAnswer::Ok}, {"DEP", "ARR"}, 1},
        {"update unknown, Cancel", Update, "ARR", {MsgAnswer::Cancel}, {"DEP"}, 1},
        {"delete", Delete, "DEP", {}, {}, 0},
        {"add USER INPUT", Add, "USER INPUT", {MsgAnswer::Ok}, {"DEP"}, 0},
        {"update USER INPUT", Update, "USER INPUT", {MsgAnswer::Ok}, {"DEP"}, 0},
        {"delete USER INPUT", Delete, "USER INPUT", {}, {"DEP"}, 0},
    };
    for (const Case& c : cases) {
        KvState s = kvtest::MakeShipState();
        dwcinfo_rec set;
        set.DwcName.set("DEP");
        set.DwcLoads.resize(3);
        s.DwcList.push_back(set);
        DwcDialog dlg(s.ShipInfo, s.Units, kvtest::ConstantNames(s));
        dlg.Activate(s.DwcList);
        RecordingSink sink;
        sink.answers = c.answers;
        if (c.op == Add) dlg.Add(c.setName, "memo", sink);
        if (c.op == Update) dlg.Update(c.setName, "memo", sink);
        if (c.op == Delete) dlg.Delete(c.setName);
        EXPECT_EQ(dlg.ListedNames(), c.expected) << c.name;
        EXPECT_EQ(sink.questions.size(), c.questions) << c.name;
        ASSERT_FALSE(dlg.Working().empty()) << c.name;
        EXPECT_EQ(dlg.Working()[0].DwcName.str(), "USER INPUT") << c.name;
        EXPECT_EQ(s.DwcList.size(), 2u) << c.name << ": list changed before OK";
    }
}

TEST(DwcDialog, UpdateTakesTheGridBackToInternalUnits) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    s.ShipInfo.LongRefMidship = 1;
    s.Config.LengthUnit = 1;  // feet
    RefreshUnits(s.Config, s.Units);
    dwcinfo_rec set;
    set.DwcName.set("DEP");
    set.DwcLoads.resize(3);
    set.DwcLoads[1].MomentMode = 1;
    s.DwcList.push_back(set);
    DwcDialog dlg(s.ShipInfo, s.Units, kvtest::ConstantNames(s));
    dlg.Activate(s.DwcList);
    ASSERT_TRUE(dlg.SetCell(1, DwcWeight, "20"));
    ASSERT_TRUE(dlg.SetCell(1, DwcLCG, "32.80839895"));  // 10 m forward of midship
    ASSERT_TRUE(dlg.SetCell(1, DwcFSM, "65.6167979"));
    RecordingSink sink;
    dlg.Update("DEP", " new memo ", sink);
    dlg.Ok(s.DwcList, dir.file("dwc.code"));
    const loadinfo_rec& l = s.DwcList[1].DwcLoads[1];
    EXPECT_NEAR(double(l.Weight), 20, 1e-9);
    EXPECT_NEAR(double(l.LCG), 60, 1e-6);
    EXPECT_NEAR(double(l.FSMValue), 20, 1e-6);
    EXPECT_EQ(l.MomentMode, 1);
    EXPECT_EQ(s.DwcList[1].DwcRemark.str(), "new memo");
    EXPECT_EQ(kvtest::ReadBytes(dir.file("dwc.code")).size(), 4u + 267u + 3u * 136u);
}

TEST(EnvOptions, RangeResets) {
    struct Case {
        const char* name;
        Extended (*check)(Extended, int32_t);
        Extended in;
        int32_t sign;
        Extended out;
    };
    const Case cases[] = {
        {"stern -6", CheckByStern, -6, 1, -5},   {"stern -3", CheckByStern, -3, 1, -3},
        {"stern +1", CheckByStern, 1, 1, -5},    {"stern, sign -1", CheckByStern, 3, -1, 3},
        {"stern, sign -1, 6", CheckByStern, 6, -1, 5},
        {"head 2", CheckByHead, 2, 1, 1},        {"head 0.5", CheckByHead, 0.5L, 1, 0.5L},
        {"head -0.1", CheckByHead, -0.1L, 1, 1}, {"head, sign -1", CheckByHead, 0.5L, -1, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.check(c.in, c.sign), c.out) << c.name;
    EXPECT_EQ(ClampSeaDensity(1.6L), 1.5L);
    EXPECT_EQ(ClampSeaDensity(0.2L), 0.5L);
    EXPECT_EQ(ClampSeaDensity(1.025L), 1.025L);
}

TEST(EnvOptions, ZoneStepAndOk) {
    KvState s = kvtest::MakeShipState();
    s.ShipInfo.LightWeight = 5000;
    s.ShipInfo.DesignDisplacement = 20000;
    xyztable_rec& t = s.ShipInfo.ShipTables.Tables[LoadLineTableSlot];
    t.Resize(3, 1, 2);
    t.ColHeads[1].set("FB");
    t.ColHeads[2].set("DRAFT");
    t.ColHeads[3].set("DWT");
    t.LayerHeads[1].set("SUMMER");
    t.LayerHeads[2].set("WINTER");
    t.Values[1][1][1] = 3.1L;
    t.Values[1][2][1] = 9.5L;
    t.Values[1][3][1] = 12000;
    t.Values[2][2][1] = 9.3L;
    t.Values[2][3][1] = 11500;
    EXPECT_EQ(ZoneNames(s.ShipInfo), (std::vector<std::string>{"SUMMER", "WINTER"}));

    s.Config.LoadLineIndex = 1;
    s.Config.Limits[LimMaxDraft] = 8;
    s.Config.Limits[LimTrimLimitStern] = -2;
    s.Config.MaxFontSize = 8;
    ZoneInfo zone;
    EnvOptionsFields f = LoadEnvOptions(s.Config, s.Units, s.ShipInfo, zone);
    EXPECT_EQ(zone.Draft, "9.300");
    EXPECT_EQ(f.MaxDraft, 9.3L);  // the zone's draft replaces "Maximum draft"
    EXPECT_EQ(zone.Displacement, "16500.0");
    EXPECT_EQ(zone.Deadweight, "11500.0");
    EXPECT_EQ(f.ByStern, -2);
    EXPECT_EQ(f.MaxFontSize, "8");

    f.Zone = 5;  // a page the table does not have
    ZoneInfo none = ZoneStep(s.ShipInfo, s.Units, f);
    EXPECT_FALSE(none.DraftShown);
    EXPECT_EQ(none.MaxDisplacement, 20000);
    f.Zone = 0;
    zone = ZoneStep(s.ShipInfo, s.Units, f);
    EXPECT_EQ(zone.Freeboard, "3.100");

    // A text that is not an integer stores nothing.
    f.SeaDensity = 1.01L;
    f.ContViewWidth = "wide";
    double maxDisp = 0;
    std::string err = StoreEnvOptions(f, zone, s.ShipInfo, s.Config, s.Units, s.LoadData, maxDisp);
    EXPECT_EQ(err, "'wide' is not a valid integer value");
    EXPECT_EQ(s.Config.SeaDensity, 1.025L);
    EXPECT_EQ(s.Config.LoadLineIndex, 1);

    f.ContViewWidth = "800";
    f.LengthUnit = 1;
    f.DensityChoice = 1;
    f.StowageFactorUnit = 2;
    err = StoreEnvOptions(f, zone, s.ShipInfo, s.Config, s.Units, s.LoadData, maxDisp);
    EXPECT_EQ(err, "");
    EXPECT_EQ(s.Config.SeaDensity, 1.01L);
    EXPECT_EQ(s.LoadData.SeaDensity, 1.01L);
    EXPECT_EQ(s.Config.LoadLineIndex, 0);
    EXPECT_EQ(s.Config.ContViewWidth, 800);
    EXPECT_EQ(s.Config.DensityUnit, 3);
    EXPECT_EQ(s.Config.MaxDraft(), 9.5);
    EXPECT_EQ(s.Config.TrimLimitStern(), -2);
    EXPECT_EQ(maxDisp, 17000);
    EXPECT_EQ(s.Units.UnitNames[UnitLength], "ft");

    // Long tons change the texts, not the maximum displacement in tonnes.
    s.Config.WeightUnit = 1;
    RefreshUnits(s.Config, s.Units);
    f.Zone = 1;
    zone = ZoneStep(s.ShipInfo, s.Units, f);
    EXPECT_EQ(zone.Displacement, "16239.4");
    EXPECT_EQ(zone.Deadweight, "11318.4");
    EXPECT_EQ(zone.MaxDisplacement, 16500);
}

TEST(VoyageInfo, StoreCutsToTheFields) {
    loaddata_rec d;
    VoyageInfoFields f{std::string(60, 'N'), "From", "To", "By", "Date", std::string(300, 'R'), std::string(200, 'D')};
    StoreVoyageInfo(d, f);
    VoyageInfoFields back = LoadVoyageInfo(d);
    EXPECT_EQ(back.VoyageNo, std::string(50, 'N'));
    EXPECT_EQ(back.Remarks, std::string(255, 'R'));
    EXPECT_EQ(back.Desc, std::string(150, 'D'));
    EXPECT_EQ(back.From, "From");
    EXPECT_EQ(back.Date, "Date");
}
