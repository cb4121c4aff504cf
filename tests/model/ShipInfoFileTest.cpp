#include <gtest/gtest.h>

#include "ShipFileFixtures.h"
#include "TestSupport.h"
#include "model/ShipInfoFile.h"

using namespace kv;
using kvtest::ShipFileImage;
using V = kvtest::ShipFixtureValues;

namespace {

shipinfo_rec Decode(const std::vector<uint8_t>& bytes) {
    BinReader r(bytes, "R549.LSI");
    shipinfo_rec s;
    DecodeShipInfo(r, s);
    return s;
}

}  // namespace

TEST(ShipInfoFile, DecodesEveryItemAtItsPlace) {
    shipinfo_rec s = Decode(ShipFileImage());

    for (int g = 0; g < 9; ++g) EXPECT_EQ(s.GroupCount[size_t(g)], g + 1);
    EXPECT_EQ(s.TrimSign, -1);
    EXPECT_EQ(s.HeelSign, 1);
    EXPECT_EQ(s.LongRefMidship, 1);
    EXPECT_EQ(s.LongSign, -1);
    EXPECT_EQ(s.TransSign, -1);
    EXPECT_EQ(s.DraftMarks[0][0], 1.5);
    EXPECT_EQ(s.DraftMarks[1][2], 6.5);
    EXPECT_EQ(s.DraftMarks[2][2], 9.5);
    EXPECT_EQ(s.PropImmMethod, 2);
    EXPECT_EQ(s.PropDiameter, V::PropDiameter);
    EXPECT_EQ(s.PropX, 4.75L);
    EXPECT_EQ(s.VisibilityPoints[1].X, 160.0);
    EXPECT_EQ(s.VisibilityPoints[1].Y, 31.5);
    EXPECT_EQ(s.BilgeKeelArea, 24.0L);
    EXPECT_EQ(s.MarkDraftOffset, V::MarkDraftOffset);
    EXPECT_EQ(s.ShipName.str(), "MV KORVANEL TEST");
    EXPECT_EQ(s.HullNo.str(), "S-1234");
    EXPECT_EQ(s.DataStatus.str(), "PRELIMINARY");
    EXPECT_EQ(s.LOA, V::LOA);
    EXPECT_EQ(s.LBP, V::LBP);
    EXPECT_EQ(s.Depth, 16.8L);
    EXPECT_EQ(s.LightWeight, V::LightWeight);
    EXPECT_EQ(s.LightLCG, V::LightLCG);
    EXPECT_EQ(s.LightVCG, 11.375L);
    EXPECT_EQ(s.AftEndX, -5.5L);
    EXPECT_EQ(s.ForeEndX, V::ForeEndX);

    ASSERT_EQ(s.FrameList.size(), 4u);
    EXPECT_EQ(s.FrameList[2].FrameNo, 10.0L);
    EXPECT_EQ(s.FrameList[2].PosMM, 7000.0L);

    // Profile, section and plan lists come in that file order.
    ASSERT_EQ(s.ProfileObjects.size(), 2u);
    EXPECT_EQ(s.ProfileObjects[0].ObjName.str(), "DECK");
    EXPECT_TRUE(s.ProfileObjects[0].Outline.empty());  // 0 points consume no bytes
    EXPECT_EQ(s.ProfileObjects[1].PointCount, 3);
    ASSERT_EQ(s.ProfileObjects[1].Outline.size(), 3u);
    EXPECT_EQ(s.ProfileObjects[1].Outline[1].X, 100.0);
    EXPECT_EQ(s.ProfileObjects[1].Outline[1].Y, 12.5);
    EXPECT_TRUE(s.SectionObjects.empty());
    ASSERT_EQ(s.PlanObjects.size(), 1u);
    const object_rec& plan = s.PlanObjects[0];
    EXPECT_EQ(plan.ObjName.str(), "NO.1 WBT(P)");
    EXPECT_EQ(plan.ObjOrder, 2.5f);
    EXPECT_EQ(plan.ObjGroup, 2);
    EXPECT_EQ(plan.ObjItem, 3);
    EXPECT_EQ(plan.ObjLink, -1);
    EXPECT_EQ(plan.ObjClosed, 1);
    EXPECT_EQ(plan.ObjColor, 0x00FF8040);
    ASSERT_EQ(plan.Outline.size(), 1u);
    EXPECT_EQ(plan.Outline[0].X, -1.5);

    const classallow_rec& a = s.ClassAllow;
    ASSERT_EQ(a.readouts.size(), 2u);
    EXPECT_EQ(a.readouts[1].Frame, 21.0L);
    EXPECT_EQ(a.readouts[1].PosMM, 14700.0L);
    EXPECT_EQ(a.readouts[1].Side, -1);
    // File order intact SEA, flooded SEA, intact PORT, flooded PORT.
    EXPECT_EQ(a.intact[0].maxwgt, 1050.0L);
    EXPECT_EQ(a.intact[0].maxtm, 4050.0L);
    ASSERT_EQ(a.intact[0].sfsegs.size(), 2u);
    ASSERT_EQ(a.intact[0].bmsegs.size(), 1u);
    EXPECT_TRUE(a.intact[0].tmsegs.empty());
    EXPECT_EQ(a.intact[0].sfsegs[1].AftX, 50.0L);
    EXPECT_EQ(a.intact[0].sfsegs[1].ForeX, 100.0L);
    EXPECT_EQ(a.intact[0].sfsegs[1].Pos1Fore, 600.0L);
    EXPECT_EQ(a.intact[0].sfsegs[1].Pos2Aft, 950.0L);
    EXPECT_EQ(a.flooded[0].maxsf, 2054.0L);
    EXPECT_EQ(a.intact[1].tmcount, 1);
    EXPECT_EQ(a.intact[1].tmsegs.at(0).AftX, 10.0L);
    EXPECT_EQ(a.flooded[1].bmsegs.at(0).ForeX, 40.0L);
    EXPECT_EQ(a.flooded[1].tmsegs.at(0).Pos2Fore, 960.0L);

    const shiptable_rec& t = s.ShipTables;
    EXPECT_EQ(t.KNTable().Title.str(), "CROSS CURVES");
    EXPECT_EQ(t.KNTable().SpareCount, 7);
    EXPECT_EQ(t.HydroTable().LayerCount, 2);
    EXPECT_EQ(t.HydroTable().Values[2][2][3], 223.25L);
    EXPECT_EQ(t.LoadLineTable().Title.str(), "LOAD LINE");
    EXPECT_EQ(t.Tables[11].ColCount, 0);  // never stored

    ASSERT_EQ(t.CargoMassList.size(), 1u);
    const cargomass_rec& m = t.CargoMassList[0];
    // SEA: one-hold max 1, min 0, two-holds max 2, min 0; PORT: 0, 0, 0, 1.
    ASSERT_EQ(m.OneHold[0].MaxCurve.size(), 1u);
    EXPECT_TRUE(m.OneHold[0].MinCurve.empty());
    ASSERT_EQ(m.TwoHolds[0].MaxCurve.size(), 2u);
    EXPECT_EQ(m.TwoHolds[0].MaxCurve[1].Draft, 9.0L);
    EXPECT_EQ(m.TwoHolds[0].MaxCurve[1].Mass, 3001.0L);
    EXPECT_TRUE(m.OneHold[1].MaxCurve.empty());
    ASSERT_EQ(m.TwoHolds[1].MinCurve.size(), 1u);
    EXPECT_EQ(m.TwoHolds[1].MinCurve[0].Mass, 8000.0L);

    EXPECT_TRUE(s.OptionOn(3));
    EXPECT_EQ(s.OptionText(3), "2");
    EXPECT_TRUE(s.OptionOn(10));
    EXPECT_FALSE(s.OptionOn(19));
    EXPECT_EQ(s.OptionText(19), "1");
    EXPECT_FALSE(s.OptionOn(50));
}

