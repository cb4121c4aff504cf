#include <gtest/gtest.h>

#include "ConditionFixture.h"
#include "TestSupport.h"
#include "containers/BayGeometry.h"
#include "containers/ContainerPositions.h"
#include "model/ConditionFile.h"

using namespace kv;

namespace {

container_rec MakeContainer(const std::string& pos, const std::string& id, float weight) {
    container_rec c;
    c.position.set(pos);
    c.container_id.set(id);
    c.iso_code.set("45G1");
    c.weight = weight;
    for (int i = 0; i < PortSlots; ++i) c.ports[size_t(i)].set("P" + std::to_string(i));
    c.carrier.set("OPR");
    c.empty = 1;
    c.reserved = {7, 8};
    c.remark_kind = 3;
    c.remark.set("handle with care");
    c.reefer = 1;
    c.temperature = -18.5L;
    c.temp_min = -20;
    c.temp_max = -15;
    c.oog = 1;
    c.dim_length = 6.1L;
    c.dim_width = 2.5L;
    c.dim_height = 2.7L;
    c.over_front = 10;
    c.over_back = 20;
    c.over_right = 5;
    c.over_left = 6;
    c.over_top = 30;
    c.reference.set("REF1");
    return c;
}

// A condition that uses every stored field.
void FillCondition(KvState& s) {
    loaddata_rec& d = s.LoadData;
    d.CondTitle.set("Title");
    d.SeaDensity = 1.0123456789L;
    d.Spare36 = 0x12345678;
    d.VoyageCond = 1;
    d.CGMode = 1;
    d.VoyageNo.set("V-17");
    d.VoyageDesc.set(std::string(150, 'D'));
    d.VoyageDate.set("2026-12-11");
    d.VoyageFrom.set("Hamburg");
    d.VoyageTo.set("Rotterdam");
    d.VoyageBy.set("Chief Officer");
    d.VoyageRemark.set(std::string(255, 'R'));
    d.TrimCorr = 0.75L;
    d.HeelCorr = -1.25L;
    for (int g = 1; g <= 8; ++g)
        for (size_t i = 0; i < d.Loads[size_t(g)].Items.size(); ++i) {
            loadinfo_rec& l = d.Loads[size_t(g)].Items[i];
            Extended k = g * 10 + Extended(i);
            l.MomentMode = int32_t(i % 3);
            l.CargoType = g == 1 ? 2 : 0;
            l.Volume = k + 0.1L;
            l.Spare24 = 0.3L + k;
            l.Density = 1 + k / 1000;
            l.Weight = k * 2;
            l.LCG = k + 0.2L;
            l.VCG = k + 0.3L;
            l.TCG = -k;
            l.FSMValue = k * 3;
        }
    for (int i = 0; i < 2; ++i) {
        balecargo_rec b;
        b.CargoCode.set("BOX");
        b.AboveIndex = i == 0 ? 1 : -1;
        b.BelowIndex = i == 0 ? -1 : 0;
        b.Weight = 12.5L + i;
        b.PosX = 30.25 + i;
        b.PosY = -1.5;
        b.BaseZ = 11.06;
        b.LCG = 35.25L;
        b.TCG = 1;
        b.VCG = 13;
        b.AftX = 30.25L;
        b.ForeX = 40.25L;
        b.SideY1 = 1;
        b.SideY2 = -4;
        b.Where = i == 0 ? 10 : 0;
        b.Corners = {{{3025, -150}, {4025, -150}, {4025, 100}, {3025, 100}}};
        d.BaleList.push_back(b);
    }
    // Bay 01: a stack of two on deck (one with bundles and DG entries, one
    // with empty lists), one in the hold without lists; bay 02: one on deck.
    container_rec a = MakeContainer(" 010182", "CSQU3054383", 24.5f);
    a.bundles = std::vector<bundle_rec>{{2.5f, ShortString<11>("FLAT0000001")}, {2.0f, ShortString<11>("FLAT0000002")}};
    dgitem_rec dg;
    dg.weight = 1.5f;
    dg.dg_class.set("2.1");
    dg.un_no.set("1950");
    dg.remark.set("AEROSOLS");
    a.dg_items = std::vector<dgitem_rec>{dg, dg};
    container_rec b = MakeContainer(" 010184", "ABCU0000070", 10.0f);
    b.bundles = std::vector<bundle_rec>{};
    b.dg_items = std::vector<dgitem_rec>{};
    container_rec c = MakeContainer(" 010202", "", 0.0f);
    container_rec e = MakeContainer(" 020182", "MSKU0000140", 30.0f);
    d.BayLists[0] = {a, b, c};
    d.BayLists[1] = {e};
    for (const auto& list : d.BayLists)
        for (const auto& ct : list) {
            SlotRef slot;
            ParsePosition(s.ContInfo, ct.position.str(), slot);
            SlotCell(s.ContInfo, slot)->state = 2;
        }
    for (int bay = 0; bay < 2; ++bay) UpdateBayGeometry(s.ContInfo, d, bay, s.Config.ContVCGPercent);
    d.CompCodes = {4, 99};

    panel_rec p;
    p.panel_type = 3;
    p.size_x = 4.218L;
    p.size_y = 22.86L;
    p.size_z = 1.16L;
    p.weight = 30;
    p.position = 41;
    p.lcg = 26.639L;
    p.tcg = 0;
    p.vcg = 10.46L;
    p.aft_x = 24.53L;
    p.fwd_x = 28.748L;
    p.top_z = 11.04L;
    p.bottom_z = 9.88L;
    p.port_y = -11.43L;
    p.stbd_y = 11.43L;
    s.PanelList = {p, p};
    s.PanelList[1].position = 61;
}

size_t ExpectedLength(const KvState& s) {
    size_t n = 744 + 4 + 208 * s.LoadData.BaleList.size();
    for (int g = 1; g <= 8; ++g) n += 136 * size_t(s.ShipInfo.GroupCount[size_t(g)]);
    for (const auto& list : s.LoadData.BayLists) {
        n += 4;
        for (const auto& c : list)
            n += 432 + 4 + 16 * (c.bundles ? c.bundles->size() : 0) + 4 + 88 * (c.dg_items ? c.dg_items->size() : 0);
    }
    return n + 4 * size_t(s.ShipInfo.GroupCount[0]) + 4 + 166 * s.PanelList.size();
}

int SlotState(const KvState& s, const std::string& pos) {
    SlotRef slot;
    ParsePosition(s.ContInfo, pos, slot);
    const cell_rec* c = SlotCell(s.ContInfo, slot);
    return c ? c->state : -1;
}

}  // namespace

