#include <gtest/gtest.h>

#include "ShipFileFixtures.h"
#include "TestSupport.h"
#include "model/ContainerGeometryFile.h"

using namespace kv;

namespace {

continfo_rec Decode(const std::vector<uint8_t>& bytes) {
    BinReader r(bytes, "R549.CNT");
    continfo_rec g;
    DecodeContainerGeometry(r, g);
    return g;
}

}  // namespace

TEST(ContainerGeometryFile, DecodesHeaderListsAndBays) {
    std::vector<uint8_t> image = kvtest::ContainerFileImage();
    // 20 + 4 + 2 ports + 4 + 1 IMDG entry + 2 bays of 10 + (2 rows, 2 tiers) + (1 row, 3 tiers).
    const size_t bay = 10 + (6 * 2 + 6 * 2 + 8 * 2 + 48 * 4) + (6 * 1 + 6 * 3 + 8 * 1 + 48 * 3);
    ASSERT_EQ(image.size(), 20 + 4 + 2 * 107 + 4 + 2832 + 2 * bay);
    EXPECT_EQ(BayBlockBytes({2, 1}, {2, 3}), bay);

    continfo_rec g = Decode(image);
    EXPECT_EQ(g.bay_count, 2);
    EXPECT_EQ(g.row_count, (std::array<int32_t, 2>{2, 1}));
    EXPECT_EQ(g.tier_count, (std::array<int32_t, 2>{2, 3}));
    ASSERT_EQ(g.port_list.size(), 2u);
    EXPECT_EQ(g.port_list[1].code.str(), "NLRTM");
    EXPECT_EQ(g.port_list[1].name.str(), "ROTTERDAM");
    ASSERT_EQ(g.imdg_list.size(), 1u);
    EXPECT_EQ(g.imdg_list[0].Key(), "1203");

    ASSERT_EQ(g.bays.size(), 2u);
    const baycell_rec& b = g.bays[1];
    EXPECT_EQ(b.bay_name.str(), "03");
    EXPECT_EQ(b.bay_kind, 3);
    const cellinfo_rec& hold = b.sections[InHold];
    ASSERT_EQ(hold.row_names.size(), 1u);
    ASSERT_EQ(hold.tier_names.size(), 3u);
    EXPECT_EQ(hold.tier_names[2].str(), "86");
    EXPECT_EQ(hold.row_max_weight[0], 90.5f);
    EXPECT_EQ(hold.row_value[0], 7);
    ASSERT_EQ(hold.cells.size(), 1u);
    ASSERT_EQ(hold.cells[0].size(), 3u);
    const cell_rec& c = hold.cells[0][2];
    EXPECT_EQ(c.x, 10.0);
    EXPECT_EQ(c.z, 22.0);
    EXPECT_EQ(c.mark, 0);
    EXPECT_EQ(b.sections[OnDeck].cells[1][0].y, -1.25);
    EXPECT_EQ(b.sections[OnDeck].cells[1][0].mark, 1);
}

// Slot states 0, 1, 2 cycle through the fixture: 2 is read as 1, 0 stays 0.
TEST(ContainerGeometryFile, OccupiedSlotsAreReadAsFree) {
    continfo_rec g = Decode(kvtest::ContainerFileImage());
    int stored = 0, seen0 = 0, seen1 = 0;
    for (const baycell_rec& b : g.bays)
        for (const cellinfo_rec& s : b.sections)
            for (const auto& row : s.cells)
                for (const cell_rec& c : row) {
                    int expected = stored % 3 == 0 ? 0 : 1;
                    EXPECT_EQ(c.state, expected) << "slot " << stored;
                    (expected == 0 ? seen0 : seen1)++;
                    ++stored;
                }
    EXPECT_EQ(stored, 14);
    EXPECT_GT(seen0, 0);
    EXPECT_GT(seen1, 0);
}

// Without occupied slots the bytes come back as read; occupied ones are
// written as they stand in memory.
TEST(ContainerGeometryFile, WritesBackTheBytesItRead) {
    std::vector<uint8_t> image = kvtest::ContainerFileImage();
    continfo_rec g = Decode(image);
    std::vector<uint8_t> out = EncodeContainerGeometry(g);
    ASSERT_EQ(out.size(), image.size());
    size_t diffs = 0;
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i] != image[i]) {
            ++diffs;
            EXPECT_EQ(image[i], 2) << "offset " << i;  // only the state bytes of stored-occupied slots
            EXPECT_EQ(out[i], 1) << "offset " << i;
        }
    EXPECT_EQ(diffs, 4u);  // slots 2, 5, 8, 11
    EXPECT_EQ(EncodeContainerGeometry(Decode(out)), out);

    g.bays[0].sections[OnDeck].cells[0][1].state = 2;
    continfo_rec back = Decode(EncodeContainerGeometry(g));
    EXPECT_EQ(back.bays[0].sections[OnDeck].cells[0][1].state, 1);
}

