#include <gtest/gtest.h>

#include "ShipFileFixtures.h"
#include "TestSupport.h"
#include "model/TankGroupFile.h"

using namespace kv;

namespace {

tankgroup_rec Decode(const std::vector<uint8_t>& bytes) {
    BinReader r(bytes, "R549.TGP");
    tankgroup_rec g;
    DecodeTankGroups(r, g);
    return g;
}

}  // namespace

TEST(TankGroupFile, DecodesGroupsTanksAndTableSlots) {
    tankgroup_rec tg = Decode(kvtest::TankFileImage());
    for (int g = 0; g < 9; ++g) EXPECT_EQ(tg.Groups[size_t(g)].GroupIndex, g);  // group 2 stored 7
    EXPECT_EQ(tg.Groups[1].GroupName.str(), "CARGO HOLD");
    EXPECT_EQ(tg.Groups[1].TankCount, 2);
    EXPECT_EQ(tg.Groups[2].TankCount, 1);
    EXPECT_EQ(tg.Groups[0].TankCount, 0);

    const tank_rec& t = tg.Groups[1].Tanks[1];
    EXPECT_EQ(t.TankName.str(), " NO.2 HOLD ");
    EXPECT_EQ(t.TopZ, 1.5L);
    EXPECT_EQ(t.BottomZ, 2.5L);
    EXPECT_EQ(t.AftEnd, 3.5L);
    EXPECT_EQ(t.ForeEnd, 4.5L);
    EXPECT_EQ(t.MaxVolume, 1101.0L);
    EXPECT_EQ(t.MaxLevel, 10.5L);
    EXPECT_EQ(t.DefaultSG, 12.5L);
    EXPECT_EQ(t.GrainVCG2, 19.5L);
    EXPECT_EQ(t.SFFactors[0], 0.1L);
    EXPECT_EQ(t.SFFactors[2], 0.3L);
    EXPECT_EQ(t.DBMaxVolume, 20.5L);
    EXPECT_EQ(t.FSMReduction, 22.5L);

    // Slots 1-7 are the tank tables, 8-10 the spare ones, 11 OptTables[1]
    // and 12 the hold grain table OptTables[0].
    EXPECT_EQ(t.TkTables[TkBase].Title.str(), "T1");
    EXPECT_EQ(t.TkTables[TkBase].ColCount, 6);
    EXPECT_EQ(t.TkTables[TkSoundHeel].Title.str(), "T7");
    for (const xyztable_rec& spare : t.SpareTables) EXPECT_EQ(spare.ColCount, 0);
    EXPECT_EQ(t.OptTables[1].Title.str(), "T11");
    EXPECT_EQ(t.OptTables[0].Title.str(), "T12");
    EXPECT_EQ(t.OptTables[0].ColHeads[4].str(), "GSM");
}

// The image has a group index stored wrong (7 for group 2): it is written back
// as the position; everything else comes back byte for byte.
TEST(TankGroupFile, WritesBackTheBytesItRead) {
    std::vector<uint8_t> image = kvtest::TankFileImage();
    std::vector<uint8_t> out = EncodeTankGroups(Decode(image));
    ASSERT_EQ(out.size(), image.size());
    std::vector<size_t> diffs;
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i] != image[i]) diffs.push_back(i);
    // Group 2's index sits after groups 0 and 1 (59 + 59 + two tanks) and its count.
    ASSERT_EQ(diffs.size(), 1u);
    EXPECT_EQ(image[diffs[0]], 7);
    EXPECT_EQ(out[diffs[0]], 2);
    EXPECT_EQ(EncodeTankGroups(Decode(out)), out);
}

TEST(TankGroupFile, EmptyGroupsTakeTheirHeaderOnly) {
    tankgroup_rec empty;
    for (size_t g = 0; g < 9; ++g) empty.Groups[g].GroupName = ShortString<50>("G" + std::to_string(g));
    std::vector<uint8_t> out = EncodeTankGroups(empty);
    EXPECT_EQ(out.size(), 9 * 59u);
    tankgroup_rec back = Decode(out);
    EXPECT_EQ(back.Groups[8].GroupName.str(), "G8");
    EXPECT_EQ(back.Groups[8].GroupIndex, 8);
    EXPECT_TRUE(back.Groups[8].Tanks.empty());

    // A tank with every table empty takes its fixed part and twelve 67-byte tables.
    tankgroup_rec one;
    one.Groups[4].Tanks.resize(1);
    EXPECT_EQ(EncodeTankGroups(one).size(), 9 * 59u + 536 + 12 * 67);
    EXPECT_EQ(Decode(EncodeTankGroups(one)).Groups[4].TankCount, 1);
}

TEST(TankGroupFile, ReadsTheTgpBesideTheGivenName) {
    kvtest::TempDir dir;
    kvtest::WriteBytes(dir.file("R549.TGP"), kvtest::TankFileImage());
    tankgroup_rec tg;
    ASSERT_TRUE(ReadTankGroupFile(dir.file("R549.LSI"), tg));
    EXPECT_EQ(tg.Groups[2].Tanks.at(0).TankName.str(), "FPT");

    tankgroup_rec untouched;
    untouched.Groups[3].GroupName = ShortString<50>("KEEP");
    EXPECT_FALSE(ReadTankGroupFile(dir.file("OTHER.LSI"), untouched));
    EXPECT_EQ(untouched.Groups[3].GroupName.str(), "KEEP");

    WriteTankGroupFile(dir.file("COPY.LSI"), tg);
    EXPECT_EQ(kvtest::ReadBytes(dir.file("COPY.TGP")), EncodeTankGroups(tg));
}

TEST(TankGroupFile, FindTankByNameComparesTrimmedNamesInOneGroup) {
    tankgroup_rec tg = Decode(kvtest::TankFileImage());
    struct Case {
        int group;
        std::string name;
        int expected;
    } cases[] = {
        {1, "NO.1 HOLD", 0},
        {1, "NO.2 HOLD", 1},     // stored with blanks around it
        {1, "  NO.2 HOLD\t", 1}, // blanks around the wanted name too
        {1, "no.2 hold", -1},    // case counts
        {1, "NO.2", -1},
        {2, "FPT", 0},
        {1, "FPT", -1},          // only the given group is searched
        {0, "NO.1 HOLD", -1},    // groups 1..8 only
        {9, "FPT", -1},
        {-1, "FPT", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(FindTankByName(tg, c.group, c.name), c.expected) << c.group << " " << c.name;
}