TEST(ConditionFile, SaveOpenSaveReproducesEveryByte) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    FillCondition(s);
    std::string f1 = dir.file("a.LCF"), f2 = dir.file("b.LCF");
    SaveConditionFile(s, f1);
    auto first = kvtest::ReadBytes(f1);
    ASSERT_EQ(first.size(), ExpectedLength(s));
    // Fillers from another writer must come back too: mark a few.
    for (size_t off : {34u, 35u, 710u, 722u, 743u}) first[off] = uint8_t(0xA0 + off % 16);
    first[744 + 4 + 11] = 0x5A;  // filler after the first bale item's code
    kvtest::WriteBytes(f1, first);

    KvState t = kvtest::MakeShipState();
    RecordingSink sink;
    ASSERT_EQ(OpenConditionFile(t, f1, sink), OpenResult::Opened);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(t.ConditionFileName, f1);
    EXPECT_FALSE(t.ConditionModified);
    EXPECT_EQ(t.LoadData.Spare36, 0x12345678);
    EXPECT_EQ(t.LoadData.Loads[3].Items[0].Spare24, 0.3L + 30);
    EXPECT_EQ(t.LoadData.VoyageRemark.str(), std::string(255, 'R'));
    SaveConditionFile(t, f2);
    EXPECT_EQ(kvtest::ReadBytes(f2), first);
}

TEST(ConditionFile, ListsKeepAbsentVersusPresentAndSlotsAreOccupied) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    FillCondition(s);
    SaveConditionFile(s, dir.file("c.LCF"));
    KvState t = kvtest::MakeShipState();
    RecordingSink sink;
    ASSERT_EQ(OpenConditionFile(t, dir.file("c.LCF"), sink), OpenResult::Opened);
    const auto& bay1 = t.LoadData.BayLists[0];
    ASSERT_EQ(bay1.size(), 3u);
    ASSERT_TRUE(bay1[0].bundles.has_value());
    EXPECT_EQ(bay1[0].bundles->size(), 2u);
    EXPECT_EQ((*bay1[0].bundles)[1].container_id.str(), "FLAT0000002");
    ASSERT_TRUE(bay1[0].dg_items.has_value());
    EXPECT_EQ((*bay1[0].dg_items)[0].un_no.str(), "1950");
    // An empty list is stored as a count of 0 and comes back absent.
    EXPECT_FALSE(bay1[1].bundles.has_value());
    EXPECT_FALSE(bay1[1].dg_items.has_value());
    EXPECT_FALSE(bay1[2].bundles.has_value());
    for (const char* pos : {" 010182", " 010184", " 010202", " 020182"}) EXPECT_EQ(SlotState(t, pos), 2) << pos;
    EXPECT_EQ(SlotState(t, " 020282"), 1);
    ASSERT_EQ(t.PanelList.size(), 2u);
    EXPECT_EQ(t.PanelList[1].position, 61);
    EXPECT_EQ(t.LoadData.CompCodes, (std::vector<int32_t>{4, 99}));
}