// Read then write gives the same bytes, fillers and junk included; bytes
// after the options are not part of the ship data.
TEST(ShipInfoFile, WritesBackTheBytesItRead) {
    const std::vector<uint8_t> image = ShipFileImage();
    EXPECT_EQ(EncodeShipInfo(Decode(image)), image);
    EXPECT_EQ(EncodeShipInfo(Decode(ShipFileImage(13))), image);
}

// Changed named fields go to their offsets and nothing else moves; an outline
// that grew is written with its new point count.
TEST(ShipInfoFile, ChangedFieldsAreWrittenAtTheirOffsets) {
    const std::vector<uint8_t> image = ShipFileImage();
    shipinfo_rec s = Decode(image);
    s.LBP = 200.0L;
    s.ShipName = ShortString<50>("NEW NAME");
    s.TransSign = 1;
    s.ProfileObjects[0].Outline.push_back({1.0, 2.0});
    s.ClassAllow.flooded[0].sfsegs.push_back(s.ClassAllow.intact[0].sfsegs[0]);

    const std::vector<uint8_t> out = EncodeShipInfo(s);
    EXPECT_EQ(out.size(), image.size() + 16 + 168);
    EXPECT_EQ(GetExt(out.data(), 512), 200.0L);
    EXPECT_EQ(GetInt32(out.data(), 156), 1);
    // Fixed block: only LBP, the name and TransSign differ.
    for (size_t i = 0; i < 720; ++i) {
        bool changed = (i >= 512 && i < 522) || (i >= 368 && i < 419) || (i >= 156 && i < 160);
        if (!changed) {
            ASSERT_EQ(out[i], image[i]) << "offset " << i;
        }
    }
    shipinfo_rec back = Decode(out);
    EXPECT_EQ(back.ShipName.str(), "NEW NAME");
    EXPECT_EQ(back.ProfileObjects[0].PointCount, 1);
    ASSERT_EQ(back.ProfileObjects[0].Outline.size(), 1u);
    EXPECT_EQ(back.ProfileObjects[0].Outline[0].Y, 2.0);
    EXPECT_EQ(back.ProfileObjects[1].Outline.size(), 3u);
    EXPECT_EQ(back.ClassAllow.flooded[0].sfcount, 1);
    EXPECT_EQ(back.ClassAllow.intact[1].tmsegs.size(), 1u);  // the sets after it still line up
    EXPECT_EQ(back.Options[3].Text.str(), "2");
}

