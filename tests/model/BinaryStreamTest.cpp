#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "TestSupport.h"
#include "model/BinaryStream.h"

using namespace kv;

namespace {

std::array<uint8_t, 10> ExtBytes(uint64_t mantissa, uint16_t signExp) {
    std::array<uint8_t, 10> b{};
    std::memcpy(b.data(), &mantissa, 8);
    std::memcpy(b.data() + 8, &signExp, 2);
    return b;
}

}  // namespace

// Every 10-byte pattern, whatever it means to the FPU, must come back bit for bit.
TEST(BinaryStream, ExtendedEdgeValuesRoundTripBitForBit) {
    const std::vector<std::array<uint8_t, 10>> cases = {
        ExtBytes(0, 0x8000),                          // -0
        ExtBytes(0, 0x0000),                          // +0
        ExtBytes(1, 0x0000),                          // smallest denormal
        ExtBytes(0x7FFFFFFFFFFFFFFFull, 0x0000),      // largest denormal
        ExtBytes(0x8000000000000001ull, 0x0000),      // pseudo-denormal
        ExtBytes(0x8000000000000000ull, 0x7FFF),      // +inf
        ExtBytes(0x8000000000000000ull, 0xFFFF),      // -inf
        ExtBytes(0xC000000000001234ull, 0x7FFF),      // quiet NaN with payload
        ExtBytes(0x8000000000005678ull, 0xFFFF),      // signalling NaN with payload, negative
        ExtBytes(0x0000000000000001ull, 0x4000),      // unnormal
        ExtBytes(0x8000000000000000ull, 0x3FFF),      // 1.0
    };
    for (const auto& c : cases) {
        BinReader r(std::vector<uint8_t>(c.begin(), c.end()), "x.bin");
        Extended v = r.Ext();
        BinWriter w;
        w.Ext(v);
        std::vector<uint8_t> back = w.data();
        EXPECT_EQ(back, std::vector<uint8_t>(c.begin(), c.end()));
    }
    BinReader one(std::vector<uint8_t>(cases.back().begin(), cases.back().end()), "x");
    EXPECT_EQ(one.Ext(), 1.0L);
}

TEST(BinaryStream, PrimitivesAndShortStringsRoundTrip) {
    BinWriter w;
    w.Int32(-123456);
    w.Single(2.5f);
    w.Double(-0.1);
    ShortString<5> s;
    s.raw = {3, 'A', 'B', 'C', 0xEE, 0xFF};  // bytes after the text are carried
    w.Short(s);
    w.Zeros(3);
    BinReader r(w.data(), "p.bin");
    EXPECT_EQ(r.Int32(), -123456);
    EXPECT_EQ(r.Single(), 2.5f);
    EXPECT_EQ(r.Double(), -0.1);
    auto s2 = r.Short<5>();
    EXPECT_EQ(s2.str(), "ABC");
    EXPECT_EQ(s2.raw, s.raw);
    r.Skip(3);
    EXPECT_TRUE(r.atEnd());
    // A length byte beyond the capacity reads at most the capacity.
    ShortString<2> bad;
    bad.raw = {9, 'x', 'y'};
    EXPECT_EQ(bad.str(), "xy");
}

TEST(BinaryStream, ShortReadNamesTheFile) {
    BinReader r(std::vector<uint8_t>{1, 2, 3}, "/tmp/some/R549.LSI");
    try {
        r.Int32();
        FAIL() << "no error";
    } catch (const IoError& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("Read beyond end of file"), std::string::npos);
        EXPECT_NE(m.find("/tmp/some/R549.LSI"), std::string::npos);
    }
}

// Counts that promise more bytes than the file holds stop the read before any
// allocation; counts of 0 or less read nothing.
TEST(BinaryStream, CountsAreBoundedByTheBytesLeft) {
    struct Case { int32_t count; size_t recordBytes; size_t bytesAfter; bool ok; int32_t expect; };
    const Case cases[] = {
        {0, 48, 0, true, 0},
        {-5, 48, 0, true, 0},
        {2, 48, 96, true, 2},
        {3, 48, 96, false, 0},
        {0x7FFFFFFF, 1, 100, false, 0},
        {0x7FFFFFFF, 2832, 0, false, 0},
    };
    for (const auto& c : cases) {
        BinWriter w;
        w.Int32(c.count);
        w.Zeros(c.bytesAfter);
        BinReader r(w.data(), "c.bin");
        int32_t stored = 0;
        if (c.ok) {
            EXPECT_EQ(r.Count(c.recordBytes, &stored), c.expect);
            EXPECT_EQ(stored, c.count);
        } else {
            EXPECT_THROW(r.Count(c.recordBytes), IoError) << c.count;
        }
    }
}

TEST(BinaryStream, AtomicSaveReplacesOnlyAfterACompleteWrite) {
    kvtest::TempDir dir;
    std::string path = dir.file("a.bin");
    WriteFileAtomically(path, {1, 2, 3});
    EXPECT_EQ(kvtest::ReadBytes(path), (std::vector<uint8_t>{1, 2, 3}));
    WriteFileAtomically(path, {9});
    EXPECT_EQ(kvtest::ReadBytes(path), (std::vector<uint8_t>{9}));
    // A target in a folder that does not exist fails and leaves nothing behind.
    EXPECT_THROW(WriteFileAtomically(dir.file("missing/b.bin"), {1}), IoError);
    EXPECT_THROW(ReadWholeFile(dir.file("nothing.bin")), IoError);
}