TEST(ConditionFile, ContainersOutsideTheGeometryAreDropped) {
    struct Case {
        const char* position;
        int bayList;
        bool kept;
    };
    const Case cases[] = {
        {" 010282", 0, true},   // bay 01, row 02, tier 82
        {"010282", 0, true},    // 2 + 2 + 2 form
        {"  10282", 0, true},   // numeric labels: "1" is bay "01"
        {" 090282", 0, false},  // no bay 09
        {" 010582", 0, false},  // no row 05
        {" 010286", 0, false},  // no tier 86
        {" 020284", 1, false},  // slot without state
        {" 020182", 0, false},  // a bay 02 position stored in the list of bay 01
        {"10282", 0, false},    // five characters
    };
    kvtest::TempDir dir;
    for (const Case& c : cases) {
        KvState s = kvtest::MakeShipState();
        s.LoadData.BayLists[size_t(c.bayList)].push_back(MakeContainer(c.position, "X", 5));
        SaveConditionFile(s, dir.file("d.LCF"));
        KvState t = kvtest::MakeShipState();
        RecordingSink sink;
        ASSERT_EQ(OpenConditionFile(t, dir.file("d.LCF"), sink), OpenResult::Opened) << c.position;
        EXPECT_EQ(t.LoadData.BayLists[size_t(c.bayList)].size(), c.kept ? 1u : 0u) << c.position;
        EXPECT_EQ(sink.messages.size(), c.kept ? 0u : 1u) << c.position;
        if (c.kept) {
            EXPECT_EQ(SlotState(t, c.position), 2) << c.position;
        }
    }
}

TEST(ConditionFile, SecondContainerForTheSameSlotIsDropped) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    s.LoadData.BayLists[0] = {MakeContainer(" 010282", "FIRST", 5), MakeContainer("010282", "SECOND", 7),
                              MakeContainer(" 010284", "THIRD", 9)};
    SaveConditionFile(s, dir.file("g.LCF"));
    KvState t = kvtest::MakeShipState();
    ConditionImage img;
    {
        BinReader r = BinReader::FromFile(dir.file("g.LCF"));
        img = DecodeConditionFile(t, r);
    }
    EXPECT_EQ(AdoptCondition(t, std::move(img)), 1);
    ASSERT_EQ(t.LoadData.BayLists[0].size(), 2u);
    EXPECT_EQ(t.LoadData.BayLists[0][0].container_id.str(), "FIRST");
    EXPECT_EQ(t.LoadData.BayLists[0][1].container_id.str(), "THIRD");
}

TEST(ConditionFile, DamagedOrForeignFileIsRefusedAndTheConditionKept) {
    kvtest::TempDir dir;
    KvState src = kvtest::MakeShipState();
    FillCondition(src);
    std::string good = dir.file("good.LCF");
    SaveConditionFile(src, good);
    const auto bytes = kvtest::ReadBytes(good);
    const size_t baleCountAt = 744, firstBayCountAt = 744 + 4 + 2 * 208 + 136 * 11;

    auto withInt = [&](size_t at, int32_t v) {
        auto b = bytes;
        PutInt32(b.data(), at, v);
        return b;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"cut in the head", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 500)},
        {"cut in the loads", std::vector<uint8_t>(bytes.begin(), bytes.begin() + firstBayCountAt - 7)},
        {"cut in the last panel", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)},
        {"one byte too many", [&] { auto b = bytes; b.push_back(0); return b; }()},
        {"bale count beyond the file", withInt(baleCountAt, 0x7FFFFFFF)},
        {"container count beyond the file", withInt(firstBayCountAt, 100000)},
        {"bale count too small", withInt(baleCountAt, 1)},
    };
    for (const Case& c : cases) {
        std::string file = dir.file("bad.LCF");
        kvtest::WriteBytes(file, c.data);
        KvState t = kvtest::MakeShipState();
        FillCondition(t);
        t.ConditionFileName = "previous.LCF";
        t.ConditionModified = true;
        const auto before = EncodeConditionFile(t);
        RecordingSink sink;
        EXPECT_EQ(OpenConditionFile(t, file, sink), OpenResult::Failed) << c.name;
        ASSERT_EQ(sink.messages.size(), 1u) << c.name;
        EXPECT_NE(sink.messages[0].find(file), std::string::npos) << c.name << ": " << sink.messages[0];
        EXPECT_EQ(EncodeConditionFile(t), before) << c.name;
        EXPECT_EQ(t.ConditionFileName, "previous.LCF") << c.name;
        EXPECT_TRUE(t.ConditionModified) << c.name;
        EXPECT_EQ(SlotState(t, " 010182"), 2) << c.name;
    }
}