TEST(ContainerGeometryFile, DeletingAPortShortensTheFileBy107Bytes) {
    kvtest::TempDir dir;
    kvtest::WriteBytes(dir.file("R549.CNT"), kvtest::ContainerFileImage(3));
    continfo_rec g;
    ASSERT_TRUE(ReadContainerGeometry(dir.file("R549.LSI"), g));
    ASSERT_EQ(g.FindPort("NLRTM"), 1);
    g.port_list.erase(g.port_list.begin() + g.FindPort("NLRTM"));
    WriteContainerGeometry(dir.file("R549.LSI"), g);
    std::vector<uint8_t> after = kvtest::ReadBytes(dir.file("R549.CNT"));
    EXPECT_EQ(after.size() + 107, kvtest::ContainerFileImage(3).size());

    continfo_rec back;
    ASSERT_TRUE(ReadContainerGeometry(dir.file("R549"), back));
    EXPECT_EQ(back.FindPort("NLRTM"), -1);
    EXPECT_EQ(back.FindPort("DEHAM"), 1);
    EXPECT_EQ(back.bays.size(), 2u);
}

TEST(ContainerGeometryFile, FindPortMatchesTheWholeCodeIgnoringCase) {
    continfo_rec g = Decode(kvtest::ContainerFileImage(3));
    EXPECT_EQ(g.FindPort("KRPUS"), 0);
    EXPECT_EQ(g.FindPort("krpus"), 0);
    EXPECT_EQ(g.FindPort("DEHAM"), 2);
    EXPECT_EQ(g.FindPort("KRPU"), -1);
    EXPECT_EQ(g.FindPort(""), -1);
}

TEST(ContainerGeometryFile, EmptyListsAndEmptySections) {
    // No ports, no IMDG entries, one bay with no rows on deck: 28 bytes plus the bay block.
    kvtest::Image im;
    im.i32(1).i32(0).i32(1).i32(3).i32(1).i32(0).i32(0);
    im.shortStr("05", 5, 1).i32(0);
    // On deck: no rows, three tier names only.
    for (int t = 0; t < 3; ++t) im.shortStr("8" + std::to_string(t), 5, 2);
    // In hold: one row, one tier.
    im.shortStr("00", 5, 3).shortStr("02", 5, 4).f32(120.0f).i32(-3);
    std::vector<uint8_t> cell = kvtest::Junk(48, 5);
    kvtest::PutI32(cell, 0, 1);
    im.bytes(cell);
    ASSERT_EQ(im.data.size(), 28 + 10 + 18 + (6 + 6 + 8 + 48));

    continfo_rec g = Decode(im.data);
    EXPECT_TRUE(g.port_list.empty());
    EXPECT_TRUE(g.imdg_list.empty());
    ASSERT_EQ(g.bays.size(), 1u);
    EXPECT_TRUE(g.bays[0].sections[OnDeck].cells.empty());
    EXPECT_EQ(g.bays[0].sections[OnDeck].tier_names.size(), 3u);
    EXPECT_EQ(g.bays[0].sections[InHold].row_value[0], -3);
    EXPECT_EQ(EncodeContainerGeometry(g), im.data);
}

TEST(ContainerGeometryFile, MissingAndDamagedFiles) {
    kvtest::TempDir dir;
    continfo_rec g;
    g.bay_count = 9;
    EXPECT_FALSE(ReadContainerGeometry(dir.file("R549.LSI"), g));
    EXPECT_EQ(g.bay_count, 9);

    std::vector<uint8_t> image = kvtest::ContainerFileImage();
    image.resize(image.size() - 48);  // the last slot missing
    kvtest::WriteBytes(dir.file("R549.CNT"), image);
    try {
        ReadContainerGeometry(dir.file("R549.LSI"), g);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("R549.CNT"), std::string::npos) << e.what();
    }
    EXPECT_EQ(g.bay_count, 9);  // nothing half read
    EXPECT_TRUE(g.bays.empty());
}