TEST(ShipInfoFile, FileNameTakesFolderAndBaseNameOfTheArgument) {
    kvtest::TempDir dir;
    const std::vector<uint8_t> image = ShipFileImage();
    kvtest::WriteBytes(dir.file("R549.LSI"), image);
    for (const std::string arg : {"R549", "R549.LSI", "R549.TGP", "R549.x"}) {
        shipinfo_rec s;
        ASSERT_TRUE(ReadShipInfoFile(dir.file(arg), s)) << arg;
        EXPECT_EQ(s.LBP, V::LBP) << arg;
    }
    // Written under the derived name, through a complete replace.
    shipinfo_rec s;
    ASSERT_TRUE(ReadShipInfoFile(dir.file("R549.CNT"), s));
    s.HullNo = ShortString<50>("S-9");
    WriteShipInfoFile(dir.file("R549.TGP"), s);
    shipinfo_rec back;
    ASSERT_TRUE(ReadShipInfoFile(dir.file("R549"), back));
    EXPECT_EQ(back.HullNo.str(), "S-9");
    EXPECT_FALSE(kv::FileExists(dir.file("R549.TGP")));
}

TEST(ShipInfoFile, MissingFileLeavesTheRecordUnchanged) {
    kvtest::TempDir dir;
    shipinfo_rec s;
    s.LBP = 5;
    s.FrameList.resize(2);
    EXPECT_FALSE(ReadShipInfoFile(dir.file("R549.LSI"), s));
    EXPECT_EQ(s.LBP, 5.0L);
    EXPECT_EQ(s.FrameList.size(), 2u);
}

// A damaged file throws naming the file and leaves the record as it was.
TEST(ShipInfoFile, DamagedFileThrowsAndChangesNothing) {
    kvtest::TempDir dir;
    std::vector<uint8_t> image = ShipFileImage();
    image.resize(image.size() - 1);  // one option byte short
    kvtest::WriteBytes(dir.file("R549.LSI"), image);
    shipinfo_rec s;
    s.LBP = 5;
    try {
        ReadShipInfoFile(dir.file("R549"), s);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("Read beyond end of file"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("R549.LSI"), std::string::npos);
    }
    EXPECT_EQ(s.LBP, 5.0L);
    EXPECT_TRUE(s.FrameList.empty());
}

// Counts of 0 or less read nothing, and the next item follows directly.
TEST(ShipInfoFile, EmptyAndNegativeCountsReadNothing) {
    kvtest::Image im;
    im.bytes(kvtest::Junk(720, 3));
    im.i32(0).i32(-4).i32(0).i32(-1).i32(0);  // frames, profile, section, plan, read-outs
    for (int i = 0; i < 4; ++i) im.bytes(kvtest::AllowHead(0, -2, 0, uint8_t(i)));
    for (int k = 0; k < 11; ++k) im.emptyTable("E" + std::to_string(k));
    im.i32(0);
    for (int i = 0; i < 51; ++i) im.bytes({uint8_t(i == 7)}).shortStr("", 50, 0);
    shipinfo_rec s = Decode(im.data);
    EXPECT_TRUE(s.FrameList.empty());
    EXPECT_TRUE(s.ProfileObjects.empty());
    EXPECT_TRUE(s.PlanObjects.empty());
    EXPECT_TRUE(s.ClassAllow.readouts.empty());
    EXPECT_TRUE(s.ClassAllow.intact[1].bmsegs.empty());
    EXPECT_EQ(s.ShipTables.Tables[10].Title.str(), "E10");
    EXPECT_TRUE(s.ShipTables.CargoMassList.empty());
    EXPECT_TRUE(s.OptionOn(7));
    // A negative segment count stored in an allowable head is written back as it was.
    std::vector<uint8_t> out = EncodeShipInfo(s);
    shipinfo_rec back = Decode(out);
    EXPECT_EQ(back.ClassAllow.flooded[1].bmcount, -2);
}