TEST(ConditionFile, FileOfAShipWithOtherCountsIsRefused) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    SaveConditionFile(s, dir.file("e.LCF"));
    KvState other = kvtest::MakeShipState();
    other.ShipInfo.GroupCount[2] = 2;
    RecordingSink sink;
    EXPECT_EQ(OpenConditionFile(other, dir.file("e.LCF"), sink), OpenResult::Failed);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("e.LCF"), std::string::npos);
}

TEST(ConditionFile, MissingFileDoesNothing) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    RecordingSink sink;
    EXPECT_EQ(OpenConditionFile(s, dir.file("none.LCF"), sink), OpenResult::Missing);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(s.ConditionFileName, "Untitled");
}

TEST(ConditionFile, FailedSaveKeepsPreviousFileAndFlags) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    s.ConditionModified = true;
    EXPECT_THROW(SaveConditionFile(s, dir.file("no/such/folder/x.LCF")), IoError);
    EXPECT_TRUE(s.ConditionModified);
    EXPECT_EQ(s.ConditionFileName, "Untitled");
}

TEST(ConditionFile, NewConditionResetsEverythingButThePanels) {
    KvState s = kvtest::MakeShipState();
    FillCondition(s);
    s.Config.SeaDensity = 1.02L;
    NewCondition(s);
    const loaddata_rec& d = s.LoadData;
    EXPECT_EQ(d.SeaDensity, 1.02L);
    EXPECT_EQ(d.Spare36, 0);
    EXPECT_EQ(d.VoyageCond, 0);
    EXPECT_EQ(d.CGMode, 0);
    EXPECT_EQ(d.VoyageRemark.str(), "");
    EXPECT_EQ(d.CondTitle.str(), "");
    EXPECT_EQ(d.TrimCorr, 0);
    EXPECT_TRUE(d.BaleList.empty());
    for (const auto& list : d.BayLists) EXPECT_TRUE(list.empty());
    EXPECT_EQ(SlotState(s, " 010182"), 1);
    EXPECT_EQ(s.ContInfo.bays[1].sections[0].cells[1][0].state, 0);  // no slot stays no slot
    EXPECT_EQ(d.CompCodes, (std::vector<int32_t>{0, 0}));
    for (int g = 1; g <= 8; ++g)
        for (size_t i = 0; i < d.Loads[size_t(g)].Items.size(); ++i) {
            const loadinfo_rec& l = d.Loads[size_t(g)].Items[i];
            EXPECT_EQ(l.Spare24, 0.3L);
            EXPECT_EQ(l.Density, s.TankGroup.Groups[size_t(g)].Tanks[i].DefaultSG);
            EXPECT_EQ(l.Weight, 0);
            EXPECT_EQ(l.Volume, 0);
            EXPECT_EQ(l.MomentMode, 0);
        }
    EXPECT_EQ(s.PanelList.size(), 2u);
}

TEST(ConditionFile, SaveAndOpenRefreshTheUserInputSet) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    s.LoadData.Loads[8].Items[1].Weight = 42;
    SaveConditionFile(s, dir.file("f.LCF"));
    ASSERT_FALSE(s.DwcList.empty());
    EXPECT_EQ(s.DwcList[0].DwcName.str(), "USER INPUT");
    EXPECT_EQ(s.DwcList[0].DwcLoads[1].Weight, 42);

    KvState t = kvtest::MakeShipState();
    RecordingSink sink;
    ASSERT_EQ(OpenConditionFile(t, dir.file("f.LCF"), sink), OpenResult::Opened);
    EXPECT_EQ(t.DwcList[0].DwcLoads[1].Weight, 42);
}
