#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "numerics/Table.h"

using namespace kv;

namespace {

xyztable_rec Sample() {
    xyztable_rec t;
    t.Title.set("HYDROSTATIC TABLE");
    t.Resize(3, 4, 2);
    t.SpareCount = 77;
    const char* cols[] = {"DRAFT", "DISP", "KMT"};
    for (int c = 1; c <= 3; ++c) t.ColHeads[c].set(cols[c - 1]);
    t.LayerHeads[1].set("-1.0");
    t.LayerHeads[2].set("1.0");
    for (int l = 1; l <= 2; ++l)
        for (int c = 1; c <= 3; ++c)
            for (int r = 1; r <= 4; ++r) t.Values[l][c][r] = 1000.0L * l + 100.0L * c + r + 0.1L;
    return t;
}

TEST(StoredTable, RoundTripIsByteExactAndFollowsTheLayout) {
    xyztable_rec t = Sample();
    BinWriter w;
    WriteStoredTable(w, t);
    const std::vector<uint8_t> bytes = w.data();
    ASSERT_EQ(bytes.size(), StoredTableSize(t));
    ASSERT_EQ(bytes.size(), size_t(51 + 16 + (3 + 2) * 51 + 2 * 3 * 4 * 10));

    // Title, the four counts, headings, then values layer by layer, column by column.
    EXPECT_EQ(bytes[0], 17);
    EXPECT_EQ(std::memcmp(&bytes[1], "HYDROSTATIC TABLE", 17), 0);
    EXPECT_EQ(GetInt32(bytes.data(), 51), 3);
    EXPECT_EQ(GetInt32(bytes.data(), 55), 4);
    EXPECT_EQ(GetInt32(bytes.data(), 59), 2);
    EXPECT_EQ(GetInt32(bytes.data(), 63), 77);
    EXPECT_EQ(GetShort<50>(bytes.data(), 67).str(), "DRAFT");
    EXPECT_EQ(GetShort<50>(bytes.data(), 67 + 2 * 51).str(), "KMT");
    EXPECT_EQ(GetShort<50>(bytes.data(), 67 + 3 * 51).str(), "-1.0");
    const size_t values = 67 + 5 * 51;
    EXPECT_EQ(GetExt(bytes.data(), values), t.Values[1][1][1]);
    EXPECT_EQ(GetExt(bytes.data(), values + 10 * 4), t.Values[1][2][1]);        // next column
    EXPECT_EQ(GetExt(bytes.data(), values + 10 * 12), t.Values[2][1][1]);       // next layer
    EXPECT_EQ(GetExt(bytes.data(), bytes.size() - 10), t.Values[2][3][4]);

    BinReader r(bytes, "table.bin");
    xyztable_rec back = ReadStoredTable(r);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(back.Title.str(), "HYDROSTATIC TABLE");
    EXPECT_EQ(back.ColCount, 3);
    EXPECT_EQ(back.RowCount, 4);
    EXPECT_EQ(back.LayerCount, 2);
    EXPECT_EQ(back.SpareCount, 77);
    EXPECT_EQ(back.ColHeads, t.ColHeads);
    EXPECT_EQ(back.LayerHeads, t.LayerHeads);
    EXPECT_EQ(back.Values, t.Values);
    EXPECT_EQ(back.ColHeads[0].str(), "");

    BinWriter again;
    WriteStoredTable(again, back);
    EXPECT_EQ(again.data(), bytes);
}

TEST(StoredTable, BytesAfterTheTextOfShortStringsSurvive) {
    xyztable_rec t = Sample();
    BinWriter w;
    WriteStoredTable(w, t);
    std::vector<uint8_t> bytes = w.data();
    bytes[1 + 20] = 0xAB;       // after the title text
    bytes[67 + 1 + 10] = 0xCD;  // after the first column heading
    BinReader r(bytes, "table.bin");
    xyztable_rec back = ReadStoredTable(r);
    BinWriter again;
    WriteStoredTable(again, back);
    EXPECT_EQ(again.data(), bytes);
    EXPECT_EQ(back.ColHeads[1].str(), "DRAFT");
}

TEST(StoredTable, TruncatedInputIsRefused) {
    BinWriter w;
    WriteStoredTable(w, Sample());
    const std::vector<uint8_t> bytes = w.data();
    for (size_t cut : {size_t(0), size_t(50), size_t(66), size_t(67), size_t(67 + 51 * 5 - 1), bytes.size() - 10,
                       bytes.size() - 1}) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
        BinReader r(part, "short.tgp");
        try {
            ReadStoredTable(r);
            ADD_FAILURE() << "no error for " << cut << " bytes";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find("Read beyond end of file"), std::string::npos) << e.what();
        }
    }
}

TEST(StoredTable, ImpossibleCountsAreRefusedBeforeAllocating) {
    // Counts that promise terabytes of values in a 67-byte file.
    BinWriter w;
    w.Short(ShortString<50>("X"));
    w.Int32(2000000000);
    w.Int32(2000000000);
    w.Int32(2000000000);
    w.Int32(0);
    BinReader r(w.data(), "huge.tgp");
    EXPECT_THROW(ReadStoredTable(r), IoError);

    // Negative counts read as empty tables and leave the rest of the file.
    BinWriter n;
    n.Short(ShortString<50>("NEG"));
    n.Int32(-3);
    n.Int32(5);
    n.Int32(-1);
    n.Int32(0);
    n.Int32(1234);
    BinReader rn(n.data(), "neg.tgp");
    xyztable_rec t = ReadStoredTable(rn);
    EXPECT_EQ(t.ColHeads.size(), 1u);
    EXPECT_EQ(t.LayerHeads.size(), 1u);
    EXPECT_EQ(rn.Int32(), 1234);
    EXPECT_TRUE(t.Empty());
}

TEST(StoredTable, EmptyTableTakesSixtySevenBytes) {
    xyztable_rec t;
    t.Title.set("EMPTY");
    BinWriter w;
    WriteStoredTable(w, t);
    EXPECT_EQ(w.size(), 67u);
    EXPECT_EQ(StoredTableSize(t), 67u);
    BinReader r(w.data(), "e.bin");
    xyztable_rec back = ReadStoredTable(r);
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(back.Empty());
}

}  // namespace
